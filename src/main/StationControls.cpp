// Control changes of the station: what a changed switch, fader or selection does, and the
// application of styles and of the whole set-up to the MIDI device.
#include <algorithm>

#include "accompaniment/StyleLibrary.h"
#include "accompaniment/Tempo.h"
#include "main/MidiSynth.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"
#include "settings/Options.h"

namespace brio {

namespace {
constexpr int programsPerBank = 8;
}  // namespace

void MidiSynth::controlChanged(const void* variable) {
    const bool master = variable == &volume || variable == &mute;
    if (variable == &recording || variable == &playing) {
        // The switch has toggled already. Until the recorder changes, both switches show what
        // it does, so that stopping what runs sees the play switch as it was.
        const bool on = variable == &recording ? recording : playing;
        showRecorderState();
        if (on && variable == &recording) startRecording();
        else if (on) startPlayback();
        else stopRecordingOrPlayback();
        showRecorderState();
        return;
    }
    if (master && recorder().state == Recorder::State::playing) recorder().setPlaybackVolume(effectiveMaster());
    if (master || variable == &instVolume || variable == &bassVolume || variable == &drumVolume) {
        sendGroupVolumes(master || variable == &instVolume, master || variable == &bassVolume,
                         master || variable == &drumVolume);
    } else if (variable == &programBank || variable == &programInBank) {
        instruments[size_t(selectedInstrument)].setProgram(programBank * programsPerBank + programInBank);
        refreshToneDisplay();
    } else if (variable == &arpeggioSwitch) {
        arpeggioSwitchChanged();
    } else if (variable == &holdSwitch) {
        holdSwitchChanged();
    } else if (variable == &sustain) {
        sustainChanged();
    } else if (variable == &rhythm) {
        rhythmChanged();
    } else if (variable == &bass) {
        bassChanged();
    } else if (variable == &tempo || variable == &shuffle) {
        drumMachine.keepDefaultTempo = false;
        panel.controls.paintBound(&drumMachine.keepDefaultTempo);
        refreshStyleDisplay();
    } else if (variable == &drumMachine.keepDefaultTempo) {
        keepDefaultTempoChanged();
    }
}

void MidiSynth::arpeggioSwitchChanged() {
    Arpeggio& arpeggio = arpeggios[size_t(selectedInstrument)];
    if (arpeggioSwitch && !accompanimentRunning()) stepControl.resetPosition();
    arpeggio.active = arpeggioSwitch;
    if (!arpeggioSwitch) return;
    Instrument& instrument = instruments[size_t(selectedInstrument)];
    for (int key = 0; key < panel.piano.keyCount(); ++key) {
        if (pianoKeyDown[size_t(key)]) instrument.release(key);
    }
    releaseInputBeyondPiano(instrument);
    collectHeldKeys(arpeggio.heldKeys, bass);
}

void MidiSynth::holdSwitchChanged() {
    Arpeggio& arpeggio = arpeggios[size_t(selectedInstrument)];
    arpeggio.hold = holdSwitch;
    if (!holdSwitch) collectHeldKeys(arpeggio.heldKeys, bass);
}

void MidiSynth::sustainChanged() {
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        instruments[size_t(i)].sustain = sustain;
        MidiOut::setSustain(sustain, i);
    }
}

void MidiSynth::rhythmChanged() {
    drumMachine.active = rhythm;
    if (rhythm) {
        const bool arpeggioRunning =
            std::any_of(arpeggios.begin(), arpeggios.end(), [](const Arpeggio& a) { return a.running(); });
        if (!arpeggioRunning) stepControl.resetPosition();
        if (bass) {
            for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) {
                if (arpeggios[size_t(i)].heldKeys.empty()) arpeggios[size_t(i)].heldKeys.append(defaultBassKey);
            }
        }
        return;
    }
    if (options.autoStopBass && bass) switchBass(false);
    if (options.autoStopArps) {
        for (int i = 0; i < keyboardInstrumentCount; ++i) arpeggios[size_t(i)].heldKeys.clear();
    }
}

void MidiSynth::bassChanged() {
    if (bass) {
        if (!accompanimentRunning()) stepControl.resetPosition();
        for (int key = 0; key < std::min(splitKey, panel.piano.keyCount()); ++key) {
            if (!pianoKeyDown[size_t(key)]) continue;
            for (int i = 0; i < keyboardInstrumentCount; ++i) instruments[size_t(i)].release(key);
        }
        for (int i = 0; i < keyboardInstrumentCount; ++i) {
            Llist<int32_t>& keys = arpeggios[size_t(i)].heldKeys;
            for (int k = keys.count() - 1; k >= 0; --k) {
                if (keys.getConst(k) < splitKey) keys.removeAt(k);
            }
        }
        const int bassKey = lowestHeldBassKey();
        playBassChord(bassKey >= 0 ? bassChordFor(bassKey) : Chord{defaultBassKey, ChordType::major});
    } else {
        for (int i = 0; i < keyboardInstrumentCount; ++i) {
            for (int key = 0; key < std::min(splitKey, panel.piano.keyCount()); ++key) {
                if (pianoKeyDown[size_t(key)]) arpeggios[size_t(i)].heldKeys.append(key);
            }
        }
    }
    for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) {
        arpeggios[size_t(i)].active = bass;
        if (bass) continue;
        instruments[size_t(i)].cutAll();
        MidiOut::setSustain(false, i);
    }
    if (options.chordMode != ChordMode::off) refreshStyleDisplay();  // the chord shows while the bass plays
}

void MidiSynth::keepDefaultTempoChanged() {
    if (!StyleLibrary::validStyle(style)) return;
    const BaseStyle& current = library.style(style);
    setTempoFromBpm(current.bpm);
    shuffle = current.shuffle;
    showTempo();
}

void MidiSynth::showTempo() {
    panel.controls.paintBound(&tempo);
    panel.controls.paintBound(&shuffle);
    refreshStyleDisplay();
}

void MidiSynth::sendGroupVolumes(bool keyboard, bool accompaniment, bool drums) {
    const double master = effectiveMaster();
    if (keyboard) {
        for (int i = 0; i < keyboardInstrumentCount; ++i) instruments[size_t(i)].sendVolume(master * instVolume);
    }
    if (accompaniment) {
        for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) {
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

void MidiSynth::copySelectionToPanel() {
    const Instrument& selected = instruments[size_t(selectedInstrument)];
    programBank = selected.program / programsPerBank;
    programInBank = selected.program % programsPerBank;
    arpeggioSwitch = arpeggios[size_t(selectedInstrument)].active;
    holdSwitch = arpeggios[size_t(selectedInstrument)].hold;
}

void MidiSynth::applyAll(bool withSelection, bool applyTempo) {
    if (withSelection) {
        selectedInstrument = 0;
        copySelectionToPanel();
    }
    for (Instrument& instrument : instruments) instrument.setProgram(instrument.program);
    sendMix();
    if (StyleLibrary::validStyle(style)) applyStyle(style, applyTempo);
    sectionPlayer->chooseMain(mainChoice);
    mainChoice = sectionPlayer->chosenMain();
    for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) arpeggios[size_t(i)].active = bass;
    if (withSelection) showToneTabs();
    paintWidgets();
    refreshToneDisplay();
    refreshStyleDisplay();
    updateCaption();
}

void MidiSynth::selectStyle(int styleIndex, bool applyTempo) {
    if (styleIndex == -1) styleIndex = style;
    if (!StyleLibrary::validStyle(styleIndex)) return;
    // While the accompaniment runs, the style shows now and plays from the next bar line.
    if (sectionPlayer->styleWaits()) {
        style = styleIndex;
        waitingStyleTempo = applyTempo;
        refreshStyleDisplay();
        return;
    }
    applyStyle(styleIndex, applyTempo);
}

void MidiSynth::applyStyle(int styleIndex, bool applyTempo, bool cut) {
    // On a bar line only what the style changes is sent and drawing waits for the step's notes,
    // so that they leave on time.
    const bool onBarLine = tickDepth > 0 && sectionPlayer->running();
    const BaseStyle& chosen = library.style(styleIndex);
    style = styleIndex;
    stepsPerBeat = chosen.stepsPerBeat;
    for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) {
        if (cut) instruments[size_t(i)].cutAll();
        MidiOut::setSustain(false, i);
    }
    if (options.alwaysResetTempo && applyTempo) {
        drumMachine.keepDefaultTempo = true;
        panel.controls.paintBound(&drumMachine.keepDefaultTempo);
    }
    if (drumMachine.keepDefaultTempo) {
        setTempoFromBpm(chosen.bpm);
        shuffle = chosen.shuffle;
    }
    drumMachine.arpIdx = chosen.arp[0];
    for (int part = 1; part < BaseStyle::partCount; ++part) {
        const int index = 3 + part;
        Instrument& instrument = instruments[size_t(index)];
        const int32_t mode = chosen.mode[size_t(part)];
        instrument.sustain = mode == partSustained;
        MidiOut::setSustain(instrument.sustain, instrument.channel);
        instrument.active = mode != partOff;
        instrument.setProgram(chosen.prog[size_t(part)]);
        instrument.volume = instrument.active ? chosen.vol[size_t(part)] * 0.01 : 0.0;
        const double pan = chosen.placeOf(part);
        // On a bar line only a place that changes is sent, so that the step's notes leave on time.
        if (onBarLine && pan != instrument.pan) MidiOut::setPan(std::clamp(midiValue(pan), 0, 127), instrument.channel);
        instrument.pan = pan;
        sendGlide(part, chosen.glide[size_t(part)]);
        instrument.transpose = chosen.key[size_t(part)];
        Arpeggio& arpeggio = arpeggios[size_t(index)];
        arpeggio.forgetRoot();
        arpeggio.arpIdx = chosen.arp[size_t(part)];
        arpeggio.mode = mode;
        arpeggio.kind = chosen.kind[size_t(part)];
        arpeggio.range = chosen.range[size_t(part)];
    }
    Instrument& drums = instruments[drumInstrument];
    drums.active = chosen.mode[0] != 0;
    drums.volume = chosen.vol[0] * 0.01;
    sectionPlayer->useStyle(styleIndex);
    if (!onBarLine) {
        sendMix();
        showTempo();
        return;
    }
    sendGroupVolumes(false, true, true);
    tempoToShow = true;
}

void MidiSynth::sendGlide(int part, int32_t time) {
    int32_t& sent = glideSent[size_t(part - 1)];
    if (time == sent) return;
    sent = time;
    MidiOut::setPortamento(time, instruments[size_t(3 + part)].channel);
}

}  // namespace brio
