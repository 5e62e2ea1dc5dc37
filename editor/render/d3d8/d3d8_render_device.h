// RenderDevice and RenderSystem over the real IDirect3DDevice8 and
// IDirect3D8: each call forwards to the interface with the same arguments.
#pragma once

#include <windows.h>
#include <d3d8.h>

#include <memory>

#include "render/render_device.h"

namespace morvel::render::d3d8 {

class D3D8RenderDevice : public RenderDevice {
public:
    explicit D3D8RenderDevice(IDirect3DDevice8 *device) : device_(device) {}
    ~D3D8RenderDevice() override;
    D3D8RenderDevice(const D3D8RenderDevice &) = delete;
    D3D8RenderDevice &operator=(const D3D8RenderDevice &) = delete;

    IDirect3DDevice8 *Interface() const { return device_; }

    HResult TestCooperativeLevel() override;
    HResult Reset(PresentParameters &parameters) override;
    HResult Clear(uint32_t rectCount, const Rect *rects, uint32_t flags, Color color, float z,
                  uint32_t stencil) override;
    HResult BeginScene() override;
    HResult EndScene() override;
    HResult Present(const Rect *sourceRect, const Rect *destRect, void *destWindowOverride,
                    const void *dirtyRegion) override;
    HResult SetTransform(uint32_t state, const Matrix &matrix) override;
    HResult SetRenderState(uint32_t state, uint32_t value) override;
    HResult SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) override;
    HResult SetLight(uint32_t index, const Light &light) override;
    HResult LightEnable(uint32_t index, bool enable) override;
    HResult SetMaterial(const Material &material) override;
    HResult SetTexture(uint32_t stage, DeviceTexture *texture) override;
    HResult SetVertexShader(uint32_t fvf) override;
    HResult DrawPrimitive(uint32_t primitiveType, uint32_t startVertex,
                          uint32_t primitiveCount) override;
    HResult CreateVertexBuffer(const void *bytes, uint32_t length, uint32_t fvf,
                               std::unique_ptr<VertexBuffer> &out) override;
    HResult CreateIndexBuffer(const void *indices, uint32_t length, bool use32BitIndices,
                              std::unique_ptr<IndexBuffer> &out) override;
    HResult CreateTexture(const TextureImage &image, std::unique_ptr<DeviceTexture> &out) override;
    HResult SetStreamSource(uint32_t stream, VertexBuffer *buffer, uint32_t stride) override;
    HResult SetIndices(IndexBuffer *buffer, uint32_t baseVertexIndex) override;
    HResult DrawIndexedPrimitive(uint32_t primitiveType, uint32_t minIndex, uint32_t vertexCount,
                                 uint32_t startIndex, uint32_t primitiveCount) override;

private:
    IDirect3DDevice8 *device_;
};

class D3D8RenderSystem : public RenderSystem {
public:
    explicit D3D8RenderSystem(IDirect3D8 *direct3D) : direct3D_(direct3D) {}
    ~D3D8RenderSystem() override;
    D3D8RenderSystem(const D3D8RenderSystem &) = delete;
    D3D8RenderSystem &operator=(const D3D8RenderSystem &) = delete;

    HResult GetAdapterDisplayMode(uint32_t adapter, DisplayMode &mode) override;
    HResult CreateDevice(uint32_t adapter, uint32_t deviceType, void *focusWindow,
                         uint32_t behaviorFlags, PresentParameters &parameters,
                         std::unique_ptr<RenderDevice> &out) override;

private:
    IDirect3D8 *direct3D_;
};

// Direct3DCreate8 from d3d8.dll, loaded at run time (MinGW has no import
// library for it); nullptr when the DLL or the function is missing.
std::unique_ptr<RenderSystem> Direct3DCreate8(uint32_t sdkVersion);

}  // namespace morvel::render::d3d8
