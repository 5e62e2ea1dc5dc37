// The Clock port: milliseconds from an arbitrary start, for playback.
// Win32: the system's tick count. Tests: a clock they move by hand.
#pragma once

#include <cstdint>

namespace morvel::app {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint64_t NowMilliseconds() = 0;
};

}  // namespace morvel::app
