#pragma once

#include <SDL2/SDL_scancode.h>

namespace brio {

// The program's key code (0..255) for a physical key, or -1 for keys the program does not use.
// Physical positions are used so that the piano does not move with the keyboard layout.
int virtualKeyForScancode(SDL_Scancode scancode);

}  // namespace brio
