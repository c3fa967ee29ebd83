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

constexpr int chordKeyLimit = 64;  // held keys read as a chord; more are not played at once
constexpr int64_t farOffset = 1000000;  // pattern keys further from the reference stay as they are

constexpr PartRegister bassRange{28, 55};   // E1..G3
constexpr PartRegister chordRange{53, 81};  // F3..A5
constexpr int32_t writtenRoot = 12;         // voicings are written for the bass key C

int32_t pitchClassOf(int64_t key) {
    const int64_t rest = key % 12;
    return int32_t(rest < 0 ? rest + 12 : rest);
}

bool isFar(int64_t offset) { return offset < -farOffset || offset > farOffset; }

// The pattern key as the chord wants it, by `map` (the C major or the C major seventh mapping);
// keys far outside MIDI are left as they are.
int32_t mappedKey(int32_t patternKey, ChordType chord, int32_t (*map)(int32_t, ChordType)) {
    const int64_t offset = int64_t(patternKey) - Arpeggio::referenceKey;
    return isFar(offset) ? patternKey : Arpeggio::referenceKey + map(int32_t(offset), chord);
}

// A major chord keeps every key of a C major pattern as written.
int32_t mappedPatternKey(int32_t patternKey, ChordType chord) {
    return chord == ChordType::major ? patternKey : mappedKey(patternKey, chord, mapPatternOffset);
}

int32_t mappedSourceKey(int32_t patternKey, ChordType chord) { return mappedKey(patternKey, chord, mapSourceOffset); }

// What a root note moves by to sound as the slash bass: at most a tritone either way.
int32_t slashShift(int32_t slashBass, int32_t root) {
    const int32_t up = pitchClassOf(int64_t(slashBass) - root);
    return up > 6 ? up - 12 : up;
}

// A root of the chord, within the range a pattern plays in.
bool isRootNote(int32_t patternKey) {
    const int64_t offset = int64_t(patternKey) - Arpeggio::referenceKey;
    return pitchClassOf(offset) == 0 && !isFar(offset);
}

bool isChordTone(int32_t sourceKey) {
    const int32_t degree = pitchClassOf(int64_t(sourceKey) - Arpeggio::referenceKey);
    return degree == 0 || degree == 4 || degree == 7 || degree == 11;
}

bool isChromatic(int32_t sourceKey) {
    const int32_t degree = pitchClassOf(int64_t(sourceKey) - Arpeggio::referenceKey);
    return degree == 1 || degree == 3 || degree == 6 || degree == 8 || degree == 10;
}

// The first chord tone the line plays after `note` (the pattern wraps), or none.
const ArpeggioNote* nextChordTone(const ArpeggioStyle& pattern, const ArpeggioNote& note) {
    const ArpeggioNote* best = nullptr;
    int bestDistance = 0;
    for (const ArpeggioNote& other : pattern.notes) {
        if (!isChordTone(other.key)) continue;
        int distance = other.pos - note.pos;
        if (distance <= 0) distance += pattern.playingLength();
        if (best == nullptr || distance < bestDistance) {
            best = &other;
            bestDistance = distance;
        }
    }
    return best;
}

// A bass line's approach and blue notes (a chromatic note a tone or less from the chord tone
// the line plays next) keep their distance to it; the others follow the table.
int32_t bassSourceKey(const ArpeggioStyle& pattern, const ArpeggioNote& note, ChordType chord) {
    const ArpeggioNote* target = isChromatic(note.key) ? nextChordTone(pattern, note) : nullptr;
    if (target == nullptr || std::abs(int64_t(target->key) - note.key) > 2) return mappedSourceKey(note.key, chord);
    return mappedSourceKey(target->key, chord) - (target->key - note.key);
}

// Moves `midi` by whole octaves into the register (in one step, however far a hand-edited key
// lies); a register narrower than an octave is left out.
int64_t foldInto(int64_t midi, const PartRegister& range) {
    if (range.high - range.low < 11) return midi;
    if (midi < range.low) midi += (range.low - midi + 11) / 12 * 12;
    if (midi > range.high) midi -= (midi - range.high + 11) / 12 * 12;
    return midi;
}

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
    std::bitset<128> voiced;  // MIDI notes a part with a kind starts at this step
    for (const ArpeggioNote& note : pattern.notes) {
        if (note.pos != s) continue;
        // A pattern note always ends: one without a length (0 or less, or not a number) lasts
        // until the next step rather than being held like a pressed key.
        const double steps = note.len > 0.0 ? note.len * lengthFactor : 1.0;
        int32_t key = mappedPatternKey(note.key, playing.type);
        if (slashBass != noRoot && isRootNote(key)) key += slashShift(slashBass, root);
        if (onRootOnly) {
            instrument->playTimed(soundingKey(key, root), playedAt(note.vel), steps);
            continue;
        }
        if (kind != PartKind::unset) {
            playVoiced(pattern, note, playing, steps, voiced);
            continue;
        }
        for (int32_t held : heldKeys) instrument->playTimed(soundingKey(key, held), playedAt(note.vel), steps);
    }
}

void Arpeggio::rest() {
    if (mode != partSustained || instrument == nullptr || !active) return;
    MidiOut::setSustain(false, instrument->channel);
}

int32_t Arpeggio::shiftTo(int32_t root) {
    const int32_t rootClass = pitchClassOf(int64_t(root) - writtenRoot);
    if (!voiced) {
        voicingShift = rootClass > 5 ? rootClass - 12 : rootClass;  // nearest the written voicing
        voiced = true;
    } else {
        const int32_t up = pitchClassOf(int64_t(rootClass) - voicingShift);
        voicingShift += up > 6 ? up - 12 : up;
        if (voicingShift > 120 || voicingShift < -120) voicingShift = pitchClassOf(voicingShift);
    }
    return voicingShift;
}

PartRegister Arpeggio::effectiveRange() const {
    if (range.high - range.low >= 11) return range;
    if (kind == PartKind::bass) return bassRange;
    if (kind == PartKind::chord) return chordRange;
    return {};  // a phrase keeps its written octave
}

void Arpeggio::playVoiced(const ArpeggioStyle& pattern, const ArpeggioNote& note, const Chord& playing, double steps,
                          std::bitset<128>& sounding) {
    int32_t key = kind == PartKind::bass ? bassSourceKey(pattern, note, playing.type) : mappedSourceKey(note.key, playing.type);
    if (slashBass != noRoot && isRootNote(key)) key += slashShift(slashBass, playing.rootKey);
    const int64_t offset = instrument->keyOffset();
    const int64_t written = int64_t(key) - referenceKey + writtenRoot + offset;
    const int64_t midi = foldInto(written + shiftTo(playing.rootKey), effectiveRange());
    if (midi >= 0 && midi < 128) {
        if (sounding.test(size_t(midi))) return;
        sounding.set(size_t(midi));
    }
    instrument->playTimed(int(std::clamp<int64_t>(midi - offset, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max())),
                          playedAt(note.vel), steps);
}

int Arpeggio::playedAt(int written) const {
    if (playedVelocity == 100 || written <= 0) return written;
    return std::clamp(int((int64_t(written) * playedVelocity + 50) / 100), 1, 127);
}

void Arpeggio::reset() {
    active = false;
    arpIdx = 0;
    hold = false;
    mode = partOn;
    heldKeys.clear();
    chord = ChordType::major;
    slashBass = noRoot;
    playedVelocity = 100;
    forgetRoot();
}

void Arpeggio::exchange() {
    exchangeBool("active", active);
    exchangeInt("arpIdx", arpIdx);
    exchangeBool("hold", hold);
}

}  // namespace brio
