#pragma once

#include "foundation/Clock.h"
#include "midi/MidiOut.h"
#include "midi/NullMidiBackend.h"
#include "midi/Recorder.h"

namespace brio {

// A manual clock and an open null MIDI device for the duration of one benchmark.
struct BenchEnvironment {
    BenchEnvironment() {
        installClock(&clock);
        MidiOut::installBackend(&midi);
        MidiOut::open(0);
    }
    ~BenchEnvironment() {
        recorder() = Recorder();
        MidiOut::installBackend(nullptr);
        installClock(nullptr);
    }
    BenchEnvironment(const BenchEnvironment&) = delete;
    BenchEnvironment& operator=(const BenchEnvironment&) = delete;

    ManualClock clock{1000};
    NullMidiBackend midi;
};

}  // namespace brio
