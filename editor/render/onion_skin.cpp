#include "render/onion_skin.h"

#include "render/part_mesh_loader.h"
#include "render/pose.h"

namespace morvel::render {
namespace {

void DrawGhostFrame(RenderDevice &device, const SceneDocument &scene, const FrameEntry &frame,
                    const ColorValue &tint) {
    // One tinted, translucent, untextured material for the whole frame.
    Material ghost{};
    ghost.Diffuse = tint;
    ghost.Ambient = tint;
    ghost.Emissive = {tint.r * 0.4f, tint.g * 0.4f, tint.b * 0.4f, 0.0f};
    for (uint16_t i = 0; i < frame.positionCount; ++i) {
        const PositionEntry &position = frame.positions[i];
        const PartMesh *mesh = PartMeshOf(scene, position);
        if (mesh == nullptr || !mesh->mesh) continue;
        device.SetTransform(kTransformWorld, BuildPoseMatrix(position));
        device.SetMaterial(ghost);
        device.SetTexture(0, nullptr);
        for (uint32_t subset = 0; subset < mesh->materialCount; ++subset)
            mesh->mesh->DrawSubset(subset);
    }
}

}  // namespace

void DrawOnionSkin(RenderDevice &device, const SceneDocument &scene, const OnionSkin &frames) {
    if (frames.previous == nullptr && frames.next == nullptr) return;
    device.SetRenderState(rs::kZWriteEnable, kFalse);
    if (frames.previous)
        DrawGhostFrame(device, scene, *frames.previous, {0.3f, 0.55f, 1.0f, 0.35f});
    if (frames.next) DrawGhostFrame(device, scene, *frames.next, {1.0f, 0.55f, 0.3f, 0.35f});
    device.SetRenderState(rs::kZWriteEnable, kTrue);
}

}  // namespace morvel::render
