#pragma once

#include <cstdint>

namespace brio {

// The millisecond clock that all timing reads. It wraps after 2^32 ms, so durations are
// always taken as unsigned differences.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary origin, truncated to 32 bits.
    virtual uint32_t milliseconds() = 0;
    // Microseconds since the same origin (not truncated): milliseconds() is this / 1000.
    virtual uint64_t microseconds() = 0;
    // Blocks the calling thread for the given number of milliseconds.
    virtual void sleep(uint32_t ms) = 0;
};

// A clock that moves only when told to; sleeping advances it by the time slept.
class ManualClock : public Clock {
public:
    explicit ManualClock(uint32_t start = 0) : now(start) {}

    uint32_t milliseconds() override { return now; }
    uint64_t microseconds() override { return uint64_t(now) * 1000u; }
    void sleep(uint32_t ms) override {
        now += ms;
        sleptTotal += ms;
        ++sleepCalls;
    }
    void advance(uint32_t ms) { now += ms; }
    void set(uint32_t ms) { now = ms; }

    uint32_t now;
    uint64_t sleptTotal = 0;
    int sleepCalls = 0;
};

// The process-wide clock. Until the program installs its real clock this is a manual clock
// standing at 0, so logic used in tests never reads the wall clock by accident.
Clock& systemClock();
// Makes `clock` the process-wide clock; nullptr restores the manual default. The caller keeps
// ownership and must keep it alive while installed.
void installClock(Clock* clock);

// Elapsed milliseconds from `earlier` to `later`, correct across the 32-bit wrap.
inline int32_t elapsedMs(uint32_t earlier, uint32_t later) {
    return static_cast<int32_t>(later - earlier);
}

}  // namespace brio
