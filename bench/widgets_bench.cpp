// What the widget group costs: a full paint of a main-panel-sized group and one fader drag
// step, each with its allocations counted.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "AllocationCounter.h"
#include "graphics/DrawSurface.h"
#include "graphics/FontRasterizer.h"
#include "graphics/Limage.h"
#include "graphics/ScControls.h"
#include "platform/FreeTypeText.h"

namespace brio {
namespace {

constexpr Color sectionColor = 0xB09880;

// A back buffer and window of the main panel's size, the real text face, and a group laid out
// like the panel's three sections: six faders, 24 radio buttons, toggles, round buttons and
// switches.
struct PanelGroup {
    PanelGroup() {
        installFontRasterizer(&font);
        panel.create(987, 503);
        panel.fill(sectionColor);
        window.create(987, 503);
        DrawSurface& surface = drawSurface();
        surface.backBuffer = &panel;
        surface.windowCanvas = &window.canvas();
        surface.faceColor = sectionColor;
        surface.enabled = true;
        const char* faders[] = {"Master", "Lead", "Bass", "Rhythm"};
        for (int k = 0; k < 4; ++k)
            group.addFader(50 + k * 54, 101, 100, faders[k], &levels[k], 10);
        group.addToggle(274, 147, 31, 31, "$Record@1", &recording);
        group.addToggle(274, 208, 31, 31, "$Play@1", &playing);
        group.addSwitch(34, 264, 73, "Mute", &mute);
        for (int k = 0; k < 8; ++k) {
            group.addRadio(349 + k * 36, 157, 37, 22, "Pi", &bank, k);
            group.addRadio(349 + k * 36, 178, 37, 22, "Re", &bank, 8 + k);
            group.addRadio(349 + k * 36, 199, 37, 22, "#" + std::to_string(k + 1), &program, k);
        }
        group.addToggle(349, 242, 70, 22, "Arp", &arp);
        group.addToggle(418, 242, 70, 22, "Hold", &hold);
        group.addButton(487, 242, 70, 22, "Pattern");
        group.addButton(664, 157, 92, 19, "Style");
        group.addButton(755, 157, 30, 19, "<");
        group.addButton(784, 157, 30, 19, ">");
        group.addToggle(682, 199, 31, 31, "$Rhythm", &rhythm);
        group.addToggle(682, 249, 31, 31, "$Bass", &bass);
        group.addSwitch(722, 206, 73, "Key Start", &keyStartRhythm);
        group.addSwitch(722, 256, 73, "Key Start", &keyStartBass);
        group.addSwitch(853, 264, 73, "Default", &keepTempo);
        group.addFader(842, 101, 100, "Tempo", &tempo, 10);
        group.addFader(896, 101, 100, "Shuffle", &shuffle, 10);
        group.paintAll();  // glyphs are rendered and kept from here on
    }
    ~PanelGroup() {
        drawSurface() = DrawSurface{};
        installFontRasterizer(nullptr);
    }
    PanelGroup(const PanelGroup&) = delete;
    PanelGroup& operator=(const PanelGroup&) = delete;

    FreeTypeText font;
    Limage panel;
    Limage window;
    ScControls group;
    double levels[4] = {0.8, 0.7, 0.6, 0.5};
    double tempo = 0.5;
    double shuffle = 0;
    bool recording = false, playing = false, mute = false, arp = true, hold = false;
    bool rhythm = true, bass = false, keyStartRhythm = true, keyStartBass = false;
    bool keepTempo = true;
    int32_t bank = 0;
    int32_t program = 3;
};

void widgetGroupFullPaint(benchmark::State& state) {
    PanelGroup setup;
    const long before = allocationCount;
    for (auto _ : state) {
        setup.group.paintAll();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["allocationsPerPaint"] =
        double(allocationCount - before) / double(state.iterations());
}
BENCHMARK(widgetGroupFullPaint);

// One mouse move with the button held over the captured "Lead" fader: the value changes and
// the fader is repainted and copied to the window.
void faderDragStep(benchmark::State& state) {
    PanelGroup setup;
    const ScFader& lead = setup.group.faders.getConst(1);
    const int x = lead.rect.left + 20;
    const int y = lead.handleCentreY(*lead.value);
    setup.group.mouseInput(x, y, true);  // grab the handle
    const long before = allocationCount;
    int step = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(setup.group.mouseInput(x, y + (step++ % 2 ? 10 : -10), false));
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["allocationsPerStep"] =
        double(allocationCount - before) / double(state.iterations());
}
BENCHMARK(faderDragStep);

// A press on a radio button: its group of eight is repainted.
void radioPress(benchmark::State& state) {
    PanelGroup setup;
    const long before = allocationCount;
    int step = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(setup.group.mouseInput(360 + (step++ % 8) * 36, 165, true));
        setup.group.releaseButtons();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["allocationsPerPress"] =
        double(allocationCount - before) / double(state.iterations());
}
BENCHMARK(radioPress);

}  // namespace
}  // namespace brio
