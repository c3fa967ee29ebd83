#include "selector/SelectorPainter.h"

#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "graphics/Limage.h"
#include "selector/SelectorConfig.h"
#include "selector/SelectorEntry.h"
#include "selector/SelectorLayout.h"

namespace brio {

namespace {

constexpr Color menuHighlight = makeColor(89, 108, 128);
constexpr Color listHighlight = makeColor(255, 244, 204);
// How far the hovered cell's gradient runs from the highlight toward the cell shade.
constexpr double highlightFade = 0.7;
// A dimmed text keeps this much of its colour over the cell shade.
constexpr double dimmedStrength = 0.25;
// Room kept free of text at a cell's right end.
constexpr int textRightMargin = 5;

struct TextPlace {
    int dx;
    int dy;
};
constexpr TextPlace menuText{18, 3};
constexpr TextPlace listText{4, 1};

// The tick mark: a check two pixels thick, from the short stroke's top to its foot to the tip.
void drawTick(Canvas& canvas, int x, int y, Color color) {
    canvas.setColor(color);
    for (int thickness = 0; thickness < 2; ++thickness) {
        canvas.moveTo(x + 5, y + 10 + thickness);
        canvas.lineTo(x + 7, y + 12 + thickness);
        canvas.lineTo(x + 13, y + 6 + thickness);
    }
}

}  // namespace

SelectorShades selectorShades(Color popupColour, bool menuStyle) {
    return SelectorShades{popupColour,
                          scaleColor(popupColour, 1.72f),
                          scaleColor(popupColour, 1.8f),
                          scaleColor(popupColour, 1.64f),
                          menuStyle ? menuHighlight : listHighlight,
                          menuStyle ? white : black};
}

void paintSelector(Limage& picture, const SelectorLayout& layout, const SelectorConfig& config,
                   int hovered, std::vector<Rect>& hitRects) {
    hitRects.clear();
    if (!picture.isValid()) return;
    const SelectorShades shades = selectorShades(config.colour, config.menuStyle);
    const TextPlace place = config.menuStyle ? menuText : listText;
    const int w = layout.columnWidth;
    const int h = layout.rowHeight;
    Canvas& canvas = picture.canvas();
    canvas.clearClip();
    picture.fill(shades.ground);
    canvas.setFont(SelectorLayout::textPixelHeight);

    for (int i = 0; i < layout.count; ++i) {
        // Cells that start beyond the picture cannot be seen or hit.
        if (layout.cellLeft(i) >= picture.width() || layout.cellTop(i) >= picture.height()) {
            hitRects.push_back(emptyRect);
            continue;
        }
        const int x = int(layout.cellLeft(i));
        const int y = int(layout.cellTop(i));
        const SelectorEntry entry = parseSelectorEntry(config.items.items[size_t(i)]);
        const Color shade = layout.alternateShade(i) ? shades.alternate : shades.ground;

        canvas.setColor(shade);
        canvas.fillRect(x + 1, y + 1, x + w, y + h);
        // In the list look the highlight is a pale cream that cannot be read as text on the
        // light cells: the current entry gets it as its cell instead, with dark text.
        const bool currentCell = !config.menuStyle && i == config.current && i != hovered;
        if (currentCell) {
            canvas.setColor(shades.highlight);
            canvas.fillRect(x + 1, y + 1, x + w, y + h);
        }
        if (i == hovered)
            gradientFill(canvas, x + 1, y + 1, x + w - 1, y + h - 1, shades.highlight,
                         mixColor(shades.highlight, shade, highlightFade), false);

        canvas.setColor(shades.line);
        drawLine(canvas, x, y + h, x + w + 1, y + h);
        drawLine(canvas, x + w, y, x + w, y + h + 1);
        // The separator spans the entry's column: in a one-column menu that is the whole popup,
        // and with several columns it does not cut through the neighbouring cells.
        if (entry.mark == EntryMark::separator) {
            canvas.setColor(shades.popup);
            drawLine(canvas, x, y, x + w + 1, y);
        }

        Color ink = black;
        if (i == hovered)
            ink = shades.hoveredText;
        else if (i == config.current && config.menuStyle)
            ink = shades.highlight;
        if (entry.mark == EntryMark::dimmed) ink = mixColor(shade, ink, dimmedStrength);
        if (entry.mark == EntryMark::ticked) drawTick(canvas, x, y, ink);

        canvas.setFontColor(ink);
        canvas.setClip(x + 1, y + 1, x + w - textRightMargin, y + h);
        canvas.textOut(x + place.dx, y + place.dy, entry.text);
        canvas.clearClip();

        // Hit areas sit 2 pixels lower than the cells; a point on two areas belongs to the later.
        hitRects.push_back(Rect{x, y + 2, x + w, y + h + 2});
    }

    canvas.setColor(shades.popup);
    canvas.frameRect(0, 0, picture.width(), picture.height());
}

}  // namespace brio
