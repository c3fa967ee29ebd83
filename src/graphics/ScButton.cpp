#include "graphics/ScButton.h"

#include <array>
#include <vector>

#include "graphics/BassClef.h"
#include "graphics/Blit.h"
#include "graphics/Canvas.h"
#include "graphics/DrawSurface.h"
#include "graphics/Drawing.h"
#include "graphics/SoftPen.h"

namespace brio {

namespace {

// No image is wider than this, so a larger label shift could only move the label off every
// image; holding it here keeps the label arithmetic far from the int limits.
constexpr int32_t maxLabelOffset = Limage::maxSide;

constexpr Color pushShadeRowColor = 0xE0E0E0;
constexpr Color pushShadeColumnColor = 0xD8D8D8;

struct NamedIcon {
    std::string_view name;
    ScButton::Icon icon;
};

constexpr std::array<NamedIcon, 11> iconNames{{
    {"<", ScButton::Icon::left},
    {">", ScButton::Icon::right},
    {"<up>", ScButton::Icon::up},
    {"<down>", ScButton::Icon::down},
    {"<plus>", ScButton::Icon::plus},
    {"<minus>", ScButton::Icon::minus},
    {"<cross>", ScButton::Icon::cross},
    {"<sound>", ScButton::Icon::sound},
    {"<reset>", ScButton::Icon::reset},
    {"<play>", ScButton::Icon::play},
    {"<check>", ScButton::Icon::check},
}};

ScButton::Icon iconNamed(std::string_view text) {
    for (const NamedIcon& entry : iconNames)
        if (entry.name == text) return entry.icon;
    return ScButton::Icon::none;
}

// A signed decimal number after optional blanks; reading stops at the first non-digit, and
// text without digits reads as 0.
int32_t readOffset(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(maxLabelOffset, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

// The icon in the pen colour around (cx, cy); lines exclude their end points.
void drawIcon(Canvas& canvas, ScButton::Icon icon, int cx, int cy) {
    using Icon = ScButton::Icon;
    switch (icon) {
        case Icon::left:
            for (int k = -1; k <= 1; ++k) {
                drawLine(canvas, cx - 2 + k, cy, cx + 2 + k, cy - 4);
                drawLine(canvas, cx - 2 + k, cy, cx + 2 + k, cy + 4);
            }
            break;
        case Icon::right:
            for (int k = -1; k <= 1; ++k) {
                drawLine(canvas, cx + 2 - k, cy, cx - 2 - k, cy - 4);
                drawLine(canvas, cx + 2 - k, cy, cx - 2 - k, cy + 4);
            }
            break;
        case Icon::up:
            for (int k = -1; k <= 1; ++k) {
                drawLine(canvas, cx, cy - 2 - k, cx - 4, cy + 2 - k);
                drawLine(canvas, cx, cy - 2 - k, cx + 4, cy + 2 - k);
            }
            break;
        case Icon::down:
            for (int k = -1; k <= 1; ++k) {
                drawLine(canvas, cx, cy + 2 - k, cx - 4, cy - 2 - k);
                drawLine(canvas, cx, cy + 2 - k, cx + 4, cy - 2 - k);
            }
            break;
        case Icon::play:  // a solid triangle pointing right, one column at a time
            for (int k = 0; k <= 6; ++k)
                drawLine(canvas, cx - 3 + k, cy + k - 6, cx - 3 + k, cy + 7 - k);
            break;
        case Icon::plus:
            for (int k = 0; k <= 1; ++k) drawLine(canvas, cx - k, cy - 4, cx - k, cy + 4);
            [[fallthrough]];
        case Icon::minus:
            for (int k = 0; k <= 1; ++k) drawLine(canvas, cx - 4, cy - k, cx + 4, cy - k);
            break;
        case Icon::cross:
            for (int k = 0; k <= 1; ++k) {
                drawLine(canvas, cx + k - 4, cy - 3, cx + k + 3, cy + 4);
                drawLine(canvas, cx + k + 2, cy - 3, cx + k - 5, cy + 4);
            }
            break;
        case Icon::sound:
            canvas.fillRect(cx - 3, cy - 2, cx, cy + 3);
            canvas.polygon({{cx, cy - 2}, {cx + 2, cy - 4}, {cx + 2, cy + 4}, {cx, cy + 2}});
            break;
        case Icon::reset:
            drawLine(canvas, cx - 6, cy, cx + 6, cy);
            canvas.polygon({{cx - 3, cy - 3}, {cx + 2, cy - 3}, {cx, cy - 1}, {cx - 1, cy - 1}});
            canvas.polygon({{cx - 3, cy + 3}, {cx + 2, cy + 3}, {cx, cy + 1}, {cx - 1, cy + 1}});
            break;
        case Icon::check:  // drawn with its state by drawCheckBox
        case Icon::none:
            break;
    }
}

// A square frame in `ink` around a dark well on the face `ground` (its lightest tone), with
// a tick in `tick` when on; frame and tick are made to stand out from what lies around them.
void drawCheckBox(Canvas& canvas, int cx, int cy, Color ground, Color ink, Color tick, bool on) {
    constexpr int half = 5;
    const Color well = scaleColor(ground, 0.5f);
    canvas.setColor(readableOn(ink, ground, ScButton::checkContrast));
    canvas.frameRect(cx - half, cy - half, cx + half + 1, cy + half + 1);
    canvas.setColor(well);
    canvas.fillRect(cx - half + 1, cy - half + 1, cx + half, cy + half);
    if (!on) return;
    canvas.setColor(readableOn(tick, well, ScButton::checkContrast));
    for (int k = 0; k <= 1; ++k) {
        drawLine(canvas, cx - 3, cy - 1 + k, cx - 1, cy + 1 + k);
        drawLine(canvas, cx - 1, cy + 1 + k, cx + 4, cy - 4 + k);
    }
}

}  // namespace

void ScButton::buildPlain(int x, int y, int width, int height, std::string_view text) {
    toggleTarget = nullptr;
    radioTarget = nullptr;
    radioValue = -1;
    build(x, y, width, height, text);
}

void ScButton::buildToggle(int x, int y, int width, int height, std::string_view text,
                           bool* target) {
    toggleTarget = target;
    radioTarget = nullptr;
    radioValue = -1;
    build(x, y, width, height, text);
}

void ScButton::buildRadio(int x, int y, int width, int height, std::string_view text,
                          int32_t* target, int32_t value) {
    toggleTarget = nullptr;
    radioTarget = target;
    radioValue = target ? value : -1;
    build(x, y, width, height, text);
}

void ScButton::build(int x, int y, int width, int height, std::string_view text) {
    place(x, y, width, height);
    pressed = false;
    readCaption(text);
    pushShadeRow.release();
    pushShadeColumn.release();
    if (!onFace.create(width, height) || !offFace.create(width, height)) {
        onFace.release();
        offFace.release();
        return;
    }
    if (round) {
        renderRoundFace(offFace, false);
        renderRoundFace(onFace, true);
        return;
    }
    renderRectangularFace(offFace, false);
    if (isBound())
        renderRectangularFace(onFace, true);
    else
        onFace = offFace;
    if (pushShadeRow.create(width, 1)) pushShadeRow.fill(pushShadeRowColor);
    if (pushShadeColumn.create(1, height - 2)) pushShadeColumn.fill(pushShadeColumnColor);
}

void ScButton::readCaption(std::string_view text) {
    label.clear();
    labelOffset = 0;
    round = false;
    bright = false;
    icon = Icon::none;
    if (text.empty()) text = " ";
    const size_t at = text.find('@');
    if (at != std::string_view::npos) {
        if (at + 1 < text.size()) labelOffset = readOffset(text.substr(at + 1));
        text = text.substr(0, at);
    }
    if (text.starts_with('#')) {
        text.remove_prefix(1);
        bright = true;
    }
    if (text.starts_with('$')) {
        text.remove_prefix(1);
        round = true;
        label = text;
        caption.clear();
        return;
    }
    caption = text;
    icon = iconNamed(text);
}

void ScButton::renderRectangularFace(Limage& face, bool lit) const {
    const int w = face.width();
    const int h = face.height();
    Canvas& canvas = face.canvas();
    const Color base = scaleColor(faceColor, bright ? 1.17f : 0.85f);
    const Color light = scaleColor(base, 1.15f);
    const Color dark = scaleColor(base, 0.9f);

    canvas.setColor(scaleColor(faceColor, 0.58f));
    canvas.frameRect(0, 0, w, h);
    canvas.setColor(light);
    canvas.fillRect(1, 1, w - 1, 2);
    canvas.setColor(dark);
    canvas.fillRect(1, h - 2, w - 1, h - 1);
    gradientFill(canvas, 1, 2, w - 2, h - 3, scaleColor(base, 0.93f), scaleColor(base, 1.07f),
                 false);

    const Color content = scaleColor(textColor, 0.9f);
    const int cx = w / 2;
    const int cy = h / 2;
    if (icon == Icon::none) {
        canvas.setFont(textHeight, true);
        canvas.setFontColor(content);
        const int raise = isBound() ? 0 : 1;  // without an LED the text sits a pixel higher
        canvas.textOut(cx - canvas.textWidth(caption) / 2,
                       cy - canvas.textHeight(caption) / 2 - raise, caption);
        canvas.setFont(textHeight, false);
    } else if (icon == Icon::check) {
        drawCheckBox(canvas, cx, cy, scaleColor(base, 1.07f), content, drawSurface().ledColor, lit);
    } else {
        canvas.setColor(content);
        drawIcon(canvas, icon, cx, cy);
    }

    if (!isBound()) return;
    // The LED strip: 30 pixels lit, 15 on buttons narrower than 40; an odd width adds one.
    const int half = w < 40 ? 7 : 15;
    const int a = cx - half;
    const int b = cx + half + (w % 2);
    canvas.setColor(light);
    drawLine(canvas, a - 1, 4, b + 1, 4);
    drawLine(canvas, b, 2, b, 4);
    canvas.setColor(dark);
    drawLine(canvas, a, 1, b, 1);
    drawLine(canvas, a - 1, 1, a - 1, 4);
    canvas.setColor(lit ? drawSurface().ledColor : scaleColor(base, 0.7f));
    canvas.fillRect(a, 2, b, 4);
}

void ScButton::renderRoundFace(Limage& face, bool on) const {
    const int w = face.width();
    const int h = face.height();
    face.fill(faceColor);
    const int radius = (w - 1) / 2;
    const int cx = w / 2;
    const int cy = h / 2;
    SoftPen& pen = softPen();
    pen.setTarget(&face);
    pen.setColour(scaleColor(faceColor, 1.22f)).circle(cx, cy, radius, true);
    pen.setColour(scaleColor(faceColor, 0.85f)).circle(cx, cy, radius - 2, true);

    const bool record = label == "Record";
    const Color onColor = record ? recordColor : drawSurface().ledColor;
    const Color symbol = on ? onColor : black;
    if (record || label == "Play")
        pen.setColour(on ? onColor : scaleColor(faceColor, 0.7f)).circle(cx, cy, radius - 4, false);
    if (record) {
        pen.setColour(symbol).circle(cx, cy, 3, true);
    } else if (label == "Play") {
        Canvas& canvas = face.canvas();
        canvas.setColor(symbol);
        canvas.polygon({{cx - 1, cy - 4}, {cx + 3, cy}, {cx - 1, cy + 4}});
    } else if (label == "Rhythm") {  // two drumsticks
        pen.setColour(symbol);
        pen.line(cx - 6, cy + 3, cx - 3, cy - 3);
        pen.line(cx + 6, cy + 3, cx + 3, cy - 3);
        pen.circle(cx - 3, cy - 3, 1, false);
        pen.circle(cx + 3, cy - 3, 1, false);
    } else if (label == "Bass") {
        Limage clef = bassClefImage();
        clef.setCentred();
        blitBlend(clef, face, cx + 1, cy + 1, multiplyTable());
        if (on) {  // the strokes glow in the LED colour
            clef.invert();
            clef.tint(drawSurface().ledColor);
            blitBlend(clef, face, cx + 1, cy + 1, addTable());
        }
    }
    pen.setTarget(nullptr);
}

bool ScButton::isOn() const {
    return (toggleTarget && *toggleTarget) || (radioTarget && *radioTarget == radioValue);
}

const void* ScButton::boundAddress() const {
    if (radioTarget) return radioTarget;
    return toggleTarget;
}

void ScButton::paint() {
    DrawSurface& surface = drawSurface();
    if (!surface.ready()) return;
    Limage& buffer = *surface.backBuffer;
    if (!label.empty()) paintLabel(buffer);
    const Limage& face = isOn() ? onFace : offFace;
    if (!face.isValid()) return;
    if (pressed && !round)
        paintPushedIn(buffer, face);
    else
        blitKeyed(face, buffer, rect.left, rect.top, noColor);
    surface.copyToWindow(rect);
}

// The label sits on the section's plain face colour. Its box is cleared before the text is
// drawn, so that repeated paints do not darken the anti-aliased edges of the glyphs.
void ScButton::paintLabel(Limage& buffer) const {
    Canvas& canvas = buffer.canvas();
    canvas.setFont(textHeight, false);
    const int width = canvas.textWidth(label);
    const int height = canvas.textHeight(label);
    const int x = (rect.left + rect.right) / 2 + labelOffset - width / 2;
    const int y = rect.top - 2 * (height / 2) - 4;
    canvas.setColor(faceColor);
    canvas.fillRect(x, y, x + width, y + height);
    canvas.setFontColor(textColor);
    canvas.textOut(x, y, label);
}

// The face moved down one pixel, with a shadow under the top edge and along the left edge.
void ScButton::paintPushedIn(Limage& buffer, const Limage& face) const {
    buffer.setClip(rect.left, rect.top, rect.right, rect.bottom - 2);
    blitTinted(face, buffer, rect.left, rect.top + 1, noColor, white, multiplyTable());
    blitBlend(pushShadeRow, buffer, rect.left, rect.top + 2, multiplyTable());
    blitBlend(pushShadeColumn, buffer, rect.left + 1, rect.top + 2, multiplyTable());
    buffer.resetClip();
}

bool ScButton::takesPress(int x, int y) const {
    return rect.left <= x && x <= rect.right && rect.top <= y && y < rect.bottom;
}

bool ScButton::press(int x, int y) {
    if (!takesPress(x, y)) return false;
    pressed = true;
    if (toggleTarget) *toggleTarget = !*toggleTarget;
    if (radioTarget) *radioTarget = radioValue;
    paint();
    return true;
}

}  // namespace brio
