#include <gtest/gtest.h>

#include <string_view>

#include "WidgetSurface.h"
#include "graphics/LcdDisplay.h"

namespace brio {
namespace {

using LcdDisplayTest = WidgetSurface;

// Boxes 288 wide at (30, 40): rectangle (30, 40, 318, 40 + height).
TEST_F(LcdDisplayTest, ModeTextsChooseIconsHitAreasAndTextPlacement) {
    const Color lcd = drawSurface().lcdColor;
    const Color ink = scaleColor(lcd, 0.35f);
    const Color dim = mixColor(ink, lcd, 0.75);
    const Color iconInk = scaleColor(ink, 0.75f);
    const Color sliderInk = scaleColor(ink, 1.3f);
    const Rect left{30, 40, 58, 67}, strip{30, 40, 60, 89}, right{292, 52, 316, 78};
    const Rect none = emptyRect;
    struct Case {
        std::string_view mode;
        int height;
        Rect area0, area1, area2;
        int textLeft, firstTop;
        Color text;
    };
    const Case cases[] = {
        {"", 49, none, none, none, 37, 47, ink},
        {"P", 49, none, none, none, 37, 47, ink},  // too short: two blanks
        {"Ps", 49, left, strip, right, 65, 47, ink},
        {"pS", 49, left, strip, right, 65, 47, dim},
        {"xS", 49, none, none, right, 37, 47, ink},
        {"P?", 49, left, strip, none, 65, 47, ink},
        {"  ", 22, none, none, none, 37, 44, ink},  // a low box raises the first line
        {"  ", 30, none, none, none, 37, 47, ink},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.mode << "\" " << c.height);
        buffer.fill(sectionColor);
        text.calls.clear();
        LcdDisplay display;
        display.hitAreas[3] = makeRect(0, 0, 5, 5);  // every paint empties all five first
        display.paint(30, 40, 288, c.height, "Piano", "001 Grand", c.mode, true);
        EXPECT_EQ(display.rect, makeRect(30, 40, 318, 40 + c.height));
        EXPECT_EQ(display.colour, lcd);
        const Rect areas[] = {c.area0, c.area1, c.area2, none, none};
        for (int i = 0; i < LcdDisplay::hitAreaCount; ++i) EXPECT_EQ(display.hitAreas[i], areas[i]);
        ASSERT_EQ(text.calls.size(), 2u);
        EXPECT_EQ(text.calls[0].x, c.textLeft);
        EXPECT_EQ(text.calls[0].y, c.firstTop);
        EXPECT_EQ(text.calls[0].height, 11);
        EXPECT_EQ(text.calls[1].x, c.textLeft);
        EXPECT_EQ(text.calls[1].y, 59);
        EXPECT_EQ(text.calls[1].height, 20);
        EXPECT_EQ(text.calls[0].color, c.text);
        EXPECT_EQ(text.calls[1].color, c.text);
        if (c.height == 49) {
            const char l = c.mode.size() < 2 ? ' ' : c.mode[0];
            const char r = c.mode.size() < 2 ? ' ' : c.mode[1];
            // The power bar crosses the ring's top when on, hangs below its centre when off.
            EXPECT_EQ(buffer.pixel(45, 58) == iconInk, l == 'P');
            EXPECT_EQ(buffer.pixel(45, 73) == iconInk, l == 'p');
            // The slider symbol, vertical or horizontal through (303, 65).
            EXPECT_EQ(buffer.pixel(303, 62) == sliderInk, r == 'S');
            EXPECT_EQ(buffer.pixel(300, 65) == sliderInk, r == 's');
        }
        // Nothing outside the box; the copy includes 20 pixels above it for a caption.
        EXPECT_EQ(copies.back(), makeRect(30, 20, 318, 40 + c.height));
        const Rect changed = changedArea(buffer, sectionColor);
        EXPECT_TRUE(changed.left >= 30 && changed.top >= 40 && changed.right <= 318 &&
                    changed.bottom <= 40 + c.height);
    }
}

TEST_F(LcdDisplayTest, HitTestsAreInclusiveAndEmptyAreasNeverHit) {
    LcdDisplay display;
    EXPECT_FALSE(display.hitTest(-1, -1, LcdDisplay::wholeBox));  // never painted
    display.paint(30, 40, 288, 49, "", "", "Ps", false);
    EXPECT_TRUE(copies.empty());  // without copyToWindow nothing reaches the window
    struct Case {
        int x, y, area;
        bool hit;
    };
    const Case cases[] = {
        {30, 40, -1, true}, {318, 89, -1, true}, {319, 89, -1, false}, {318, 90, -1, false},
        {58, 67, 0, true},  {59, 67, 0, false},  {60, 89, 1, true},    {61, 50, 1, false},
        {292, 52, 2, true}, {316, 78, 2, true},  {291, 60, 2, false},  {-1, -1, 3, false},
        {-1, -1, 4, false}, {100, 60, 5, false}, {100, 60, -2, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(display.hitTest(c.x, c.y, c.area), c.hit)
            << c.x << ", " << c.y << " in " << c.area;

    drawSurface().enabled = false;  // disabled: nothing drawn, the last paint's areas kept
    buffer.fill(sectionColor);
    display.paint(200, 200, 50, 30, "", "", "", true);
    EXPECT_EQ(display.rect, makeRect(30, 40, 318, 89));
    EXPECT_EQ(changedArea(buffer, sectionColor), emptyRect);
}

}  // namespace
}  // namespace brio
