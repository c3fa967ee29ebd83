#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

// The program under Xvfb with a stand-in file chooser first on the PATH: it answers every
// file box with the path written in its "answer" file.
struct MenusRun : ::testing::Test {
    XvfbSession x;
    ProgramFolder program;
    std::unique_ptr<Process> brioletta;
    std::string window;
    std::string chooserFolder = program.file("chooser");

    struct Geometry {
        int x = 0, y = 0, width = 0, height = 0;
    };

    void SetUp() override {
        ASSERT_TRUE(x.ready()) << "Xvfb did not start";
        ::mkdir(chooserFolder.c_str(), 0755);
        const std::string stub = chooserFolder + "/zenity";
        std::ofstream(stub) << "#!/bin/sh\ncat \"$(dirname \"$0\")/answer\"\n";
        ::chmod(stub.c_str(), 0755);
        const std::string path = std::string("PATH=") + chooserFolder + ":" + std::getenv("PATH");
        std::vector<std::string> env = x.programEnv();
        env.push_back(path);
        brioletta = std::make_unique<Process>(std::vector<std::string>{program.file("brioletta-capture")}, env);
        ASSERT_TRUE(brioletta->started());
        const auto id = x.findWindow("^Brioletta - ");
        ASSERT_TRUE(id.has_value()) << "the main window did not appear";
        window = *id;
        ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());
    }
    void answer(const std::string& path) { std::ofstream(chooserFolder + "/answer") << path << "\n"; }
    Geometry geometry(const std::string& id) {
        Geometry g;
        const auto shell = x.xdotool({"getwindowgeometry", "--shell", id});
        if (!shell) return g;
        std::istringstream in(*shell);
        for (std::string line; std::getline(in, line);) {
            const size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            const std::string key = line.substr(0, eq);
            const int value = std::atoi(line.c_str() + eq + 1);
            if (key == "X") g.x = value;
            if (key == "Y") g.y = value;
            if (key == "WIDTH") g.width = value;
            if (key == "HEIGHT") g.height = value;
        }
        return g;
    }
    // The visible windows of the program other than the main one.
    std::vector<std::string> otherWindows() {
        std::vector<std::string> ids;
        // The popup has no name: every visible window is looked at, less the screen-wide ones.
        const auto found = x.xdotool({"search", "--onlyvisible", "--name", ""});
        if (!found) return ids;
        std::istringstream in(*found);
        for (std::string id; std::getline(in, id);) {
            if (id.empty() || id == window) continue;
            const Geometry g = geometry(id);
            if (g.width > 1 && g.width < 1280) ids.push_back(id);
        }
        return ids;
    }
    void clickAt(int screenX, int screenY) {
        ASSERT_TRUE(x.xdotool({"mousemove", std::to_string(screenX), std::to_string(screenY), "click", "1", "sleep",
                               "0.3"}).has_value());
    }
    void clickInWindow(int clientX, int clientY) {
        const Geometry main = geometry(window);
        clickAt(main.x + clientX, main.y + clientY);
    }
    // Opens menu `menuX` (a client x inside its button) and picks entry `entry` (rows of 20).
    Geometry pickFromMenu(int menuX, int entry) {
        clickInWindow(menuX, 25);
        const std::vector<std::string> popups = otherWindows();
        if (popups.size() != 1) {
            ADD_FAILURE() << popups.size() << " popups after a menu click";
            return {};
        }
        const Geometry popup = geometry(popups[0]);
        clickAt(popup.x + 40, popup.y + entry * 20 + 12);
        return popup;
    }
    void finish() {
        ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window, "key", "Escape"}).has_value());
        const auto status = brioletta->waitFor(5000);
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(*status, 0);
    }
};

constexpr int workspaceMenuX = 40;
constexpr int recordMenuX = 100;
constexpr int helpMenuX = 205;
constexpr int recordButton[2] = {340, 162};

size_t notes(const std::vector<Captured>& capture, size_t from, int key, int velocity) {
    return size_t(std::count_if(capture.begin() + long(from), capture.end(), [&](const Captured& c) {
        return c.status == 0x90 && c.data1 == key && c.data2 == velocity;
    }));
}

TEST_F(MenusRun, MenusSaveAWorkspaceAndARecordingThatPlaysBackFromTheRecentEntries) {
    // The Workspace menu opens just below its button; Save Workspace As writes the file.
    const std::string workspace = program.file("song");
    answer(workspace);
    const Geometry main = geometry(window);
    const Geometry menu = pickFromMenu(workspaceMenuX, 3);
    EXPECT_EQ(menu.y, main.y + 33) << "the menu opens 2 pixels below its button";
    EXPECT_LT(menu.x - main.x, workspaceMenuX);
    std::ifstream saved(workspace + ".pws");
    std::string first;
    std::getline(saved, first);
    EXPECT_EQ(first, "<Piano Workspace>\r");

    // Record two keys with the round button, save them from the Record menu.
    clickInWindow(recordButton[0], recordButton[1]);
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window, "key", "--delay", "150", "z", "c", "sleep", "0.2"}).has_value());
    clickInWindow(recordButton[0], recordButton[1]);
    const std::string take = program.file("take");
    answer(take);
    pickFromMenu(recordMenuX, 4);
    std::ifstream file(take + ".prc");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    ASSERT_FALSE(lines.empty()) << "no recording file";
    EXPECT_EQ(lines[0], "VELMORANDINE MIDI RECORDING\r");
    std::vector<std::string> noteLines;
    for (const std::string& line : lines)
        if (line.find(";144;") != std::string::npos) noteLines.push_back(line.substr(line.find(';')));
    EXPECT_EQ(noteLines, (std::vector<std::string>{";144;33;100;\r", ";144;33;0;\r", ";144;36;100;\r", ";144;36;0;\r"}));
    // The same Save As with an audio file's name renders it through the built-in synthesizer.
    answer(take + ".flac");
    pickFromMenu(recordMenuX, 4);
    for (int wait = 0; wait < 100 && readWholeFile(take + ".flac").empty(); ++wait) x.xdotool({"sleep", "0.1"});
    EXPECT_EQ(readWholeFile(take + ".flac").substr(0, 4), "fLaC");

    // The first recent entry of the Record menu (entry 5) plays it back into the capture.
    const size_t before = readCapture(program.file("midi-capture.txt")).size();
    pickFromMenu(recordMenuX, 5);
    ASSERT_TRUE(x.xdotool({"sleep", "1.5"}).has_value());
    const std::vector<Captured> capture = readCapture(program.file("midi-capture.txt"));
    for (const int key : {33, 36}) {
        EXPECT_EQ(notes(capture, before, key, 100), 1u) << key;
        EXPECT_EQ(notes(capture, before, key, 0), 1u) << key;
    }
    finish();
}

TEST_F(MenusRun, AboutShowsTheDialogAndEscapeClosesItWithThePianoPlayingAgain) {
    pickFromMenu(helpMenuX, 3);
    const std::vector<std::string> dialogs = otherWindows();
    ASSERT_EQ(dialogs.size(), 1u);
    const Geometry about = geometry(dialogs[0]);
    EXPECT_EQ(std::vector<int>({about.width, about.height}), std::vector<int>({426, 300}));
    // While the page is open the piano does not play.
    const size_t before = readCapture(program.file("midi-capture.txt")).size();
    ASSERT_TRUE(x.xdotool({"key", "--window", window, "z", "sleep", "0.2"}).has_value());
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", dialogs[0], "key", "Escape", "sleep", "0.3"}).has_value());
    EXPECT_TRUE(otherWindows().empty()) << "the dialog is still shown";
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window, "key", "--delay", "100", "c", "sleep", "0.2"}).has_value());
    const std::vector<Captured> capture = readCapture(program.file("midi-capture.txt"));
    EXPECT_EQ(notes(capture, before, 33, 100), 0u);
    EXPECT_EQ(notes(capture, before, 36, 100), 1u);
    finish();
}

}  // namespace
}  // namespace brio::e2e
