#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <rtmidi/RtMidi.h>

namespace brio {

// MIDI output ports of the system: the ALSA sequencer's writable ports, followed by the MIDI
// inputs of a JACK server when one runs, and last the program's own output port (a port of
// the sequencer that other programs read from). Port k is entry k of the last listing. No
// sequencer device means no ALSA ports and no own port; nothing here throws or writes to stderr.
class RtMidiPorts {
public:
    static constexpr const char* clientName = "Brioletta";
    // On a JACK server the program's audio output is the client called clientName; its MIDI
    // client is this one, and the port it plays a device through is "<jackClientName>:out".
    static constexpr const char* jackClientName = "Brioletta MIDI";
    static constexpr const char* jackPortName = "out";
    static constexpr const char* defaultSequencer = "/dev/snd/seq";
    // The own output port: its entry in the device list and its name on the sequencer.
    static constexpr const char* ownPortEntry = "Brioletta output port";
    static constexpr const char* ownPortName = "Keyboard Out";

    // `sequencerDevice` is the file whose absence means there is no ALSA sequencer; `useJack`
    // lets the JACK server's ports be listed when its socket is found.
    explicit RtMidiPorts(std::string sequencerDevice = defaultSequencer, bool useJack = true);
    ~RtMidiPorts();
    RtMidiPorts(const RtMidiPorts&) = delete;
    RtMidiPorts& operator=(const RtMidiPorts&) = delete;

    // Lists the ports again and returns their names.
    std::vector<std::string> portNames();
    // Opens port `port` of the last listing (listing first if there was none); false when the
    // port has gone since, or cannot be connected. Closes the open port first.
    bool open(int port);
    bool isOpen() const;
    // Sends a packed channel message (status | data1 << 8 | data2 << 16) to the open port.
    void send(uint32_t packed);
    // All notes off, all sound off and reset all controllers on the 16 channels.
    void reset();
    void close();
    // Why the open port stopped working ("" while it works): the service refused every one of
    // the last refusalsToFail messages, or the port is no longer listed (its device was
    // unplugged, its program ended). A single refusal is no failure: the sequencer's queue may
    // be full for a moment when much is sent to a slow port.
    static constexpr int refusalsToFail = 256;
    std::string failure();

    // Bytes of a channel message with this status byte: 3, 2 (program change, channel
    // pressure), or 0 for anything that is not a channel message.
    static int messageLength(uint8_t status);
    // Whether a JACK server's request socket (or server folder) exists for this user.
    static bool jackServerRunning();
    // Sends the ALSA library's own error reports nowhere (process-wide): a machine without
    // sound hardware would otherwise get a page of them at every attempt to open a device.
    static void silenceAlsaLibrary();
    // Ignores SIGPIPE (process-wide): the JACK library writes to its server's socket unguarded,
    // and a server that dies would otherwise end the program instead of failing the write.
    static void ignoreBrokenPipes();

private:
    struct ListedPort {
        RtMidiOut* client;  // nullptr for the own port
        std::string name;
    };

    // The client of each service, made on first use; nullptr when the service is missing.
    RtMidiOut* alsa();
    RtMidiOut* jack();
    bool openOwnPort();
    void sendBytes(const unsigned char* bytes, int length);
    // Installed on every client: an error while sending marks the open port as refusing.
    static void noteError(RtMidiError::Type type, const std::string& text, void* ports);
    std::unique_ptr<RtMidiOut> watched(std::unique_ptr<RtMidiOut> client);

    std::string sequencerDevice;
    bool useJack;
    std::unique_ptr<RtMidiOut> alsaClient;
    std::unique_ptr<RtMidiOut> jackClient;
    std::unique_ptr<RtMidiOut> ownPortClient;  // made on the first open of the own port
    bool jackTried = false;
    bool listed = false;
    std::vector<ListedPort> listing;
    RtMidiOut* openClient = nullptr;
    std::string openName;  // the open port's name as listed
    bool sending = false;
    bool refusedNow = false;     // the message being sent was refused
    int refusalsInARow = 0;
};

}  // namespace brio
