#pragma once

#include <cstdint>

#include "graphics/UserDialogs.h"

namespace brio {

class Clock;
class MidiSynth;
class WindowSystem;

// While the accompaniment runs the loop never waits longer than this between ticks, well
// inside the step clock's 500 ms stall limit.
inline constexpr uint32_t longestWaitMs = 100;
// In the background with nothing playing the loop makes about ten passes a second (held keys
// are let go there). In the foreground with nothing running and nothing due it only waits for
// the next window event: an idle program costs nothing.
inline constexpr uint32_t backgroundPauseMs = 100;

// Ticks the station and processes window messages until `windowQuit` or the station's
// quitRequested is set. Between ticks it waits for window events until the station next has
// something due (a step, a note to start or end), so notes go out in the millisecond they are
// due while the loop sleeps in between.
// Returns the number of passes it made.
uint64_t runMainLoop(MidiSynth& station, WindowSystem& windows, Clock& clock, const bool& windowQuit);

// One pass of the loop while a box is open: the station ticks (or, in a box that a tick opened,
// only plays the MIDI input, which would otherwise come in one burst when the box closes) and
// the window messages are processed unless `answered` says otherwise, the windows taking no
// input. Returns the milliseconds until the station next has something due (at most
// longestWaitMs, so the windows stay answered).
uint32_t runBoxPass(MidiSynth& station, WindowSystem& windows, Clock& clock,
                    BoxWindows answered = BoxWindows::answered);

}  // namespace brio
