#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

// The session's screen; the left edges of the menu buttons (11, then each caption's width in
// 11-pixel Tahoma, "Workspace" 57, "Record" 37, "Options" 39, and 14 more). A menu opens 2 px
// right of its button and 2 px below its bottom (client row 31), 2 px or more off the screen's edges.
constexpr int screenWidth = 1280, screenHeight = 1024, screenMargin = 2, menuRow = 33;
constexpr int menuLeft[4] = {11, 82, 133, 186};
const char* const menuName[4] = {"Workspace", "Record", "Options", "Help"};

std::string str(int value) { return std::to_string(value); }
std::string at(int x, int y) { return str(x) + "," + str(y); }
bool installed(const std::string& tool) { return runAndCapture({"which", tool}).has_value(); }

// The capture build on a private X server with nothing, openbox, or weston and XWayland on it.
struct DesktopRun : ::testing::TestWithParam<Desktop> {
    struct Box { std::string id; int x = -1, y = -1, width = -1, height = -1; };
    std::unique_ptr<XvfbSession> x;
    ProgramFolder program;
    std::unique_ptr<Process> brioletta;
    std::string window;
    std::pair<int, int> shift{0, 0};  // from the program's display to the one taking the input

    void SetUp() override {
        const char* const needs[3][2] = {{}, {"openbox"}, {"weston", "Xwayland"}};  // by Desktop
        for (const char* tool : needs[int(GetParam())])
            if (tool && !installed(tool)) GTEST_SKIP() << tool << " is not installed";
        x = std::make_unique<XvfbSession>(GetParam());
        ASSERT_TRUE(x->ready()) << "the X server, or what runs on it, did not start";
    }
    // The program's visible windows named like `name`, found by its pid, less the main window.
    std::vector<std::string> popups(const std::string& name = "") {
        const std::string pid = str(brioletta->id());
        std::istringstream in(
            x->xdotool({"search", "--all", "--onlyvisible", "--pid", pid, "--name", name}).value_or(""));
        std::vector<std::string> ids;
        for (std::string id; std::getline(in, id);)
            if (id != window) ids.push_back(id);
        return ids;
    }
    void start() {
        const std::vector<std::string> argv{program.file("brioletta-capture")};
        brioletta = std::make_unique<Process>(argv, x->programEnv());
        std::vector<std::string> found;
        ASSERT_TRUE(eventually([&] { return !(found = popups("^Brioletta - ")).empty(); })) << "no main window";
        window = found[0];
        learnShift();
    }
    // Where the X server shows a window (xdotool counts a window's offset in its frame twice).
    Box box(const std::string& id) {
        const std::string info = runAndCapture({"xwininfo", "-id", id}, {x->displayEnv()}).value_or("");
        const auto value = [&](const std::string& name) {
            const size_t at = info.find(name);
            return at == std::string::npos ? -1 : atoi(info.c_str() + at + name.size());
        };
        return {id, value("Absolute upper-left X:"), value("Absolute upper-left Y:"), value("Width:"),
                value("Height:")};
    }
    void press(const std::string& key) { ASSERT_TRUE(x->input({"keydown", key, "keyup", key})); }
    void click(int left, int top) {
        const std::string to[2] = {str(left + shift.first), str(top + shift.second)};
        ASSERT_TRUE(x->input({"mousemove", to[0], to[1], "sleep", "0.2", "click", "1"}));
    }
    // Weston shows XWayland's windows shifted alike from their X positions: the shift is learnt
    // from where XWayland sees the pointer once it follows it over the main window, entered from
    // the screen's corner (weston may miss a window shown under a resting pointer).
    void learnShift() {
        const auto shiftAt = [&](int left, int top) {
            x->input({"mousemove", "1", "1", "sleep", "0.1", "mousemove", str(left), str(top), "sleep", "0.1"});
            int seen[2] = {-1, -1};
            std::sscanf(x->xdotool({"getmouselocation"}).value_or("").c_str(), "x:%d y:%d", &seen[0], &seen[1]);
            return std::pair{left - seen[0], top - seen[1]};
        };
        ASSERT_TRUE(eventually([&] { return (shift = shiftAt(600, 500)) == shiftAt(610, 505); })) << "no pointer";
    }
    void expectWindowAt(int left, int top, const std::string& how) {
        eventually([&] { const Box b = box(window); return b.x == left && b.y == top; });
        EXPECT_EQ(at(box(window).x, box(window).y), at(left, top)) << how;
    }
    // Drags the top area, away from the menu buttons and the close box, by (dx, dy).
    void dragBy(int dx, int dy) {
        const Box b = box(window);
        const int fromX = b.x + 480, fromY = b.y + 8;
        ASSERT_TRUE(x->input({"mousemove", str(fromX), str(fromY), "sleep", "0.2", "mousedown", "1", "sleep", "0.2",
                              "mousemove", str(fromX + dx / 2), str(fromY + dy / 2), "sleep", "0.2", "mousemove",
                              str(fromX + dx), str(fromY + dy), "sleep", "0.2", "mouseup", "1"}));
        expectWindowAt(b.x + dx, b.y + dy, "dragged by " + at(dx, dy) + " from " + at(b.x, b.y));
    }
    void moveTo(int left, int top) {
        ASSERT_TRUE(x->xdotool({"windowmove", window, str(left), str(top)}));
        expectWindowAt(left, top, "windowmove");
    }
    Box openMenu(int menu) {
        const Box main = box(window);
        click(main.x + menuLeft[menu] + 6, main.y + 25);
        std::vector<std::string> shown;
        return eventually([&] { return (shown = popups()).size() == 1; }) ? box(shown[0]) : Box{};
    }
    // Each menu opens at its button, kept on the screen, and Escape closes it, the program going on.
    void checkMenus() {
        const Box main = box(window);
        for (int menu = 0; menu < 4; ++menu) {
            const Box popup = openMenu(menu);
            ASSERT_FALSE(popup.id.empty()) << menuName[menu] << " menu did not open"
                                           << (brioletta->running() ? "" : ": the program has ended");
            const int left = std::min(main.x + menuLeft[menu] + 2, screenWidth - screenMargin - popup.width);
            EXPECT_EQ(at(popup.x, popup.y), at(left, main.y + menuRow))
                << menuName[menu] << " menu, window at " << at(main.x, main.y);
            press("Escape");
            EXPECT_TRUE(eventually([&] { return popups().empty(); }))
                << "Escape left the " << menuName[menu] << " menu";
            ASSERT_TRUE(brioletta->running()) << "Escape with the " << menuName[menu] << " menu open ended the program";
        }
    }
    void finish() {
        press("Escape");
        EXPECT_EQ(brioletta->waitFor(5000), std::optional<int>(0)) << "Escape did not end the program well";
    }
};

struct WindowManagerRun : DesktopRun {};
struct WaylandSessionRun : DesktopRun {};

TEST_P(WindowManagerRun, DragsMoveTheWindowAndMenusOpenAtTheirButtonsWhereverItIsAndEscapeClosesThem) {
    start();
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    dragBy(55, -23);
    dragBy(-37, 41);
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    moveTo(60, 120);
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    moveTo(1070, 400);  // most menus would cross the screen's right edge
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    const Box plain = box(window), options = openMenu(2);
    click(options.x + 40, options.y + 3 * 20 + 12);  // "Show Window Border": the window manager adds a frame
    if (GetParam() == Desktop::openbox) eventually([&] { return box(window).y != plain.y; });
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    finish();
}

TEST_P(WindowManagerRun, AboutOpensCentredOnTheScreenWhereverTheWindowIs) {
    start();
    moveTo(20, 30);  // centred on the window, the dialog would be elsewhere
    const Box menu = openMenu(3);
    click(menu.x + 40, menu.y + 3 * 20 + 12);  // its fourth entry
    std::vector<std::string> shown;
    ASSERT_TRUE(eventually([&] { return (shown = popups()).size() == 1 && shown[0] != menu.id; })) << "no dialog";
    const Box about = box(shown[0]);
    EXPECT_EQ(at(about.width, about.height), at(426, 300));
    EXPECT_EQ(at(about.x, about.y), at((screenWidth - about.width) / 2, (screenHeight - about.height) / 2));
}

TEST_P(WindowManagerRun, AKeyHeldBeforeTheWindowHasTheFocusPlaysNoNote) {
    start();
    Process other({"xmessage", "-title", "brio-elsewhere", "another window"}, {x->displayEnv()});
    const auto otherWindow = x->findWindow("^brio-elsewhere$");
    ASSERT_TRUE(otherWindow.has_value()) << "xmessage showed no window";
    const std::string focus = GetParam() == Desktop::openbox ? "windowactivate" : "windowfocus";
    ASSERT_TRUE(x->xdotool({focus, "--sync", *otherWindow}));
    ASSERT_TRUE(x->input({"keydown", "z"}));
    ASSERT_TRUE(x->xdotool({focus, "--sync", window}));
    // Held past the X server's auto-repeat delay, z sends the window repeated presses.
    ASSERT_TRUE(x->input({"sleep", "1", "keyup", "z", "keydown", "c", "keyup", "c"}));
    // Keys reach the program in order: once c has played, z would have too.
    const auto notesOn = [&](int key) {
        const std::vector<Captured> all = readCapture(program.file("midi-capture.txt"));
        return std::count_if(all.begin(), all.end(),
                             [&](const Captured& c) { return c.status == 0x90 && c.data1 == key && c.data2 > 0; });
    };
    EXPECT_TRUE(eventually([&] { return notesOn(36) == 1; })) << "c pressed in the window played nothing";
    EXPECT_EQ(notesOn(33), 0) << "z, held down before the window had the focus, played";
}

TEST_P(WaylandSessionRun, WithoutAnXDisplayItSaysSoOnOneLineAndWithXWaylandMenusOpenAtTheirButtons) {
    const std::string run = "unset DISPLAY; \"$0\" 2>&1 >/dev/null; echo status $?";
    const auto output = runAndCapture({"sh", "-c", run, program.file("brioletta")}, x->programEnv());
    ASSERT_TRUE(output.has_value());
    EXPECT_EQ(std::count(output->begin(), output->end(), '\n'), 2) << *output;  // its message and the status
    EXPECT_TRUE(output->ends_with("\nstatus 1\n")) << *output;
    start();
    ASSERT_NO_FATAL_FAILURE(checkMenus());
    finish();
}

std::string desktopName(const ::testing::TestParamInfo<Desktop>& info) {
    return info.param == Desktop::bare ? "Xvfb" : info.param == Desktop::openbox ? "Openbox" : "WestonXWayland";
}
INSTANTIATE_TEST_SUITE_P(Desktops, WindowManagerRun, ::testing::Values(Desktop::bare, Desktop::openbox), desktopName);
INSTANTIATE_TEST_SUITE_P(Desktops, WaylandSessionRun, ::testing::Values(Desktop::weston), desktopName);

}  // namespace
}  // namespace brio::e2e
