#include "graphics/Drawing.h"

#include <algorithm>
#include <climits>

#include "graphics/Canvas.h"
#include "graphics/Limage.h"

namespace brio {

namespace {

// value + delta limited to the int range.
int32_t saturatedAdd(int32_t value, int64_t delta) {
    return int32_t(std::clamp<int64_t>(int64_t(value) + delta, INT_MIN, INT_MAX));
}

// Per channel trunc(from + (to - from) x t).
Color gradientColor(const ColorChannels& from, const ColorChannels& to, double t) {
    return makeColor(int(from.red + (to.red - from.red) * t),
                     int(from.green + (to.green - from.green) * t),
                     int(from.blue + (to.blue - from.blue) * t));
}

}  // namespace

// Only the lines that can reach the canvas are drawn, so far-off or huge ranges cost nothing;
// each line still gets the colour of its own place in the whole range.
void gradientFill(Canvas& canvas, int x0, int y0, int x1, int y1, Color from, Color to,
                  bool acrossX) {
    if (x1 < x0 || y1 < y0) return;
    const Rect box = canvas.clipBox();
    if (box.right < box.left) return;
    const int64_t n = acrossX ? int64_t(x1) - x0 : int64_t(y1) - y0;
    const int64_t start = acrossX ? x0 : y0;
    const int64_t visibleFirst = acrossX ? box.left : box.top;
    const int64_t visibleLast = acrossX ? box.right : box.bottom;
    const int64_t first = std::max<int64_t>(0, visibleFirst - start);
    const int64_t last = std::min<int64_t>(n, visibleLast - start);
    // The span of every line, limited to the canvas so that its exclusive end cannot overflow.
    const int spanFirst = acrossX ? std::max(y0, box.top) : std::max(x0, box.left);
    const int spanLast = acrossX ? std::min(y1, box.bottom) : std::min(x1, box.right);
    if (first > last || spanFirst > spanLast) return;
    const double step = n > 0 ? 1.0 / double(n) : 0;
    const ColorChannels a = splitColor(from);
    const ColorChannels b = splitColor(to);
    for (int64_t i = first; i <= last; ++i) {
        // n x (1/n) can fall just short of 1, so the last line is set to exactly `to`; a single
        // line (n = 0) stays `from`.
        canvas.setColor(gradientColor(a, b, i == n && n > 0 ? 1.0 : double(i) * step));
        const int at = int(start + i);
        if (acrossX)
            canvas.fillRect(at, spanFirst, at + 1, spanLast + 1);
        else
            canvas.fillRect(spanFirst, at, spanLast + 1, at + 1);
    }
}

void drawLine(Canvas& canvas, int x0, int y0, int x1, int y1) {
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
}

void clipCanvas(Canvas& canvas, const Rect& r) {
    canvas.setClip(r.left, r.top, saturatedAdd(r.right, 1), saturatedAdd(r.bottom, 1));
}

void unclipCanvas(Canvas& canvas) {
    canvas.clearClip();
}

void blitToWindow(const Limage& bitmap, Canvas& windowCanvas, const Rect& r, int dx, int dy) {
    const Rect moved{saturatedAdd(r.left, dx), saturatedAdd(r.top, dy), saturatedAdd(r.right, dx),
                     saturatedAdd(r.bottom, dy)};
    clipCanvas(windowCanvas, moved);
    windowCanvas.drawImage(dx, dy, bitmap);
    unclipCanvas(windowCanvas);
    windowCanvas.reportDamage(moved);
}

}  // namespace brio
