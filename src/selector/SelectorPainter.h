#pragma once

#include <vector>

#include "graphics/Color.h"
#include "graphics/Rect.h"

namespace brio {

class Limage;
struct SelectorConfig;
struct SelectorLayout;

// The colours of the popup, all derived from its colour and look.
struct SelectorShades {
    Color popup;        // frame and separators: the popup colour itself
    Color ground;       // cells outside the alternate bands
    Color alternate;    // cells in the alternate bands
    Color line;         // the lines between cells
    Color highlight;    // hovered cell (gradient start) and the current entry's text
    Color hoveredText;  // text of the hovered entry
};

SelectorShades selectorShades(Color popupColour, bool menuStyle);

// Paints the whole popup into `picture` (which must have the layout's size): cells in their
// band shades, the hovered entry's highlight, lines, marks, texts and the frame. `hitRects`
// receives one rectangle (inclusive) per entry, in entry order; an entry beyond the picture
// gets the empty rectangle.
void paintSelector(Limage& picture, const SelectorLayout& layout, const SelectorConfig& config,
                   int hovered, std::vector<Rect>& hitRects);

}  // namespace brio
