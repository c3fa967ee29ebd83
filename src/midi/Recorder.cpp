#include "midi/Recorder.h"

#include <algorithm>
#include <limits>
#include <new>

#include "foundation/Clock.h"
#include "foundation/TextUtils.h"
#include "graphics/UserDialogs.h"
#include "midi/MidiOut.h"
#include "midi/StandardMidiFile.h"

namespace brio {

// A recording text file is read with readTextFile's own limit, which must cover twice a full one.
static_assert(Text_::defaultMaxFileBytes == 2 * Recorder::fullTextFileBytes);

namespace {

constexpr const char* invalidFormat = "Invalid file format.";
constexpr const char* noRecordingData = "File contains no recording data.";
constexpr const char* nothingToSave = "No recording data to save.";
constexpr const char* outOfMemoryOnSave = "Out of memory. Unable to save recording.";

void silenceEveryChannel() {
    for (int channel = 0; channel < Recorder::channelCount; ++channel) {
        MidiOut::allNotesOff(channel);
        MidiOut::setSustain(false, channel);
    }
}

// Reads one field ending in ";" from `rest`: its value, and `rest` after the ";". False when
// there is no ";" or it is the first character.
bool takeField(std::string& rest, std::string& field) {
    const size_t end = rest.find(';');
    if (end == std::string::npos || end == 0) return false;
    field = rest.substr(0, end);
    rest.erase(0, end + 1);
    return true;
}

// Times are written as unsigned 32-bit numbers; a negative one (as older writers produced)
// keeps its 32 bits, so every time the writer produces reads back unchanged.
uint32_t parseTime(const std::string& text) {
    const int64_t value = parseInt64(text);
    return uint32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                        std::numeric_limits<uint32_t>::max()));
}

bool parseEventLine(const std::string& line, MidiEvent& event) {
    std::string rest = line;
    std::string time, status, data1, data2;
    if (!takeField(rest, time) || !takeField(rest, status) || !takeField(rest, data1) ||
        !takeField(rest, data2)) {
        return false;
    }
    event = MidiEvent{parseTime(time), uint8_t(parseInt(status)), uint8_t(parseInt(data1)),
                      uint8_t(parseInt(data2))};
    return true;
}

// When an event falls due after the start of playback. Its time is read as signed, so a negative
// one (a hand-edited or older file) is due at once instead of some 49 days later.
uint32_t dueTime(const MidiEvent& event) { return uint32_t(std::max(int32_t(event.time), 0)); }

std::string eventLine(const MidiEvent& event) {
    return formatUnsigned(event.time) + ";" + formatInt(event.status) + ";" +
           formatInt(event.data1) + ";" + formatInt(event.data2) + ";";
}

}  // namespace

bool Recorder::startRecording() {
    startTime = systemClock().milliseconds();
    try {
        events.clear();
        events.resize(reservedEvents, false);
    } catch (const std::bad_alloc&) {
        silenceEveryChannel();
        events.clear();
        userDialogs().showNotice("Out of memory. Midi recording cannot start.");
        return false;
    }
    state = State::recording;
    unsaved = true;
    return true;
}

void Recorder::record(const MidiEvent& event) {
    if (state != State::recording) return;
    if (events.count() + 1 < events.capacity - reserveMargin) {
        events.append(event);
        return;
    }
    state = State::idle;
    silenceEveryChannel();
    userDialogs().showNotice("Midi recording buffer is full. Recording stopped.");
}

void Recorder::startPlayback() {
    startTime = systemClock().milliseconds();
    position = 0;
    state = State::playing;
    channelVolume.fill(0);
}

void Recorder::stop() {
    MidiOut::setVolume(0, markerChannel);
    state = State::idle;
}

void Recorder::pump() {
    if (state != State::playing) return;
    const uint32_t now = systemClock().milliseconds();
    while (position <= events.last) {
        const MidiEvent& event = events.getConst(position);
        if (now - startTime < dueTime(event)) return;
        pumping = true;
        MidiOut::send(event.status, event.data1, event.data2);
        pumping = false;
        ++position;
    }
    state = State::idle;
}

void Recorder::setPlaybackVolume(double volume) {
    playbackVolume = volume >= 0.0 ? (volume > 1.0 ? 1.0 : volume) : 0.0;  // NaN becomes 0
    rescaling = true;
    for (int channel = 0; channel < channelCount; ++channel) {
        MidiOut::setVolume(channelVolume[size_t(channel)], channel);
    }
    rescaling = false;
}

uint32_t Recorder::msUntilDue(uint32_t now, uint32_t limit) const {
    if (state != State::playing) return limit;
    if (position > events.last) return 0;  // the pump ends the playback
    const uint32_t passed = now - startTime;
    const uint32_t due = dueTime(events.getConst(position));
    if (due <= passed) return 0;
    return std::min(due - passed, limit);
}

uint32_t Recorder::elapsed() const { return systemClock().milliseconds() - startTime; }

bool Recorder::writeLines(Text_& lines) {
    if (events.empty()) {
        userDialogs().showNotice(nothingToSave);
        return false;
    }
    try {
        lines.clear();
        lines.resize(events.count() + 1, false);
        lines.append(magic);
        for (const MidiEvent& event : events) lines.append(eventLine(event));
    } catch (const std::bad_alloc&) {
        lines.clear();
        userDialogs().showNotice(outOfMemoryOnSave);
        return false;
    }
    return true;
}

bool Recorder::readLines(const Text_& lines) {
    if (lines.empty() || lines.getConst(0) != magic) {
        userDialogs().showNotice(invalidFormat);
        return false;
    }
    if (lines.count() < 2) {
        userDialogs().showNotice(noRecordingData);
        return false;
    }
    Llist<MidiEvent> read(lines.count() - 1, 1, true);
    MidiEvent event;
    for (const std::string& line : lines) {
        if (parseEventLine(line, event)) read.append(event);  // the magic line has no ";"
    }
    // Lines that are all malformed hold no recording: the current one stays.
    if (read.empty()) {
        userDialogs().showNotice(noRecordingData);
        return false;
    }
    events = std::move(read);
    unsaved = false;
    return true;
}

bool Recorder::writeStandardMidiFile(std::string& bytes) {
    if (events.empty()) {
        userDialogs().showNotice(nothingToSave);
        return false;
    }
    try {
        bytes = smf::writeStandardMidiFile(std::span(events.items.data(), size_t(events.count())));
    } catch (const std::bad_alloc&) {
        bytes.clear();
        userDialogs().showNotice(outOfMemoryOnSave);
        return false;
    }
    return true;
}

bool Recorder::readStandardMidiFile(std::string_view bytes) {
    const smf::Reading reading = smf::readStandardMidiFile(bytes, reservedEvents);
    if (reading.fault != smf::ReadFault::none) {
        userDialogs().showNotice(reading.fault == smf::ReadFault::noRecording ? noRecordingData : invalidFormat);
        return false;
    }
    Llist<MidiEvent> read(int(reading.events.size()), 1, true);
    for (const MidiEvent& event : reading.events) read.append(event);
    events = std::move(read);
    unsaved = false;
    return true;
}

Recorder& recorder() {
    static Recorder instance;
    return instance;
}

}  // namespace brio
