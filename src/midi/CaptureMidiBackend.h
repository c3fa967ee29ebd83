#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "midi/MidiBackend.h"

namespace brio {

// A MIDI device that keeps every message it receives with the clock's time, for tests and the
// capture build of the program. It lists one device, "Capture"; that device and the mapper are
// both the capture. With a file, each message is also appended to it as "ms;status;data1;data2;"
// and flushed at once.
class CaptureMidiBackend : public MidiBackend {
public:
    struct Message {
        uint32_t time;
        uint8_t status;
        uint8_t data1;
        uint8_t data2;
        bool operator==(const Message&) const = default;
    };

    CaptureMidiBackend() = default;
    // Captures into `filePath` as well (created anew).
    explicit CaptureMidiBackend(const std::string& filePath);
    ~CaptureMidiBackend() override;
    CaptureMidiBackend(const CaptureMidiBackend&) = delete;
    CaptureMidiBackend& operator=(const CaptureMidiBackend&) = delete;

    std::vector<std::string> deviceNames() override { return names; }
    bool open(int device) override;
    void send(uint32_t packed) override;
    // Counts the reset; with a file, also writes it as a port receives it: controllers 123 (all
    // notes off), 120 (all sound off) and 121 (reset all controllers) on each of the 16
    // channels, so the end of a run shows in the file. `messages` keeps only what was sent.
    void reset() override;
    void close() override {
        opened = false;
        ++closes;
    }

    // The device names reported; tests replace them to check the default-device rule.
    std::vector<std::string> names{"Capture"};
    bool refuseOpen = false;  // simulates a device that fails to open
    bool opened = false;
    int openedDevice = -2;
    int resets = 0;
    int closes = 0;
    std::vector<Message> messages;

private:
    std::FILE* file = nullptr;
};

}  // namespace brio
