#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "graphics/Limage.h"
#include "graphics/ScControl.h"

namespace brio {

// The toolkit's button. The caption chooses the look:
//   "@N" suffix   shifts the label of a round button N pixels to the right ("$Play@1");
//   "#" prefix    the bright face variant ("#1" .. "#8");
//   "$" prefix    a round button whose label ("Record", "Play", "Rhythm", "Bass" draw a symbol)
//                 is written above it;
//   "<", ">", "<up>", "<down>", "<plus>", "<minus>", "<cross>", "<sound>", "<reset>", "<play>"
//                 a drawn icon on a rectangular button; any other text is written in bold;
//   "<check>"     a check box: a framed square, ticked on the on face.
// Bound buttons (toggle or radio) carry an LED strip along the top edge. Both faces are
// rendered when the button is built; painting only copies one of them.
class ScButton : public ScControl {
public:
    enum class Icon { none, left, right, up, down, plus, minus, cross, sound, reset, play, check };

    static constexpr int textHeight = 11;           // caption and label, pixels
    static constexpr Color recordColor = 0x8080FF;  // lit "Record" symbol (light red)
    static constexpr double checkContrast = 4.5;    // least contrast of a check box's frame and tick

    // Builders: the rectangle becomes (x, y, x + width, y + height) and both faces width x
    // height. A null target builds a plain button (no LED, both faces alike).
    void buildPlain(int x, int y, int width, int height, std::string_view caption);
    // Shows the on face while *target is true; a press inverts it.
    void buildToggle(int x, int y, int width, int height, std::string_view caption, bool* target);
    // Shows the on face while *target == value; a press stores value.
    void buildRadio(int x, int y, int width, int height, std::string_view caption, int32_t* target,
                    int32_t value);

    // Paints the label and the face for the current state into the draw surface's back buffer
    // and copies the rectangle to the window; nothing while the surface is not ready.
    void paint();
    // True when a press at (x, y) is the button's: inside the rectangle less its bottom row.
    bool takesPress(int x, int y) const;
    // Accepts a press where takesPress: marks the button pressed, inverts a toggle target or
    // stores the radio value, and paints.
    bool press(int x, int y);

    bool isOn() const;
    bool isBound() const { return toggleTarget || radioTarget; }
    // The bound variable: the radio target, else the toggle target, else null.
    const void* boundAddress() const;

    bool* toggleTarget = nullptr;
    int32_t* radioTarget = nullptr;
    int32_t radioValue = -1;
    Limage onFace;
    Limage offFace;
    std::string label;    // written above a round button; empty for rectangular ones
    std::string caption;  // what a rectangular face shows after the prefixes and suffix are read
    Icon icon = Icon::none;
    bool pressed = false;  // from a press until the group releases its buttons
    bool round = false;
    bool bright = false;
    int32_t labelOffset = 0;  // pixels to the right

private:
    void build(int x, int y, int width, int height, std::string_view caption);
    void readCaption(std::string_view text);
    void renderRectangularFace(Limage& face, bool lit) const;
    void renderRoundFace(Limage& face, bool on) const;
    void paintLabel(Limage& buffer) const;
    void paintPushedIn(Limage& buffer, const Limage& face) const;

    // Shading strips of the pushed-in look, made with the faces.
    Limage pushShadeRow;
    Limage pushShadeColumn;
};

}  // namespace brio
