// What the object parser extracts from an X file, before mesh building: the
// frame hierarchy with local transforms and every mesh as the file holds it.
#pragma once

#include <cstdint>
#include <vector>

#include "base/d3d_types.h"
#include "formats/xfile/mesh_data.h"

namespace morvel::formats::xfile {

constexpr int kNoFrame = -1;

struct FileFrame {
    int parent = kNoFrame;
    Matrix local{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
};

// Polygons are stored flat: polygon p uses faceIndices[faceStarts[p] ..
// faceStarts[p + 1]).
struct FileMesh {
    int frame = kNoFrame;
    uint32_t vertexCount = 0;
    std::vector<float> positions;  // 3 per vertex
    std::vector<uint32_t> faceStarts{0};
    std::vector<uint32_t> faceIndices;

    bool hasNormals = false;
    std::vector<float> normals;              // 3 per normal
    std::vector<uint32_t> faceNormalIndices; // parallel to faceIndices

    bool hasTexCoords = false;
    std::vector<float> texCoords;  // 2 per vertex

    bool hasColors = false;
    std::vector<uint32_t> colors;  // ARGB per vertex

    bool hasMaterialList = false;
    std::vector<uint32_t> faceMaterials;  // per polygon
    std::vector<MaterialData> materials;

    uint32_t PolygonCount() const { return static_cast<uint32_t>(faceStarts.size() - 1); }
};

struct XScene {
    std::vector<FileFrame> frames;  // parents come before their children
    std::vector<FileMesh> meshes;   // document order
};

}  // namespace morvel::formats::xfile
