#include "graphics/SoftPen.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

#include "graphics/Limage.h"

namespace brio {

namespace {

// Longer rings would take too long to walk; no widget comes near.
constexpr double maxRadius = 1 << 20;
// Beyond this a segment's point positions lose their precision.
constexpr double maxLength = 1e15;

// trunc(value) limited to the int range.
int truncToInt(double value) {
    if (value <= double(INT_MIN)) return INT_MIN;
    if (value >= double(INT_MAX)) return INT_MAX;
    return int(value);
}

// floor(value) limited to [low, high].
int64_t floorInRange(double value, int64_t low, int64_t high) {
    if (!(value > double(low))) return low;
    if (value >= double(high)) return high;
    return int64_t(std::floor(value));
}

// Narrows [low, high] to the parameters t at which start + delta x t lies strictly between the
// limits; false when there are none.
bool narrowToInterval(double start, double delta, double lowLimit, double highLimit, double& low,
                      double& high) {
    if (delta == 0) return start > lowLimit && start < highLimit;
    const double a = (lowLimit - start) / delta;
    const double b = (highLimit - start) / delta;
    low = std::max(low, std::min(a, b));
    high = std::min(high, std::max(a, b));
    return low <= high;
}

}  // namespace

SoftPen& SoftPen::setColour(Color colour) {
    const ColorChannels c = splitColor(colour);
    red = c.red;
    green = c.green;
    blue = c.blue;
    return *this;
}

void SoftPen::plot(double x, double y) {
    if (target && target->scale() > 1) return plotDevice(x, y, target->scale());
    // The four pixels need two columns and two rows: a one-pixel-wide or -tall target takes none.
    if (!target || target->width() < 2 || target->height() < 2) return;
    // trunc(x) must be 0..width-2 (and likewise y); NaN fails every comparison.
    if (!(x > -1.0 && x < target->width() - 1.0 && y > -1.0 && y < target->height() - 1.0)) return;
    const int cx = int(x);
    const int cy = int(y);
    for (int py = cy; py <= cy + 1; ++py) {
        uint8_t* row = target->row(py);
        for (int px = cx; px <= cx + 1; ++px) {
            const double dx = x - px;
            const double dy = y - py;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d >= 1) continue;
            blend(row + size_t(px) * 3, d);
        }
    }
}

// At a larger scale the pen is `scale` device pixels wide around the point's place among the
// device pixels, so that a stroke keeps its width and its soft edge is as fine as the screen.
void SoftPen::plotDevice(double x, double y, int scale) {
    if (!(x > -1.0 && x < target->width() - 1.0 && y > -1.0 && y < target->height() - 1.0)) return;
    const double centreX = x * scale + (scale - 1) / 2.0;
    const double centreY = y * scale + (scale - 1) / 2.0;
    const int lastX = target->deviceWidth() - 1, lastY = target->deviceHeight() - 1;
    for (int py = std::max(0, int(centreY) - scale + 1); py <= std::min(lastY, int(centreY) + scale); ++py) {
        uint8_t* row = target->row(py);
        for (int px = std::max(0, int(centreX) - scale + 1); px <= std::min(lastX, int(centreX) + scale); ++px) {
            const double d = std::hypot(centreX - px, centreY - py) / scale;
            if (d < 1) blend(row + size_t(px) * 3, d);
        }
    }
}

void SoftPen::blend(uint8_t* p, double d) const {
    p[0] = uint8_t(blue * (1 - d) + p[0] * d);
    p[1] = uint8_t(green * (1 - d) + p[1] * d);
    p[2] = uint8_t(red * (1 - d) + p[2] * d);
}

// Plots trunc(length) points spread evenly from start to end, walking only the indices whose
// points can land in the target.
void SoftPen::line(double x0, double y0, double x1, double y1) {
    if (!target || !target->isValid()) return;
    const double length = std::hypot(x1 - x0, y1 - y0);
    if (!(length >= 1 && length < maxLength)) return;
    const auto n = int64_t(length) * target->scale();  // a point for every device pixel
    const double step = n >= 2 ? 1.0 / double(n - 1) : 0;
    double low = 0;
    double high = 1;
    if (!narrowToInterval(x0, x1 - x0, -1, target->width() - 1, low, high)) return;
    if (!narrowToInterval(y0, y1 - y0, -1, target->height() - 1, low, high)) return;
    const int64_t first = floorInRange(low * double(n - 1) - 1, 0, n - 1);
    const int64_t last = floorInRange(high * double(n - 1) + 2, 0, n - 1);
    for (int64_t i = first; i <= last; ++i)
        plot(x0 + (x1 - x0) * double(i) * step, y0 + (y1 - y0) * double(i) * step);
}

void SoftPen::circle(double cx, double cy, double r, bool filled) {
    if (!target || !target->isValid()) return;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !(r <= maxRadius)) return;
    if (filled) {
        Canvas& canvas = target->canvas();
        canvas.setColor(makeColor(red, green, blue));
        canvas.ellipse(truncToInt(cx - r), truncToInt(cy - r), truncToInt(cx + r + 1),
                       truncToInt(cy + r + 1));
    }
    const bool missesTarget = cx + r <= -1 || cx - r >= target->width() - 1 || cy + r <= -1 ||
                              cy - r >= target->height() - 1;
    if (missesTarget) return;
    const double turn = 2 * std::numbers::pi;
    const auto n = int64_t(turn * r * target->scale());
    const double step = n >= 2 ? 1.0 / double(n - 1) : 0;
    for (int64_t i = 0; i < n; ++i) {
        const double theta = turn * double(i) * step;
        plot(cx + r * std::cos(theta), cy + r * std::sin(theta));
    }
}

SoftPen& softPen() {
    static SoftPen pen;
    return pen;
}

}  // namespace brio
