#include "render/d3dx_mesh.h"

#include <cstring>

namespace d3dx {

using morvel::formats::xfile::AttributeRange;
using morvel::formats::xfile::MeshData;
using morvel::render::hr::kFail;
using morvel::render::hr::kInvalidCall;
using morvel::render::hr::kOk;

namespace {

bool SizesAgree(const MeshData &data) {
    if (data.vertexCount == 0 || data.faceCount == 0 || data.vertexStride == 0) return false;
    if (data.vertices.size() != uint64_t{data.vertexCount} * data.vertexStride) return false;
    if (data.indices.size() != uint64_t{data.faceCount} * 3) return false;
    if (!data.use32BitIndices && data.vertexCount > 0x10000) return false;
    for (uint32_t index : data.indices) {
        if (index >= data.vertexCount) return false;
    }
    return true;
}

// The attribute table as given, or built from the per-face ids when the
// data has none; rows that reach past the faces or vertices are refused.
bool BuildRanges(const MeshData &data, std::vector<AttributeRange> &ranges) {
    ranges = data.attributeTable;
    if (ranges.empty()) {
        if (data.attributes.size() != data.faceCount) {
            ranges.push_back({0, 0, data.faceCount, 0, data.vertexCount});
            return true;
        }
        for (uint32_t face = 0; face < data.faceCount; ++face) {
            const uint32_t id = data.attributes[face];
            if (ranges.empty() || ranges.back().attribId != id) {
                ranges.push_back({id, face, 0, 0, data.vertexCount});
            }
            ++ranges.back().faceCount;
        }
    }
    for (const AttributeRange &range : ranges) {
        if (uint64_t{range.faceStart} + range.faceCount > data.faceCount) return false;
        if (uint64_t{range.vertexStart} + range.vertexCount > data.vertexCount) return false;
    }
    return true;
}

}  // namespace

HResult ID3DXMesh::Create(RenderDevice &device, uint32_t options, MeshData data,
                          const morvel::render::AssetLoaders &loaders,
                          std::unique_ptr<ID3DXMesh> &out) {
    out.reset();
    if (!SizesAgree(data)) return kInvalidCall;
    std::unique_ptr<ID3DXMesh> mesh(new ID3DXMesh());
    if (!BuildRanges(data, mesh->ranges_)) return kInvalidCall;
    mesh->device_ = &device;
    mesh->loaders_ = &loaders;
    mesh->options_ = options;
    const bool use32Bit = data.use32BitIndices || (options & morvel::meshopt::k32Bit);
    HResult result = device.CreateVertexBuffer(data.vertices.data(),
                                               static_cast<uint32_t>(data.vertices.size()),
                                               data.fvf, mesh->vertexBuffer_);
    if (result != kOk) return result;
    if (use32Bit) {
        result = device.CreateIndexBuffer(data.indices.data(),
                                          static_cast<uint32_t>(data.indices.size() * 4), true,
                                          mesh->indexBuffer_);
    } else {
        std::vector<uint16_t> shortIndices(data.indices.begin(), data.indices.end());
        result = device.CreateIndexBuffer(shortIndices.data(),
                                          static_cast<uint32_t>(shortIndices.size() * 2), false,
                                          mesh->indexBuffer_);
    }
    if (result != kOk) return result;
    data.use32BitIndices = use32Bit;
    mesh->data_ = std::move(data);
    out = std::move(mesh);
    return kOk;
}

HResult ID3DXMesh::DrawSubset(uint32_t attribId) {
    for (const AttributeRange &range : ranges_) {
        if (range.attribId != attribId || range.faceCount == 0) continue;
        device_->SetVertexShader(data_.fvf);
        device_->SetStreamSource(0, vertexBuffer_.get(), data_.vertexStride);
        device_->SetIndices(indexBuffer_.get(), 0);
        return device_->DrawIndexedPrimitive(morvel::render::kTriangleList, range.vertexStart,
                                             range.vertexCount, range.faceStart * 3,
                                             range.faceCount);
    }
    return kOk;
}

HResult ID3DXMesh::CloneMeshFVF(uint32_t options, uint32_t fvf, RenderDevice &device,
                                std::unique_ptr<ID3DXMesh> &out) const {
    out.reset();
    MeshData cloned;
    if (!loaders_->cloneMesh(data_, fvf, cloned)) return kInvalidCall;
    return Create(device, options, std::move(cloned), *loaders_, out);
}

HResult ID3DXMesh::RecomputeNormals() {
    if (!(data_.fvf & morvel::fvf::kNormal)) return kInvalidCall;
    MeshData updated = data_;
    loaders_->computeNormals(updated);
    if (updated.vertices.size() != data_.vertices.size()) return kFail;
    std::unique_ptr<morvel::render::VertexBuffer> buffer;
    const HResult result = device_->CreateVertexBuffer(
        updated.vertices.data(), static_cast<uint32_t>(updated.vertices.size()), updated.fvf,
        buffer);
    if (result != kOk) return result;
    data_ = std::move(updated);
    vertexBuffer_ = std::move(buffer);
    return kOk;
}

HResult D3DXLoadMeshFromX(const char *fileName, uint32_t options, RenderDevice &device,
                          std::unique_ptr<ID3DXBuffer> *adjacency,
                          std::unique_ptr<ID3DXBuffer> *materials, uint32_t *materialCount,
                          std::unique_ptr<ID3DXMesh> *mesh,
                          const morvel::render::AssetLoaders &loaders) {
    if (fileName == nullptr || mesh == nullptr) return kInvalidCall;
    MeshData data;
    if (!loaders.loadMeshFile(fileName, data).ok) return kFail;

    // Materials first: they are copied out before the data moves into the mesh.
    const size_t count = data.materials.size();
    size_t namesSize = 0;
    for (const auto &material : data.materials) {
        if (material.hasTexture) namesSize += material.textureFileName.size() + 1;
    }
    auto materialBuffer = std::make_unique<ID3DXBuffer>(count * sizeof(D3DXMATERIAL) + namesSize);
    auto *records = static_cast<D3DXMATERIAL *>(materialBuffer->GetBufferPointer());
    char *names = reinterpret_cast<char *>(records + count);
    for (size_t i = 0; i < count; ++i) {
        records[i].MatD3D = data.materials[i].material;
        records[i].pTextureFilename = nullptr;
        if (data.materials[i].hasTexture) {
            const std::string &name = data.materials[i].textureFileName;
            std::memcpy(names, name.c_str(), name.size() + 1);
            records[i].pTextureFilename = names;
            names += name.size() + 1;
        }
    }
    auto adjacencyBuffer = std::make_unique<ID3DXBuffer>(data.adjacency.size() * 4);
    if (!data.adjacency.empty()) {
        std::memcpy(adjacencyBuffer->GetBufferPointer(), data.adjacency.data(),
                    data.adjacency.size() * 4);
    }

    std::unique_ptr<ID3DXMesh> created;
    const HResult result = ID3DXMesh::Create(device, options, std::move(data), loaders, created);
    if (result != kOk) return result;
    *mesh = std::move(created);
    if (adjacency) *adjacency = std::move(adjacencyBuffer);
    if (materials) *materials = std::move(materialBuffer);
    if (materialCount) *materialCount = static_cast<uint32_t>(count);
    return kOk;
}

HResult D3DXComputeNormals(ID3DXMesh *mesh, const uint32_t *) {
    if (mesh == nullptr) return kInvalidCall;
    return mesh->RecomputeNormals();
}

}  // namespace d3dx
