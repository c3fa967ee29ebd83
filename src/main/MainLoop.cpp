#include "main/MainLoop.h"

#include "foundation/Clock.h"
#include "graphics/WindowHost.h"
#include "main/MidiSynth.h"

namespace brio {

namespace {

constexpr uint32_t noLimit = UINT32_MAX;

// The longest the loop may wait before its next tick, when nothing is due earlier.
uint32_t waitLimit(const MidiSynth& station, const WindowSystem& windows) {
    if (station.accompanimentRunning()) return longestWaitMs;
    return windows.applicationActive() ? noLimit : backgroundPauseMs;
}

}  // namespace

uint32_t runBoxPass(MidiSynth& station, WindowSystem& windows, Clock& clock, BoxWindows answered) {
    // A box that a tick opened (a device that failed, a full recorder) leaves that tick alone.
    if (!station.insideTick()) station.tick(windows.applicationActive());
    else station.drainMidiInput();
    if (answered == BoxWindows::answered) {
        windows.setInputBlocked(true);
        windows.processPendingMessages();
        windows.setInputBlocked(false);
    }
    return station.msUntilDue(clock.milliseconds(), longestWaitMs);
}

uint64_t runMainLoop(MidiSynth& station, WindowSystem& windows, Clock& clock, const bool& windowQuit) {
    uint64_t passes = 0;
    while (!windowQuit && !station.quitRequested) {
        ++passes;
        station.tick(windows.applicationActive());
        windows.processPendingMessages();
        if (windowQuit || station.quitRequested) break;
        // Wakes at the very start of the millisecond in which the next thing is due.
        const uint64_t nowUs = clock.microseconds();
        const uint64_t nowMs = nowUs / 1000u;
        const uint32_t wait = station.msUntilDue(uint32_t(nowMs), waitLimit(station, windows));
        if (wait == noLimit) windows.waitForMessages(WindowSystem::forever);
        else if (wait > 0) windows.waitForMessages((nowMs + wait) * 1000u - nowUs);
    }
    return passes;
}

}  // namespace brio
