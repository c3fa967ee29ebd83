// Drawing primitives at the sizes widgets use: composing a 100 x 100 face, filling a back buffer
// and pen circles.

#include <benchmark/benchmark.h>

#include "graphics/Blit.h"
#include "graphics/Canvas.h"
#include "graphics/Limage.h"
#include "graphics/SoftPen.h"

namespace brio {
namespace {

Limage sourceFace() {
    Limage face;
    face.create(100, 100);
    face.fill(0xC0C0C0);
    face.canvas().setColor(white);
    face.canvas().fillRect(20, 20, 80, 80);
    return face;
}

void BM_BlitBlend100(benchmark::State& state) {
    const Limage face = sourceFace();
    Limage buffer;
    buffer.create(400, 300);
    buffer.fill(0x808080);
    for (auto _ : state) {
        blitBlend(face, buffer, 150, 100, multiplyTable());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 100 * 100);
}
BENCHMARK(BM_BlitBlend100);

void BM_BlitKeyed100(benchmark::State& state) {
    const Limage face = sourceFace();
    Limage buffer;
    buffer.create(400, 300);
    buffer.fill(0x808080);
    const Color key = state.range(0) ? white : noColor;
    for (auto _ : state) {
        blitKeyed(face, buffer, 150, 100, key);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 100 * 100);
}
BENCHMARK(BM_BlitKeyed100)->ArgName("keyed")->Arg(0)->Arg(1);

void BM_FillRect(benchmark::State& state) {
    Limage buffer;
    buffer.create(800, 600);
    Canvas& canvas = buffer.canvas();
    const int side = int(state.range(0));
    for (auto _ : state) {
        canvas.setColor(0x1880E8);
        canvas.fillRect(10, 10, 10 + side, 10 + side);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_FillRect)->Arg(20)->Arg(100)->Arg(500);

void BM_SoftPenCircle(benchmark::State& state) {
    Limage buffer;
    buffer.create(200, 200);
    buffer.fill(white);
    SoftPen pen;
    pen.setTarget(&buffer).setColour(0x2020C0);
    const bool filled = state.range(0) != 0;
    for (auto _ : state) {
        pen.circle(100.3, 100.6, 20, filled);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SoftPenCircle)->ArgName("filled")->Arg(0)->Arg(1);

}  // namespace
}  // namespace brio
