#include <gtest/gtest.h>

#include "FakeWindowSystem.h"
#include "StationFixture.h"
#include "main/Application.h"
#include "main/MainLoop.h"
#include "main/MidiSynth.h"

namespace brio {
namespace {

using test::FakeWindowSystem;

TEST(MainLoop, PassSleepFillsThePassToTwoMillisecondsAndNeverLessThanOne) {
    EXPECT_EQ(passSleepMs(1000, 1000), 2);
    EXPECT_EQ(passSleepMs(1000, 1001), 1);
    EXPECT_EQ(passSleepMs(1000, 1002), 0);  // a full pass: no zero-length sleep
    EXPECT_EQ(passSleepMs(1000, 1007), 0);  // a long tick is followed by no sleep at all
    EXPECT_EQ(passSleepMs(0xFFFFFFFFu, 0), 1);  // across the 32-bit wrap
    EXPECT_EQ(passSleepMs(1000, 990), 0);   // a clock that went back never gives a long sleep
}

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

TEST(MainLoop, PacesEachPassToTwoMillisecondsWhileSomethingPlays) {
    LoopRun loop;
    loop.station.rhythm = true;
    loop.run(10, 0);
    EXPECT_EQ(loop.clock.sleepCalls, 10);
    EXPECT_EQ(loop.clock.now, 5000u + 10 * 2);

    LoopRun oneMs;
    oneMs.station.rhythm = true;
    oneMs.run(10, 1);
    EXPECT_EQ(oneMs.clock.sleptTotal, 10u);
}

TEST(MainLoop, SlowPassesAreNotFollowedBySleep) {
    LoopRun loop;
    loop.station.rhythm = true;
    loop.run(20, 3);
    EXPECT_EQ(loop.clock.sleepCalls, 0);
    EXPECT_EQ(loop.clock.now, 5000u + 20 * 3);
}

TEST(MainLoop, WithNothingDueItWaitsForWindowEventsInsteadOfPolling) {
    LoopRun loop;
    loop.run(5, 0);
    EXPECT_EQ(loop.windows.waits, 5);
    EXPECT_EQ(loop.clock.sleepCalls, 0);
    loop.station.instruments[0].playTimed(40, 100, 1);  // a timed note needs the 2 ms pace
    loop.run(10, 0);
    EXPECT_EQ(loop.windows.waits, 5);
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
    // Every pass sleeps 100 ms in the tick; the pass is then long enough to need no more.
    EXPECT_EQ(loop.clock.now, 5000u + 5 * 100);
}

TEST(MainLoop, BackgroundKeepsTheTwoMillisecondPaceWhileTheRhythmPlays) {
    LoopRun loop;
    loop.windows.active = false;
    loop.station.rhythm = true;
    loop.run(5, 0);
    EXPECT_EQ(loop.clock.now, 5000u + 5 * 2);
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

TEST(Application, ShowsTheMainWindowAndCreatesTheOthersHiddenInOrder) {
    test::StationEnvironment env;
    ManualClock& clock = env.clock;
    FakeWindowSystem windows(clock);
    std::string caption;
    int width = 0, height = 0;
    std::vector<bool> shown;
    windows.onPass = [&](int pass) {
        if (pass == 200) {
            test::FakeWindow* main = windows.windowOf(WindowKind::main);
            caption = main->title;
            width = main->width;
            height = main->height;
            for (auto* w : windows.created) shown.push_back(w->shown);
            main->events.keyDown(27);
        }
    };
    EXPECT_EQ(runApplication(windows, clock, env.midi), 0);

    EXPECT_EQ(caption, "Brioletta - [NEW]");
    EXPECT_EQ(width, 987);
    EXPECT_EQ(height, 503);
    EXPECT_EQ(shown, (std::vector<bool>{true, false, false, false}));
    ASSERT_EQ(windows.created.size(), 0u + 4);
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
