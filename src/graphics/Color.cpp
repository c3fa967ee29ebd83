#include "graphics/Color.h"

#include <cmath>

namespace brio {

namespace {

// Truncates toward zero and limits to one channel byte; NaN becomes 0.
int channelOf(double value) {
    if (!(value > 0)) return 0;
    if (value >= 255) return 255;
    return int(value);
}

}  // namespace

ColorChannels splitColor(Color color) {
    return {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
}

Color scaleColor(Color color, float factor) {
    // An 8-bit channel times a single-precision factor is exact in double precision.
    const ColorChannels c = splitColor(color);
    const double f = factor;
    return makeColor(channelOf(c.red * f), channelOf(c.green * f), channelOf(c.blue * f));
}

Color mixColor(Color a, Color b, double t) {
    const ColorChannels ca = splitColor(a);
    const ColorChannels cb = splitColor(b);
    return makeColor(channelOf(ca.red + t * (cb.red - ca.red)),
                     channelOf(ca.green + t * (cb.green - ca.green)),
                     channelOf(ca.blue + t * (cb.blue - ca.blue)));
}

}  // namespace brio
