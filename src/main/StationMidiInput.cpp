// MIDI input at the station: a hardware keyboard (or another program) plays the piano, holds
// the pedal, bends and changes the selected tone's program.
#include <algorithm>

#include "graphics/DrawSurface.h"
#include "main/MidiSynth.h"
#include "midi/MidiIn.h"
#include "midi/MidiInputQueue.h"
#include "settings/Options.h"
#include "midi/MidiOut.h"

namespace brio {

namespace {

constexpr uint8_t noteOffStatus = 0x80;
constexpr uint8_t noteOnStatus = 0x90;
constexpr uint8_t controlChange = 0xB0;
constexpr uint8_t programChange = 0xC0;
constexpr uint8_t channelPressure = 0xD0;
constexpr uint8_t pitchBend = 0xE0;
constexpr uint8_t modulationController = 1;
constexpr uint8_t sustainController = 64;

}  // namespace

// The queue is drained even when it looks empty: that takes its announcement, so a message
// still being written by one input thread after another's was announced wakes the loop again.
void MidiSynth::drainMidiInput() {
    if (!midiInput) return;
    // Input plays while a page or the programmer holds the draw surface: what it changes is
    // painted on the panel, and the surface goes back to its holder.
    DrawSurface holder;
    bool onPanel = false;
    midiInput->drain(inputBatch, [&](uint32_t packed) {
        if (!onPanel) {
            holder = drawSurface();
            drawOnPanel();
            pianoChanged = false;
            onPanel = true;
        }
        receiveMidi(packed);
    });
    if (!onPanel) return;
    if (pianoChanged) repaintPiano();  // once for the whole batch
    drawSurface() = holder;
}

bool MidiSynth::midiInputWaiting() const { return midiInput && !midiInput->empty(); }

void MidiSynth::receiveMidi(uint32_t packed) {
    const uint8_t status = packed & 0xFF;
    const uint8_t data1 = (packed >> 8) & 0x7F;
    const uint8_t data2 = (packed >> 16) & 0x7F;
    const uint32_t source = packed >> MidiInputQueue::sourceShift;
    if (source >= MidiInputQueue::sourceCount) return;
    switch (status & 0xF0) {
        case noteOnStatus:
            if (data2 > 0) inputNoteOn(source, data1, applyVelocityCurve(VelocityCurve(options.inputVelocityCurve), data2));
            else inputNoteOff(source, data1);
            break;
        case noteOffStatus: inputNoteOff(source, data1); break;
        case controlChange:
            if (data1 == sustainController) inputSustain(data2 >= 64);
            else if (data1 == modulationController) passToTones(controlChange, data1, data2);
            break;
        case channelPressure: passToTones(channelPressure, data1, 0); break;
        case pitchBend: passToTones(pitchBend, data1, data2); break;
        case programChange: pick(programPicker, data1); break;
        default: break;
    }
}

// The note sounds where the computer keyboard's key for it would: piano key note -
// masterKeyShift. A note beyond the drawn keys sounds on the tones that play keys directly.
void MidiSynth::inputNoteOn(uint32_t source, int note, int noteVelocity) {
    if (inputKeyOfNote[source][size_t(note)] != noInputKey) inputNoteOff(source, note);  // struck again
    const int key = note - masterKeyShift;
    inputKeyOfNote[source][size_t(note)] = int16_t(key);
    keyStart(key);
    if (key >= 0 && key < panel.piano.keyCount()) {
        pressPianoKey(key, noteVelocity, heldByInput(source));
        pianoChanged = true;
        return;
    }
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        if (!arpeggios[size_t(i)].active) instruments[size_t(i)].press(key, noteVelocity);
    }
}

// A key stays held while another note holds it: of the same input (the octave moved between
// the two) for a drawn key, of any input for a key beyond them.
void MidiSynth::inputNoteOff(uint32_t source, int note) {
    auto& keys = inputKeyOfNote[source];
    const int key = keys[size_t(note)];
    if (key == noInputKey) return;
    keys[size_t(note)] = noInputKey;
    if (key >= 0 && key < panel.piano.keyCount()) {
        if (std::find(keys.begin(), keys.end(), key) != keys.end()) return;
        releasePianoKey(key, heldByInput(source));
        pianoChanged = true;
        return;
    }
    if (inputHolds(key)) return;
    for (int i = 0; i < keyboardInstrumentCount; ++i) instruments[size_t(i)].release(key);
}

bool MidiSynth::inputHolds(int key) const {
    return std::any_of(inputKeyOfNote.begin(), inputKeyOfNote.end(), [key](const auto& keys) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    });
}

// Notes the input holds beyond the drawn keys sound on the tones directly: a tone that stops
// playing keys (switched off, or over to its arpeggio) lets them go as it does the drawn ones.
void MidiSynth::releaseInputBeyondPiano(Instrument& instrument) {
    for (const auto& keys : inputKeyOfNote) {
        for (const int16_t key : keys) {
            if (key != noInputKey && (key < 0 || key >= panel.piano.keyCount())) instrument.release(key);
        }
    }
}

void MidiSynth::openMidiInput() {
    releaseInputNotes();
    // A device that is gone (or a number beyond the list) leaves the own port only.
    if (!MidiIn::open(options.midiInDevice)) MidiIn::open(-1);
}

void MidiSynth::releaseInputNotes() {
    pianoChanged = false;
    for (uint32_t source = 0; source < MidiInputQueue::sourceCount; ++source) {
        for (int note = 0; note < 128; ++note) inputNoteOff(source, note);
    }
    if (pianoChanged) repaintPiano();
}

void MidiSynth::inputSustain(bool on) {
    if (sustain == on) return;
    sustain = on;
    panel.controls.paintBound(&sustain);
    controlChanged(&sustain);
}

void MidiSynth::passToTones(uint8_t kind, uint8_t data1, uint8_t data2) {
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        const Instrument& instrument = instruments[size_t(i)];
        if (instrument.active) MidiOut::send(uint8_t(kind | instrument.channel), data1, data2);
    }
}

}  // namespace brio
