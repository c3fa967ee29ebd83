#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Text.h"
#include "midi/SoundFontSet.h"

namespace brio {

// The SoundFonts the Options page offers: the known General MIDI sets whose file exists, each
// with its size and what it costs in memory, the user's own file while it is the current one,
// and last "Other...", which asks for a file.
class SoundFontMenu {
public:
    static constexpr const char* otherEntry = "Other...";
    // A file's size in bytes; nothing when it does not exist.
    using FileSize = std::function<std::optional<uint64_t>(const std::string&)>;
    static std::optional<uint64_t> fileSize(const std::string& path);

    // The entries for the option value `current` ("" the default: the first set installed).
    void build(const std::vector<SoundFontSet>& sets, const std::string& current, const FileSize& size);
    // Whether `entry` is "Other...".
    bool isOther(int entry) const { return entry == int(paths.size()); }
    // The option value that chooses `path`: "" for the default set.
    std::string optionFor(const std::string& path) const;

    Text_ names;                     // shown, "Other..." last
    std::vector<std::string> paths;  // the file of each entry before "Other..."
    int32_t shown = 0;               // the entry of the current set
    std::string builtFor;            // the option value the entries were built for

private:
    void add(const std::string& name, const std::string& path);
    std::string defaultPath;
};

}  // namespace brio
