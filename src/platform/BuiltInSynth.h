#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "midi/LevelCorrection.h"
#include "midi/SoundFontCheck.h"
#include "midi/SoundFontLevelStore.h"
#include "platform/DeferredSynth.h"

typedef struct _fluid_hashtable_t fluid_settings_t;

namespace brio {

// The settings every synthesizer of the program runs with (rate, gain, sample loading), so that
// what is measured offline is what plays; the caller deletes them.
fluid_settings_t* newSynthSettings();

// The built-in General MIDI synthesizer: a SoundFont synthesizer that plays through the first
// audio driver that opens, or renders into buffers when opened offline (tests, tools).
// The SoundFont is loaded on the first open; opening again only resets the synth, unless the
// user chose another SoundFont meanwhile, which that open loads in place of the one in use.
// Nothing here throws, and the synthesizer's own log stays off stderr except for panics.
class BuiltInSynth : public SynthEngine {
public:
    static constexpr int sampleRate = 48000;  // Hz, audio and offline alike
    // The library's default gain (0.2) leaves a single piano note near -27 dBFS: too quiet to
    // play along with other programs. At 1.6 the styles play near -18 LUFS and a piano played
    // at the panel's default level sits just under them; the loudest strikes, and what playing
    // adds on top, are rounded off by the engine's limit. (The style generator's calibration
    // knows this gain as SYNTH_GAIN.) A SoundFont's level correction moves it.
    static constexpr double gain = 1.6;
    // Audio buffer: JACK's 2 periods of 128 frames = 5.3 ms at 48 kHz, the next larger period
    // where the server refuses that; SDL's outputs (PipeWire, PulseAudio, ALSA) take one buffer
    // of the same length, 256 frames, which SDL adapts to whatever the server wants (half the
    // wake-ups of 128 frames, at JACK's latency).
    static constexpr int periodCount = 2;
    static constexpr int periodSizes[] = {128, 256, 512, 1024};
    static constexpr int sdlBufferFrames = periodCount * periodSizes[0];

    // One attempt to start audio output.
    struct AudioAttempt {
        std::string driver;
        int periodFrames;
        bool operator==(const AudioAttempt&) const = default;
    };
    // The attempts in the order they are made: each driver with its periods, smallest first
    // ("jack" is FluidSynth's JACK driver; any other name is one of SDL's audio drivers, which
    // needs one attempt).
    static std::vector<AudioAttempt> audioAttempts(const std::vector<std::string>& drivers);

    // The system's GM SoundFonts in order of preference.
    static std::vector<std::string> defaultSoundFonts();
    // Audio drivers in the order they are tried: a running JACK server first, then SDL's
    // drivers (those named in SDL_AUDIODRIVER, else PipeWire, PulseAudio and ALSA).
    static std::vector<std::string> defaultAudioDrivers();

    // `soundFonts`: the first file that loads is used. `audioDrivers`: tried in order by open().
    explicit BuiltInSynth(std::vector<std::string> soundFonts = defaultSoundFonts(),
                          std::vector<std::string> audioDrivers = defaultAudioDrivers());
    ~BuiltInSynth() override;
    BuiltInSynth(const BuiltInSynth&) = delete;
    BuiltInSynth& operator=(const BuiltInSynth&) = delete;

    // Loads the SoundFont (the first time, or the one chosen since) and starts audio; false
    // without a SoundFont or without any audio driver that opens. Resets the synth to its
    // power-on state. A chosen SoundFont that fails to load leaves the one in use playing.
    bool open() override;
    // As open() but without audio: sound comes only from render().
    bool openOffline();
    bool isOpen() const;
    // Plays a packed message (status | data1 << 8 | data2 << 16): note on (velocity 0 is note
    // off), note off, key and channel pressure, control change, program change, pitch bend;
    // other messages are ignored.
    void send(uint32_t packed) override;
    // All notes off, all sound off and reset all controllers on the 16 channels.
    void reset() override;
    // Silences the synth and stops audio; the SoundFont stays loaded.
    void close() override;
    // Offline only: renders `frames` frames into each buffer (-1..1); silence when not
    // opened offline. Messages take effect at the synth's next block of 64 frames, so
    // renders in multiples of 64 frames start each message exactly at their first frame.
    void render(float* left, float* right, int frames);
    // The render gate (on by default): while nothing sounds the synthesizer is not run, and
    // the first message after silence runs it again from the next period.
    void setRenderGate(bool on);
    // Whether the last period was rendered (always, with the gate off).
    bool rendering() const;
    // True when the audio output has asked for no period for audioStallMs: its driver's thread
    // ended (the sound server went away) or hangs. Closing and opening again starts a new one.
    static constexpr int audioStallMs = 2000;
    bool audioStopped() const;

    // The pitch bend of channel 0..15 as the synthesizer holds it: 0..16383, 8192 the centre
    // (0 while closed).
    int pitchBend(int channel) const;
    // Where the SoundFonts' levels are found (the shipped files' folder) and measured ones kept;
    // by default the program's own folders; `measureAtOnce` measures an unknown set while it
    // loads rather than in the background. Before the first open.
    void setLevelFolders(std::string shipped, std::string cache, bool measureAtOnce = false);
    // Sets load with all their samples, not each preset's when it is chosen: more memory, but a
    // program change never waits for samples (a compressed set decodes them on every change).
    // For offline renders of many styles. Before the first open.
    void loadWholeSets();
    // Blocks until the loaded set's levels are known (measured if need be); true when they
    // correct the set, false without a set or without the reference set's levels.
    bool waitUntilLevelled();
    // The correction in use (none before it is known).
    LevelCorrection levelCorrection() const;
    // The user chose `path` (checked with inspectSoundFontFile) to play from the next open on,
    // which lets the notes of the set in use ring out while it loads and drops that set once
    // the new one is in. Safe from any thread.
    void chooseSoundFont(const std::string& path);
    // What came of the last choice, once, after the open that tried it. Safe from any thread.
    std::optional<SoundFontCheck> soundFontOutcome();
    // How many SoundFonts were loaded: the first, then one for each choice that loaded.
    int soundFontLoads() const;
    // Why the last open failed, in words for the user; "" after a success.
    std::string failure() const;
    // The loaded SoundFont's path, or "" before loading or when none loaded.
    const std::string& soundFont() const;
    // The audio driver that is playing, or "" (closed, offline), and its period in frames.
    const std::string& audioDriver() const;
    int audioPeriodFrames() const { return periodFrames; }

    struct Engine;

private:
    bool load();
    bool loadFirst(const std::optional<std::string>& chosen);
    void replaceSoundFont(const std::string& path);
    std::unique_ptr<Engine> loadEngine(const std::string& path, SoundFontCheck& check) const;
    bool startAudio();
    bool startJack(int frames);
    bool startSdl(const AudioAttempt& attempt);
    void stopAudio();
    void powerOnReset();
    SoundFontLevelStore levelStore() const;

    std::vector<std::string> soundFonts;
    std::vector<std::string> audioDrivers;
    std::unique_ptr<Engine> engine;
    bool loadTried = false;
    int loads = 0;
    std::string loadedSoundFont;
    std::string levelsShipped, levelsCache;
    bool measureLevelsAtOnce = false;
    bool wholeSets = false;
    std::string driverName;
    int periodFrames = 0;
    bool opened = false;
    std::mutex choiceLock;  // guards the two below, which the user's thread and open() share
    std::optional<std::string> chosenSoundFont;
    std::optional<SoundFontCheck> outcome;
};

}  // namespace brio
