#include "convert/gltf_mesh_to_x.h"

#include <algorithm>
#include <map>

namespace morvel::convert {
namespace {

namespace gltf = formats::gltf;
namespace xfile = formats::xfile;

uint8_t Byte(float value) {
    return static_cast<uint8_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

xfile::MaterialData XMaterial(int index, const std::vector<gltf::Material> &materials,
                              const std::vector<std::string> &textureNames) {
    xfile::MaterialData data;
    Material &m = data.material;
    m.Ambient = {0, 0, 0, 1};
    m.Specular = {0, 0, 0, 1};
    if (index < 0) {  // glTF's default material: white
        m.Diffuse = {1, 1, 1, 1};
        m.Emissive = {0, 0, 0, 1};
        return data;
    }
    const gltf::Material &source = materials[static_cast<size_t>(index)];
    m.Diffuse = {source.baseColour[0], source.baseColour[1], source.baseColour[2], source.baseColour[3]};
    m.Emissive = {source.emissive[0], source.emissive[1], source.emissive[2], 1};
    const int image = source.baseColourImage;
    if (image >= 0 && static_cast<size_t>(image) < textureNames.size() &&
        !textureNames[static_cast<size_t>(image)].empty()) {
        data.hasTexture = true;
        data.textureFileName = textureNames[static_cast<size_t>(image)];
    }
    return data;
}

}  // namespace

bool GltfMeshToX(const gltf::Mesh &mesh, const std::vector<gltf::Material> &materials,
                 const std::vector<std::string> &textureNames, bool reverseWinding, XMesh &out) {
    xfile::FileMesh x;
    const bool normals = std::all_of(mesh.primitives.begin(), mesh.primitives.end(),
                                     [](const gltf::Primitive &p) { return !p.normals.empty(); });
    const auto has = [&](auto member) {
        return std::any_of(mesh.primitives.begin(), mesh.primitives.end(),
                           [&](const gltf::Primitive &p) { return !(p.*member).empty(); });
    };
    x.hasTexCoords = has(&gltf::Primitive::texCoords);
    x.hasColors = has(&gltf::Primitive::colours);
    x.hasNormals = normals;
    x.hasMaterialList = true;
    std::map<int, uint32_t> materialSlots;
    // Primitives over the same accessors (one per material, say) share
    // their vertices, as the X file's subsets do; one without coordinates
    // shares those of another (only a textured subset needs them).
    struct Shared {
        uint32_t base;
        int texCoords;
    };
    std::map<std::array<int, 3>, std::vector<Shared>> shared;
    bool first = true;
    for (const gltf::Primitive &p : mesh.primitives) {
        if (p.indices.size() < 3) continue;
        out.morphTargets = out.morphTargets || p.morphTargets;
        const auto &a = p.attributeAccessors;
        const int texCoords = a[2];
        std::vector<Shared> &candidates = shared[{a[0], a[1], a[3]}];
        const auto match = std::find_if(candidates.begin(), candidates.end(), [&](const Shared &s) {
            return s.texCoords == texCoords || s.texCoords < 0 || texCoords < 0;
        });
        const bool found = match != candidates.end();
        if (found && match->texCoords < 0 && texCoords >= 0) {
            std::copy(p.texCoords.begin(), p.texCoords.end(), x.texCoords.begin() + long(match->base) * 2);
            match->texCoords = texCoords;
        }
        const uint32_t base = found ? match->base : x.vertexCount;
        if (!found) candidates.push_back({x.vertexCount, texCoords});
        const size_t count = found ? 0 : p.positions.size() / 3;
        for (size_t v = 0; v < count; ++v) {
            const float position[3] = {p.positions[v * 3], p.positions[v * 3 + 1], 0.0f - p.positions[v * 3 + 2]};
            x.positions.insert(x.positions.end(), position, position + 3);
            for (int c = 0; c < 3; ++c) {
                out.low[c] = first ? position[c] : std::min(out.low[c], position[c]);
                out.high[c] = first ? position[c] : std::max(out.high[c], position[c]);
            }
            first = false;
            if (normals) {
                x.normals.insert(x.normals.end(), {p.normals[v * 3], p.normals[v * 3 + 1], 0.0f - p.normals[v * 3 + 2]});
            }
            if (x.hasTexCoords) {
                const bool given = !p.texCoords.empty();
                x.texCoords.push_back(given ? p.texCoords[v * 2] : 0.0f);
                x.texCoords.push_back(given ? p.texCoords[v * 2 + 1] : 0.0f);
            }
            if (x.hasColors) {
                const float *c = p.colours.empty() ? nullptr : &p.colours[v * 4];
                x.colors.push_back(c ? (uint32_t{Byte(c[3])} << 24 | uint32_t{Byte(c[0])} << 16 |
                                        uint32_t{Byte(c[1])} << 8 | Byte(c[2]))
                                     : 0xFFFFFFFFu);
            }
        }
        x.vertexCount += static_cast<uint32_t>(count);
        const auto slot = materialSlots.emplace(p.material, static_cast<uint32_t>(materialSlots.size())).first->second;
        if (slot == x.materials.size()) x.materials.push_back(XMaterial(p.material, materials, textureNames));
        for (size_t t = 0; t + 2 < p.indices.size(); t += 3) {
            const uint32_t a = base + p.indices[t], b = base + p.indices[t + 1], c = base + p.indices[t + 2];
            if (reverseWinding) {
                x.faceIndices.insert(x.faceIndices.end(), {a, c, b});
            } else {
                x.faceIndices.insert(x.faceIndices.end(), {a, b, c});
            }
            x.faceStarts.push_back(static_cast<uint32_t>(x.faceIndices.size()));
            x.faceMaterials.push_back(slot);
        }
    }
    if (x.faceIndices.empty()) return false;
    if (normals) x.faceNormalIndices = x.faceIndices;
    out.scene.meshes.push_back(std::move(x));
    return true;
}

}  // namespace morvel::convert
