#include "selector/SelectorLayout.h"

#include <algorithm>

#include "graphics/FontRasterizer.h"
#include "graphics/Limage.h"
#include "selector/SelectorConfig.h"
#include "selector/SelectorEntry.h"

namespace brio {

namespace {

constexpr int screenMargin = 2;

// Sizes are worked out in 64 bits and limited to what an image can hold, so that no row count
// or text width can overflow them.
int limitedSide(int64_t pixels) {
    return int(std::clamp<int64_t>(pixels, 1, Limage::maxSide));
}

}  // namespace

SelectorLayout layoutSelector(const SelectorConfig& config) {
    SelectorLayout layout;
    const int n = std::max(config.items.count(), 0);
    layout.count = n;
    // A short list is no taller than its entries: a picker of 3 patterns at 10 rows a column
    // shows 3 rows, not 7 empty ones below them.
    layout.rows = config.rowsPerColumn <= 0 ? std::max(n, 1) : std::max(std::min(config.rowsPerColumn, n), 1);
    layout.band = config.band <= 0 ? layout.rows : config.band;
    const int room = config.menuStyle ? SelectorLayout::menuTextRoom : SelectorLayout::listTextRoom;
    int64_t widest =
        config.minColumnWidth <= 0 ? SelectorLayout::defaultMinColumnWidth : config.minColumnWidth;
    if (FontRasterizer* font = fontRasterizer()) {
        for (int i = 0; i < n; ++i) {
            const SelectorEntry entry = parseSelectorEntry(config.items.items[size_t(i)]);
            widest = std::max<int64_t>(
                widest,
                int64_t(font->textWidth(entry.text, SelectorLayout::textPixelHeight, false)) +
                    room);
        }
    }
    layout.columnWidth = limitedSide(widest);
    layout.columns = std::max((n - 1) / layout.rows + 1, 1);
    layout.rowHeight =
        config.menuStyle ? SelectorLayout::menuRowHeight : SelectorLayout::listRowHeight;
    layout.width = limitedSide(int64_t(layout.columnWidth) * layout.columns + 1);
    layout.height = limitedSide(int64_t(layout.rowHeight) * layout.rows + 1);
    return layout;
}

Point placeSelector(const SelectorLayout& layout, const SelectorConfig& config, Point cursor,
                    const ScreenArea& screen) {
    int64_t left;
    int64_t top;
    if (config.positionSet) {
        left = config.centred ? int64_t(config.position.x) - layout.width / 2 : config.position.x;
        top = config.position.y;
    } else {
        left = int64_t(cursor.x) - layout.width / 2;
        top = int64_t(cursor.y) - layout.height / 2;
    }
    if (screen.width > 0)
        left = std::min<int64_t>(left, int64_t(screen.left) + screen.width - screenMargin - layout.width);
    if (screen.height > 0)
        top = std::min<int64_t>(top, int64_t(screen.top) + screen.height - screenMargin - layout.height);
    left = std::max<int64_t>(left, int64_t(screen.left) + screenMargin);
    top = std::max<int64_t>(top, int64_t(screen.top) + screenMargin);
    // Far-off positions of a bad caller stay representable.
    return Point{int32_t(std::clamp<int64_t>(left, INT32_MIN, INT32_MAX)),
                 int32_t(std::clamp<int64_t>(top, INT32_MIN, INT32_MAX))};
}

}  // namespace brio
