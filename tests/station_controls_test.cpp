#include <gtest/gtest.h>

#include <set>

#include <map>
#include <optional>

#include "StationFixture.h"
#include "accompaniment/Tempo.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

struct StationControls : ::testing::Test {
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    Options& options = *fixture.options;
    std::vector<Message>& sent = fixture.midi.messages;

    void SetUp() override { sent.clear(); }
    void TearDown() override { station.newWorkspace(true); }  // the process-wide tempo values

    // The last value sent on `channel` for a controller (or, with controller -1, the program).
    std::optional<int> lastSent(int channel, int controller) const {
        std::optional<int> value;
        for (const Message& m : sent) {
            if (controller < 0 && m.status == 0xC0 + channel) value = m.data1;
            if (controller >= 0 && m.status == 0xB0 + channel && m.data1 == controller) value = m.data2;
        }
        return value;
    }
    // Note messages as (channel, key, velocity), in order.
    std::vector<std::tuple<int, int, int>> notes() const {
        std::vector<std::tuple<int, int, int>> result;
        for (const Message& m : sent)
            if ((m.status & 0xF0) == 0x90) result.emplace_back(m.status & 0x0F, m.data1, m.data2);
        return result;
    }
    std::vector<int32_t> held(int arpeggio) const {
        std::vector<int32_t> keys;
        for (int32_t key : station.arpeggios[size_t(arpeggio)].heldKeys) keys.push_back(key);
        return keys;
    }
    void runFor(uint32_t ms) {
        for (uint32_t i = 0; i < ms; ++i) {
            station.tick(true);
            fixture.clock.advance(1);
        }
    }
    BaseStyle& namedStyle(int index) {
        BaseStyle& style = fixture.library->style(index);
        style.name = "Test";
        style.bpm = 90;
        style.shuffle = 0.4;
        style.stepsPerBeat = 3;
        style.prog = {0, 33, 48, 25, 0};
        style.vol = {90, 100, 50, 80, 0};
        style.key = {0, -12, 0, 12, 5};
        style.mode = {partOn, partOn, partSustained, partLong, partOff};
        style.arp = {5, 6, 7, 8, 9};
        return style;
    }
};

TEST_F(StationControls, AStyleSetsEachPartAndSendsItsProgramsLevelsPansAndPedals) {
    namedStyle(20);
    station.selectStyle(20, true);
    EXPECT_EQ(station.style, 20);
    EXPECT_EQ(stepsPerBeat, 3);
    EXPECT_EQ(station.drumMachine.arpIdx, 5);
    struct Part {
        int channel, program, volume, pan, sustain, transpose, arpIdx, mode;
        bool active;
    };
    // Volumes: master 1 x group 0.8 x the part's percent; pans 0.38, 0.9, 0.17, 0.75 of 127.5.
    const Part parts[] = {{4, 33, 102, 48, 0, -12, 6, partOn, true},
                          {5, 48, 51, 114, 127, 0, 7, partSustained, true},
                          {6, 25, 81, 21, 0, 12, 8, partLong, true},
                          {7, 0, 0, 95, 0, 5, 9, partOff, false}};
    for (const Part& part : parts) {
        const Instrument& instrument = station.instruments[size_t(part.channel)];
        const Arpeggio& arpeggio = station.arpeggios[size_t(part.channel)];
        EXPECT_EQ(lastSent(part.channel, -1), part.program) << part.channel;
        EXPECT_EQ(lastSent(part.channel, 7), part.volume) << part.channel;
        EXPECT_EQ(lastSent(part.channel, 10), part.pan) << part.channel;
        EXPECT_EQ(lastSent(part.channel, 64), part.sustain) << part.channel;
        EXPECT_EQ(instrument.transpose, part.transpose) << part.channel;
        EXPECT_EQ(instrument.active, part.active) << part.channel;
        EXPECT_EQ(arpeggio.arpIdx, part.arpIdx) << part.channel;
        EXPECT_EQ(arpeggio.mode, part.mode) << part.channel;
    }
    EXPECT_TRUE(station.instruments[Instrument::drumChannel].active);
    EXPECT_EQ(lastSent(9, 7), 91);  // 0.9 x 1 x 0.8
    EXPECT_EQ(lastSent(8, 64), 0);  // the fifth accompaniment instrument's pedal is lifted too

    // A style index out of range changes nothing and sends nothing.
    sent.clear();
    station.selectStyle(100, true);
    station.selectStyle(-2, true);
    EXPECT_EQ(station.style, 20);
    EXPECT_TRUE(sent.empty());
}

TEST_F(StationControls, TheStylesTempoIsTakenOnlyWhenKeepDefaultTempoEndsUpSet) {
    namedStyle(20);
    struct Case {
        bool alwaysResetTempo, applyTempo, keepDefaultTempo;
        bool styleTempo;
    };
    for (const Case& c : {Case{true, true, false, true}, Case{true, false, false, false},
                          Case{false, true, false, false}, Case{false, false, true, true}}) {
        options.alwaysResetTempo = c.alwaysResetTempo;
        station.drumMachine.keepDefaultTempo = c.keepDefaultTempo;
        tempo = 0.6;
        shuffle = 0.1;
        station.selectStyle(20, c.applyTempo);
        const std::string label = std::to_string(c.alwaysResetTempo) + std::to_string(c.applyTempo) +
                                  std::to_string(c.keepDefaultTempo);
        EXPECT_DOUBLE_EQ(tempo, c.styleTempo ? 0.35 : 0.6) << label;
        EXPECT_DOUBLE_EQ(shuffle, c.styleTempo ? 0.4 : 0.1) << label;
    }
    // Changing the tempo by hand clears the flag; setting the flag again brings the style's back.
    tempo = 0.7;
    station.controlChanged(&tempo);
    EXPECT_FALSE(station.drumMachine.keepDefaultTempo);
    station.drumMachine.keepDefaultTempo = true;
    station.controlChanged(&station.drumMachine.keepDefaultTempo);
    EXPECT_DOUBLE_EQ(tempo, 0.35);
}

// A chord part with a kind plays its C major seventh voicing on every degree of the chord held,
// in its register (F3..A5) whatever octave the bass keys are in, each root nearest the last.
TEST_F(StationControls, AChordPartVoicesEveryDegreeInItsRegister) {
    BaseStyle& style = namedStyle(2);
    style.stepsPerBeat = 4;
    style.bpm = 120;
    style.mode = {partOff, partOff, partOn, partOff, partOff};
    style.key[2] = 12;  // pattern keys are MIDI notes on the bass key C
    style.kind[2] = PartKind::chord;
    ArpeggioStyle& voicing = fixture.library->pattern(7);
    voicing = ArpeggioStyle();
    voicing.length = 4;
    for (int key : {60, 64, 67, 71}) voicing.notes.append(ArpeggioNote{key, 90, 0, 1.0});
    station.selectStyle(2, true);
    station.bass = true;
    station.controlChanged(&station.bass);
    const std::pair<std::vector<int>, std::set<int>> cases[] = {
        {{12}, {60, 64, 67, 72}},         {{0}, {60, 64, 67, 72}},        {{0, 4, 7, 10}, {60, 64, 67, 70}},
        {{11}, {59, 63, 66, 71}},         {{6}, {54, 58, 61, 66}},        {{5}, {53, 57, 60, 65}},
        {{4}, {56, 59, 64}},              {{0, 3, 6, 10}, {54, 58, 60, 63}},
    };
    for (const auto& [keys, expected] : cases) {
        for (int key : keys) station.pressPianoKey(key, 100);
        for (int key : keys) station.releasePianoKey(key);
        sent.clear();
        runFor(500);
        std::set<int> played;
        for (const auto& [channel, note, velocity] : notes())
            if (channel == station.instruments[5].channel && velocity > 0) played.insert(note);
        EXPECT_EQ(played, expected) << keys.front();
    }
}

TEST_F(StationControls, StoppingTheRhythmStopsBassAndArpeggiosOnlyAsTheOptionsSay) {
    for (const bool stopBass : {false, true}) {
        for (const bool stopArps : {false, true}) {
            options.autoStopBass = stopBass;
            options.autoStopArps = stopArps;
            station.bass = true;
            station.controlChanged(&station.bass);
            station.rhythm = true;
            station.controlChanged(&station.rhythm);
            // With the bass on and no bass key, the accompaniment plays on C.
            EXPECT_EQ(held(4), std::vector<int32_t>{12});
            EXPECT_EQ(held(8), std::vector<int32_t>{12});
            station.arpeggios[0].heldKeys.append(40);

            station.rhythm = false;
            station.controlChanged(&station.rhythm);
            EXPECT_FALSE(station.drumMachine.active);
            EXPECT_EQ(station.bass, !stopBass) << stopBass << stopArps;
            EXPECT_EQ(station.arpeggios[4].active, !stopBass) << stopBass << stopArps;
            EXPECT_EQ(held(0).empty(), stopArps) << stopBass << stopArps;
            station.arpeggios[0].heldKeys.clear();
            station.bass = false;
            station.controlChanged(&station.bass);
        }
    }
}

TEST_F(StationControls, TheBassSwitchMovesKeysBelowTheSplitBetweenTonesAndAccompaniment) {
    station.arpeggios[1].active = true;
    station.instruments[1].active = true;
    for (int key : {5, 40, 9}) station.pressPianoKey(key, 100);  // two bass keys and a melody key
    ASSERT_EQ(held(1), (std::vector<int32_t>{5, 9, 40}));
    sent.clear();

    station.bass = true;
    station.controlChanged(&station.bass);
    // Tone A's notes below the split end; the arpeggio keeps the melody key; the lowest bass
    // key drives the accompaniment.
    EXPECT_EQ(notes(), (std::vector<std::tuple<int, int, int>>{{0, 29, 0}, {0, 33, 0}}));
    EXPECT_EQ(held(1), std::vector<int32_t>{40});
    for (int i = 4; i <= 8; ++i) {
        EXPECT_EQ(held(i), std::vector<int32_t>{5}) << i;
        EXPECT_TRUE(station.arpeggios[size_t(i)].active) << i;
    }
    sent.clear();

    station.bass = false;
    station.controlChanged(&station.bass);
    EXPECT_EQ(held(1), (std::vector<int32_t>{40, 5, 9}));  // the bass keys join the arpeggio
    for (int i = 4; i <= 8; ++i) {
        EXPECT_FALSE(station.arpeggios[size_t(i)].active) << i;
        EXPECT_EQ(lastSent(i, 64), 0) << i;
    }
}

TEST_F(StationControls, ArpeggioAndHoldSwitchesTakeTheKeysHeldNow) {
    station.bass = true;
    station.controlChanged(&station.bass);
    for (int key : {7, 36, 43}) station.pressPianoKey(key, 100);
    sent.clear();

    station.arpeggioSwitch = true;
    station.controlChanged(&station.arpeggioSwitch);
    // Tone A's sounding notes end and the arpeggio takes the keys at or above the split.
    EXPECT_EQ(notes(), (std::vector<std::tuple<int, int, int>>{{0, 60, 0}, {0, 67, 0}}));
    EXPECT_EQ(held(0), (std::vector<int32_t>{36, 43}));

    station.holdSwitch = true;
    station.controlChanged(&station.holdSwitch);
    station.releasePianoKey(36);
    EXPECT_EQ(held(0), (std::vector<int32_t>{36, 43}));  // hold keeps the list
    station.holdSwitch = false;
    station.controlChanged(&station.holdSwitch);
    EXPECT_EQ(held(0), std::vector<int32_t>{43});  // replaced by the keys held now
}

TEST_F(StationControls, AKeyboardArpeggiatorPlaysItsPatternOnTheHeldKeysAndHoldKeepsIt) {
    // Pattern 3: the root on step 0 and the fifth on step 2, each one step long.
    ArpeggioStyle& pattern = fixture.library->pattern(3);
    pattern.length = 4;
    pattern.notes.append(ArpeggioNote{48, 90, 0, 1.0});
    pattern.notes.append(ArpeggioNote{55, 80, 2, 1.0});
    station.arpeggios[0].arpIdx = 3;
    station.arpeggioSwitch = true;
    station.controlChanged(&station.arpeggioSwitch);
    sent.clear();
    const uint32_t start = fixture.clock.now;

    station.keyDown('C');  // piano key 12: note 36 with the master shift of 24
    runFor(600);           // steps of 125 ms at 120 bpm
    station.keyUp('C');
    runFor(300);
    const std::vector<Message> expected{
        {start, 0x90, 36, 90},       {start + 125, 0x90, 36, 0}, {start + 250, 0x90, 43, 80},
        {start + 375, 0x90, 43, 0},  {start + 500, 0x90, 36, 90}, {start + 625, 0x90, 36, 0}};
    EXPECT_EQ(sent, expected);

    // With hold on, the pattern goes on after the key is let go.
    station.holdSwitch = true;
    station.controlChanged(&station.holdSwitch);
    station.keyDown('C');
    station.keyUp('C');
    sent.clear();
    runFor(1000);
    EXPECT_EQ(notes().size(), 8u);  // four notes on and four off in eight steps
    EXPECT_EQ(held(0), std::vector<int32_t>{12});
}

// Fingered chords: the keys below the split choose the accompaniment's root and chord, the
// release keeps it, the menu entry switches it, and a keyboard arpeggio plays once on the
// chord held, mapped from its C major pattern.
TEST_F(StationControls, FingeredChordsChooseTheAccompanimentChordAndTheArpeggioPlaysOnce) {
    const auto accompaniment = [&] {
        return std::tuple(held(4), station.arpeggios[4].chord, station.arpeggios[8].chord);
    };
    station.pick(MidiSynth::optionsMenu, 6);
    ASSERT_EQ(options.chordMode, ChordMode::fingered);
    station.bass = true;
    station.controlChanged(&station.bass);
    for (int key : {16, 12, 9}) station.pressPianoKey(key, 100);  // E, C, A: A minor in the first octave
    EXPECT_EQ(accompaniment(), std::tuple(std::vector<int32_t>{9}, ChordType::minor, ChordType::minor));
    for (int key : {16, 12, 9}) station.releasePianoKey(key);
    EXPECT_EQ(accompaniment(), std::tuple(std::vector<int32_t>{9}, ChordType::minor, ChordType::minor));
    for (int key : {23, 14, 17, 19}) station.pressPianoKey(key, 100);  // B, D, F, G: G7 over B
    EXPECT_EQ(accompaniment(), std::tuple(std::vector<int32_t>{19}, ChordType::seventh, ChordType::seventh));
    for (int key : {23, 14, 17, 19}) station.releasePianoKey(key);
    for (int key : {14, 16}) station.pressPianoKey(key, 100);  // D, then E: D E names no chord, D goes on
    EXPECT_EQ(accompaniment(), std::tuple(std::vector<int32_t>{14}, ChordType::major, ChordType::major));
    for (int key : {14, 16}) station.releasePianoKey(key);
    station.pick(MidiSynth::optionsMenu, 7);  // the bass on the lowest key: C/E
    for (int key : {4, 7, 12}) station.pressPianoKey(key, 100);
    EXPECT_EQ(std::pair(station.arpeggios[4].slashBass, station.arpeggios[5].slashBass), std::pair(4, Arpeggio::noRoot));
    for (int key : {4, 7, 12}) station.releasePianoKey(key);
    station.pick(MidiSynth::optionsMenu, 5);  // single finger: Bb below C makes C minor
    for (int key : {10, 12}) station.pressPianoKey(key, 100);
    EXPECT_EQ(accompaniment(), std::tuple(std::vector<int32_t>{12}, ChordType::minor, ChordType::minor));
    for (int key : {10, 12}) station.releasePianoKey(key);
    station.pick(MidiSynth::optionsMenu, 6);

    // Pattern 3: root, third and fifth on steps 0, 1 and 2, on C E G held: once, on C major.
    ArpeggioStyle& pattern = fixture.library->pattern(3);
    pattern.length = 4;
    for (int i = 0; i < 3; ++i) pattern.notes.append(ArpeggioNote{48 + (i == 0 ? 0 : i == 1 ? 4 : 7), 90, i, 1.0});
    station.arpeggios[0].arpIdx = 3;
    station.arpeggioSwitch = true;
    station.controlChanged(&station.arpeggioSwitch);
    for (int key : {36, 39, 43}) station.pressPianoKey(key, 100);  // C, Eb, G: C minor
    sent.clear();
    runFor(380);
    std::vector<int> toneA;
    for (const auto& [channel, note, velocity] : notes())
        if (channel == 0 && velocity > 0) toneA.push_back(note);
    EXPECT_EQ(toneA, (std::vector<int>{60, 63, 67}));

    station.pick(MidiSynth::optionsMenu, 4);  // off: major again, every key its own arpeggio
    EXPECT_EQ(options.chordMode, ChordMode::off);
    EXPECT_FALSE(station.arpeggios[0].readsChord);
    EXPECT_EQ(station.arpeggios[4].chord, ChordType::major);
}

}  // namespace
}  // namespace brio
