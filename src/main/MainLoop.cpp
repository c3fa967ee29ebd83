#include "main/MainLoop.h"

#include "foundation/Clock.h"
#include "graphics/WindowHost.h"
#include "main/MidiSynth.h"

namespace brio {

void runMainLoop(MidiSynth& station, WindowSystem& windows, Clock& clock, const bool& windowQuit) {
    while (!windowQuit && !station.quitRequested) {
        station.tick(windows.applicationActive());
        windows.processPendingMessages();
        if (windowQuit || station.quitRequested) break;
        // Wakes at the very start of the millisecond in which the next thing is due.
        const uint64_t nowUs = clock.microseconds();
        const uint64_t nowMs = nowUs / 1000u;
        const uint32_t limit = station.accompanimentRunning() ? longestWaitMs : idleWaitMs;
        const uint32_t wait = station.msUntilDue(uint32_t(nowMs), limit);
        if (wait > 0) windows.waitForMessages((nowMs + wait) * 1000u - nowUs);
    }
}

}  // namespace brio
