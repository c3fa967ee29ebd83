#include "Loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace brio {

namespace {

constexpr size_t chunkFrames = 4096;  // frames interleaved and handed over at a time

struct StateDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};
using State = std::unique_ptr<ebur128_state, StateDeleter>;

double decibels(double amplitude) {
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -HUGE_VAL;
}

// The loudest of both channels by `peak` (ebur128_sample_peak or ebur128_true_peak), in dB.
template <typename PeakOf>
double peakDb(ebur128_state* state, PeakOf peakOf) {
    double highest = 0.0;
    for (unsigned channel = 0; channel < 2; ++channel) {
        double peak = 0.0;
        if (peakOf(state, channel, &peak) == EBUR128_SUCCESS) highest = std::max(highest, peak);
    }
    return decibels(highest);
}

}  // namespace

Loudness measureLoudness(const std::vector<float>& left, const std::vector<float>& right,
                         size_t frames, int sampleRate, bool peaks) {
    Loudness loudness{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    const int mode = EBUR128_MODE_I | (peaks ? EBUR128_MODE_TRUE_PEAK : 0);
    State state(ebur128_init(2, static_cast<unsigned long>(sampleRate), mode));
    if (!state) return loudness;
    frames = std::min({frames, left.size(), right.size()});
    std::vector<float> interleaved(2 * chunkFrames);
    for (size_t start = 0; start < frames; start += chunkFrames) {
        const size_t count = std::min(chunkFrames, frames - start);
        for (size_t i = 0; i < count; ++i) {
            interleaved[2 * i] = left[start + i];
            interleaved[2 * i + 1] = right[start + i];
        }
        ebur128_add_frames_float(state.get(), interleaved.data(), count);
    }
    ebur128_loudness_global(state.get(), &loudness.lufs);
    if (peaks) {
        loudness.samplePeakDb = peakDb(state.get(), ebur128_sample_peak);
        loudness.truePeakDb = peakDb(state.get(), ebur128_true_peak);
    }
    return loudness;
}

}  // namespace brio
