// The neutral result of loading an X file: what D3DXLoadMeshFromX hands to
// the device side (vertex and index buffers, attribute table, materials,
// adjacency), with no device involved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/d3d_types.h"

namespace morvel::formats::xfile {

// One material as D3DXMATERIAL gives it: the Direct3D material and the
// texture file name exactly as written in the file.
struct MaterialData {
    Material material{};
    bool hasTexture = false;
    std::string textureFileName;
};

// One row of the attribute table (D3DXATTRIBUTERANGE).
struct AttributeRange {
    uint32_t attribId = 0;
    uint32_t faceStart = 0;
    uint32_t faceCount = 0;
    uint32_t vertexStart = 0;
    uint32_t vertexCount = 0;
};

struct MeshData {
    uint32_t fvf = 0;           // D3DFVF bits of the vertex layout
    uint32_t vertexStride = 0;  // bytes per vertex
    uint32_t vertexCount = 0;
    std::vector<uint8_t> vertices;  // vertexCount * vertexStride bytes, in FVF order
    uint32_t faceCount = 0;
    std::vector<uint32_t> indices;     // 3 per face; faces sorted by attribute
    bool use32BitIndices = false;      // more than 65,535 vertices
    std::vector<uint32_t> attributes;  // material id per face, ascending
    std::vector<AttributeRange> attributeTable;
    std::vector<MaterialData> materials;
    std::vector<uint32_t> adjacency;  // 3 per face, 0xFFFFFFFF where no neighbour
};

}  // namespace morvel::formats::xfile
