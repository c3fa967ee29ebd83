#pragma once

#include <array>
#include <cstdint>

#include "midi/SoundFontLevels.h"

namespace brio {

// What makes a SoundFont play at the levels of the reference set the style library was balanced
// on: a gain for the whole synthesizer, a change of channel volume per program, one for the drum
// kit and a change of velocity per percussion key (all in dB). Programs and keys either set
// lacks keep the whole synthesizer's gain alone.
struct LevelCorrection {
    static constexpr double largestStepDb = 30.0;  // no program or key is moved further
    double masterDb = 0.0;
    std::array<double, SoundFontLevels::programCount> programDb{};
    double kitDb = 0.0;
    std::array<double, SoundFontLevels::drumKeyCount> drumKeyDb{};

    // The correction that brings `set` to `reference`. The whole synthesizer's gain takes the
    // upper quartile of the programs' differences, so that most programs are turned down by
    // their channel volume rather than up (which stops at the volume's top).
    static LevelCorrection between(const SoundFontLevels& reference, const SoundFontLevels& set);
    bool operator==(const LevelCorrection&) const = default;
};

// Applies a correction to the messages on their way to the synthesizer: channel volumes follow
// each channel's program, the drum channel's velocities follow their keys. It remembers every
// channel's program and volume, so a new correction (or a reset) can set the volumes again.
class LevelCorrector {
public:
    static constexpr int channelCount = 16;
    static constexpr int drumChannel = 9;
    // At most two messages come out of one.
    struct Messages {
        std::array<uint32_t, 2> packed{};
        int count = 0;
    };

    // The correction in use; channels keep their programs and volumes.
    void setCorrection(const LevelCorrection& correction);
    const LevelCorrection& correction() const { return current; }
    // The message (status | data1 << 8 | data2 << 16) as the synthesizer should get it.
    Messages rewrite(uint32_t packed);
    // Every channel back to program 0 at volume 100 (the synthesizer's power-on state).
    void powerOn();
    // The channel volume message of `channel` as corrected now.
    uint32_t volumeMessage(int channel) const;

private:
    uint8_t scaledVolume(int channel) const;

    LevelCorrection current;
    std::array<uint8_t, channelCount> programs{};
    std::array<uint8_t, channelCount> volumes = filled(100);

    static std::array<uint8_t, channelCount> filled(uint8_t value) {
        std::array<uint8_t, channelCount> values{};
        values.fill(value);
        return values;
    }
};

// `value` (a volume or velocity, 0..127) changed by `db` on the synthesizer's 40 log10 curve,
// rounded and kept within 1..127 (0 stays 0).
uint8_t scaledLevel(int value, double db);

}  // namespace brio
