#include "main/MidiSynth.h"

#include <algorithm>

#include "accompaniment/StyleLibrary.h"
#include "accompaniment/Tempo.h"
#include "foundation/AppIdentity.h"
#include "foundation/Clock.h"
#include "graphics/DrawSurface.h"
#include "graphics/WindowHost.h"
#include "main/CommandWindows.h"
#include "midi/MidiBackend.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio {

namespace {
constexpr int notChosenDevice = -2;
}  // namespace

MidiSynth::MidiSynth(StyleLibrary& library, Options& options, RecentFiles& workspaceFiles,
                     RecentFiles& recordingFiles)
    : drumMachine(library, &instruments[drumInstrument]),
      library(library),
      options(options),
      workspaceFiles(workspaceFiles),
      recordingFiles(recordingFiles) {
    workspaceFiles.seedFromFolder("*.pws");
    recordingFiles.seedFromFolder("*.prc");
    panel.buildPiano(options.largeView);  // the piano's keys exist before any window shows them
    if (options.midiDevice == notChosenDevice) options.midiDevice = MidiOut::defaultDevice();
    MidiOut::preferSoundFont(options.soundFont);
    openMidiDevice(false);
    openMidiInput();
    arpeggios.reserve(instrumentCount);
    for (int i = 0; i < instrumentCount; ++i) {
        instruments[size_t(i)].channel = i;
        arpeggios.emplace_back(library, &instruments[size_t(i)]);
    }
    // The keyboard arpeggiators step on their own; the rhythm and the accompaniment parts play
    // the running style's sections.
    sectionPlayer = std::make_unique<SectionPlayer>(
        library, drumMachine,
        std::array<Arpeggio*, SectionPlayer::accompanimentParts>{&arpeggios[4], &arpeggios[5], &arpeggios[6],
                                                                 &arpeggios[7]});
    sectionPlayer->setListener(this);
    for (int i = 0; i < instrumentCount; ++i) {
        if (i < firstAccompaniment || i >= firstAccompaniment + SectionPlayer::accompanimentParts)
            stepControl.targets.push_back(&arpeggios[size_t(i)]);
    }
    stepControl.targets.push_back(sectionPlayer.get());
    applyChordMode();
    newWorkspace(true);
    applyAll(true, true);
    takeSnapshot();
}

MidiSynth::~MidiSynth() { MidiOut::close(); }

void MidiSynth::setDefaults() {
    volume = 1.0;
    mute = false;
    instVolume = 0.8;
    sustain = false;
    masterKeyShift = 24;
    recording = false;
    playing = false;
    style = 11;
    bass = false;
    rhythm = false;
    drumMachine.active = false;
    bassVolume = 0.8;
    drumVolume = 0.8;
    keyStartRhythm = false;
    keyStartBass = false;
    syncStop = false;
    mainChoice = Section::mainA;
    splitKey = 24;
}

void MidiSynth::resetPlayers() {
    for (Arpeggio& arpeggio : arpeggios) arpeggio.reset();
    bassChord = Chord{defaultBassKey, ChordType::major};
    drumMachine.reset();
    sectionPlayer->reset();
    stepControl.resetSettings();
    stepControl.resetPosition();
    stepControl.running = true;
}

void MidiSynth::releaseAll() {
    if (recorder().state != Recorder::State::idle) stopRecordingOrPlayback();
    releaseComputerKeys();
    releaseFingers();
    for (const Instrument& instrument : instruments) {
        MidiOut::allNotesOff(instrument.channel);
        MidiOut::setSustain(false, instrument.channel);
    }
}

void MidiSynth::tick(bool applicationActive) {
    ++tickDepth;
    struct Done {
        int& depth;
        ~Done() { --depth; }
    } done{tickDepth};
    watchMidiDevice();
    drainMidiInput();
    stepControl.tick();
    for (Instrument& instrument : instruments) instrument.service();
    if (tempoToShow) {
        tempoToShow = false;
        showTempo();
    }
    refreshSectionButtons();
    expireVelocityShown();
    runPopupTimer();
    if (recording || playing) {
        recorder().pump();
        if (recorder().state == Recorder::State::idle) stopRecordingOrPlayback();
        refreshRecorderLamp();
    }
    // Key-up events do not arrive in the background: let go of held keys. (With nothing
    // playing, the loop then waits its longest, about ten passes a second, as in the
    // foreground; a pause here as well would halve that.)
    if (!applicationActive) releaseBackgroundKeys();
}

void MidiSynth::runTicksFor(uint32_t ms) {
    if (ms == 0) ms = restrikeMs;
    Clock& clock = systemClock();
    const uint32_t start = clock.milliseconds();
    while (elapsedMs(start, clock.milliseconds()) < int32_t(ms)) {
        tick(true);
        clock.sleep(1);
    }
}

uint32_t MidiSynth::msUntilDue(uint32_t now, uint32_t limit) const {
    // A recorder that went idle by itself is noticed by the next tick at once.
    if ((recording || playing) && recorder().state == Recorder::State::idle) return 0;
    if (midiInputWaiting()) return 0;
    // The lamp moves while the recorder runs: a pass at least every lampStepMs keeps it smooth.
    if (recording || playing) limit = std::min(limit, lampStepMs);
    if (popup && popup->needsTimer()) limit = std::min(limit, popupTimerMs);
    if (velocityShown) {
        const int32_t left = int32_t(velocityShownMs) - elapsedMs(velocityShownAt, now);
        limit = std::min(limit, uint32_t(std::max(left, 0)));
    }
    uint32_t due = recorder().msUntilDue(now, limit);
    if (accompanimentRunning()) due = stepControl.msUntilNextStep(now, due);
    for (const Instrument& instrument : instruments) due = instrument.msUntilDue(now, due);
    return due;
}

// The selector popup's 50 ms timer, while it has something to watch.
void MidiSynth::runPopupTimer() {
    if (!popup || !popup->needsTimer()) return;
    const uint32_t now = systemClock().milliseconds();
    if (elapsedMs(lastPopupTimer, now) < int32_t(popupTimerMs) && elapsedMs(lastPopupTimer, now) >= 0) return;
    lastPopupTimer = now;
    popup->timer();
}

bool MidiSynth::accompanimentRunning() const {
    if (rhythm) return true;
    return std::any_of(arpeggios.begin(), arpeggios.end(), [](const Arpeggio& a) { return a.running(); });
}

void MidiSynth::releaseComputerKeys() {
    for (int key = 0; key < virtualKeyCount; ++key) {
        if (computerKeyDown[size_t(key)]) keyUp(key);
    }
}

void MidiSynth::releaseBackgroundKeys() {
    releaseComputerKeys();
    releaseFingers();
    if (mouseHolding || mouseKey >= 0) {
        letGo(mouseKey, heldByMouse);
        mouseHolding = false;
        mouseKey = -1;
    }
}

void MidiSynth::attachMainWindow(HostWindow* window) {
    mainWindow = window;
    if (!mainWindow) {
        DrawSurface& surface = drawSurface();
        surface.enabled = false;
        surface.backBuffer = nullptr;
        surface.windowCanvas = nullptr;
        return;
    }
    buildPanel();
    updateCaption();
}

void MidiSynth::paintPanel() {
    if (mainWindow && panel.isBuilt()) panel.paintAll(mainWindow->canvas(), options.keyHighlight);
}

void MidiSynth::repaintPiano() {
    if (mainWindow) panel.paintPiano(mainWindow->canvas(), options.keyHighlight);
}

std::string MidiSynth::captionText() const {
    return std::string(applicationTitle) + " - " + (fileName.empty() ? "[NEW]" : fileName);
}

void MidiSynth::updateCaption() {
    if (mainWindow) mainWindow->setCaption(captionText());
}

}  // namespace brio
