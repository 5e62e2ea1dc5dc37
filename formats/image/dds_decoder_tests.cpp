#include <gtest/gtest.h>

#include "formats/image/dds_decoder.h"
#include "formats/image/dxt_blocks.h"
#include "test_image_builders.h"

namespace morvel::formats::image {
namespace {

using testing::Bytes;
using testing::BuildDds;
using testing::DdsLayout;

TEST(DxtBlocks, Dxt1FourAndThreeColourModes) {
    uint32_t pixels[16];
    const uint8_t four[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0, 0, 0};  // red > blue
    DecodeDxtBlock(kFormatDxt1, four, pixels);
    EXPECT_EQ(pixels[0], 0xFFFF0000u);
    EXPECT_EQ(pixels[1], 0xFF0000FFu);
    EXPECT_EQ(pixels[2], 0xFFAA0055u);
    EXPECT_EQ(pixels[3], 0xFF5500AAu);
    EXPECT_EQ(pixels[15], 0xFFFF0000u);

    const uint8_t three[8] = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0, 0, 0};  // blue < red
    DecodeDxtBlock(kFormatDxt1, three, pixels);
    EXPECT_EQ(pixels[2], 0xFF7F007Fu);
    EXPECT_EQ(pixels[3], 0x00000000u);  // transparent black
}

TEST(DxtBlocks, Dxt3AndDxt5Alpha) {
    uint32_t pixels[16];
    uint8_t dxt3[16] = {0xF0, 0, 0, 0, 0, 0, 0, 0x70, 0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0};
    DecodeDxtBlock(kFormatDxt3, dxt3, pixels);
    EXPECT_EQ(pixels[0], 0x00FF0000u);
    EXPECT_EQ(pixels[1], 0xFFFF0000u);
    EXPECT_EQ(pixels[14], 0x00FF0000u);
    EXPECT_EQ(pixels[15], 0x77FF0000u);

    // Even with c0 <= c1 the colour block has four colours, none transparent.
    uint8_t dxt5[16] = {255, 0, 0x3A, 0, 0, 0, 0, 0, 0x1F, 0x00, 0x00, 0xF8, 0xFF, 0, 0, 0};
    DecodeDxtBlock(kFormatDxt5, dxt5, pixels);
    EXPECT_EQ(pixels[0] >> 24, 218u);  // (6*255 + 0) / 7
    EXPECT_EQ(pixels[1] >> 24, 36u);   // (1*255 + 6*0) / 7
    EXPECT_EQ(pixels[2] >> 24, 255u);  // index 0
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0xAA0055u);

    dxt5[0] = 0;
    dxt5[1] = 255;
    dxt5[2] = 0x3A | 0x80;  // pixel 2 uses index 6 (bits 6-8 = 110)
    dxt5[3] = 0x01;
    DecodeDxtBlock(kFormatDxt5, dxt5, pixels);
    EXPECT_EQ(pixels[0] >> 24, 51u);  // (4*0 + 255) / 5
    EXPECT_EQ(pixels[1] >> 24, 255u);
    EXPECT_EQ(pixels[2] >> 24, 0u);
}

TEST(DxtBlocks, SurfaceSizesRoundUpToWholeBlocks) {
    EXPECT_EQ(DxtSurfaceBytes(kFormatDxt1, 1, 1), 8u);
    EXPECT_EQ(DxtSurfaceBytes(kFormatDxt1, 5, 4), 16u);
    EXPECT_EQ(DxtSurfaceBytes(kFormatDxt5, 8, 8), 64u);
    EXPECT_EQ(DxtSurfaceBytes(kFormatA8R8G8B8, 8, 8), 0u);
}

DdsLayout Dxt1(uint32_t width, uint32_t height, uint32_t mips, size_t payloadBytes) {
    DdsLayout layout;
    layout.width = width;
    layout.height = height;
    layout.mipCount = mips;
    layout.fourCc = kFormatDxt1;
    for (size_t i = 0; i < payloadBytes; ++i) layout.payload.push_back(uint8_t(i));
    return layout;
}

LoadResult Decode(const Bytes &file, DdsImage &image) { return DecodeDds(file.data(), file.size(), image); }

TEST(DdsDecoder, CompressedLevelsAreKeptAsTheFileHoldsThem) {
    DdsImage image;
    Bytes file = BuildDds(Dxt1(8, 8, 4, 32 + 8 + 8 + 8));
    ASSERT_TRUE(Decode(file, image).ok);
    EXPECT_TRUE(image.compressed);
    EXPECT_EQ(image.format, kFormatDxt1);
    ASSERT_EQ(image.blockLevels.size(), 4u);
    const uint32_t widths[] = {8, 4, 2, 1}, pitches[] = {16, 8, 8, 8}, sizes[] = {32, 8, 8, 8};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(image.blockLevels[i].width, widths[i]);
        EXPECT_EQ(image.blockLevels[i].height, widths[i]);
        EXPECT_EQ(image.blockLevels[i].pitch, pitches[i]);
        EXPECT_EQ(image.blockLevels[i].bytes.size(), sizes[i]);
    }
    EXPECT_EQ(image.blockLevels[1].bytes[0], 32);  // level 1 starts after level 0's bytes

    // Without the mip-count flag there is one level; a count beyond the chain is cut to it.
    ASSERT_TRUE(Decode(BuildDds(Dxt1(8, 8, 0, 32)), image).ok);
    EXPECT_EQ(image.blockLevels.size(), 1u);
    ASSERT_TRUE(Decode(BuildDds(Dxt1(8, 8, 1000, 56)), image).ok);
    EXPECT_EQ(image.blockLevels.size(), 4u);
}

TEST(DdsDecoder, UncompressedFormatsDecodeThroughTheirMasks) {
    DdsLayout argb;
    argb.width = 2;
    argb.height = 1;
    argb.pixelFlags = 0x41;
    argb.masks[3] = 0xFF000000;
    argb.payload = {0x10, 0x20, 0x30, 0x40, 0xFF, 0x00, 0x00, 0x80};
    DdsImage image;
    ASSERT_TRUE(Decode(BuildDds(argb), image).ok);
    EXPECT_FALSE(image.compressed);
    EXPECT_EQ(image.format, kFormatA8R8G8B8);
    EXPECT_TRUE(image.argb.hasAlpha);
    EXPECT_EQ(image.argb.pixels, (std::vector<uint32_t>{0x40302010u, 0x800000FFu}));

    DdsLayout rgb565 = argb;
    rgb565.pixelFlags = 0x40;
    rgb565.bitCount = 16;
    rgb565.masks[0] = 0xF800;
    rgb565.masks[1] = 0x07E0;
    rgb565.masks[2] = 0x001F;
    rgb565.masks[3] = 0;
    rgb565.payload = {0x00, 0xF8, 0x1F, 0x00};
    ASSERT_TRUE(Decode(BuildDds(rgb565), image).ok);
    EXPECT_EQ(image.format, kFormatR5G6B5);
    EXPECT_FALSE(image.argb.hasAlpha);
    EXPECT_EQ(image.argb.pixels, (std::vector<uint32_t>{0xFFFF0000u, 0xFF0000FFu}));

    DdsLayout luminance = argb;
    luminance.pixelFlags = 0x20000;
    luminance.bitCount = 8;
    luminance.masks[0] = 0xFF;
    luminance.payload = {0x00, 0x80};
    ASSERT_TRUE(Decode(BuildDds(luminance), image).ok);
    EXPECT_EQ(image.format, 0u);
    EXPECT_EQ(image.argb.pixels, (std::vector<uint32_t>{0xFF000000u, 0xFF808080u}));
}

TEST(DdsDecoder, TruncatedAndHostileFilesFailCleanly) {
    const Bytes file = BuildDds(Dxt1(8, 8, 4, 56));
    for (size_t length = 0; length < file.size(); ++length) {
        DdsImage image;
        LoadResult r = DecodeDds(file.data(), length, image);
        EXPECT_FALSE(r.ok) << length;
        EXPECT_TRUE(image.blockLevels.empty());
    }
    DdsImage image;
    auto error = [&](const Bytes &bytes) { return DecodeDds(bytes.data(), bytes.size(), image).error; };
    EXPECT_EQ(error(BuildDds(Dxt1(100000, 8, 1, 32))), "DDS size out of range");
    EXPECT_EQ(error(BuildDds(Dxt1(8192, 8192, 1, 32))), "DDS size out of range");
    EXPECT_EQ(error(BuildDds(Dxt1(4096, 4096, 1, 32))), "DDS surface data truncated");
    EXPECT_EQ(error(BuildDds(Dxt1(0, 8, 1, 32))), "DDS size out of range");

    DdsLayout other = Dxt1(8, 8, 1, 64);
    other.fourCc = MakeFourCc('D', 'X', 'T', '2');
    EXPECT_EQ(error(BuildDds(other)), "unsupported DDS compression");
    other = Dxt1(8, 8, 1, 64);
    other.caps2 = 0x200;
    EXPECT_EQ(error(BuildDds(other)), "cube and volume DDS files are not supported");

    Bytes badSize = BuildDds(Dxt1(8, 8, 1, 32));
    testing::Set32(badSize, 4, 100);
    EXPECT_EQ(error(badSize), "bad DDS header");

    DdsLayout rgb;
    rgb.width = 4096;
    rgb.height = 4096;
    rgb.payload.assign(16, 0);
    EXPECT_EQ(error(BuildDds(rgb)), "DDS surface data truncated");
    rgb.width = 2;
    rgb.height = 2;
    rgb.bitCount = 12;
    EXPECT_EQ(error(BuildDds(rgb)), "unsupported DDS pixel size");
    rgb.bitCount = 32;
    rgb.pixelFlags = 0x2;  // alpha only
    EXPECT_EQ(error(BuildDds(rgb)), "unsupported DDS pixel format");
}

}  // namespace
}  // namespace morvel::formats::image
