#include "app/part_picking.h"

#include "app/editor_scene.h"
#include "app/playback.h"
#include "app/redraw.h"

namespace morvel::app {

void ViewDoubleClicked(Editor &editor, int32_t x, int32_t y) {
    const Rect &view = editor.state.viewRect;
    if (x < view.left || x >= view.right || y < view.top || y >= view.bottom) return;
    EndPlayback(editor);
    document::EditorDocument &doc = editor.state.currentDocument;
    const int32_t picked = editor.renderer.PickPosition(render::SceneOf(doc), x, y);
    if (picked < 0 || picked == doc.selectedPosition) return;
    doc.selectedPosition = picked;
    RequestRedraw(editor);
}

}  // namespace morvel::app
