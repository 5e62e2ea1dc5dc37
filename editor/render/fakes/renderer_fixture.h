// A SceneRenderer on a recording device, for the renderer tests.
#pragma once

#include <gtest/gtest.h>

#include "render/scene_renderer.h"
#include "render/fakes/fake_assets.h"
#include "render/fakes/recording_device.h"
#include "render/fakes/scene_builder.h"

namespace morvel::render::fakes {

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        FakeAssets::Reset();
        ASSERT_EQ(renderer.InitDevice(this), kInitHalHardware);
        device = system->createdDevice;
        renderer.SetPresentRect({0, 31, 640, 460});
        device->ClearCalls();
    }
    void TearDown() override { FakeAssets::Reset(); }

    // The system lives in the renderer once created; keep a pointer to it.
    RecordingSystem *system = nullptr;
    SceneRenderer renderer{[this](uint32_t) {
                               auto created = std::make_unique<RecordingSystem>();
                               system = created.get();
                               return created;
                           },
                           FakeAssets::Loaders()};
    RecordingDevice *device = nullptr;
};

}  // namespace morvel::render::fakes
