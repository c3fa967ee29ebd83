#include "platform/SystemMidi.h"

namespace brio {

SystemMidi::SystemMidi(std::vector<std::string> soundFonts, std::vector<std::string> audioDrivers,
                       std::string sequencerDevice)
    : soundFonts(std::move(soundFonts)),
      audioDrivers(std::move(audioDrivers)),
      sequencerDevice(std::move(sequencerDevice)) {}

SystemMidi::~SystemMidi() {
    close();
}

RtMidiPorts& SystemMidi::ports() {
    if (!portsPart) portsPart = std::make_unique<RtMidiPorts>(sequencerDevice);
    return *portsPart;
}

BuiltInSynth& SystemMidi::synth() {
    if (!synthPart) synthPart = std::make_unique<BuiltInSynth>(soundFonts, audioDrivers);
    return *synthPart;
}

std::vector<std::string> SystemMidi::deviceNames() {
    try {
        return ports().portNames();
    } catch (...) {
        return {};  // out of memory: no devices
    }
}

bool SystemMidi::open(int device) {
    // The synthesizer opened again keeps its audio output and is only reset to power-on.
    if (device < 0 && openPart == Open::synth) {
        if (synthPart->open()) return true;
        openPart = Open::none;
        return false;
    }
    close();
    try {
        if (device >= 0) {
            if (ports().open(device)) openPart = Open::port;
        } else if (synth().open()) {
            openPart = Open::synth;
        }
    } catch (...) {
        // out of memory while creating a part: nothing opened
    }
    return openPart != Open::none;
}

void SystemMidi::send(uint32_t packed) {
    if (openPart == Open::port) portsPart->send(packed);
    if (openPart == Open::synth) synthPart->send(packed);
}

void SystemMidi::reset() {
    if (openPart == Open::port) portsPart->reset();
    if (openPart == Open::synth) synthPart->reset();
}

void SystemMidi::close() {
    if (openPart == Open::port) portsPart->close();
    if (openPart == Open::synth) synthPart->close();
    openPart = Open::none;
}

}  // namespace brio
