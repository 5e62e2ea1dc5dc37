#include "render/scene_document.h"

namespace morvel::render {

const MotionEntry *SelectedMotion(const SceneDocument &scene) {
    const MotionDocument &doc = scene.document;
    if (doc.header.motionCount == 0 || doc.motions == nullptr) return nullptr;
    if (scene.selectedMotion < 0 || scene.selectedMotion >= doc.header.motionCount) return nullptr;
    return &doc.motions[scene.selectedMotion];
}

const FrameEntry *SelectedFrame(const SceneDocument &scene) {
    const MotionEntry *motion = SelectedMotion(scene);
    if (motion == nullptr || motion->frameCount == 0 || motion->frames == nullptr) return nullptr;
    if (scene.selectedFrame < 0 || scene.selectedFrame >= motion->frameCount) return nullptr;
    return &motion->frames[scene.selectedFrame];
}

const PositionEntry *SelectedPosition(const SceneDocument &scene) {
    const FrameEntry *frame = SelectedFrame(scene);
    if (frame == nullptr || frame->positionCount == 0 || frame->positions == nullptr) return nullptr;
    if (scene.selectedPosition < 0 || scene.selectedPosition >= frame->positionCount) return nullptr;
    return &frame->positions[scene.selectedPosition];
}

}  // namespace morvel::render
