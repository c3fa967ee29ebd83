#include "platform/SystemMidi.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/SoundFontChoice.h"
#include "platform/SoundFontFile.h"

namespace brio {

SystemMidi::SystemMidi(std::vector<std::string> soundFonts, std::vector<std::string> audioDrivers,
                       std::string sequencerDevice)
    : soundFonts(soundFonts),
      installed(std::move(soundFonts)),
      audioDrivers(std::move(audioDrivers)),
      sequencerDevice(std::move(sequencerDevice)) {}

SystemMidi::~SystemMidi() {
    close();
    if (deferred) deferred->waitUntilSettled();
}

void SystemMidi::preferSoundFont(const std::string& path) {
    if (synthPart) return;  // loaded (or being loaded) already
    const char* fromEnvironment = std::getenv("BRIOLETTA_SOUNDFONT");
    chosenSoundFont = fromEnvironment && *fromEnvironment ? fromEnvironment : path;
    soundFonts = soundFontCandidates(chosenSoundFont, "", installed);
}

std::vector<SoundFontSet> SystemMidi::soundFontSets() {
    std::vector<SoundFontSet> sets;
    for (const KnownSoundFont& set : knownSoundFonts()) sets.push_back({set.name, set.path, set.residentMegabytes});
    return sets;
}

SoundFontCheck SystemMidi::chooseSoundFont(const std::string& path) {
    std::string file = path;
    if (file.empty()) {
        const auto found = std::find_if(installed.begin(), installed.end(),
                                         [](const std::string& p) { return access(p.c_str(), F_OK) == 0; });
        if (found != installed.end()) file = *found;
        else if (!installed.empty()) file = installed.front();
    }
    SoundFontCheck check = inspectSoundFontFile(file);
    if (check.refused()) return check;
    if (!synthPart) {
        // Taken by the first start.
        chosenSoundFont = file;
        soundFonts = soundFontCandidates(file, "", installed);
        return check;
    }
    synthPart->chooseSoundFont(file);
    try {
        if (openPart == Open::synth) deferred->restart();
    } catch (...) {
        // no thread to load on: the next open loads it
    }
    return check;
}

std::optional<SoundFontCheck> SystemMidi::soundFontOutcome() {
    return synthPart ? synthPart->soundFontOutcome() : std::nullopt;
}

DeferredSynth& SystemMidi::deferredSynth() {
    if (!deferred) deferred = std::make_unique<DeferredSynth>(synth(), [this](bool started) { reportStart(started); });
    return *deferred;
}

void SystemMidi::reportStart(bool started) {
    const BuiltInSynth& s = *synthPart;
    if (!started) {
        if (failureReported) return;  // said once: the next attempts fail alike
        failureReported = true;
        std::fprintf(stderr, "%s: %s; playing silent.\n", RtMidiPorts::clientName, s.failure().c_str());
        return;
    }
    if (s.soundFontLoads() == reportedLoads) return;
    if (reportedLoads == 0 && !chosenSoundFont.empty() && s.soundFont() != chosenSoundFont) {
        std::fprintf(stderr, "%s: the SoundFont %s could not be loaded; playing %s instead.\n",
                     RtMidiPorts::clientName, chosenSoundFont.c_str(), s.soundFont().c_str());
    } else {
        std::fprintf(stderr, "%s: playing the SoundFont %s\n", RtMidiPorts::clientName, s.soundFont().c_str());
    }
    reportedLoads = s.soundFontLoads();
}

void SystemMidi::waitForSynth() {
    if (deferred) deferred->waitUntilSettled();
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
    if (device < 0 && openPart == Open::synth) return deferredSynth().open();
    close();
    try {
        if (device >= 0) {
            if (ports().open(device)) openPart = Open::port;
        } else if (deferredSynth().open()) {
            openPart = Open::synth;
        }
    } catch (...) {
        // out of memory while creating a part, or no thread to start it on: nothing opened
    }
    return openPart != Open::none;
}

void SystemMidi::send(uint32_t packed) {
    if (openPart == Open::port) portsPart->send(packed);
    if (openPart == Open::synth) deferred->send(packed);
}

void SystemMidi::reset() {
    if (openPart == Open::port) portsPart->reset();
    if (openPart == Open::synth) deferred->reset();
}

std::string SystemMidi::failure() {
    if (openPart == Open::port) return portsPart->failure();
    if (openPart == Open::synth && synthReady() && synthPart->audioStopped()) {
        return "its audio output through " + synthPart->audioDriver() + " stopped";
    }
    return {};
}

void SystemMidi::close() {
    if (openPart == Open::port) portsPart->close();
    if (openPart == Open::synth) deferred->close();
    openPart = Open::none;
}

}  // namespace brio
