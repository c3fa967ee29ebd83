#include "main/MainLoop.h"

#include "foundation/Clock.h"
#include "graphics/WindowHost.h"
#include "main/MidiSynth.h"

namespace brio {

int passSleepMs(uint32_t passStart, uint32_t now) {
    const int32_t remaining = mainLoopPassMs - elapsedMs(passStart, now);
    return (remaining >= 1 && remaining <= mainLoopPassMs) ? remaining : 0;
}

void runMainLoop(MidiSynth& station, WindowSystem& windows, Clock& clock, const bool& windowQuit) {
    while (!windowQuit && !station.quitRequested) {
        const uint32_t passStart = clock.milliseconds();
        station.tick(windows.applicationActive());
        windows.processPendingMessages();
        if (station.idle() && windows.applicationActive()) {
            windows.waitForMessages(idleWaitMs);
            continue;
        }
        const int pause = passSleepMs(passStart, clock.milliseconds());
        if (pause > 0) clock.sleep(static_cast<uint32_t>(pause));
    }
}

}  // namespace brio
