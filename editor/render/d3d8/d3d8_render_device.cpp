#include "render/d3d8/d3d8_render_device.h"

#include <algorithm>
#include <cstring>

namespace morvel::render::d3d8 {
namespace {

template <typename Interface>
void ReleaseInterface(Interface *&object) {
    if (object) object->Release();
    object = nullptr;
}

class D3D8Texture : public DeviceTexture {
public:
    explicit D3D8Texture(IDirect3DTexture8 *texture) : texture(texture) {}
    ~D3D8Texture() override { ReleaseInterface(texture); }
    IDirect3DTexture8 *texture;
};

class D3D8VertexBuffer : public VertexBuffer {
public:
    explicit D3D8VertexBuffer(IDirect3DVertexBuffer8 *buffer) : buffer(buffer) {}
    ~D3D8VertexBuffer() override { ReleaseInterface(buffer); }
    IDirect3DVertexBuffer8 *buffer;
};

class D3D8IndexBuffer : public IndexBuffer {
public:
    explicit D3D8IndexBuffer(IDirect3DIndexBuffer8 *buffer) : buffer(buffer) {}
    ~D3D8IndexBuffer() override { ReleaseInterface(buffer); }
    IDirect3DIndexBuffer8 *buffer;
};

bool IsBlockFormat(uint32_t format) {
    return format == D3DFMT_DXT1 || format == D3DFMT_DXT2 || format == D3DFMT_DXT3 ||
           format == D3DFMT_DXT4 || format == D3DFMT_DXT5;
}

}  // namespace

D3D8RenderDevice::~D3D8RenderDevice() { ReleaseInterface(device_); }

HResult D3D8RenderDevice::TestCooperativeLevel() { return device_->TestCooperativeLevel(); }

HResult D3D8RenderDevice::Reset(PresentParameters &parameters) {
    return device_->Reset(reinterpret_cast<D3DPRESENT_PARAMETERS *>(&parameters));
}

HResult D3D8RenderDevice::Clear(uint32_t rectCount, const Rect *rects, uint32_t flags, Color color,
                                float z, uint32_t stencil) {
    return device_->Clear(rectCount, reinterpret_cast<const D3DRECT *>(rects), flags, color, z,
                          stencil);
}

HResult D3D8RenderDevice::BeginScene() { return device_->BeginScene(); }
HResult D3D8RenderDevice::EndScene() { return device_->EndScene(); }

HResult D3D8RenderDevice::Present(const Rect *sourceRect, const Rect *destRect,
                                  void *destWindowOverride, const void *dirtyRegion) {
    return device_->Present(reinterpret_cast<const RECT *>(sourceRect),
                            reinterpret_cast<const RECT *>(destRect),
                            static_cast<HWND>(destWindowOverride),
                            static_cast<const RGNDATA *>(dirtyRegion));
}

HResult D3D8RenderDevice::SetTransform(uint32_t state, const Matrix &matrix) {
    return device_->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(state),
                                 reinterpret_cast<const D3DMATRIX *>(&matrix));
}

HResult D3D8RenderDevice::SetRenderState(uint32_t state, uint32_t value) {
    return device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value);
}

HResult D3D8RenderDevice::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
    return device_->SetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(type), value);
}

HResult D3D8RenderDevice::SetLight(uint32_t index, const Light &light) {
    return device_->SetLight(index, reinterpret_cast<const D3DLIGHT8 *>(&light));
}

HResult D3D8RenderDevice::LightEnable(uint32_t index, bool enable) {
    return device_->LightEnable(index, enable ? TRUE : FALSE);
}

HResult D3D8RenderDevice::SetMaterial(const Material &material) {
    return device_->SetMaterial(reinterpret_cast<const D3DMATERIAL8 *>(&material));
}

HResult D3D8RenderDevice::SetTexture(uint32_t stage, DeviceTexture *texture) {
    IDirect3DTexture8 *raw = texture ? static_cast<D3D8Texture *>(texture)->texture : nullptr;
    return device_->SetTexture(stage, raw);
}

HResult D3D8RenderDevice::SetVertexShader(uint32_t fvf) { return device_->SetVertexShader(fvf); }

HResult D3D8RenderDevice::DrawPrimitive(uint32_t primitiveType, uint32_t startVertex,
                                        uint32_t primitiveCount) {
    return device_->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(primitiveType), startVertex,
                                  primitiveCount);
}

HResult D3D8RenderDevice::CreateVertexBuffer(const void *bytes, uint32_t length, uint32_t fvf,
                                             std::unique_ptr<VertexBuffer> &out) {
    IDirect3DVertexBuffer8 *buffer = nullptr;
    HRESULT result = device_->CreateVertexBuffer(length, D3DUSAGE_WRITEONLY, fvf, D3DPOOL_MANAGED,
                                                 &buffer);
    if (FAILED(result)) return result;
    BYTE *data = nullptr;
    result = buffer->Lock(0, 0, &data, 0);
    if (FAILED(result)) {
        buffer->Release();
        return result;
    }
    std::memcpy(data, bytes, length);
    buffer->Unlock();
    out = std::make_unique<D3D8VertexBuffer>(buffer);
    return D3D_OK;
}

HResult D3D8RenderDevice::CreateIndexBuffer(const void *indices, uint32_t length,
                                            bool use32BitIndices,
                                            std::unique_ptr<IndexBuffer> &out) {
    IDirect3DIndexBuffer8 *buffer = nullptr;
    HRESULT result = device_->CreateIndexBuffer(length, D3DUSAGE_WRITEONLY,
                                                use32BitIndices ? D3DFMT_INDEX32 : D3DFMT_INDEX16,
                                                D3DPOOL_MANAGED, &buffer);
    if (FAILED(result)) return result;
    BYTE *data = nullptr;
    result = buffer->Lock(0, 0, &data, 0);
    if (FAILED(result)) {
        buffer->Release();
        return result;
    }
    std::memcpy(data, indices, length);
    buffer->Unlock();
    out = std::make_unique<D3D8IndexBuffer>(buffer);
    return D3D_OK;
}

HResult D3D8RenderDevice::CreateTexture(const TextureImage &image,
                                        std::unique_ptr<DeviceTexture> &out) {
    if (image.levels.empty()) return D3DERR_INVALIDCALL;
    const bool blocks = IsBlockFormat(image.format);
    // Every level's bytes must cover its rows before anything is created.
    for (const auto &level : image.levels) {
        const uint64_t rows = blocks ? (uint64_t{level.height} + 3) / 4 : level.height;
        if (level.width == 0 || level.height == 0 || level.bytes.size() < rows * level.pitch) {
            return D3DERR_INVALIDCALL;
        }
    }
    IDirect3DTexture8 *texture = nullptr;
    HRESULT result = device_->CreateTexture(
        image.levels[0].width, image.levels[0].height, static_cast<UINT>(image.levels.size()), 0,
        static_cast<D3DFORMAT>(image.format), D3DPOOL_MANAGED, &texture);
    if (FAILED(result)) return result;
    for (UINT i = 0; i < image.levels.size(); ++i) {
        const auto &level = image.levels[i];
        D3DLOCKED_RECT locked;
        result = texture->LockRect(i, &locked, nullptr, 0);
        if (FAILED(result)) {
            texture->Release();
            return result;
        }
        const uint32_t rows = blocks ? (level.height + 3) / 4 : level.height;
        const size_t rowBytes = std::min<size_t>(level.pitch, static_cast<size_t>(locked.Pitch));
        for (uint32_t row = 0; row < rows; ++row) {
            std::memcpy(static_cast<BYTE *>(locked.pBits) + size_t{row} * locked.Pitch,
                        level.bytes.data() + size_t{row} * level.pitch, rowBytes);
        }
        texture->UnlockRect(i);
    }
    out = std::make_unique<D3D8Texture>(texture);
    return D3D_OK;
}

HResult D3D8RenderDevice::SetStreamSource(uint32_t stream, VertexBuffer *buffer, uint32_t stride) {
    IDirect3DVertexBuffer8 *raw = buffer ? static_cast<D3D8VertexBuffer *>(buffer)->buffer : nullptr;
    return device_->SetStreamSource(stream, raw, stride);
}

HResult D3D8RenderDevice::SetIndices(IndexBuffer *buffer, uint32_t baseVertexIndex) {
    IDirect3DIndexBuffer8 *raw = buffer ? static_cast<D3D8IndexBuffer *>(buffer)->buffer : nullptr;
    return device_->SetIndices(raw, baseVertexIndex);
}

HResult D3D8RenderDevice::DrawIndexedPrimitive(uint32_t primitiveType, uint32_t minIndex,
                                               uint32_t vertexCount, uint32_t startIndex,
                                               uint32_t primitiveCount) {
    return device_->DrawIndexedPrimitive(static_cast<D3DPRIMITIVETYPE>(primitiveType), minIndex,
                                         vertexCount, startIndex, primitiveCount);
}

D3D8RenderSystem::~D3D8RenderSystem() { ReleaseInterface(direct3D_); }

HResult D3D8RenderSystem::GetAdapterDisplayMode(uint32_t adapter, DisplayMode &mode) {
    return direct3D_->GetAdapterDisplayMode(adapter, reinterpret_cast<D3DDISPLAYMODE *>(&mode));
}

HResult D3D8RenderSystem::CreateDevice(uint32_t adapter, uint32_t deviceType, void *focusWindow,
                                       uint32_t behaviorFlags, PresentParameters &parameters,
                                       std::unique_ptr<RenderDevice> &out) {
    IDirect3DDevice8 *device = nullptr;
    const HRESULT result = direct3D_->CreateDevice(
        adapter, static_cast<D3DDEVTYPE>(deviceType), static_cast<HWND>(focusWindow),
        behaviorFlags, reinterpret_cast<D3DPRESENT_PARAMETERS *>(&parameters), &device);
    if (FAILED(result)) return result;
    out = std::make_unique<D3D8RenderDevice>(device);
    return D3D_OK;
}

std::unique_ptr<RenderSystem> Direct3DCreate8(uint32_t sdkVersion) {
    using CreateFunction = IDirect3D8 *(WINAPI *)(UINT);
    // Kept loaded for the life of the process: devices and resources may
    // still be released after the system object.
    static HMODULE library = LoadLibraryA("d3d8.dll");
    if (library == nullptr) return nullptr;
    auto create = reinterpret_cast<CreateFunction>(
        reinterpret_cast<void *>(GetProcAddress(library, "Direct3DCreate8")));
    if (create == nullptr) return nullptr;
    IDirect3D8 *direct3D = create(sdkVersion);
    if (direct3D == nullptr) return nullptr;
    return std::make_unique<D3D8RenderSystem>(direct3D);
}

}  // namespace morvel::render::d3d8
