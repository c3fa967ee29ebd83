// The built-in synthesizer, offline: the cost of sending messages, and its latency figures (the
// audio buffer it asks drivers for, and how soon a note-on shows in the rendered sound).

#include <benchmark/benchmark.h>

#include <cmath>

#include "platform/BuiltInSynth.h"
#include "platform/DeferredSynth.h"

namespace brio {
namespace {

constexpr int block = 64;  // frames per render, the synth's own block size
constexpr uint32_t pianoNoteOn = 0x90 | 60 << 8 | 100 << 16;
constexpr uint32_t pianoNoteOff = 0x90 | 60 << 8;
constexpr uint32_t allSoundOff = 0xB0 | 120 << 8;
constexpr double silenceLevel = 1e-5;  // -100 dBFS: anything above is sound
constexpr double audibleLevel = 1e-3;  // -60 dBFS

BuiltInSynth& offlineSynth() {
    static BuiltInSynth synth(BuiltInSynth::defaultSoundFonts(), {});
    return synth;
}

bool openOffline(benchmark::State& state) {
    if (offlineSynth().openOffline()) return true;
    state.SkipWithError("no GM SoundFont installed");
    return false;
}

void renderBlock() {
    float left[block];
    float right[block];
    offlineSynth().render(left, right, block);
}

struct Onset {
    int sound = 0;    // first frame above silenceLevel
    int audible = 0;  // first frame above audibleLevel
};

// Renders block by block from a note-on until its sound is audible (or `limit` frames).
Onset renderUntilAudible(int limit) {
    float left[block];
    float right[block];
    Onset onset{limit, limit};
    for (int start = 0; start < limit && onset.audible == limit; start += block) {
        offlineSynth().render(left, right, block);
        for (int i = 0; i < block; ++i) {
            const double level = std::fmax(std::fabs(left[i]), std::fabs(right[i]));
            if (level > silenceLevel && onset.sound == limit) onset.sound = start + i;
            if (level > audibleLevel && onset.audible == limit) onset.audible = start + i;
        }
    }
    return onset;
}

double framesToMs(double frames) {
    return frames * 1000.0 / BuiltInSynth::sampleRate;
}

// A note-on and its note-off through send(). Every 16 pairs, outside the timing, the released
// notes are cut and a block rendered (the synth frees voices only while rendering): left alone,
// a second of piano release per note would fill all 256 voices, and every note-on would pay
// for stealing one, which playing by hand never does.
void BM_SynthSendNotePair(benchmark::State& state) {
    if (!openOffline(state)) return;
    int pairs = 0;
    for (auto _ : state) {
        offlineSynth().send(pianoNoteOn);
        offlineSynth().send(pianoNoteOff);
        if (++pairs % 16 == 0) {
            state.PauseTiming();
            offlineSynth().send(allSoundOff);
            renderBlock();
            state.ResumeTiming();
        }
    }
    state.counters["per_message"] = benchmark::Counter(
        2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SynthSendNotePair);

// A volume change, the commonest message after notes.
void BM_SynthSendControlChange(benchmark::State& state) {
    if (!openOffline(state)) return;
    uint32_t value = 0;
    for (auto _ : state) {
        offlineSynth().send(0xB0 | 7 << 8 | (value++ & 0x7F) << 16);
        if ((value & 0x3FF) == 0) {
            state.PauseTiming();
            renderBlock();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_SynthSendControlChange);

// A new synthesizer loading its SoundFont offline: the work the background start takes off the
// window's way (cold or warm file cache, whichever the run finds).
void BM_SynthLoadSoundFont(benchmark::State& state) {
    for (auto _ : state) {
        BuiltInSynth synth;
        benchmark::DoNotOptimize(synth.openOffline());
    }
}
BENCHMARK(BM_SynthLoadSoundFont)->Unit(benchmark::kMillisecond)->Iterations(5);

// What a message costs while the synthesizer is still starting: it is kept for later.
void BM_DeferredSynthQueueWhileStarting(benchmark::State& state) {
    struct NeverReady : SynthEngine {
        bool open() override { return true; }
        void send(uint32_t) override {}
        void reset() override {}
        void close() override {}
    } engine;
    for (auto _ : state) {
        state.PauseTiming();
        DeferredSynth synth(engine);
        state.ResumeTiming();
        for (int i = 0; i < 64; ++i) synth.send(0x90 | uint32_t(60 + i % 12) << 8 | 100u << 16);
        state.PauseTiming();
        synth.waitUntilSettled();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeferredSynthQueueWhileStarting)->Unit(benchmark::kMicrosecond);

// The buffer asked of the audio drivers at first: periods x frames / rate.
void BM_SynthAudioBuffer(benchmark::State& state) {
    const int period = BuiltInSynth::periodSizes[0];
    for (auto _ : state) benchmark::DoNotOptimize(period);
    state.counters["period_frames"] = period;
    state.counters["periods"] = BuiltInSynth::periodCount;
    state.counters["buffer_ms"] = framesToMs(period * BuiltInSynth::periodCount);
}
BENCHMARK(BM_SynthAudioBuffer)->Iterations(1);

// From a note-on sent between two blocks to its first sound, rendering blocks of 64 frames; the
// time per iteration covers the note-on and the rendering until the note is audible.
void BM_SynthRenderOnset(benchmark::State& state) {
    if (!openOffline(state)) return;
    constexpr int limit = BuiltInSynth::sampleRate / 10;
    double sound = 0.0;
    double audible = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        offlineSynth().openOffline();
        for (int i = 0; i < BuiltInSynth::sampleRate / 2 / block; ++i)
            renderBlock();  // the last tail
        state.ResumeTiming();
        offlineSynth().send(pianoNoteOn);
        const Onset onset = renderUntilAudible(limit);
        sound += onset.sound;
        audible += onset.audible;
    }
    const double runs = double(state.iterations());
    state.counters["onset_ms"] = framesToMs(sound / runs);
    state.counters["audible_ms"] = framesToMs(audible / runs);
}
BENCHMARK(BM_SynthRenderOnset)->Iterations(50);

}  // namespace
}  // namespace brio
