// Binary PGM (P5) and PPM (P6) images, 8- or 16-bit samples.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/image/argb_image.h"
#include "formats/image/texture_types.h"

namespace morvel::formats::image {

// Samples are scaled from 0..maxval to 0..255 with rounding; samples above
// maxval saturate. Two-byte samples (maxval above 255) are big-endian.
LoadResult DecodePnm(const uint8_t *data, size_t size, ArgbImage &out);

}  // namespace morvel::formats::image
