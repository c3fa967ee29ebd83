#include <gtest/gtest.h>
#include <unistd.h>

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

}  // namespace
}  // namespace brio
