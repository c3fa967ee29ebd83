#include "midi/SoundFontCheck.h"

#include <cstdio>

namespace brio {

namespace {

constexpr uint64_t megabyte = uint64_t(1) << 20;

// The file's name without its folders.
std::string fileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The blanks around a message's text, as every notice of the program has them.
std::string notice(const std::string& text) { return "     " + text + "     "; }

std::string shortcomings(const SoundFontCheck& check) {
    std::string text;
    if (!check.hasDrumKit) text = "has no drum kit: the drums will be silent";
    if (check.missingPrograms > 0) {
        text += text.empty() ? "" : ", and it ";
        text += "lacks " + std::to_string(check.missingPrograms) + " of the " +
                std::to_string(SoundFontCheck::generalMidiPrograms) +
                " General MIDI programs: those instruments will be silent";
    }
    return text;
}

}  // namespace

std::string sizeText(uint64_t bytes) {
    if (bytes < SoundFontCheck::largestBytes) return std::to_string(bytes / megabyte) + " MB";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GB", double(bytes) / double(SoundFontCheck::largestBytes));
    return text;
}

std::string soundFontMessage(const SoundFontCheck& check) {
    const std::string name = "\"" + fileName(check.path) + "\"";
    const std::string kept = " The SoundFont in use plays on.";
    switch (check.verdict) {
        case SoundFontCheck::Verdict::unreadable:
            return notice(name + " cannot be read (" + check.reason + ")." + kept);
        case SoundFontCheck::Verdict::tooLarge:
            return notice(name + " is too large (" + sizeText(check.bytes) +
                          "): the built-in synthesizer takes SoundFonts of up to 1 GB." + kept);
        case SoundFontCheck::Verdict::notSoundFont:
            return notice(name + " is not a SoundFont." + kept);
        case SoundFontCheck::Verdict::loadFailed:
            return notice(name + " could not be loaded: it is damaged or cut short." + kept);
        case SoundFontCheck::Verdict::loaded:
            break;
    }
    const std::string missing = shortcomings(check);
    return missing.empty() ? "" : notice(name + " " + missing + ".");
}

}  // namespace brio
