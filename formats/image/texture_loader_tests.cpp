#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "fixture_files.h"
#include "formats/image/dxt_blocks.h"
#include "formats/image/image_decoder.h"
#include "formats/image/stb_decoder.h"
#include "formats/image/texture_loader.h"
#include "temp_folder.h"
#include "test_image_builders.h"

namespace morvel::formats::image {
namespace {

using testing::Bytes;

const std::string kFixtures = morvel::testing::FixturePath("x/");

uint32_t PixelAt(const TextureLevel &level, uint32_t x, uint32_t y) {
    const uint8_t *p = &level.bytes[size_t{y} * level.pitch + 4 * x];
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}

TEST(TextureLoader, FixtureTexturesLoadWithFullChains) {
    MORVEL_REQUIRE_FIXTURES("x/top.tga", "x/bottom.tga", "x/updown.tga", "x/test.png");
    struct Case { const char *name; uint32_t size, levels; };
    for (const Case &c : {Case{"top.tga", 256, 9}, Case{"bottom.tga", 256, 9}, Case{"updown.tga", 256, 9},
                          Case{"test.png", 512, 10}}) {
        TextureData texture;
        LoadResult r = LoadTextureFromFile(kFixtures + c.name, texture);
        ASSERT_TRUE(r.ok) << c.name << ": " << r.error;
        EXPECT_EQ(texture.format, kFormatX8R8G8B8) << c.name;
        EXPECT_EQ(texture.imageWidth, c.size);
        EXPECT_EQ(texture.levels.size(), c.levels);
        EXPECT_EQ(texture.levels[0].width, c.size);
        EXPECT_EQ(texture.levels.back().width, 1u);
    }
}

Bytes Checker(int width, int height, uint8_t alpha) {
    Bytes rgba;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t v = ((x + y) & 1) ? 255 : 0;
            rgba.insert(rgba.end(), {v, uint8_t(255 - v), 64, alpha});
        }
    return rgba;
}

// Files of every format the tests write themselves, read from disk through
// a Windows path as a part's texture name gives it.
TEST(TextureLoader, FilesOnDiskThroughWindowsPathsAndFileErrors) {
    const Bytes pixels = Checker(8, 4, 255);
    const std::pair<const char *, Bytes> files[] = {
        {"tex.png", testing::EncodePng(8, 4, 4, pixels)},
        {"tex.tga", testing::EncodeTga(8, 4, 3, pixels, true)},
        {"tex.jpg", testing::EncodeJpg(8, 4, Bytes(8 * 4 * 3, 90))},
        {"tex.bmp", testing::BuildBmpFile({8, 4, 24, 0, {}, {}, Bytes(8 * 4 * 3, 7), 0})},
        {"tex.dds", testing::BuildDds({8, 4, 0, 0, 0x40, 32, {0xFF0000, 0xFF00, 0xFF, 0}, 0, Bytes(8 * 4 * 4, 9)})},
    };
    const morvel::testing::TempFolder folder;
    const std::string prefix = folder.Root().string() + "/";
    for (const auto &[name, bytes] : files) {
        std::FILE *file = std::fopen((prefix + name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        TextureData texture;
        const LoadResult r = LoadTextureFromFile(prefix + ".\\" + name, texture);
        EXPECT_TRUE(r.ok) << name << ": " << r.error;
        EXPECT_EQ(texture.imageWidth, 8u) << name;
        EXPECT_EQ(texture.levels.back().width, 1u) << name;
    }

    TextureData texture;
    LoadResult missing = LoadTextureFromFile(prefix + "no_such_texture.png", texture);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("no_such_texture.png"), std::string::npos);
    EXPECT_FALSE(LoadTextureFromFile(prefix, texture).ok);  // a directory
    EXPECT_TRUE(texture.levels.empty());
    // A file that is no image names itself in the error.
    std::FILE *text = std::fopen((prefix + "notes.txt").c_str(), "wb");
    std::fputs("no image here", text);
    std::fclose(text);
    const LoadResult refused = LoadTextureFromFile(prefix + "notes.txt", texture);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error.rfind(prefix + "notes.txt: ", 0), 0u) << refused.error;
    EXPECT_FALSE(LoadTextureFromMemory(nullptr, 0, texture).ok);
}

TEST(TextureLoader, AlphaDecidesTheFormatForEveryDecoder) {
    const Bytes pixels = Checker(6, 3, 128);
    struct Case { const char *what; Bytes file; uint32_t format; };
    const Case cases[] = {
        {"png rgba", testing::EncodePng(6, 3, 4, pixels), kFormatA8R8G8B8},
        {"png grey+alpha", testing::EncodePng(6, 3, 2, pixels), kFormatA8R8G8B8},
        {"png rgb", testing::EncodePng(6, 3, 3, pixels), kFormatX8R8G8B8},
        {"tga rgba rle", testing::EncodeTga(6, 3, 4, pixels, true), kFormatA8R8G8B8},
        {"tga rgb raw", testing::EncodeTga(6, 3, 3, pixels, false), kFormatX8R8G8B8},
        {"jpg", testing::EncodeJpg(6, 3, testing::Bytes(6 * 3 * 3, 200)), kFormatX8R8G8B8},
    };
    for (const Case &c : cases) {
        TextureData texture;
        LoadResult r = LoadTextureFromMemory(c.file.data(), c.file.size(), texture);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.error;
        EXPECT_EQ(texture.format, c.format) << c.what;
        EXPECT_EQ(texture.imageWidth, 6u);
        EXPECT_EQ(texture.levels[0].width, 8u);
        EXPECT_EQ(texture.levels[0].height, 4u);
        EXPECT_EQ(texture.levels.size(), 4u);
    }
    // Exact pixels survive PNG: RGBA bytes become 0xAARRGGBB.
    ArgbImage image;
    Bytes png = testing::EncodePng(6, 3, 4, pixels);
    ASSERT_TRUE(DecodeWithStb(png.data(), png.size(), image).ok);
    EXPECT_EQ(image.At(0, 0), 0x8000FF40u);
    EXPECT_EQ(image.At(1, 0), 0x80FF0040u);
}

TEST(TextureLoader, PpmAndPgm) {
    Bytes ppm = {'P', '6', '\n', '#', ' ', 'c', '\n', '2', ' ', '1', '\n', '2', '5', '5', '\n',
                 255, 0, 0, 0, 0, 255};
    ArgbImage image;
    ASSERT_TRUE(DecodeImage(ppm.data(), ppm.size(), image).ok);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFFFF0000u, 0xFF0000FFu}));
    Bytes pgm = {'P', '5', ' ', '1', ' ', '1', ' ', '2', '5', '5', ' ', 0x80};
    ASSERT_TRUE(DecodeImage(pgm.data(), pgm.size(), image).ok);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFF808080u}));
    // One sample short.
    ppm.pop_back();
    EXPECT_FALSE(DecodeImage(ppm.data(), ppm.size(), image).ok);

    // Samples above 255 take two bytes, big-endian; every range is scaled to
    // 0..255 and samples above maxval saturate.
    Bytes wide = {'P', '5', ' ', '3', ' ', '1', ' ', '6', '5', '5', '3', '5', ' ',
                  0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00};
    ASSERT_TRUE(DecodeImage(wide.data(), wide.size(), image).ok);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFFFFFFFFu, 0xFF808080u, 0xFF000000u}));
    Bytes widePpm = {'P', '6', ' ', '1', ' ', '1', ' ', '1', '0', '2', '3', ' ', 0x03, 0xFF, 0, 0, 0x02, 0x00};
    ASSERT_TRUE(DecodeImage(widePpm.data(), widePpm.size(), image).ok);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFFFF0080u}));
    Bytes narrow = {'P', '5', ' ', '2', ' ', '1', ' ', '1', '5', '\n', 15, 99};
    ASSERT_TRUE(DecodeImage(narrow.data(), narrow.size(), image).ok);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFFFFFFFFu, 0xFFFFFFFFu}));
    wide.pop_back();
    EXPECT_FALSE(DecodeImage(wide.data(), wide.size(), image).ok);
    for (const char *header : {"P5 1 1 0 ", "P5 1 1 65536 ", "P5 1 1 255", "P6 1 x 255 "}) {
        Bytes bad(header, header + std::strlen(header));
        bad.insert(bad.end(), 6, 0x40);
        EXPECT_FALSE(DecodeImage(bad.data(), bad.size(), image).ok) << header;
        EXPECT_TRUE(image.pixels.empty());
    }
}

TEST(TextureLoader, TruncatedStbFormatsFailAtEveryLength) {
    const Bytes pixels = Checker(9, 7, 255);
    const Bytes files[] = {testing::EncodePng(9, 7, 4, pixels), testing::EncodeTga(9, 7, 4, pixels, true),
                           testing::EncodeTga(9, 7, 3, pixels, false), testing::EncodeJpg(9, 7, Bytes(9 * 7 * 3, 90))};
    for (const Bytes &file : files) {
        ArgbImage image;
        ASSERT_TRUE(DecodeWithStb(file.data(), file.size(), image).ok);
        // stb_image_write's TGA carries no footer, so every byte counts; PNG
        // and JPEG end with their end chunk and marker.
        for (size_t length = 0; length < file.size(); ++length) {
            EXPECT_FALSE(DecodeWithStb(file.data(), length, image).ok) << "length " << length;
        }
    }
}

TEST(TextureLoader, HostileHeaderSizesFailBeforeDecoding) {
    // A PNG whose header claims 8000 x 8000 (each side allowed, the area not)
    // and one beyond stb's own bound.
    for (uint32_t side : {8000u, 100000u}) {
        Bytes png = testing::EncodePng(1, 1, 3, Checker(1, 1, 255));
        for (int i = 0; i < 4; ++i) {
            png[16 + i] = uint8_t(side >> (24 - 8 * i));
            png[20 + i] = uint8_t(side >> (24 - 8 * i));
        }
        TextureData texture;
        EXPECT_FALSE(LoadTextureFromMemory(png.data(), png.size(), texture).ok) << side;
    }
    Bytes tga = testing::EncodeTga(2, 2, 3, Checker(2, 2, 255), false);
    tga[12] = tga[13] = tga[14] = tga[15] = 0xFF;  // 65535 x 65535
    TextureData texture;
    ArgbImage image;
    EXPECT_FALSE(LoadTextureFromMemory(tga.data(), tga.size(), texture).ok);
    // A chunk that declares more bytes than the file holds.
    Bytes png = testing::EncodePng(2, 2, 3, Checker(2, 2, 255));
    png[33] = 0x62;
    EXPECT_EQ(DecodeWithStb(png.data(), png.size(), image).error, "PNG data truncated");
    Bytes garbage = {1, 2, 3, 4, 5};
    EXPECT_FALSE(LoadTextureFromMemory(garbage.data(), garbage.size(), texture).ok);
}

TEST(TextureLoader, JpegHuffmanTablesBeyond256SymbolsAreRefused) {
    // stb_image sizes its tables for 256 symbols and does not check the count.
    Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xC4};
    testing::Bytes counts(16, 0);
    counts[14] = 2;
    counts[15] = 255;
    const size_t length = 2 + 17 + 257;
    jpeg.insert(jpeg.end(), {uint8_t(length >> 8), uint8_t(length), 0x10});
    jpeg.insert(jpeg.end(), counts.begin(), counts.end());
    jpeg.insert(jpeg.end(), 257, 0x01);
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    ArgbImage image;
    EXPECT_EQ(DecodeWithStb(jpeg.data(), jpeg.size(), image).error, "JPEG data truncated or corrupt");
}

TEST(TextureLoader, JpegScansWithUndefinedHuffmanTablesAreRefused) {
    // stb_image would decode with whatever its table memory held before.
    const Bytes good = testing::EncodeJpg(8, 8, Bytes(8 * 8 * 3, 120));
    size_t sos = 0;
    for (size_t i = 0; i + 1 < good.size(); ++i)
        if (good[i] == 0xFF && good[i + 1] == 0xDA) sos = i;
    ASSERT_NE(sos, 0u);
    ArgbImage image;
    ASSERT_TRUE(DecodeWithStb(good.data(), good.size(), image).ok);
    // The second component's selectors: DC table 3, then AC table 2.
    for (uint8_t selectors : {uint8_t{0x31}, uint8_t{0x12}}) {
        Bytes bad = good;
        bad[sos + 2 + 2 + 1 + 2 + 1] = selectors;
        EXPECT_EQ(DecodeWithStb(bad.data(), bad.size(), image).error, "JPEG data truncated or corrupt")
            << int(selectors);
    }
}

TEST(TextureLoader, LabelBitmapResourceBecomesA16By16Texture) {
    testing::DibLayout layout;
    layout.width = 11;
    layout.height = 10;
    layout.bitCount = 4;
    layout.palette = {0xFFFFFF, 0xFF0000, 0x808080};
    layout.colorsUsed = 3;
    layout.bits.assign(8 * 10, 0x00);  // all white
    Bytes dib = testing::BuildDib(layout);
    TextureData texture;
    LoadResult r = LoadTextureFromDib(dib.data(), dib.size(), texture);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(texture.format, kFormatX8R8G8B8);
    EXPECT_EQ(texture.imageWidth, 11u);
    EXPECT_EQ(texture.imageHeight, 10u);
    ASSERT_EQ(texture.levels.size(), 5u);
    EXPECT_EQ(texture.levels[0].width, 16u);
    EXPECT_EQ(texture.levels[0].height, 16u);
    EXPECT_EQ(PixelAt(texture.levels[0], 7, 9), 0xFFFFFFFFu);

    // A bitmap file is not a resource, and a resource's bytes can be short.
    Bytes file = testing::BuildBmpFile(layout);
    EXPECT_FALSE(LoadTextureFromDib(file.data(), file.size(), texture).ok);
    EXPECT_FALSE(LoadTextureFromDib(dib.data(), dib.size() - 5, texture).ok);
    EXPECT_TRUE(LoadTextureFromMemory(file.data(), file.size(), texture).ok);
}

TEST(TextureLoader, DdsTextures) {
    // DXT1 with power-of-two sides: the file's blocks and levels as they
    // are, then the rest of the chain encoded from the last level it holds.
    testing::DdsLayout dxt;
    dxt.width = 8;
    dxt.height = 4;
    dxt.mipCount = 2;
    dxt.fourCc = kFormatDxt1;
    dxt.payload.assign(16 + 8, 0xAB);
    const uint8_t red[8] = {0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0};  // both endpoints pure red
    std::copy(red, red + 8, dxt.payload.begin() + 16);             // level 1: one red block
    Bytes file = testing::BuildDds(dxt);
    TextureData texture;
    ASSERT_TRUE(LoadTextureFromMemory(file.data(), file.size(), texture).ok);
    EXPECT_EQ(texture.format, kFormatDxt1);
    ASSERT_EQ(texture.levels.size(), 4u);
    EXPECT_EQ(texture.levels[0].bytes, Bytes(16, 0xAB));
    const uint32_t widths[] = {8, 4, 2, 1}, heights[] = {4, 2, 1, 1};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(texture.levels[i].width, widths[i]);
        EXPECT_EQ(texture.levels[i].height, heights[i]);
        EXPECT_EQ(texture.levels[i].pitch, i == 0 ? 16u : 8u);
        EXPECT_EQ(texture.levels[i].bytes.size(), i == 0 ? 16u : 8u);
    }
    for (size_t i = 2; i < 4; ++i) {
        uint32_t pixels[16];
        DecodeDxtBlock(kFormatDxt1, texture.levels[i].bytes.data(), pixels);
        EXPECT_EQ(pixels[0], 0xFFFF0000u) << "level " << i;
    }

    // DXT5 of 12 x 4 cannot be rounded up as blocks: decoded, with alpha.
    dxt.width = 12;
    dxt.mipCount = 0;
    dxt.fourCc = kFormatDxt5;
    dxt.payload.assign(3 * 16, 0);
    file = testing::BuildDds(dxt);
    ASSERT_TRUE(LoadTextureFromMemory(file.data(), file.size(), texture).ok);
    EXPECT_EQ(texture.format, kFormatA8R8G8B8);
    EXPECT_EQ(texture.levels[0].width, 16u);
    EXPECT_EQ(texture.levels.size(), 5u);

    // 16-bit files keep their format through the rebuilt chain.
    testing::DdsLayout rgb;
    rgb.width = 3;
    rgb.height = 1;
    rgb.bitCount = 16;
    rgb.masks[0] = 0xF800;
    rgb.masks[1] = 0x07E0;
    rgb.masks[2] = 0x001F;
    rgb.payload = {0x00, 0xF8, 0x00, 0xF8, 0x00, 0xF8};
    file = testing::BuildDds(rgb);
    ASSERT_TRUE(LoadTextureFromMemory(file.data(), file.size(), texture).ok);
    EXPECT_EQ(texture.format, kFormatR5G6B5);
    EXPECT_EQ(texture.levels.size(), 3u);
    EXPECT_EQ(texture.levels[0].pitch, 8u);
    EXPECT_EQ(texture.levels[2].bytes, (Bytes{0x00, 0xF8}));
}

}  // namespace
}  // namespace morvel::formats::image
