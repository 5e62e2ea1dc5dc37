// D3DXCreateTextureFromFileA and D3DXCreateTextureFromResourceA with the
// D3DX defaults (power-of-two size, full mip chain, managed pool). The
// decoding is portable; a resource's bytes come through ResourceModule.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/asset_loaders.h"
#include "render/render_device.h"

namespace d3dx {

// The module whose resources hold the bitmaps (HMODULE on Windows).
class ResourceModule {
public:
    virtual ~ResourceModule() = default;
    // The bytes of the RT_BITMAP resource `name` (a DIB without file header).
    virtual bool FindBitmapResource(const char *name, std::vector<uint8_t> &dib) = 0;
};

morvel::render::HResult D3DXCreateTextureFromFileA(
    morvel::render::RenderDevice &device, const char *srcFile,
    std::unique_ptr<morvel::render::DeviceTexture> *texture,
    const morvel::render::AssetLoaders &loaders = morvel::render::DefaultAssetLoaders());

morvel::render::HResult D3DXCreateTextureFromResourceA(
    morvel::render::RenderDevice &device, ResourceModule *srcModule, const char *srcResource,
    std::unique_ptr<morvel::render::DeviceTexture> *texture,
    const morvel::render::AssetLoaders &loaders = morvel::render::DefaultAssetLoaders());

}  // namespace d3dx
