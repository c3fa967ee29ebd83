#include "midi/Recorder.h"

#include "foundation/Clock.h"

namespace brio {

uint32_t Recorder::elapsed() const { return systemClock().milliseconds() - startTime; }

void Recorder::record(const MidiEvent& event) {
    if (state != State::recording) return;
    events.append(event);
}

Recorder& recorder() {
    static Recorder instance;
    return instance;
}

}  // namespace brio
