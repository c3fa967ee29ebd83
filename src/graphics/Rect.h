#pragma once

#include <cstdint>

namespace brio {

// A rectangle of the toolkit: inclusive of right and bottom in hit tests, clipping and window
// copies. The empty rectangle is (-1, -1, -1, -1).
struct Rect {
    int32_t left = -1;
    int32_t top = -1;
    int32_t right = -1;
    int32_t bottom = -1;
    bool operator==(const Rect&) const = default;
};

inline constexpr Rect emptyRect{-1, -1, -1, -1};

constexpr Rect makeRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return Rect{left, top, right, bottom};
}
constexpr Rect offsetRect(const Rect& r, int32_t dx, int32_t dy) {
    return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
// True when left <= x <= right and top <= y <= bottom.
constexpr bool pointInRect(int32_t x, int32_t y, const Rect& r) {
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

}  // namespace brio
