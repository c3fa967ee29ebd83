#include "platform/RealClock.h"

#include <time.h>

namespace brio {

uint64_t RealClock::microseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint64_t(now.tv_sec) * 1000000u + uint64_t(now.tv_nsec) / 1000u;
}

uint32_t RealClock::milliseconds() { return static_cast<uint32_t>(microseconds() / 1000u); }

void RealClock::sleep(uint32_t ms) {
    timespec pause{time_t(ms / 1000), long(ms % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0) {
        // interrupted by a signal: sleep the rest
    }
}

}  // namespace brio
