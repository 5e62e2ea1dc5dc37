// The renderer on a real Direct3D 8 device under Wine: what the screen shows
// for a document with the fixture cube as its one part.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "display_scene.h"
#include "fixture_files.h"
#include "render/d3dx_math.h"

namespace {

using namespace morvel::render;
using morvel::Matrix;
using morvel::Rect;
using morvel::Vector3;
using morvel::displaytest::Capture;
using morvel::displaytest::SavePng;
using morvel::render::d3d8::DisplayScene;
using morvel::render::fakes::SceneBuilder;
using morvel::render::fakes::UnitPosition;

constexpr uint32_t kBackground = 0x204060;

std::string WindowsPath(std::string path) {
    for (char &c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

struct Point {
    int x, y;
};

// Where a world point lands in the client area.
Point Project(const SceneRenderer &renderer, const Vector3 &world) {
    Matrix viewProjection;
    d3dx::D3DXMatrixMultiply(&viewProjection, &renderer.ViewMatrix(), &renderer.ProjectionMatrix());
    const Vector3 ndc = d3dx::TransformCoord(world, viewProjection);
    const Rect &rect = renderer.PresentRect();
    const float width = static_cast<float>(rect.right - rect.left);
    const float height = static_cast<float>(rect.bottom - rect.top);
    return {static_cast<int>(std::lround((ndc.x + 1.0f) * 0.5f * width)),
            static_cast<int>(std::lround((1.0f - ndc.y) * 0.5f * height))};
}

int Red(uint32_t p) { return (p >> 16) & 0xFF; }
int Green(uint32_t p) { return (p >> 8) & 0xFF; }
int Blue(uint32_t p) { return p & 0xFF; }

// Counts pixels in a box around a point that satisfy a predicate.
template <typename Predicate>
int CountAround(const Capture &shot, Point centre, int radius, Predicate predicate) {
    int count = 0;
    for (int y = centre.y - radius; y <= centre.y + radius; ++y) {
        for (int x = centre.x - radius; x <= centre.x + radius; ++x) {
            if (x >= 0 && y >= 0 && x < shot.width && y < shot.height && predicate(shot.At(x, y))) {
                ++count;
            }
        }
    }
    return count;
}

class RenderDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        builder.document.header.backgroundColour = {0x20, 0x40, 0x60, 255};
        MORVEL_REQUIRE_FIXTURES("x/test_cube_text.x");
        builder.Part(WindowsPath(morvel::testing::FixturePath("x/test_cube_text.x"))).Motion("spin").Frame("f0");
        PositionEntry position = UnitPosition(0);
        position.scale = {20, 20, 20};
        position.rotation = {20, 30, 0};
        position.translation = {0, 60, 0};
        builder.Position(position);
    }

    void Prepare(DisplayScene &display) {
        display.renderer.ApplyViewSettings(2, 0, 7);
        display.renderer.SetViewCamera(0, 0, 300);
        builder.partMeshes.clear();
        builder.partMeshes.push_back(display.renderer.LoadPartMesh(builder.document.parts[0].fileName));
        // The first present after the window appears may not reach the screen.
        display.Draw(builder.Build(), SceneFlags{3, 0});
    }

    SceneBuilder builder;
};

TEST_F(RenderDisplay, DrawsBackgroundAxesPartLabelsTextAndBlinks) {
    DisplayScene display(640, 480);
    ASSERT_TRUE(display.ready()) << display.initResult;
    EXPECT_EQ(display.initResult, kInitHalHardware);
    builder.Build();
    Prepare(display);
    ASSERT_NE(builder.partMeshes[0], nullptr) << "the fixture cube did not load";
    const SceneDocument scene = builder.Build();

    const Capture shot = display.Draw(scene, SceneFlags{3, 1});
    SavePng(shot, MORVEL_BUILD_DIR "/render_display_cube.png");
    ASSERT_EQ(shot.width, 640);

    EXPECT_EQ(shot.At(630, 10), kBackground);
    EXPECT_EQ(shot.At(630, 470), kBackground);

    // The X axis: light grey pixels (the axis colour over the background) along y = 0.
    const auto axisGrey = [](uint32_t p) {
        return Red(p) > 120 && Green(p) > 120 && Blue(p) > 120 && Blue(p) - Red(p) < 30;
    };
    for (float x : {-70.0f, -30.0f, 30.0f, 70.0f}) {
        EXPECT_GT(CountAround(shot, Project(display.renderer, {x, 0, 0}), 2, axisGrey), 0) << x;
    }

    // The cube where its centre projects, in the material's own colours.
    const Point cube = Project(display.renderer, {10, 60, 0});  // beside the Y axis
    EXPECT_NE(shot.At(cube.x, cube.y), kBackground);

    // Labels: red letter pixels and white (lit, so light grey) pixels.
    const auto red = [](uint32_t p) { return Red(p) > 60 && Red(p) > 2 * Green(p) && Red(p) > 2 * Blue(p); };
    const auto white = [](uint32_t p) {
        return Red(p) > 60 && std::abs(Red(p) - Green(p)) < 8 && std::abs(Green(p) - Blue(p)) < 8;
    };
    for (const Vector3 &place : {Vector3{100, 0, 0}, Vector3{0, 100, 0}}) {
        const Point label = Project(display.renderer, place);
        EXPECT_GT(CountAround(shot, label, 9, red), 3);
        EXPECT_GT(CountAround(shot, label, 9, white), 10);
    }

    // Overlay text in the bottom-left corner, in the status text colour.
    int textPixels = 0;
    for (int y = 480 - 48; y < 480; ++y)
        for (int x = 0; x < 200; ++x)
            if (shot.At(x, y) != kBackground) ++textPixels;
    EXPECT_GT(textPixels, 50);

    // After the redraw the timer's ticks show the part twice, hide it on the
    // third and show it again on the fourth.
    SceneFlags flags{3, 1};
    for (int tick = 1; tick <= 4; ++tick) {
        AdvanceSelectionBlink(flags);
        const Capture frame = display.Draw(scene, flags);
        if (tick == 3) {
            EXPECT_EQ(frame.At(cube.x, cube.y), kBackground) << "tick " << tick;
            SavePng(frame, MORVEL_BUILD_DIR "/render_display_cube_hidden.png");
        } else {
            EXPECT_NE(frame.At(cube.x, cube.y), kBackground) << "tick " << tick;
        }
    }

    // Scene not ready: only the background.
    const Capture empty = display.Draw(scene, SceneFlags{3, 0});
    EXPECT_EQ(empty.At(cube.x, cube.y), kBackground);
    EXPECT_EQ(empty.At(320, 240), kBackground);
}

// Length of the unbroken run of non-background pixels through a point along
// a row or a column: an axis line with the labels at its ends.
int Extent(const Capture &shot, Point centre, bool horizontal) {
    const auto at = [&](int i) { return horizontal ? shot.At(i, centre.y) : shot.At(centre.x, i); };
    const int limit = horizontal ? shot.width : shot.height;
    int low = horizontal ? centre.x : centre.y, high = low;
    while (low > 0 && at(low - 1) != kBackground) --low;
    while (high + 1 < limit && at(high + 1) != kBackground) ++high;
    return high - low;
}

TEST_F(RenderDisplay, AspectRatioFollowsTheWindowAfterResizeAndReset) {
    builder.document.header.statusTextVisible = 0;
    DisplayScene display(640, 480);
    ASSERT_TRUE(display.ready());
    builder.Build();
    Prepare(display);
    builder.partMeshes.clear();  // axes only: the row and the column show the two axes
    const SceneDocument scene = builder.Build();

    const Capture before = display.Draw(scene, SceneFlags{3, 1});
    const Point centre = Project(display.renderer, {0, 0, 0});
    const int width = Extent(before, centre, true), height = Extent(before, centre, false);
    EXPECT_NEAR(width, height, 4);

    display.Resize(800, 400);
    const Capture after = display.Draw(scene, SceneFlags{3, 1});
    SavePng(after, MORVEL_BUILD_DIR "/render_display_resized.png");
    ASSERT_EQ(after.width, 800);
    ASSERT_EQ(after.height, 400);
    const Point moved = Project(display.renderer, {0, 0, 0});
    EXPECT_EQ(moved.x, 400);
    EXPECT_EQ(moved.y, 200);
    const int wide = Extent(after, moved, true), high = Extent(after, moved, false);
    EXPECT_NEAR(wide, high, 4) << "the projection must follow the new aspect ratio";
    EXPECT_NEAR(high, height * 400 / 480, 4);
}

}  // namespace
