#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/MidiBackend.h"
#include "platform/BuiltInSynth.h"
#include "platform/RtMidiPorts.h"

namespace brio {

// The system's MIDI output: devices 0..n-1 are the output ports, the mapper (-1) is the
// built-in synthesizer, started on a thread of its own (nobody waits for its SoundFont or its
// audio server; what is sent meanwhile plays the moment it is ready). Each part is created on
// first use and kept for the run; the SoundFont is loaded once, and again only when the user
// chooses another. Never throws.
class SystemMidi : public MidiBackend {
public:
    explicit SystemMidi(std::vector<std::string> soundFonts = BuiltInSynth::defaultSoundFonts(),
                        std::vector<std::string> audioDrivers = BuiltInSynth::defaultAudioDrivers(),
                        std::string sequencerDevice = RtMidiPorts::defaultSequencer);
    ~SystemMidi() override;

    std::vector<std::string> deviceNames() override;
    // Closes the open device, then opens port `device` or, for -1, the built-in synthesizer
    // (true at once: it starts in the background); the synthesizer that is open already is
    // reset in place, keeping its audio output.
    bool open(int device) override;
    // The SoundFont the user chose (the environment's BRIOLETTA_SOUNDFONT wins over it), tried
    // before the installed ones; only before the synthesizer first starts.
    void preferSoundFont(const std::string& path) override;
    // The known General MIDI sets (SoundFontChoice).
    std::vector<SoundFontSet> soundFontSets() override;
    // A file that passes inspectSoundFontFile is loaded at once, on the synthesizer's thread,
    // when the synthesizer plays, else at its next start; the environment's choice no longer
    // counts. "" chooses the best installed set.
    SoundFontCheck chooseSoundFont(const std::string& path) override;
    std::optional<SoundFontCheck> soundFontOutcome() override;
    // Blocks until the synthesizer's start has ended (tests).
    void waitForSynth();
    bool synthReady() const { return deferred && deferred->state() == DeferredSynth::State::ready; }
    void send(uint32_t packed) override;
    void reset() override;
    void close() override;
    // The open port went away or refuses messages; the synthesizer's audio output stopped.
    std::string failure() override;

private:
    RtMidiPorts& ports();
    BuiltInSynth& synth();
    DeferredSynth& deferredSynth();
    // The outcome of a start, told once on standard error (run on the starting thread).
    void reportStart(bool started);

    std::vector<std::string> soundFonts;
    std::vector<std::string> installed;
    std::string chosenSoundFont;  // by the user before the first start, "" for none
    bool failureReported = false;
    int reportedLoads = 0;  // the loads told on standard error
    std::vector<std::string> audioDrivers;
    std::string sequencerDevice;
    std::unique_ptr<RtMidiPorts> portsPart;
    std::unique_ptr<BuiltInSynth> synthPart;
    std::unique_ptr<DeferredSynth> deferred;  // declared after the synth: it goes first
    enum class Open { none, port, synth } openPart = Open::none;
};

}  // namespace brio
