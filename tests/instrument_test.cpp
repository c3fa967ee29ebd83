#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "StationFixture.h"
#include "accompaniment/Instrument.h"
#include "accompaniment/Tempo.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

struct InstrumentTest : ::testing::Test {
    test::StationEnvironment env{1000};
    std::vector<Message>& sent = env.midi.messages;

    void SetUp() override {
        ASSERT_TRUE(MidiOut::open(0));
        tempo = 0.5;
        stepsPerBeat = 4;
        masterKeyShift = 24;
    }

    Instrument activeInstrument(int channel) {
        Instrument instrument(channel);
        instrument.active = true;
        return instrument;
    }
    // Advances the clock one millisecond at a time, servicing like the station's tick.
    void runFor(Instrument& instrument, uint32_t ms) {
        for (uint32_t i = 0; i < ms; ++i) {
            env.clock.advance(1);
            instrument.service();
        }
    }
};

TEST_F(InstrumentTest, AOneStepNoteLasts125MillisecondsAt120Bpm) {
    EXPECT_EQ(stepLengthMs(), 125);
    Instrument piano = activeInstrument(0);
    piano.playTimed(36, 90, 1);
    piano.service();
    runFor(piano, 200);
    const std::vector<Message> expected{{1000, 0x90, 60, 90}, {1125, 0x90, 60, 0}};
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(piano.notes.empty());
}

TEST_F(InstrumentTest, AHalfStepDrumNoteLasts62Milliseconds) {
    Instrument drums = activeInstrument(9);
    drums.playTimed(36, 100, 0.5);
    drums.service();
    runFor(drums, 100);
    const std::vector<Message> expected{{1000, 0x99, 36, 100}, {1062, 0x99, 36, 0}};
    EXPECT_EQ(sent, expected);
}

TEST_F(InstrumentTest, ANewNoteOnASoundingKeyEndsTheOldOneFirst) {
    Instrument piano = activeInstrument(0);
    piano.press(36, 100);
    env.clock.advance(10);
    piano.playTimed(36, 80, 2);
    piano.service();
    const std::vector<Message> expected{{1000, 0x90, 60, 100}, {1010, 0x90, 60, 0}, {1010, 0x90, 60, 80}};
    EXPECT_EQ(sent, expected);
    ASSERT_EQ(piano.notes.size(), 1u);
    EXPECT_FALSE(piano.notes[0].held);
}

TEST_F(InstrumentTest, ReleaseEndsOnlyHeldNotesOfThatKey) {
    Instrument piano = activeInstrument(0);
    piano.playTimed(40, 100, 4);  // a timed pattern note on the same key keeps its end
    piano.press(36, 100);
    sent.clear();
    env.clock.advance(5);
    piano.release(40);
    EXPECT_TRUE(sent.empty());
    piano.release(36);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (Message{1005, 0x90, 60, 0}));
    runFor(piano, 600);
    EXPECT_EQ(sent.back(), (Message{1500, 0x90, 64, 0}));
}

TEST_F(InstrumentTest, SetProgramDropsPendingNotesAndLetsSoundingOnesEnd) {
    Instrument piano = activeInstrument(0);
    piano.playTimed(36, 100, 1);
    piano.service();
    env.clock.advance(1);
    piano.playTimed(38, 100, 1);  // pending until the next service
    piano.setProgram(7);
    runFor(piano, 200);
    const std::vector<Message> expected{{1000, 0x90, 60, 100}, {1001, 0xC0, 7, 0}, {1125, 0x90, 60, 0}};
    EXPECT_EQ(sent, expected);
}

TEST_F(InstrumentTest, KeysMapWithTranspositionAndTheRightOffset) {
    Instrument accompaniment = activeInstrument(4);
    accompaniment.transpose = -12;
    EXPECT_EQ(accompaniment.mappedKey(40), 52);
    Instrument drums = activeInstrument(9);
    EXPECT_EQ(drums.mappedKey(40), 40);
    Instrument keyboard = activeInstrument(0);
    keyboard.followsMasterKeyShift = true;
    masterKeyShift = 36;
    EXPECT_EQ(keyboard.mappedKey(40), 76);
    keyboard.transpose = 2'000'000'000;  // from a hostile file: no overflow, dropped later
    EXPECT_EQ(keyboard.mappedKey(2'000'000'000), -1);
}

TEST_F(InstrumentTest, AnInactiveInstrumentTakesNoNewNotesButEndsItsOldOnes) {
    Instrument piano = activeInstrument(0);
    piano.press(36, 100);
    piano.active = false;
    piano.press(38, 100);
    piano.playTimed(39, 100, 1);
    EXPECT_EQ(piano.notes.size(), 1u);
    piano.cutAll();
    const std::vector<Message> expected{{1000, 0x90, 60, 100}, {1000, 0x90, 60, 0}};
    EXPECT_EQ(sent, expected);
}

TEST_F(InstrumentTest, CutAllEndsPendingAndSoundingNotes) {
    Instrument piano = activeInstrument(2);
    piano.press(36, 100);
    piano.playTimed(37, 100, 1);
    sent.clear();
    piano.cutAll();
    const std::vector<Message> expected{{1000, 0x92, 60, 0}, {1000, 0x92, 61, 0}};
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(piano.notes.empty());
}

TEST_F(InstrumentTest, VolumeCarriesTheLevelAndTheInstrumentsOwnVolume) {
    Instrument piano(1);
    piano.sendVolume(1.0);
    piano.volume = 0.5;
    piano.sendVolume(1.0);
    piano.volume = 1.0;
    piano.sendVolume(0.8 * 0.5);
    piano.sendVolume(1.5);  // beyond 127: dropped
    const std::vector<Message> expected{{1000, 0xB1, 7, 127}, {1000, 0xB1, 7, 63}, {1000, 0xB1, 7, 51}};
    EXPECT_EQ(sent, expected);
}

TEST_F(InstrumentTest, NotesEndOnTimeAcrossTheClocksWrap) {
    env.clock.set(0xFFFFFFF0u);
    Instrument piano = activeInstrument(0);
    piano.playTimed(36, 100, 1);
    piano.service();
    runFor(piano, 124);
    EXPECT_EQ(sent.size(), 1u);
    runFor(piano, 1);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].time, 0xFFFFFFF0u + 125u);
}

TEST_F(InstrumentTest, ResetSendsProgramZeroAndRestoresDefaults) {
    Instrument piano = activeInstrument(3);
    piano.program = 40;
    piano.pan = 0.1;
    piano.transpose = 5;
    piano.followsMasterKeyShift = true;
    piano.reset();
    EXPECT_FALSE(piano.active);
    EXPECT_EQ(piano.pan, 0.5);
    EXPECT_EQ(piano.transpose, 0);
    EXPECT_FALSE(piano.followsMasterKeyShift);
    EXPECT_EQ(sent, (std::vector<Message>{{1000, 0xC3, 0, 0}}));
}

// The service as it first was: a pass restarted from the top after every twin it ended.
// Kept as the reference for the order of the messages.
std::vector<Message> quadraticService(std::vector<Note> notes, uint32_t from, uint32_t to) {
    std::vector<Message> out;
    for (uint32_t now = from; now < to; ++now) {
        const auto due = [now](uint32_t when) { return int32_t(now - when) >= 0; };
        size_t i = 0;
        while (i < notes.size()) {
            Note& note = notes[i];
            if (!note.sounding && due(note.start)) {
                const auto twin = std::find_if(notes.begin(), notes.end(), [&](const Note& other) {
                    return other.sounding && other.key == note.key && other.channel == note.channel;
                });
                if (twin != notes.end()) {
                    out.push_back({now, uint8_t(0x90 + twin->channel), uint8_t(twin->key), 0});
                    notes.erase(twin);
                    i = 0;
                    continue;
                }
                out.push_back({now, uint8_t(0x90 + note.channel), uint8_t(note.key), uint8_t(note.velocity)});
                note.sounding = true;
            }
            if (note.sounding && !note.held && due(note.end)) {
                out.push_back({now, uint8_t(0x90 + note.channel), uint8_t(note.key), 0});
                notes.erase(notes.begin() + std::ptrdiff_t(i));
                continue;
            }
            ++i;
        }
    }
    return out;
}

// 5,000 notes on one step, many on the same keys and of every length, held ones among them,
// played through two steps: every note starts and ends in the order the reference gives.
TEST_F(InstrumentTest, ThousandsOfNotesOnOneStepPlayInTheReferenceOrder) {
    Instrument instrument = activeInstrument(3);
    instrument.press(60, 90);  // already sounding when the step comes
    for (int n = 0; n < 5000; ++n) {
        const int key = 30 + (n * 7) % 61;
        if (n % 97 == 0) instrument.playTimed(key, 1 + n % 127, Instrument::untilReleased);
        else instrument.playTimed(key, 1 + n % 127, double(n % 5) * 0.5);
    }
    const std::vector<Note> before = instrument.notes;
    const uint32_t start = env.clock.milliseconds();
    sent.clear();
    for (uint32_t ms = 0; ms < 250; ++ms) {
        instrument.service();
        env.clock.advance(1);
    }
    EXPECT_EQ(sent, quadraticService(before, start, start + 250));
    EXPECT_GT(sent.size(), 5000u);
}

TEST(Tempo, StepLengthAndTextFollowTheFraction) {
    const double savedTempo = tempo;
    const int32_t savedSteps = stepsPerBeat;
    tempo = 0.5;
    stepsPerBeat = 4;
    EXPECT_EQ(tempoText(), "120 BPM");
    EXPECT_EQ(stepLengthMs(), 125);
    stepsPerBeat = 0;  // taken as 1
    EXPECT_EQ(stepLengthMs(), 500);
    tempo = 7.0;  // clamped to 220 bpm
    stepsPerBeat = 3;
    EXPECT_EQ(stepLengthMs(), 90);
    EXPECT_DOUBLE_EQ(fractionFromBpm(120), 0.5);
    EXPECT_DOUBLE_EQ(fractionFromBpm(500), 1.0);
    EXPECT_DOUBLE_EQ(fractionFromBpm(0), 0.0);
    tempo = savedTempo;
    stepsPerBeat = savedSteps;
}

}  // namespace
}  // namespace brio
