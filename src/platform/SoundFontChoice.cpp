#include "platform/SoundFontChoice.h"

#include <algorithm>

namespace brio {

const std::vector<KnownSoundFont>& knownSoundFonts() {
    static const std::vector<KnownSoundFont> sets{
        {"FluidR3", "/usr/share/sounds/sf2/FluidR3_GM.sf2", "fluid-soundfont-gm", 65},
        {"MuseScore General", "/usr/share/sounds/sf3/MuseScore_General.sf3", "musescore-general-soundfont", 290},
        {"TimGM6mb", "/usr/share/sounds/sf2/TimGM6mb.sf2", "timgm6mb-soundfont", 36},
    };
    return sets;
}

std::vector<std::string> installedSoundFonts() {
    std::vector<std::string> paths;
    for (const KnownSoundFont& set : knownSoundFonts()) paths.push_back(set.path);
    paths.push_back("/usr/share/sounds/sf2/default-GM.sf2");
    return paths;
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
