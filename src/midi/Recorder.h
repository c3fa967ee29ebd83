#pragma once

#include <array>
#include <cstdint>

#include "foundation/Llist.h"
#include "midi/MidiEvent.h"

namespace brio {

// Captures every message that reaches the MIDI device, with its time, and replays it. The
// sender of the MIDI layer reads its state to gate and scale messages during playback.
class Recorder {
public:
    enum class State : int8_t { idle = 0, recording = 1, playing = 2 };
    static constexpr int channelCount = 16;

    Recorder() = default;

    // Milliseconds since the start of recording or playback.
    uint32_t elapsed() const;
    // Stores a message that reached the device; only while recording.
    void record(const MidiEvent& event);

    State state = State::idle;
    uint32_t startTime = 0;    // clock at the start of recording or playback
    int32_t position = 0;      // next event to play
    Llist<MidiEvent> events;
    bool pumping = false;      // the playback pump is sending
    bool rescaling = false;    // the playback volume is being re-applied
    double playbackVolume = 1.0;                    // 0..1, factor on recorded volumes
    std::array<int32_t, channelCount> channelVolume{};  // last recorded volume per channel
    bool unsaved = false;
};

// The process's one recorder, beside the MIDI output.
Recorder& recorder();

}  // namespace brio
