// Encoding ARGB to DXT1, DXT3 and DXT5 blocks, for the mip levels a
// compressed file lacks. Endpoints span each block's colour and alpha range;
// every pixel takes the nearest value the decoder gives for the block.
#pragma once

#include <cstdint>

#include "formats/image/argb_image.h"
#include "formats/image/texture_types.h"

namespace morvel::formats::image {

// Encodes one 4x4 block of pixels (row-major) into DxtBlockBytes(format) bytes.
// DXT1 makes pixels with alpha below 128 transparent.
void EncodeDxtBlock(uint32_t format, const uint32_t pixels[16], uint8_t *block);

// The whole image as one level; blocks past an edge repeat its last pixels.
TextureLevel EncodeDxtSurface(uint32_t format, const ArgbImage &image);

}  // namespace morvel::formats::image
