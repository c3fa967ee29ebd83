// The dialog window's pages through a fake window system: each page runs its own loop, and the
// tests act on it from the loop's passes.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "FakeMidiInput.h"
#include "FakeWindowSystem.h"
#include "Snapshot.h"
#include "TestFiles.h"
#include "WidgetSurface.h"
#include "dialog/DialogOwner.h"
#include "dialog/Fdialog.h"
#include "dialog/ListChooser.h"
#include "foundation/TextUtils.h"
#include "graphics/UrlOpener.h"
#include "midi/CaptureMidiBackend.h"
#include "midi/MidiIn.h"
#include "midi/MidiOut.h"
#include "panel/PanelColors.h"
#include "platform/FreeTypeText.h"
#include "settings/Options.h"

namespace brio {
namespace {

constexpr int escapeKey = 27;

struct FakeOwner : DialogOwner {
    void midiDeviceChanged() override { ++deviceChanges; }
    void midiInputChanged() override { ++inputChanges; }
    // As the station's panel rebuild does, points the surface at the panel.
    void panelColorsChanged() override {
        ++colorChanges;
        drawSurface().backBuffer = &panel;
    }
    bool quitRequested() const override { return quit; }
    uint32_t busyPass() override { return ++busyPasses, 5; }
    int deviceChanges = 0, colorChanges = 0, inputChanges = 0, busyPasses = 0;
    bool quit = false;
    Limage panel;
};

// Answers `answer`; `whileOpen` runs as if events arrived while the popup shows.
struct FakeChooser : ListChooser {
    int choose(const Text_& items, int x, int y, Color colour) override {
        shown.assign(items.begin(), items.end());
        at = {x, y};
        shade = colour;
        open = true;
        if (whileOpen) whileOpen();
        open = false;
        return answer;
    }
    bool isOpen() const override { return open; }
    void close() override { open = false, ++closes; }
    int answer = -1, closes = 0;
    bool open = false;
    std::function<void()> whileOpen;
    std::vector<std::string> shown;
    Point at;
    Color shade = 0;
};

struct RecordingOpener : UrlOpener {
    bool openUrl(const std::string& url) override { return opened.push_back(url), true; }
    std::vector<std::string> opened;
};

// The marking font, 4 pixels a character unless told otherwise.
struct MarkingFont : MarkingRasterizer {
    int textWidth(const std::string& text, int, bool) override {
        return int(text.size()) * advance;
    }
    int advance = 4;
};

using Show = void (Fdialog::*)();

class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        setProgramFolder(folder.folder() + "/");
        midi.names = {"Port Zero", "Port One"};
        MidiOut::installBackend(&midi);
        input.names = {"In Zero", "In One"};
        MidiIn::installBackend(&input);
        options = std::make_unique<Options>(1920);
        dialog.connect(*options, &owner, &chooser, "Brioletta");
        installFontRasterizer(&text);
        installUrlOpener(&opener);
        drawSurface() = DrawSurface{};
        drawSurface().backBuffer = &mainPicture;
    }
    void TearDown() override {
        installUrlOpener(nullptr);
        installFontRasterizer(nullptr);
        drawSurface() = DrawSurface{};
        options.reset();
        MidiIn::installBackend(nullptr);
        MidiOut::installBackend(nullptr);
        setProgramFolder("");
    }

    // Opens a page and runs steps[k] on pass k + 1 of its loop; a page still open on the pass
    // after the last step is closed with Escape.
    void run(Show show, std::vector<std::function<void()>> steps) {
        windows.passes = 0;
        windows.onPass = [&](int pass) {
            if (pass <= int(steps.size())) return steps[size_t(pass - 1)]();
            dialog.keyDown(escapeKey);
        };
        (dialog.*show)();
        windows.onPass = nullptr;
    }
    void click(int x, int y) {
        dialog.mouseDown(x, y, leftButton);
        dialog.mouseUp(x, y, leftButton, false);
    }
    bool drew(const std::string& line, int x, int y, int size = 11) const {
        for (const auto& call : text.calls)
            if (call.text == line && call.x == x && call.y == y && call.height == size) return true;
        return false;
    }
    test::FakeWindow& window() { return *windows.windowOf(WindowKind::dialog); }

    test::TempDir folder;
    CaptureMidiBackend midi;
    test::FakeMidiInput input;
    std::unique_ptr<Options> options;
    ManualClock clock;
    test::FakeWindowSystem windows{clock};
    Fdialog dialog{windows};
    FakeOwner owner;
    FakeChooser chooser;
    RecordingOpener opener;
    MarkingFont text;
    Limage mainPicture;
};

TEST_F(DialogTest, EachPageIsCentredWithItsTextsAndCloseButtonAndGivesTheSurfaceBack) {
    struct Row {
        Show show;
        int width, height, margin;
        const char* text;  // one text of the page, with its top-left corner and size
        int x, y, size;
    };
    const Row rows[] = {
        {&Fdialog::showOptions, 412, 562, 25, "Warning before deleting workspace", 56, 129, 11},
        {&Fdialog::showAbout, 426, 300, 16, "Brioletta", 16, 54, 21},
        {&Fdialog::showHotKeys, 400, 465, 16, "F11, F12", 216, 252, 11}};
    for (const Row& row : rows) {
        text.calls.clear();
        run(row.show, {[&] {
                EXPECT_EQ(drawSurface().backBuffer, &dialog.page().picture);
                window().screen.fill(0xFF00FF);
                dialog.paint();
                EXPECT_TRUE(sameImage(window().screen, dialog.page().picture));
            }});
        EXPECT_EQ(Rect(window().x, window().y, window().width, window().height),
                  Rect((1920 - row.width) / 2, (1080 - row.height) / 2, row.width, row.height));
        EXPECT_EQ(dialog.closeButton(), Rect(row.width - row.margin - 104, row.height - 48,
                                             row.width - row.margin, row.height - 26));
        EXPECT_TRUE(drew(row.text, row.x, row.y, row.size)) << row.text;
        EXPECT_EQ(drawSurface().backBuffer, &mainPicture);
    }
    // The selector boxes stand 56 pixels right of their titles, further when a title is wider.
    for (const auto& [advance, boxLeft] : {std::pair{3, 81}, std::pair{7, 25 + 14 * 7 + 8}}) {
        text.advance = advance;
        run(&Fdialog::showOptions, {});
        EXPECT_EQ(dialog.selectorBox(2).display.rect.left, boxLeft) << advance;
    }
}

TEST_F(DialogTest, CloseEscapeAndQuitEndThePageLoopButStrayClicksDoNot) {
    // The options page's Close button is (283, 514) - (387, 536).
    auto press = [&](int x, int button, int releaseX) {
        dialog.mouseDown(x, 520, button);
        dialog.mouseUp(releaseX, 520, button, false);
    };
    const std::pair<std::function<void()>, bool> rows[] = {
        {[&] { press(300, leftButton, 300); }, true},
        {[&] { dialog.keyDown(escapeKey); }, true},
        {[&] { owner.quit = true; }, true},
        {[&] { dialog.closeQuery(); }, true},
        {[&] { dialog.keyDown(32); }, false},
        {[&] { press(300, rightButton, 300); }, false},
        {[&] { press(200, leftButton, 300); }, false},
        {[&] { press(300, leftButton, 388); }, false}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        owner.quit = false;
        run(&Fdialog::showOptions, {rows[i].first});
        EXPECT_EQ(windows.passes, rows[i].second ? 1 : 2) << i;
    }
}

TEST_F(DialogTest, EachCheckBoxTogglesOnlyItsOption) {
    bool Options::*const fields[] = {&Options::warnStationDelete,    &Options::warnRecDelete,
                                     &Options::autoStopBass,         &Options::autoStopArps,
                                     &Options::keyStartOnlyFromBass, &Options::alwaysResetTempo,
                                     &Options::velocityByMouse};
    const int rows[] = {125, 155, 200, 230, 260, 290, 320};
    auto values = [&] {
        std::vector<bool> v;
        for (auto field : fields) v.push_back((*options).*field);
        return v;
    };
    const auto shows = [&](int row, bool on) {  // a frame that reads on the face; a tick only when on
        EXPECT_GE(contrastRatio(window().screen.pixel(33, row + 11), window().screen.pixel(32, row + 11)), 4.5) << row;
        EXPECT_EQ(contrastRatio(window().screen.pixel(38, row + 11), window().screen.pixel(35, row + 14)) >= 4.5, on);
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        std::vector<bool> before = values(), afterOne;
        run(&Fdialog::showOptions, {[&] { shows(rows[i], before[i]), click(38, rows[i] + 10); },
                                    [&] { shows(rows[i], !before[i]), afterOne = values(), click(38, rows[i] + 10); }});
        EXPECT_NE(afterOne[i], before[i]) << i;
        afterOne[i] = before[i];
        EXPECT_EQ(afterOne, before) << i;
        EXPECT_EQ(values(), before) << i;
    }
}

// Every box opens the chooser on its list; a press or Escape while the chooser shows only
// closes it; the box shows a sensible name for values out of range.
TEST_F(DialogTest, SelectorBoxesStoreTheChoiceAndTellTheOwnerButNoChoiceChangesNothing) {
    struct Row {
        int box, answer;
        std::array<int32_t, 4> start, end;  // midiDevice, colors, lcdColor, midiInDevice
        int deviceChanges, colorChanges, inputChanges;
        const char* shown;  // the box's name when the page opened
    };
    const Row rows[] = {
        {0, -1, {0, 1, 1, -1}, {0, 1, 1, -1}, 0, 0, 0, "Port Zero"},
        {1, -1, {0, 1, 1, -1}, {0, 1, 1, -1}, 0, 0, 0, "Sand"},
        {2, -1, {0, 1, 1, -1}, {0, 1, 1, -1}, 0, 0, 0, "Blue"},
        {0, 0, {1, 1, 1, -1}, {-1, 1, 1, -1}, 1, 0, 0, "Port One"},
        {0, 2, {99, 1, 1, -1}, {1, 1, 1, -1}, 1, 0, 0, "Midi Mapper"},
        {0, -7, {-2, 1, 1, -1}, {-2, 1, 1, -1}, 0, 0, 0, "Midi Mapper"},
        {1, 6, {0, -5, 1, -1}, {0, 6, 1, -1}, 0, 1, 0, "Brio Blue"},
        {1, -1, {0, 99, 1, -1}, {0, 99, 1, -1}, 0, 0, 0, "Armor"},
        {2, 2, {0, 1, -3, -1}, {0, 1, 2, -1}, 0, 1, 0, "Brio Orange"},
        {2, 3, {0, 1, 7, -1}, {0, 1, 7, -1}, 0, 0, 0, "Green"},
        {3, -1, {0, 1, 1, -1}, {0, 1, 1, -1}, 0, 0, 0, "None"},
        {3, 1, {0, 1, 1, -1}, {0, 1, 1, 0}, 0, 0, 1, "None"},
        {3, 0, {0, 1, 1, 0}, {0, 1, 1, -1}, 0, 0, 1, "In Zero"},
        {3, 1, {0, 1, 1, 5}, {0, 1, 1, 0}, 0, 0, 1, "None"},
    };
    const int boxRows[] = {50, 365, 395, 425}, boxWidths[] = {200, 120, 120, 200};
    const Text_* lists[] = {&options->midiDevices, &options->colorSchemes, &options->lcdColors,
                            &options->midiInDevices};
    chooser.whileOpen = [&] {
        dialog.mouseDown(38, 210, leftButton);  // on the "Stop bass" check box
        chooser.open = true;
        dialog.keyDown(escapeKey);
        EXPECT_TRUE(dialog.visible());
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.box << " answer " << row.answer);
        auto values = [&] {
            return std::array{options->midiDevice, options->colors, options->lcdColor, options->midiInDevice};
        };
        std::tie(options->midiDevice, options->colors, options->lcdColor, options->midiInDevice) =
            std::tuple(row.start[0], row.start[1], row.start[2], row.start[3]);
        owner = FakeOwner();
        chooser.closes = 0;
        drawSurface().backBuffer = &mainPicture;
        chooser.answer = row.answer;
        text.calls.clear();
        const bool stopBass = options->autoStopBass;
        const int boxLeft = 25 + 14 * 4 + 8;  // past the widest title, "Input velocity"
        run(&Fdialog::showOptions, {[&] { click(boxLeft + 5, boxRows[row.box] + 11); }});
        EXPECT_TRUE(drew(row.shown, boxLeft + 7, boxRows[row.box] + 4));
        EXPECT_EQ(chooser.shown,
                  std::vector<std::string>(lists[row.box]->begin(), lists[row.box]->end()));
        // Centred under the box on the screen, in the box's colour.
        EXPECT_EQ(chooser.at, (Point{window().x + boxLeft + boxWidths[row.box] / 2,
                                     window().y + boxRows[row.box] + 23}));
        EXPECT_EQ(chooser.shade, PanelColors::lcd(row.start[2]));
        EXPECT_EQ(chooser.closes, 2);
        EXPECT_EQ(options->autoStopBass, stopBass);
        EXPECT_EQ(values(), row.end);
        EXPECT_EQ(owner.deviceChanges, row.deviceChanges);
        EXPECT_EQ(owner.colorChanges, row.colorChanges);
        EXPECT_EQ(owner.inputChanges, row.inputChanges);
        // The boxes were repainted in the new display colour, and the surface the owner's
        // rebuild left is the one given back.
        EXPECT_EQ(dialog.selectorBox(0).display.colour, PanelColors::lcd(row.end[2]));
        EXPECT_EQ(drawSurface().backBuffer, row.colorChanges ? &owner.panel : &mainPicture);
    }
}

TEST_F(DialogTest, TheTitleStripDragsTheWindowExceptOnTheAboutPage) {
    const std::tuple<Show, int, bool> rows[] = {
        {&Fdialog::showOptions, 0, true},   {&Fdialog::showOptions, 23, true},
        {&Fdialog::showOptions, 24, false}, {&Fdialog::showHotKeys, 12, true},
        {&Fdialog::showAbout, 5, false},    {&Fdialog::showAbout, 23, false}};
    for (const auto& [show, y, drags] : rows) {
        Point start, dragged, afterRelease;
        auto moveCursor = [&](int dx, int dy) {
            window().cursorX += dx, window().cursorY += dy;
            dialog.mouseMove(50 + dx, y + dy, true, false);
        };
        run(show, {[&] {
                start = {window().x, window().y};
                dialog.mouseDown(50, y, leftButton);
                moveCursor(30, 20);
                dragged = {window().x, window().y};
                dialog.mouseUp(80, y + 20, leftButton, false);
                moveCursor(30, 0);
                afterRelease = {window().x, window().y};
            }});
        const Point expected = drags ? Point{start.x + 30, start.y + 20} : start;
        EXPECT_EQ(dragged, expected) << y;
        EXPECT_EQ(afterRelease, expected) << y;
    }
}

TEST_F(DialogTest, TheAboutLinkShowsAHandAndAClickOnItOpensTheMakersSite) {
    std::vector<CursorShape> shapes;
    const Rect link{16, 180, 16 + 17 * 4 - 1, 180 + 12};  // "www.brioletta.net"
    run(&Fdialog::showAbout, {[&] {
        EXPECT_EQ(dialog.page().link, link);
        for (int y : {185, 150}) {
            dialog.mouseMove(20, y, false, false);
            shapes.push_back(window().cursor);
        }
        dialog.mouseDown(20, 150, leftButton);  // pressed beside, released on the link
        dialog.mouseUp(20, 185, leftButton, false);
        EXPECT_TRUE(opener.opened.empty());
        click(link.right, link.bottom);
    }});
    EXPECT_EQ(shapes, (std::vector{CursorShape::hand, CursorShape::arrow}));
    EXPECT_EQ(opener.opened, std::vector<std::string>{"https://www.brioletta.net"});
}

// The progress page follows the work with the owner playing on, closes by itself when the work
// ends, and otherwise cancels it: Cancel, Escape, the window's close, a quit.
TEST_F(DialogTest, TheProgressPageClosesWithItsWorkOrCancelsIt) {
    FreeTypeText font;
    installFontRasterizer(&font);
    const std::pair<std::function<void()>, int> ways[] = {
        {[] {}, 0}, {[&] { click(300, 110); }, 1}, {[&] { dialog.keyDown(escapeKey); }, 1},
        {[&] { dialog.closeQuery(); }, 1}, {[&] { owner.quit = true; }, 1}};
    for (const auto& [way, cancels] : ways) {
        double progress = 0.25;
        int cancelled = 0;
        owner = FakeOwner();
        windows.passes = 0;
        windows.onPass = [&](int pass) {
            if (pass == 1) saveSnapshot(window().screen, "dialog_progress");
            if (pass == 2) way();
            progress = pass == 3 ? 1.0 : progress;
        };
        dialog.showProgress("Rendering take.wav", {[&] { return progress; }, [&] { return progress >= 1.0; },
                                                  [&] { ++cancelled; }});
        windows.onPass = nullptr;
        EXPECT_EQ(std::tuple(cancelled, dialog.visible(), owner.busyPasses >= 2), std::tuple(cancels, false, true));
    }
    installFontRasterizer(&text);
}

TEST_F(DialogTest, SnapshotsOfTheThreePages) {
    FreeTypeText font;
    installFontRasterizer(&font);
    options->warnRecDelete = true;
    options->soundFontSets = {{"FluidR3", "/usr/share/sounds/sf2/FluidR3_GM.sf2", 65}};
    const std::pair<Show, const char*> pages[] = {{&Fdialog::showOptions, "dialog_options"},
                                                  {&Fdialog::showAbout, "dialog_about"},
                                                  {&Fdialog::showHotKeys, "dialog_hotkeys"}};
    for (const auto& [show, name] : pages)
        run(show, {[&] { saveSnapshot(window().screen, name); }});
    installFontRasterizer(&text);
}

}  // namespace
}  // namespace brio
