#include "app/redraw.h"

#include "app/editor_scene.h"
#include "app/playback.h"
#include "app/tool_windows.h"
#include "document/selection.h"

namespace morvel::app {

namespace {

// The frames before and after the selected one, when the onion skin is on.
render::OnionSkin OnionSkinOf(const EditorState &state) {
    render::OnionSkin frames;
    if (!state.playbackSettings.onionSkin) return frames;
    const document::EditorDocument &d = state.currentDocument;
    if (document::SelectedFrame(d) == nullptr) return frames;
    frames.previous = document::FrameAt(d.document, d.selectedMotion, d.selectedFrame - 1);
    frames.next = document::FrameAt(d.document, d.selectedMotion, d.selectedFrame + 1);
    return frames;
}

void DrawAndUpdateStatus(Editor &editor) {
    const render::SceneDocument scene = render::SceneOf(editor.state.currentDocument);
    editor.renderer.SetOnionSkin(OnionSkinOf(editor.state));
    editor.renderer.DrawFrame(scene, editor.state.scene);
    render::UpdateStatusTexts(scene, editor.state.editMode, editor.shell);
}

}  // namespace

void RequestRedraw(Editor &editor) {
    editor.state.scene.selectionBlink = 3;
    DrawAndUpdateStatus(editor);
    RefreshToolWindows(editor);
}

void ApplyView(Editor &editor) {
    const MotionFileHeader &header = editor.state.currentDocument.document.header;
    editor.renderer.SetViewCamera(header.cameraElevation, header.cameraAzimuth,
                                  header.cameraDistance);
}

void ViewAndRedraw(Editor &editor) {
    ApplyView(editor);
    RequestRedraw(editor);
}

void ApplyHeaderViewSettings(Editor &editor) {
    const MotionFileHeader &header = editor.state.currentDocument.document.header;
    editor.renderer.ApplyViewSettings(header.cullingMode, header.rightHanded,
                                      header.axisDirection);
}

void TimerTick(Editor &editor, int timerId) {
    if (timerId != kRedrawTimerId) return;
    if (editor.state.timerHoldoff > 0) {
        --editor.state.timerHoldoff;
        return;
    }
    render::AdvanceSelectionBlink(editor.state.scene);
    // While playback is shown its own pose stays on screen.
    if (PlaybackShown(editor.state)) {
        DrawPlaybackPose(editor);
        return;
    }
    DrawAndUpdateStatus(editor);
}

}  // namespace morvel::app
