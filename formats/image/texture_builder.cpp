#include "formats/image/texture_builder.h"

#include <cmath>

namespace morvel::formats::image {
namespace {

// For each output coordinate, the source taps and their normalised weights.
struct Taps {
    std::vector<uint32_t> first;   // index of the first tap of output i in index/weight
    std::vector<uint32_t> count;
    std::vector<uint32_t> index;
    std::vector<float> weight;
};

Taps TriangleTaps(uint32_t source, uint32_t target) {
    Taps taps;
    taps.first.resize(target);
    taps.count.resize(target);
    const double scale = double(source) / double(target);
    const double radius = scale > 1.0 ? scale : 1.0;  // widen when shrinking
    for (uint32_t i = 0; i < target; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        long lo = static_cast<long>(std::floor(centre - radius)) + 1;
        long hi = static_cast<long>(std::ceil(centre + radius)) - 1;
        taps.first[i] = static_cast<uint32_t>(taps.index.size());
        double total = 0.0;
        size_t start = taps.weight.size();
        for (long s = lo; s <= hi; ++s) {
            double w = 1.0 - std::fabs(s - centre) / radius;
            if (w <= 0.0) continue;
            long clamped = s < 0 ? 0 : (s >= long(source) ? long(source) - 1 : s);
            taps.index.push_back(static_cast<uint32_t>(clamped));
            taps.weight.push_back(static_cast<float>(w));
            total += w;
        }
        if (taps.weight.size() == start) {  // centre exactly between taps cannot happen, but stay safe
            taps.index.push_back(static_cast<uint32_t>(centre < 0 ? 0 : std::fmin(centre, source - 1.0)));
            taps.weight.push_back(1.0f);
            total = 1.0;
        }
        for (size_t k = start; k < taps.weight.size(); ++k) taps.weight[k] = float(taps.weight[k] / total);
        taps.count[i] = static_cast<uint32_t>(taps.weight.size() - start);
    }
    return taps;
}

uint32_t RoundChannel(float v) {
    if (v <= 0.0f) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<uint32_t>(v + 0.5f);
}

uint32_t To5(uint32_t v) { return (v * 31 + 127) / 255; }
uint32_t To6(uint32_t v) { return (v * 63 + 127) / 255; }
uint32_t To4(uint32_t v) { return (v * 15 + 127) / 255; }

}  // namespace

uint32_t NextPowerOfTwo(uint32_t value) {
    uint32_t p = 1;
    while (p < value && p < 0x80000000u) p <<= 1;
    return p;
}

uint32_t FormatBytesPerPixel(uint32_t format) {
    switch (format) {
    case kFormatA8R8G8B8: case kFormatX8R8G8B8: return 4;
    case kFormatR5G6B5: case kFormatX1R5G5B5: case kFormatA1R5G5B5: case kFormatA4R4G4B4: return 2;
    default: return 0;
    }
}

ArgbImage ResampleTriangle(const ArgbImage &image, uint32_t width, uint32_t height) {
    if (image.width == width && image.height == height) return image;
    const Taps horizontal = TriangleTaps(image.width, width);
    const Taps vertical = TriangleTaps(image.height, height);

    // Horizontal pass into floats (4 channels), then vertical pass.
    std::vector<float> rows(size_t{width} * image.height * 4);
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint32_t *src = &image.pixels[size_t{y} * image.width];
        float *dst = &rows[size_t{y} * width * 4];
        for (uint32_t x = 0; x < width; ++x) {
            float acc[4] = {0, 0, 0, 0};
            for (uint32_t k = 0; k < horizontal.count[x]; ++k) {
                uint32_t p = src[horizontal.index[horizontal.first[x] + k]];
                float w = horizontal.weight[horizontal.first[x] + k];
                for (int c = 0; c < 4; ++c) acc[c] += w * float((p >> (8 * c)) & 255);
            }
            for (int c = 0; c < 4; ++c) dst[4 * x + c] = acc[c];
        }
    }
    ArgbImage out;
    out.width = width;
    out.height = height;
    out.hasAlpha = image.hasAlpha;
    out.pixels.resize(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            float acc[4] = {0, 0, 0, 0};
            for (uint32_t k = 0; k < vertical.count[y]; ++k) {
                const float *p = &rows[(size_t{vertical.index[vertical.first[y] + k]} * width + x) * 4];
                float w = vertical.weight[vertical.first[y] + k];
                for (int c = 0; c < 4; ++c) acc[c] += w * p[c];
            }
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) pixel |= RoundChannel(acc[c]) << (8 * c);
            out.At(x, y) = pixel;
        }
    }
    return out;
}

ArgbImage HalveBox(const ArgbImage &image) {
    ArgbImage out;
    out.width = image.width > 1 ? image.width / 2 : 1;
    out.height = image.height > 1 ? image.height / 2 : 1;
    out.hasAlpha = image.hasAlpha;
    out.pixels.resize(size_t{out.width} * out.height);
    const uint32_t stepX = image.width > 1 ? 2 : 1, stepY = image.height > 1 ? 2 : 1;
    const uint32_t samples = stepX * stepY;
    for (uint32_t y = 0; y < out.height; ++y) {
        for (uint32_t x = 0; x < out.width; ++x) {
            uint32_t sum[4] = {0, 0, 0, 0};
            for (uint32_t dy = 0; dy < stepY; ++dy)
                for (uint32_t dx = 0; dx < stepX; ++dx) {
                    uint32_t p = image.At(x * stepX + dx, y * stepY + dy);
                    for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 255;
                }
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) pixel |= ((sum[c] + samples / 2) / samples) << (8 * c);
            out.At(x, y) = pixel;
        }
    }
    return out;
}

TextureLevel PackLevel(const ArgbImage &image, uint32_t format) {
    TextureLevel level;
    const uint32_t bytesPerPixel = FormatBytesPerPixel(format);
    level.width = image.width;
    level.height = image.height;
    level.pitch = image.width * bytesPerPixel;
    level.bytes.resize(size_t{level.pitch} * image.height);
    uint8_t *dst = level.bytes.data();
    for (uint32_t p : image.pixels) {
        const uint32_t a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
        uint32_t packed;
        switch (format) {
        case kFormatX8R8G8B8: packed = p | 0xFF000000u; break;
        case kFormatR5G6B5: packed = (To5(r) << 11) | (To6(g) << 5) | To5(b); break;
        case kFormatX1R5G5B5: packed = 0x8000 | (To5(r) << 10) | (To5(g) << 5) | To5(b); break;
        case kFormatA1R5G5B5: packed = ((a >= 128) << 15) | (To5(r) << 10) | (To5(g) << 5) | To5(b); break;
        case kFormatA4R4G4B4: packed = (To4(a) << 12) | (To4(r) << 8) | (To4(g) << 4) | To4(b); break;
        default: packed = p; break;
        }
        for (uint32_t k = 0; k < bytesPerPixel; ++k) *dst++ = static_cast<uint8_t>(packed >> (8 * k));
    }
    return level;
}

uint32_t DefaultFormatFor(const ArgbImage &image) {
    return image.hasAlpha ? kFormatA8R8G8B8 : kFormatX8R8G8B8;
}

LoadResult BuildTexture(const ArgbImage &image, uint32_t format, TextureData &out) {
    out = TextureData{};
    if (FormatBytesPerPixel(format) == 0) return {false, "unsupported texture format"};
    if (image.pixels.size() != size_t{image.width} * image.height || image.pixels.empty())
        return {false, "empty image"};
    const uint32_t width = NextPowerOfTwo(image.width), height = NextPowerOfTwo(image.height);
    if (!ImageSizeAllowed(width, height)) return {false, "texture too large"};

    out.format = format;
    out.imageWidth = image.width;
    out.imageHeight = image.height;
    ArgbImage level = ResampleTriangle(image, width, height);
    for (;;) {
        out.levels.push_back(PackLevel(level, format));
        if (level.width == 1 && level.height == 1) break;
        level = HalveBox(level);
    }
    return {true, {}};
}

}  // namespace morvel::formats::image
