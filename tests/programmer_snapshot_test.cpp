// Pictures of the style programmer window with the shipped style library, in the real face.
#include <gtest/gtest.h>

#include "FakeDialogs.h"
#include "FakeWindowSystem.h"
#include "Snapshot.h"
#include "StationFixture.h"
#include "accompaniment/StyleLibrary.h"
#include "platform/FreeTypeText.h"
#include "programmer/Fprogrammer.h"
#include "programmer/MidiSynthCore.h"
#include "programmer/ProgrammerLayout.h"

namespace brio {
namespace {

using namespace ProgrammerLayout;

// The area r of the image, three times as large.
Limage enlarged(const Limage& image, const Rect& r) {
    Limage big;
    big.create((r.right - r.left + 1) * 3, (r.bottom - r.top + 1) * 3);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            big.setPixel(x, y, image.pixel(r.left + x / 3, r.top + y / 3));
    return big;
}

struct NoStation : MidiSynthCore {
    void selectStyle(int, bool) override {}
};

TEST(ProgrammerSnapshot, DrumAndMelodicPatternsOfAShippedStyle) {
    test::StationEnvironment env;
    test::FakeDialogs dialogs;
    test::FakeWindowSystem windows(env.clock);
    FreeTypeText font;
    installFontRasterizer(&font);
    StyleLibrary library(std::string(BRIO_SOURCE_DIR) + "/data/styles.cfg");
    NoStation station;
    Fprogrammer programmer(windows, library);
    programmer.open(station);
    const auto click = [&](const Rect& r) {
        programmer.mouseDown(r.left + 3, r.top + 3, leftButton);
        programmer.mouseUp(r.left + 3, r.top + 3, leftButton, false);
    };
    // Style 11 ("Pop Standard"): the rhythm, then the first accompaniment part.
    click(selectorButton(0, Digit::tens, 1));
    click(selectorButton(0, Digit::units, 1));
    const test::FakeWindow& window = *windows.windowOf(WindowKind::programmer);
    saveSnapshot(window.screen, "programmer_drums");
    const StepGrid& grid = programmer.programmer().grid();
    EXPECT_TRUE(grid.cell(0, 36 - StepGrid::lowestKey).hasNote());
    click(Rect{boxLeft + 40, boxRect(2).top + 90, 0, 0});
    saveSnapshot(window.screen, "programmer_melodic");
    saveSnapshot(enlarged(window.screen, Rect{230, 0, 620, 30}), "programmer_edits_x3");
    saveSnapshot(enlarged(window.screen, Rect{boxLeft - 4, boxRect(2).top - 4, clientWidth - 1,
                                              boxRect(2).bottom + 4}),
                 "programmer_part_x3");
    saveSnapshot(enlarged(window.screen, Rect{gridLeft - 6, cellRect(0, 13).top - 16,
                                              gridLeft + 120, cellRect(0, 13).bottom + 16}),
                 "programmer_grid_x3");
    // Main B: the section row and the parts' None buttons.
    click(sectionButton(Section::mainB));
    saveSnapshot(window.screen, "programmer_main_b");
    saveSnapshot(enlarged(window.screen,
                          Rect{boxLeft - 4, boxRect(5).top - 4, clientWidth - 1, clientHeight - 1}),
                 "programmer_sections_x3");
    EXPECT_EQ(programmer.programmer().editor().selectedPart, 1);
    EXPECT_TRUE(dialogs.notices.empty());
    installFontRasterizer(nullptr);
}

}  // namespace
}  // namespace brio
