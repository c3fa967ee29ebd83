#pragma once

#include <algorithm>
#include <ostream>

#include "graphics/Limage.h"
#include "graphics/Rect.h"

namespace brio {

// Readable rectangles in test failure messages.
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// An image of the given size filled with one colour.
inline Limage filledImage(int width, int height, Color color) {
    Limage image;
    image.create(width, height);
    image.fill(color);
    return image;
}

// The smallest rectangle (inclusive) holding every pixel that is not `background`; emptyRect
// when there is none.
inline Rect changedArea(const Limage& image, Color background) {
    Rect area{image.width(), image.height(), -1, -1};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == background) continue;
            area = Rect{std::min(area.left, x), std::min(area.top, y), std::max(area.right, x),
                        std::max(area.bottom, y)};
        }
    }
    return area.right < 0 ? emptyRect : area;
}

inline int countPixels(const Limage& image, Color color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == color ? 1 : 0;
    return count;
}

// True when the bytes after the last pixel of every row are still zero.
inline bool paddingUntouched(const Limage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int i = image.width() * 3; i < image.stride(); ++i)
            if (image.row(y)[i] != 0) return false;
    return true;
}

}  // namespace brio
