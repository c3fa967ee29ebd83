// The program on the desktops people use: a bare X server, a reparenting window manager
// (openbox) and a Wayland session (weston with XWayland).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

// The menu buttons' left edges (client x; captions in 11-pixel Tahoma); a menu opens 2 px right
// of its button and 2 px below its bottom (client row 31), kept 2 px inside the screen.
constexpr int screenWidth = 1280, screenHeight = 1024, menuRow = 33;
constexpr int menuLeft[4] = {11, 82, 133, 186};

std::string str(int value) { return std::to_string(value); }
std::string at(int x, int y) { return str(x) + "," + str(y); }

struct DesktopRun : ::testing::TestWithParam<Desktop> {
    struct Box {
        std::string id;
        int x = -1, y = -1, width = -1, height = -1;
    };
    std::unique_ptr<XvfbSession> x;
    ProgramFolder program;
    std::unique_ptr<Process> brioletta;
    std::string window;
    std::pair<int, int> shift{0, 0};  // weston shows XWayland's windows shifted from their X places

    void SetUp() override {
        const Desktop desktop = GetParam();
        const char* tool = desktop == Desktop::openbox ? "openbox" : desktop == Desktop::weston ? "weston" : "Xvfb";
        if (!runAndCapture({"which", tool})) GTEST_SKIP() << tool << " is not installed";
        x = std::make_unique<XvfbSession>(desktop);
        ASSERT_TRUE(x->ready()) << "the X server, or what runs on it, did not start";
    }
    // The program's visible windows named like `name`, less the main window.
    std::vector<std::string> shown(const std::string& name = "") {
        const std::string pid = str(brioletta->id());
        std::istringstream in(x->xdotool({"search", "--all", "--onlyvisible", "--pid", pid, "--name", name}).value_or(""));
        std::vector<std::string> ids;
        for (std::string id; std::getline(in, id);)
            if (id != window) ids.push_back(id);
        return ids;
    }
    void start() {
        const std::vector<std::string> argv{program.file("brioletta-capture")};
        brioletta = std::make_unique<Process>(argv, x->programEnv());
        std::vector<std::string> found;
        ASSERT_TRUE(eventually([&] { return !(found = shown("^Brioletta - ")).empty(); })) << "no main window";
        window = found[0];
        // The shift, from where XWayland sees the pointer brought in from the screen's corner.
        const auto shiftAt = [&](int left, int top) {
            x->input({"mousemove", "1", "1", "sleep", "0.1", "mousemove", str(left), str(top), "sleep", "0.1"});
            int seen[2] = {-1, -1};
            std::sscanf(x->xdotool({"getmouselocation"}).value_or("").c_str(), "x:%d y:%d", &seen[0], &seen[1]);
            return std::pair{left - seen[0], top - seen[1]};
        };
        ASSERT_TRUE(eventually([&] { return (shift = shiftAt(600, 500)) == shiftAt(610, 505); })) << "no pointer";
    }
    // Where the X server has a window (xdotool counts a window's offset in its frame twice).
    Box box(const std::string& id) {
        const std::string info = runAndCapture({"xwininfo", "-id", id}, {x->displayEnv()}).value_or("");
        const auto value = [&](const std::string& name) {
            const size_t found = info.find(name);
            return found == std::string::npos ? -1 : std::atoi(info.c_str() + found + name.size());
        };
        return {id, value("Absolute upper-left X:"), value("Absolute upper-left Y:"), value("Width:"),
                value("Height:")};
    }
    void input(std::vector<std::string> steps) { ASSERT_TRUE(x->input(std::move(steps))); }
    void click(int left, int top) {
        input({"mousemove", str(left + shift.first), str(top + shift.second), "sleep", "0.2", "click", "1"});
    }
    void expectWindowAt(int left, int top, const std::string& how) {
        eventually([&] { const Box b = box(window); return b.x == left && b.y == top; });
        EXPECT_EQ(at(box(window).x, box(window).y), at(left, top)) << how;
    }
    Box openMenu(int menu) {
        const Box main = box(window);
        click(main.x + menuLeft[menu] + 6, main.y + 25);
        std::vector<std::string> popups;
        return eventually([&] { return (popups = shown()).size() == 1; }) ? box(popups[0]) : Box{};
    }
    // Each menu opens at its button, on the screen, and Escape closes it with the program going on.
    void checkMenus() {
        const Box main = box(window);
        for (int menu = 0; menu < 4; ++menu) {
            const Box popup = openMenu(menu);
            ASSERT_FALSE(popup.id.empty()) << "menu " << menu << " did not open";
            const int left = std::min(main.x + menuLeft[menu] + 2, screenWidth - 2 - popup.width);
            EXPECT_EQ(at(popup.x, popup.y), at(left, main.y + menuRow))
                << "menu " << menu << ", window at " << at(main.x, main.y);
            input({"keydown", "Escape", "keyup", "Escape"});
            EXPECT_TRUE(eventually([&] { return shown().empty(); })) << "Escape left menu " << menu << " open";
            ASSERT_TRUE(brioletta->running()) << "Escape with menu " << menu << " open ended the program";
        }
    }
};

struct WindowManagerRun : DesktopRun {};
struct WaylandSessionRun : DesktopRun {};

TEST_P(WindowManagerRun, MenusOpenAtTheirButtonsWhereverTheWindowIsDraggedOrMovedAndEscapeClosesThem) {
    start();
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    // The top area drags the window by the pointer's travel, in steps.
    for (const auto& [dx, dy] : {std::pair{55, -23}, std::pair{-37, 41}}) {
        const Box b = box(window);
        const int fromX = b.x + 480, fromY = b.y + 8;
        input({"mousemove", str(fromX), str(fromY), "sleep", "0.2", "mousedown", "1", "sleep", "0.2", "mousemove",
               str(fromX + dx / 2), str(fromY + dy / 2), "sleep", "0.2", "mousemove", str(fromX + dx),
               str(fromY + dy), "sleep", "0.2", "mouseup", "1"});
        expectWindowAt(b.x + dx, b.y + dy, "dragged by " + at(dx, dy));
    }
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    ASSERT_TRUE(x->xdotool({"windowmove", window, "1070", "400"}));  // most menus would cross the right edge
    expectWindowAt(1070, 400, "windowmove");
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    input({"keydown", "Escape", "keyup", "Escape"});
    EXPECT_EQ(brioletta->waitFor(5000), std::optional<int>(0)) << "Escape did not end the program well";
}

TEST_P(WindowManagerRun, AboutOpensCentredOnTheScreenAndAKeyHeldIntoTheFocusPlaysNothing) {
    start();
    ASSERT_TRUE(x->xdotool({"windowmove", window, "20", "30"}));  // centred on the window it would be elsewhere
    const Box menu = openMenu(3);
    click(menu.x + 40, menu.y + 3 * 20 + 12);
    std::vector<std::string> dialogs;
    ASSERT_TRUE(eventually([&] { return (dialogs = shown()).size() == 1 && dialogs[0] != menu.id; })) << "no About";
    const Box about = box(dialogs[0]);
    EXPECT_EQ(at(about.x, about.y), at((screenWidth - about.width) / 2, (screenHeight - about.height) / 2));
    input({"keydown", "Escape", "keyup", "Escape"});
    // z goes down in another window and stays down (the server repeats it) as the program gets the focus.
    Process other({"xmessage", "-title", "brio-elsewhere", "another window"}, {x->displayEnv()});
    const auto otherWindow = x->findWindow("^brio-elsewhere$");
    ASSERT_TRUE(otherWindow.has_value());
    const std::string focus = GetParam() == Desktop::openbox ? "windowactivate" : "windowfocus";
    ASSERT_TRUE(x->xdotool({focus, "--sync", *otherWindow}));
    input({"keydown", "z"});
    ASSERT_TRUE(x->xdotool({focus, "--sync", window}));
    input({"sleep", "1", "keyup", "z", "keydown", "c", "keyup", "c"});
    const auto notesOn = [&](int key) {
        const std::vector<Captured> all = readCapture(program.file("midi-capture.txt"));
        return std::count_if(all.begin(), all.end(),
                             [&](const Captured& c) { return c.status == 0x90 && c.data1 == key && c.data2 > 0; });
    };
    EXPECT_TRUE(eventually([&] { return notesOn(36) == 1; })) << "c, pressed in the window, played nothing";
    EXPECT_EQ(notesOn(33), 0) << "z, held down before the window had the focus, played";
}

TEST_P(WaylandSessionRun, MenusOpenAtTheirButtonsThroughXWaylandAndWithoutAnXDisplayItSaysSo) {
    start();
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    const std::string run = "unset DISPLAY; \"$0\" 2>&1 >/dev/null; echo status $?";
    const auto output = runAndCapture({"sh", "-c", run, program.file("brioletta")}, x->programEnv());
    ASSERT_TRUE(output.has_value());
    EXPECT_EQ(std::count(output->begin(), output->end(), '\n'), 2) << *output;  // its message and the status
    EXPECT_TRUE(output->ends_with("\nstatus 1\n")) << *output;
}

std::string desktopName(const ::testing::TestParamInfo<Desktop>& info) {
    return info.param == Desktop::bare ? "Xvfb" : info.param == Desktop::openbox ? "Openbox" : "WestonXWayland";
}
INSTANTIATE_TEST_SUITE_P(Desktops, WindowManagerRun, ::testing::Values(Desktop::bare, Desktop::openbox), desktopName);
INSTANTIATE_TEST_SUITE_P(Desktops, WaylandSessionRun, ::testing::Values(Desktop::weston), desktopName);

}  // namespace
}  // namespace brio::e2e
