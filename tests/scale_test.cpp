// The windows at a larger scale: the same picture at a finer resolution, and every size,
// position and event of the windowing layer in the pixels of scale 1.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdlib>

#include "FakeDialogs.h"
#include "FakeWindowSystem.h"
#include "Snapshot.h"
#include "StationFixture.h"
#include "dialog/Fdialog.h"
#include "main/CommandWindowAdapters.h"
#include "main/Fmain.h"
#include "main/ScaleChoice.h"
#include "programmer/Fprogrammer.h"
#include "programmer/MidiSynthCore.h"
#include "selector/Fselector.h"
#include "platform/DesktopScale.h"
#include "platform/FreeTypeText.h"
#include "platform/SdlWindow.h"
#include "platform/SdlWindowSystem.h"

namespace brio {
namespace {

// The panel as the program shows it, drawn at `scale`; without `font` its text is left out (it
// is drawn at each scale's own size and hinting).
Limage panelAt(int scale, bool large, FontRasterizer* font = nullptr) {
    installFontRasterizer(font);
    setDrawingScale(scale);
    test::StationFixture fixture;
    fixture.options->largeView = large;
    test::FakeWindowSystem windows{fixture.clock};
    WindowEvents events;
    std::unique_ptr<HostWindow> window = windows.createWindow(WindowKind::main, events);
    fixture.station->attachWindowSystem(&windows);
    fixture.station->attachMainWindow(window.get());
    for (int key : {12, 13, 40}) fixture.station->pressPianoKey(key, 100);
    Limage picture(fixture.station->panel.image);
    fixture.station->attachMainWindow(nullptr);
    setDrawingScale(1);
    installFontRasterizer(nullptr);
    return picture;
}

// Each 2 x 2 square of device pixels, averaged, is the pixel of scale 1: exactly where the
// picture is flat, within a small difference where an edge or a stroke falls between pixels.
TEST(Scale, ThePanelAtTwiceTheScaleReducedByTwoIsThePanelAtScaleOne) {
    for (const bool large : {false, true}) {
        const Limage one = panelAt(1, large), two = panelAt(2, large);
        ASSERT_EQ(std::pair(two.deviceWidth(), two.deviceHeight()), std::pair(2 * one.width(), 2 * one.height()));
        int64_t differences = 0, far = 0;
        for (int y = 0; y < one.height(); ++y) {
            for (int x = 0; x < one.width(); ++x) {
                const ColorChannels a = splitColor(one.pixel(x, y));
                int sum[3] = {0, 0, 0};
                for (int d = 0; d < 4; ++d) {
                    const ColorChannels b = splitColor(two.devicePixel(2 * x + d % 2, 2 * y + d / 2));
                    sum[0] += b.red, sum[1] += b.green, sum[2] += b.blue;
                }
                const int diff = std::max({std::abs(sum[0] / 4 - a.red), std::abs(sum[1] / 4 - a.green),
                                           std::abs(sum[2] / 4 - a.blue)});
                differences += diff;
                far += diff > 32;
            }
        }
        const int64_t pixels = int64_t(one.width()) * one.height();
        EXPECT_LT(double(differences) / double(pixels), 1.0) << large;
        EXPECT_LT(double(far) / double(pixels), 0.005) << large;
    }
}

// The desktop's word, its nonsense passed over, and a window too large for the screen.
TEST(Scale, TheScaleComesFromTheDesktopAndFitsTheScreen) {
    const std::tuple<const char*, const char*, std::optional<std::string>, int> desktops[] = {
        {nullptr, nullptr, std::nullopt, 1},   {"2", nullptr, std::nullopt, 2},  {"0", "3", std::nullopt, 3},
        {"17", nullptr, "192", 2},             {"1.5", "2.5", std::nullopt, 2},   {nullptr, nullptr, "144", 2},
        {nullptr, nullptr, "240.0", 3},        {nullptr, nullptr, "143", 1},      {nullptr, nullptr, "lots", 1},
        {"x", "-2", "", 1}};
    for (const auto& [gdk, qt, dpi, scale] : desktops)
        EXPECT_EQ(desktopScale(gdk, qt, dpi), scale) << (gdk ? gdk : "-") << (qt ? qt : "-") << dpi.value_or("-");
    const std::tuple<int, int, int, bool, int> screens[] = {
        {3, 3840, 2160, true, 3}, {3, 2560, 1600, true, 2}, {2, 1920, 1080, true, 1}, {2, 2560, 1440, true, 2},
        {3, 0, 0, true, 3},       {1, 800, 600, false, 1}};
    for (const auto& [wanted, width, height, large, scale] : screens)
        EXPECT_EQ(fittingScale(wanted, width, height, large), scale) << wanted << " " << width << "x" << height;
}

// SDL's windows at scale 2: twice the size on the screen, and every event and place handed
// over in the pixels of scale 1.
TEST(Scale, WindowsAndTheirEventsAtScaleTwo) {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << SDL_GetError();
    struct Handler : WindowEvents {
        void mouseDown(int x, int y, int) override { seen.push_back({x, y}); }
        void mouseMove(int x, int y, bool, bool) override { seen.push_back({x, y}); }
        std::vector<Point> seen;
    } handler;
    {
        SdlWindowSystem windows;
        const int screen = windows.screenWidth();
        windows.setScale(2);
        setDrawingScale(2);
        auto window = windows.createWindow(WindowKind::dialog, handler);
        window->setClientSize(200, 100);
        window->moveTo(10, 20);
        SDL_Window* sdl = dynamic_cast<SdlWindow&>(*window).sdlWindow();
        int w = 0, h = 0, x = 0, y = 0;
        SDL_GetWindowSize(sdl, &w, &h);
        SDL_GetWindowPosition(sdl, &x, &y);
        EXPECT_EQ(std::vector<int>({w, h, x, y, window->left(), window->top(), windows.screenWidth()}),
                  std::vector<int>({400, 200, 20, 40, 10, 20, screen / 2}));
        EXPECT_EQ(window->canvas().clipBox(), (Rect{0, 0, 199, 99}));
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        SDL_Event down{};
        down.button = SDL_MouseButtonEvent{SDL_MOUSEBUTTONDOWN, 0, SDL_GetWindowID(sdl), 0, SDL_BUTTON_LEFT, SDL_PRESSED, 1, 0, 41, 21};
        SDL_Event move{};
        move.motion = SDL_MouseMotionEvent{SDL_MOUSEMOTION, 0, SDL_GetWindowID(sdl), 0, 0, 399, 199, 0, 0};
        SDL_PushEvent(&down);
        SDL_PushEvent(&move);
        windows.processPendingMessages();
        EXPECT_EQ(handler.seen, (std::vector<Point>{{20, 10}, {199, 99}}));
        setDrawingScale(1);
    }
    SDL_Quit();
}

// Pictures at scale 2, for a person to look at.
TEST(Scale, SnapshotsAtTwiceTheScale) {
    FreeTypeText font;
    for (const bool large : {false, true})
        saveSnapshot(panelAt(2, large, &font), large ? "panel-large-x2" : "panel-normal-x2");
    setDrawingScale(2);
    installFontRasterizer(&font);
    {
        test::StationFixture fixture;
        test::FakeDialogs dialogs;
        test::FakeWindowSystem windows{fixture.clock};
        Fmain fmain{*fixture.station, windows};
        Fselector selector{windows, fixture.clock};
        SelectorCommandPopup popup{selector, *fixture.station, fmain};
        fixture.station->attachWindowSystem(&windows);
        fixture.station->attachMainWindow(&fmain.window());
        fixture.station->attachCommandWindows(&popup, nullptr, nullptr);
        const Rect menu = fixture.station->panel.menuBoxes.getConst(2);
        fixture.station->mouseDown(menu.left + 4, menu.top + 4, leftButton);
        fixture.station->mouseUp(menu.left + 4, menu.top + 4, leftButton, false);
        saveSnapshot(selector.picture(), "selector-menu-options-x2");
        fixture.station->attachCommandWindows(nullptr, nullptr, nullptr);
        fixture.station->attachMainWindow(nullptr);

        Fdialog dialog(windows);
        dialog.connect(*fixture.options, nullptr, nullptr, "Brioletta");
        using Show = void (Fdialog::*)();
        for (const auto& [show, name] : {std::pair<Show, const char*>{&Fdialog::showOptions, "dialog_options_x2"},
                                         {&Fdialog::showHotKeys, "dialog_hotkeys_x2"},
                                         {&Fdialog::showAbout, "dialog_about_x2"}}) {
            windows.onPass = [&, name = name](int) {
                saveSnapshot(windows.windowOf(WindowKind::dialog)->screen, name);
                dialog.keyDown(27);
            };
            (dialog.*show)();
        }
        windows.onPass = nullptr;

        StyleLibrary library(std::string(BRIO_SOURCE_DIR) + "/data/styles.cfg");
        struct NoStation : MidiSynthCore {
            void selectStyle(int, bool) override {}
        } core;
        Fprogrammer programmer(windows, library);
        programmer.open(core);
        saveSnapshot(windows.windowOf(WindowKind::programmer)->screen, "programmer_x2");
    }
    installFontRasterizer(nullptr);
    setDrawingScale(1);
}

}  // namespace
}  // namespace brio
