// Keys held when the program gains the focus, told from the X events that SDL passes on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/HeldKeyFilter.h"

// After the test framework: the X headers define names (None) that it uses.
#include <SDL2/SDL_syswm.h>

namespace brio {
namespace {

constexpr int zKey = 52;  // X keycodes
constexpr int xKey = 53;

struct Filter {
    HeldKeyFilter filter;

    void raw(const XEvent& event) {
        SDL_SysWMmsg message{};
        message.subsystem = SDL_SYSWM_X11;
        message.msg.x11.event = event;
        filter.rawEvent(message);
    }
    void focusWith(std::vector<int> held) {
        XEvent focus{};
        focus.type = FocusIn;
        raw(focus);
        XEvent keymap{};
        keymap.type = KeymapNotify;
        for (int keycode : held) keymap.xkeymap.key_vector[keycode / 8] |= char(1 << (keycode % 8));
        raw(keymap);
    }
    // An X key event and the SDL key event made from it: accepted or not.
    bool key(int keycode, bool press) {
        XEvent event{};
        event.type = press ? KeyPress : KeyRelease;
        event.xkey.keycode = unsigned(keycode);
        raw(event);
        return sdlKey(press);
    }
    // An SDL key event with no X key event before it (SDL's own guess at a held key).
    bool sdlKey(bool press) {
        SDL_KeyboardEvent key{};
        key.type = press ? SDL_KEYDOWN : SDL_KEYUP;
        return filter.accepts(key);
    }
};

// A key held into the focus plays nothing until it is released (the end-to-end run shows it on
// a real server); one the program saw go down keeps its release when the focus moves between
// its own windows.
TEST(HeldKeyFilter, AKeyHeldIntoTheFocusIsIgnoredButOneTheProgramSawGoDownKeepsItsRelease) {
    Filter f;
    f.focusWith({xKey});
    EXPECT_FALSE(f.sdlKey(true)) << "SDL's own press for the held key";
    EXPECT_FALSE(f.key(xKey, true)) << "the server's auto-repeat";
    EXPECT_TRUE(f.key(zKey, true));
    EXPECT_FALSE(f.key(xKey, false));
    EXPECT_TRUE(f.key(xKey, true)) << "pressed again, it is the program's";
    f.focusWith({xKey, zKey});
    EXPECT_TRUE(f.sdlKey(false)) << "a release SDL makes for the focus change still arrives";
    EXPECT_TRUE(f.key(zKey, false));
    EXPECT_TRUE(f.key(xKey, false));
    // Without X events (another video driver) every key event is the program's.
    HeldKeyFilter plain;
    SDL_KeyboardEvent press{};
    press.type = SDL_KEYDOWN;
    EXPECT_TRUE(plain.accepts(press));
}

}  // namespace
}  // namespace brio
