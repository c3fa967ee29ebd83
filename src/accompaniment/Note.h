#pragma once

#include <cstdint>

namespace brio {

// One timed note of an instrument, pending or sounding.
struct Note {
    int32_t key = 0;       // MIDI key, already mapped
    int32_t velocity = 0;
    int32_t channel = 0;
    uint32_t start = 0;    // clock time its note-on is due (ms)
    uint32_t end = 0;      // clock time its note-off is due (ms), unless held
    bool held = false;     // lasts until released (no end time)
    bool sounding = false; // its note-on has been sent
    bool ended = false;    // its note-off has been sent; dropped at the end of the service pass
};

}  // namespace brio
