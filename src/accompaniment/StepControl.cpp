#include "accompaniment/StepControl.h"

#include <algorithm>
#include <cmath>

#include "accompaniment/Tempo.h"
#include "foundation/Clock.h"

namespace brio {

namespace {

constexpr double straightSwing = 0.5;
constexpr double maxSwing = 0.5 + 1.0 / 6.0;
constexpr double shuffleScale = 6.0;
constexpr int groupSteps = 4;
// Positions wrap here so that the step number always fits its 32-bit integer.
constexpr double positionLimit = 2147483648.0;
constexpr double boundaryAllowanceMs = 1e-6;
// More steps than a tick of the longest allowed pause can cross at the fastest tempo.
constexpr int maxStepsPerTick = 4096;

// Where the second half of a group of four steps starts, as a fraction of the group.
double swingPoint() {
    const double w = shuffle / shuffleScale + straightSwing;
    if (!(w > straightSwing)) return straightSwing;  // also a shuffle that is not a number
    return std::min(w, maxSwing);
}

// Speed of the step in progress: the first two steps of a group are stretched, the last two
// compressed, so that a group always lasts four straight steps.
double speedFactor(int32_t lastStep, int32_t groupOrigin) {
    const double w = swingPoint();
    const int64_t from = int64_t(lastStep) + 1 - groupOrigin;
    const int64_t m = (from % groupSteps + groupSteps) % groupSteps;
    return (m == 1 || m == 2) ? straightSwing / w : straightSwing / (1.0 - w);
}

// Straight steps per millisecond at the current tempo.
double stepsPerMs() { return 0.001 * (bpmFromFraction(tempo) / 60.0 * std::max(stepsPerBeat, 1)); }

}  // namespace

uint32_t StepControl::msUntilNextStep(uint32_t now, uint32_t limit) const {
    if (!running) return limit;
    if (!hasLastTick) return 0;  // the first tick after a reset announces step 0
    const double rate = speedFactor(step, groupOrigin) * stepsPerMs();
    const double remaining = double(step) + 1.0 - position;
    if (!(rate > 0.0) || remaining <= 0.0) return 0;
    // The tick that crosses the step is the first whole millisecond after lastTick at which
    // the position reaches it; the small allowance absorbs rounding in the running sum.
    const double fromLastTick = std::ceil(remaining / rate - 1e-6);
    const double fromNow = fromLastTick - elapsedMs(lastTick, now);
    if (fromNow <= 0.0) return 0;
    return fromNow >= double(limit) ? limit : uint32_t(fromNow);
}

void StepControl::tick() {
    if (!running) return;
    const uint32_t now = systemClock().milliseconds();
    int32_t elapsed = hasLastTick ? elapsedMs(lastTick, now) : 0;
    if (elapsed < 0 || elapsed > int32_t(stallMs)) elapsed = 0;  // a stall is not made up
    lastTick = now;
    hasLastTick = true;

    advance(elapsed);
    if (position >= positionLimit) position = std::fmod(position, positionLimit);

    const int32_t n = static_cast<int32_t>(position);
    if (n == step) return;
    step = n;
    for (StepControlTarget* target : targets) target->step(n);
}

// Moves the position on by `elapsed` milliseconds, each step at its own speed: time past a step
// boundary counts at the next step's speed, so a swung groove never drifts off its grid.
void StepControl::advance(int32_t elapsed) {
    double ms = elapsed;
    int64_t current = int64_t(std::floor(position));
    for (int crossed = 0; ms > 0.0 && crossed <= maxStepsPerTick; ++crossed) {
        const double rate = speedFactor(int32_t(current), groupOrigin) * stepsPerMs();
        if (!(rate > 0.0)) return;
        const double toBoundary = (double(current) + 1.0 - position) / rate;
        // A boundary this tick reaches but for the rounding of the running sum is crossed now,
        // so that steps keep their exact milliseconds however long the clock runs.
        if (toBoundary > ms + boundaryAllowanceMs) {
            position += rate * ms;
            return;
        }
        position = double(current + 1);
        ms -= toBoundary;
        ++current;
    }
}

void StepControl::resetPosition() {
    position = 0.0;
    step = -1;
    groupOrigin = 0;
    lastTick = 0;
    hasLastTick = false;
}

void StepControl::resetSettings() {
    running = false;
    tempo = 0.5;
    shuffle = 0.0;
    stepsPerBeat = 4;
}

void StepControl::exchange() {
    exchangeReal("tempo", tempo);
    exchangeReal("shuffle", shuffle);
    exchangeInt("stepsPerBeat", stepsPerBeat);
}

void setTempoFromBpm(int bpm) { tempo = fractionFromBpm(bpm); }

}  // namespace brio
