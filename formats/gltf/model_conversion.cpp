#include "formats/gltf/model_conversion.h"

#include <cmath>

#include "formats/gltf/accessor_reader.h"

namespace morvel::formats::gltf {
namespace {

// Accessors may be shared: a small buffer read by thousands of primitives or
// channels would cost memory the file never paid for. Far above any figure.
constexpr size_t kMaxValuesRead = size_t{1} << 25;

struct Budget {
    size_t spent = 0;
    bool Spend(size_t values, std::string &error) {
        spent += values;
        if (spent <= kMaxValuesRead) return true;
        error = "the file's meshes and animations hold more than " + std::to_string(kMaxValuesRead) + " values";
        return false;
    }
};

bool InRange(int index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

std::string Label(const char *kind, size_t index, const std::string &name) {
    return std::string(kind) + " " + std::to_string(index) + (name.empty() ? "" : " (" + name + ")");
}

bool ConvertNodes(const tinygltf::Model &model, Document &out, std::string &error) {
    const size_t count = model.nodes.size();
    out.nodes.resize(count);
    for (size_t n = 0; n < count; ++n) {
        const tinygltf::Node &source = model.nodes[n];
        Node &node = out.nodes[n];
        node.name = source.name;
        if (source.mesh >= 0 && !InRange(source.mesh, model.meshes.size())) {
            error = Label("node", n, source.name) + " names a mesh the file does not have";
            return false;
        }
        node.mesh = source.mesh;
        node.skinned = source.skin >= 0;
        NodeTransform &t = node.local;
        if (source.matrix.size() == 16) {
            t.hasMatrix = true;
            std::copy(source.matrix.begin(), source.matrix.end(), t.matrix.begin());
        } else {
            if (source.translation.size() == 3) std::copy(source.translation.begin(), source.translation.end(), t.translation.begin());
            if (source.rotation.size() == 4) std::copy(source.rotation.begin(), source.rotation.end(), t.rotation.begin());
            if (source.scale.size() == 3) std::copy(source.scale.begin(), source.scale.end(), t.scale.begin());
        }
    }
    for (size_t n = 0; n < count; ++n) {
        for (const int child : model.nodes[n].children) {
            if (!InRange(child, count) || out.nodes[static_cast<size_t>(child)].parent >= 0 ||
                static_cast<size_t>(child) == n) {
                error = Label("node", n, model.nodes[n].name) +
                        " has a child that is out of range or has another parent";
                return false;
            }
            out.nodes[static_cast<size_t>(child)].parent = static_cast<int>(n);
        }
    }
    // A node may not be its own ancestor: walking up ends within count steps.
    for (size_t n = 0; n < count; ++n) {
        int at = out.nodes[n].parent;
        for (size_t steps = 0; at >= 0; ++steps) {
            if (steps > count) {
                error = Label("node", n, model.nodes[n].name) + " is its own ancestor";
                return false;
            }
            at = out.nodes[static_cast<size_t>(at)].parent;
        }
    }
    for (size_t s = 0; s < model.scenes.size(); ++s) {
        for (const int root : model.scenes[s].nodes) {
            if (!InRange(root, count)) {
                error = Label("scene", s, model.scenes[s].name) + " names a node the file does not have";
                return false;
            }
        }
        out.scenes.push_back(model.scenes[s].nodes);
    }
    out.defaultScene = InRange(model.defaultScene, model.scenes.size()) ? model.defaultScene : -1;
    return true;
}

// Triangle corners from the primitive's mode; false for points and lines.
bool Triangles(int mode, std::vector<uint32_t> &indices) {
    if (mode == TINYGLTF_MODE_TRIANGLES || mode == -1) {
        indices.resize(indices.size() / 3 * 3);
        return true;
    }
    if (mode != TINYGLTF_MODE_TRIANGLE_STRIP && mode != TINYGLTF_MODE_TRIANGLE_FAN) return false;
    std::vector<uint32_t> list;
    for (size_t i = 2; i < indices.size(); ++i) {
        if (mode == TINYGLTF_MODE_TRIANGLE_FAN) {
            list.insert(list.end(), {indices[0], indices[i - 1], indices[i]});
        } else if (i % 2 == 0) {
            list.insert(list.end(), {indices[i - 2], indices[i - 1], indices[i]});
        } else {
            list.insert(list.end(), {indices[i - 1], indices[i - 2], indices[i]});
        }
    }
    indices = std::move(list);
    return true;
}

// Attributes whose count differs from the positions' are dropped with a warning.
void Attribute(const tinygltf::Model &model, const tinygltf::Primitive &source, const char *name,
               std::initializer_list<int> components, size_t vertices, std::vector<float> &out,
               const std::string &where, Document &document, int *found = nullptr) {
    const auto at = source.attributes.find(name);
    if (at == source.attributes.end()) return;
    std::string why;
    int width = 0;
    if (!ReadFloats(model, at->second, components, out, why, &width)) {
        document.warnings.push_back(where + ": " + name + " left out: " + why);
        out.clear();
        return;
    }
    if (out.size() != vertices * size_t(width)) {
        document.warnings.push_back(where + ": " + name + " left out: its count differs from POSITION's");
        out.clear();
        return;
    }
    if (found) *found = width;
}

bool ConvertMesh(const tinygltf::Model &model, size_t m, Document &document, Budget &budget, std::string &error) {
    const tinygltf::Mesh &source = model.meshes[m];
    Mesh mesh;
    mesh.name = source.name;
    for (size_t p = 0; p < source.primitives.size(); ++p) {
        const tinygltf::Primitive &sp = source.primitives[p];
        const std::string where = Label("mesh", m, source.name) + " primitive " + std::to_string(p);
        Primitive primitive;
        const auto position = sp.attributes.find("POSITION");
        if (position == sp.attributes.end()) {
            document.warnings.push_back(where + " has no POSITION: left out");
            continue;
        }
        if (!ReadFloats(model, position->second, {3}, primitive.positions, error)) {
            error = where + ": POSITION: " + error;
            return false;
        }
        for (const float v : primitive.positions) {
            if (!std::isfinite(v)) {
                error = where + ": a position is not a finite number";
                return false;
            }
        }
        const size_t vertices = primitive.positions.size() / 3;
        Attribute(model, sp, "NORMAL", {3}, vertices, primitive.normals, where, document);
        Attribute(model, sp, "TEXCOORD_0", {2}, vertices, primitive.texCoords, where, document);
        int width = 4;
        Attribute(model, sp, "COLOR_0", {3, 4}, vertices, primitive.colours, where, document, &width);
        if (width == 3 && !primitive.colours.empty()) {
            std::vector<float> rgba;
            rgba.reserve(vertices * 4);
            for (size_t v = 0; v < vertices; ++v) {
                rgba.insert(rgba.end(), {primitive.colours[v * 3], primitive.colours[v * 3 + 1],
                                         primitive.colours[v * 3 + 2], 1.0f});
            }
            primitive.colours = std::move(rgba);
        }
        if (sp.indices >= 0) {
            if (!ReadIndices(model, sp.indices, primitive.indices, error)) {
                error = where + ": indices: " + error;
                return false;
            }
            for (const uint32_t i : primitive.indices) {
                if (i >= vertices) {
                    error = where + ": an index names a vertex the primitive does not have";
                    return false;
                }
            }
        } else {
            primitive.indices.resize(vertices);
            for (size_t v = 0; v < vertices; ++v) primitive.indices[v] = static_cast<uint32_t>(v);
        }
        if (!Triangles(sp.mode, primitive.indices)) {
            document.warnings.push_back(where + " holds points or lines: left out");
            continue;
        }
        if (sp.material >= 0 && !InRange(sp.material, model.materials.size())) {
            error = where + " names a material the file does not have";
            return false;
        }
        if (!budget.Spend(primitive.positions.size() + primitive.normals.size() + primitive.texCoords.size() +
                              primitive.colours.size() + primitive.indices.size(),
                          error)) {
            return false;
        }
        primitive.material = sp.material;
        const char *names[] = {"POSITION", "NORMAL", "TEXCOORD_0", "COLOR_0"};
        for (size_t a = 0; a < 4; ++a) {
            const auto at = sp.attributes.find(names[a]);
            primitive.attributeAccessors[a] = at == sp.attributes.end() ? -1 : at->second;
        }
        primitive.morphTargets = !sp.targets.empty();
        mesh.primitives.push_back(std::move(primitive));
    }
    document.meshes.push_back(std::move(mesh));
    return true;
}

template <size_t N, class Array>
void CopyFactor(const std::vector<double> &from, Array &to) {
    if (from.size() != N) return;
    for (size_t i = 0; i < N; ++i) {
        to[i] = std::isfinite(from[i]) ? static_cast<float>(from[i]) : to[i];
    }
}

bool ConvertMaterials(const tinygltf::Model &model, Document &out, std::string &error) {
    for (size_t i = 0; i < model.materials.size(); ++i) {
        const tinygltf::Material &source = model.materials[i];
        Material material;
        material.name = source.name;
        CopyFactor<4>(source.pbrMetallicRoughness.baseColorFactor, material.baseColour);
        CopyFactor<3>(source.emissiveFactor, material.emissive);
        const int texture = source.pbrMetallicRoughness.baseColorTexture.index;
        if (texture >= 0) {
            if (!InRange(texture, model.textures.size())) {
                error = Label("material", i, source.name) + " names a texture the file does not have";
                return false;
            }
            const int image = model.textures[static_cast<size_t>(texture)].source;
            if (image >= 0 && !InRange(image, model.images.size())) {
                error = Label("texture", size_t(texture), "") + " names an image the file does not have";
                return false;
            }
            material.baseColourImage = image;
        }
        out.materials.push_back(material);
    }
    return true;
}

void ConvertImages(const tinygltf::Model &model, Document &out) {
    for (size_t i = 0; i < model.images.size(); ++i) {
        const tinygltf::Image &source = model.images[i];
        Image image;
        image.name = source.name;
        if (image.name.empty() && !source.uri.empty() && source.uri.compare(0, 5, "data:") != 0) {
            const size_t slash = source.uri.find_last_of('/');
            image.name = slash == std::string::npos ? source.uri : source.uri.substr(slash + 1);
        }
        std::string why;
        if (source.bufferView >= 0) {
            const uint8_t *bytes = nullptr;
            size_t size = 0;
            if (ViewBytes(model, source.bufferView, bytes, size, why)) image.bytes.assign(bytes, bytes + size);
        } else {
            image.bytes = source.image;
        }
        if (image.bytes.empty()) {
            out.warnings.push_back(Label("image", i, source.name) + " could not be read" +
                                   (why.empty() ? "" : ": " + why) + ": left out");
        }
        out.images.push_back(std::move(image));
    }
}

bool Increasing(const std::vector<float> &times) {
    for (size_t i = 0; i < times.size(); ++i) {
        if (!std::isfinite(times[i]) || (i > 0 && times[i] < times[i - 1])) return false;
    }
    return !times.empty();
}

bool ConvertAnimations(const tinygltf::Model &model, Document &out, Budget &budget, std::string &error) {
    for (size_t a = 0; a < model.animations.size(); ++a) {
        const tinygltf::Animation &source = model.animations[a];
        Animation animation;
        animation.name = source.name;
        for (size_t c = 0; c < source.channels.size(); ++c) {
            const tinygltf::AnimationChannel &sc = source.channels[c];
            const std::string where = Label("animation", a, source.name) + " channel " + std::to_string(c);
            Channel channel;
            if (sc.target_path == "translation") {
                channel.path = TargetPath::Translation;
            } else if (sc.target_path == "rotation") {
                channel.path = TargetPath::Rotation;
            } else if (sc.target_path == "scale") {
                channel.path = TargetPath::Scale;
            } else {
                out.warnings.push_back(where + " animates " + (sc.target_path.empty() ? "nothing" : sc.target_path) +
                                       ": left out");
                continue;
            }
            if (!InRange(sc.target_node, model.nodes.size()) || !InRange(sc.sampler, source.samplers.size())) {
                error = where + " names a node or sampler the file does not have";
                return false;
            }
            channel.node = sc.target_node;
            const tinygltf::AnimationSampler &sampler = source.samplers[static_cast<size_t>(sc.sampler)];
            size_t perKey = channel.Components();
            if (sampler.interpolation == "STEP") {
                channel.interpolation = Interpolation::Step;
            } else if (sampler.interpolation == "CUBICSPLINE") {
                channel.interpolation = Interpolation::CubicSpline;
                perKey *= 3;
            }
            std::string why;
            if (!ReadFloats(model, sampler.input, {1}, channel.times, why) ||
                !ReadFloats(model, sampler.output, {int(channel.Components())}, channel.values, why)) {
                error = where + ": " + why;
                return false;
            }
            if (!budget.Spend(channel.times.size() + channel.values.size(), error)) return false;
            if (!Increasing(channel.times) || channel.values.size() != channel.times.size() * perKey) {
                out.warnings.push_back(where + ": its key times are not ascending or do not match its values: left out");
                continue;
            }
            animation.channels.push_back(std::move(channel));
        }
        out.animations.push_back(std::move(animation));
    }
    return true;
}

}  // namespace

bool ConvertModel(const tinygltf::Model &model, Document &out, std::string &error) {
    if (!ConvertNodes(model, out, error) || !ConvertMaterials(model, out, error)) return false;
    Budget budget;
    for (size_t m = 0; m < model.meshes.size(); ++m) {
        if (!ConvertMesh(model, m, out, budget, error)) return false;
    }
    ConvertImages(model, out);
    return ConvertAnimations(model, out, budget, error);
}

}  // namespace morvel::formats::gltf
