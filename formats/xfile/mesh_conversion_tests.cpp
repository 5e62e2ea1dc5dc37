// CloneMeshFVF and D3DXComputeNormals on loaded data.
#include <gtest/gtest.h>

#include <cmath>

#include "xfile_test_support.h"

namespace morvel::formats::xfile {
namespace {

using testing::LoadText;
using testing::Normal;
using testing::Position;

MeshData ColouredQuad() {
    MeshData mesh;
    const LoadResult result = LoadText(
        "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,3;;\n"
        " MeshVertexColors { 1; 2;1;0;0;1;; } MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; } }",
        mesh);
    EXPECT_TRUE(result.ok) << result.error;
    return mesh;
}

TEST(CloneMesh, AddsComponentsAsZeroAndDropsTheOthers) {
    const MeshData source = ColouredQuad();
    ASSERT_EQ(source.fvf, 0x142u);
    MeshData clone;
    ASSERT_TRUE(CloneMeshData(source, 0x112, clone));
    EXPECT_EQ(clone.fvf, 0x112u);
    EXPECT_EQ(clone.vertexStride, 32u);
    EXPECT_EQ(clone.vertices.size(), 4u * 32);
    EXPECT_EQ(clone.indices, source.indices);
    EXPECT_EQ(clone.attributeTable.size(), source.attributeTable.size());
    EXPECT_EQ(clone.adjacency, source.adjacency);
    EXPECT_FLOAT_EQ(Position(clone, 2).y, 1.0f);
    EXPECT_EQ(Normal(clone, 2).z, 0.0f);
    float uv[2];
    std::memcpy(uv, &clone.vertices[2 * 32 + 24], sizeof uv);
    EXPECT_FLOAT_EQ(uv[0], 1.0f);

    MeshData back;
    ASSERT_TRUE(CloneMeshData(clone, 0x142, back));
    uint32_t colour;
    std::memcpy(&colour, &back.vertices[2 * 24 + 12], 4);
    EXPECT_EQ(colour, 0u);  // dropped on the way, added back as zero
}

TEST(CloneMesh, RefusesFormatsItCannotLayOut) {
    const MeshData source = ColouredQuad();
    MeshData clone;
    EXPECT_FALSE(CloneMeshData(source, 0x004, clone));  // transformed position
    EXPECT_FALSE(CloneMeshData(source, 0x122, clone));  // point size... and normal
    EXPECT_FALSE(CloneMeshData(source, 0x10112, clone));  // 3D texture coordinates
    EXPECT_FALSE(CloneMeshData(source, 0x912, clone));  // nine coordinate sets
    EXPECT_TRUE(clone.vertices.empty());
}

TEST(ComputeNormals, ClockwiseFrontFacesFaceTheViewerInALeftHandedSystem) {
    // Seen from -z (the default camera looks along +z), (0,0,0) (0,1,0)
    // (1,0,0) runs clockwise: its front face looks towards -z.
    MeshData mesh;
    ASSERT_TRUE(LoadText("Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; }", mesh).ok);
    MeshData withNormals;
    ASSERT_TRUE(CloneMeshData(mesh, 0x012, withNormals));
    ComputeNormals(withNormals);
    for (uint32_t v = 0; v < 3; ++v) EXPECT_FLOAT_EQ(Normal(withNormals, v).z, -1.0f);
}

TEST(ComputeNormals, EachFaceCountsOnceWhateverItsSize) {
    // Vertex 0 is shared by a large face in the z = 0 plane and a small one
    // in the x = 0 plane: equal weights give the diagonal.
    MeshData mesh;
    ASSERT_TRUE(LoadText("Mesh { 5; 0;0;0;, 0;10;0;, 10;0;0;, 0;0;0.1;, 0;0.1;0;; 2; 3;0,1,2;, 3;0,3,4;;"
                         " MeshNormals { 1; 0;0;0;; 2; 3;0,0,0;, 3;0,0,0;; } }",
                         mesh)
                    .ok);
    ComputeNormals(mesh);
    const testing::Float3 n = Normal(mesh, 0);
    EXPECT_NEAR(n.x, -std::sqrt(0.5f), 1e-6);
    EXPECT_NEAR(n.z, -std::sqrt(0.5f), 1e-6);
    EXPECT_NEAR(n.y, 0.0f, 1e-6);
}

TEST(ComputeNormals, LeavesMeshesWithoutNormalsAlone) {
    MeshData mesh = ColouredQuad();
    const std::vector<uint8_t> before = mesh.vertices;
    ComputeNormals(mesh);
    EXPECT_EQ(mesh.vertices, before);
}

}  // namespace
}  // namespace morvel::formats::xfile
