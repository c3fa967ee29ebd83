#pragma once

#include <string>

namespace brio {

// A General MIDI SoundFont a built-in synthesizer offers: its name, where it lies, and the
// program's memory with it loaded (measured; 0 when not known).
struct SoundFontSet {
    std::string name;
    std::string path;
    int residentMegabytes = 0;
};

}  // namespace brio
