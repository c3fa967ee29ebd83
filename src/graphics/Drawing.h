#pragma once

#include "graphics/Color.h"
#include "graphics/Rect.h"

namespace brio {

class Canvas;
class Limage;

// Lines from `from` to `to` across x (vertical lines) or down y (horizontal lines), both ends
// inclusive; the first line has exactly `from`, the last exactly `to`.
void gradientFill(Canvas& canvas, int x0, int y0, int x1, int y1, Color from, Color to, bool acrossX);
// A line from (x0, y0) to (x1, y1), the end point excluded, in the canvas's pen colour.
void drawLine(Canvas& canvas, int x0, int y0, int x1, int y1);
// Clips the canvas to the inclusive rectangle r.
void clipCanvas(Canvas& canvas, const Rect& r);
void unclipCanvas(Canvas& canvas);
// Copies the inclusive rectangle r of `bitmap` to the same place moved by (dx, dy) on the
// window's canvas (and reports it to the canvas's damage sink).
void blitToWindow(const Limage& bitmap, Canvas& windowCanvas, const Rect& r, int dx, int dy);

}  // namespace brio
