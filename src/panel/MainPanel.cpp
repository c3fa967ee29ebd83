#include "panel/MainPanel.h"

#include "graphics/Canvas.h"
#include "graphics/Drawing.h"

namespace brio {

bool MainPanel::build() {
    if (!image.create(normalWidth, normalHeight)) return false;
    image.fill(backgroundColor);
    piano.build(pianoOctaves, normalKeySize, keyboardAreaColor);
    keyboardLeft = normalWidth / 2 - piano.width() / 2;
    keyboardTop = normalHeight - piano.height() - 14;

    Canvas& canvas = image.canvas();
    gradientFill(canvas, 0, keyboardAreaTop - 4, normalWidth, keyboardAreaTop, backgroundColor,
                 keyboardAreaColor, false);
    canvas.setColor(keyboardAreaColor);
    canvas.fillRect(0, keyboardAreaTop, normalWidth + 1, normalHeight + 1);
    return true;
}

void MainPanel::paintAll(Canvas& window, bool showDots) {
    if (!image.isValid()) return;
    piano.paint(image.canvas(), true, keyboardLeft, keyboardTop, showDots);
    blitToWindow(image, window, makeRect(0, 0, width() - 1, height() - 1), 0, 0);
}

void MainPanel::paintPiano(Canvas& window, bool showDots) {
    piano.paint(window, false, keyboardLeft, keyboardTop, showDots);
}

}  // namespace brio
