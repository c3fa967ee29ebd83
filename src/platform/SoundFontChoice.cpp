#include "platform/SoundFontChoice.h"

#include <algorithm>

namespace brio {

std::vector<std::string> installedSoundFonts() {
    const std::string folder = "/usr/share/sounds/sf2/";
    return {folder + "FluidR3_GM.sf2", folder + "TimGM6mb.sf2", folder + "default-GM.sf2"};
}

std::vector<std::string> soundFontCandidates(const std::string& fromEnvironment, const std::string& fromOption,
                                             const std::vector<std::string>& installed) {
    std::vector<std::string> candidates;
    const auto add = [&](const std::string& path) {
        if (!path.empty() && std::find(candidates.begin(), candidates.end(), path) == candidates.end())
            candidates.push_back(path);
    };
    add(fromEnvironment);
    add(fromOption);
    for (const std::string& path : installed) add(path);
    return candidates;
}

}  // namespace brio
