#include "panel/SectionFrame.h"

#include "foundation/Text.h"
#include "foundation/TextUtils.h"
#include "graphics/Blit.h"
#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "graphics/Limage.h"
#include "graphics/SoftPen.h"

namespace brio {

namespace {

constexpr int cornerRadius = 5;
constexpr int cornerSquare = 6;
constexpr int tabTextHeight = 17;

struct TabColours {
    Color fill;
    Color text;
    double gloss;  // grey level at the top of the gloss, as a fraction of white
};

TabColours tabColours(Color c, bool selected, bool darkScheme) {
    TabColours colours{scaleColor(c, 0.9f), scaleColor(c, darkScheme ? 1.35f : 1.02f), 7.0 / 9.0};
    if (selected) {
        colours.fill = scaleColor(colours.fill, 1.35f);
        colours.text = scaleColor(colours.text, 1.5f);
        colours.gloss = 0.7 / (1.35 * 0.9);
    }
    return colours;
}

// Multiplies the tab's rectangle by a grey-to-white gradient: the gloss of the tab.
void applyGloss(Limage& frame, int left, int right, double gloss) {
    Limage shade;
    if (!shade.create(right - left, sectionHeaderHeight)) return;
    const int level = int(gloss * 255);
    gradientFill(shade.canvas(), 0, 0, shade.width(), sectionHeaderHeight - 1, makeColor(level, level, level),
                 white, false);
    blitBlend(shade, frame, left, 0, multiplyTable());
}

// The outer top corner of the first or last tab, rounded on the background.
void roundTopCorner(Limage& frame, int cornerLeft, Color squareColour, Color fill, bool leftCorner) {
    Canvas& canvas = frame.canvas();
    canvas.setColor(squareColour);
    canvas.fillRect(cornerLeft, 0, cornerLeft + cornerSquare, cornerSquare);
    const double cx = leftCorner ? cornerRadius : frame.width() - 1 - cornerRadius;
    softPen().setTarget(&frame).setColour(fill).circle(cx, cornerRadius, cornerRadius, true);
}

void drawTab(Limage& frame, int left, int right, bool first, bool last, bool selected, bool divider,
             bool underline, const std::string& text, Color c, Color background, bool darkScheme) {
    const TabColours colours = tabColours(c, selected, darkScheme);
    Canvas& canvas = frame.canvas();
    canvas.setColor(colours.fill);
    canvas.fillRect(left, 0, right, sectionHeaderHeight);
    const Color square = scaleColor(background, float(1.0 / colours.gloss));
    if (first) roundTopCorner(frame, 0, square, colours.fill, true);
    if (last) roundTopCorner(frame, frame.width() - cornerSquare, square, colours.fill, false);
    applyGloss(frame, left, right, colours.gloss);
    if (divider) {
        canvas.setColor(scaleColor(c, 0.7f));
        canvas.moveTo(left - 1, 0);
        canvas.lineTo(left - 1, sectionHeaderHeight);
    }
    if (underline) {
        canvas.setColor(selected ? scaleColor(colours.fill, 1.333f) : colours.fill);
        canvas.moveTo(left, sectionHeaderHeight - 1);
        canvas.lineTo(right, sectionHeaderHeight - 1);
    }
    canvas.setFont(tabTextHeight, false);
    canvas.setFontColor(colours.text);
    canvas.textOut(left + (right - left - canvas.textWidth(text)) / 2, 1, text);
}

void drawBody(Limage& frame, Color c, Color background) {
    Canvas& canvas = frame.canvas();
    const int w = frame.width();
    const int h = frame.height();
    canvas.setColor(scaleColor(c, 0.7f));
    canvas.moveTo(0, sectionHeaderHeight);
    canvas.lineTo(w, sectionHeaderHeight);
    canvas.setColor(scaleColor(c, 1.15f));
    canvas.moveTo(0, sectionHeaderHeight + 1);
    canvas.lineTo(w, sectionHeaderHeight + 1);
    canvas.setColor(c);
    canvas.fillRect(0, sectionHeaderHeight + 2, w, h);
    canvas.setColor(background);
    canvas.fillRect(0, h - cornerSquare, cornerSquare, h);
    canvas.fillRect(w - cornerSquare, h - cornerSquare, w, h);
    softPen().setTarget(&frame).setColour(c);
    softPen().circle(cornerRadius, h - 6, cornerRadius, true);
    softPen().circle(w - 6, h - 6, cornerRadius, true);
}

}  // namespace

void drawSectionFrame(Canvas& canvas, int x, int y, int w, int h, Color c, Color background,
                      const std::string& caption, bool headerOnly, bool darkScheme) {
    // With headerOnly the scratch image holds the header rows alone, so nothing else changes.
    Limage frame;
    if (w <= 0 || h <= sectionHeaderHeight || !frame.create(w, headerOnly ? sectionHeaderHeight : h)) return;
    frame.fill(background);
    Text_ tabs;
    split(caption, ';', tabs);
    const int n = tabs.count();
    for (int i = 0; i < n; ++i) {
        std::string text = tabs.getConst(i);
        const bool selected = !text.empty() && text[0] == '*';
        if (selected) text.erase(0, 1);
        const int left = i == 0 ? 0 : i * (w / n) + 1;
        const int right = i == n - 1 ? w - 1 : (i + 1) * (w / n);
        drawTab(frame, left, right, i == 0, i == n - 1, selected, i > 0, n > 1, text, c, background, darkScheme);
    }
    if (!headerOnly) drawBody(frame, c, background);
    canvas.drawImage(x, y, frame);
}

}  // namespace brio
