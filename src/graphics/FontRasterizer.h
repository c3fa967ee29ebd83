#pragma once

#include <string>

#include "graphics/Color.h"
#include "graphics/Rect.h"

namespace brio {

class Limage;

// Draws text in the "Tahoma" face. The program installs the real one at start; without one,
// text is not drawn and measures 0.
class FontRasterizer {
public:
    virtual ~FontRasterizer() = default;
    // Draws `text` anti-aliased into `target` with (x, y) the top-left corner of its line box,
    // touching only pixels inside `clip` (inclusive) and the image.
    virtual void drawText(Limage& target, const Rect& clip, int x, int y, const std::string& text,
                          int pixelHeight, bool bold, Color color) = 0;
    // Advance width of `text` in pixels.
    virtual int textWidth(const std::string& text, int pixelHeight, bool bold) = 0;
    // Line height of the face at that size, in pixels.
    virtual int textHeight(int pixelHeight, bool bold) = 0;
};

FontRasterizer* fontRasterizer();
// Installs the rasterizer (the caller keeps ownership); nullptr removes it.
void installFontRasterizer(FontRasterizer* rasterizer);

}  // namespace brio
