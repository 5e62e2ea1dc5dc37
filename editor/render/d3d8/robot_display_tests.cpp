// The example figure's first frame on a real device: every part loads and
// the figure stands where its positions put it.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "display_scene.h"
#include "document/editor_document.h"
#include "render/d3dx_math.h"
#include "render/editor_scene.h"

namespace {

using morvel::displaytest::Capture;
using morvel::render::Matrix;
using morvel::render::SceneFlags;
using morvel::render::Vector3;
using morvel::render::d3d8::DisplayScene;
using morvel::render::fakes::SceneBuilder;
using Json = nlohmann::json;

// The figure's motion source, read into a document the way the motion file
// built from it holds it.
bool ReadRobot(const std::string &path, SceneBuilder &builder) {
    std::ifstream in(path);
    if (!in) return false;
    const Json source = Json::parse(in);
    const Json &header = source["header"];
    MotionFileHeader &h = builder.document.header;
    h.backgroundColour = {header["backgroundColour"]["r"], header["backgroundColour"]["g"],
                          header["backgroundColour"]["b"], header["backgroundColour"]["a"]};
    h.cameraElevation = header["cameraElevation"];
    h.cameraAzimuth = header["cameraAzimuth"];
    h.cameraDistance = header["cameraDistance"];
    h.cullingMode = header["cullingMode"];
    h.rightHanded = header["rightHanded"];
    for (const Json &part : source["parts"]) builder.Part(part["fileName"]);
    for (const Json &motion : source["motions"]) {
        builder.Motion(motion["name"]);
        for (const Json &frame : motion["frames"]) {
            builder.Frame(frame["comment"]);
            for (const Json &p : frame["positions"]) {
                PositionEntry position{};
                position.partNumber = p["partNumber"];
                position.scale = {p["scale"]["x"], p["scale"]["y"], p["scale"]["z"]};
                position.translation = {p["translation"]["x"], p["translation"]["y"],
                                        p["translation"]["z"]};
                position.rotation = {p["rotation"]["x"], p["rotation"]["y"], p["rotation"]["z"]};
                position.ambient = {p["ambient"]["r"], p["ambient"]["g"], p["ambient"]["b"], p["ambient"]["a"]};
                position.diffuse = {p["diffuse"]["r"], p["diffuse"]["g"], p["diffuse"]["b"], p["diffuse"]["a"]};
                builder.Position(position);
            }
        }
    }
    return true;
}

TEST(RobotDisplay, FirstFrameOfWalkShowsTheWholeFigure) {
    SceneBuilder builder;
    ASSERT_TRUE(ReadRobot(MORVEL_SOURCE_DIR "/examples/robot/robot.json", builder));
    // Part names are relative (".\torso.x"), as the editor opens them from the figure's folder.
    ASSERT_TRUE(SetCurrentDirectoryA(MORVEL_SOURCE_DIR "/examples/robot"));
    DisplayScene display(640, 480);
    ASSERT_TRUE(display.ready());
    const MotionFileHeader &header = builder.document.header;
    display.renderer.ApplyViewSettings(header.cullingMode, header.rightHanded, header.axisDirection);
    display.renderer.SetViewCamera(header.cameraElevation, header.cameraAzimuth, header.cameraDistance);
    builder.Build();
    ASSERT_EQ(builder.document.header.partCount, 6);
    ASSERT_EQ(builder.document.header.motionCount, 2);
    // An editor document with library-owned tables, its meshes loaded by the
    // document layer with the renderer as the mesh loader.
    morvel::document::EditorDocument robot;
    morvel::document::InitDocument(robot);
    ASSERT_TRUE(Mvl_Func_Copy(&robot.document, &builder.document));
    EXPECT_TRUE(morvel::document::LoadPartMeshes(robot, display.renderer))
        << display.renderer.MeshLoadMessage();
    ASSERT_EQ(robot.partMeshes.size(), 6u);
    for (const auto &mesh : robot.partMeshes) EXPECT_NE(mesh, nullptr);
    const Capture shot = display.Draw(morvel::render::SceneOf(robot), SceneFlags{3, 1});
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
    morvel::document::ReleaseDocument(robot);
}

}  // namespace
