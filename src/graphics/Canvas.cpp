#include "graphics/Canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "graphics/FontRasterizer.h"
#include "graphics/Limage.h"

namespace brio {

namespace {

// A real coordinate limited to [low, high] and made integral; NaN becomes low.
int64_t clampToRange(double value, int64_t low, int64_t high) {
    if (!(value > double(low))) return low;
    if (value >= double(high)) return high;
    return int64_t(value);
}

// The device pixels of pixel (x, y): a square of scale x scale.
void putPixel(Limage& image, int64_t x, int64_t y, const ColorChannels& c) {
    const int s = image.scale();
    for (int dy = 0; dy < s; ++dy) {
        uint8_t* p = image.row(int(y * s + dy)) + size_t(x * s) * 3;
        for (int dx = 0; dx < s; ++dx, p += 3) {
            p[0] = uint8_t(c.blue);
            p[1] = uint8_t(c.green);
            p[2] = uint8_t(c.red);
        }
    }
}

}  // namespace

Rect Canvas::bounds() const {
    if (!clipped) return Rect{0, 0, image.width(), image.height()};
    return Rect{std::max(0, clipLeft), std::max(0, clipTop), std::min(image.width(), clipRight),
                std::min(image.height(), clipBottom)};
}

Rect Canvas::clipBox() const {
    const Rect b = bounds();
    if (b.right <= b.left || b.bottom <= b.top) return Rect{0, 0, -1, -1};
    return Rect{b.left, b.top, b.right - 1, b.bottom - 1};
}

Rect Canvas::deviceBounds() const {
    const Rect b = bounds();
    const int s = image.scale();
    return Rect{b.left * s, b.top * s, b.right * s, b.bottom * s};
}

void Canvas::fillBox(int64_t left, int64_t top, int64_t right, int64_t bottom, Color color) {
    const int64_t s = image.scale();
    fillDeviceBox(left * s, top * s, right * s, bottom * s, color);
}

void Canvas::fillDeviceBox(int64_t left, int64_t top, int64_t right, int64_t bottom, Color color) {
    const Rect b = deviceBounds();
    left = std::max<int64_t>(left, b.left);
    top = std::max<int64_t>(top, b.top);
    right = std::min<int64_t>(right, b.right);
    bottom = std::min<int64_t>(bottom, b.bottom);
    if (right <= left || bottom <= top) return;
    // One row is painted pixel by pixel, the others are copies of it.
    const ColorChannels c = splitColor(color);
    const size_t offset = size_t(left) * 3;
    const size_t bytes = size_t(right - left) * 3;
    uint8_t* first = image.row(int(top)) + offset;
    for (size_t i = 0; i < bytes; i += 3) {
        first[i] = uint8_t(c.blue);
        first[i + 1] = uint8_t(c.green);
        first[i + 2] = uint8_t(c.red);
    }
    for (int64_t y = top + 1; y < bottom; ++y)
        std::memcpy(image.row(int(y)) + offset, first, bytes);
}

void Canvas::fillRect(int left, int top, int right, int bottom) {
    fillBox(left, top, right, bottom, penColor);
}

void Canvas::frameRect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    fillBox(left, top, right, int64_t(top) + 1, penColor);
    fillBox(left, int64_t(bottom) - 1, right, bottom, penColor);
    fillBox(left, top, int64_t(left) + 1, bottom, penColor);
    fillBox(int64_t(right) - 1, top, right, bottom, penColor);
}

void Canvas::moveTo(int x, int y) {
    penX = x;
    penY = y;
}

void Canvas::lineTo(int x, int y) {
    drawLine(penX, penY, x, y);
    penX = x;
    penY = y;
}

// Steps along the longer axis; the other coordinate of step k is k x minor / major rounded to
// the nearest pixel (halves away from the start), as Bresenham's error term gives it. Only the
// steps whose long-axis coordinate lies inside the bounds are visited, so far-off end points cost
// nothing.
void Canvas::drawLine(int x0, int y0, int x1, int y1) {
    const Rect b = bounds();
    if (b.right <= b.left || b.bottom <= b.top) return;
    const int64_t dx = int64_t(x1) - x0;
    const int64_t dy = int64_t(y1) - y0;
    const int64_t adx = std::abs(dx);
    const int64_t ady = std::abs(dy);
    if (adx == 0 && ady == 0) return;
    const bool xMajor = adx >= ady;
    const int64_t major0 = xMajor ? x0 : y0;
    const int64_t minor0 = xMajor ? y0 : x0;
    const int64_t length = xMajor ? adx : ady;
    const int64_t rise = xMajor ? ady : adx;
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t low = xMajor ? b.left : b.top;
    const int64_t high = xMajor ? b.right : b.bottom;
    const int64_t minorLow = xMajor ? b.top : b.left;
    const int64_t minorHigh = xMajor ? b.bottom : b.right;
    int64_t begin = majorStep > 0 ? low - major0 : major0 - high + 1;
    int64_t end = majorStep > 0 ? high - major0 : major0 - low + 1;
    begin = std::max<int64_t>(begin, 0);
    end = std::min(end, length);
    const ColorChannels c = splitColor(penColor);
    for (int64_t k = begin; k < end; ++k) {
        const auto offset = int64_t((__int128(2) * k * rise + length) / (__int128(2) * length));
        const int64_t minor = minor0 + minorStep * offset;
        if (minor < minorLow || minor >= minorHigh) continue;
        const int64_t major = major0 + majorStep * k;
        if (xMajor)
            putPixel(image, major, minor, c);
        else
            putPixel(image, minor, major, c);
    }
}

void Canvas::setPixel(int x, int y, Color color) {
    const Rect b = bounds();
    if (x < b.left || x >= b.right || y < b.top || y >= b.bottom) return;
    putPixel(image, x, y, splitColor(color));
}

void Canvas::polygon(const std::vector<Point>& points) {
    if (points.size() < 2) return;
    fillPolygon(points);
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& c = points[(i + 1) % points.size()];
        drawLine(a.x, a.y, c.x, c.y);
    }
}

// Even-odd fill sampled at pixel centres: on each row the crossings of the line y + 1/2 with the
// edges are sorted, and pixels whose centre lies from one crossing up to (not including) the
// next are filled. Vertices are integral, so the sample line never passes through one.
void Canvas::fillPolygon(const std::vector<Point>& logical) {
    // At the device resolution, so that the edges are as sharp as the scale allows.
    const int s = image.scale();
    std::vector<Point> points(logical);
    for (Point& p : points) p = Point{p.x * s, p.y * s};
    const Rect b = deviceBounds();
    int64_t minY = points[0].y;
    int64_t maxY = points[0].y;
    for (const Point& p : points) {
        minY = std::min<int64_t>(minY, p.y);
        maxY = std::max<int64_t>(maxY, p.y);
    }
    const int64_t top = std::max<int64_t>(minY, b.top);
    const int64_t bottom = std::min<int64_t>(maxY, b.bottom);
    // Crossings of one row; on the stack unless the polygon is unusually large.
    std::array<double, 32> local;
    std::vector<double> large;
    double* crossings = local.data();
    if (points.size() > local.size()) {
        large.resize(points.size());
        crossings = large.data();
    }
    for (int64_t y = top; y < bottom; ++y) {
        const double sampleY = double(y) + 0.5;
        size_t count = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& c = points[(i + 1) % points.size()];
            if ((a.y < sampleY) == (c.y < sampleY)) continue;
            crossings[count++] = a.x + (sampleY - a.y) * (double(c.x) - a.x) / (double(c.y) - a.y);
        }
        std::sort(crossings, crossings + count);
        for (size_t i = 0; i + 1 < count; i += 2) {
            const int64_t from = clampToRange(std::ceil(crossings[i] - 0.5), b.left, b.right);
            const int64_t to = clampToRange(std::ceil(crossings[i + 1] - 0.5), b.left, b.right);
            fillDeviceBox(from, y, to, y + 1, penColor);
        }
    }
}

// Fills the pixels whose centres lie inside the ellipse that touches the four sides of the
// rectangle, so it covers (left, top) to (right - 1, bottom - 1).
void Canvas::ellipse(int logicalLeft, int logicalTop, int logicalRight, int logicalBottom) {
    if (logicalRight <= logicalLeft || logicalBottom <= logicalTop) return;
    const int64_t s = image.scale();
    const int64_t left = logicalLeft * s, top = logicalTop * s, right = logicalRight * s, bottom = logicalBottom * s;
    const Rect b = deviceBounds();
    const double centreX = (double(left) + double(right)) / 2;
    const double centreY = (double(top) + double(bottom)) / 2;
    const double radiusX = (double(right) - double(left)) / 2;
    const double radiusY = (double(bottom) - double(top)) / 2;
    const int64_t firstRow = std::max<int64_t>(top, b.top);
    const int64_t endRow = std::min<int64_t>(bottom, b.bottom);
    for (int64_t y = firstRow; y < endRow; ++y) {
        const double t = (double(y) + 0.5 - centreY) / radiusY;
        const double q = 1 - t * t;
        if (q < 0) continue;
        const double half = radiusX * std::sqrt(q);
        const int64_t from = clampToRange(std::ceil(centreX - half - 0.5), b.left, b.right);
        const int64_t to = clampToRange(std::floor(centreX + half - 0.5) + 1, b.left, b.right);
        fillDeviceBox(from, y, to, y + 1, penColor);
    }
}

void Canvas::drawImage(int x, int y, const Limage& source) {
    if (!source.isValid() || !image.isValid()) return;
    const Rect b = bounds();
    const int64_t left = std::max<int64_t>(x, b.left);
    const int64_t right = std::min<int64_t>(int64_t(x) + source.width(), b.right);
    const int64_t top = std::max<int64_t>(y, b.top);
    const int64_t bottom = std::min<int64_t>(int64_t(y) + source.height(), b.bottom);
    if (right <= left || bottom <= top || source.scale() != image.scale()) return;
    const int64_t s = image.scale();
    const size_t bytes = size_t(right - left) * size_t(s) * 3;
    const size_t sourceOffset = size_t(left - x) * size_t(s) * 3;
    // Drawing an image onto itself further down copies the rows bottom up.
    const bool upward = &source == &image && y > 0;
    for (int64_t i = 0; i < (bottom - top) * s; ++i) {
        const int64_t row = upward ? bottom * s - 1 - i : top * s + i;
        std::memmove(image.row(int(row)) + size_t(left * s) * 3,
                     source.row(int(row - int64_t(y) * s)) + sourceOffset, bytes);
    }
}

void Canvas::setClip(int left, int top, int right, int bottom) {
    clipped = true;
    clipLeft = left;
    clipTop = top;
    clipRight = right;
    clipBottom = bottom;
}

void Canvas::clearClip() {
    clipped = false;
}

void Canvas::setFont(int pixelHeight, bool bold) {
    fontHeight = pixelHeight;
    fontBold = bold;
}

void Canvas::textOut(int x, int y, const std::string& text) {
    FontRasterizer* rasterizer = fontRasterizer();
    const Rect box = clipBox();
    if (!rasterizer || box.right < box.left) return;
    rasterizer->drawText(image, box, x, y, text, fontHeight, fontBold, fontColor);
}

int Canvas::textWidth(const std::string& text) const {
    FontRasterizer* rasterizer = fontRasterizer();
    return rasterizer ? rasterizer->textWidth(text, fontHeight, fontBold) : 0;
}

int Canvas::textHeight(const std::string& /*text*/) const {
    FontRasterizer* rasterizer = fontRasterizer();
    return rasterizer ? rasterizer->textHeight(fontHeight, fontBold) : 0;
}

void Canvas::reportDamage(const Rect& area) const {
    if (damageSink) damageSink->damaged(area);
}

}  // namespace brio
