// The recorder on the path of every message, its playback pump, and its files.
#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "BenchEnvironment.h"

#include <cstdio>
#include <string>

#include "foundation/Clock.h"
#include "foundation/Text.h"
#include "midi/NullMidiBackend.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"

namespace brio {
namespace {

// One message through the sender into a recording (the recording is restarted, outside the
// timing, before it fills up).
void recordOneEvent(benchmark::State& state) {
    BenchEnvironment bench;
    Recorder& rec = recorder();
    rec.startRecording();
    long allocations = 0;  // those of restarting the recording, which do not count
    const long before = allocationCount;
    for (auto _ : state) {
        MidiOut::noteOn(60, 100, 0);
        if (rec.events.count() > 990000) {
            state.PauseTiming();
            const long restart = allocationCount;
            rec.startRecording();
            allocations -= allocationCount - restart;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["allocationsPerEvent"] = double(allocationCount - before + allocations) / double(state.iterations());
}
BENCHMARK(recordOneEvent);

void fillRecording(int count) {
    Recorder& rec = recorder();
    rec.startRecording();
    for (int i = 0; i < count; ++i) rec.record(MidiEvent{uint32_t(i / 10), uint8_t(0x90 + i % 16), uint8_t(i % 128), 100});
    rec.state = Recorder::State::idle;
}

// Dense playback: 1000 events fall due in every millisecond's tick.
void pumpDensePlayback(benchmark::State& state) {
    BenchEnvironment bench;
    Recorder& rec = recorder();
    fillRecording(990000);
    for (int i = 0; i < rec.events.count(); ++i) rec.events.get(i).time = i / 1000;
    rec.startPlayback();
    for (auto _ : state) {
        bench.clock.advance(1);
        rec.pump();
        if (rec.state == Recorder::State::idle) {
            state.PauseTiming();
            bench.clock.set(1000);
            rec.startPlayback();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(pumpDensePlayback);

void writeRecordingOf999000Events(benchmark::State& state) {
    BenchEnvironment bench;
    fillRecording(999000);
    const std::string path = "/tmp/brio-bench-recording.prc";
    for (auto _ : state) {
        Text_ lines;
        recorder().writeLines(lines);
        lines.writeTextFile(path);
    }
    std::remove(path.c_str());
}
BENCHMARK(writeRecordingOf999000Events)->Unit(benchmark::kMillisecond);

void readRecordingOf999000Events(benchmark::State& state) {
    BenchEnvironment bench;
    fillRecording(999000);
    const std::string path = "/tmp/brio-bench-recording-read.prc";
    Text_ lines;
    recorder().writeLines(lines);
    lines.writeTextFile(path);
    for (auto _ : state) {
        Text_ fileLines;
        fileLines.readTextFile(path, true);
        recorder().readLines(fileLines);
    }
    std::remove(path.c_str());
}
BENCHMARK(readRecordingOf999000Events)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brio
