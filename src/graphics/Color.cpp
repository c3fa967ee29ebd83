#include "graphics/Color.h"

#include <algorithm>
#include <cmath>

namespace brio {

namespace {

// Truncates toward zero and limits to one channel byte; NaN becomes 0.
int channelOf(double value) {
    if (!(value > 0)) return 0;
    if (value >= 255) return 255;
    return int(value);
}

// The relative luminance of an sRGB colour, 0 (black) to 1 (white).
double luminance(Color color) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const ColorChannels c = splitColor(color);
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
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

double contrastRatio(Color a, Color b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color readableOn(Color ink, Color ground, double ratio) {
    constexpr int steps = 20;
    const Color end = luminance(ink) >= luminance(ground) ? white : black;
    Color result = ink;
    for (int i = 1; i <= steps && contrastRatio(result, ground) < ratio; ++i)
        result = mixColor(ink, end, double(i) / steps);
    return result;
}

}  // namespace brio
