// The onion skin: the frames before and after the selected one, drawn
// translucent and tinted behind it while posing.
#pragma once

#include "render/render_device.h"
#include "render/scene_document.h"

namespace morvel::render {

// Either may be missing.
struct OnionSkin {
    const FrameEntry *previous = nullptr;
    const FrameEntry *next = nullptr;
};

// Draws the frames without writing depth, so the selected frame's parts
// stand over them: the previous one bluish, the next one orange. Nothing
// (and no device call) for an empty onion skin.
void DrawOnionSkin(RenderDevice &device, const SceneDocument &scene, const OnionSkin &frames);

}  // namespace morvel::render
