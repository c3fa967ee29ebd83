// Fingers through the whole program: SDL's own event queue, the window system, the main window
// and the station, to the notes on the device.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "FakeDialogs.h"
#include "StationFixture.h"
#include "main/Application.h"
#include "platform/SdlWindow.h"
#include "platform/SdlWindowSystem.h"

namespace brio {
namespace {

// SDL's dummy driver, whose queue a script fills before each pass; the clock moves a
// millisecond a wait.
struct ScriptedSdl : SdlWindowSystem {
    explicit ScriptedSdl(ManualClock& clock) : clock(clock) {}
    std::unique_ptr<HostWindow> createWindow(WindowKind kind, WindowEvents& events) override {
        auto window = SdlWindowSystem::createWindow(kind, events);
        if (kind == WindowKind::main) mainId = dynamic_cast<SdlWindow&>(*window).id();
        return window;
    }
    void processPendingMessages() override {
        push(++passes);
        SdlWindowSystem::processPendingMessages();
    }
    void waitForMessages(uint64_t) override { clock.advance(1); }
    bool applicationActive() const override { return true; }

    // A finger at a pixel of the normal view (its piano at 41, 354; white keys 21 apart, 133
    // long) as the X11 driver places it: a share of the distance to the window's last pixel.
    void finger(Uint32 type, SDL_FingerID id, float x, float y) {
        SDL_Event event{.tfinger = SDL_TouchFingerEvent{type, 0, 1, id, x / 986.0f, y / 502.0f, 0, 0, 1, mainId}};
        SDL_PushEvent(&event);
    }
    void push(int pass) {
        SDL_Event event{};
        switch (pass) {
            case 10: finger(SDL_FINGERDOWN, 1, 41 + 148 + 2, 354), finger(SDL_FINGERDOWN, 2, 41 + 190 + 10, 487); break;
            case 11: finger(SDL_FINGERMOTION, 1, 41 + 169 + 10, 487); break;  // C slides to D
            case 12:  // one lands outside and is not followed; E is lifted beyond the edge
                finger(SDL_FINGERDOWN, 3, -100, 400), finger(SDL_FINGERMOTION, 3, 300, 400);
                finger(SDL_FINGERUP, 2, 1500, 400);
                break;
            case 13:  // the mouse press SDL makes of a finger is not played again
                event.button = SDL_MouseButtonEvent{SDL_MOUSEBUTTONDOWN, 0, mainId, SDL_TOUCH_MOUSEID, SDL_BUTTON_LEFT,
                                                    SDL_PRESSED, 1, 0, 300, 450};
                SDL_PushEvent(&event);
                break;
            case 14: finger(SDL_FINGERUP, 1, 41 + 169 + 10, 487); break;
            case 15: event.type = SDL_QUIT, SDL_PushEvent(&event); break;
            default: break;
        }
    }

    ManualClock& clock;
    Uint32 mainId = 0;
    int passes = 0;
};

TEST(TouchRun, FingersPlayTheirKeysThroughSdlsTouchEvents) {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << SDL_GetError();
    test::StationEnvironment env;
    test::FakeDialogs dialogs;
    {
        ScriptedSdl windows(env.clock);  // a 1024-pixel screen: the normal view
        EXPECT_EQ(runApplication(windows, env.clock, env.midi), 0);
    }
    SDL_Quit();
    std::vector<std::array<int, 3>> notes;
    for (const CaptureMidiBackend::Message& m : env.midi.messages)
        if ((m.status & 0xEF) == 0x80) notes.push_back({m.status, m.data1, m.data2});
    // C at its top and E at its bottom, C gone as D is entered at its bottom, then E and D lifted.
    EXPECT_EQ(notes, (std::vector<std::array<int, 3>>{
                         {0x90, 36, 20}, {0x90, 40, 127}, {0x90, 36, 0}, {0x90, 38, 127}, {0x90, 40, 0}, {0x90, 38, 0}}));
}

}  // namespace
}  // namespace brio
