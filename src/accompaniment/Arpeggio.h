#pragma once

#include <cstdint>

#include "accompaniment/Chord.h"
#include "accompaniment/StepControl.h"
#include "foundation/Llist.h"
#include "foundation/TextStream.h"

namespace brio {

class Instrument;
class StyleLibrary;

// A melodic player bound to one instrument: plays its pattern on the held keys.
class Arpeggio : public TextStream, public StepControlTarget {
public:
    static constexpr int32_t noRoot = -100;
    static constexpr int referenceKey = 48;  // patterns are written for this root

    Arpeggio(StyleLibrary& library, Instrument* instrument) : library(library), instrument(instrument) {}

    void step(int n) override;
    // Off, pattern 0, hold off, mode 1, no held keys, no root.
    void reset();
    void forgetRoot() {
        lastRoot = noRoot;
        lastChord = ChordType::major;
    }
    // Plays (active, with keys held).
    bool running() const { return active && !heldKeys.empty(); }
    // "active", "arpIdx", "hold".
    void exchange() override;

    bool active = false;
    int32_t lastRoot = noRoot;
    Llist<int32_t> heldKeys;  // piano keys, in the order they were added
    int32_t arpIdx = 0;       // pattern index 0..399
    int32_t mode = 1;         // PartMode: 1 normal, 2 pedal, 3 long
    bool hold = false;        // keys stay after the piano keys are released
    // The chord the pattern (written for C major) is mapped onto, on every held key; the
    // accompaniment's chord as fingered below the split.
    ChordType chord = ChordType::major;
    // Several held keys are read as one chord and the pattern plays once on its root, instead
    // of once on every key (fingered chords on a keyboard arpeggiator).
    bool readsChord = false;
    // A slash chord's bass (C/E, Am/G): the pattern's root notes sound on this key's pitch
    // class, nearest the root; noRoot plays the pattern as written.
    int32_t slashBass = noRoot;

private:
    // The chord to play this step: the held keys read as one (when they are read so) or each
    // held key with `chord`.
    Chord chordToPlay(bool& onRootOnly) const;

    ChordType lastChord = ChordType::major;
    StyleLibrary& library;
    Instrument* instrument;
};

}  // namespace brio
