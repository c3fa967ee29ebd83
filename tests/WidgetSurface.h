#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ImageProbe.h"
#include "graphics/Canvas.h"
#include "graphics/DrawSurface.h"
#include "graphics/FontRasterizer.h"
#include "graphics/Limage.h"
#include "graphics/ScFader.h"

namespace brio {

// True when both images have the same size and pixels.
inline bool sameImage(const Limage& a, const Limage& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

// Text measured as 6 pixels a character and pixel height + 2 tall; drawing remembers each call
// and marks the line box's top-left pixel (inside the clip) in the text colour, so tests can
// see where text went. Blanks draw nothing.
class MarkingRasterizer : public FontRasterizer {
public:
    struct Call {
        std::string text;
        int x = 0;
        int y = 0;
        int height = 0;
        bool bold = false;
        Color color = 0;
    };
    void drawText(Limage& target, const Rect& clip, int x, int y, const std::string& text,
                  int pixelHeight, bool bold, Color color) override {
        calls.push_back({text, x, y, pixelHeight, bold, color});
        if (text.find_first_not_of(' ') == std::string::npos) return;
        if (pointInRect(x, y, clip)) target.setPixel(x, y, color);
    }
    int textWidth(const std::string& text, int, bool) override { return int(text.size()) * 6; }
    int textHeight(int pixelHeight, bool) override { return pixelHeight + 2; }

    std::vector<Call> calls;
};

// A back buffer in the section colour and a window stand-in that records every area copied to
// it. The draw surface points at them (enabled) while the test runs and gets its defaults back
// afterwards; the marking rasterizer is installed for the test.
class WidgetSurface : public testing::Test, public DamageSink {
public:
    static constexpr Color sectionColor = 0xB09880;
    static constexpr Color windowColor = 0xFF00FF;

protected:
    void SetUp() override {
        buffer = filledImage(420, 320, sectionColor);
        window = filledImage(420, 320, windowColor);
        window.canvas().setDamageSink(this);
        DrawSurface& surface = drawSurface();
        surface = DrawSurface{};
        surface.backBuffer = &buffer;
        surface.windowCanvas = &window.canvas();
        surface.faceColor = sectionColor;
        surface.enabled = true;
        captureFader() = nullptr;
        installFontRasterizer(&text);
    }
    void TearDown() override {
        installFontRasterizer(nullptr);
        drawSurface() = DrawSurface{};
        captureFader() = nullptr;
    }
    void damaged(const Rect& area) override { copies.push_back(area); }

    bool copied(const Rect& area) const {
        return std::find(copies.begin(), copies.end(), area) != copies.end();
    }

    Limage buffer;
    Limage window;
    std::vector<Rect> copies;
    MarkingRasterizer text;
};

}  // namespace brio
