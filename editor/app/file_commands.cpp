#include "app/file_commands.h"

#include <algorithm>
#include <cstring>

#include "app/autosave.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "morvel/version.h"
#include "app/history.h"
#include "app/pose_editing.h"
#include "app/recent_files.h"
#include "app/redraw.h"
#include "base/field_text.h"

namespace morvel::app {

const char *const kProductName = MORVEL_PRODUCT_NAME;
const char *const kProgramVersion = MORVEL_PROGRAM_VERSION;

namespace {

using document::MessageAnswer;
using document::MessageButtons;
using document::MessageIcon;

const char *const kDiscardQuestion = "現在編集されていますが、破棄しますか？";
const char *const kRecoveryUnreadable =
    "自動保存された編集内容を読み込めませんでした。回復用のファイルはそのまま残します。";
const char *const kVersionQuestionOnSave = "ファイルのバージョンが異なります。書き換えますか？";

bool Ask(Editor &editor, const char *text, const char *caption) {
    return editor.shell.ShowMessage({editor.shell.MainWindow(), text, caption, MessageIcon::Warning,
                                     MessageButtons::YesNo}) == MessageAnswer::Yes;
}

void Warn(Editor &editor, const std::string &text, const char *caption) {
    editor.shell.ShowMessage({editor.shell.MainWindow(), text, caption, MessageIcon::Warning,
                              MessageButtons::Ok});
}

bool HasCurrentVersion(const MotionDocument &document) {
    return std::memcmp(document.header.version, "1.00", 4) == 0;
}

std::string PathText(const document::PathBuffer &buffer) {
    return base::BufferText(buffer.data(), buffer.size());
}

void ResetModes(Editor &editor) {
    SetEditMode(editor, kModeView);
    SetMouseMode(editor, kMouseFree);
}

// The recent-file list after a successful Open or Save As.
void RememberRecentFile(Editor &editor) {
    RemoveRecentMenu(editor.state.recentFiles, editor.shell);
    AddRecentFile(editor.state.recentFiles, editor.state.filePath, editor.keyStore);
    InsertRecentMenu(editor.state.recentFiles, editor.shell);
}

// The open chooser of the Open command: a chosen file's folder becomes the
// current directory, as Windows' own chooser makes it, so the parts a
// motion file names with ".\" are found beside it whatever the chooser did.
class FolderFollowingChooser : public document::FileChooser {
public:
    explicit FolderFollowingChooser(Shell &shell) : shell_(shell) {}
    bool ChooseFile(const document::FileChooserRequest &request, document::PathBuffer &path) override {
        if (!shell_.ChooseFile(request, path)) return false;
        shell_.ChangeDirectory(FolderOfPath(base::BufferText(path.data(), path.size())));
        return true;
    }

private:
    Shell &shell_;
};

// Sets sceneReady back to 1 however the Open command ends.
struct SceneReadyGuard {
    explicit SceneReadyGuard(EditorState &state) : state(state) { state.scene.sceneReady = 0; }
    ~SceneReadyGuard() { state.scene.sceneReady = 1; }
    EditorState &state;
};

}  // namespace

int LoadIntoWorkingDocument(Editor &editor, const char *caption) {
    EditorState &state = editor.state;
    FolderFollowingChooser chooser(editor.shell);
    int result = document::OpenIntoDocument(editor.shell.MainWindow(), state.workingDocument, "",
                                             state.openPath, chooser, editor.renderer);
    if (result != MVL_LOAD_BAD_USER_CODE) return result;

    if (!ShowDialog(editor, "IDD_USERCODE")) {
        editor.shell.ShowMessage({editor.shell.MainWindow(), "ダイアログ作成失敗", "バージョン情報",
                                  MessageIcon::None, MessageButtons::Ok});
        return document::kOpenCancelled;
    }
    if (UserCodeCancelled(state.userCode)) return document::kOpenCancelled;
    const std::string code = base::BufferText(state.userCode.data(), state.userCode.size());
    result = document::OpenIntoDocument(editor.shell.MainWindow(), state.workingDocument, code,
                                        state.openPath, chooser, editor.renderer);
    if (result == MVL_LOAD_BAD_USER_CODE) {
        Warn(editor, "ユーザ識別コードに誤りがあります。", caption);
        return document::kOpenCancelled;
    }
    return result;
}

std::string WindowTitle(const document::PathBuffer &filePath) {
    const bool isNew = document::StateOfFilePath(filePath) != document::FilePathState::HasFile;
    return std::string(kProductName) + " Version " + kProgramVersion + " [" +
           (isNew ? std::string("新規") : PathText(filePath)) + "]";
}

void NewCommand(Editor &editor) {
    EditorState &state = editor.state;
    if (state.filePath[0] != '\0' && !Ask(editor, kDiscardQuestion, "新規作成")) return;

    document::ReleaseDocument(state.currentDocument);
    state.scene.sceneReady = 0;
    editor.renderer.LoadLabelTextures(editor.resources);
    state.lastMouseX = 0;
    state.lastMouseY = 0;
    document::InitDocument(state.currentDocument);
    ResetUndo(state, "新規作成");
    DropRecoveryCopies(editor);

    state.filePath.fill('\0');
    state.currentDocument.selectedMotion = 0;
    state.currentDocument.selectedFrame = 0;
    state.currentDocument.selectedPosition = 0;
    ApplyHeaderViewSettings(editor);

    editor.shell.SetTitle(WindowTitle(state.filePath));
    ResetModes(editor);
    state.scene.sceneReady = 1;
    // A file to open at start-up (or dropped) is queued right behind: its
    // open draws the first frame, and one of the empty document before it
    // would only keep the user waiting. A failed open draws this one.
    if (!state.pendingOpenPath.empty()) return;
    ViewAndRedraw(editor);
}

bool OpenCommand(Editor &editor) {
    EditorState &state = editor.state;
    if (state.filePath[0] != '\0' && !Ask(editor, kDiscardQuestion, "開く")) return false;

    SceneReadyGuard ready(state);
    int result = LoadIntoWorkingDocument(editor, "開く");
    if (result == document::kOpenCancelled) return false;
    if (result == document::kLoadMeshFailed) {
        Warn(editor, editor.renderer.MeshLoadMessage(), "開く");
    } else if (result != 0) {
        Warn(editor, "ファイルの読込に失敗しました。", "開く");
        return false;
    }
    if (!HasCurrentVersion(state.workingDocument.document) &&
        !Ask(editor, "ファイルのバージョンが異なります。読み込みますか？", "開く")) {
        return false;
    }

    document::CopyDocument(state.currentDocument, state.workingDocument, editor.renderer);
    state.filePath = state.openPath;
    editor.shell.SetTitle(WindowTitle(state.filePath));
    RememberRecentFile(editor);
    ResetUndo(state, "開く");
    DropRecoveryCopies(editor);
    ResetModes(editor);
    ApplyHeaderViewSettings(editor);
    state.scene.sceneReady = 1;
    ViewAndRedraw(editor);
    return true;
}

void SaveCommand(Editor &editor) {
    EditorState &state = editor.state;
    if (document::StateOfFilePath(state.filePath) != document::FilePathState::HasFile) {
        editor.shell.PostCommand(CMD_FILE_SAVE_AS);
        return;
    }
    if (!HasCurrentVersion(state.currentDocument.document) &&
        !Ask(editor, kVersionQuestionOnSave, "上書き保存")) {
        return;
    }
    const int result = document::SaveDocument(editor.shell.MainWindow(), state.currentDocument,
                                              PathText(state.filePath), state.filePath, editor.shell);
    if (result == document::kSaveFailed) Warn(editor, "ファイルの保存に失敗しました。", "上書き保存");
    if (result == document::kSaveWritten) DropRecoveryCopies(editor);
    ViewAndRedraw(editor);
}

void SaveAsCommand(Editor &editor) {
    EditorState &state = editor.state;
    if (!HasCurrentVersion(state.currentDocument.document) &&
        !Ask(editor, kVersionQuestionOnSave, "名前を付けて保存")) {
        return;
    }
    const int result = document::SaveDocument(editor.shell.MainWindow(), state.currentDocument, "",
                                              state.filePath, editor.shell);
    if (result == document::kSaveFailed) {
        Warn(editor, "ファイルの保存に失敗しました。", "名前を付けて保存");
    } else if (result == document::kSaveWritten) {
        DropRecoveryCopies(editor);
        RememberRecentFile(editor);
        editor.shell.SetTitle(WindowTitle(state.filePath));
    }
    ViewAndRedraw(editor);
}

bool RestoreRecoveredDocument(Editor &editor, const std::string &copyPath,
                              const RecoveryRecord &record) {
    EditorState &state = editor.state;
    const char *const caption = "自動保存の回復";
    if (state.filePath[0] != '\0' && !Ask(editor, kDiscardQuestion, caption)) return false;
    if (copyPath.size() >= document::kPathBufferSize) {
        Warn(editor, kRecoveryUnreadable, caption);
        return false;
    }
    if (!record.folder.empty()) editor.shell.ChangeDirectory(record.folder);
    state.openPath.fill('\0');
    std::memcpy(state.openPath.data(), copyPath.data(), copyPath.size());

    SceneReadyGuard ready(state);
    const int result = LoadIntoWorkingDocument(editor, caption);
    if (result == document::kOpenCancelled) return false;
    if (result == document::kLoadMeshFailed) {
        Warn(editor, editor.renderer.MeshLoadMessage(), caption);
    } else if (result != 0) {
        Warn(editor, kRecoveryUnreadable, caption);
        return false;
    }

    document::CopyDocument(state.currentDocument, state.workingDocument, editor.renderer);
    std::memcpy(state.currentDocument.document.header.version, record.version.data(), 4);
    // The document's own file when it had one, so the title names it and
    // Save writes there; otherwise an edited document that was never saved.
    state.filePath.fill('\0');
    if (!record.documentPath.empty() && static_cast<unsigned char>(record.documentPath[0]) > 1) {
        std::memcpy(state.filePath.data(), record.documentPath.data(),
                    std::min(record.documentPath.size(), state.filePath.size() - 1));
    } else {
        document::MarkEditedIfNew(state.filePath);
    }
    editor.shell.SetTitle(WindowTitle(state.filePath));
    ResetUndo(state, "自動保存から復元");
    AdoptRecoveryCopy(editor, copyPath);
    ResetModes(editor);
    ApplyHeaderViewSettings(editor);
    state.scene.sceneReady = 1;
    ViewAndRedraw(editor);
    return true;
}

bool OpenGivenFile(Editor &editor, const std::string &path) {
    // A path the open buffer cannot hold whole would name another file.
    if (path.empty() || path.size() >= document::kPathBufferSize) {
        Warn(editor, "ファイルの読込に失敗しました。", "開く");
        return false;
    }
    editor.shell.ChangeDirectory(FolderOfPath(path));
    document::PathBuffer &open = editor.state.openPath;
    open.fill('\0');
    std::memcpy(open.data(), path.data(), path.size());
    return OpenCommand(editor);
}

}  // namespace morvel::app
