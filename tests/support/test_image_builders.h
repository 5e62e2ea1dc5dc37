// Builders of small image files for the tests: exact bytes for crafted
// bitmaps and DDS files, and stb_image_write for PNG, JPEG and TGA.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvel::formats::image::testing {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes &out, uint32_t value);
void Put32(Bytes &out, uint32_t value);
void Set32(Bytes &out, size_t offset, uint32_t value);

struct DibLayout {
    int32_t width = 1, height = 1;  // negative height: top-down rows
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint32_t> masks;    // written after the 40-byte header (bit fields)
    Bytes bits;                     // the pixel bytes exactly as stored
    uint32_t colorsUsed = 0;        // as written; 0 leaves it 0
};

Bytes BuildDib(const DibLayout &layout);
Bytes BuildBmpFile(const DibLayout &layout);  // 14-byte file header, bits offset after the table

// A DDS file: the 128-byte header, then payload.
struct DdsLayout {
    uint32_t width = 4, height = 4;
    uint32_t mipCount = 0;        // written with the mip-count flag when non-zero
    uint32_t fourCc = 0;          // non-zero: compressed
    uint32_t pixelFlags = 0x40;   // used when fourCc is 0 (RGB; |1 for alpha)
    uint32_t bitCount = 32;
    uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, 0};
    uint32_t caps2 = 0;
    Bytes payload;
};

Bytes BuildDds(const DdsLayout &layout);

// RGBA bytes (4 per pixel) encoded with stb_image_write; components 1 to 4.
Bytes EncodePng(int width, int height, int components, const Bytes &rgba);
Bytes EncodeTga(int width, int height, int components, const Bytes &rgba, bool rle);
Bytes EncodeJpg(int width, int height, const Bytes &rgb);

}  // namespace morvel::formats::image::testing
