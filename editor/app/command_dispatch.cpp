#include "app/command_dispatch.h"

#include "app/autosave.h"
#include "app/command_ids.h"
#include "app/file_commands.h"
#include "app/history.h"
#include "app/menu_states.h"
#include "app/playback.h"
#include "app/pose_clipboard_commands.h"
#include "app/pose_editing.h"
#include "app/recent_files.h"
#include "app/recovery_offer.h"
#include "app/redraw.h"
#include "app/selection_commands.h"
#include "app/tool_windows.h"
#include "app/view_commands.h"
#include "document/selection.h"

namespace morvel::app {

namespace {

using document::MessageButtons;
using document::MessageIcon;

struct DialogCommand {
    int command;
    const char *dialog;
    const char *failureCaption;  // when the dialog cannot be created
};

const DialogCommand kDialogCommands[] = {
    {CMD_EDIT_HEADER, "IDD_EDIT_HEAD", "Vektrel"},
    {CMD_EDIT_PARTS, "IDD_EDIT_PARTS", "Vektrel"},
    {CMD_EDIT_MOTION, "IDD_EDIT_MOTION", "Vektrel"},
    {CMD_EDIT_FRAME, "IDD_EDIT_FRAME", "フレーム"},
    {CMD_EDIT_POSITION, "IDD_EDIT_POSITION", "ポジション"},
};

void Refuse(Editor &editor, const char *text, const char *caption) {
    editor.shell.ShowMessage(
        {editor.shell.MainWindow(), text, caption, MessageIcon::Error, MessageButtons::Ok});
}

void DialogCreationFailed(Editor &editor, const char *caption) {
    editor.shell.ShowMessage({editor.shell.MainWindow(), "ダイアログ作成失敗", caption,
                              MessageIcon::None, MessageButtons::Ok});
}

// The position dialog needs a selected frame: when the selected one does not
// exist, the first motion that has frames is taken.
bool RepairSelectionForPositionDialog(Editor &editor) {
    document::EditorDocument &doc = editor.state.currentDocument;
    const MotionDocument &d = doc.document;
    if (document::SelectedFrame(doc) != nullptr) return true;
    for (int m = 0; m < d.header.motionCount; ++m) {
        if (d.motions[m].frameCount == 0) continue;
        doc.selectedMotion = m;
        doc.selectedFrame = 0;
        if (doc.selectedPosition < 0 ||
            doc.selectedPosition >= d.motions[m].frames[0].positionCount) {
            doc.selectedPosition = 0;
        }
        return true;
    }
    Refuse(editor, "フレームが設定されたモーションがありません。", "ポジション");
    return false;
}

bool DialogPreconditionsHold(Editor &editor, int command) {
    const MotionFileHeader &h = editor.state.currentDocument.document.header;
    if (command == CMD_EDIT_FRAME && h.motionCount == 0) {
        Refuse(editor, "モーションがありません。", "フレーム");
        return false;
    }
    if (command == CMD_EDIT_POSITION) {
        if (h.partCount == 0) {
            Refuse(editor, "パーツがありません。", "パーツ");
            return false;
        }
        if (h.motionCount == 0) {
            Refuse(editor, "モーションがありません。", "ポジション");
            return false;
        }
        return RepairSelectionForPositionDialog(editor);
    }
    return true;
}

void VersionCommand(Editor &editor) {
    editor.state.timerHoldoff = kTimerHoldoffTicks;
    if (!ShowDialog(editor, "IDD_HELP_VERSION")) DialogCreationFailed(editor, "バージョン情報");
}

}  // namespace

bool ShowDialog(Editor &editor, const std::string &name) {
    std::unique_ptr<DialogController> controller = editor.dialogs.Create(name, editor);
    return controller != nullptr && editor.shell.RunDialog(name, *controller);
}

void EditDialogCommand(Editor &editor, int command) {
    for (const DialogCommand &entry : kDialogCommands) {
        if (entry.command != command) continue;
        editor.state.timerHoldoff = kTimerHoldoffTicks;
        if (!DialogPreconditionsHold(editor, command)) return;
        if (!ShowDialog(editor, entry.dialog)) DialogCreationFailed(editor, entry.failureCaption);
        ViewAndRedraw(editor);
        return;
    }
}

namespace {

void Dispatch(Editor &editor, int command) {
    EditorState &state = editor.state;
    if (!CommandKeepsPlayback(command)) EndPlayback(editor);
    if (command >= CMD_RECENT_FILE_0 && command <= CMD_RECENT_FILE_4) {
        state.timerHoldoff = kTimerHoldoffTicks;
        PrepareRecentOpen(state.recentFiles, command - CMD_RECENT_FILE_0, state.openPath,
                          editor.shell);
        OpenCommand(editor);
        return;
    }
    switch (command) {
        case CMD_FILE_NEW:
            state.timerHoldoff = kTimerHoldoffTicks;
            NewCommand(editor);
            break;
        case CMD_FILE_OPEN:
            state.timerHoldoff = kTimerHoldoffTicks;
            state.openPath.fill('\0');
            OpenCommand(editor);
            break;
        case CMD_FILE_SAVE:
            state.timerHoldoff = kTimerHoldoffTicks;
            SaveCommand(editor);
            break;
        case CMD_FILE_SAVE_AS:
            state.timerHoldoff = kTimerHoldoffTicks;
            SaveAsCommand(editor);
            break;
        case CMD_OPEN_PENDING_FILE: {
            state.timerHoldoff = kTimerHoldoffTicks;
            const std::string path = state.pendingOpenPath;
            state.pendingOpenPath.clear();
            // A failed open draws the current document: New leaves the first
            // frame to the open queued behind it.
            if (!path.empty() && !OpenGivenFile(editor, path)) ViewAndRedraw(editor);
            break;
        }
        case CMD_RECOVERY_OFFER:
            OfferRecovery(editor);
            if (!state.pendingOpenPath.empty()) editor.shell.PostCommand(CMD_OPEN_PENDING_FILE);
            break;
        case CMD_FILE_SHORTCUT: DesktopShortcutCommand(editor); break;
        case CMD_FILE_EXIT: editor.shell.PostClose(); break;

        case CMD_EDIT_HEADER:
        case CMD_EDIT_PARTS:
        case CMD_EDIT_MOTION:
        case CMD_EDIT_FRAME:
        case CMD_EDIT_POSITION: EditDialogCommand(editor, command); break;
        case CMD_EDIT_UNDO: UndoCommand(editor); break;
        case CMD_EDIT_REDO: RedoCommand(editor); break;

        case CMD_SHIFT_MOTION_PREVIOUS:
        case CMD_SHIFT_MOTION_NEXT:
        case CMD_SHIFT_FRAME_PREVIOUS:
        case CMD_SHIFT_FRAME_NEXT:
        case CMD_SHIFT_POSITION_PREVIOUS:
        case CMD_SHIFT_POSITION_NEXT: ShiftSelectionCommand(editor, command); break;

        case CMD_MODE_VIEW: SetEditMode(editor, kModeView); break;
        case CMD_MODE_TRANSLATE:
        case CMD_MODE_ROTATE:
        case CMD_MODE_SCALE:
            if (EditablePosition(state) != nullptr) {
                SetEditMode(editor, command == CMD_MODE_TRANSLATE ? kModeTranslate
                                    : command == CMD_MODE_ROTATE  ? kModeRotate
                                                                  : kModeScale);
            }
            break;
        case CMD_MOUSE_FREE: SetMouseMode(editor, kMouseFree); break;
        case CMD_MOUSE_HORIZONTAL: SetMouseMode(editor, kMouseHorizontalOnly); break;
        case CMD_MOUSE_VERTICAL: SetMouseMode(editor, kMouseVerticalOnly); break;

        case CMD_VIEW_AXES:
        case CMD_VIEW_STATUS_TEXT:
        case CMD_VIEW_AXIS_COLOUR:
        case CMD_VIEW_BACKGROUND_COLOUR:
        case CMD_VIEW_STATUS_TEXT_COLOUR: ViewSettingCommand(editor, command); break;

        case CMD_HELP_CONTENTS:
        case CMD_HELP_INDEX: HelpCommandOf(editor, command); break;
        case CMD_HELP_VERSION: VersionCommand(editor); break;

        case CMD_TOOL_AUTOSAVE: AutosaveSettingsCommand(editor); break;

        case CMD_PLAY_TOGGLE: TogglePlayback(editor); break;
        case CMD_PLAY_LOOP:
        case CMD_PLAY_INTERPOLATE:
        case CMD_PLAY_ONION_SKIN:
        case CMD_PLAY_SPEED: PlaybackSettingCommand(editor, command); break;

        case CMD_TOOL_HISTORY:
        case CMD_TOOL_TIMELINE: ToggleToolWindow(editor, ToolWindowOfCommand(command)); break;
        case CMD_TOOL_COPY_POSE: CopyPoseCommand(editor); break;
        case CMD_TOOL_PASTE_POSE:
        case CMD_TOOL_PASTE_POSE_MIRRORED:
            PastePoseCommand(editor, command == CMD_TOOL_PASTE_POSE_MIRRORED);
            break;
        default: break;
    }
}

}  // namespace

void RunCommand(Editor &editor, int command) {
    Dispatch(editor, command);
    ShowMenuStates(editor);
}

}  // namespace morvel::app
