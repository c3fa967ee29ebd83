#include "platform/SoundFontFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <bitset>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace brio {

namespace {

constexpr int drumBank = 128;

// Why the file cannot be read, in the system's words; "" when it can. It is opened to find out:
// root passes access() for any file.
std::string whyUnreadable(const std::string& path, struct stat& info) {
    if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
    if (!S_ISREG(info.st_mode)) return "it is not a file";
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::strerror(errno);
    std::fclose(file);
    return "";
}

}  // namespace

SoundFontCheck inspectSoundFontFile(const std::string& path) {
    SoundFontCheck check = SoundFontCheck::of(path);
    struct stat info {};
    check.reason = whyUnreadable(path, info);
    if (!check.reason.empty()) {
        check.verdict = SoundFontCheck::Verdict::unreadable;
        return check;
    }
    check.bytes = uint64_t(info.st_size);
    if (check.bytes > SoundFontCheck::largestBytes) {
        check.verdict = SoundFontCheck::Verdict::tooLarge;
    } else if (fluid_is_soundfont(path.c_str()) == 0) {
        // Checked before any load: the library would hand another kind of file to a loader
        // that reports on stderr.
        check.verdict = SoundFontCheck::Verdict::notSoundFont;
    }
    return check;
}

void inspectPresets(fluid_sfont_t* sfont, SoundFontCheck& check) {
    std::bitset<SoundFontCheck::generalMidiPrograms> programs;
    bool drums = false;
    fluid_sfont_iteration_start(sfont);
    while (fluid_preset_t* preset = fluid_sfont_iteration_next(sfont)) {
        const int bank = fluid_preset_get_banknum(preset);
        const int program = fluid_preset_get_num(preset);
        if (bank == drumBank) drums = true;
        if (bank == 0 && program >= 0 && program < SoundFontCheck::generalMidiPrograms) programs.set(size_t(program));
    }
    check.hasDrumKit = drums;
    check.missingPrograms = SoundFontCheck::generalMidiPrograms - int(programs.count());
}

}  // namespace brio
