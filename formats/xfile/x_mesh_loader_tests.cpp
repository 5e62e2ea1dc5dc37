// The shared fixture files: real exporters' output with the results a
// D3DXLoadMeshFromX-like loader gives for them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fixture_files.h"
#include "formats/xfile/mesh_bounds.h"
#include "formats/xfile/x_mesh_loader.h"

namespace morvel::formats::xfile {
namespace {

std::string Fixture(const char *name) { return morvel::testing::FixturePath(std::string("x/") + name); }

MeshData LoadFixture(const char *name) {
    MeshData mesh;
    const LoadResult result = LoadMeshFromXFile(Fixture(name), mesh);
    EXPECT_TRUE(result.ok) << result.error;
    return mesh;
}

struct Expected {
    const char *file;
    uint32_t vertices;
    uint32_t triangles;
    uint32_t fvf;
    std::vector<uint32_t> facesPerMaterial;
    Vector3 min;
    Vector3 max;
};

void ExpectNear(const Vector3 &actual, const Vector3 &expected) {
    EXPECT_NEAR(actual.x, expected.x, 6e-6);
    EXPECT_NEAR(actual.y, expected.y, 6e-6);
    EXPECT_NEAR(actual.z, expected.z, 6e-6);
}

TEST(XFixtures, CountsSubsetsFormatsAndBoundsMatch) {
    MORVEL_REQUIRE_FIXTURES("x/test_cube_text.x", "x/test_cube_binary.x", "x/test_cube_compressed.x", "x/test.x",
                            "x/kwxport_test_cubewithvcolors.x", "x/anim_test.x", "x/BCN_Epileptic.X");
    const Expected expected[] = {
        {"test_cube_text.x", 24, 12, 0x112, {12}, {-1.0f, -1.000001f, -1.0f}, {1.0f, 1.0f, 1.0f}},
        {"test_cube_binary.x", 24, 12, 0x112, {12}, {-1.0f, -1.000001f, -1.0f}, {1.0f, 1.0f, 1.0f}},
        {"test_cube_compressed.x", 24, 12, 0x112, {12}, {-1.0f, -1.000001f, -1.0f}, {1.0f, 1.0f, 1.0f}},
        {"test.x", 24, 12, 0x112, {12}, {-0.820374f, -0.68044f, -0.820374f}, {0.820374f, 0.960307f, 0.820374f}},
        {"kwxport_test_cubewithvcolors.x", 24, 12, 0x152, {2, 2, 8}, {-0.492126f, -0.492126f, -0.492126f},
         {0.492126f, 0.492126f, 0.492126f}},
        {"anim_test.x", 1720, 840, 0x112, {840}, {-1, -5, -1}, {1, 5, 1}},
        {"BCN_Epileptic.X", 3014, 5126, 0x112, {5126}, {-0.308973f, -0.275913f, -1.024338f},
         {0.276998f, 0.487909f, 0.88189f}},
    };
    for (const Expected &e : expected) {
        SCOPED_TRACE(e.file);
        const MeshData mesh = LoadFixture(e.file);
        EXPECT_EQ(mesh.vertexCount, e.vertices);
        EXPECT_EQ(mesh.faceCount, e.triangles);
        EXPECT_EQ(mesh.fvf, e.fvf);
        EXPECT_FALSE(mesh.use32BitIndices);
        ASSERT_EQ(mesh.materials.size(), e.facesPerMaterial.size());
        ASSERT_EQ(mesh.attributeTable.size(), e.facesPerMaterial.size());
        uint32_t faceStart = 0;
        for (size_t m = 0; m < e.facesPerMaterial.size(); ++m) {
            const AttributeRange &range = mesh.attributeTable[m];
            EXPECT_EQ(range.attribId, m);
            EXPECT_EQ(range.faceStart, faceStart);
            EXPECT_EQ(range.faceCount, e.facesPerMaterial[m]);
            for (uint32_t f = range.faceStart; f < range.faceStart + range.faceCount; ++f) {
                ASSERT_EQ(mesh.attributes[f], m);
                for (int c = 0; c < 3; ++c) {
                    const uint32_t v = mesh.indices[f * 3 + c];
                    ASSERT_GE(v, range.vertexStart);
                    ASSERT_LT(v, range.vertexStart + range.vertexCount);
                }
            }
            faceStart += range.faceCount;
        }
        EXPECT_EQ(mesh.vertices.size(), size_t{mesh.vertexCount} * mesh.vertexStride);
        EXPECT_EQ(mesh.indices.size(), size_t{mesh.faceCount} * 3);
        EXPECT_EQ(mesh.adjacency.size(), size_t{mesh.faceCount} * 3);
        const MeshBounds bounds = ComputeBounds(mesh);
        ExpectNear(bounds.min, e.min);
        ExpectNear(bounds.max, e.max);
    }
}

TEST(XFixtures, TheCubeIsTheSameInTextBinaryAndCompressedForm) {
    MORVEL_REQUIRE_FIXTURES("x/test_cube_text.x", "x/test_cube_binary.x", "x/test_cube_compressed.x");
    const MeshData text = LoadFixture("test_cube_text.x");
    for (const char *other : {"test_cube_binary.x", "test_cube_compressed.x"}) {
        SCOPED_TRACE(other);
        const MeshData mesh = LoadFixture(other);
        EXPECT_EQ(mesh.vertices, text.vertices);
        EXPECT_EQ(mesh.indices, text.indices);
        EXPECT_EQ(mesh.attributes, text.attributes);
        EXPECT_EQ(mesh.adjacency, text.adjacency);
        ASSERT_EQ(mesh.materials.size(), 1u);
        // The text form rounds material colours to six decimals.
        const float *a = &mesh.materials[0].material.Diffuse.r;
        const float *b = &text.materials[0].material.Diffuse.r;
        for (size_t i = 0; i < sizeof(Material) / sizeof(float); ++i) EXPECT_NEAR(a[i], b[i], 1e-6) << i;
    }
}

TEST(XFixtures, MaterialsCarryFileColoursAndTextureNamesAsWritten) {
    MORVEL_REQUIRE_FIXTURES("x/test_cube_text.x", "x/test.x", "x/kwxport_test_cubewithvcolors.x",
                            "x/anim_test.x", "x/BCN_Epileptic.X");
    const MeshData cube = LoadFixture("test_cube_text.x");
    ASSERT_EQ(cube.materials.size(), 1u);
    const Material &m = cube.materials[0].material;  // referenced by { Material }
    EXPECT_FLOAT_EQ(m.Diffuse.r, 0.639216f);
    EXPECT_FLOAT_EQ(m.Diffuse.a, 1.0f);
    EXPECT_FLOAT_EQ(m.Power, 96.078430f);
    EXPECT_FLOAT_EQ(m.Specular.g, 0.498039f);
    EXPECT_FLOAT_EQ(m.Specular.a, 1.0f);
    EXPECT_FLOAT_EQ(m.Emissive.a, 1.0f);
    EXPECT_FLOAT_EQ(m.Ambient.r, 0.0f);
    EXPECT_FLOAT_EQ(m.Ambient.a, 1.0f);
    EXPECT_FALSE(cube.materials[0].hasTexture);

    const MeshData test = LoadFixture("test.x");
    ASSERT_EQ(test.materials.size(), 1u);
    EXPECT_TRUE(test.materials[0].hasTexture);
    EXPECT_EQ(test.materials[0].textureFileName, R"(.\\test.png)");

    const MeshData kw = LoadFixture("kwxport_test_cubewithvcolors.x");
    ASSERT_EQ(kw.materials.size(), 3u);
    EXPECT_EQ(kw.materials[1].textureFileName, R"(C:\\code\\sourceforge\\kwxport\\trunkMerged\\test\\data\\top.tga)");
    EXPECT_FLOAT_EQ(kw.materials[1].material.Power, 52.999996f);
    EXPECT_FLOAT_EQ(kw.materials[2].material.Specular.r, 0.7f);

    const MeshData anim = LoadFixture("anim_test.x");
    ASSERT_EQ(anim.materials.size(), 1u);
    EXPECT_FALSE(anim.materials[0].hasTexture);  // an empty name is no texture

    const MeshData body = LoadFixture("BCN_Epileptic.X");
    ASSERT_EQ(body.materials.size(), 1u);
    const Material &d = body.materials[0].material;
    EXPECT_FLOAT_EQ(d.Diffuse.r, 0.5f);
    EXPECT_FLOAT_EQ(d.Diffuse.a, 0.0f);
    EXPECT_FLOAT_EQ(d.Specular.b, 0.5f);
    EXPECT_FLOAT_EQ(d.Specular.a, 0.0f);
    EXPECT_FLOAT_EQ(d.Ambient.a, 0.0f);
    EXPECT_FLOAT_EQ(d.Emissive.a, 0.0f);
    EXPECT_FLOAT_EQ(d.Power, 0.0f);
    EXPECT_FALSE(body.materials[0].hasTexture);
}

TEST(XFixtures, VertexColoursBecomeArgbInTheDiffuseSlot) {
    MORVEL_REQUIRE_FIXTURES("x/kwxport_test_cubewithvcolors.x");
    const MeshData kw = LoadFixture("kwxport_test_cubewithvcolors.x");
    ASSERT_EQ(kw.vertexStride, 36u);  // position, normal, diffuse, uv
    uint32_t first, sixth;
    std::memcpy(&first, &kw.vertices[24], 4);
    std::memcpy(&sixth, &kw.vertices[6 * 36 + 24], 4);
    EXPECT_EQ(first, 0xFFFF0000u);  // 1, 0, 0, 1
    EXPECT_EQ(sixth, 0xFF00FF00u);  // 0, 1, 0, 1
}

TEST(XFixtures, ClosedCubesHaveANeighbourAcrossEveryEdge) {
    MORVEL_REQUIRE_FIXTURES("x/test_cube_text.x", "x/test.x", "x/kwxport_test_cubewithvcolors.x");
    for (const char *file : {"test_cube_text.x", "test.x", "kwxport_test_cubewithvcolors.x"}) {
        SCOPED_TRACE(file);
        const MeshData mesh = LoadFixture(file);
        for (size_t e = 0; e < mesh.adjacency.size(); ++e) {
            const uint32_t other = mesh.adjacency[e];
            ASSERT_LT(other, mesh.faceCount) << "edge " << e;
            ASSERT_NE(other, e / 3);
            bool backLink = false;
            for (int k = 0; k < 3; ++k) backLink |= mesh.adjacency[other * 3 + k] == e / 3;
            EXPECT_TRUE(backLink);
        }
    }
}

TEST(XFixtures, AMissingFileFailsWithItsPath) {
    MeshData mesh;
    const LoadResult result = LoadMeshFromXFile(Fixture("no_such_file.x"), mesh);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("no_such_file.x"), std::string::npos);
    EXPECT_EQ(result.error.find('\n'), std::string::npos);
}

TEST(XMeshLoader, TextureDirectoryIsCutAfterTheLastBackslash) {
    EXPECT_EQ(TextureDirectoryOf(".\\parts\\arm.x"), ".\\parts\\");
    EXPECT_EQ(TextureDirectoryOf("arm.x"), "");
    EXPECT_EQ(TextureDirectoryOf("C:\\"), "C:\\");
    // The trail byte 0x5C of a double-byte character is not a separator.
    EXPECT_EQ(TextureDirectoryOf(".\\\x95\x5C.x"), ".\\");
}

}  // namespace
}  // namespace morvel::formats::xfile
