#pragma once

#include <string>
#include <vector>

#include "midi/MidiBackend.h"

namespace brio {

// A device that takes every message and does nothing with it: the MIDI layer runs its whole
// path (gating, recording) without a sound card, for fuzzing and benchmarks.
class NullMidiBackend : public MidiBackend {
public:
    std::vector<std::string> deviceNames() override { return {"Null"}; }
    bool open(int) override { return true; }
    void send(uint32_t) override {}
    void reset() override {}
    void close() override {}
};

}  // namespace brio
