// Autosave: while the document holds changes that are not saved, a
// recovery copy is written every intervalSeconds from a snapshot, on the
// job runner, so the window thread only copies the tables. A save, New,
// Open or a clean exit removes the copy.
#pragma once

#include "app/editor.h"

namespace morvel::app {

// The registry value (in the settings key) holding the interval in seconds.
extern const char *const kAutosaveValueName;

// Every change of the current document calls this.
void NoteDocumentChanged(EditorState &state);

// The autosave timer: takes the result of a finished write, then starts the
// next one when it is due.
void AutosaveTick(Editor &editor);
constexpr int kAutosaveTimerId = 12;
constexpr int kAutosaveTimerMilliseconds = 1000;

// The document in memory has nothing left to recover (it was saved, or
// replaced by New or Open): its copies go.
void DropRecoveryCopies(Editor &editor);

// The window thread's share of an autosave: the snapshot of current, then
// the hand-off to jobs, which writes it with record to a.ownCopy. False
// (nothing started) when memory for the snapshot ran out.
bool StartRecoveryWrite(AutosaveState &a, const MotionDocument &current,
                        const RecoveryRecord &record, JobRunner &jobs);

// A restored copy of an ended process now stands for the document, whose
// changes count as unsaved.
void AdoptRecoveryCopy(Editor &editor, const std::string &path);

// Clean exit: waits for a write in flight, then removes the copies.
void AutosaveAtExit(Editor &editor);

// The interval from the registry (the default when missing or unreadable),
// and back into it.
void LoadAutosaveInterval(EditorState &state, KeyStore &store);
void StoreAutosaveInterval(int seconds, KeyStore &store);

// "自動保存...": the settings dialog, stored when OK changed the interval.
void AutosaveSettingsCommand(Editor &editor);

}  // namespace morvel::app
