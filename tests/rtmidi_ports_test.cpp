#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include <string>
#include <vector>

#include "midi/MidiInputQueue.h"
#include "platform/RtMidiInput.h"
#include "platform/RtMidiPorts.h"
#include "platform/SystemMidi.h"

namespace brio {
namespace {

constexpr const char* noSequencer = "/nonexistent/snd/seq";

void sendEverythingTo(RtMidiPorts& ports) {
    ports.send(0x00643C90);
    ports.send(0x000000C0);
    ports.reset();
    ports.close();
}

TEST(RtMidiPorts, WithoutASequencerTheListIsEmptyAndNoPortOpens) {
    RtMidiPorts ports(noSequencer, false);
    EXPECT_NO_THROW({
        EXPECT_TRUE(ports.portNames().empty());
        EXPECT_FALSE(ports.open(0));
        EXPECT_FALSE(ports.isOpen());
        sendEverythingTo(ports);
    });
}

TEST(RtMidiPorts, ThisMachineWithoutASequencerDeviceListsNothing) {
    if (access(RtMidiPorts::defaultSequencer, F_OK) == 0)
        GTEST_SKIP() << "this machine has a sequencer";
    RtMidiPorts ports;
    EXPECT_NO_THROW({
        EXPECT_TRUE(ports.portNames().empty());
        EXPECT_FALSE(ports.open(0));
        sendEverythingTo(ports);
    });
}

TEST(RtMidiPorts, PortNumbersOutsideTheListingFailToOpen) {
    RtMidiPorts ports;
    const int count = static_cast<int>(ports.portNames().size());
    EXPECT_NO_THROW({
        EXPECT_FALSE(ports.open(count));
        EXPECT_FALSE(ports.open(-1));
        EXPECT_FALSE(ports.isOpen());
    });
}

TEST(RtMidiPorts, MessageLengthsFollowTheStatusByte) {
    for (int status : {0x80, 0x90, 0x9F, 0xA0, 0xB0, 0xBF, 0xE0, 0xEF}) {
        EXPECT_EQ(RtMidiPorts::messageLength(uint8_t(status)), 3) << status;
    }
    for (int status : {0xC0, 0xCF, 0xD0, 0xDF}) {
        EXPECT_EQ(RtMidiPorts::messageLength(uint8_t(status)), 2) << status;
    }
    for (int status : {0x00, 0x3C, 0x7F, 0xF0, 0xF8, 0xFF}) {
        EXPECT_EQ(RtMidiPorts::messageLength(uint8_t(status)), 0) << status;
    }
}

TEST(RtMidiSystemMidi, WithoutPortsTheDeviceListIsEmptyAndDeviceZeroFails) {
    SystemMidi midi(BuiltInSynth::defaultSoundFonts(), {}, noSequencer);
    EXPECT_NO_THROW({
        EXPECT_TRUE(midi.deviceNames().empty());
        EXPECT_FALSE(midi.open(0));
        midi.send(0x00643C90);
        midi.reset();
        midi.close();
    });
}

// Without a sequencer the input lists nothing, opens nothing, fails nothing, and says so on
// one line of standard error however often it is asked.
TEST(RtMidiInput, WithoutASequencerItSaysSoOnceAndListsNothing) {
    MidiInputQueue queue;
    testing::internal::CaptureStderr();
    {
        RtMidiInput input(noSequencer);
        EXPECT_NO_THROW({
            EXPECT_FALSE(input.start(queue));
            EXPECT_TRUE(input.deviceNames().empty());
            EXPECT_TRUE(input.connect(MidiInputBackend::noDevice));
            EXPECT_FALSE(input.connect(0));
            EXPECT_FALSE(input.start(queue));
            input.stop();
        });
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("no ALSA sequencer"), std::string::npos) << said;
}

// Only whole channel messages are taken from the input, packed as the sender packs them.
TEST(RtMidiInput, OnlyWholeChannelMessagesArePacked) {
    struct Row {
        std::vector<unsigned char> bytes;
        bool taken;
        uint32_t packed;
    };
    const Row rows[] = {
        {{0x90, 60, 100}, true, 0x00643C90}, {{0x8F, 60, 0}, true, 0x00003C8F},
        {{0xE3, 0, 64}, true, 0x004000E3},   {{0xC5, 7}, true, 0x000007C5},
        {{0xD0, 99, 1}, true, 0x000063D0},   {{0xB0, 64}, false, 0},
        {{0x90, 60, 200}, false, 0},         {{0x3C, 100}, false, 0},
        {{0xF8}, false, 0},                  {{0xF0, 0x7E, 0xF7}, false, 0},
        {{}, false, 0},
    };
    for (const Row& row : rows) {
        uint32_t packed = 0;
        EXPECT_EQ(RtMidiInput::pack(row.bytes.data(), row.bytes.size(), packed), row.taken) << row.packed;
        EXPECT_EQ(packed, row.packed);  // untouched when refused
    }
}

}  // namespace
}  // namespace brio
