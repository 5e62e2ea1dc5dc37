// The writer against the loader: a scene written as text reads back as the
// same frames and meshes, and merges into the same mesh, for our generated
// files and for the files other exporters wrote.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "fixture_files.h"
#include "formats/xfile/x_file_writer.h"
#include "formats/xfile/x_mesh_loader.h"
#include "generated_x_files.h"
#include "temp_folder.h"

namespace morvel::formats::xfile {
namespace {

using Bytes = std::vector<uint8_t>;

XScene ReadScene(const Bytes &file) {
    XScene scene;
    const LoadResult result = LoadSceneFromXMemory(file.data(), file.size(), scene);
    EXPECT_TRUE(result.ok) << result.error;
    return scene;
}

Bytes Written(const XScene &scene) {
    std::string text, error;
    EXPECT_TRUE(WriteXText(scene, text, error)) << error;
    return Bytes(text.begin(), text.end());
}

bool SameMaterial(const MaterialData &a, const MaterialData &b) {
    return std::memcmp(&a.material, &b.material, sizeof a.material) == 0 &&
           a.hasTexture == b.hasTexture && a.textureFileName == b.textureFileName;
}

void ExpectSameScene(const XScene &read, const XScene &expected, const std::string &what) {
    ASSERT_EQ(read.frames.size(), expected.frames.size()) << what;
    for (size_t f = 0; f < read.frames.size(); ++f) {
        EXPECT_EQ(read.frames[f].parent, expected.frames[f].parent) << what << " frame " << f;
        EXPECT_EQ(std::memcmp(&read.frames[f].local, &expected.frames[f].local, sizeof(Matrix)), 0)
            << what << " frame " << f;
    }
    ASSERT_EQ(read.meshes.size(), expected.meshes.size()) << what;
    for (size_t m = 0; m < read.meshes.size(); ++m) {
        const FileMesh &a = read.meshes[m], &b = expected.meshes[m];
        const std::string mesh = what + " mesh " + std::to_string(m);
        EXPECT_EQ(a.frame, b.frame) << mesh;
        EXPECT_EQ(a.vertexCount, b.vertexCount) << mesh;
        EXPECT_EQ(a.positions, b.positions) << mesh;
        EXPECT_EQ(a.faceStarts, b.faceStarts) << mesh;
        EXPECT_EQ(a.faceIndices, b.faceIndices) << mesh;
        EXPECT_EQ(a.hasNormals, b.hasNormals) << mesh;
        EXPECT_EQ(a.normals, b.normals) << mesh;
        EXPECT_EQ(a.faceNormalIndices, b.faceNormalIndices) << mesh;
        EXPECT_EQ(a.hasTexCoords, b.hasTexCoords) << mesh;
        EXPECT_EQ(a.texCoords, b.texCoords) << mesh;
        EXPECT_EQ(a.hasColors, b.hasColors) << mesh;
        EXPECT_EQ(a.colors, b.colors) << mesh;
        EXPECT_EQ(a.hasMaterialList, b.hasMaterialList) << mesh;
        EXPECT_EQ(a.faceMaterials, b.faceMaterials) << mesh;
        ASSERT_EQ(a.materials.size(), b.materials.size()) << mesh;
        for (size_t i = 0; i < a.materials.size(); ++i) {
            EXPECT_TRUE(SameMaterial(a.materials[i], b.materials[i])) << mesh << " material " << i;
        }
    }
}

void ExpectSameMergedMesh(const Bytes &written, const Bytes &original, const std::string &what) {
    MeshData a, b;
    ASSERT_TRUE(LoadMeshFromXMemory(written.data(), written.size(), a).ok) << what;
    ASSERT_TRUE(LoadMeshFromXMemory(original.data(), original.size(), b).ok) << what;
    EXPECT_EQ(a.fvf, b.fvf) << what;
    EXPECT_EQ(a.vertices, b.vertices) << what;
    EXPECT_EQ(a.indices, b.indices) << what;
    EXPECT_EQ(a.attributeTable.size(), b.attributeTable.size()) << what;
    ASSERT_EQ(a.materials.size(), b.materials.size()) << what;
    for (size_t i = 0; i < a.materials.size(); ++i) {
        EXPECT_TRUE(SameMaterial(a.materials[i], b.materials[i])) << what << " material " << i;
    }
}

void ExpectRoundTrip(const Bytes &original, const std::string &what) {
    const XScene scene = ReadScene(original);
    const Bytes written = Written(scene);
    ExpectSameScene(ReadScene(written), scene, what);
    ExpectSameMergedMesh(written, original, what);
    EXPECT_EQ(Written(ReadScene(written)), written) << what << ": writing is stable";
}

TEST(XFileWriter, GeneratedScenesReadBackAsTheyWere) {
    ExpectRoundTrip(testing::GeneratedScene(testing::XForm::Text), "text");
    ExpectRoundTrip(testing::GeneratedScene(testing::XForm::Binary), "binary");
}

TEST(XFileWriter, OtherExportersFilesReadBackAsTheyWere) {
    const char *files[] = {"x/test_cube_compressed.x", "x/test.x", "x/kwxport_test_cubewithvcolors.x",
                           "x/anim_test.x", "x/BCN_Epileptic.X"};
    MORVEL_REQUIRE_FIXTURES("x/test_cube_compressed.x", "x/test.x",
                            "x/kwxport_test_cubewithvcolors.x", "x/anim_test.x",
                            "x/BCN_Epileptic.X");
    for (const char *file : files) {
        ExpectRoundTrip(morvel::testing::ReadBytes(morvel::testing::FixturePath(file)), file);
    }
}

TEST(XFileWriter, ExtremeNumbersKeepTheirBitsAndWhatTextCannotHoldIsRefused) {
    XScene scene;
    FileFrame frame;
    frame.local.m[3][0] = 1e-40f;  // a denormal
    frame.local.m[3][1] = -3.4e38f;
    frame.local.m[3][2] = -0.0f;
    scene.frames.push_back(frame);
    FileMesh mesh;
    mesh.frame = 0;
    mesh.vertexCount = 3;
    mesh.positions = {0.1f, 1e-7f, 123456.789f, 1, 0, 0, 0, 1, 0};
    mesh.faceStarts = {0, 3};
    mesh.faceIndices = {0, 1, 2};
    mesh.hasMaterialList = true;
    mesh.faceMaterials = {0};
    mesh.materials.resize(1);
    mesh.materials[0].hasTexture = true;
    mesh.materials[0].textureFileName = "C:\\textures\\\x83\x5c.png";  // a second byte '\'
    scene.meshes.push_back(mesh);
    const Bytes written = Written(scene);
    const XScene read = ReadScene(written);
    ASSERT_EQ(read.frames.size(), 1u);
    EXPECT_EQ(read.frames[0].local.m[3][0], 1e-40f);
    EXPECT_EQ(read.frames[0].local.m[3][1], -3.4e38f);
    ASSERT_EQ(read.meshes.size(), 1u);
    EXPECT_EQ(read.meshes[0].positions, mesh.positions);
    EXPECT_EQ(read.meshes[0].materials.at(0).textureFileName, mesh.materials[0].textureFileName);

    std::string text, error;
    XScene quoted = scene;
    quoted.meshes[0].materials[0].textureFileName = "a\"b.png";
    EXPECT_FALSE(WriteXText(quoted, text, error));
    EXPECT_NE(error.find("quote"), std::string::npos) << error;
    XScene infinite = scene;
    infinite.meshes[0].positions[4] = INFINITY;
    EXPECT_FALSE(WriteXText(infinite, text, error));
    XScene broken = scene;
    broken.meshes[0].faceIndices[2] = 3;
    EXPECT_FALSE(WriteXText(broken, text, error));
    EXPECT_EQ(error, "mesh 0: a face uses a vertex the mesh does not have");
    XScene orphan = scene;
    orphan.frames[0].parent = 0;
    EXPECT_FALSE(WriteXText(orphan, text, error));
    EXPECT_TRUE(text.empty()) << "nothing is written on failure";
}

}  // namespace
}  // namespace morvel::formats::xfile
