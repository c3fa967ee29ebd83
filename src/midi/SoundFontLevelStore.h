#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "midi/SoundFontLevels.h"

namespace brio {

// Where SoundFont levels are kept: those of the sets Debian ships come with the program
// ("SoundFonts/*.levels" among its shipped files, the reference set the styles were balanced on
// among them), those of any other set are measured once and kept in the cache folder under the
// set's fingerprint. Files that are corrupt, of another version or of another set are passed by.
class SoundFontLevelStore {
public:
    static constexpr const char* referenceFile = "TimGM6mb.levels";

    // `shippedFolder` and `cacheFolder` end in "/"; an empty cache folder keeps nothing.
    SoundFontLevelStore(std::string shippedFolder, std::string cacheFolder);

    // The levels of the reference set, nullopt when its file is missing or corrupt.
    std::optional<SoundFontLevels> reference() const;
    // The levels of the set with `fingerprint`, shipped or cached.
    std::optional<SoundFontLevels> find(uint64_t fingerprint) const;
    // Keeps measured levels in the cache; false with a message in `problem` when it cannot.
    bool keep(const SoundFontLevels& levels, std::string& problem) const;
    std::string cachePath(uint64_t fingerprint) const;

private:
    std::string shippedFolder;
    std::string cacheFolder;
};

}  // namespace brio
