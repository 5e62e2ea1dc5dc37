#include "convert/colour_channels.h"

#include <algorithm>

namespace morvel::convert {
namespace {

bool Same(const MvlRgbaF64 &a, const MvlRgbaF64 &b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// One value repeated in every key: held, nothing to interpolate.
bool Constant(const std::vector<float> &values, size_t width) {
    for (size_t i = width; i < values.size(); ++i) {
        if (values[i] != values[i % width]) return false;
    }
    return true;
}

float Unit(double value) { return static_cast<float>(std::clamp(value, 0.0, 1.0)); }

}  // namespace

PartOffsets OffsetsOfPart(const MotionEntry &motion, int part) {
    PartOffsets out;
    const size_t frames = motion.frameCount;
    out.ambient.resize(frames);
    out.diffuse.resize(frames);
    out.shown.assign(frames, false);
    for (size_t f = 0; f < frames; ++f) {
        const FrameEntry &frame = motion.frames[f];
        for (size_t p = 0; p < frame.positionCount; ++p) {
            const PositionEntry &position = frame.positions[p];
            if (position.partNumber != part) continue;
            if (!out.shown[f]) {
                out.shown[f] = true;
                out.ambient[f] = position.ambient;
                out.diffuse[f] = position.diffuse;
            } else if (!Same(out.ambient[f], position.ambient) || !Same(out.diffuse[f], position.diffuse)) {
                out.conflicting = true;
            }
        }
    }
    const auto first = std::find(out.shown.begin(), out.shown.end(), true);
    if (first == out.shown.end()) return out;
    size_t held = static_cast<size_t>(first - out.shown.begin());
    for (size_t f = 0; f < frames; ++f) {
        if (out.shown[f]) held = f;
        out.ambient[f] = out.ambient[held];
        out.diffuse[f] = out.diffuse[held];
    }
    return out;
}

void AddColourChannels(const PartOffsets &offsets, const std::vector<int> &materials,
                       const std::vector<std::array<double, 4>> &diffuse, bool closingKey,
                       const PointerChannelSink &sink, tinygltf::Model &model) {
    const size_t frames = offsets.shown.size();
    if (frames == 0) return;
    const bool gaps = std::find(offsets.shown.begin(), offsets.shown.end(), false) != offsets.shown.end();
    const char *interpolation = gaps ? "STEP" : "LINEAR";
    for (size_t i = 0; i < materials.size(); ++i) {
        std::vector<float> base, emissive;
        bool translucent = false;
        for (size_t k = 0; k < frames + (closingKey ? 1 : 0); ++k) {
            const size_t f = k % frames;
            const MvlRgbaF64 &d = offsets.diffuse[f], &a = offsets.ambient[f];
            const float rgba[] = {Unit(diffuse[i][0] + d.r), Unit(diffuse[i][1] + d.g), Unit(diffuse[i][2] + d.b),
                                  Unit(diffuse[i][3] + d.a)};
            base.insert(base.end(), rgba, rgba + 4);
            translucent = translucent || rgba[3] < 1.0f;
            emissive.insert(emissive.end(), {Unit(kEditorAmbientLight * a.r), Unit(kEditorAmbientLight * a.g),
                                             Unit(kEditorAmbientLight * a.b)});
        }
        const std::string material = "/materials/" + std::to_string(materials[i]);
        sink(material + "/pbrMetallicRoughness/baseColorFactor", base, TINYGLTF_TYPE_VEC4,
             Constant(base, 4) ? "STEP" : interpolation);
        sink(material + "/emissiveFactor", emissive, TINYGLTF_TYPE_VEC3, Constant(emissive, 3) ? "STEP" : interpolation);
        if (translucent) model.materials[static_cast<size_t>(materials[i])].alphaMode = "BLEND";
    }
}

}  // namespace morvel::convert
