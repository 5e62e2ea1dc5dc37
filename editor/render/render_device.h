// The RenderDevice port: the part of IDirect3DDevice8 the renderer uses, plus
// static vertex/index buffers and textures in the managed pool. RenderSystem
// stands for IDirect3D8 (display mode, device creation). One Direct3D 8
// implementation (d3d8/) and a recording fake for the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/d3d_types.h"
#include "formats/image/texture_types.h"
#include "render/d3d_constants.h"

namespace morvel::render {

// D3DPRESENT_PARAMETERS of Direct3D 8, field for field.
struct PresentParameters {
    uint32_t BackBufferWidth;
    uint32_t BackBufferHeight;
    uint32_t BackBufferFormat;
    uint32_t BackBufferCount;
    uint32_t MultiSampleType;
    uint32_t SwapEffect;
    void *hDeviceWindow;
    int32_t Windowed;
    int32_t EnableAutoDepthStencil;
    uint32_t AutoDepthStencilFormat;
    uint32_t Flags;
    uint32_t FullScreen_RefreshRateInHz;
    uint32_t FullScreen_PresentationInterval;
};

// D3DDISPLAYMODE
struct DisplayMode {
    uint32_t Width;
    uint32_t Height;
    uint32_t RefreshRate;
    uint32_t Format;
};

// A decoded texture ready for the device: one D3DFORMAT and every mip
// level, largest first.
using TextureImage = formats::image::TextureData;

// Device resources, released by destruction (they may outlive the device's
// owner briefly; the Direct3D adapter keeps them reference counted).
class DeviceTexture {
public:
    virtual ~DeviceTexture() = default;
};
class VertexBuffer {
public:
    virtual ~VertexBuffer() = default;
};
class IndexBuffer {
public:
    virtual ~IndexBuffer() = default;
};

class RenderDevice {
public:
    virtual ~RenderDevice() = default;

    virtual HResult TestCooperativeLevel() = 0;
    virtual HResult Reset(PresentParameters &parameters) = 0;
    virtual HResult Clear(uint32_t rectCount, const Rect *rects, uint32_t flags, Color color,
                          float z, uint32_t stencil) = 0;
    virtual HResult BeginScene() = 0;
    virtual HResult EndScene() = 0;
    virtual HResult Present(const Rect *sourceRect, const Rect *destRect, void *destWindowOverride,
                            const void *dirtyRegion) = 0;
    virtual HResult SetTransform(uint32_t state, const Matrix &matrix) = 0;
    virtual HResult SetRenderState(uint32_t state, uint32_t value) = 0;
    virtual HResult SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) = 0;
    virtual HResult SetLight(uint32_t index, const Light &light) = 0;
    virtual HResult LightEnable(uint32_t index, bool enable) = 0;
    virtual HResult SetMaterial(const Material &material) = 0;
    virtual HResult SetTexture(uint32_t stage, DeviceTexture *texture) = 0;
    virtual HResult SetVertexShader(uint32_t fvf) = 0;

    // Managed-pool resources, filled once at creation. Everything drawn
    // comes from them: under Wine the first draw from user memory stalls the
    // program for tens of milliseconds while the driver starts.
    virtual HResult CreateVertexBuffer(const void *bytes, uint32_t length, uint32_t fvf,
                                       std::unique_ptr<VertexBuffer> &out) = 0;
    virtual HResult CreateIndexBuffer(const void *indices, uint32_t length, bool use32BitIndices,
                                      std::unique_ptr<IndexBuffer> &out) = 0;
    virtual HResult CreateTexture(const TextureImage &image,
                                  std::unique_ptr<DeviceTexture> &out) = 0;
    virtual HResult SetStreamSource(uint32_t stream, VertexBuffer *buffer, uint32_t stride) = 0;
    virtual HResult SetIndices(IndexBuffer *buffer, uint32_t baseVertexIndex) = 0;
    virtual HResult DrawPrimitive(uint32_t primitiveType, uint32_t startVertex,
                                  uint32_t primitiveCount) = 0;
    virtual HResult DrawIndexedPrimitive(uint32_t primitiveType, uint32_t minIndex,
                                         uint32_t vertexCount, uint32_t startIndex,
                                         uint32_t primitiveCount) = 0;
};

class RenderSystem {
public:
    virtual ~RenderSystem() = default;
    virtual HResult GetAdapterDisplayMode(uint32_t adapter, DisplayMode &mode) = 0;
    virtual HResult CreateDevice(uint32_t adapter, uint32_t deviceType, void *focusWindow,
                                 uint32_t behaviorFlags, PresentParameters &parameters,
                                 std::unique_ptr<RenderDevice> &out) = 0;
};

// Direct3DCreate8: nullptr when Direct3D 8 is not available.
using RenderSystemFactory = std::function<std::unique_ptr<RenderSystem>(uint32_t sdkVersion)>;

}  // namespace morvel::render
