// The body shared by the X-file fuzzers: put a header before the input,
// load it, and run the renderer's follow-up operations on what loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "formats/xfile/x_mesh_loader.h"

namespace morvel::formats::xfile::fuzz {

// What the device side relies on: every index, subset and neighbour in range.
inline void CheckMesh(const MeshData &mesh) {
    if (mesh.vertices.size() != size_t{mesh.vertexCount} * mesh.vertexStride) std::abort();
    if (mesh.indices.size() != size_t{mesh.faceCount} * 3 || mesh.attributes.size() != mesh.faceCount) std::abort();
    if (mesh.adjacency.size() != size_t{mesh.faceCount} * 3) std::abort();
    if (mesh.use32BitIndices != (mesh.vertexCount > 0xFFFF)) std::abort();
    for (uint32_t index : mesh.indices)
        if (index >= mesh.vertexCount) std::abort();
    for (uint32_t face : mesh.adjacency)
        if (face != 0xFFFFFFFFu && face >= mesh.faceCount) std::abort();
    if (mesh.attributeTable.size() != mesh.materials.size()) std::abort();
    uint32_t next = 0;
    for (const AttributeRange &range : mesh.attributeTable) {
        if (range.faceStart != next) std::abort();
        for (uint32_t f = range.faceStart; f < range.faceStart + range.faceCount; ++f)
            if (mesh.attributes[f] != range.attribId) std::abort();
        next += range.faceCount;
    }
    if (next != mesh.faceCount) std::abort();
}

inline void LoadWithHeader(const char (&header)[17], const uint8_t *data, size_t size) {
    std::vector<uint8_t> file(header, header + 16);
    file.insert(file.end(), data, data + size);
    MeshData mesh;
    const LoadResult result = LoadMeshFromXMemory(file.data(), file.size(), mesh);
    if (!result.ok) {
        if (result.error.empty() || result.error.find('\n') != std::string::npos) std::abort();
        return;
    }
    CheckMesh(mesh);
    MeshData clone;
    if (CloneMeshData(mesh, 0x112, clone)) ComputeNormals(clone);
}

}  // namespace morvel::formats::xfile::fuzz
