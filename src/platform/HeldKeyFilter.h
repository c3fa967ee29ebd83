#pragma once

#include <SDL2/SDL.h>

#include <bitset>

struct SDL_SysWMmsg;

namespace brio {

// Keeps the keys that were already down when the program gained the keyboard focus (a key held
// through Alt+Tab into the window) from playing: the X server sends their auto-repeats to the
// new focus, and SDL reports those, and its own guess at the keys held, as presses. It reads
// every X event as SDL passes it on (SDL_SYSWMEVENT, just ahead of the key events SDL makes
// from it) and judges each key event that follows.
class HeldKeyFilter {
public:
    // Asks SDL for the X events; without them every key event is accepted.
    static void enable();
    void rawEvent(const SDL_SysWMmsg& message);
    // False for a press or release of a key that was down before the focus came; its release
    // ends that.
    bool accepts(const SDL_KeyboardEvent& key);

private:
    static constexpr size_t keycodeCount = 256;
    std::bitset<keycodeCount> heldAtFocus;
    std::bitset<keycodeCount> pressedHere;  // keys whose press the program took
    int lastKeycode = -1;   // the X key event the next SDL key event comes from
    bool afterFocus = false;  // the next SDL key events come from the focus notice itself
};

}  // namespace brio
