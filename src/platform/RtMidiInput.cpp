#include "platform/RtMidiInput.h"

#include <unistd.h>

#include <cstdio>

#include "midi/MidiInputQueue.h"
#include "platform/RtMidiClient.h"

namespace brio {

namespace {

// On RtMidi's thread: one message into the queue, marked with its port (a full queue drops it).
void received(double /*deltaSeconds*/, std::vector<unsigned char>* message, void* target) {
    uint32_t packed = 0;
    const auto* feed = static_cast<const RtMidiInput::Feed*>(target);
    if (message && RtMidiInput::pack(message->data(), message->size(), packed))
        feed->queue->push(packed | feed->source << MidiInputQueue::sourceShift);
}

}  // namespace

RtMidiInput::RtMidiInput(std::string sequencerDevice) : sequencerDevice(std::move(sequencerDevice)) {}

RtMidiInput::~RtMidiInput() { stop(); }

bool RtMidiInput::pack(const unsigned char* bytes, size_t length, uint32_t& packed) {
    if (length == 0) return false;
    const int needed = RtMidiPorts::messageLength(bytes[0]);
    if (needed == 0 || length < size_t(needed)) return false;
    for (int i = 1; i < needed; ++i) {
        if (bytes[i] & 0x80) return false;
    }
    packed = bytes[0] | (needed > 1 ? uint32_t(bytes[1]) << 8 : 0) | (needed > 2 ? uint32_t(bytes[2]) << 16 : 0);
    return true;
}

bool RtMidiInput::sequencerPresent() {
    if (access(sequencerDevice.c_str(), R_OK | W_OK) == 0) return true;
    if (!absenceReported) {
        absenceReported = true;
        std::fprintf(stderr, "%s: no ALSA sequencer (%s): no MIDI input and no output port of its own.\n",
                     RtMidiPorts::clientName, sequencerDevice.c_str());
    }
    return false;
}

// A listener that hands channel messages to the queue; nullptr when the sequencer refuses.
std::unique_ptr<RtMidiIn> RtMidiInput::makeListener(Feed& feed) {
    RtMidiPorts::silenceAlsaLibrary();
    auto listener = makeRtMidiClient<RtMidiIn>(RtMidi::LINUX_ALSA, RtMidiPorts::clientName);
    if (!listener) return nullptr;
    try {
        listener->ignoreTypes(true, true, true);  // system exclusive, timing, active sensing
        listener->setCallback(received, &feed);
    } catch (...) {
        return nullptr;
    }
    return listener;
}

bool RtMidiInput::start(MidiInputQueue& target) {
    stop();
    ownFeed.queue = &target;
    deviceFeed.queue = &target;
    if (!sequencerPresent()) return false;
    ownPort = makeListener(ownFeed);
    if (!ownPort) return false;
    try {
        ownPort->openVirtualPort(ownPortName);
    } catch (...) {
        ownPort.reset();
        return false;
    }
    return true;
}

std::vector<std::string> RtMidiInput::deviceNames() {
    listing.clear();
    if (!ownPort) return listing;
    for (std::string& name : rtMidiPortNames(*ownPort)) {
        if (!isOwnPort(name, RtMidiPorts::clientName)) listing.push_back(std::move(name));
    }
    return listing;
}

bool RtMidiInput::connect(int device) {
    devicePort.reset();  // closes its port and ends its thread
    if (device == noDevice) return true;
    if (!ownPort || device < 0) return false;
    if (listing.empty()) deviceNames();
    if (size_t(device) >= listing.size()) return false;
    const int index = rtMidiPortIndex(*ownPort, listing[size_t(device)]);
    if (index < 0) return false;
    devicePort = makeListener(deviceFeed);
    if (!devicePort) return false;
    try {
        devicePort->openPort(unsigned(index), devicePortName);
        if (devicePort->isPortOpen()) {
            deviceName = listing[size_t(device)];
            return true;
        }
    } catch (...) {
    }
    devicePort.reset();
    return false;
}

std::string RtMidiInput::vanishedDevice() {
    if (!devicePort || !ownPort || rtMidiPortIndex(*ownPort, deviceName) >= 0) return {};
    return deviceName;
}

void RtMidiInput::stop() {
    devicePort.reset();
    ownPort.reset();
}

}  // namespace brio
