#pragma once

#include <cstdint>
#include <string>

namespace brio {

// The chords fingered chord recognition knows, in the order ties between equal readings of the
// same root are settled.
enum class ChordType : uint8_t {
    major, minor, seventh, major7, minor7, minorMajor7, sixth, minor6, diminished, diminished7,
    halfDiminished, augmented, sus4, sus2, seventhSus4, add9, ninth, power,
};
inline constexpr int chordTypeCount = int(ChordType::power) + 1;

// A chord read from held keys: its root as a piano key (in the octave of the lowest held key,
// piano key 0 being a C) and its type.
struct Chord {
    int32_t rootKey = 0;
    ChordType type = ChordType::major;
    bool operator==(const Chord&) const = default;
};

// Reads the chord of the held piano keys (any order, repeats and octaves allowed; count > 0):
// the pitch classes must match one chord type exactly, in any inversion. Where several roots
// fit, the lowest key's wins, else the first fitting root upward from the lowest key. Keys that
// match no chord give the lowest key as a major root, as does a single key.
Chord recognizeChord(const int32_t* keys, int count);

// A pattern written for C major mapped onto `type`: `offset` is the pattern key's distance from
// the pattern's reference key; its interval within the octave is replaced as the chord's third,
// fifth and seventh require, the octave kept. A major chord maps every offset to itself.
int32_t mapPatternOffset(int32_t offset, ChordType type);

// "C", "F#m7", "Bbdim7": the root's name (sharps for C#, F#, G#, flats for Eb, Bb; "C#" and
// "G#" over "Db" and "Ab") followed by the type's suffix.
std::string chordName(int32_t rootKey, ChordType type);
// The suffix alone: "", "m", "7", "maj7", "m7", "m(maj7)", "6", "m6", "dim", "dim7", "m7b5",
// "aug", "sus4", "sus2", "7sus4", "add9", "9", "5".
const char* chordSuffix(ChordType type);

}  // namespace brio
