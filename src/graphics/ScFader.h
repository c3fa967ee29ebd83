#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "graphics/Limage.h"
#include "graphics/ScControl.h"

namespace brio {

// A vertical fader bound to a real from 0 (bottom) to 1 (top): a caption above, a tick scale
// beside a groove, a striped handle and a soft drop shadow. Its images are rendered when it is
// built; painting composes them.
//
// Layout from the rectangle's top: the caption band (15 pixels, presses there are ignored),
// then the track; the handle's centre runs from top + 33 (value 1) to top + 33 + travel
// (value 0).
class ScFader : public ScControl {
public:
    static constexpr int width = 40;        // rectangle: x .. x + 40
    static constexpr int extraHeight = 51;  // rectangle: y .. y + travel + 51
    static constexpr int captionBand = 15;  // pixels at the top that do not take presses
    static constexpr int trackWidth = 33;
    static constexpr int trackExtra = 37;  // track height = travel + 37
    static constexpr int handleWidth = 15;
    static constexpr int handleHeight = 31;
    static constexpr int grabDistance = 17;  // a press this close to the handle grabs it
    static constexpr int shadowDepth = 10;   // painted area reaches this far below the rectangle
    static constexpr int textHeight = 11;
    // Pure red, which a track in the program's colours never holds: keyed on it, the track is
    // copied whole.
    static constexpr Color trackKey = 0x0000FF;

    ScFader() = default;
    ScFader(const ScFader&) = default;
    ScFader& operator=(const ScFader&) = default;
    // A fader that goes away while it holds the capture gives the capture up.
    ~ScFader();

    // The rectangle becomes (x, y, x + 40, y + travel + 51); `tickCount` intervals are marked
    // on the scale, the tick at index `centreTick` (-1: tickCount / 2) across its full width.
    void build(int x, int y, int travel, std::string_view caption, double* value, int tickCount,
               int centreTick = -1);
    // Paints caption, track, shadow and handle over the rectangle extended 10 pixels down and
    // copies that area to the window; nothing while the surface is not ready or unbound.
    void paint();
    // A press (pressed true) or a drag with the button held. A press in the rectangle below the
    // caption band captures the fader and jumps the value to the pointer unless it lands within
    // 17 pixels of the handle; a drag of the captured fader moves the value by the pointer's
    // distance over the travel. True when the value changed (it is then painted).
    bool input(int x, int y, bool pressed);

    int travel() const { return rect.bottom - rect.top - extraHeight; }
    // The area paint draws and copies: the rectangle and the shadow's room below it.
    Rect paintedArea() const;
    // Where the handle's centre is drawn for value v (clamped to 0..1; NaN counts as 0).
    int handleCentreY(double v) const;

    std::string caption;
    double* value = nullptr;
    Limage trackImage;
    Limage handleImage;
    Limage smallShadow;
    Limage largeShadow;
    double anchorValue = 0;  // value at the last press
    int32_t anchorY = 0;     // pointer y at the last press
    int32_t centreTick = -1;

private:
    void renderTrack(int travel, int tickCount);
    void renderHandle();
    void renderShadows();
};

// The fader that took the last mouse press; null after a press that hit no fader.
ScFader*& captureFader();

}  // namespace brio
