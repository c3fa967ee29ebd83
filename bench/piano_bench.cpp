// What the drawn piano costs per key event: a partial repaint against a full one.
#include <benchmark/benchmark.h>

#include "graphics/Canvas.h"
#include "graphics/Limage.h"
#include "graphics/PianoKeyboard.h"

namespace brio {
namespace {

struct PianoOnWindow {
    PianoOnWindow() {
        piano.build(6, 20, 0x303030);
        window.create(987, 503);
        window.fill(0x303030);
        piano.paint(window.canvas(), true, 41, 354, true);
    }
    PianoKeyboard piano;
    Limage window;
};

// One key down and up again, each followed by the partial repaint the station does.
void pianoKeyChangePartialRepaint(benchmark::State& state) {
    PianoOnWindow setup;
    const int key = int(state.range(0));
    for (auto _ : state) {
        setup.piano.pressKey(key);
        setup.piano.paint(setup.window.canvas(), false, 41, 354, true);
        setup.piano.releaseKey(key);
        setup.piano.paint(setup.window.canvas(), false, 41, 354, true);
    }
    state.SetItemsProcessed(state.iterations() * 2);  // key changes
}
BENCHMARK(pianoKeyChangePartialRepaint)->Arg(36)->Arg(37);

void pianoFullRepaint(benchmark::State& state) {
    PianoOnWindow setup;
    for (auto _ : state) setup.piano.paint(setup.window.canvas(), true, 41, 354, true);
}
BENCHMARK(pianoFullRepaint);

void pianoBuild(benchmark::State& state) {
    for (auto _ : state) {
        PianoKeyboard piano;
        piano.build(6, int(state.range(0)), 0x303030);
        benchmark::DoNotOptimize(piano.width());
    }
}
BENCHMARK(pianoBuild)->Arg(20)->Arg(24);

}  // namespace
}  // namespace brio
