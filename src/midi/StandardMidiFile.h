#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "midi/MidiEvent.h"

namespace brio::smf {

// Recordings as Standard MIDI Files. The writer makes a type-0 file whose tick is one
// millisecond (500 ticks per quarter at 500,000 microseconds per quarter), so every event keeps
// its exact time. The reader takes type 0 and type 1 files with any time division and tempo map.

constexpr uint16_t ticksPerQuarter = 500;
constexpr uint32_t microsecondsPerQuarter = 500000;
constexpr const char* trackName = "Brioletta";
// Larger files are refused unread: a recording at the recorder's reserve takes under 8 MB.
constexpr size_t maxFileBytes = size_t(32) << 20;

// True for a path ending in ".mid" or ".midi", in any case.
bool hasStandardMidiFileExtension(const std::string& path);
// True when the bytes begin as a Standard MIDI File does ("MThd").
bool looksLikeStandardMidiFile(std::string_view bytes);

// The bytes of a type-0 file holding every channel message (status 0x80..0xEF) of `events`, in
// their order. Data bytes keep their low seven bits; a time earlier than the one before it is
// written at the earlier event's time, which is when playback sends it anyway.
std::string writeStandardMidiFile(std::span<const MidiEvent> events);

enum class ReadFault { none, invalidFormat, noRecording };

struct Reading {
    ReadFault fault = ReadFault::none;
    std::vector<MidiEvent> events;  // in time order; empty unless fault is none
};

// The channel messages of a file, in milliseconds from its start; a note-on with velocity 0
// comes back as a note-off. A track cut short (by the end of its chunk or of the file, a missing
// end-of-track or an unreadable event) keeps the events before the cut. A bad header, an
// oversized file, times past 2^32-1 ms, more than `maxEvents` channel messages and a damaged file
// with no readable channel message give invalidFormat; a well-formed file without channel
// messages gives noRecording.
Reading readStandardMidiFile(std::string_view bytes, size_t maxEvents);

}  // namespace brio::smf
