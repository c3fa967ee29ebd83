#pragma once

#include <cstdint>

namespace brio {

class Clock;
class MidiSynth;
class WindowSystem;

// One pass of the main loop lasts about this long.
inline constexpr int mainLoopPassMs = 2;
// While nothing is due the loop waits for window events, at most this long.
inline constexpr uint32_t idleWaitMs = 100;

// How long to sleep after a pass that started at `passStart` when the clock now reads `now`:
// the rest of the 2 ms pass, or 0 when the pass already used it up. Never negative.
int passSleepMs(uint32_t passStart, uint32_t now);

// Ticks the station and processes window messages until `windowQuit` or the station's
// quitRequested is set. Each pass lasts about 2 ms; while the station has nothing due, the
// loop sleeps until the next window event instead (nothing audible can change meanwhile).
void runMainLoop(MidiSynth& station, WindowSystem& windows, Clock& clock, const bool& windowQuit);

}  // namespace brio
