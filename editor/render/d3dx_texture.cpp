#include "render/d3dx_texture.h"

namespace d3dx {

using morvel::render::HResult;
using morvel::render::hr::kFail;
using morvel::render::hr::kInvalidCall;
using morvel::render::hr::kNotAvailable;

namespace {

HResult Upload(morvel::render::RenderDevice &device, const morvel::render::TextureImage &image,
               std::unique_ptr<morvel::render::DeviceTexture> *texture) {
    if (image.levels.empty()) return kFail;
    std::unique_ptr<morvel::render::DeviceTexture> created;
    const HResult result = device.CreateTexture(image, created);
    if (result == morvel::render::hr::kOk) *texture = std::move(created);
    return result;
}

}  // namespace

HResult D3DXCreateTextureFromFileA(morvel::render::RenderDevice &device, const char *srcFile,
                                   std::unique_ptr<morvel::render::DeviceTexture> *texture,
                                   const morvel::render::AssetLoaders &loaders) {
    if (srcFile == nullptr || texture == nullptr) return kInvalidCall;
    texture->reset();
    morvel::render::TextureImage image;
    if (!loaders.loadTextureFile(srcFile, image).ok) return kFail;
    return Upload(device, image, texture);
}

HResult D3DXCreateTextureFromResourceA(morvel::render::RenderDevice &device,
                                       ResourceModule *srcModule, const char *srcResource,
                                       std::unique_ptr<morvel::render::DeviceTexture> *texture,
                                       const morvel::render::AssetLoaders &loaders) {
    if (srcResource == nullptr || texture == nullptr) return kInvalidCall;
    texture->reset();
    std::vector<uint8_t> dib;
    if (srcModule == nullptr || !srcModule->FindBitmapResource(srcResource, dib)) {
        return kNotAvailable;
    }
    morvel::render::TextureImage image;
    if (!loaders.loadTextureDib(dib.data(), dib.size(), image).ok) return kFail;
    return Upload(device, image, texture);
}

}  // namespace d3dx
