// The loader on X files the tests write themselves, from memory and from
// disk, in every form: these need no shared fixtures and reach every path
// the fixtures reach (scripts/fixture_coverage.sh checks that).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "formats/xfile/mesh_bounds.h"
#include "formats/xfile/x_mesh_loader.h"
#include "generated_x_files.h"
#include "temp_folder.h"

namespace morvel::formats::xfile {
namespace {

using testing::Compressed;
using testing::GeneratedScene;
using testing::XForm;
using Bytes = std::vector<uint8_t>;

// Files in a folder of this process's own (test programs run side by side).
class TempFiles {
public:
    std::string Write(const std::string &name, const Bytes &bytes) const {
        const std::string path = folder_.Path(name);
        morvel::testing::WriteBytes(path, bytes);
        return path;
    }

private:
    morvel::testing::TempFolder folder_;
};

MeshData LoadBytes(const Bytes &file) {
    MeshData mesh;
    const LoadResult result = LoadMeshFromXMemory(file.data(), file.size(), mesh);
    EXPECT_TRUE(result.ok) << result.error;
    return mesh;
}

void ExpectSameMesh(const MeshData &mesh, const MeshData &expected) {
    EXPECT_EQ(mesh.fvf, expected.fvf);
    EXPECT_EQ(mesh.vertices, expected.vertices);
    EXPECT_EQ(mesh.indices, expected.indices);
    EXPECT_EQ(mesh.attributes, expected.attributes);
    EXPECT_EQ(mesh.adjacency, expected.adjacency);
    ASSERT_EQ(mesh.materials.size(), expected.materials.size());
    for (size_t m = 0; m < mesh.materials.size(); ++m) {
        EXPECT_EQ(std::memcmp(&mesh.materials[m].material, &expected.materials[m].material,
                              sizeof(Material)),
                  0);
        EXPECT_EQ(mesh.materials[m].textureFileName, expected.materials[m].textureFileName);
    }
}

struct Form {
    const char *name;
    Bytes file;
};

std::vector<Form> EveryForm() {
    const Bytes text = GeneratedScene(XForm::Text);
    const Bytes binary = GeneratedScene(XForm::Binary);
    // Small blocks, so each block's dictionary reaches into earlier ones.
    return {{"text.x", text},
            {"binary.x", binary},
            {"text_compressed.x", Compressed(text, 700)},
            {"binary_compressed.x", Compressed(binary, 300)}};
}

TEST(GeneratedXFiles, EveryFormFromMemoryAndFromDiskGivesTheSameMesh) {
    const MeshData expected = LoadBytes(GeneratedScene(XForm::Text));
    TempFiles files;
    for (const Form &form : EveryForm()) {
        SCOPED_TRACE(form.name);
        ExpectSameMesh(LoadBytes(form.file), expected);
        MeshData fromDisk;
        const LoadResult result = LoadMeshFromXFile(files.Write(form.name, form.file), fromDisk);
        ASSERT_TRUE(result.ok) << result.error;
        ExpectSameMesh(fromDisk, expected);
    }
}

TEST(GeneratedXFiles, TheMergedMeshHoldsBothMeshesWithTheirTransformsAndMaterials) {
    const MeshData mesh = LoadBytes(GeneratedScene(XForm::Binary));
    EXPECT_EQ(mesh.vertexCount, testing::kGeneratedVertices);
    EXPECT_EQ(mesh.faceCount, testing::kGeneratedFaces);
    EXPECT_EQ(mesh.fvf, testing::kGeneratedFvf);
    // The cube's translation; the quad through a rotation, a projective
    // transform that doubles it, a scale and two translations.
    const MeshBounds bounds = ComputeBounds(mesh);
    EXPECT_FLOAT_EQ(bounds.min.x, -3.0f);
    EXPECT_FLOAT_EQ(bounds.min.y, 1.5f);
    EXPECT_FLOAT_EQ(bounds.min.z, -0.5f);
    EXPECT_FLOAT_EQ(bounds.max.x, 1.0f);
    EXPECT_FLOAT_EQ(bounds.max.y, 4.0f);
    EXPECT_FLOAT_EQ(bounds.max.z, 0.5f);

    // By name, inline with a texture, inline with an absolute name as
    // written, and the quad's by GUID.
    ASSERT_EQ(mesh.materials.size(), 4u);
    EXPECT_FLOAT_EQ(mesh.materials[0].material.Diffuse.r, 0.5f);
    EXPECT_FLOAT_EQ(mesh.materials[0].material.Emissive.b, 0.125f);
    EXPECT_FALSE(mesh.materials[0].hasTexture);
    EXPECT_EQ(mesh.materials[1].textureFileName, "red.bmp");
    EXPECT_FLOAT_EQ(mesh.materials[1].material.Power, 16.0f);
    EXPECT_EQ(mesh.materials[2].textureFileName, R"(C:\\textures\\blue.tga)");
    EXPECT_FLOAT_EQ(mesh.materials[2].material.Diffuse.a, 0.5f);
    EXPECT_EQ(
        std::memcmp(&mesh.materials[3].material, &mesh.materials[0].material, sizeof(Material)), 0);
    // Faces sorted by material: 2 + 4 + 6 cube triangles, then the quad's 2.
    ASSERT_EQ(mesh.attributeTable.size(), 4u);
    const uint32_t faces[] = {2, 4, 6, 2};
    for (size_t m = 0; m < 4; ++m) EXPECT_EQ(mesh.attributeTable[m].faceCount, faces[m]) << m;

    // Corner 0 of the cube (r 0, g 0.5, b 0) is copied first: diffuse 0xFF008000.
    uint32_t diffuse = 0;
    std::memcpy(&diffuse, &mesh.vertices[24], 4);
    EXPECT_EQ(diffuse, 0xFF008000u);
}

TEST(GeneratedXFiles, TheMergedMeshConvertsToThePartFormatKeepingNormalsAndUvs) {
    const MeshData mesh = LoadBytes(GeneratedScene(XForm::Text));
    MeshData part;
    ASSERT_TRUE(CloneMeshData(mesh, 0x112, part));  // diffuse dropped
    ASSERT_EQ(part.vertexStride, 32u);
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        const uint8_t *from = &mesh.vertices[size_t{v} * mesh.vertexStride];
        const uint8_t *to = &part.vertices[size_t{v} * part.vertexStride];
        EXPECT_EQ(std::memcmp(to, from, 24), 0) << v;           // position and normal
        EXPECT_EQ(std::memcmp(to + 24, from + 28, 8), 0) << v;  // uv after the dropped colour
    }
}

TEST(GeneratedXFiles, BinaryAndCompressedFilesCutAnywhereFailCleanly) {
    const MeshData whole = LoadBytes(GeneratedScene(XForm::Text));
    for (const Form &form : EveryForm()) {
        if (std::string(form.name) == "text.x")
            continue;  // cut text is covered with the small file
        for (size_t size = 0; size < form.file.size(); ++size) {
            MeshData mesh;
            const LoadResult result = LoadMeshFromXMemory(form.file.data(), size, mesh);
            if (result.ok) {
                // Only a cut between the frame and the animation set leaves a
                // whole file, which has all there is to draw.
                ASSERT_EQ(form.name, std::string("binary.x")) << size;
                ExpectSameMesh(mesh, whole);
                continue;
            }
            ASSERT_EQ(result.error.find('\n'), std::string::npos) << result.error;
        }
    }
}

TEST(GeneratedXFiles, MangledFilesNeverCrash) {
    // A fixed pseudo-random walk of byte changes over each form; the loader
    // may accept or refuse, but must stay in bounds (the sanitized tree
    // checks that) and give a consistent mesh or one line.
    uint32_t seed = 54321;
    auto next = [&seed]() { return seed = seed * 1664525u + 1013904223u; };
    for (const Form &form : EveryForm()) {
        for (int round = 0; round < 300; ++round) {
            Bytes copy = form.file;
            for (int k = 0; k < 4; ++k) {
                copy[16 + next() % (copy.size() - 16)] = static_cast<uint8_t>(next() >> 24);
            }
            MeshData mesh;
            const LoadResult result = LoadMeshFromXMemory(copy.data(), copy.size(), mesh);
            if (result.ok) {
                ASSERT_EQ(mesh.indices.size(), size_t{mesh.faceCount} * 3);
                for (uint32_t index : mesh.indices) ASSERT_LT(index, mesh.vertexCount);
            } else {
                ASSERT_FALSE(result.error.empty());
                ASSERT_EQ(result.error.find('\n'), std::string::npos) << result.error;
            }
        }
    }
}

TEST(GeneratedXFiles, ALargeTextFileStreamsFromDiskAsItReadsFromMemory) {
    // Larger than the reader's window, with the window's end inside a
    // skipped block full of strings with braces.
    const Bytes file = testing::LargeTextFile(700 * 1024);
    TempFiles files;
    MeshData fromDisk;
    const LoadResult result = LoadMeshFromXFile(files.Write("large.x", file), fromDisk);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(fromDisk.faceCount, 1u);
    ExpectSameMesh(fromDisk, LoadBytes(file));

    // Cut inside the skipped block, past the window: the error names a line
    // far into the file.
    Bytes cut(file.begin(), file.begin() + 600 * 1024);
    MeshData mesh;
    const LoadResult failed = LoadMeshFromXFile(files.Write("cut.x", cut), mesh);
    EXPECT_FALSE(failed.ok);
    const size_t line = failed.error.find(": line ");
    ASSERT_NE(line, std::string::npos) << failed.error;
    EXPECT_GT(std::stoul(failed.error.substr(line + 7)), 10000u) << failed.error;
}

TEST(GeneratedXFiles, DamagedFilesOnDiskFailWithTheirPath) {
    TempFiles files;
    const Bytes binary = GeneratedScene(XForm::Binary);
    const Bytes compressed = Compressed(binary);
    const Bytes cases[] = {
        Bytes(binary.begin(), binary.begin() + 10),       // no whole header
        Bytes(binary.begin(), binary.end() - 3),          // binary cut short
        Bytes(compressed.begin(), compressed.end() - 5),  // compressed cut short
    };
    int n = 0;
    for (const Bytes &file : cases) {
        const std::string path = files.Write("damaged" + std::to_string(n++) + ".x", file);
        MeshData mesh;
        const LoadResult result = LoadMeshFromXFile(path, mesh);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error.rfind(path + ": ", 0), 0u) << result.error;
    }
}

}  // namespace
}  // namespace morvel::formats::xfile
