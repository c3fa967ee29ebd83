#include <gtest/gtest.h>

#include "StationFixture.h"
#include "accompaniment/Tempo.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

struct StationPlaying : ::testing::Test {
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    std::vector<Message>& sent = fixture.midi.messages;

    void SetUp() override { sent.clear(); }

    // Note-on and note-off messages only.
    std::vector<Message> notes() const {
        std::vector<Message> result;
        for (const Message& m : sent)
            if ((m.status & 0xF0) == 0x90) result.push_back(m);
        return result;
    }
    // The centre of a piano key in window coordinates.
    void mouseOnKey(int key, int& x, int& y) const {
        const Rect r = station.panel.piano.keyRect(key);
        x = station.panel.keyboardLeft + (r.left + r.right) / 2;
        y = station.panel.keyboardTop + r.bottom - 10;
    }
};

TEST_F(StationPlaying, ComputerKeysPlayTheFirstToneAtVelocity100) {
    station.keyDown('Z');  // key 9
    station.keyDown('Z');  // auto-repeat: nothing more
    station.keyUp('Z');
    const std::vector<Message> expected{{10000, 0x90, 33, 100}, {10000, 0x90, 33, 0}};
    EXPECT_EQ(notes(), expected);
    EXPECT_FALSE(station.panel.piano.isDown(9));
}

TEST_F(StationPlaying, HoldingQThroughF6EndsItsNoteBeforeTheRowsMove) {
    station.keyDown('Q');  // key 31 sounds 55
    station.keyDown(117);  // F6
    station.keyUp('Q');    // now key 43: no note of its own to end
    station.keyUp(117);
    const std::vector<Message> expected{{10000, 0x90, 55, 100}, {10000, 0x90, 55, 0}};
    EXPECT_EQ(notes(), expected);
    EXPECT_EQ(station.panel.piano.keyForCode('Q'), 43);
}

TEST_F(StationPlaying, AKeyUpWhosePressWasUndoneLeavesTheMousesKeyAlone) {
    int x = 0, y = 0;
    mouseOnKey(43, x, y);
    // Q's press is undone by F6 (Q then reaches key 43) or by releaseAll; meanwhile the mouse
    // holds key 43. Q's late key-up must not end the mouse's note.
    for (const bool byReleaseAll : {false, true}) {
        station.keyDown(116);  // F5: rows at their own octave
        station.keyUp(116);
        station.keyDown('Q');
        if (byReleaseAll) {
            station.releaseAll();
            station.keyDown(117);
        } else {
            station.keyDown(117);  // F6
        }
        station.keyUp(117);
        station.mouseDown(x, y, 1);
        sent.clear();
        station.keyUp('Q');
        EXPECT_TRUE(station.panel.piano.isDown(43)) << byReleaseAll;
        EXPECT_TRUE(notes().empty()) << byReleaseAll;
        station.mouseUp(x, y, 1, false);
    }
}

TEST_F(StationPlaying, KeysBeyondTheKeyboardAtTheHighestOctaveStartNothing) {
    station.keyStartRhythm = true;
    station.keyStartBass = true;
    station.keyDown(118);  // F7: "=" reaches key 73 and "]" key 74, past the last key 72
    for (const int code : {187, 221}) {
        station.keyDown(code);
        station.keyUp(code);
    }
    EXPECT_FALSE(station.rhythm);
    EXPECT_FALSE(station.bass);
    EXPECT_TRUE(sent.empty());
    station.keyDown(219);  // "[" reaches 72, the last key: it plays and starts both
    EXPECT_TRUE(station.rhythm);
    EXPECT_TRUE(station.bass);
    EXPECT_EQ(notes(), (std::vector<Message>{{10000, 0x90, 96, 100}}));
}

TEST_F(StationPlaying, AKeyHeldByTheMouseIsStruckAgainFromTheKeyboard) {
    int x = 0, y = 0;
    mouseOnKey(12, x, y);
    station.mouseDown(x, y, 1);
    ASSERT_TRUE(station.panel.piano.isDown(12));
    station.keyDown('C');
    const std::vector<Message> expected{{10000, 0x90, 36, 100}, {10000, 0x90, 36, 0}, {10000, 0x90, 36, 100}};
    EXPECT_EQ(notes(), expected);
    EXPECT_EQ(fixture.clock.now, 10030u);  // 30 ms of ticks after the new note-on
}

TEST_F(StationPlaying, TheRightButtonKeepsTheMouseKeyDown) {
    int x = 0, y = 0;
    mouseOnKey(14, x, y);
    station.mouseDown(x, y, 1);
    station.mouseDown(x, y, 2);
    station.mouseUp(x, y, 1, false);
    EXPECT_TRUE(station.panel.piano.isDown(14));
    station.mouseUp(x, y, 2, false);
    EXPECT_FALSE(station.panel.piano.isDown(14));
    EXPECT_EQ(station.mouseKey, -1);
    EXPECT_EQ(notes().size(), 2u);
}

TEST_F(StationPlaying, DraggingOverThePianoPlaysTheKeysPassed) {
    int x = 0, y = 0;
    mouseOnKey(12, x, y);
    station.mouseDown(x, y, 1);
    int x2 = 0, y2 = 0;
    mouseOnKey(14, x2, y2);
    station.mouseMove(x2, y2, true, false);
    station.mouseUp(x2, y2, 1, false);
    const std::vector<Message> expected{{10000, 0x90, 36, 100}, {10000, 0x90, 36, 0},
                                        {10000, 0x90, 38, 100}, {10000, 0x90, 38, 0}};
    EXPECT_EQ(notes(), expected);
}

TEST_F(StationPlaying, WithTheBassOnABassKeyFeedsTheAccompanimentOnly) {
    station.keyDown(120);  // F9: bass on
    station.keyDown('C');  // key 12, below the split at 24
    station.keyUp('C');
    for (int i = 4; i <= 8; ++i) {
        ASSERT_EQ(station.arpeggios[size_t(i)].heldKeys.count(), 1);
        EXPECT_EQ(station.arpeggios[size_t(i)].heldKeys.getConst(0), 12);
    }
    EXPECT_TRUE(notes().empty());
}

TEST_F(StationPlaying, KeyStartOnlyFromBassKeysStartsTheRhythmFromCButNotFromR) {
    station.keyStartRhythm = true;
    fixture.options->keyStartOnlyFromBass = true;
    station.keyDown('R');  // key 36
    EXPECT_FALSE(station.rhythm);
    station.keyDown('C');  // key 12
    EXPECT_TRUE(station.rhythm);
    EXPECT_TRUE(station.drumMachine.active);
}

TEST_F(StationPlaying, PageUpAndDownMoveByAnOctaveWithinTheRange) {
    masterKeyShift = 48;
    station.keyDown(33);
    EXPECT_EQ(masterKeyShift, 48);
    station.keyUp(33);
    masterKeyShift = 0;
    station.keyDown(34);
    EXPECT_EQ(masterKeyShift, 0);
    station.keyUp(34);
    station.keyDown(33);
    EXPECT_EQ(masterKeyShift, 12);
    masterKeyShift = 24;
}

TEST_F(StationPlaying, F1EndsTheNotesOfToneABeforeSwitchingItOff) {
    station.keyDown('Z');
    station.keyDown(112);  // F1
    EXPECT_FALSE(station.instruments[0].active);
    station.keyUp('Z');
    station.keyDown('X');  // tone A is off: silent
    const std::vector<Message> expected{{10000, 0x90, 33, 100}, {10000, 0x90, 33, 0}};
    EXPECT_EQ(notes(), expected);
}

TEST_F(StationPlaying, SpaceHoldsTheSustainOfTheKeyboardInstruments) {
    station.keyDown(32);
    EXPECT_TRUE(station.sustain);
    station.keyUp(32);
    EXPECT_FALSE(station.sustain);
    int pedalOn = 0, pedalOff = 0;
    for (const Message& m : sent) {
        if ((m.status & 0xF0) == 0xB0 && m.data1 == 64 && (m.status & 0x0F) < 4) (m.data2 ? pedalOn : pedalOff)++;
    }
    EXPECT_EQ(pedalOn, 4);
    EXPECT_EQ(pedalOff, 4);
}

TEST_F(StationPlaying, GoingToTheBackgroundReleasesHeldKeysAtTheNextTick) {
    station.keyDown('Z');
    station.tick(false);
    EXPECT_EQ(station.computerKeyDown['Z'], 0);
    const std::vector<Message> expected{{10000, 0x90, 33, 100}, {10000, 0x90, 33, 0}};
    EXPECT_EQ(notes(), expected);
}

TEST_F(StationPlaying, NothingIsDueUntilATimedNoteOrAStepIs) {
    const uint32_t limit = 100;
    const auto due = [&] { return station.msUntilDue(fixture.clock.now, limit); };
    EXPECT_EQ(due(), limit);
    station.keyDown('Z');
    EXPECT_EQ(due(), limit);  // a held note needs no tick
    fixture.clock.advance(3);
    station.instruments[0].playTimed(40, 100, 1);
    EXPECT_EQ(due(), 0u);     // its note-on
    station.tick(true);
    EXPECT_EQ(station.msUntilDue(fixture.clock.now, 1000), 125u);  // its note-off
    station.keyUp('Z');
    fixture.clock.advance(125);
    station.tick(true);
    EXPECT_EQ(due(), limit);
    station.keyDown(121);     // F10: the rhythm's first step comes at once
    EXPECT_EQ(due(), 0u);
    station.tick(true);
    EXPECT_EQ(due(), 100u);   // the next step, 125 ms away, is beyond the limit
}

}  // namespace
}  // namespace brio

namespace brio {
namespace {

TEST(StationWithABadLibrary, PlaysWhatItCanWithoutCrashing) {
    test::StationEnvironment env;
    test::writeFile(env.folder.path("styles.cfg"),
                    "<Pelmora Base Styles>\r\n<arp100>\r\nname=Huge\r\nlength=2000000000\r\n"
                    "36;100;0;1\r\n999;300;0;1\r\n-5;-5;0;nan\r\n2147483647;100;1;1e300\r\n\x01\x02;;;\r\n"
                    "</arp100>\r\n<arp101>\r\nlength=-3\r\n48;100;0;1\r\n60;127;0;99999999\r\n</arp101>\r\n"
                    "<style11>\r\nname=Broken\r\nbpm=-40\r\nstepsPerBeat=0\r\nshuffle=7\r\nmode0=1\r\narp0=100\r\n"
                    "mode1=3\r\narp1=101\r\nprog1=900\r\nvol1=-20\r\nkey1=2000000000\r\nmode2=2\r\narp2=4000\r\n"
                    "</style11>\r\n<style12>\r\nname=unclosed\r\n</Pelmora Base Styles>\r\n");
    RecentFiles workspaces("recentS.cfg", 10), recordings("recentR.cfg", 10);
    StyleLibrary library;
    Options options(1920);
    MidiSynth station(library, options, workspaces, recordings);
    EXPECT_EQ(library.style(11).name, "Broken");
    station.keyDown(120);  // F9: bass
    station.keyDown(121);  // F10: rhythm
    station.keyDown('C');
    for (int ms = 0; ms < 3000; ++ms) {
        env.clock.advance(1);
        station.tick(true);
    }
    int kicks = 0;
    for (const auto& m : env.midi.messages) {
        EXPECT_LE(m.data1, 127);
        EXPECT_LE(m.data2, 127);
        if (m.status == 0x99 && m.data1 == 36 && m.data2 == 100) ++kicks;
    }
    EXPECT_GE(kicks, 1);  // the one playable drum note still sounds
}

}  // namespace
}  // namespace brio
