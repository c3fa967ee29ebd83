#include "graphics/LcdDisplay.h"

#include <algorithm>

#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "graphics/Limage.h"
#include "graphics/ScControl.h"
#include "graphics/SoftPen.h"

namespace brio {

namespace {

constexpr int smallestSecondLine = 14;  // pixels; a longer second line is cut with "..."
constexpr int textGap = 4;              // pixels kept free before an icon or the corner text

// `text` written from (x, top) in the largest face of `size` pixels or less, down to the
// smallest, that fits `room` pixels; cut short with "..." when even that one does not. A
// smaller face keeps the baseline (about one em below the top) where the full size has it.
void textInRoom(Canvas& canvas, int x, int top, std::string text, int size, int room) {
    const int fullSize = size;
    canvas.setFont(size, false);
    while (size > smallestSecondLine && canvas.textWidth(text) > room) canvas.setFont(--size, false);
    if (!text.empty() && canvas.textWidth(text) > room) {
        while (!text.empty() && canvas.textWidth(text + "...") > room) text.pop_back();
        text += "...";
    }
    canvas.textOut(x, top + fullSize - size, text);
    canvas.setFont(fullSize, false);
}

}  // namespace

void LcdDisplay::paint(int x, int y, int w, int h, const std::string& firstLine,
                       const std::string& secondLine, std::string_view mode, bool copyToWindow,
                       const std::string& corner) {
    DrawSurface& surface = drawSurface();
    if (!surface.ready()) return;
    Limage& buffer = *surface.backBuffer;
    Canvas& canvas = buffer.canvas();
    const Color face = surface.faceColor;
    const Color lcd = surface.lcdColor;

    x = widgetCoordinate(x);
    y = widgetCoordinate(y);
    w = widgetCoordinate(w);
    h = widgetCoordinate(h);
    rect = makeRect(x, y, x + w, y + h);
    hitAreas.fill(emptyRect);
    if (mode.size() < 2) mode = "  ";
    const char left = mode[0];
    const char right = mode[1];

    // Bevelled frame and the lcd gradient inside it.
    canvas.setColor(scaleColor(face, 0.8f));
    drawLine(canvas, x, y, x + w, y);
    drawLine(canvas, x, y, x, y + h);
    canvas.setColor(scaleColor(face, 1.15f));
    drawLine(canvas, x + w, y + 1, x + w, y + h + 1);
    drawLine(canvas, x + 1, y + h, x + w, y + h);
    canvas.setColor(scaleColor(face, 0.93f));
    canvas.fillRect(x + 1, y + 1, x + w, y + h);
    colour = lcd;
    gradientFill(canvas, x + 2, y + 2, x + w - 2, y + h - 2, scaleColor(lcd, 1.2f), lcd, false);

    clipCanvas(canvas, makeRect(x, y, x + w - 2, y + h));
    const Color ink = scaleColor(lcd, 0.35f);
    Color text = ink;
    int textLeft = x + 7;
    if (left == 'P' || left == 'p') {
        paintLeftIcon(buffer, left == 'P', ink);
        if (left == 'p') text = mixColor(ink, lcd, 0.75);
        textLeft = x + 35;
    }
    if (right == 'S' || right == 's') paintRightIcon(buffer, right == 'S', ink);

    canvas.setFontColor(text);
    canvas.setFont(firstLineHeight, false);
    canvas.textOut(textLeft, h >= 30 ? y + 7 : y + 4, firstLine);
    // The second line ends before the right icon or the corner text, or at the clip.
    int textRight = hitAreas[rightIcon] == emptyRect ? x + w - 2 : hitAreas[rightIcon].left - textGap;
    canvas.setFont(secondLineHeight, false);
    const int cornerLeft = x + w - 8 - canvas.textWidth(corner);
    if (!corner.empty()) textRight = std::min(textRight, cornerLeft - textGap);
    textInRoom(canvas, textLeft, y + 19, secondLine, secondLineHeight, textRight - textLeft);
    if (!corner.empty()) canvas.textOut(cornerLeft, y + 19, corner);
    unclipCanvas(canvas);
    if (copyToWindow) surface.copyToWindow(makeRect(x, y - captionRoom, x + w, y + h));
}

// A power symbol: a ring with a bar that crosses its top when on and hangs below the centre
// when off, left of a separator line.
void LcdDisplay::paintLeftIcon(Limage& buffer, bool on, Color ink) {
    const int x = rect.left;
    const int y = rect.top;
    const int h = rect.bottom - rect.top;
    const Color icon = scaleColor(ink, 0.75f);
    SoftPen& pen = softPen();
    pen.setTarget(&buffer).setColour(icon);
    pen.circle(x + 15.5, y + 26, 5, false);
    pen.circle(x + 15.5, y + 26, 6, false);
    pen.setTarget(nullptr);

    Canvas& canvas = buffer.canvas();
    const int blockTop = on ? y + 20 : y + 30;
    const int barTop = on ? y + 18 : y + 27;
    canvas.setColor(scaleColor(colour, 1.09f));
    canvas.fillRect(x + 14, blockTop, x + 18, blockTop + 3);
    canvas.setColor(icon);
    canvas.fillRect(x + 15, barTop, x + 17, barTop + 8);
    hitAreas[leftIcon] = makeRect(x, y, x + 28, y + 27);
    hitAreas[leftStrip] = makeRect(x, y, x + 30, y + h);

    canvas.setColor(mixColor(ink, colour, 0.5));
    drawLine(canvas, x + 29, y + 6, x + 29, y + h - 6);
}

// A slider symbol: a line between two dots, vertical or horizontal. The outer halves of the
// dots are trimmed by discs in the background colour read before drawing.
void LcdDisplay::paintRightIcon(Limage& buffer, bool vertical, Color ink) {
    const int px = rect.right - 15;
    const int py = rect.top + (rect.bottom - rect.top) / 2 + 1;
    const Color j = scaleColor(ink, 1.3f);
    const Color belowLeft = buffer.pixel(px - 8, py + 8);
    const Color aboveRight = buffer.pixel(px + 8, py - 8);
    const Color middle = buffer.pixel(px, py);
    Canvas& canvas = buffer.canvas();
    SoftPen& pen = softPen();
    pen.setTarget(&buffer).setColour(j);
    canvas.setColor(j);
    if (vertical) {
        drawLine(canvas, px, py + 6, px, py - 6);
        pen.circle(px, py + 6, 2, true);
        pen.circle(px, py - 6, 2, true);
        pen.setColour(belowLeft).circle(px, py + 8, 2, true);
        pen.setColour(aboveRight).circle(px, py - 8, 2, true);
    } else {
        drawLine(canvas, px - 6, py, px + 6, py);
        pen.circle(px - 6, py, 2, true);
        pen.circle(px + 6, py, 2, true);
        pen.setColour(middle).circle(px + 8, py, 2, true);
        pen.setColour(middle).circle(px - 8, py, 2, true);
    }
    pen.setTarget(nullptr);
    hitAreas[rightIcon] = makeRect(px - 11, py - 13, px + 13, py + 13);
}

bool LcdDisplay::hitTest(int x, int y, int area) const {
    if (area < wholeBox || area >= hitAreaCount) return false;
    const Rect& r = area == wholeBox ? rect : hitAreas[size_t(area)];
    if (r == emptyRect) return false;  // (-1, -1) is no hit: the empty area holds nothing
    return pointInRect(x, y, r);
}

}  // namespace brio
