// DirectDraw surface files: DXT1, DXT3 and DXT5 kept as blocks with the
// mip levels the file holds; uncompressed 16-, 24- and 32-bit RGB(A) and
// luminance formats decoded to ARGB (level 0 only: the texture builder
// derives the chain again).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/image/argb_image.h"
#include "formats/image/texture_types.h"

namespace morvel::formats::image {

struct DdsImage {
    // A D3DFORMAT: kFormatDxt1/3/5, one of the 16- or 32-bit RGB formats,
    // kFormatR8G8B8, or 0 for other uncompressed layouts.
    uint32_t format = 0;
    uint32_t width = 0, height = 0;
    bool compressed = false;
    std::vector<TextureLevel> blockLevels;  // compressed files
    ArgbImage argb;                         // uncompressed files
};

LoadResult DecodeDds(const uint8_t *data, size_t size, DdsImage &out);

}  // namespace morvel::formats::image
