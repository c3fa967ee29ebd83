#include "midi/LevelCorrection.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brio {

namespace {

constexpr int volumeController = 7;
constexpr int resetAllControllers = 121;
constexpr uint8_t powerOnVolume = 100;

// `reference - set` where both sound, NAN where either is silent.
double difference(double reference, double set) {
    if (!std::isfinite(reference) || !std::isfinite(set)) return NAN;
    return std::clamp(reference - set, -LevelCorrection::largestStepDb, LevelCorrection::largestStepDb);
}

// The value at `share` (0..1) of the sorted finite values; 0 when there are none.
double quantile(std::vector<double> values, double share) {
    std::erase_if(values, [](double v) { return std::isnan(v); });
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[size_t(std::lround(share * double(values.size() - 1)))];
}

double median(const std::vector<double>& values) { return quantile(values, 0.5); }

// A step measured as NAN (the set lacks it) is no step.
double orNone(double db) { return std::isnan(db) ? 0.0 : db; }

}  // namespace

uint8_t scaledLevel(int value, double db) {
    if (value <= 0) return 0;
    const long scaled = std::lround(value * std::pow(10.0, db / 40.0));
    return uint8_t(std::clamp(scaled, 1L, 127L));
}

LevelCorrection LevelCorrection::between(const SoundFontLevels& reference, const SoundFontLevels& set) {
    LevelCorrection correction;
    std::vector<double> programSteps;
    for (size_t p = 0; p < reference.programs.size(); ++p) {
        std::vector<double> phrases;
        for (size_t i = 0; i < reference.programs[p].size(); ++i) {
            phrases.push_back(difference(reference.programs[p][i], set.programs[p][i]));
        }
        const bool sounds = std::any_of(phrases.begin(), phrases.end(), [](double d) { return !std::isnan(d); });
        programSteps.push_back(sounds ? median(phrases) : NAN);
    }
    correction.masterDb = quantile(programSteps, 0.75);
    for (size_t p = 0; p < programSteps.size(); ++p) {
        correction.programDb[p] = orNone(programSteps[p] - correction.masterDb);
    }
    std::vector<double> keySteps;
    for (size_t k = 0; k < reference.drumKeys.size(); ++k) {
        keySteps.push_back(difference(reference.drumKeys[k], set.drumKeys[k]) - correction.masterDb);
    }
    correction.kitDb = median(keySteps);
    for (size_t k = 0; k < keySteps.size(); ++k) correction.drumKeyDb[k] = orNone(keySteps[k] - correction.kitDb);
    return correction;
}

void LevelCorrector::setCorrection(const LevelCorrection& correction) { current = correction; }

void LevelCorrector::powerOn() {
    programs.fill(0);
    volumes.fill(powerOnVolume);
}

uint8_t LevelCorrector::scaledVolume(int channel) const {
    const double db = channel == drumChannel ? current.kitDb : current.programDb[programs[size_t(channel)]];
    return scaledLevel(volumes[size_t(channel)], db);
}

uint32_t LevelCorrector::volumeMessage(int channel) const {
    return uint32_t(0xB0 | channel) | uint32_t(volumeController) << 8 | uint32_t(scaledVolume(channel)) << 16;
}

LevelCorrector::Messages LevelCorrector::rewrite(uint32_t packed) {
    const int status = int(packed & 0xF0);
    const int channel = int(packed & 0x0F);
    const int data1 = int((packed >> 8) & 0x7F);
    const int data2 = int((packed >> 16) & 0x7F);
    Messages out{{packed, 0}, 1};
    if (status == 0xC0) {
        programs[size_t(channel)] = uint8_t(data1);
        out.packed[1] = volumeMessage(channel);
        out.count = 2;
    } else if (status == 0xB0 && data1 == volumeController) {
        volumes[size_t(channel)] = uint8_t(data2);
        out.packed[0] = volumeMessage(channel);
    } else if (status == 0xB0 && data1 == resetAllControllers) {
        volumes[size_t(channel)] = powerOnVolume;
        out.packed[1] = volumeMessage(channel);
        out.count = 2;
    } else if (status == 0x90 && channel == drumChannel && data2 > 0) {
        const int key = data1 - SoundFontLevels::firstDrumKey;
        if (key >= 0 && key < SoundFontLevels::drumKeyCount) {
            out.packed[0] = (packed & 0xFFFF) | uint32_t(scaledLevel(data2, current.drumKeyDb[size_t(key)])) << 16;
        }
    }
    return out;
}

}  // namespace brio
