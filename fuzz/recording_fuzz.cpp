// Feeds arbitrary bytes to the recording-file reader as if they were a "*.prc" file, then
// replays and saves whatever it accepted.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzStation.h"
#include "foundation/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    brio::fuzz::quietMidiClock();
    brio::Text_ lines;
    lines.setFromBytes(std::string(reinterpret_cast<const char*>(data), size), true);
    brio::Recorder& recorder = brio::recorder();
    if (recorder.readLines(lines)) {
        brio::fuzz::replayRecording();
        brio::Text_ written;
        recorder.writeLines(written);
    }
    return 0;
}
