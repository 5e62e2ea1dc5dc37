// A clock the test moves by hand.
#pragma once

#include "app/clock.h"

namespace morvel::app::fakes {

class FakeClock : public Clock {
public:
    uint64_t NowMilliseconds() override { return now; }
    void Advance(uint64_t milliseconds) { now += milliseconds; }
    uint64_t now = 1000;
};

}  // namespace morvel::app::fakes
