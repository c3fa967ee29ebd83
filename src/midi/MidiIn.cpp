#include "midi/MidiIn.h"

#include "foundation/Clock.h"
#include "midi/MidiInputBackend.h"
#include "midi/MidiInputQueue.h"

namespace brio::MidiIn {

namespace {
MidiInputBackend* backend = nullptr;
uint32_t lastWatch = 0;
}  // namespace

MidiInputQueue& queue() {
    static MidiInputQueue instance;
    return instance;
}

void installBackend(MidiInputBackend* newBackend) {
    if (backend) backend->stop();
    backend = newBackend;
    if (backend) backend->start(queue());
}

void listDevices(Text_& list) {
    list.clear();
    if (!backend) return;
    for (const std::string& name : backend->deviceNames()) list.append(name);
}

bool open(int device) { return backend && backend->connect(device); }

std::string watch() {
    if (!backend) return {};
    const uint32_t now = systemClock().milliseconds();
    if (now - lastWatch < watchIntervalMs) return {};
    lastWatch = now;
    std::string gone = backend->vanishedDevice();
    if (!gone.empty()) backend->connect(MidiInputBackend::noDevice);
    return gone;
}

}  // namespace brio::MidiIn
