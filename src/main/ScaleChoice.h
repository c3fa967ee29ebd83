#pragma once

namespace brio {

// The largest scale from `wanted` (1..3) down at which the main window fits the screen (a
// screen of unknown size fits anything): the large view where the scale leaves the screen at
// least 1280 pixels wide and the option asks for it, else the normal one.
int fittingScale(int wanted, int screenWidth, int screenHeight, bool largeView);

}  // namespace brio
