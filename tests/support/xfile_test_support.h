// Helpers shared by the X-file tests: loading from text and reading back
// vertex components.
#pragma once

#include <cstring>
#include <string>

#include "formats/xfile/x_mesh_loader.h"

namespace morvel::formats::xfile::testing {

inline LoadResult LoadText(const std::string &body, MeshData &mesh) {
    const std::string file = "xof 0303txt 0032\n" + body;
    return LoadMeshFromXMemory(reinterpret_cast<const uint8_t *>(file.data()), file.size(), mesh);
}

struct Float3 {
    float x, y, z;
};

inline Float3 ReadFloat3(const MeshData &mesh, uint32_t vertex, uint32_t offset) {
    Float3 v;
    std::memcpy(&v, &mesh.vertices[size_t{vertex} * mesh.vertexStride + offset], sizeof v);
    return v;
}

inline Float3 Position(const MeshData &mesh, uint32_t vertex) { return ReadFloat3(mesh, vertex, 0); }
inline Float3 Normal(const MeshData &mesh, uint32_t vertex) { return ReadFloat3(mesh, vertex, 12); }

// A unit quad in the z = 0 plane as a text Mesh, with optional extra children.
inline std::string QuadMesh(const std::string &children = "") {
    return "Mesh quad {\n 4;\n 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;\n 1;\n 4;0,1,2,3;;\n" + children + "}\n";
}

}  // namespace morvel::formats::xfile::testing
