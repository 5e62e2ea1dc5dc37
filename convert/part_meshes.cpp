#include "convert/part_meshes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/windows_path.h"
#include "formats/xfile/vertex_layout.h"
#include "formats/xfile/x_mesh_loader.h"

namespace morvel::convert {
namespace {

namespace xfile = morvel::formats::xfile;

constexpr uint32_t kFvfDiffuse = 0x40;
constexpr uint32_t kPartMeshFvf = 0x112;  // position, normal, one coordinate pair

float FloatAt(const xfile::MeshData &mesh, uint32_t vertex, uint32_t offset) {
    float value;
    std::memcpy(&value, &mesh.vertices[size_t{vertex} * mesh.vertexStride + offset], sizeof value);
    return value;
}

using morvel::ColorValue;

// glTF colour factors lie in [0, 1]; the X file's may not.
double Unit(float value) {
    return std::clamp(static_cast<double>(value), 0.0, 1.0);
}

// Direct3D lights the editor's parts without specular highlights
// (SPECULARENABLE stays off) and shows no emissive colour: a plain,
// rough dielectric.
tinygltf::Material BaseMaterial(const std::string &partName, uint32_t id, const Axes &axes) {
    tinygltf::Material material;
    material.name = partName + " material " + std::to_string(id);
    material.doubleSided = axes.doubleSided;
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 1.0;
    return material;
}

struct VertexArrays {
    std::vector<float> positions, normals, texCoords;
    std::vector<uint8_t> colours;
};

// False when a position is not a finite number.
bool ReadVertices(const xfile::MeshData &mesh, const xfile::VertexLayout &layout, const Axes &axes,
                  bool withTexCoords, VertexArrays &out) {
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        const float x = FloatAt(mesh, v, 0), y = FloatAt(mesh, v, 4), z = FloatAt(mesh, v, 8);
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return false;
        const auto position = ToGltf(x, y, z, axes);
        out.positions.insert(out.positions.end(), position.begin(), position.end());

        // Direct3D renormalises (NORMALIZENORMALS); glTF wants unit normals.
        const float nx = FloatAt(mesh, v, layout.normal), ny = FloatAt(mesh, v, layout.normal + 4),
                    nz = FloatAt(mesh, v, layout.normal + 8);
        const double length = std::sqrt(double{nx} * nx + double{ny} * ny + double{nz} * nz);
        std::array<float, 3> normal{0, 1, 0};
        if (std::isfinite(length) && length > 1e-12) {
            normal = ToGltf(static_cast<float>(nx / length), static_cast<float>(ny / length),
                            static_cast<float>(nz / length), axes);
        }
        out.normals.insert(out.normals.end(), normal.begin(), normal.end());

        if (withTexCoords) {
            for (uint32_t c = 0; c < 2; ++c) {
                const float uv = FloatAt(mesh, v, layout.texCoords + 4 * c);
                out.texCoords.push_back(std::isfinite(uv) ? uv : 0.0f);
            }
        }
        if (layout.diffuse != xfile::kNoComponent) {
            uint32_t argb;
            std::memcpy(&argb, &mesh.vertices[size_t{v} * mesh.vertexStride + layout.diffuse],
                        sizeof argb);
            const uint8_t rgba[4] = {static_cast<uint8_t>(argb >> 16),
                                     static_cast<uint8_t>(argb >> 8), static_cast<uint8_t>(argb),
                                     static_cast<uint8_t>(argb >> 24)};
            out.colours.insert(out.colours.end(), rgba, rgba + 4);
        }
    }
    return true;
}

}  // namespace

PartMeshResult AddPartMesh(const PartSource &source, const Axes &axes, BufferBuilder &buffer,
                           TextureImages &textures, tinygltf::Model &model) {
    PartMeshResult result;
    xfile::MeshData mesh;
    const xfile::LoadResult loaded = xfile::LoadMeshFromXFile(source.meshPath, mesh);
    if (!loaded.ok) {
        result.error = loaded.error;
        return result;
    }
    if (mesh.fvf != kPartMeshFvf) {
        xfile::MeshData converted;
        if (!xfile::CloneMeshData(mesh, kPartMeshFvf | (mesh.fvf & kFvfDiffuse), converted)) {
            result.error = "its vertex format cannot be converted";
            return result;
        }
        xfile::ComputeNormals(converted);
        mesh = std::move(converted);
    }
    xfile::VertexLayout layout;
    if (!xfile::DescribeVertexFormat(mesh.fvf, layout) || mesh.faceCount == 0 ||
        mesh.vertices.size() != size_t{mesh.vertexCount} * mesh.vertexStride ||
        mesh.indices.size() != size_t{mesh.faceCount} * 3) {
        result.error = mesh.faceCount == 0 ? "it has no faces" : "its mesh data is inconsistent";
        return result;
    }

    // Materials and indices first: nothing goes into the buffer for a part
    // whose data turns out unusable.
    struct Subset {
        std::vector<uint32_t> indices;
        tinygltf::Material material;
        bool textured = false;
        std::array<double, 4> diffuse{1, 1, 1, 1};
    };
    std::vector<Subset> subsets;
    for (const xfile::AttributeRange &range : mesh.attributeTable) {
        if (range.faceCount == 0) continue;
        if (range.faceStart > mesh.faceCount ||
            range.faceCount > mesh.faceCount - range.faceStart) {
            result.error = "its mesh data is inconsistent";
            return result;
        }
        Subset subset;
        subset.indices.assign(
            mesh.indices.begin() + size_t{range.faceStart} * 3,
            mesh.indices.begin() + (size_t{range.faceStart} + range.faceCount) * 3);
        if (std::any_of(subset.indices.begin(), subset.indices.end(),
                        [&](uint32_t i) { return i >= mesh.vertexCount; })) {
            result.error = "its mesh data is inconsistent";
            return result;
        }
        if (axes.reverseWinding) {
            for (size_t i = 0; i < subset.indices.size(); i += 3) {
                std::swap(subset.indices[i + 1], subset.indices[i + 2]);
            }
        }
        subset.material = BaseMaterial(source.name, range.attribId, axes);
        if (range.attribId < mesh.materials.size()) {
            const xfile::MaterialData &data = mesh.materials[range.attribId];
            const ColorValue &diffuse = data.material.Diffuse;
            subset.diffuse = {diffuse.r, diffuse.g, diffuse.b, diffuse.a};
            subset.material.pbrMetallicRoughness.baseColorFactor = {
                Unit(diffuse.r), Unit(diffuse.g), Unit(diffuse.b), Unit(diffuse.a)};
            bool translucent = diffuse.a < 1.0f;
            if (data.hasTexture && !data.textureFileName.empty()) {
                // Always after the X file's folder, even for a full path.
                const TextureResult texture = textures.TextureFor(
                    source.textureFolder + morvel::base::HostPath(data.textureFileName),
                    data.textureFileName);
                if (texture.texture >= 0) {
                    subset.material.pbrMetallicRoughness.baseColorTexture.index = texture.texture;
                    subset.textured = true;
                    translucent = translucent || texture.translucent;
                } else {
                    result.warnings.push_back("texture " + data.textureFileName + ": " +
                                              texture.error);
                }
            }
            if (translucent) subset.material.alphaMode = "BLEND";
        }
        subsets.push_back(std::move(subset));
    }
    if (subsets.empty()) {
        result.error = "it has no faces";
        return result;
    }

    // Coordinates only where a texture uses them. A file without any gets
    // zeros, as the editor's converted mesh has: its first texel everywhere.
    const bool withTexCoords =
        std::any_of(subsets.begin(), subsets.end(), [](const Subset &s) { return s.textured; });
    VertexArrays arrays;
    if (!ReadVertices(mesh, layout, axes, withTexCoords, arrays)) {
        result.error = "a vertex position is not a finite number";
        return result;
    }
    std::map<std::string, int> attributes;
    attributes["POSITION"] =
        buffer.AddFloats(arrays.positions, TINYGLTF_TYPE_VEC3, TINYGLTF_TARGET_ARRAY_BUFFER, true);
    attributes["NORMAL"] =
        buffer.AddFloats(arrays.normals, TINYGLTF_TYPE_VEC3, TINYGLTF_TARGET_ARRAY_BUFFER, false);
    if (!arrays.colours.empty()) attributes["COLOR_0"] = buffer.AddColours(arrays.colours);
    const int texCoords = withTexCoords ? buffer.AddFloats(arrays.texCoords, TINYGLTF_TYPE_VEC2,
                                                           TINYGLTF_TARGET_ARRAY_BUFFER, false)
                                        : -1;

    tinygltf::Mesh gltfMesh;
    gltfMesh.name = source.name;
    for (const Subset &subset : subsets) {
        model.materials.push_back(subset.material);
        result.materials.push_back(static_cast<int>(model.materials.size() - 1));
        result.diffuse.push_back(subset.diffuse);
        tinygltf::Primitive primitive;
        primitive.attributes = attributes;
        if (subset.textured) primitive.attributes["TEXCOORD_0"] = texCoords;
        primitive.indices = buffer.AddIndices(subset.indices, mesh.vertexCount);
        primitive.material = static_cast<int>(model.materials.size() - 1);
        primitive.mode = TINYGLTF_MODE_TRIANGLES;
        gltfMesh.primitives.push_back(primitive);
    }
    model.meshes.push_back(gltfMesh);
    result.mesh = static_cast<int>(model.meshes.size() - 1);
    return result;
}

}  // namespace morvel::convert
