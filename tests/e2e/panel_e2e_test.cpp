#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

// Places on the large-view panel (the session's screen is 1280 pixels wide), window pixels.
constexpr int toneTabB[2] = {601, 70};
constexpr int organBank[2] = {534, 168};
constexpr int muteSwitch[2] = {74, 272};
constexpr int masterFaderX = 74;
constexpr int rhythmButton[2] = {862, 214};
constexpr int recordButton[2] = {340, 162};
constexpr int playButton[2] = {340, 223};

struct PanelEndToEnd : ::testing::Test {
    XvfbSession x;
    ProgramFolder program;
    std::unique_ptr<Process> brioletta;
    std::string window;

    void SetUp() override {
        ASSERT_TRUE(x.ready()) << "Xvfb did not start";
        brioletta = std::make_unique<Process>(std::vector<std::string>{program.file("brioletta-capture")}, x.programEnv());
        ASSERT_TRUE(brioletta->started());
        const auto id = x.findWindow("^Brioletta - ");
        ASSERT_TRUE(id.has_value()) << "the main window did not appear";
        window = *id;
        ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());
    }
    void click(const int (&at)[2]) {
        ASSERT_TRUE(x.xdotool({"mousemove", "--window", window, std::to_string(at[0]), std::to_string(at[1]), "click", "1",
                               "sleep", "0.15"}).has_value());
    }
    // The captured messages from `since` (ms on the capture's clock) on.
    std::vector<Captured> capture() { return readCapture(program.file("midi-capture.txt")); }
    void finish() {
        ASSERT_TRUE(x.xdotool({"key", "Escape"}).has_value());
        const auto status = brioletta->waitFor(5000);
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(*status, 0);
    }
};

size_t count(const std::vector<Captured>& messages, int status, int data1, int data2 = -1) {
    return size_t(std::count_if(messages.begin(), messages.end(), [&](const Captured& c) {
        return c.status == status && c.data1 == data1 && (data2 < 0 || c.data2 == data2);
    }));
}

TEST_F(PanelEndToEnd, TonesMuteAndTheMasterFaderReachTheDevice) {
    const size_t startUp = capture().size();
    click(toneTabB);
    click(organBank);  // tone B: program 16, on its own channel
    click(muteSwitch);
    std::vector<Captured> afterMute = capture();
    click(muteSwitch);
    const std::string x0 = std::to_string(masterFaderX);
    ASSERT_TRUE(x.xdotool({"mousemove", "--window", window, x0, "230", "mousedown", "1", "sleep", "0.1", "mousemove",
                           "--window", window, x0, "180", "sleep", "0.1", "mouseup", "1", "sleep", "0.2"})
                    .has_value());
    finish();

    const std::vector<Captured> all = capture();
    const std::vector<Captured> clicks(all.begin() + long(startUp), all.end());
    EXPECT_EQ(count(clicks, 0xC1, 16), 1u);
    EXPECT_EQ(count(clicks, 0xC0, 16) + count(clicks, 0xC2, 16), 0u);
    for (int channel = 0; channel < 4; ++channel) {
        EXPECT_GE(count(std::vector<Captured>(afterMute.begin() + long(startUp), afterMute.end()), 0xB0 + channel, 7, 0), 1u)
            << "mute on channel " << channel;
    }
    // The fader's press and drag send new keyboard volumes, each different from the start-up 102.
    std::vector<int> volumes;
    for (auto it = all.begin() + long(afterMute.size()); it != all.end(); ++it)
        if (it->status == 0xB0 && it->data1 == 7) volumes.push_back(it->data2);
    ASSERT_GE(volumes.size(), 3u);
    EXPECT_NE(volumes.back(), 102);
    EXPECT_GT(std::set<int>(volumes.begin(), volumes.end()).size(), 2u) << "the drag moved the volume";
}

TEST_F(PanelEndToEnd, TheRoundButtonsPlayTheRhythmAndRecordAndReplayTheKeys) {
    click(rhythmButton);
    ASSERT_TRUE(x.xdotool({"sleep", "1.2"}).has_value());
    click(rhythmButton);
    ASSERT_TRUE(x.xdotool({"sleep", "0.5"}).has_value());
    const size_t stopped = capture().size();
    ASSERT_TRUE(x.xdotool({"sleep", "0.5"}).has_value());
    const std::vector<Captured> rhythm = capture();
    size_t drumNotes = 0;
    for (const Captured& c : rhythm) drumNotes += c.status == 0x99 && c.data2 > 0;
    EXPECT_GE(drumNotes, 4u) << "the rhythm did not play";
    for (size_t i = stopped; i < rhythm.size(); ++i) EXPECT_NE(rhythm[i].status, 0x99) << "the rhythm did not stop";

    click(recordButton);
    ASSERT_TRUE(x.xdotool({"key", "--delay", "120", "z", "c", "sleep", "0.2"}).has_value());
    click(recordButton);
    const size_t recorded = capture().size();
    click(playButton);
    ASSERT_TRUE(x.xdotool({"sleep", "1.5"}).has_value());
    finish();
    const std::vector<Captured> all = capture();
    const std::vector<Captured> replay(all.begin() + long(recorded), all.end());
    for (const int note : {33, 36}) {
        EXPECT_EQ(count(replay, 0x90, note, 100), 1u) << note;
        EXPECT_EQ(count(replay, 0x90, note, 0), 1u) << note;
    }
}

}  // namespace
}  // namespace brio::e2e
