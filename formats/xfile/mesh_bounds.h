// The axis-aligned box around a mesh's vertex positions.
#pragma once

#include "base/d3d_types.h"
#include "formats/xfile/mesh_data.h"

namespace morvel::formats::xfile {

struct MeshBounds {
    Vector3 min{0, 0, 0};
    Vector3 max{0, 0, 0};
};

// A mesh without vertices has the empty box at the origin.
MeshBounds ComputeBounds(const MeshData &mesh);

}  // namespace morvel::formats::xfile
