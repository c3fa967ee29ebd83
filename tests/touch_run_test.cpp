// Fingers on a touch screen through the whole program: SDL's own event queue, the window
// system, the main window and the station, to the notes on the device.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <functional>
#include <vector>

#include "FakeDialogs.h"
#include "StationFixture.h"
#include "graphics/PianoKeyboard.h"
#include "main/Application.h"
#include "panel/MainPanel.h"
#include "platform/SdlWindow.h"
#include "platform/SdlWindowSystem.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

// SDL's windows on its dummy driver; each pass first runs the script, whose events SDL then
// delivers as the display's would be. The clock moves a millisecond a pass, never waiting.
class ScriptedSdl : public SdlWindowSystem {
public:
    explicit ScriptedSdl(ManualClock& clock) : clock(clock) {}
    std::unique_ptr<HostWindow> createWindow(WindowKind kind, WindowEvents& events) override {
        auto window = SdlWindowSystem::createWindow(kind, events);
        if (kind == WindowKind::main) mainId = dynamic_cast<SdlWindow&>(*window).id();
        return window;
    }
    void processPendingMessages() override {
        if (script) script(++passes);
        SdlWindowSystem::processPendingMessages();
    }
    void waitForMessages(uint64_t) override { clock.advance(1); }
    bool applicationActive() const override { return true; }

    ManualClock& clock;
    std::function<void(int pass)> script;
    Uint32 mainId = 0;
    int passes = 0;
};

struct TouchRun : ::testing::Test {
    void SetUp() override {
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << SDL_GetError();
    }
    void TearDown() override { SDL_Quit(); }

    test::StationEnvironment env;
    test::FakeDialogs dialogs;
};

TEST_F(TouchRun, FingersPlayTheirKeysThroughSdlsTouchEvents) {
    ScriptedSdl windows(env.clock);
    // The dummy screen is 1024 pixels wide: the normal view, its piano at (41, 354).
    PianoKeyboard piano;
    piano.build(6, 20, 0);
    const auto finger = [&](Uint32 type, SDL_FingerID id, int key, int depth, float outside = 0) {
        const Rect r = piano.keyRect(key);
        SDL_Event event{};
        event.type = type;
        event.tfinger.windowID = windows.mainId;
        event.tfinger.touchId = 1;
        event.tfinger.fingerId = id;
        // As the X11 driver gives it: a share of the distance to the last pixel.
        event.tfinger.x = outside ? outside : float(41 + (r.left + r.right) / 2) / (MainPanel::normalWidth - 1);
        event.tfinger.y = float(354 + depth) / (MainPanel::normalHeight - 1);
        SDL_PushEvent(&event);
    };
    windows.script = [&](int pass) {
        switch (pass) {
            case 10:
                finger(SDL_FINGERDOWN, 1, 12, 0);    // C at its top
                finger(SDL_FINGERDOWN, 2, 16, 133);  // and E at its bottom: a chord
                break;
            case 11: finger(SDL_FINGERMOTION, 1, 14, 133); break;  // slides onto D
            case 12:
                finger(SDL_FINGERDOWN, 3, 19, 60, -0.2f);  // lands outside the window: not followed
                finger(SDL_FINGERMOTION, 3, 19, 60);
                finger(SDL_FINGERUP, 2, 16, 60, 1.5f);     // lifted beyond the window's edge
                break;
            case 13: {  // the mouse press SDL makes of a finger is not played again
                SDL_Event made{};
                made.type = SDL_MOUSEBUTTONDOWN;
                made.button.windowID = windows.mainId;
                made.button.which = SDL_TOUCH_MOUSEID;
                made.button.button = SDL_BUTTON_LEFT;
                made.button.x = 41 + 200;
                made.button.y = 354 + 100;
                SDL_PushEvent(&made);
                break;
            }
            case 14: finger(SDL_FINGERUP, 1, 14, 133); break;
            case 15: {
                SDL_Event quit{};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
                break;
            }
            default: break;
        }
    };
    EXPECT_EQ(runApplication(windows, env.clock, env.midi), 0);

    std::vector<Message> notes;
    for (const Message& m : env.midi.messages)
        if (m.status == 0x90 || m.status == 0x80) notes.push_back(Message{0, m.status, m.data1, m.data2});
    const std::vector<Message> expected{{0, 0x90, 36, 20}, {0, 0x90, 40, 127}, {0, 0x90, 36, 0},
                                        {0, 0x90, 38, 127}, {0, 0x90, 40, 0}, {0, 0x90, 38, 0}};
    EXPECT_EQ(notes, expected);
}

}  // namespace
}  // namespace brio
