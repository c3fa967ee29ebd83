#pragma once

#include <fluidsynth.h>

#include <string>

#include "midi/SoundFontCheck.h"

namespace brio {

// Looks at a file before it is loaded as a SoundFont: whether it can be read, is not too large
// and starts as a SoundFont does (only its header is read). Quick enough for the window's thread.
SoundFontCheck inspectSoundFontFile(const std::string& path);

// Notes in `check` what the loaded `sfont` lacks of General MIDI: a drum kit (a preset in bank
// 128) and the programs of bank 0.
void inspectPresets(fluid_sfont_t* sfont, SoundFontCheck& check);

}  // namespace brio
