#include "main/MainLoop.h"

#include "graphics/WindowHost.h"
#include "main/MidiSynth.h"

namespace brio {

void runMainLoop(MidiSynth& station, WindowSystem& windows, const bool& windowQuit) {
    while (!windowQuit && !station.quitRequested) {
        station.tick(windows.applicationActive());
        windows.processPendingMessages();
        if (windowQuit || station.quitRequested) break;
        const uint32_t wait = station.msUntilDue(longestWaitMs);
        if (wait > 0) windows.waitForMessages(wait);
    }
}

}  // namespace brio
