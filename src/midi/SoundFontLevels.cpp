#include "midi/SoundFontLevels.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace brio {

namespace {

constexpr double quietest = -200.0;  // LUFS: anything below is a corrupt number, not a quiet one
constexpr double loudest = 20.0;

std::string number(double lufs) {
    if (std::isinf(lufs)) return "-inf";
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", lufs);
    return text;
}

// One level: a number in range or "-inf" (silent).
std::optional<double> parseLevel(const std::string& word) {
    if (word == "-inf") return -INFINITY;
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (word.empty() || end != word.c_str() + word.size() || !(value >= quietest && value <= loudest)) return {};
    return value;
}

// "name index = level level ...": the index and the levels, or false for any other line.
bool parseRow(const std::string& line, const char* name, int& index, double* levels, int count) {
    std::istringstream words(line);
    std::string head, equals, word;
    if (!(words >> head >> index >> equals) || head != name || equals != "=") return false;
    for (int i = 0; i < count; ++i) {
        if (!(words >> word)) return false;
        const std::optional<double> level = parseLevel(word);
        if (!level) return false;
        levels[i] = *level;
    }
    return !(words >> word);
}

}  // namespace

std::string SoundFontLevels::toText() const {
    char head[64];
    std::snprintf(head, sizeof head, "version = %d\nfingerprint = %016llx\n", version,
                  static_cast<unsigned long long>(fingerprint));
    std::string text = "# Loudness (LUFS) of each General MIDI program (triad in the middle, low and high\n"
                       "# registers, held, bass line) and percussion key through the built-in synthesizer.\n";
    text += head;
    for (int p = 0; p < programCount; ++p) {
        text += "program " + std::to_string(p) + " =";
        for (const double lufs : programs[size_t(p)]) text += " " + number(lufs);
        text += "\n";
    }
    for (int k = 0; k < drumKeyCount; ++k) {
        text += "drum " + std::to_string(firstDrumKey + k) + " = " + number(drumKeys[size_t(k)]) + "\n";
    }
    return text;
}

std::optional<SoundFontLevels> SoundFontLevels::fromText(const std::string& text) {
    SoundFontLevels levels;
    std::istringstream lines(text);
    std::string line;
    int nextProgram = 0, nextDrum = 0;
    bool versionSeen = false, fingerprintSeen = false;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        int index = -1;
        unsigned long long print = 0;
        char rest = 0;
        if (!versionSeen) {
            int found = 0;
            if (std::sscanf(line.c_str(), "version = %d%c", &found, &rest) != 1 || found != version) return {};
            versionSeen = true;
        } else if (!fingerprintSeen) {
            if (std::sscanf(line.c_str(), "fingerprint = %16llx%c", &print, &rest) != 1) return {};
            levels.fingerprint = print;
            fingerprintSeen = true;
        } else if (nextProgram < programCount) {
            if (!parseRow(line, "program", index, levels.programs[size_t(nextProgram)].data(), phraseCount) ||
                index != nextProgram) {
                return {};
            }
            ++nextProgram;
        } else if (nextDrum < drumKeyCount) {
            if (!parseRow(line, "drum", index, &levels.drumKeys[size_t(nextDrum)], 1) ||
                index != firstDrumKey + nextDrum) {
                return {};
            }
            ++nextDrum;
        } else {
            return {};  // more than a table
        }
    }
    if (nextDrum < drumKeyCount) return {};
    return levels;
}

}  // namespace brio
