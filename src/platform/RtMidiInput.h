#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "midi/MidiInputBackend.h"
#include "midi/MidiInputQueue.h"
#include "platform/RtMidiPorts.h"

class RtMidiIn;

namespace brio {

// MIDI input through the ALSA sequencer: the program's own port "Keyboard In" (client
// "Brioletta"), which other programs and devices connect to, and the chosen input port of the
// system, each heard by an RtMidi client of its own. Their threads put every channel message
// into the queue. Without a sequencer it says so once on standard error, lists nothing and
// opens nothing. Never throws.
class RtMidiInput : public MidiInputBackend {
public:
    static constexpr const char* ownPortName = "Keyboard In";
    static constexpr const char* devicePortName = "Chosen device";

    explicit RtMidiInput(std::string sequencerDevice = RtMidiPorts::defaultSequencer);
    ~RtMidiInput() override;
    RtMidiInput(const RtMidiInput&) = delete;
    RtMidiInput& operator=(const RtMidiInput&) = delete;

    std::vector<std::string> deviceNames() override;
    bool start(MidiInputQueue& queue) override;
    bool connect(int device) override;
    void stop() override;
    std::string vanishedDevice() override;

    // The bytes of one incoming message packed as status | data1 << 8 | data2 << 16; false for
    // anything that is not a whole channel message (system messages, stray data bytes).
    static bool pack(const unsigned char* bytes, size_t length, uint32_t& packed);

    // Where a listener's messages go, and which input they are marked as.
    struct Feed {
        MidiInputQueue* queue;
        uint32_t source;
    };

private:
    bool sequencerPresent();
    std::unique_ptr<RtMidiIn> makeListener(Feed& feed);

    std::string sequencerDevice;
    bool absenceReported = false;
    Feed ownFeed{nullptr, MidiInputQueue::ownPort};
    Feed deviceFeed{nullptr, MidiInputQueue::device};
    std::unique_ptr<RtMidiIn> ownPort;     // also lists the system's ports
    std::unique_ptr<RtMidiIn> devicePort;  // connected to the chosen device
    std::string deviceName;                // its name, while connected
    std::vector<std::string> listing;      // names as last listed
};

}  // namespace brio
