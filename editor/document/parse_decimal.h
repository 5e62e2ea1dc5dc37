// The parser for numbers typed into the dialogs' value fields.
#pragma once

#include <string_view>

namespace morvel::document {

// Reads an optional leading '-', digits and one '.', skipping any other
// character; a '-' after the first character, a '.' first or a second '.'
// gives 0.0. The integer and fraction digits are read as 32-bit integers
// (saturating at 2147483647), at most seven fraction digits are used (later
// ones are ignored), and the value is formed in single-precision steps:
// float(fraction) * scale[k] + float(integer), scale[k] the float 10^-k.
double ParseDecimal(std::string_view text);

}  // namespace morvel::document
