#include "platform/BuiltInSynth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <thread>

#include "foundation/UserFolders.h"
#include "platform/RenderGate.h"
#include "platform/SoundFontLeveller.h"
#include "platform/RtMidiPorts.h"
#include "platform/SdlAudioOutput.h"
#include "platform/SoundFontChoice.h"
#include "platform/SoundFontFile.h"
#include "platform/SoundFontHandOver.h"

namespace brio {

struct BuiltInSynth::Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    // The audio output: FluidSynth's own driver (JACK) or SDL's output, never both.
    fluid_audio_driver_t* audio = nullptr;
    std::unique_ptr<SdlAudioOutput> sdlAudio;
    // SDL's buffers are interleaved: the synth renders into these planes first.
    static constexpr int planeFrames = 256;
    std::array<float, planeFrames> leftPlane{}, rightPlane{};
    // Half a second below hearing after the last voice: the tails have died.
    RenderGate gate{BuiltInSynth::sampleRate / 2};
    bool gated = true;
    // The driver lets its thread wait while silent (every driver but JACK's, whose thread
    // belongs to the server's cycle and must never block).
    std::atomic<bool> mayWaitWhenSilent{false};
    static constexpr std::chrono::milliseconds longestSilentWait{200};
    // When the audio thread last asked for a period (steady clock, which stands still while the
    // machine sleeps): a driver whose thread ended, or hangs in a sound server that died, stops
    // asking, while a working one asks at least every longestSilentWait.
    std::atomic<int64_t> lastPeriodNs{0};
    // Keeps the set at the levels the styles were balanced on.
    std::unique_ptr<SoundFontLeveller> levels;

    static int64_t nowNs() {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch()).count();
    }

    bool playing() const { return audio != nullptr || sdlAudio != nullptr; }
    // The output has asked for no period for audioStallMs.
    bool stalled() const {
        const int64_t quietNs = nowNs() - lastPeriodNs.load(std::memory_order_relaxed);
        return quietNs > int64_t(BuiltInSynth::audioStallMs) * 1000000;
    }

    // One period into `out` (zeroed by the caller): the synthesizer's sound, or the silence
    // it would make without being asked while the gate is closed. False when not rendered
    // (`out` left as it was).
    bool process(int frames, int channels, float* out[]) {
        lastPeriodNs.store(nowNs(), std::memory_order_relaxed);
        if (gated && !gate.open()) {
            if (mayWaitWhenSilent) gate.sleepWhileClosed(longestSilentWait);
            return false;
        }
        // The full mix, reverb and chorus included (processing without effect buffers would
        // drop them).
        fluid_synth_write_float(synth, frames, out[0], 0, 1, out[channels > 1 ? 1 : 0], 0, 1);
        float peak = 0.0f;
        for (int c = 0; c < channels; ++c) peak = std::max(peak, limit(out[c], frames));
        if (gated) gate.rendered(frames, fluid_synth_get_active_voice_count(synth), peak);
        return true;
    }

    // `frames` interleaved stereo frames, in pieces the planes hold; silence costs one fill.
    void processInterleaved(float* interleaved, int frames) {
        float* planes[2] = {leftPlane.data(), rightPlane.data()};
        for (int done = 0; done < frames;) {
            const int piece = std::min(frames - done, planeFrames);
            float* out = interleaved + 2 * done;
            if (process(piece, 2, planes)) {
                for (int i = 0; i < piece; ++i) {
                    out[2 * i] = leftPlane[size_t(i)];
                    out[2 * i + 1] = rightPlane[size_t(i)];
                }
            } else {
                std::fill(out, out + 2 * piece, 0.0f);
            }
            done += piece;
        }
    }

    // The loudest strikes, and many loud notes at once, would pass full scale and be cut off hard
    // by the sound server: samples above -4 dBFS bend smoothly toward -1.5 dBFS, which they
    // never reach. Returns the peak before.
    static float limit(float* samples, int frames) {
        constexpr float knee = 0.631f;     // -4 dBFS
        constexpr float ceiling = 0.841f;  // -1.5 dBFS
        constexpr float room = ceiling - knee;
        float peak = 0.0f;
        for (int i = 0; i < frames; ++i) {
            const float size = std::fabs(samples[i]);
            peak = std::max(peak, size);
            if (size > knee) samples[i] = std::copysign(knee + room * std::tanh((size - knee) / room), samples[i]);
        }
        return peak;
    }

    ~Engine() {
        levels.reset();  // a measurement under way ends before the synthesizer goes
        mayWaitWhenSilent = false;
        gate.wake();  // the audio thread must not be waiting in silence when its driver goes
        if (audio != nullptr) delete_fluid_audio_driver(audio);
        sdlAudio.reset();
        if (synth != nullptr) delete_fluid_synth(synth);
        if (settings != nullptr) delete_fluid_settings(settings);
    }
};

namespace {

// The audio driver's period, into its stereo pair of buffers.
int renderPeriod(void* engine, int frames, int /*effects*/, float* /*effectBuffers*/[], int channels, float* out[]) {
    static_cast<BuiltInSynth::Engine*>(engine)->process(frames, channels, out);
    return FLUID_OK;
}

// SDL's buffer, interleaved stereo.
void fillBuffer(void* engine, float* interleaved, int frames) {
    static_cast<BuiltInSynth::Engine*>(engine)->processInterleaved(interleaved, frames);
}

// FluidSynth's own driver: only for JACK, whose server calls it in the server's own cycle.
constexpr const char* jackDriver = "jack";

constexpr int channelCount = 16;
constexpr int allSoundOff = 120;
constexpr int resetAllControllers = 121;
constexpr int allNotesOff = 123;

// The log is global to the library: errors, warnings, information and debugging go nowhere
// (a failure shows in our results); panics keep the library's own report on stderr.
void silenceLibraryLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, nullptr, nullptr);
        }
    });
}

}  // namespace

fluid_settings_t* newSynthSettings() {
    fluid_settings_t* settings = new_fluid_settings();
    if (settings == nullptr) return nullptr;
    fluid_settings_setnum(settings, "synth.sample-rate", BuiltInSynth::sampleRate);
    fluid_settings_setint(settings, "audio.periods", BuiltInSynth::periodCount);
    // A full GM set is 140 MB of samples: only the presets in use are loaded, when chosen.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    // The sample data (up to 140 MB for a full GM set) is not pinned in memory: most users may
    // not lock that much, and the library only warns when it cannot.
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_settings_setnum(settings, "synth.gain", BuiltInSynth::gain);
    // A JACK client is left unconnected unless asked to connect to the physical outputs.
    fluid_settings_setint(settings, "audio.jack.autoconnect", 1);
    fluid_settings_setstr(settings, "audio.jack.id", RtMidiPorts::clientName);
    return settings;
}

namespace {

// The JACK driver would start a JACK server when none runs (taking the sound card from
// everything else), so it is tried only when one runs.
bool worthTrying(const std::string& driver) {
    return driver != jackDriver || RtMidiPorts::jackServerRunning();
}

// The drivers of SDL's that the user named in SDL_AUDIODRIVER (comma-separated), if any.
std::vector<std::string> sdlDriversAsked() {
    std::vector<std::string> drivers;
    const char* asked = std::getenv("SDL_AUDIODRIVER");
    std::istringstream list(asked != nullptr ? asked : "");
    for (std::string driver; std::getline(list, driver, ',');) {
        if (!driver.empty() && driver != jackDriver) drivers.push_back(driver);
    }
    return drivers;
}

// Plays a packed message on `synth`: note on (velocity 0 is note off), note off, key and channel
// pressure, control change, program change, pitch bend; other messages are ignored.
void play(fluid_synth_t* synth, uint32_t packed) {
    const int status = int(packed & 0xFF);
    const int channel = status & 0x0F;
    const int data1 = int((packed >> 8) & 0x7F);
    const int data2 = int((packed >> 16) & 0x7F);
    switch (status & 0xF0) {
        case 0x90:
            if (data2 > 0) {
                fluid_synth_noteon(synth, channel, data1, data2);
                break;
            }
            [[fallthrough]];
        case 0x80:
            fluid_synth_noteoff(synth, channel, data1);
            break;
        case 0xB0:
            fluid_synth_cc(synth, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth, channel, data1);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth, channel, data1, data2);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth, channel, data1 | data2 << 7);
            break;
        default:
            break;
    }
}

}  // namespace

std::vector<std::string> BuiltInSynth::defaultSoundFonts() { return installedSoundFonts(); }

std::vector<BuiltInSynth::AudioAttempt> BuiltInSynth::audioAttempts(const std::vector<std::string>& drivers) {
    std::vector<AudioAttempt> attempts;
    for (const std::string& driver : drivers) {
        if (driver != jackDriver) {
            attempts.push_back({driver, sdlBufferFrames});  // SDL takes any buffer size and converts
            continue;
        }
        for (const int frames : periodSizes) attempts.push_back({driver, frames});
    }
    return attempts;
}

std::vector<std::string> BuiltInSynth::defaultAudioDrivers() {
    // A JACK server that runs owns the sound card, and its own driver is the cheapest way in.
    std::vector<std::string> drivers = {jackDriver};
    std::vector<std::string> sdl = sdlDriversAsked();
    // On a PipeWire desktop SDL's own PipeWire driver plays at about JACK's cost; reaching it
    // through its PulseAudio service costs up to twice that while playing (though less idle).
    if (sdl.empty()) sdl = {"pipewire", "pulseaudio", "alsa"};
    drivers.insert(drivers.end(), sdl.begin(), sdl.end());
    return drivers;
}

BuiltInSynth::BuiltInSynth(std::vector<std::string> soundFonts,
                           std::vector<std::string> audioDrivers)
    : soundFonts(std::move(soundFonts)), audioDrivers(std::move(audioDrivers)) {
    silenceLibraryLog();
}

BuiltInSynth::~BuiltInSynth() = default;

bool BuiltInSynth::load() {
    std::optional<std::string> chosen;
    {
        std::lock_guard guard(choiceLock);
        chosen.swap(chosenSoundFont);
    }
    if (chosen && engine) {
        replaceSoundFont(*chosen);
        return true;
    }
    // One attempt per run unless the user chooses again: a SoundFont that failed would fail
    // (and stall) again.
    if (loadTried && !chosen) return engine != nullptr;
    loadTried = true;
    return loadFirst(chosen);
}

// The first SoundFont: the user's choice, else the first of the list that loads.
bool BuiltInSynth::loadFirst(const std::optional<std::string>& chosen) {
    std::vector<std::string> paths = soundFonts;
    if (chosen) paths = soundFontCandidates(*chosen, "", soundFonts);
    std::optional<SoundFontCheck> chosenCheck;
    for (const std::string& path : paths) {
        SoundFontCheck check;
        engine = loadEngine(path, check);
        if (chosen && path == *chosen) chosenCheck = check;
        if (!engine) continue;
        loadedSoundFont = path;
        ++loads;
        break;
    }
    if (chosenCheck) {
        std::lock_guard guard(choiceLock);
        outcome = chosenCheck;
    }
    return engine != nullptr;
}

// The notes of the set in use ring out while the new one loads; once it is in, the old set is
// faded out and goes with its audio output (open() starts the new one's). A set that fails to
// load leaves the old one in use.
void BuiltInSynth::replaceSoundFont(const std::string& path) {
    SoundFontHandOver handOver(engine->synth, engine->playing());
    engine->gate.wake();
    SoundFontCheck check;
    std::unique_ptr<Engine> candidate = loadEngine(path, check);
    handOver.quieten();
    if (candidate) {
        stopAudio();
        engine = std::move(candidate);
        loadedSoundFont = path;
        ++loads;
    }
    std::lock_guard guard(choiceLock);
    outcome = check;
}

std::unique_ptr<BuiltInSynth::Engine> BuiltInSynth::loadEngine(const std::string& path, SoundFontCheck& check) const {
    check = inspectSoundFontFile(path);
    if (check.refused()) return nullptr;
    check.verdict = SoundFontCheck::Verdict::loadFailed;
    try {
        auto candidate = std::make_unique<Engine>();
        candidate->settings = newSynthSettings();
        if (candidate->settings != nullptr && wholeSets) {
            fluid_settings_setint(candidate->settings, "synth.dynamic-sample-loading", 0);
        }
        if (candidate->settings == nullptr) return nullptr;
        candidate->synth = new_fluid_synth(candidate->settings);
        if (candidate->synth == nullptr) return nullptr;
        const int id = fluid_synth_sfload(candidate->synth, path.c_str(), 1);
        if (id == FLUID_FAILED) return nullptr;
        inspectPresets(fluid_synth_get_sfont_by_id(candidate->synth, id), check);
        check.verdict = SoundFontCheck::Verdict::loaded;
        candidate->levels = std::make_unique<SoundFontLeveller>(candidate->synth, levelStore(), measureLevelsAtOnce);
        candidate->levels->follow(path);
        return candidate;
    } catch (...) {
        return nullptr;  // out of memory while setting up
    }
}

void BuiltInSynth::chooseSoundFont(const std::string& path) {
    std::lock_guard guard(choiceLock);
    chosenSoundFont = path;
}

std::optional<SoundFontCheck> BuiltInSynth::soundFontOutcome() {
    std::lock_guard guard(choiceLock);
    std::optional<SoundFontCheck> told;
    told.swap(outcome);
    return told;
}

bool BuiltInSynth::startAudio() {
    if (engine->playing()) return true;
    RtMidiPorts::silenceAlsaLibrary();
    for (const AudioAttempt& attempt : audioAttempts(audioDrivers)) {
        if (!worthTrying(attempt.driver)) continue;
        const bool jack = attempt.driver == jackDriver;
        // JACK's thread belongs to the server's cycle and must never block.
        engine->mayWaitWhenSilent = !jack && SdlAudioOutput::fillMayWait(attempt.driver);
        engine->lastPeriodNs = Engine::nowNs();
        if (jack ? startJack(attempt.periodFrames) : startSdl(attempt)) {
            driverName = attempt.driver;
            std::fprintf(stderr, "%s: sound through %s%s at %d Hz, %d %s of %d frames (%.1f ms)\n",
                         RtMidiPorts::clientName, driverName.c_str(), jack ? "" : " (SDL audio)", sampleRate,
                         jack ? periodCount : 1, jack ? "periods" : "buffer", periodFrames,
                         1000.0 * (jack ? periodCount : 1) * periodFrames / sampleRate);
            return true;
        }
    }
    return false;
}

bool BuiltInSynth::startJack(int frames) {
    RtMidiPorts::ignoreBrokenPipes();
    fluid_settings_setstr(engine->settings, "audio.driver", jackDriver);
    fluid_settings_setint(engine->settings, "audio.period-size", frames);
    engine->audio = new_fluid_audio_driver2(engine->settings, renderPeriod, engine.get());
    if (engine->audio == nullptr) return false;
    periodFrames = frames;
    return true;
}

bool BuiltInSynth::startSdl(const AudioAttempt& attempt) {
    engine->sdlAudio = SdlAudioOutput::open(attempt.driver, sampleRate, attempt.periodFrames, fillBuffer, engine.get());
    if (!engine->sdlAudio) return false;
    periodFrames = engine->sdlAudio->bufferFrames();
    return true;
}

void BuiltInSynth::stopAudio() {
    if (engine == nullptr || !engine->playing()) return;
    engine->mayWaitWhenSilent = false;
    engine->gate.wake();  // a thread waiting in silence returns at once
    // A thread that stopped asking may hang in a sound server that froze: its output is ended
    // on a thread of its own, so that the program never waits for it.
    const bool stalled = engine->stalled();
    if (engine->audio != nullptr) {
        if (stalled) {
            std::thread([driver = engine->audio] { delete_fluid_audio_driver(driver); }).detach();
        } else {
            delete_fluid_audio_driver(engine->audio);
        }
        engine->audio = nullptr;
    }
    if (stalled && engine->sdlAudio) {
        std::thread([output = std::move(engine->sdlAudio)]() mutable { output.reset(); }).detach();
    }
    engine->sdlAudio.reset();
    driverName.clear();
    periodFrames = 0;
}

void BuiltInSynth::powerOnReset() {
    // The system reset alone leaves sounding voices playing (FluidSynth 2.3.1), also when
    // they were ended just before it: all sound is ended after it.
    engine->gate.wake();
    fluid_synth_system_reset(engine->synth);
    fluid_synth_all_sounds_off(engine->synth, -1);
    engine->levels->powerOn();
}

bool BuiltInSynth::open() {
    opened = false;
    if (!load() || !startAudio()) return false;
    powerOnReset();
    opened = true;
    return true;
}

bool BuiltInSynth::openOffline() {
    opened = false;
    if (!load()) return false;
    stopAudio();
    powerOnReset();
    opened = true;
    return true;
}

bool BuiltInSynth::isOpen() const {
    return opened;
}

void BuiltInSynth::send(uint32_t packed) {
    if (!opened) return;
    engine->gate.wake();
    engine->levels->pass(packed, [synth = engine->synth](uint32_t message) { play(synth, message); });
}

void BuiltInSynth::reset() {
    if (!opened) return;
    engine->gate.wake();
    for (int channel = 0; channel < channelCount; ++channel) {
        for (int controller : {allNotesOff, allSoundOff, resetAllControllers}) {
            engine->levels->pass(uint32_t(0xB0 | channel) | uint32_t(controller) << 8,
                                 [synth = engine->synth](uint32_t message) { play(synth, message); });
        }
    }
}

void BuiltInSynth::close() {
    if (!opened) return;
    fluid_synth_all_sounds_off(engine->synth, -1);
    stopAudio();
    opened = false;
}

void BuiltInSynth::render(float* left, float* right, int frames) {
    if (frames <= 0) return;
    std::fill(left, left + frames, 0.0f);
    std::fill(right, right + frames, 0.0f);
    // With an audio output playing, its thread is the synth's only renderer.
    if (!opened || engine->playing()) return;
    float* out[2] = {left, right};
    engine->process(frames, 2, out);
}

void BuiltInSynth::setRenderGate(bool on) {
    if (engine) engine->gated = on;
}

bool BuiltInSynth::audioStopped() const {
    if (!engine || !engine->playing()) return false;
    // SDL goes on asking for periods after it found its stream broken.
    return engine->stalled() || (engine->sdlAudio && engine->sdlAudio->disconnected());
}

bool BuiltInSynth::rendering() const { return engine && (!engine->gated || engine->gate.isRendering()); }

std::string BuiltInSynth::failure() const {
    if (opened) return "";
    if (!engine) {
        std::string tried;
        for (const std::string& path : soundFonts) tried += (tried.empty() ? "" : ", ") + path;
        return "no General MIDI SoundFont could be loaded (tried " + tried + ")";
    }
    std::string tried;
    for (const std::string& driver : audioDrivers) tried += (tried.empty() ? "" : ", ") + driver;
    return "no audio output could be opened (tried " + tried + ")";
}

int BuiltInSynth::pitchBend(int channel) const {
    int value = 0;
    if (opened) fluid_synth_get_pitch_bend(engine->synth, channel, &value);
    return value;
}

void BuiltInSynth::setLevelFolders(std::string shipped, std::string cache, bool measureAtOnce) {
    levelsShipped = std::move(shipped);
    levelsCache = std::move(cache);
    measureLevelsAtOnce = measureAtOnce;
}

SoundFontLevelStore BuiltInSynth::levelStore() const {
    if (!levelsShipped.empty()) return {levelsShipped, levelsCache};
    return {folderPlan().shipped, folderPlan().cache};
}

void BuiltInSynth::loadWholeSets() { wholeSets = true; }

bool BuiltInSynth::waitUntilLevelled() { return engine && engine->levels->waitUntilLevelled(); }

LevelCorrection BuiltInSynth::levelCorrection() const {
    return engine ? engine->levels->correction() : LevelCorrection{};
}

int BuiltInSynth::soundFontLoads() const {
    return loads;
}

const std::string& BuiltInSynth::soundFont() const {
    return loadedSoundFont;
}

const std::string& BuiltInSynth::audioDriver() const {
    return driverName;
}

}  // namespace brio
