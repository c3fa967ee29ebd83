#pragma once

#include <string_view>

#include "graphics/Limage.h"
#include "graphics/ScControl.h"

namespace brio {

// A pill-shaped on/off switch with a caption and an indicator dot, bound to a boolean. Both
// looks are rendered when it is built.
class ScSwitch : public ScControl {
public:
    static constexpr int imageHeight = 17;
    static constexpr int textHeight = 11;
    static constexpr int captionLeft = 20;

    // The rectangle becomes (x, y, x + width, y + 17); the images are width x 17.
    void build(int x, int y, int width, std::string_view caption, bool* target);
    // Copies the image for the target's state to the back buffer and the window; nothing while
    // the surface is not ready, the switch is unbound or its images are missing.
    void paint();
    // A press anywhere in the inclusive rectangle inverts the target and paints.
    bool press(int x, int y);

    bool* target = nullptr;
    Limage onImage;
    Limage offImage;

private:
    void renderOffImage(std::string_view caption);
};

}  // namespace brio
