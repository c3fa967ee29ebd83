// Costs of the accompaniment's chord handling on every change of the held keys: reading the
// chord, and mapping a pattern's offsets onto it.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "AllocationCounter.h"
#include "accompaniment/Chord.h"

namespace brio {
namespace {

// The chords in turn, so that neither the same root nor the same inversion is read each time.
template <size_t keyCount, size_t chordCount>
void readChords(benchmark::State& state,
                const std::array<std::array<int32_t, keyCount>, chordCount>& chords) {
    const long before = allocationCount;
    size_t next = 0;
    for (auto _ : state) {
        const std::array<int32_t, keyCount>& keys = chords[next];
        next = next + 1 == chordCount ? 0 : next + 1;
        benchmark::DoNotOptimize(keys.data());
        benchmark::DoNotOptimize(recognizeChord(keys.data(), int(keyCount)));
    }
    // Counted before SetItemsProcessed, whose entry in the counters allocates.
    const long allocations = allocationCount - before;
    state.counters["allocations"] = double(allocations) / double(state.iterations());
    state.SetItemsProcessed(state.iterations());
}

// Triads in root position and inversions, Gsus4 over D (found two roots up) and a cluster that
// is no chord (every root tried).
void recognizeThreeKeys(benchmark::State& state) {
    static constexpr std::array<std::array<int32_t, 3>, 6> chords{{
        {48, 52, 55},
        {64, 57, 60},
        {55, 59, 50},
        {50, 55, 60},
        {47, 50, 54},
        {48, 49, 50},
    }};
    readChords(state, chords);
}
BENCHMARK(recognizeThreeKeys);

// Seventh chords in inversions, C6 that is also Am7, and a dim7.
void recognizeFourKeys(benchmark::State& state) {
    static constexpr std::array<std::array<int32_t, 4>, 5> chords{{
        {53, 55, 59, 62},
        {52, 55, 59, 60},
        {48, 52, 55, 57},
        {57, 60, 64, 67},
        {47, 50, 53, 56},
    }};
    readChords(state, chords);
}
BENCHMARK(recognizeFourKeys);

// Ninths, thirteenths and sevenths without their fifth, and a set that names no chord.
void recognizeExtendedChords(benchmark::State& state) {
    static constexpr std::array<std::array<int32_t, 5>, 5> chords{{
        {48, 52, 55, 58, 62},
        {48, 52, 58, 62, 69},
        {51, 58, 60, 63, 70},
        {47, 50, 55, 57, 64},
        {48, 49, 50, 51, 52},
    }};
    readChords(state, chords);
}
BENCHMARK(recognizeExtendedChords);

// A one-bar pattern of 16 offsets across three octaves mapped onto each chord type in turn,
// with the C major mapping or on every degree of the C major seventh source.
template <int32_t (*map)(int32_t, ChordType)>
void mapSixteenOffsets(benchmark::State& state) {
    static constexpr std::array<int32_t, 16> pattern{-12, -5, 0,  4,  7,  10, 11, 12,
                                                     14,  16, 19, 22, 23, 24, -8, 2};
    const long before = allocationCount;
    int type = 0;
    for (auto _ : state) {
        const ChordType chord = ChordType(type);
        type = type + 1 == chordTypeCount ? 0 : type + 1;
        benchmark::DoNotOptimize(chord);
        for (int32_t offset : pattern) benchmark::DoNotOptimize(map(offset, chord));
    }
    const long allocations = allocationCount - before;
    state.counters["allocations"] = double(allocations) / double(state.iterations());
    state.SetItemsProcessed(state.iterations() * int64_t(pattern.size()));
}
BENCHMARK(mapSixteenOffsets<mapPatternOffset>)->Name("mapSixteenOffsets");
BENCHMARK(mapSixteenOffsets<mapSourceOffset>)->Name("mapSixteenSourceOffsets");

}  // namespace
}  // namespace brio
