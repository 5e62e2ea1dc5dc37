// Adjacency across shared positions, split vertices, open and non-manifold edges.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "formats/xfile/mesh_adjacency.h"

namespace morvel::formats::xfile {
namespace {

MeshData Triangles(const std::vector<float> &positions, const std::vector<uint32_t> &indices) {
    MeshData mesh;
    mesh.fvf = 0x002;
    mesh.vertexStride = 12;
    mesh.vertexCount = static_cast<uint32_t>(positions.size() / 3);
    mesh.vertices.resize(positions.size() * sizeof(float));
    std::memcpy(mesh.vertices.data(), positions.data(), mesh.vertices.size());
    mesh.indices = indices;
    mesh.faceCount = static_cast<uint32_t>(indices.size() / 3);
    return mesh;
}

constexpr uint32_t N = kNoNeighbour;

TEST(Adjacency, FacesMeetAcrossEdgesWithTheSamePositions) {
    // A quad as two triangles whose shared corners are separate vertices
    // (as after a normal split), including -0 against +0.
    const MeshData mesh = Triangles({0, 0, 0, 1, 0, 0, 1, 1, 0, -0.0f, 0, 0, 1, 1, 0, 0, 1, 0}, {0, 1, 2, 3, 4, 5});
    const std::vector<uint32_t> expected = {N, N, 1, 0, N, N};
    EXPECT_EQ(ComputeAdjacency(mesh), expected);
}

TEST(Adjacency, ThreeFacesOnOneEdgePairOppositeWindingFirst) {
    // Faces 0 and 1 run the edge (0,1) the same way, face 2 the other way:
    // 0 pairs with 2, and 1 is left with no partner.
    const MeshData mesh = Triangles({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 1}, {0, 1, 2, 0, 1, 4, 1, 0, 3});
    const std::vector<uint32_t> adjacency = ComputeAdjacency(mesh);
    EXPECT_EQ(adjacency[0], 2u);
    EXPECT_EQ(adjacency[6], 0u);
    EXPECT_EQ(adjacency[3], N);
}

TEST(Adjacency, SameWayEdgesPairWhenNothingElseIsLeft) {
    const MeshData mesh = Triangles({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, -1, 0}, {0, 1, 2, 0, 1, 3});
    const std::vector<uint32_t> expected = {1, N, N, 0, N, N};
    EXPECT_EQ(ComputeAdjacency(mesh), expected);
}

TEST(Adjacency, DegenerateEdgesHaveNoNeighbour) {
    const MeshData mesh = Triangles({0, 0, 0, 0, 0, 0, 1, 0, 0}, {0, 1, 2, 1, 0, 2});
    const std::vector<uint32_t> adjacency = ComputeAdjacency(mesh);
    EXPECT_EQ(adjacency[0], N);  // from 0 to 1: the same position
    EXPECT_EQ(adjacency[1], 1u);
    EXPECT_EQ(adjacency[2], 1u);
}

TEST(Adjacency, ManyFacesAroundOneEdgeStayLinear) {
    // A hostile fan: every face shares the edge (0,1). Pairing stays
    // symmetric and each face has at most one partner on that edge.
    std::vector<float> positions = {0, 0, 0, 1, 0, 0};
    std::vector<uint32_t> indices;
    for (uint32_t i = 0; i < 20000; ++i) {
        positions.insert(positions.end(), {0.5f, float(i + 1), float(i)});
        if (i % 3 == 0) {
            indices.insert(indices.end(), {1, 0, i + 2});
        } else {
            indices.insert(indices.end(), {0, 1, i + 2});
        }
    }
    const MeshData mesh = Triangles(positions, indices);
    const std::vector<uint32_t> adjacency = ComputeAdjacency(mesh);
    for (uint32_t f = 0; f < mesh.faceCount; ++f) {
        const uint32_t other = adjacency[f * 3];
        if (other == N) continue;
        EXPECT_EQ(adjacency[other * 3], f);
    }
    EXPECT_EQ(adjacency[0], 1u);  // face 0 runs (1,0), face 1 runs (0,1)
}

}  // namespace
}  // namespace morvel::formats::xfile
