#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "render/d3dx_math.h"
#include "render/fakes/renderer_fixture.h"

namespace {

using namespace morvel::render;
using fakes::FakeAssets;
using fakes::RendererTest;
using fakes::SceneBuilder;
using fakes::UnitPosition;
using morvel::Matrix;
using morvel::Rect;
using morvel::Vector3;

bool AllFinite(const Matrix &m) {
    for (const auto &row : m.m)
        for (float v : row)
            if (!std::isfinite(v)) return false;
    return true;
}

// The origin as seen through the view: straight ahead at the distance.
Vector3 OriginInView(const Matrix &view) { return d3dx::TransformCoord({0, 0, 0}, view); }

TEST_F(RendererTest, DefaultCameraPutsTheEyeAt300OnZ) {
    EXPECT_TRUE(renderer.SetViewCamera(0, 0, 300));
    EXPECT_EQ(renderer.Eye().x, 0.0f);
    EXPECT_EQ(renderer.Eye().y, 0.0f);
    EXPECT_EQ(renderer.Eye().z, 300.0f);
    ASSERT_EQ(device->Count("SetTransform"), 1u);
    EXPECT_EQ(device->calls[0].args[0], kTransformView);
    EXPECT_NEAR(OriginInView(renderer.ViewMatrix()).z, 300.0f, 1e-3);
}

TEST_F(RendererTest, CameraFollowsTheSinglePrecisionFormula) {
    // cos e and sin e are singles, the azimuth's sine and cosine are not:
    // rounding them too moves some eyes by a unit in the last place.
    struct Camera {
        int e, a, d;
    };
    for (const Camera c : {Camera{30, -45, 250}, Camera{17, 123, 777}, Camera{-61, 211, 4321},
                           Camera{5, 7, 300}, Camera{45, 83, 1000}}) {
        renderer.SetViewCamera(c.e, c.a, c.d);
        const float e = static_cast<float>(c.e) * d3dx::DEG_TO_RAD;
        const double a = static_cast<float>(c.a) * d3dx::DEG_TO_RAD;
        const float cosE = static_cast<float>(std::cos(double{e}));
        const float sinE = static_cast<float>(std::sin(double{e}));
        const float xFactor = static_cast<float>(cosE * std::sin(a));
        const float zFactor = static_cast<float>(cosE * std::cos(a));
        EXPECT_EQ(renderer.Eye().x, static_cast<float>(xFactor * double(c.d))) << c.a;
        EXPECT_EQ(renderer.Eye().y, static_cast<float>(sinE * double(c.d))) << c.e;
        EXPECT_EQ(renderer.Eye().z, static_cast<float>(zFactor * double(c.d))) << c.a;
        EXPECT_NEAR(OriginInView(renderer.ViewMatrix()).z, static_cast<float>(c.d), 1e-3 * c.d);
    }
}

TEST_F(RendererTest, ElevationNinetyAndNegativeDistanceStillLookAtTheOrigin) {
    renderer.SetViewCamera(90, 0, 300);
    EXPECT_NEAR(renderer.Eye().y, 300.0f, 1e-3);
    EXPECT_NE(renderer.Eye().z, 0.0f);  // the single-precision cosine is not 0
    EXPECT_TRUE(AllFinite(renderer.ViewMatrix()));
    EXPECT_NEAR(OriginInView(renderer.ViewMatrix()).z, 300.0f, 1e-2);

    renderer.SetViewCamera(0, 0, -300);
    EXPECT_EQ(renderer.Eye().z, -300.0f);
    EXPECT_NEAR(OriginInView(renderer.ViewMatrix()).z, 300.0f, 1e-3);
}

TEST_F(RendererTest, DistanceZeroKeepsThePreviousView) {
    renderer.SetViewCamera(10, 20, 300);
    const Matrix before = renderer.ViewMatrix();
    device->ClearCalls();
    renderer.SetViewCamera(10, 20, 0);
    EXPECT_EQ(0, std::memcmp(&before, &renderer.ViewMatrix(), sizeof before));
    ASSERT_EQ(device->Count("SetTransform"), 1u);
    EXPECT_TRUE(AllFinite(device->calls[0].matrix));
    EXPECT_EQ(0, std::memcmp(&before, &device->calls[0].matrix, sizeof before));
}

TEST_F(RendererTest, ApplyViewSettingsSetsViewProjectionCullAndTheFixedStatesInOrder) {
    renderer.SetViewCamera(0, 0, 300);
    device->ClearCalls();
    ASSERT_TRUE(renderer.ApplyViewSettings(2, 0, 7));
    std::vector<std::vector<uint32_t>> states;
    for (const auto &call : device->calls) {
        if (call.name == "SetRenderState") states.push_back({0, call.args[0], call.args[1]});
        if (call.name == "SetTextureStageState") states.push_back({1, call.args[1], call.args[2]});
    }
    const std::vector<std::vector<uint32_t>> expected{
        {0, 22, 3}, {0, 137, 1}, {0, 9, 2},  {0, 139, 0xFF404040}, {0, 7, 1}, {0, 14, 1},
        {0, 143, 1}, {1, 4, 4},  {1, 5, 2},  {1, 6, 0},            {1, 1, 4}, {1, 2, 2},
        {1, 3, 0},   {0, 27, 1}, {0, 19, 5}, {0, 20, 6}};
    EXPECT_EQ(states, expected);
    const auto transforms = device->Find("SetTransform");
    ASSERT_EQ(transforms.size(), 2u);
    EXPECT_EQ(transforms[0]->args[0], kTransformView);
    EXPECT_EQ(transforms[1]->args[0], kTransformProjection);
    const Matrix &projection = transforms[1]->matrix;
    EXPECT_FLOAT_EQ(projection.m[0][0] * 640.0f / 460.0f, projection.m[1][1]);  // right / bottom
    EXPECT_EQ(projection.m[2][3], 1.0f);  // left-handed
    EXPECT_EQ(renderer.StoredAxisDirection(), 7);
}

TEST_F(RendererTest, MinusOneKeepsStoredValuesAndRightHandedSwitchesBothMatrices) {
    renderer.SetViewCamera(0, 0, 300);
    renderer.ApplyViewSettings(1, 1, 5);
    device->ClearCalls();
    renderer.ApplyViewSettings(-1, -1, -1);
    EXPECT_EQ(renderer.StoredCullMode(), 1);
    EXPECT_EQ(renderer.StoredRightHanded(), 1);
    EXPECT_EQ(renderer.StoredAxisDirection(), 5);
    EXPECT_EQ(device->LastRenderState(rs::kCullMode), kCullClockwise);
    EXPECT_EQ(renderer.ProjectionMatrix().m[2][3], -1.0f);
    EXPECT_NEAR(OriginInView(renderer.ViewMatrix()).z, -300.0f, 1e-3);
}

TEST_F(RendererTest, CullModeOutsideRangeLeavesTheDeviceStateAlone) {
    renderer.ApplyViewSettings(0, 0, 7);
    EXPECT_EQ(device->LastRenderState(rs::kCullMode), kCullNone);
    device->ClearCalls();
    renderer.ApplyViewSettings(3, -1, -1);
    EXPECT_EQ(device->LastRenderState(rs::kCullMode), -1);
    EXPECT_EQ(renderer.StoredCullMode(), 3);
}

TEST_F(RendererTest, ResizeChangesTheAspectAndBottomZeroKeepsTheProjection) {
    renderer.SetViewCamera(0, 0, 300);
    renderer.ApplyViewSettings(2, 0, 7);
    renderer.SetPresentRect({0, 31, 800, 400});
    renderer.ApplyViewSettings(-1, -1, -1);
    const Matrix wide = renderer.ProjectionMatrix();
    EXPECT_FLOAT_EQ(wide.m[1][1] / wide.m[0][0], 2.0f);
    renderer.SetPresentRect({0, 31, 800, 0});
    device->ClearCalls();
    renderer.ApplyViewSettings(-1, -1, -1);
    EXPECT_EQ(0, std::memcmp(&wide, &renderer.ProjectionMatrix(), sizeof wide));
    EXPECT_TRUE(AllFinite(device->Find("SetTransform")[1]->matrix));
    // Nor may a zero width put an infinite x scale on the device.
    renderer.SetPresentRect({0, 31, 0, 400});
    device->ClearCalls();
    renderer.ApplyViewSettings(-1, -1, -1);
    EXPECT_EQ(0, std::memcmp(&wide, &device->Find("SetTransform")[1]->matrix, sizeof wide));
}

// Axes, ticks and labels as DrawFrame issues them.
class AxisTest : public RendererTest {
protected:
    struct Label {
        Matrix world;
        const DeviceTexture *texture;
        std::vector<uint8_t> vertices;
    };
    std::vector<Label> DrawLabels(int elevation, int azimuth, int distance) {
        SceneBuilder builder;
        builder.document.header.cameraElevation = static_cast<int16_t>(elevation);
        builder.document.header.cameraAzimuth = static_cast<int16_t>(azimuth);
        builder.document.header.cameraDistance = distance;
        device->ClearCalls();
        renderer.DrawFrame(builder.Build(), SceneFlags{3, 1});
        std::vector<Label> labels;
        const DeviceTexture *texture = nullptr;
        Matrix world{};
        for (const auto &call : device->calls) {
            if (call.name == "SetTexture") texture = call.texture;
            if (call.name == "SetTransform") world = call.matrix;
            if (call.name == "DrawPrimitive" && call.args[0] == kTriangleList) {
                labels.push_back({world, texture, call.vertices});
            }
        }
        return labels;
    }
    static Vector3 Centre(const Label &label) { return d3dx::TransformCoord({0, 0, 0}, label.world); }
    static float Size(const Label &label) {
        const Vector3 a = d3dx::TransformCoord({10, 0, 0}, label.world);
        const Vector3 b = d3dx::TransformCoord({-10, 0, 0}, label.world);
        return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
    }
};

TEST_F(AxisTest, LinesAndSixtyOneTicksDoNotDependOnTheDistance) {
    for (int distance : {300, 600}) {
        DrawLabels(0, 0, distance);
        std::vector<std::array<float, 6>> lines;
        for (const auto &call : device->calls) {
            if (call.name != "DrawPrimitive" || call.args[0] != kLineList) continue;
            EXPECT_EQ(call.args, (std::vector<uint32_t>{kLineList, 0, 3 + 183, 16}));
            for (size_t at = 0; at + 32 <= call.vertices.size(); at += 32) {
                float f[8];
                std::memcpy(f, call.vertices.data() + at, 12);
                std::memcpy(f + 4, call.vertices.data() + at + 16, 12);
                uint32_t colour;
                std::memcpy(&colour, call.vertices.data() + at + 12, 4);
                EXPECT_EQ(colour, 0xC8C8C8C8u);
                lines.push_back({f[0], f[1], f[2], f[4], f[5], f[6]});
            }
        }
        ASSERT_EQ(lines.size(), 3u + 183u);
        EXPECT_EQ(lines[0], (std::array<float, 6>{-100, 0, 0, 100, 0, 0}));
        EXPECT_EQ(lines[2], (std::array<float, 6>{0, 0, -100, 0, 0, 100}));
        EXPECT_EQ(lines[3], (std::array<float, 6>{-3050, -5, 0, -3050, 5, 0}));
        EXPECT_EQ(lines[4], (std::array<float, 6>{-5, -3050, 0, 5, -3050, 0}));
        EXPECT_EQ(lines[5], (std::array<float, 6>{-5, 0, -3050, 5, 0, -3050}));
        EXPECT_EQ(lines.back(), (std::array<float, 6>{-5, 0, 2950, 5, 0, 2950}));
    }
}

TEST_F(AxisTest, LabelsStandOnTheAxesSizedByTheDistance) {
    const auto near = DrawLabels(0, 0, 300);
    ASSERT_EQ(near.size(), 6u);
    const Vector3 x = Centre(near[0]), y = Centre(near[1]), z = Centre(near[2]);
    EXPECT_FLOAT_EQ(x.x, 100.0f);
    EXPECT_FLOAT_EQ(y.y, 100.0f);
    EXPECT_FLOAT_EQ(z.z, 100.0f);
    EXPECT_NEAR(Size(near[0]), 10.0f, 1e-4);  // 20 units wide at scale 0.5
    const auto far = DrawLabels(0, 0, 600);
    EXPECT_FLOAT_EQ(Centre(far[0]).x, 200.0f);
    EXPECT_NEAR(Size(far[3]), 20.0f, 1e-4);
    EXPECT_EQ(far[0].world.m[0][0], 1.0f);
}

TEST_F(AxisTest, EachLabelPairFacesTowardsAndAwayFromTheEye) {
    const auto labels = DrawLabels(20, 40, 300);
    ASSERT_EQ(labels.size(), 6u);
    renderer.SetViewCamera(20, 40, 300);
    const Vector3 eye = renderer.Eye();
    for (int i = 0; i < 3; ++i) {
        // The +Z side of the first quad points at the eye, the second's away.
        const Vector3 c = Centre(labels[i]);
        const Vector3 n1 = d3dx::TransformCoord({0, 0, 1}, labels[i].world);
        const Vector3 n2 = d3dx::TransformCoord({0, 0, 1}, labels[i + 3].world);
        const float toward = (n1.x - c.x) * (eye.x - c.x) + (n1.y - c.y) * (eye.y - c.y) + (n1.z - c.z) * (eye.z - c.z);
        const float away = (n2.x - c.x) * (eye.x - c.x) + (n2.y - c.y) * (eye.y - c.y) + (n2.z - c.z) * (eye.z - c.z);
        EXPECT_GT(toward, 0.0f);
        EXPECT_LT(away, 0.0f);
    }
    // The quad's vertices: 24 bytes each, white, u running right to left.
    ASSERT_EQ(labels[0].vertices.size(), 6u * 24);
    float first[6];
    std::memcpy(first, labels[0].vertices.data(), 12);
    std::memcpy(first + 3, labels[0].vertices.data() + 16, 8);
    EXPECT_EQ(first[0], 10.0f);
    EXPECT_EQ(first[1], 10.0f);
    EXPECT_EQ(first[3], 0.0f);
    uint32_t colour;
    std::memcpy(&colour, labels[0].vertices.data() + 12, 4);
    EXPECT_EQ(colour, 0xFFFFFFFFu);
}

class FakeModule : public d3dx::ResourceModule {
public:
    bool FindBitmapResource(const char *name, std::vector<uint8_t> &dib) override {
        requested.push_back(name);
        dib.assign(name, name + std::strlen(name));  // the fake DIB decoder reads the name
        return true;
    }
    std::vector<std::string> requested;
};

TEST_F(AxisTest, LabelTexturesLoadInOrderStopAtAFailureAndReplaceOldOnes) {
    FakeModule module;
    FakeAssets::textures = {"IDB_FONT_X", "IDB_FONT_Y", "IDB_FONT_Z"};
    EXPECT_TRUE(renderer.LoadLabelTextures(&module));
    EXPECT_EQ(module.requested, (std::vector<std::string>{"IDB_FONT_X", "IDB_FONT_Y", "IDB_FONT_Z"}));
    EXPECT_EQ(device->liveTextures, 3);
    const auto labels = DrawLabels(0, 0, 300);
    EXPECT_EQ(labels[0].texture, renderer.Label(kLabelX).texture.get());
    EXPECT_EQ(labels[5].texture, renderer.Label(kLabelZ).texture.get());

    // Reloading releases each old texture first.
    EXPECT_TRUE(renderer.LoadLabelTextures(&module));
    EXPECT_EQ(device->liveTextures, 3);

    // Y fails: X reloaded, Y cleared, Z keeps what it had.
    FakeAssets::textures.erase("IDB_FONT_Y");
    const DeviceTexture *oldZ = renderer.Label(kLabelZ).texture.get();
    module.requested.clear();
    EXPECT_FALSE(renderer.LoadLabelTextures(&module));
    EXPECT_EQ(module.requested.size(), 2u);
    EXPECT_TRUE(renderer.Label(kLabelX).texture);
    EXPECT_FALSE(renderer.Label(kLabelY).texture);
    EXPECT_EQ(renderer.Label(kLabelZ).texture.get(), oldZ);
    const auto untextured = DrawLabels(0, 0, 300);
    EXPECT_EQ(untextured[1].texture, nullptr);
}

// ---- overlay --------------------------------------------------------------

TEST(OverlayLines, FollowTheSelectionDepth) {
    SceneBuilder builder;
    builder.Part(".\\body.x").Motion("walk");
    const Rect rect{0, 31, 640, 460};
    auto lines = FormatOverlayLines(builder.Build(), rect);
    ASSERT_EQ(lines.size(), 1u);  // a motion without frames
    EXPECT_EQ(lines[0].text, "Motion-[0][walk]");
    EXPECT_EQ(lines[0].y, 412);

    builder.Frame("step").Frame("two").Position(UnitPosition(0));
    lines = FormatOverlayLines(builder.Build(0, 1, 0), rect);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].text, "Frame-[1][two]");
    EXPECT_EQ(lines[1].y, 428);
    EXPECT_EQ(lines[2].text, "Position-[0] Parts-[0][.\\body.x]");
    EXPECT_EQ(lines[2].y, 444);

    SceneBuilder noParts;
    noParts.Motion("m");
    EXPECT_TRUE(FormatOverlayLines(noParts.Build(), rect).empty());
}

class FakeRasterizer : public TextRasterizer {
public:
    bool RasterizeText(const std::string &text, TextBitmap &out) override {
        texts.push_back(text);
        out.width = static_cast<uint32_t>(8 * text.size());
        out.height = 14;
        out.coverage.assign(size_t{out.width} * out.height, 0x80);
        return true;
    }
    std::vector<std::string> texts;
};

TEST_F(RendererTest, OverlayTextIsDrawnFromCachedTexturesAndRestoresTheStates) {
    FakeRasterizer rasterizer;
    renderer.SetTextRasterizer(&rasterizer);
    renderer.ApplyViewSettings(1, 0, 7);
    SceneBuilder builder;
    builder.Part(".\\body.x").Motion("walk").Frame("f").Position(UnitPosition(0));
    builder.document.header.axisVisible = 0;
    builder.document.header.statusTextColour = {10, 20, 30, 0};
    builder.partMeshes.push_back(nullptr);
    for (int frame = 0; frame < 2; ++frame) {
        device->ClearCalls();
        renderer.DrawFrame(builder.Build(), SceneFlags{3, 1});
        const auto draws = device->Find("DrawPrimitive");
        ASSERT_EQ(draws.size(), 3u);
        EXPECT_EQ(device->Count("CreateVertexBuffer"), frame == 0 ? 3u : 0u) << "quads made once";
        const std::vector<std::string> names = device->Names();
        EXPECT_LT(std::find(names.rbegin(), names.rend(), "CreateTexture").base() - names.begin(),
                  std::find(names.begin(), names.end(), "Clear") - names.begin())
            << "textures and quads are made before the frame begins";
        float x, y, rhw;
        uint32_t colour;
        std::memcpy(&x, draws[0]->vertices.data(), 4);
        std::memcpy(&y, draws[0]->vertices.data() + 4, 4);
        std::memcpy(&rhw, draws[0]->vertices.data() + 12, 4);
        std::memcpy(&colour, draws[0]->vertices.data() + 16, 4);
        EXPECT_EQ(x, -0.5f);
        EXPECT_EQ(y, 460 - 48 - 0.5f);
        EXPECT_EQ(rhw, 1.0f);
        EXPECT_EQ(colour, 0xC80A141Eu);
    }
    EXPECT_EQ(rasterizer.texts.size(), 3u);  // the second frame reused the textures
    EXPECT_EQ(device->LastRenderState(rs::kZEnable), 1);
    EXPECT_EQ(device->LastRenderState(rs::kZWriteEnable), 1);
    EXPECT_EQ(device->LastRenderState(rs::kCullMode), kCullClockwise);

    // A long line is cut at 64 bytes without splitting a double-byte character.
    std::string longLine(63, 'a');
    longLine += "\x82\xA0";
    renderer.DrawOverlayText(longLine, 0, 0, kOverlayTextSize, 0xFFFFFFFF);
    EXPECT_EQ(rasterizer.texts.back(), std::string(63, 'a'));
}

}  // namespace
