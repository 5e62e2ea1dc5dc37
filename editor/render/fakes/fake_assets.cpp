#include "render/fakes/fake_assets.h"

namespace morvel::render::fakes {

std::map<std::string, formats::xfile::MeshData> FakeAssets::meshes;
std::set<std::string> FakeAssets::textures;
std::vector<std::string> FakeAssets::textureRequests;
std::vector<uint32_t> FakeAssets::clonedTo;
int FakeAssets::normalsComputed = 0;
bool FakeAssets::cloneFails = false;

namespace {

formats::xfile::LoadResult LoadMesh(const std::string &path, formats::xfile::MeshData &out) {
    const auto found = FakeAssets::meshes.find(path);
    if (found == FakeAssets::meshes.end()) return {false, "no such file"};
    out = found->second;
    return {true, ""};
}

bool Clone(const formats::xfile::MeshData &in, uint32_t fvf, formats::xfile::MeshData &out) {
    FakeAssets::clonedTo.push_back(fvf);
    if (FakeAssets::cloneFails) return false;
    out = in;
    out.fvf = fvf;
    out.vertexStride = StrideOf(fvf);
    out.vertices.assign(size_t{out.vertexStride} * out.vertexCount, 0);
    return true;
}

void Normals(formats::xfile::MeshData &) {
    ++FakeAssets::normalsComputed;
}

formats::image::LoadResult LoadTexture(const std::string &path, formats::image::TextureData &out) {
    FakeAssets::textureRequests.push_back(path);
    if (!FakeAssets::textures.count(path)) return {false, "no such texture"};
    out = formats::image::TextureData{};
    out.format = 21;
    out.imageWidth = out.imageHeight = 4;
    out.levels.resize(1);
    out.levels[0].width = out.levels[0].height = 4;
    out.levels[0].pitch = 16;
    out.levels[0].bytes.assign(64, 0xFF);
    return {true, ""};
}

formats::image::LoadResult LoadDib(const uint8_t *data, size_t size,
                                   formats::image::TextureData &out) {
    return LoadTexture(std::string(reinterpret_cast<const char *>(data), size), out);
}

}  // namespace

void FakeAssets::Reset() {
    meshes.clear();
    textures.clear();
    textureRequests.clear();
    clonedTo.clear();
    normalsComputed = 0;
    cloneFails = false;
}

const AssetLoaders &FakeAssets::Loaders() {
    static const AssetLoaders loaders{LoadMesh, Clone, Normals, LoadTexture, LoadDib};
    return loaders;
}

uint32_t StrideOf(uint32_t fvf) {
    uint32_t stride = 12;
    if (fvf & fvf::kNormal) stride += 12;
    if (fvf & fvf::kDiffuse) stride += 4;
    stride += 8 * ((fvf & fvf::kTexCountMask) >> fvf::kTexCountShift);
    return stride;
}

formats::xfile::MeshData MakeMesh(uint32_t fvf, int subsets,
                                  const std::vector<std::string> &textureNames) {
    formats::xfile::MeshData mesh;
    mesh.fvf = fvf;
    mesh.vertexStride = StrideOf(fvf);
    mesh.vertexCount = static_cast<uint32_t>(4 * subsets);
    mesh.vertices.assign(size_t{mesh.vertexStride} * mesh.vertexCount, 0);
    mesh.faceCount = static_cast<uint32_t>(2 * subsets);
    for (int s = 0; s < subsets; ++s) {
        const uint32_t base = static_cast<uint32_t>(4 * s);
        for (uint32_t index : {base, base + 1, base + 2, base, base + 2, base + 3}) {
            mesh.indices.push_back(index);
        }
        mesh.attributes.push_back(static_cast<uint32_t>(s));
        mesh.attributes.push_back(static_cast<uint32_t>(s));
        mesh.attributeTable.push_back({static_cast<uint32_t>(s), static_cast<uint32_t>(2 * s), 2, base, 4});
        formats::xfile::MaterialData material;
        material.material.Diffuse = {0.1f * static_cast<float>(s + 1), 0.5f, 0.5f, 1.0f};
        material.material.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
        material.material.Power = 10.0f;
        if (static_cast<size_t>(s) < textureNames.size() && !textureNames[s].empty()) {
            material.hasTexture = true;
            material.textureFileName = textureNames[s];
        }
        mesh.materials.push_back(material);
    }
    mesh.adjacency.assign(size_t{mesh.faceCount} * 3, 0xFFFFFFFFu);
    return mesh;
}

}  // namespace morvel::render::fakes
