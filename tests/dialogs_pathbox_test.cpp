#include <gtest/gtest.h>

#include <algorithm>

#include "Snapshot.h"
#include "graphics/FontRasterizer.h"
#include "graphics/UserDialogs.h"
#include "platform/FreeTypeText.h"
#include "platform/PathBox.h"

namespace brio {
namespace {

// Runs the box on SDL's dummy video driver, feeding it events queued beforehand.
class PathBoxTest : public testing::Test {
protected:
    void SetUp() override {
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
    }

    static void push(SDL_Event event) { SDL_PushEvent(&event); }
    static void type(Uint32 window, const char* text) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = window;
        SDL_strlcpy(event.text.text, text, sizeof event.text.text);
        push(event);
    }
    static void key(Uint32 window, SDL_Keycode code, Uint16 modifiers = KMOD_NONE,
                    Uint32 type = SDL_KEYDOWN) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = window;
        event.key.keysym.sym = code;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(code);
        event.key.keysym.mod = modifiers;
        push(event);
    }
    static void mouse(Uint32 window, Uint32 type, int x, int y) {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = window;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = x;
        event.button.y = y;
        push(event);
    }
    static void click(Uint32 window, const Rect& button) {
        mouse(window, SDL_MOUSEBUTTONDOWN, button.left + 5, button.top + 5);
        mouse(window, SDL_MOUSEBUTTONUP, button.left + 5, button.top + 5);
    }
    static void windowEvent(Uint32 window, Uint8 what) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = window;
        event.window.event = what;
        push(event);
    }
    // The events left in the queue (SDL_PollEvent would stop at the end of one poll cycle).
    static std::vector<SDL_Event> queued() {
        std::vector<SDL_Event> events(256);
        const int count = SDL_PeepEvents(events.data(), int(events.size()), SDL_GETEVENT,
                                         SDL_FIRSTEVENT, SDL_LASTEVENT);
        events.resize(size_t(std::max(count, 0)));
        return events;
    }
};

TEST_F(PathBoxTest, TypedTextIsAnsweredWithEnterOrTheOkButton) {
    PathBox box("Save As", "/home/me/");
    ASSERT_TRUE(box.ready());
    type(box.windowId(), "x.pws");
    key(box.windowId(), SDLK_RETURN);
    EXPECT_EQ(box.run(), "/home/me/x.pws");

    PathBox clicked("Open", "/srv/waltz.pws");
    click(clicked.windowId(), PathBox::okButton());
    EXPECT_EQ(clicked.run(), "/srv/waltz.pws");
}

TEST_F(PathBoxTest, EscapeCancelAndClosingAllCancel) {
    std::vector<BoxWindows> passes;
    installBoxWaitPass([&passes](BoxWindows windows) { passes.push_back(windows); return 0u; });
    for (const auto& answer :
         std::vector<void (*)(Uint32)>{[](Uint32 id) { key(id, SDLK_ESCAPE); },
                                       [](Uint32 id) { click(id, PathBox::cancelButton()); },
                                       [](Uint32 id) { windowEvent(id, SDL_WINDOWEVENT_CLOSE); }}) {
        PathBox box("Open", "/srv/waltz.pws");
        push(SDL_Event{SDL_POLLSENTINEL});  // a poll cycle ends: the loop's pass runs, events left to the box
        answer(box.windowId());
        EXPECT_EQ(box.run(), std::nullopt);
    }
    installBoxWaitPass(nullptr);
    EXPECT_EQ(passes, std::vector<BoxWindows>(3, BoxWindows::leftAlone));
}

TEST_F(PathBoxTest, AnEmptyFieldOrAClickThatLeavesTheButtonAnswersNothing) {
    PathBox box("Open", "");
    key(box.windowId(), SDLK_RETURN);
    click(box.windowId(), PathBox::okButton());
    mouse(box.windowId(), SDL_MOUSEBUTTONDOWN, PathBox::okButton().left + 2,
          PathBox::okButton().top + 2);
    mouse(box.windowId(), SDL_MOUSEBUTTONUP, PathBox::cancelButton().left + 2,
          PathBox::cancelButton().top + 2);
    type(box.windowId(), "a.pws");
    key(box.windowId(), SDLK_KP_ENTER);
    EXPECT_EQ(box.run(), "a.pws");
}

TEST_F(PathBoxTest, EditingErasesWholeCharactersSkipsControlsAndPastesOneLine) {
    PathBox box("Save As", "/tmp/caf\xC3\xA9");
    key(box.windowId(), SDLK_BACKSPACE);
    type(box.windowId(), "e\t/");
    SDL_SetClipboardText("waltz.pws\nsecond line");
    key(box.windowId(), SDLK_v, KMOD_LCTRL);
    key(box.windowId(), SDLK_RETURN);
    EXPECT_EQ(box.run(), "/tmp/cafe/waltz.pws");
}

TEST_F(PathBoxTest, OtherWindowsLoseTheirInputButKeepWindowEventsReleasesAndTheQuit) {
    SDL_Window* other = SDL_CreateWindow("main", 0, 0, 100, 100, SDL_WINDOW_HIDDEN);
    ASSERT_NE(other, nullptr);
    const Uint32 otherId = SDL_GetWindowID(other);
    queued();
    PathBox box("Open", "/srv/a.pws");
    windowEvent(otherId, SDL_WINDOWEVENT_EXPOSED);
    mouse(otherId, SDL_MOUSEBUTTONDOWN, 5, 5);
    key(otherId, SDLK_a);
    key(otherId, SDLK_a, KMOD_NONE, SDL_KEYUP);
    type(otherId, "z");
    push(SDL_Event{SDL_QUIT});
    EXPECT_EQ(box.run(), std::nullopt);  // the session ends

    std::vector<Uint32> forOther;
    bool quit = false;
    for (const SDL_Event& event : queued()) {
        quit = quit || event.type == SDL_QUIT;
        if (event.type == SDL_WINDOWEVENT && event.window.windowID == otherId)
            forOther.push_back(event.window.event);
        else if (event.type != SDL_WINDOWEVENT && event.key.windowID == otherId)
            forOther.push_back(event.type);
    }
    EXPECT_EQ(forOther, (std::vector<Uint32>{SDL_WINDOWEVENT_EXPOSED, SDL_KEYUP}));
    EXPECT_TRUE(quit);
    SDL_DestroyWindow(other);
}

TEST_F(PathBoxTest, TextInputIsLeftAsTheBoxFoundIt) {
    SDL_StopTextInput();
    PathBox box("Open", "/srv/a.pws");
    key(box.windowId(), SDLK_RETURN);
    box.run();
    EXPECT_FALSE(SDL_IsTextInputActive());
}

TEST_F(PathBoxTest, DrawsTheFieldWithTextAndWorksWithoutFonts) {
    FreeTypeText text;
    installFontRasterizer(&text);
    PathBox box(
        "Save Brio Recording As",
        "/home/me/Songs/a rather long folder name/and another long folder/waltz recording.pws");
    key(box.windowId(), SDLK_ESCAPE);
    box.run();
    installFontRasterizer(nullptr);
    saveSnapshot(box.face(), "dialogs_path_box");
    int dark = 0;
    for (int x = 16; x < 460; ++x) dark += splitColor(box.face().pixel(x, 44)).green < 128;
    EXPECT_GT(dark, text.ready() ? 20 : 0);

    PathBox bare("Open", "/srv/a.pws");
    type(bare.windowId(), "x");
    key(bare.windowId(), SDLK_RETURN);
    EXPECT_EQ(bare.run(), "/srv/a.pwsx");
}

}  // namespace
}  // namespace brio
