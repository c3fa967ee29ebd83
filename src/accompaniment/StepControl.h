#pragma once

#include <cstdint>
#include <vector>

#include "foundation/TextStream.h"

namespace brio {

// A player that the step clock announces new steps to.
class StepControlTarget {
public:
    virtual ~StepControlTarget() = default;
    // `n` counts steps since the clock's position was last reset (0, 1, 2, ...).
    virtual void step(int n) = 0;
};

// The accompaniment clock: turns tempo, shuffle and steps per beat (the process-wide values of
// Tempo.h) into a running step number and announces each new step to its targets.
class StepControl : public TextStream {
public:
    static constexpr uint32_t stallMs = 500;  // a longer gap between ticks is not made up

    // One advance of the clock; announces the step it reached when that is a new one.
    void tick();
    // Patterns start again on step 0 at the next tick.
    void resetPosition();
    // The shuffle's groups of four steps count from step `n` (a new style's first beat).
    void startGroupsAt(int32_t n) { groupOrigin = n; }
    // Not running; tempo 0.5, shuffle 0, 4 steps per beat.
    void resetSettings();
    // Milliseconds from `now` until a tick will reach the next step (0 when the next tick
    // does); `limit` when the clock is not running or the step is further away.
    uint32_t msUntilNextStep(uint32_t now, uint32_t limit) const;

    // "tempo", "shuffle", "stepsPerBeat".
    void exchange() override;

    double position = 0.0;  // steps since the last reset
    int32_t step = -1;      // last announced step
    uint32_t lastTick = 0;
    bool hasLastTick = false;
    std::vector<StepControlTarget*> targets;  // announced in this order
    bool running = false;

private:
    int32_t groupOrigin = 0;
    void advance(int32_t elapsed);
};

// Sets the process-wide tempo from an integer bpm.
void setTempoFromBpm(int bpm);

}  // namespace brio
