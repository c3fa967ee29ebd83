#pragma once

#include <string>
#include <vector>

namespace brio {

class MidiInputQueue;

// The system's MIDI input service as the MIDI layer needs it: the program's own input port,
// which other programs and devices connect to, and one input port of the system connected to
// it by number. Messages arrive on the service's own threads and go into the queue.
class MidiInputBackend {
public:
    static constexpr int noDevice = -1;

    virtual ~MidiInputBackend() = default;
    // The names of the system's input ports (the program's own left out), in number order.
    virtual std::vector<std::string> deviceNames() = 0;
    // Opens the program's own port, feeding `queue`; false when there is no MIDI input service.
    virtual bool start(MidiInputQueue& queue) = 0;
    // Listens to port `device` as well (noDevice: to none); false when it cannot be opened.
    virtual bool connect(int device) = 0;
    // Closes every port; nothing arrives after it returns.
    virtual void stop() = 0;
    // The name of the port connected by connect() when it has gone since (unplugged, its
    // program ended), else "". Asked a few times a second.
    virtual std::string vanishedDevice() { return {}; }
};

}  // namespace brio
