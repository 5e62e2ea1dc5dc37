#include <gtest/gtest.h>

#include "formats/image/bmp_decoder.h"
#include "test_image_builders.h"

namespace morvel::formats::image {
namespace {

using testing::Bytes;
using testing::BuildBmpFile;
using testing::BuildDib;
using testing::DibLayout;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                   kBlack = 0xFF000000;

ArgbImage DecodeOk(const Bytes &file) {
    ArgbImage image;
    LoadResult r = DecodeBmpFile(file.data(), file.size(), image);
    EXPECT_TRUE(r.ok) << r.error;
    return image;
}

std::string DecodeError(const Bytes &file) {
    ArgbImage image;
    LoadResult r = DecodeBmpFile(file.data(), file.size(), image);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(image.pixels.empty());
    return r.error;
}

// 3x2, 24 bits: rows padded to 12 bytes, stored bottom row first, BGR.
DibLayout TwentyFourBit(bool topDown) {
    DibLayout layout;
    layout.width = 3;
    layout.height = topDown ? -2 : 2;
    layout.bitCount = 24;
    Bytes top = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};         // red green blue
    Bytes bottom = {255, 255, 255, 0, 0, 0, 0, 0, 255, 0xEE, 0xEE, 0xEE};  // white black red + padding
    const Bytes &first = topDown ? top : bottom, &second = topDown ? bottom : top;
    layout.bits.insert(layout.bits.end(), first.begin(), first.end());
    layout.bits.insert(layout.bits.end(), second.begin(), second.end());
    return layout;
}

TEST(BmpDecoder, TwentyFourBitRowsComeOutTopDownWhateverTheStoredOrder) {
    for (bool topDown : {false, true}) {
        ArgbImage image = DecodeOk(BuildBmpFile(TwentyFourBit(topDown)));
        ASSERT_EQ(image.width, 3u);
        ASSERT_EQ(image.height, 2u);
        EXPECT_FALSE(image.hasAlpha);
        EXPECT_EQ(image.pixels, (std::vector<uint32_t>{kRed, kGreen, kBlue, kWhite, kBlack, kRed}));
    }
}

TEST(BmpDecoder, PaletteFormatsWithOddWidths) {
    // 1 bit: 9 pixels need two bytes, padded to four.
    DibLayout one;
    one.width = 9;
    one.height = 1;
    one.bitCount = 1;
    one.palette = {0x000000, 0xFFFFFF};
    one.bits = {0xA5, 0x80, 0, 0};
    ArgbImage a = DecodeOk(BuildBmpFile(one));
    EXPECT_EQ(a.pixels, (std::vector<uint32_t>{kWhite, kBlack, kWhite, kBlack, kBlack, kWhite, kBlack, kWhite,
                                               kWhite}));

    // 4 bits, 3 pixels: high nibble first; index past a short table is black.
    DibLayout four;
    four.width = 3;
    four.height = 1;
    four.bitCount = 4;
    four.palette = {0xFF0000, 0x00FF00};
    four.colorsUsed = 2;
    four.bits = {0x10, 0x70, 0, 0};
    ArgbImage b = DecodeOk(BuildBmpFile(four));
    EXPECT_EQ(b.pixels, (std::vector<uint32_t>{kGreen, kRed, kBlack}));

    // 8 bits, two rows of 1 pixel each (stride 4), bottom-up.
    DibLayout eight;
    eight.width = 1;
    eight.height = 2;
    eight.bitCount = 8;
    eight.palette.assign(256, 0);
    eight.palette[3] = 0x0000FF;
    eight.palette[200] = 0xFF0000;
    eight.bits = {3, 0, 0, 0, 200, 0, 0, 0};
    ArgbImage c = DecodeOk(BuildBmpFile(eight));
    EXPECT_EQ(c.pixels, (std::vector<uint32_t>{kRed, kBlue}));
}

TEST(BmpDecoder, SixteenAndThirtyTwoBitLayouts) {
    // 16 bits without masks is 5-5-5.
    DibLayout rgb555;
    rgb555.width = 2;
    rgb555.height = 1;
    rgb555.bitCount = 16;
    rgb555.bits = {0x00, 0x7C, 0x1F, 0x00};
    EXPECT_EQ(DecodeOk(BuildBmpFile(rgb555)).pixels, (std::vector<uint32_t>{kRed, kBlue}));

    // 5-6-5 through bit fields.
    DibLayout rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.bits = {0xE0, 0x07, 0x10, 0x84};  // pure green; (16, 32, 16) of (31, 63, 31)
    ArgbImage image = DecodeOk(BuildBmpFile(rgb565));
    EXPECT_EQ(image.pixels[0], kGreen);
    EXPECT_EQ(image.pixels[1], 0xFF848284u);

    // 32 bits plain: the fourth byte is not alpha.
    DibLayout plain;
    plain.width = 1;
    plain.height = 1;
    plain.bitCount = 32;
    plain.bits = {0x10, 0x20, 0x30, 0x00};
    ArgbImage p = DecodeOk(BuildBmpFile(plain));
    EXPECT_FALSE(p.hasAlpha);
    EXPECT_EQ(p.pixels[0], 0xFF302010u);

    // 32 bits with an alpha mask keeps alpha.
    DibLayout alpha = plain;
    alpha.compression = 6;
    alpha.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    alpha.bits = {0x10, 0x20, 0x30, 0x80};
    ArgbImage q = DecodeOk(BuildBmpFile(alpha));
    EXPECT_TRUE(q.hasAlpha);
    EXPECT_EQ(q.pixels[0], 0x80302010u);
}

DibLayout Rle8(Bytes stream, int32_t width = 4, int32_t height = 3) {
    DibLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = 8;
    layout.compression = 1;
    layout.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    layout.colorsUsed = 4;
    layout.bits = std::move(stream);
    return layout;
}

TEST(BmpDecoder, Rle8RunsAbsoluteRunsDeltaAndEndMarkers) {
    // Bottom row: run of 2 red, absolute [green, blue, red] (padded);
    // row 1: delta to x=2 of row 2; run of 1 green; end of bitmap.
    Bytes stream = {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1, 1, 2, 0, 1};
    ArgbImage image = DecodeOk(BuildBmpFile(Rle8(stream)));
    // Rows top-down: row 2 (top), row 1, row 0 (bottom).
    const uint32_t k = kBlack;
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{k, k, kGreen, k,  //
                                                   k, k, k, k,       //
                                                   kRed, kRed, kGreen, kBlue}));
}

TEST(BmpDecoder, Rle4AlternatesNibblesAndClipsRunsAtTheRowEnd) {
    DibLayout layout = Rle8({}, 5, 1);
    layout.bitCount = 4;
    layout.compression = 2;
    // Run of 3 alternating 1,2; absolute 3 pixels [3,1,2] (2 bytes, padded); a run that overflows.
    layout.bits = {3, 0x12, 0, 3, 0x31, 0x20, 9, 0x33, 0, 1};
    ArgbImage image = DecodeOk(BuildBmpFile(layout));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{kRed, kGreen, kRed, kBlue, kRed}));
}

TEST(BmpDecoder, DibWithoutFileHeaderAsAResourceHoldsIt) {
    // An 11x10, 16-colour label: white with a grey frame and a red centre.
    DibLayout layout;
    layout.width = 11;
    layout.height = 10;
    layout.bitCount = 4;
    layout.palette.assign(16, 0);
    layout.palette[7] = 0x808080;
    layout.palette[9] = 0xFF0000;
    layout.palette[15] = 0xFFFFFF;
    for (int y = 0; y < 10; ++y) {
        Bytes row(8, 0);  // 11 nibbles padded to 8 bytes
        for (int x = 0; x < 11; ++x) {
            uint8_t index = (x == 0 || x == 10 || y == 0 || y == 9) ? 7 : (x == 5 && y == 5 ? 9 : 15);
            row[x / 2] |= (x & 1) ? index : uint8_t(index << 4);
        }
        layout.bits.insert(layout.bits.end(), row.begin(), row.end());
    }
    Bytes dib = BuildDib(layout);
    ArgbImage image;
    ASSERT_TRUE(DecodeDib(dib.data(), dib.size(), image).ok);
    ASSERT_EQ(image.width, 11u);
    ASSERT_EQ(image.height, 10u);
    EXPECT_EQ(image.At(0, 0), 0xFF808080u);
    EXPECT_EQ(image.At(1, 1), kWhite);
    EXPECT_EQ(image.At(5, 10 - 1 - 5), kRed);  // stored bottom-up

    // The same bytes are not a bitmap file.
    EXPECT_FALSE(DecodeBmpFile(dib.data(), dib.size(), image).ok);
}

TEST(BmpDecoder, CoreHeaderAndAZeroBitsOffset) {
    Bytes core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // bits offset 0
    testing::Put32(core, 12);
    testing::Put16(core, 2);  // width
    testing::Put16(core, 1);  // height
    testing::Put16(core, 1);
    testing::Put16(core, 1);  // 1 bit
    core.insert(core.end(), {0, 0, 255, 255, 0, 0});  // RGB triples: red, blue
    core.insert(core.end(), {0x40, 0, 0, 0});
    EXPECT_EQ(DecodeOk(core).pixels, (std::vector<uint32_t>{kRed, kBlue}));
}

TEST(BmpDecoder, EveryTruncationFailsCleanly) {
    // The last row may lack its padding; an RLE stream needs its end marker.
    struct Case { Bytes file; size_t shortestValid; };
    Bytes plain = BuildBmpFile(TwentyFourBit(false));
    Bytes rle = BuildBmpFile(Rle8({2, 1, 0, 0, 2, 2, 0, 0, 4, 3, 0, 1}));
    for (const Case &c : {Case{plain, plain.size() - 3}, Case{rle, rle.size()}}) {
        const Bytes &file = c.file;
        ArgbImage whole;
        EXPECT_TRUE(DecodeBmpFile(file.data(), c.shortestValid, whole).ok);
        for (size_t length = 0; length < c.shortestValid; ++length) {
            Bytes prefix(file.begin(), file.begin() + static_cast<long>(length));
            ArgbImage image;
            EXPECT_FALSE(DecodeBmpFile(prefix.data(), prefix.size(), image).ok) << "length " << length;
        }
    }
}

TEST(BmpDecoder, HostileHeadersAreRejected) {
    auto withHeader = [](int32_t width, int32_t height, uint16_t bits, uint32_t compression) {
        DibLayout layout = TwentyFourBit(false);
        layout.width = width;
        layout.height = height;
        layout.bitCount = bits;
        layout.compression = compression;
        return BuildBmpFile(layout);
    };
    EXPECT_EQ(DecodeError(withHeader(100000, 100000, 24, 0)), "bitmap too large");
    EXPECT_EQ(DecodeError(withHeader(8192, 8192, 24, 0)), "bitmap too large");  // each side fits, not the area
    EXPECT_EQ(DecodeError(withHeader(4096, 4096, 24, 0)), "bitmap pixel data truncated");
    EXPECT_EQ(DecodeError(withHeader(-3, 2, 24, 0)), "bitmap has no pixels");
    EXPECT_EQ(DecodeError(withHeader(3, INT32_MIN, 24, 0)), "bitmap too large");
    EXPECT_EQ(DecodeError(withHeader(3, 0, 24, 0)), "bitmap has no pixels");
    EXPECT_EQ(DecodeError(withHeader(3, 2, 7, 0)), "unsupported bits per pixel");
    EXPECT_EQ(DecodeError(withHeader(3, 2, 24, 1)), "RLE8 needs 8 bits per pixel");
    EXPECT_EQ(DecodeError(withHeader(3, 2, 24, 3)), "bit fields need 16 or 32 bits per pixel");
    EXPECT_EQ(DecodeError(withHeader(3, 2, 24, 4)), "unsupported bitmap compression");
    EXPECT_EQ(DecodeError(withHeader(3, -2, 8, 1)), "compressed bitmaps cannot be top-down");

    DibLayout table = TwentyFourBit(false);
    table.bitCount = 8;
    table.colorsUsed = 0x40000000;
    EXPECT_EQ(DecodeError(BuildBmpFile(table)), "bitmap colour table truncated");

    Bytes badHeaderSize = BuildBmpFile(TwentyFourBit(false));
    testing::Set32(badHeaderSize, 14, 20);
    EXPECT_EQ(DecodeError(badHeaderSize), "unsupported bitmap header");
    testing::Set32(badHeaderSize, 14, 0xFFFFFFF0u);
    EXPECT_EQ(DecodeError(badHeaderSize), "bitmap header truncated");
}

TEST(BmpDecoder, RleEscapesPastTheImageStopWithoutWriting) {
    // A delta far below the last row and huge runs end decoding safely.
    ArgbImage image = DecodeOk(BuildBmpFile(Rle8({255, 1, 0, 2, 255, 255, 255, 2}, 2, 2)));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{kBlack, kBlack, kRed, kRed}));
    // An absolute run longer than the remaining bytes.
    EXPECT_EQ(DecodeError(BuildBmpFile(Rle8({0, 200, 1, 2, 3}, 2, 2))), "RLE data truncated");
}

}  // namespace
}  // namespace morvel::formats::image
