#include "main/Application.h"

#include <algorithm>

#include "accompaniment/StyleLibrary.h"
#include "dialog/Fdialog.h"
#include "foundation/Clock.h"
#include "graphics/WindowHost.h"
#include "main/Fmain.h"
#include "main/MainLoop.h"
#include "main/MidiSynth.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"
#include "programmer/Fprogrammer.h"
#include "selector/Fselector.h"

namespace brio {

namespace {

// The main window's one-shot start timer: messages are processed until it fires.
void waitForStartTimer(Fmain& fmain, WindowSystem& windows, Clock& clock) {
    const uint32_t start = clock.milliseconds();
    int32_t passed = 0;
    while (!fmain.quitFlag() && (passed = elapsedMs(start, clock.milliseconds())) < int32_t(Fmain::startTimerMs)) {
        windows.processPendingMessages();
        windows.waitForMessages(uint64_t(int32_t(Fmain::startTimerMs) - std::max(passed, 0)) * 1000u);
    }
}

constexpr int recentCapacity = 10;

int runStation(WindowSystem& windows, Clock& clock, MidiBackend& midi) {
    MidiOut::installBackend(&midi);
    // Global objects, in order; each is destroyed in reverse order when this function returns,
    // which closes the MIDI device and writes the settings files.
    RecentFiles workspaceFiles("recentS.cfg", recentCapacity);
    RecentFiles recordingFiles("recentR.cfg", recentCapacity);
    StyleLibrary library;
    Options options(windows.screenWidth());
    MidiSynth station(library, options, workspaceFiles, recordingFiles);

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

}  // namespace

int runApplication(WindowSystem& windows, Clock& clock, MidiBackend& midi) {
    const int status = runStation(windows, clock, midi);
    MidiOut::installBackend(nullptr);
    return status;
}

}  // namespace brio
