#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/Llist.h"
#include "foundation/Text.h"
#include "midi/MidiEvent.h"

namespace brio {

// Captures every message that reaches the MIDI device, with its time since the start, and
// replays it with that timing. The sender of the MIDI layer reads its state to gate and scale
// messages during playback. Recording files are text (a magic line, then "time;status;d1;d2;"
// lines) or Standard MIDI Files.
class Recorder {
public:
    enum class State : int8_t { idle = 0, recording = 1, playing = 2 };
    static constexpr int channelCount = 16;
    static constexpr int reservedEvents = 1000000;
    static constexpr int reserveMargin = 1000;  // recording stops this far short of the reserve
    static constexpr const char* magic = "VELMORANDINE MIDI RECORDING";
    static constexpr int markerChannel = 15;
    // The longest line writeLines makes ("4294967295;255;255;255;" and its CR LF in the file)
    // and the text file of a full recorder: the magic line and reservedEvents event lines.
    // Twice that is the largest recording text file read (Text_::defaultMaxFileBytes).
    static constexpr size_t longestLineBytes = 25;
    static constexpr size_t fullTextFileBytes =
        std::char_traits<char>::length(magic) + 2 + size_t(reservedEvents) * longestLineBytes;

    Recorder() = default;

    // Starts a new recording (the old events are dropped); false when memory ran out.
    bool startRecording();
    // Stores a message that reached the device; only while recording. Stops the recording
    // when the reserve is nearly full.
    void record(const MidiEvent& event);
    void startPlayback();
    // Sends the end marker (volume 0 on channel 15, recorded while recording) and goes idle.
    void stop();
    // Sends every event that has fallen due; idle after the last one.
    void pump();
    // Factor 0..1 on the recorded volumes, applied again at once to every channel.
    void setPlaybackVolume(double volume);
    // Milliseconds from `now` until the playback pump has an event to send (0 when one is
    // overdue or the playback is at its end); `limit` when not playing or the event is later.
    uint32_t msUntilDue(uint32_t now, uint32_t limit) const;
    // Milliseconds since the start of recording or playback.
    uint32_t elapsed() const;
    bool isUnsaved() const { return unsaved; }

    // The events as the lines of a recording file; false (with its message) when there are none.
    // The recording counts as unsaved until the caller has written the lines.
    bool writeLines(Text_& lines);
    // The events from the lines of a recording file; false (with its message) when they are
    // not one; the events are then left as they were.
    bool readLines(const Text_& lines);
    // The events as the bytes of a Standard MIDI File, with writeLines's messages and rules.
    bool writeStandardMidiFile(std::string& bytes);
    // The events of a Standard MIDI File, with readLines's messages and rules; at most
    // reservedEvents of them.
    bool readStandardMidiFile(std::string_view bytes);

    State state = State::idle;
    uint32_t startTime = 0;    // clock at the start of recording or playback
    int32_t position = 0;      // next event to play
    Llist<MidiEvent> events;
    bool pumping = false;      // the playback pump is sending
    bool rescaling = false;    // the playback volume is being re-applied
    double playbackVolume = 1.0;                        // 0..1, factor on recorded volumes
    std::array<int32_t, channelCount> channelVolume{};  // last recorded volume per channel
    bool unsaved = false;      // recorded and neither saved nor replaced since
};

// The process's one recorder, beside the MIDI output.
Recorder& recorder();

}  // namespace brio
