#include "settings/SoundFontMenu.h"

#include <algorithm>
#include <filesystem>

#include "midi/SoundFontCheck.h"

namespace brio {

std::optional<uint64_t> SoundFontMenu::fileSize(const std::string& path) {
    std::error_code failed;
    const uintmax_t bytes = std::filesystem::file_size(path, failed);
    if (failed) return std::nullopt;
    return uint64_t(bytes);
}

void SoundFontMenu::add(const std::string& name, const std::string& path) {
    names.append(name);
    paths.push_back(path);
}

void SoundFontMenu::build(const std::vector<SoundFontSet>& sets, const std::string& current,
                          const FileSize& size) {
    names.clear();
    paths.clear();
    defaultPath.clear();
    builtFor = current;
    for (const SoundFontSet& set : sets) {
        const std::optional<uint64_t> bytes = size(set.path);
        if (!bytes) continue;
        std::string cost = sizeText(*bytes);
        if (set.residentMegabytes > 0) cost += ", about " + std::to_string(set.residentMegabytes) + " MB in use";
        add(set.name + " (" + cost + ")", set.path);
    }
    if (!paths.empty()) defaultPath = paths.front();
    const std::string wanted = current.empty() ? defaultPath : current;
    auto found = std::find(paths.begin(), paths.end(), wanted);
    if (found == paths.end()) {
        // The user's own file, or no set installed at all.
        const std::optional<uint64_t> bytes = wanted.empty() ? std::nullopt : size(wanted);
        const std::string name = wanted.substr(wanted.find_last_of('/') + 1);
        add(wanted.empty() ? "None installed" : name + " (" + (bytes ? sizeText(*bytes) : "not found") + ")", wanted);
        found = paths.end() - 1;
    }
    shown = int32_t(found - paths.begin());
    names.append(otherEntry);
}

std::string SoundFontMenu::optionFor(const std::string& path) const {
    return path == defaultPath ? std::string() : path;
}

}  // namespace brio
