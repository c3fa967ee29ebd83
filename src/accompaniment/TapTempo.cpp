#include "accompaniment/TapTempo.h"

#include <algorithm>
#include <cmath>

#include "foundation/Clock.h"

namespace brio {

std::optional<int> TapTempo::tap(uint32_t ms) {
    // A clock read out of order (negative gap) cannot continue a series either.
    const int32_t gap = count > 0 ? elapsedMs(times[size_t(count - 1)], ms) : 0;
    if (gap < 0 || gap > longestGapMs) count = 0;
    if (count == maxTaps) {
        std::shift_left(times.begin(), times.end(), 1);
        --count;
    }
    times[size_t(count++)] = ms;
    if (count < 2) return std::nullopt;
    const double beatMs = double(elapsedMs(times[0], ms)) / (count - 1);
    // Taps within one millisecond are as fast as the tempo goes.
    if (beatMs <= 0.0) return fastestBpm;
    return std::clamp(int(std::lround(60000.0 / beatMs)), slowestBpm, fastestBpm);
}

}  // namespace brio
