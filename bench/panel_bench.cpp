// What the main panel costs: building it in both views, a full repaint, a fader drag step and a
// key change shown on the panel (the repaints at scale 1 and 2).
#include <benchmark/benchmark.h>

#include "graphics/DrawSurface.h"
#include "graphics/FontRasterizer.h"
#include "graphics/Limage.h"
#include "panel/MainPanel.h"
#include "platform/FreeTypeText.h"

namespace brio {
namespace {

// Values the widgets are bound to, standing in for the station's.
struct Bound {
    double volume = 1, instVolume = 0.8, bassVolume = 0.8, drumVolume = 0.8, tempo = 0.5, shuffle = 0;
    bool recording = false, playing = false, mute = false, arpeggio = false, hold = false, rhythm = false,
         bass = false, keyStartRhythm = false, keyStartBass = false, keepDefaultTempo = true;
    int32_t bank = 0, programInBank = 0;
    PanelBindings bindings() {
        return {&volume, &instVolume, &bassVolume, &drumVolume, &recording, &playing, &mute, &bank,
                &programInBank, &arpeggio, &hold, &rhythm, &bass, &keyStartRhythm, &keyStartBass,
                &keepDefaultTempo, &tempo, &shuffle};
    }
};

// The real text face, a window image of the large view's size and a panel pointed at it, drawn
// at `scale`.
struct PanelBench {
    explicit PanelBench(bool large, int scale = 1) {
        setDrawingScale(scale);
        installFontRasterizer(&font);
        window.create(MainPanel::largeWidth, MainPanel::largeHeight);
        DrawSurface& surface = drawSurface();
        surface.backBuffer = &panel.image;
        surface.windowCanvas = &window.canvas();
        look.largeView = large;
        panel.build(look, bound.bindings());
    }
    ~PanelBench() {
        drawSurface() = DrawSurface{};
        installFontRasterizer(nullptr);
        setDrawingScale(1);
    }
    FreeTypeText font;
    Limage window;
    MainPanel panel;
    Bound bound;
    PanelLook look;
};

void buildPanel(benchmark::State& state) {
    PanelBench bench(state.range(0) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(bench.panel.build(bench.look, bench.bound.bindings()));
}
BENCHMARK(buildPanel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void repaintWholePanel(benchmark::State& state) {
    PanelBench bench(false, int(state.range(0)));
    for (auto _ : state) bench.panel.paintAll(bench.window.canvas(), true);
}
BENCHMARK(repaintWholePanel)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void dragMasterFaderOneStep(benchmark::State& state) {
    PanelBench bench(false);
    const ScFader& master = bench.panel.controls.faders.getConst(0);
    const int x = (master.rect.left + master.rect.right) / 2;
    bench.panel.controls.mouseInput(x, master.handleCentreY(0.5), true);
    int y = master.handleCentreY(0.5);
    int direction = 1;
    for (auto _ : state) {
        y += direction;
        if (y > master.handleCentreY(0.1) || y < master.handleCentreY(0.9)) direction = -direction;
        benchmark::DoNotOptimize(bench.panel.controls.mouseInput(x, y, false));
    }
}
BENCHMARK(dragMasterFaderOneStep)->Unit(benchmark::kMicrosecond);

void showOneKeyChange(benchmark::State& state) {
    PanelBench bench(false, int(state.range(0)));
    bool down = false;
    for (auto _ : state) {
        down = !down;
        if (down) bench.panel.piano.pressKey(36);
        else bench.panel.piano.releaseKey(36);
        bench.panel.paintPiano(bench.window.canvas(), true);
    }
}
BENCHMARK(showOneKeyChange)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brio
