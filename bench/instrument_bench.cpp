// Costs on the path of every note: the sender and the instruments' service.
#include <benchmark/benchmark.h>

#include <array>

#include "accompaniment/Instrument.h"
#include "foundation/Clock.h"
#include "BenchEnvironment.h"
#include "midi/CaptureMidiBackend.h"
#include "midi/MidiOut.h"

namespace brio {
namespace {

void sendThroughTheSender(benchmark::State& state) {
    BenchEnvironment env;
    for (auto _ : state) {
        MidiOut::noteOn(60, 100, 0);
        MidiOut::noteOn(60, 0, 0);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(sendThroughTheSender);

void sendThroughTheCapture(benchmark::State& state) {
    ManualClock clock{1000};
    installClock(&clock);
    CaptureMidiBackend capture;
    MidiOut::installBackend(&capture);
    MidiOut::open(0);
    for (auto _ : state) {
        MidiOut::noteOn(60, 100, 0);
        if (capture.messages.size() > 100000) capture.messages.clear();
    }
    state.SetItemsProcessed(state.iterations());
    MidiOut::installBackend(nullptr);
    installClock(nullptr);
}
BENCHMARK(sendThroughTheCapture);

// 16 instruments with 64 sounding notes each, none of which is due.
void serviceSixteenInstrumentsNothingDue(benchmark::State& state) {
    BenchEnvironment env;
    std::array<Instrument, 16> instruments;
    for (int channel = 0; channel < 16; ++channel) {
        Instrument& instrument = instruments[size_t(channel)];
        instrument.channel = channel;
        instrument.active = true;
        for (int key = 0; key < 64; ++key) instrument.playTimed(key, 100, 1000);
        instrument.service();
    }
    for (auto _ : state) {
        for (Instrument& instrument : instruments) instrument.service();
    }
}
BENCHMARK(serviceSixteenInstrumentsNothingDue);

// 16 instruments with 64 notes each that all start (then all end) in one service.
void serviceSixteenInstrumentsEverythingDue(benchmark::State& state) {
    BenchEnvironment env;
    std::array<Instrument, 16> instruments;
    for (int channel = 0; channel < 16; ++channel) {
        instruments[size_t(channel)].channel = channel;
        instruments[size_t(channel)].active = true;
    }
    for (auto _ : state) {
        state.PauseTiming();
        for (Instrument& instrument : instruments) {
            for (int key = 0; key < 64; ++key) instrument.playTimed(key, 100, 0);
        }
        state.ResumeTiming();
        for (Instrument& instrument : instruments) instrument.service();  // 64 on and 64 off each
    }
    state.SetItemsProcessed(state.iterations() * 16 * 64 * 2);
}
BENCHMARK(serviceSixteenInstrumentsEverythingDue);

// One instrument with N notes due on one step, on 61 keys (so most start by ending a twin):
// the service that starts them all, then the one that ends them, per iteration.
void serviceNotesDueOnOneStep(benchmark::State& state) {
    BenchEnvironment env;
    Instrument instrument(0);
    instrument.active = true;
    instrument.notes.reserve(size_t(state.range(0)) + 1);
    for (auto _ : state) {
        state.PauseTiming();
        for (int64_t n = 0; n < state.range(0); ++n) instrument.playTimed(int(30 + n * 7 % 61), 100, 1.0);
        state.ResumeTiming();
        instrument.service();
        env.clock.advance(200);
        instrument.service();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(serviceNotesDueOnOneStep)->Arg(1)->Arg(64)->Arg(1000)->Arg(30000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brio
