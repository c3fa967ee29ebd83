// Workspaces: the station as a markup document, new, open and save, and the modified check.
#include <algorithm>

#include "accompaniment/StyleLibrary.h"
#include "accompaniment/Tempo.h"
#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"
#include "graphics/UserDialogs.h"
#include "main/MidiSynth.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio {

namespace {

constexpr const char* workspaceFilter = "Brio Workspace (*.pws)| *.pws";
constexpr const char* fileMissing = "     File does not exist.     ";
constexpr const char* openFailed = "     Failed to open file.     ";
constexpr const char* saveFailed = "     Failed to save file.     ";
constexpr int maxMasterKeyShift = 48;
constexpr int maxProgram = 127;
constexpr int maxTranspose = 60;

// A real from a file in 0..1; anything else, not a number included, becomes the nearest end.
void clampUnit(double& value) { value = value >= 0.0 ? std::min(value, 1.0) : 0.0; }

}  // namespace

void MidiSynth::exchange() {
    exchangeBool("mute", mute);
    exchangeReal("volume", volume);
    exchangeReal("instVolume", instVolume);
    exchangeReal("bassVolume", bassVolume);
    exchangeReal("drumVolume", drumVolume);
    exchangeInt("style", style);
    // The style's name beside its number, so that the style is found again where the library
    // has moved it.
    if (writing) {
        std::string name = StyleLibrary::validStyle(style) ? library.style(style).name : "";
        if (!name.empty()) exchangeText("styleName", name);
    } else {
        savedStyleName.clear();
        exchangeText("styleName", savedStyleName);
    }
    exchangeBool("keyStartRhythm", keyStartRhythm);
    exchangeBool("keyStartBass", keyStartBass);
    exchangeBool("syncStop", syncStop);
    std::string main = mainChoice == Section::mainB ? "B" : "A";
    if (exchangeText("main", main)) mainChoice = main == "B" ? Section::mainB : Section::mainA;
    exchangeInt("masterKeyShift", masterKeyShift);
    exchangeInt("splitKey", splitKey);
    // The computer keyboard's velocity is an option that a workspace brings along; one saved
    // before it existed leaves the level as it is.
    int32_t keyVelocity = options.keyboardVelocity;
    if (exchangeInt("keyboardVelocity", keyVelocity) && !writing)
        options.keyboardVelocity = std::clamp(keyVelocity, int32_t(1), int32_t(127));
    exchangeSection("drum machine", drumMachine);
    exchangeSection("step control", stepControl);
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        exchangeSection("inst" + formatInt(i), instruments[size_t(i)]);
        exchangeSection("arp" + formatInt(i), arpeggios[size_t(i)]);
    }
}

void MidiSynth::buildWorkspaceLines() {
    writing = true;
    lines.clear();
    exchange();
}

void MidiSynth::takeSnapshot() {
    buildWorkspaceLines();
    savedText = lines;
}

bool MidiSynth::isModified() {
    buildWorkspaceLines();
    if (lines.count() != savedText.count()) return true;
    for (int i = 0; i < lines.count(); ++i) {
        if (lines.getConst(i) != savedText.getConst(i)) return true;
    }
    return false;
}

bool MidiSynth::confirmDiscardWorkspace() {
    if (!options.warnStationDelete || !isModified()) return true;
    releaseAll();
    return userDialogs().askQuestion("Workspace has been modified. Continue without saving?") != 1;
}

void MidiSynth::requestQuit() {
    if (!confirmDiscardWorkspace()) return;
    if (!confirmDiscardRecording()) return;
    quitRequested = true;
}

void MidiSynth::newWorkspace(bool force) {
    if (!force && !confirmDiscardWorkspace()) return;
    fileName.clear();
    computerKeyDown.fill(0);
    pianoKeyDown.fill(0);
    for (int key = 0; key < PianoKeyboard::maxKeys; ++key) panel.piano.releaseKey(key);
    windowDragging = false;
    quitRequested = false;
    mouseKey = -1;
    mouseHolding = false;
    fingers.fill(Finger{});

    openMidiDevice(false);
    MidiOut::reset();

    for (int i = 0; i < instrumentCount; ++i) {
        Instrument& instrument = instruments[size_t(i)];
        instrument.reset();
        instrument.followsMasterKeyShift = i < keyboardInstrumentCount;
    }
    resetPlayers();
    setDefaults();
    recorder().stop();
    instruments[0].pan = 0.65;
    instruments[1].pan = 0.2;
    instruments[2].pan = 0.8;
    instruments[0].active = true;

    if (!force) applyAll(true, true);
    takeSnapshot();
    updateCaption();
}

// Values a file may hold out of range are brought back into it.
void MidiSynth::clampLoadedValues() {
    masterKeyShift = std::clamp(masterKeyShift, 0, maxMasterKeyShift);
    if (!StyleLibrary::validStyle(style)) style = 11;
    for (double* level : {&volume, &instVolume, &bassVolume, &drumVolume, &tempo, &shuffle}) clampUnit(*level);
    stepsPerBeat = std::clamp(stepsPerBeat, 1, ArpeggioStyle::editableSteps);  // a million would spin the loop
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        Instrument& instrument = instruments[size_t(i)];
        instrument.program = std::clamp(instrument.program, 0, maxProgram);
        instrument.transpose = std::clamp(instrument.transpose, -maxTranspose, maxTranspose);
        clampUnit(instrument.volume);
        clampUnit(instrument.pan);
    }
}

// The style saved by name where the library holds it; else its saved number, and a notice
// naming the style the workspace was saved with.
void MidiSynth::findSavedStyle() {
    if (savedStyleName.empty() || library.style(style).name == savedStyleName) return;
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        if (library.style(i).name != savedStyleName) continue;
        style = i;
        return;
    }
    userDialogs().showNotice("     The style \"" + savedStyleName + "\" is not in the library.     ");
}

void MidiSynth::openWorkspace(const std::string& path) {
    if (!confirmDiscardWorkspace()) return;
    std::string chosen = path;
    if (chosen.empty()) {
        releaseAll();  // no note hangs while the box is open
        if (!userDialogs().askOpenFileName(chosen, "Open", workspaceFilter, documentsFolder())) return;
    } else if (!pathExists(chosen)) {
        workspaceFiles.remove(chosen);
        userDialogs().showNotice(fileMissing);
        return;
    }
    newWorkspace(true);
    fileName = chosen;
    if (loadFile(fileName, workspaceRoot)) {
        clampLoadedValues();
        findSavedStyle();
        workspaceFiles.add(fileName);
    } else {
        newWorkspace(true);
        userDialogs().showNotice(openFailed);
    }
    applyAll(true, false);
    takeSnapshot();
    updateCaption();
}

void MidiSynth::saveWorkspace() {
    if (fileName.empty()) {
        saveWorkspaceAs();
        return;
    }
    writeWorkspace();
}

bool MidiSynth::writeWorkspace() {
    const bool written = saveFile(fileName, workspaceRoot);
    if (written) takeSnapshot();  // only a file that was written makes the workspace unmodified
    else userDialogs().showNotice(saveFailed);
    updateCaption();
    return written;
}

void MidiSynth::saveWorkspaceAs() {
    std::string chosen = fileName;
    releaseAll();
    if (!userDialogs().askSaveFileName(chosen, "Save As", workspaceFilter, documentsFolder())) return;
    const std::string previous = fileName;
    fileName = chosen;
    // Only a file that was written joins the recent list and names the workspace.
    if (writeWorkspace()) {
        workspaceFiles.add(fileName);
    } else {
        fileName = previous;
        updateCaption();
    }
}

}  // namespace brio
