#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "mvllib/mvllib.h"

namespace {

TEST(Shuffle, XorsWithFirstKeyCharacterOnly) {
    const uint8_t plain[4] = {0x00, 0x4D, 0xFF, 0x12};
    uint8_t out[4];
    Mvl_Func_Shuffle(out, plain, 4, "MVL1");
    EXPECT_EQ(out[0], 0x4D);
    EXPECT_EQ(out[1], 0x00);
    EXPECT_EQ(out[2], 0xB2);
    EXPECT_EQ(out[3], 0x5F);
    uint8_t other[4];
    Mvl_Func_Shuffle(other, plain, 4, "Mxyz");
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), std::vector<uint8_t>(other, other + 4));
}

TEST(Shuffle, TwiceRestoresInputInPlace) {
    std::vector<uint8_t> bytes(300);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    const std::vector<uint8_t> before = bytes;
    Mvl_Func_Shuffle(bytes.data(), bytes.data(), static_cast<int>(bytes.size()), "MVL1");
    EXPECT_NE(bytes, before);
    Mvl_Func_Shuffle(bytes.data(), bytes.data(), static_cast<int>(bytes.size()), "MVL1");
    EXPECT_EQ(bytes, before);
}

TEST(Shuffle, NonPositiveLengthWritesNothing) {
    uint8_t out[2] = {1, 2};
    const uint8_t in[2] = {9, 9};
    Mvl_Func_Shuffle(out, in, 0, "MVL1");
    Mvl_Func_Shuffle(out, in, -5, "MVL1");
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 2);
}

}  // namespace
