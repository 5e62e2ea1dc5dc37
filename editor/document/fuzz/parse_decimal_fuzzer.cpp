// Arbitrary text as typed into a dialog's value field (at most 19
// characters): ParseDecimal must give a finite value, and the value the rule
// gives when the digit strings are kept whole and only turned into numbers
// at the end.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "document/parse_decimal.h"

namespace {

constexpr size_t kFieldLimit = 19;

// The decimal value of a digit string, held at 2147483647 beyond it.
int32_t SaturatedValue(std::string digits) {
    const size_t firstNonZero = digits.find_first_not_of('0');
    digits = firstNonZero == std::string::npos ? "" : digits.substr(firstNonZero);
    if (digits.size() > 10 || (digits.size() == 10 && digits > "2147483647")) return INT32_MAX;
    return digits.empty() ? 0 : static_cast<int32_t>(std::stoll(digits));
}

double Reference(std::string_view text) {
    bool negative = false;
    bool inFraction = false;
    std::string integer;
    std::string fraction;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-') {
            if (i != 0) return 0.0;
            negative = true;
        } else if (c == '.') {
            if (i == 0 || inFraction) return 0.0;
            inFraction = true;
        } else if (c >= '0' && c <= '9') {
            (inFraction ? fraction : integer) += c;
        }
    }
    if (fraction.size() > 7) fraction.resize(7);
    // The single-precision scale 10^-k, rounded from the decimal text.
    const float scale = std::strtof(("1e-" + std::to_string(fraction.size())).c_str(), nullptr);
    const double value = static_cast<double>(static_cast<float>(SaturatedValue(fraction))) *
                             static_cast<double>(scale) +
                         static_cast<double>(static_cast<float>(SaturatedValue(integer)));
    return negative ? -value : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data),
                                size < kFieldLimit ? size : kFieldLimit);
    const double value = morvel::document::ParseDecimal(text);
    const double expected = Reference(text);
    if (!std::isfinite(value)) std::abort();
    if (std::memcmp(&value, &expected, sizeof value) != 0) std::abort();
    return 0;
}
