#include "accompaniment/Arpeggio.h"

#include <algorithm>
#include <limits>

#include "accompaniment/BaseStyle.h"
#include "accompaniment/Instrument.h"
#include "accompaniment/StyleLibrary.h"
#include "midi/MidiOut.h"

namespace brio {

namespace {

constexpr double longFactor = 8.0;

// A pattern key played on held key h. Sums beyond the 32-bit range stay far out of the MIDI
// range, so the MIDI layer drops them instead of the arithmetic wrapping into it.
int soundingKey(int32_t patternKey, int32_t held) {
    const int64_t key = int64_t(patternKey) + held - Arpeggio::referenceKey;
    return int(std::clamp<int64_t>(key, std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max()));
}

}  // namespace

void Arpeggio::step(int n) {
    if (!active || instrument == nullptr || heldKeys.empty() || !StyleLibrary::validPattern(arpIdx)) {
        return;
    }
    const ArpeggioStyle& pattern = library.pattern(arpIdx);
    int s = pattern.stepAt(n);
    const int32_t root = heldKeys.count() == 1 ? heldKeys.getConst(0) : 0;
    const bool changed = root != lastRoot;
    lastRoot = root;
    if (mode == partSustained && (changed || s == 0)) {
        // One pass rings together: cut it at every start and root change, re-press the pedal.
        instrument->cutAll();
        MidiOut::setSustain(false, instrument->channel);
        MidiOut::setSustain(true, instrument->channel);
        s = 0;
    }
    const double lengthFactor = mode == partLong ? longFactor : 1.0;
    for (const ArpeggioNote& note : pattern.notes) {
        if (note.pos != s) continue;
        // A pattern note always ends: one without a length (0 or less, or not a number) lasts
        // until the next step rather than being held like a pressed key.
        const double steps = note.len > 0.0 ? note.len * lengthFactor : 1.0;
        for (int32_t held : heldKeys) {
            instrument->playTimed(soundingKey(note.key, held), note.vel, steps);
        }
    }
}

void Arpeggio::reset() {
    active = false;
    arpIdx = 0;
    hold = false;
    mode = partOn;
    heldKeys.clear();
    lastRoot = noRoot;
}

void Arpeggio::exchange() {
    exchangeBool("active", active);
    exchangeInt("arpIdx", arpIdx);
    exchangeBool("hold", hold);
}

}  // namespace brio
