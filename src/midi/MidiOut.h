#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Text.h"
#include "midi/SoundFontCheck.h"
#include "midi/SoundFontSet.h"

namespace brio {

class MidiBackend;

// The one way sound leaves the program: one device, opened by number, and one sender that
// every channel message passes (and that feeds the recorder). Module-level state.
namespace MidiOut {

// The backend the layer talks to; nullptr leaves the program without devices. The caller
// keeps ownership. Installing closes the device of the previous backend.
void installBackend(MidiBackend* backend);

// Clears `list` and appends the product name of every output device, in device order.
void listDevices(Text_& list);
// The first device whose name contains "Microsoft", else "MS", else "GS" (case-sensitive);
// -1 (the mapper) when none does.
int defaultDevice();
// Closes (with reset) the open device, then opens `device`, or the mapper for -1. The device
// that is open already is only reset and opened again, without closing it first. A device that
// failed earlier in the run is reset once it opens again: notes whose releases it missed while
// it was gone end there.
bool open(int device);
// Open and working (not failed).
bool isOpen();
// Asks the open device, at most every `watchIntervalMs` of the clock, whether it still works.
// A device that stopped is closed and the program plays on silent (the recorder still takes
// what is played) until a device is opened again. Returns what went wrong, in words, once per
// failure; "" otherwise.
constexpr uint32_t watchIntervalMs = 250;
std::string watch();
// The name of the open (or failed) device as listed when it was opened; "Midi Mapper" for -1.
const std::string& deviceName();
void reset();
void close();
// Passes the user's SoundFont to the backend, before the first open of the built-in synthesizer.
void preferSoundFont(const std::string& path);
// The built-in synthesizer's SoundFonts and the user's choice among them (MidiBackend): nothing
// known and every choice accepted without a backend.
std::vector<SoundFontSet> soundFontSets();
SoundFontCheck chooseSoundFont(const std::string& path);
std::optional<SoundFontCheck> soundFontOutcome();

// The sender: gating and volume scaling while a recording plays, the recorder's copy, then
// the device. Dropped when no device is open.
void send(uint8_t status, uint8_t data1, uint8_t data2);

// Channel messages; an argument out of range (channel 0..15, values 0..127) sends nothing.
void programChange(int program, int channel);
void setVolume(int value, int channel);
void setPan(int value, int channel);
// Portamento on with that time (1..16383 ms) for notes played legato, or off (0).
void setPortamento(int time, int channel);
void noteOn(int note, int velocity, int channel);
void setSustain(bool on, int channel);
void allNotesOff(int channel);

}  // namespace MidiOut

// A model value 0..1 as a MIDI value: value x 127.5 truncated toward zero (1.0 gives 127).
// Values far outside the range (or not a number) give a value the MIDI layer drops.
inline int midiValue(double value) {
    const double scaled = value * 127.5;
    if (!(scaled > -1000.0)) return -1;
    if (scaled > 1000.0) return 1000;
    return static_cast<int>(scaled);
}

}  // namespace brio
