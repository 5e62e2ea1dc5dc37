// The example figure's first frame on a real device: every part loads and
// the figure stands where its positions put it.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "display_scene.h"
#include "document/editor_document.h"
#include "render/d3dx_math.h"

namespace {

morvel::render::SceneDocument SceneOfDocument(const morvel::document::EditorDocument &d) {
    return {d.document, d.partMeshes, d.selectedMotion, d.selectedFrame, d.selectedPosition};
}

using morvel::Matrix;
using morvel::Vector3;
using morvel::displaytest::Capture;
using morvel::render::SceneFlags;
using morvel::render::d3d8::DisplayScene;
using morvel::render::fakes::SceneBuilder;
using Json = nlohmann::json;

// The figure's motion source (robot.json, mvltool's layout), read into a
// document: the fields the comparison below looks at.
bool ReadRobot(const std::string &path, SceneBuilder &builder) {
    std::ifstream in(path);
    if (!in) return false;
    const Json source = Json::parse(in);
    const Json &header = source["header"];
    MotionFileHeader &h = builder.document.header;
    h.cameraElevation = header["cameraElevation"];
    h.cameraAzimuth = header["cameraAzimuth"];
    h.cameraDistance = header["cameraDistance"];
    for (const Json &part : source["parts"]) builder.Part(part["fileName"]);
    for (const Json &motion : source["motions"]) {
        builder.Motion(motion["name"]);
        for (const Json &frame : motion["frames"]) {
            builder.Frame(frame["comment"]);
            for (const Json &p : frame["positions"]) {
                PositionEntry position{};
                position.partNumber = p["partNumber"];
                position.translation = {p["translation"][0], p["translation"][1], p["translation"][2]};
                position.rotation = {p["rotation"][0], p["rotation"][1], p["rotation"][2]};
                builder.Position(position);
            }
        }
    }
    return true;
}

// The committed motion file must say what its source says.
void ExpectSameTables(const MotionDocument &file, const MotionDocument &source) {
    ASSERT_EQ(file.header.partCount, source.header.partCount);
    ASSERT_EQ(file.header.motionCount, source.header.motionCount);
    EXPECT_EQ(file.header.cameraElevation, source.header.cameraElevation);
    EXPECT_EQ(file.header.cameraAzimuth, source.header.cameraAzimuth);
    EXPECT_EQ(file.header.cameraDistance, source.header.cameraDistance);
    for (int p = 0; p < file.header.partCount; ++p) {
        EXPECT_STREQ(file.parts[p].fileName, source.parts[p].fileName);
    }
    for (int m = 0; m < file.header.motionCount; ++m) {
        const MotionEntry &a = file.motions[m], &b = source.motions[m];
        EXPECT_STREQ(a.name, b.name);
        ASSERT_EQ(a.frameCount, b.frameCount) << a.name;
        for (int f = 0; f < a.frameCount; ++f) {
            ASSERT_EQ(a.frames[f].positionCount, b.frames[f].positionCount);
            for (int i = 0; i < a.frames[f].positionCount; ++i) {
                const PositionEntry &x = a.frames[f].positions[i], &y = b.frames[f].positions[i];
                EXPECT_EQ(x.partNumber, y.partNumber);
                EXPECT_EQ(x.rotation.x, y.rotation.x);
                EXPECT_EQ(x.rotation.z, y.rotation.z);
                EXPECT_EQ(x.translation.y, y.translation.y);
            }
        }
    }
}

TEST(RobotDisplay, FirstFrameOfWalkShowsTheWholeFigure) {
    SceneBuilder source;
    ASSERT_TRUE(ReadRobot(MORVEL_SOURCE_DIR "/examples/robot/robot.json", source));
    source.Build();
    // Part names are relative (".\torso.x"), as the editor opens them from the figure's folder.
    ASSERT_TRUE(SetCurrentDirectoryA(MORVEL_SOURCE_DIR "/examples/robot"));
    DisplayScene display(640, 480);
    ASSERT_TRUE(display.ready());

    // The motion file built from the source, opened the way the editor opens
    // a document: the library's loader, then every part's mesh through the
    // renderer.
    morvel::document::EditorDocument robot;
    morvel::document::InitDocument(robot);
    ASSERT_EQ(morvel::document::LoadDocument(robot, "robot.mvl", "", display.renderer), 0)
        << display.renderer.MeshLoadMessage();
    ExpectSameTables(robot.document, source.document);
    ASSERT_EQ(robot.document.header.partCount, 6);
    ASSERT_EQ(robot.document.header.motionCount, 2);
    ASSERT_EQ(robot.partMeshes.size(), 6u);
    for (const auto &mesh : robot.partMeshes) EXPECT_NE(mesh, nullptr);

    const MotionFileHeader &header = robot.document.header;
    display.renderer.ApplyViewSettings(header.cullingMode, header.rightHanded, header.axisDirection);
    display.renderer.SetViewCamera(header.cameraElevation, header.cameraAzimuth, header.cameraDistance);
    const Capture shot = display.Draw(SceneOfDocument(robot), SceneFlags{3, 1});
    morvel::displaytest::SavePng(shot, MORVEL_BUILD_DIR "/robot_first_frame.png");

    const uint32_t background = 0x283048;
    EXPECT_EQ(shot.At(5, 5), background);
    Matrix viewProjection;
    d3dx::D3DXMatrixMultiply(&viewProjection, &display.renderer.ViewMatrix(),
                             &display.renderer.ProjectionMatrix());
    // Torso, head and both thighs are covered by the figure.
    for (const Vector3 &point : {Vector3{0, 20, 0}, Vector3{0, 63, 0}, Vector3{10, -20, 0},
                                 Vector3{-10, -20, 0}}) {
        const Vector3 ndc = d3dx::TransformCoord(point, viewProjection);
        const int x = static_cast<int>((ndc.x + 1.0f) * 320.0f);
        const int y = static_cast<int>((1.0f - ndc.y) * 240.0f);
        EXPECT_NE(shot.At(x, y), background) << point.x << "," << point.y;
    }

    // The wave's first frame: the right arm raised above the shoulder.
    robot.selectedMotion = 1;
    const Capture wave = display.Draw(SceneOfDocument(robot), SceneFlags{3, 1});
    morvel::displaytest::SavePng(wave, MORVEL_BUILD_DIR "/robot_wave_first_frame.png");
    const Vector3 raisedHand = d3dx::TransformCoord({-27 - 20, 48 + 35, 0}, viewProjection);
    const Vector3 hangingHand = d3dx::TransformCoord({-27, 48 - 35, 0}, viewProjection);
    EXPECT_NE(wave.At(static_cast<int>((raisedHand.x + 1.0f) * 320.0f),
                      static_cast<int>((1.0f - raisedHand.y) * 240.0f)),
              background);
    EXPECT_NE(shot.At(static_cast<int>((hangingHand.x + 1.0f) * 320.0f),
                      static_cast<int>((1.0f - hangingHand.y) * 240.0f)),
              background);
    morvel::document::ReleaseDocument(robot);
}

}  // namespace
