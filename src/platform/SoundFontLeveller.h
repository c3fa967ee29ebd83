#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "midi/LevelCorrection.h"
#include "midi/SoundFontLevelStore.h"

typedef struct _fluid_synth_t fluid_synth_t;

namespace brio {

// Keeps a synthesizer's SoundFont at the levels of the set the styles were balanced on. The
// levels of the loaded set come from the store; a set the store does not know is measured once
// on a thread of its own at the lowest priority (the program plays on meanwhile, uncorrected),
// kept in the store's cache and applied the moment it is ready: volumes and gain move smoothly,
// without a pause. Without the reference set's levels nothing is corrected.
class SoundFontLeveller {
public:
    // `atOnce`: a set that is not known is measured in follow() itself, at the caller's
    // priority (for tools and tests, which wait for it anyway).
    SoundFontLeveller(fluid_synth_t* synth, SoundFontLevelStore store, bool atOnce = false);
    // Stops a measurement under way.
    ~SoundFontLeveller();
    SoundFontLeveller(const SoundFontLeveller&) = delete;
    SoundFontLeveller& operator=(const SoundFontLeveller&) = delete;

    // The set loaded from `path`: corrected at once when its levels are known, else measured.
    void follow(const std::string& path);
    // Hands the message, corrected, to `deliver` (one or two messages), so that no new
    // correction comes between the two.
    template <typename Deliver>
    void pass(uint32_t packed, Deliver&& deliver) {
        std::lock_guard hold(lock);
        const LevelCorrector::Messages messages = corrector.rewrite(packed);
        for (int i = 0; i < messages.count; ++i) deliver(messages.packed[size_t(i)]);
    }
    // After the synthesizer's power-on reset: every channel at program 0 and volume 100.
    void powerOn();
    // Blocks until a measurement under way has ended; true when a correction is in use.
    bool waitUntilLevelled();
    LevelCorrection correction();

private:
    void apply(const LevelCorrection& correction);
    void measure(std::string path, uint64_t fingerprint, SoundFontLevels reference);
    void setVolumesAndGain();

    fluid_synth_t* synth;
    SoundFontLevelStore store;
    bool atOnce;
    std::mutex lock;
    LevelCorrector corrector;
    bool corrected = false;
    std::atomic<bool> stop{false};
    std::thread measuring;
};

}  // namespace brio
