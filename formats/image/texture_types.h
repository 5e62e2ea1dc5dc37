// Texture data as the device side needs it: one D3DFORMAT and the bytes of
// every mip level, level 0 first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvel::formats::image {

// D3DFORMAT values.
constexpr uint32_t MakeFourCc(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}
constexpr uint32_t kFormatR8G8B8 = 20;
constexpr uint32_t kFormatA8R8G8B8 = 21;
constexpr uint32_t kFormatX8R8G8B8 = 22;
constexpr uint32_t kFormatR5G6B5 = 23;
constexpr uint32_t kFormatX1R5G5B5 = 24;
constexpr uint32_t kFormatA1R5G5B5 = 25;
constexpr uint32_t kFormatA4R4G4B4 = 26;
constexpr uint32_t kFormatDxt1 = MakeFourCc('D', 'X', 'T', '1');
constexpr uint32_t kFormatDxt3 = MakeFourCc('D', 'X', 'T', '3');
constexpr uint32_t kFormatDxt5 = MakeFourCc('D', 'X', 'T', '5');

// One mip level. For block formats pitch is the bytes of one row of 4x4 blocks.
struct TextureLevel {
    uint32_t width = 0, height = 0, pitch = 0;
    std::vector<uint8_t> bytes;
};

// imageWidth/imageHeight are the decoded image's size before rounding.
struct TextureData {
    uint32_t format = 0;
    uint32_t imageWidth = 0, imageHeight = 0;
    std::vector<TextureLevel> levels;
};

struct LoadResult {
    bool ok = false;
    std::string error;
};

inline LoadResult Fail(const char *message) {
    return {false, message};
}

}  // namespace morvel::formats::image
