#include <gtest/gtest.h>

#include <cmath>

#include "StationFixture.h"
#include "midi/GeneralMidi.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

struct MidiOutTest : ::testing::Test {
    test::StationEnvironment env;
    std::vector<Message>& sent = env.midi.messages;

    void SetUp() override { ASSERT_TRUE(MidiOut::open(0)); }
    void TearDown() override { recorder() = Recorder{}; }
};

TEST_F(MidiOutTest, EachMessageHasItsStatusAndDataBytes) {
    env.clock.set(777);
    MidiOut::programChange(5, 3);
    MidiOut::setVolume(100, 15);
    MidiOut::setPan(64, 0);
    MidiOut::noteOn(60, 100, 9);
    MidiOut::setSustain(true, 1);
    MidiOut::setSustain(false, 1);
    MidiOut::allNotesOff(2);
    const std::vector<Message> expected{
        {777, 0xC3, 5, 0},   {777, 0xBF, 7, 100}, {777, 0xB0, 10, 64}, {777, 0x99, 60, 100},
        {777, 0xB1, 64, 127}, {777, 0xB1, 64, 0},  {777, 0xB2, 123, 0}};
    EXPECT_EQ(sent, expected);
}

TEST_F(MidiOutTest, ArgumentsOutOfRangeSendNothing) {
    MidiOut::programChange(128, 0);
    MidiOut::programChange(-1, 0);
    MidiOut::setVolume(128, 0);
    MidiOut::setPan(-5, 0);
    MidiOut::noteOn(60, 100, 16);
    MidiOut::noteOn(128, 100, 0);
    MidiOut::noteOn(60, 128, 0);
    MidiOut::allNotesOff(-1);
    MidiOut::setSustain(true, 99);
    EXPECT_TRUE(sent.empty());
}

TEST_F(MidiOutTest, NothingIsSentWithoutAnOpenDevice) {
    MidiOut::close();
    EXPECT_FALSE(MidiOut::isOpen());
    MidiOut::noteOn(60, 100, 0);
    env.midi.refuseOpen = true;
    EXPECT_FALSE(MidiOut::open(0));  // a device that fails to open leaves the program silent
    MidiOut::noteOn(60, 100, 0);
    EXPECT_TRUE(sent.empty());
}

TEST_F(MidiOutTest, AnotherDeviceClosesTheFirstWhileTheSameDeviceIsOnlyReset) {
    // Reopening the device that is open (a new workspace, the end of a playback) must not close
    // it: the built-in synthesizer would restart its audio output and leave a gap.
    for (const int device : {-1, -1, 0, 0, -1}) {
        const bool same = env.midi.openedDevice == device;
        const int resetsBefore = env.midi.resets;
        const int closesBefore = env.midi.closes;
        EXPECT_TRUE(MidiOut::open(device));
        EXPECT_EQ(env.midi.resets, resetsBefore + 1) << device;
        EXPECT_EQ(env.midi.closes, closesBefore + (same ? 0 : 1)) << device;
        EXPECT_EQ(env.midi.openedDevice, device);
        EXPECT_TRUE(MidiOut::isOpen());
    }
    // A reopen that fails leaves the program silent; the next open starts afresh.
    env.midi.refuseOpen = true;
    EXPECT_FALSE(MidiOut::open(-1));
    EXPECT_FALSE(MidiOut::isOpen());
    env.midi.refuseOpen = false;
    EXPECT_TRUE(MidiOut::open(-1));
}

TEST_F(MidiOutTest, DefaultDevicePrefersMicrosoftThenMsThenGs) {
    env.midi.names = {"Port GS", "Synth", "Microsoft Wavetable", "MS Thing"};
    EXPECT_EQ(MidiOut::defaultDevice(), 2);
    env.midi.names = {"GS Port", "USB MS Cable"};
    EXPECT_EQ(MidiOut::defaultDevice(), 1);
    env.midi.names = {"Alpha", "Roland GS"};
    EXPECT_EQ(MidiOut::defaultDevice(), 1);
    env.midi.names = {"microsoft", "ms", "gs"};  // the tests are case-sensitive
    EXPECT_EQ(MidiOut::defaultDevice(), -1);
    env.midi.names = {};
    EXPECT_EQ(MidiOut::defaultDevice(), -1);
}

TEST_F(MidiOutTest, DuringPlaybackOnlyThePumpReachesTheDeviceWithScaledVolumes) {
    Recorder& rec = recorder();
    rec.state = Recorder::State::playing;
    rec.playbackVolume = 0.5;
    MidiOut::noteOn(60, 100, 0);  // live playing is silent
    rec.pumping = true;
    MidiOut::setVolume(100, 3);
    rec.pumping = false;
    EXPECT_EQ(rec.channelVolume[3], 100);
    rec.rescaling = true;
    rec.playbackVolume = 1.0;
    MidiOut::setVolume(127, 4);  // the rescale is scaled but not remembered
    rec.rescaling = false;
    EXPECT_EQ(rec.channelVolume[4], 0);
    const std::vector<Message> expected{{10000, 0xB3, 7, 50}, {10000, 0xB4, 7, 127}};
    EXPECT_EQ(sent, expected);

    // Any factor, even one that was never clamped, gives a MIDI value.
    sent.clear();
    rec.pumping = true;
    for (const double factor : {1e302, -3.0, std::nan("")}) {
        rec.playbackVolume = factor;
        MidiOut::setVolume(100, 5);
    }
    rec.pumping = false;
    EXPECT_EQ(sent, (std::vector<Message>{{10000, 0xB5, 7, 127}, {10000, 0xB5, 7, 0}, {10000, 0xB5, 7, 0}}));
}

TEST_F(MidiOutTest, TheRecorderKeepsWhatReachedTheDeviceWithItsTime) {
    Recorder& rec = recorder();
    ASSERT_TRUE(rec.startRecording());
    env.clock.advance(1520);
    MidiOut::noteOn(60, 100, 0);
    MidiOut::noteOn(60, 200, 0);  // out of range: neither sent nor recorded
    ASSERT_EQ(rec.events.count(), 1);
    const MidiEvent& event = rec.events.getConst(0);
    EXPECT_EQ(event.time, 1520u);
    EXPECT_EQ(event.status, 0x90);
    EXPECT_EQ(event.data1, 60);
    EXPECT_EQ(event.data2, 100);
}

TEST(MidiValue, VolumesAndPansTruncateTowardZero) {
    EXPECT_EQ(midiValue(1.0), 127);
    EXPECT_EQ(midiValue(0.5), 63);
    EXPECT_EQ(midiValue(0.65), 82);
    EXPECT_EQ(midiValue(0.0), 0);
    EXPECT_LT(midiValue(-0.5), 0);  // dropped by the MIDI layer
    EXPECT_GT(midiValue(1e300), 127);
    EXPECT_LT(midiValue(std::nan("")), 0);
}

TEST(GeneralMidi, NamesAndFamiliesAreThoseOfTheSoundSet) {
    EXPECT_EQ(programName(0), "Acoustic Grand Piano");
    EXPECT_EQ(programName(109), "Bag pipe");
    EXPECT_EQ(programName(127), "Gunshot");
    EXPECT_EQ(programName(128), "");
    EXPECT_EQ(programName(-1), "");
    EXPECT_EQ(familyName(72, true), "Pp");
    EXPECT_EQ(familyName(0, true), "Pi");
    EXPECT_EQ(familyName(100, true), "Fx");
    EXPECT_EQ(familyName(127, false), "Sound Effects");
    EXPECT_EQ(familyName(128, false), "");
    EXPECT_EQ(familyName(-7, false), "Piano");
    EXPECT_EQ(familyName(-8, false), "");
}

}  // namespace
}  // namespace brio
