#include "programmer/ProgrammerPainter.h"

#include <algorithm>
#include <array>

#include "accompaniment/StyleLibrary.h"
#include "foundation/TextUtils.h"
#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "graphics/Limage.h"
#include "midi/GeneralMidi.h"
#include "programmer/StyleProgrammer.h"

namespace brio::ProgrammerPainter {

namespace {

using namespace ProgrammerLayout;

constexpr Color yellow = makeColor(255, 255, 0);
constexpr Color panelGround = makeColor(48, 48, 48);
constexpr Color partGround = makeColor(64, 64, 64);
constexpr Color labelGrey = makeColor(192, 192, 192);
constexpr Color styleTitleGrey = makeColor(176, 176, 176);
constexpr Color grey = makeColor(128, 128, 128);
constexpr Color currentButton = makeColor(96, 96, 96);
constexpr Color captionGrey = makeColor(160, 160, 160);

constexpr int textSize = 11;  // the window's 8-point face
constexpr int titleSize = 21;
constexpr int boxTitleSize = 29;
constexpr int smallSize = 9;  // digits and control captions
constexpr int captionHeight = 11;
constexpr int nameBelowSelector = 86;
constexpr int selectorWidth = 10 * digitWidth;
constexpr int rootKey = 48;

constexpr std::array<const char*, StepGrid::rowCount> rowNames = {
    "Acoustic BD",    "Bass Drum 1",    "Side Stick",      "Acoustic Snare", "Hand Clap",
    "Electric Snare", "Low Floor Tom",  "Closed Hi Hat",   "High Floor Tom", "Pedal Hi-Hat",
    "Low Tom",        "Open Hi-Hat",    "Low-Mid Tom",     "Hi-Mid Tom",     "Crash Cymbal 1",
    "High Tom",       "Ride Cymbal 1",  "Chinese Cymbal",  "Ride Bell",      "Tambourine",
    "Splash Cymbal",  "Cowbell",        "Crash Cymbal 2",  "Vibraslap",      "Ride Cymbal 2",
    "Hi Bongo",       "Low Bongo",      "Mute Hi Conga",   "Open Hi Conga",  "Low Conga",
    "High Timbale*",  "Low Timbale*",   "High Agogo*",     "Low Agogo*",     "Cabasa",
    "Maracas",        "Short Whistle",  "Long Whistle",    "Short Guiro",    "Long Guiro",
    "Claves",         "Hi Wood Block*", "Low Wood Block*", "Mute Cuica",     "Open Cuica",
    "Mute Triangle",  "Open Triangle"};

constexpr std::array<const char*, 4> modeNames = {"Off", "On", "Sus", "Long"};
constexpr std::array<const char*, 4> controlCaptions = {"Tone", "Vol", "Key", "Mode"};
// Captions of the section buttons, by Section.
constexpr std::array<const char*, sectionCount> sectionCaptions = {
    "Intro", "Main A", "Main B", "Fill A", "Fill B", "Break", "Ending"};

Color rowColor(int row) {
    const int key = StepGrid::keyOfRow(row) % 12;
    if (key == 1 || key == 3 || key == 6 || key == 8 || key == 10) return scaleColor(grey, 0.65f);
    if (StepGrid::keyOfRow(row) == rootKey) return scaleColor(grey, 1.25f);
    return grey;
}

void fill(Canvas& canvas, const Rect& r, Color color) {
    canvas.setColor(color);
    canvas.fillRect(r.left, r.top, r.right + 1, r.bottom + 1);
}

void text(Canvas& canvas, int x, int y, const std::string& s, int size, Color color) {
    canvas.setFont(size, false);
    canvas.setFontColor(color);
    canvas.textOut(x, y, s);
}

int widthOf(Canvas& canvas, const std::string& s, int size) {
    canvas.setFont(size, false);
    return canvas.textWidth(s);
}

// Text centred in r, clipped to it.
void centredText(Canvas& canvas, const Rect& r, const std::string& s, int size, Color color) {
    const int x = r.left + (r.right - r.left + 1 - widthOf(canvas, s, size)) / 2;
    clipCanvas(canvas, r);
    text(canvas, x, r.top, s, size, color);
    unclipCanvas(canvas);
}

void paintTitle(Canvas& canvas, const StyleProgrammer& programmer) {
    const StyleEditor& editor = programmer.editor();
    const std::string title =
        editor.selectedRests() ? "No pattern" : "Arp " + formatInt(editor.selectedPattern());
    text(canvas, titleLeft, 0, title, titleSize, yellow);
    const std::array<std::pair<EditId, const char*>, 3> labels = {
        {{EditId::arpName, "Name"},
         {EditId::arpLength, "Length"},
         {EditId::arpCopyFrom, "Copy from"}}};
    for (const auto& [id, label] : labels) {
        const Rect& box = programmer.edit(id).box();
        text(canvas, box.left - labelGap - widthOf(canvas, label, textSize), box.top, label,
             textSize, labelGrey);
    }
}

void paintRowNames(Canvas& canvas) {
    for (int row = 0; row < StepGrid::rowCount; ++row)
        text(canvas, 2, cellRect(0, row).top, rowNames[size_t(row)], textSize, rowColor(row));
}

// The bar of the note starting in (step, row): one pixel in, 10 pixels a step long, as tall
// as its velocity.
void paintNote(Canvas& canvas, int step, int row, const GridCell& cell) {
    const Rect c = cellRect(step, row);
    const double length = cellWidth * cell.len;
    const int width =
        length > 0 ? int(std::min(length, double(cellWidth * StepGrid::stepCount))) : 0;
    const double share = double(cell.vel) * 0.9 / 128 + 0.1;
    const int height = int(std::clamp(cellHeight * share, 1.0, double(cellHeight - 1)));
    const int bottom = c.bottom;  // the row's line stays visible
    canvas.setColor(white);
    canvas.fillRect(c.left + 1, bottom - height, c.left + width, bottom);
}

// A selector button: lighter when it shows the current value.
void paintButton(Canvas& canvas, const Rect& r, const std::string& label, bool lit) {
    fill(canvas, r, panelGround);
    fill(canvas, Rect{r.left, r.top, r.right - 1, r.bottom - 1}, lit ? currentButton : partGround);
    centredText(canvas, Rect{r.left, r.top, r.right - 1, r.bottom}, label, smallSize,
                lit ? styleTitleGrey : grey);
}

// A negative value (no pattern) lights no digit.
void paintDigitRow(Canvas& canvas, int box, Digit digit, int value) {
    constexpr std::array<int, 4> weights = {1000, 100, 10, 1};
    const int current = value < 0 ? -1 : StyleEditor::digitOf(value, digit);
    for (int n = 0; n < buttonCount(digit); ++n)
        paintButton(canvas, selectorButton(box, digit, n), formatInt(n * weights[size_t(digit)]),
                    n == current);
}

std::string controlValue(const PartValues& values, PartControl control) {
    const int32_t v = values.value(control);
    if (control == toneControl) return formatInt(v) + ": " + programName(v);
    if (control == modeControl)
        return v >= 0 && v < int(modeNames.size()) ? modeNames[size_t(v)] : formatInt(v);
    return formatInt(v);
}

void paintControls(Canvas& canvas, int part, const PartValues& values) {
    const Color valueColor = values.mode == 0 ? scaleColor(yellow, 1.0f / 3) : yellow;
    for (int c = 0; c < controlCount; ++c) {
        const Rect r = controlRect(part, PartControl(c));
        if (r == emptyRect) continue;
        clipCanvas(canvas, r);
        text(canvas, r.left, r.top - 1, controlCaptions[size_t(c)], smallSize, captionGrey);
        canvas.setColor(grey);
        canvas.fillRect(r.left, r.top + captionHeight, r.right + 1, r.top + captionHeight + 1);
        text(canvas, r.left, r.top + captionHeight + 1, controlValue(values, PartControl(c)),
             textSize, valueColor);
        unclipCanvas(canvas);
    }
}

void paintPartBox(Canvas& canvas, const StyleProgrammer& programmer, int part) {
    const int box = part + 1;
    const Rect r = boxRect(box);
    fill(canvas, r, partGround);
    const StyleEditor& editor = programmer.editor();
    if (part == editor.selectedPart)
        fill(canvas, Rect{r.left, r.top, r.left + stripeWidth - 1, r.bottom}, yellow);
    const std::string label = part == 0 ? "D" : formatInt(part);
    centredText(canvas, Rect{r.left, r.top + 2, r.left + stripeWidth - 1, r.bottom}, label,
                boxTitleSize, grey);
    const PartValues& values = editor.parts[size_t(part)];
    paintControls(canvas, part, values);
    const int index = editor.patternIndex[size_t(part)];
    for (const Digit d : {Digit::thousands, Digit::hundreds, Digit::tens, Digit::units})
        paintDigitRow(canvas, box, d, index);
    if (editor.section != Section::mainA)
        paintButton(canvas, noneButton(box), "None", index == BaseStyle::noPattern);
    const std::string name =
        StyleLibrary::validPattern(index) ? programmer.styles().pattern(index).name : "";
    const Color nameColor = values.mode == 0 ? scaleColor(yellow, 0.35f) : yellow;
    centredText(
        canvas,
        Rect{selectorLeft, r.top + nameBelowSelector, selectorLeft + selectorWidth - 1, r.bottom},
        name, textSize, nameColor);
}

// The chosen section's button has a yellow stripe at its left edge, as the selected part's box.
void paintSections(Canvas& canvas, Section chosen) {
    for (int s = 0; s < sectionCount; ++s) {
        const Rect r = sectionButton(Section(s));
        fill(canvas, r, partGround);
        const bool lit = Section(s) == chosen;
        if (lit) fill(canvas, Rect{r.left, r.top, r.left + sectionStripe - 1, r.bottom}, yellow);
        const int textTop = r.top + (sectionHeight - captionHeight) / 2 - 1;
        centredText(canvas, Rect{r.left + sectionStripe, textTop, r.right, r.bottom},
                    sectionCaptions[size_t(s)], smallSize, lit ? labelGrey : grey);
    }
}

void paintPanel(Canvas& canvas, const StyleProgrammer& programmer) {
    const int style = programmer.editor().styleIndex;
    text(canvas, selectorLeft, 0, "Style " + formatInt(style), boxTitleSize, styleTitleGrey);
    paintDigitRow(canvas, 0, Digit::tens, style);
    paintDigitRow(canvas, 0, Digit::units, style);
    for (int part = 0; part < StyleEditor::partCount; ++part)
        paintPartBox(canvas, programmer, part);
    paintSections(canvas, programmer.editor().section);
}

}  // namespace

std::string rowName(int row) {
    return row >= 0 && row < StepGrid::rowCount ? rowNames[size_t(row)] : "";
}

void paintAll(Limage& picture, const StyleProgrammer& programmer) {
    Canvas& canvas = picture.canvas();
    fill(canvas, Rect{0, 0, picture.width() - 1, picture.height() - 1}, black);
    fill(canvas, Rect{panelLeft, 0, picture.width() - 1, picture.height() - 1}, panelGround);
    paintTitle(canvas, programmer);
    paintRowNames(canvas);
    paintGrid(picture, programmer.grid());
    paintPanel(canvas, programmer);
}

void paintGrid(Limage& picture, const StepGrid& grid) {
    Canvas& canvas = picture.canvas();
    const Rect area = gridArea();
    for (int row = 0; row < StepGrid::rowCount; ++row) {
        const Rect r = cellRect(0, row);
        fill(canvas, Rect{area.left, r.top, area.right, r.bottom - 1}, rowColor(row));
        fill(canvas, Rect{area.left, r.bottom, area.right, r.bottom}, scaleColor(grey, 0.4f));
    }
    for (int step = 0; step < StepGrid::stepCount; ++step) {
        const int x = cellRect(step, 0).left;
        fill(canvas, Rect{x, area.top, x, area.bottom},
             scaleColor(grey, step % 4 == 0 ? 1.4f : 0.4f));
    }
    clipCanvas(canvas, area);
    for (int step = 0; step < StepGrid::stepCount; ++step)
        for (int row = 0; row < StepGrid::rowCount; ++row)
            if (grid.cell(step, row).hasNote()) paintNote(canvas, step, row, grid.cell(step, row));
    unclipCanvas(canvas);
}

}  // namespace brio::ProgrammerPainter
