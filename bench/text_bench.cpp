// Costs of a button label: drawing and measuring 20 characters of 11-pixel text.
#include <benchmark/benchmark.h>

#include "graphics/Limage.h"
#include "platform/FreeTypeText.h"

namespace brio {
namespace {

constexpr const char* label = "Style: Bossa Nova 2 ";  // 20 characters
constexpr Rect wholeImage{0, 0, 199, 19};

void BM_TextDraw11Px20Chars(benchmark::State& state) {
    FreeTypeText text;
    Limage image;
    image.create(200, 20);
    image.fill(white);
    const std::string line = label;
    text.drawText(image, wholeImage, 2, 2, line, 11, false, black);  // fills the glyph cache
    for (auto _ : state) {
        text.drawText(image, wholeImage, 2, 2, line, 11, false, black);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TextDraw11Px20Chars);

void BM_TextWidth11Px20Chars(benchmark::State& state) {
    FreeTypeText text;
    const std::string line = label;
    for (auto _ : state) benchmark::DoNotOptimize(text.textWidth(line, 11, false));
}
BENCHMARK(BM_TextWidth11Px20Chars);

}  // namespace
}  // namespace brio
