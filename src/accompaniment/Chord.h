#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brio {

// The chords fingered chord recognition knows, in the order ties between equal readings of the
// same root are settled.
enum class ChordType : uint8_t {
    major, minor, seventh, major7, minor7, minorMajor7, sixth, minor6, diminished, diminished7,
    halfDiminished, augmented, sus4, sus2, seventhSus4, add9, ninth, power,
    seventhSharp5, seventhFlat5, minorAdd9, minor9, major9, sixNine, seventhFlat9, seventhSharp9,
    eleventh, minor11, thirteenth,
};
inline constexpr int chordTypeCount = int(ChordType::thirteenth) + 1;

// A chord read from held keys: its root as a piano key (in the octave of the lowest held key,
// piano key 0 being a C) and its type.
struct Chord {
    int32_t rootKey = 0;
    ChordType type = ChordType::major;
    bool operator==(const Chord&) const = default;
};

// Reads the chord of the held piano keys (any order, repeats and octaves allowed): the pitch
// classes must match one chord type, in any inversion, whole or as a player leaves it
// incomplete (a seventh or ninth chord without its fifth, an eleventh or thirteenth without its
// ninth, an eleventh without its third); root and third alone read as major or minor, and one
// pitch class in several octaves as the power chord. Where several roots fit, the lowest key's
// wins, else the first fitting root upward from the lowest key. A single key reads as major;
// keys that match nothing give no chord.
std::optional<Chord> readChord(const int32_t* keys, int count);
// readChord, with the lowest key as a major root where it gives no chord (count > 0).
Chord recognizeChord(const int32_t* keys, int count);
// The one-finger reading of the held keys: the highest is a major root, made minor by a black
// key below it, a seventh by a white key below it, and a minor seventh by both (count > 0).
Chord singleFingerChord(const int32_t* keys, int count);

// A pattern written for C major mapped onto `type`: `offset` is the pattern key's distance from
// the pattern's reference key; its interval within the octave is replaced as the chord's third,
// fifth and seventh require, the octave kept. A major chord maps every offset to itself.
int32_t mapPatternOffset(int32_t offset, ChordType type);
// A pattern written over C major seventh (C E G B, with D, F and A as tensions) mapped onto
// `type`, every degree: the seventh becomes the chord's seventh, or its root (its sixth in a
// sixth chord) where it has none; the sixth and ninth follow the chord; the other chromatic
// notes keep their place. The result may leave the octave by a semitone (B to the C above).
int32_t mapSourceOffset(int32_t offset, ChordType type);

// "C", "F#m7", "Bbdim7": the root's name (sharps for C#, F#, G#, flats for Eb, Bb; "C#" and
// "G#" over "Db" and "Ab") followed by the type's suffix.
std::string chordName(int32_t rootKey, ChordType type);
// The suffix alone: "", "m", "7", "maj7", "m7", "m(maj7)", "6", "m6", "dim", "dim7", "m7b5",
// "aug", "sus4", "sus2", "7sus4", "add9", "9", "5", "7#5", "7b5", "m(add9)", "m9", "maj9", "6/9",
// "7b9", "7#9", "11", "m11", "13".
const char* chordSuffix(ChordType type);

}  // namespace brio
