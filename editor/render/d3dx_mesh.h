// ID3DXMesh, ID3DXBuffer and the D3DX mesh functions, over the neutral mesh
// data of the X-file reader and the RenderDevice port. Ownership is by
// std::unique_ptr where D3DX would hand out reference-counted interfaces.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/d3d_types.h"
#include "formats/xfile/mesh_data.h"
#include "render/asset_loaders.h"
#include "render/render_device.h"

namespace d3dx {

using morvel::render::HResult;
using morvel::render::RenderDevice;

// A block of bytes (adjacency, materials), 8-byte aligned.
class ID3DXBuffer {
public:
    explicit ID3DXBuffer(size_t size) : storage_((size + 7) / 8), size_(size) {}
    void *GetBufferPointer() { return storage_.data(); }
    const void *GetBufferPointer() const { return storage_.data(); }
    uint32_t GetBufferSize() const { return static_cast<uint32_t>(size_); }

private:
    std::vector<uint64_t> storage_;
    size_t size_;
};

// D3DXMATERIAL: the material and the texture file name as the file wrote it
// (nullptr when the material names none). The name lives in the same buffer.
struct D3DXMATERIAL {
    morvel::Material MatD3D;
    char *pTextureFilename;
};

class ID3DXMesh {
public:
    // Uploads the data into managed vertex and index buffers. Fails for an
    // empty mesh or data whose sizes or indices do not agree.
    static HResult Create(RenderDevice &device, uint32_t options,
                          morvel::formats::xfile::MeshData data,
                          const morvel::render::AssetLoaders &loaders,
                          std::unique_ptr<ID3DXMesh> &out);

    uint32_t GetFVF() const { return data_.fvf; }
    uint32_t GetOptions() const { return options_; }
    uint32_t GetNumFaces() const { return data_.faceCount; }
    uint32_t GetNumVertices() const { return data_.vertexCount; }
    const morvel::formats::xfile::MeshData &Data() const { return data_; }

    // One indexed draw of the faces with this attribute id; nothing when the
    // mesh has none.
    HResult DrawSubset(uint32_t attribId);

    HResult CloneMeshFVF(uint32_t options, uint32_t fvf, RenderDevice &device,
                         std::unique_ptr<ID3DXMesh> &out) const;

    // Recomputes the normals and uploads the vertices again.
    HResult RecomputeNormals();

private:
    ID3DXMesh() = default;

    RenderDevice *device_ = nullptr;
    const morvel::render::AssetLoaders *loaders_ = nullptr;
    uint32_t options_ = 0;
    morvel::formats::xfile::MeshData data_;
    std::vector<morvel::formats::xfile::AttributeRange> ranges_;
    std::unique_ptr<morvel::render::VertexBuffer> vertexBuffer_;
    std::unique_ptr<morvel::render::IndexBuffer> indexBuffer_;
};

// Loads every mesh of an X file merged into one. On success returns D3D_OK
// and fills whichever outputs are given: adjacency (3 DWORDs per face),
// materials (D3DXMATERIAL array), their count and the mesh.
HResult D3DXLoadMeshFromX(const char *fileName, uint32_t options, RenderDevice &device,
                          std::unique_ptr<ID3DXBuffer> *adjacency,
                          std::unique_ptr<ID3DXBuffer> *materials, uint32_t *materialCount,
                          std::unique_ptr<ID3DXMesh> *mesh,
                          const morvel::render::AssetLoaders &loaders =
                              morvel::render::DefaultAssetLoaders());

// Adjacency is accepted for the signature's sake; normals are averaged over
// shared vertices either way.
HResult D3DXComputeNormals(ID3DXMesh *mesh, const uint32_t *adjacency);

}  // namespace d3dx
