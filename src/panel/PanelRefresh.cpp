#include "panel/PanelRefresh.h"

#include <algorithm>
#include <cmath>

#include "graphics/Drawing.h"
#include "foundation/TextUtils.h"
#include "graphics/Canvas.h"
#include "graphics/DrawSurface.h"
#include "midi/GeneralMidi.h"
#include "panel/KeyCharacters.h"
#include "panel/MainPanel.h"
#include "panel/PanelColors.h"

namespace brio {

namespace {

constexpr int smallText = 11;
constexpr int shiftCode = 16;
constexpr int leftCode = 37;
constexpr int upCode = 38;
constexpr int rightCode = 39;
constexpr int downCode = 40;

bool canDraw(const MainPanel& panel) {
    return panel.isBuilt() && drawSurface().ready() && drawSurface().backBuffer == &panel.image;
}

// A chevron pointing left (direction -1) or right (+1) with its tip at (x, yc), two pixels thick:
// its arms open away from the direction it points.
void chevron(Canvas& canvas, int x, int yc, int direction) {
    for (int thick = 0; thick < 2; ++thick) {
        const int tip = x - direction * thick;
        drawLine(canvas, tip - direction * 3, yc - 3, tip, yc);
        drawLine(canvas, tip, yc, tip - direction * 4, yc + 4);
    }
}

std::string programNumber(int program) {
    const std::string number = formatInt(program + 1);
    return std::string(number.size() < 3 ? 3 - number.size() : 0, '0') + number;
}

// "Octave" and one chevron per octave of masterKeyShift away from 24.
void drawOctaveIndicator(Canvas& canvas, const Rect& box, Color ink, int masterKeyShift) {
    const int n = (masterKeyShift - 24) / 12;
    const int yc = box.top + 9;
    canvas.setFont(smallText, false);
    canvas.setFontColor(ink);
    canvas.textOut(box.right - 87 - canvas.textWidth("Octave") / 2, yc - canvas.textHeight("Octave") / 2, "Octave");
    canvas.setColor(ink);
    for (int i = 0; i < std::abs(n); ++i) {
        if (n > 0) {
            const int x = box.right - 67 + 4 * i;
            drawLine(canvas, x, yc - 2, x + 4, yc + 2);
            drawLine(canvas, x, yc + 4, x + 3, yc + 1);
        } else {
            const int x = box.right - 108 - 4 * i;
            drawLine(canvas, x, yc - 2, x - 4, yc + 2);
            drawLine(canvas, x, yc + 4, x - 3, yc + 1);
        }
    }
}

// One slider of the details view: its label, framed track, filled part and marker.
struct Slider {
    const char* label;
    Rect track;
    int fillFrom;  // x where the filled part starts (the track's left or its centre)
    double value;
};

void drawSlider(Canvas& canvas, const Slider& s, Color ink, Color dim, int labelX, int baseline) {
    canvas.setFontColor(ink);
    canvas.textOut(labelX, baseline - canvas.textHeight(s.label), s.label);
    const Rect& t = s.track;
    canvas.setColor(dim);
    canvas.frameRect(t.left - 2, t.top, t.right + 3, t.bottom + 1);
    const int marker = t.left + int((t.right - t.left - 1) * s.value);
    canvas.fillRect(std::min(s.fillFrom, marker), t.top + 2, std::max(s.fillFrom, marker), t.bottom - 1);
    canvas.setColor(ink);
    canvas.fillRect(marker, t.top + 2, marker + 2, t.bottom - 1);
}

void drawTransposeBoxes(MainPanel& panel, Canvas& canvas, Color ink, Color dim, int x, int y, int transpose) {
    canvas.setFontColor(ink);
    canvas.textOut(x, y - canvas.textHeight("Transpose"), "Transpose");
    for (int i = 0; i < 5; ++i) {
        const Rect box = makeRect(x, y + 2, x + 12, y + 16);
        panel.transposeBoxes[size_t(i)] = box;
        const int yc = (box.top + box.bottom) / 2;
        if (i == 2) {
            const std::string value = formatInt(transpose);
            canvas.textOut((box.left + box.right) / 2 + 3 - canvas.textWidth(value) / 2,
                           yc - canvas.textHeight(value) / 2, value);
        } else {
            canvas.setColor(dim);
            canvas.fillRect(box.left, box.top, box.right, box.bottom);
            canvas.setColor(ink);
            const int direction = i < 2 ? -1 : 1;
            const int count = (i == 0 || i == 4) ? 2 : 1;
            for (int c = 0; c < count; ++c) {
                const int tip = direction < 0 ? box.left + 2 + 4 * c : box.right - 3 - 4 * c;
                chevron(canvas, tip, yc, direction);
            }
        }
        x += i == 2 ? 18 : 14;
    }
}

void drawDetails(MainPanel& panel, Canvas& canvas, const Rect& box, Color lcd, const ToneView& tone) {
    Color ink = scaleColor(lcd, 0.35f);
    Color dim = mixColor(ink, lcd, 0.75);
    if (!tone.active) {
        ink = mixColor(ink, lcd, 0.75);
        dim = mixColor(dim, lcd, 0.75);
    }
    const bool large = panel.large();
    const int m = large ? 110 : 72;
    const int g = large ? 10 : 6;
    int x = box.left + 35;
    const int y = (box.top + box.bottom) / 2 + 3;
    canvas.setFont(smallText, true);
    canvas.setFontColor(ink);
    canvas.textOut(x, box.top + 3, programName(tone.program));
    canvas.setFont(smallText, false);

    panel.volumeBarBox = makeRect(x + 2, y + 2, x + m - 2, y + 16);
    drawSlider(canvas, {"Volume", panel.volumeBarBox, panel.volumeBarBox.left, tone.volume}, ink, dim, x, y);
    x += m + g;
    panel.panBarBox = makeRect(x + 2, y + 2, x + 70, y + 16);
    const int centre = (panel.panBarBox.left + panel.panBarBox.right) / 2;
    drawSlider(canvas, {"Panorama", panel.panBarBox, centre, tone.pan}, ink, dim, x, y);
    x += 72 + g;
    drawTransposeBoxes(panel, canvas, ink, dim, x, y, tone.transpose);
}

// The window copy of a display box: the box and the caption room above it.
Rect displayArea(const LcdDisplay& display) {
    return makeRect(display.rect.left, display.rect.top - LcdDisplay::captionRoom, display.rect.right,
                    display.rect.bottom);
}

}  // namespace

void refreshToneDisplay(MainPanel& panel, const ToneView& tone) {
    if (!canDraw(panel)) return;
    DrawSurface& surface = drawSurface();
    surface.faceColor = panel.sectionColor();
    const int program = std::clamp(tone.program, 0, 127);
    std::string mode = tone.active ? "P" : "p";
    mode += tone.details ? "S" : "s";
    const std::string first = tone.details ? "" : familyName(program, false);
    const std::string second = tone.details ? "" : programNumber(program) + " " + programName(program);
    const bool more = tone.details || tone.masterKeyShift != 24;
    const Rect& box = panel.toneDisplayBox;
    panel.volumeBarBox = panel.panBarBox = emptyRect;
    panel.transposeBoxes.fill(emptyRect);
    panel.toneDisplay.paint(box.left, box.top, box.right - box.left, box.bottom - box.top, first, second, mode,
                            !more);
    if (!more) return;
    Canvas& canvas = panel.image.canvas();
    const Color lcd = panel.toneDisplay.colour;
    if (tone.masterKeyShift != 24) {
        drawOctaveIndicator(canvas, panel.toneDisplay.rect, scaleColor(lcd, 0.35f), tone.masterKeyShift);
    }
    if (tone.details) drawDetails(panel, canvas, panel.toneDisplay.rect, lcd, tone);
    surface.copyToWindow(displayArea(panel.toneDisplay));
}

void refreshStyleDisplay(MainPanel& panel, const std::string& styleName, int styleBpm,
                         const std::string& currentTempo, const std::string& chord) {
    if (!canDraw(panel)) return;
    drawSurface().faceColor = panel.sectionColor();
    std::string first = styleName;
    if (styleName.find("Metronome") == std::string::npos) first += " (" + formatInt(styleBpm) + " BPM)";
    const Rect& box = panel.styleDisplayBox;
    panel.styleDisplay.paint(box.left, box.top, box.right - box.left, box.bottom - box.top, first, currentTempo, "",
                             true, chord);
}

namespace {

// Where each F-key marker stands by octave shift: the piano key it sits over and its offset
// from that key's left edge, in pixels. The markers fill the gap beside the upper row's labels
// towards the octave they select; the active one (key -1) is not drawn.
struct FKeyMarker {
    int key;
    int offset;
};
constexpr FKeyMarker fKeyMarkers[3][3] = {{{-1, 0}, {52, -2}, {52, 17}},
                                          {{40, -2}, {-1, 0}, {64, -2}},
                                          {{50, -1}, {50, 18}, {-1, 0}}};
constexpr double labelContrast = 4.5;  // least contrast of key labels and markers on the dark schemes

void drawArrow(Canvas& canvas, int cx, int cy, int code) {
    switch (code) {
        case leftCode:
        case rightCode: {
            const int d = code == leftCode ? -1 : 1;
            drawLine(canvas, cx - 4 * d, cy, cx + 5 * d, cy);
            drawLine(canvas, cx + 4 * d, cy, cx + d, cy - 3);
            drawLine(canvas, cx + 4 * d, cy, cx + d, cy + 3);
            return;
        }
        default: {
            const int d = code == upCode ? -1 : 1;
            drawLine(canvas, cx, cy - 4 * d, cx, cy + 5 * d);
            drawLine(canvas, cx, cy + 4 * d, cx - 3, cy + d);
            drawLine(canvas, cx, cy + 4 * d, cx + 3, cy + d);
            return;
        }
    }
}

void drawKeyLabel(Canvas& canvas, int code, int cx, int cy, bool white) {
    const bool arrow = white ? (code == leftCode || code == rightCode || code == downCode) : code == upCode;
    if (arrow) {
        drawArrow(canvas, cx, cy, code);
        return;
    }
    const std::string text = code == shiftCode ? "Sh" : keyCharacters().character(code);
    if (text.empty()) return;
    canvas.textOut(cx - canvas.textWidth(text) / 2, cy - canvas.textHeight(text) / 2, text);
}

// The scheme colour; on the dark schemes lightened until it reads on the keyboard area.
Color labelColor(const MainPanel& panel) {
    const Color section = panel.sectionColor();
    return panel.darkScheme() ? readableOn(section, MainPanel::keyboardAreaColor, labelContrast) : section;
}

void drawFKeyMarkers(MainPanel& panel, Canvas& canvas, int stripTop, Color box) {
    const int shift = panel.piano.getOctaveShift();
    const int row = shift == 12 ? 1 : shift == 24 ? 2 : 0;
    const char* names[3] = {"F5", "F6", "F7"};
    for (int k = 0; k < 3; ++k) {
        const FKeyMarker& marker = fKeyMarkers[row][k];
        if (marker.key < 0) continue;
        const int x = panel.keyboardLeft + panel.piano.keyRect(marker.key).left + marker.offset;
        canvas.setColor(box);
        canvas.fillRect(x - 1, stripTop, x + 16, stripTop + 12);
        canvas.setFontColor(MainPanel::keyboardAreaColor);
        canvas.textOut(x + 2, stripTop - 2, names[k]);
    }
}

}  // namespace

void refreshKeyLabels(MainPanel& panel, bool show) {
    if (!canDraw(panel)) return;
    Canvas& canvas = panel.image.canvas();
    const PianoKeyboard& piano = panel.piano;
    const int left = panel.keyboardLeft;
    const int right = panel.width() - panel.keyboardLeft;
    const Rect above = makeRect(left, panel.keyboardTop - 13, right, panel.keyboardTop - 2);
    const Rect below =
        makeRect(left, panel.keyboardTop + piano.whiteKeyHeight() + 2, right, panel.height() - 2);
    canvas.setColor(MainPanel::keyboardAreaColor);
    for (const Rect& strip : {above, below}) canvas.fillRect(strip.left, strip.top, strip.right + 1, strip.bottom + 1);
    if (show) {
        canvas.setFont(smallText, false);
        const Color ink = labelColor(panel);
        drawFKeyMarkers(panel, canvas, above.top, ink);
        canvas.setFontColor(ink);
        canvas.setColor(ink);
        for (int key = 0; key < piano.keyCount(); ++key) {
            const int code = piano.codeForKey(key);
            if (code < 0) continue;
            const Rect r = piano.keyRect(key);
            const int cx = left + (r.left + r.right) / 2;
            const bool white = PianoKeyboard::isWhite(key);
            const int cy = white ? panel.keyboardTop + r.bottom + 7 : panel.keyboardTop + r.top - 8;
            drawKeyLabel(canvas, code, cx, cy, white);
        }
    }
    drawSurface().copyToWindow(above);
    drawSurface().copyToWindow(below);
}

void drawRecorderLamp(MainPanel& panel, LampState state, uint32_t elapsedMs) {
    if (!canDraw(panel) || !panel.toneDisplay.rect.right) return;
    const Rect& box = panel.toneDisplay.rect;
    const Rect lamp = makeRect(box.right - 46, box.top + 8, box.right - 8, box.top + 11);
    Limage& image = panel.image;
    const Color background = image.pixel(lamp.left - 1, lamp.top);
    Canvas& canvas = image.canvas();
    canvas.setColor(background);
    canvas.fillRect(lamp.left, lamp.top, lamp.right + 1, lamp.bottom + 1);
    if (state != LampState::off) {
        double level = state == LampState::playing ? 0.35 : 0.625 + 0.275 * std::cos(elapsedMs * 0.006);
        level = std::clamp(level, 0.0, 1.0);
        canvas.setColor(mixColor(black, background, level));
        canvas.fillRect(lamp.left, lamp.top, lamp.right + 1, lamp.bottom + 1);
        // Strokes moving at 28 pixels a second, clipped to the lamp.
        const int shift = int(std::fmod(elapsedMs * 0.028, 12.0));
        const int height = lamp.bottom - lamp.top + 1;
        for (int x = lamp.left - 9 + shift; x <= lamp.right; x += 12) {
            for (int i = 0; i < 9; ++i) {
                const int px = x + i;
                const int py = lamp.bottom - (i * height) / 9;
                if (px >= lamp.left && px <= lamp.right) image.setPixel(px, py, background);
            }
        }
    }
    drawSurface().copyToWindow(lamp);
}

}  // namespace brio
