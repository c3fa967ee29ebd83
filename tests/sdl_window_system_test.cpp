#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "FakeDialogs.h"
#include "platform/SdlWindow.h"
#include "platform/SdlWindowSystem.h"

namespace brio {
namespace {

// The windowing layer on SDL's dummy video driver, fed with events queued beforehand.
struct SdlWindowSystemTest : ::testing::Test {
    // Remembers the mouse releases and can be told to throw on a key.
    struct Handler : WindowEvents {
        void keyDown(int key) override {
            if (key == 'X') throw std::runtime_error("The handler failed.");
            if (key == 'Y') throw 42;
            keys.push_back(key);
        }
        void keyUp(int key) override { keys.push_back(-key); }
        void mouseDown(int, int, int) override { ++presses; }
        void mouseUp(int, int, int button, bool leftHeld) override { releases.emplace_back(button, leftHeld); }
        void closeQuery() override { ++closeQueries; }
        std::vector<int> keys;  // presses, and releases negated
        int presses = 0;
        int closeQueries = 0;
        std::vector<std::pair<int, bool>> releases;
    };

    void SetUp() override {
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << SDL_GetError();
        windows = std::make_unique<SdlWindowSystem>();
        window = windows->createWindow(WindowKind::main, handler);
        id = dynamic_cast<SdlWindow&>(*window).id();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override {
        window.reset();
        windows.reset();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
    }
    void key(SDL_Scancode code, Uint32 type = SDL_KEYDOWN) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = id;
        event.key.keysym.scancode = code;
        SDL_PushEvent(&event);
    }
    void button(Uint32 type, Uint8 which) {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = id;
        event.button.button = which;
        SDL_PushEvent(&event);
    }

    test::FakeDialogs dialogs;
    Handler handler;
    std::unique_ptr<SdlWindowSystem> windows;
    std::unique_ptr<HostWindow> window;
    Uint32 id = 0;
};

// A wake from another thread ends the wait at once, and the wake handler runs in the next pass
// (in every pass: input waiting there is taken even when no wake came).
TEST_F(SdlWindowSystemTest, AWakeFromAnotherThreadEndsTheWaitAndRunsTheHandler) {
    int handled = 0;
    windows->setWakeHandler([&handled] { ++handled; });
    const Uint64 start = SDL_GetTicks64();
    std::thread waker([this] {
        SDL_Delay(30);
        windows->wake();
    });
    windows->waitForMessages(5000000);
    waker.join();
    EXPECT_LT(SDL_GetTicks64() - start, 2000u);
    windows->processPendingMessages();
    windows->processPendingMessages();
    EXPECT_EQ(handled, 2);
    windows->setWakeHandler(nullptr);
    windows->processPendingMessages();
    EXPECT_EQ(handled, 2);
}

TEST_F(SdlWindowSystemTest, AnErrorInAHandlerIsShownAndTheNextEventsStillArrive) {
    key(SDL_SCANCODE_A);
    key(SDL_SCANCODE_X);
    key(SDL_SCANCODE_Y);
    key(SDL_SCANCODE_B);
    windows->processPendingMessages();
    EXPECT_EQ(handler.keys, (std::vector<int>{'A', 'B'}));
    EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"The handler failed.", "An unexpected error occurred."}));
}

TEST_F(SdlWindowSystemTest, AReleaseReportsTheButtonsHeldWhenItHappened) {
    // All four are queued before any is processed: the state at processing time would be the
    // final one (nothing held) for every release.
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    windows->processPendingMessages();
    EXPECT_EQ(handler.releases, (std::vector<std::pair<int, bool>>{{rightButton, true}, {leftButton, false}}));
}

// While another program's box is open only releases get through, and a request to end the
// program waits until the box has gone.
TEST_F(SdlWindowSystemTest, ABoxKeepsPressesFromTheWindowsAndHoldsTheQuitUntilItCloses) {
    windows->setInputBlocked(true);
    key(SDL_SCANCODE_Z);
    key(SDL_SCANCODE_Z, SDL_KEYUP);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    windows->processPendingMessages();
    EXPECT_EQ(handler.keys, std::vector<int>{-'Z'});
    EXPECT_EQ(handler.presses, 0);
    EXPECT_EQ(handler.releases.size(), 1u);
    EXPECT_EQ(handler.closeQueries, 0);
    windows->setInputBlocked(false);
    windows->processPendingMessages();
    EXPECT_EQ(handler.closeQueries, 1);
}

TEST_F(SdlWindowSystemTest, TypedTextReachesOnlyAWindowThatTakesItAndFollowsTheFocus) {
    struct TextHandler : WindowEvents {
        void textInput(const std::string& utf8) override { texts.push_back(utf8); }
        std::vector<std::string> texts;
    };
    TextHandler plain, typing;
    auto plainWindow = windows->createWindow(WindowKind::dialog, plain);
    auto typingWindow = windows->createWindow(WindowKind::programmer, typing);
    typingWindow->setTextInput(true);
    const auto push = [](HostWindow& window, Uint32 type, Uint8 focusEvent, const char* text) {
        SDL_Event event{};
        event.type = type;
        const Uint32 id = dynamic_cast<SdlWindow&>(window).id();
        if (type == SDL_TEXTINPUT) {
            event.text.windowID = id;
            SDL_strlcpy(event.text.text, text, sizeof event.text.text);
        } else {
            event.window.windowID = id;
            event.window.event = focusEvent;
        }
        SDL_PushEvent(&event);
    };
    push(*typingWindow, SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED, "");
    push(*typingWindow, SDL_TEXTINPUT, 0, "\xC3\xA9");
    push(*plainWindow, SDL_TEXTINPUT, 0, "x");
    windows->processPendingMessages();
    EXPECT_TRUE(SDL_IsTextInputActive());
    EXPECT_EQ(typing.texts, std::vector<std::string>{"\xC3\xA9"});
    EXPECT_TRUE(plain.texts.empty());
    push(*plainWindow, SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED, "");
    windows->processPendingMessages();
    EXPECT_FALSE(SDL_IsTextInputActive()) << "the other windows get plain keys";

    windows->setClipboardText("caf\xC3\xA9");
    EXPECT_EQ(windows->clipboardText(), "caf\xC3\xA9");
}

}  // namespace
}  // namespace brio
