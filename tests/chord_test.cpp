#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <set>
#include <vector>

#include "accompaniment/Chord.h"

namespace brio {
namespace {

// The intervals above the root of each chord type, in the enumeration's order.
const std::vector<std::vector<int>> chordIntervals = {
    {0, 4, 7},    {0, 3, 7},    {0, 4, 7, 10}, {0, 4, 7, 11}, {0, 3, 7, 10},    {0, 3, 7, 11},
    {0, 4, 7, 9}, {0, 3, 7, 9}, {0, 3, 6},     {0, 3, 6, 9},  {0, 3, 6, 10},    {0, 4, 8},
    {0, 5, 7},    {0, 2, 7},    {0, 5, 7, 10}, {0, 2, 4, 7},  {0, 2, 4, 7, 10}, {0, 7},
    {0, 4, 8, 10}, {0, 4, 6, 10}, {0, 2, 3, 7}, {0, 2, 3, 7, 10}, {0, 2, 4, 7, 11}, {0, 2, 4, 7, 9},
    {0, 1, 4, 7, 10}, {0, 3, 4, 7, 10}, {0, 2, 4, 5, 7, 10}, {0, 2, 3, 5, 7, 10}, {0, 2, 4, 7, 9, 10},
};

// The chords as players leave them incomplete: sevenths and ninths without the fifth, dyads of
// root and third, elevenths and thirteenths thinned.
const std::vector<std::pair<ChordType, std::vector<int>>> incompleteChords = {
    {ChordType::major, {0, 4}},           {ChordType::minor, {0, 3}},
    {ChordType::seventh, {0, 4, 10}},     {ChordType::major7, {0, 4, 11}},
    {ChordType::minor7, {0, 3, 10}},      {ChordType::minorMajor7, {0, 3, 11}},
    {ChordType::ninth, {0, 2, 4, 10}},    {ChordType::minor9, {0, 2, 3, 10}},
    {ChordType::major9, {0, 2, 4, 11}},   {ChordType::sixNine, {0, 2, 4, 9}},
    {ChordType::seventhFlat9, {0, 1, 4, 10}}, {ChordType::seventhSharp9, {0, 3, 4, 10}},
    {ChordType::eleventh, {0, 2, 5, 7, 10}},  {ChordType::eleventh, {0, 2, 4, 5, 10}},
    {ChordType::eleventh, {0, 2, 5, 10}},
    {ChordType::minor11, {0, 3, 5, 7, 10}},   {ChordType::minor11, {0, 2, 3, 5, 10}},
    {ChordType::minor11, {0, 3, 5, 10}},      {ChordType::thirteenth, {0, 4, 7, 9, 10}},
    {ChordType::thirteenth, {0, 2, 4, 9, 10}}, {ChordType::thirteenth, {0, 4, 9, 10}},
};

int32_t mod12(int64_t value) {
    return int32_t((value % 12 + 12) % 12);
}

Chord recognize(const std::vector<int32_t>& keys) {
    return recognizeChord(keys.data(), int(keys.size()));
}

// What the held keys should read as, from sets of pitch classes: of all (root, type) whose tones
// are exactly the held pitch classes, the first root going upward from the lowest key's pitch
// class, then the first whole chord, then the first incomplete one; one pitch class is the
// power chord (a major root when it is one key); none gives the lowest key as a major root.
Chord expectedReading(const std::vector<int32_t>& keys) {
    const int32_t lowest = *std::min_element(keys.begin(), keys.end());
    std::set<int> held;
    for (int32_t key : keys) held.insert(mod12(key));
    if (held.size() == 1) {
        const bool one = std::all_of(keys.begin(), keys.end(), [&](int32_t k) { return k == lowest; });
        return Chord{lowest, one ? ChordType::major : ChordType::power};
    }
    const auto fits = [&](int step, const std::vector<int>& intervals) {
        std::set<int> tones;
        for (int interval : intervals) tones.insert(mod12(lowest + step + interval));
        return tones == held;
    };
    for (int step = 0; step < 12; ++step) {
        const Chord on{lowest - mod12(lowest) + mod12(lowest + step), ChordType::major};
        for (int type = 0; type < chordTypeCount; ++type) {
            if (fits(step, chordIntervals[size_t(type)])) return Chord{on.rootKey, ChordType(type)};
        }
        for (const auto& [type, intervals] : incompleteChords) {
            if (fits(step, intervals)) return Chord{on.rootKey, type};
        }
    }
    return Chord{lowest, ChordType::major};
}

// Every type on every root in every inversion: closed and spread over two octaves, with and
// without the root doubled an octave up, in octaves down to negative keys, in three key orders.
TEST(ChordRecognition, EveryTypeRootAndInversion) {
    std::set<int> ambiguousTypes;
    for (int type = 0; type < chordTypeCount; ++type) {
        const std::vector<int>& intervals = chordIntervals[size_t(type)];
        const int tones = int(intervals.size());
        for (int root = 0; root < 12; ++root) {
            for (int inversion = 0; inversion < tones; ++inversion) {
                for (int variant = 0; variant < 12; ++variant) {
                    const int32_t octave = std::array{-36, 0, 60}[size_t(variant / 4)];
                    const bool spread = variant & 1, doubledRoot = variant & 2;
                    const int32_t lowest = octave + mod12(root + intervals[size_t(inversion)]);
                    std::vector<int32_t> keys{lowest};
                    for (int j = 1; j < tones; ++j) {
                        const int interval = intervals[size_t((inversion + j) % tones)];
                        keys.push_back(lowest + mod12(root + interval - lowest) +
                                       (spread && j % 2 ? 12 : 0));
                    }
                    if (doubledRoot) keys.push_back(lowest + mod12(root - lowest) + 12);
                    SCOPED_TRACE(testing::Message()
                                 << "type " << type << " root " << root << " inversion "
                                 << inversion << " variant " << variant);

                    const Chord got = recognize(keys);
                    EXPECT_EQ(got, expectedReading(keys));
                    const Chord intended{lowest - mod12(lowest) + root, ChordType(type)};
                    // In root position nothing comes before the intended reading.
                    if (inversion == 0) {
                        EXPECT_EQ(got, intended);
                    }
                    if (got != intended) ambiguousTypes.insert(type);
                    // Symmetric chords read on their lowest key whatever was meant.
                    if (ChordType(type) == ChordType::diminished7 ||
                        ChordType(type) == ChordType::augmented) {
                        EXPECT_EQ(got, (Chord{lowest, ChordType(type)}));
                    }
                    std::reverse(keys.begin(), keys.end());
                    EXPECT_EQ(recognize(keys), got);
                    std::rotate(keys.begin(), keys.begin() + 1, keys.end());
                    EXPECT_EQ(recognize(keys), got);
                }
            }
        }
    }
    // Only the pairs that share their pitch classes (6 and m7, m6 and m7b5, sus2 and sus4; 7sus4,
    // add9 and 6/9 in an inversion whose lowest key roots a thinned eleventh or another sixth
    // chord) and the symmetric chords (dim7, aug, 7b5) are ever read otherwise than meant.
    using T = ChordType;
    const std::set<int> expectedAmbiguous{
        int(T::minor7),         int(T::sixth),     int(T::minor6), int(T::diminished7),
        int(T::halfDiminished), int(T::augmented), int(T::sus4),   int(T::sus2),
        int(T::seventhSus4),    int(T::add9),      int(T::seventhFlat5), int(T::sixNine)};
    EXPECT_EQ(ambiguousTypes, expectedAmbiguous);
}

TEST(ChordRecognition, NamedReadingsClustersAndSingleKeys) {
    using T = ChordType;
    constexpr int32_t min = std::numeric_limits<int32_t>::min();
    constexpr int32_t max = std::numeric_limits<int32_t>::max();
    const struct {
        std::vector<int32_t> keys;
        Chord expected;
    } cases[] = {
        {{48, 52, 55, 57}, {48, T::sixth}},   // C E G A on C: C6
        {{57, 60, 64, 67}, {57, T::minor7}},  // the same on A: Am7
        {{48, 50, 55}, {48, T::sus2}},        // Csus2
        {{55, 60, 62}, {55, T::sus4}},        // the same on G: Gsus4
        {{50, 55, 60}, {55, T::sus4}},        // on D: no reading has root D, G comes before C
        {{52, 55, 60}, {48, T::major}},       // E G C: the C just below the E
        {{-10, -5, -1}, {-5, T::major}},      // D G B below key 0
        {{48, 49, 50}, {48, T::major}},       // cluster: the lowest key
        {{50, 49, 48}, {48, T::major}},
        {{54, 48, 52}, {48, T::major}},  // C E F#: no chord
        {{61}, {61, T::major}},
        {{-5}, {-5, T::major}},
        {{72, 60, 84}, {60, T::power}},  // one pitch class in three octaves: root and fifth
        {{max}, {max, T::major}},
        {{min, min + 3, min + 8}, {min + 8, T::major}},  // E G C: the C below cannot be held
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "first key " << c.keys.front());
        EXPECT_EQ(recognize(c.keys), c.expected);
    }
}

// mapped[type][interval]: where each interval above a C major pattern's reference key goes.
constexpr std::array<std::array<int, 12>, chordTypeCount> mapped{{
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},  // major
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10},  // minor
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // seventh
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 11},  // major7
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10},  // minor7
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 11, 11},  // minorMajor7
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9},    // sixth
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 9, 9},    // minor6
    {0, 1, 2, 3, 3, 5, 6, 6, 8, 9, 10, 10},  // diminished
    {0, 1, 2, 3, 3, 5, 6, 6, 8, 9, 9, 9},    // diminished7
    {0, 1, 2, 3, 3, 5, 6, 6, 8, 9, 10, 10},  // halfDiminished
    {0, 1, 2, 3, 4, 5, 6, 8, 8, 9, 10, 10},  // augmented
    {0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 10},  // sus4
    {0, 1, 2, 3, 2, 5, 6, 7, 8, 9, 10, 10},  // sus2
    {0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 10},  // seventhSus4
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},  // add9
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // ninth
    {0, 1, 2, 3, 0, 5, 6, 7, 8, 9, 10, 10},  // power
    {0, 1, 2, 3, 4, 5, 6, 8, 8, 9, 10, 10},  // seventhSharp5
    {0, 1, 2, 3, 4, 5, 6, 6, 8, 9, 10, 10},  // seventhFlat5
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10},  // minorAdd9
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10},  // minor9
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 11},  // major9
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9},    // sixNine
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // seventhFlat9
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // seventhSharp9
    {0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 10},  // eleventh
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10},  // minor11
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // thirteenth
}};

TEST(ChordPatternMapping, IntervalTableOctavesAndRange) {
    constexpr int32_t min = std::numeric_limits<int32_t>::min();
    constexpr int32_t max = std::numeric_limits<int32_t>::max();
    for (int type = 0; type < chordTypeCount; ++type) {
        const ChordType t = ChordType(type);
        const std::array<int, 12>& row = mapped[size_t(type)];
        SCOPED_TRACE(testing::Message() << "type " << type);
        for (int32_t offset = -24; offset <= 36; ++offset) {
            EXPECT_EQ(mapPatternOffset(offset, t),
                      offset - mod12(offset) + row[size_t(mod12(offset))])
                << "offset " << offset;
        }
        // At the ends of the int32 range the pitch class is kept within an octave, never
        // overflowing.
        for (int32_t k = 0; k < 12; ++k) {
            for (int32_t offset : {max - k, min + k}) {
                const int32_t result = mapPatternOffset(offset, t);
                EXPECT_EQ(mod12(result), row[size_t(mod12(offset))]) << "offset " << offset;
                EXPECT_LT(std::abs(int64_t(result) - offset), 12) << "offset " << offset;
            }
        }
    }
    for (int32_t offset : {-1000, -13, 1000, 123457, max, min}) {
        EXPECT_EQ(mapPatternOffset(offset, ChordType::major), offset);
        EXPECT_EQ(mapPatternOffset(offset, ChordType::add9), offset);
    }
}

// source[type][pitch class]: where each note of a pattern written over C major seventh goes.
constexpr std::array<std::array<int, 12>, chordTypeCount> source{{
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12},  // major: B to the root above
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 12},  // minor
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // seventh
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 11},  // major7
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10},  // minor7
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 11, 11},  // minorMajor7
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9},    // sixth: B to the sixth
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 9, 9},    // minor6
    {0, 1, 0, 3, 3, 5, 6, 6, 8, 6, 10, 12},  // diminished: D to the root, A to the fifth
    {0, 1, 0, 3, 3, 5, 6, 6, 8, 9, 9, 9},    // diminished7
    {0, 1, 0, 3, 3, 5, 6, 6, 8, 6, 10, 10},  // halfDiminished
    {0, 1, 2, 3, 4, 5, 6, 8, 8, 8, 10, 12},  // augmented: A to the fifth
    {0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 12},  // sus4
    {0, 1, 2, 3, 2, 5, 6, 7, 8, 9, 10, 12},  // sus2
    {0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 10},  // seventhSus4
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12},  // add9
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // ninth
    {0, 1, 2, 3, 0, 5, 6, 7, 8, 9, 10, 12},  // power
    {0, 1, 2, 3, 4, 5, 6, 8, 8, 8, 10, 10},  // seventhSharp5
    {0, 1, 2, 3, 4, 5, 6, 6, 8, 9, 10, 10},  // seventhFlat5
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 12},  // minorAdd9
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10},  // minor9
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 11},  // major9
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9},    // sixNine
    {0, 1, 1, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // seventhFlat9: D to the flat ninth
    {0, 1, 3, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // seventhSharp9
    {0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 10},  // eleventh: the third gives way to the eleventh
    {0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10},  // minor11
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10},  // thirteenth
}};

TEST(ChordPatternMapping, EveryDegreeOfTheMajorSeventhSource) {
    for (int type = 0; type < chordTypeCount; ++type) {
        for (int32_t offset = -24; offset <= 36; ++offset) {
            EXPECT_EQ(mapSourceOffset(offset, ChordType(type)), offset - mod12(offset) + source[size_t(type)][size_t(mod12(offset))])
                << "type " << type << " offset " << offset;
        }
    }
}

TEST(ChordRecognition, SingleFingerReadsTheHighestKeyAndTheKeysBelowIt) {
    using T = ChordType;
    const struct {
        std::vector<int32_t> keys;
        Chord expected;
    } cases[] = {
        {{48}, {48, T::major}},        {{46, 48}, {48, T::minor}},      {{47, 48}, {48, T::seventh}},
        {{36, 48}, {48, T::seventh}},  {{46, 45, 48}, {48, T::minor7}}, {{49, 44}, {49, T::minor}},
    };
    for (const auto& c : cases) EXPECT_EQ(singleFingerChord(c.keys.data(), int(c.keys.size())), c.expected) << c.keys.front();
}

TEST(ChordNames, EveryRootAndSuffix) {
    const char* roots[12] = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb", "B"};
    for (int root = 0; root < 12; ++root) {
        EXPECT_EQ(chordName(60 + root, ChordType::major), roots[root]);
        EXPECT_EQ(chordName(root - 24, ChordType::major), roots[root]);
    }
    const char* suffixes[chordTypeCount] = {"",     "m",    "7",     "maj7", "m7",   "m(maj7)",
                                            "6",    "m6",   "dim",   "dim7", "m7b5", "aug",
                                            "sus4", "sus2", "7sus4", "add9", "9",    "5",
                                            "7#5",  "7b5",  "m(add9)", "m9", "maj9", "6/9",
                                            "7b9",  "7#9",  "11",    "m11",  "13"};
    for (int type = 0; type < chordTypeCount; ++type) {
        EXPECT_STREQ(chordSuffix(ChordType(type)), suffixes[type]);
        EXPECT_EQ(chordName(66, ChordType(type)), std::string("F#") + suffixes[type]);
    }
}

}  // namespace
}  // namespace brio
