#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "midi/SoundFontCheck.h"
#include "midi/SoundFontSet.h"

namespace brio {

// The system's MIDI output service as the MIDI layer needs it: count and name the output
// devices, open one by number or the mapper, send packed short messages, reset and close.
class MidiBackend {
public:
    static constexpr int mapperDevice = -1;

    virtual ~MidiBackend() = default;
    // The product names of the output devices, in device-number order.
    virtual std::vector<std::string> deviceNames() = 0;
    // Opens device `device` (0..count-1) or the mapper (-1); false when it cannot be opened.
    virtual bool open(int device) = 0;
    // Sends one short message packed as status | data1 << 8 | data2 << 16.
    virtual void send(uint32_t packed) = 0;
    // Ends every note and resets the controllers of the open device.
    virtual void reset() = 0;
    virtual void close() = 0;
    // A SoundFont the user prefers for a built-in synthesizer; ignored by other devices.
    virtual void preferSoundFont(const std::string& /*path*/) {}
    // The General MIDI sets a built-in synthesizer knows, installed or not; none by default.
    virtual std::vector<SoundFontSet> soundFontSets() { return {}; }
    // The user chose `path` ("" the best installed) for a built-in synthesizer, to play from
    // now on. Quick: a file refused at sight comes back refused, the set in use kept; otherwise
    // it loads in the background and soundFontOutcome() tells what came of it.
    virtual SoundFontCheck chooseSoundFont(const std::string& path) {
        preferSoundFont(path);
        return SoundFontCheck::of(path);
    }
    // What came of the last accepted choice, once, when its load has ended.
    virtual std::optional<SoundFontCheck> soundFontOutcome() { return std::nullopt; }
    // Why the open device stopped working, in words ("" while it works): the port went away,
    // its messages are refused, the audio output died. Asked a few times a second; the next
    // open that succeeds starts afresh.
    virtual std::string failure() { return {}; }
};

}  // namespace brio
