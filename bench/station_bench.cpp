// The station's tick with everything playing, and the timing of the real main loop.
#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "BenchProgram.h"
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "accompaniment/StyleLibrary.h"
#include "foundation/Clock.h"
#include "foundation/TextUtils.h"
#include "graphics/WindowHost.h"
#include "main/MainLoop.h"
#include "main/MidiSynth.h"
#include "midi/CaptureMidiBackend.h"
#include "midi/MidiOut.h"
#include "platform/RealClock.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio {
namespace {

void stationTickWithEverythingPlaying(benchmark::State& state) {
    ManualClock clock(1000);
    Program program(clock);
    program.playEverything();
    for (int i = 0; i < 5000; ++i) {  // warm up: every list reaches its working size
        clock.advance(1);
        program.station->tick(true);
        program.midi.messages.clear();
    }
    program.midi.messages.reserve(1 << 20);
    const long before = allocationCount;
    for (auto _ : state) {
        clock.advance(1);
        program.station->tick(true);
        if (program.midi.messages.size() > (1 << 19)) program.midi.messages.clear();
    }
    state.counters["allocationsPerTick"] =
        benchmark::Counter(double(allocationCount - before) / double(state.iterations()));
}
BENCHMARK(stationTickWithEverythingPlaying);

// Windows that never send events: waiting sleeps the whole time, as with a silent display.
class QuietWindows : public WindowSystem {
public:
    QuietWindows(Clock& clock, uint32_t runMs, bool& quit) : clock(clock), quit(quit), end(clock.milliseconds() + runMs) {}
    std::unique_ptr<HostWindow> createWindow(WindowKind, WindowEvents&) override { return nullptr; }
    void processPendingMessages() override {
        if (elapsedMs(end, clock.milliseconds()) >= 0) quit = true;
    }
    void waitForMessages(uint64_t timeoutUs) override {
        timespec pause{time_t(timeoutUs / 1000000), long(timeoutUs % 1000000) * 1000L};
        nanosleep(&pause, nullptr);
    }
    bool applicationActive() const override { return true; }
    int screenWidth() const override { return 1920; }
    int screenHeight() const override { return 1080; }

private:
    Clock& clock;
    bool& quit;
    uint32_t end;
};

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec * 1e-9;
}

// The real loop for 20 s with a hi-hat on every step at 120 bpm: how late is each drum note
// against the ideal 125 ms grid, and what does the loop cost in processor time.
void realLoopDrumTiming(benchmark::State& state) {
    for (auto _ : state) {
        RealClock clock;
        Program program(clock);
        bool quit = false;
        QuietWindows windows(clock, 20000, quit);
        program.station->keyDown(121);  // F10: the rhythm starts
        const double cpuBefore = cpuSeconds();
        runMainLoop(*program.station, windows, clock, quit);
        const double cpu = cpuSeconds() - cpuBefore;

        std::vector<uint32_t> hits;
        for (const auto& m : program.midi.messages) {
            if (m.status == 0x99 && m.data2 > 0) hits.push_back(m.time);
        }
        std::vector<double> lateness;
        for (size_t n = 0; n < hits.size(); ++n) lateness.push_back(double(int32_t(hits[n] - hits[0])) - 125.0 * double(n));
        std::sort(lateness.begin(), lateness.end());
        const auto at = [&](double q) { return lateness.empty() ? 0.0 : lateness[size_t(q * double(lateness.size() - 1))]; };
        state.counters["hits"] = double(hits.size());
        state.counters["lateMedianMs"] = at(0.5);
        state.counters["lateP99Ms"] = at(0.99);
        state.counters["lateMaxMs"] = lateness.empty() ? 0.0 : lateness.back();
        state.counters["earliestMs"] = lateness.empty() ? 0.0 : lateness.front();
        state.counters["cpuPercent"] = 100.0 * cpu / 20.0;
    }
}
BENCHMARK(realLoopDrumTiming)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace brio
