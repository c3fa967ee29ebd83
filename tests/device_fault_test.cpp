// Output devices that fail: at the open, on every message, unplugged while notes sound, and the
// built-in synthesizer's audio output dying. The program plays on silent, says so once, opens
// the device again when the user picks it, and leaves no note sounding on it.
#include <gtest/gtest.h>

#include "FakeMidiInput.h"
#include "FakeWindowSystem.h"
#include "StationFixture.h"
#include "main/MainLoop.h"
#include "midi/MidiIn.h"
#include "midi/MidiInputQueue.h"

namespace brio {
namespace {

using Fault = test::FaultyMidiBackend::Fault;

constexpr int port = 0;

struct Rig : test::PlayedStation {
    test::FaultyMidiBackend& device = fixture.midi;

    // The device of the options opened as the user picks it on the Options page, or as the
    // program opens it by itself (start, workspace, end of a playback).
    void open(int choice, bool byUser) {
        fixture.options->midiDevice = choice;
        station.openMidiDevice(byUser);
    }
    void setSwitch(bool& variable, bool on) {
        variable = on;
        station.controlChanged(&variable);
    }
    // Accompaniment and three held notes from the MIDI input.
    void startPlaying() {
        setSwitch(station.rhythm, true);
        setSwitch(station.bass, true);
        for (uint32_t note : {60u, 64u, 67u}) station.receiveMidi(0x90 | note << 8 | 100u << 16);
        runFor(700);
    }
    void releaseNotes() {
        for (uint32_t note : {60u, 64u, 67u}) station.receiveMidi(0x80 | note << 8);
    }
    void stopPlaying() {
        releaseNotes();
        setSwitch(station.rhythm, false);
        setSwitch(station.bass, false);
        runFor(3000);
    }
};

int linesAbout(const std::string& text, const std::string& device) {
    int count = 0;
    const std::string needle = "the MIDI device \"" + device + "\"";
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

TEST(DeviceFaults, ADeviceThatStopsWhilePlayingIsToldOnceAndComesBackWithoutStuckNotes) {
    struct Case {
        Fault fault;
        int choice;
        const char* name;
        const char* why;
    };
    const Case cases[] = {
        {Fault::refusesMessages, port, "Capture", "the port refuses messages"},
        {Fault::unplugged, port, "Capture", "the port went away"},
        {Fault::audioDied, MidiBackend::mapperDevice, "Midi Mapper", "its audio output stopped"},
    };
    for (const Case& c : cases) {
        for (const bool byUser : {false, true}) {
            SCOPED_TRACE(std::string(c.why) + (byUser ? ", chosen by the user" : ""));
            Rig rig;
            rig.open(c.choice, byUser);
            rig.startPlaying();
            ASSERT_FALSE(rig.device.sounding.empty());

            testing::internal::CaptureStderr();
            rig.device.fault = c.fault;
            const size_t delivered = rig.device.messages.size();
            rig.runFor(10000);  // the accompaniment plays on, silent
            rig.releaseNotes();  // releases the device never hears
            rig.open(c.choice, false);  // a workspace opened meanwhile tries the device again
            rig.runFor(1000);
            const std::string told = testing::internal::GetCapturedStderr();
            EXPECT_EQ(linesAbout(told, c.name), 1) << told;
            EXPECT_NE(told.find(c.why), std::string::npos) << told;
            EXPECT_FALSE(MidiOut::isOpen());
            EXPECT_EQ(rig.device.messages.size(), delivered);
            const std::vector<std::string> notice{"     The MIDI device \"" + std::string(c.name) +
                                                  "\" stopped working.     "};
            EXPECT_EQ(rig.dialogs.notices, byUser ? notice : std::vector<std::string>{});

            // Back, and picked again: it plays, and ends with nothing sounding, the notes
            // released while it was away included.
            rig.device.fault = Fault::none;
            rig.open(c.choice, true);
            EXPECT_TRUE(MidiOut::isOpen());
            rig.runFor(1000);
            EXPECT_GT(rig.device.messages.size(), delivered);
            rig.stopPlaying();
            EXPECT_TRUE(rig.device.sounding.empty());
        }
    }
}

TEST(DeviceFaults, ADeviceThatWillNotOpenIsToldOnceAndTheUserIsToldAtEachPick) {
    Rig rig;
    rig.device.fault = Fault::refusesOpen;
    rig.device.messages.clear();
    testing::internal::CaptureStderr();
    rig.open(port, false);  // as at the start of the program
    rig.open(port, false);  // a new workspace
    rig.startPlaying();     // silent, and nothing fails
    EXPECT_TRUE(rig.dialogs.notices.empty());
    rig.open(port, true);   // the user picks it: a notice each time
    rig.open(port, true);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(linesAbout(told, "Capture"), 1) << told;
    const std::string notice = "     The MIDI device \"Capture\" could not be opened.     ";
    EXPECT_EQ(rig.dialogs.notices, (std::vector<std::string>{notice, notice}));
    EXPECT_TRUE(rig.device.messages.empty());

    rig.device.fault = Fault::none;
    rig.open(port, true);
    EXPECT_TRUE(MidiOut::isOpen());
    rig.stopPlaying();
    EXPECT_FALSE(rig.device.messages.empty());
    EXPECT_TRUE(rig.device.sounding.empty());
}

// The notice of a device that stopped opens inside a tick: its passes still play the input.
TEST(DeviceFaults, TheInputPlaysWhileTheNoticeOfAStoppedDeviceIsOpen) {
    MidiInputQueue queue;
    Rig rig;
    test::FakeWindowSystem windows(rig.fixture.clock);
    rig.station.attachMidiInput(&queue);
    rig.dialogs.whileNoticeOpen = [&] {
        queue.push(0x90 | 60u << 8 | 100u << 16);  // key 36
        runBoxPass(rig.station, windows, rig.fixture.clock);
        EXPECT_EQ(rig.station.pianoKeyDown[36], MidiSynth::heldByInput(MidiInputQueue::ownPort));
    };
    rig.open(port, true);
    rig.device.fault = Fault::refusesMessages;
    rig.runFor(1000);
    EXPECT_EQ(rig.dialogs.notices.size(), 1u);
}

TEST(DeviceFaults, AKeyboardUnpluggedWhileKeysAreDownLetsTheirNotesGo) {
    Rig rig;
    struct Input : test::FakeMidiInput {
        explicit Input(MidiSynth& station) : station(station) {
            names = {"Keys"};
            MidiIn::installBackend(this);
            station.attachMidiInput(&MidiIn::queue());
        }
        ~Input() override {
            station.attachMidiInput(nullptr);
            MidiIn::installBackend(nullptr);
        }
        MidiSynth& station;
    } input(rig.station);
    rig.fixture.options->midiInDevice = 0;
    rig.station.openMidiInput();
    for (uint32_t note : {60u, 64u, 67u}) input.queue->push(0x90 | note << 8 | 100u << 16);
    rig.runFor(100);
    ASSERT_EQ(rig.device.sounding.size(), 3u);

    testing::internal::CaptureStderr();
    input.unplugged = true;
    rig.runFor(2000);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told, "Brioletta: the MIDI input device \"Keys\" went away; the notes it held were let go.\n");
    EXPECT_TRUE(rig.device.sounding.empty());
    EXPECT_EQ(input.connected, MidiInputBackend::noDevice);
}

}  // namespace
}  // namespace brio
