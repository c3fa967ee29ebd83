#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace brio {

// How loud a SoundFont plays each General MIDI program and percussion key through the built-in
// synthesizer: integrated loudness (LUFS) of short test phrases at volume 100 and velocity 100.
// A program or key the set lacks measures silent (-infinity).
struct SoundFontLevels {
    static constexpr int programCount = 128;
    static constexpr int firstDrumKey = 35;  // the General MIDI percussion keys 35..81
    static constexpr int drumKeyCount = 47;
    static constexpr int version = 1;  // of the phrases and the file; another version is measured again
    // The phrases each program plays: a triad in three registers, the triad held, a bass line.
    enum Phrase { middle, low, high, held, bass, phraseCount };

    uint64_t fingerprint = 0;  // of the set's file
    std::array<std::array<double, phraseCount>, programCount> programs{};
    std::array<double, drumKeyCount> drumKeys{};

    // The levels as a small text file, and back: nullopt for anything but a complete table of
    // this version (a corrupt or truncated file, another version, numbers out of range).
    std::string toText() const;
    static std::optional<SoundFontLevels> fromText(const std::string& text);
};

}  // namespace brio
