#include "accompaniment/Arpeggio.h"

#include <algorithm>
#include <array>
#include <limits>

#include "accompaniment/BaseStyle.h"
#include "accompaniment/Instrument.h"
#include "accompaniment/StyleLibrary.h"
#include "midi/MidiOut.h"

namespace brio {

namespace {

constexpr double longFactor = 8.0;

// A pattern key played on held key h. Sums beyond the 32-bit range stay far out of the MIDI
// range, so the MIDI layer drops them instead of the arithmetic wrapping into it.
int soundingKey(int32_t patternKey, int32_t held) {
    const int64_t key = int64_t(patternKey) + held - Arpeggio::referenceKey;
    return int(std::clamp<int64_t>(key, std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max()));
}

// The pattern key as the chord wants it: a major chord keeps every key as written.
int32_t mappedPatternKey(int32_t patternKey, ChordType chord) {
    if (chord == ChordType::major) return patternKey;
    const int64_t offset = int64_t(patternKey) - Arpeggio::referenceKey;
    if (offset < -1000000 || offset > 1000000) return patternKey;  // far outside MIDI: as it is
    return Arpeggio::referenceKey + mapPatternOffset(int32_t(offset), chord);
}

// What a root note moves by to sound as the slash bass: at most a tritone either way.
int32_t slashShift(int32_t slashBass, int32_t root) {
    const int64_t rest = (int64_t(slashBass) - root) % 12;
    const int32_t up = int32_t(rest < 0 ? rest + 12 : rest);
    return up > 6 ? up - 12 : up;
}

// A root of the chord, within the range a pattern plays in (far keys are left alone).
bool isRootNote(int32_t patternKey) {
    const int64_t offset = int64_t(patternKey) - Arpeggio::referenceKey;
    return offset % 12 == 0 && offset >= -1000000 && offset <= 1000000;
}

constexpr int chordKeyLimit = 64;  // held keys read as a chord; more are not played at once

}  // namespace

Chord Arpeggio::chordToPlay(bool& onRootOnly) const {
    onRootOnly = readsChord && heldKeys.count() > 1;
    if (!onRootOnly) return Chord{heldKeys.count() == 1 ? heldKeys.getConst(0) : 0, chord};
    std::array<int32_t, chordKeyLimit> keys{};
    int count = 0;
    for (int32_t key : heldKeys) {
        if (count == chordKeyLimit) break;
        keys[size_t(count++)] = key;
    }
    return recognizeChord(keys.data(), count);
}

void Arpeggio::step(int n) {
    if (!active || instrument == nullptr || heldKeys.empty() || !StyleLibrary::validPattern(arpIdx)) {
        return;
    }
    const ArpeggioStyle& pattern = library.pattern(arpIdx);
    int s = pattern.stepAt(n);
    bool onRootOnly = false;
    const Chord playing = chordToPlay(onRootOnly);
    const int32_t root = playing.rootKey;
    // A new chord on the same root is a change as well: the pedal rings the new notes alone.
    const bool changed = root != lastRoot || playing.type != lastChord;
    lastRoot = root;
    lastChord = playing.type;
    if (mode == partSustained && (changed || s == 0)) {
        // One pass rings together: cut it at every start and root change, re-press the pedal.
        instrument->cutAll();
        MidiOut::setSustain(false, instrument->channel);
        MidiOut::setSustain(true, instrument->channel);
        s = 0;
    }
    const double lengthFactor = mode == partLong ? longFactor : 1.0;
    for (const ArpeggioNote& note : pattern.notes) {
        if (note.pos != s) continue;
        // A pattern note always ends: one without a length (0 or less, or not a number) lasts
        // until the next step rather than being held like a pressed key.
        const double steps = note.len > 0.0 ? note.len * lengthFactor : 1.0;
        int32_t key = mappedPatternKey(note.key, playing.type);
        if (slashBass != noRoot && isRootNote(key)) key += slashShift(slashBass, root);
        if (onRootOnly) {
            instrument->playTimed(soundingKey(key, root), note.vel, steps);
            continue;
        }
        for (int32_t held : heldKeys) instrument->playTimed(soundingKey(key, held), note.vel, steps);
    }
}

void Arpeggio::reset() {
    active = false;
    arpIdx = 0;
    hold = false;
    mode = partOn;
    heldKeys.clear();
    chord = ChordType::major;
    slashBass = noRoot;
    forgetRoot();
}

void Arpeggio::exchange() {
    exchangeBool("active", active);
    exchangeInt("arpIdx", arpIdx);
    exchangeBool("hold", hold);
}

}  // namespace brio
