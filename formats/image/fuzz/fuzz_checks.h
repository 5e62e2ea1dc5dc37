// Invariants every image fuzzer checks on a decoded image, and the texture
// preparation run on small results (large ones would only slow the fuzzer).
#pragma once

#include <cstdlib>

#include "formats/image/argb_image.h"
#include "formats/image/texture_builder.h"

namespace morvel::formats::image::fuzz {

inline void CheckDecoded(const LoadResult &result, const ArgbImage &image) {
    if (!result.ok) {
        if (!image.pixels.empty() || result.error.empty()) std::abort();
        return;
    }
    if (!ImageSizeAllowed(image.width, image.height)) std::abort();
    if (image.pixels.size() != size_t{image.width} * image.height) std::abort();
    if (image.pixels.size() <= 64 * 64) {
        TextureData texture;
        if (!BuildTexture(image, DefaultFormatFor(image), texture).ok) std::abort();
    }
}

}  // namespace morvel::formats::image::fuzz
