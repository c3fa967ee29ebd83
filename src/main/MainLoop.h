#pragma once

#include <cstdint>

namespace brio {

class Clock;
class MidiSynth;
class WindowSystem;

// While the accompaniment runs the loop never waits longer than this between ticks, well
// inside the step clock's 500 ms stall limit.
inline constexpr uint32_t longestWaitMs = 100;
// With nothing running and nothing due the loop only waits for window events, waking this
// often: an idle program costs next to nothing (each pass of the windowing layer costs about
// a millisecond of processor time).
inline constexpr uint32_t idleWaitMs = 2000;

// Ticks the station and processes window messages until `windowQuit` or the station's
// quitRequested is set. Between ticks it waits for window events until the station next has
// something due (a step, a note to start or end), so notes go out in the millisecond they are
// due while the loop sleeps in between.
void runMainLoop(MidiSynth& station, WindowSystem& windows, Clock& clock, const bool& windowQuit);

}  // namespace brio
