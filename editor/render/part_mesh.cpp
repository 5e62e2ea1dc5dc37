#include "render/part_mesh.h"

#include "base/cp932_text.h"
#include "render/d3dx_texture.h"

namespace morvel::render {
namespace {

// The fixed-size text buffers of the loader hold at most this many bytes.
constexpr size_t kPathBufferBytes = 1023;

std::string CutToBuffer(const std::string &text) {
    return text.substr(0, base::Cp932PrefixLength(text, kPathBufferBytes));
}

}  // namespace

bool LoadPartMesh(RenderDevice &device, const std::string &xFilePath, PartMesh &record,
                  const AssetLoaders &loaders) {
    ReleasePartMesh(record);
    const std::string directory = formats::xfile::TextureDirectoryOf(xFilePath);

    std::unique_ptr<d3dx::ID3DXBuffer> materialBuffer;
    uint32_t materialCount = 0;
    std::unique_ptr<d3dx::ID3DXMesh> mesh;
    if (d3dx::D3DXLoadMeshFromX(xFilePath.c_str(), meshopt::kManaged, device, &record.adjacency,
                                &materialBuffer, &materialCount, &mesh, loaders) != hr::kOk) {
        record.adjacency.reset();
        return false;
    }

    record.materialCount = materialCount;
    record.materials.assign(materialCount, Material{});
    record.textures.clear();
    record.textures.resize(materialCount);
    const auto *loaded = static_cast<const d3dx::D3DXMATERIAL *>(materialBuffer->GetBufferPointer());
    for (uint32_t i = 0; i < materialCount; ++i) {
        record.materials[i] = loaded[i].MatD3D;
        record.materials[i].Ambient = record.materials[i].Diffuse;
        if (loaded[i].pTextureFilename != nullptr && loaded[i].pTextureFilename[0] != '\0') {
            // Always relative to the X file's folder, even for a full path.
            const std::string texturePath = CutToBuffer(directory + loaded[i].pTextureFilename);
            d3dx::D3DXCreateTextureFromFileA(device, texturePath.c_str(), &record.textures[i],
                                             loaders);
        }
    }
    materialBuffer.reset();

    if (mesh->GetFVF() != kPartMeshFvf) {
        std::unique_ptr<d3dx::ID3DXMesh> clone;
        mesh->CloneMeshFVF(mesh->GetOptions(), kPartMeshFvf, device, clone);
        mesh.reset();
        if (clone) d3dx::D3DXComputeNormals(clone.get(), nullptr);
        mesh = std::move(clone);
    }
    if (mesh) record.pickMesh = BuildPickMesh(mesh->Data());
    record.mesh = std::move(mesh);
    return true;
}

void ReleasePartMesh(PartMesh &record) {
    // The arrays go too when a failed conversion left no mesh.
    record.textures.clear();
    record.materials.clear();
    record.materialCount = 0;
    record.mesh.reset();
    record.adjacency.reset();
    record.pickMesh = PickMesh{};
}

}  // namespace morvel::render
