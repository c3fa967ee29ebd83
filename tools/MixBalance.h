#pragma once

#include <cstddef>
#include <vector>

namespace brio {

// Where a mix's power lies: the share under the low-end cutoff (both channels summed to mono,
// through a fourth-order Butterworth low-pass) and how far it leans to the right (dB, right
// channel's power over the left's; negative: to the left).
struct MixBalance {
    double lowShare = 0.0;  // 0..1
    double leanDb = 0.0;
};

constexpr double lowEndCutoffHz = 120.0;

// Measures the first `frames` frames; silence has no low end and no lean.
MixBalance measureMixBalance(const std::vector<float>& left, const std::vector<float>& right,
                             size_t frames, int sampleRate);

}  // namespace brio
