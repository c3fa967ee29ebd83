#pragma once

#include <cstdint>
#include <string>

namespace brio {

// What came of a SoundFont the user chose: refused before loading, failed to load, or loaded
// with what it lacks. The set in use is kept unless the verdict is `loaded`.
struct SoundFontCheck {
    // The largest file taken: a bigger one would hold that much memory or more.
    static constexpr uint64_t largestBytes = uint64_t(1) << 30;
    static constexpr int generalMidiPrograms = 128;

    enum class Verdict { loaded, unreadable, tooLarge, notSoundFont, loadFailed };
    Verdict verdict = Verdict::loaded;
    std::string path;
    std::string reason;       // unreadable: why, in the system's words
    uint64_t bytes = 0;       // the file's size, when known
    bool hasDrumKit = true;   // a preset in bank 128
    int missingPrograms = 0;  // General MIDI programs (bank 0) the set lacks

    bool refused() const { return verdict != Verdict::loaded; }
    // Nothing known against `path` yet.
    static SoundFontCheck of(const std::string& path) {
        SoundFontCheck check;
        check.path = path;
        return check;
    }
};

// A file size for people: "141 MB" below a GB (MB of 2^20 bytes, truncated), "2.0 GB" from there.
std::string sizeText(uint64_t bytes);

// What the user is told about `check`, in a message box; "" when nothing is amiss.
std::string soundFontMessage(const SoundFontCheck& check);

}  // namespace brio
