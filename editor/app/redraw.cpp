#include "app/redraw.h"

#include "app/playback.h"
#include "app/editor_scene.h"

namespace morvel::app {

namespace {

// The frames before and after the selected one, when the onion skin is on.
render::OnionSkin OnionSkinOf(const EditorState &state) {
    render::OnionSkin frames;
    if (!state.playbackSettings.onionSkin) return frames;
    const document::EditorDocument &d = state.currentDocument;
    const MotionDocument &doc = d.document;
    if (d.selectedMotion < 0 || d.selectedMotion >= doc.header.motionCount) return frames;
    const MotionEntry &motion = doc.motions[d.selectedMotion];
    if (d.selectedFrame < 0 || d.selectedFrame >= motion.frameCount) return frames;
    if (d.selectedFrame > 0) frames.previous = &motion.frames[d.selectedFrame - 1];
    if (d.selectedFrame + 1 < motion.frameCount) frames.next = &motion.frames[d.selectedFrame + 1];
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
