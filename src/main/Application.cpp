#include "main/Application.h"

#include "dialog/Fdialog.h"
#include "foundation/Clock.h"
#include "graphics/WindowHost.h"
#include "main/Fmain.h"
#include "main/MainLoop.h"
#include "main/MidiSynth.h"
#include "programmer/Fprogrammer.h"
#include "selector/Fselector.h"

namespace brio {

namespace {

// The main window's one-shot start timer: messages are processed until it fires.
void waitForStartTimer(Fmain& fmain, WindowSystem& windows, Clock& clock) {
    const uint32_t start = clock.milliseconds();
    while (!fmain.quitFlag() && elapsedMs(start, clock.milliseconds()) < int32_t(Fmain::startTimerMs)) {
        windows.processPendingMessages();
        clock.sleep(mainLoopPassMs);
    }
}

}  // namespace

int runApplication(WindowSystem& windows, Clock& clock) {
    // Global objects, in order; each is destroyed in reverse order when this function returns.
    // The recent-file lists, the style library and the options join ahead of the station.
    MidiSynth station;

    // Windows, in order; destroyed before the global objects.
    Fmain fmain(station, windows);
    Fdialog fdialog(windows);
    Fselector fselector(windows);
    Fprogrammer fprogrammer(windows);

    fmain.show();
    waitForStartTimer(fmain, windows, clock);
    if (!fmain.quitFlag()) fmain.timerTimer(clock);
    return 0;
}

}  // namespace brio
