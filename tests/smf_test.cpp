#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "FakeDialogs.h"
#include "StationFixture.h"
#include "midi/Recorder.h"
#include "midi/StandardMidiFile.h"
#include "platform/ProcessLauncher.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;
using smf::ReadFault;
using test::FakeDialogs;

// ---------------------------------------------------------------- hand-built files

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) out.push_back(char(value));
    return out;
}

std::string bigEndian(uint32_t value, int count) {
    std::string out;
    for (int shift = 8 * (count - 1); shift >= 0; shift -= 8)
        out.push_back(char(value >> shift & 0xFF));
    return out;
}

std::string variable(uint32_t value) {
    std::string out(1, char(value & 0x7F));
    for (value >>= 7; value != 0; value >>= 7) out.insert(out.begin(), char((value & 0x7F) | 0x80));
    return out;
}

std::string header(int format, int tracks, int division) {
    return "MThd" + bigEndian(6, 4) + bigEndian(format, 2) + bigEndian(tracks, 2) +
           bigEndian(division, 2);
}

std::string chunk(const std::string& id, const std::string& body) {
    return id + bigEndian(uint32_t(body.size()), 4) + body;
}

std::string track(const std::string& events) {
    return chunk("MTrk", events + bytes({0x00, 0xFF, 0x2F, 0x00}));
}

// One track at 500 ticks a quarter: without a tempo event a tick is a millisecond.
std::string typeZero(const std::string& events, int division = 500) {
    return header(0, 1, division) + track(events);
}

// The delta before an event `ticks` after the one before: empty text events carry what one
// delta cannot hold.
std::string waitOf(uint64_t ticks) {
    std::string out;
    for (; ticks > 0x0FFFFFFF; ticks -= 0x0FFFFFFF)
        out += bytes({0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00});
    return out + variable(uint32_t(ticks));
}

const std::string noteOn = bytes({0x90, 60, 100});

Text_ textRecording(std::initializer_list<const char*> eventLines) {
    Text_ lines;
    lines.append(Recorder::magic);
    for (const char* line : eventLines) lines.append(line);
    return lines;
}

std::vector<std::string> linesOf(const std::vector<MidiEvent>& events) {
    std::vector<std::string> lines;
    for (const MidiEvent& e : events) {
        lines.push_back(std::to_string(e.time) + " " + std::to_string(e.status) + " " +
                        std::to_string(e.data1) + " " + std::to_string(e.data2));
    }
    return lines;
}

// ---------------------------------------------------------------- the independent side

// Runs tests/smf_mido.py with Debian's python3, the interpreter python3-mido is installed for.
std::string runMido(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"/usr/bin/python3",
                                  std::string(BRIO_SOURCE_DIR) + "/tests/smf_mido.py"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    PosixProcessLauncher launcher;
    const std::optional<RunResult> result = launcher.run(argv);
    if (!result || result->exitStatus != 0) {
        ADD_FAILURE() << "tests/smf_mido.py failed: /usr/bin/python3 with python3-mido is needed "
                         "(scripts/setup.sh installs it)";
        return {};
    }
    return result->output;
}

std::vector<std::string> outputLines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(SmfWriter, WritesOneTrackAtAMillisecondATickWithEveryStatusSpelledOut) {
    const std::vector<MidiEvent> events{{0, 0xC0, 5, 99}, {0, 0x90, 60, 100}, {300, 0x90, 60, 0}};
    const std::string expected =
        header(0, 1, 500) +
        chunk("MTrk", bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x03, 0x09}) +
                          "Brioletta" +
                          bytes({0x00, 0xC0, 5, 0x00, 0x90, 60, 100, 0x82, 0x2C, 0x90, 60, 0, 0x00,
                                 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(smf::writeStandardMidiFile(events), expected);
}

TEST(SmfMido, MidoReadsEveryWrittenMessageAtItsMillisecond) {
    constexpr uint32_t last = 4294967295u;
    const std::vector<MidiEvent> events{
        {0, 0xC0, 5, 99},         {0, 0xB0, 7, 100},  {0, 0x90, 60, 100},
        {0, 0x00, 1, 2},  // no channel message: left out
        {10, 0xA0, 60, 50},       {10, 0xD0, 40, 0},  {250, 0xE0, 0, 64},
        {240, 0x80, 60, 64},       // earlier than the one before: sent, and written, at 250
        {1000, 0x9F, 62, 200},     // data bytes keep seven bits
        {268436455, 0x91, 61, 1},  // 2^28-1 after the one before: the longest single delta
        {536872911, 0x81, 61, 0},  // 2^28 after: one more than a delta holds
        {last, 0xBF, 7, 0},       {last, 0xC1, 0, 0},
    };
    test::TempDir folder;
    const std::string path = folder.path("written.mid");
    ASSERT_TRUE(test::writeFile(path, smf::writeStandardMidiFile(events)));
    std::vector<std::string> dumped;
    for (const std::string& line : outputLines(runMido({"dump", path}))) {
        if (line.find(" meta text") == std::string::npos) dumped.push_back(line);  // gap fillers
    }
    const std::vector<std::string> expected{
        "type 0 tracks 1 division 500",
        "track 0",
        "0 meta set_tempo 500000",
        "0 meta track_name Brioletta",
        "0 channel 192 5",
        "0 channel 176 7 100",
        "0 channel 144 60 100",
        "10 channel 160 60 50",
        "10 channel 208 40",
        "250 channel 224 0 64",
        "250 channel 128 60 64",
        "1000 channel 159 62 72",
        "268436455 channel 145 61 1",
        "536872911 channel 129 61 0",
        "4294967295 channel 191 7 0",
        "4294967295 channel 193 0",
        "4294967295 meta end_of_track",
    };
    EXPECT_EQ(dumped, expected);
}

TEST(SmfMido, FilesWrittenByMidoReadAtTheirExactTimes) {
    test::TempDir folder;
    std::map<std::string, std::vector<std::string>> expected;
    std::string current;
    for (const std::string& line : outputLines(runMido({"write", folder.folder()}))) {
        if (line.rfind("file ", 0) == 0) {
            current = line.substr(5);
        } else {
            expected[current].push_back(line);
        }
    }
    ASSERT_EQ(expected.size(), 2u);
    for (const auto& [name, lines] : expected) {
        const smf::Reading read = smf::readStandardMidiFile(test::readFile(folder.path(name)), 100);
        EXPECT_EQ(read.fault, ReadFault::none) << name;
        EXPECT_EQ(linesOf(read.events), lines) << name;
    }
}

// ---------------------------------------------------------------- the reader on its own

TEST(SmfReader, HandBuiltFilesReadAsTheirBytesSay) {
    const std::string tempoTrack =
        track(bytes({0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40}));  // 1 s at 480
    const std::string fillers = waitOf(4294967295u);
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::string> events;
        size_t maxEvents = Recorder::reservedEvents;
    };
    const Case cases[] = {
        {"running status, a zero velocity as note-off",
         typeZero(bytes({0x00, 0x90, 60, 100, 0x0A, 62, 100, 0x0A, 60, 0, 0x00, 0xC1, 5, 0x05, 6})),
         {"0 144 60 100", "10 144 62 100", "20 128 60 0", "20 193 5 0", "25 193 6 0"}},
        {"running status past meta and system-exclusive events",
         typeZero(
             bytes({0x00, 0x90, 60,   100,  0x00, 0xFF, 0x01, 0x02, 'h',  'i',  0x05, 60, 0,
                    0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xF7, 0x01, 0xF7, 0x05, 62, 80})),
         {"0 144 60 100", "5 128 60 0", "10 144 62 80"}},
        {"tracks merged by time, equal times in track order",
         header(1, 2, 500) + track(bytes({0x00, 0x90, 60, 100, 0x0A, 0x80, 60, 0})) +
             track(bytes({0x00, 0x91, 64, 100, 0x05, 0x81, 64, 0, 0x05, 0xB1, 7, 100})),
         {"0 144 60 100", "0 145 64 100", "5 129 64 0", "10 128 60 0", "10 177 7 100"}},
        {"a tempo change in a later track times the earlier one",
         header(1, 2, 480) +
             track(
                 bytes({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0, 0x83, 0x60, 0x90, 62, 100})) +
             tempoTrack,
         {"0 144 60 100", "500 128 60 0", "1500 144 62 100"}},
        {"25 frames of 40 ticks: a millisecond a tick, whatever the tempo",
         typeZero(bytes({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x00, 0x90, 60, 100, 0x87, 0x68,
                         0x80, 60, 0}),
                  0xE728),
         {"0 144 60 100", "1000 128 60 0"}},
        {"30 drop frames last 1001 ms",
         typeZero(bytes({0x00, 0x90, 60, 100, 0x1E, 0x80, 60, 0}), 0xE301),
         {"0 144 60 100", "1001 128 60 0"}},
        {"half milliseconds round up",
         typeZero(bytes({0x00, 0xFF, 0x51, 0x03, 0x00, 0x07, 0xD0, 0x01, 0x90, 60, 100, 0x01, 61,
                         100, 0x01, 62, 100}),
                  4),
         {"1 144 60 100", "1 144 61 100", "2 144 62 100"}},
        {"unknown chunks, a longer header and what follows the last track are skipped",
         "MThd" + bigEndian(8, 4) + bytes({0, 0, 0, 1, 0x01, 0xF4, 0x7F, 0x7F}) +
             chunk("MTxx", "\xFF\xFF") + track(bytes({0x00, 0x90, 60, 100})) + "trailing",
         {"0 144 60 100"}},
        {"the last millisecond 2^32-1", typeZero(fillers + noteOn), {"4294967295 144 60 100"}},
        {"the last millisecond at half a millisecond a tick",
         typeZero(waitOf(8589934590u) + noteOn, 1000),
         {"4294967295 144 60 100"}},
        {"a chunk longer than the file: read to the file's end",
         header(0, 1, 500) + "MTrk" + bigEndian(10, 4) + bytes({0x00}) + noteOn + bytes({0, 0xFF}),
         {"0 144 60 100"}},
        {"a huge chunk length", header(0, 1, 500) + "MTrk" + bigEndian(0xFFFFFFFF, 4) + bytes({0x00}) + noteOn,
         {"0 144 60 100"}},
        {"a track without end-of-track, an empty track and fewer tracks than declared",
         header(1, 4, 500) + chunk("MTrk", bytes({0x00, 0x90, 60, 100})) + chunk("MTrk", "") +
             track(bytes({0x05, 0x90, 61, 100})),
         {"0 144 60 100", "5 144 61 100"}},
        {"a track length that runs into the next chunk",
         header(1, 2, 500) + "MTrk" + bigEndian(40, 4) + bytes({0x00, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00}) +
             track(bytes({0x05, 0x90, 61, 100})),
         {"0 144 60 100", "5 144 61 100"}},
        {"an unreadable event ends its track only",
         header(1, 2, 500) + track(bytes({0x00, 0x90, 60, 100, 0x00, 0xF8, 0x00, 0x90, 62, 100})) +
             track(bytes({0x05, 0x90, 61, 100})),
         {"0 144 60 100", "5 144 61 100"}},
        {"as many messages as allowed",
         typeZero(bytes({0x00, 0x90, 60, 100, 0x00, 61, 100})),
         {"0 144 60 100", "0 144 61 100"},
         2},
    };
    for (const Case& c : cases) {
        const smf::Reading read = smf::readStandardMidiFile(c.file, c.maxEvents);
        EXPECT_EQ(read.fault, ReadFault::none) << c.what;
        EXPECT_EQ(linesOf(read.events), c.events) << c.what;
    }
}

TEST(SmfReader, MalformedTruncatedAndEmptyFilesAreRefused) {
    const std::string good = typeZero(bytes({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0}));
    const ReadFault invalid = ReadFault::invalidFormat;
    struct Case {
        const char* what;
        std::string file;
        ReadFault fault = ReadFault::invalidFormat;
    };
    std::vector<Case> cases{
        {"a track without a readable event", header(0, 1, 500) + chunk("MTrk", bytes({0x00, 0x90, 60}))},
        {"running status before any status", typeZero(bytes({0x00, 60, 100}))},
        {"a tempo of 0",
         typeZero(bytes({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}) + bytes({0x00}) + noteOn)},
        {"a tempo of two bytes",
         typeZero(bytes({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}) + bytes({0x00}) + noteOn)},
        {"a delta of five bytes", typeZero(bytes({0x80, 0x80, 0x80, 0x80, 0x00}) + noteOn)},
        {"type 2", header(2, 1, 500) + track(bytes({0x00}) + noteOn)},
        {"type 7", header(7, 1, 500) + track(bytes({0x00}) + noteOn)},
        {"a header of five bytes",
         "MThd" + bigEndian(5, 4) + bytes({0, 0, 0, 1, 1}) + track(bytes({0x00}) + noteOn)},
        {"no header", track(bytes({0x00}) + noteOn)},
        {"a data byte with its high bit", typeZero(bytes({0x00, 0x90, 0xBC, 100}))},
        {"a real-time message in a track", typeZero(bytes({0x00, 0xF8}))},
        {"a division of 0", typeZero(bytes({0x00}) + noteOn, 0)},
        {"26 frames a second", typeZero(bytes({0x00}) + noteOn, 0xE628)},
        {"no ticks a frame", typeZero(bytes({0x00}) + noteOn, 0xE800)},
        {"fewer tracks than the header says, none with an event", header(1, 3, 500) + track("")},
        {"a time past 2^32-1 ms", typeZero(waitOf(4294967296u) + noteOn)},
        {"a time that rounds to 2^32 ms", typeZero(waitOf(8589934591u) + noteOn, 1000)},
        {"a tempo change that pushes a time past 2^32-1 ms",
         typeZero(waitOf(4294967294u) + bytes({0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x01}) +
                  noteOn)},
        {"no channel messages", typeZero(bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20})),
         ReadFault::noRecording},
        {"no tracks", header(1, 0, 500), ReadFault::noRecording},
    };
    std::string oversized = good;
    oversized.resize(smf::maxFileBytes + 1);
    cases.push_back({"a file larger than the limit", oversized});
    for (const Case& c : cases) {
        const smf::Reading read = smf::readStandardMidiFile(c.file, Recorder::reservedEvents);
        EXPECT_EQ(read.fault, c.fault) << c.what << " (" << c.file.size() << " bytes)";
        EXPECT_TRUE(read.events.empty()) << c.what;
    }
    EXPECT_EQ(
        smf::readStandardMidiFile(typeZero(bytes({0x00, 0x90, 60, 100, 0x00, 61, 100})), 1).fault,
        invalid);
    EXPECT_EQ(smf::readStandardMidiFile(good, Recorder::reservedEvents).fault, ReadFault::none);
}

TEST(SmfReader, AFileCutAnywhereReadsTheEventsBeforeTheCut) {
    const std::string good = typeZero(bytes({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0}));
    const std::vector<MidiEvent> whole = smf::readStandardMidiFile(good, Recorder::reservedEvents).events;
    for (size_t length = 0; length < good.size(); ++length) {
        const smf::Reading read = smf::readStandardMidiFile(good.substr(0, length), Recorder::reservedEvents);
        const size_t complete = length >= 31 ? 2 : length >= 26 ? 1 : 0;  // bytes each event ends at
        EXPECT_EQ(linesOf(read.events), linesOf({whole.begin(), whole.begin() + long(complete)})) << length;
        EXPECT_EQ(read.fault, complete == 0 ? ReadFault::invalidFormat : ReadFault::none) << length;
    }
}

// ---------------------------------------------------------------- through the station

// A note-on with velocity 0 comes back from a file as a note-off.
std::vector<MidiEvent> asRead(std::vector<MidiEvent> events) {
    for (MidiEvent& e : events) {
        if ((e.status & 0xF0) == 0x90 && e.data2 == 0) e.status = uint8_t(0x80 | (e.status & 0x0F));
    }
    return events;
}

struct SmfStation : test::RecorderStation {
    static std::vector<MidiEvent> recorded() {
        return {recorder().events.begin(), recorder().events.end()};
    }
    bool inRecentList(const std::string& path) const {
        for (const std::string& entry : fixture.recordingFiles->entries) {
            if (entry == path) return true;
        }
        return false;
    }
};

TEST_F(SmfStation, ARecordingSavedAsMidiOpensAgainAndReplaysEveryMessageOnTime) {
    station.startRecording();
    runFor(5);
    station.keyDown('Z');
    runFor(120);
    station.keyUp('Z');
    station.instruments[0].playTimed(40, 90, 1);
    runFor(300);
    station.stopRecordingOrPlayback();
    const std::vector<MidiEvent> expected = asRead(recorded());
    const std::string path = fixture.folder.path("take.mid");
    dialogs.saveAnswer = path;
    station.saveRecordingAs();
    EXPECT_EQ(dialogs.boxes.back(),
              "save:Save Brio Recording As:Brio Recording (*.prc)| *.prc|Standard MIDI File (*.mid)| *.mid|"
              "WAV Audio (*.wav)| *.wav|FLAC Audio (*.flac)| *.flac|Ogg Vorbis Audio (*.ogg)| *.ogg:");
    EXPECT_EQ(test::readFile(path).substr(0, 4), "MThd");

    for (int route = 0; route < 2; ++route) {  // the open box, then the recent list
        recorder() = Recorder();
        recorder().unsaved = true;
        if (route == 0) {
            dialogs.openAnswer = path;
            station.openRecording();
        } else {
            station.openRecentRecording(path);
        }
        ASSERT_TRUE(station.playing) << route;
        EXPECT_FALSE(recorder().isUnsaved());
        EXPECT_EQ(linesOf(recorded()), linesOf(expected)) << route;
        const uint32_t start = fixture.clock.now;
        const size_t first = sent.size();
        station.tick(true);
        runFor(500);
        ASSERT_GE(sent.size(), first + expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const MidiEvent& e = expected[i];
            EXPECT_EQ(sent[first + i], (Message{start + e.time, e.status, e.data1, e.data2}))
                << route << ": " << i;
        }
        EXPECT_FALSE(station.playing);
    }
    EXPECT_EQ(
        dialogs.boxes[1].rfind(
            "open:Open Brio Recording:All Recordings (*.prc *.mid *.midi)| *.prc *.mid *.midi|", 0),
        0u);
    EXPECT_EQ(fixture.recordingFiles->entries.getConst(0), path);
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(SmfStation, TheSavedNameDecidesTheKindAndTheContentsHowItOpens) {
    ASSERT_TRUE(recorder().readLines(textRecording({"0;144;60;100;", "40;128;60;0;"})));
    const std::vector<MidiEvent> expected = recorded();
    struct Case {
        const char* answer;
        const char* saved;
        bool midi;
    };
    const Case cases[] = {{"bare", "bare.prc", false},
                          {"take.MID", "take.MID", true},
                          {"take.Midi", "take.Midi", true},
                          {"take.txt", "take.txt", false},
                          {"take.mid.prc", "take.mid.prc", false}};
    for (const Case& c : cases) {
        dialogs.saveAnswer = fixture.folder.path(c.answer);
        station.saveRecordingAs();
        const std::string path = fixture.folder.path(c.saved);
        EXPECT_EQ(test::readFile(path).rfind(c.midi ? "MThd" : Recorder::magic, 0), 0u) << c.answer;
        station.openRecentRecording(path);
        EXPECT_TRUE(station.playing) << c.answer;
        EXPECT_EQ(linesOf(recorded()), linesOf(expected)) << c.answer;
        station.stopRecordingOrPlayback();
    }
    // Contents, not names, tell the kinds apart.
    ASSERT_TRUE(test::writeFile(fixture.folder.path("midi.prc"),
                                test::readFile(fixture.folder.path("take.MID"))));
    ASSERT_TRUE(test::writeFile(fixture.folder.path("text.mid"),
                                test::readFile(fixture.folder.path("bare.prc"))));
    for (const char* name : {"midi.prc", "text.mid"}) {
        station.openRecentRecording(fixture.folder.path(name));
        EXPECT_TRUE(station.playing) << name;
        station.stopRecordingOrPlayback();
    }
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(SmfStation, ABadFileSaysWhyAndTheRecordingBeforeItStays) {
    ASSERT_TRUE(recorder().readLines(textRecording({"0;144;60;100;"})));
    const std::vector<std::string> before = linesOf(recorded());
    const std::string failed = "     Failed to open file.     ";
    const std::string good = typeZero(bytes({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0}));
    std::string overReserve = bytes({0x00, 0x90, 60, 100});
    for (int i = 1; i <= Recorder::reservedEvents; ++i) overReserve += bytes({0x00, 61, 100});
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> notices;
        off_t grownTo = 0;  // made this long (a sparse file) after writing
    };
    const Case cases[] = {
        {"cut.mid", good.substr(0, 25), {"Invalid file format.", failed}},  // before its first event ends
        {"tempo-only.mid",
         typeZero(bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20})),
         {"File contains no recording data.", failed}},
        {"over-reserve.mid", typeZero(overReserve), {"Invalid file format.", failed}},
        {"huge.mid", good, {failed}, off_t(100) << 20},  // refused before it is read
        {"junk.prc", "junk", {"Invalid file format.", failed}},
    };
    for (const Case& c : cases) {
        const std::string path = fixture.folder.path(c.name);
        ASSERT_TRUE(test::writeFile(path, c.bytes));
        if (c.grownTo != 0) {
            ASSERT_EQ(::truncate(path.c_str(), c.grownTo), 0);
        }
        dialogs.notices.clear();
        station.openRecentRecording(path);
        EXPECT_EQ(dialogs.notices, c.notices) << c.name;
        EXPECT_FALSE(station.playing) << c.name;
        EXPECT_EQ(linesOf(recorded()), before) << c.name;
        EXPECT_FALSE(inRecentList(path)) << c.name;
    }
}

}  // namespace
}  // namespace brio
