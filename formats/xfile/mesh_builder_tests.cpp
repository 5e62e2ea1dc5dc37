// Mesh building as D3DXLoadMeshFromX does it, on small hand-written files.
#include <gtest/gtest.h>

#include <string>

#include "xfile_test_support.h"

namespace morvel::formats::xfile {
namespace {

using testing::LoadText;
using testing::Normal;
using testing::Position;
using testing::QuadMesh;

MeshData MustLoad(const std::string &body) {
    MeshData mesh;
    const LoadResult result = LoadText(body, mesh);
    EXPECT_TRUE(result.ok) << result.error;
    return mesh;
}

std::string ErrorOf(const std::string &body) {
    MeshData mesh;
    const LoadResult result = LoadText(body, mesh);
    EXPECT_FALSE(result.ok) << body;
    return result.error;
}

const char *kTriangle = "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;";

std::string MaterialText(float red) {
    return "Material { " + std::to_string(red) + ";0;0;1;; 1; 0;0;0;; 0;0;0;; }";
}

TEST(MeshBuilding, PolygonsBecomeFansInFileOrder) {
    const MeshData mesh = MustLoad(
        "Mesh { 5; 0;0;0;, 1;0;0;, 2;1;0;, 1;2;0;, 0;1;0;; 2; 5;0,1,2,3,4;, 3;4,3,2;; }");
    ASSERT_EQ(mesh.faceCount, 4u);
    const std::vector<uint32_t> expected = {0, 1, 2, 0, 2, 3, 0, 3, 4, 4, 3, 2};
    EXPECT_EQ(mesh.indices, expected);
    EXPECT_EQ(mesh.fvf, 0x002u);
    EXPECT_EQ(mesh.vertexStride, 12u);
}

TEST(MeshBuilding, CornersWithAnotherNormalGetCopiesAfterAllFileVertices) {
    // Vertices 1 and 2 are used with two normals; normals 1 and 2 have the
    // same value (-0 == 0), so one copy of vertex 2 serves both later uses.
    const MeshData mesh = MustLoad(
        "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 3; 3;0,1,2;, 3;2,1,3;, 3;3,2,1;;\n"
        " MeshNormals { 3; 0;0;-1;, 0;1;0;, -0;1;0;; 3; 3;0,0,0;, 3;1,1,1;, 3;2,2,1;; }\n"
        " MeshTextureCoords { 4; 0;0;, 0.5;0;, 0.5;0.5;, 0;0.5;; } }");
    EXPECT_EQ(mesh.fvf, 0x112u);
    ASSERT_EQ(mesh.vertexCount, 6u);  // 4 file vertices, then copies of 2 and 1
    const std::vector<uint32_t> expected = {0, 1, 2, 4, 5, 3, 3, 4, 5};
    EXPECT_EQ(mesh.indices, expected);
    EXPECT_FLOAT_EQ(Position(mesh, 4).x, 1.0f);  // copy of vertex 2
    EXPECT_FLOAT_EQ(Position(mesh, 4).y, 1.0f);
    EXPECT_FLOAT_EQ(Normal(mesh, 4).y, 1.0f);
    EXPECT_FLOAT_EQ(Normal(mesh, 2).z, -1.0f);
    EXPECT_FLOAT_EQ(Normal(mesh, 3).y, 1.0f);
    float uv[2];
    std::memcpy(uv, &mesh.vertices[5 * mesh.vertexStride + 24], sizeof uv);  // copy of vertex 1
    EXPECT_FLOAT_EQ(uv[0], 0.5f);
    EXPECT_FLOAT_EQ(uv[1], 0.0f);
}

TEST(MeshBuilding, ACubeWithFaceNormalsGetsTwoCopiesOfEveryCorner) {
    // Eight corners, each used by three faces with three normals: sixteen
    // copies, and every triangle's corners carry its face's normal.
    const MeshData mesh = MustLoad(
        "Mesh { 8; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 0;0;1;, 1;0;1;, 1;1;1;, 0;1;1;;\n"
        " 6; 4;0,3,2,1;, 4;4,5,6,7;, 4;0,1,5,4;, 4;3,7,6,2;, 4;0,4,7,3;, 4;1,2,6,5;;\n"
        " MeshNormals { 6; 0;0;-1;, 0;0;1;, 0;-1;0;, 0;1;0;, -1;0;0;, 1;0;0;;\n"
        "  6; 4;0,0,0,0;, 4;1,1,1,1;, 4;2,2,2,2;, 4;3,3,3,3;, 4;4,4,4,4;, 4;5,5,5,5;; } }");
    ASSERT_EQ(mesh.vertexCount, 24u);
    ASSERT_EQ(mesh.faceCount, 12u);
    const float expected[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
    std::vector<int> uses(24, 0);
    for (uint32_t f = 0; f < 12; ++f) {
        const float *n = expected[f / 2];
        for (int c = 0; c < 3; ++c) {
            const uint32_t v = mesh.indices[f * 3 + c];
            ASSERT_LT(v, 24u);
            ++uses[v];
            EXPECT_EQ(Normal(mesh, v).x, n[0]) << "face " << f;
            EXPECT_EQ(Normal(mesh, v).y, n[1]) << "face " << f;
            EXPECT_EQ(Normal(mesh, v).z, n[2]) << "face " << f;
        }
    }
    for (uint32_t v = 0; v < 24; ++v) EXPECT_GT(uses[v], 0) << v;  // no copy without a use
    // Face 2 (0, 1, 5, 4) needs the first copies: vertex 0, then vertex 1.
    EXPECT_EQ(mesh.indices[12], 8u);  // its first triangle
    EXPECT_EQ(mesh.indices[13], 9u);
    EXPECT_FLOAT_EQ(Position(mesh, 9).x, 1.0f);
    EXPECT_FLOAT_EQ(Position(mesh, 9).y, 0.0f);
}

TEST(MeshBuilding, FrameTransformsAccumulateLocalTimesParent) {
    // Parent scales x by 2; the child turns 90 degrees about z, then moves
    // by (1, 0, 0). Its matrix comes after the mesh and still applies.
    const MeshData mesh = MustLoad(
        "Frame parent { FrameTransformMatrix { 2,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }\n"
        " Frame child { Mesh { 1; 1;0;0;; 1; 3;0,0,0;; }\n"
        "  FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 1,0,0,1;; } } }\n"
        "Mesh top { 1; 1;0;0;; 1; 3;0,0,0;; }\n");
    ASSERT_EQ(mesh.vertexCount, 2u);
    EXPECT_FLOAT_EQ(Position(mesh, 0).x, 2.0f);  // (1,0,0) -> child (1,1,0) -> parent (2,1,0)
    EXPECT_FLOAT_EQ(Position(mesh, 0).y, 1.0f);
    EXPECT_FLOAT_EQ(Position(mesh, 1).x, 1.0f);  // top level: untouched
    EXPECT_EQ(mesh.indices[3], 1u);              // second mesh offset by the first's vertices
}

TEST(MeshBuilding, NormalsTakeTheInverseTransposeRenormalised) {
    const std::string normals = " MeshNormals { 1; 0.70710678;0.70710678;0;; 1; 3;0,0,0;; } }";
    const MeshData scaled = MustLoad("Frame { FrameTransformMatrix { 2,0,0,0, 0,1,0,0, 0,0,1,0, 5,6,7,1;; }\n"
                                     "Mesh { " + std::string(kTriangle) + normals + " }");
    EXPECT_NEAR(Normal(scaled, 0).x, 0.4472136f, 1e-6);
    EXPECT_NEAR(Normal(scaled, 0).y, 0.8944272f, 1e-6);
    EXPECT_NEAR(Normal(scaled, 0).z, 0.0f, 1e-6);
    const MeshData mirrored = MustLoad("Frame { FrameTransformMatrix { -1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }\n"
                                       "Mesh { " + std::string(kTriangle) + normals + " }");
    EXPECT_NEAR(Normal(mirrored, 0).x, -0.70710678f, 1e-6);
    EXPECT_NEAR(Normal(mirrored, 0).y, 0.70710678f, 1e-6);
}

TEST(MeshBuilding, MaterialsMergeInOrderAndFacesSortStably) {
    // Mesh A: four triangles with materials 1,0,1,0 of its own two; mesh B:
    // one triangle with its only material (global 2); mesh C has no list
    // and gets the shared default material after all others (global 3).
    const MeshData mesh = MustLoad(
        "Mesh A { 6; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;, 2;0;0;, 2;1;0;; 4; 3;0,1,2;, 3;1,3,2;, "
        "3;1,4,3;, 3;4,5,3;;\n"
        " MeshMaterialList { 2; 4; 1,0,1,0;; " +
        MaterialText(0.1f) + MaterialText(0.2f) +
        " } }\n"
        "Mesh B { " +
        std::string(kTriangle) + " MeshMaterialList { 1; 1; 0;; " + MaterialText(0.3f) +
        " } }\n"
        "Mesh C { " +
        std::string(kTriangle) + " }\n");
    ASSERT_EQ(mesh.materials.size(), 4u);
    EXPECT_FLOAT_EQ(mesh.materials[1].material.Diffuse.r, 0.2f);
    EXPECT_FLOAT_EQ(mesh.materials[2].material.Diffuse.r, 0.3f);
    EXPECT_FLOAT_EQ(mesh.materials[3].material.Diffuse.r, 0.5f);  // default
    EXPECT_FLOAT_EQ(mesh.materials[3].material.Diffuse.a, 0.0f);
    const std::vector<uint32_t> attributes = {0, 0, 1, 1, 2, 3};
    EXPECT_EQ(mesh.attributes, attributes);
    const std::vector<uint32_t> indices = {1, 3, 2, 4, 5, 3, 0, 1, 2, 1, 4, 3, 6, 7, 8, 9, 10, 11};
    EXPECT_EQ(mesh.indices, indices);
    ASSERT_EQ(mesh.attributeTable.size(), 4u);
    EXPECT_EQ(mesh.attributeTable[0].faceStart, 0u);
    EXPECT_EQ(mesh.attributeTable[0].vertexStart, 1u);
    EXPECT_EQ(mesh.attributeTable[0].vertexCount, 5u);
    EXPECT_EQ(mesh.attributeTable[2].faceStart, 4u);
    EXPECT_EQ(mesh.attributeTable[2].vertexStart, 6u);
    EXPECT_EQ(mesh.attributeTable[3].vertexStart, 9u);
    EXPECT_EQ(mesh.attributeTable[3].vertexCount, 3u);
}

TEST(MeshBuilding, MaterialsReferencedBeforeTheirDefinitionAreResolved) {
    // Both meshes name materials the file defines only at its end; the
    // second list declares one material fewer than it references.
    const MeshData mesh = MustLoad(
        "Mesh { " + std::string(kTriangle) + " MeshMaterialList { 2; 1; 1;; { Late } " +
        MaterialText(0.1f) +
        " } }\n"
        "Mesh { " +
        std::string(kTriangle) +
        " MeshMaterialList { 1; 1; 0;; { <0a0b0c0d-0000-0000-0000-000000000001> }"
        " { Late } } }\n"
        "Material Late { 0.25;0;0;1;; 1; 0;0;0;; 0;0;0;; }\n"
        "Material { <0A0B0C0D-0000-0000-0000-000000000001> 0.75;0;0;1;; 1; 0;0;0;; 0;0;0;; }\n");
    ASSERT_EQ(mesh.materials.size(), 3u);
    EXPECT_FLOAT_EQ(mesh.materials[0].material.Diffuse.r, 0.25f);
    EXPECT_FLOAT_EQ(mesh.materials[1].material.Diffuse.r, 0.1f);
    EXPECT_FLOAT_EQ(mesh.materials[2].material.Diffuse.r, 0.75f);
    const std::vector<uint32_t> attributes = {1, 2};
    EXPECT_EQ(mesh.attributes, attributes);
}

TEST(MeshBuilding, UnusedMaterialsStayAndOneIndexCoversAllFaces) {
    const MeshData mesh = MustLoad(QuadMesh("MeshMaterialList { 3; 1; 0;; " + MaterialText(0.1f) +
                                            MaterialText(0.2f) + MaterialText(0.3f) + " }"));
    ASSERT_EQ(mesh.materials.size(), 3u);
    ASSERT_EQ(mesh.attributeTable.size(), 3u);
    EXPECT_EQ(mesh.attributeTable[0].faceCount, 2u);
    EXPECT_EQ(mesh.attributeTable[1].faceCount, 0u);
    EXPECT_EQ(mesh.attributeTable[2].faceCount, 0u);
    EXPECT_EQ(mesh.attributeTable[2].faceStart, 2u);
}

TEST(MeshBuilding, FormatIsTheUnionOfWhatTheMeshesHold) {
    const MeshData mesh = MustLoad(
        "Mesh { " + std::string(kTriangle) +
        " MeshVertexColors { 2; 0;0.5;0.25;1.5;0;;, 2;1;1;1;1;;; } }\n"
        "Mesh { " + std::string(kTriangle) + " MeshTextureCoords { 3; 1;2;, 3;4;, 5;6;; } }\n");
    EXPECT_EQ(mesh.fvf, 0x142u);
    ASSERT_EQ(mesh.vertexStride, 24u);
    uint32_t colors[4];
    for (uint32_t v = 0; v < 4; ++v) std::memcpy(&colors[v], &mesh.vertices[v * 24 + 12], 4);
    EXPECT_EQ(colors[0], 0x008040FFu);  // rounded and clamped
    EXPECT_EQ(colors[1], 0x00FFFFFFu);  // no colour given
    EXPECT_EQ(colors[2], 0xFFFFFFFFu);
    EXPECT_EQ(colors[3], 0x00FFFFFFu);  // the second mesh has no colours
    float uv[2];
    std::memcpy(uv, &mesh.vertices[0 * 24 + 16], sizeof uv);
    EXPECT_EQ(uv[0], 0.0f);  // the first mesh has no coordinates
    std::memcpy(uv, &mesh.vertices[4 * 24 + 16], sizeof uv);
    EXPECT_EQ(uv[0], 3.0f);
}

TEST(MeshBuilding, MoreThan65535VerticesNeed32BitIndices) {
    for (uint32_t count : {65535u, 65536u}) {
        std::string body = "Mesh { " + std::to_string(count) + ";\n";
        for (uint32_t v = 0; v < count; ++v) body += std::to_string(v) + ";0;0;,";
        body += "; 1; 3;0,1," + std::to_string(count - 1) + ";; }";
        const MeshData mesh = MustLoad(body);
        EXPECT_EQ(mesh.use32BitIndices, count > 65535) << count;
    }
}

TEST(MeshBuilding, InconsistentMeshesAreErrors) {
    const std::string tri = kTriangle;
    EXPECT_NE(ErrorOf("Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }").find("at least 3"), std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; } }").find("faces"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }").find("indices"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }").find("normal 1 of 1"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " MeshTextureCoords { 2; 0;0;, 1;1;; } }").find("coordinates"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " MeshVertexColors { 1; 3;1;1;1;1;; } }").find("vertex 3"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " MeshMaterialList { 1; 1; 1;; " + MaterialText(1) + " } }")
                  .find("material 1"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " MeshMaterialList { 2; 1; 0;; " + MaterialText(1) + " } }")
                  .find("holds 1"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " MeshMaterialList { 1; 1; 0;; { Nowhere } } }\nMaterial Later { " +
                      "1;1;1;1;; 1; 0;0;0;; 0;0;0;; }").find("{Nowhere} names no material"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Mesh { " + tri + " 7; }").find("unexpected data"), std::string::npos);
    EXPECT_EQ(ErrorOf("Frame { }"), "the file holds no mesh");
    EXPECT_EQ(ErrorOf("Mesh { 0; 0; }"), "the meshes of the file hold no faces");
}

}  // namespace
}  // namespace morvel::formats::xfile
