#include "convert/gltf_figure.h"


#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>

#include "base/field_text.h"
#include "base/text_encoding.h"
#include "convert/camera_fit.h"
#include "convert/file_names.h"
#include "convert/figure_textures.h"
#include "convert/gltf_mesh_to_x.h"
#include "convert/parallel_chunks.h"
#include "convert/pose_decomposition.h"
#include "formats/gltf/animation_sampler.h"
#include "formats/motion/document_tables.h"
#include "formats/xfile/x_file_writer.h"

namespace morvel::convert {
namespace {

namespace gltf = formats::gltf;

constexpr size_t kMaxTableEntries = 65535;
// ".\" + name in the part's 64-byte field with its terminating zero.

std::string NodeLabel(const gltf::Document &document, int node) {
    const std::string &name = document.nodes[static_cast<size_t>(node)].name;
    return "node " + std::to_string(node) + (name.empty() ? "" : " (" + Cp932(name) + ")");
}

// The editor draws in single precision: a pose beyond it cannot be shown.
bool Representable(const EditorPose &pose) {
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(static_cast<float>(pose.scale[i])) || !std::isfinite(static_cast<float>(pose.translation[i]))) {
            return false;
        }
    }
    return true;
}

struct Part {
    int node = -1;
    size_t file = 0;  // index into the X files
    std::array<float, 3> low{}, high{};
    double diagonal = 0;  // of the box
    double reach = 0;     // the farthest corner's distance from the origin
};

class FigureBuilder {
public:
    FigureBuilder(const gltf::Document &document, const GltfImportOptions &options, Figure &figure,
                  std::vector<std::string> &warnings)
        : doc_(document), options_(options), figure_(figure), warnings_(warnings) {}

    bool Build(std::string &error) {
        for (const std::string &warning : doc_.warnings) warnings_.push_back(Cp932(warning));
        FindRoots();
        if (!PlanParts(error)) return false;
        if (!(doc_.animations.empty() ? AddMotion(nullptr, "rest", error) : AddAnimations(error))) return false;
        std::vector<double> reach;
        for (const Part &part : parts_) reach.push_back(part.reach);
        if (!figure_.motions.empty() && !figure_.motions[0].positions.empty()) {
            FitCameraToPose(figure_.header, figure_.motions[0].positions[0], reach);
        }
        return true;
    }

private:
    void FindRoots() {
        roots_.resize(doc_.nodes.size());
        for (size_t n = 0; n < doc_.nodes.size(); ++n) {
            int at = static_cast<int>(n);
            while (doc_.nodes[static_cast<size_t>(at)].parent >= 0) at = doc_.nodes[static_cast<size_t>(at)].parent;
            roots_[n] = at;
        }
    }

    bool PlanParts(std::string &error) {
        std::vector<int> meshFile(doc_.meshes.size(), -1);
        std::vector<bool> meshTried(doc_.meshes.size(), false);
        std::vector<MeshText> texts = ConvertMeshes(WriteTextures());
        for (size_t n = 0; n < doc_.nodes.size(); ++n) {
            const gltf::Node &node = doc_.nodes[n];
            if (node.mesh < 0) continue;
            if (parts_.size() == kMaxTableEntries) {
                error = "the file has more than 65,535 nodes with meshes; a motion file holds at most 65,535 parts";
                return false;
            }
            const size_t mesh = static_cast<size_t>(node.mesh);
            if (!meshTried[mesh]) {
                meshTried[mesh] = true;
                meshFile[mesh] = AddMeshFile(static_cast<int>(n), mesh, texts[mesh]);
            }
            if (meshFile[mesh] < 0) continue;
            if (node.skinned) {
                warnings_.push_back(NodeLabel(doc_, static_cast<int>(n)) +
                                    ": its skin is left out; the mesh comes in at its rest pose");
            }
            std::string name;
            if (base::Utf8ToCp932Replacing(node.name, name) > 0) {
                warnings_.push_back(NodeLabel(doc_, static_cast<int>(n)) +
                                    ": characters code page 932 lacks became '_'");
            }
            Part part;
            part.node = static_cast<int>(n);
            part.file = static_cast<size_t>(meshFile[mesh]);
            part.low = meshBounds_[part.file][0];
            part.high = meshBounds_[part.file][1];
            double diagonal = 0, reach = 0;
            for (int c = 0; c < 3; ++c) {
                const double low = part.low[c], high = part.high[c];
                diagonal += (high - low) * (high - low);
                reach += std::max(low * low, high * high);
            }
            part.diagonal = std::sqrt(diagonal);
            part.reach = std::sqrt(reach);
            PartEntry entry{};
            base::StoreFieldText(entry.fileName, sizeof entry.fileName, ".\\" + figure_.files[part.file].name);
            figure_.parts.push_back(entry);
            parts_.push_back(part);
        }
        if (parts_.empty()) {
            error = "the file has no node with a mesh of triangles";
            return false;
        }
        return true;
    }

    // Texture file names by image, empty for the images not written.
    std::vector<std::string> WriteTextures() {
        std::vector<bool> used(doc_.images.size(), false);
        for (const gltf::Material &material : doc_.materials) {
            if (material.baseColourImage >= 0) used[static_cast<size_t>(material.baseColourImage)] = true;
        }
        std::vector<std::string> names(doc_.images.size());
        for (size_t i = 0; i < doc_.images.size(); ++i) {
            if (!used[i] || doc_.images[i].bytes.empty()) continue;
            std::vector<uint8_t> png;
            std::string why;
            if (!TextureAsPng(doc_.images[i].bytes, png, why)) {
                warnings_.push_back("image " + std::to_string(i) + ": " + why + "; its materials come in untextured");
                continue;
            }
            std::string stem = Cp932(doc_.images[i].name);
            const size_t dot = stem.rfind('.');
            if (dot != std::string::npos && dot > 0) stem.resize(dot);
            names[i] = book_.Claim(SafeFileStem(stem, "texture" + std::to_string(i)), ".png", kMaxPartFileName);
            figure_.files.push_back({names[i], std::string(png.begin(), png.end())});
        }
        return names;
    }

    // Every mesh a node shows, as X text; meshes are converted on all cores.
    struct MeshText {
        bool triangles = false, morphTargets = false;
        std::string text, why;  // why: the writer's reason when text is empty
        std::array<float, 3> low{}, high{};
    };

    std::vector<MeshText> ConvertMeshes(const std::vector<std::string> &textures) const {
        std::vector<size_t> shown;
        std::vector<bool> listed(doc_.meshes.size(), false);
        for (const gltf::Node &node : doc_.nodes) {
            if (node.mesh >= 0 && !listed[size_t(node.mesh)]) {
                listed[size_t(node.mesh)] = true;
                shown.push_back(size_t(node.mesh));
            }
        }
        std::vector<MeshText> texts(doc_.meshes.size());
        RunInChunks(shown.size(), ChunkCount(shown.size(), 4), [&](size_t, size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                MeshText &out = texts[shown[i]];
                XMesh x;
                // Direct3D culls counter-clockwise faces by default, glTF shows them.
                out.triangles = GltfMeshToX(doc_.meshes[shown[i]], doc_.materials, textures, true, x);
                if (!out.triangles) continue;
                out.morphTargets = x.morphTargets;
                out.low = x.low;
                out.high = x.high;
                if (!formats::xfile::WriteXText(x.scene, out.text, out.why)) out.text.clear();
            }
        });
        return texts;
    }

    int AddMeshFile(int node, size_t mesh, MeshText &converted) {
        if (!converted.triangles) {
            warnings_.push_back(NodeLabel(doc_, node) + ": its mesh has no triangles: left out");
            return -1;
        }
        if (converted.morphTargets) {
            warnings_.push_back("mesh " + std::to_string(mesh) + ": morph targets are left out");
        }
        if (converted.text.empty()) {
            warnings_.push_back(NodeLabel(doc_, node) + ": its mesh cannot be written: " + converted.why);
            return -1;
        }
        const std::string stem = SafeFileStem(Cp932(doc_.nodes[static_cast<size_t>(node)].name),
                                              "node" + std::to_string(node));
        figure_.files.push_back({book_.Claim(stem, ".x", kMaxPartFileName), std::move(converted.text)});
        meshBounds_[figure_.files.size() - 1] = {converted.low, converted.high};
        return static_cast<int>(figure_.files.size() - 1);
    }

    bool AddAnimations(std::string &error) {
        if (doc_.animations.size() > kMaxTableEntries) {
            error = "the file has more than 65,535 animations; a motion file holds at most 65,535 motions";
            return false;
        }
        for (size_t a = 0; a < doc_.animations.size(); ++a) {
            const std::string &name = doc_.animations[a].name;
            if (!AddMotion(&doc_.animations[a], name.empty() ? "motion " + std::to_string(a) : Cp932(name), error)) {
                return false;
            }
        }
        return true;
    }

    std::vector<double> FrameTimes(const gltf::Animation *animation, std::string &error) const {
        if (animation == nullptr || animation->channels.empty()) return {0.0};
        if (options_.keyFrames) return gltf::KeyTimes(*animation);
        const auto range = gltf::TimeRange(*animation);
        const double span = (range[1] - range[0]) * options_.framesPerSecond;
        if (!(span < double(kMaxTableEntries))) {
            error = "animation " + Cp932(animation->name) + " needs more than 65,535 frames at " +
                    std::to_string(options_.framesPerSecond) + " a second";
            return {};
        }
        // Key times are single precision: a range of 99.9 s is 999.0000152
        // frames at 10 a second, and no frame of its own is due after it.
        const size_t steps = static_cast<size_t>(std::ceil(span - 1e-3));
        std::vector<double> times;
        for (size_t i = 0; i <= steps; ++i) {
            times.push_back(std::min(range[0] + double(i) / options_.framesPerSecond, range[1]));
        }
        return times;
    }

    // The parts the animation's scene shows: a viewer plays it on the scene
    // that holds its nodes. All parts when the file names no such scene.
    std::vector<size_t> ScenePartsOf(const gltf::Animation *animation) const {
        int scene = doc_.defaultScene >= 0 ? doc_.defaultScene : (doc_.scenes.empty() ? -1 : 0);
        if (animation && !animation->channels.empty()) {
            const int root = roots_[static_cast<size_t>(animation->channels[0].node)];
            scene = -1;
            for (size_t s = 0; s < doc_.scenes.size() && scene < 0; ++s) {
                const auto &roots = doc_.scenes[s];
                if (std::find(roots.begin(), roots.end(), root) != roots.end()) scene = static_cast<int>(s);
            }
        }
        std::vector<size_t> shown;
        for (size_t p = 0; p < parts_.size(); ++p) {
            const int root = roots_[static_cast<size_t>(parts_[p].node)];
            if (scene < 0 || std::find(doc_.scenes[size_t(scene)].begin(), doc_.scenes[size_t(scene)].end(), root) !=
                                 doc_.scenes[size_t(scene)].end()) {
                shown.push_back(p);
            }
        }
        if (shown.empty()) {
            for (size_t p = 0; p < parts_.size(); ++p) shown.push_back(p);
        }
        return shown;
    }

    gltf::Matrix4 Local(size_t node, const std::vector<const gltf::Channel *> &channels, double time) const {
        const gltf::NodeTransform &rest = doc_.nodes[node].local;
        if (rest.hasMatrix) return rest.matrix;  // glTF animates only nodes without a matrix
        auto t = rest.translation;
        auto r = rest.rotation;
        auto s = rest.scale;
        for (const gltf::Channel *channel : channels) {
            const auto v = gltf::SampleChannel(*channel, time);
            switch (channel->path) {
                case gltf::TargetPath::Translation: t = {v[0], v[1], v[2]}; break;
                case gltf::TargetPath::Rotation: r = v; break;
                case gltf::TargetPath::Scale: s = {v[0], v[1], v[2]}; break;
            }
        }
        return ComposeTrs(t, r, s);
    }

    using NodeChannels = std::vector<std::vector<const gltf::Channel *>>;

    NodeChannels ChannelsByNode(const gltf::Animation *animation) const {
        NodeChannels channels(doc_.nodes.size());
        if (animation) {
            for (const gltf::Channel &channel : animation->channels) channels[size_t(channel.node)].push_back(&channel);
        }
        return channels;
    }

    struct Trouble {
        size_t frames = 0, first = 0;
        double largest = 0;

        void Add(const Trouble &later) {
            if (later.frames == 0) return;
            if (frames == 0) first = later.first;
            frames += later.frames;
            largest = std::max(largest, later.largest);
        }
    };

    // What one thread keeps from frame to frame.
    struct FrameSampler {
        std::vector<gltf::Matrix4> worlds;
        std::vector<char> done;
        std::vector<size_t> chain;
        std::vector<Trouble> sheared, rounded;
        size_t badFrame = SIZE_MAX;  // the first frame a part cannot be shown in
        size_t badPart = 0;
    };

    void Worlds(const NodeChannels &channels, double time, FrameSampler &sampler) const {
        const size_t count = doc_.nodes.size();
        sampler.worlds.resize(count);
        sampler.done.assign(count, 0);
        for (size_t n = 0; n < count; ++n) {
            // Ancestors first: the chain up to the first node already known.
            sampler.chain.clear();
            for (int at = static_cast<int>(n); at >= 0 && !sampler.done[size_t(at)]; at = doc_.nodes[size_t(at)].parent) {
                sampler.chain.push_back(size_t(at));
            }
            for (auto it = sampler.chain.rbegin(); it != sampler.chain.rend(); ++it) {
                const gltf::Matrix4 local = Local(*it, channels[*it], time);
                const int parent = doc_.nodes[*it].parent;
                sampler.worlds[*it] = parent < 0 ? local : MultiplyMatrices(sampler.worlds[size_t(parent)], local);
                sampler.done[*it] = 1;
            }
        }
    }

    // False when a part's pose in the frame cannot be shown.
    bool SampleFrame(const NodeChannels &channels, const std::vector<size_t> &shown, size_t f, double time,
                     std::vector<PositionEntry> &frame, FrameSampler &sampler) const {
        Worlds(channels, time, sampler);
        frame.reserve(shown.size());
        for (const size_t p : shown) {
            const Part &part = parts_[p];
            const RowMatrix matrix = EditorMatrixOf(sampler.worlds[size_t(part.node)]);
            const EditorPose pose = DecomposePose(matrix);
            if (!Representable(pose)) {
                sampler.badFrame = f;
                sampler.badPart = p;
                return false;
            }
            const double scale = std::max({std::fabs(pose.scale[0]), std::fabs(pose.scale[1]), std::fabs(pose.scale[2])});
            const double tolerance = options_.roundingTolerance * part.diagonal * scale + 1e-6;
            // The corners are measured only where the turn could move one too far.
            const double move = pose.sheared || pose.roundingTurn * part.reach * scale > tolerance
                                    ? LargestCornerMove(matrix, pose, part.low, part.high)
                                    : 0.0;
            if (move > tolerance || !std::isfinite(move)) {
                Trouble &trouble = pose.sheared ? sampler.sheared[p] : sampler.rounded[p];
                if (trouble.frames++ == 0) trouble.first = f;
                trouble.largest = std::max(trouble.largest, move);
            }
            PositionEntry position{};
            position.partNumber = static_cast<int16_t>(p);
            position.scale = {pose.scale[0], pose.scale[1], pose.scale[2]};
            position.rotation = {pose.rotation[0], pose.rotation[1], pose.rotation[2]};
            position.translation = {pose.translation[0], pose.translation[1], pose.translation[2]};
            frame.push_back(position);
        }
        return true;
    }

    bool AddMotion(const gltf::Animation *animation, const std::string &name, std::string &error) {
        const std::vector<double> times = FrameTimes(animation, error);
        if (times.empty()) {
            if (error.empty()) error = "animation " + name + " has no key time";
            return false;
        }
        if (times.size() > kMaxTableEntries) {
            error = "animation " + name + " has more than 65,535 key times";
            return false;
        }
        samples_ += uint64_t{times.size()} * (uint64_t{doc_.nodes.size()} + (animation ? animation->channels.size() : 0));
        if (samples_ > options_.maxSamples) {
            error = "the motions would take more than " + std::to_string(options_.maxSamples) +
                    " node and channel evaluations (choose a lower --fps)";
            return false;
        }
        const std::vector<size_t> shown = ScenePartsOf(animation);
        positions_ += uint64_t{times.size()} * shown.size();
        if (positions_ > options_.maxPositions) {
            error = "the motions would hold more than " + std::to_string(options_.maxPositions) +
                    " positions (choose a lower --fps)";
            return false;
        }
        FigureMotion motion;
        base::StoreFieldText(motion.entry.name, sizeof motion.entry.name, name);
        motion.positions.resize(times.size());
        motion.frames.resize(times.size());
        const NodeChannels channels = ChannelsByNode(animation);
        // A chunk is worth a thread from a few thousand node evaluations on.
        const size_t work = doc_.nodes.size() + shown.size() + 1;
        std::vector<FrameSampler> samplers(ChunkCount(times.size(), 20000 / work + 1));
        RunInChunks(times.size(), samplers.size(), [&](size_t chunk, size_t begin, size_t end) {
            FrameSampler &sampler = samplers[chunk];
            sampler.sheared.resize(parts_.size());
            sampler.rounded.resize(parts_.size());
            for (size_t f = begin; f < end; ++f) {
                if (!SampleFrame(channels, shown, f, times[f], motion.positions[f], sampler)) return;
                char comment[32];
                std::snprintf(comment, sizeof comment, "%.3fs", times[f]);
                base::StoreFieldText(motion.frames[f].comment, sizeof motion.frames[f].comment, comment);
            }
        });
        std::vector<Trouble> sheared(parts_.size()), rounded(parts_.size());
        for (const FrameSampler &sampler : samplers) {  // in frame order
            if (sampler.badFrame != SIZE_MAX) {
                error = NodeLabel(doc_, parts_[sampler.badPart].node) + ": its transform in frame " +
                        std::to_string(sampler.badFrame) + " of motion " + name +
                        " is not finite or beyond single precision";
                return false;
            }
            for (size_t p = 0; p < parts_.size(); ++p) {
                sheared[p].Add(sampler.sheared[p]);
                rounded[p].Add(sampler.rounded[p]);
            }
        }
        for (size_t p = 0; p < parts_.size(); ++p) {
            const std::string where = NodeLabel(doc_, parts_[p].node) + ", motion " + name + ": ";
            if (sheared[p].frames > 0) {
                warnings_.push_back(where + "shear no pose can express in " + std::to_string(sheared[p].frames) +
                                    " frames, first frame " + std::to_string(sheared[p].first));
            }
            if (rounded[p].frames > 0) {
                char largest[32];
                std::snprintf(largest, sizeof largest, "%.6g", rounded[p].largest);
                warnings_.push_back(where + "whole degrees move a vertex by up to " + largest + " in " +
                                    std::to_string(rounded[p].frames) + " frames, first frame " +
                                    std::to_string(rounded[p].first));
            }
        }
        figure_.motions.push_back(std::move(motion));
        return true;
    }

    const gltf::Document &doc_;
    const GltfImportOptions &options_;
    Figure &figure_;
    std::vector<std::string> &warnings_;
    FileNameBook book_;
    std::vector<int> roots_;
    std::vector<Part> parts_;
    std::map<size_t, std::array<std::array<float, 3>, 2>> meshBounds_;
    uint64_t positions_ = 0;
    uint64_t samples_ = 0;
};

}  // namespace

bool BuildGltfFigure(const gltf::Document &document, const GltfImportOptions &options, Figure &figure,
                     std::vector<std::string> &warnings, std::string &error) {
    MotionDocument defaults{};
    formats::motion::InitDocument(defaults);
    figure = Figure{};
    figure.header = defaults.header;
    if (!(options.framesPerSecond > 0) || !std::isfinite(options.framesPerSecond)) {
        error = "frames per second must be a positive number";
        return false;
    }
    FigureBuilder builder(document, options, figure, warnings);
    return builder.Build(error);
}

}  // namespace morvel::convert
