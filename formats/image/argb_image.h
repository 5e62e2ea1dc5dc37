// A decoded image: 32-bit 0xAARRGGBB pixels, rows top to bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvel::formats::image {

// Bounds for every decoder, checked before anything is allocated. Larger
// than any texture a Direct3D 8 device accepts.
constexpr uint32_t kMaxImageDimension = 8192;
constexpr uint64_t kMaxImagePixels = uint64_t{1} << 24;

struct ArgbImage {
    uint32_t width = 0, height = 0;
    bool hasAlpha = false;  // the source format carries alpha
    std::vector<uint32_t> pixels;

    uint32_t &At(uint32_t x, uint32_t y) { return pixels[size_t{y} * width + x]; }
    uint32_t At(uint32_t x, uint32_t y) const { return pixels[size_t{y} * width + x]; }
};

inline bool ImageSizeAllowed(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageDimension && height <= kMaxImageDimension &&
           width * height <= kMaxImagePixels;
}

constexpr uint32_t PackArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace morvel::formats::image
