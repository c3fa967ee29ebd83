#pragma once

#include <SDL2/SDL.h>

namespace brio {

// The descriptor of the X display connection behind an SDL window, or -1 when the window is
// not on X11. (Kept apart: the X headers define names that clash with the program's.)
int displayConnection(SDL_Window* window);

}  // namespace brio
