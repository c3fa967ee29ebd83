#pragma once

#include <string>

namespace brio {

// What a key code (0..255) types in the user's keyboard layout, as the key-assignment labels
// show it: one character ("A", "7", ";"), or empty for a key that types none.
class KeyCharacters {
public:
    virtual ~KeyCharacters() = default;
    virtual std::string character(int code) const = 0;
};

// The installed translation; until the platform installs its own, the codes read as on a
// US keyboard.
const KeyCharacters& keyCharacters();
// Installs `characters` (the caller keeps ownership); nullptr restores the US reading.
void installKeyCharacters(const KeyCharacters* characters);

}  // namespace brio
