#include "platform/DesktopUrlOpener.h"

#include <SDL2/SDL.h>

#include "platform/ProcessLauncher.h"

namespace brio {

bool DesktopUrlOpener::openUrl(const std::string& url) {
    if (url.empty() || !launcher.available("xdg-open")) return false;
    return SDL_OpenURL(url.c_str()) == 0;
}

}  // namespace brio
