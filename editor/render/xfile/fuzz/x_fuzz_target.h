// The body shared by the X-file fuzzers: put a header before the input,
// load it, and run the renderer's follow-up operations on what loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "render/xfile/x_mesh_loader.h"

namespace morvel::render::xfile::fuzz {

inline void LoadWithHeader(const char (&header)[17], const uint8_t *data, size_t size) {
    std::vector<uint8_t> file(header, header + 16);
    file.insert(file.end(), data, data + size);
    MeshData mesh;
    if (!LoadMeshFromXMemory(file.data(), file.size(), mesh).ok) return;
    MeshData clone;
    if (CloneMeshData(mesh, 0x112, clone)) ComputeNormals(clone);
}

}  // namespace morvel::render::xfile::fuzz
