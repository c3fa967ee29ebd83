#pragma once

#include <string>
#include <vector>

namespace brio {

// A General MIDI set that Debian ships, where its package puts it, and what it costs.
struct KnownSoundFont {
    const char* name;       // as the user knows it
    const char* path;
    const char* package;    // the Debian package that brings it
    int residentMegabytes;  // the program's memory after start with it (measured)
};

// The sets Debian ships, in order of preference: FluidR3 (full and light), MuseScore General
// (the finest, but its compressed samples are decoded whole: nearly 300 MB), TimGM6mb (small).
const std::vector<KnownSoundFont>& knownSoundFonts();

// The General MIDI SoundFonts of the system, best first: the known sets, then the
// alternatives' default.
std::vector<std::string> installedSoundFonts();

// The files to try, in order: the environment's choice, then the option's, then the installed
// ones. Empty choices are skipped and no file is listed twice.
std::vector<std::string> soundFontCandidates(const std::string& fromEnvironment, const std::string& fromOption,
                                             const std::vector<std::string>& installed);

}  // namespace brio
