#include <gtest/gtest.h>

#include <algorithm>

#include "StationFixture.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

// The data-2 byte of the last controller `controller` message on `channel`, or -1.
int lastController(const std::vector<Message>& sent, int channel, int controller) {
    for (auto it = sent.rbegin(); it != sent.rend(); ++it) {
        if (it->status == 0xB0 + channel && it->data1 == controller) return it->data2;
    }
    return -1;
}

TEST(StationMidi, StartUpSendsEveryProgramVolumeAndPan) {
    test::StationFixture fixture;
    const auto& sent = fixture.midi.messages;
    for (int channel = 0; channel < 16; ++channel) {
        const bool programSent = std::any_of(sent.begin(), sent.end(), [&](const Message& m) {
            return m.status == 0xC0 + channel && m.data1 == 0;
        });
        EXPECT_TRUE(programSent) << "channel " << channel;
    }
    // The accompaniment parts sit where the style puts them.
    const int expectedPans[16] = {82, 25, 102, 63, 48, 114, 21, 95, 63, 63, 63, 63, 63, 63, 63, 63};
    for (int channel = 0; channel < 16; ++channel) {
        EXPECT_EQ(lastController(sent, channel, 10), expectedPans[channel]) << "channel " << channel;
    }
    for (int channel : {0, 1, 2, 3, 8, 9}) {
        EXPECT_EQ(lastController(sent, channel, 7), 102) << "channel " << channel;  // 0.8 x 127.5
    }
    for (int channel = 4; channel <= 7; ++channel) {
        EXPECT_EQ(lastController(sent, channel, 7), 0) << "channel " << channel;  // no style: parts off
    }
    EXPECT_EQ(lastController(sent, 10, 7), -1);  // the unused channels get no group volume
}

TEST(StationMidi, MasterVolumeAndMuteReachEveryGroup) {
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    auto& sent = fixture.midi.messages;
    sent.clear();
    station.volume = 0.5;
    station.controlChanged(&station.volume);
    EXPECT_EQ(lastController(sent, 0, 7), 51);
    EXPECT_EQ(lastController(sent, 8, 7), 51);
    EXPECT_EQ(lastController(sent, 9, 7), 51);
    sent.clear();
    station.mute = true;
    station.controlChanged(&station.mute);
    for (int channel = 0; channel <= 9; ++channel) EXPECT_EQ(lastController(sent, channel, 7), 0);
    sent.clear();
    station.drumVolume = 1.0;
    station.controlChanged(&station.drumVolume);  // only the drum channel
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (Message{10000, 0xB9, 7, 0}));
}

TEST(StationMidi, SendMixSendsGroupVolumesThenSixteenPans) {
    test::StationFixture fixture;
    auto& sent = fixture.midi.messages;
    sent.clear();
    fixture.station->sendMix();
    ASSERT_EQ(sent.size(), 10u + 16u);
    EXPECT_TRUE(std::all_of(sent.begin(), sent.begin() + 10, [](const Message& m) { return m.data1 == 7; }));
    EXPECT_TRUE(std::all_of(sent.begin() + 10, sent.end(), [](const Message& m) { return m.data1 == 10; }));
}

TEST(StationMidi, ReleaseAllSilencesEveryChannel) {
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    auto& sent = fixture.midi.messages;
    station.keyDown('Q');
    sent.clear();
    station.releaseAll();
    EXPECT_EQ(station.computerKeyDown['Q'], 0);
    ASSERT_EQ(sent.size(), 33u);
    EXPECT_EQ(sent[0], (Message{10000, 0x90, 55, 0}));  // Q's note ends as by its key-up
    for (int channel = 0; channel < 16; ++channel) {
        EXPECT_EQ(sent[size_t(1 + 2 * channel)], (Message{10000, uint8_t(0xB0 + channel), 123, 0}));
        EXPECT_EQ(sent[size_t(2 + 2 * channel)], (Message{10000, uint8_t(0xB0 + channel), 64, 0}));
    }
}

TEST(StationMidi, AFirstStartChoosesTheDefaultDeviceAndAStaleNumberOpensTheMapper) {
    test::StationEnvironment env;
    env.midi.names = {"Through Port", "Microsoft GS Wavetable Synth"};
    {
        RecentFiles workspaces("recentS.cfg", 10), recordings("recentR.cfg", 10);
        StyleLibrary library;
        Options options(1920);
        MidiSynth station(library, options, workspaces, recordings);
        EXPECT_EQ(options.midiDevice, 1);
        EXPECT_EQ(env.midi.openedDevice, 1);

        options.midiDevice = 7;  // a device that has gone since it was chosen
        station.openMidiDevice(false);
        EXPECT_EQ(env.midi.openedDevice, -1);
        options.midiDevice = 1;
    }
    Options reread(1920);
    EXPECT_EQ(reread.midiDevice, 1);  // stored at the orderly end
}

TEST(StationMidi, ReapplyingAfterOpeningSendsEveryChannelSettingAgain) {
    test::StationFixture fixture;
    auto& sent = fixture.midi.messages;
    sent.clear();
    fixture.station->openMidiDevice(true);
    for (int channel = 0; channel < 16; ++channel) {
        EXPECT_TRUE(std::any_of(sent.begin(), sent.end(), [&](const Message& m) { return m.status == 0xC0 + channel; }))
            << "channel " << channel;
    }
    EXPECT_EQ(lastController(sent, 15, 10), 63);
}

TEST(StationMidi, TickServicesTheInstruments) {
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    auto& sent = fixture.midi.messages;
    sent.clear();
    station.instruments[0].playTimed(36, 100, 1);
    station.tick(true);
    fixture.clock.advance(125);
    station.tick(true);
    const std::vector<Message> expected{{10000, 0x90, 60, 100}, {10125, 0x90, 60, 0}};
    EXPECT_EQ(sent, expected);
}

}  // namespace
}  // namespace brio
