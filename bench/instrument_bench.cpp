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

}  // namespace
}  // namespace brio
