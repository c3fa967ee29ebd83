#include <gtest/gtest.h>

#include "FakeWindowSystem.h"
#include "Snapshot.h"
#include "StationFixture.h"
#include "main/CommandWindowAdapters.h"
#include "main/Fmain.h"
#include "platform/FreeTypeText.h"
#include "selector/Fselector.h"

namespace brio {
namespace {

// The real popup opened by clicks on the real panel, through the station's commands: what
// each menu and picker looks like, and that a click picks through the whole chain.
struct MenusOnThePanel : ::testing::Test {
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    test::FakeWindowSystem windows{fixture.clock};
    Fmain fmain{station, windows};
    Fselector selector{windows, fixture.clock};
    SelectorCommandPopup popup{selector, station, fmain};
    FreeTypeText font;

    MenusOnThePanel() {
        installFontRasterizer(&font);
        station.attachWindowSystem(&windows);
        station.attachMainWindow(&fmain.window());
        station.attachCommandWindows(&popup, nullptr, nullptr);
    }
    ~MenusOnThePanel() override {
        station.attachCommandWindows(nullptr, nullptr, nullptr);
        station.attachMainWindow(nullptr);
        installFontRasterizer(nullptr);
    }
    void click(const Rect& r) {
        station.mouseDown((r.left + r.right) / 2, (r.top + r.bottom) / 2, leftButton);
        station.mouseUp((r.left + r.right) / 2, (r.top + r.bottom) / 2, leftButton, false);
    }
};

TEST_F(MenusOnThePanel, EveryMenuAndPickerOpensAndAClickPicksThroughTheDispatcher) {
    for (int i = 0; i < 7; ++i) fixture.library->style(3 * i + 1).name = "Style " + std::to_string(3 * i + 1);
    for (int i = 0; i < 12; ++i) fixture.library->pattern(i).name = "Pattern " + std::to_string(i);
    fixture.workspaceFiles->entries.clear();
    fixture.workspaceFiles->add(fixture.folder.path("b.pws"));
    fixture.workspaceFiles->add(fixture.folder.path("A.pws"));
    const MainPanel& panel = station.panel;
    const std::pair<const char*, Rect> openers[] = {
        {"menu-workspace", panel.menuBoxes.getConst(0)}, {"menu-record", panel.menuBoxes.getConst(1)},
        {"menu-options", panel.menuBoxes.getConst(2)},   {"menu-help", panel.menuBoxes.getConst(3)},
        {"picker-octave", panel.octavePickerBox},        {"picker-pattern", panel.patternBox},
        {"picker-style", panel.styleBox},
        {"picker-program", makeRect(panel.toneDisplay.rect.left + 150, panel.toneDisplay.rect.bottom - 8,
                                    panel.toneDisplay.rect.left + 150, panel.toneDisplay.rect.bottom - 8)}};
    for (const auto& [name, box] : openers) {
        click(box);
        ASSERT_TRUE(selector.isOpen()) << name;
        saveSnapshot(selector.picture(), std::string("selector-") + name);
        click(box);  // the same opener again only closes it
        EXPECT_FALSE(selector.isOpen()) << name;
    }
    // Octave picker, entry " +1": a click in the popup's fourth row.
    click(panel.octavePickerBox);
    const Rect entry = selector.entryRects()[3];
    selector.mouseMove(entry.left + 10, entry.top + 8, false, false);
    selector.mouseDown(entry.left + 10, entry.top + 8, leftButton);
    EXPECT_FALSE(selector.isOpen());
    EXPECT_EQ(masterKeyShift, 36);
    station.setMasterKeyShift(24);
}

TEST_F(MenusOnThePanel, ADeviceChosenOnTheOptionsPageRefreshesThePanelNotThePagesPicture) {
    // The dialog's picture holds the draw surface while its page is open.
    Limage page;
    ASSERT_TRUE(page.create(station.panel.width(), station.panel.height()));
    page.fill(0x123456);
    Limage pageWindow;
    ASSERT_TRUE(pageWindow.create(station.panel.width(), station.panel.height()));
    drawSurface().backBuffer = &page;
    drawSurface().windowCanvas = &pageWindow.canvas();
    StationDialogOwner owner(station, fmain);
    owner.midiDeviceChanged();
    for (int y = 0; y < page.height(); y += 7)
        for (int x = 0; x < page.width(); x += 7) ASSERT_EQ(page.pixel(x, y), 0x123456) << x << "," << y;
    EXPECT_EQ(drawSurface().backBuffer, &station.panel.image);
}

}  // namespace
}  // namespace brio
