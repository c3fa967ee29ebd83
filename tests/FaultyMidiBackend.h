#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "midi/CaptureMidiBackend.h"

namespace brio::test {

// A capture device that fails on demand as real ones do, and that remembers which notes it
// sounds, as a synthesizer would: a note whose release it missed keeps sounding until it is
// released or reset, also after the device was away and came back.
class FaultyMidiBackend : public CaptureMidiBackend {
public:
    enum class Fault { none, refusesOpen, refusesMessages, unplugged, audioDied };

    std::vector<std::string> deviceNames() override {
        return fault == Fault::unplugged ? std::vector<std::string>{} : names;
    }
    bool open(int device) override {
        if (fault == Fault::refusesOpen || fault == Fault::unplugged) return false;
        return CaptureMidiBackend::open(device);
    }
    void send(uint32_t packed) override {
        if (fault != Fault::none) return;  // nothing arrives
        CaptureMidiBackend::send(packed);
        play(uint8_t(packed), uint8_t(packed >> 8), uint8_t(packed >> 16));
    }
    void reset() override {
        CaptureMidiBackend::reset();
        if (fault == Fault::none) sounding.clear();
    }
    std::string failure() override {
        switch (fault) {
            case Fault::refusesMessages: return "the port refuses messages";
            case Fault::unplugged: return "the port went away";
            case Fault::audioDied: return "its audio output stopped";
            default: return {};
        }
    }

    Fault fault = Fault::none;
    std::set<std::pair<int, int>> sounding;  // (channel, note)

private:
    void play(uint8_t status, uint8_t data1, uint8_t data2) {
        const int channel = status & 0x0F;
        const int kind = status & 0xF0;
        if (kind == 0x90 && data2 > 0) sounding.insert({channel, data1});
        if (kind == 0x80 || (kind == 0x90 && data2 == 0)) sounding.erase({channel, data1});
        if (kind == 0xB0 && (data1 == 123 || data1 == 120)) {
            std::erase_if(sounding, [channel](const auto& note) { return note.first == channel; });
        }
    }
};

}  // namespace brio::test
