// The Clock over the system's millisecond tick count.
#pragma once

#include <windows.h>

#include "app/clock.h"

namespace morvel::app::win32 {

class TickClock : public Clock {
public:
    uint64_t NowMilliseconds() override { return GetTickCount64(); }
};

}  // namespace morvel::app::win32
