#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "formats/image/image_decoder.h"
#include "convert/gltf_export.h"
#include "convert/gltf_file_writer.h"
#include "gltf_read_back.h"
#include "render/pose.h"

namespace morvel::convert {
namespace {

using testing::ChannelValues;
using testing::DocumentBuilder;
using testing::Position;
using testing::ReadAccessor;
using testing::TemporaryFolder;
using testing::WorldMatrixAt;

const std::string kRobotFolder = MORVEL_SOURCE_DIR "/examples/robot/";
const std::string kFixtureFolder = MORVEL_FIXTURES_DIR "/x/";

std::vector<uint8_t> FileBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

morvel::formats::image::ArgbImage Decode(const std::vector<uint8_t> &bytes) {
    morvel::formats::image::ArgbImage image;
    EXPECT_TRUE(morvel::formats::image::DecodeImage(bytes.data(), bytes.size(), image).ok);
    return image;
}

// Exports, writes to folder/name and reads the file back.
tinygltf::Model ExportAndRead(const MotionDocument &document, const std::string &partFolder,
                              const TemporaryFolder &folder, const std::string &name,
                              ExportOptions options = {}) {
    options.binary = name.size() > 4 && name.compare(name.size() - 4, 4, ".glb") == 0;
    options.imageStem = AsciiStem(name);
    const ExportResult result = BuildGltf(document, partFolder, options);
    EXPECT_TRUE(result.ok) << result.error;
    std::string error;
    EXPECT_TRUE(WriteGltf(result, folder.Path(name), options.binary, error)) << error;
    tinygltf::Model model;
    EXPECT_TRUE(testing::ReadModel(folder.Path(name), model, error)) << error;
    return model;
}

// The slot nodes of the scene of animation m, in slot order.
std::vector<int> SlotNodes(const tinygltf::Model &model, int m) {
    const int root = model.scenes.at(static_cast<size_t>(m)).nodes.at(0);
    return model.nodes.at(static_cast<size_t>(root)).children;
}

class RobotExportTest : public ::testing::TestWithParam<const char *> {
protected:
    static void SetUpTestSuite() {
        Mvl_Func_ObjectInit(&robot_);
        ASSERT_EQ(Mvl_Func_Load(&robot_, (kRobotFolder + "robot.mvl").c_str(), ""), MVL_LOAD_OK);
    }
    static void TearDownTestSuite() { Mvl_Func_Delete(&robot_); }

    static MotionDocument robot_;
    TemporaryFolder folder_;
};
MotionDocument RobotExportTest::robot_;

TEST_P(RobotExportTest, EveryKeyFrameIsTheEditorsWorldMatrixMirroredInZ) {
    const tinygltf::Model model = ExportAndRead(robot_, kRobotFolder, folder_, GetParam());
    ASSERT_EQ(model.animations.size(), 2u);
    ASSERT_EQ(model.scenes.size(), 2u);
    for (int m = 0; m < 2; ++m) {
        const MotionEntry &motion = robot_.motions[m];
        EXPECT_EQ(model.animations[m].name, motion.name);
        const std::vector<int> slots = SlotNodes(model, m);
        ASSERT_EQ(slots.size(), 6u);
        const auto times = ReadAccessor(model, model.animations[m].samplers.at(0).input);
        ASSERT_EQ(times.size(), motion.frameCount);
        for (size_t f = 0; f < motion.frameCount; ++f) {
            EXPECT_FLOAT_EQ(times[f], f / 10.0f);
            const FrameEntry &frame = motion.frames[f];
            for (size_t s = 0; s < slots.size(); ++s) {
                const PositionEntry &position = frame.positions[s];
                const auto expected =
                    testing::EditorMatrixInGltf(morvel::render::BuildPoseMatrix(position), true);
                EXPECT_LT(testing::Difference(WorldMatrixAt(model, m, slots[s], f), expected), 1e-5)
                    << "motion " << m << " frame " << f << " slot " << s;
                const tinygltf::Node &node = model.nodes[static_cast<size_t>(slots[s])];
                ASSERT_GE(node.mesh, 0);
                EXPECT_EQ(model.meshes[static_cast<size_t>(node.mesh)].name,
                          robot_.parts[position.partNumber].fileName);
            }
        }
        std::string interpolation;
        ChannelValues(model, m, slots[0], "rotation", &interpolation);
        EXPECT_EQ(interpolation, "LINEAR");
    }
}

TEST_P(RobotExportTest, BitmapTexturesBecomePngWithTheSamePixels) {
    const tinygltf::Model model = ExportAndRead(robot_, kRobotFolder, folder_, GetParam());
    ASSERT_EQ(model.images.size(), 2u);
    std::vector<std::string> sources;
    for (const tinygltf::Material &material : model.materials) {
        const int texture = material.pbrMetallicRoughness.baseColorTexture.index;
        if (texture < 0) continue;
        const int image = model.textures.at(static_cast<size_t>(texture)).source;
        const std::string source =
            material.name.find("head") != std::string::npos ? "face.bmp" : "torso.bmp";
        sources.push_back(source);
        const auto bytes = testing::ImageBytes(model, image);
        ASSERT_GE(bytes.size(), 8u);
        EXPECT_EQ(bytes[1], 'P') << "PNG signature";
        const auto exported = Decode(bytes);
        const auto original = Decode(FileBytes(kRobotFolder + source));
        EXPECT_EQ(exported.width, original.width);
        EXPECT_EQ(exported.pixels, original.pixels) << source;
    }
    EXPECT_EQ(sources.size(), 2u);
    if (std::string(GetParam()) == "robot.gltf") {
        EXPECT_EQ(folder_.FileNames(),
                  (std::vector<std::string>{"robot.gltf", "robot_face.png", "robot_torso.png"}))
            << "no temporary file is left";
    } else {
        EXPECT_EQ(folder_.FileNames(), std::vector<std::string>{"robot.glb"});
    }
}

TEST_P(RobotExportTest, TrianglesFaceOutwardsCounterClockwise) {
    // The robot's boxes are clockwise seen from outside in the editor.
    const tinygltf::Model model = ExportAndRead(robot_, kRobotFolder, folder_, GetParam());
    for (const tinygltf::Mesh &mesh : model.meshes) {
        for (const tinygltf::Primitive &primitive : mesh.primitives) {
            const auto positions = ReadAccessor(model, primitive.attributes.at("POSITION"));
            const auto normals = ReadAccessor(model, primitive.attributes.at("NORMAL"));
            const auto indices = ReadAccessor(model, primitive.indices);
            for (size_t t = 0; t < indices.size(); t += 3) {
                const auto at = [&](size_t corner, int axis) {
                    return positions[static_cast<size_t>(indices[t + corner]) * 3 + axis];
                };
                double facing = 0;
                for (int axis = 0; axis < 3; ++axis) {
                    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
                    const double cross = (at(1, a) - at(0, a)) * (at(2, b) - at(0, b)) -
                                         (at(1, b) - at(0, b)) * (at(2, a) - at(0, a));
                    facing += cross * normals[static_cast<size_t>(indices[t]) * 3 + axis];
                }
                EXPECT_GT(facing, 0) << mesh.name << " triangle " << t / 3;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, RobotExportTest,
                         ::testing::Values("robot.gltf", "robot.glb"));

TEST(GltfExportTest, OneMotionAtAChosenSpeed) {
    MotionDocument robot;
    Mvl_Func_ObjectInit(&robot);
    ASSERT_EQ(Mvl_Func_Load(&robot, (kRobotFolder + "robot.mvl").c_str(), ""), MVL_LOAD_OK);
    TemporaryFolder folder;
    ExportOptions options;
    options.motion = 1;
    options.framesPerSecond = 25;
    const tinygltf::Model model = ExportAndRead(robot, kRobotFolder, folder, "wave.glb", options);
    ASSERT_EQ(model.animations.size(), 1u);
    EXPECT_EQ(model.animations[0].name, "wave");
    EXPECT_EQ(model.scenes.size(), 1u);
    const auto times = ReadAccessor(model, model.animations[0].samplers.at(0).input);
    EXPECT_FLOAT_EQ(times.back(), (robot.motions[1].frameCount - 1) / 25.0f);

    options.motion = 2;
    const ExportResult beyond = BuildGltf(robot, kRobotFolder, options);
    EXPECT_FALSE(beyond.ok);
    EXPECT_EQ(beyond.error, "--motion: the file has 2 motions");
    Mvl_Func_Delete(&robot);
}

TEST(GltfExportTest, PngTextureOfAnXFileKeepsItsBytes) {
    DocumentBuilder builder;
    builder.AddPart(".\\test.x");
    builder.AddMotion("turn", {{Position(0)}, {Position(0, {0, 0, 0}, {0, 90, 0})}});
    TemporaryFolder folder;
    const tinygltf::Model model =
        ExportAndRead(builder.Finish(), kFixtureFolder, folder, "cube.glb");
    ASSERT_EQ(model.images.size(), 1u);
    EXPECT_EQ(model.images[0].mimeType, "image/png");
    EXPECT_EQ(testing::ImageBytes(model, 0), FileBytes(kFixtureFolder + "test.png"));
    const tinygltf::Primitive &primitive = model.meshes.at(0).primitives.at(0);
    EXPECT_EQ(primitive.attributes.count("TEXCOORD_0"), 1u);
    EXPECT_EQ(model.materials.at(0).pbrMetallicRoughness.baseColorTexture.index, 0);
}

TEST(GltfExportTest, VertexColoursStayAndUnreadableTexturesAreLeftOutWithWarnings) {
    // The cube's texture names are full paths of another machine.
    DocumentBuilder builder;
    builder.AddPart(".\\kwxport_test_cubewithvcolors.x");
    builder.AddMotion("still", {{Position(0)}});
    const ExportResult result = BuildGltf(builder.Finish(), kFixtureFolder, {});
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.warnings.size(), 3u);
    EXPECT_NE(result.warnings[0].find("bottom.tga"), std::string::npos) << result.warnings[0];
    const tinygltf::Mesh &mesh = result.model.meshes.at(0);
    ASSERT_EQ(mesh.primitives.size(), 3u);
    for (const tinygltf::Primitive &primitive : mesh.primitives) {
        EXPECT_EQ(primitive.attributes.count("TEXCOORD_0"), 0u);
        const tinygltf::Accessor &colours =
            result.model.accessors.at(static_cast<size_t>(primitive.attributes.at("COLOR_0")));
        EXPECT_EQ(colours.count, 24u);
        EXPECT_TRUE(colours.normalized);
    }
    EXPECT_TRUE(result.model.images.empty());
}

TEST(GltfExportTest, SlotsThatChangeOrLackTheirPartShowOneChildAtATime) {
    DocumentBuilder builder;
    builder.AddPart(".\\torso.x");     // 0
    builder.AddPart(".\\head.x");      // 1
    builder.AddPart(".\\arm_left.x");  // 2
    builder.AddPart(".\\missing.x");   // 3
    builder.AddMotion("mix", {
                                 {Position(0, {1, 2, 3}, {10, 20, 30}), Position(1, {0, 60, 0})},
                                 {Position(1, {4, 5, 6}, {0, 90, 0})},
                                 {Position(0), Position(1),
                                  Position(2, {7, 8, 9}, {-30, 0, 0}, {2, 2, 2}), Position(3)},
                             });
    MotionDocument &document = builder.Finish();
    TemporaryFolder folder;
    const ExportResult result = BuildGltf(document, kRobotFolder, {});
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.warnings.size(), 1u) << "the missing part";
    EXPECT_NE(result.warnings[0].find("part 3 (.\\missing.x)"), std::string::npos)
        << result.warnings[0];
    const tinygltf::Model model = ExportAndRead(document, kRobotFolder, folder, "mix.gltf");
    const std::vector<int> slots = SlotNodes(model, 0);
    ASSERT_EQ(slots.size(), 4u);

    // The part each child shows, and in which frames.
    const std::vector<std::vector<std::pair<const char *, std::vector<double>>>> shown = {
        {{".\\torso.x", {1, 0, 1}}, {".\\head.x", {0, 1, 0}}},
        {{".\\head.x", {1, 0, 1}}},  // one part, missing from frame 1
        {{".\\arm_left.x", {0, 0, 1}}},
        {},  // its only part has no mesh
    };
    for (size_t s = 0; s < slots.size(); ++s) {
        const tinygltf::Node &slot = model.nodes[static_cast<size_t>(slots[s])];
        EXPECT_EQ(slot.mesh, -1) << "slot " << s;
        ASSERT_EQ(slot.children.size(), shown[s].size()) << "slot " << s;
        for (size_t c = 0; c < shown[s].size(); ++c) {
            const int child = slot.children[c];
            const tinygltf::Node &node = model.nodes[static_cast<size_t>(child)];
            EXPECT_EQ(node.name, shown[s][c].first);
            EXPECT_EQ(model.meshes.at(static_cast<size_t>(node.mesh)).name, shown[s][c].first);
            std::string interpolation;
            const auto scales = ChannelValues(model, 0, child, "scale", &interpolation);
            EXPECT_EQ(interpolation, "STEP");
            ASSERT_EQ(scales.size(), 9u);
            for (size_t f = 0; f < 3; ++f) {
                EXPECT_EQ(scales[f * 3], shown[s][c].second[f]) << "slot " << s << " frame " << f;
                EXPECT_EQ(scales[f * 3 + 2], shown[s][c].second[f]);
                if (shown[s][c].second[f] == 0) continue;
                const PositionEntry &position = document.motions[0].frames[f].positions[s];
                const auto expected =
                    testing::EditorMatrixInGltf(morvel::render::BuildPoseMatrix(position), true);
                EXPECT_LT(testing::Difference(WorldMatrixAt(model, 0, child, f), expected), 1e-5)
                    << "slot " << s << " frame " << f;
            }
        }
    }
    // Slot 1 has no position in frame 1: it stays where frame 0 put it.
    const auto translations = ChannelValues(model, 0, slots[1], "translation");
    EXPECT_EQ(std::vector<double>(translations.begin() + 3, translations.begin() + 6),
              std::vector<double>(translations.begin(), translations.begin() + 3));
    // Slot 2 exists only in frame 2: the earlier frames take its pose.
    const auto scales = ChannelValues(model, 0, slots[2], "scale");
    EXPECT_EQ(scales, (std::vector<double>{2, 2, 2, 2, 2, 2, 2, 2, 2}));
}

TEST(GltfExportTest, ColourOffsetsGoToTheSlotsExtras) {
    DocumentBuilder builder;
    builder.AddPart(".\\torso.x");
    PositionEntry tinted = Position(0);
    tinted.ambient = {0.25, -0.5, 0, 1};
    tinted.diffuse = {0, 0, 0, -0.75};
    builder.AddMotion("tint", {{Position(0)}, {}, {tinted}});
    const ExportResult result = BuildGltf(builder.Finish(), kRobotFolder, {});
    ASSERT_TRUE(result.ok);
    const tinygltf::Value &offsets = result.model.nodes.at(1).extras.Get("colourOffsets");
    ASSERT_EQ(offsets.ArrayLen(), 2u) << "frame 1 has no position";
    const tinygltf::Value &last = offsets.Get(1);
    EXPECT_EQ(last.Get("frame").Get<int>(), 2);
    EXPECT_EQ(last.Get("ambient").Get(1).Get<double>(), -0.5);
    EXPECT_EQ(last.Get("diffuse").Get(3).Get<double>(), -0.75);
}

TEST(GltfExportTest, PositionsTheFileCannotMeanFailTheExport) {
    struct Case {
        PositionEntry position;
        const char *error;
    };
    PositionEntry huge = Position(0, {1e300, 0, 0});
    PositionEntry nan = Position(0);
    nan.diffuse.g = std::nan("");
    const Case cases[] = {
        {Position(1),
         "motion 0 frame 1 position 0: part number 1 is not in the part table (1 parts)"},
        {Position(-1),
         "motion 0 frame 1 position 0: part number -1 is not in the part table (1 parts)"},
        {huge, "motion 0 frame 1 position 0: a scale or translation is beyond single precision"},
        {nan, "motion 0 frame 1 position 0: a colour offset is not a finite number"},
    };
    for (const Case &c : cases) {
        DocumentBuilder builder;
        builder.AddPart(".\\torso.x");
        builder.AddMotion("bad", {{Position(0)}, {c.position}});
        const ExportResult result = BuildGltf(builder.Finish(), kRobotFolder, {});
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, c.error);
    }
    DocumentBuilder empty;
    empty.AddPart(".\\torso.x");
    EXPECT_EQ(BuildGltf(empty.Finish(), kRobotFolder, {}).error, "the file holds no motions");
}

TEST(GltfExportTest, AFileThatCannotBeWrittenLeavesNothingBehind) {
    DocumentBuilder builder;
    builder.AddPart(".\\head.x");
    builder.AddMotion("still", {{Position(0)}});
    ExportOptions options;
    options.imageStem = "out";
    const ExportResult result = BuildGltf(builder.Finish(), kRobotFolder, options);
    ASSERT_TRUE(result.ok);
    TemporaryFolder folder;
    std::string error;
    const std::string target = folder.Path("no such folder/out.gltf");
    EXPECT_FALSE(WriteGltf(result, target, false, error));
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
    EXPECT_TRUE(folder.FileNames().empty());
}

}  // namespace
}  // namespace morvel::convert
