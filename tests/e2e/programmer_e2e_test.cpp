#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "Process.h"
#include "ProgramRun.h"
#include "accompaniment/StyleLibrary.h"

namespace brio::e2e {
namespace {

// Places on the main window's large view, and on the programmer (client pixels).
constexpr int rhythmButton[2] = {862, 214};
constexpr int quietPlace[2] = {900, 320};  // the dark band above the keys
constexpr int styleTens10[2] = {805, 41};  // style selector: "10", then "1"
constexpr int styleUnits1[2] = {805, 53};
constexpr int openTriangleRowY = 34;  // the grid's top row, key 81
constexpr int gridLeft = 92, cellWidth = 10;
constexpr int drumNoteOn = 0x99, openTriangle = 81;
constexpr int styleNameEdit[2] = {900, 78};

struct ProgrammerEndToEnd : ::testing::Test {
    XvfbSession x;
    ProgramFolder program;
    std::unique_ptr<Process> brioletta;
    std::string window;

    void SetUp() override {
        ASSERT_TRUE(x.ready()) << "Xvfb did not start";
        brioletta = std::make_unique<Process>(
            std::vector<std::string>{program.file("brioletta-capture")}, x.programEnv());
        ASSERT_TRUE(brioletta->started());
        const auto id = x.findWindow("^Brioletta - ");
        ASSERT_TRUE(id.has_value()) << "the main window did not appear";
        window = *id;
        ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());
    }
    void click(const std::string& id, int clientX, int clientY) {
        ASSERT_TRUE(x.xdotool({"mousemove", "--window", id, std::to_string(clientX),
                               std::to_string(clientY), "click", "1", "sleep", "0.2"})
                        .has_value());
    }
    size_t triangles() {
        const std::vector<Captured> capture = readCapture(program.file("midi-capture.txt"));
        return size_t(std::count_if(capture.begin(), capture.end(), [](const Captured& c) {
            return c.status == drumNoteOn && c.data1 == openTriangle && c.data2 > 0;
        }));
    }
};

using NoteKey = std::tuple<int, int, int, double>;

std::vector<NoteKey> sortedNotes(const ArpeggioStyle& pattern) {
    std::vector<NoteKey> notes;
    for (const ArpeggioNote& n : pattern.notes) notes.emplace_back(n.key, n.vel, n.pos, n.len);
    std::sort(notes.begin(), notes.end());
    return notes;
}

bool sameStyle(const BaseStyle& a, const BaseStyle& b) {
    return a.name == b.name && a.bpm == b.bpm && a.shuffle == b.shuffle &&
           a.stepsPerBeat == b.stepsPerBeat && a.prog == b.prog && a.vol == b.vol &&
           a.key == b.key && a.mode == b.mode && a.arp == b.arp;
}

TEST_F(ProgrammerEndToEnd, TheHiddenGestureOpensTheProgrammerWhoseGridNotesThePlayingRhythmPlays) {
    const StyleLibrary shipped(program.file("styles.cfg"));
    const int rhythmPattern = shipped.style(11).arp[0];  // the rhythm of the station's style at start
    click(window, rhythmButton[0], rhythmButton[1]);
    ASSERT_TRUE(x.xdotool({"mousemove",
                           "--window",
                           window,
                           std::to_string(quietPlace[0]),
                           std::to_string(quietPlace[1]),
                           "keydown",
                           "ctrl",
                           "keydown",
                           "alt",
                           "mousedown",
                           "1",
                           "mousedown",
                           "2",
                           "mousedown",
                           "3",
                           "sleep",
                           "0.2",
                           "mouseup",
                           "3",
                           "mouseup",
                           "2",
                           "mouseup",
                           "1",
                           "keyup",
                           "alt",
                           "keyup",
                           "ctrl"})
                    .has_value());
    const auto found = x.findWindow("^Style Programmer$", 5000);
    ASSERT_TRUE(found.has_value()) << "the programmer did not open";
    const std::string programmer = *found;
    const auto size = x.xdotool({"getwindowgeometry", "--shell", programmer});
    ASSERT_TRUE(size.has_value());
    EXPECT_NE(size->find("WIDTH=1024\nHEIGHT=692"), std::string::npos) << *size;
    EXPECT_EQ(triangles(), 0u);

    // Style 11, the one the station plays; then a triangle on four steps of its rhythm.
    click(programmer, styleTens10[0], styleTens10[1]);
    click(programmer, styleUnits1[0], styleUnits1[1]);
    for (const int step : {0, 16, 32, 48})
        click(programmer, gridLeft + step * cellWidth + 4, openTriangleRowY);
    const long long deadline = monotonicMs() + 5000;
    while (triangles() == 0 && monotonicMs() < deadline)
        ASSERT_TRUE(x.xdotool({"sleep", "0.1"}).has_value());
    EXPECT_GT(triangles(), 0u) << "the running rhythm did not play the new note";

    // Text typed in the user's layout reaches the style's name, an accented letter included.
    click(programmer, styleNameEdit[0], styleNameEdit[1]);
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", programmer, "key", "End", "type", "--delay",
                           "80", "\xC3\xA9!"})
                    .has_value());

    // Escape closes the programmer and rewrites the library.
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", programmer, "key", "Escape", "sleep", "0.5"})
                    .has_value());
    EXPECT_FALSE(x.findWindow("^Style Programmer$", 500).has_value())
        << "the programmer is still shown";
    const StyleLibrary saved(program.file("styles.cfg"));
    BaseStyle renamed = shipped.style(11);
    renamed.name += "\xE9!";
    for (int i = 0; i < StyleLibrary::styleCount; ++i)
        EXPECT_TRUE(sameStyle(saved.style(i), i == 11 ? renamed : shipped.style(i)))
            << i << " " << saved.style(i).name;
    for (int i = 0; i < StyleLibrary::patternCount; ++i) {
        std::vector<NoteKey> expected = sortedNotes(shipped.pattern(i));
        if (i == rhythmPattern) {
            for (const int step : {0, 16, 32, 48})
                expected.emplace_back(openTriangle, 100, step, 1.0);
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(sortedNotes(saved.pattern(i)), expected) << "pattern " << i;
        EXPECT_EQ(saved.pattern(i).name, shipped.pattern(i).name) << i;
        EXPECT_EQ(saved.pattern(i).length, shipped.pattern(i).length) << i;
    }

    // The main window plays from the keys again.
    const size_t before = readCapture(program.file("midi-capture.txt")).size();
    ASSERT_TRUE(
        x.xdotool({"windowfocus", "--sync", window, "key", "z", "sleep", "0.3"}).has_value());
    const std::vector<Captured> after = readCapture(program.file("midi-capture.txt"));
    EXPECT_TRUE(std::any_of(after.begin() + long(before), after.end(), [](const Captured& c) {
        return c.status == 0x90 && c.data1 == 33 && c.data2 > 0;
    }));
    ASSERT_TRUE(x.xdotool({"key", "Escape"}).has_value());
    const auto status = brioletta->waitFor(5000);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace brio::e2e
