#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "FakeDialogs.h"
#include "FakeWindowSystem.h"
#include "StationFixture.h"
#include "graphics/UrlOpener.h"
#include "main/CommandWindows.h"
#include "midi/GeneralMidi.h"

namespace brio {
namespace {

// Remembers what the station opened.
struct FakePopup : CommandPopup {
    void open(const Request& r) override {
        requests.push_back(r);
        openKey = r.commandKey;
    }
    void close() override { openKey = -1; }
    bool isOpen() const override { return openKey >= 0; }
    int openCommand() const override { return openKey; }
    std::vector<Request> requests;
    int openKey = -1;
};

struct FakePages : DialogPages, StyleEditorWindow {
    void showOptions() override { shown.push_back("options"); }
    void showAbout() override { shown.push_back("about"); }
    void showHotKeys() override { shown.push_back("hot keys"); }
    void showProgress(const std::string& text, ProgressWatch) override { shown.push_back(text); }
    void open() override { shown.push_back("programmer"); }
    std::vector<std::string> shown;
};

struct FakeOpener : UrlOpener {
    FakeOpener() { installUrlOpener(this); }
    ~FakeOpener() override { installUrlOpener(nullptr); }
    bool openUrl(const std::string& url) override {
        opened.push_back(url);
        return works;
    }
    std::vector<std::string> opened;
    bool works = true;
};

std::vector<std::string> itemsOf(const Text_& list) { return {list.begin(), list.end()}; }

struct StationCommands : ::testing::Test {
    test::FakeDialogs dialogs;
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    Options& options = *fixture.options;
    test::FakeWindowSystem windows{fixture.clock};
    WindowEvents events;
    std::unique_ptr<HostWindow> window = windows.createWindow(WindowKind::main, events);
    FakePopup popup;
    FakePages pages;
    FakeOpener opener;

    StationCommands() {
        station.attachWindowSystem(&windows);
        station.attachMainWindow(window.get());
        station.attachCommandWindows(&popup, &pages, &pages);
    }
    ~StationCommands() override { station.attachMainWindow(nullptr); }
    void click(const Rect& r) {
        station.mouseDown((r.left + r.right) / 2, (r.top + r.bottom) / 2, leftButton);
        station.mouseUp((r.left + r.right) / 2, (r.top + r.bottom) / 2, leftButton, false);
    }
};

TEST_F(StationCommands, MenusListTheirEntriesWithTicksAndTheRecentFilesSortedWithoutCase) {
    const std::string own = fixture.folder.path("");
    fixture.workspaceFiles->entries.clear();
    for (const std::string& path : {own + "b.pws", std::string("/elsewhere/c.pws"), own + "A.pws"}) fixture.workspaceFiles->add(path);
    EXPECT_EQ(itemsOf(station.menuItems(MidiSynth::workspaceMenu)),
              (std::vector<std::string>{"New Workspace", "Open Workspace...", "Save Workspace", "Save Workspace As...",
                                        "-Exit", "-/elsewhere/c.pws", "A.pws", "b.pws"}));
    EXPECT_EQ(itemsOf(station.menuItems(MidiSynth::recordMenu)),
              (std::vector<std::string>{"Start Recording", "Stop", "Play", "-Open Recording...", "Save Recording As..."}));
    options.dragPlay = true;
    options.largeView = false;
    options.windowBorder = true;
    options.chordMode = ChordMode::singleFinger;
    EXPECT_EQ(itemsOf(station.menuItems(MidiSynth::optionsMenu)),
              (std::vector<std::string>{"#Dragging Mouse Plays Piano", "Show Key Assignments", "Large View",
                                        "#Show Window Border", "Chords Off", "#Single Finger Chords",
                                        "Fingered Chords", "Bass On Lowest Key", "Sync Stop", "-More Options..."}));
    EXPECT_EQ(itemsOf(station.menuItems(MidiSynth::helpMenu)),
              (std::vector<std::string>{"Help", "Hot Keys", "Visit Brioletta On The Web", "About"}));

    // A click on a menu button opens it 2 pixels below and right of the button, on the screen.
    const Rect box = station.panel.menuBoxes.getConst(1);
    click(box);
    ASSERT_EQ(popup.requests.size(), 1u);
    const CommandPopup::Request& r = popup.requests.back();
    EXPECT_EQ(std::vector<int>({r.commandKey, r.x, r.y}),
              std::vector<int>({1, window->left() + box.left + 2, window->top() + box.bottom + 2}));
    EXPECT_TRUE(r.menuStyle && r.positionSet && !r.centred);
    EXPECT_EQ(r.colour, makeColor(146, 146, 146));
    click(box);  // the same button again only closes it
    EXPECT_FALSE(popup.isOpen());
    EXPECT_EQ(popup.requests.size(), 1u);
    for (const int button : {rightButton, middleButton, rightButton})  // opens, closes, opens
        station.mouseDown(box.left + 5, 25, button), station.mouseUp(box.left + 5, 25, button, false);
    EXPECT_EQ(popup.openCommand(), 1);
}

TEST_F(StationCommands, PickersShowTheirListsAndAPickActs) {
    fixture.library->pattern(4).name = "Up";
    fixture.library->pattern(9).name = "Down";
    fixture.library->pattern(150).name = "Beyond the first hundred";
    fixture.library->style(2).name = "Rock";
    fixture.library->style(40).name = "Waltz";
    station.arpeggios[0].arpIdx = 9;
    station.selectStyle(40, true);

    click(station.panel.patternBox);
    EXPECT_EQ(itemsOf(popup.requests.back().items), (std::vector<std::string>{"Up", "Down"}));
    EXPECT_EQ(popup.requests.back().current, 1);
    EXPECT_EQ(popup.requests.back().rowsPerColumn, 10);
    station.pick(MidiSynth::patternPicker, 0);
    EXPECT_EQ(station.arpeggios[0].arpIdx, 4);

    click(station.panel.styleBox);
    EXPECT_EQ(itemsOf(popup.requests.back().items), (std::vector<std::string>{"Rock", "Waltz"}));
    EXPECT_EQ(popup.requests.back().current, 1);
    station.pick(MidiSynth::stylePicker, 0);
    EXPECT_EQ(station.style, 2);

    click(station.panel.octavePickerBox);
    EXPECT_EQ(itemsOf(popup.requests.back().items), (std::vector<std::string>{" -2", " -1", " 0", " +1", " +2"}));
    EXPECT_EQ(popup.requests.back().current, 2);
    station.pick(MidiSynth::octavePicker, 0);
    EXPECT_EQ(masterKeyShift, 0);
    station.pick(MidiSynth::octavePicker, 2);  // " 0" is no shift
    EXPECT_EQ(masterKeyShift, 24);

    // Any other point of the tone display opens the program picker: 128 names, 16 a column.
    const Rect display = station.panel.toneDisplay.rect;
    popup.close();
    station.mouseDown(display.left + 150, display.bottom - 5, leftButton);
    station.mouseUp(display.left + 150, display.bottom - 5, leftButton, false);
    ASSERT_EQ(popup.requests.back().items.count(), 128);
    EXPECT_EQ(std::vector<int>({popup.requests.back().x, popup.requests.back().y}),  // below the display
              std::vector<int>({window->left() + display.left + 2, window->top() + display.bottom + 2}));
    EXPECT_EQ(popup.requests.back().items.getConst(40), programName(40));
    EXPECT_EQ(std::vector<int>({popup.requests.back().rowsPerColumn, popup.requests.back().band}), std::vector<int>({16, 8}));
    station.pick(MidiSynth::programPicker, 40);
    EXPECT_EQ(station.instruments[0].program, 40);
    EXPECT_EQ(std::vector<int>({station.programBank, station.programInBank}), std::vector<int>({5, 0}));

    // Picks beyond a list do nothing.
    for (const int key : std::initializer_list<int>{MidiSynth::patternPicker, MidiSynth::stylePicker, MidiSynth::octavePicker,
                          MidiSynth::programPicker, MidiSynth::workspaceMenu, MidiSynth::recordMenu,
                          MidiSynth::optionsMenu, MidiSynth::helpMenu, 99}) {
        station.pick(key, 500);
        station.pick(key, -1);
    }
    EXPECT_EQ(std::vector<int>({station.arpeggios[0].arpIdx, station.style, masterKeyShift, station.instruments[0].program}),
              std::vector<int>({4, 2, 24, 40}));
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(StationCommands, MenuCommandsReachTheirOperationsAndPagesAndSayWhatFailed) {
    const bool dragPlay = options.dragPlay;
    station.pick(MidiSynth::optionsMenu, 0);
    EXPECT_NE(options.dragPlay, dragPlay);
    windows.screen = 1024;
    options.largeView = false;
    station.pick(MidiSynth::optionsMenu, 2);
    EXPECT_FALSE(options.largeView);
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{Options::largeViewRefusal()});
    windows.screen = 1920;
    station.pick(MidiSynth::optionsMenu, 2);
    EXPECT_TRUE(options.largeView);
    EXPECT_EQ(windows.windowOf(WindowKind::main)->width, 1203);
    station.pick(MidiSynth::optionsMenu, 3);
    EXPECT_TRUE(windows.windowOf(WindowKind::main)->bordered);

    station.pick(MidiSynth::optionsMenu, 8);
    EXPECT_TRUE(station.syncStop);
    station.pick(MidiSynth::optionsMenu, 9);
    station.pick(MidiSynth::helpMenu, 1);
    station.pick(MidiSynth::helpMenu, 3);
    EXPECT_EQ(pages.shown, (std::vector<std::string>{"options", "hot keys", "about"}));

    // The help page: missing, then there but nothing to open it, then opened.
    dialogs.notices.clear();
    station.pick(MidiSynth::helpMenu, 0);
    const std::string page = fixture.folder.path("Help/Brioletta.html");
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{"The help page " + page + " is missing."});
    ASSERT_EQ(::mkdir(fixture.folder.path("Help").c_str(), 0755), 0);
    ASSERT_TRUE(test::writeFile(page, "<html></html>"));
    opener.works = false;
    station.pick(MidiSynth::helpMenu, 0);
    station.pick(MidiSynth::helpMenu, 2);
    EXPECT_EQ(dialogs.notices.size(), 3u);
    opener.works = true;
    station.pick(MidiSynth::helpMenu, 0);
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"file://" + page, "https://www.brioletta.net", "file://" + page}));

    // A recent recording whose file is gone: the message, and the entry leaves the list.
    const std::string gone = fixture.folder.path("gone.prc");
    fixture.recordingFiles->entries.clear();
    fixture.recordingFiles->add(gone);
    station.pick(MidiSynth::recordMenu, 5);
    EXPECT_EQ(dialogs.notices.back(), "     File does not exist.     ");
    EXPECT_TRUE(fixture.recordingFiles->entries.empty());
    station.pick(MidiSynth::recordMenu, 0);
    EXPECT_TRUE(station.recording);
    station.pick(MidiSynth::recordMenu, 1);
    EXPECT_FALSE(station.recording);
    station.pick(MidiSynth::workspaceMenu, 4);
    EXPECT_TRUE(station.quitRequested);
}

// Every pixel of the rows of the panel's own buttons, in both views.
TEST_F(StationCommands, APressRunsTheActionOfTheButtonThatLights) {
    for (const int index : {3, 11, 20}) fixture.library->style(index).name = fixture.library->pattern(index).name = "x";
    const std::map<std::string, int> actions = {
        {"Style", MidiSynth::stylePicker}, {"Pattern", MidiSynth::patternPicker}, {"Oct", MidiSynth::octavePicker},
        {"Octave", MidiSynth::octavePicker}, {"<", 103}, {">", 120}, {"<down>", 212}, {"<up>", 236},
        {"Intro", 300}, {"A", 301}, {"B", 302}, {"Fill", 303}, {"Break", 304}, {"Ending", 305}};
    // What a press did: the picker it opened, else 100 + the style or 200 + the octave shift it set.
    const auto done = [&](int x, int y) {  // a section button: 300 + the section pressed there
        if (const auto section = station.panel.sectionAt(x, y)) return 300 + int(*section);
        return popup.isOpen() ? popup.openKey : station.style != 11 ? 100 + station.style : masterKeyShift != 24 ? 200 + masterKeyShift : 0;
    };
    for (const bool large : {false, true}) {
        options.largeView = large;
        station.buildPanel();
        const MainPanel& p = station.panel;
        for (const auto& [first, last] : {std::pair{p.styleBox, p.nextStyleBox}, std::pair{p.patternBox, p.octaveUpBox}, std::pair{p.sectionBoxes[0], p.sectionBoxes[5]}})
            for (int y = first.top - 1; y <= first.bottom; ++y)
                for (int x = first.left - 2; x <= last.right + 2; ++x) {
                    station.mouseDown(x, y, leftButton);
                    std::string lit;
                    for (const ScButton& b : p.controls.buttons) lit = b.pressed ? b.caption : lit;
                    station.mouseUp(x, y, leftButton, false);
                    ASSERT_EQ(done(x, y), actions.contains(lit) ? actions.at(lit) : 0) << x << ", " << y << " " << lit;
                    popup.close();
                    station.selectStyle(11, false);
                    station.setMasterKeyShift(24);
                }
    }
}

TEST_F(StationCommands, TheHiddenGestureOpensTheProgrammerOnlyWithTheLibraryFilePresent) {
    const auto gesture = [&] {
        station.keyDown(17);
        station.keyDown(18);
        station.mouseDown(500, 150, leftButton);
        station.mouseDown(500, 150, middleButton);
        station.mouseDown(500, 150, rightButton);
        for (const int button : {rightButton, middleButton, leftButton}) station.mouseUp(500, 150, button, false);
        station.keyUp(18);
        station.keyUp(17);
    };
    gesture();
    EXPECT_TRUE(pages.shown.empty());
    ASSERT_TRUE(test::writeFile(fixture.folder.path("styles.cfg"), "<Pelmora Base Styles>\r\n"));
    station.mouseDown(500, 150, rightButton);  // without the keys and the other buttons: nothing
    station.mouseUp(500, 150, rightButton, false);
    EXPECT_TRUE(pages.shown.empty());
    gesture();
    EXPECT_EQ(pages.shown, std::vector<std::string>{"programmer"});
}

}  // namespace
}  // namespace brio
