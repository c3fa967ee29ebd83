#pragma once

#include "graphics/Color.h"
#include "graphics/Rect.h"

namespace brio {

class Canvas;
class Limage;

// Where widgets paint and with which colours. A window points the back buffer and window canvas
// at its own before it builds or paints its widgets; widgets take the face and text colours
// when they are constructed and the other colours when they render their images.
struct DrawSurface {
    static constexpr Color defaultFaceColor = 0xC0C0C0;
    static constexpr Color defaultTextColor = 0x000000;
    static constexpr Color defaultFaderHandleColor = 0xA0C0C8;
    static constexpr Color defaultFaderTickColor = 0x000000;
    static constexpr Color defaultLcdColor = 0x1880E8;
    static constexpr Color defaultLedColor = 0x00FFFF;  // yellow

    Limage* backBuffer = nullptr;    // the image widgets paint into
    Canvas* windowCanvas = nullptr;  // where finished rectangles are copied to
    Color faceColor = defaultFaceColor;
    Color textColor = defaultTextColor;
    // While false every widget paint and every group paint does nothing (set while an owner
    // changes many bound variables at once).
    bool enabled = false;
    Color faderHandleColor = defaultFaderHandleColor;
    Color faderTickColor = defaultFaderTickColor;  // fader end marks; mixed into the tick lines
    Color lcdColor = defaultLcdColor;              // background tint of display boxes
    Color ledColor = defaultLedColor;              // lit LEDs, switch dots and round-button symbols

    // True when painting may happen: enabled, with a back buffer that holds pixels and a window
    // canvas.
    bool ready() const;
    // Copies the inclusive rectangle r of the back buffer to the same place on the window.
    void copyToWindow(const Rect& r) const;
};

// The one surface shared by every window's widgets.
DrawSurface& drawSurface();

}  // namespace brio
