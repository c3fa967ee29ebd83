#pragma once

#include <cstdint>

#include "graphics/Rect.h"
#include "graphics/WindowHost.h"

namespace brio {

struct SelectorConfig;

// The grid of the selector popup: entry i sits in column i / rows and row i mod rows; every
// cell is columnWidth x rowHeight pixels with a 1-pixel line after it, and a 1-pixel frame
// closes the whole.
struct SelectorLayout {
    static constexpr int defaultMinColumnWidth = 112;
    static constexpr int menuRowHeight = 20;
    static constexpr int listRowHeight = 16;
    // Room beside the text in a column: menu entries leave space for the tick mark.
    static constexpr int menuTextRoom = 37;
    static constexpr int listTextRoom = 16;
    static constexpr int textPixelHeight = 11;

    int count = 0;  // entries
    int rows = 1;   // rows per column, >= 1 (rows beyond the entries stay empty)
    int band = 1;   // rows per shading band, >= 1
    int columnWidth = defaultMinColumnWidth;
    int columns = 1;  // >= 1
    int rowHeight = listRowHeight;
    int width = 1;  // client size in pixels, limited to what an image can hold
    int height = 1;

    // Top-left corner of entry i's cell; 64-bit so that no list can overflow it.
    int64_t cellLeft(int i) const { return int64_t(i / rows) * columnWidth; }
    int64_t cellTop(int i) const { return int64_t(i % rows) * rowHeight; }
    // True when entry i's cell takes the alternate shade: bands of `band` rows alternate down a
    // column, and each column starts one band further on than the one before.
    bool alternateShade(int i) const {
        const int64_t period = 2 * int64_t(band);
        return (int64_t(i / rows) * band + i) % period < band;
    }
    // True when (x, y) lies on the client area within the 1-pixel frame.
    bool insideFrame(int x, int y) const {
        return x >= 1 && y >= 1 && x <= width - 2 && y <= height - 2;
    }
};

// The grid for the configuration's items, measured in the installed font.
SelectorLayout layoutSelector(const SelectorConfig& config);

// The popup's top-left corner on the screen: at the configured position (its top edge's middle
// there when centred) or centred on `cursor`, then moved so that it stays 2 pixels inside a
// monitor `screen` (a size of 0 is unknown and not limited).
Point placeSelector(const SelectorLayout& layout, const SelectorConfig& config, Point cursor,
                    const ScreenArea& screen);

}  // namespace brio
