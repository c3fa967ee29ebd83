#include "midi/MidiOut.h"

#include <algorithm>
#include <set>

#include "foundation/Clock.h"
#include "midi/MidiBackend.h"
#include "midi/Recorder.h"

namespace brio::MidiOut {

namespace {

MidiBackend* backend = nullptr;
bool deviceOpen = false;    // open as far as the program's players know
bool deviceFailed = false;  // ...but it stopped working: nothing reaches it
int openDevice = 0;         // the device number that is open, while deviceOpen
std::string openName;
std::set<std::string> failedDevices;  // by name: they may hold notes whose releases they missed
uint32_t lastWatch = 0;
bool watched = false;

constexpr const char* mapperName = "Midi Mapper";

constexpr uint8_t controlChange = 0xB0;
constexpr uint8_t noteOnStatus = 0x90;
constexpr uint8_t programChangeStatus = 0xC0;
constexpr uint8_t volumeController = 7;
constexpr uint8_t panController = 10;
constexpr uint8_t portamentoTimeController = 5;
constexpr uint8_t sustainController = 64;
constexpr uint8_t portamentoController = 65;
constexpr uint8_t allNotesOffController = 123;

bool validChannel(int channel) { return channel >= 0 && channel <= 15; }
bool validData(int value) { return value >= 0 && value <= 127; }

void sendChecked(uint8_t status, int channel, int data1, int data2) {
    if (!validChannel(channel) || !validData(data1) || !validData(data2)) return;
    send(uint8_t(status + channel), uint8_t(data1), uint8_t(data2));
}

// During playback only the recording itself reaches the device, and its volumes are scaled.
bool passesPlaybackGate(uint8_t status, uint8_t data1, uint8_t& data2) {
    Recorder& rec = recorder();
    if (rec.state != Recorder::State::playing) return true;
    if (!rec.pumping && !rec.rescaling) return false;
    if ((status & 0xF0) == controlChange && data1 == volumeController) {
        if (!rec.rescaling) rec.channelVolume[status & 0x0F] = data2;
        // Saturates before the conversion: any factor (even one never clamped) stays a MIDI value.
        const double scaled = data2 * rec.playbackVolume;
        data2 = scaled >= 0.0 ? uint8_t(std::min(scaled, 127.0)) : 0;
    }
    return true;
}

}  // namespace

void installBackend(MidiBackend* newBackend) {
    close();
    backend = newBackend;
    failedDevices.clear();
}

void listDevices(Text_& list) {
    list.clear();
    if (!backend) return;
    for (const std::string& name : backend->deviceNames()) list.append(name);
}

int defaultDevice() {
    Text_ names;
    listDevices(names);
    for (const char* wanted : {"Microsoft", "MS", "GS"}) {
        for (int device = 0; device < names.count(); ++device) {
            if (names.getConst(device).find(wanted) != std::string::npos) return device;
        }
    }
    return MidiBackend::mapperDevice;
}

// The name the device is listed under now (asked only when another device opens: listing may
// mean asking the system).
std::string nameOf(int device) {
    if (device < 0 || !backend) return mapperName;
    const std::vector<std::string> names = backend->deviceNames();
    return device < static_cast<int>(names.size()) ? names[size_t(device)] : std::string();
}

bool open(int device) {
    if (deviceOpen && !deviceFailed && device == openDevice) {
        // The same device again is reset in place: the backend keeps what it can open only
        // slowly (the built-in synthesizer its audio output), so there is no audible gap.
        backend->reset();
    } else {
        close();
        openName = nameOf(device);
    }
    deviceOpen = backend && backend->open(device);
    deviceFailed = false;
    watched = false;
    openDevice = device;
    if (deviceOpen && failedDevices.erase(openName) > 0) backend->reset();
    return deviceOpen;
}

bool isOpen() { return deviceOpen && !deviceFailed; }

const std::string& deviceName() { return openName; }

std::string watch() {
    if (!deviceOpen || deviceFailed) return {};
    const uint32_t now = systemClock().milliseconds();
    if (watched && now - lastWatch < watchIntervalMs) return {};
    watched = true;
    lastWatch = now;
    std::string why = backend->failure();
    if (why.empty()) return {};
    deviceFailed = true;
    failedDevices.insert(openName);
    backend->close();
    return why;
}

void reset() {
    if (isOpen()) backend->reset();
}

void preferSoundFont(const std::string& path) {
    if (backend) backend->preferSoundFont(path);
}

std::vector<SoundFontSet> soundFontSets() { return backend ? backend->soundFontSets() : std::vector<SoundFontSet>{}; }

SoundFontCheck chooseSoundFont(const std::string& path) {
    return backend ? backend->chooseSoundFont(path) : SoundFontCheck::of(path);
}

std::optional<SoundFontCheck> soundFontOutcome() {
    return backend ? backend->soundFontOutcome() : std::nullopt;
}

void close() {
    if (!deviceOpen) return;
    // A failed device was closed when it failed.
    if (!deviceFailed) {
        backend->reset();
        backend->close();
    }
    deviceOpen = false;
    deviceFailed = false;
}

void send(uint8_t status, uint8_t data1, uint8_t data2) {
    if (!deviceOpen) return;
    if (!passesPlaybackGate(status, data1, data2)) return;
    Recorder& rec = recorder();
    const uint32_t time = rec.state == Recorder::State::idle ? 0 : rec.elapsed();
    rec.record(MidiEvent{time, status, data1, data2});
    if (!deviceFailed) backend->send(uint32_t(status) | uint32_t(data1) << 8 | uint32_t(data2) << 16);
}

void programChange(int program, int channel) { sendChecked(programChangeStatus, channel, program, 0); }
void setVolume(int value, int channel) { sendChecked(controlChange, channel, volumeController, value); }
void setPan(int value, int channel) { sendChecked(controlChange, channel, panController, value); }
void setPortamento(int time, int channel) {
    if (time > 0) {  // the time in ms as the 14-bit pair of the portamento time controllers
        sendChecked(controlChange, channel, portamentoTimeController, std::min(time, 16383) >> 7);
        sendChecked(controlChange, channel, portamentoTimeController + 32, std::min(time, 16383) & 127);
    }
    sendChecked(controlChange, channel, portamentoController, time > 0 ? 127 : 0);
}
void noteOn(int note, int velocity, int channel) { sendChecked(noteOnStatus, channel, note, velocity); }
void setSustain(bool on, int channel) {
    sendChecked(controlChange, channel, sustainController, on ? 127 : 0);
}
void allNotesOff(int channel) { sendChecked(controlChange, channel, allNotesOffController, 0); }

}  // namespace brio::MidiOut
