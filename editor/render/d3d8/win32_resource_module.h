// The bitmap resources of a Win32 module for D3DXCreateTextureFromResourceA.
#pragma once

#include <windows.h>

#include "render/d3dx_texture.h"

namespace morvel::render::d3d8 {

class Win32ResourceModule : public d3dx::ResourceModule {
public:
    explicit Win32ResourceModule(HMODULE module) : module_(module) {}
    bool FindBitmapResource(const char *name, std::vector<uint8_t> &dib) override;

private:
    HMODULE module_;
};

}  // namespace morvel::render::d3d8
