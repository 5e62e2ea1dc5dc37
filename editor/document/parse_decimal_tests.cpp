#include "document/parse_decimal.h"

#include <gtest/gtest.h>

namespace morvel::document {
namespace {

TEST(ParseDecimal, TypicalAndMalformedTexts) {
    const std::pair<const char *, double> cases[] = {
        {"12.5", 12.50000000745058},
        {"-0.25", -0.24999999441206455},
        {"100.000000", 100.0},
        {"1,000", 1000.0},
        {"1e3", 13.0},
        {" -5", 0.0},
        {".5", 0.0},
        {"1.2.3", 0.0},
        {"", 0.0},
        {"3/4", 34.0},
        {"-7", -7.0},
        {"2-", 0.0},
    };
    for (const auto &[text, expected] : cases) {
        EXPECT_DOUBLE_EQ(ParseDecimal(text), expected) << '"' << text << '"';
    }
    // Single-precision steps, not the nearest double.
    EXPECT_NE(ParseDecimal("0.5"), 0.5);
    EXPECT_EQ(ParseDecimal("0.5"), 5.0 * static_cast<double>(0.1f));
    EXPECT_EQ(ParseDecimal("16777217"), 16777216.0);
}

TEST(ParseDecimal, BeyondTheLimitsDigitsSaturateOrStop) {
    EXPECT_EQ(ParseDecimal("99999999999"), static_cast<double>(static_cast<float>(2147483647)));
    EXPECT_EQ(ParseDecimal("-99999999999"), -static_cast<double>(static_cast<float>(2147483647)));
    // Fraction digits after the seventh are ignored.
    EXPECT_EQ(ParseDecimal("0.12345678"), ParseDecimal("0.1234567"));
    EXPECT_EQ(ParseDecimal("1.00000009999"), 1.0);
}

}  // namespace
}  // namespace morvel::document
