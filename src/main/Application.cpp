#include "main/Application.h"

#include <algorithm>
#include <cstdio>

#include "accompaniment/StyleLibrary.h"
#include "dialog/Fdialog.h"
#include "foundation/AppIdentity.h"
#include "foundation/Clock.h"
#include "foundation/Trace.h"
#include "graphics/UserDialogs.h"
#include "graphics/WindowHost.h"
#include "main/CommandWindowAdapters.h"
#include "main/Fmain.h"
#include "main/ScaleChoice.h"
#include "graphics/Limage.h"
#include "main/LoopPriority.h"
#include "main/MainLoop.h"
#include "main/MidiSynth.h"
#include "midi/MidiIn.h"
#include "midi/MidiInputQueue.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"
#include "programmer/Fprogrammer.h"
#include "selector/Fselector.h"

namespace brio {

namespace {

// The main window's one-shot start timer: messages are processed until it fires.
// Every window is drawn at the option's scale, else the desktop's, as far as the main window
// still fits the screen; the large view then needs the screen's width in scaled pixels.
void applyScale(WindowSystem& windows, Options& options) {
    const int wanted = options.scale > 0 ? options.scale : windows.desktopScale();
    const int scale = fittingScale(wanted, windows.screenWidth(), windows.screenHeight(), options.largeView);
    if (scale < wanted) {
        std::fprintf(stderr, "%s: at scale %d the window would be larger than the screen; scale %d is used.\n",
                     applicationTitle, wanted, scale);
    }
    windows.setScale(scale);
    setDrawingScale(scale);
    const int width = windows.screenWidth();
    if (options.largeView && width > 0 && width < Options::largeViewMinWidth) options.largeView = false;
}

void waitForStartTimer(Fmain& fmain, WindowSystem& windows, Clock& clock) {
    const uint32_t start = clock.milliseconds();
    int32_t passed = 0;
    while (!fmain.quitFlag() && (passed = elapsedMs(start, clock.milliseconds())) < int32_t(Fmain::startTimerMs)) {
        windows.processPendingMessages();
        windows.waitForMessages(uint64_t(int32_t(Fmain::startTimerMs) - std::max(passed, 0)) * 1000u);
    }
}

constexpr int recentCapacity = 10;

int runStation(WindowSystem& windows, Clock& clock, MidiBackend& midi, const std::string& startFile,
               bool startRecording, MidiInputBackend* input, SchedulerCalls* scheduler) {
    MidiOut::installBackend(&midi);
    // Input wakes the loop from the input threads; it is listened to from here on, so that the
    // options can list the input devices.
    MidiIn::queue().setWaker([&windows] { windows.wake(); });
    MidiIn::installBackend(input);
    // Global objects, in order; each is destroyed in reverse order when this function returns,
    // which closes the MIDI device and writes the settings files.
    RecentFiles workspaceFiles("recentS.cfg", recentCapacity);
    RecentFiles recordingFiles("recentR.cfg", recentCapacity);
    StyleLibrary library;
    Options options(windows.screenWidth());
    applyScale(windows, options);
    // This thread runs the loop that times every note: from here on at the priority it gets.
    if (scheduler) {
        const PriorityGrant grant = requestLoopPriority(*scheduler, options.realtime);
        std::fprintf(stderr, "%s: %s.\n", applicationTitle, grant.report.c_str());
    }
    MidiSynth station(library, options, workspaceFiles, recordingFiles);
    traceAt("station built", clock.microseconds());

    // Windows, in order; destroyed before the global objects.
    Fmain fmain(station, windows);
    Fdialog fdialog(windows);
    Fselector fselector(windows, clock);
    Fprogrammer fprogrammer(windows, library);

    // The commands' windows as the station and the dialog reach them.
    SelectorCommandPopup popup(fselector, station, fmain);
    SelectorListChooser chooser(fselector);
    StationDialogOwner dialogOwner(station, fmain);
    WindowPages pages(fdialog, fprogrammer, station);
    SelectorPopupMenu patternMenu(fselector);
    fprogrammer.setPopupMenu(&patternMenu);
    fdialog.connect(options, &dialogOwner, &chooser, applicationTitle);
    fmain.setDialogVisible([&fdialog] { return fdialog.visible(); });
    fmain.setIgnoredPress([&fselector] { fselector.close(); });
    station.attachCommandWindows(&popup, &pages, &pages);
    station.attachMidiInput(&MidiIn::queue());
    windows.setWakeHandler([&station] { station.drainMidiInput(); });
    // While a file box or message is open the music goes on and the windows are answered.
    installBoxWaitPass([&station, &windows, &clock](BoxWindows answered) {
        return runBoxPass(station, windows, clock, answered);
    });
    // The station forgets the windows before they go, and the input before the station goes.
    struct Detach {
        MidiSynth& station;
        WindowSystem& windows;
        ~Detach() {
            installBoxWaitPass(nullptr);
            windows.setWakeHandler(nullptr);
            station.attachMidiInput(nullptr);
            station.attachCommandWindows(nullptr, nullptr, nullptr);
        }
    } detach{station, windows};

    fmain.show();
    traceAt("window shown", clock.microseconds());
    waitForStartTimer(fmain, windows, clock);
    if (!fmain.quitFlag() && !startFile.empty()) {
        if (startRecording) station.openRecentRecording(startFile);
        else station.openWorkspace(startFile);
    }
    if (!fmain.quitFlag()) fmain.timerTimer(clock);
    return 0;
}

}  // namespace

int runApplication(WindowSystem& windows, Clock& clock, MidiBackend& midi, const std::string& startFile,
                   bool startRecording, MidiInputBackend* input, SchedulerCalls* scheduler) {
    const int status = runStation(windows, clock, midi, startFile, startRecording, input, scheduler);
    setDrawingScale(1);
    MidiIn::installBackend(nullptr);
    MidiIn::queue().setWaker(nullptr);
    MidiOut::installBackend(nullptr);
    return status;
}

}  // namespace brio
