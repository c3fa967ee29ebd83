#pragma once

#include <array>

#include <SDL2/SDL_scancode.h>

#include "panel/KeyCharacters.h"

namespace brio {

// The character each key code types in the user's keyboard layout, as SDL reports it.
class SdlKeyCharacters : public KeyCharacters {
public:
    SdlKeyCharacters();
    std::string character(int code) const override;

private:
    std::array<SDL_Scancode, 256> scancodes{};  // by key code; SDL_SCANCODE_UNKNOWN for none
};

}  // namespace brio
