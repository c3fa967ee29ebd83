#pragma once

#include "graphics/Color.h"
#include "graphics/Limage.h"
#include "graphics/PianoKeyboard.h"

namespace brio {

class Canvas;

// The main window's panel: its back buffer with the background, the keyboard area and the
// drawn piano. The widgets and displays join it later.
class MainPanel {
public:
    static constexpr int normalWidth = 987;
    static constexpr int normalHeight = 503;
    static constexpr Color backgroundColor = 0x3E3E3E;
    static constexpr Color keyboardAreaColor = 0x303030;
    static constexpr int keyboardAreaTop = 311;
    static constexpr int normalKeySize = 20;
    static constexpr int pianoOctaves = 6;

    // Lays out the panel for the normal view; false when its images cannot be made.
    bool build();

    int width() const { return image.width(); }
    int height() const { return image.height(); }

    // Shows the whole panel on the window canvas.
    void paintAll(Canvas& window, bool showDots);
    // Repaints the piano keys whose look changed and copies them to the window canvas.
    void paintPiano(Canvas& window, bool showDots);

    Limage image;  // the back buffer
    PianoKeyboard piano;
    int keyboardLeft = 0;
    int keyboardTop = 0;
};

}  // namespace brio
