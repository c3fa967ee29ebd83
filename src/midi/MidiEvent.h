#pragma once

#include <cstdint>

namespace brio {

// One recorded MIDI message: its time since the start of the recording and its three bytes.
struct MidiEvent {
    uint32_t time = 0;  // milliseconds
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

}  // namespace brio
