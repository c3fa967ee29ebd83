#pragma once

#include <cstddef>
#include <vector>

namespace brio {

// Loudness of a stereo signal after EBU R128. Silence measures -infinity everywhere.
struct Loudness {
    double lufs;          // integrated loudness, LUFS
    double samplePeakDb;  // highest sample of either channel, dBFS
    double truePeakDb;    // highest inter-sample peak (4x oversampled), dBTP; only with peaks
};

// Measures the first `frames` frames of `left` and `right`; the peaks only when `peaks` is set
// (the true peak costs more than the loudness itself).
Loudness measureLoudness(const std::vector<float>& left, const std::vector<float>& right,
                         size_t frames, int sampleRate, bool peaks);

}  // namespace brio
