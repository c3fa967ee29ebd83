#include "main/MidiSynth.h"

#include "foundation/Clock.h"
#include "graphics/WindowHost.h"
#include "main/AppIdentity.h"

namespace brio {

MidiSynth::MidiSynth() {
    // Construction in order:
    // 1. members (above);
    // 2. seeding of the empty recent lists comes with the recent-file lists;
    // 3.-4. choosing and opening the MIDI device comes with the MIDI output;
    // 5.-6. instruments, arpeggios, drum machine and step control come with their subsystems;
    // 7. no main window yet (attachMainWindow);
    // 8. a new workspace; applying it to the device and the modified-check snapshot come with
    //    the instruments and the workspace file.
    newWorkspace(true);
}

MidiSynth::~MidiSynth() = default;

void MidiSynth::newWorkspace(bool /*force*/) {
    pianoKeyDown.fill(0);
    computerKeyDown.fill(0);
    volume = 1.0;
    mute = false;
    instVolume = 0.8;
    sustain = false;
    style = 11;
    bass = false;
    bassVolume = 0.8;
    drumVolume = 0.8;
    rhythm = false;
    keyStartRhythm = false;
    keyStartBass = false;
    splitKey = 24;
    recording = false;
    playing = false;
    fileName.clear();
    mouseHolding = false;
    mouseKey = -1;
    updateCaption();
}

void MidiSynth::tick(bool applicationActive) {
    // 1. The step control advances and plays its targets (comes with the accompaniment).
    // 2. Every instrument starts and ends its due notes (comes with the instruments).
    // 3. While recording or playing, the recorder's pump runs (comes with the recorder).
    // 4. In the foreground the tick ends here.
    if (applicationActive) return;
    // 5. In the background with nothing playing, the loop slows to about ten passes a second.
    if (!accompanimentRunning() && !playing) systemClock().sleep(backgroundPauseMs);
    // 6.-7. Key-up events do not arrive in the background: let go of held keys.
    releaseBackgroundKeys();
}

bool MidiSynth::accompanimentRunning() const {
    // The rhythm and the arpeggiators join here with the accompaniment.
    return rhythm;
}

void MidiSynth::releaseBackgroundKeys() {
    for (int key = 0; key < virtualKeyCount; ++key) {
        if (computerKeyDown[key]) keyUp(key);
    }
    if (mouseHolding || mouseKey >= 0) {
        mouseHolding = false;
        mouseKey = -1;
    }
}

void MidiSynth::requestQuit() {
    // The questions about unsaved work come with the workspace file and the recorder.
    quitRequested = true;
}

void MidiSynth::keyDown(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= virtualKeyCount) return;
    if (computerKeyDown[virtualKey]) return;  // auto-repeat
    computerKeyDown[virtualKey] = 1;
    if (virtualKey == escapeKey) requestQuit();
}

void MidiSynth::keyUp(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= virtualKeyCount) return;
    computerKeyDown[virtualKey] = 0;
}

void MidiSynth::attachMainWindow(HostWindow* window) {
    mainWindow = window;
    updateCaption();
}

std::string MidiSynth::captionText() const {
    return std::string(applicationTitle) + " - " + (fileName.empty() ? "[NEW]" : fileName);
}

void MidiSynth::updateCaption() {
    if (mainWindow) mainWindow->setCaption(captionText());
}

void MidiSynth::selectStyle(int styleIndex, bool /*applyTempo*/) {
    if (styleIndex >= 0 && styleIndex < 100) style = styleIndex;
}

void MidiSynth::exchange() {
    // The workspace keys come with the workspace file.
}

}  // namespace brio
