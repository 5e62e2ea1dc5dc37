#include <gtest/gtest.h>

#include <cstdlib>

#include "formats/image/dxt_blocks.h"
#include "formats/image/dxt_encoder.h"

namespace morvel::formats::image {
namespace {

uint32_t Channel(uint32_t argb, int shift) { return (argb >> shift) & 255; }

// Encodes and decodes one block.
void RoundTrip(uint32_t format, const uint32_t in[16], uint32_t out[16]) {
    uint8_t block[16];
    EncodeDxtBlock(format, in, block);
    DecodeDxtBlock(format, block, out);
}

TEST(DxtEncoder, ColoursThatFitTheEndpointsComeBackExactly) {
    // Pure red and pure blue are exact in 5:6:5 whichever way their channels
    // run; flat blocks stay flat and opaque, black too (equal endpoints
    // select DXT1's three-colour mode, whose last entry is transparent).
    uint32_t two[16], flat[16], black[16], out[16];
    for (int i = 0; i < 16; ++i) {
        two[i] = (i % 3) ? 0xFFFF0000u : 0xFF0000FFu;
        flat[i] = 0xFF84C610u;  // 0x8410-ish grey-green, exact in 5:6:5
        black[i] = 0xFF000000u;
    }
    for (uint32_t format : {kFormatDxt1, kFormatDxt3, kFormatDxt5}) {
        SCOPED_TRACE(format);
        RoundTrip(format, two, out);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], two[i]) << i;
        RoundTrip(format, black, out);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], 0xFF000000u) << i;
        RoundTrip(format, flat, out);
        for (int i = 0; i < 16; ++i) {
            for (int shift : {0, 8, 16}) EXPECT_LE(std::abs(int(Channel(out[i], shift)) - int(Channel(flat[i], shift))), 4);
            EXPECT_EQ(out[i] >> 24, 255u);
        }
    }
}

TEST(DxtEncoder, GradientsStayCloseAndDxt1TransparencyFollowsAlpha) {
    uint32_t in[16], out[16];
    for (int i = 0; i < 16; ++i) {
        const uint32_t v = static_cast<uint32_t>(i * 17);
        in[i] = PackArgb(i < 4 ? 0 : 255, v, 255 - v, v / 2);
    }
    RoundTrip(kFormatDxt1, in, out);
    for (int i = 0; i < 16; ++i) {
        if (i < 4) {
            EXPECT_EQ(out[i], 0u) << i;  // transparent black
            continue;
        }
        EXPECT_EQ(out[i] >> 24, 255u) << i;
        // Three colours span the opaque range of 12 steps of 17.
        for (int shift : {0, 8, 16}) EXPECT_LE(std::abs(int(Channel(out[i], shift)) - int(Channel(in[i], shift))), 60) << i;
    }

    uint32_t alpha[16];
    for (int i = 0; i < 16; ++i) alpha[i] = PackArgb(static_cast<uint32_t>(40 + i * 10), 9, 9, 9);
    RoundTrip(kFormatDxt3, alpha, out);
    for (int i = 0; i < 16; ++i) EXPECT_LE(std::abs(int(out[i] >> 24) - int(alpha[i] >> 24)), 8) << i;
    RoundTrip(kFormatDxt5, alpha, out);
    for (int i = 0; i < 16; ++i) EXPECT_LE(std::abs(int(out[i] >> 24) - int(alpha[i] >> 24)), 11) << i;
    EXPECT_EQ(out[0] >> 24, 40u);   // the endpoints themselves are exact
    EXPECT_EQ(out[15] >> 24, 190u);
}

TEST(DxtEncoder, SurfacesSmallerThanABlockRepeatTheirEdge) {
    ArgbImage image;
    image.width = 2;
    image.height = 1;
    image.pixels = {0xFFFF0000u, 0xFF0000FFu};
    const TextureLevel level = EncodeDxtSurface(kFormatDxt5, image);
    EXPECT_EQ(level.width, 2u);
    EXPECT_EQ(level.height, 1u);
    EXPECT_EQ(level.pitch, 16u);
    ASSERT_EQ(level.bytes.size(), 16u);
    ArgbImage decoded;
    DecodeDxtSurface(kFormatDxt5, level.bytes.data(), 2, 1, decoded);
    EXPECT_EQ(decoded.pixels, image.pixels);
}

}  // namespace
}  // namespace morvel::formats::image
