#pragma once

#include <fluidsynth.h>

#include <chrono>

namespace brio {

// Ends the sound of a synthesizer whose SoundFont is being replaced, without a click: its notes
// are let go at construction (the pedals lifted first) and ring out while the new set loads;
// quieten() waits for them up to ringOut after that, fades what still sounds, then ends all
// sound and gives the gain back.
class SoundFontHandOver {
public:
    static constexpr std::chrono::milliseconds ringOut{1000};
    static constexpr std::chrono::milliseconds fade{60};
    static constexpr int fadeSteps = 12;

    // `audible`: an audio output renders the synthesizer (without one nothing rings out).
    SoundFontHandOver(fluid_synth_t* synth, bool audible);
    void quieten();

private:
    fluid_synth_t* synth;
    bool audible;
    std::chrono::steady_clock::time_point letGo;
};

}  // namespace brio
