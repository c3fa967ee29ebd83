#include "panel/MainPanel.h"

#include <string>

#include "foundation/AppIdentity.h"
#include "foundation/TextUtils.h"
#include "graphics/Blit.h"
#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "graphics/DrawSurface.h"
#include "midi/GeneralMidi.h"
#include "panel/PanelColors.h"
#include "panel/SectionFrame.h"

namespace brio {

namespace {

constexpr int normalKeySize = 20;
constexpr int largeKeySize = 24;
constexpr int separatorTop = 307;
constexpr int titleGradientTop = 47;
constexpr int menuTop = 20;
constexpr int menuBottom = 31;
constexpr int menuLeft = 11;
constexpr int smallText = 11;
constexpr int faderTravel = 100;
constexpr int faderTicks = 10;
constexpr int switchWidth = 73;
constexpr int roundButton = 31;
constexpr Color titleTextColor = makeColor(192, 176, 138);
constexpr Color stripLineColor = 0x141414;
constexpr const char* programInBankCaptions[8] = {"#1", "#2", "#3", "#4", "#5", "#6", "#7", "#8"};
constexpr const char* menuCaptions[MainPanel::menuCount] = {"Workspace", "Record", "Options", "Help"};
constexpr const char* sectionCaptions[sectionRequestCount] = {"Intro", "A", "B", "Fill", "Break", "Ending"};
constexpr int sectionButtonTop = 14;  // centred on the menu row and the close box
constexpr int sectionButtonHeight = 22;

// A tone of the side strips: red n, green and blue a little lower.
Color stripTone(int n) { return makeColor(n, int(0.92 * n), int(0.72 * n)); }

// A one-pixel column of `colour` over the full height, blended into the image.
void blendColumn(Limage& image, int x, const BlendTable& table) {
    Limage column;
    if (!column.create(1, image.height())) return;
    column.fill(stripLineColor);
    blitBlend(column, image, x, 0, table);
}

}  // namespace

bool MainPanel::darkScheme() const { return PanelColors::dark(look.colors); }
Color MainPanel::sectionColor() const { return PanelColors::section(look.colors); }

void MainPanel::buildPiano(bool largeView) {
    piano.build(pianoOctaves, largeView ? largeKeySize : normalKeySize, keyboardAreaColor);
}

void MainPanel::layOut() {
    const int l = look.largeView ? 1 : 0;
    panelWidth = l ? largeWidth : normalWidth;
    panelHeight = l ? largeHeight : normalHeight;
    sectionWidth = (panelWidth - 48) / 3;
    sectionLeft = {22, 22 + sectionWidth + 2, 22 + 2 * sectionWidth + 4};
    keyboardLeft = panelWidth / 2 - piano.width() / 2;
    keyboardTop = panelHeight - piano.height() - 14;
}

bool MainPanel::build(const PanelLook& panelLook, const PanelBindings& bindings) {
    look = panelLook;
    built = false;
    controls.clear();
    panelButtons.fill(-1);
    firstSectionButton = -1;
    menuBoxes.clear();
    buildPiano(look.largeView);
    layOut();
    if (!image.create(panelWidth, panelHeight)) return false;
    image.fill(backgroundColor);
    DrawSurface& surface = drawSurface();
    surface.textColor = PanelColors::text(look.colors);
    surface.lcdColor = PanelColors::lcd(look.lcdColor);
    drawBackground();
    surface.enabled = true;
    const std::string captions[3] = {"MASTER", "*A;B;C", "BASE"};
    for (size_t i = 0; i < 3; ++i) {
        drawSectionFrame(image.canvas(), sectionLeft[i], sectionTop, sectionWidth, sectionHeight,
                         sectionColor(), backgroundColor, captions[i], false, darkScheme());
    }
    placeWidgets(bindings);
    controls.paintAll();
    built = true;
    return true;
}

void MainPanel::drawBackground() {
    Canvas& canvas = image.canvas();
    gradientFill(canvas, 0, separatorTop, panelWidth, keyboardAreaTop, backgroundColor, keyboardAreaColor, false);
    canvas.setColor(keyboardAreaColor);
    canvas.fillRect(0, keyboardAreaTop, panelWidth + 1, panelHeight + 1);
    drawTitleBar();
    drawSplitMarker();
    drawSideStrips();
    drawPianoFrame();
    drawMenuButtons();
}

void MainPanel::drawTitleBar() {
    Canvas& canvas = image.canvas();
    const Color title = scaleColor(backgroundColor, 1.25f);
    canvas.setColor(title);
    canvas.fillRect(0, 0, panelWidth + 1, titleBarHeight + 1);
    gradientFill(canvas, 0, titleGradientTop, panelWidth, titleBarHeight, title, backgroundColor, false);
    canvas.setColor(scaleColor(title, 1.25f));
    drawLine(canvas, 0, 0, panelWidth, 0);
    canvas.setColor(scaleColor(keyboardAreaColor, 0.8f));
    drawLine(canvas, 0, panelHeight - 1, panelWidth, panelHeight - 1);

    canvas.setFont(21, true);
    canvas.setFontColor(titleTextColor);
    const int textWidth = canvas.textWidth(applicationTitle) & ~1;
    canvas.textOut(panelWidth - textWidth - 52, 13, applicationTitle);
}

// The mark above the gap before piano key 24, with "Bass" to its left and "Lead" to its right.
void MainPanel::drawSplitMarker() {
    Canvas& canvas = image.canvas();
    const Color section = sectionColor();
    const Color ink = darkScheme() ? scaleColor(section, 1.05f) : scaleColor(section, 0.7f);
    const int a = keyboardLeft + 14 * (piano.whiteKeyWidth() + 1);
    const int c = keyboardTop - 11;
    canvas.setColor(ink);
    drawLine(canvas, a - 8, c - 8, a - 1, c - 8);
    drawLine(canvas, a + 1, c - 8, a + 8, c - 8);
    drawLine(canvas, a - 1, c - 8, a - 1, c);
    drawLine(canvas, a + 1, c - 8, a + 1, c);
    canvas.setFont(smallText, false);
    canvas.setFontColor(ink);
    const int textTop = c - 8 - canvas.textHeight("Bass") / 2 - 1;
    canvas.textOut(a - 8 - 3 - canvas.textWidth("Bass"), textTop, "Bass");
    canvas.textOut(a + 11, textTop, "Lead");
}

void MainPanel::drawSideStrips() {
    Canvas& canvas = image.canvas();
    const Color top = stripTone(208), middle = stripTone(176), bottom = stripTone(144);
    for (const int x : {0, panelWidth - 9}) {
        const int right = x + 9;
        canvas.setColor(scaleColor(top, 1.15f));
        canvas.fillRect(x, 0, right, 1);
        canvas.setColor(top);
        canvas.fillRect(x, 1, right, titleBarHeight);
        gradientFill(canvas, x, titleGradientTop, right, titleBarHeight, top, middle, false);
        canvas.setColor(middle);
        canvas.fillRect(x, titleBarHeight, right, separatorTop);
        gradientFill(canvas, x, separatorTop, right, keyboardAreaTop, middle, bottom, false);
        canvas.setColor(bottom);
        canvas.fillRect(x, keyboardAreaTop, right, panelHeight - 1);
        canvas.setColor(scaleColor(bottom, 0.85f));
        canvas.fillRect(x, panelHeight - 1, right, panelHeight);
    }
    for (const int x : {0, panelWidth - 9}) blendColumn(image, x, addTable());
    for (const int x : {8, 9, panelWidth - 1}) blendColumn(image, x, subtractTable());
}

void MainPanel::drawPianoFrame() {
    Canvas& canvas = image.canvas();
    const int right = keyboardLeft + piano.width();
    const int bottom = keyboardTop + piano.height() - 3;
    canvas.setColor(scaleColor(keyboardAreaColor, 0.7f));
    drawLine(canvas, keyboardLeft, keyboardTop - 1, right, keyboardTop - 1);
    drawLine(canvas, keyboardLeft - 1, keyboardTop - 1, keyboardLeft - 1, bottom);
    canvas.setColor(scaleColor(keyboardAreaColor, 1.25f));
    drawLine(canvas, right, keyboardTop, right, bottom);
}

void MainPanel::drawMenuButtons() {
    Canvas& canvas = image.canvas();
    const Color ink = scaleColor(scaleColor(backgroundColor, 1.25f), 2.0f);
    canvas.setFont(smallText, false);
    canvas.setFontColor(ink);
    canvas.setColor(ink);
    int x = menuLeft;
    for (int i = 0; i < menuCount; ++i) {
        const std::string caption = menuCaptions[i];
        const int textWidth = canvas.textWidth(caption);
        const Rect box = makeRect(x, menuTop, x + textWidth + 12, menuBottom);
        if (i > 0) drawLine(canvas, x - 1, menuTop, x - 1, menuBottom + 1);
        canvas.textOut(x + 6, menuTop + (menuBottom - menuTop - canvas.textHeight(caption)) / 2, caption);
        menuBoxes.append(box);
        x = box.right + 2;
    }
    const int w = panelWidth;
    drawLine(canvas, w - 25, 21, w - 16, 30);
    drawLine(canvas, w - 25, 29, w - 16, 20);
    closeBox = makeRect(w - 28, 18, w - 14, 32);
}

void MainPanel::drawToneTabs(int tone) {
    if (!built) return;
    std::string caption;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) caption += ";";
        if (k == tone) caption += "*";
        caption += char('A' + k);
    }
    drawSectionFrame(image.canvas(), sectionLeft[1], sectionTop, sectionWidth, sectionHeight, sectionColor(),
                     backgroundColor, caption, true, darkScheme());
}

void MainPanel::takeSurface(Canvas& window) {
    DrawSurface& surface = drawSurface();
    surface.backBuffer = &image;
    surface.windowCanvas = &window;
    if (!built) return;
    surface.textColor = PanelColors::text(look.colors);
    surface.lcdColor = PanelColors::lcd(look.lcdColor);
    surface.faceColor = sectionColor();
    surface.enabled = true;
}

void MainPanel::placeWidgets(const PanelBindings& b) {
    DrawSurface& surface = drawSurface();
    surface.faceColor = sectionColor();
    const int l = look.largeView ? 1 : 0;
    const int top = sectionTop;
    const int x0 = sectionLeft[0], x1 = sectionLeft[1], x2 = sectionLeft[2];

    // MASTER: four faders, the round Record and Play buttons, Mute.
    const int faderStep = 54 + 9 * l;
    const char* faderCaptions[4] = {"Master", "Lead", "Bass", "Rhythm"};
    double* faderValues[4] = {b.volume, b.instVolume, b.bassVolume, b.drumVolume};
    for (int k = 0; k < 4; ++k) {
        controls.addFader(x0 + 28 + 4 * l + k * faderStep, top + 38, faderTravel, faderCaptions[k], faderValues[k],
                          faderTicks);
    }
    controls.addToggle(x0 + 252 + 51 * l, top + 84, roundButton, roundButton, "$Record@1", b.recording);
    controls.addToggle(x0 + 252 + 51 * l, top + 145, roundButton, roundButton, "$Play@1", b.playing);
    controls.addSwitch(x0 + 12 + 4 * l, top + 201, switchWidth, "Mute", b.mute);

    // Tones: the display, two rows of program families, the program-in-bank row, Arp, Hold,
    // Pattern and the octave buttons.
    const int displayWidth = l ? 360 : 288;
    toneDisplayBox = makeRect(x1 + 12, top + 39, x1 + 12 + displayWidth, top + 39 + 49);
    toneStrip = makeRect(x1, top, x1 + sectionWidth, top + toneStripHeight);
    const int w = 37 + 9 * l;
    for (int k = 0; k < 8; ++k) {
        const int x = x1 + 12 + k * (w - 1);
        controls.addRadio(x, top + 94, w, 22, familyName(8 * k, true), b.programBank, k);
        controls.addRadio(x, top + 115, w, 22, familyName(64 + 8 * k, true), b.programBank, 8 + k);
        controls.addRadio(x, top + 136, w, 22, programInBankCaptions[k], b.programInBank, k);
    }
    const int v = 70 + 8 * l;
    controls.addToggle(x1 + 12, top + 179, v, 22, "Arp", b.arpeggioSwitch);
    controls.addToggle(x1 + 12 + v - 1, top + 179, v, 22, "Hold", b.holdSwitch);
    patternBox = addPanelButton(PanelButton::pattern, x1 + 12 + 2 * v - 2, top + 179, v, 22, "Pattern");
    // The octave buttons fill the rest of the row up to the display's right edge.
    const int octaveLeft = patternBox.right + 2;
    const int octaveRight = toneDisplayBox.right;
    constexpr int arrowWidth = 24;
    const int pickerWidth = octaveRight - octaveLeft - 2 * arrowWidth + 2;
    octaveDownBox = addPanelButton(PanelButton::octaveDown, octaveLeft, top + 179, arrowWidth, 22, "<down>");
    octavePickerBox = addPanelButton(PanelButton::octavePicker, octaveDownBox.right - 1, top + 179, pickerWidth, 22,
                                     l ? "Octave" : "Oct");
    octaveUpBox = addPanelButton(PanelButton::octaveUp, octavePickerBox.right - 1, top + 179,
                                 octaveRight - octavePickerBox.right + 1, 22, "<up>");

    // BASE: the style display, Style, < and >, Rhythm and Bass with their key starts, Default,
    // Tempo and Shuffle.
    const int styleWidth = l ? 195 : 149;
    styleDisplayBox = makeRect(x2 + 12, top + 39, x2 + 12 + styleWidth, top + 39 + 49);
    const int s = 92 + 46 * l;
    styleBox = addPanelButton(PanelButton::style, x2 + 12, top + 94, s, 19, "Style");
    previousStyleBox = addPanelButton(PanelButton::previousStyle, x2 + 12 + s - 1, top + 94, 30, 19, "<");
    nextStyleBox = addPanelButton(PanelButton::nextStyle, x2 + 12 + s + 28, top + 94, 30, 19, ">");
    controls.addToggle(x2 + 30 + 21 * l, top + 136, roundButton, roundButton, "$Rhythm", b.rhythm);
    controls.addToggle(x2 + 30 + 21 * l, top + 186, roundButton, roundButton, "$Bass", b.bass);
    controls.addSwitch(x2 + 70 + 21 * l, top + 143, switchWidth, "Key Start", b.keyStartRhythm);
    controls.addSwitch(x2 + 70 + 21 * l, top + 193, switchWidth, "Key Start", b.keyStartBass);
    controls.addSwitch(x2 + 201 + 64 * l, top + 201, switchWidth, "Default", b.keepDefaultTempo);
    controls.addFader(x2 + 190 + 59 * l, top + 38, faderTravel, "Tempo", b.tempo, faderTicks);
    controls.addFader(x2 + 190 + 59 * l + 54 + 9 * l, top + 38, faderTravel, "Shuffle", b.shuffle, faderTicks);
    placeSectionButtons();
}

// Side by side, sharing their edges, centred over the middle section, between the menus and
// the title.
void MainPanel::placeSectionButtons() {
    const int w = look.largeView ? 62 : 54;
    const int rowWidth = sectionRequestCount * (w - 1) + 1;
    const int left = sectionLeft[1] + (sectionWidth - rowWidth) / 2;
    firstSectionButton = controls.buttons.count();
    for (int r = 0; r < sectionRequestCount; ++r) {
        const int x = left + r * (w - 1);
        controls.addToggle(x, sectionButtonTop, w, sectionButtonHeight, sectionCaptions[r], &sectionLamps[size_t(r)]);
        sectionBoxes[size_t(r)] = makeRect(x, sectionButtonTop, x + w, sectionButtonTop + sectionButtonHeight);
    }
}

Rect MainPanel::addPanelButton(PanelButton kind, int x, int y, int width, int height, const char* caption) {
    panelButtons[size_t(kind)] = controls.buttons.count();
    controls.addButton(x, y, width, height, caption);
    return makeRect(x, y, x + width, y + height);
}

// The station acts on the button that lights, so a press on a column that two buttons share
// (they overlap by one pixel) or on a button's right edge goes where the widgets send it.
PanelButton MainPanel::buttonAt(int x, int y) const {
    const int index = controls.buttonAt(x, y);
    for (int kind = 1; kind < panelButtonCount && index >= 0; ++kind)
        if (panelButtons[size_t(kind)] == index) return PanelButton(kind);
    return PanelButton::none;
}

std::optional<SectionRequest> MainPanel::sectionAt(int x, int y) const {
    const int index = controls.buttonAt(x, y) - firstSectionButton;
    if (firstSectionButton < 0 || index < 0 || index >= sectionRequestCount) return std::nullopt;
    return SectionRequest(index);
}

void MainPanel::paintAll(Canvas& window, bool showDots) {
    if (!image.isValid()) return;
    piano.paint(image.canvas(), true, keyboardLeft, keyboardTop, showDots);
    blitToWindow(image, window, makeRect(0, 0, width() - 1, height() - 1), 0, 0);
}

void MainPanel::paintPiano(Canvas& window, bool showDots) {
    piano.paint(window, false, keyboardLeft, keyboardTop, showDots);
}

}  // namespace brio
