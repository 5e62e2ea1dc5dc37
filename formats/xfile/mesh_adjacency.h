// Per-face adjacency as D3DXLoadMeshFromX returns it: for edge k of face f
// (corners k and k+1), the face across that edge, or 0xFFFFFFFF. Edges are
// matched by vertex position, so faces meet across split vertices too.
// An edge pairs first with the earliest unpaired edge running the other way
// (the usual consistently wound case), then with one running the same way;
// each edge has at most one partner, so the result is symmetric.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/xfile/mesh_data.h"

namespace morvel::formats::xfile {

constexpr uint32_t kNoNeighbour = 0xFFFFFFFFu;

std::vector<uint32_t> ComputeAdjacency(const MeshData &mesh);

}  // namespace morvel::formats::xfile
