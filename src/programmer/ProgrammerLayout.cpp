#include "programmer/ProgrammerLayout.h"

#include <algorithm>
#include <array>

#include "programmer/StepGrid.h"

namespace brio::ProgrammerLayout {

namespace {

constexpr int styleTensTop = 36;
constexpr int partSelectorTop = 48;  // below the part box's top
constexpr int controlsTop = 120;     // part 0's controls; part p's lie p boxes lower
constexpr int partCount = 5;

constexpr std::array<Section, sectionCount> sectionOrder = {
    Section::mainA, Section::mainB,    Section::intro, Section::fillA,
    Section::fillB, Section::breakBar, Section::ending};

// A part's thousands row lies above the hundreds row, in the gap under the controls.
int rowTop(int box, Digit digit) {
    if (box == 0) return digit == Digit::tens ? styleTensTop : styleTensTop + selectorRowHeight;
    return box * boxPitch + partSelectorTop + (int(digit) - 1) * selectorRowHeight;
}

int buttonWidth(Digit digit) {
    return digit == Digit::thousands ? thousandsWidth : digitWidth;
}

bool validBox(int box) {
    return box >= 0 && box < boxCount;
}

}  // namespace

Rect cellRect(int step, int row) {
    const int left = gridLeft + cellWidth * step;
    const int top = gridTop + cellHeight * (StepGrid::rowCount - 1 - row);
    return Rect{left, top, left + cellWidth - 1, top + cellHeight - 1};
}

Rect gridArea() {
    return Rect{gridLeft, gridTop, gridLeft + cellWidth * StepGrid::stepCount - 1,
                gridTop + cellHeight * StepGrid::rowCount - 1};
}

bool cellAt(int x, int y, int& step, int& row) {
    if (!pointInRect(x, y, gridArea())) return false;
    step = (x - gridLeft) / cellWidth;
    row = StepGrid::rowCount - 1 - (y - gridTop) / cellHeight;
    return true;
}

Rect boxRect(int box) {
    return Rect{boxLeft, box * boxPitch, boxRight - 1, box * boxPitch + boxHeight - 1};
}

int partBoxAt(int x, int y) {
    for (int box = 1; box < boxCount; ++box)
        if (pointInRect(x, y, boxRect(box))) return box;
    return -1;
}

int buttonCount(Digit digit) {
    return digit == Digit::thousands ? 4 : 10;
}

Rect selectorButton(int box, Digit digit, int number) {
    if (!validBox(box) || (box == 0 && digit < Digit::tens)) return emptyRect;
    if (number < 0 || number >= buttonCount(digit)) return emptyRect;
    const int left = selectorLeft + number * buttonWidth(digit);
    const int top = rowTop(box, digit);
    return Rect{left, top, left + buttonWidth(digit) - 1, top + selectorRowHeight - 1};
}

bool selectorButtonAt(int box, int x, int y, Digit& digit, int& number) {
    for (const Digit d : {Digit::thousands, Digit::hundreds, Digit::tens, Digit::units}) {
        for (int n = 0; n < buttonCount(d); ++n) {
            if (!pointInRect(x, y, selectorButton(box, d, n))) continue;
            digit = d;
            number = n;
            return true;
        }
    }
    return false;
}

Rect noneButton(int box) {
    if (box < 1 || box >= boxCount) return emptyRect;
    const int left = selectorLeft + buttonCount(Digit::thousands) * thousandsWidth;
    const int top = rowTop(box, Digit::thousands);
    return Rect{left, top, left + thousandsWidth - 1, top + selectorRowHeight - 1};
}

Rect sectionButton(Section section) {
    const auto* found = std::find(sectionOrder.begin(), sectionOrder.end(), section);
    if (found == sectionOrder.end()) return emptyRect;
    const int left = boxLeft + int(found - sectionOrder.begin()) * sectionPitch;
    return Rect{left, sectionTop, left + sectionPitch - 2, sectionTop + sectionHeight - 1};
}

bool sectionButtonAt(int x, int y, Section& section) {
    for (const Section s : sectionOrder) {
        if (!pointInRect(x, y, sectionButton(s))) continue;
        section = s;
        return true;
    }
    return false;
}

Rect controlRect(int part, PartControl control) {
    if (part < 0 || part >= partCount || control < 0 || control >= controlCount) return emptyRect;
    if (part == 0 && (control == toneControl || control == keyControl)) return emptyRect;
    const int top = boxPitch * part + controlsTop;
    const int left =
        control == toneControl ? selectorLeft : smallSlotsLeft + (control - 1) * smallSlot;
    const int slot = control == toneControl ? toneSlot : smallSlot;
    return Rect{left, top, left + slot - controlNarrowing - 1, top + controlHeight - 1};
}

PartControl controlAt(int part, int x, int y) {
    for (int c = 0; c < controlCount; ++c)
        if (pointInRect(x, y, controlRect(part, PartControl(c)))) return PartControl(c);
    return controlCount;
}

}  // namespace brio::ProgrammerLayout
