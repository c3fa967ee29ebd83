// The station's tick with everything playing, and the timing of the real main loop.
#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
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

constexpr int closedHat = 42;

// A library whose style 0 plays a hi-hat on every step at 120 bpm and four parts with notes
// on every step.
void fillLibrary(StyleLibrary& library) {
    for (int p = 100; p <= 104; ++p) {
        ArpeggioStyle& pattern = library.pattern(p);
        pattern.name = "every step";
        pattern.length = 16;
        for (int step = 0; step < 16; ++step) pattern.notes.append(ArpeggioNote{p == 100 ? closedHat : 48 + step % 5, 90, step, 0.9});
    }
    BaseStyle& style = library.style(0);
    style.name = "Bench";
    style.bpm = 120;
    for (int part = 0; part < BaseStyle::partCount; ++part) {
        style.mode[size_t(part)] = 1;
        style.arp[size_t(part)] = 100 + part;
        style.prog[size_t(part)] = 0;
    }
}

// The program's global objects in a throw-away folder, on a capture device.
struct Program {
    explicit Program(Clock& clock) {
        char pattern[] = "/tmp/brio-bench-XXXXXX";
        folder = mkdtemp(pattern);
        setProgramFolder(folder + "/");
        installClock(&clock);
        MidiOut::installBackend(&midi);
        workspaces = std::make_unique<RecentFiles>("recentS.cfg", 10);
        recordings = std::make_unique<RecentFiles>("recentR.cfg", 10);
        library = std::make_unique<StyleLibrary>();
        fillLibrary(*library);
        options = std::make_unique<Options>(1920);
        station = std::make_unique<MidiSynth>(*library, *options, *workspaces, *recordings);
        station->selectStyle(0, true);
    }
    ~Program() {
        station.reset();
        options.reset();
        MidiOut::installBackend(nullptr);
        installClock(nullptr);
        setProgramFolder("");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    // Rhythm, the four parts on the bass key C, and tone A arpeggiating a held chord.
    void playEverything() {
        station->keyDown(120);  // F9: bass
        station->keyDown(121);  // F10: rhythm
        station->arpeggioSwitch = true;
        station->controlChanged(&station->arpeggioSwitch);
        for (int key : {36, 40, 43}) station->pressPianoKey(key, 100);
    }

    std::string folder;
    CaptureMidiBackend midi;
    std::unique_ptr<RecentFiles> workspaces, recordings;
    std::unique_ptr<StyleLibrary> library;
    std::unique_ptr<Options> options;
    std::unique_ptr<MidiSynth> station;
};

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
