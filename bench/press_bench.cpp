// From a press to its note leaving the sender: a computer key, the mouse (by its place on the
// key) and a finger, each through the station's own entry, a key of tone A at a time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "BenchProgram.h"
#include "graphics/WindowHost.h"
#include "midi/MidiBackend.h"

namespace brio {
namespace {

uint64_t steadyNs() {
    return uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

// Notes when the last note-on with a velocity left the sender.
class NoteOnClock : public MidiBackend {
public:
    std::vector<std::string> deviceNames() override { return {}; }
    bool open(int) override { return true; }
    void send(uint32_t packed) override {
        if ((packed & 0xF0) == 0x90 && (packed >> 16) > 0) sentNs = steadyNs();
    }
    void reset() override {}
    void close() override {}
    uint64_t sentNs = 0;
};

enum Source { computerKey, mouse, finger };

// Presses and releases a key; the counter is the mean time from the press's call to its note
// leaving the sender.
void pressToSender(benchmark::State& state, Source source) {
    ManualClock clock(1000);
    NoteOnClock device;
    Program program(clock, &device);
    MidiSynth& station = *program.station;
    program.options->velocityByMouse = true;
    const Rect r = station.panel.piano.keyRect(8);  // the key of 'A'
    const int x = station.panel.keyboardLeft + (r.left + r.right) / 2;
    const int y = station.panel.keyboardTop + r.bottom / 2;
    uint64_t totalNs = 0;
    int64_t presses = 0;
    for (auto _ : state) {
        const uint64_t start = steadyNs();
        switch (source) {
            case computerKey: station.keyDown('A'), station.keyUp('A'); break;
            case mouse: station.mouseDown(x, y, leftButton), station.mouseUp(x, y, leftButton, false); break;
            case finger: station.touchDown(1, x, y), station.touchUp(1, x, y); break;
        }
        totalNs += device.sentNs - start;
        ++presses;
    }
    state.counters["pressToSenderUs"] = double(totalNs) / 1000.0 / double(std::max<int64_t>(presses, 1));
}
BENCHMARK_CAPTURE(pressToSender, computerKey, computerKey)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(pressToSender, mouse, mouse)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(pressToSender, finger, finger)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brio
