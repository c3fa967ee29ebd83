#pragma once

#include <bitset>
#include <cstdint>

#include "accompaniment/ArpeggioStyle.h"
#include "accompaniment/BaseStyle.h"
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
        voiced = false;
    }
    // The part rests from now: a sustained part lets its pedal go (its notes end as written).
    void rest();
    // Plays (active, with keys held).
    bool running() const { return active && !heldKeys.empty(); }
    // "active", "arpIdx", "hold".
    void exchange() override;

    bool active = false;
    int32_t lastRoot = noRoot;
    Llist<int32_t> heldKeys;  // piano keys, in the order they were added
    int32_t arpIdx = 0;       // pattern index 0..3999
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
    // The velocity the held keys were last struck at: the pattern's velocities are played at
    // this share of 100 (at 100, as written).
    int32_t playedVelocity = 100;
    // The part's kind and register from the style; unset plays the C major mapping on the
    // bass key as older libraries expect.
    PartKind kind = PartKind::unset;
    PartRegister range;

private:
    // The chord to play this step: the held keys read as one (when they are read so) or each
    // held key with `chord`.
    Chord chordToPlay(bool& onRootOnly) const;

    // A pattern note of a part with a kind: mapped on every degree, moved to the voicing's
    // place and folded into the register.
    // A note the voicing already sounds at this step (an octave folded onto another) is left out.
    void playVoiced(const ArpeggioStyle& pattern, const ArpeggioNote& note, const Chord& playing, double steps,
                    std::bitset<128>& sounding);
    // Semitones from the written C voicing to `root`'s, kept nearest the last one.
    int32_t shiftTo(int32_t root);
    PartRegister effectiveRange() const;
    // A pattern note's velocity at the strength the keys were played with.
    int playedAt(int written) const;

    ChordType lastChord = ChordType::major;
    int32_t voicingShift = 0;
    bool voiced = false;  // voicingShift holds the last root's voicing
    StyleLibrary& library;
    Instrument* instrument;
};

}  // namespace brio
