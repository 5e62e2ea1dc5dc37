#include <gtest/gtest.h>

#include "fixture_files.h"
#include "generated_x_files.h"
#include "render/fakes/fake_assets.h"
#include "render/fakes/recording_device.h"
#include "render/part_mesh.h"
#include "temp_folder.h"

namespace {

using namespace morvel::render;
using morvel::Material;
namespace fvf = morvel::fvf;
namespace meshopt = morvel::meshopt;
using fakes::FakeAssets;
using fakes::MakeMesh;
using fakes::RecordingDevice;

class PartMeshTest : public ::testing::Test {
protected:
    void SetUp() override { FakeAssets::Reset(); }
    void TearDown() override { FakeAssets::Reset(); }
    RecordingDevice device;
    const AssetLoaders &loaders = FakeAssets::Loaders();
};

TEST_F(PartMeshTest, MaterialsTakeDiffuseAsAmbientAndTexturesJoinTheXFileFolder) {
    FakeAssets::meshes[".\\figure\\body.x"] =
        MakeMesh(kPartMeshFvf, 3, {"skin.bmp", "", "C:\\abs\\cloth.png"});
    FakeAssets::textures = {".\\figure\\skin.bmp", "C:\\abs\\cloth.png"};
    PartMesh record;
    ASSERT_TRUE(LoadPartMesh(device, ".\\figure\\body.x", record, loaders));
    ASSERT_TRUE(record.mesh);
    EXPECT_EQ(record.materialCount, 3u);
    ASSERT_EQ(record.materials.size(), 3u);
    for (const Material &m : record.materials) {
        EXPECT_EQ(m.Ambient.r, m.Diffuse.r);
        EXPECT_EQ(m.Ambient.a, m.Diffuse.a);
    }
    EXPECT_FLOAT_EQ(record.materials[1].Diffuse.r, 0.2f);
    // A full path is still appended to the folder, so it fails quietly.
    EXPECT_EQ(FakeAssets::textureRequests,
              (std::vector<std::string>{".\\figure\\skin.bmp", ".\\figure\\C:\\abs\\cloth.png"}));
    EXPECT_TRUE(record.textures[0]);
    EXPECT_FALSE(record.textures[1]);
    EXPECT_FALSE(record.textures[2]);
    EXPECT_TRUE(record.adjacency);
    EXPECT_EQ(record.adjacency->GetBufferSize(), 6u * 3 * 4);
    EXPECT_TRUE(FakeAssets::clonedTo.empty());  // already 0x112: normals of the file kept
    EXPECT_EQ(FakeAssets::normalsComputed, 0);
}

TEST_F(PartMeshTest, OtherFormatsAreClonedTo0x112WithComputedNormals) {
    FakeAssets::meshes["a.x"] = MakeMesh(fvf::kXyz | fvf::kNormal | fvf::kDiffuse | fvf::kTex1, 1);
    FakeAssets::meshes["b.x"] = MakeMesh(fvf::kXyz, 1);
    for (const char *path : {"a.x", "b.x"}) {
        PartMesh record;
        ASSERT_TRUE(LoadPartMesh(device, path, record, loaders));
        ASSERT_TRUE(record.mesh);
        EXPECT_EQ(record.mesh->GetFVF(), kPartMeshFvf);
        EXPECT_EQ(record.mesh->GetOptions(), meshopt::kManaged);
    }
    EXPECT_EQ(FakeAssets::clonedTo, (std::vector<uint32_t>{0x112, 0x112}));
    EXPECT_EQ(FakeAssets::normalsComputed, 2);
}

TEST_F(PartMeshTest, MissingFileAndFailedCloneLeaveNoMeshAndReleaseIsRepeatable) {
    PartMesh missing;
    EXPECT_FALSE(LoadPartMesh(device, ".\\none.x", missing, loaders));
    EXPECT_FALSE(missing.mesh);
    EXPECT_FALSE(missing.adjacency);
    ReleasePartMesh(missing);
    ReleasePartMesh(missing);

    FakeAssets::meshes["c.x"] = MakeMesh(fvf::kXyz, 1, {"t.bmp"});
    FakeAssets::textures = {"t.bmp"};
    FakeAssets::cloneFails = true;
    PartMesh cloneFailed;
    EXPECT_TRUE(LoadPartMesh(device, "c.x", cloneFailed, loaders));
    EXPECT_FALSE(cloneFailed.mesh);
    EXPECT_EQ(device.liveTextures, 1);
    ReleasePartMesh(cloneFailed);  // frees the arrays even without a mesh
    EXPECT_EQ(device.liveTextures, 0);
    EXPECT_TRUE(cloneFailed.materials.empty());
    ReleasePartMesh(cloneFailed);
}

TEST_F(PartMeshTest, DrawSubsetIsOneIndexedDrawOfItsAttributeRange) {
    FakeAssets::meshes["m.x"] = MakeMesh(kPartMeshFvf, 2);
    PartMesh record;
    ASSERT_TRUE(LoadPartMesh(device, "m.x", record, loaders));
    device.ClearCalls();
    record.mesh->DrawSubset(1);
    record.mesh->DrawSubset(7);  // no faces: nothing drawn
    EXPECT_EQ(device.Names(), (std::vector<std::string>{"SetVertexShader", "SetStreamSource",
                                                         "SetIndices", "DrawIndexedPrimitive"}));
    EXPECT_EQ(device.calls[0].args, (std::vector<uint32_t>{0x112}));
    EXPECT_EQ(device.calls[1].args, (std::vector<uint32_t>{0, 32}));
    EXPECT_EQ(device.calls[3].args, (std::vector<uint32_t>{kTriangleList, 4, 4, 6, 2}));
}

TEST_F(PartMeshTest, InconsistentMeshDataIsRefusedBeforeReachingTheDevice) {
    morvel::formats::xfile::MeshData bad = MakeMesh(kPartMeshFvf, 1);
    bad.indices[2] = 99;  // past the vertices
    FakeAssets::meshes["bad.x"] = bad;
    morvel::formats::xfile::MeshData shortVertices = MakeMesh(kPartMeshFvf, 1);
    shortVertices.vertices.resize(10);
    FakeAssets::meshes["short.x"] = shortVertices;
    morvel::formats::xfile::MeshData badRange = MakeMesh(kPartMeshFvf, 1);
    badRange.attributeTable[0].faceCount = 50;
    FakeAssets::meshes["range.x"] = badRange;
    for (const char *path : {"bad.x", "short.x", "range.x"}) {
        PartMesh record;
        EXPECT_FALSE(LoadPartMesh(device, path, record, loaders)) << path;
        EXPECT_FALSE(record.mesh);
    }
    EXPECT_EQ(device.Count("CreateVertexBuffer"), 0u);
}

TEST_F(PartMeshTest, SixteenBitIndicesUnlessTheMeshNeedsThirtyTwo) {
    FakeAssets::meshes["m.x"] = MakeMesh(kPartMeshFvf, 1);
    PartMesh record;
    ASSERT_TRUE(LoadPartMesh(device, "m.x", record, loaders));
    const auto created = device.Find("CreateIndexBuffer");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0]->args, (std::vector<uint32_t>{12, 0}));
}

}  // namespace

namespace {

using namespace morvel::render;
using morvel::Material;
namespace fvf = morvel::fvf;
namespace meshopt = morvel::meshopt;

// The real X-file reader and texture decoder behind the D3DX functions,
// with a document-style path ('\' separators) to the shared fixtures.
std::string FixturePath(const std::string &name) {
    std::string path = morvel::testing::FixturePath("x/" + name);
    for (char &c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// The tests' own X file and texture, in a folder of their own.
TEST(PartMeshFromFiles, GeneratedSceneLoadsWithItsTextureFromTheXFileFolder) {
    namespace x = morvel::formats::xfile::testing;
    const morvel::testing::TempFolder folder;
    morvel::testing::WriteBytes(folder.Path("scene.x"),
                                x::Compressed(x::GeneratedScene(x::XForm::Binary)));
    morvel::testing::WriteBytes(folder.Path("red.bmp"), x::RedBitmap());
    std::string path = folder.Path("scene.x");
    for (char &c : path) {
        if (c == '/') c = '\\';
    }

    fakes::RecordingDevice device;
    PartMesh record;
    ASSERT_TRUE(LoadPartMesh(device, path, record));
    ASSERT_TRUE(record.mesh);
    EXPECT_EQ(record.mesh->GetFVF(), kPartMeshFvf);  // 0x152 in the file
    EXPECT_EQ(record.mesh->GetNumFaces(), x::kGeneratedFaces);
    EXPECT_EQ(record.mesh->GetNumVertices(), x::kGeneratedVertices);
    ASSERT_EQ(record.materialCount, 4u);
    ASSERT_EQ(record.textures.size(), 4u);
    EXPECT_FALSE(record.textures[0]);  // no texture
    EXPECT_TRUE(record.textures[1]);   // red.bmp beside the X file
    EXPECT_FALSE(record.textures[2]);  // "C:\\textures\\..." appended to the folder: not found
    EXPECT_EQ(device.Count("CreateTexture"), 1u);
    device.ClearCalls();
    record.mesh->DrawSubset(2);
    ASSERT_EQ(device.Count("DrawIndexedPrimitive"), 1u);
    EXPECT_EQ(device.Find("DrawIndexedPrimitive")[0]->args.back(), 6u);
}

TEST(PartMeshFromFiles, FixtureCubeKeepsItsFormatAndDrawsTwelveFaces) {
    MORVEL_REQUIRE_FIXTURES("x/test_cube_text.x");
    fakes::RecordingDevice device;
    PartMesh record;
    ASSERT_TRUE(LoadPartMesh(device, FixturePath("test_cube_text.x"), record));
    ASSERT_TRUE(record.mesh);
    EXPECT_EQ(record.mesh->GetFVF(), kPartMeshFvf);
    EXPECT_EQ(record.mesh->GetNumFaces(), 12u);
    EXPECT_EQ(record.materialCount, 1u);
    device.ClearCalls();
    record.mesh->DrawSubset(0);
    ASSERT_EQ(device.Count("DrawIndexedPrimitive"), 1u);
    EXPECT_EQ(device.Find("DrawIndexedPrimitive")[0]->args.back(), 12u);
}

TEST(PartMeshFromFiles, VertexColourCubeIsConvertedAndAbsoluteTextureNamesFailQuietly) {
    MORVEL_REQUIRE_FIXTURES("x/kwxport_test_cubewithvcolors.x");
    fakes::RecordingDevice device;
    PartMesh record;
    ASSERT_TRUE(LoadPartMesh(device, FixturePath("kwxport_test_cubewithvcolors.x"), record));
    ASSERT_TRUE(record.mesh);
    EXPECT_EQ(record.mesh->GetFVF(), kPartMeshFvf);  // 0x152 in the file
    EXPECT_EQ(record.materialCount, 3u);
    for (const Material &m : record.materials) EXPECT_EQ(m.Ambient.g, m.Diffuse.g);
    // "C:\\code\\...\\bottom.tga" is appended to the fixture folder and so not found.
    for (const auto &texture : record.textures) EXPECT_FALSE(texture);
    EXPECT_EQ(device.Count("CreateTexture"), 0u);
}

TEST(PartMeshFromFiles, RelativeTextureNameLoadsFromTheXFileFolder) {
    MORVEL_REQUIRE_FIXTURES("x/test.x", "x/test.png");
    fakes::RecordingDevice device;
    PartMesh record;
    ASSERT_TRUE(LoadPartMesh(device, FixturePath("test.x"), record));  // names ".\\test.png"
    ASSERT_EQ(record.textures.size(), 1u);
    EXPECT_TRUE(record.textures[0]);
    const auto created = device.Find("CreateTexture");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_GT(created[0]->args[3], 1u);  // a mip chain
}

TEST(PartMeshFromFiles, MissingFileFails) {
    fakes::RecordingDevice device;
    PartMesh record;
    EXPECT_FALSE(LoadPartMesh(device, FixturePath("no_such_part.x"), record));
    EXPECT_FALSE(record.mesh);
}

}  // namespace
