// Decoded texture images as PNG, the lossless format every glTF viewer reads.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/image/argb_image.h"

namespace morvel::formats::image {

// RGB when the image has no alpha channel, RGBA otherwise; empty on failure.
std::vector<uint8_t> EncodePng(const ArgbImage &image);

}  // namespace morvel::formats::image
