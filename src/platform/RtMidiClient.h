#pragma once

#include <rtmidi/RtMidi.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>

namespace brio {

// RtMidi reports errors through this callback instead of printing them and throwing; a failure
// shows in the result (no port open, nothing listed), so the text is not needed.
inline void ignoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

// A client of `api` named `clientName` with its error callback installed, or nullptr when the
// service refuses. RtMidi reports a failing constructor on std::cerr, before any callback can
// be installed: that report is caught, and a client that reported anything is not used (a JACK
// client without a server stays half made).
template <typename Client>
std::unique_ptr<Client> makeRtMidiClient(RtMidi::Api api, const char* clientName) {
    std::ostringstream report;
    std::streambuf* const cerrBuffer = std::cerr.rdbuf(report.rdbuf());
    std::unique_ptr<Client> client;
    try {
        client = std::make_unique<Client>(api, clientName);
        client->setErrorCallback(ignoreRtMidiError, nullptr);
    } catch (...) {
        client.reset();
    }
    std::cerr.rdbuf(cerrBuffer);
    if (!report.str().empty()) client.reset();
    return client;
}

// Whether a listed port name is one of the program's own ports (its client is called
// `clientName`, in this copy or another): never a device to play on or listen to, it would
// only echo what the program sends.
inline bool isOwnPort(const std::string& name, const char* clientName) {
    return name.starts_with(clientName) && name.size() > std::strlen(clientName) && name[std::strlen(clientName)] == ':';
}

// The names of the ports `client` lists; what a failing service gave before it failed.
template <typename Client>
std::vector<std::string> rtMidiPortNames(Client& client) {
    std::vector<std::string> names;
    try {
        const unsigned count = client.getPortCount();
        for (unsigned i = 0; i < count; ++i) names.push_back(client.getPortName(i));
    } catch (...) {
    }
    return names;
}

// The current index of the port of `client` called `name`, or -1 when it is gone (ports are
// found again by name: the numbering shifts as devices come and go).
template <typename Client>
int rtMidiPortIndex(Client& client, const std::string& name) {
    const std::vector<std::string> names = rtMidiPortNames(client);
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace brio
