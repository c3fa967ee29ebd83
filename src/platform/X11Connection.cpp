#include "platform/X11Connection.h"

#include <SDL2/SDL_syswm.h>

namespace brio {

int displayConnection(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return -1;
    return ConnectionNumber(info.info.x11.display);
}

}  // namespace brio
