#pragma once

#include <cstdint>

#include "graphics/Color.h"

namespace brio {

class Limage;

// Anti-aliased points, lines and circles drawn straight into an image's pixels.
class SoftPen {
public:
    SoftPen& setTarget(Limage* image) {
        target = image;
        return *this;
    }
    SoftPen& setColour(Color colour);

    // A point at real coordinates spread over the four pixels around it by distance.
    void plot(double x, double y);
    void line(double x0, double y0, double x1, double y1);
    // A ring of radius r around (cx, cy); with `filled`, a solid disc under it.
    void circle(double cx, double cy, double r, bool filled);

private:
    void plotDevice(double x, double y, int scale);
    // One device pixel at distance d (0..1 of the pen's reach) from the point.
    void blend(uint8_t* pixel, double d) const;

    Limage* target = nullptr;
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The pen shared by all widget painters.
SoftPen& softPen();

}  // namespace brio
