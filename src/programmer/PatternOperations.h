#pragma once

#include "foundation/Text.h"

namespace brio {

class ArpeggioStyle;

// The operations of the grid's pop-up menu on one pattern.
namespace PatternOperations {

inline constexpr int doubleSpeedTag = -1;
inline constexpr int powerChordsTag = -2;
// Copies reach no further than the grid's last step: the next store would lose them anyway.
inline constexpr int copyLimit = 64;

// The menu's entries in order, with the selector's separator marks.
Text_ menuItems();
// The operation tag of menu entry `index`: the step count N of "Copy first N steps",
// doubleSpeedTag or powerChordsTag; 0 for an index outside the menu.
int tagOf(int index);

// Removes every note on step N or later, then repeats each remaining note (in order, all
// copies of one note before the next) every N steps while the step is below the length.
void copyFirstSteps(ArpeggioStyle& pattern, int n);
// Halves the length, every step (integer division) and every note length.
void doubleSpeed(ArpeggioStyle& pattern);
// Puts two copies of every note on key 60 right behind it, on keys 67 and 72.
void createPowerChords(ArpeggioStyle& pattern);
// Runs the operation of `tag`; false for an unknown tag.
bool apply(ArpeggioStyle& pattern, int tag);

}  // namespace PatternOperations

}  // namespace brio
