#include "app/autosave.h"

#include <cstring>

#include "app/command_dispatch.h"
#include "app/job_runner.h"
#include "app/recent_files.h"
#include "app/recovery_platform.h"
#include "app/redraw.h"
#include "app/registry_key.h"
#include "base/field_text.h"
#include "document/snapshot_copy.h"

namespace morvel::app {

const char *const kAutosaveValueName = "AutosaveSeconds";

namespace {

void Remove(std::string &path) {
    if (!path.empty()) RemoveRecoveryCopy(path);
    path.clear();
}

// Takes the result of a write the runner reports finished.
void FinishWrite(Editor &editor) {
    AutosaveState &a = editor.state.autosave;
    if (!a.counters.writing || !editor.autosave->jobs.Finished()) return;
    if (a.jobEpoch != a.epoch) {
        // Saved, replaced or restored while it was written: a copy of a
        // document that is gone.
        a.counters.writing = false;
        Remove(a.ownCopy);
        return;
    }
    AutosaveEnded(a.counters, a.jobRevision, a.written, editor.clock.NowMilliseconds());
    if (a.written) Remove(a.adoptedCopy);
}

void StartWrite(Editor &editor) {
    EditorState &state = editor.state;
    AutosaveState &a = state.autosave;
    RecoveryPlatform &platform = editor.autosave->platform;
    const std::string folder = platform.RecoveryFolder();
    if (folder.empty()) {
        AutosaveEnded(a.counters, a.counters.revision, false, editor.clock.NowMilliseconds());
        return;
    }
    RecoveryRecord record;
    record.process = platform.ThisProcess();
    record.savedAt = platform.LocalTime();
    record.documentPath = base::BufferText(state.filePath.data(), state.filePath.size());
    record.folder = editor.shell.CurrentDirectory();
    std::memcpy(record.version.data(), state.currentDocument.document.header.version, 4);

    a.ownCopy = folder + RecoveryCopyName(record.process);
    if (!StartRecoveryWrite(a, state.currentDocument.document, record, editor.autosave->jobs)) {
        AutosaveEnded(a.counters, a.counters.revision, false, editor.clock.NowMilliseconds());
        return;
    }
    a.jobEpoch = a.epoch;
}

}  // namespace

bool StartRecoveryWrite(AutosaveState &a, const MotionDocument &current,
                        const RecoveryRecord &record, JobRunner &jobs) {
    if (!document::CopyDocumentReusingTables(a.snapshot.document, current,
                                             document::CopyTarget::SetAside)) {
        return false;
    }
    a.jobRevision = a.counters.revision;
    a.written = false;
    AutosaveStarted(a.counters, a.jobRevision);
    jobs.Start([&a, record, path = a.ownCopy] {
        a.written = WriteRecoveryCopy(a.snapshot.document, record, path);
    });
    return true;
}

void NoteDocumentChanged(EditorState &state) { ++state.autosave.counters.revision; }

void AutosaveTick(Editor &editor) {
    if (editor.autosave == nullptr) return;
    FinishWrite(editor);
    AutosaveState &a = editor.state.autosave;
    if (AutosaveDue(a.counters, editor.clock.NowMilliseconds(), a.intervalSeconds)) {
        StartWrite(editor);
    }
}

void DropRecoveryCopies(Editor &editor) {
    AutosaveState &a = editor.state.autosave;
    a.counters.savedRevision = a.counters.revision;
    a.counters.waiting = false;
    ++a.epoch;
    if (editor.autosave == nullptr) return;
    // A write in flight owns its file until it ends: the tick that sees it
    // finished removes what it wrote.
    if (!a.counters.writing) Remove(a.ownCopy);
    Remove(a.adoptedCopy);
}

void AdoptRecoveryCopy(Editor &editor, const std::string &path) {
    DropRecoveryCopies(editor);
    AutosaveCounters &c = editor.state.autosave.counters;
    ++c.revision;
    c.copiedRevision = c.revision;
    editor.state.autosave.adoptedCopy = path;
}

void AutosaveAtExit(Editor &editor) {
    if (editor.autosave == nullptr) return;
    editor.autosave->jobs.Wait();
    AutosaveState &a = editor.state.autosave;
    a.counters.writing = false;
    Remove(a.ownCopy);
    Remove(a.adoptedCopy);
}

void LoadAutosaveInterval(EditorState &state, KeyStore &store) {
    RegistryKey key(store);
    char text[16] = {};
    if (key.Open(kSettingsKey, "w") != 0 || key.Query(kAutosaveValueName, text, sizeof text - 1) != 0) {
        return;
    }
    const std::string value = base::BufferText(text, sizeof text);
    if (value.empty() || value.size() > 6) return;
    int seconds = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return;
        seconds = seconds * 10 + (c - '0');
    }
    if (seconds <= kMaxAutosaveSeconds) state.autosave.intervalSeconds = seconds;
}

void StoreAutosaveInterval(int seconds, KeyStore &store) {
    RegistryKey key(store);
    if (key.Open(kSettingsKey, "w") == 0) key.SetString(kAutosaveValueName, std::to_string(seconds));
}

void AutosaveSettingsCommand(Editor &editor) {
    EditorState &state = editor.state;
    state.timerHoldoff = kTimerHoldoffTicks;
    const int before = state.autosave.intervalSeconds;
    if (!ShowDialog(editor, "IDD_AUTOSAVE")) {
        editor.shell.ShowMessage({editor.shell.MainWindow(), "ダイアログ作成失敗", "自動保存",
                                  document::MessageIcon::None, document::MessageButtons::Ok});
        return;
    }
    if (state.autosave.intervalSeconds != before) {
        StoreAutosaveInterval(state.autosave.intervalSeconds, editor.keyStore);
    }
}

}  // namespace morvel::app
