#pragma once

#include <utility>

#include "foundation/Text.h"
#include "graphics/Color.h"
#include "graphics/Rect.h"

namespace brio {

// What the opener of the selector popup sets before showing it. Everything but the items goes
// back to the values below after every close.
struct SelectorConfig {
    static constexpr int noCommand = -1;
    static constexpr Color defaultColour = makeColor(128, 128, 128);

    // The entries, in order. A first character "-" draws a separator above the entry, "@" dims
    // it and "#" ticks it; the mark itself is not shown.
    Text_ items;
    // Rows per column; <= 0 puts all entries in one column.
    int rowsPerColumn = -1;
    // Rows per shading band; <= 0 means rowsPerColumn.
    int band = -1;
    // Narrowest column in pixels; <= 0 means 112.
    int minColumnWidth = -1;
    // Entry shown as the current value; -1 (or any index outside the items) marks none.
    int current = -1;
    // Menu look (taller rows, dark highlight, room for ticks) instead of the list look.
    bool menuStyle = false;
    // Where to open, in screen pixels: the top-left corner, or the middle of the top edge when
    // `centred`. Without `positionSet` the popup opens centred on the mouse cursor.
    Point position{};
    bool positionSet = false;
    bool centred = false;
    // The colour from which every shade of the popup is derived (0xBBGGRR).
    Color colour = defaultColour;
    // Handed back with the choice; noCommand reports nothing.
    int commandKey = noCommand;

    // Back to the values above; the items are kept.
    void reset() {
        Text_ keptItems = std::move(items);
        *this = SelectorConfig{};
        items = std::move(keptItems);
    }
};

}  // namespace brio
