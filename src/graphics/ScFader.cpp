#include "graphics/ScFader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "graphics/Blit.h"
#include "graphics/Canvas.h"
#include "graphics/DrawSurface.h"
#include "graphics/Drawing.h"

namespace brio {

namespace {

constexpr int grooveLeft = 6;
constexpr int grooveRight = 26;
constexpr int handleTop = 33;           // handle centre at value 1, from the rectangle's top
constexpr int handleBottomMargin = 18;  // handle centre at value 0, from the rectangle's bottom
constexpr int trackOffset = 15;         // the track's top below the rectangle's top
constexpr Color lightShadow = 0xB0B0B0;
constexpr Color darkShadow = 0x8C8C8C;

ScFader* captured = nullptr;

// 0..1; NaN and values below 0 give 0.
double clampUnit(double v) {
    if (!(v > 0)) return 0;
    return v > 1 ? 1 : v;
}

}  // namespace

ScFader*& captureFader() {
    return captured;
}

ScFader::~ScFader() {
    if (captured == this) captured = nullptr;
}

void ScFader::build(int x, int y, int travelPixels, std::string_view text, double* bound,
                    int tickCount, int centre) {
    travelPixels = widgetCoordinate(travelPixels);
    caption = text;
    value = bound;
    centreTick = centre;
    anchorValue = 0;
    anchorY = 0;
    place(x, y, width, travelPixels + extraHeight);
    renderTrack(travelPixels, tickCount);
    renderHandle();
    renderShadows();
}

void ScFader::renderTrack(int travelPixels, int tickCount) {
    if (!trackImage.create(trackWidth, travelPixels + trackExtra)) return;
    const Color f = faceColor;
    const Color tick = drawSurface().faderTickColor;
    const int h = trackImage.height();
    Canvas& canvas = trackImage.canvas();
    trackImage.fill(f);

    // End marks at both ends of the travel, full width.
    canvas.setColor(tick);
    canvas.fillRect(0, 18, trackWidth, 20);
    canvas.fillRect(0, h - 20, trackWidth, h - 18);

    // Tick lines between them; the upper half is placed half a pixel lower, and an odd travel
    // moves every line one pixel down, so the lines sit symmetrically around the centre tick.
    canvas.setColor(mixColor(f, tick, tick == black ? 0.35 : 0.4));
    // More lines than pixels would only overdraw each other.
    tickCount = std::min(tickCount, Limage::maxSide);
    const int centre = centreTick == -1 ? tickCount / 2 : centreTick;
    for (int i = 1; i < tickCount; ++i) {
        double y = double(i) * travelPixels / tickCount + 18;
        if (i < tickCount / 2) y += 0.5;
        if (travelPixels % 2 != 0) y += 1;
        const int inset = i == centre ? 0 : 3;
        drawLine(canvas, inset, int(y), trackWidth - inset, int(y));
    }

    // The groove with its bevel.
    canvas.setColor(scaleColor(f, 0.8f));
    drawLine(canvas, grooveLeft, 0, grooveRight, 0);
    drawLine(canvas, grooveLeft, 0, grooveLeft, h - 1);
    canvas.setColor(scaleColor(f, 1.15f));
    drawLine(canvas, grooveRight, 1, grooveRight, h - 1);
    drawLine(canvas, grooveLeft + 1, h - 1, grooveRight + 1, h - 1);
    canvas.setColor(scaleColor(f, 0.9f));
    canvas.fillRect(7, 1, 26, h - 1);
    canvas.setColor(scaleColor(f, 0.6f));
    canvas.fillRect(7, 1, 8, h - 1);
    canvas.fillRect(7, 1, 26, 2);

    // The slot the handle runs in.
    canvas.setColor(scaleColor(f, 0.8f));
    canvas.fillRect(13, 14, 20, h - 14);
    canvas.setColor(scaleColor(f, 0.6f));
    canvas.fillRect(16, 14, 17, h - 14);
}

void ScFader::renderHandle() {
    if (!handleImage.create(handleWidth, handleHeight)) return;
    const Color k = drawSurface().faderHandleColor;
    Canvas& canvas = handleImage.canvas();
    canvas.setColor(scaleColor(k, 0.77f));
    canvas.fillRect(0, 0, handleWidth, 16);
    canvas.setColor(scaleColor(k, 1.43f));
    canvas.fillRect(0, 15, handleWidth, handleHeight);
    for (int y = 1; y <= 29; y += 2) {  // grip stripes
        canvas.setColor(scaleColor(k, y <= 15 ? 0.92f : 1.28f));
        drawLine(canvas, 0, y, handleWidth, y);
    }
    canvas.setColor(scaleColor(k, 1.2f));
    drawLine(canvas, 0, 0, handleWidth, 0);
    canvas.setColor(scaleColor(k, 0.8f));
    drawLine(canvas, 0, 30, handleWidth, 30);
    canvas.setColor(black);  // the index line
    drawLine(canvas, 0, 15, handleWidth, 15);
}

void ScFader::renderShadows() {
    if (smallShadow.create(20, 36)) {
        smallShadow.fill(white);
        Canvas& canvas = smallShadow.canvas();
        canvas.setColor(lightShadow);
        canvas.polygon({{0, 0}, {14, 0}, {19, 5}, {19, 35}, {5, 35}, {0, 30}});
        gradientFill(canvas, 19, 5, 19, 20, lightShadow, white, false);
        gradientFill(canvas, 19, 20, 19, 35, white, lightShadow, false);
        const Color edge = mixColor(lightShadow, white, 0.5);
        for (int i = 0; i <= 4; ++i) {
            canvas.setPixel(15 + i, i, edge);
            canvas.setPixel(i, 31 + i, edge);
        }
    }
    if (largeShadow.create(22, 38)) {
        largeShadow.fill(white);
        Canvas& canvas = largeShadow.canvas();
        canvas.setColor(darkShadow);
        canvas.polygon({{0, 0}, {14, 0}, {21, 7}, {21, 37}, {7, 37}, {0, 30}});
        const Color edge = mixColor(darkShadow, white, 0.5);
        for (int i = 0; i <= 6; ++i) {
            canvas.setPixel(15 + i, i, edge);
            canvas.setPixel(i, 31 + i, edge);
        }
    }
}

Rect ScFader::paintedArea() const {
    return makeRect(rect.left, rect.top, rect.right, rect.bottom + shadowDepth);
}

int ScFader::handleCentreY(double v) const {
    return int((1 - clampUnit(v)) * travel() + rect.top + handleTop + 0.5);
}

void ScFader::paint() {
    DrawSurface& surface = drawSurface();
    if (!surface.ready() || !value) return;
    if (!trackImage.isValid() || !handleImage.isValid() || !smallShadow.isValid() ||
        !largeShadow.isValid())
        return;
    Limage& buffer = *surface.backBuffer;
    Canvas& canvas = buffer.canvas();
    const Rect area = paintedArea();
    canvas.setColor(faceColor);
    canvas.fillRect(area.left, area.top, area.right + 1, area.bottom + 1);

    canvas.setFont(textHeight, false);
    canvas.setFontColor(textColor);
    canvas.textOut((rect.left + rect.right) / 2 - canvas.textWidth(caption) / 2 + 1, rect.top - 2,
                   caption);

    const int cx = (rect.left + rect.right) / 2;
    const int hx = cx - 7;
    const int hy = handleCentreY(*value) - 15;
    const int trackX = cx - 16;
    const int trackY = rect.top + trackOffset;
    blitKeyed(trackImage, buffer, trackX, trackY, noColor);
    blitBlend(smallShadow, buffer, hx, hy, multiplyTable());
    // Over the track's groove the handle casts the larger, darker shadow: the track is laid
    // again there (which removes the small shadow) and the large one blended inside that clip.
    buffer.setClip(0, 0, hx + 16, trackY + trackImage.height() - 2);
    blitKeyed(trackImage, buffer, trackX, trackY, trackKey);
    blitBlend(largeShadow, buffer, hx, hy, multiplyTable());
    buffer.resetClip();
    blitKeyed(handleImage, buffer, hx, hy, noColor);
    surface.copyToWindow(area);
}

bool ScFader::input(int x, int y, bool pressed) {
    if (!value) return false;
    const bool hit = pointInRect(x, y, rect) && y > rect.top + captionBand;
    if (pressed && hit) captured = this;
    if (pressed ? !hit : captured != this) return false;
    const int y0 = rect.top + handleTop;
    const int y1 = rect.bottom - handleBottomMargin;
    const int range = y1 - y0;
    if (range < 1) return false;

    const double current = *value;
    double next;
    if (pressed) {
        const int handleCentre = int((1 - clampUnit(current)) * range + y0 + 0.5);
        next = std::abs(int64_t(handleCentre) - y) > grabDistance ? 1 - (double(y) - y0) / range
                                                                  : current;
        anchorValue = clampUnit(next);
        anchorY = y;
    } else {
        next = anchorValue - (double(y) - anchorY) / range;
    }
    next = clampUnit(next);
    if (next == current) return false;
    *value = next;
    paint();
    return true;
}

}  // namespace brio
