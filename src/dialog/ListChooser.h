#pragma once

#include "foundation/Text.h"
#include "graphics/Color.h"

namespace brio {

// Lets the user pick one entry of a list in a popup; the dialog's selector boxes use it.
class ListChooser {
public:
    virtual ~ListChooser() = default;
    // Shows `items` with no entry marked current, centred horizontally on the screen point
    // (x, y) with its top there, in shades of `colour`; returns when the popup closes, with the
    // chosen index or -1 when nothing was chosen.
    virtual int choose(const Text_& items, int x, int y, Color colour) = 0;
    virtual bool isOpen() const = 0;
    // Closes an open popup without a choice.
    virtual void close() = 0;
};

}  // namespace brio
