// A song in the real program, played with the section hot keys: the armed intro, A, B through
// its fill, the break and the ending, which stops the accompaniment by itself.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

constexpr int stepMs = 150;  // 200 bpm, two steps a beat
constexpr int barMs = 8 * stepMs;
// A busy machine may hold a step up; the exact millisecond is the manual clock's to check.
constexpr int slackMs = 20;
const std::vector<std::string> sections{"mainA", "intro", "mainB", "fillA", "fillB", "break", "ending"};

// One style whose rhythm strikes key 60 + section on every step of a section of one bar; its
// bass part holds a note through every bar of the mains, and a note in the ending's bar that
// rings half a bar past it.
std::string songLibrary() {
    std::string text = "<Pelmora Base Styles>\r\n";
    for (size_t i = 0; i < sections.size(); ++i) {
        text += "<arp" + std::to_string(100 + i) + ">\r\nname=" + sections[i] + "\r\nlength=8\r\n";
        for (int step = 0; step < 8; ++step) text += std::to_string(60 + i) + ";100;" + std::to_string(step) + ";0.5\r\n";
        text += "</arp" + std::to_string(100 + i) + ">\r\n";
    }
    text += "<arp110>\r\nname=Bass\r\nlength=8\r\n48;100;0;8\r\n</arp110>\r\n"
            "<arp111>\r\nname=Last\r\nlength=8\r\n48;100;0;12\r\n</arp111>\r\n";
    text += "<style11>\r\nname=Song\r\nbpm=200\r\nshuffle=0\r\nstepsPerBeat=2\r\nbeats=4\r\n"
            "prog0=0\r\nvol0=100\r\nkey0=0\r\nmode0=1\r\narp0=100\r\n"
            "prog1=32\r\nvol1=100\r\nkey1=0\r\nmode1=1\r\narp1=110\r\n";
    for (int part = 2; part < 5; ++part) {
        const std::string n = std::to_string(part);
        text += "prog" + n + "=0\r\nvol" + n + "=0\r\nkey" + n + "=0\r\nmode" + n + "=0\r\narp" + n + "=-1\r\n";
    }
    for (size_t i = 1; i < sections.size(); ++i) {
        const std::string bass = sections[i] == "mainB" ? "110" : sections[i] == "ending" ? "111" : "-1";
        text += sections[i] + "Bars=1\r\n" + sections[i] + "Arp0=" + std::to_string(100 + i) + "\r\n" + sections[i] +
                "Arp1=" + bass + "\r\n";
    }
    return text + "</style11>\r\n</Pelmora Base Styles>\r\n";
}

TEST(SectionsEndToEnd, ASongRunsIntroAFillBBreakAndEndingOnItsBarLines) {
    XvfbSession x;
    ASSERT_TRUE(x.ready());
    ProgramFolder program;
    std::ofstream(program.file("styles.cfg"), std::ios::binary) << songLibrary();
    // Choosing B changes the workspace; the program then ends without asking.
    std::ofstream(program.file("options.cfg"), std::ios::binary)
        << "<Brio Options>\r\nwarnStationDelete=false\r\n</Brio Options>\r\n";
    const int errors = open(program.file("stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Process brioletta({program.file("brioletta-capture")}, x.programEnv(), {{errors, 2}});
    close(errors);
    const auto id = x.findWindow("^Brioletta - ");
    ASSERT_TRUE(id);
    const std::string window = id->substr(0, id->find('\n'));
    x.xdotool({"windowfocus", "--sync", window});
    // Home arms the intro, F10 and F9 start rhythm and bass: the intro's bar, then A. F12 (B)
    // half a beat before A's last beat: Fill B from that beat, then B from bar 2. F8 (break) in
    // the middle of bar 2: the break in bar 3, then B. End in the middle of bar 4: the ending in
    // bar 5, then the stop.
    x.xdotool({"key", "Home", "key", "F10", "key", "F9", "sleep", "1.95", "key", "F12", "sleep", "1.05", "key", "F8",
               "sleep", "2.4", "key", "End", "sleep", "3.0", "key", "Escape"});
    const auto status = brioletta.waitFor(5000);
    EXPECT_TRUE(status.has_value() && *status == 0) << readWholeFile(program.file("stderr.txt"));

    // The section of every bar, from the drum key at its first step, and when each change came.
    std::vector<Captured> drums, bass;
    for (const Captured& c : readCapture(program.file("midi-capture.txt"))) {
        if (c.status == 0x99 && c.data2 > 0) drums.push_back(c);
        if ((c.status & 0xEF) == 0x84) bass.push_back(c);
    }
    ASSERT_FALSE(drums.empty());
    const long long t0 = drums.front().time;
    std::vector<std::string> heard;
    for (const Captured& c : drums) {
        const std::string section = sections[size_t(c.data1 - 60)];
        if (!heard.empty() && heard.back() == section) continue;
        heard.push_back(section);
        const long long since = c.time - t0;
        const long long grid = section.rfind("fill", 0) == 0 ? stepMs : barMs;
        EXPECT_LE(std::abs(since - (since + grid / 2) / grid * grid), slackMs) << section << " at " << since << " ms";
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"intro", "mainA", "fillB", "mainB", "break", "mainB", "ending"}));
    // The ending's bar is the last; its bass note ends half a bar after it, not cut at the stop.
    EXPECT_LT(drums.back().time - t0, 6 * barMs);
    ASSERT_GE(bass.size(), 2u);
    const Captured& lastOff = bass.back();
    EXPECT_TRUE(lastOff.status == 0x84 || lastOff.data2 == 0);
    EXPECT_NEAR(double(lastOff.time - t0), 6.5 * barMs, slackMs);
}

}  // namespace
}  // namespace brio::e2e
