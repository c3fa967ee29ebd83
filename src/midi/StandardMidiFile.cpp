#include "midi/StandardMidiFile.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

namespace brio::smf {

namespace {

constexpr std::string_view headerId = "MThd";
constexpr std::string_view trackId = "MTrk";
constexpr uint32_t headerLength = 6;
constexpr uint8_t noteOff = 0x80;
constexpr uint8_t noteOn = 0x90;
constexpr uint8_t sysEx = 0xF0;
constexpr uint8_t sysExContinuation = 0xF7;
constexpr uint8_t meta = 0xFF;
constexpr uint8_t textType = 0x01;
constexpr uint8_t trackNameType = 0x03;
constexpr uint8_t endOfTrackType = 0x2F;
constexpr uint8_t tempoType = 0x51;
constexpr uint32_t tempoLength = 3;
constexpr int maxVariableBytes = 4;
constexpr uint32_t maxVariable = (1u << (7 * maxVariableBytes)) - 1;
constexpr uint64_t limitMs = uint64_t(1) << 32;  // times must stay below

bool isChannelStatus(uint8_t status) {
    return status >= 0x80 && status < 0xF0;
}

// Program change and channel pressure carry one data byte, the other channel messages two.
int dataBytesOf(uint8_t status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// ---------------------------------------------------------------- writing

void putNumber(std::string& out, uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(char((value >> shift) & 0xFF));
}

// Seven bits a byte, most significant first, the high bit set on every byte but the last.
void putVariable(std::string& out, uint32_t value) {
    char groups[5];  // 32 bits need at most five groups
    int count = 0;
    do {
        groups[count++] = char(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(char(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void putMeta(std::string& out, uint8_t type, std::string_view data) {
    out.push_back(char(meta));
    out.push_back(char(type));
    putVariable(out, uint32_t(data.size()));
    out += data;
}

// A variable-length number holds 28 bits: a longer gap is bridged by empty text events.
void putDelta(std::string& out, uint32_t delta) {
    for (; delta > maxVariable; delta -= maxVariable) {
        putVariable(out, maxVariable);
        putMeta(out, textType, {});
    }
    putVariable(out, delta);
}

std::string trackOf(std::span<const MidiEvent> events) {
    std::string track;
    const char tempo[tempoLength] = {char(microsecondsPerQuarter >> 16),
                                     char(microsecondsPerQuarter >> 8 & 0xFF),
                                     char(microsecondsPerQuarter & 0xFF)};
    putVariable(track, 0);
    putMeta(track, tempoType, std::string_view(tempo, tempoLength));
    putVariable(track, 0);
    putMeta(track, trackNameType, trackName);
    uint32_t now = 0;
    for (const MidiEvent& event : events) {
        if (!isChannelStatus(event.status)) continue;
        const uint32_t time = std::max(event.time, now);
        putDelta(track, time - now);
        now = time;
        track.push_back(char(event.status));  // every message has its status: no running status
        track.push_back(char(event.data1 & 0x7F));
        if (dataBytesOf(event.status) == 2) track.push_back(char(event.data2 & 0x7F));
    }
    putVariable(track, 0);
    putMeta(track, endOfTrackType, {});
    return track;
}

// ---------------------------------------------------------------- reading

// A cursor over the bytes whose every read fails, rather than passing the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes(bytes) {}

    bool byte(uint8_t& value) {
        if (position == bytes.size()) return false;
        value = uint8_t(bytes[position++]);
        return true;
    }
    // A big-endian number of `count` bytes.
    bool number(int count, uint32_t& value) {
        value = 0;
        uint8_t next = 0;
        for (int i = 0; i < count; ++i) {
            if (!byte(next)) return false;
            value = value << 8 | next;
        }
        return true;
    }
    bool variable(uint32_t& value) {
        value = 0;
        uint8_t next = 0;
        for (int i = 0; i < maxVariableBytes; ++i) {
            if (!byte(next)) return false;
            value = value << 7 | (next & 0x7F);
            if ((next & 0x80) == 0) return true;
        }
        return false;  // a fifth byte would pass 28 bits
    }
    bool take(size_t count, std::string_view& part) {
        if (count > remaining()) return false;
        part = bytes.substr(position, count);
        position += count;
        return true;
    }
    size_t remaining() const { return bytes.size() - position; }
    size_t offset() const { return position; }
    void backUp(size_t count) { position -= std::min(count, position); }

private:
    std::string_view bytes;
    size_t position = 0;
};

struct TickEvent {
    uint64_t tick;
    MidiEvent event;
};

struct TempoChange {
    uint64_t tick;
    uint32_t microsecondsPerQuarter;
};

// What the tracks hold, each list in track order and then file order.
struct Content {
    std::vector<TickEvent> events;
    std::vector<TempoChange> tempos;
    size_t maxEvents = 0;
    bool cut = false;       // a track or the file ended early, or held an unreadable event
    bool tooMany = false;   // more than maxEvents channel messages
};

// A tick lasts rate / divisor microseconds; the rate is the tempo (microseconds per quarter)
// unless the division counts frames, which fixes it and makes tempo changes irrelevant.
struct TimeBase {
    uint64_t divisor = 0;
    uint64_t fixedRate = 0;  // 0: the tempo map gives the rate
};

bool timeBaseOf(uint32_t division, TimeBase& base) {
    if ((division & 0x8000) == 0) {
        base = {division, 0};
        return division != 0;
    }
    const int framesPerSecond = -int(int8_t(division >> 8));
    const uint64_t ticksPerFrame = division & 0xFF;
    if (ticksPerFrame == 0) return false;
    switch (framesPerSecond) {
        case 24:
        case 25:
        case 30:
            base = {uint64_t(framesPerSecond) * ticksPerFrame, 1000000};
            return true;
        case 29:
            base = {3 * ticksPerFrame, 100100};
            return true;  // 30000/1001 frames: 100100/3 us each
        default:
            return false;
    }
}

bool readHeader(ByteReader& in, uint32_t& tracks, TimeBase& base) {
    std::string_view id, extra;
    uint32_t length = 0, format = 0, division = 0;
    if (!in.take(headerId.size(), id) || id != headerId || !in.number(4, length) ||
        length < headerLength)
        return false;
    if (!in.number(2, format) || !in.number(2, tracks) || !in.number(2, division)) return false;
    // A longer header may come from a later version of the format: its extra bytes are skipped.
    return in.take(length - headerLength, extra) && format <= 1 && timeBaseOf(division, base);
}

bool readMeta(ByteReader& in, uint64_t tick, Content& content, bool& ended) {
    uint8_t type = 0;
    uint32_t length = 0;
    std::string_view data;
    if (!in.byte(type) || !in.variable(length) || !in.take(length, data)) return false;
    ended = type == endOfTrackType;
    if (type != tempoType) return true;
    if (data.size() != tempoLength) return false;
    const uint32_t tempo =
        uint32_t(uint8_t(data[0])) << 16 | uint32_t(uint8_t(data[1])) << 8 | uint8_t(data[2]);
    if (tempo == 0) return false;
    content.tempos.push_back({tick, tempo});
    return true;
}

bool skipSysEx(ByteReader& in) {
    uint32_t length = 0;
    std::string_view data;
    return in.variable(length) && in.take(length, data);
}

// `first` is the byte after the delta time: a status, or with running status the first data byte.
bool readChannel(ByteReader& in, uint8_t first, uint8_t& running, uint64_t tick, Content& content) {
    uint8_t status = first, data1 = 0, data2 = 0;
    if (first < 0x80) {
        if (running == 0) return false;
        status = running;
        data1 = first;
    } else {
        running = status;
        if (!in.byte(data1)) return false;
    }
    if (dataBytesOf(status) == 2 && !in.byte(data2)) return false;
    if (data1 >= 0x80 || data2 >= 0x80) return false;
    if (content.events.size() >= content.maxEvents) {
        content.tooMany = true;
        return false;
    }
    if ((status & 0xF0) == noteOn && data2 == 0) status = uint8_t(noteOff | (status & 0x0F));
    content.events.push_back({tick, MidiEvent{0, status, data1, data2}});
    return true;
}

// `status` is the byte after the delta time.
bool readEvent(ByteReader& in, uint8_t status, uint8_t& running, uint64_t tick, Content& content,
               bool& ended) {
    if (status == meta) return readMeta(in, tick, content, ended);
    if (status == sysEx || status == sysExContinuation) return skipSysEx(in);
    if (status < 0xF0) return readChannel(in, status, running, tick, content);
    return false;  // system common and real-time messages have no place in a file
}

// Reads events up to the end-of-track and returns the bytes they took. A track that ends without
// one, or at an event that cannot be read, keeps the events before it, as common readers do.
// Running status survives meta and system-exclusive events: files that rely on that read as
// their writer meant, and no well-formed file is read differently.
size_t readTrack(std::string_view body, Content& content) {
    ByteReader in(body);
    uint64_t tick = 0;
    uint8_t running = 0;  // none yet
    for (bool ended = false; !ended;) {
        const size_t start = in.offset();
        uint32_t delta = 0;
        uint8_t status = 0;
        const bool good = in.variable(delta) && in.byte(status) &&
                          readEvent(in, status, running, tick += delta, content, ended);
        if (!good) {
            content.cut = true;
            return start;
        }
    }
    return in.offset();  // bytes after the end-of-track are ignored
}

// Reads the declared number of tracks, each to the end of its chunk or of the file; chunks of
// other types are skipped, and whatever follows the last track is ignored. A track whose length
// runs on into the next chunk ends at its end-of-track, and reading goes on from that chunk.
void readChunks(ByteReader& in, uint32_t tracks, Content& content) {
    for (uint32_t found = 0; found < tracks && !content.tooMany;) {
        std::string_view id, body;
        uint32_t length = 0;
        if (!in.take(trackId.size(), id) || !in.number(4, length)) {
            content.cut = true;
            return;
        }
        if (length > in.remaining()) content.cut = true;
        in.take(std::min<size_t>(length, in.remaining()), body);
        if (id != trackId) continue;
        ++found;
        const size_t used = readTrack(body, content);
        if (body.substr(used).starts_with(trackId)) in.backUp(body.size() - used);
    }
}

// Adds ticks x rate to `scaled` unless the sum would pass `limit`.
bool advance(uint64_t& scaled, uint64_t ticks, uint64_t rate, uint64_t limit) {
    if (ticks != 0 && rate > (limit - scaled) / ticks) return false;
    scaled += ticks * rate;
    return true;
}

// The events merged across tracks in time order (equal ticks keep track order, then file
// order) with their times in milliseconds. A time is kept exact, as microseconds x divisor,
// until it is rounded to the nearest millisecond. False for a time of 2^32 ms or more.
bool timedEvents(Content& content, const TimeBase& base, std::vector<MidiEvent>& out) {
    const auto byTick = [](const auto& a, const auto& b) { return a.tick < b.tick; };
    std::stable_sort(content.events.begin(), content.events.end(), byTick);
    std::stable_sort(content.tempos.begin(), content.tempos.end(), byTick);
    if (base.fixedRate != 0) content.tempos.clear();
    const uint64_t unit = 1000 * base.divisor;  // one millisecond, scaled
    const uint64_t limit =
        limitMs * unit - unit / 2 - 1;  // the last time that rounds below the limit
    uint64_t segmentTick = 0, segmentStart = 0;
    uint64_t rate = base.fixedRate != 0 ? base.fixedRate : microsecondsPerQuarter;
    size_t nextTempo = 0;
    out.reserve(content.events.size());
    for (const TickEvent& timed : content.events) {
        for (; nextTempo < content.tempos.size() && content.tempos[nextTempo].tick <= timed.tick;
             ++nextTempo) {
            const TempoChange& change = content.tempos[nextTempo];
            if (!advance(segmentStart, change.tick - segmentTick, rate, limit)) return false;
            segmentTick = change.tick;
            rate = change.microsecondsPerQuarter;
        }
        uint64_t scaled = segmentStart;
        if (!advance(scaled, timed.tick - segmentTick, rate, limit)) return false;
        MidiEvent event = timed.event;
        event.time = uint32_t((scaled + unit / 2) / unit);
        out.push_back(event);
    }
    return true;
}

}  // namespace

bool hasStandardMidiFileExtension(const std::string& path) {
    for (const char* extension : {".mid", ".midi"}) {
        const size_t length = std::strlen(extension);
        if (path.size() >= length &&
            ::strcasecmp(path.c_str() + path.size() - length, extension) == 0)
            return true;
    }
    return false;
}

bool looksLikeStandardMidiFile(std::string_view bytes) {
    return bytes.substr(0, headerId.size()) == headerId;
}

std::string writeStandardMidiFile(std::span<const MidiEvent> events) {
    const std::string track = trackOf(events);
    std::string file(headerId);
    putNumber(file, headerLength, 4);
    putNumber(file, 0, 2);  // type 0: one track
    putNumber(file, 1, 2);
    putNumber(file, ticksPerQuarter, 2);
    file += trackId;
    putNumber(file, uint32_t(track.size()), 4);
    return file + track;
}

Reading readStandardMidiFile(std::string_view bytes, size_t maxEvents) {
    Reading reading;
    reading.fault = ReadFault::invalidFormat;
    ByteReader in(bytes);
    uint32_t tracks = 0;
    TimeBase base;
    Content content;
    content.maxEvents = maxEvents;
    if (bytes.size() > maxFileBytes || !readHeader(in, tracks, base)) return reading;
    readChunks(in, tracks, content);
    if (content.tooMany) return reading;
    if (content.events.empty()) {
        reading.fault = content.cut ? ReadFault::invalidFormat : ReadFault::noRecording;
    } else if (timedEvents(content, base, reading.events)) {
        reading.fault = ReadFault::none;
    } else {
        reading.events.clear();
    }
    return reading;
}

}  // namespace brio::smf
