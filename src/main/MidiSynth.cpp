#include "main/MidiSynth.h"

#include <algorithm>

#include "foundation/Clock.h"
#include "graphics/WindowHost.h"
#include "main/AppIdentity.h"
#include "midi/MidiBackend.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio {

namespace {
constexpr int firstAccompanimentInstrument = 4;
constexpr int lastAccompanimentInstrument = 8;
constexpr int keyboardInstrumentCount = 4;
constexpr int drumInstrument = Instrument::drumChannel;
constexpr int notChosenDevice = -2;
}  // namespace

MidiSynth::MidiSynth(Options& options, RecentFiles& workspaceFiles, RecentFiles& recordingFiles)
    : options(options), workspaceFiles(workspaceFiles), recordingFiles(recordingFiles) {
    workspaceFiles.seedFromFolder("*.pws");
    recordingFiles.seedFromFolder("*.prc");
    if (options.midiDevice == notChosenDevice) options.midiDevice = MidiOut::defaultDevice();
    openMidiDevice(false);
    for (int i = 0; i < instrumentCount; ++i) instruments[size_t(i)].channel = i;
    // The arpeggios, the drum machine and the step control join here with the accompaniment.
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
    bassVolume = 0.8;
    drumVolume = 0.8;
    keyStartRhythm = false;
    keyStartBass = false;
    splitKey = 24;
}

void MidiSynth::newWorkspace(bool force) {
    // Asking before a modified workspace is discarded comes with the workspace file.
    fileName.clear();
    computerKeyDown.fill(0);
    pianoKeyDown.fill(0);
    quitRequested = false;
    mouseKey = -1;
    mouseHolding = false;

    openMidiDevice(false);
    MidiOut::reset();

    for (int i = 0; i < instrumentCount; ++i) {
        Instrument& instrument = instruments[size_t(i)];
        instrument.reset();
        instrument.followsMasterKeyShift = i < keyboardInstrumentCount;
    }
    setDefaults();
    instruments[0].pan = 0.65;
    instruments[1].pan = 0.2;
    instruments[2].pan = 0.8;
    instruments[0].active = true;

    if (!force) applyAll(true, true);
    takeSnapshot();
    updateCaption();
}

void MidiSynth::takeSnapshot() {
    writing = true;
    lines.clear();
    exchange();
    savedText = lines;
}

void MidiSynth::openMidiDevice(bool reapply) {
    Text_ devices;
    MidiOut::listDevices(devices);
    int device = options.midiDevice;
    if (device < 0 || device >= devices.count()) device = MidiBackend::mapperDevice;
    MidiOut::open(device);
    // Panel drawing is held back here once the panel exists.
    if (reapply) applyAll(false, false);
}

void MidiSynth::releaseAll() {
    // Stopping the recorder comes with the recorder.
    for (int key = 0; key < virtualKeyCount; ++key) {
        if (computerKeyDown[size_t(key)]) keyUp(key);
    }
    for (const Instrument& instrument : instruments) {
        MidiOut::allNotesOff(instrument.channel);
        MidiOut::setSustain(false, instrument.channel);
    }
}

void MidiSynth::sendGroupVolumes(bool keyboard, bool accompaniment, bool drums) {
    const double master = effectiveMaster();
    if (keyboard) {
        for (int i = 0; i < keyboardInstrumentCount; ++i) instruments[size_t(i)].sendVolume(master * instVolume);
    }
    if (accompaniment) {
        for (int i = firstAccompanimentInstrument; i <= lastAccompanimentInstrument; ++i) {
            instruments[size_t(i)].sendVolume(master * bassVolume);
        }
    }
    if (drums) {
        const Instrument& drum = instruments[drumInstrument];
        MidiOut::setVolume(midiValue(drum.volume * master * drumVolume), drum.channel);
    }
}

void MidiSynth::sendMix() {
    sendGroupVolumes(true, true, true);
    for (const Instrument& instrument : instruments) {
        MidiOut::setPan(std::clamp(midiValue(instrument.pan), 0, 127), instrument.channel);
    }
}

void MidiSynth::applyAll(bool withSelection, bool applyTempo) {
    // The panel's instrument selection joins here with the panel (withSelection).
    (void)withSelection;
    for (Instrument& instrument : instruments) instrument.setProgram(instrument.program);
    sendMix();
    selectStyle(-1, applyTempo);
    // The bass switch reaches arpeggios 4..8 and the widgets are refreshed once they exist.
    updateCaption();
}

void MidiSynth::controlChanged(const void* variable) {
    const bool master = variable == &volume || variable == &mute;
    // During playback the recorder's playback volume follows the master (with the recorder).
    if (master || variable == &instVolume || variable == &bassVolume || variable == &drumVolume) {
        sendGroupVolumes(master || variable == &instVolume, master || variable == &bassVolume,
                         master || variable == &drumVolume);
    }
}

void MidiSynth::tick(bool applicationActive) {
    // 1. The step control advances and plays its targets (comes with the accompaniment).
    // 2. Every instrument starts and ends its due notes.
    for (Instrument& instrument : instruments) instrument.service();
    // 3. While recording or playing, the recorder's pump runs (comes with the recorder).
    // 4. In the foreground the tick ends here.
    if (applicationActive) return;
    // 5. In the background with nothing playing, the loop slows to about ten passes a second.
    if (!accompanimentRunning() && !playing) systemClock().sleep(backgroundPauseMs);
    // 6.-7. Key-up events do not arrive in the background: let go of held keys.
    releaseBackgroundKeys();
}

bool MidiSynth::accompanimentRunning() const {
    // The arpeggiators join here with the accompaniment.
    return rhythm;
}

void MidiSynth::releaseBackgroundKeys() {
    for (int key = 0; key < virtualKeyCount; ++key) {
        if (computerKeyDown[size_t(key)]) keyUp(key);
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
    if (computerKeyDown[size_t(virtualKey)]) return;  // auto-repeat
    computerKeyDown[size_t(virtualKey)] = 1;
    if (virtualKey == escapeKey) requestQuit();
    else showComputerKey(virtualKey, true);
}

void MidiSynth::keyUp(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= virtualKeyCount) return;
    computerKeyDown[size_t(virtualKey)] = 0;
    showComputerKey(virtualKey, false);
}

void MidiSynth::attachMainWindow(HostWindow* window) {
    mainWindow = window;
    if (!mainWindow) return;
    panel.build();
    mainWindow->setClientSize(panel.width(), panel.height());
    updateCaption();
}

void MidiSynth::paintPanel() {
    if (mainWindow) panel.paintAll(mainWindow->canvas(), options.keyHighlight);
}

void MidiSynth::showComputerKey(int virtualKey, bool pressed) {
    const int key = panel.piano.keyForCode(virtualKey);
    if (key < 0) return;
    if (pressed) panel.piano.pressKey(key);
    else panel.piano.releaseKey(key);
    if (mainWindow) panel.paintPiano(mainWindow->canvas(), options.keyHighlight);
}

std::string MidiSynth::captionText() const {
    return std::string(applicationTitle) + " - " + (fileName.empty() ? "[NEW]" : fileName);
}

void MidiSynth::updateCaption() {
    if (mainWindow) mainWindow->setCaption(captionText());
}

void MidiSynth::selectStyle(int styleIndex, bool /*applyTempo*/) {
    // Applying the style's parts and tempo comes with the style library.
    if (styleIndex >= 0 && styleIndex < 100) style = styleIndex;
}

void MidiSynth::exchange() {
    // The workspace keys come with the workspace file.
}

}  // namespace brio
