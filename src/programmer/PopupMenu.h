#pragma once

#include "foundation/Text.h"

namespace brio {

// A pop-up menu that waits for the choice: the programmer's pattern operations.
class PopupMenu {
public:
    virtual ~PopupMenu() = default;
    // Shows `items` (with the selector's marks) with the top-left corner at the screen point
    // (x, y); returns the chosen index, or -1 when the menu closed without a choice.
    virtual int choose(const Text_& items, int x, int y) = 0;
    // Closes the open menu without a choice (a press elsewhere).
    virtual void close() = 0;
};

}  // namespace brio
