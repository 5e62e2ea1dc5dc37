// Windows bitmaps: a .bmp file, or a DIB as a bitmap resource holds it
// (header, colour masks, colour table and bits, no file header).
// 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4, RLE8, bit fields,
// bottom-up and top-down rows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/image/argb_image.h"
#include "formats/image/texture_types.h"

namespace morvel::formats::image {

LoadResult DecodeBmpFile(const uint8_t *data, size_t size, ArgbImage &out);
LoadResult DecodeDib(const uint8_t *data, size_t size, ArgbImage &out);

}  // namespace morvel::formats::image
