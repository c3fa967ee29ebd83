#include "MixBalance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace brio {

namespace {

// One low-pass section of the bilinear transform (a biquad in direct form I).
class LowPass {
public:
    LowPass(double cutoffHz, double q, int sampleRate) {
        const double w = 2.0 * std::numbers::pi * cutoffHz / sampleRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        b0 = (1.0 - std::cos(w)) / 2.0 / a0;
        b1 = (1.0 - std::cos(w)) / a0;
        b2 = b0;
        a1 = -2.0 * std::cos(w) / a0;
        a2 = (1.0 - alpha) / a0;
    }

    double operator()(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    double b0, b1, b2, a1, a2;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
};

// The two sections of a fourth-order Butterworth filter.
constexpr std::array<double, 2> butterworthQ{0.5411961, 1.3065630};

}  // namespace

MixBalance measureMixBalance(const std::vector<float>& left, const std::vector<float>& right,
                             size_t frames, int sampleRate) {
    frames = std::min({frames, left.size(), right.size()});
    LowPass first(lowEndCutoffHz, butterworthQ[0], sampleRate);
    LowPass second(lowEndCutoffHz, butterworthQ[1], sampleRate);
    double total = 0.0, low = 0.0, leftPower = 0.0, rightPower = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double mono = 0.5 * (double(left[i]) + double(right[i]));
        const double under = second(first(mono));
        total += mono * mono;
        low += under * under;
        leftPower += double(left[i]) * left[i];
        rightPower += double(right[i]) * right[i];
    }
    MixBalance balance;
    if (total > 0.0) balance.lowShare = std::min(1.0, low / total);
    if (leftPower > 0.0 && rightPower > 0.0) balance.leanDb = 10.0 * std::log10(rightPower / leftPower);
    return balance;
}

}  // namespace brio
