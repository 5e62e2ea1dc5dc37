#include "formats/image/dxt_blocks.h"

#include "formats/image/texture_types.h"

namespace morvel::formats::image {
namespace {

uint32_t Expand565(uint32_t c) {
    uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    return PackArgb(255, (r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}

uint32_t Channel(uint32_t argb, int shift) { return (argb >> shift) & 255; }

uint32_t Mix(uint32_t a, uint32_t b, uint32_t wa, uint32_t wb, uint32_t div) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= ((Channel(a, shift) * wa + Channel(b, shift) * wb) / div) << shift;
    return out;
}

void DecodeColours(const uint8_t *block, bool allowTransparent, uint32_t pixels[16]) {
    uint32_t c0 = block[0] | (block[1] << 8), c1 = block[2] | (block[3] << 8);
    uint32_t palette[4] = {Expand565(c0), Expand565(c1), 0, 0};
    if (c0 > c1 || !allowTransparent) {
        palette[2] = Mix(palette[0], palette[1], 2, 1, 3);
        palette[3] = Mix(palette[0], palette[1], 1, 2, 3);
    } else {
        palette[2] = Mix(palette[0], palette[1], 1, 1, 2);
        palette[3] = 0;  // transparent black
    }
    uint32_t indices = block[4] | (block[5] << 8) | (block[6] << 16) | (uint32_t(block[7]) << 24);
    for (int i = 0; i < 16; ++i) pixels[i] = palette[(indices >> (2 * i)) & 3];
}

void SetAlpha(uint32_t &pixel, uint32_t alpha) { pixel = (pixel & 0x00FFFFFFu) | (alpha << 24); }

}  // namespace

uint32_t DxtBlockBytes(uint32_t format) {
    if (format == kFormatDxt1) return 8;
    if (format == kFormatDxt3 || format == kFormatDxt5) return 16;
    return 0;
}

uint64_t DxtSurfaceBytes(uint32_t format, uint32_t width, uint32_t height) {
    uint64_t blocksWide = (uint64_t{width} + 3) / 4, blocksHigh = (uint64_t{height} + 3) / 4;
    if (blocksWide == 0) blocksWide = 1;
    if (blocksHigh == 0) blocksHigh = 1;
    return blocksWide * blocksHigh * DxtBlockBytes(format);
}

void DecodeDxtBlock(uint32_t format, const uint8_t *block, uint32_t pixels[16]) {
    if (format == kFormatDxt1) {
        DecodeColours(block, true, pixels);
        return;
    }
    DecodeColours(block + 8, false, pixels);
    if (format == kFormatDxt3) {
        for (int i = 0; i < 16; ++i) SetAlpha(pixels[i], ((block[i / 2] >> ((i & 1) * 4)) & 15) * 17);
        return;
    }
    uint32_t a0 = block[0], a1 = block[1];
    uint32_t alphas[8] = {a0, a1};
    if (a0 > a1) {
        for (uint32_t i = 1; i < 7; ++i) alphas[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (uint32_t i = 1; i < 5; ++i) alphas[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        alphas[6] = 0;
        alphas[7] = 255;
    }
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) bits |= uint64_t{block[2 + i]} << (8 * i);
    for (int i = 0; i < 16; ++i) SetAlpha(pixels[i], alphas[(bits >> (3 * i)) & 7]);
}

void DecodeDxtSurface(uint32_t format, const uint8_t *blocks, uint32_t width, uint32_t height, ArgbImage &out) {
    out.width = width;
    out.height = height;
    out.pixels.assign(size_t{width} * height, 0);
    out.hasAlpha = format != kFormatDxt1;
    const uint32_t blockBytes = DxtBlockBytes(format);
    const uint32_t blocksWide = width == 0 ? 1 : (width + 3) / 4;
    bool anyTransparent = false;
    for (uint32_t by = 0; by * 4 < height; ++by) {
        for (uint32_t bx = 0; bx < blocksWide; ++bx) {
            uint32_t pixels[16];
            DecodeDxtBlock(format, blocks + (size_t{by} * blocksWide + bx) * blockBytes, pixels);
            for (uint32_t py = 0; py < 4 && by * 4 + py < height; ++py) {
                for (uint32_t px = 0; px < 4 && bx * 4 + px < width; ++px) {
                    uint32_t p = pixels[py * 4 + px];
                    anyTransparent |= (p >> 24) != 255;
                    out.At(bx * 4 + px, by * 4 + py) = p;
                }
            }
        }
    }
    if (format == kFormatDxt1) out.hasAlpha = anyTransparent;
}

}  // namespace morvel::formats::image
