#include <gtest/gtest.h>

#include "FakeWindowSystem.h"
#include "StationFixture.h"
#include "main/Application.h"
#include "main/MainLoop.h"
#include "main/MidiSynth.h"
#include "midi/Recorder.h"

namespace brio {
namespace {

using test::FakeWindowSystem;

struct LoopRun : test::StationFixture {
    LoopRun() : test::StationFixture(5000) {}

    FakeWindowSystem windows{clock};
    MidiSynth& station = *test::StationFixture::station;
    bool windowQuit = false;

    // Runs the loop for `passes` passes, each costing `costMs` of tick and message time.
    void run(int passes, uint32_t costMs) {
        windows.passCostMs = costMs;
        windows.onPass = [this, passes](int pass) {
            if (pass == passes) windowQuit = true;
        };
        runMainLoop(station, windows, clock, windowQuit);
    }
};

TEST(MainLoop, TicksWhenTheNextStepIsDueAndWaitsInBetween) {
    LoopRun loop;
    loop.station.rhythm = true;  // the step clock runs: a step every 125 ms
    loop.station.stepControl.resetPosition();
    std::vector<uint32_t> tickTimes;
    loop.windows.onPass = [&](int pass) {
        tickTimes.push_back(loop.clock.now);
        if (pass == 6) loop.windowQuit = true;
    };
    runMainLoop(loop.station, loop.windows, loop.clock, loop.windowQuit);
    // Step 0 at once; waits never exceed 100 ms, and the tick falls on each step's millisecond.
    const std::vector<uint32_t> expected{5000, 5100, 5125, 5225, 5250, 5350};
    EXPECT_EQ(tickTimes, expected);
    EXPECT_EQ(loop.station.stepControl.step, 2);
    EXPECT_EQ(loop.clock.sleepCalls, 0);
}

TEST(MainLoop, ATimedNoteEndsInTheMillisecondItIsDue) {
    LoopRun loop;
    loop.station.instruments[0].playTimed(40, 100, 1);
    std::vector<uint32_t> tickTimes;
    loop.windows.onPass = [&](int pass) {
        tickTimes.push_back(loop.clock.now);
        if (pass == 4) loop.windowQuit = true;
    };
    runMainLoop(loop.station, loop.windows, loop.clock, loop.windowQuit);
    // The note's end is due at 5125; after it nothing is, and the loop waits for events only.
    EXPECT_EQ(tickTimes, (std::vector<uint32_t>{5000, 5125, 5125, 5125}));
    ASSERT_EQ(loop.midi.messages.size() >= 2, true);
    EXPECT_EQ(loop.midi.messages.back().time, 5125u);
}

TEST(MainLoop, WithNothingRunningItWaitsForTheNextWindowEventWithoutALimit) {
    LoopRun loop;
    loop.run(5, 0);
    EXPECT_EQ(loop.windows.waits, 4);  // the last pass ends the loop
    EXPECT_EQ(loop.windows.foreverWaits, 4);
    EXPECT_EQ(loop.clock.sleepCalls, 0);
}

TEST(MainLoop, RecordingWaitsLikeIdlePlayingAndPlaybackWakesForEachEvent) {
    LoopRun loop;
    loop.station.recording = true;
    loop.station.controlChanged(&loop.station.recording);
    ASSERT_TRUE(loop.station.recording);
    loop.run(5, 0);
    EXPECT_EQ(loop.windows.waits, 4);  // nothing is due while recording: the lamp's pace only
    EXPECT_EQ(loop.clock.now, 5000u + 4 * MidiSynth::lampStepMs);

    loop.station.recording = false;
    loop.station.controlChanged(&loop.station.recording);
    Text_ file;
    for (const char* line : {Recorder::magic, "0;144;60;100;", "40;144;60;0;", "300;144;62;100;", "420;144;62;0;"})
        file.append(line);
    ASSERT_TRUE(recorder().readLines(file));
    loop.station.startPlayback();
    const uint32_t start = loop.clock.now;
    std::vector<uint32_t> passTimes;
    loop.windowQuit = false;
    loop.windows.onPass = [&](int) {
        passTimes.push_back(loop.clock.now - start);
        if (!loop.station.playing) loop.windowQuit = true;
    };
    runMainLoop(loop.station, loop.windows, loop.clock, loop.windowQuit);
    // One pass at each event, and at the lamp's pace between them; the last one ends the
    // playback with its 250 ms pause.
    EXPECT_EQ(passTimes, (std::vector<uint32_t>{0, 40, 80, 120, 160, 200, 240, 280, 300, 340, 380, 420 + 250}));
    EXPECT_EQ(loop.clock.sleepCalls, 1);
    recorder() = Recorder();
}

TEST(MainLoop, EndsWhenTheStationAsksToQuit) {
    LoopRun loop;
    loop.windows.onPass = [&](int pass) {
        if (pass == 3) loop.station.keyDown(27);
    };
    runMainLoop(loop.station, loop.windows, loop.clock, loop.windowQuit);
    EXPECT_EQ(loop.windows.passes, 3);
    EXPECT_TRUE(loop.station.quitRequested);
}

TEST(MainLoop, IdleBackgroundPassesSlowDownAndLetGoOfHeldKeys) {
    LoopRun loop;
    loop.windows.active = false;
    loop.station.keyDown('Q');
    loop.run(5, 0);
    EXPECT_EQ(loop.station.computerKeyDown['Q'], 0);
    // Ten passes a second, waiting for window events, never in a blocking sleep.
    EXPECT_EQ(loop.windows.waits, 4);
    EXPECT_EQ(loop.clock.now, 5000u + 4 * backgroundPauseMs);
    EXPECT_EQ(loop.clock.sleepCalls, 0);
}

TEST(MainLoop, TheBackgroundDoesNotSlowTheRhythm) {
    LoopRun loop;
    loop.windows.active = false;
    loop.station.rhythm = true;
    loop.run(5, 0);
    EXPECT_EQ(loop.clock.sleepCalls, 0);
}

TEST(Station, AutoRepeatedKeyDownIsIgnoredAndKeyUpClearsTheKey) {
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    station.keyDown('A');
    station.keyDown('A');
    EXPECT_EQ(station.computerKeyDown['A'], 1);
    station.keyUp('A');
    EXPECT_EQ(station.computerKeyDown['A'], 0);
    station.keyDown(-1);
    station.keyDown(256);  // out of range: nothing happens
    EXPECT_FALSE(station.quitRequested);
}

TEST(Application, ShowsTheMainWindowCentredInTheViewOfTheScreenAndCreatesTheOthersHidden) {
    test::StationEnvironment env;
    ManualClock& clock = env.clock;
    // A first start on a wide screen takes the large view, and the window grown to it is centred
    // again; a narrow screen refuses it, and the window keeps the normal size and place it has.
    struct Case {
        int screenWidth, screenHeight, width, height, left, top;
    };
    for (const Case& c : {Case{1920, 1080, 1203, 533, 359, 274}, Case{1024, 768, 987, 503, 100, 100}}) {
        FakeWindowSystem windows(clock);
        windows.screen = c.screenWidth;
        windows.screenTall = c.screenHeight;
        std::string caption;
        int width = 0, height = 0, left = 0, top = 0;
        std::vector<bool> shown;
        windows.onPass = [&](int pass) {
            if (pass == 200) {
                test::FakeWindow* main = windows.windowOf(WindowKind::main);
                caption = main->title;
                width = main->width;
                height = main->height;
                left = main->x;
                top = main->y;
                for (auto* w : windows.created) shown.push_back(w->shown);
                main->events.keyDown(27);
            }
        };
        EXPECT_EQ(runApplication(windows, clock, env.midi), 0);

        EXPECT_EQ(caption, "Brioletta - [NEW]");
        EXPECT_EQ(std::vector<int>({width, height}), std::vector<int>({c.width, c.height}));
        EXPECT_EQ(std::vector<int>({left, top}), std::vector<int>({c.left, c.top}));
        EXPECT_EQ(shown, (std::vector<bool>{true, false, false, false}));
        ASSERT_EQ(windows.created.size(), 0u + 4);
    }
}

TEST(Application, ClosingTheWindowByTheSystemEndsTheLoop) {
    test::StationEnvironment env;
    ManualClock& clock = env.clock;
    FakeWindowSystem windows(clock);
    windows.onPass = [&](int pass) {
        if (pass == 100) windows.windowOf(WindowKind::main)->events.closeQuery();
    };
    EXPECT_EQ(runApplication(windows, clock, env.midi), 0);
    EXPECT_EQ(windows.passes, 100);
}

}  // namespace
}  // namespace brio
