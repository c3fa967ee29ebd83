#pragma once

#include "foundation/Clock.h"

namespace brio {

// The monotonic system clock in milliseconds.
class RealClock : public Clock {
public:
    uint32_t milliseconds() override;
    uint64_t microseconds() override;
    void sleep(uint32_t ms) override;
};

}  // namespace brio
