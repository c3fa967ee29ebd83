#pragma once

#include <string>
#include <vector>

namespace brio {

// The General MIDI SoundFonts of the system, best first: the full set, the small set, and the
// alternatives' default.
std::vector<std::string> installedSoundFonts();

// The files to try, in order: the environment's choice, then the option's, then the installed
// ones. Empty choices are skipped and no file is listed twice.
std::vector<std::string> soundFontCandidates(const std::string& fromEnvironment, const std::string& fromOption,
                                             const std::vector<std::string>& installed);

}  // namespace brio
