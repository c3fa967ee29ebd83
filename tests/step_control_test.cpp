#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "StationFixture.h"
#include "accompaniment/Arpeggio.h"
#include "accompaniment/DrumMachine.h"
#include "accompaniment/Instrument.h"
#include "accompaniment/StepControl.h"
#include "accompaniment/StyleLibrary.h"
#include "accompaniment/TapTempo.h"
#include "accompaniment/Tempo.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

// Remembers when each step was announced, in milliseconds after `origin`.
struct StepLog : StepControlTarget {
    void step(int n) override {
        steps.push_back(n);
        times.push_back(systemClock().milliseconds() - origin);
    }
    static constexpr uint32_t startMs = 1000;
    uint32_t origin = startMs;
    std::vector<int> steps;
    std::vector<uint32_t> times;
};

struct PlayerTest : ::testing::Test {
    test::StationEnvironment env{StepLog::startMs};
    std::vector<Message>& sent = env.midi.messages;
    std::unique_ptr<StyleLibrary> library = std::make_unique<StyleLibrary>();
    StepControl clock;
    StepLog log;

    void SetUp() override {
        ASSERT_TRUE(MidiOut::open(0));
        clock.resetSettings();
        clock.resetPosition();
        clock.running = true;
        clock.targets.push_back(&log);
    }
    // The station's loop: a tick, then the instruments, once per millisecond of manual time.
    void runFor(uint32_t ms, std::vector<Instrument*> instruments = {}) {
        for (uint32_t i = 0; i < ms; ++i) {
            clock.tick();
            for (Instrument* instrument : instruments) instrument->service();
            env.clock.advance(1);
        }
    }
    // Starts the clock over from now, with an empty log.
    void restart() {
        clock.resetPosition();
        log.steps.clear();
        log.times.clear();
        log.origin = systemClock().milliseconds();
    }
    ArpeggioStyle& pattern(int index, int length, std::vector<ArpeggioNote> notes) {
        ArpeggioStyle& p = library->pattern(index);
        p.length = length;
        for (const ArpeggioNote& note : notes) p.notes.append(note);
        return p;
    }
    static Instrument activeInstrument(int channel) {
        Instrument instrument(channel);
        instrument.active = true;
        return instrument;
    }
};

using StepControlTest = PlayerTest;
using DrumMachineTest = PlayerTest;
using ArpeggioTest = PlayerTest;

TEST_F(StepControlTest, StepsFollowEvery125MillisecondsAt120BpmStartingAtOnce) {
    runFor(1001);
    EXPECT_EQ(log.steps, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(log.times, (std::vector<uint32_t>{0, 125, 250, 375, 500, 625, 750, 875, 1000}));
}

TEST_F(StepControlTest, FullShuffleStretchesTheFirstHalfOfEachGroupOfFour) {
    shuffle = 1.0;
    runFor(1001);
    // 166.7 and 83.3 ms steps on a 1 ms tick: each step comes at the first tick at or after
    // its ideal time, time past a boundary counting at the next step's speed, so the groove
    // never drifts (every group ends on its 500 ms mark).
    const std::vector<uint32_t> swung{0, 167, 334, 417, 500, 667, 834, 917, 1000};
    EXPECT_EQ(log.times, swung);

    for (double beyond : {3.0, -2.0}) {
        const double same = beyond > 0 ? 1.0 : 0.0;
        std::vector<uint32_t> expected;
        for (double value : {same, beyond}) {
            shuffle = value;
            restart();
            runFor(1001);
            if (value == same) expected = log.times;
        }
        EXPECT_EQ(log.times, expected) << beyond;
    }
}

// Over two minutes of swung playing at tempos and shuffles that do not divide the tick, every
// group of four steps still starts at the first tick at or after its straight-time mark.
TEST_F(StepControlTest, ASwungGrooveNeverDriftsOffItsGrid) {
    for (const auto& [bpm, swing] : {std::pair{170, 1.0}, std::pair{120, 0.6}, std::pair{97, 0.35}}) {
        SCOPED_TRACE(testing::Message() << bpm << " bpm, shuffle " << swing);
        setTempoFromBpm(bpm);
        shuffle = swing;
        restart();
        runFor(120000);
        const double stepMs = 60000.0 / bpmFromFraction(tempo) / 4;
        for (size_t i = 0; i < log.steps.size(); ++i) {
            if (log.steps[i] % 4 != 0) continue;
            const double ideal = log.steps[i] * stepMs;
            ASSERT_GE(double(log.times[i]), ideal - 1e-6) << "step " << log.steps[i];
            ASSERT_LE(double(log.times[i]), ideal + 1.0) << "step " << log.steps[i];  // rounding at an exact mark
        }
    }
}

TEST_F(StepControlTest, AGapOfMoreThan500MillisecondsIsDroppedNotMadeUp) {
    runFor(200);  // steps 0 and 1; the position stands at 1.592 steps
    env.clock.advance(500);  // 501 ms from the last tick to the next
    runFor(200);  // step 2, due 51 ms after the last tick, comes 51 ms after the gap
    EXPECT_EQ(log.times, (std::vector<uint32_t>{0, 125, 751, 876}));

    // A gap of exactly 500 ms still counts, and only the last step it crosses is announced.
    restart();
    runFor(1);
    env.clock.advance(499);
    runFor(1);
    EXPECT_EQ(log.steps, (std::vector<int>{0, 4}));
}

TEST_F(StepControlTest, AStoppedClockAnnouncesNothingAndResetsRestoreTheDefaults) {
    clock.running = false;
    runFor(300);
    EXPECT_TRUE(log.steps.empty());

    tempo = 0.9;
    shuffle = 0.4;
    stepsPerBeat = 3;
    clock.resetSettings();
    EXPECT_FALSE(clock.running);
    EXPECT_EQ(tempo, 0.5);
    EXPECT_EQ(shuffle, 0.0);
    EXPECT_EQ(stepsPerBeat, 4);

    setTempoFromBpm(60);
    EXPECT_DOUBLE_EQ(tempo, 0.2);
    setTempoFromBpm(5);
    EXPECT_EQ(tempo, 0.0);
    setTempoFromBpm(400);
    EXPECT_EQ(tempo, 1.0);
}

TEST_F(StepControlTest, OutlandishStepsPerBeatKeepStepNumbersInRange) {
    stepsPerBeat = -3;  // counts as 1: a step every 500 ms
    runFor(501);
    EXPECT_EQ(log.times, (std::vector<uint32_t>{0, 500}));

    stepsPerBeat = std::numeric_limits<int32_t>::max();
    for (int i = 0; i < 5; ++i) {
        env.clock.advance(500);
        clock.tick();
        EXPECT_GE(clock.step, 0);
        EXPECT_LT(clock.position, 2147483648.0);
    }
}

TEST(TapTempo, TheTempoIsTheMeanOfTheLastSevenIntervalsWithinItsRangeAndAPauseStartsAgain) {
    const std::pair<std::vector<uint32_t>, std::optional<int>> table[] = {  // gaps between taps, the tempo
        {{}, std::nullopt}, {{500}, 120}, {{461}, 130}, {{480, 520, 510, 490, 500, 450, 550}, 120}, {{200, 200}, 220},
        {{1000, 500, 500, 500, 500, 500, 500}, 105}, {{1000, 500, 500, 500, 500, 500, 500, 500}, 120},  // 9th drops 1st
        {{0}, 220}, {{3000}, 20}, {{500, 500, 3001}, std::nullopt}, {{500, 500, 3001, 600}, 100}};
    for (const auto& [gaps, bpm] : table) {
        TapTempo tapper;
        uint32_t now = 0xFFFFF000u;  // just before the clock wraps
        std::optional<int> tempo = tapper.tap(now);
        for (const uint32_t gap : gaps) tempo = tapper.tap(now += gap);
        EXPECT_EQ(tempo, bpm) << gaps.size() << " gaps, the last " << (gaps.empty() ? 0 : gaps.back());
    }
}

TEST_F(DrumMachineTest, DrumNotesLastHalfAStepWhateverTheirLength) {
    pattern(0, 16, {{36, 100, 0, 4.0}, {42, 80, 0, 1.0}});
    Instrument drums = activeInstrument(Instrument::drumChannel);
    DrumMachine machine(*library, &drums);
    machine.active = true;
    clock.targets.push_back(&machine);
    runFor(100, {&drums});
    const std::vector<Message> expected{
        {1000, 0x99, 36, 100}, {1000, 0x99, 42, 80}, {1062, 0x99, 36, 0}, {1062, 0x99, 42, 0}};
    EXPECT_EQ(sent, expected);
}

TEST_F(DrumMachineTest, PatternsOf16And3StepsMeetAgainEvery48Steps) {
    pattern(0, 16, {{36, 100, 0, 1.0}});
    pattern(1, 3, {{48, 100, 0, 1.0}});
    Instrument drums = activeInstrument(Instrument::drumChannel);
    Instrument bass = activeInstrument(4);
    DrumMachine machine(*library, &drums);
    Arpeggio arpeggio(*library, &bass);
    machine.active = arpeggio.active = true;
    arpeggio.arpIdx = 1;
    arpeggio.heldKeys.append(48);
    std::vector<int> together;
    for (int n = 0; n <= 100; ++n) {
        machine.step(n);
        arpeggio.step(n);
        if (!drums.notes.empty() && !bass.notes.empty()) together.push_back(n);
        drums.notes.clear();
        bass.notes.clear();
    }
    EXPECT_EQ(together, (std::vector<int>{0, 48, 96}));
}

TEST_F(DrumMachineTest, PlayersAreSilentOutsideThePatternRangeInactiveOrWithoutInstrument) {
    for (int index : {0, 399}) pattern(index, 1, {{36, 100, 0, 1.0}});
    Instrument drums = activeInstrument(Instrument::drumChannel);
    DrumMachine machine(*library, &drums);
    Arpeggio arpeggio(*library, &drums);
    arpeggio.heldKeys.append(48);
    machine.active = arpeggio.active = true;
    for (int index : {400, -1, std::numeric_limits<int32_t>::max()}) {
        machine.arpIdx = arpeggio.arpIdx = index;
        machine.step(0);
        arpeggio.step(0);
    }
    EXPECT_TRUE(drums.notes.empty());

    machine.arpIdx = arpeggio.arpIdx = 399;
    DrumMachine unbound(*library, nullptr);
    Arpeggio unboundArpeggio(*library, nullptr);
    unbound.active = unboundArpeggio.active = true;
    unboundArpeggio.heldKeys.append(48);
    unbound.step(0);
    unboundArpeggio.step(0);
    machine.active = arpeggio.active = false;
    machine.step(0);
    arpeggio.step(0);
    EXPECT_TRUE(drums.notes.empty());
    arpeggio.active = true;
    arpeggio.heldKeys.clear();
    arpeggio.step(0);
    EXPECT_TRUE(drums.notes.empty());
}

TEST_F(DrumMachineTest, AHugeLengthPlaysEachNoteOnce) {
    pattern(0, 2000000000, {{36, 100, 5, 1.0}});
    Instrument drums = activeInstrument(Instrument::drumChannel);
    DrumMachine machine(*library, &drums);
    machine.active = true;
    std::vector<int> sounding;
    for (int n : {0, 5, 21, 1999999999, 2000000005, std::numeric_limits<int>::max()}) {
        machine.step(n);
        if (!drums.notes.empty()) sounding.push_back(n);
        drums.notes.clear();
    }
    EXPECT_EQ(sounding, (std::vector<int>{5, 2000000005}));
}

TEST_F(ArpeggioTest, EveryPatternNoteSoundsOnEveryHeldKey) {
    pattern(0, 4, {{60, 90, 0, 1.0}});
    Instrument bass = activeInstrument(4);
    Arpeggio arpeggio(*library, &bass);
    arpeggio.active = true;
    arpeggio.heldKeys.append(48);
    arpeggio.heldKeys.append(52);
    arpeggio.step(0);
    bass.service();
    // Keys 60 and 64, two octaves up on an accompaniment instrument.
    const std::vector<Message> expected{{1000, 0x94, 84, 90}, {1000, 0x94, 88, 90}};
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(arpeggio.lastRoot, 0);
}

TEST_F(ArpeggioTest, KeysBeyondTheIntegerRangeSendNothing) {
    pattern(0, 1, {{std::numeric_limits<int32_t>::max(), 100, 0, 1.0},
                   {std::numeric_limits<int32_t>::min(), 100, 0, 1.0},
                   {60, 300, 0, 1.0}});
    Instrument bass = activeInstrument(4);
    Arpeggio arpeggio(*library, &bass);
    arpeggio.active = true;
    arpeggio.heldKeys.append(std::numeric_limits<int32_t>::max());
    arpeggio.heldKeys.append(std::numeric_limits<int32_t>::min());
    arpeggio.step(0);
    bass.service();
    EXPECT_TRUE(sent.empty());
}

TEST_F(ArpeggioTest, LongModePlaysEightTimesTheNoteLength) {
    pattern(0, 16, {{48, 100, 0, 0.5}});
    Instrument bass = activeInstrument(4);
    Arpeggio arpeggio(*library, &bass);
    arpeggio.active = true;
    arpeggio.mode = partLong;
    arpeggio.heldKeys.append(48);
    clock.targets.push_back(&arpeggio);
    runFor(600, {&bass});
    const std::vector<Message> expected{{1000, 0x94, 72, 100}, {1500, 0x94, 72, 0}};
    EXPECT_EQ(sent, expected);
}

TEST_F(ArpeggioTest, ANoteWithoutALengthEndsAtTheNextStepInsteadOfHanging) {
    // -1 once meant "held until released"; 0, other negatives and NaN had no end either.
    for (const double length : {-1.0, 0.0, -7.5, std::numeric_limits<double>::quiet_NaN()}) {
        sent.clear();
        library = std::make_unique<StyleLibrary>();
        pattern(0, 16, {{48, 100, 0, length}});
        Instrument bass = activeInstrument(4);
        Arpeggio arpeggio(*library, &bass);
        arpeggio.active = true;
        arpeggio.heldKeys.append(48);
        clock.targets = {&arpeggio};
        restart();
        const uint32_t start = systemClock().milliseconds();
        runFor(300, {&bass});
        const std::vector<Message> expected{{start, 0x94, 72, 100}, {start + 125, 0x94, 72, 0}};
        EXPECT_EQ(sent, expected) << "length " << length;
        EXPECT_TRUE(bass.notes.empty());
    }
}

TEST(Tempo, BpmsAtTheIntegerLimitsGiveTheEndsOfTheRange) {
    const double kept = tempo;
    for (const auto& [bpm, expected] : std::vector<std::pair<int, double>>{
             {std::numeric_limits<int>::min(), 20.0}, {-5, 20.0}, {20, 20.0}, {120, 120.0},
             {220, 220.0}, {std::numeric_limits<int>::max(), 220.0}}) {
        setTempoFromBpm(bpm);
        EXPECT_EQ(bpmFromFraction(tempo), expected) << bpm;
    }
    tempo = kept;
}

struct ArpeggioPedalTest : PlayerTest {
    Instrument bass = activeInstrument(4);
    Arpeggio arpeggio{*library, &bass};

    void SetUp() override {
        PlayerTest::SetUp();
        pattern(0, 4, {{48, 100, 0, 8.0}, {55, 100, 2, 8.0}});
        arpeggio.active = true;
        arpeggio.mode = partSustained;
        clock.targets.push_back(&arpeggio);
    }
    void hold(std::vector<int32_t> keys) {
        arpeggio.heldKeys.clear();
        for (int32_t key : keys) arpeggio.heldKeys.append(key);
    }
};

TEST_F(ArpeggioPedalTest, PedalModeCutsAtARootChangeAndPlaysStepZeroAtOnce) {
    hold({48});
    runFor(250, {&bass});  // steps 0 and 1
    hold({50});
    runFor(250, {&bass});  // step 2 restarts the pass on the new root; step 3 is silent
    const std::vector<Message> expected{
        {1000, 0xB4, 64, 0}, {1000, 0xB4, 64, 127}, {1000, 0x94, 72, 100},
        {1250, 0x94, 72, 0}, {1250, 0xB4, 64, 0},   {1250, 0xB4, 64, 127}, {1250, 0x94, 74, 100}};
    EXPECT_EQ(sent, expected);

    sent.clear();
    runFor(1, {&bass});  // step 4 starts the pattern again: the pass is cut once more
    const std::vector<Message> restart{
        {1500, 0x94, 74, 0}, {1500, 0xB4, 64, 0}, {1500, 0xB4, 64, 127}, {1500, 0x94, 74, 100}};
    EXPECT_EQ(sent, restart);
}

TEST_F(ArpeggioPedalTest, PedalModeTreatsChordsOfSeveralKeysAsOneRoot) {
    hold({48, 52});
    runFor(250, {&bass});
    sent.clear();
    hold({50, 53});
    runFor(1, {&bass});  // step 2 plays on: both chords have root 0
    const std::vector<Message> expected{{1250, 0x94, 81, 100}, {1250, 0x94, 84, 100}};
    EXPECT_EQ(sent, expected);
}

}  // namespace
}  // namespace brio
