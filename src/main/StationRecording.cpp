// Recording and playback from the station: the switches, the recording menu and its files.
#include <algorithm>

#include "foundation/Clock.h"
#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"
#include "graphics/UserDialogs.h"
#include "graphics/WindowHost.h"
#include "main/MidiSynth.h"
#include "midi/AudioExport.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"
#include "midi/RecordingFile.h"
#include "midi/StandardMidiFile.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio {

namespace {

// Recordings are saved in the private text format or as Standard MIDI Files; either opens.
constexpr const char* saveFilter =
    "Brio Recording (*.prc)| *.prc|Standard MIDI File (*.mid)| *.mid|WAV Audio (*.wav)| *.wav|"
    "FLAC Audio (*.flac)| *.flac|Ogg Vorbis Audio (*.ogg)| *.ogg";
constexpr const char* openFilter =
    "All Recordings (*.prc *.mid *.midi)| *.prc *.mid *.midi|Brio Recording (*.prc)| *.prc|"
    "Standard MIDI File (*.mid *.midi)| *.mid *.midi";

}  // namespace

void MidiSynth::showRecorderState() {
    recording = recorder().state == Recorder::State::recording;
    playing = recorder().state == Recorder::State::playing;
    panel.controls.paintBound(&recording);
    panel.controls.paintBound(&playing);
    refreshRecorderLamp();
}

bool MidiSynth::confirmDiscardRecording() {
    Recorder& rec = recorder();
    if (!options.warnRecDelete || !rec.isUnsaved() || rec.events.empty()) return true;
    releaseAll();
    return userDialogs().askQuestion("You have an unsaved recording. Continue without saving?") != 1;
}

void MidiSynth::startRecording() {
    if (!confirmDiscardRecording()) {
        showRecorderState();
        return;
    }
    if (recorder().state != Recorder::State::idle) stopRecordingOrPlayback();
    recorder().startRecording();
    showRecorderState();
    // Every recording opens with the station's programs, pedals, volumes and pans.
    for (Instrument& instrument : instruments) {
        instrument.setProgram(instrument.program);
        if (instrument.sustain) MidiOut::setSustain(true, instrument.channel);
    }
    sendMix();
}

void MidiSynth::startPlayback() {
    stopRecordingOrPlayback();
    recorder().startPlayback();
    recorder().playbackVolume = std::clamp(effectiveMaster(), 0.0, 1.0);
    showRecorderState();
}

void MidiSynth::stopRecordingOrPlayback() {
    const bool wasPlaying = playing;
    for (Instrument& instrument : instruments) {
        instrument.cutAll();
        if (instrument.sustain) MidiOut::setSustain(false, instrument.channel);
    }
    recorder().stop();
    for (const Instrument& instrument : instruments) {
        MidiOut::allNotesOff(instrument.channel);
        MidiOut::setSustain(false, instrument.channel);
    }
    showRecorderState();
    if (!wasPlaying) return;
    // The station's own programs, volumes and pans replace those of the recording.
    if (windowSystem) windowSystem->processPendingMessages();
    systemClock().sleep(playbackEndPauseMs);
    openMidiDevice(false);
    applyAll(false, false);
}

void MidiSynth::playRecordingFile(const std::string& path) {
    // The file's events must not replace those of a running recorder.
    if (recorder().state != Recorder::State::idle) stopRecordingOrPlayback();
    if (readRecordingFile(path, recorder())) {
        recordingFiles.add(path);
        startPlayback();
    } else {
        userDialogs().showNotice("     Failed to open file.     ");
    }
}

void MidiSynth::openRecording() {
    if (!confirmDiscardRecording()) return;
    releaseAll();
    std::string chosen;
    if (!userDialogs().askOpenFileName(chosen, "Open Brio Recording", openFilter, documentsFolder())) return;
    playRecordingFile(chosen);
}

void MidiSynth::saveRecordingAs() {
    releaseAll();
    std::string chosen;
    if (!userDialogs().askSaveFileName(chosen, "Save Brio Recording As", saveFilter, documentsFolder())) return;
    if (audioFormatOf(chosen)) return saveRecordingAsAudio(chosen);
    if (writeRecordingFile(chosen, recorder())) {
        recorder().unsaved = false;  // only once the file is written
        recordingFiles.add(chosen);
    } else {
        userDialogs().showNotice("     Failed to save file.     ");
    }
}

void MidiSynth::openRecentRecording(const std::string& path) {
    if (!confirmDiscardRecording()) return;
    if (!pathExists(path)) {
        userDialogs().showNotice("     File does not exist.     ");
        recordingFiles.remove(path);
        return;
    }
    playRecordingFile(path);
}

}  // namespace brio
