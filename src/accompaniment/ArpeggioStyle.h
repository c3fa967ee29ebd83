#pragma once

#include <cstdint>
#include <string>

#include "foundation/Llist.h"
#include "foundation/TextStream.h"

namespace brio {

// One note of a pattern. In a drum pattern `key` is a General MIDI percussion key; in a
// melodic pattern it is relative to the root 48 (it sounds key + held key - 48).
struct ArpeggioNote {
    int32_t key = 0;
    int32_t vel = 100;  // MIDI velocity
    int32_t pos = 0;    // the step the note starts on, 0..length-1
    double len = 1.0;   // duration in steps; the drum player ignores it
};

// One step pattern: a name, a length in steps and its notes in the order they were added.
class ArpeggioStyle : public TextStream {
public:
    // Steps the programmer shows and edits: its longest pattern, and the most steps of a beat.
    static constexpr int editableSteps = 64;

    ArpeggioStyle() = default;

    // Players treat a length below 1 as 1.
    int playingLength() const { return length < 1 ? 1 : length; }
    // The pattern step that clock step `n` plays: n mod playingLength(), never negative.
    int stepAt(int n) const {
        const int l = playingLength();
        const int s = n % l;
        return s < 0 ? s + l : s;
    }
    bool isEmpty() const { return notes.empty(); }

    // "name", "length", then one plain line "key;vel;pos;len" per note.
    void exchange() override;

    std::string name;
    int32_t length = 16;
    Llist<ArpeggioNote> notes;
};

}  // namespace brio
