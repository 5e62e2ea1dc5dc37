// Figures from glTF and OBJ files: the baked poses put every vertex where a
// glTF or OBJ viewer shows it (Z mirrored into the editor's view), names and
// limits become messages, and the folder appears whole or not at all.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "convert/figure_import.h"
#include "convert/gltf_buffer.h"
#include "convert/pose_decomposition.h"
#include "fixture_files.h"
#include "formats/xfile/x_mesh_loader.h"
#include "mvllib/mvllib.h"
#include "temp_folder.h"
#include "test_image_builders.h"

namespace morvel::convert {
namespace {

using morvel::testing::TempFolder;

// A model with one unit triangle mesh (vertex 1 at (1, 0, 0)) and nodes.
struct ModelBuilder {
    tinygltf::Model model;
    BufferBuilder buffer{model};

    ModelBuilder() {
        model.asset.version = "2.0";
        tinygltf::Primitive primitive;
        primitive.attributes["POSITION"] = buffer.AddFloats({0, 0, 0, 1, 0, 0, 0, 1, 0}, TINYGLTF_TYPE_VEC3, 0, true);
        primitive.mode = TINYGLTF_MODE_TRIANGLES;
        tinygltf::Mesh mesh;
        mesh.primitives.push_back(primitive);
        model.meshes.push_back(mesh);
    }
    int Node(const std::string &name, int mesh, std::vector<double> translation = {},
             std::vector<double> rotation = {}, std::vector<double> scale = {}) {
        tinygltf::Node node;
        node.name = name;
        node.mesh = mesh;
        node.translation = translation;
        node.rotation = rotation;
        node.scale = scale;
        model.nodes.push_back(node);
        return static_cast<int>(model.nodes.size() - 1);
    }
    void Channel(tinygltf::Animation &animation, int node, const char *path, const char *interpolation,
                 const std::vector<float> &times, const std::vector<float> &values, int type) {
        tinygltf::AnimationSampler sampler;
        sampler.input = buffer.AddFloats(times, TINYGLTF_TYPE_SCALAR, 0, true);
        sampler.output = buffer.AddFloats(values, type, 0, false);
        sampler.interpolation = interpolation;
        animation.samplers.push_back(sampler);
        tinygltf::AnimationChannel channel;
        channel.sampler = static_cast<int>(animation.samplers.size() - 1);
        channel.target_node = node;
        channel.target_path = path;
        animation.channels.push_back(channel);
    }
    std::string Write(const TempFolder &folder, const std::string &name) {
        std::ostringstream stream;
        tinygltf::TinyGLTF writer;
        writer.WriteGltfSceneToStream(&model, stream, false, false);
        const std::string text = stream.str();
        morvel::testing::WriteBytes(folder.Path(name), std::vector<uint8_t>(text.begin(), text.end()));
        return folder.Path(name);
    }
};

struct LoadedFigure {
    MotionDocument document{};
    LoadedFigure(const std::string &path) {
        Mvl_Func_ObjectInit(&document);
        EXPECT_EQ(Mvl_Func_Load(&document, path.c_str(), ""), MVL_LOAD_OK) << path;
    }
    ~LoadedFigure() { Mvl_Func_Delete(&document); }
};

// Where the editor draws a point of a part's X file for a position.
std::array<double, 3> Posed(const PositionEntry &p, const std::array<double, 3> &point) {
    EditorPose pose;
    pose.scale = {p.scale.x, p.scale.y, p.scale.z};
    pose.rotation = {p.rotation.x, p.rotation.y, p.rotation.z};
    pose.translation = {p.translation.x, p.translation.y, p.translation.z};
    const RowMatrix m = PoseMatrix(pose);
    std::array<double, 3> out{};
    for (int j = 0; j < 3; ++j) out[j] = point[0] * m[0][j] + point[1] * m[1][j] + point[2] * m[2][j] + m[3][j];
    return out;
}

void ExpectNear(const std::array<double, 3> &a, const std::array<double, 3> &b, double tolerance, const std::string &what) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], tolerance) << what << " component " << i;
}

TEST(GltfImport, TheHierarchyIsBakedIntoEveryFrameWhereViewersShowIt) {
    TempFolder folder;
    ModelBuilder gltf;
    const double h = std::sqrt(0.5);
    const int parent = gltf.Node("parent", -1, {1, 2, 3}, {0, h, 0, h});  // a quarter turn about Y
    const int child = gltf.Node("child", 0, {0, 0, 1}, {}, {2, 2, 2});
    gltf.model.nodes[size_t(parent)].children.push_back(child);
    tinygltf::Animation walk;
    walk.name = "walk";
    gltf.Channel(walk, parent, "translation", "LINEAR", {0, 1}, {1, 2, 3, 1, 12, 3}, TINYGLTF_TYPE_VEC3);
    // Ends early: holds its last scale after 0.5 s.
    gltf.Channel(walk, child, "scale", "STEP", {0, 0.5f}, {2, 2, 2, 1, 1, 1}, TINYGLTF_TYPE_VEC3);
    gltf.model.animations.push_back(walk);
    const std::string input = gltf.Write(folder, "walker.gltf");

    GltfImportOptions options;
    options.framesPerSecond = 4;
    const ImportReport report = ImportGltf(input, folder.Path("figure"), options);
    ASSERT_TRUE(report.ok) << report.error;
    EXPECT_TRUE(report.warnings.empty()) << report.warnings[0];
    EXPECT_EQ(report.parts, 1u);
    LoadedFigure figure(folder.Path("figure/walker.mvl"));
    ASSERT_EQ(figure.document.header.motionCount, 1);
    EXPECT_STREQ(figure.document.parts[0].fileName, ".\\child.x");
    const MotionEntry &motion = figure.document.motions[0];
    EXPECT_STREQ(motion.name, "walk");
    ASSERT_EQ(motion.frameCount, 5) << "0, 0.25, 0.5, 0.75 and 1 s";
    for (uint16_t f = 0; f < motion.frameCount; ++f) {
        const double t = f * 0.25, scale = t < 0.5 ? 2 : 1;
        // The child's (1, 0, 0): scaled, moved 1 along Z, turned about Y
        // (Z becomes X, X becomes -Z), moved by the parent; then Z mirrored.
        const std::array<double, 3> viewer = {1 + 1, 2 + 10 * t, 3 - scale};
        ExpectNear(Posed(motion.frames[f].positions[0], {1, 0, 0}), {viewer[0], viewer[1], -viewer[2]}, 1e-4,
                   "frame " + std::to_string(f));
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path("figure/../figure.new")));
}

TEST(GltfImport, FixturesFromOtherToolsBecomeTheExpectedFigures) {
    MORVEL_REQUIRE_FIXTURES("gltf/AnimatedTriangle/AnimatedTriangle.gltf", "gltf/SimpleMeshes/SimpleMeshes.gltf",
                            "gltf/BoxVertexColors/BoxVertexColors.gltf");
    struct Case {
        const char *file;
        bool keys;
        size_t parts, motions, frames, xFiles;
    };
    const Case cases[] = {
        {"gltf/AnimatedTriangle/AnimatedTriangle.gltf", false, 1, 1, 11, 1},
        {"gltf/AnimatedTriangle/AnimatedTriangle.gltf", true, 1, 1, 5, 1},
        {"gltf/SimpleMeshes/SimpleMeshes.gltf", false, 2, 1, 1, 1},
        {"gltf/BoxVertexColors/BoxVertexColors.gltf", false, 1, 1, 1, 1},
    };
    for (const Case &c : cases) {
        TempFolder folder;
        GltfImportOptions options;
        options.keyFrames = c.keys;
        const ImportReport report = ImportGltf(morvel::testing::FixturePath(c.file), folder.Path("out"), options);
        ASSERT_TRUE(report.ok) << c.file << ": " << report.error;
        EXPECT_EQ(report.parts, c.parts) << c.file;
        EXPECT_EQ(report.motions, c.motions) << c.file;
        EXPECT_EQ(report.frames, c.frames) << c.file;
        size_t xFiles = 0;
        for (const auto &entry : std::filesystem::directory_iterator(folder.Path("out"))) {
            if (entry.path().extension() != ".x") continue;
            ++xFiles;
            formats::xfile::MeshData mesh;
            EXPECT_TRUE(formats::xfile::LoadMeshFromXFile(entry.path().string(), mesh).ok) << entry.path();
            if (std::string(c.file).find("VertexColors") != std::string::npos) {
                EXPECT_NE(mesh.fvf & fvf::kDiffuse, 0u) << "the vertex colours come along";
            }
        }
        EXPECT_EQ(xFiles, c.xFiles) << c.file;
    }
    // The full turn in 1 s at 10 a second: 36 degrees a frame about Z.
    TempFolder folder;
    ASSERT_TRUE(ImportGltf(morvel::testing::FixturePath(cases[0].file), folder.Path("out"), {}).ok);
    LoadedFigure figure(folder.Path("out/AnimatedTriangle.mvl"));
    EXPECT_EQ(figure.document.motions[0].frames[1].positions[0].rotation.z, 36);
    EXPECT_EQ(figure.document.motions[0].frames[6].positions[0].rotation.z, -144);
    // A unit triangle: the camera comes close enough to see it, not 300 away.
    EXPECT_GE(figure.document.header.cameraDistance, 3);
    EXPECT_LE(figure.document.header.cameraDistance, 10);
}

TEST(GltfImport, NamesLimitsAndLeftOutFeaturesBecomeMessages) {
    TempFolder folder;
    ModelBuilder gltf;
    gltf.model.meshes.push_back(gltf.model.meshes[0]);
    gltf.model.meshes.push_back(gltf.model.meshes[0]);
    gltf.Node(u8"ロボ\U0001F600", 0);  // an emoji code page 932 lacks
    gltf.Node(std::string(70, 'a'), 1);  // beyond the 64-byte field
    gltf.Node(u8"ロボ\U0001F600", 2);  // the same name again
    const int skinned = gltf.Node("skinned", 0);
    gltf.model.nodes[size_t(skinned)].skin = 0;
    gltf.model.skins.emplace_back();
    gltf.model.skins[0].joints.push_back(skinned);
    gltf.Node("sheared parent", -1, {}, {0, 0, std::sin(0.4), std::cos(0.4)}, {1, 3, 1});
    const int sheared = gltf.Node("sheared", 0, {}, {0, 0, std::sin(0.3), std::cos(0.3)});
    gltf.model.nodes[4].children.push_back(sheared);
    const ImportReport report = ImportGltf(gltf.Write(folder, "odd.gltf"), folder.Path("out"), {});
    ASSERT_TRUE(report.ok) << report.error;
    LoadedFigure figure(folder.Path("out/odd.mvl"));
    ASSERT_EQ(figure.document.header.partCount, 5);
    EXPECT_STREQ(figure.document.parts[0].fileName, ".\\\x83\x8d\x83\x7b_.x");
    EXPECT_EQ(std::string(figure.document.parts[1].fileName), ".\\" + std::string(59, 'a') + ".x");
    EXPECT_STREQ(figure.document.parts[2].fileName, ".\\\x83\x8d\x83\x7b__2.x");
    EXPECT_STREQ(figure.document.parts[3].fileName, figure.document.parts[0].fileName) << "a shared mesh: one X file";
    std::string all;
    for (const std::string &w : report.warnings) all += w + "\n";
    EXPECT_NE(all.find("lacks became '_'"), std::string::npos) << all;
    EXPECT_NE(all.find("skinned): its skin is left out"), std::string::npos) << all;
    EXPECT_NE(all.find("sheared), motion rest: shear"), std::string::npos) << all;

    GltfImportOptions tiny;
    tiny.maxPositions = 3;
    const ImportReport refused = ImportGltf(folder.Path("odd.gltf"), folder.Path("refused"), tiny);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("positions"), std::string::npos) << refused.error;
    EXPECT_FALSE(std::filesystem::exists(folder.Path("refused")));
}

// Big enough that meshes and frames are shared out among threads: the
// frames come back whole and in order, and a warning counts the frames of
// every thread.
TEST(GltfImport, AFigureConvertedOnSeveralThreadsComesOutWholeAndInOrder) {
    TempFolder folder;
    ModelBuilder gltf;
    constexpr int kParts = 24, kFrames = 1200;
    std::vector<float> times;
    for (int f = 0; f < kFrames; ++f) times.push_back(f / 10.0f);
    tinygltf::Animation slide;
    for (int n = 0; n < kParts; ++n) {
        if (n > 0) gltf.model.meshes.push_back(gltf.model.meshes[0]);
        const int node = gltf.Node("part" + std::to_string(n), n);
        std::vector<float> moves;
        for (int f = 0; f < kFrames; ++f) moves.insert(moves.end(), {float(n), f / 10.0f, 0});
        gltf.Channel(slide, node, "translation", "LINEAR", times, moves, TINYGLTF_TYPE_VEC3);
    }
    // Turned under a stretched parent from 50 s on: sheared in frames 500 to 1199.
    const int parent = gltf.Node("stretch", -1, {}, {}, {1, 3, 1});
    const int turned = gltf.Node("turned", 0);
    gltf.model.nodes[size_t(parent)].children.push_back(turned);
    const float s = std::sin(0.15f), c = std::cos(0.15f);
    gltf.Channel(slide, turned, "rotation", "STEP", {0, 50, 119.9f}, {0, 0, 0, 1, 0, 0, s, c, 0, 0, s, c},
                 TINYGLTF_TYPE_VEC4);
    gltf.model.animations.push_back(slide);
    const ImportReport report = ImportGltf(gltf.Write(folder, "many.gltf"), folder.Path("out"), {});
    ASSERT_TRUE(report.ok) << report.error;
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("in 700 frames, first frame 500"), std::string::npos) << report.warnings[0];
    LoadedFigure figure(folder.Path("out/many.mvl"));
    ASSERT_EQ(figure.document.header.partCount, kParts + 1);
    const MotionEntry &motion = figure.document.motions[0];
    ASSERT_EQ(motion.frameCount, kFrames);
    for (int f = 0; f < kFrames; f += 7) {
        ASSERT_EQ(motion.frames[f].positionCount, kParts + 1);
        char comment[16];
        std::snprintf(comment, sizeof comment, "%.3fs", f / 10.0);
        EXPECT_STREQ(motion.frames[f].comment, comment);
        for (int n = 0; n < kParts; ++n) {
            EXPECT_NEAR(motion.frames[f].positions[n].translation.y, f / 10.0, 1e-4) << f << " " << n;
        }
    }
}

TEST(FigureFolder, AppearsWholeOrNotAtAllAndReplacesOnlyWhenAsked) {
    TempFolder folder;
    ModelBuilder gltf;
    gltf.Node("only", 0);
    const std::string input = gltf.Write(folder, "one.gltf");
    ASSERT_TRUE(ImportGltf(input, folder.Path("out"), {}).ok);
    const ImportReport again = ImportGltf(input, folder.Path("out"), {});
    EXPECT_FALSE(again.ok);
    EXPECT_NE(again.error.find("exists"), std::string::npos) << again.error;
    morvel::testing::WriteBytes(folder.Path("out/stale.txt"), {1});
    GltfImportOptions replace;
    replace.replace = true;
    ASSERT_TRUE(ImportGltf(input, folder.Path("out"), replace).ok);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out/stale.txt")));
    morvel::testing::WriteBytes(folder.Path("broken.gltf"), {'{'});
    EXPECT_FALSE(ImportGltf(folder.Path("broken.gltf"), folder.Path("out"), replace).ok);
    EXPECT_TRUE(std::filesystem::exists(folder.Path("out/one.mvl"))) << "a failed import keeps the old folder";
    size_t entries = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder.Root())) entries += entry.is_directory();
    EXPECT_EQ(entries, 1u) << "no staging folder is left behind";
}

TEST(ObjImport, ObjectsAndGroupsBecomePartsWithTheirMaterialsAndTextures) {
    TempFolder folder;
    const std::string obj =
        "mtllib box.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
        "o first\nusemtl red\nf 1/1 2/2 3/3 4/4\ng second\nusemtl textured\nf 1/1 3/3 4/4\n";
    const std::string mtl = "newmtl red\nKd 1 0 0\nnewmtl textured\nKd 1 1 1\nmap_Kd face.jpg\n";
    morvel::testing::WriteBytes(folder.Path("box.obj"), std::vector<uint8_t>(obj.begin(), obj.end()));
    morvel::testing::WriteBytes(folder.Path("box.mtl"), std::vector<uint8_t>(mtl.begin(), mtl.end()));
    morvel::testing::WriteBytes(folder.Path("face.jpg"), formats::image::testing::EncodeJpg(2, 2, std::vector<uint8_t>(12, 200)));
    const ImportReport report = ImportObj(folder.Path("box.obj"), folder.Path("out"), {});
    ASSERT_TRUE(report.ok) << report.error;
    EXPECT_EQ(report.parts, 2u);
    EXPECT_TRUE(std::filesystem::exists(folder.Path("out/face.png"))) << "the JPEG becomes a PNG";
    formats::xfile::MeshData first, second;
    ASSERT_TRUE(formats::xfile::LoadMeshFromXFile(folder.Path("out/first.x"), first).ok);
    ASSERT_TRUE(formats::xfile::LoadMeshFromXFile(folder.Path("out/second.x"), second).ok);
    EXPECT_EQ(first.faceCount, 2u) << "the quad, triangulated";
    EXPECT_FLOAT_EQ(first.materials.at(0).material.Diffuse.g, 0.0f);
    EXPECT_EQ(second.materials.at(0).textureFileName, "face.png");

    ObjImportOptions single;
    single.singlePart = true;
    EXPECT_EQ(ImportObj(folder.Path("box.obj"), folder.Path("single"), single).parts, 1u);

    const std::string climbing = "mtllib ../box.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    morvel::testing::WriteBytes(folder.Path("climbing.obj"), std::vector<uint8_t>(climbing.begin(), climbing.end()));
    const ImportReport refused = ImportObj(folder.Path("climbing.obj"), folder.Path("refused"), {});
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("refused"), std::string::npos) << refused.error;
    const std::string beyond = "v 0 0 0\nf 1 2 3\n";
    morvel::testing::WriteBytes(folder.Path("beyond.obj"), std::vector<uint8_t>(beyond.begin(), beyond.end()));
    EXPECT_FALSE(ImportObj(folder.Path("beyond.obj"), folder.Path("refused"), {}).ok);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("refused")));
}

}  // namespace
}  // namespace morvel::convert
