#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "FakeWindowSystem.h"
#include "Snapshot.h"
#include "WidgetSurface.h"
#include "midi/GeneralMidi.h"
#include "platform/FreeTypeText.h"
#include "selector/Fselector.h"

namespace brio {
namespace {

constexpr Color grey(int level) {
    return makeColor(level, level, level);
}
constexpr Color menuHighlight = makeColor(89, 108, 128);
constexpr Color listHighlight = makeColor(255, 244, 204);

struct RecordingListener : SelectorListener {
    void pick(int commandKey, int index) override {
        picks.emplace_back(commandKey, index);
        if (onPick) onPick();
    }
    void keyDown(int key) override { downs.push_back(key); }
    void keyUp(int key) override { ups.push_back(key); }

    std::vector<std::pair<int, int>> picks;
    std::vector<int> downs, ups;
    std::function<void()> onPick;
};

Text_ textList(const std::vector<std::string>& lines) {
    Text_ list;
    for (const std::string& line : lines) list.append(line);
    return list;
}

Text_ programNames() {
    Text_ list;
    for (int p = 0; p < 128; ++p) list.append(programName(p));
    return list;
}

Text_ numbered(int count) {
    Text_ list;
    for (int i = 0; i < count; ++i) list.append("Entry " + std::to_string(i));
    return list;
}

// The popup on a fake 1920 x 1080 screen, measuring text at 6 pixels a character.
struct SelectorTest : testing::Test {
    SelectorTest() {
        installFontRasterizer(&text);
        selector.setListener(&listener);
    }
    ~SelectorTest() override { installFontRasterizer(nullptr); }
    // Shows `items` at the screen point (100, 100), with `commandKey`.
    void showAt100(const Text_& items, int commandKey = 7) {
        selector.config.items = items;
        selector.config.position = {100, 100};
        selector.config.positionSet = true;
        selector.config.commandKey = commandKey;
        selector.show();
    }

    ManualClock clock;
    test::FakeWindowSystem windows{clock};
    MarkingRasterizer text;
    Fselector selector{windows, clock};
    RecordingListener listener;
    test::FakeWindow& window = *windows.windowOf(WindowKind::selector);
};

TEST_F(SelectorTest, LayoutFollowsRowsBandsLookAndLimits) {
    struct Case {
        const char* what;
        int count, textLength, rowsPerColumn, band, minWidth;
        bool menu;
        int rows, bandUsed, columnWidth, columns, width, height;
    };
    const Case cases[] = {
        {"128 programs", 128, 10, 16, 8, -1, false, 16, 8, 112, 8, 897, 257},
        {"menu room, mark not measured", 5, 20, -1, -1, -1, true, 5, 5, 157, 1, 158, 101},
        {"empty list", 0, 0, -1, -1, -1, false, 1, 1, 112, 1, 113, 17},
        {"negative rows, zero band", 7, 3, -5, 0, -1, false, 7, 7, 112, 1, 113, 113},
        {"rows beyond the list: no taller than the list", 5, 3, 10, -1, -1, false, 5, 5, 112, 1, 113, 81},
        {"huge rows", 5, 3, INT_MAX, -1, -1, false, 5, 5, 112, 1, 113, 81},
        {"uneven last column", 5, 3, 2, -1, 50, false, 2, 2, 50, 3, 151, 33},
        {"text wider than an image", 3, 2000, -1, -1, -1, false, 3, 3, 10000, 1, 10000, 49},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SelectorConfig config;
        for (int i = 0; i < c.count; ++i)
            config.items.append((c.menu ? "#" : "") + std::string(size_t(c.textLength), 'x'));
        config.rowsPerColumn = c.rowsPerColumn;
        config.band = c.band;
        config.minColumnWidth = c.minWidth;
        config.menuStyle = c.menu;
        const SelectorLayout layout = layoutSelector(config);
        EXPECT_EQ(layout.rows, c.rows);
        EXPECT_EQ(layout.band, c.bandUsed);
        EXPECT_EQ(layout.columnWidth, c.columnWidth);
        EXPECT_EQ(layout.columns, c.columns);
        EXPECT_EQ(layout.rowHeight, c.menu ? 20 : 16);
        EXPECT_EQ(layout.width, c.width);
        EXPECT_EQ(layout.height, c.height);
    }
}

TEST_F(SelectorTest, PopupIsPlacedAtItsPositionOrTheCursorAndKeptOnTheScreen) {
    struct Case {
        const char* what;
        bool positionSet, centred;
        Point position, cursor;
        int screenWidth, screenHeight;
        Point expected;  // the popup is 113 x 81
    };
    const Case cases[] = {
        {"at the position", true, false, {500, 300}, {0, 0}, 1920, 1080, {500, 300}},
        {"right edge 2 from the screen's",
         true,
         false,
         {1900, 300},
         {0, 0},
         1920,
         1080,
         {1805, 300}},
        {"bottom edge 2 from the screen's",
         true,
         false,
         {500, 1050},
         {0, 0},
         1920,
         1080,
         {500, 997}},
        {"left and top at least 2", true, true, {-50, -50}, {0, 0}, 1920, 1080, {2, 2}},
        {"centred on the cursor", false, false, {0, 0}, {800, 600}, 1920, 1080, {744, 560}},
        {"cursor in a corner", false, false, {0, 0}, {1915, 1075}, 1920, 1080, {1805, 997}},
        {"screen size unknown", true, false, {5000, 5000}, {0, 0}, 0, 0, {5000, 5000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        windows.screen = c.screenWidth;
        windows.screenTall = c.screenHeight;
        window.cursorX = c.cursor.x;
        window.cursorY = c.cursor.y;
        selector.config.items = numbered(5);
        selector.config.position = c.position;
        selector.config.positionSet = c.positionSet;
        selector.config.centred = c.centred;
        selector.show();
        EXPECT_TRUE(window.shown);
        EXPECT_EQ(window.width, 113);
        EXPECT_EQ(window.height, 81);
        EXPECT_EQ((Point{window.x, window.y}), c.expected);
        selector.close();
    }
}

TEST_F(SelectorTest, ProgramPickerShadesBandsDrawsLinesTextsAndFrame) {
    size_t longest = 0;
    for (int p = 0; p < 128; ++p) longest = std::max(longest, programName(p).size());
    const int w = std::max(112, int(longest) * 6 + 16);
    selector.config.rowsPerColumn = 16;
    selector.config.band = 8;
    selector.config.current = 19;
    showAt100(programNames());
    const Limage& shown = window.screen;
    ASSERT_EQ(shown.width(), 8 * w + 1);
    ASSERT_EQ(shown.height(), 16 * 16 + 1);
    ASSERT_EQ(text.calls.size(), 128u);
    for (int i = 0; i < 128; ++i) {
        const int column = i / 16, row = i % 16, x = column * w, y = row * 16;
        SCOPED_TRACE(testing::Message() << "entry " << i);
        // Bands of 8: rows 0..7 light in even columns, rows 8..15 in odd ones.
        const bool alternate = (column % 2 == 0) == (row < 8);
        // The current entry's cell carries the highlight (its text stays black to be read).
        EXPECT_EQ(shown.pixel(x + w - 3, y + 12), i == 19 ? listHighlight : alternate ? grey(230) : grey(220));
        EXPECT_EQ(shown.pixel(x + w, y + 8), column == 7 ? grey(128) : grey(209));
        EXPECT_EQ(shown.pixel(x + 50, y + 16), row == 15 ? grey(128) : grey(209));
        EXPECT_EQ(text.calls[size_t(i)].text, programName(i));
        EXPECT_EQ((Point{text.calls[size_t(i)].x, text.calls[size_t(i)].y}), (Point{x + 4, y + 1}));
        EXPECT_EQ(text.calls[size_t(i)].height, 11);
        EXPECT_EQ(text.calls[size_t(i)].color, black);
        EXPECT_EQ(selector.entryRects()[size_t(i)], (Rect{x, y + 2, x + w, y + 18}));
    }
    EXPECT_EQ(shown.pixel(0, 0), grey(128));
    EXPECT_EQ(shown.pixel(shown.width() - 1, shown.height() - 1), grey(128));
}

TEST_F(SelectorTest, MenuMarksTickSeparateAndDimEntriesAndHoverIsHighlighted) {
    selector.config.menuStyle = true;
    selector.config.colour = grey(146);  // cells 255, lines 239
    selector.config.current = 1;
    showAt100(textList({"New", "#Ticked", "-Exit", "-", "@Dim", ""}));
    selector.mouseMove(60, 10, false, false);
    ASSERT_EQ(selector.hovered(), 0);
    struct Case {
        const char* shown;
        Color ink;
        bool tick;
        Color topLine;  // across the entry's top
    };
    const Case cases[] = {
        {"New", white, false, grey(146)},     {"Ticked", menuHighlight, true, grey(239)},
        {"Exit", black, false, grey(146)},    {" ", black, false, grey(146)},
        {"Dim", grey(191), false, grey(239)}, {" ", black, false, grey(239)},
    };
    const auto& calls = text.calls;
    ASSERT_EQ(calls.size(), 12u);  // painted at show and again for the hover
    const Limage& shown = window.screen;
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const Case& c = cases[i];
        const int y = i * 20;
        EXPECT_EQ(calls[size_t(6 + i)].text, c.shown);
        EXPECT_EQ((Point{calls[size_t(6 + i)].x, calls[size_t(6 + i)].y}), (Point{18, y + 3}));
        EXPECT_EQ(calls[size_t(6 + i)].color, c.ink);
        EXPECT_EQ(shown.pixel(60, y), c.topLine);
        for (Point p : {Point{5, y + 10}, Point{5, y + 11}, Point{7, y + 13}, Point{12, y + 8}})
            EXPECT_EQ(shown.pixel(p.x, p.y) == c.ink, c.tick);
    }
    EXPECT_EQ(shown.pixel(60, 1), menuHighlight);
    EXPECT_EQ(shown.pixel(60, 19), mixColor(menuHighlight, grey(255), 0.7));
}

TEST_F(SelectorTest, PressChoosesTheHoveredEntryAndBorderOrOutsideChoosesNothing) {
    struct Case {
        const char* what;
        Point move, press;
        int hovered, result;
    };
    // Ten entries in a 113 x 161 popup; entry i is hit from y = 16 i + 2 to 16 i + 18.
    const Case cases[] = {
        {"entry under the press", {50, 53}, {50, 53}, 3, 3},
        {"areas sit 2 pixels low", {50, 17}, {50, 17}, 0, 0},
        {"shared row goes to the later entry", {50, 18}, {50, 18}, 1, 1},
        {"above the first area", {50, 1}, {50, 1}, -1, -1},
        {"left border", {50, 40}, {0, 40}, 2, -1},
        {"right border", {50, 40}, {112, 40}, 2, -1},
        {"top border", {50, 40}, {50, 0}, 2, -1},
        {"bottom border", {50, 150}, {50, 160}, 9, -1},
        {"outside", {50, 40}, {-5, 40}, 2, -1},
        {"press without a move", {500, 500}, {50, 53}, -1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        listener.picks.clear();
        showAt100(numbered(10));
        selector.mouseMove(c.move.x, c.move.y, false, false);
        EXPECT_EQ(selector.hovered(), c.hovered);
        EXPECT_EQ(selector.needsTimer(), c.hovered != -1);
        selector.mouseDown(c.press.x, c.press.y, rightButton);
        EXPECT_FALSE(selector.isOpen());
        EXPECT_FALSE(window.shown);
        EXPECT_EQ(selector.result(), c.result);
        const std::vector<std::pair<int, int>> expected = c.result == -1
                                                              ? std::vector<std::pair<int, int>>{}
                                                              : std::vector{std::pair{7, c.result}};
        EXPECT_EQ(listener.picks, expected);
    }
    // Bad input opens and closes cleanly: an empty list has nothing to choose, and a huge row
    // count or a current entry beyond the list shows the list's own rows.
    listener.picks.clear();
    showAt100(Text_{});
    selector.mouseDown(50, 8, leftButton);
    selector.config.rowsPerColumn = INT_MAX;
    selector.config.current = 500;
    showAt100(numbered(5));
    EXPECT_EQ(window.height, 5 * 16 + 1);
    selector.mouseDown(50, 9000, leftButton);
    EXPECT_EQ(selector.result(), -1);
    EXPECT_TRUE(listener.picks.empty());
}

TEST_F(SelectorTest, ModalUseReturnsTheChoicePassesKeysOnAndReportsNothing) {
    int unhoveredAt = -1;
    struct Case {
        const char* what;
        Color colour, shownColour;
        std::function<void(int)> script;
        int expected;
    };
    const Case cases[] = {
        {"click", makeColor(40, 80, 200), makeColor(24, 48, 120),
         [&](int pass) {
             if (pass == 1) selector.mouseMove(50, 53, false, false);
             if (pass == 2) selector.mouseDown(50, 53, leftButton);
         },
         3},
        {"other keys reach the piano, escape closes", noColor, grey(128),
         [&](int pass) {
             if (pass == 1) selector.mouseMove(50, 53, false, false);
             if (pass != 2) return;
             for (int key : {65, Fselector::escapeKey}) {
                 selector.keyDown(key);
                 selector.keyUp(key);
             }
         },
         -1},
        {"cursor leaves, then a press outside", noColor, grey(128),
         [&](int pass) {
             if (pass == 1) {
                 selector.mouseMove(50, 53, false, false);
                 window.cursorX = 0;
             }
             if (unhoveredAt == -1 && selector.hovered() == -1) unhoveredAt = int(clock.now);
             if (unhoveredAt != -1 || pass > 50) selector.mouseDown(-1, -1, leftButton);
         },
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clock.set(0);
        windows.passes = 0;
        windows.onPass = c.script;
        EXPECT_EQ(selector.openModal(numbered(10), 2, 600, 400, c.colour), c.expected);
        EXPECT_EQ((Point{window.x, window.y}), (Point{600 - 113 / 2, 400}));
        EXPECT_EQ(window.screen.pixel(0, 0), c.shownColour);
        EXPECT_TRUE(listener.picks.empty());
        EXPECT_EQ(selector.config.colour, SelectorConfig::defaultColour);
    }
    EXPECT_EQ(listener.downs, std::vector<int>{65});
    EXPECT_EQ(listener.ups, (std::vector<int>{65, Fselector::escapeKey}));
    // The 50 ms check ran inside the loop: the highlight went within one period after 50 ms.
    EXPECT_GE(unhoveredAt, 50);
    EXPECT_LE(unhoveredAt, 100);
}

TEST_F(SelectorTest, CloseResetsTheConfigurationAndAPickMayReopen) {
    SelectorConfig& config = selector.config;
    config.rowsPerColumn = 3;
    config.band = 2;
    config.minColumnWidth = 200;
    config.current = 1;
    config.menuStyle = true;
    config.centred = true;
    config.colour = grey(146);
    showAt100(numbered(6), 4);
    // Showing again while open only reconfigures.
    showAt100(numbered(6), 5);
    EXPECT_TRUE(listener.picks.empty());
    EXPECT_EQ(selector.openCommandKey(), 5);
    listener.onPick = [&] {
        listener.onPick = nullptr;
        showAt100(numbered(2), 9);
    };
    selector.mouseDown(50, 30, leftButton);
    EXPECT_EQ(listener.picks, (std::vector<std::pair<int, int>>{{5, 1}}));
    EXPECT_EQ(selector.openCommandKey(), 9);
    selector.close();
    EXPECT_EQ(selector.openCommandKey(), SelectorConfig::noCommand);
    EXPECT_EQ(config.items.count(), 2);  // the items are kept
    const auto settings = [](const SelectorConfig& c) {
        return std::tuple(c.rowsPerColumn, c.band, c.minColumnWidth, c.current, c.menuStyle,
                          c.positionSet, c.centred, c.colour, c.commandKey);
    };
    EXPECT_EQ(settings(config), settings(SelectorConfig{}));
    EXPECT_EQ(listener.picks.size(), 1u);
}

// Pictures for a person to look at: the Options menu with ticks, a separator and a hovered
// entry, and the program picker with the current program and a hovered one.
TEST(SelectorSnapshot, MenuAndProgramPicker) {
    FreeTypeText font;
    installFontRasterizer(&font);
    ManualClock clock;
    test::FakeWindowSystem windows{clock};
    Fselector selector{windows, clock};
    test::FakeWindow& window = *windows.windowOf(WindowKind::selector);

    selector.config.items = textList({"#Dragging Mouse Plays Piano", "Show Key Assignments",
                                      "#Large View", "@Show Window Border", "-More Options..."});
    selector.config.menuStyle = true;
    selector.config.colour = grey(146);
    selector.config.positionSet = true;
    selector.show();
    selector.mouseMove(40, 30, false, false);
    EXPECT_EQ(selector.hovered(), 1);
    saveSnapshot(window.screen, "selector_menu");
    Limage big;
    big.create(window.width * 3, window.height * 3);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) big.setPixel(x, y, window.screen.pixel(x / 3, y / 3));
    saveSnapshot(big, "selector_menu_x3");
    selector.close();

    selector.config.items = programNames();
    selector.config.rowsPerColumn = 16;
    selector.config.band = 8;
    selector.config.current = 19;
    selector.config.positionSet = true;
    selector.show();
    selector.mouseMove(120 + 40, 16 * 5 + 8, false, false);
    EXPECT_EQ(selector.hovered(), 21);
    saveSnapshot(window.screen, "selector_programs");
    installFontRasterizer(nullptr);
}

}  // namespace
}  // namespace brio
