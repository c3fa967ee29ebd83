// What every shipped style plays over a held bass key, against a capture kept as test data:
// changes to the players must leave it note for note as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "StationFixture.h"

namespace brio {
namespace {

const std::string goldenPath = std::string(BRIO_SOURCE_DIR) + "/tests/data/style-notes.txt";
constexpr int bassKey = 9;        // an A below the split
constexpr uint32_t playMs = 4000; // two bars at 120 bpm, more at faster tempos

// The station on the shipped library, bass and rhythm running over `bassKey` for playMs in
// 1 ms ticks; every note-on of the accompaniment and the drums as "time;status;note;velocity".
std::string notesOfStyle(int styleIndex, StyleLibrary& library) {
    test::StationEnvironment environment;
    RecentFiles workspaces("recentS.cfg", 10), recordings("recentR.cfg", 10);
    Options options(1920);
    MidiSynth station(library, options, workspaces, recordings);
    station.selectStyle(styleIndex, true);
    station.keyDown(120);  // F9: bass
    station.pressPianoKey(bassKey, 100);
    station.keyDown(121);  // F10: rhythm
    environment.midi.messages.clear();
    const uint32_t start = environment.clock.milliseconds();
    for (uint32_t ms = 0; ms < playMs; ++ms) {
        station.tick(true);
        environment.clock.advance(1);
    }
    std::ostringstream out;
    for (const auto& m : environment.midi.messages) {
        const int channel = m.status & 0x0F;
        if ((m.status & 0xF0) != 0x90 || m.data2 == 0 || channel < 4 || channel > 9) continue;
        out << (m.time - start) << ';' << int(m.status) << ';' << int(m.data1) << ';' << int(m.data2) << '\n';
    }
    return out.str();
}

std::string allStyles() {
    StyleLibrary library(std::string(BRIO_SOURCE_DIR) + "/data/styles.cfg");
    std::string text;
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        if (library.style(i).isEmpty()) continue;
        text += "style " + std::to_string(i) + " " + library.style(i).name + "\n" + notesOfStyle(i, library);
    }
    return text;
}

// BRIO_UPDATE_STYLE_NOTES=1 writes the capture anew (after a deliberate change to the styles).
TEST(StyleNotes, EveryShippedStylePlaysTheCapturedNotes) {
    const std::string played = allStyles();
    if (std::getenv("BRIO_UPDATE_STYLE_NOTES")) {
        std::ofstream(goldenPath, std::ios::binary) << played;
        GTEST_SKIP() << "capture written to " << goldenPath;
    }
    std::ifstream file(goldenPath, std::ios::binary);
    ASSERT_TRUE(file) << goldenPath;
    const std::string expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(expected.size(), 1000u);
    // Line by line, so a difference names its style and time.
    std::istringstream a(played), b(expected);
    std::string style, lineA, lineB;
    for (int line = 1; std::getline(b, lineB); ++line) {
        if (lineB.rfind("style ", 0) == 0) style = lineB;
        ASSERT_TRUE(std::getline(a, lineA)) << "ends early in " << style;
        ASSERT_EQ(lineA, lineB) << style << ", line " << line;
    }
    EXPECT_FALSE(std::getline(a, lineA)) << "plays more than the capture: " << lineA;
}

}  // namespace
}  // namespace brio
