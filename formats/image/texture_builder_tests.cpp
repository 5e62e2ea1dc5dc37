#include <gtest/gtest.h>

#include "formats/image/texture_builder.h"

namespace morvel::formats::image {
namespace {

ArgbImage Filled(uint32_t width, uint32_t height, uint32_t pixel, bool alpha = false) {
    ArgbImage image;
    image.width = width;
    image.height = height;
    image.hasAlpha = alpha;
    image.pixels.assign(size_t{width} * height, pixel);
    return image;
}

TEST(TextureBuilder, PowersOfTwo) {
    EXPECT_EQ(NextPowerOfTwo(0), 1u);
    EXPECT_EQ(NextPowerOfTwo(1), 1u);
    EXPECT_EQ(NextPowerOfTwo(3), 4u);
    EXPECT_EQ(NextPowerOfTwo(256), 256u);
    EXPECT_EQ(NextPowerOfTwo(257), 512u);
    EXPECT_EQ(NextPowerOfTwo(8193), 16384u);
}

TEST(TextureBuilder, TriangleFilterInterpolatesAndKeepsFlatAreasFlat) {
    ArgbImage ramp = Filled(2, 1, 0);
    ramp.pixels = {0xFF000000u, 0xFFFFFFFFu};
    ArgbImage wide = ResampleTriangle(ramp, 4, 1);
    // Output centres fall at source -0.25, 0.25, 0.75, 1.25: edges clamp.
    EXPECT_EQ(wide.pixels, (std::vector<uint32_t>{0xFF000000u, 0xFF404040u, 0xFFBFBFBFu, 0xFFFFFFFFu}));

    ArgbImage flat = ResampleTriangle(Filled(11, 10, 0x80123456u), 16, 16);
    for (uint32_t p : flat.pixels) ASSERT_EQ(p, 0x80123456u);

    ArgbImage same = Filled(3, 3, 0);
    for (uint32_t i = 0; i < 9; ++i) same.pixels[i] = i * 0x01010101u;
    EXPECT_EQ(ResampleTriangle(same, 3, 3).pixels, same.pixels);
    EXPECT_EQ(ResampleTriangle(Filled(1, 1, 0xFF00FF00u), 4, 2).pixels.size(), 8u);
}

TEST(TextureBuilder, BoxFilterHalvesEachSideDownToOne) {
    ArgbImage quad = Filled(2, 2, 0);
    quad.pixels = {0x00000000u, 0x04040404u, 0x08080808u, 0x0D0D0D0Du};
    EXPECT_EQ(HalveBox(quad).pixels, (std::vector<uint32_t>{0x06060606u}));  // (0+4+8+13)/4 rounded

    ArgbImage row = Filled(4, 1, 0);
    row.pixels = {0, 0x02020202u, 0x10101010u, 0x10101010u};
    ArgbImage half = HalveBox(row);
    EXPECT_EQ(half.width, 2u);
    EXPECT_EQ(half.height, 1u);
    EXPECT_EQ(half.pixels, (std::vector<uint32_t>{0x01010101u, 0x10101010u}));
}

TEST(TextureBuilder, FullChainAtThePowerOfTwoSize) {
    TextureData texture;
    ASSERT_TRUE(BuildTexture(Filled(300, 200, 0xFF336699u), kFormatX8R8G8B8, texture).ok);
    EXPECT_EQ(texture.format, kFormatX8R8G8B8);
    EXPECT_EQ(texture.imageWidth, 300u);
    EXPECT_EQ(texture.imageHeight, 200u);
    ASSERT_EQ(texture.levels.size(), 10u);  // 512x256 ... 2x1, 1x1
    EXPECT_EQ(texture.levels[0].width, 512u);
    EXPECT_EQ(texture.levels[0].height, 256u);
    EXPECT_EQ(texture.levels[0].pitch, 2048u);
    EXPECT_EQ(texture.levels[8].width, 2u);
    EXPECT_EQ(texture.levels[8].height, 1u);
    EXPECT_EQ(texture.levels[9].width, 1u);
    EXPECT_EQ(texture.levels[9].bytes, (std::vector<uint8_t>{0x99, 0x66, 0x33, 0xFF}));
    for (const TextureLevel &level : texture.levels)
        EXPECT_EQ(level.bytes.size(), size_t{level.pitch} * level.height);
}

TEST(TextureBuilder, SixteenBitPacking) {
    ArgbImage image = Filled(1, 1, 0x80FF8000u, true);
    auto packed = [&](uint32_t format) {
        TextureLevel level = PackLevel(image, format);
        return uint32_t(level.bytes[0] | (level.bytes[1] << 8));
    };
    EXPECT_EQ(packed(kFormatR5G6B5), (31u << 11) | (32u << 5));
    EXPECT_EQ(packed(kFormatA1R5G5B5), 0x8000u | (31u << 10) | (16u << 5));
    EXPECT_EQ(packed(kFormatA4R4G4B4), (8u << 12) | (15u << 8) | (8u << 4));
    EXPECT_EQ(PackLevel(image, kFormatA8R8G8B8).bytes, (std::vector<uint8_t>{0x00, 0x80, 0xFF, 0x80}));
    EXPECT_EQ(PackLevel(image, kFormatX8R8G8B8).bytes, (std::vector<uint8_t>{0x00, 0x80, 0xFF, 0xFF}));
}

TEST(TextureBuilder, RefusesWhatCannotBecomeATexture) {
    TextureData texture;
    EXPECT_FALSE(BuildTexture(Filled(8193, 1, 0), kFormatX8R8G8B8, texture).ok);
    EXPECT_FALSE(BuildTexture(Filled(4, 4, 0), kFormatDxt1, texture).ok);
    EXPECT_FALSE(BuildTexture(ArgbImage{}, kFormatX8R8G8B8, texture).ok);
    EXPECT_TRUE(texture.levels.empty());
}

}  // namespace
}  // namespace morvel::formats::image
