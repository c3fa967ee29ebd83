#include "accompaniment/DrumMachine.h"

#include "accompaniment/Instrument.h"
#include "accompaniment/StyleLibrary.h"

namespace brio {

namespace {
constexpr double drumNoteSteps = 0.5;  // every drum note lasts half a step, whatever its len
}  // namespace

void DrumMachine::play(int32_t index, int n) {
    if (!active || instrument == nullptr || !StyleLibrary::validPattern(index)) return;
    const ArpeggioStyle& pattern = library.pattern(index);
    const int s = pattern.stepAt(n);
    for (const ArpeggioNote& note : pattern.notes) {
        if (note.pos == s) instrument->playTimed(note.key, note.vel, drumNoteSteps);
    }
}

void DrumMachine::reset() {
    arpIdx = 0;
    keepDefaultTempo = true;
}

void DrumMachine::exchange() {
    exchangeInt("arpIdx", arpIdx);
    exchangeBool("keepDefaultTempo", keepDefaultTempo);
}

}  // namespace brio
