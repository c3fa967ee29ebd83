// A keyboard on the MIDI input plays the station as the computer keyboard does.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <tuple>
#include <vector>

#include "StationFixture.h"
#include "midi/MidiInputQueue.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

constexpr uint32_t pack(int status, int data1, int data2 = 0) {
    return uint32_t(status) | uint32_t(data1) << 8 | uint32_t(data2) << 16;
}

class StationInput : public testing::Test {
protected:
    void SetUp() override {
        station.attachMidiInput(&queue);
        sent.clear();
    }
    void TearDown() override { station.attachMidiInput(nullptr); }

    // The messages arrive from the input and the main loop takes them.
    void play(std::initializer_list<uint32_t> messages) {
        for (uint32_t packed : messages) ASSERT_TRUE(queue.push(packed));
        station.drainMidiInput();
    }
    // Channel, note and velocity of every note message sent, in order.
    std::vector<std::tuple<int, int, int>> notes() const {
        std::vector<std::tuple<int, int, int>> found;
        for (const Message& m : sent)
            if ((m.status & 0xF0) == 0x90) found.emplace_back(m.status & 0x0F, m.data1, m.data2);
        return found;
    }
    std::vector<int> drawnKeys() const {
        std::vector<int> keys;
        for (int key = 0; key < MidiSynth::pianoKeySlots; ++key)
            if (station.pianoKeyDown[size_t(key)]) keys.push_back(key);
        return keys;
    }

    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    std::vector<Message>& sent = fixture.midi.messages;
    MidiInputQueue queue;
};

// Every note sounds as played (key = note - masterKeyShift) at its velocity; notes beyond the
// drawn keys sound without a drawn key; a note-on of velocity 0 ends the note; the release
// finds the key the note took even after an octave shift.
TEST_F(StationInput, NotesPlayTheirOwnPitchAtTheirVelocity) {
    struct Row {
        int shift, note, velocity;
        std::vector<int> drawn;  // while held
    };
    const Row rows[] = {{24, 60, 90, {36}}, {24, 24, 1, {0}},  {24, 96, 127, {72}}, {36, 60, 64, {24}},
                        {0, 72, 50, {72}},  {24, 23, 80, {}},  {24, 97, 80, {}},    {48, 0, 100, {}},
                        {0, 127, 100, {}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "shift " << row.shift << " note " << row.note);
        station.setMasterKeyShift(row.shift);
        sent.clear();
        play({pack(0x93, row.note, row.velocity)});
        EXPECT_EQ(notes(), (std::vector<std::tuple<int, int, int>>{{0, row.note, row.velocity}}));
        EXPECT_EQ(drawnKeys(), row.drawn);
        play({pack(0x90, row.note, 0)});
        EXPECT_EQ(notes().size(), 2u);
        EXPECT_EQ(notes().back(), std::make_tuple(0, row.note, 0));
        EXPECT_TRUE(drawnKeys().empty());
    }
    // Held across an octave shift (which ends the sound), the note-off still lets go of its key.
    station.setMasterKeyShift(24);
    play({pack(0x90, 60, 100)});
    station.setMasterKeyShift(36);
    play({pack(0x80, 60, 0)});
    EXPECT_TRUE(drawnKeys().empty());
}

// Bass keys, key start and the arpeggiators take input notes as they take computer keys.
TEST_F(StationInput, BassKeysKeyStartAndArpeggiosFollowTheInput) {
    station.keyStartRhythm = true;
    station.bass = true;
    station.controlChanged(&station.bass);
    play({pack(0x90, 30, 100)});  // key 6, below the split
    EXPECT_TRUE(station.rhythm);
    for (int i = 4; i <= 8; ++i) EXPECT_EQ(station.arpeggios[size_t(i)].heldKeys.getConst(0), 6) << i;
    const auto onToneA = [](const std::tuple<int, int, int>& note) { return std::get<0>(note) == 0; };
    EXPECT_TRUE(std::none_of(notes().begin(), notes().end(), onToneA));
    station.arpeggios[0].active = true;
    play({pack(0x90, 64, 100), pack(0x90, 67, 100)});
    ASSERT_EQ(station.arpeggios[0].heldKeys.count(), 2);
    EXPECT_EQ(station.arpeggios[0].heldKeys.getConst(0), 40);
    EXPECT_EQ(station.arpeggios[0].heldKeys.getConst(1), 43);
}

// The velocity curve bends every note-on (0 still ends the note), and a keyboard arpeggiator
// plays its pattern (a note written at 90) at the strength of the keys.
TEST_F(StationInput, TheVelocityCurveBendsTheNotesAndArpeggiosPlayAtTheStrengthPlayed) {
    const std::pair<VelocityCurve, std::array<int, 4>> rows[] = {{VelocityCurve::linear, {1, 32, 64, 127}},
                                                                 {VelocityCurve::soft, {7, 56, 84, 127}},
                                                                 {VelocityCurve::hard, {1, 13, 41, 127}},
                                                                 {VelocityCurve::fixed, {100, 100, 100, 100}}};
    for (const auto& [curve, heard] : rows) {
        fixture.options->inputVelocityCurve = int32_t(curve);
        sent.clear();
        for (int played : {1, 32, 64, 127}) play({pack(0x90, 60, played), pack(0x90, 60, 0)});
        for (size_t i = 0; i < heard.size(); ++i)
            EXPECT_EQ(notes()[2 * i], std::tuple(0, 60, heard[i])) << velocityCurveName(curve) << " " << i;
    }
    ArpeggioStyle& pattern = fixture.library->pattern(7);
    pattern.notes.clear();
    pattern.notes.append(ArpeggioNote{48, 90, 0, 1.0});
    station.arpeggios[0].arpIdx = 7;
    station.arpeggios[0].active = true;
    for (const auto& [played, heard] : {std::pair{50, 45}, std::pair{100, 90}, std::pair{127, 114}}) {
        station.pressPianoKey(12, played);
        sent.clear();
        station.arpeggios[0].step(0);
        station.instruments[0].service();
        station.releasePianoKey(12);
        EXPECT_EQ(notes().back(), std::tuple(0, 36, heard)) << played;  // key 12, as written at 48
    }
}

// The pedal works the sustain switch; modulation, pressure and bend go to the active keyboard
// instruments' channels; a program change sets the selected tone; the rest is ignored.
TEST_F(StationInput, ControllersPedalBendAndProgramChange) {
    station.toggleInstrument(2);  // tones A and C on
    struct Row {
        uint32_t message;
        std::vector<Message> expected;
    };
    const Row rows[] = {
        {pack(0xB5, 64, 127), {{10000, 0xB0, 64, 127}, {10000, 0xB1, 64, 127}, {10000, 0xB2, 64, 127},
                               {10000, 0xB3, 64, 127}}},
        {pack(0xB5, 64, 100), {}},  // already down
        {pack(0xB0, 64, 10), {{10000, 0xB0, 64, 0}, {10000, 0xB1, 64, 0}, {10000, 0xB2, 64, 0},
                              {10000, 0xB3, 64, 0}}},
        {pack(0xB0, 64, 64), {{10000, 0xB0, 64, 127}, {10000, 0xB1, 64, 127}, {10000, 0xB2, 64, 127},
                              {10000, 0xB3, 64, 127}}},  // 64: down, 63: up
        {pack(0xB0, 64, 63), {{10000, 0xB0, 64, 0}, {10000, 0xB1, 64, 0}, {10000, 0xB2, 64, 0},
                              {10000, 0xB3, 64, 0}}},
        {pack(0xB7, 1, 99), {{10000, 0xB0, 1, 99}, {10000, 0xB2, 1, 99}}},
        {pack(0xE4, 5, 90), {{10000, 0xE0, 5, 90}, {10000, 0xE2, 5, 90}}},
        {pack(0xD1, 77), {{10000, 0xD0, 77, 0}, {10000, 0xD2, 77, 0}}},
        {pack(0xC9, 40), {{10000, 0xC0, 40, 0}}},
        {pack(0xB0, 7, 10), {}},
        {pack(0xA0, 60, 10), {}},
        {pack(0xB0, 123, 0), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.message);
        sent.clear();
        play({row.message});
        EXPECT_EQ(sent, row.expected);
    }
    EXPECT_FALSE(station.sustain);
    EXPECT_EQ(station.instruments[0].program, 40);
    EXPECT_EQ(station.programBank * 8 + station.programInBank, 40);
}

// A key sounds while any source holds it: the computer keyboard and each input let go of their
// own hold only, and the chord reading (the held keys) keeps the key until the last lets go.
TEST_F(StationInput, AKeySoundsWhileAnySourceHoldsIt) {
    station.keyDown('Z');  // key 9, where note 33 of the inputs plays; inputs 0 and 1 strike it again
    play({pack(0x90, 33, 90), pack(0x90, 33, 80) | 1u << 24, pack(0x80, 33)});
    station.keyUp('Z');
    EXPECT_EQ(drawnKeys(), std::vector<int>{9});
    EXPECT_EQ(notes(), (std::vector<std::tuple<int, int, int>>{
                           {0, 33, 100}, {0, 33, 0}, {0, 33, 90}, {0, 33, 0}, {0, 33, 80}}));
    play({pack(0x80, 33) | 1u << 24});
    EXPECT_EQ(notes().back(), std::make_tuple(0, 33, 0));
}

// The loop may look while an announced message is still being written into its cell (here:
// taken out before it looks): the look takes the announcement, so the next message wakes it.
TEST_F(StationInput, ALookAtAnEmptyQueueLetsTheNextMessageWakeTheLoop) {
    int wakes = 0;
    queue.setWaker([&wakes] { ++wakes; });
    uint32_t packed = 0;
    ASSERT_TRUE(queue.push(pack(0x90, 60, 100)) && queue.pop(packed));
    station.drainMidiInput();
    ASSERT_TRUE(queue.push(pack(0x80, 60)));
    EXPECT_EQ(wakes, 2);
}

// A flood is taken a batch per pass: the loop comes straight back for the rest, nothing held
// stays held, and the input held by a device that is changed is let go.
TEST_F(StationInput, AFloodIsTakenABatchAPassAndChangingTheDeviceLetsGo) {
    for (int i = 0; i < 8000; ++i) {
        ASSERT_TRUE(queue.push(pack(0x90, 40 + i % 40, 100)));
        ASSERT_TRUE(queue.push(pack(0x80, 40 + i % 40, 0)));
    }
    int passes = 0;
    while (!queue.empty()) {
        EXPECT_EQ(station.msUntilDue(fixture.clock.milliseconds(), 100), 0u);
        station.tick(true);
        ++passes;
    }
    EXPECT_EQ(passes, int(16000 / MidiSynth::inputBatch) + 1);
    EXPECT_TRUE(drawnKeys().empty());
    EXPECT_EQ(notes().size(), 16000u);

    play({pack(0x90, 60, 100), pack(0x90, 10, 100)});
    sent.clear();
    station.releaseInputNotes();
    EXPECT_EQ(notes(), (std::vector<std::tuple<int, int, int>>{{0, 10, 0}, {0, 60, 0}}));
    EXPECT_TRUE(drawnKeys().empty());
}

}  // namespace
}  // namespace brio
