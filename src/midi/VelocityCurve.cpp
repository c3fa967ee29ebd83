#include "midi/VelocityCurve.h"

#include <algorithm>
#include <cmath>

namespace brio {

namespace {

// The exponents of the two bent curves: soft lifts a light touch (64 plays 84), hard asks for
// more force (64 plays 41). Both keep 127 at 127.
constexpr double softExponent = 0.6;
constexpr double hardExponent = 1.0 / softExponent;
constexpr int fixedVelocity = 100;

int bent(int velocity, double exponent) {
    const double level = std::pow(double(velocity) / 127.0, exponent);
    return std::clamp(int(std::lround(127.0 * level)), 1, 127);
}

}  // namespace

int applyVelocityCurve(VelocityCurve curve, int velocity) {
    if (velocity <= 0) return 0;
    velocity = std::min(velocity, 127);
    switch (curve) {
        case VelocityCurve::soft: return bent(velocity, softExponent);
        case VelocityCurve::hard: return bent(velocity, hardExponent);
        case VelocityCurve::fixed: return fixedVelocity;
        case VelocityCurve::linear:
        default: return velocity;
    }
}

const char* velocityCurveName(VelocityCurve curve) {
    switch (curve) {
        case VelocityCurve::soft: return "Soft";
        case VelocityCurve::hard: return "Hard";
        case VelocityCurve::fixed: return "Fixed 100";
        case VelocityCurve::linear:
        default: return "Linear";
    }
}

}  // namespace brio
