#include "midi/SoundFontLevelStore.h"

#include <cstdio>
#include <filesystem>

#include "foundation/FileIo.h"
#include "foundation/UserFolders.h"

namespace brio {

namespace {

constexpr const char* shippedSubfolder = "SoundFonts/";
constexpr size_t largestFile = 64 * 1024;  // a table is about 8 KB

std::optional<SoundFontLevels> readLevels(const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text, largestFile)) return {};
    return SoundFontLevels::fromText(text);
}

}  // namespace

SoundFontLevelStore::SoundFontLevelStore(std::string shippedFolder, std::string cacheFolder)
    : shippedFolder(std::move(shippedFolder) + shippedSubfolder), cacheFolder(std::move(cacheFolder)) {}

std::optional<SoundFontLevels> SoundFontLevelStore::reference() const {
    return readLevels(shippedFolder + referenceFile);
}

std::string SoundFontLevelStore::cachePath(uint64_t fingerprint) const {
    if (cacheFolder.empty()) return "";
    char name[40];
    std::snprintf(name, sizeof name, "%016llx.levels", static_cast<unsigned long long>(fingerprint));
    return cacheFolder + shippedSubfolder + name;
}

std::optional<SoundFontLevels> SoundFontLevelStore::find(uint64_t fingerprint) const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(shippedFolder, error)) {
        if (entry.path().extension() != ".levels") continue;
        std::optional<SoundFontLevels> levels = readLevels(entry.path().string());
        if (levels && levels->fingerprint == fingerprint) return levels;
    }
    const std::string cached = cachePath(fingerprint);
    if (cached.empty()) return {};
    std::optional<SoundFontLevels> levels = readLevels(cached);
    if (levels && levels->fingerprint == fingerprint) return levels;
    return {};
}

bool SoundFontLevelStore::keep(const SoundFontLevels& levels, std::string& problem) const {
    const std::string path = cachePath(levels.fingerprint);
    if (path.empty()) {
        problem = "no cache folder";
        return false;
    }
    if (!createFolder(cacheFolder + shippedSubfolder, problem)) return false;
    if (replaceFile(path, levels.toText())) return true;
    problem = path + " could not be written";
    return false;
}

}  // namespace brio
