#pragma once

#include <cstdint>

namespace brio {

// A 24-bit colour: red in bits 0-7, green 8-15, blue 16-23 (written 0xBBGGRR). -1 means no
// colour where a key colour is expected.
using Color = int32_t;

inline constexpr Color noColor = -1;
inline constexpr Color white = 0xFFFFFF;
inline constexpr Color black = 0x000000;

struct ColorChannels {
    int red;
    int green;
    int blue;
};

constexpr Color makeColor(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

// The three channels of a colour (each 0..255).
ColorChannels splitColor(Color color);
// Each channel times `factor`, truncated and limited to 255 (below 1 darkens, above 1 lightens).
Color scaleColor(Color color, float factor);
// Per channel trunc(a + t x (b - a)): t = 0 gives a, t = 1 gives b.
Color mixColor(Color a, Color b, double t);
// Contrast of two colours as their relative luminances (sRGB) give it: 1 (alike) to 21 (black
// on white).
double contrastRatio(Color a, Color b);
// `ink`, moved towards white (or black, when it is the darker of the two) in small steps until
// it stands at least `ratio` (1..21) against `ground`; ink that already does is kept.
Color readableOn(Color ink, Color ground, double ratio);

}  // namespace brio
