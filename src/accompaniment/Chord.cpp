#include "accompaniment/Chord.h"

#include <array>
#include <limits>

namespace brio {

namespace {

// Pitch class of a key or interval of an offset: 0..11 for negative values too.
constexpr int32_t pitchClass(int32_t key) {
    const int32_t rest = key % 12;
    return rest < 0 ? rest + 12 : rest;
}

// `base + delta` where `base` is a key and `delta` is under an octave either way. Near the ends
// of the int32 range the sum moves one octave inward, keeping its pitch class, instead of
// overflowing.
int32_t shiftKey(int32_t base, int32_t delta) {
    const int64_t key = int64_t(base) + delta;
    if (key > std::numeric_limits<int32_t>::max()) return int32_t(key - 12);
    if (key < std::numeric_limits<int32_t>::min()) return int32_t(key + 12);
    return int32_t(key);
}

constexpr uint16_t bit(int interval) {
    return uint16_t(1u << interval);
}

// What each chord type holds and what a C major pattern becomes on it. `mask` has bit i set
// for the pitch class i semitones above the root. A pattern's third, fifth and sevenths
// (intervals 4, 7 and 10/11 above its reference key) become `third`, `fifth` and `seventh`;
// a `seventh` of -1 keeps the pattern's own sevenths.
struct TypeInfo {
    uint16_t mask;
    int8_t third, fifth, seventh;
    const char* suffix;
};

constexpr std::array<TypeInfo, chordTypeCount> types{{
    {bit(0) | bit(4) | bit(7), 4, 7, -1, ""},                      // major
    {bit(0) | bit(3) | bit(7), 3, 7, 10, "m"},                     // minor
    {bit(0) | bit(4) | bit(7) | bit(10), 4, 7, 10, "7"},           // seventh
    {bit(0) | bit(4) | bit(7) | bit(11), 4, 7, 11, "maj7"},        // major7
    {bit(0) | bit(3) | bit(7) | bit(10), 3, 7, 10, "m7"},          // minor7
    {bit(0) | bit(3) | bit(7) | bit(11), 3, 7, 11, "m(maj7)"},     // minorMajor7
    {bit(0) | bit(4) | bit(7) | bit(9), 4, 7, 9, "6"},             // sixth
    {bit(0) | bit(3) | bit(7) | bit(9), 3, 7, 9, "m6"},            // minor6
    {bit(0) | bit(3) | bit(6), 3, 6, 10, "dim"},                   // diminished
    {bit(0) | bit(3) | bit(6) | bit(9), 3, 6, 9, "dim7"},          // diminished7
    {bit(0) | bit(3) | bit(6) | bit(10), 3, 6, 10, "m7b5"},        // halfDiminished
    {bit(0) | bit(4) | bit(8), 4, 8, 10, "aug"},                   // augmented
    {bit(0) | bit(5) | bit(7), 5, 7, 10, "sus4"},                  // sus4
    {bit(0) | bit(2) | bit(7), 2, 7, 10, "sus2"},                  // sus2
    {bit(0) | bit(5) | bit(7) | bit(10), 5, 7, 10, "7sus4"},       // seventhSus4
    {bit(0) | bit(2) | bit(4) | bit(7), 4, 7, -1, "add9"},         // add9
    {bit(0) | bit(2) | bit(4) | bit(7) | bit(10), 4, 7, 10, "9"},  // ninth
    {bit(0) | bit(7), 0, 7, 10, "5"},                              // power
}};

// A value outside the enumeration reads as major: no suffix, every offset kept.
const TypeInfo& typeInfo(ChordType type) {
    return types[size_t(type) < types.size() ? size_t(type) : 0];
}

constexpr int8_t noChord = -1;

// The chord type whose mask is exactly the index, or noChord: one look-up per candidate root
// instead of a comparison with every type. The masks are all different, so no type shadows
// another.
constexpr std::array<int8_t, 4096> typeByMask = [] {
    std::array<int8_t, 4096> table{};
    table.fill(noChord);
    for (int type = 0; type < chordTypeCount; ++type)
        table[types[size_t(type)].mask] = int8_t(type);
    return table;
}();

// The pitch classes of `mask` seen from `root`: bit i of the result is pitch class root + i.
constexpr unsigned rotateToRoot(unsigned mask, int root) {
    return ((mask >> root) | (mask << (12 - root))) & 0xFFFu;
}

constexpr std::array<const char*, 12> rootNames{"C",  "C#", "D",  "Eb", "E",  "F",
                                                "F#", "G",  "G#", "A",  "Bb", "B"};

}  // namespace

Chord recognizeChord(const int32_t* keys, int count) {
    if (keys == nullptr || count <= 0) return Chord{};
    unsigned mask = 0;
    int32_t lowest = keys[0];
    for (int i = 0; i < count; ++i) {
        mask |= 1u << pitchClass(keys[i]);
        if (keys[i] < lowest) lowest = keys[i];
    }
    const int lowestClass = pitchClass(lowest);
    // Roots are tried upward in pitch from the lowest key's, so that of readings of the same
    // keys (C E G A as C6 or Am7, C D G as Csus2 or Gsus4) the one on the bass note wins.
    for (int step = 0; step < 12; ++step) {
        const int root = (lowestClass + step) % 12;
        if ((mask & (1u << root)) == 0) continue;
        const int8_t type = typeByMask[rotateToRoot(mask, root)];
        if (type != noChord) return Chord{shiftKey(lowest, root - lowestClass), ChordType(type)};
    }
    return Chord{lowest, ChordType::major};
}

int32_t mapPatternOffset(int32_t offset, ChordType type) {
    const TypeInfo& info = typeInfo(type);
    const int32_t interval = pitchClass(offset);
    int32_t mapped = interval;
    if (interval == 4) {
        mapped = info.third;
    } else if (interval == 7) {
        mapped = info.fifth;
    } else if ((interval == 10 || interval == 11) && info.seventh >= 0) {
        mapped = info.seventh;
    }
    return shiftKey(offset, mapped - interval);
}

std::string chordName(int32_t rootKey, ChordType type) {
    return std::string(rootNames[size_t(pitchClass(rootKey))]) + chordSuffix(type);
}

const char* chordSuffix(ChordType type) {
    return typeInfo(type).suffix;
}

}  // namespace brio
