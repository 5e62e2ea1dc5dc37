#include "render/fakes/recording_device.h"

#include <cstring>

namespace morvel::render::fakes {
namespace {

class CountedTexture : public FakeTexture {
public:
    CountedTexture(int id, uint32_t format, uint32_t width, uint32_t height, int &live)
        : FakeTexture(id, format, width, height), live_(live) {
        ++live_;
    }
    ~CountedTexture() override { --live_; }

private:
    int &live_;
};

}  // namespace

std::vector<std::string> RecordingDevice::Names() const {
    std::vector<std::string> names;
    for (const DeviceCall &call : calls) names.push_back(call.name);
    return names;
}

size_t RecordingDevice::Count(const std::string &name) const { return Find(name).size(); }

std::vector<const DeviceCall *> RecordingDevice::Find(const std::string &name) const {
    std::vector<const DeviceCall *> found;
    for (const DeviceCall &call : calls) {
        if (call.name == name) found.push_back(&call);
    }
    return found;
}

int64_t RecordingDevice::LastRenderState(uint32_t state) const {
    int64_t value = -1;
    for (const DeviceCall &call : calls) {
        if (call.name == "SetRenderState" && call.args[0] == state) value = call.args[1];
    }
    return value;
}

DeviceCall &RecordingDevice::Record(const std::string &name, std::vector<uint32_t> args) {
    calls.push_back(DeviceCall{});
    calls.back().name = name;
    calls.back().args = std::move(args);
    return calls.back();
}

HResult RecordingDevice::TestCooperativeLevel() {
    Record("TestCooperativeLevel");
    return cooperativeLevel;
}

HResult RecordingDevice::Reset(PresentParameters &parameters) {
    Record("Reset", {parameters.BackBufferWidth, parameters.BackBufferHeight});
    if (resetResult == hr::kOk) cooperativeLevel = hr::kOk;
    return resetResult;
}

HResult RecordingDevice::Clear(uint32_t rectCount, const Rect *rects, uint32_t flags, Color color,
                               float z, uint32_t stencil) {
    DeviceCall &call = Record("Clear", {rectCount, rects ? 1u : 0u, flags, color, stencil});
    call.z = z;
    return clearResult;
}

HResult RecordingDevice::BeginScene() {
    Record("BeginScene");
    return beginSceneResult;
}

HResult RecordingDevice::EndScene() {
    Record("EndScene");
    return hr::kOk;
}

HResult RecordingDevice::Present(const Rect *sourceRect, const Rect *destRect,
                                 void *destWindowOverride, const void *dirtyRegion) {
    DeviceCall &call = Record("Present", {destWindowOverride ? 1u : 0u, dirtyRegion ? 1u : 0u});
    call.hasRects = sourceRect && destRect;
    if (sourceRect) call.sourceRect = *sourceRect;
    if (destRect) call.destRect = *destRect;
    return hr::kOk;
}

HResult RecordingDevice::SetTransform(uint32_t state, const Matrix &matrix) {
    Record("SetTransform", {state}).matrix = matrix;
    return hr::kOk;
}

HResult RecordingDevice::SetRenderState(uint32_t state, uint32_t value) {
    Record("SetRenderState", {state, value});
    return hr::kOk;
}

HResult RecordingDevice::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
    Record("SetTextureStageState", {stage, type, value});
    return textureStageResult;
}

HResult RecordingDevice::SetLight(uint32_t index, const Light &light) {
    Record("SetLight", {index}).light = light;
    return hr::kOk;
}

HResult RecordingDevice::LightEnable(uint32_t index, bool enable) {
    Record("LightEnable", {index, enable ? 1u : 0u});
    return hr::kOk;
}

HResult RecordingDevice::SetMaterial(const Material &material) {
    Record("SetMaterial").material = material;
    return hr::kOk;
}

HResult RecordingDevice::SetTexture(uint32_t stage, DeviceTexture *texture) {
    Record("SetTexture", {stage}).texture = texture;
    return hr::kOk;
}

HResult RecordingDevice::SetVertexShader(uint32_t fvf) {
    Record("SetVertexShader", {fvf});
    return hr::kOk;
}

HResult RecordingDevice::DrawPrimitive(uint32_t primitiveType, uint32_t startVertex,
                                       uint32_t primitiveCount) {
    DeviceCall &call =
        Record("DrawPrimitive", {primitiveType, startVertex, primitiveCount, streamStride_});
    const auto *buffer = dynamic_cast<const FakeVertexBuffer *>(stream_);
    const uint32_t vertexCount = primitiveType == kLineList ? primitiveCount * 2 : primitiveCount * 3;
    const size_t begin = size_t{startVertex} * streamStride_,
                 end = begin + size_t{vertexCount} * streamStride_;
    if (buffer == nullptr || end > buffer->bytes.size()) return hr::kInvalidCall;
    call.vertices.assign(buffer->bytes.begin() + static_cast<std::ptrdiff_t>(begin),
                         buffer->bytes.begin() + static_cast<std::ptrdiff_t>(end));
    return hr::kOk;
}

HResult RecordingDevice::CreateVertexBuffer(const void *bytes, uint32_t length, uint32_t fvf,
                                            std::unique_ptr<VertexBuffer> &out) {
    Record("CreateVertexBuffer", {length, fvf});
    if (createBufferResult != hr::kOk) return createBufferResult;
    auto buffer = std::make_unique<FakeVertexBuffer>();
    const auto *data = static_cast<const uint8_t *>(bytes);
    buffer->bytes.assign(data, data + length);
    buffer->fvf = fvf;
    out = std::move(buffer);
    return hr::kOk;
}

HResult RecordingDevice::CreateIndexBuffer(const void *indices, uint32_t length,
                                           bool use32BitIndices,
                                           std::unique_ptr<IndexBuffer> &out) {
    Record("CreateIndexBuffer", {length, use32BitIndices ? 1u : 0u});
    if (createBufferResult != hr::kOk) return createBufferResult;
    auto buffer = std::make_unique<FakeIndexBuffer>();
    const auto *data = static_cast<const uint8_t *>(indices);
    buffer->bytes.assign(data, data + length);
    buffer->use32Bit = use32BitIndices;
    out = std::move(buffer);
    return hr::kOk;
}

HResult RecordingDevice::CreateTexture(const TextureImage &image,
                                       std::unique_ptr<DeviceTexture> &out) {
    const uint32_t width = image.levels.empty() ? 0 : image.levels[0].width;
    const uint32_t height = image.levels.empty() ? 0 : image.levels[0].height;
    Record("CreateTexture", {image.format, width, height, static_cast<uint32_t>(image.levels.size())});
    if (createTextureResult != hr::kOk) return createTextureResult;
    out = std::make_unique<CountedTexture>(++textureCount, image.format, width, height,
                                           liveTextures);
    return hr::kOk;
}

HResult RecordingDevice::SetStreamSource(uint32_t stream, VertexBuffer *buffer, uint32_t stride) {
    Record("SetStreamSource", {stream, stride});
    if (stream == 0) {
        stream_ = buffer;
        streamStride_ = stride;
    }
    return hr::kOk;
}

HResult RecordingDevice::SetIndices(IndexBuffer *, uint32_t baseVertexIndex) {
    Record("SetIndices", {baseVertexIndex});
    return hr::kOk;
}

HResult RecordingDevice::DrawIndexedPrimitive(uint32_t primitiveType, uint32_t minIndex,
                                              uint32_t vertexCount, uint32_t startIndex,
                                              uint32_t primitiveCount) {
    Record("DrawIndexedPrimitive", {primitiveType, minIndex, vertexCount, startIndex, primitiveCount});
    return hr::kOk;
}

HResult RecordingSystem::GetAdapterDisplayMode(uint32_t adapter, DisplayMode &out) {
    calls.push_back("GetAdapterDisplayMode " + std::to_string(adapter));
    if (displayModeResult == hr::kOk) out = mode;
    return displayModeResult;
}

HResult RecordingSystem::CreateDevice(uint32_t adapter, uint32_t deviceType, void *focusWindow,
                                      uint32_t behaviorFlags, PresentParameters &parameters,
                                      std::unique_ptr<RenderDevice> &out) {
    calls.push_back("CreateDevice " + std::to_string(adapter) + " " + std::to_string(deviceType) +
                    " " + std::to_string(behaviorFlags));
    lastParameters = parameters;
    lastFocusWindow = focusWindow;
    const auto found = createResults.find({deviceType, behaviorFlags});
    const HResult result = found == createResults.end() ? hr::kOk : found->second;
    if (result != hr::kOk) return result;
    auto device = std::make_unique<RecordingDevice>();
    createdDevice = device.get();
    out = std::move(device);
    return hr::kOk;
}

}  // namespace morvel::render::fakes
