#include "platform/SoundFontHandOver.h"

#include <thread>

namespace brio {

namespace {

constexpr int channelCount = 16;
constexpr int sustainPedal = 64;
constexpr int sostenutoPedal = 66;
constexpr std::chrono::milliseconds poll{10};

}  // namespace

SoundFontHandOver::SoundFontHandOver(fluid_synth_t* synth, bool audible)
    : synth(synth), audible(audible), letGo(std::chrono::steady_clock::now()) {
    // A held pedal would keep the released notes sounding.
    for (int channel = 0; channel < channelCount; ++channel) {
        fluid_synth_cc(synth, channel, sustainPedal, 0);
        fluid_synth_cc(synth, channel, sostenutoPedal, 0);
    }
    fluid_synth_all_notes_off(synth, -1);
}

void SoundFontHandOver::quieten() {
    if (audible) {
        const auto end = letGo + ringOut;
        while (fluid_synth_get_active_voice_count(synth) > 0 && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(poll);
        // What still sounds (a long pad) goes down in small steps, which the synthesizer
        // ramps within each block.
        const float gain = fluid_synth_get_gain(synth);
        for (int step = fadeSteps - 1; step >= 0 && fluid_synth_get_active_voice_count(synth) > 0; --step) {
            fluid_synth_set_gain(synth, gain * float(step) / fadeSteps);
            std::this_thread::sleep_for(fade / fadeSteps);
        }
        fluid_synth_all_sounds_off(synth, -1);
        fluid_synth_set_gain(synth, gain);
        return;
    }
    fluid_synth_all_sounds_off(synth, -1);
}

}  // namespace brio
