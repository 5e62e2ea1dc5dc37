// A RenderDevice and RenderSystem that record every call, for the tests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "render/render_device.h"

namespace morvel::render::fakes {

struct FakeTexture : DeviceTexture {
    explicit FakeTexture(int id, uint32_t format, uint32_t width, uint32_t height)
        : id(id), format(format), width(width), height(height) {}
    int id;
    uint32_t format, width, height;
};

struct FakeVertexBuffer : VertexBuffer {
    std::vector<uint8_t> bytes;
    uint32_t fvf = 0;
};

struct FakeIndexBuffer : IndexBuffer {
    std::vector<uint8_t> bytes;
    bool use32Bit = false;
};

struct DeviceCall {
    std::string name;
    std::vector<uint32_t> args;   // the integer arguments in order
    Matrix matrix{};              // SetTransform
    Material material{};          // SetMaterial
    Light light{};                // SetLight
    const DeviceTexture *texture = nullptr;  // SetTexture
    std::vector<uint8_t> vertices;           // DrawPrimitive: those it drew of the bound buffer
    Rect sourceRect{}, destRect{};           // Present
    bool hasRects = false;
    float z = 0.0f;  // Clear
};

class RecordingDevice : public RenderDevice {
public:
    std::vector<DeviceCall> calls;
    // Results to return; by default everything succeeds.
    HResult cooperativeLevel = hr::kOk;
    HResult resetResult = hr::kOk;
    HResult clearResult = hr::kOk;
    HResult beginSceneResult = hr::kOk;
    HResult textureStageResult = hr::kOk;
    HResult createTextureResult = hr::kOk;
    HResult createBufferResult = hr::kOk;
    int textureCount = 0;  // textures created so far
    int liveTextures = 0;  // textures not yet destroyed

    void ClearCalls() { calls.clear(); }
    std::vector<std::string> Names() const;
    size_t Count(const std::string &name) const;
    // Calls with this name, in order.
    std::vector<const DeviceCall *> Find(const std::string &name) const;
    // The last value set for a render state, or -1 when never set.
    int64_t LastRenderState(uint32_t state) const;

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
    HResult CreateVertexBuffer(const void *bytes, uint32_t length, uint32_t fvf,
                               std::unique_ptr<VertexBuffer> &out) override;
    HResult CreateIndexBuffer(const void *indices, uint32_t length, bool use32BitIndices,
                              std::unique_ptr<IndexBuffer> &out) override;
    HResult CreateTexture(const TextureImage &image, std::unique_ptr<DeviceTexture> &out) override;
    HResult SetStreamSource(uint32_t stream, VertexBuffer *buffer, uint32_t stride) override;
    HResult SetIndices(IndexBuffer *buffer, uint32_t baseVertexIndex) override;
    HResult DrawPrimitive(uint32_t primitiveType, uint32_t startVertex,
                          uint32_t primitiveCount) override;
    HResult DrawIndexedPrimitive(uint32_t primitiveType, uint32_t minIndex, uint32_t vertexCount,
                                 uint32_t startIndex, uint32_t primitiveCount) override;

private:
    const VertexBuffer *stream_ = nullptr;
    uint32_t streamStride_ = 0;
    DeviceCall &Record(const std::string &name, std::vector<uint32_t> args = {});
};

// IDirect3D8 stand-in: CreateDevice hands out RecordingDevices; the results
// of the three creation attempts can be set per (device type, behaviour).
class RecordingSystem : public RenderSystem {
public:
    HResult displayModeResult = hr::kOk;
    DisplayMode mode{1024, 768, 60, kFormatX8R8G8B8};
    std::map<std::pair<uint32_t, uint32_t>, HResult> createResults;  // default kOk
    std::vector<std::string> calls;
    PresentParameters lastParameters{};
    void *lastFocusWindow = nullptr;
    RecordingDevice *createdDevice = nullptr;  // owned by the renderer

    HResult GetAdapterDisplayMode(uint32_t adapter, DisplayMode &out) override;
    HResult CreateDevice(uint32_t adapter, uint32_t deviceType, void *focusWindow,
                         uint32_t behaviorFlags, PresentParameters &parameters,
                         std::unique_ptr<RenderDevice> &out) override;
};

}  // namespace morvel::render::fakes
