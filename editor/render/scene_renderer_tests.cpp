#include "render/scene_renderer.h"

#include <gtest/gtest.h>

#include "render/fakes/renderer_fixture.h"

namespace {

using namespace morvel::render;
using fakes::FakeAssets;
using fakes::MakeMesh;
using fakes::RecordingSystem;
using fakes::RendererTest;
using fakes::SceneBuilder;
using fakes::UnitPosition;
using morvel::Light;
using morvel::Material;

using Names = std::vector<std::string>;

// ---- device creation ------------------------------------------------------

struct InitCase {
    std::vector<std::pair<uint32_t, uint32_t>> failing;
    int expected;
};

TEST(InitDevice, FallsBackFromHardwareToSoftwareToReference) {
    const std::pair<uint32_t, uint32_t> halHw{kDeviceTypeHal, kCreateHardwareVertexProcessing};
    const std::pair<uint32_t, uint32_t> halSw{kDeviceTypeHal, kCreateSoftwareVertexProcessing};
    const std::pair<uint32_t, uint32_t> refSw{kDeviceTypeRef, kCreateSoftwareVertexProcessing};
    const InitCase cases[] = {{{}, kInitHalHardware},
                              {{halHw}, kInitHalSoftware},
                              {{halHw, halSw}, kInitRefSoftware},
                              {{halHw, halSw, refSw}, kInitFailed}};
    for (const InitCase &c : cases) {
        RecordingSystem *system = nullptr;
        SceneRenderer renderer([&](uint32_t version) {
            EXPECT_EQ(version, 220u);
            auto created = std::make_unique<RecordingSystem>();
            for (const auto &key : c.failing) created->createResults[key] = hr::kInvalidCall;
            system = created.get();
            return created;
        });
        int window = 0;
        EXPECT_EQ(renderer.InitDevice(&window), c.expected);
        EXPECT_EQ(renderer.HasDevice(), c.expected != kInitFailed);
        ASSERT_NE(system, nullptr);
        if (c.expected == kInitFailed) continue;
        EXPECT_EQ(system->calls.size(), c.failing.size() + 2);
        EXPECT_EQ(system->lastFocusWindow, &window);
        const PresentParameters &pp = system->lastParameters;
        EXPECT_EQ(pp.Windowed, 1);
        EXPECT_EQ(pp.SwapEffect, 1u);
        EXPECT_EQ(pp.BackBufferFormat, kFormatX8R8G8B8);  // the display mode's
        EXPECT_EQ(pp.BackBufferCount, 1u);
        EXPECT_EQ(pp.EnableAutoDepthStencil, 1);
        EXPECT_EQ(pp.AutoDepthStencilFormat, 80u);
        EXPECT_EQ(pp.BackBufferWidth, 0u);
        EXPECT_EQ(pp.hDeviceWindow, nullptr);
        // Texture stage 0 is set up in the documented order.
        const auto stages = system->createdDevice->Find("SetTextureStageState");
        ASSERT_EQ(stages.size(), 6u);
        const uint32_t expected[6][3] = {{0, 1, 4}, {0, 2, 2}, {0, 3, 0},
                                         {0, 4, 4}, {0, 5, 2}, {0, 6, 0}};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(stages[i]->args, std::vector<uint32_t>(expected[i], expected[i] + 3));
        }
        const Light &light = renderer.SceneLight();
        EXPECT_EQ(light.Type, kLightDirectional);
        EXPECT_FLOAT_EQ(light.Diffuse.r, 0.8f);
        EXPECT_FLOAT_EQ(light.Ambient.g, 0.2f);
        EXPECT_FLOAT_EQ(light.Direction.x, -0.57735026f);
    }
}

TEST(InitDevice, NoDirect3DOrNoDisplayModeFails) {
    SceneRenderer none([](uint32_t) { return std::unique_ptr<RenderSystem>(); });
    EXPECT_EQ(none.InitDevice(nullptr), kInitFailed);
    SceneRenderer noMode([](uint32_t) {
        auto system = std::make_unique<RecordingSystem>();
        system->displayModeResult = hr::kInvalidCall;
        return system;
    });
    EXPECT_EQ(noMode.InitDevice(nullptr), kInitFailed);
    EXPECT_FALSE(noMode.HasDevice());
    // Without a device, nothing draws and nothing crashes.
    SceneBuilder builder;
    EXPECT_FALSE(noMode.BeginFrame(0));
    EXPECT_FALSE(noMode.DrawFrame(builder.Build(), SceneFlags{3, 1}));
    EXPECT_EQ(noMode.LoadPartMesh(".\\a.x"), nullptr);
    noMode.ReleaseDevice();
    noMode.ReleaseDevice();
}

TEST(InitDevice, FailingTextureStageSetupFailsButKeepsTheDevice) {
    // The first device handed out fails its stage states.
    struct FailingSystem : RecordingSystem {
        HResult CreateDevice(uint32_t a, uint32_t t, void *w, uint32_t b, PresentParameters &p,
                             std::unique_ptr<RenderDevice> &out) override {
            const HResult result = RecordingSystem::CreateDevice(a, t, w, b, p, out);
            createdDevice->textureStageResult = hr::kInvalidCall;
            return result;
        }
    };
    SceneRenderer failing([](uint32_t) { return std::make_unique<FailingSystem>(); });
    EXPECT_EQ(failing.InitDevice(nullptr), kInitFailed);
    EXPECT_TRUE(failing.HasDevice());
}

// ---- frames ---------------------------------------------------------------

TEST_F(RendererTest, BeginAndEndFramePresentTheRectangleAsSourceAndDestination) {
    ASSERT_TRUE(renderer.BeginFrame(0xC8102030));
    ASSERT_TRUE(renderer.EndFrame());
    EXPECT_EQ(device->Names(),
              (Names{"TestCooperativeLevel", "Clear", "BeginScene", "EndScene", "Present"}));
    EXPECT_EQ(device->calls[1].args, (std::vector<uint32_t>{0, 0, 3, 0xC8102030, 0}));
    EXPECT_EQ(device->calls[1].z, 1.0f);
    const auto &present = device->calls[4];
    EXPECT_TRUE(present.hasRects);
    EXPECT_EQ(present.sourceRect.top, 31);
    EXPECT_EQ(present.destRect.bottom, 460);
    EXPECT_EQ(present.args, (std::vector<uint32_t>{0, 0}));
}

TEST_F(RendererTest, FailingClearOrBeginSceneAbandonsTheFrame) {
    SceneBuilder builder;
    device->clearResult = hr::kInvalidCall;
    EXPECT_FALSE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 1}));
    // The axes' buffers are made before the frame begins.
    EXPECT_EQ(device->Names(),
              (Names{"CreateVertexBuffer", "CreateVertexBuffer", "TestCooperativeLevel", "Clear"}));
    device->clearResult = hr::kOk;
    device->beginSceneResult = hr::kInvalidCall;
    device->ClearCalls();
    EXPECT_FALSE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 1}));
    EXPECT_EQ(device->Count("Present"), 0u);
}

TEST_F(RendererTest, SceneNotReadyDrawsOnlyTheBackgroundAndNothingBeforeTheFirstReadyFrame) {
    SceneBuilder builder;
    builder.Part(".\\a.x").Motion("m").Frame("f").Position(UnitPosition(0));
    builder.document.header.backgroundColour = {1, 2, 3, 255};
    EXPECT_FALSE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 0}));
    EXPECT_EQ(device->Count("Present"), 0u);
    ASSERT_TRUE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 1}));
    device->ClearCalls();
    ASSERT_TRUE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 0}));
    EXPECT_EQ(device->Names(),
              (Names{"TestCooperativeLevel", "Clear", "BeginScene", "SetTransform", "SetLight",
                     "LightEnable", "SetTexture", "SetMaterial", "EndScene", "Present"}));
    EXPECT_EQ(device->calls[1].args[3], 0xC8010203u);
    // sceneReady must be exactly 1.
    device->ClearCalls();
    renderer.DrawFrame(builder.Build(), SceneFlags{3, 2});
    EXPECT_EQ(device->Count("DrawPrimitive"), 0u);
}

// The exact sequence for one part with two subsets, one position, axes on.
TEST_F(RendererTest, DrawFrameCallSequenceForASmallDocument) {
    FakeAssets::meshes[".\\cube.x"] = MakeMesh(kPartMeshFvf, 2);
    SceneBuilder builder;
    builder.Part(".\\cube.x").Motion("walk").Frame("f0");
    PositionEntry position = UnitPosition(0);
    position.translation = {0, 10, 0};
    builder.Position(position);
    builder.partMeshes.push_back(renderer.LoadPartMesh(".\\cube.x"));
    ASSERT_NE(builder.partMeshes[0], nullptr);
    renderer.SetViewCamera(0, 0, 300);
    device->ClearCalls();

    ASSERT_TRUE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 1}));

    Names expected{"CreateVertexBuffer",
                   "CreateVertexBuffer",
                   "TestCooperativeLevel",
                   "Clear",
                   "BeginScene",
                   "SetTransform",
                   "SetLight",
                   "LightEnable",
                   "SetTexture",
                   "SetMaterial",
                   "SetRenderState",
                   "SetTexture",
                   "SetVertexShader",
                   "SetStreamSource",
                   "DrawPrimitive"};
    for (int label = 0; label < 6; ++label) {
        expected.insert(expected.end(), {"SetTexture", "SetVertexShader", "SetStreamSource",
                                         "SetTransform", "DrawPrimitive"});
    }
    expected.insert(expected.end(), 5, "SetRenderState");
    expected.push_back("SetTransform");
    for (int subset = 0; subset < 2; ++subset) {
        expected.insert(expected.end(), {"SetMaterial", "SetTexture", "SetVertexShader",
                                         "SetStreamSource", "SetIndices", "DrawIndexedPrimitive"});
    }
    expected.insert(expected.end(), {"SetTexture", "EndScene", "Present"});
    EXPECT_EQ(device->Names(), expected);

    // Arguments that matter along the way.
    const auto transforms = device->Find("SetTransform");
    EXPECT_EQ(transforms.front()->args[0], kTransformWorld);
    EXPECT_EQ(transforms.front()->matrix.m[0][0], 1.0f);
    EXPECT_EQ(transforms.front()->matrix.m[3][0], 0.0f);
    EXPECT_EQ(transforms.back()->matrix.m[3][1], 10.0f);  // the position's world
    const Light &light = device->Find("SetLight")[0]->light;
    EXPECT_EQ(light.Direction.z, -300.0f);  // -eye, not normalised
    EXPECT_EQ(device->Find("LightEnable")[0]->args, (std::vector<uint32_t>{0, 1}));
    const Material &base = device->Find("SetMaterial")[0]->material;
    EXPECT_EQ(base.Emissive.a, 0.5f);
    EXPECT_EQ(base.Power, 100.0f);
    const auto states = device->Find("SetRenderState");
    EXPECT_EQ(states[0]->args, (std::vector<uint32_t>{rs::kAmbient, 0xC8C8C8C8}));
    const uint32_t partStates[5][2] = {{rs::kAmbient, 0xFF3C3C3C}, {rs::kLighting, 1},
                                       {rs::kAlphaBlendEnable, 1}, {rs::kSrcBlend, 5},
                                       {rs::kDestBlend, 6}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(states[1 + i]->args, std::vector<uint32_t>(partStates[i], partStates[i] + 2));
    }
    const auto materials = device->Find("SetMaterial");
    EXPECT_EQ(materials[1]->material.Power, 50.0f);
    EXPECT_FLOAT_EQ(materials[2]->material.Diffuse.r, 0.2f);
    EXPECT_EQ(device->Find("SetTexture").back()->texture, nullptr);
}

TEST_F(RendererTest, SelectedPositionBlinksAndOthersStay) {
    FakeAssets::meshes["p.x"] = MakeMesh(kPartMeshFvf, 1);
    SceneBuilder builder;
    builder.Part("p.x").Motion("m").Frame("f");
    builder.Position(UnitPosition(0)).Position(UnitPosition(0));
    builder.document.header.axisVisible = 0;
    builder.partMeshes.push_back(renderer.LoadPartMesh("p.x"));
    const SceneDocument scene = builder.Build(0, 0, 1);

    // RequestRedraw sets 3; each tick advances before drawing.
    SceneFlags flags{3, 1};
    std::vector<size_t> drawn;
    for (int tick = 0; tick < 6; ++tick) {
        device->ClearCalls();
        renderer.DrawFrame(scene, flags);
        drawn.push_back(device->Count("DrawIndexedPrimitive"));
        AdvanceSelectionBlink(flags);
    }
    // Blink values 3, 2, 1, 0, 1, 0: hidden only at 0.
    EXPECT_EQ(drawn, (std::vector<size_t>{2, 2, 2, 1, 2, 1}));
}

TEST_F(RendererTest, FailedOrForeignPartsDrawNothingAndLeaveStageZeroEmpty) {
    SceneBuilder builder;
    builder.Part("missing.x").Part("p.x").Motion("m").Frame("f");
    PositionEntry outOfRange = UnitPosition(5);
    builder.Position(UnitPosition(0)).Position(outOfRange);
    builder.document.header.axisVisible = 0;
    builder.partMeshes.push_back(renderer.LoadPartMesh("missing.x"));
    EXPECT_EQ(builder.partMeshes[0], nullptr);
    builder.partMeshes.push_back(nullptr);
    ASSERT_TRUE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 1}));
    EXPECT_EQ(device->Count("DrawIndexedPrimitive"), 0u);
    EXPECT_EQ(device->Count("SetTransform"), 1u);  // only the identity world of step 2
    const auto textures = device->Find("SetTexture");
    EXPECT_EQ(textures.back()->texture, nullptr);
    EXPECT_EQ(textures.size(), 3u);  // step 3, then stage 0 emptied per position
}

TEST_F(RendererTest, EmptyTablesShowAxesButNoParts) {
    SceneBuilder noMotions;
    noMotions.Part("p.x");
    renderer.DrawFrame(noMotions.Build(), SceneFlags{3, 1});
    EXPECT_EQ(device->Count("DrawPrimitive"), 1u + 6u);  // all lines at once, then the labels
    EXPECT_EQ(device->LastRenderState(rs::kLighting), -1);

    SceneBuilder noPositions;
    noPositions.Part("p.x").Motion("m").Frame("f");
    device->ClearCalls();
    renderer.DrawFrame(noPositions.Build(), SceneFlags{3, 1});
    EXPECT_EQ(device->Count("DrawIndexedPrimitive"), 0u);
    EXPECT_EQ(device->LastRenderState(rs::kLighting), -1);
}

TEST_F(RendererTest, LostDeviceIsResetAtTheNextDraw) {
    renderer.SetBackBufferSize(800, 600);
    renderer.SetViewCamera(0, 0, 300);
    SceneBuilder builder;
    device->cooperativeLevel = hr::kDeviceLost;
    device->ClearCalls();
    EXPECT_FALSE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 1}));
    EXPECT_EQ(device->Names(),
              (Names{"CreateVertexBuffer", "CreateVertexBuffer", "TestCooperativeLevel"}));

    device->cooperativeLevel = hr::kDeviceNotReset;
    device->ClearCalls();
    EXPECT_TRUE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 1}));
    const Names names = device->Names();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[1], "Reset");
    EXPECT_EQ(device->calls[1].args, (std::vector<uint32_t>{800, 600}));
    EXPECT_EQ(names[2], "SetTransform");  // ApplyViewSettings(-1, -1, -1) follows
    EXPECT_EQ(device->Count("Present"), 1u);

    device->cooperativeLevel = hr::kDeviceNotReset;
    device->resetResult = hr::kDeviceLost;
    device->ClearCalls();
    EXPECT_FALSE(renderer.DrawFrame(builder.Build(), SceneFlags{3, 1}));
    EXPECT_EQ(device->Count("Clear"), 0u);
}

TEST_F(RendererTest, ResetUsesTheStoredParametersAndNamesTheResultsThatReapply) {
    renderer.SetBackBufferSize(320, 200);
    EXPECT_EQ(renderer.ResetDevice(), hr::kOk);
    EXPECT_EQ(device->calls.back().args, (std::vector<uint32_t>{320, 200}));
    // A resize to the size the back buffer has already only sets the view again.
    device->ClearCalls();
    renderer.ResetAfterResize();
    EXPECT_EQ(device->Count("Reset"), 0u);
    EXPECT_GT(device->Count("SetTransform"), 0u);
    renderer.SetBackBufferSize(640, 480);
    renderer.ResetAfterResize();
    EXPECT_EQ(device->Count("Reset"), 1u);
    for (HResult r : {hr::kOk, hr::kInvalidCall, hr::kOutOfMemory, hr::kOutOfVideoMemory}) {
        EXPECT_TRUE(SceneRenderer::ReappliesViewAfterReset(r));
    }
    EXPECT_FALSE(SceneRenderer::ReappliesViewAfterReset(hr::kDeviceLost));
}

TEST_F(RendererTest, ResizeResetsAlwaysReapplyTheViewAndDragEndsOnlyAfterKnownResults) {
    renderer.ApplyViewSettings(1, 0, 7);
    const auto resetThenView = [&] {
        const Names names = device->Names();
        return names.size() > 2 && names[0] == "Reset" && names[1] == "SetTransform" &&
               device->LastRenderState(rs::kCullMode) == kCullClockwise;
    };
    device->resetResult = hr::kDeviceLost;
    device->ClearCalls();
    renderer.ResetAfterResize();
    EXPECT_TRUE(resetThenView());

    device->ClearCalls();
    renderer.ResetAfterSizeMove();
    EXPECT_EQ(device->Names(), (Names{"Reset"}));
    for (HResult r : {hr::kOk, hr::kInvalidCall, hr::kOutOfMemory, hr::kOutOfVideoMemory}) {
        device->resetResult = r;
        device->ClearCalls();
        renderer.ResetAfterSizeMove();
        EXPECT_TRUE(resetThenView()) << r;
    }

    renderer.ReleaseDevice();
    renderer.ResetAfterResize();  // no device: nothing to reset
    renderer.ResetAfterSizeMove();
}

TEST_F(RendererTest, PartMeshLoaderKeepsTheMessageWithinItsBuffer) {
    renderer.SetMeshLoadMessage("Xファイルの読み込みに失敗しました。(.\\a.x)");
    EXPECT_EQ(renderer.MeshLoadMessage(), "Xファイルの読み込みに失敗しました。(.\\a.x)");
    std::string longText(1022, 'a');
    longText += "\x82\xA0";  // a double-byte character across the 1023-byte limit
    renderer.SetMeshLoadMessage(longText);
    EXPECT_EQ(renderer.MeshLoadMessage().size(), 1022u);
}

}  // namespace
