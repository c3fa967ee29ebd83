#pragma once

#include <cstdint>

#include "accompaniment/StepControl.h"
#include "foundation/TextStream.h"

namespace brio {

class Instrument;
class StyleLibrary;

// The rhythm player: plays its pattern's notes on the drum instrument, half a step long.
class DrumMachine : public TextStream, public StepControlTarget {
public:
    DrumMachine(StyleLibrary& library, Instrument* instrument) : library(library), instrument(instrument) {}

    void step(int n) override { play(arpIdx, n); }
    // Plays step `n` of pattern `index` (a section's, which arpIdx, kept by workspaces, is not).
    void play(int32_t index, int n);
    // Pattern 0, keepDefaultTempo on.
    void reset();
    // "arpIdx", "keepDefaultTempo".
    void exchange() override;

    bool active = false;
    int32_t arpIdx = 0;           // pattern index 0..3999
    bool keepDefaultTempo = true; // selecting a style also takes its tempo and shuffle

private:
    StyleLibrary& library;
    Instrument* instrument;
};

}  // namespace brio
