#include <gtest/gtest.h>

#include <map>

#include "StationFixture.h"
#include "midi/Recorder.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;
using Messages = std::vector<Message>;

struct GuardStation : ::testing::Test {
    GuardStation() { recorder() = Recorder(); }
    ~GuardStation() override { recorder() = Recorder(); }
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    Messages& sent = fixture.midi.messages;

    void press(int code) { station.keyDown(code), station.keyUp(code); }
    void runFor(uint32_t ms) {
        for (uint32_t i = 0; i < ms; ++i) station.tick(true), fixture.clock.advance(1);
    }
    static Messages notesOf(const Messages& all) {
        Messages notes;
        for (const Message& m : all) if ((m.status & 0xF0) == 0x90) notes.push_back(m);
        return notes;
    }
    // Everything from opening a take until the station's own mix is back, timed from the start.
    Messages play(const std::string& name) {
        station.openRecentRecording(fixture.folder.path(name));
        const uint32_t start = fixture.clock.now;
        sent.clear();
        for (int ms = 0; station.playing && ms < 5000; ++ms) runFor(1);
        for (Message& m : sent) m.time -= start;
        return sent;
    }
};

// A take sounds the same every time; a longer take after a shorter one plays from its first note.
TEST_F(GuardStation, TakesReplayIdenticallyEachFromItsStart) {
    const std::string head = std::string(Recorder::magic) + "\r\n";
    ASSERT_TRUE(test::writeFile(fixture.folder.path("short"), head + "0;144;60;100;\r\n40;144;60;0;\r\n"));
    ASSERT_TRUE(test::writeFile(fixture.folder.path("long"),
                                head + "0;144;62;100;\r\n100;144;64;90;\r\n300;144;62;0;\r\n300;144;64;0;\r\n"));
    const std::map<std::string, Messages> notes{
        {"short", {{0, 0x90, 60, 100}, {40, 0x90, 60, 0}}},
        {"long", {{0, 0x90, 62, 100}, {100, 0x90, 64, 90}, {300, 0x90, 62, 0}, {300, 0x90, 64, 0}}}};
    std::map<std::string, Messages> first;
    for (const std::string name : {"short", "short", "long", "short", "long"}) {
        const Messages heard = play(name);
        EXPECT_EQ(notesOf(heard), notes.at(name)) << name;
        EXPECT_EQ(heard, first.emplace(name, heard).first->second) << name;  // all of it, as before
    }
}

// F1, F2 and F3 each switch their own tone on or off, and no other instrument changes.
TEST_F(GuardStation, EachOfF1ToF3SwitchesOnlyItsOwnTone) {
    const auto actives = [&] {
        std::vector<bool> on;
        for (const Instrument& instrument : station.instruments) on.push_back(instrument.active);
        return on;
    };
    for (const int tone : {0, 1, 2, 0, 2, 1}) {
        std::vector<bool> expected = actives();
        expected[size_t(tone)] = !expected[size_t(tone)];
        press(112 + tone);
        EXPECT_EQ(actives(), expected) << "F" << tone + 1;
    }
}

// At each octave of F5, F6 and F7 every key of the lower block (7..29) and of the moved upper
// block (30..50) has exactly one computer key, and no other code plays; the Z and Q rows play
// white keys, the A and number rows black ones (or nothing, where the octave has no black key).
TEST_F(GuardStation, EveryOctaveShiftGivesEachBlockKeyOneCodeAndTheRowsTheirColour) {
    const std::vector<int> whiteRows{'Z', 'X', 'C', 'V', 'B', 'N', 'M', 188, 190, 191, 'Q',
                                     'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 219, 221};
    const std::vector<int> blackRows{'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 186, 222, '1',
                                     '2', '3', '4', '5', '6', '7', '8', '9', '0', 189, 187};
    const PianoKeyboard& piano = station.panel.piano;
    for (const int fKey : {117, 118, 116, 118, 117, 116}) {
        press(fKey);
        std::map<int, int> codesPerKey, expected;
        for (int code = -1; code <= 256; ++code)
            if (piano.keyForCode(code) != -1) ++codesPerKey[piano.keyForCode(code)];
        for (int key = 7; key <= 50; ++key) expected[key < 30 ? key : key + 12 * (fKey - 116)] = 1;
        EXPECT_EQ(codesPerKey, expected) << "F" << fKey - 111;
        for (int code : whiteRows) EXPECT_TRUE(PianoKeyboard::isWhite(piano.keyForCode(code))) << code;
        for (int code : blackRows)
            EXPECT_FALSE(piano.keyForCode(code) >= 0 && PianoKeyboard::isWhite(piano.keyForCode(code))) << code;
    }
}

// After a second with nothing playing, the first key starts its pattern at step 0 in that very
// millisecond: an arpeggio on tone A (key R), then the rhythm and bass started by bass key C.
TEST_F(GuardStation, TheFirstKeyAfterAnIdleSecondStartsThePatternAtStepZero) {
    fixture.library->pattern(3).notes.append(ArpeggioNote{48, 90, 0, 1.0});
    fixture.library->pattern(5).notes.append(ArpeggioNote{36, 100, 0, 1.0});  // drums
    BaseStyle& style = fixture.library->style(0);
    style.name = "Idle";
    style.mode = {partOn, partOn, partOff, partOff, partOff};
    style.arp = {5, 3, 0, 0, 0};
    station.selectStyle(0, true);
    station.arpeggios[0].arpIdx = 3;
    station.arpeggioSwitch = true;
    station.controlChanged(&station.arpeggioSwitch);
    for (int round = 0; round < 6; ++round) {
        const bool keyStart = round >= 3;
        if (round == 3) {
            station.arpeggioSwitch = false;
            station.controlChanged(&station.arpeggioSwitch);
            fixture.options->autoStopBass = station.keyStartRhythm = station.keyStartBass = true;
        }
        fixture.clock.advance(1000);  // nothing runs: the loop waits without ticking
        sent.clear();
        const uint32_t t = fixture.clock.now;
        station.keyDown(keyStart ? 'C' : 'R');
        runFor(5);
        const Messages stepZero = keyStart ? Messages{{t, 0x94, 36, 90}, {t, 0x99, 36, 100}}
                                           : Messages{{t, 0x90, 60, 90}};
        EXPECT_EQ(notesOf(sent), stepZero) << round;
        runFor(300);
        station.keyUp(keyStart ? 'C' : 'R');
        if (keyStart) press(121);  // F10: the rhythm stops and takes the bass with it
        runFor(300);
    }
}

// A stored output number at or beyond the device count (a port that went away) opens the
// built-in synthesizer, at the start and when the device is opened again.
TEST(GuardStationDevice, ANumberAtOrBeyondTheDeviceCountOpensTheMapper) {
    test::StationEnvironment env;
    env.midi.names = {"Through Port", "Second Synth"};
    for (const auto& [stored, opened] : std::vector<std::pair<int, int>>{{0, 0}, {2, -1}, {1, 1}, {3, -1}, {2, -1}}) {
        {
            Options saved(1920);  // written to options.cfg when it goes
            saved.midiDevice = stored;
        }
        env.midi.openedDevice = -2;
        RecentFiles workspaces("recentS.cfg", 10), recordings("recentR.cfg", 10);
        StyleLibrary library;
        Options options(1920);
        MidiSynth station(library, options, workspaces, recordings);
        EXPECT_EQ(env.midi.openedDevice, opened) << stored << " at the start";
        options.midiDevice = opened == 0 ? 1 : 0;  // another device, then the stored number again
        station.openMidiDevice(false);
        options.midiDevice = stored;
        station.openMidiDevice(false);
        EXPECT_EQ(env.midi.openedDevice, opened) << stored << " opened again";
    }
}

// The pedal (Space) reaches the four keyboard channels and no other, down and up, every time.
TEST_F(GuardStation, TheSustainPedalSendsController64OnChannels0To3Only) {
    for (const uint8_t value : {127, 0, 127, 0}) {
        sent.clear();
        value ? station.keyDown(32) : station.keyUp(32);
        const uint32_t t = fixture.clock.now;
        EXPECT_EQ(sent, (Messages{{t, 0xB0, 64, value}, {t, 0xB1, 64, value}, {t, 0xB2, 64, value},
                                  {t, 0xB3, 64, value}}));
        runFor(7);
    }
}

// Stopping a playback, by the switch or at its end, silences all 16 channels in that very
// millisecond (all notes off, pedal up), before the pause that brings the station's mix back.
TEST_F(GuardStation, StoppingAPlaybackSilencesEveryChannelAtTheMomentOfTheStop) {
    const std::string take = std::string(Recorder::magic) + "\r\n0;144;60;100;\r\n100;144;60;0;\r\n";
    ASSERT_TRUE(test::writeFile(fixture.folder.path("take"), take));
    for (const bool bySwitch : {true, false, true}) {
        station.openRecentRecording(fixture.folder.path("take"));
        runFor(50);
        uint32_t stop = fixture.clock.now;
        sent.clear();
        if (bySwitch) station.playing = false, station.controlChanged(&station.playing);
        while (station.playing) {
            sent.clear(), stop = fixture.clock.now, station.tick(true);
            if (station.playing) fixture.clock.advance(1);
        }
        // At the end the take's last note-off and the player's end marker come first.
        Messages expected = bySwitch ? Messages{} : Messages{{stop, 0x90, 60, 0}, {stop, 0xBF, 7, 0}};
        for (uint8_t channel = 0; channel < 16; ++channel) {
            expected.push_back({stop, uint8_t(0xB0 + channel), 123, 0});
            expected.push_back({stop, uint8_t(0xB0 + channel), 64, 0});
        }
        Messages atStop;
        for (const Message& m : sent) if (m.time == stop) atStop.push_back(m);
        EXPECT_EQ(atStop, expected) << (bySwitch ? "by the switch" : "at the end");
    }
}

}  // namespace
}  // namespace brio
