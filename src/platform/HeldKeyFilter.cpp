#include "platform/HeldKeyFilter.h"

#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

namespace brio {

void HeldKeyFilter::enable() { SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE); }

void HeldKeyFilter::rawEvent(const SDL_SysWMmsg& message) {
    if (message.subsystem != SDL_SYSWM_X11) return;
    const XEvent& event = message.msg.x11.event;
    switch (event.type) {
        case KeymapNotify:
            // The keys down as the focus came, less those the program saw go down itself (a
            // focus moving between its own windows).
            for (size_t keycode = 8; keycode < keycodeCount; ++keycode) {
                const bool down = (event.xkeymap.key_vector[keycode / 8] >> (keycode % 8)) & 1;
                if (down && !pressedHere[keycode]) heldAtFocus[keycode] = true;
            }
            afterFocus = true;
            lastKeycode = -1;
            break;
        case FocusIn:
            afterFocus = true;
            lastKeycode = -1;
            break;
        case KeyPress:
        case KeyRelease:
            lastKeycode = int(event.xkey.keycode) % int(keycodeCount);
            afterFocus = false;
            break;
        default:
            lastKeycode = -1;
            afterFocus = false;
            break;
    }
}

bool HeldKeyFilter::accepts(const SDL_KeyboardEvent& key) {
    const bool press = key.type == SDL_KEYDOWN;

    if (lastKeycode < 0) return !(afterFocus && press);  // SDL's guess at a held key
    const size_t keycode = size_t(lastKeycode);
    lastKeycode = -1;
    if (heldAtFocus[keycode]) {
        if (!press) heldAtFocus[keycode] = false;
        return false;
    }
    pressedHere[keycode] = press;
    return true;
}

}  // namespace brio
