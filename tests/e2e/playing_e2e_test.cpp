#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "Process.h"
#include "ProgramRun.h"
#include "accompaniment/StyleLibrary.h"
#include "accompaniment/Tempo.h"

namespace brio::e2e {
namespace {

bool played(const std::vector<Captured>& capture, int note) {
    bool on = false, off = false;
    for (const Captured& c : capture) {
        if (c.status != 0x90 || c.data1 != note) continue;
        if (c.data2 == 100) on = true;
        if (c.data2 == 0 && on) off = true;
    }
    return on && off;
}

TEST(PlayingEndToEnd, KeysPlayTonesAndF10PlaysTheRhythmOnTheStyleGrid) {
    XvfbSession x;
    ASSERT_TRUE(x.ready()) << "Xvfb did not start";
    ProgramFolder program;
    const int errors = open(program.file("stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Process brioletta({program.file("brioletta-capture")}, x.programEnv(), {{errors, 2}});
    close(errors);
    ASSERT_TRUE(brioletta.started());
    const auto id = x.findWindow("^Brioletta - ");
    ASSERT_TRUE(id.has_value());
    const std::string window = id->substr(0, id->find('\n'));
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());

    ASSERT_TRUE(x.xdotool({"keydown", "z", "sleep", "0.1", "keyup", "z", "keydown", "c", "sleep", "0.1", "keyup", "c"}).has_value());
    ASSERT_TRUE(x.xdotool({"key", "F10", "sleep", "2.5", "key", "F10", "sleep", "0.2", "key", "Escape"}).has_value());
    const auto status = brioletta.waitFor(5000);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 0) << readWholeFile(program.file("stderr.txt"));

    const auto capture = readCapture(program.file("midi-capture.txt"));
    EXPECT_TRUE(played(capture, 33)) << "Z is piano key 9: MIDI 33";
    EXPECT_TRUE(played(capture, 36)) << "C is piano key 12: MIDI 36";

    std::vector<long long> drumHits;
    for (const Captured& c : capture) {
        if (c.status == 0x99 && c.data2 > 0 && (drumHits.empty() || drumHits.back() != c.time)) drumHits.push_back(c.time);
    }
    ASSERT_GE(drumHits.size(), 4u) << "the rhythm did not play";

    StyleLibrary library(program.file("styles.cfg"));
    const BaseStyle& style = library.style(11);
    ASSERT_EQ(style.shuffle, 0.0) << "the start-up style is expected to play straight";
    const double stepMs = 60000.0 / bpmFromFraction(fractionFromBpm(style.bpm)) / std::max(style.stepsPerBeat, 1);
    // A loaded machine (sanitizers, a parallel build) may delay a single pass by a few
    // milliseconds; the spacing must still be the style's, and most hits exactly on time.
    size_t onTime = 0;
    for (size_t i = 1; i < drumHits.size(); ++i) {
        const double since = double(drumHits[i] - drumHits[0]);
        const double off = std::fabs(since - std::round(since / stepMs) * stepMs);
        EXPECT_LE(off, 15.0) << "drum hit " << i << " at " << since << " ms is off the step grid";
        if (off <= 3.0) ++onTime;
    }
    EXPECT_GE(onTime * 5, (drumHits.size() - 1) * 4) << "fewer than four in five drum hits on time";
}

}  // namespace
}  // namespace brio::e2e
