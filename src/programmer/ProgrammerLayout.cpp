#include "programmer/ProgrammerLayout.h"

#include "programmer/StepGrid.h"

namespace brio::ProgrammerLayout {

namespace {

constexpr int styleTensTop = 36;
constexpr int partSelectorTop = 48;  // below the part box's top
constexpr int controlsTop = 120;     // part 0's controls; part p's lie p boxes lower
constexpr int partCount = 5;

int rowTop(int box, Digit digit) {
    if (box == 0) return digit == Digit::tens ? styleTensTop : styleTensTop + selectorRowHeight;
    return box * boxPitch + partSelectorTop + int(digit) * selectorRowHeight;
}

int buttonWidth(Digit digit) {
    return digit == Digit::hundreds ? hundredsWidth : digitWidth;
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
    return digit == Digit::hundreds ? 4 : 10;
}

Rect selectorButton(int box, Digit digit, int number) {
    if (!validBox(box) || (box == 0 && digit == Digit::hundreds)) return emptyRect;
    if (number < 0 || number >= buttonCount(digit)) return emptyRect;
    const int left = selectorLeft + number * buttonWidth(digit);
    const int top = rowTop(box, digit);
    return Rect{left, top, left + buttonWidth(digit) - 1, top + selectorRowHeight - 1};
}

bool selectorButtonAt(int box, int x, int y, Digit& digit, int& number) {
    for (const Digit d : {Digit::hundreds, Digit::tens, Digit::units}) {
        for (int n = 0; n < buttonCount(d); ++n) {
            if (!pointInRect(x, y, selectorButton(box, d, n))) continue;
            digit = d;
            number = n;
            return true;
        }
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
