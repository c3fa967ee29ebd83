#include "accompaniment/Chord.h"

#include <algorithm>
#include <array>
#include <initializer_list>
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

constexpr uint16_t bits(std::initializer_list<int> intervals) {
    uint16_t mask = 0;
    for (int interval : intervals) mask = uint16_t(mask | bit(interval));
    return mask;
}

// What each chord type holds and where a pattern's notes go on it. `mask` has bit i set for the
// pitch class i semitones above the root; `omittable` the tones a player may leave out.
// The C major mapping moves a pattern's third, fifth and sevenths (4, 7 and 10/11 above its
// reference key) to `third`, `fifth` and `oldSeventh` (-1 keeps the pattern's own sevenths).
// The C major seventh mapping also moves the source's B to `seventh` (12: the root above), its
// Bb to `flatSeventh`, its A to `sixth` and its D to `ninth`.
struct TypeInfo {
    uint16_t mask, omittable;
    int8_t third, fifth, oldSeventh, seventh, flatSeventh, sixth, ninth;
    const char* suffix;
};

constexpr int8_t none = -1, rootAbove = 12;

constexpr std::array<TypeInfo, chordTypeCount> types{{
    {bits({0, 4, 7}), bit(7), 4, 7, none, rootAbove, 10, 9, 2, ""},                // major
    {bits({0, 3, 7}), bit(7), 3, 7, 10, rootAbove, 10, 9, 2, "m"},                 // minor
    {bits({0, 4, 7, 10}), bit(7), 4, 7, 10, 10, 10, 9, 2, "7"},                    // seventh
    {bits({0, 4, 7, 11}), bit(7), 4, 7, 11, 11, 11, 9, 2, "maj7"},                 // major7
    {bits({0, 3, 7, 10}), bit(7), 3, 7, 10, 10, 10, 9, 2, "m7"},                   // minor7
    {bits({0, 3, 7, 11}), bit(7), 3, 7, 11, 11, 11, 9, 2, "m(maj7)"},              // minorMajor7
    {bits({0, 4, 7, 9}), 0, 4, 7, 9, 9, 9, 9, 2, "6"},                             // sixth
    {bits({0, 3, 7, 9}), 0, 3, 7, 9, 9, 9, 9, 2, "m6"},                            // minor6
    {bits({0, 3, 6}), 0, 3, 6, 10, rootAbove, 10, 6, 0, "dim"},                    // diminished
    {bits({0, 3, 6, 9}), 0, 3, 6, 9, 9, 9, 9, 0, "dim7"},                          // diminished7
    {bits({0, 3, 6, 10}), 0, 3, 6, 10, 10, 10, 6, 0, "m7b5"},                      // halfDiminished
    {bits({0, 4, 8}), 0, 4, 8, 10, rootAbove, 10, 8, 2, "aug"},                    // augmented
    {bits({0, 5, 7}), 0, 5, 7, 10, rootAbove, 10, 9, 2, "sus4"},                   // sus4
    {bits({0, 2, 7}), 0, 2, 7, 10, rootAbove, 10, 9, 2, "sus2"},                   // sus2
    {bits({0, 5, 7, 10}), 0, 5, 7, 10, 10, 10, 9, 2, "7sus4"},                     // seventhSus4
    {bits({0, 2, 4, 7}), 0, 4, 7, none, rootAbove, 10, 9, 2, "add9"},              // add9
    {bits({0, 2, 4, 7, 10}), bit(7), 4, 7, 10, 10, 10, 9, 2, "9"},                 // ninth
    {bits({0, 7}), 0, 0, 7, 10, rootAbove, 10, 9, 2, "5"},                         // power
    {bits({0, 4, 8, 10}), 0, 4, 8, 10, 10, 10, 8, 2, "7#5"},                       // seventhSharp5
    {bits({0, 4, 6, 10}), 0, 4, 6, 10, 10, 10, 9, 2, "7b5"},                       // seventhFlat5
    {bits({0, 2, 3, 7}), 0, 3, 7, 10, rootAbove, 10, 9, 2, "m(add9)"},             // minorAdd9
    {bits({0, 2, 3, 7, 10}), bit(7), 3, 7, 10, 10, 10, 9, 2, "m9"},                // minor9
    {bits({0, 2, 4, 7, 11}), bit(7), 4, 7, 11, 11, 11, 9, 2, "maj9"},              // major9
    {bits({0, 2, 4, 7, 9}), bit(7), 4, 7, 9, 9, 9, 9, 2, "6/9"},                   // sixNine
    {bits({0, 1, 4, 7, 10}), bit(7), 4, 7, 10, 10, 10, 9, 1, "7b9"},               // seventhFlat9
    {bits({0, 3, 4, 7, 10}), bit(7), 4, 7, 10, 10, 10, 9, 3, "7#9"},               // seventhSharp9
    {bits({0, 2, 4, 5, 7, 10}), bits({4, 7}), 5, 7, 10, 10, 10, 9, 2, "11"},    // eleventh
    {bits({0, 2, 3, 5, 7, 10}), bits({2, 7}), 3, 7, 10, 10, 10, 9, 2, "m11"},      // minor11
    {bits({0, 2, 4, 7, 9, 10}), bits({2, 7}), 4, 7, 10, 10, 10, 9, 2, "13"},       // thirteenth
}};

// A value outside the enumeration reads as major: no suffix, every offset kept.
const TypeInfo& typeInfo(ChordType type) {
    return types[size_t(type) < types.size() ? size_t(type) : 0];
}

constexpr int8_t noChord = -1;

// The chord type whose tones are exactly the index, or noChord: one look-up per candidate root
// instead of a comparison with every type. Whole chords come first, every type's; the forms a
// player leaves incomplete take only the masks no whole chord has.
constexpr std::array<int8_t, 4096> typeByMask = [] {
    std::array<int8_t, 4096> table{};
    table.fill(noChord);
    for (int type = 0; type < chordTypeCount; ++type) {
        if (table[types[size_t(type)].mask] != noChord) throw "two chord types share their tones";
        table[types[size_t(type)].mask] = int8_t(type);
    }
    for (int type = 0; type < chordTypeCount; ++type) {
        const TypeInfo& info = types[size_t(type)];
        for (unsigned left = info.omittable; left != 0; left = (left - 1) & info.omittable) {
            int8_t& slot = table[info.mask & ~left];
            if (slot == noChord) slot = int8_t(type);
        }
    }
    return table;
}();

// Where each pitch class of the C major seventh source goes, per chord type.
constexpr std::array<std::array<int8_t, 12>, chordTypeCount> sourceDegrees = [] {
    std::array<std::array<int8_t, 12>, chordTypeCount> table{};
    for (size_t type = 0; type < types.size(); ++type) {
        const TypeInfo& info = types[type];
        table[type] = {0, 1, info.ninth, 3, info.third, 5, 6, info.fifth, 8, info.sixth,
                       info.flatSeventh, info.seventh};
    }
    return table;
}();

// The pitch classes of `mask` seen from `root`: bit i of the result is pitch class root + i.
constexpr unsigned rotateToRoot(unsigned mask, int root) {
    return ((mask >> root) | (mask << (12 - root))) & 0xFFFu;
}

constexpr bool isBlackKey(int32_t key) {
    return bit(pitchClass(key)) & bits({1, 3, 6, 8, 10});
}

constexpr std::array<const char*, 12> rootNames{"C",  "C#", "D",  "Eb", "E",  "F",
                                                "F#", "G",  "G#", "A",  "Bb", "B"};

}  // namespace

std::optional<Chord> readChord(const int32_t* keys, int count) {
    if (keys == nullptr || count <= 0) return std::nullopt;
    unsigned mask = 0;
    int32_t lowest = keys[0];
    for (int i = 0; i < count; ++i) {
        mask |= 1u << pitchClass(keys[i]);
        if (keys[i] < lowest) lowest = keys[i];
    }
    const int lowestClass = pitchClass(lowest);
    if (mask == (1u << lowestClass)) {
        const bool octaves = std::any_of(keys, keys + count, [&](int32_t key) { return key != lowest; });
        return Chord{lowest, octaves ? ChordType::power : ChordType::major};
    }
    // Roots are tried upward in pitch from the lowest key's, so that of readings of the same
    // keys (C E G A as C6 or Am7, C D G as Csus2 or Gsus4) the one on the bass note wins.
    for (int step = 0; step < 12; ++step) {
        const int root = (lowestClass + step) % 12;
        if ((mask & (1u << root)) == 0) continue;
        const int8_t type = typeByMask[rotateToRoot(mask, root)];
        if (type != noChord) return Chord{shiftKey(lowest, root - lowestClass), ChordType(type)};
    }
    return std::nullopt;
}

Chord recognizeChord(const int32_t* keys, int count) {
    if (keys == nullptr || count <= 0) return Chord{};
    return readChord(keys, count).value_or(Chord{*std::min_element(keys, keys + count), ChordType::major});
}

Chord singleFingerChord(const int32_t* keys, int count) {
    if (keys == nullptr || count <= 0) return Chord{};
    const int32_t root = *std::max_element(keys, keys + count);
    bool black = false, white = false;
    for (int i = 0; i < count; ++i) {
        if (keys[i] == root) continue;
        (isBlackKey(keys[i]) ? black : white) = true;
    }
    const ChordType type = black && white ? ChordType::minor7
                           : black        ? ChordType::minor
                           : white        ? ChordType::seventh
                                          : ChordType::major;
    return Chord{root, type};
}

int32_t mapPatternOffset(int32_t offset, ChordType type) {
    const TypeInfo& info = typeInfo(type);
    const int32_t interval = pitchClass(offset);
    int32_t mapped = interval;
    if (interval == 4) {
        mapped = info.third;
    } else if (interval == 7) {
        mapped = info.fifth;
    } else if ((interval == 10 || interval == 11) && info.oldSeventh >= 0) {
        mapped = info.oldSeventh;
    }
    return shiftKey(offset, mapped - interval);
}

int32_t mapSourceOffset(int32_t offset, ChordType type) {
    const size_t row = size_t(type) < sourceDegrees.size() ? size_t(type) : 0;
    const int32_t interval = pitchClass(offset);
    return shiftKey(offset, sourceDegrees[row][size_t(interval)] - interval);
}

std::string chordName(int32_t rootKey, ChordType type) {
    return std::string(rootNames[size_t(pitchClass(rootKey))]) + chordSuffix(type);
}

const char* chordSuffix(ChordType type) {
    return typeInfo(type).suffix;
}

}  // namespace brio
