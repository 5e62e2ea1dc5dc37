#include "app/redraw.h"

#include "render/editor_scene.h"

namespace morvel::app {

namespace {

void DrawAndUpdateStatus(Editor &editor) {
    const render::SceneDocument scene = render::SceneOf(editor.state.currentDocument);
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
    DrawAndUpdateStatus(editor);
}

}  // namespace morvel::app
