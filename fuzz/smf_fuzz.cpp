// Feeds arbitrary bytes to the Standard MIDI File reader, replays whatever it accepted, writes
// it again and checks that the written file reads back as the same events.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzStation.h"
#include "midi/StandardMidiFile.h"

namespace {

bool sameEvents(const brio::Llist<brio::MidiEvent>& events,
                const std::vector<brio::MidiEvent>& again) {
    if (size_t(events.count()) != again.size()) return false;
    for (size_t i = 0; i < again.size(); ++i) {
        const brio::MidiEvent& a = events.getConst(int(i));
        const brio::MidiEvent& b = again[i];
        if (a.time != b.time || a.status != b.status || a.data1 != b.data1 || a.data2 != b.data2)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    brio::fuzz::quietMidiClock();
    brio::Recorder& recorder = brio::recorder();
    if (!recorder.readStandardMidiFile(std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;
    brio::fuzz::replayRecording();
    std::string written;
    if (!recorder.writeStandardMidiFile(written)) __builtin_trap();
    const brio::smf::Reading again =
        brio::smf::readStandardMidiFile(written, brio::Recorder::reservedEvents);
    if (again.fault != brio::smf::ReadFault::none || !sameEvents(recorder.events, again.events))
        __builtin_trap();
    return 0;
}
