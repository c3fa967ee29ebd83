#pragma once

#include <string>
#include <vector>

#include "midi/MidiInputBackend.h"
#include "midi/MidiInputQueue.h"

namespace brio::test {

// An input service with named devices; the test pushes into the queue it was started with.
struct FakeMidiInput : MidiInputBackend {
    std::vector<std::string> deviceNames() override { return names; }
    bool start(MidiInputQueue& target) override {
        queue = &target;
        return true;
    }
    bool connect(int device) override {
        if (device >= int(names.size())) return false;
        connected = device;
        ++connects;
        return true;
    }
    void stop() override { queue = nullptr; }
    std::string vanishedDevice() override {
        return unplugged && connected != noDevice ? names[size_t(connected)] : std::string();
    }

    std::vector<std::string> names;
    MidiInputQueue* queue = nullptr;
    int connected = noDevice;
    int connects = 0;
    bool unplugged = false;  // the connected device has gone
};

}  // namespace brio::test
