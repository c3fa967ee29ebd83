#include <gtest/gtest.h>

#include <cstdint>

#include "WidgetSurface.h"
#include "graphics/ScControls.h"

namespace brio {
namespace {

using ScControlsTest = WidgetSurface;

TEST_F(ScControlsTest, RadioPressRepaintsEverySiblingAndReturnsTheTargetEvenWhenUnchanged) {
    ScControls group;
    int32_t bank = 0;
    for (int k = 0; k < 3; ++k) group.addRadio(10 + k * 36, 10, 37, 22, "Pi", &bank, k);
    group.paintAll();
    auto ledLit = [&](int k) {  // row 3 is LED whether the face is pushed in or not
        const Rect& r = group.buttons.getConst(k).rect;
        return buffer.pixel(r.left + 18, r.top + 3) == drawSurface().ledColor;
    };
    for (int pressed : {1, 1, 0}) {
        SCOPED_TRACE(pressed);
        copies.clear();
        EXPECT_EQ(group.mouseInput(group.buttons.get(pressed).rect.left + 18, 20, true), &bank);
        EXPECT_EQ(bank, pressed);
        for (const ScButton& button : group.buttons) EXPECT_TRUE(copied(button.rect));
        for (int k = 0; k < 3; ++k) EXPECT_EQ(ledLit(k), k == pressed) << k;
        group.releaseButtons();
    }
}

// Fader A at (20, 20) with its handle at y 103, fader B beside it; a toggle, a plain button and
// a switch lie over A's track.
TEST_F(ScControlsTest, PressesGoToTheFirstTakerAndDragsOnlyToTheFaderThePressCaptured) {
    ScControls group;
    double a = 0.5, b = 0.5;
    bool armed = false, mute = false;
    group.addFader(20, 20, 100, "A", &a, 10);
    group.addFader(80, 20, 100, "B", &b, 10);
    group.addToggle(24, 60, 30, 20, "Arp", &armed);
    group.addButton(24, 90, 30, 20, "Pattern");
    group.addSwitch(24, 140, 30, "Mute", &mute);
    struct Case {
        const char* name;
        int x, y;
        const void* pressReturns;
        int dragX, dragY;
        const void* dragReturns;
        double aAfter;
    };
    const Case cases[] = {
        {"toggle over the track", 30, 65, &armed, 30, 40, nullptr, 0.5},
        {"plain button: taken, nothing reported", 30, 95, nullptr, 30, 40, nullptr, 0.5},
        {"switch over the track", 30, 145, &mute, 30, 40, nullptr, 0.5},
        {"outside every widget", 200, 200, nullptr, 40, 40, nullptr, 0.5},
        {"A's caption band", 40, 35, nullptr, 40, 25, nullptr, 0.5},
        {"A's handle is grabbed", 57, 103, nullptr, 100, 93, &a, 0.6},
        {"A far from its handle jumps", 57, 163, &a, 100, 40, &a, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        a = b = 0.5;
        EXPECT_EQ(group.mouseInput(c.x, c.y, true), c.pressReturns);
        EXPECT_EQ(group.mouseInput(c.dragX, c.dragY, false), c.dragReturns);
        EXPECT_DOUBLE_EQ(a, c.aAfter);
        EXPECT_EQ(b, 0.5);
        group.releaseButtons();
    }
    EXPECT_TRUE(armed);
    EXPECT_TRUE(mute);
}

TEST_F(ScControlsTest, ADisabledSurfaceDrawsNothingAndPaintAllRestoresEverything) {
    ScControls group;
    double level = 0.3;
    bool armed = true, mute = false;
    group.addFader(20, 20, 100, "Lead", &level, 10);
    group.addToggle(100, 20, 40, 22, "Arp", &armed);
    group.addSwitch(100, 60, 73, "Mute", &mute);
    drawSurface().enabled = false;
    group.paintAll();
    group.paintBound(&armed);
    EXPECT_EQ(group.mouseInput(110, 25, true), &armed);  // the variable still changes
    group.releaseButtons();
    EXPECT_FALSE(armed);
    EXPECT_EQ(changedArea(buffer, sectionColor), emptyRect);
    EXPECT_TRUE(copies.empty());

    // Enabled again, one paintAll gives what painting all along would have given.
    Limage reference = filledImage(buffer.width(), buffer.height(), sectionColor);
    drawSurface().enabled = true;
    drawSurface().backBuffer = &reference;
    group.paintAll();
    drawSurface().backBuffer = &buffer;
    group.paintAll();
    EXPECT_TRUE(sameImage(buffer, reference));
}

TEST_F(ScControlsTest, PaintBoundAndReleaseRepaintOnlyTheWidgetsConcerned) {
    ScControls group;
    double level = 0.3;
    bool armed = false, unrelated = false;
    int32_t bank = 2;
    group.addFader(20, 20, 100, "Lead", &level, 10);
    group.addToggle(100, 20, 40, 22, "Arp", &armed);
    const Rect plain = group.addButton(100, 50, 40, 22, "Style").rect;
    group.addRadio(100, 80, 40, 22, "#1", &bank, 0);
    group.addRadio(140, 80, 40, 22, "#2", &bank, 1);
    group.addSwitch(100, 110, 73, "Mute", &armed);
    const std::pair<const void*, size_t> cases[] = {
        {&armed, 2}, {&level, 1}, {&bank, 2}, {&unrelated, 0}, {nullptr, 0}};
    for (const auto& [address, count] : cases) {
        copies.clear();
        group.paintBound(address);
        EXPECT_EQ(copies.size(), count);
    }
    group.mouseInput(110, 55, true);
    for (size_t expected : {1u, 0u}) {  // the pressed button once, then nothing
        copies.clear();
        group.releaseButtons();
        ASSERT_EQ(copies.size(), expected);
        EXPECT_TRUE(copies.empty() || copies[0] == plain);
    }
}

}  // namespace
}  // namespace brio
