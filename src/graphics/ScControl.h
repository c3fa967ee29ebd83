#pragma once

#include <cstdint>

#include "graphics/Color.h"
#include "graphics/Rect.h"

namespace brio {

// Widget coordinates are held within +-2^24: far beyond any image (at most 10000 pixels a
// side), and far enough from the int limits that the widgets' own offsets cannot overflow.
inline constexpr int32_t widgetCoordinateLimit = 1 << 24;
int32_t widgetCoordinate(int64_t value);

// What every widget of a group shares: its area and the two colours it was constructed with.
// Widgets have no virtual operations; a group keeps one list per kind.
struct ScControl {
    // Takes the current face and text colours of the draw surface.
    ScControl();

    // Sets rect to (x, y, x + width, y + height), each side held within the coordinate limit.
    void place(int x, int y, int width, int height);

    Rect rect;  // back-buffer (window client) coordinates, inclusive
    Color faceColor;
    Color textColor;
};

}  // namespace brio
