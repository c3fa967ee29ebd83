#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace brio {

// The tempo of a key tapped on the beat: the mean interval of the series' last taps. A tap
// more than one beat of the slowest tempo after the one before (3 s, 20 bpm) starts a new
// series, so every tempo the Tempo fader reaches can be tapped and a pause never blends an old
// tempo into a new one.
class TapTempo {
public:
    static constexpr int maxTaps = 8;  // the tempo follows the last 8 taps, 7 intervals
    static constexpr int slowestBpm = 20;
    static constexpr int fastestBpm = 220;
    static constexpr int32_t longestGapMs = 60000 / slowestBpm;

    // A tap at `ms`, the Clock's milliseconds. From the second tap of a series: the tempo in
    // whole beats per minute, slowestBpm..fastestBpm.
    std::optional<int> tap(uint32_t ms);

private:
    std::array<uint32_t, maxTaps> times{};  // the series' last taps, oldest first
    int count = 0;
};

}  // namespace brio
