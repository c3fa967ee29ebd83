#include "accompaniment/Tempo.h"

#include <algorithm>

#include "foundation/TextUtils.h"

namespace brio {

namespace {
double clampFraction(double fraction) {
    if (!(fraction > 0.0)) return 0.0;  // also catches NaN
    return std::min(fraction, 1.0);
}
}  // namespace

double bpmFromFraction(double fraction) { return 20.0 + 200.0 * clampFraction(fraction); }

// In 64 bits, so that a bpm near the 32-bit limits from a hand-edited file cannot overflow.
double fractionFromBpm(int bpm) { return clampFraction(double(int64_t(bpm) - 20) * 0.005); }

int stepLengthMs() {
    const int steps = std::max(stepsPerBeat, 1);
    return static_cast<int>(60000.0 / bpmFromFraction(tempo) / steps);
}

std::string tempoText() {
    return formatInt(static_cast<int32_t>(bpmFromFraction(tempo) + 0.5)) + " BPM";
}

}  // namespace brio
