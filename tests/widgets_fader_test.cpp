#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "WidgetSurface.h"
#include "graphics/Blit.h"
#include "graphics/ScFader.h"
#include "graphics/ScSwitch.h"

namespace brio {
namespace {

using ScFaderTest = WidgetSurface;
using ScSwitchTest = WidgetSurface;

// Rectangle (20, 20, 60, 171); the handle centre runs from y 53 (value 1) to 153 (value 0).
ScFader faderAt20(double* value) {
    ScFader fader;
    fader.build(20, 20, 100, "Lead", value, 10);
    return fader;
}

TEST_F(ScFaderTest, TickRowsFollowTravelCountAndCentre) {
    struct Case {
        int travel, ticks, centre;
        std::vector<int> rows;  // the full-width row first
    };
    const Case cases[] = {
        {100, 10, -1, {68, 28, 38, 48, 58, 78, 88, 98, 108}},
        {101, 10, -1, {69, 29, 39, 49, 59, 79, 89, 99, 109}},  // odd travel: one lower
        {100, 4, 1, {43, 68, 93}},
        {100, 1, -1, {}},
        {100, 0, -1, {}},
    };
    const Color tick = mixColor(sectionColor, black, 0.35);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.travel << " / " << c.ticks);
        double value = 0;
        ScFader fader;
        fader.build(0, 0, c.travel, "Tempo", &value, c.ticks, c.centre);
        const Limage& track = fader.trackImage;
        ASSERT_EQ(track.height(), c.travel + 37);
        int insetTicks = 0, fullTicks = 0;
        for (int y = 0; y < track.height(); ++y) {
            insetTicks += track.pixel(3, y) == tick && track.pixel(29, y) == tick;
            fullTicks += track.pixel(0, y) == tick && track.pixel(32, y) == tick;
        }
        EXPECT_EQ(insetTicks, int(c.rows.size()));
        EXPECT_EQ(fullTicks, c.rows.empty() ? 0 : 1);
        for (size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(track.pixel(3, c.rows[i]), tick) << c.rows[i];
            EXPECT_EQ(track.pixel(2, c.rows[i]) == tick, i == 0) << c.rows[i];
        }
        for (int y : {18, 19, c.travel + 17, c.travel + 18}) EXPECT_EQ(track.pixel(0, y), black);
    }
}

TEST_F(ScFaderTest, PressesJumpOrGrabAndTheCaptionBandIsIgnored) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        double start;
        int x, y;
        bool changed;
        double after;
        bool captured;
    };
    const Case cases[] = {
        {"caption band", 0, 40, 35, false, 0, false},
        {"just below the band", 0, 40, 36, true, 1, true},
        {"bottom of the travel", 1, 40, 153, true, 0, true},
        {"17 below the handle grabs", 0.5, 40, 120, false, 0.5, true},
        {"17 above the handle grabs", 0.5, 40, 86, false, 0.5, true},
        {"18 below the handle jumps", 0.5, 40, 121, true, 0.32, true},
        {"below the rectangle", 0.5, 40, 172, false, 0.5, false},
        {"not a number counts as 0", nan, 40, 103, true, 0.5, true},
        {"above 1 counts as 1", 3, 40, 53, true, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        captureFader() = nullptr;
        double value = c.start;
        ScFader fader = faderAt20(&value);
        EXPECT_EQ(fader.input(c.x, c.y, true), c.changed);
        EXPECT_DOUBLE_EQ(value, c.after);
        EXPECT_EQ(captureFader() == &fader, c.captured);
    }
    ScFader unbound = faderAt20(nullptr);
    EXPECT_FALSE(unbound.input(40, 100, true));
}

TEST_F(ScFaderTest, DragsMoveByThePointerDistanceAndStopAtTheEnds) {
    double value = 0.5;
    ScFader fader = faderAt20(&value);
    EXPECT_FALSE(fader.input(40, 103, true));  // grab the handle
    struct Step {
        int y;
        bool changed;
        double after;
    };
    for (const Step& s : {Step{93, true, 0.6}, Step{200, true, 0}, Step{250, false, 0},
                          Step{-1000, true, 1}, Step{-2000, false, 1}, Step{100, true, 0.53}}) {
        EXPECT_EQ(fader.input(70, s.y, false), s.changed) << s.y;  // beside it: still captured
        EXPECT_DOUBLE_EQ(value, s.after) << s.y;
    }
    double other = 0;
    ScFader second = faderAt20(&other);
    second.input(40, 100, true);  // another press takes the capture away
    EXPECT_FALSE(fader.input(40, 60, false));
}

TEST_F(ScFaderTest, PaintPlacesHandleAndShadowsWithinThePaintedArea) {
    auto multiplied = [](Color shade, Color under) {
        const BlendTable& m = multiplyTable();
        const ColorChannels s = splitColor(shade), u = splitColor(under);
        return makeColor(m[size_t(s.red)][size_t(u.red)], m[size_t(s.green)][size_t(u.green)],
                         m[size_t(s.blue)][size_t(u.blue)]);
    };
    for (const auto& [v, row] :
         {std::pair{0.25, 128}, std::pair{std::nan(""), 153}, std::pair{7.0, 53}}) {
        SCOPED_TRACE(v);
        buffer.fill(sectionColor);
        copies.clear();
        double value = v;
        ScFader fader = faderAt20(&value);
        fader.paint();
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(copies[0], makeRect(20, 20, 60, 181));
        for (int x = 33; x < 48; ++x) EXPECT_EQ(buffer.pixel(x, row), black) << x;  // index line
        // The caption's mark sits above; everything else inside the painted area.
        EXPECT_EQ(text.calls.back().y, 18);
        buffer.setPixel(text.calls.back().x, 18, sectionColor);
        const Rect changed = changedArea(buffer, sectionColor);
        EXPECT_TRUE(changed.left >= 20 && changed.top >= 20 && changed.right <= 60 &&
                    changed.bottom <= 181);
        // Over the groove the large dark shadow; right of the clip the small light one.
        EXPECT_EQ(buffer.pixel(48, row),
                  multiplied(0x8C8C8C, fader.trackImage.pixel(24, row - 35)));
        EXPECT_EQ(buffer.pixel(51, row),
                  multiplied(0xB0B0B0, fader.trackImage.pixel(27, row - 35)));
    }
}

TEST_F(ScSwitchTest, PressesAnywhereInTheInclusiveRectangleToggleAndPaint) {
    bool mute = false;
    ScSwitch widget;
    widget.build(20, 200, 73, "Mute", &mute);  // rectangle (20, 200, 93, 217)
    bool expected = false;
    for (const auto& [x, y, taken] :
         {std::tuple{20, 200, true}, std::tuple{93, 217, true}, std::tuple{94, 210, false},
          std::tuple{50, 218, false}, std::tuple{56, 208, true}}) {
        copies.clear();
        EXPECT_EQ(widget.press(x, y), taken) << x << ", " << y;
        expected ^= taken;
        EXPECT_EQ(mute, expected);
        EXPECT_EQ(copies.size(), taken ? 1u : 0u);
        EXPECT_EQ(buffer.pixel(28, 208), expected ? drawSurface().ledColor : black);
    }
    ScSwitch unbound;
    unbound.build(20, 240, 73, "Key Start", nullptr);
    copies.clear();
    EXPECT_FALSE(unbound.press(30, 245));
    unbound.paint();
    EXPECT_TRUE(copies.empty());
}

}  // namespace
}  // namespace brio
