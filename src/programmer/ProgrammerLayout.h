#pragma once

#include "accompaniment/Section.h"
#include "graphics/Rect.h"

namespace brio {

// Where everything of the style programmer window lies, in client pixels. The right panel is
// measured from the window's width, which here is its client width: the frame belongs to the
// window manager.
namespace ProgrammerLayout {

inline constexpr int clientWidth = 1024;
inline constexpr int clientHeight = 692;
inline constexpr int windowWidth = clientWidth;

// Left part: title, pattern edits and the step grid.
inline constexpr int panelLeft = windowWidth - 288;  // black left of it, dark grey right of it
inline constexpr int titleLeft = 100;
inline constexpr int gridLeft = 92;
inline constexpr int gridTop = 28;
inline constexpr int cellWidth = 10;
inline constexpr int cellHeight = 14;
inline constexpr int menuAreaRight = 50;  // a right press left of this opens the pop-up menu
inline constexpr int labelGap = 4;        // between a label's right end and its edit

// Right panel: box 0 the style, boxes 1..5 the parts 0..4.
inline constexpr int boxCount = 6;
inline constexpr int boxPitch = 110;
inline constexpr int boxHeight = 102;
inline constexpr int boxLeft = windowWidth - 280;
inline constexpr int boxRight = clientWidth - 8;  // exclusive
inline constexpr int stripeWidth = 26;
inline constexpr int selectorLeft = windowWidth - 248;
inline constexpr int selectorRowHeight = 12;
inline constexpr int thousandsWidth = 44;
inline constexpr int digitWidth = 22;
inline constexpr int controlHeight = 26;
inline constexpr int toneSlot = 129;
inline constexpr int smallSlotsLeft = windowWidth - 119;
inline constexpr int smallSlot = 32;
inline constexpr int controlNarrowing = 6;  // a control is this much narrower than its slot

// Section selector: one row of buttons under the last part box, across the boxes' width.
inline constexpr int sectionTop = boxCount * boxPitch;
inline constexpr int sectionHeight = 24;
inline constexpr int sectionPitch = 39;
inline constexpr int sectionStripe = 4;  // the chosen section's yellow stripe

// The digits of an index selector.
enum class Digit { thousands, hundreds, tens, units };
// The four controls of a part.
enum PartControl { toneControl = 0, volumeControl, keyControl, modeControl, controlCount };

// The cell's rectangle (inclusive); row 46 (key 81) at the top.
Rect cellRect(int step, int row);
// Steps and rows of the whole grid (inclusive).
Rect gridArea();
// The cell under the point; false outside the grid.
bool cellAt(int x, int y, int& step, int& row);

Rect boxRect(int box);
// The part box under the point (1..5), or -1.
int partBoxAt(int x, int y);
// Number buttons of a digit row: 4 thousands, 10 hundreds, 10 tens, 10 units.
int buttonCount(Digit digit);
// Box 0 has only the tens and units rows: its other rectangles are empty.
Rect selectorButton(int box, Digit digit, int number);
// The selector button of box `box` under the point; false when there is none.
bool selectorButtonAt(int box, int x, int y, Digit& digit, int& number);
// The "None" button of a part box (1..5) at the end of its thousands row; empty for box 0.
Rect noneButton(int box);

// A section's button: Main A, Main B, Intro, Fill A, Fill B, Break, Ending from the left.
Rect sectionButton(Section section);
// The section whose button lies under the point; false when there is none.
bool sectionButtonAt(int x, int y, Section& section);

// Control c of part p (0..4); part 0 has no Tone and no Key (empty rectangles).
Rect controlRect(int part, PartControl control);
// The control of part p under the point, or controlCount.
PartControl controlAt(int part, int x, int y);

}  // namespace ProgrammerLayout

}  // namespace brio
