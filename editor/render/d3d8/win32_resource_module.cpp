#include "render/d3d8/win32_resource_module.h"

namespace morvel::render::d3d8 {

bool Win32ResourceModule::FindBitmapResource(const char *name, std::vector<uint8_t> &dib) {
    HRSRC resource = FindResourceA(module_, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (resource == nullptr) return false;
    HGLOBAL loaded = LoadResource(module_, resource);
    const DWORD size = SizeofResource(module_, resource);
    const void *bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) return false;
    const auto *first = static_cast<const uint8_t *>(bytes);
    dib.assign(first, first + size);
    return true;
}

}  // namespace morvel::render::d3d8
