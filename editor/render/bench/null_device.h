// A device that accepts every call and draws nothing: what remains of a
// frame's cost is the renderer's own work.
#pragma once

#include "render/render_device.h"

namespace morvel::render::bench {

class NullDevice : public RenderDevice {
public:
    uint64_t calls = 0;
    HResult TestCooperativeLevel() override { return Count(); }
    HResult Reset(PresentParameters &) override { return Count(); }
    HResult Clear(uint32_t, const Rect *, uint32_t, Color, float, uint32_t) override { return Count(); }
    HResult BeginScene() override { return Count(); }
    HResult EndScene() override { return Count(); }
    HResult Present(const Rect *, const Rect *, void *, const void *) override { return Count(); }
    HResult SetTransform(uint32_t, const Matrix &) override { return Count(); }
    HResult SetRenderState(uint32_t, uint32_t) override { return Count(); }
    HResult SetTextureStageState(uint32_t, uint32_t, uint32_t) override { return Count(); }
    HResult SetLight(uint32_t, const Light &) override { return Count(); }
    HResult LightEnable(uint32_t, bool) override { return Count(); }
    HResult SetMaterial(const Material &) override { return Count(); }
    HResult SetTexture(uint32_t, DeviceTexture *) override { return Count(); }
    HResult SetVertexShader(uint32_t) override { return Count(); }
    HResult DrawPrimitive(uint32_t, uint32_t, uint32_t) override { return Count(); }
    HResult CreateVertexBuffer(const void *, uint32_t, uint32_t, std::unique_ptr<VertexBuffer> &out) override {
        out = std::make_unique<VertexBuffer>();
        return Count();
    }
    HResult CreateIndexBuffer(const void *, uint32_t, bool, std::unique_ptr<IndexBuffer> &out) override {
        out = std::make_unique<IndexBuffer>();
        return Count();
    }
    HResult CreateTexture(const TextureImage &, std::unique_ptr<DeviceTexture> &out) override {
        out = std::make_unique<DeviceTexture>();
        return Count();
    }
    HResult SetStreamSource(uint32_t, VertexBuffer *, uint32_t) override { return Count(); }
    HResult SetIndices(IndexBuffer *, uint32_t) override { return Count(); }
    HResult DrawIndexedPrimitive(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) override { return Count(); }

private:
    HResult Count() {
        ++calls;
        return hr::kOk;
    }
};

class NullSystem : public RenderSystem {
public:
    HResult GetAdapterDisplayMode(uint32_t, DisplayMode &mode) override {
        mode = DisplayMode{640, 480, 60, kFormatX8R8G8B8};
        return hr::kOk;
    }
    HResult CreateDevice(uint32_t, uint32_t, void *, uint32_t, PresentParameters &,
                         std::unique_ptr<RenderDevice> &out) override {
        out = std::make_unique<NullDevice>();
        return hr::kOk;
    }
};

}  // namespace morvel::render::bench
