// Decoding of DXT1, DXT3 and DXT5 blocks (4x4 pixels each) to ARGB.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/image/argb_image.h"

namespace morvel::formats::image {

// Bytes of one 4x4 block: 8 for DXT1, 16 for DXT3 and DXT5; 0 for other formats.
uint32_t DxtBlockBytes(uint32_t format);

// Bytes of a width x height surface in a block format.
uint64_t DxtSurfaceBytes(uint32_t format, uint32_t width, uint32_t height);

// Decodes one 4x4 block into pixels[16], row-major.
void DecodeDxtBlock(uint32_t format, const uint8_t *block, uint32_t pixels[16]);

// Decodes a whole surface; blocks holds DxtSurfaceBytes(format, width, height) bytes.
// hasAlpha is set for DXT3/DXT5, and for DXT1 when some pixel is transparent.
void DecodeDxtSurface(uint32_t format, const uint8_t *blocks, uint32_t width, uint32_t height, ArgbImage &out);

}  // namespace morvel::formats::image
