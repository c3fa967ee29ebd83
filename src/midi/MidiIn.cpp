#include "midi/MidiIn.h"

#include "midi/MidiInputBackend.h"
#include "midi/MidiInputQueue.h"

namespace brio::MidiIn {

namespace {
MidiInputBackend* backend = nullptr;
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

}  // namespace brio::MidiIn
