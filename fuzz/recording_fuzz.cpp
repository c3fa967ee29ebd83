// Feeds arbitrary bytes to the recording-file reader as if they were a "*.prc" file, then
// replays and saves whatever it accepted.
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/Clock.h"
#include "foundation/Text.h"
#include "midi/NullMidiBackend.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static brio::ManualClock clock;
    static brio::NullMidiBackend device;
    static bool ready = [] {
        brio::installClock(&clock);
        brio::MidiOut::installBackend(&device);
        return brio::MidiOut::open(0);
    }();
    (void)ready;

    brio::Text_ lines;
    lines.setFromBytes(std::string(reinterpret_cast<const char*>(data), size), true);
    brio::Recorder& recorder = brio::recorder();
    if (recorder.readLines(lines)) {
        recorder.startPlayback();
        for (int tick = 0; tick < 64 && recorder.state == brio::Recorder::State::playing; ++tick) {
            clock.advance(997);
            recorder.pump();
        }
        recorder.stop();
        brio::Text_ written;
        recorder.writeLines(written);
    }
    return 0;
}
