#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Color.h"
#include "graphics/Rect.h"

namespace brio {

class Limage;

// Told about the rectangles (inclusive) reported through Canvas::reportDamage; a window's canvas
// uses it to show those pixels on the screen.
class DamageSink {
public:
    virtual ~DamageSink() = default;
    virtual void damaged(const Rect& area) = 0;
};

// Shape and text drawing on one image, with the usual rules of a 2-D canvas: lines exclude
// their end point; fill and frame rectangles exclude right and bottom; pen and brush share one
// colour. Everything is clipped to the image and to the canvas's own clip rectangle. Positions
// are in the image's pixels; at a larger scale lines and pixels become squares of device
// pixels, while polygons, ellipses and text are drawn at the device resolution.
class Canvas {
public:
    explicit Canvas(Limage& image) : image(image) {}

    // Pen and brush colour.
    void setColor(Color color) { penColor = color; }
    Color color() const { return penColor; }

    void fillRect(int left, int top, int right, int bottom);
    void frameRect(int left, int top, int right, int bottom);
    void moveTo(int x, int y);
    void lineTo(int x, int y);  // the end point itself is not drawn
    void setPixel(int x, int y, Color color);
    void polygon(const std::vector<Point>& points);          // filled and outlined
    void ellipse(int left, int top, int right, int bottom);  // filled and outlined
    // Copies `source` with its top-left corner at (x, y).
    void drawImage(int x, int y, const Limage& source);

    // Clip region (exclusive right and bottom), until clearClip.
    void setClip(int left, int top, int right, int bottom);
    void clearClip();
    // The pixels drawing can reach (inclusive): the image within the clip region. Right is below
    // left when nothing can be drawn.
    Rect clipBox() const;

    // Text in the "Tahoma" face: em height in pixels, bold or normal, drawn with a transparent
    // background, (x, y) the top-left corner of the text's line box.
    void setFont(int pixelHeight, bool bold = false);
    void setFontColor(Color color) { fontColor = color; }
    void textOut(int x, int y, const std::string& text);
    int textWidth(const std::string& text) const;
    int textHeight(const std::string& text) const;

    void setDamageSink(DamageSink* sink) { damageSink = sink; }
    // Reports an area to the damage sink, if any.
    void reportDamage(const Rect& area) const;

    int fontHeight = 11;
    bool fontBold = false;

private:
    // The effective clip: image bounds intersected with the clip region (exclusive); and the
    // same in device pixels.
    Rect bounds() const;
    Rect deviceBounds() const;
    // Fills the rectangle (exclusive) within bounds; 64-bit so that edges near the int limits
    // cannot overflow.
    void fillBox(int64_t left, int64_t top, int64_t right, int64_t bottom, Color color);
    void fillDeviceBox(int64_t left, int64_t top, int64_t right, int64_t bottom, Color color);
    // A line of single pixels without its end point; the current position is not touched.
    void drawLine(int x0, int y0, int x1, int y1);
    void fillPolygon(const std::vector<Point>& points);

    Limage& image;
    Color penColor = 0;
    Color fontColor = 0;
    int penX = 0;
    int penY = 0;
    bool clipped = false;
    int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
    DamageSink* damageSink = nullptr;
};

}  // namespace brio
