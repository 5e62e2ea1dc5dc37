// Colour offsets as material animation through KHR_animation_pointer. The
// editor lights a part with its X material's diffuse colour plus the
// position's diffuse offset, and with the same diffuse colour plus the
// ambient offset as ambient colour under an ambient light of 0.435 (the
// device's 0x3C3C3C and the light's 0.2). So, per frame and per material of
// the part:
//     baseColorFactor = clamp(diffuse + diffuse offset, 0, 1)        (RGBA)
//     emissiveFactor  = clamp(0.435 × ambient offset, 0, 1)          (RGB)
// the ambient the mesh colour itself brings being the viewer's own light.
// Viewers without the extension show the mesh colours; the offsets stay in
// the slot nodes' extras.colourOffsets as well.
#pragma once

#include <tiny_gltf.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "mvllib/mvllib.h"

namespace morvel::convert {

constexpr double kEditorAmbientLight = 0x3C / 255.0 + 0.2;

// For every frame the offsets the part shows: the position of the first slot
// that shows it; frames without it hold the nearest earlier (or the first
// later) ones. shown[f] is false for those frames.
struct PartOffsets {
    std::vector<MvlRgbaF64> ambient, diffuse;
    std::vector<bool> shown;
    bool conflicting = false;  // two slots of one frame show it with other offsets
};

PartOffsets OffsetsOfPart(const MotionEntry &motion, int part);

// A channel as the animation builder takes it: the JSON pointer, the values
// per key, their accessor type and the interpolation.
using PointerChannelSink =
    std::function<void(const std::string &pointer, const std::vector<float> &values, int type,
                       const char *interpolation)>;

// The two channels of each material: LINEAR, or STEP where the part goes
// missing from a frame (its colour must not fade across the gap) or the
// value is the same in every frame. With a closing key the first frame's
// colours come once more.
void AddColourChannels(const PartOffsets &offsets, const std::vector<int> &materials,
                       const std::vector<std::array<double, 4>> &diffuse, bool closingKey,
                       const PointerChannelSink &sink, tinygltf::Model &model);

}  // namespace morvel::convert
