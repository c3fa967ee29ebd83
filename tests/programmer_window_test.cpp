// The style programmer window through a fake window system: what each mouse press, key and
// typed text does to the library, the station, the picture and the window.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FakeDialogs.h"
#include "FakeWindowSystem.h"
#include "StationFixture.h"
#include "WidgetSurface.h"
#include "accompaniment/StyleLibrary.h"
#include "foundation/UserFolders.h"
#include "main/CommandWindowAdapters.h"
#include "programmer/Fprogrammer.h"
#include "programmer/MidiSynthCore.h"
#include "programmer/PopupMenu.h"
#include "programmer/ProgrammerLayout.h"
#include "selector/Fselector.h"

namespace brio {
namespace {

using namespace ProgrammerLayout;

constexpr int shiftKey = 16, ctrlKey = 17, altKey = 18, escapeKey = 27, enterKey = 13, tabKey = 9;
constexpr int leftKey = 37, backspaceKey = 8, f1Key = 112;
constexpr Color yellow = makeColor(255, 255, 0);

struct RecordingStation : MidiSynthCore {
    void selectStyle(int styleIndex, bool applyTempo) override {
        selected.emplace_back(styleIndex, applyTempo);
    }
    std::vector<std::pair<int, bool>> selected;
};

struct ScriptedMenu : PopupMenu {
    int choose(const Text_& items, int x, int y) override {
        shown = test::itemsOf(items);
        at = Point{x, y};
        ++opened;
        if (whileOpen) whileOpen();
        return answer;
    }
    void close() override { ++closed; }
    int answer = -1;
    int opened = 0, closed = 0;
    std::function<void()> whileOpen;  // events that arrive while the menu waits
    std::vector<std::string> shown;
    Point at;
};

struct FprogrammerTest : ::testing::Test {
    test::StationEnvironment env;
    test::FakeDialogs dialogs;
    test::FakeWindowSystem windows{env.clock};
    std::unique_ptr<StyleLibrary> library = std::make_unique<StyleLibrary>();
    RecordingStation station;
    ScriptedMenu menu;
    std::unique_ptr<Fprogrammer> programmer;
    test::FakeWindow* window = nullptr;

    // Style 0 plays drum pattern 3 on the rhythm and melodic pattern 7 on part 1.
    void SetUp() override {
        MidiOut::open(-1);  // the capture device
        BaseStyle& style = library->style(0);
        style.name = "Beat";
        style.bpm = 100;
        style.arp = {3, 7, 0, 0, 0};
        style.mode = {1, 1, 0, 0, 0};
        style.prog = {0, 33, 0, 0, 0};
        ArpeggioStyle& drums = library->pattern(3);
        drums.name = "Drums";
        drums.notes.append(ArpeggioNote{36, 100, 0, 1.0});
        drums.notes.append(ArpeggioNote{38, 120, 4, 0.5});
        drums.notes.append(ArpeggioNote{90, 100, 8, 1.0});  // outside the grid
        ArpeggioStyle& bass = library->pattern(7);
        bass.name = "Bass";
        bass.length = 8;
        bass.notes.append(ArpeggioNote{48, 100, 0, 2.0});
        programmer = std::make_unique<Fprogrammer>(windows, *library);
        programmer->setPopupMenu(&menu);
        window = windows.windowOf(WindowKind::programmer);
        programmer->open(station);
    }

    StyleProgrammer& state() { return programmer->programmer(); }
    const ArpeggioStyle& shown() { return library->pattern(state().editor().selectedPattern()); }
    void press(int x, int y, int button = leftButton) {
        programmer->mouseDown(x, y, button);
        programmer->mouseUp(x, y, button, false);
    }
    static Point inside(const Rect& r) { return Point{r.left + 3, r.top + 3}; }
    void clickCell(int step, int row, int button = leftButton) {
        const Point p = inside(cellRect(step, row));
        press(p.x, p.y, button);
    }
    void click(const Rect& r) {
        const Point p = inside(r);
        press(p.x, p.y);
    }
    void clickButton(int box, Digit digit, int number) {
        click(selectorButton(box, digit, number));
    }
    void clickControl(int part, PartControl control, int button) {
        const Point p = inside(controlRect(part, control));
        press(p.x, p.y, button);
    }
    void key(int code) {
        programmer->keyDown(code);
        programmer->keyUp(code);
    }
    void chord(int modifier, int code) {
        programmer->keyDown(modifier);
        key(code);
        programmer->keyUp(modifier);
    }
    // A click into the edit, then End.
    void focus(EditId id) {
        const Point p = inside(state().edit(id).box());
        press(p.x, p.y);
        key(35);
    }
    // Each character (UTF-8) as its own text input event, as typing does.
    void type(const std::string& text) {
        std::string character;
        for (size_t i = 0; i < text.size(); ++i) {
            character += text[i];
            const bool continues =
                i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
            if (continues) continue;
            programmer->textInput(character);
            character.clear();
        }
    }
    // The edit's whole text replaced by one paste.
    void paste(EditId id, const std::string& utf8) {
        focus(id);
        chord(ctrlKey, 'A');
        windows.clipboard = utf8;
        chord(ctrlKey, 'V');
    }
    size_t controlChanges(int controller, int value) const {
        return size_t(
            std::count_if(env.midi.messages.begin(), env.midi.messages.end(), [&](const auto& m) {
                return (m.status & 0xF0) == 0xB0 && m.data1 == controller && m.data2 == value;
            }));
    }
    static int row(int key) { return key - StepGrid::lowestKey; }
};

TEST_F(FprogrammerTest, OpensCentredAsAUtilityWindowAndShowsItsPicture) {
    EXPECT_EQ(window->title, "Style Programmer");
    EXPECT_EQ(std::vector<int>({window->width, window->height}), std::vector<int>({1024, 692}));
    EXPECT_EQ(std::vector<int>({window->x, window->y}),
              std::vector<int>({(1920 - 1024) / 2, (1080 - 692) / 2}));
    EXPECT_TRUE(window->shown);
    EXPECT_TRUE(window->textInput);
    EXPECT_TRUE(sameImage(window->screen, programmer->picture()));
    EXPECT_TRUE(station.selected.empty()) << "opening changes nothing";
    EXPECT_EQ(programmer->focusedEdit(), EditId::arpName);
    EXPECT_EQ(state().edit(EditId::arpCopyFrom).text(), "0");
    EXPECT_EQ(state().edit(EditId::styleName).text(), "Beat");
    EXPECT_EQ(state().edit(EditId::styleTempo).text(), "100");
    EXPECT_EQ(state().edit(EditId::arpName).text(), "Drums");
    EXPECT_EQ(state().edit(EditId::arpLength).text(), "16");

    const Limage& p = programmer->picture();
    const auto at = [&](const Rect& r, int dx, int dy) { return p.pixel(r.left + dx, r.top + dy); };
    EXPECT_EQ(p.pixel(5, 690), black);
    EXPECT_EQ(p.pixel(panelLeft + 1, 690), makeColor(48, 48, 48));
    EXPECT_EQ(at(boxRect(1), 2, 50), yellow) << "the selected part's stripe";
    EXPECT_EQ(at(boxRect(2), 2, 50), makeColor(64, 64, 64));
    EXPECT_EQ(at(state().edit(EditId::styleName).box(), 100, 5), EditField::groundColor);
    // Rows: grey, black keys darker, the root key 48 lighter; lines under rows and before steps.
    EXPECT_EQ(at(cellRect(1, row(40)), 5, 3), makeColor(128, 128, 128));
    EXPECT_EQ(at(cellRect(1, row(37)), 5, 3), makeColor(83, 83, 83));
    EXPECT_EQ(at(cellRect(1, row(48)), 5, 3), makeColor(160, 160, 160));
    EXPECT_EQ(at(cellRect(1, row(40)), 5, 13), makeColor(51, 51, 51));
    EXPECT_EQ(at(cellRect(4, row(40)), 0, 3), makeColor(179, 179, 179));
    EXPECT_EQ(at(cellRect(5, row(40)), 0, 3), makeColor(51, 51, 51));
    // Notes: a white bar one pixel in, 10 pixels a step, as tall as its velocity.
    const Rect kick = cellRect(0, row(36));
    EXPECT_EQ(at(kick, 1, 12), white);
    EXPECT_EQ(at(kick, 9, 2), white) << "velocity 100: 11 pixels high";
    EXPECT_NE(at(kick, 9, 1), white);
    EXPECT_NE(at(kick, 10, 12), white);
    EXPECT_NE(at(kick, 1, 13), white) << "the row's line stays";
    const Rect snare = cellRect(4, row(38));
    EXPECT_EQ(at(snare, 4, 1), white) << "velocity 120: 13 pixels";
    EXPECT_NE(at(snare, 5, 12), white) << "half a step: 5 pixels";
}

TEST_F(FprogrammerTest, GridPressesAndDragsEditThePatternAndRepaintOnlyTheGrid) {
    // A left drag from an empty cell paints every cell it passes, even in one jump.
    window->damage.areas.clear();
    const Point from = inside(cellRect(2, row(42)));
    programmer->mouseDown(from.x, from.y, leftButton);
    const Point to = inside(cellRect(6, row(42)));
    programmer->mouseMove(to.x, to.y, true, false);
    programmer->mouseUp(to.x, to.y, leftButton, false);
    for (int step = 2; step <= 6; ++step)
        EXPECT_TRUE(state().grid().cell(step, row(42)).hasNote()) << step;
    EXPECT_EQ(shown().notes.count(), 2 + 5) << "stored at once; key 90 lost";
    EXPECT_TRUE(sameImage(window->screen, programmer->picture()));
    for (const Rect& area : window->damage.areas) {
        const bool inGrid = area == gridArea();
        const bool inEdit = area == state().edit(EditId::arpName).box() ||
                            area == state().edit(EditId::arpLength).box();
        EXPECT_TRUE(inGrid || inEdit) << area.left << "," << area.top;
    }
    // Starting on a note erases; a move without a button does nothing.
    const Point on = inside(cellRect(3, row(42)));
    programmer->mouseDown(on.x, on.y, rightButton);
    programmer->mouseMove(to.x, to.y, false, true);
    programmer->mouseUp(to.x, to.y, rightButton, false);
    programmer->mouseMove(from.x + 100, from.y, false, false);
    EXPECT_TRUE(state().grid().cell(2, row(42)).hasNote());
    for (int step = 3; step <= 6; ++step)
        EXPECT_FALSE(state().grid().cell(step, row(42)).hasNote()) << step;
    // A drag that began outside the grid paints from the first cell it enters.
    press(panelLeft + 4, 690);
    programmer->mouseDown(panelLeft + 4, 690, leftButton);
    programmer->mouseMove(to.x, to.y, true, false);
    programmer->mouseUp(to.x, to.y, leftButton, false);
    EXPECT_TRUE(state().grid().cell(6, row(42)).hasNote());

    // Ctrl changes the length, Alt the velocity, of the note under the press.
    programmer->keyDown(ctrlKey);
    clickCell(0, row(36), rightButton);
    programmer->keyUp(ctrlKey);
    programmer->keyDown(altKey);
    clickCell(0, row(36), leftButton);
    programmer->keyUp(altKey);
    EXPECT_EQ(shown().notes.getConst(0).len, 1.5);
    EXPECT_EQ(shown().notes.getConst(0).vel, 90);
    EXPECT_EQ(programmer->picture().pixel(cellRect(0, row(36)).left + 14,
                                          cellRect(0, row(36)).bottom - 1),
              white);
    EXPECT_TRUE(station.selected.empty()) << "grid edits reach the players through the library";
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(FprogrammerTest, EditsStoreIntoTheLibraryAndTheStyleIsAppliedAgain) {
    // A note the grid cannot show is lost at the next store, here a name edit.
    focus(EditId::arpName);
    type("!");
    EXPECT_EQ(shown().name, "Drums!");
    EXPECT_EQ(shown().notes.count(), 2);

    focus(EditId::styleName);
    chord(ctrlKey, 'A');
    type("Caf\xC3\xA9");
    EXPECT_EQ(library->style(0).name, "Caf\xE9");
    EXPECT_EQ(station.selected, (std::vector<std::pair<int, bool>>(4, {0, true})));
    EXPECT_EQ(controlChanges(123, 0), 4u * 16u) << "all notes off on every channel at every store";
    paste(EditId::styleTempo, "132");
    key(enterKey);
    EXPECT_EQ(library->style(0).bpm, 132);
    paste(EditId::arpLength, "32\r\nignored");
    key(tabKey);
    EXPECT_EQ(shown().length, 32);

    // Shift and the arrows select, Backspace deletes, the clipboard copies between edits.
    focus(EditId::styleName);
    key(35);  // End
    programmer->keyDown(shiftKey);
    key(leftKey);
    key(leftKey);
    programmer->keyUp(shiftKey);
    chord(ctrlKey, 'C');
    EXPECT_EQ(windows.clipboard, "f\xC3\xA9");
    key(backspaceKey);
    EXPECT_EQ(library->style(0).name, "Ca");
    focus(EditId::arpName);
    chord(ctrlKey, 'A');
    chord(ctrlKey, 'X');
    EXPECT_EQ(windows.clipboard, "Drums!");
    EXPECT_EQ(shown().name, "");
    chord(shiftKey, 45);  // Shift+Insert pastes
    EXPECT_EQ(shown().name, "Drums!");
    // Tab goes from edit to edit.
    key(tabKey);
    EXPECT_EQ(programmer->focusedEdit(), EditId::arpLength);
    chord(shiftKey, tabKey);
    chord(shiftKey, tabKey);
    EXPECT_EQ(programmer->focusedEdit(), EditId::styleTempo);
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(FprogrammerTest, BadInputShowsAMessageAndLeavesTheLibraryAsItWas) {
    struct Case {
        EditId edit;
        std::string text;  // pasted whole, then Enter
        const char* message;
    };
    const std::vector<Case> cases = {
        {EditId::arpLength, "0", StyleProgrammer::lengthMessage},
        {EditId::arpLength, "10000", StyleProgrammer::lengthMessage},
        {EditId::arpLength, "12abc", StyleProgrammer::lengthMessage},
        {EditId::arpLength, "", nullptr},
        {EditId::styleTempo, "5", StyleProgrammer::tempoMessage},
        {EditId::styleTempo, "999999", StyleProgrammer::tempoMessage},
        {EditId::arpName, "a;b", StyleProgrammer::nameMessage},
        {EditId::arpName, "<x", StyleProgrammer::nameMessage},
        {EditId::styleName, "x>", StyleProgrammer::nameMessage},
        {EditId::arpCopyFrom, "4000", StyleProgrammer::copyFromMessage},
        {EditId::arpCopyFrom, "-1", StyleProgrammer::copyFromMessage},
        {EditId::arpCopyFrom, "seven", StyleProgrammer::copyFromMessage},
    };
    paste(EditId::arpName, "Drums");  // a first store drops the note on key 90
    for (const Case& c : cases) {
        const ArpeggioStyle before = shown();
        const BaseStyle style = library->style(0);
        dialogs.notices.clear();
        paste(c.edit, c.text);
        key(enterKey);
        const std::vector<std::string> expected =
            c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
        EXPECT_EQ(dialogs.notices, expected) << c.text;
        EXPECT_EQ(shown().name, before.name) << c.text;
        EXPECT_EQ(shown().length, before.length) << c.text;
        EXPECT_EQ(shown().notes.count(), before.notes.count()) << c.text;
        EXPECT_EQ(library->style(0).name, style.name) << c.text;
        EXPECT_EQ(library->style(0).bpm, style.bpm) << c.text;
    }
    // Typed one by one, a refused character leaves the rest of the name.
    focus(EditId::arpName);
    dialogs.notices.clear();
    type("a;");
    EXPECT_EQ(shown().name, "Drumsa");
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{StyleProgrammer::nameMessage});
    // A good copy-from index copies name, length and notes.
    paste(EditId::arpCopyFrom, "7");
    key(enterKey);
    EXPECT_EQ(shown().name, "Bass");
    EXPECT_EQ(shown().length, 8);
    EXPECT_EQ(state().edit(EditId::arpLength).text(), "8");
    EXPECT_TRUE(state().grid().cell(0, row(48)).hasNote());
}

TEST_F(FprogrammerTest, ANumberIsAppliedOnReturnOrLeavingItsEditAndShownRedOutOfRange) {
    MarkingRasterizer font;
    installFontRasterizer(&font);
    struct Case {
        EditId edit;
        std::string typed, red;  // into the emptied edit, one by one; 'r': shown out of range
        int key, applied;        // Return or Tab; the value after it
        const int32_t* value;
        std::vector<std::string> messages;
    };
    const int32_t* length = &library->pattern(3).length;
    const Case cases[] = {
        {EditId::styleTempo, "120", "rr.", enterKey, 120, &library->style(0).bpm, {}},
        {EditId::arpLength, "640", "..r", tabKey, 16, length, {StyleProgrammer::lengthMessage}},
        {EditId::arpCopyFrom, "7", ".", tabKey, 8, length, {}},  // a copy of "Bass"
    };
    for (const Case& c : cases) {
        paste(c.edit, "");
        const int before = *c.value;
        dialogs.notices.clear(), station.selected.clear();
        for (size_t i = 0; i < c.typed.size(); ++i) {
            type(c.typed.substr(i, 1));
            EXPECT_EQ(font.calls.back().color == EditField::outOfRangeColor, c.red[i] == 'r') << i;
            EXPECT_TRUE(*c.value == before && station.selected.empty() && dialogs.notices.empty());
        }
        key(c.key);
        EXPECT_EQ(*c.value, c.applied) << c.typed;
        EXPECT_EQ(dialogs.notices, c.messages) << c.typed;
    }
    installFontRasterizer(nullptr);
}

TEST_F(FprogrammerTest, AnOutOfRangePatternShowsTheMessageOnEveryKeystroke) {
    library->style(0).arp[0] = 4500;
    clickButton(0, Digit::units, 0);  // reloads style 0
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{StyleProgrammer::indexMessage});
    focus(EditId::arpName);
    type("abc");
    key(f1Key);
    clickCell(5, 5);
    paste(EditId::arpLength, "12");
    menu.answer = 5;
    press(10, 300, rightButton);
    EXPECT_EQ(dialogs.notices,
              std::vector<std::string>(1 + 3 + 1 + 1 + 1 + 1, StyleProgrammer::indexMessage));
    EXPECT_EQ(library->style(0).arp[0], 4500);
    // Choosing a tens digit brings the index back into range (thousands limited to 3).
    clickButton(1, Digit::tens, 2);
    EXPECT_EQ(state().editor().patternIndex[0], 3520);
    EXPECT_EQ(library->style(0).arp[0], 3520);
}

TEST_F(FprogrammerTest, SelectorsPartsAndControlsReachTheLibraryAndTheStation) {
    library->style(15).name = "Fifteen";
    library->style(15).arp = {3, 7, 7, 7, 7};
    clickButton(0, Digit::units, 5);
    clickButton(0, Digit::tens, 1);
    EXPECT_EQ(state().editor().styleIndex, 15);
    EXPECT_EQ(state().edit(EditId::styleName).text(), "Fifteen");
    EXPECT_EQ(station.selected.back(), std::make_pair(15, true));
    EXPECT_EQ(shown().name, "Drums");

    // A part's selector sets its pattern in the style and selects the part.
    clickButton(3, Digit::hundreds, 2);
    clickButton(3, Digit::units, 4);
    EXPECT_EQ(state().editor().selectedPart, 2);
    EXPECT_EQ(library->style(15).arp[2], 204);
    EXPECT_EQ(state().editor().selectedPattern(), 204);
    // A click elsewhere in another part's box selects it; the grid shows its pattern.
    const Rect box2 = boxRect(2);
    press(box2.left + 30, box2.top + 90);
    EXPECT_EQ(state().editor().selectedPart, 1);
    EXPECT_EQ(state().edit(EditId::arpName).text(), "Bass");
    EXPECT_TRUE(state().grid().cell(0, row(48)).hasNote());

    // Controls: right raises, left lowers, Ctrl takes the big step; values stay in range.
    clickControl(1, toneControl, rightButton);
    programmer->keyDown(ctrlKey);
    clickControl(1, toneControl, rightButton);
    clickControl(2, modeControl, rightButton);
    programmer->keyUp(ctrlKey);
    const BaseStyle& style = library->style(15);
    EXPECT_EQ(style.prog[1], 11);
    EXPECT_EQ(style.mode[2], 3);
    EXPECT_EQ(controlChanges(64, 0), 16u) << "a Mode click lifts the pedal on every channel";
    EXPECT_EQ(state().editor().selectedPart, 1) << "a control does not select its part";
    // The rhythm has no Tone: a press there selects the part instead.
    press(selectorLeft + 10, boxRect(1).top + 15);
    EXPECT_EQ(state().editor().selectedPart, 0);
    EXPECT_EQ(library->style(15).prog[0], 0);
    EXPECT_TRUE(sameImage(window->screen, programmer->picture()));
}

TEST_F(FprogrammerTest, EachSectionShowsAndEditsItsOwnPatternsInBarsThatCoverThemAndIsSaved) {
    constexpr int32_t none = BaseStyle::noPattern;
    struct Case {
        Section section;
        int32_t before;   // part 2's pattern shown on choosing the section
        int32_t pattern;  // then chosen digit by digit
        int32_t length;   // of that pattern, in steps; a bar of style 0 is 16
        int32_t bars;
    };
    const std::vector<Case> cases = {
        {Section::mainA, 0, 1203, 64, 0},    {Section::mainB, 7, 2314, 40, 3},
        {Section::intro, none, 3425, 80, 4}, {Section::fillA, none, 1536, 8, 1},
        {Section::fillB, none, 2647, 33, 1}, {Section::breakBar, none, 3758, 16, 1},
        {Section::ending, none, 1869, 20, 2}};
    library->style(0).sections[size_t(Section::mainB)] = {1, {3, none, 7, none, none}};
    for (const Case& c : cases) {
        ArpeggioStyle& pattern = library->pattern(c.pattern);
        pattern.name = "P" + std::to_string(c.pattern);
        pattern.length = c.length;
        pattern.notes.append(ArpeggioNote{48, 100, 0, 1.0});
        click(sectionButton(c.section));
        EXPECT_EQ(state().editor().patternIndex[2], c.before);
        for (const Digit d : {Digit::thousands, Digit::hundreds, Digit::tens, Digit::units})
            clickButton(3, d, StyleEditor::digitOf(c.pattern, d));
        EXPECT_EQ(library->style(0).patternOf(c.section, 2), c.pattern);
        EXPECT_EQ(library->style(0).sections[size_t(c.section)].bars, c.bars);
        EXPECT_EQ(state().edit(EditId::arpName).text(), pattern.name);
    }
    EXPECT_EQ(library->style(0).arp, (std::array<int32_t, 5>{3, 7, 1203, 0, 0}));
    key(escapeKey);
    const StyleLibrary saved;
    for (const Case& c : cases) {
        EXPECT_EQ(saved.style(0).patternOf(c.section, 2), c.pattern);
        EXPECT_EQ(saved.style(0).sections[size_t(c.section)].bars, c.bars);
    }
    // None lets the part rest: the ending has no part left, Main B its rhythm's one bar.
    programmer->open(station);
    for (const Section s : {Section::ending, Section::mainB})
        click(sectionButton(s)), click(noneButton(3));
    EXPECT_EQ(library->style(0).sections[size_t(Section::ending)].bars, 0);
    EXPECT_EQ(library->style(0).sections[size_t(Section::mainB)].bars, 1);
    click(boxRect(1));  // the rhythm: a longer pattern makes Main B longer
    paste(EditId::arpLength, "64");
    key(enterKey);
    EXPECT_EQ(library->style(0).sections[size_t(Section::mainB)].bars, 4);
    click(boxRect(3));
    key(f1Key);
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{StyleProgrammer::restMessage});
}

TEST_F(FprogrammerTest, PopupMenuF1EscapeActOnThePatternAndTheWindow) {
    menu.answer = 5;  // Double Speed
    press(20, 300, rightButton);
    EXPECT_EQ(menu.opened, 1);
    EXPECT_EQ(menu.shown.size(), 7u);
    EXPECT_EQ(std::vector<int>({menu.at.x, menu.at.y}),
              std::vector<int>({window->x + 20, window->y + 300}));
    EXPECT_EQ(shown().length, 8);
    EXPECT_EQ(state().edit(EditId::arpLength).text(), "8");
    EXPECT_TRUE(state().grid().cell(2, row(38)).hasNote());
    // While the menu waits, a press closes it instead of opening another, Escape closes the
    // menu and not the window, typing types nothing.
    menu.answer = -1;
    menu.whileOpen = [&] {
        press(20, 300, rightButton);
        key(escapeKey);
        type("x");
    };
    press(20, 300, rightButton);
    menu.whileOpen = nullptr;
    press(60, 300, rightButton);  // right of the row names: no menu
    EXPECT_EQ(menu.opened, 2);
    EXPECT_EQ(menu.closed, 2);
    EXPECT_TRUE(window->shown);
    EXPECT_EQ(shown().length, 8);
    EXPECT_EQ(shown().name, "Drums");

    key(f1Key);
    EXPECT_TRUE(shown().notes.empty());
    EXPECT_EQ(shown().name, "Drums");
    EXPECT_EQ(countPixels(programmer->picture(), white), 0);

    key(escapeKey);
    EXPECT_FALSE(window->shown);
    StyleLibrary reloaded;
    EXPECT_EQ(reloaded.style(0).name, "Beat");
    EXPECT_EQ(reloaded.pattern(7).notes.count(), 1);
    EXPECT_TRUE(reloaded.pattern(3).notes.empty());
    // Shown again, the editor is where it was.
    programmer->open(station);
    EXPECT_EQ(state().edit(EditId::arpLength).text(), "8");
    // The program ending with the window open keeps the edits: the library is saved.
    focus(EditId::styleName);
    type("Z");
    programmer.reset();
    EXPECT_EQ(StyleLibrary().style(0).name, "BeatZ");
}

TEST_F(FprogrammerTest, AFailedSaveLeavesTheFileWholeAndTheLibraryInMemory) {
    const std::string path = env.folder.path(StyleLibrary::fileName);
    ASSERT_TRUE(test::writeFile(path, "<Pelmora Base Styles>\r\n</Pelmora Base Styles>\r\n"));
    ::chmod(path.c_str(), 0444);
    focus(EditId::styleName);
    type("X");
    {
        test::FileSizeLimit limit(16);  // the write fails even where permissions do not bind
        programmer->closeQuery();
    }
    EXPECT_FALSE(window->shown);
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_NE(dialogs.notices[0].find("could not be saved"), std::string::npos);
    EXPECT_EQ(test::readFile(path), "<Pelmora Base Styles>\r\n</Pelmora Base Styles>\r\n");
    EXPECT_EQ(library->style(0).name, "BeatX");
    ::chmod(path.c_str(), 0644);
    programmer->open(station);
    key(escapeKey);
    EXPECT_EQ(StyleLibrary().style(0).name, "BeatX");
    EXPECT_EQ(dialogs.notices.size(), 1u);
}

TEST_F(FprogrammerTest, AnUnreadableEditedLibraryIsToldOnceAndReplacedOnlyWhenTheUserAgrees) {
    programmer.reset();  // saves the fixture's styles as the shipped library
    const std::string path = env.folder.path("data/styles.cfg"), cut = "<Pelmora Base Styles>\n";
    ASSERT_TRUE(::mkdir(env.folder.path("data").c_str(), 0700) == 0 && test::writeFile(path, cut));
    const std::string shipped = programFolder();  // the user's data in "data/"
    installFolderPlan({shipped, shipped, env.folder.path("data/"), shipped, false, {}, ""});
    library = std::make_unique<StyleLibrary>();
    programmer = std::make_unique<Fprogrammer>(windows, *library);
    for (int answer : {1, 1, 0}) {  // Cancel, Cancel, OK
        dialogs.questionAnswer = answer;
        programmer->open(station);
        key(escapeKey);
        EXPECT_EQ(test::readFile(path) == cut, answer == 1);
    }
    EXPECT_TRUE(dialogs.notices == std::vector<std::string>{library->loadProblem} &&
                dialogs.questions.size() == 3u);
}

TEST(FprogrammerMenu, PatternMenuIsTheSelectorInMenuStyleWithItsTopLeftAtTheMouse) {
    ManualClock clock(1000);
    test::FakeWindowSystem windows(clock);
    Fselector selector(windows, clock);
    SelectorPopupMenu menu(selector);
    test::FakeWindow* popup = windows.windowOf(WindowKind::selector);
    bool menuStyle = false;
    windows.onPass = [&](int) {
        menuStyle = selector.config.menuStyle;
        const Rect entry = selector.entryRects().at(5);
        selector.mouseMove(entry.left + 5, entry.top + 5, false, false);
        selector.mouseDown(entry.left + 5, entry.top + 5, leftButton);
    };
    Text_ items;
    for (const char* item : {"A", "B", "C", "-D", "E", "-F", "-G"}) items.append(item);
    EXPECT_EQ(menu.choose(items, 300, 400), 5);
    EXPECT_TRUE(menuStyle);
    EXPECT_EQ(std::vector<int>({popup->x, popup->y}), std::vector<int>({300, 400}));
    EXPECT_FALSE(popup->shown);
}

}  // namespace
}  // namespace brio
