#include "dialog/Fdialog.h"

#include <algorithm>
#include <array>
#include <utility>

#include "dialog/DialogOwner.h"
#include "dialog/ListChooser.h"
#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "graphics/UrlOpener.h"
#include "graphics/UserDialogs.h"
#include "panel/PanelColors.h"
#include "settings/Options.h"

namespace brio {

namespace {

constexpr int escapeKey = 27;

constexpr int optionsWidth = 412, optionsHeight = 562;
constexpr int aboutWidth = 426, aboutHeight = 300;
constexpr int hotKeysWidth = 400, hotKeysHeight = 465;
constexpr int progressWidth = 380, progressHeight = 150;
constexpr int progressTextRow = 44, progressBarRow = 70, progressBarHeight = 14;
constexpr int closeFromBottom = 48;  // the Close button's top above the page's bottom edge

// Options page.
constexpr int checkWidth = 26, checkHeight = 22;
constexpr int checkTextGap = 31;  // from a check box's left edge to its text
constexpr int titleToBox = 56;    // from a selector box's title to the box, at least
constexpr int titleGap = 8;       // between the widest title and the boxes
constexpr int deviceBoxWidth = 200;
constexpr int colorBoxWidth = 120;
constexpr int deviceRow = 50, soundFontRow = 80, panelColorRow = 365, lcdColorRow = 395, inputRow = 425,
              curveRow = 455;

struct CheckRow {
    int y;
    const char* text;
    bool Options::*option;
};
constexpr CheckRow checkRows[] = {
    {125, "Warning before deleting workspace", &Options::warnStationDelete},
    {155, "Warning before deleting a recording", &Options::warnRecDelete},
    {200, "Stop bass when stopping rhythm", &Options::autoStopBass},
    {230, "Stop arpeggios when stopping rhythm", &Options::autoStopArps},
    {260, "Key start only when pressing a bass key", &Options::keyStartOnlyFromBass},
    {290, "Always set tempo & shuffle to default when changing styles", &Options::alwaysResetTempo},
    {320, "Velocity by mouse position", &Options::velocityByMouse},
};

// About page.
constexpr int headingSize = 21;
constexpr int headingRow = 50, versionRow = 75, visitRow = 162, linkRow = 176;

// Hot Keys page.
constexpr int keyColumn = 216;
struct HotKeyRow {
    int y;
    const char* description;
    const char* keys;
};
constexpr HotKeyRow hotKeyRows[] = {
    {50, "Sustain pedal", "Space"},
    {68, "Shift octave", "Page Up, Page Down"},
    {86, "Keyboard velocity down", "- (or keypad -)"},
    {104, "Keyboard velocity up", "Backspace (or keypad +)"},
    {140, "Switch on/off A, B, C tones", "F1, F2, F3"},
    {158, "Shift QWERTY keys assignment", "F5, F6, F7"},
    {176, "Start/stop bass", "F9"},
    {194, "Start/stop rhythm ", "F10"},
    {230, "Intro", "Home"},
    {248, "Main A, Main B", "F11, F12"},
    {266, "Fill into the main", "Delete"},
    {284, "Break", "F8"},
    {302, "Ending (again: stop at once)", "End"},
    {320, "Tap tempo", "Insert"},
    {356, "Exit dialog/application", "Esc"},
};

// A press on a button counts on its rectangle less the bottom row, as the buttons take it.
bool onButton(int x, int y, const Rect& r) {
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom - 1;
}

}  // namespace

Fdialog::Fdialog(WindowSystem& windows)
    : windows(windows), host(windows.createWindow(WindowKind::dialog, *this)) {
    host->setBordered(false);
}

Fdialog::~Fdialog() {
    // A page cannot be open here (the page calls return only when closed), but the surface must
    // never be left pointing at a picture that is going away.
    if (savedSurface) drawSurface() = *savedSurface;
}

void Fdialog::connect(Options& newOptions, DialogOwner* newOwner, ListChooser* newChooser,
                      std::string title) {
    options = &newOptions;
    owner = newOwner;
    chooser = newChooser;
    applicationTitle = std::move(title);
    host->setCaption(applicationTitle);
    // Entry k of the device list stands for device k - 1, the mapper first.
    boxes.clear();
    boxes.emplace_back("Midi device", options->midiDevices, options->midiDevice, 1,
                       SelectorBox::Fallback::firstEntry);
    boxes.emplace_back("Panel color", options->colorSchemes, options->colors, 0,
                       SelectorBox::Fallback::nearestEntry);
    boxes.emplace_back("LCD color", options->lcdColors, options->lcdColor, 0,
                       SelectorBox::Fallback::nearestEntry);
    boxes.emplace_back("Midi input", options->midiInDevices, options->midiInDevice, 1,
                       SelectorBox::Fallback::firstEntry);
    boxes.emplace_back("SoundFont", soundFonts.names, soundFonts.shown, 0, SelectorBox::Fallback::firstEntry);
    boxes.emplace_back("Input velocity", options->velocityCurves, options->inputVelocityCurve, 0,
                       SelectorBox::Fallback::firstEntry);
    boxes.emplace_back("Scale", options->scales, options->scale, 0, SelectorBox::Fallback::firstEntry);
}

// Only one page is open at a time: a page call while one shows does nothing.
void Fdialog::showOptions() {
    if (!options || visible()) return;
    buildPage(DialogPageKind::options, optionsWidth, optionsHeight, "Options");
    buildOptionsContent();
    runPage();
}

void Fdialog::showAbout() {
    if (visible()) return;
    buildPage(DialogPageKind::about, aboutWidth, aboutHeight, "About");
    buildAboutContent();
    runPage();
}

void Fdialog::showHotKeys() {
    if (visible()) return;
    buildPage(DialogPageKind::hotKeys, hotKeysWidth, hotKeysHeight, "Hot Keys");
    buildHotKeysContent();
    runPage();
}

void Fdialog::showProgress(const std::string& text, ProgressWatch watch) {
    if (visible() || !watch.finished || watch.finished()) return;
    progressWatch = std::move(watch);
    buildPage(DialogPageKind::progress, progressWidth, progressHeight, "Saving");
    current.text(current.margin, progressTextRow, text);
    progressBar = makeRect(current.margin, progressBarRow, progressWidth - current.margin - 1,
                           progressBarRow + progressBarHeight - 1);
    shownPermille = -1;
    paintProgressBar();
    runPage("Cancel");
    progressWatch = ProgressWatch{};
}

void Fdialog::followProgress() {
    if (progressWatch.finished()) return close();
    paintProgressBar();
}

// A sunken track filled from the left in the display colour as the work goes on.
void Fdialog::paintProgressBar() {
    const int permille = int(std::clamp(progressWatch.progress ? progressWatch.progress() : 0.0, 0.0, 1.0) * 1000.0);
    if (permille == shownPermille) return;
    shownPermille = permille;
    Canvas& canvas = current.picture.canvas();
    const Rect& r = progressBar;
    canvas.setColor(scaleColor(current.pageColor, 0.6f));
    canvas.fillRect(r.left, r.top, r.right + 1, r.bottom + 1);
    const int filled = (r.right - r.left - 1) * permille / 1000;
    canvas.setColor(options ? PanelColors::lcd(options->lcdColor) : current.textColor);
    canvas.fillRect(r.left + 1, r.top + 1, r.left + 1 + filled, r.bottom);
    if (host->visible())
        blitToWindow(current.picture, host->canvas(), r, r.left, r.top);
}

void Fdialog::buildPage(DialogPageKind kind, int width, int height, const std::string& title) {
    host->setCaption(applicationTitle);
    host->setClientSize(width, height);
    const ScreenArea screen = windows.screenArea();
    host->moveTo(screen.left + std::max(0, (screen.width - width) / 2),
                 screen.top + std::max(0, (screen.height - height) / 2));
    current.build(kind, width, height, title);
    group.clear();
    closeRect = emptyRect;
    closeIndex = -1;
    if (!savedSurface) savedSurface = drawSurface();
    useSurface();
}

void Fdialog::buildOptionsContent() {
    const int x = current.margin;
    for (const CheckRow& row : checkRows) {
        group.addToggle(x, row.y, checkWidth, checkHeight, "<check>", &(options->*row.option));
        current.text(x + checkTextGap, row.y, row.text);
    }
    // The boxes line up 56 pixels right of the titles, or further when a title is wider than
    // that in the installed font, so that no title runs under a box.
    Canvas& canvas = current.picture.canvas();
    canvas.setFont(DialogPage::textSize, false);
    int boxX = x + titleToBox;
    for (size_t i = 0; i < scaleBox; ++i) boxX = std::max(boxX, x + canvas.textWidth(boxes[i].title()) + titleGap);
    // The SoundFont box takes the rest of its row: its names carry their sizes.
    const int soundFontWidth = current.picture.width() - x - boxX;
    const std::array<int, scaleBox> rows = {deviceRow, panelColorRow, lcdColorRow, inputRow, soundFontRow, curveRow};
    const std::array<int, scaleBox> widths = {deviceBoxWidth, colorBoxWidth, colorBoxWidth, deviceBoxWidth,
                                              soundFontWidth, colorBoxWidth};
    soundFonts.build(options->soundFontSets, options->soundFont, SoundFontMenu::fileSize);
    for (size_t i = 0; i < rows.size(); ++i) {
        boxes[i].place(boxX, rows[i], widths[i]);
        current.text(x, rows[i], boxes[i].title());
    }
    // The scale stands right of the panel colour, its title before it.
    const int scaleTitleX = boxX + colorBoxWidth + titleGap * 2;
    const int scaleBoxX = scaleTitleX + canvas.textWidth(boxes[scaleBox].title()) + titleGap;
    boxes[scaleBox].place(scaleBoxX, panelColorRow, current.picture.width() - x - scaleBoxX);
    current.text(scaleTitleX, panelColorRow, boxes[scaleBox].title());
    paintBoxes(false);
}

void Fdialog::buildAboutContent() {
    const int x = current.margin;
    current.text(x, headingRow, applicationTitle, headingSize);
    current.text(x, versionRow, std::string("Version ") + version);
    current.text(x, visitRow, "For news and more apps visit:");
    current.text(x, linkRow, makerWebAddress);
}

void Fdialog::buildHotKeysContent() {
    for (const HotKeyRow& row : hotKeyRows) {
        current.text(current.margin, row.y, row.description);
        current.text(keyColumn, row.y, row.keys);
    }
}

void Fdialog::runPage(const char* closeCaption) {
    const int w = current.picture.width();
    const int h = current.picture.height();
    closeRect = group
                    .addButton(w - current.margin - closeWidth, h - closeFromBottom, closeWidth,
                               closeHeight, closeCaption)
                    .rect;
    closeIndex = group.buttons.count() - 1;
    group.paintAll();

    dragging = false;
    linkPressed = false;
    cursorShape = CursorShape::arrow;
    host->setCursorShape(cursorShape);
    host->show();
    copyPicture();
    while (host->visible()) {
        windows.processPendingMessages();
        if (owner) owner->pagePass();
        uint64_t waitUs = waitTimeoutUs;
        if (current.kind == DialogPageKind::progress) {
            if (owner) waitUs = std::min<uint64_t>(waitUs, uint64_t(owner->busyPass()) * 1000u);
            followProgress();
        }
        if (current.kind == DialogPageKind::options) followSoundFont(true);
        if (owner && owner->quitRequested()) close();
        if (!host->visible()) break;
        windows.waitForMessages(waitUs);
    }
    dragging = false;
    if (savedSurface) drawSurface() = *savedSurface;
    savedSurface.reset();
}

void Fdialog::close() {
    // The progress page closes by itself once the work ended; any other way cancels the work.
    if (current.kind == DialogPageKind::progress && progressWatch.finished && !progressWatch.finished())
        progressWatch.cancel();
    dragging = false;
    linkPressed = false;
    host->hide();
}

void Fdialog::useSurface() {
    DrawSurface& surface = drawSurface();
    surface.backBuffer = &current.picture;
    surface.windowCanvas = &host->canvas();
    surface.faceColor = current.pageColor;
    surface.textColor = current.textColor;
    if (options) surface.lcdColor = PanelColors::lcd(options->lcdColor);
    surface.enabled = true;
}

void Fdialog::retakeSurface() {
    if (drawSurface().backBuffer != &current.picture) savedSurface = drawSurface();
    useSurface();
}

void Fdialog::paintBoxes(bool copy) {
    for (SelectorBox& box : boxes) box.paint(copy);
}

void Fdialog::copyPicture() {
    if (!current.picture.isValid()) return;
    blitToWindow(current.picture, host->canvas(),
                 makeRect(0, 0, current.picture.width() - 1, current.picture.height() - 1), 0, 0);
}

bool Fdialog::closeButtonPressed() const {
    return closeIndex >= 0 && closeIndex < group.buttons.count() &&
           group.buttons.getConst(closeIndex).pressed;
}

bool Fdialog::overLink(int x, int y) const {
    return current.kind == DialogPageKind::about && pointInRect(x, y, current.link);
}

void Fdialog::chooseFrom(SelectorBox& box) {
    const Rect& r = box.display.rect;
    const int x = host->left() + (r.left + r.right) / 2;
    const int y = host->top() + r.bottom + 1;
    const int entry = chooser->choose(box.entries(), x, y, box.display.colour);
    if (&box == &boxes[soundFontBox]) {
        chooseSoundFont(entry);
    } else if (!box.choose(entry)) {
        return;
    } else if (owner) {
        if (&box == &boxes[0]) owner->midiDeviceChanged();
        else if (&box == &boxes[3]) owner->midiInputChanged();
        else if (&box == &boxes[scaleBox]) userDialogs().showNotice(scaleNotice);
        else if (&box != &boxes[velocityCurveBox]) owner->panelColorsChanged();
    }
    // The owner may have pointed the surface at its own panel; every box is repainted because
    // a new display colour changes all three.
    retakeSurface();
    paintBoxes(true);
}

void Fdialog::chooseSoundFont(int entry) {
    if (entry < 0 || entry >= soundFonts.names.count()) return;
    std::string path;
    if (soundFonts.isOther(entry)) {
        const std::string& shown = soundFonts.paths.at(size_t(soundFonts.shown));
        if (!userDialogs().askOpenFileName(path, soundFontBoxTitle, soundFontFilter,
                                           shown.substr(0, shown.find_last_of('/') + 1)))
            return;
    } else {
        path = soundFonts.paths[size_t(entry)];
    }
    if (owner) owner->soundFontChosen(soundFonts.optionFor(path));
    followSoundFont(false);
}

void Fdialog::followSoundFont(bool paint) {
    if (!options || options->soundFont == soundFonts.builtFor) return;
    soundFonts.build(options->soundFontSets, options->soundFont, SoundFontMenu::fileSize);
    if (paint) boxes[soundFontBox].paint(true);
}

void Fdialog::keyDown(int virtualKey) {
    if (!host->visible() || virtualKey != escapeKey) return;
    // Escape meant for an open popup closes only the popup.
    if (chooser && chooser->isOpen())
        chooser->close();
    else
        close();
}

void Fdialog::mouseDown(int x, int y, int button) {
    if (!host->visible()) return;
    // A press beside an open popup only dismisses it: it neither changes an option nor opens
    // the popup again while it is still on its way out.
    if (chooser && chooser->isOpen()) {
        chooser->close();
        return;
    }
    if (button != leftButton) return;
    group.mouseInput(x, y, true);
    linkPressed = overLink(x, y);
    if (current.kind == DialogPageKind::options && chooser) {
        for (SelectorBox& box : boxes) {
            if (box.hit(x, y)) {
                chooseFrom(box);
                return;
            }
        }
    }
    host->cursorOnScreen(pressCursorX, pressCursorY);
    pressWindowX = host->left();
    pressWindowY = host->top();
    dragging = current.kind != DialogPageKind::about && y >= 0 && y < DialogPage::titleHeight;
}

void Fdialog::mouseMove(int x, int y, bool /*leftHeld*/, bool /*rightHeld*/) {
    if (!host->visible()) return;
    if (current.kind == DialogPageKind::about) {
        const CursorShape wanted = overLink(x, y) ? CursorShape::hand : CursorShape::arrow;
        if (wanted != cursorShape) {
            cursorShape = wanted;
            host->setCursorShape(cursorShape);
        }
    }
    if (!dragging) return;
    int cursorX = 0, cursorY = 0;
    host->cursorOnScreen(cursorX, cursorY);
    host->moveTo(pressWindowX + cursorX - pressCursorX, pressWindowY + cursorY - pressCursorY);
}

void Fdialog::mouseUp(int x, int y, int button, bool /*leftHeld*/) {
    if (!host->visible()) return;
    dragging = false;
    if (button != leftButton) return;
    // Only a click that began on the Close button or the link counts, as with any button.
    const bool closing = closeButtonPressed() && onButton(x, y, closeRect);
    const bool opening = linkPressed && overLink(x, y);
    linkPressed = false;
    group.releaseButtons();
    if (closing) {
        close();
        return;
    }
    if (opening) urlOpener().openUrl(webScheme + current.linkAddress);
}

void Fdialog::paint() {
    copyPicture();
}

void Fdialog::closeQuery() {
    close();
}

}  // namespace brio
