#pragma once

#include <cstdint>
#include <string_view>

#include "foundation/Llist.h"
#include "graphics/ScButton.h"
#include "graphics/ScFader.h"
#include "graphics/ScSwitch.h"

namespace brio {

// A window's widget group. Widgets never call back: a press or drag changes the bound variable
// and mouseInput returns its address, which the owner compares with its own variables.
//
// Routing for the owning window:
//   paint              redraw the back buffer's background, then paintAll
//   mouse down (x, y)  mouseInput(x, y, true)
//   mouse move, held   mouseInput(x, y, false)
//   mouse up           releaseButtons
// Plain buttons report nothing; owners test their rectangles on mouse down. Bound variables
// must outlive the group's widgets.
//
// The add operations construct a widget with the draw surface's current face and text colours,
// append it and build it in place. The returned reference is valid until the next add or clear.
class ScControls {
public:
    ScButton& addButton(int x, int y, int width, int height, std::string_view caption);
    ScButton& addToggle(int x, int y, int width, int height, std::string_view caption,
                        bool* target);
    ScButton& addRadio(int x, int y, int width, int height, std::string_view caption,
                       int32_t* target, int32_t value);
    // Bound to a boolean; 17 pixels tall.
    ScSwitch& addSwitch(int x, int y, int width, std::string_view caption, bool* target);
    // Bound to a real 0..1; `travel` pixels of handle movement, `tickCount` scale intervals.
    ScFader& addFader(int x, int y, int travel, std::string_view caption, double* value,
                      int tickCount);

    // Empties the three lists (before a window lays out its widgets again).
    void clear();

    // Buttons, then switches, then faders; nothing while the surface is disabled.
    void paintAll();
    // Every widget bound to `address`; for owners that changed a bound variable themselves.
    void paintBound(const void* address);
    // A press (pressed true) or a drag with the button held, in client pixels. Returns the
    // address of the variable that changed (a radio target even when its value was already
    // that of the button), or null. A press first releases the fader capture; the first
    // button, else switch, else fader that takes it ends the search, so a press on a button
    // never reaches a fader underneath. A drag reaches only the fader captured by the press.
    const void* mouseInput(int x, int y, bool pressed);
    // The index in `buttons` of the button a press at (x, y) would light, or -1.
    int buttonAt(int x, int y) const;
    // Clears and repaints every pressed button (call on mouse up).
    void releaseButtons();

    // In creation order: the order of painting and hit testing.
    Llist<ScButton> buttons;
    Llist<ScSwitch> switches;
    Llist<ScFader> faders;
};

}  // namespace brio
