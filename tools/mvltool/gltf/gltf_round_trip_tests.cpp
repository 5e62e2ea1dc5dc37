// The robot through glTF and back, compared with the editor's own pose
// matrices; and what the export adds for colour offsets, cuts and loops.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "convert/figure_import.h"
#include "convert/colour_channels.h"
#include "convert/gltf_export.h"
#include "convert/gltf_file_writer.h"
#include "formats/xfile/x_mesh_loader.h"
#include "gltf_read_back.h"
#include "render/pose.h"

namespace morvel::convert {
namespace {

using testing::ChannelValues;
using testing::DocumentBuilder;
using testing::Position;
using testing::ReadAccessor;
using testing::TemporaryFolder;

const std::string kRobotSource = MORVEL_SOURCE_DIR "/examples/robot/";

struct LoadedDocument {
    MotionDocument document{};
    explicit LoadedDocument(const std::string &path) {
        Mvl_Func_ObjectInit(&document);
        EXPECT_EQ(Mvl_Func_Load(&document, path.c_str(), ""), MVL_LOAD_OK) << path;
    }
    ~LoadedDocument() { Mvl_Func_Delete(&document); }
};

formats::xfile::MeshData LoadX(const std::string &path) {
    formats::xfile::MeshData mesh;
    EXPECT_TRUE(formats::xfile::LoadMeshFromXFile(path, mesh).ok) << path;
    return mesh;
}

std::vector<float> Positions(const formats::xfile::MeshData &mesh) {
    std::vector<float> out;
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        float p[3];
        std::memcpy(p, &mesh.vertices[size_t{v} * mesh.vertexStride], sizeof p);
        out.insert(out.end(), p, p + 3);
    }
    return out;
}

std::string XPath(const std::string &folder, const PartEntry &part) {
    return folder + "/" + std::string(part.fileName).substr(2);
}

TEST(GltfRoundTrip, TheRobotComesBackWithItsMatricesAndVertices) {
    LoadedDocument robot(kRobotSource + "robot.mvl");
    TemporaryFolder folder;
    ExportOptions options;
    options.imageStem = "robot";
    const ExportResult exported = BuildGltf(robot.document, kRobotSource, options);
    ASSERT_TRUE(exported.ok) << exported.error;
    std::string error;
    ASSERT_TRUE(WriteGltf(exported, folder.Path("robot.gltf"), false, error)) << error;
    const ImportReport report = ImportGltf(folder.Path("robot.gltf"), folder.Path("figure"), {});
    ASSERT_TRUE(report.ok) << report.error;
    EXPECT_TRUE(report.warnings.empty()) << report.warnings.front();
    LoadedDocument figure(folder.Path("figure/robot.mvl"));
    ASSERT_EQ(figure.document.header.motionCount, robot.document.header.motionCount);
    double largest = 0;
    for (uint16_t m = 0; m < robot.document.header.motionCount; ++m) {
        const MotionEntry &original = robot.document.motions[m], &imported = figure.document.motions[m];
        EXPECT_STREQ(imported.name, original.name);
        ASSERT_EQ(imported.frameCount, original.frameCount);
        for (uint16_t f = 0; f < original.frameCount; ++f) {
            ASSERT_EQ(imported.frames[f].positionCount, original.frames[f].positionCount);
            for (uint16_t s = 0; s < original.frames[f].positionCount; ++s) {
                const PositionEntry &a = original.frames[f].positions[s], &b = imported.frames[f].positions[s];
                const Matrix ma = render::BuildPoseMatrix(a), mb = render::BuildPoseMatrix(b);
                for (int r = 0; r < 4; ++r) {
                    for (int c = 0; c < 4; ++c) {
                        const double difference = std::fabs(double(ma.m[r][c]) - mb.m[r][c]) /
                                                  std::max(1.0, std::fabs(double(ma.m[r][c])));
                        largest = std::max(largest, difference);
                        EXPECT_LT(difference, 1e-4) << "motion " << m << " frame " << f << " slot " << s;
                    }
                }
                const auto xa = LoadX(kRobotSource + std::string(robot.document.parts[a.partNumber].fileName).substr(2));
                const auto xb = LoadX(XPath(folder.Path("figure"), figure.document.parts[b.partNumber]));
                EXPECT_EQ(Positions(xb), Positions(xa)) << "motion " << m << " slot " << s;
                EXPECT_EQ(xb.indices, xa.indices);
            }
        }
    }
    RecordProperty("largest_matrix_difference", std::to_string(largest));
}

TEST(GltfExportAdditions, ColourOffsetsAnimateTheMaterialsAndCutsStep) {
    DocumentBuilder builder;
    builder.AddPart(".\\torso.x");
    builder.AddPart(".\\head.x");
    PositionEntry tinted = Position(0, {0, 5, 0});
    tinted.diffuse = {0.5, -0.25, 0, -0.5};
    tinted.ambient = {1, 0, 0, 0};
    builder.AddMotion("tint", {{Position(0), Position(1)}, {tinted}, {Position(1), Position(1)}});
    ExportOptions options;
    options.loop = true;
    options.imageStem = "tint";
    const ExportResult result = BuildGltf(builder.Finish(), kRobotSource, options);
    ASSERT_TRUE(result.ok) << result.error;
    TemporaryFolder folder;
    std::string error;
    ASSERT_TRUE(WriteGltf(result, folder.Path("tint.gltf"), false, error)) << error;
    std::ifstream written(folder.Path("tint.gltf"));
    const std::string text((std::istreambuf_iterator<char>(written)), {});
    EXPECT_EQ(text.find("\"node\": -1"), std::string::npos) << "pointer channels name no node";
    tinygltf::Model model;
    ASSERT_TRUE(testing::ReadModel(folder.Path("tint.gltf"), model, error)) << error;
    EXPECT_EQ(model.extensionsUsed, std::vector<std::string>{"KHR_animation_pointer"});
    EXPECT_TRUE(model.extensionsRequired.empty()) << "viewers without it still play the motion";

    const tinygltf::Animation &animation = model.animations.at(0);
    ASSERT_EQ(model.materials.size(), 3u);
    const auto times = ReadAccessor(model, animation.samplers.at(0).input);
    EXPECT_EQ(times, (std::vector<double>{0, 0.1f, 0.2f, 0.3f})) << "a closing key one frame on";
    // tinygltf drops channels without a node: the JSON is read for them.
    const nlohmann::json json = nlohmann::json::parse(text);
    std::map<std::string, std::pair<std::vector<double>, std::string>> pointers;
    for (const auto &channel : json["animations"][0]["channels"]) {
        const auto &sampler = json["animations"][0]["samplers"][channel["sampler"].get<size_t>()];
        const std::vector<double> values = ReadAccessor(model, sampler["output"].get<int>());
        const size_t width = values.size() / times.size();
        ASSERT_EQ(values.size(), width * times.size());
        EXPECT_EQ(std::vector<double>(values.end() - long(width), values.end()),
                  std::vector<double>(values.begin(), values.begin() + long(width)))
            << "the closing key repeats the first frame";
        if (channel["target"]["path"] != "pointer") continue;
        pointers[channel["target"]["extensions"]["KHR_animation_pointer"]["pointer"].get<std::string>()] = {
            values, sampler["interpolation"].get<std::string>()};
    }
    // Part 0 (torso, white in its X file) is missing from frame 2: its colours step.
    const auto &base = pointers.at("/materials/0/pbrMetallicRoughness/baseColorFactor");
    EXPECT_EQ(base.second, "STEP");
    EXPECT_EQ(std::vector<double>(base.first.begin() + 4, base.first.begin() + 8), (std::vector<double>{1, 0.75, 1, 0.5}));
    const auto &emissive = pointers.at("/materials/0/emissiveFactor");
    EXPECT_NEAR(emissive.first[3], kEditorAmbientLight, 1e-6);
    EXPECT_EQ(model.materials[0].alphaMode, "BLEND");
    EXPECT_EQ(pointers.count("/materials/1/emissiveFactor"), 0u) << "part 1 has no offsets";
    // Slot 0 changes part: it steps; the head's slot 1 misses frame 1: it steps too.
    const int root = model.scenes.at(0).nodes.at(0);
    for (const int slot : model.nodes.at(size_t(root)).children) {
        std::string interpolation;
        ChannelValues(model, 0, slot, "translation", &interpolation);
        EXPECT_EQ(interpolation, "STEP");
    }
}

}  // namespace
}  // namespace morvel::convert
