#include "document/parse_decimal.h"

#include <cstdint>

namespace morvel::document {
namespace {

constexpr float kScale[8] = {1.0f,     0.1f,      0.01f,      0.001f,
                             0.0001f,  0.00001f,  0.000001f,  0.0000001f};
constexpr int kMaxFractionDigits = 7;

// The decimal value of the digits seen so far, held at the 32-bit limit
// once the digits pass it.
int32_t AppendDigit(int32_t value, char digit) {
    const int64_t next = static_cast<int64_t>(value) * 10 + (digit - '0');
    return next > INT32_MAX ? INT32_MAX : static_cast<int32_t>(next);
}

}  // namespace

double ParseDecimal(std::string_view text) {
    bool negative = false;
    bool inFraction = false;
    int32_t integerValue = 0;
    int32_t fractionValue = 0;
    int fractionDigits = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-') {
            if (i != 0) return 0.0;
            negative = true;
        } else if (c == '.') {
            if (i == 0 || inFraction) return 0.0;
            inFraction = true;
        } else if (c >= '0' && c <= '9') {
            if (!inFraction) {
                integerValue = AppendDigit(integerValue, c);
            } else if (fractionDigits < kMaxFractionDigits) {
                fractionValue = AppendDigit(fractionValue, c);
                ++fractionDigits;
            }
        }
        // Every other character, '/' included, is skipped.
    }
    const double value = static_cast<double>(static_cast<float>(fractionValue)) *
                             static_cast<double>(kScale[fractionDigits]) +
                         static_cast<double>(static_cast<float>(integerValue));
    return negative ? -value : value;
}

}  // namespace morvel::document
