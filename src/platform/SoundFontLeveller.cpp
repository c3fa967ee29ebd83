#include "platform/SoundFontLeveller.h"

#include <fluidsynth.h>
#include <pthread.h>
#include <sched.h>

#include <chrono>
#include <cmath>
#include <cstdio>

#include "foundation/FileFingerprint.h"
#include "platform/BuiltInSynth.h"
#include "platform/RtMidiPorts.h"
#include "platform/SoundFontMeasure.h"

namespace brio {

namespace {

constexpr int volumeController = 7;

// The measuring thread yields to everything else, the timing and audio threads above all.
void lowestPriority() {
    sched_param parameters{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &parameters);
}

}  // namespace

SoundFontLeveller::SoundFontLeveller(fluid_synth_t* synth, SoundFontLevelStore store, bool atOnce)
    : synth(synth), store(std::move(store)), atOnce(atOnce) {}

SoundFontLeveller::~SoundFontLeveller() {
    stop = true;
    if (measuring.joinable()) measuring.join();
}

void SoundFontLeveller::follow(const std::string& path) {
    const std::optional<SoundFontLevels> reference = store.reference();
    const std::optional<uint64_t> fingerprint = fileFingerprint(path);
    if (!reference || !fingerprint) return;
    if (const std::optional<SoundFontLevels> known = store.find(*fingerprint)) {
        apply(LevelCorrection::between(*reference, *known));
        return;
    }
    if (atOnce) {
        measure(path, *fingerprint, *reference);
        return;
    }
    std::fprintf(stderr, "%s: measuring the levels of %s once, in the background\n", RtMidiPorts::clientName,
                 path.c_str());
    measuring = std::thread([this, path, fp = *fingerprint, ref = *reference] {
        lowestPriority();
        measure(path, fp, ref);
    });
}

void SoundFontLeveller::measure(std::string path, uint64_t fingerprint, SoundFontLevels reference) {
    const auto started = std::chrono::steady_clock::now();
    std::optional<SoundFontLevels> levels = measureSoundFont(path, stop);
    if (!levels) return;  // stopped, or the file changed under us and no longer loads
    levels->fingerprint = fingerprint;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::string problem;
    const bool kept = store.keep(*levels, problem);
    std::fprintf(stderr, "%s: levels of %s measured in %.1f s%s%s\n", RtMidiPorts::clientName, path.c_str(),
                 seconds, kept ? "; kept in " : "; not kept: ",
                 kept ? store.cachePath(fingerprint).c_str() : problem.c_str());
    apply(LevelCorrection::between(reference, *levels));
}

void SoundFontLeveller::apply(const LevelCorrection& correction) {
    std::lock_guard hold(lock);
    corrector.setCorrection(correction);
    corrected = true;
    setVolumesAndGain();
}

void SoundFontLeveller::powerOn() {
    std::lock_guard hold(lock);
    corrector.powerOn();
    setVolumesAndGain();
}

// Called with the lock held.
void SoundFontLeveller::setVolumesAndGain() {
    for (int channel = 0; channel < LevelCorrector::channelCount; ++channel) {
        fluid_synth_cc(synth, channel, volumeController, int(corrector.volumeMessage(channel) >> 16));
    }
    fluid_synth_set_gain(synth, float(BuiltInSynth::gain * std::pow(10.0, corrector.correction().masterDb / 20.0)));
}

bool SoundFontLeveller::waitUntilLevelled() {
    if (measuring.joinable()) measuring.join();
    std::lock_guard hold(lock);
    return corrected;
}

LevelCorrection SoundFontLeveller::correction() {
    std::lock_guard hold(lock);
    return corrector.correction();
}

}  // namespace brio
