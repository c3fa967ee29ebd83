#include "platform/SdlKeyCharacters.h"

#include <SDL2/SDL_keyboard.h>

#include <cctype>

#include "platform/SdlKeyCodes.h"

namespace brio {

SdlKeyCharacters::SdlKeyCharacters() {
    scancodes.fill(SDL_SCANCODE_UNKNOWN);
    // The first physical key of each code (the left one of Shift, Ctrl and Alt).
    for (int s = SDL_NUM_SCANCODES - 1; s > SDL_SCANCODE_UNKNOWN; --s) {
        const int code = virtualKeyForScancode(SDL_Scancode(s));
        if (code >= 0 && code < int(scancodes.size())) scancodes[size_t(code)] = SDL_Scancode(s);
    }
}

std::string SdlKeyCharacters::character(int code) const {
    if (code < 0 || code >= int(scancodes.size()) || scancodes[size_t(code)] == SDL_SCANCODE_UNKNOWN) return "";
    const SDL_Keycode key = SDL_GetKeyFromScancode(scancodes[size_t(code)]);
    // Printable characters of the 7-bit set only: the label font and the labels are 8-bit text.
    if (key <= ' ' || key > '~') return "";
    return std::string(1, char(std::toupper(int(key))));
}

}  // namespace brio
