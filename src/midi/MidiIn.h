#pragma once

#include <cstdint>
#include <string>

#include "foundation/Text.h"

namespace brio {

class MidiInputBackend;
class MidiInputQueue;

// The one way MIDI comes in: the program's own input port and the input device of the options,
// both feeding one queue that the main thread drains. Module-level state, as the output's.
namespace MidiIn {

// The backend to listen through (nullptr: none); the caller keeps ownership. Installing stops
// the previous backend. The new one starts listening on the program's own port at once.
void installBackend(MidiInputBackend* backend);

// Clears `list` and appends the name of every input device, in device order.
void listDevices(Text_& list);
// Listens to input device `device` besides the program's own port (-1: to none); false when it
// cannot be opened.
bool open(int device);

// Asks, at most every watchIntervalMs of the clock, whether the device listened to has gone;
// its name once when it has (it is let go: nothing more can come from it), else "".
constexpr uint32_t watchIntervalMs = 250;
std::string watch();

// Where the messages wait for the main thread.
MidiInputQueue& queue();

}  // namespace MidiIn

}  // namespace brio
