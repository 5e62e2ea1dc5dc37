#include "render/scene_document.h"

#include "document/selection.h"

namespace morvel::render {

const MotionEntry *SelectedMotion(const SceneDocument &scene) {
    return document::MotionAt(scene.document, scene.selectedMotion);
}

const FrameEntry *SelectedFrame(const SceneDocument &scene) {
    return document::FrameAt(scene.document, scene.selectedMotion, scene.selectedFrame);
}

const PositionEntry *SelectedPosition(const SceneDocument &scene) {
    return document::PositionAt(scene.document, scene.selectedMotion, scene.selectedFrame,
                                scene.selectedPosition);
}

}  // namespace morvel::render
