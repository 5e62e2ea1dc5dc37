#include "convert/motion_nodes.h"

#include <algorithm>

#include "convert/colour_channels.h"

namespace morvel::convert {
namespace {

std::vector<double> Doubles(const float *values, size_t count) {
    return std::vector<double>(values, values + count);
}

tinygltf::Value Rgba(const MvlRgbaF64 &c) {
    return tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(c.r), tinygltf::Value(c.g),
                                                  tinygltf::Value(c.b), tinygltf::Value(c.a)});
}

// The slot's transform in every frame; frames without the position hold
// the nearest earlier one, or the first one for those before it.
std::vector<NodeTransform> SlotTransforms(const MotionEntry &motion, size_t slot,
                                          const SlotPlan &plan, const Axes &axes) {
    std::vector<NodeTransform> transforms(motion.frameCount);
    size_t first = 0;
    while (plan.partByFrame[first] < 0) ++first;
    NodeTransform held = PoseToNode(motion.frames[first].positions[slot], axes);
    for (size_t f = 0; f < transforms.size(); ++f) {
        if (plan.partByFrame[f] >= 0) {
            NodeTransform next = PoseToNode(motion.frames[f].positions[slot], axes);
            // q and -q are the same rotation; keep neighbours in one
            // hemisphere so interpolation takes the short way round.
            double dot = 0;
            for (int i = 0; i < 4; ++i) dot += double{next.rotation[i]} * held.rotation[i];
            if (dot < 0) {
                for (float &q : next.rotation) q = -q;
            }
            held = next;
        }
        transforms[f] = held;
    }
    return transforms;
}

class AnimationBuilder {
public:
    AnimationBuilder(BufferBuilder &buffer, tinygltf::Animation &animation, int times)
        : buffer_(buffer), animation_(animation), times_(times) {}

    // With a closing key, values hold one key per frame and get the first
    // frame's once more.
    void Channel(int node, const char *path, const std::vector<float> &values, int type,
                 const char *interpolation) {
        tinygltf::AnimationChannel channel;
        channel.target_node = node;
        channel.target_path = path;
        Add(channel, Closed(values, type), type, interpolation);
    }

    // values already hold every key (closing one included).
    void PointerChannel(const std::string &pointer, const std::vector<float> &values, int type,
                        const char *interpolation) {
        tinygltf::AnimationChannel channel;
        channel.target_path = "pointer";  // and no node (gltf_file_writer.h)
        tinygltf::Value::Object target;
        target["pointer"] = tinygltf::Value(pointer);
        channel.target_extensions["KHR_animation_pointer"] = tinygltf::Value(std::move(target));
        Add(channel, values, type, interpolation);
    }

    void CloseWithFirstFrame() { closing_ = true; }

private:
    std::vector<float> Closed(const std::vector<float> &values, int type) const {
        if (!closing_ || values.empty()) return values;
        std::vector<float> closed = values;
        const size_t width = type == TINYGLTF_TYPE_VEC4 ? 4 : 3;
        closed.insert(closed.end(), values.begin(), values.begin() + static_cast<long>(width));
        return closed;
    }

    void Add(tinygltf::AnimationChannel channel, const std::vector<float> &values, int type,
             const char *interpolation) {
        tinygltf::AnimationSampler sampler;
        sampler.input = times_;
        sampler.output = buffer_.AddFloats(values, type, 0, false);
        sampler.interpolation = interpolation;
        animation_.samplers.push_back(sampler);
        channel.sampler = static_cast<int>(animation_.samplers.size() - 1);
        animation_.channels.push_back(channel);
    }

    BufferBuilder &buffer_;
    tinygltf::Animation &animation_;
    int times_;
    bool closing_ = false;
};

tinygltf::Value ColourOffsets(const MotionEntry &motion, size_t slot, const SlotPlan &plan) {
    tinygltf::Value::Array entries;
    for (size_t f = 0; f < plan.partByFrame.size(); ++f) {
        if (plan.partByFrame[f] < 0) continue;
        const PositionEntry &position = motion.frames[f].positions[slot];
        tinygltf::Value::Object entry;
        entry["frame"] = tinygltf::Value(static_cast<int>(f));
        entry["ambient"] = Rgba(position.ambient);
        entry["diffuse"] = Rgba(position.diffuse);
        entries.emplace_back(std::move(entry));
    }
    tinygltf::Value::Object extras;
    extras["colourOffsets"] = tinygltf::Value(std::move(entries));
    return tinygltf::Value(std::move(extras));
}

void AddPartColours(const MotionInput &input, AnimationBuilder &channels, tinygltf::Model &model,
                    std::vector<std::string> &warnings) {
    for (size_t part = 0; part < input.partColours.size(); ++part) {
        const PartColours &colours = input.partColours[part];
        if (!colours.animated) continue;
        const PartOffsets offsets = OffsetsOfPart(*input.motion, static_cast<int>(part));
        if (std::find(offsets.shown.begin(), offsets.shown.end(), true) == offsets.shown.end()) continue;
        if (offsets.conflicting) {
            warnings.push_back("part " + std::to_string(part) + " (" + input.partNames[part] +
                               "): motion " + input.name +
                               " shows it twice in one frame with other colour offsets; its material follows the first");
        }
        AddColourChannels(offsets, colours.materials, colours.diffuse, input.loop,
                          [&](const std::string &pointer, const std::vector<float> &values, int type,
                              const char *interpolation) {
                              channels.PointerChannel(pointer, values, type, interpolation);
                          },
                          model);
    }
}

}  // namespace

bool SlotPlan::HasCut(bool loop) const {
    for (size_t f = 0; f + 1 < partByFrame.size(); ++f) {
        if (partByFrame[f] != partByFrame[f + 1]) return true;
    }
    return loop && !partByFrame.empty() && partByFrame.back() != partByFrame.front();
}

bool SlotPlan::ShowsOnePart() const {
    return parts.size() == 1 &&
           std::none_of(partByFrame.begin(), partByFrame.end(), [](int p) { return p < 0; });
}

std::vector<SlotPlan> PlanSlots(const MotionEntry &motion) {
    size_t slots = 0;
    for (size_t f = 0; f < motion.frameCount; ++f) {
        slots = std::max<size_t>(slots, motion.frames[f].positionCount);
    }
    std::vector<SlotPlan> plans(slots);
    for (size_t s = 0; s < slots; ++s) {
        SlotPlan &plan = plans[s];
        for (size_t f = 0; f < motion.frameCount; ++f) {
            const FrameEntry &frame = motion.frames[f];
            const int part = s < frame.positionCount ? frame.positions[s].partNumber : -1;
            plan.partByFrame.push_back(part);
            if (part >= 0 &&
                std::find(plan.parts.begin(), plan.parts.end(), part) == plan.parts.end()) {
                plan.parts.push_back(part);
            }
        }
    }
    return plans;
}

void AddMotion(const MotionInput &input, BufferBuilder &buffer, tinygltf::Model &model,
               std::vector<std::string> &warnings) {
    const MotionEntry &motion = *input.motion;
    tinygltf::Node root;
    root.name = input.name;
    const int rootIndex = static_cast<int>(model.nodes.size());
    model.nodes.push_back(root);
    tinygltf::Scene scene;
    scene.name = input.name;
    scene.nodes.push_back(rootIndex);
    model.scenes.push_back(scene);

    const std::vector<SlotPlan> plans = PlanSlots(motion);
    if (plans.empty()) return;  // no frame has a position: nothing moves

    std::vector<float> times;
    const size_t keys = motion.frameCount + (input.loop ? 1 : 0);
    for (size_t f = 0; f < keys; ++f) {
        times.push_back(static_cast<float>(static_cast<double>(f) / input.framesPerSecond));
    }
    tinygltf::Animation animation;
    animation.name = input.name;
    AnimationBuilder channels(buffer, animation,
                              buffer.AddFloats(times, TINYGLTF_TYPE_SCALAR, 0, true));
    if (input.loop) channels.CloseWithFirstFrame();

    for (size_t s = 0; s < plans.size(); ++s) {
        const SlotPlan &plan = plans[s];
        const std::vector<NodeTransform> transforms = SlotTransforms(motion, s, plan, input.axes);
        tinygltf::Node slot;
        slot.name = input.name + " slot " + std::to_string(s);
        slot.translation = Doubles(transforms[0].translation.data(), 3);
        slot.rotation = Doubles(transforms[0].rotation.data(), 4);
        slot.scale = Doubles(transforms[0].scale.data(), 3);
        slot.extras = ColourOffsets(motion, s, plan);
        const int slotIndex = static_cast<int>(model.nodes.size());
        if (plan.ShowsOnePart()) slot.mesh = input.partMeshes[static_cast<size_t>(plan.parts[0])];
        model.nodes.push_back(slot);
        model.nodes[static_cast<size_t>(rootIndex)].children.push_back(slotIndex);

        std::vector<float> translations, rotations, scales;
        for (const NodeTransform &t : transforms) {
            translations.insert(translations.end(), t.translation.begin(), t.translation.end());
            rotations.insert(rotations.end(), t.rotation.begin(), t.rotation.end());
            scales.insert(scales.end(), t.scale.begin(), t.scale.end());
        }
        const char *moves = plan.HasCut(input.loop) ? "STEP" : "LINEAR";
        channels.Channel(slotIndex, "translation", translations, TINYGLTF_TYPE_VEC3, moves);
        channels.Channel(slotIndex, "rotation", rotations, TINYGLTF_TYPE_VEC4, moves);
        channels.Channel(slotIndex, "scale", scales, TINYGLTF_TYPE_VEC3, moves);
        if (plan.ShowsOnePart()) continue;

        for (const int part : plan.parts) {
            // A part without a mesh has nothing to show or hide.
            if (input.partMeshes[static_cast<size_t>(part)] < 0) continue;
            tinygltf::Node child;
            child.name = input.partNames[static_cast<size_t>(part)];
            child.mesh = input.partMeshes[static_cast<size_t>(part)];
            std::vector<float> shown;
            for (const int framePart : plan.partByFrame) {
                const float scale = framePart == part ? 1.0f : 0.0f;
                shown.insert(shown.end(), {scale, scale, scale});
            }
            child.scale = Doubles(shown.data(), 3);
            const int childIndex = static_cast<int>(model.nodes.size());
            model.nodes.push_back(child);
            model.nodes[static_cast<size_t>(slotIndex)].children.push_back(childIndex);
            channels.Channel(childIndex, "scale", shown, TINYGLTF_TYPE_VEC3, "STEP");
        }
    }
    AddPartColours(input, channels, model, warnings);
    model.animations.push_back(animation);
}

}  // namespace morvel::convert
