// A motion as a glTF scene and animation: one node per position slot (slot
// i is position i of every frame), one key frame per frame.
#pragma once

#include <tiny_gltf.h>

#include <array>
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

    // Consecutive frames (and with a loop the last and the first) show
    // different parts, or one of them none.
    bool HasCut(bool loop) const;
};

// As many slots as the motion's largest frame has positions.
std::vector<SlotPlan> PlanSlots(const MotionEntry &motion);

// The glTF materials of a part's mesh and the diffuse colours the X file
// gave them; animated when some position of the part has a colour offset.
struct PartColours {
    std::vector<int> materials;
    std::vector<std::array<double, 4>> diffuse;
    bool animated = false;
};

struct MotionInput {
    const MotionEntry *motion = nullptr;
    std::string name;                    // UTF-8
    std::vector<int> partMeshes;         // glTF mesh of each part, -1 for none
    std::vector<std::string> partNames;  // UTF-8
    std::vector<PartColours> partColours;
    Axes axes;
    int framesPerSecond = 10;
    bool loop = false;  // a closing key, one frame after the last, repeats the first
};

// Adds a scene holding a root node named after the motion, whose children
// are the slot nodes, and (for a motion with frames) an animation of the
// same name: translation, rotation and scale of every slot node sampled
// LINEAR, the children's scale STEP. A frame without the slot's position
// keeps the slot where it last was (or first will be) and hides its parts.
// A slot whose part changes or goes missing moves in STEPs too, so that no
// viewer slides one part into the place of another. Each slot node's
// extras.colourOffsets lists, for every frame that has the position,
// {"frame", "ambient" [R, G, B, A], "diffuse" [R, G, B, A]}; the animated
// parts' materials follow them (colour_channels.h). Warnings go to warnings.
void AddMotion(const MotionInput &input, BufferBuilder &buffer, tinygltf::Model &model,
               std::vector<std::string> &warnings);

}  // namespace morvel::convert
