// The mesh of one part: loaded from its X file into vertex format
// position + normal + one texture coordinate pair, with one material and
// one optional texture per subset.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/part_mesh_port.h"
#include "render/asset_loaders.h"
#include "render/d3dx_mesh.h"
#include "render/picking.h"
#include "render/render_device.h"

namespace morvel::render {

// D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1
constexpr uint32_t kPartMeshFvf = 0x112;

struct PartMesh : document::PartMeshResource {
    std::unique_ptr<d3dx::ID3DXMesh> mesh;                // none when not loaded
    std::vector<std::unique_ptr<DeviceTexture>> textures;  // per material; null where none
    std::vector<Material> materials;                       // ambient replaced by diffuse
    std::unique_ptr<d3dx::ID3DXBuffer> adjacency;
    uint32_t materialCount = 0;
    PickMesh pickMesh;  // the loaded mesh's triangles for picking
};

// False when the X file cannot be loaded (the record then holds no mesh).
// A texture that fails to load leaves its subset untextured; a failed
// conversion to kPartMeshFvf leaves the record without a mesh.
bool LoadPartMesh(RenderDevice &device, const std::string &xFilePath, PartMesh &record,
                  const AssetLoaders &loaders = DefaultAssetLoaders());

// Releases what the record holds; safe on an empty or released record.
void ReleasePartMesh(PartMesh &record);

}  // namespace morvel::render
