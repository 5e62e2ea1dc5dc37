// PNG, JPEG and TGA through stb_image (PPM/PGM have a reader of their own:
// stb reads 16-bit samples in host order and ignores maxval).
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/image/argb_image.h"
#include "formats/image/texture_types.h"

namespace morvel::formats::image {

// hasAlpha is set when the file has an alpha channel (grey+alpha or RGBA).
LoadResult DecodeWithStb(const uint8_t *data, size_t size, ArgbImage &out);

}  // namespace morvel::formats::image
