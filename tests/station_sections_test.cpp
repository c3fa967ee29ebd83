// Song sections on the station with the manual clock: every change lands on the step the rule
// gives, to the millisecond, and nothing is left sounding whatever is pressed when.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include "StationFixture.h"
#include "accompaniment/Tempo.h"

namespace brio {
namespace {

constexpr uint8_t noteOn = 0x99;  // the rhythm's channel

// Three styles in 4/4 (16 steps a bar), 3/4 (12) and 6/8 (two beats of six steps), each with
// every section; its rhythm strikes a key of its own on every step of a section, 40 + 10 x style
// + section, so the capture tells which section of which style plays when. The 4/4 one has a
// bass part too, whose whole-bar notes show how a style's notes end.
struct SectionedStation : ::testing::Test, test::PlayedStation {
    struct Meter {
        int32_t beats, beatSteps, bpm;
        uint32_t stepMs;
    };
    static constexpr Meter meters[] = {{4, 4, 120, 125}, {3, 4, 120, 125}, {2, 6, 100, 100}};

    void SetUp() override {
        StyleLibrary& library = *fixture.library;
        for (int s = 0; s < 3; ++s) {
            BaseStyle& style = library.style(s);
            style = BaseStyle();
            style.name = "Style " + std::to_string(s);
            style.bpm = meters[s].bpm;
            style.stepsPerBeat = meters[s].beatSteps;
            style.beats = meters[s].beats;
            style.mode[0] = partOn;
            for (int section = 0; section < sectionCount; ++section) {
                const int index = 100 + 10 * s + section;
                ArpeggioStyle& pattern = library.pattern(index);
                pattern.length = meters[s].beats * meters[s].beatSteps;
                pattern.notes.clear();
                for (int step = 0; step < pattern.length; ++step) pattern.notes.append({drumKey(s, Section(section)), 90, step, 1.0});
                if (Section(section) == Section::mainA) style.arp[0] = index;
                else style.sections[size_t(section)] = {BaseStyle::mostBars(Section(section)) == 4 ? 2 : 1, {index, -1, -1, -1, -1}};
            }
        }
        ArpeggioStyle& bass = library.pattern(200);
        bass.length = 16;
        bass.notes.append({48, 100, 0, 16.0});
        library.style(0).mode[1] = partOn;
        library.style(0).arp[1] = 200;
    }

    static int drumKey(int style, Section section) { return 40 + 10 * style + int(section); }

    // Starts style `s` from a new workspace (or as it stands); returns the time of its first step.
    uint32_t start(int s, bool fresh = true) {
        if (fresh) station.newWorkspace(true);
        station.selectStyle(s, true);
        fixture.midi.messages.clear();
        station.rhythm = true;
        station.controlChanged(&station.rhythm);
        runFor(1);
        return fixture.clock.milliseconds();
    }

    std::set<int> keysAt(uint32_t time) const {
        std::set<int> keys;
        for (const auto& m : fixture.midi.messages) {
            if (m.time == time && m.status == noteOn && m.data2 > 0) keys.insert(m.data1);
        }
        return keys;
    }

    // The time of the first note of `key` from `from` on.
    std::optional<uint32_t> firstNote(int key, uint32_t from) const {
        for (const auto& m : fixture.midi.messages) {
            if (m.time >= from && m.status == noteOn && m.data1 == key && m.data2 > 0) return m.time;
        }
        return std::nullopt;
    }
};

// Every section request, and a style change, pressed at every step of the second bar in each
// meter: a fill comes in on the next beat (from the last beat, the next bar line), everything
// else on the next bar line of the running style, to the millisecond of its step.
TEST_F(SectionedStation, EveryChangeLandsOnTheStepOfItsBarLineOrBeat) {
    struct Press {
        std::optional<SectionRequest> request;  // none: the next style is chosen
        Section heard;
        bool onBeat;
    };
    const Press presses[] = {{SectionRequest::fill, Section::fillA, true},
                             {SectionRequest::mainA, Section::fillA, true},
                             {SectionRequest::mainB, Section::fillB, true},
                             {SectionRequest::breakBar, Section::breakBar, false},
                             {SectionRequest::ending, Section::ending, false},
                             {SectionRequest::intro, Section::intro, false},
                             {std::nullopt, Section::mainA, false}};
    for (int s = 0; s < 3; ++s) {
        const Meter& m = meters[s];
        const int32_t bar = m.beats * m.beatSteps;
        for (const Press& press : presses) {
            for (int32_t at = 0; at < bar; ++at) {
                const uint32_t t0 = start(s);
                runFor((bar + at) * m.stepMs - 1 + m.stepMs / 2);  // halfway through the step
                if (press.request) station.pressSection(*press.request);
                else station.selectStyle((s + 1) % 3, true);
                const uint32_t pressed = fixture.clock.milliseconds();
                runFor(2 * bar * m.stepMs);
                const int32_t step = press.onBeat ? bar + (at / m.beatSteps + 1) * m.beatSteps : 2 * bar;
                const int heardStyle = press.request ? s : (s + 1) % 3;
                SCOPED_TRACE(testing::Message() << "meter " << s << " press " << int(press.heard) << " at step " << at);
                EXPECT_EQ(firstNote(drumKey(heardStyle, press.heard), pressed), t0 + uint32_t(step) * m.stepMs);
                EXPECT_EQ(keysAt(t0 + uint32_t(step) * m.stepMs), std::set<int>{drumKey(heardStyle, press.heard)});
            }
        }
    }
}

// The first drum key heard at each bar line from `t0` on, for `bars` bars (0: none).
std::vector<int> barKeys(const std::vector<CaptureMidiBackend::Message>& messages, uint32_t t0, int bars, uint32_t barMs) {
    std::vector<int> keys(size_t(bars), 0);
    for (const auto& m : messages) {
        if (m.status != noteOn || m.data2 == 0 || m.time < t0 || (m.time - t0) % barMs != 0) continue;
        const size_t bar = (m.time - t0) / barMs;
        if (bar < keys.size() && keys[bar] == 0) keys[bar] = m.data1;
    }
    return keys;
}

// A whole song: the armed intro, A, B through its fill, the break and the ending, which stops the
// accompaniment by itself with its last bass note ringing to its written end; then every button
// on every step with style changes among them, and a style chosen during an ending, which takes
// over once the ending has stopped: no note is ever left sounding.
TEST_F(SectionedStation, ASongEndsByItselfAndNoPressLeavesANoteSounding) {
    ArpeggioStyle& ringing = fixture.library->pattern(201);
    ringing.length = 32;
    ringing.notes.append({48, 100, 16, 24.0});  // the ending's last bar: a note half a bar past its end
    fixture.library->style(0).sections[size_t(Section::ending)].arp[1] = 201;
    constexpr uint32_t barMs = 2000;
    const auto song = [&](bool withSections) {
        station.newWorkspace(true);
        station.selectStyle(0, true);
        if (withSections) station.pressSection(SectionRequest::intro);
        station.bass = true;
        station.controlChanged(&station.bass);
        return start(0, false);
    };
    const uint32_t t0 = song(true);
    runFor(3 * barMs - 2);  // intro, intro, A; B pressed in A's last beat: its fill takes the whole next bar
    station.pressSection(SectionRequest::mainB);
    runFor(2 * barMs);
    station.pressSection(SectionRequest::breakBar);
    runFor(barMs);
    station.pressSection(SectionRequest::ending);
    runFor(4 * barMs);
    using S = Section;
    EXPECT_EQ(barKeys(fixture.midi.messages, t0, 10, barMs),
              (std::vector<int>{drumKey(0, S::intro), drumKey(0, S::intro), drumKey(0, S::mainA), drumKey(0, S::fillB),
                                drumKey(0, S::mainB), drumKey(0, S::breakBar), drumKey(0, S::ending),
                                drumKey(0, S::ending), 0, 0}));
    EXPECT_FALSE(station.rhythm || station.bass || station.sections().running());
    const auto bassEnd = std::find_if(fixture.midi.messages.rbegin(), fixture.midi.messages.rend(),
                                      [](const auto& m) { return m.status == 0x94 && m.data2 == 0; });
    ASSERT_NE(bassEnd, fixture.midi.messages.rend());
    EXPECT_EQ(bassEnd->time, t0 + 7 * barMs + 3 * barMs / 2);

    const uint32_t t1 = song(false);
    for (int step = 0; step < 96; ++step) {
        station.pressSection(SectionRequest(step % sectionRequestCount));
        if (step % 5 == 0) station.selectStyle(step % 3, true);
        runFor(125);
        if (!station.rhythm) start(step % 3);
    }
    station.pressSection(SectionRequest::ending);
    station.selectStyle(1, true);
    runFor(6 * barMs);
    EXPECT_FALSE(station.rhythm);
    EXPECT_EQ(station.sections().barSteps(), 12);
    EXPECT_TRUE(fixture.midi.sounding.empty()) << fixture.midi.sounding.size() << " notes sounding since " << t1;
}

// Sync stop: letting go of the last bass key stops the accompaniment at once, every note ended;
// with key start the next bass key starts it again.
TEST_F(SectionedStation, SyncStopEndsWithTheLastBassKeyAndKeyStartBringsItBack) {
    start(0);
    const int code = station.panel.piano.codeForKey(station.splitKey - 1);
    ASSERT_GE(code, 0);
    station.syncStop = station.keyStartRhythm = true;
    for (int round = 0; round < 2; ++round) {
        station.keyDown(code);
        runFor(1000);
        EXPECT_TRUE(station.rhythm);
        station.keyUp(code);
        EXPECT_FALSE(station.rhythm || station.bass);
        runFor(1);
        EXPECT_TRUE(fixture.midi.sounding.empty());
    }
}

}  // namespace
}  // namespace brio
