#include "app/main_window_events.h"

#include "app/autosave.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/playback.h"
#include "app/pose_editing.h"
#include "app/redraw.h"
#include "app/tool_windows.h"
#include "base/field_text.h"

namespace morvel::app {

void TimerFired(Editor &editor, int timerId) {
    if (timerId == kPlaybackTimerId) {
        PlaybackTick(editor, timerId);
    } else if (timerId == kAutosaveTimerId) {
        AutosaveTick(editor);
    } else {
        TimerTick(editor, timerId);
    }
}

void KeyPressed(Editor &editor, int virtualKey, bool shift, bool ctrl) {
    const KeyAction action = KeyActionFor(virtualKey, shift, ctrl);
    // Any key but Space ends playback before it does anything else.
    if (action.command != CMD_PLAY_TOGGLE) EndPlayback(editor);
    switch (action.kind) {
        case KeyAction::EditStep: EditStepKey(editor, virtualKey, shift); break;
        case KeyAction::PostCommand: editor.shell.PostCommand(action.command); break;
        case KeyAction::PostClose: editor.shell.PostClose(); break;
        case KeyAction::None: break;
    }
}

void Resized(Editor &editor, int sizeType) {
    EditorState &state = editor.state;
    state.clientRect = editor.shell.ClientRect();
    const Rect &client = state.clientRect;
    editor.shell.PlaceBars(client.right - client.left, client.bottom, state.toolbarHeight,
                           state.statusBarHeight);
    state.viewRect = {client.left, client.top + state.toolbarHeight + 3, client.right,
                      client.bottom - state.statusBarHeight};
    editor.renderer.SetPresentRect(state.viewRect);
    editor.shell.PlaceView(state.viewRect);
    if (sizeType == kSizeRestored || sizeType == kSizeMaximized) {
        editor.renderer.SetBackBufferSize(static_cast<uint32_t>(client.right - client.left),
                                          static_cast<uint32_t>(client.bottom - client.top));
        if (state.inSizeMove == 0) editor.renderer.ResetAfterResize();
    }
    RequestRedraw(editor);
}

void EnteredSizeMove(Editor &editor) {
    editor.state.inSizeMove = 1;
    RequestRedraw(editor);
}

void ExitedSizeMove(Editor &editor) {
    editor.state.inSizeMove = 0;
    editor.renderer.ResetAfterSizeMove();
}

void CloseRequested(Editor &editor) {
    editor.state.timerHoldoff = kTimerHoldoffTicks;
    if (editor.state.filePath[0] != '\0') {
        const document::MessageAnswer answer = editor.shell.ShowMessage(
            {editor.shell.MainWindow(), "現在編集されていますが、終了しますか？", "閉じる",
             document::MessageIcon::Warning, document::MessageButtons::YesNo});
        if (answer != document::MessageAnswer::Yes) return;
    }
    // Now, while the tool windows still have their places: destroying the
    // main window destroys the windows it owns before it tells it so.
    StoreToolWindows(editor);
    editor.shell.DestroyMainWindow();
}

void Destroyed(Editor &editor) {
    AutosaveAtExit(editor);
    const document::PathBuffer &help = editor.state.helpFilePath;
    editor.shell.ShowHelp(base::BufferText(help.data(), help.size()), HelpCommand::Quit, 0, "");
    editor.shell.PostQuit(0);
}

void FileDropped(Editor &editor, const std::string &path) {
    editor.state.pendingOpenPath = path;
    editor.shell.PostCommand(CMD_OPEN_PENDING_FILE);
}

}  // namespace morvel::app
