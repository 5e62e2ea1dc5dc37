#include "base/double_bits.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace morvel::base {

std::string DoubleBitsText(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char text[19];
    std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(bits));
    return text;
}

}  // namespace morvel::base
