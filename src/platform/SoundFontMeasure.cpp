#include "platform/SoundFontMeasure.h"

#include <ebur128.h>
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/BuiltInSynth.h"

namespace brio {

namespace {

constexpr int rate = BuiltInSynth::sampleRate;
constexpr int beatFrames = rate / 2;  // 120 bpm
constexpr int strikeCount = 6;
constexpr int phraseFrames = strikeCount * beatFrames + beatFrames;  // the strikes and a tail
constexpr int block = 64;  // the synthesizer's own block: events land on block starts
constexpr int velocity = 100;
constexpr int drumChannel = 9;

// One strike of a phrase: its keys, from which beat and for how many beats.
struct Phrase {
    std::vector<std::vector<int>> strikes;  // taken in turn
    int beatsApart;
    double beatsHeld;
};

const Phrase& phraseOf(SoundFontLevels::Phrase phrase) {
    static const Phrase phrases[SoundFontLevels::phraseCount] = {
        {{{60, 64, 67}}, 1, 0.92},        // middle
        {{{48, 52, 55}}, 1, 0.92},        // low
        {{{72, 76, 79}}, 1, 0.92},        // high
        {{{60, 64, 67}}, 3, 2.76},        // held
        {{{36}, {43}}, 1, 0.92},          // bass
    };
    return phrases[phrase];
}

struct SynthDeleter {
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

class Bench {
public:
    bool load(const std::string& path) {
        settings.reset(newSynthSettings());
        if (!settings) return false;
        synth.reset(new_fluid_synth(settings.get()));
        if (!synth) return false;
        fontId = fluid_synth_sfload(synth.get(), path.c_str(), 1);
        return fontId != FLUID_FAILED;
    }

    // The loudness of `channel` playing `phrase` (LUFS; -infinity for silence, and when `stop`
    // is set meanwhile: the measurement is dropped then, and a starved thread ends at once).
    double measure(int channel, const Phrase& phrase, const std::atomic<bool>& stop) {
        std::unique_ptr<ebur128_state, SynthDeleter> state(ebur128_init(2, rate, EBUR128_MODE_I));
        if (!state) return -INFINITY;
        struct Event { int frame; int key; bool on; };
        std::vector<Event> events;
        for (int strike = 0; strike * phrase.beatsApart < strikeCount; ++strike) {
            const int start = strike * phrase.beatsApart * beatFrames;
            const int end = start + int(phrase.beatsHeld * beatFrames);
            for (const int key : phrase.strikes[size_t(strike) % phrase.strikes.size()]) {
                events.push_back({start, key, true});
                events.push_back({end, key, false});
            }
        }
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.frame < b.frame; });
        size_t next = 0;
        float left[block], right[block], both[2 * block];
        for (int frame = 0; frame < phraseFrames && !stop.load(std::memory_order_relaxed); frame += block) {
            for (; next < events.size() && events[next].frame < frame + block; ++next) {
                const Event& e = events[next];
                if (e.on) fluid_synth_noteon(synth.get(), channel, e.key, velocity);
                else fluid_synth_noteoff(synth.get(), channel, e.key);
            }
            fluid_synth_write_float(synth.get(), block, left, 0, 1, right, 0, 1);
            for (int i = 0; i < block; ++i) {
                both[2 * i] = left[i];
                both[2 * i + 1] = right[i];
            }
            ebur128_add_frames_float(state.get(), both, block);
        }
        fluid_synth_all_sounds_off(synth.get(), channel);
        double lufs = -INFINITY;
        if (ebur128_loudness_global(state.get(), &lufs) != EBUR128_SUCCESS || !std::isfinite(lufs)) return -INFINITY;
        return lufs;
    }

    // Selects `program` on channel 0; false when the set has no such preset.
    bool select(int program) {
        return fluid_synth_program_select(synth.get(), 0, fontId, 0, program) == FLUID_OK;
    }

private:
    std::unique_ptr<fluid_settings_t, SynthDeleter> settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
    int fontId = FLUID_FAILED;
};

}  // namespace

std::optional<SoundFontLevels> measureSoundFont(const std::string& path, const std::atomic<bool>& stop) {
    auto bench = std::make_unique<Bench>();
    if (!bench->load(path)) return {};
    SoundFontLevels levels;
    for (int program = 0; program < SoundFontLevels::programCount; ++program) {
        const bool present = bench->select(program);
        for (int p = 0; p < SoundFontLevels::phraseCount; ++p) {
            if (stop.load(std::memory_order_relaxed)) return {};
            levels.programs[size_t(program)][size_t(p)] =
                present ? bench->measure(0, phraseOf(SoundFontLevels::Phrase(p)), stop) : -INFINITY;
        }
    }
    for (int k = 0; k < SoundFontLevels::drumKeyCount; ++k) {
        if (stop.load(std::memory_order_relaxed)) return {};
        levels.drumKeys[size_t(k)] = bench->measure(drumChannel, {{{SoundFontLevels::firstDrumKey + k}}, 1, 0.2}, stop);
    }
    if (stop.load(std::memory_order_relaxed)) return {};  // the last phrase was cut short
    return levels;
}

}  // namespace brio
