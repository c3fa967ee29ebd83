#include "graphics/ScSwitch.h"

#include <string>

#include "graphics/Blit.h"
#include "graphics/Canvas.h"
#include "graphics/DrawSurface.h"
#include "graphics/SoftPen.h"

namespace brio {

namespace {

// The indicator dot: a solid ellipse over pixels 6..10 in both directions.
void drawIndicator(Limage& image, Color color) {
    Canvas& canvas = image.canvas();
    canvas.setColor(color);
    canvas.ellipse(6, 6, 11, 11);
}

}  // namespace

void ScSwitch::build(int x, int y, int width, std::string_view caption, bool* bound) {
    target = bound;
    place(x, y, width, imageHeight);
    onImage.release();
    if (!offImage.create(width, imageHeight)) return;
    renderOffImage(caption);
    onImage = offImage;
    drawIndicator(onImage, drawSurface().ledColor);
}

void ScSwitch::renderOffImage(std::string_view caption) {
    const int w = offImage.width();
    const Color light = scaleColor(faceColor, 1.22f);
    const Color socket = scaleColor(faceColor, 0.85f);
    offImage.fill(faceColor);
    Canvas& canvas = offImage.canvas();
    canvas.setColor(light);
    canvas.fillRect(7, 1, w - 6, 16);
    SoftPen& pen = softPen();
    pen.setTarget(&offImage);
    pen.setColour(light).circle(8, 8, 8, true);
    pen.setColour(socket).circle(8, 8, 7, true);
    pen.setColour(light).circle(w - 9, 8, 7, true);  // the rounded right end
    pen.setTarget(nullptr);

    const std::string text(caption);
    canvas.setFont(textHeight, false);
    canvas.setFontColor(textColor);
    canvas.textOut(captionLeft, 8 - canvas.textHeight(text) / 2 - 1, text);
    drawIndicator(offImage, black);
}

void ScSwitch::paint() {
    DrawSurface& surface = drawSurface();
    if (!surface.ready() || !target || !onImage.isValid() || !offImage.isValid()) return;
    blitKeyed(*target ? onImage : offImage, *surface.backBuffer, rect.left, rect.top, noColor);
    surface.copyToWindow(rect);
}

bool ScSwitch::press(int x, int y) {
    if (!target || !pointInRect(x, y, rect)) return false;
    *target = !*target;
    paint();
    return true;
}

}  // namespace brio
