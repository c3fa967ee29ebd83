#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>

#include "WidgetSurface.h"
#include "graphics/Blit.h"
#include "graphics/ScButton.h"
#include "platform/FreeTypeText.h"

namespace brio {
namespace {

using ScButtonTest = WidgetSurface;

TEST_F(ScButtonTest, CaptionGrammarChoosesShapeLabelOffsetBrightnessAndIcon) {
    using Icon = ScButton::Icon;
    struct Case {
        const char* caption;
        bool round;
        const char* label;
        const char* shown;
        int32_t offset;
        bool bright;
        Icon icon;
    };
    const Case cases[] = {
        {"$Play@1", true, "Play", "", 1, false, Icon::none},
        {"$Record@ -3x", true, "Record", "", -3, false, Icon::none},
        {"@", false, "", "", 0, false, Icon::none},  // shows nothing
        {"", false, "", " ", 0, false, Icon::none},
        {"x@+12@3", false, "", "x", 12, false, Icon::none},
        {"x@99999999999", false, "", "x", 10000, false, Icon::none},
        {"#5", false, "", "5", 0, true, Icon::none},
        {"#$Bass", true, "Bass", "", 0, true, Icon::none},
        {"<up>", false, "", "<up>", 0, false, Icon::up},
        {"<check>", false, "", "<check>", 0, false, Icon::check},
        {"<nope>", false, "", "<nope>", 0, false, Icon::none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        ScButton button;
        button.buildPlain(0, 0, 31, 31, c.caption);
        EXPECT_EQ(button.round, c.round);
        EXPECT_EQ(button.label, c.label);
        EXPECT_EQ(button.caption, c.shown);
        EXPECT_EQ(button.labelOffset, c.offset);
        EXPECT_EQ(button.bright, c.bright);
        EXPECT_EQ(button.icon, c.icon);
    }
}

TEST_F(ScButtonTest, LedStripIsFifteenOrThirtyPixelsAndOnlyOnBoundButtons) {
    const Color led = drawSurface().ledColor;
    struct Case {
        int width, lit, firstX;
    };
    // 39: cx - 7 .. cx + 7; 40: cx - 15 .. cx + 14; an odd width adds a pixel.
    for (const Case& c : {Case{39, 15, 12}, Case{40, 30, 5}, Case{26, 14, 6}, Case{41, 31, 5}}) {
        SCOPED_TRACE(c.width);
        bool on = true;
        ScButton button;
        button.buildToggle(0, 0, c.width, 22, "Arp", &on);
        int lit = 0, first = -1;
        for (int x = 0; x < c.width; ++x) {
            if (button.onFace.pixel(x, 2) != led || button.onFace.pixel(x, 3) != led) continue;
            if (first < 0) first = x;
            ++lit;
        }
        EXPECT_EQ(lit, c.lit);
        EXPECT_EQ(first, c.firstX);
        EXPECT_EQ(countPixels(button.offFace, led), 0);
        EXPECT_EQ(button.offFace.pixel(c.firstX, 2),
                  scaleColor(scaleColor(sectionColor, 0.85f), 0.7f));
        ScButton plain;
        plain.buildPlain(0, 0, c.width, 22, "Arp");
        EXPECT_TRUE(sameImage(plain.onFace, plain.offFace));
        EXPECT_NE(plain.offFace.pixel(c.firstX, 2), button.offFace.pixel(c.firstX, 2));
    }
}

TEST_F(ScButtonTest, PressesMissTheBottomRowAndOnlyRectangularButtonsSink) {
    bool on = false;
    ScButton button;
    button.buildToggle(20, 30, 40, 22, "Arp", &on);  // rectangle (20, 30, 60, 52)
    for (const auto& [x, y, taken] : {std::tuple{60, 52, false}, std::tuple{61, 40, false},
                                      std::tuple{20, 30, true}, std::tuple{60, 51, true}}) {
        button.pressed = false;
        EXPECT_EQ(button.press(x, y), taken) << x << ", " << y;
        EXPECT_EQ(button.pressed, taken);
    }
    EXPECT_FALSE(on);  // two presses taken
    button.pressed = false;
    button.paint();
    button.press(25, 35);
    // Pushed in: the face one pixel lower down to the clip at bottom - 2, a shadow along the
    // top under the outline, and the outline's bottom row left in place.
    const Limage& face = button.onFace;
    const BlendTable& m = multiplyTable();
    for (int c = 2; c < 40; ++c) {
        for (int r = 3; r <= 20; ++r) ASSERT_EQ(buffer.pixel(20 + c, 30 + r), face.pixel(c, r - 1));
        const ColorChannels f = splitColor(face.pixel(c, 1));
        EXPECT_EQ(
            buffer.pixel(20 + c, 32),
            makeColor(m[0xE0][size_t(f.red)], m[0xE0][size_t(f.green)], m[0xE0][size_t(f.blue)]));
        EXPECT_EQ(buffer.pixel(20 + c, 51), face.pixel(c, 21));
    }
    ScButton round;
    round.buildToggle(100, 30, 31, 31, "$Play@1", &on);
    round.press(110, 40);
    for (int r = 0; r < 31; ++r)
        for (int c = 0; c < 31; ++c)
            ASSERT_EQ(buffer.pixel(100 + c, 30 + r), round.offFace.pixel(c, r));
}

TEST_F(ScButtonTest, RoundLabelsSitAboveShiftedByTheOffsetAndRepaintWithoutDarkening) {
    // "Play" is 24 pixels wide and 13 tall in the marking rasterizer; the button's centre is 115.
    for (const auto& [caption, x] :
         {std::pair{"$Play@1", 104}, std::pair{"$Play@-4", 99}, std::pair{"$Play", 103}}) {
        bool on = false;
        ScButton button;
        button.buildToggle(100, 60, 31, 31, caption, &on);
        text.calls.clear();
        button.paint();
        ASSERT_EQ(text.calls.size(), 1u) << caption;
        EXPECT_EQ(text.calls[0].x, x) << caption;
        EXPECT_EQ(text.calls[0].y, 60 - 2 * (13 / 2) - 4);
    }
    FreeTypeText font;
    if (!font.ready()) GTEST_SKIP() << "no font";
    installFontRasterizer(&font);
    bool on = false;
    ScButton button;
    button.buildToggle(100, 160, 31, 31, "$Record@1", &on);
    button.paint();
    const Limage once = buffer;
    for (int i = 0; i < 5; ++i) button.paint();
    EXPECT_TRUE(sameImage(buffer, once));
    EXPECT_LT(changedArea(buffer, sectionColor).top, 160);  // the label is there, above
}

}  // namespace
}  // namespace brio
