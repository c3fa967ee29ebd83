#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/MidiBackend.h"
#include "platform/BuiltInSynth.h"
#include "platform/RtMidiPorts.h"

namespace brio {

// The system's MIDI output: devices 0..n-1 are the output ports, the mapper (-1) is the
// built-in synthesizer. Each part is created on first use and kept for the run, so the
// SoundFont is loaded at most once. Never throws.
class SystemMidi : public MidiBackend {
public:
    explicit SystemMidi(std::vector<std::string> soundFonts = BuiltInSynth::defaultSoundFonts(),
                        std::vector<std::string> audioDrivers = BuiltInSynth::defaultAudioDrivers(),
                        std::string sequencerDevice = RtMidiPorts::defaultSequencer);
    ~SystemMidi() override;

    std::vector<std::string> deviceNames() override;
    // Closes the open device, then opens port `device` or, for -1, the built-in synthesizer;
    // the synthesizer that is open already is reset in place, keeping its audio output.
    bool open(int device) override;
    void send(uint32_t packed) override;
    void reset() override;
    void close() override;

private:
    RtMidiPorts& ports();
    BuiltInSynth& synth();

    std::vector<std::string> soundFonts;
    std::vector<std::string> audioDrivers;
    std::string sequencerDevice;
    std::unique_ptr<RtMidiPorts> portsPart;
    std::unique_ptr<BuiltInSynth> synthPart;
    enum class Open { none, port, synth } openPart = Open::none;
};

}  // namespace brio
