// A motion as a glTF scene and animation: one node per position slot (slot
// i is position i of every frame), one key frame per frame.
#pragma once

#include <tiny_gltf.h>

#include <string>
#include <vector>

#include "mvllib/mvllib.h"
#include "convert/gltf_axes.h"
#include "convert/gltf_buffer.h"

namespace morvel::convert {

// Which part each frame shows in one slot.
struct SlotPlan {
    std::vector<int> partByFrame;  // -1 where the frame has no such position
    std::vector<int> parts;        // the parts shown, in order of first appearance

    // The slot shows one part in every frame: the part's mesh sits on the
    // slot's node. Otherwise each part that has a mesh gets a child node,
    // shown (scale 1) in the frames that show it and hidden (scale 0) in the
    // others.
    bool ShowsOnePart() const;
};

// As many slots as the motion's largest frame has positions.
std::vector<SlotPlan> PlanSlots(const MotionEntry &motion);

struct MotionInput {
    const MotionEntry *motion = nullptr;
    std::string name;                    // UTF-8
    std::vector<int> partMeshes;         // glTF mesh of each part, -1 for none
    std::vector<std::string> partNames;  // UTF-8
    Axes axes;
    int framesPerSecond = 10;
};

// Adds a scene holding a root node named after the motion, whose children
// are the slot nodes, and (for a motion with frames) an animation of the
// same name: translation, rotation and scale of every slot node sampled
// LINEAR, the children's scale STEP. A frame without the slot's position
// keeps the slot where it last was (or first will be) and hides its parts.
// Each slot node's extras.colourOffsets lists, for every frame that has
// the position, {"frame", "ambient" [R, G, B, A], "diffuse" [R, G, B, A]}.
void AddMotion(const MotionInput &input, BufferBuilder &buffer, tinygltf::Model &model);

}  // namespace morvel::convert
