#include "formats/image/dxt_encoder.h"

#include <algorithm>

#include "formats/image/dxt_blocks.h"

namespace morvel::formats::image {
namespace {

uint32_t To565(uint32_t argb) {
    const uint32_t r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
    return ((r * 31 + 127) / 255) << 11 | ((g * 63 + 127) / 255) << 5 | (b * 31 + 127) / 255;
}

uint32_t ColourDistance(uint32_t a, uint32_t b) {
    uint32_t sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255);
        sum += static_cast<uint32_t>(d * d);
    }
    return sum;
}

void Put16(uint8_t *p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

// The colour half of a block (8 bytes). transparent: pixels to give index 3
// of the three-colour mode (DXT1 only).
void EncodeColours(const uint32_t pixels[16], const bool transparent[16], bool allowTransparent, uint8_t *block) {
    // Endpoints: the two colours of the block farthest apart, which span
    // its range whichever way the channels run.
    bool anyTransparent = false;
    uint32_t first = 0, second = 0, widest = 0;
    bool anyOpaque = false;
    for (int i = 0; i < 16; ++i) {
        if (transparent[i]) {
            anyTransparent = true;
            continue;
        }
        if (!anyOpaque) first = second = pixels[i];
        anyOpaque = true;
        for (int j = i + 1; j < 16; ++j) {
            if (transparent[j]) continue;
            const uint32_t d = ColourDistance(pixels[i], pixels[j]);
            if (d > widest) {
                widest = d;
                first = pixels[i];
                second = pixels[j];
            }
        }
    }
    uint32_t c0 = To565(first), c1 = To565(second);
    const bool threeColour = allowTransparent && anyTransparent;
    // The decoder's mode follows the endpoint order: c0 > c1 gives four colours.
    if (threeColour ? c0 > c1 : c0 < c1) std::swap(c0, c1);
    Put16(block, c0);
    Put16(block + 2, c1);

    // The palette exactly as decoded: indices 0..3 in the first four pixels.
    uint8_t probe[16] = {};
    std::copy(block, block + 4, probe + (allowTransparent ? 0 : 8));
    probe[allowTransparent ? 4 : 12] = 0xE4;
    uint32_t decoded[16];
    DecodeDxtBlock(allowTransparent ? kFormatDxt1 : kFormatDxt3, probe, decoded);
    // Equal endpoints also select the three-colour mode of DXT1, whose
    // fourth entry is transparent: only a transparent pixel may take it.
    const int colours = allowTransparent && c0 <= c1 ? 3 : 4;

    uint32_t indices = 0;
    for (int i = 0; i < 16; ++i) {
        uint32_t best = 0;
        if (transparent[i] && threeColour) {
            best = 3;
        } else {
            uint32_t bestDistance = ~0u;
            for (int k = 0; k < colours; ++k) {
                const uint32_t d = ColourDistance(decoded[k], pixels[i]);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = static_cast<uint32_t>(k);
                }
            }
        }
        indices |= best << (2 * i);
    }
    for (int b = 0; b < 4; ++b) block[4 + b] = static_cast<uint8_t>(indices >> (8 * b));
}

void EncodeExplicitAlpha(const uint32_t pixels[16], uint8_t *block) {
    for (int i = 0; i < 16; i += 2) {
        const uint32_t a0 = ((pixels[i] >> 24) * 15 + 127) / 255, a1 = ((pixels[i + 1] >> 24) * 15 + 127) / 255;
        block[i / 2] = static_cast<uint8_t>(a0 | a1 << 4);
    }
}

// Eight interpolated levels between the block's highest and lowest alpha.
void EncodeInterpolatedAlpha(const uint32_t pixels[16], uint8_t *block) {
    uint32_t low = 255, high = 0;
    for (int i = 0; i < 16; ++i) {
        low = std::min(low, pixels[i] >> 24);
        high = std::max(high, pixels[i] >> 24);
    }
    block[0] = static_cast<uint8_t>(high);
    block[1] = static_cast<uint8_t>(low);
    uint32_t levels[8] = {high, low, high, high, high, high, high, high};
    if (high > low) {
        for (uint32_t i = 1; i < 7; ++i) levels[i + 1] = ((7 - i) * high + i * low) / 7;
    }
    uint64_t bits = 0;
    for (int i = 0; i < 16; ++i) {
        const uint32_t a = pixels[i] >> 24;
        uint32_t best = 0, bestDistance = ~0u;
        for (uint32_t k = 0; k < 8; ++k) {
            const uint32_t d = a > levels[k] ? a - levels[k] : levels[k] - a;
            if (d < bestDistance) {
                bestDistance = d;
                best = k;
            }
        }
        bits |= uint64_t{best} << (3 * i);
    }
    for (int b = 0; b < 6; ++b) block[2 + b] = static_cast<uint8_t>(bits >> (8 * b));
}

}  // namespace

void EncodeDxtBlock(uint32_t format, const uint32_t pixels[16], uint8_t *block) {
    bool transparent[16] = {};
    if (format == kFormatDxt1) {
        for (int i = 0; i < 16; ++i) transparent[i] = (pixels[i] >> 24) < 128;
        EncodeColours(pixels, transparent, true, block);
        return;
    }
    if (format == kFormatDxt3) {
        EncodeExplicitAlpha(pixels, block);
    } else {
        EncodeInterpolatedAlpha(pixels, block);
    }
    EncodeColours(pixels, transparent, false, block + 8);
}

TextureLevel EncodeDxtSurface(uint32_t format, const ArgbImage &image) {
    TextureLevel level;
    level.width = image.width;
    level.height = image.height;
    const uint32_t blocksWide = (image.width + 3) / 4, blocksHigh = (image.height + 3) / 4;
    const uint32_t blockBytes = DxtBlockBytes(format);
    level.pitch = blocksWide * blockBytes;
    level.bytes.resize(static_cast<size_t>(DxtSurfaceBytes(format, image.width, image.height)));
    for (uint32_t by = 0; by < blocksHigh; ++by) {
        for (uint32_t bx = 0; bx < blocksWide; ++bx) {
            uint32_t pixels[16];
            for (uint32_t py = 0; py < 4; ++py) {
                for (uint32_t px = 0; px < 4; ++px) {
                    const uint32_t x = std::min(bx * 4 + px, image.width - 1);
                    const uint32_t y = std::min(by * 4 + py, image.height - 1);
                    pixels[py * 4 + px] = image.At(x, y);
                }
            }
            EncodeDxtBlock(format, pixels, &level.bytes[(size_t{by} * blocksWide + bx) * blockBytes]);
        }
    }
    return level;
}

}  // namespace morvel::formats::image
