#pragma once

#include <array>
#include <string>
#include <string_view>

#include "graphics/Color.h"
#include "graphics/DrawSurface.h"
#include "graphics/Rect.h"

namespace brio {

class Canvas;
class Limage;

// The tinted liquid-crystal box: a bevelled frame, a gradient in the surface's lcd colour, a
// small first line and a large second line of text, and two optional icons whose areas the
// owner hit-tests. The box keeps no text: the owner passes everything with each paint.
//
// Mode text (first two characters; shorter texts count as two blanks):
//   first  'P' left icon on, 'p' left icon off (the texts are dimmed), anything else no icon;
//   second 'S' right icon vertical, 's' right icon horizontal, anything else no icon.
class LcdDisplay {
public:
    static constexpr int hitAreaCount = 5;
    // Hit areas: -1 the whole box, 0 the left icon, 1 the strip left of the separator, 2 the
    // right icon; 3 and 4 stay empty.
    enum Area : int { wholeBox = -1, leftIcon = 0, leftStrip = 1, rightIcon = 2 };
    // Pixels above the box copied with it, where owners write a caption.
    static constexpr int captionRoom = 20;
    static constexpr int firstLineHeight = 11;
    static constexpr int secondLineHeight = 20;

    // Paints the box (x, y, x + width, y + height) into the surface's back buffer; with
    // `copyToWindow` the box and the 20 pixels above it are copied to the window. Nothing while
    // the surface is not ready.
    // `corner`, when given, stands at the right end of the second line in its type size.
    void paint(int x, int y, int width, int height, const std::string& firstLine,
               const std::string& secondLine, std::string_view mode, bool copyToWindow,
               const std::string& corner = {});
    // True when (x, y) lies in the given area of the last paint (inclusive); false for an area
    // outside -1..4 and for an empty area.
    bool hitTest(int x, int y, int area) const;

    Rect rect = emptyRect;                        // the box of the last paint
    Color colour = DrawSurface::defaultLcdColor;  // lcd colour of the last paint
    std::array<Rect, hitAreaCount> hitAreas{emptyRect, emptyRect, emptyRect, emptyRect, emptyRect};

private:
    void paintLeftIcon(Limage& buffer, bool on, Color ink);
    void paintRightIcon(Limage& buffer, bool vertical, Color ink);
};

}  // namespace brio
