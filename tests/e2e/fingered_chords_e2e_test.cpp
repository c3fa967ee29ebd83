// Fingered chords in the real program: keys held below the split choose the accompaniment's
// chord when the option is on, and change nothing when it is off.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

constexpr double barMs = 2400.0;  // the start-up style, Pop Standard: 100 bpm in 4/4
constexpr double beatMs = barMs / 4;
constexpr int bassChannel = 4;    // its parts: bass, guitar, piano, strings on channels 4..7

struct Played {
    std::vector<Captured> notes;  // note-ons of the parts in their first two bars
    long long start = 0;          // the first of them
};

// Starts the capture build with the option, holds `keys` (xdotool names) below the split,
// switches bass and rhythm on for a little over two bars, and returns what the parts played.
Played playHolding(bool fingered, const std::vector<std::string>& keys) {
    XvfbSession x;
    EXPECT_TRUE(x.ready());
    ProgramFolder program;
    std::ofstream(program.file("options.cfg"), std::ios::binary)
        << "<Brio Options>\r\nfingeredChords=" << (fingered ? "true" : "false") << "\r\n</Brio Options>\r\n";
    const int errors = open(program.file("stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Process brioletta({program.file("brioletta-capture")}, x.programEnv(), {{errors, 2}});
    close(errors);
    const auto id = x.findWindow("^Brioletta - ");
    if (!id) return {};
    const std::string window = id->substr(0, id->find('\n'));
    x.xdotool({"windowfocus", "--sync", window});
    std::vector<std::string> script;
    for (const std::string& key : keys) script.insert(script.end(), {"keydown", key, "sleep", "0.05"});
    script.insert(script.end(), {"key", "F9", "key", "F10", "sleep", "5.3", "key", "F10"});
    for (const std::string& key : keys) script.insert(script.end(), {"keyup", key});
    script.insert(script.end(), {"sleep", "0.2", "key", "Escape"});
    x.xdotool(script);
    const auto status = brioletta.waitFor(5000);
    EXPECT_TRUE(status.has_value() && *status == 0) << readWholeFile(program.file("stderr.txt"));

    // The bass switch starts the parts at the first step; the rhythm joins them on the way.
    Played played;
    const auto capture = readCapture(program.file("midi-capture.txt"));
    const auto isPartNote = [](const Captured& c) {
        const int channel = c.status & 0x0F;
        return (c.status & 0xF0) == 0x90 && c.data2 > 0 && channel >= 4 && channel <= 7;
    };
    const auto first = std::find_if(capture.begin(), capture.end(), isPartNote);
    if (first == capture.end()) return played;
    played.start = first->time;
    for (const Captured& c : capture) {
        if (isPartNote(c) && c.time < played.start + 2 * barMs - beatMs / 2) played.notes.push_back(c);
    }
    return played;
}

// Notes whose time lies within 20 ms of a multiple of `grid` after the start.
std::vector<Captured> onGrid(const Played& played, double grid) {
    std::vector<Captured> found;
    for (const Captured& c : played.notes) {
        const double since = double(c.time - played.start);
        if (std::fabs(since - std::round(since / grid) * grid) <= 20.0) found.push_back(c);
    }
    return found;
}

TEST(FingeredChordsEndToEnd, AMinorHeldGivesNoCSharpAndTheBassStartsEachBarOnA) {
    const Played played = playHolding(true, {"z", "c", "b"});  // A, C, E
    ASSERT_GE(played.notes.size(), 8u) << "the parts did not play";
    for (const Captured& c : played.notes) EXPECT_NE(c.data1 % 12, 1) << "C sharp at " << c.time - played.start;
    for (int bar = 0; bar < 2; ++bar) {
        int lowest = 128;
        for (const Captured& c : onGrid(played, barMs)) {
            const double since = double(c.time - played.start);
            if ((c.status & 0x0F) == bassChannel && std::fabs(since - bar * barMs) <= 20.0) lowest = std::min(lowest, c.data1);
        }
        ASSERT_LT(lowest, 128) << "no bass note at the start of bar " << bar;
        EXPECT_EQ(lowest % 12, 9) << "bar " << bar;
    }
}

TEST(FingeredChordsEndToEnd, GSeventhHeldGivesChordNotesOfG7OnTheBeats) {
    const Played played = playHolding(true, {"x", "v", "n", "m"});  // B, D, F, G
    const std::set<int> g7 = {7, 11, 2, 5};
    int chordNotes = 0;
    for (const Captured& c : onGrid(played, beatMs)) {
        if ((c.status & 0x0F) == bassChannel) continue;
        ++chordNotes;
        EXPECT_TRUE(g7.count(c.data1 % 12)) << "note " << c.data1 << " at " << c.time - played.start;
    }
    EXPECT_GE(chordNotes, 4);
}

TEST(FingeredChordsEndToEnd, WithTheOptionOffTheLowestKeyPlaysMajorAsBefore) {
    const Played played = playHolding(false, {"z", "c", "b"});
    ASSERT_GE(played.notes.size(), 8u) << "the parts did not play";
    const bool cSharp = std::any_of(played.notes.begin(), played.notes.end(), [](const Captured& c) { return c.data1 % 12 == 1; });
    EXPECT_TRUE(cSharp) << "A major has a C sharp";
}

}  // namespace
}  // namespace brio::e2e
