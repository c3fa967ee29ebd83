#pragma once

#include <array>
#include <cstdint>

#include "graphics/Color.h"

namespace brio {

class Limage;

// A 256 x 256 blend table indexed [source or colour channel][destination channel].
using BlendTable = std::array<std::array<uint8_t, 256>, 256>;

// trunc(d x s / 255), min(255, s + d), max(0, d - s); built once, on first use.
const BlendTable& multiplyTable();
const BlendTable& addTable();
const BlendTable& subtractTable();

// The blits place `src` at (x, y) in `dst` (its centre there when `src` is centred) and write
// only inside dst's clip rectangle.

// Copies every source pixel that is not the key colour; key noColor copies every pixel.
void blitKeyed(const Limage& src, Limage& dst, int x, int y, Color key);
// For every source pixel that is not the key colour: dst channel = table[tint channel][src channel].
void blitTinted(const Limage& src, Limage& dst, int x, int y, Color key, Color tint, const BlendTable& table);
// For every pixel: dst channel = table[src channel][dst channel].
void blitBlend(const Limage& src, Limage& dst, int x, int y, const BlendTable& table);

}  // namespace brio
