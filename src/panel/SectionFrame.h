#pragma once

#include <string>

#include "graphics/Color.h"

namespace brio {

class Canvas;

// Pixels of a section's tab header.
inline constexpr int sectionHeaderHeight = 23;

// Draws a panel section of w x h at (x, y) on `canvas`: a row of glossy tabs (the caption split
// at ";", a leading "*" marking the selected tab), and below them the body in colour `c` with
// rounded bottom corners on `background`. With `headerOnly` only the header rows change.
void drawSectionFrame(Canvas& canvas, int x, int y, int w, int h, Color c, Color background,
                      const std::string& caption, bool headerOnly, bool darkScheme);

}  // namespace brio
