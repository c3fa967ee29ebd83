#include "platform/RtMidiPorts.h"

#include <alsa/asoundlib.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <mutex>

#include "platform/RtMidiClient.h"

namespace brio {

namespace {

constexpr int channelCount = 16;
constexpr uint8_t controlChange = 0xB0;
constexpr uint8_t allSoundOff = 120;
constexpr uint8_t resetAllControllers = 121;
constexpr uint8_t allNotesOff = 123;

bool exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void RtMidiPorts::silenceAlsaLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        // The ALSA library otherwise prints its own errors (no sequencer, no sound card).
        snd_lib_error_set_handler(ignoreAlsaError);
    });
}

void RtMidiPorts::ignoreBrokenPipes() {
    static std::once_flag once;
    std::call_once(once, [] { signal(SIGPIPE, SIG_IGN); });
}

RtMidiPorts::RtMidiPorts(std::string sequencerDevice, bool useJack)
    : sequencerDevice(std::move(sequencerDevice)), useJack(useJack) {}

RtMidiPorts::~RtMidiPorts() {
    close();
}

int RtMidiPorts::messageLength(uint8_t status) {
    if (status < 0x80 || status >= 0xF0) return 0;
    const uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
}

bool RtMidiPorts::jackServerRunning() {
    const char* named = getenv("JACK_DEFAULT_SERVER");
    const std::string server = (named != nullptr && *named != '\0') ? named : "default";
    const std::string uid = std::to_string(getuid());
    // JACK 2 keeps a request socket per server and user; JACK 1 a folder per user and server.
    return exists("/dev/shm/jack_" + server + "_" + uid + "_0") ||
           exists("/dev/shm/jack-" + uid + "/" + server);
}

RtMidiOut* RtMidiPorts::alsa() {
    // Without the sequencer device, ALSA would print its own error before RtMidi throws.
    if (!alsaClient && access(sequencerDevice.c_str(), R_OK | W_OK) == 0) {
        silenceAlsaLibrary();
        alsaClient = watched(makeRtMidiClient<RtMidiOut>(RtMidi::LINUX_ALSA, clientName));
    }
    return alsaClient.get();
}

RtMidiOut* RtMidiPorts::jack() {
    // Only with a server: the JACK library prints to stderr when it finds none. One attempt
    // per run: a failed one leaves a little memory behind in the library.
    if (!jackTried && useJack && jackServerRunning()) {
        jackTried = true;
        ignoreBrokenPipes();
        jackClient = watched(makeRtMidiClient<RtMidiOut>(RtMidi::UNIX_JACK, jackClientName));
    }
    return jackClient.get();
}

std::vector<std::string> RtMidiPorts::portNames() {
    listing.clear();
    for (RtMidiOut* client : {alsa(), jack()}) {
        if (client == nullptr) continue;
        for (std::string& name : rtMidiPortNames(*client)) {
            if (isOwnPort(name, clientName) || isOwnPort(name, jackClientName)) continue;
            listing.push_back({client, std::move(name)});
        }
    }
    // The program's own output port comes last, so the system's ports keep their numbers.
    if (alsa() != nullptr) listing.push_back({nullptr, ownPortEntry});
    listed = true;
    std::vector<std::string> names;
    names.reserve(listing.size());
    for (const ListedPort& port : listing) names.push_back(port.name);
    return names;
}

bool RtMidiPorts::open(int port) {
    close();
    if (!listed) portNames();
    if (port < 0 || port >= static_cast<int>(listing.size())) return false;
    if (listing[size_t(port)].client == nullptr) return openOwnPort();
    // Ports are found again by name: the numbering may have shifted since the listing.
    RtMidiOut* client = listing[size_t(port)].client;
    const int index = rtMidiPortIndex(*client, listing[size_t(port)].name);
    if (index < 0) return false;
    try {
        client->openPort(unsigned(index), client == jackClient.get() ? jackPortName : clientName);
        if (!client->isPortOpen()) return false;
    } catch (...) {
        return false;
    }
    openClient = client;
    openName = listing[size_t(port)].name;
    refusalsInARow = 0;
    return true;
}

// A client of its own, made once and kept for the run: the connections that other programs
// make to the port survive a change of device and back.
bool RtMidiPorts::openOwnPort() {
    if (!ownPortClient) {
        ownPortClient = watched(makeRtMidiClient<RtMidiOut>(RtMidi::LINUX_ALSA, clientName));
        if (!ownPortClient) return false;
        try {
            ownPortClient->openVirtualPort(ownPortName);
        } catch (...) {
            ownPortClient.reset();
            return false;
        }
    }
    openClient = ownPortClient.get();
    openName.clear();  // the own port is there as long as the program runs
    refusalsInARow = 0;
    return true;
}

bool RtMidiPorts::isOpen() const {
    return openClient != nullptr;
}

void RtMidiPorts::sendBytes(const unsigned char* bytes, int length) {
    if (openClient == nullptr || length <= 0) return;
    sending = true;
    refusedNow = false;
    try {
        openClient->sendMessage(bytes, size_t(length));
    } catch (...) {
        refusedNow = true;
    }
    sending = false;
    refusalsInARow = refusedNow ? refusalsInARow + 1 : 0;
}

void RtMidiPorts::noteError(RtMidiError::Type, const std::string&, void* ports) {
    auto* self = static_cast<RtMidiPorts*>(ports);
    if (self->sending) self->refusedNow = true;
}

std::unique_ptr<RtMidiOut> RtMidiPorts::watched(std::unique_ptr<RtMidiOut> client) {
    if (client) client->setErrorCallback(noteError, this);
    return client;
}

std::string RtMidiPorts::failure() {
    if (openClient == nullptr) return {};
    if (refusalsInARow >= refusalsToFail) return "the port refuses messages";
    if (openName.empty()) return {};
    return rtMidiPortIndex(*openClient, openName) < 0 ? "the port went away" : std::string();
}

void RtMidiPorts::send(uint32_t packed) {
    const auto status = static_cast<unsigned char>(packed & 0xFF);
    // Exact lengths matter: ALSA would read a third byte after a program change as a second
    // program change (running status).
    const unsigned char bytes[3] = {status, static_cast<unsigned char>((packed >> 8) & 0x7F),
                                    static_cast<unsigned char>((packed >> 16) & 0x7F)};
    sendBytes(bytes, messageLength(status));
}

void RtMidiPorts::reset() {
    if (openClient == nullptr) return;
    for (int channel = 0; channel < channelCount; ++channel) {
        const auto status = static_cast<unsigned char>(controlChange + channel);
        for (unsigned char controller : {allNotesOff, allSoundOff, resetAllControllers}) {
            const unsigned char bytes[3] = {status, controller, 0};
            sendBytes(bytes, 3);
        }
    }
}

void RtMidiPorts::close() {
    if (openClient == nullptr) return;
    if (openClient == ownPortClient.get()) {
        openClient = nullptr;  // the port stays, connected as the user left it
        return;
    }
    try {
        openClient->closePort();
    } catch (...) {
        // closing a port that vanished: nothing left to release
    }
    openClient = nullptr;
}

}  // namespace brio
