#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <optional>

namespace brio {

// What the program asks of the X server itself about its SDL windows, where SDL's own answers
// do not hold under a window manager: SDL keeps positions it computed from configure events,
// which a reparenting manager reports relative to its frame, and a global pointer position that
// synthetic (XTest) input leaves stale. Every function answers nothing, or does nothing, for a
// window that is not on X11. (Kept apart: the X headers define names that clash with the
// program's.)

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The descriptor of the X display connection behind an SDL window, or -1.
int displayConnection(SDL_Window* window);

// The client area's top-left corner on the screen, as the server has it now.
std::optional<ScreenPoint> clientOrigin(SDL_Window* window);

// The pointer on the screen, and whether a mouse button is down, as the server has them now.
struct PointerState {
    ScreenPoint at;
    bool buttonDown = false;
};
std::optional<PointerState> pointerOnScreen(SDL_Window* window);

// Moves the window so that its client area's top-left corner goes to `place` (a window manager's
// frame goes around it), without waiting for the manager to agree. False when not on X11.
bool moveClientTo(SDL_Window* window, ScreenPoint place);

// Marks `window` as belonging to `owner` (WM_TRANSIENT_FOR), so that a window manager keeps it
// above its owner, and gives it the dialog window type when `dialog`.
void makeTransientFor(SDL_Window* window, SDL_Window* owner, bool dialog);

// The X window id of an SDL window, 0 when not on X11.
uint64_t nativeWindowId(SDL_Window* window);

}  // namespace brio
