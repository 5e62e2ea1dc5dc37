// A double's exact bits as text ("0x" and 16 lower-case hex digits): how the
// JSON forms of motion data keep numbers JSON cannot write (NaN, infinities).
#pragma once

#include <string>

namespace morvel::base {

std::string DoubleBitsText(double value);

}  // namespace morvel::base
