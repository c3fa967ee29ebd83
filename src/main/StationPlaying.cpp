// Playing from the computer keyboard and the mouse: keys become piano keys, piano keys become
// notes of the keyboard instruments, key lists of the arpeggiators, or bass keys.
#include <algorithm>
#include <array>

#include "foundation/Clock.h"
#include "graphics/WindowHost.h"
#include "main/MidiSynth.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"

namespace brio {

namespace {

constexpr int escapeKey = 27;
constexpr int spaceKey = 32;
constexpr int pageUpKey = 33;
constexpr int pageDownKey = 34;
constexpr int endKey = 35;
constexpr int homeKey = 36;
constexpr int insertKey = 45;  // the tap tempo
constexpr int deleteKey = 46;
constexpr int backspaceKey = 8;       // keyboard velocity up
constexpr int keypadPlusKey = 107;    // keyboard velocity up
constexpr int keypadMinusKey = 109;   // keyboard velocity down
constexpr int minusKey = 189;         // keyboard velocity down
constexpr int f1Key = 112;
constexpr int f3Key = 114;
constexpr int f5Key = 116;
constexpr int f7Key = 118;
constexpr int f8Key = 119;
constexpr int f9Key = 120;
constexpr int f10Key = 121;
constexpr int f11Key = 122;
constexpr int f12Key = 123;
constexpr int lowestUpperRowKey = 30;  // keys above 29 belong to the rows that octave-shift
constexpr int maxMasterKeyShift = 48;

// The section buttons' keys, by SectionRequest: Intro, A, B, Fill, Break, Ending. The arrow
// keys play piano keys, so the mains take the free function keys beside Bass and Rhythm.
constexpr std::array<int, sectionRequestCount> sectionKeys{homeKey, f11Key, f12Key, deleteKey, f8Key, endKey};

bool validCode(int code) { return code >= 0 && code < MidiSynth::virtualKeyCount; }

// The section request of a hot key, or -1.
int sectionOfKey(int code) {
    const auto* found = std::find(sectionKeys.begin(), sectionKeys.end(), code);
    return found == sectionKeys.end() ? -1 : int(found - sectionKeys.begin());
}

}  // namespace

void MidiSynth::keyDown(int virtualKey) {
    if (!validCode(virtualKey)) return;
    if (computerKeyDown[size_t(virtualKey)]) return;  // auto-repeat
    computerKeyDown[size_t(virtualKey)] = 1;

    if (virtualKey == escapeKey) {
        requestQuit();
    } else if (virtualKey == spaceKey) {
        sustain = true;
        controlChanged(&sustain);
    } else if (virtualKey >= f1Key && virtualKey <= f3Key) {
        toggleInstrument(virtualKey - f1Key);
    } else if (virtualKey >= f5Key && virtualKey <= f7Key) {
        shiftOctave(12 * (virtualKey - f5Key));
    } else if (virtualKey == f9Key) {
        switchBass(!bass);
    } else if (virtualKey == f10Key) {
        switchRhythm(!rhythm);
    } else if (virtualKey == pageUpKey || virtualKey == pageDownKey) {
        setMasterKeyShift(masterKeyShift + (virtualKey == pageUpKey ? 12 : -12));
    } else if (sectionOfKey(virtualKey) >= 0) {
        pressSection(SectionRequest(sectionOfKey(virtualKey)));
    } else if (virtualKey == insertKey) {
        tapTempo();
    } else if (virtualKey == minusKey || virtualKey == keypadMinusKey) {
        changeKeyboardVelocity(-1);
    } else if (virtualKey == backspaceKey || virtualKey == keypadPlusKey) {
        changeKeyboardVelocity(1);
    } else {
        // A key another source holds is struck again.
        const int key = panel.piano.keyForCode(virtualKey);
        strike(key, heldByKeyboard, options.keyboardVelocity, panel.piano.isDown(key));
    }
}

void MidiSynth::keyUp(int virtualKey) {
    // A key whose press was already undone (an octave change, releaseAll) has nothing left
    // to release; the piano key may belong to the mouse by now.
    if (!validCode(virtualKey) || !computerKeyDown[size_t(virtualKey)]) return;
    computerKeyDown[size_t(virtualKey)] = 0;
    if (virtualKey == spaceKey) {
        sustain = false;
        controlChanged(&sustain);
        return;
    }
    if (virtualKey >= f1Key && virtualKey <= 123) return;  // function keys act on the press
    letGo(panel.piano.keyForCode(virtualKey), heldByKeyboard);
}

void MidiSynth::changeKeyboardVelocity(int steps) {
    options.keyboardVelocity = std::clamp(options.keyboardVelocity + steps * keyboardVelocityStep, 1, 127);
    velocityShown = true;
    velocityShownAt = systemClock().milliseconds();
    refreshStyleDisplay();
}

void MidiSynth::expireVelocityShown() {
    if (!velocityShown || elapsedMs(velocityShownAt, systemClock().milliseconds()) < int32_t(velocityShownMs)) return;
    velocityShown = false;
    refreshStyleDisplay();
}

// Lets go of the upper rows' keys before they move, so no note is left hanging.
void MidiSynth::shiftOctave(int shift) {
    for (int code = 0; code < virtualKeyCount; ++code) {
        if (computerKeyDown[size_t(code)] && panel.piano.keyForCode(code) >= lowestUpperRowKey) keyUp(code);
    }
    panel.piano.setOctaveShift(shift);
    refreshKeyLabels();
}

void MidiSynth::strike(int key, int32_t holder, int keyVelocity, bool restrike) {
    // Keys the upper rows reach beyond the keyboard (at F7) play nothing and start nothing.
    if (key < 0 || key >= panel.piano.keyCount()) return;
    keyStart(key);
    pressPianoKey(key, keyVelocity, holder);
    if (restrike) runTicksFor(restrikeMs);
    repaintPiano();
}

void MidiSynth::letGo(int key, int32_t holder) {
    if (key < 0 || key >= panel.piano.keyCount()) return;
    releasePianoKey(key, holder);
    repaintPiano();
}

int MidiSynth::mouseVelocity(int key, int y) const {
    return options.velocityByMouse ? panel.piano.velocityAt(key, y - panel.keyboardTop) : defaultVelocity;
}

// A key press may start the rhythm and the bass, as configured.
void MidiSynth::keyStart(int key) {
    if (options.keyStartOnlyFromBass && key >= splitKey) return;
    if (keyStartRhythm && !rhythm) switchRhythm(true);
    if (keyStartBass && !bass) switchBass(true);
}

void MidiSynth::switchRhythm(bool on) {
    rhythm = on;
    panel.controls.paintBound(&rhythm);
    controlChanged(&rhythm);
}

void MidiSynth::switchBass(bool on) {
    bass = on;
    panel.controls.paintBound(&bass);
    controlChanged(&bass);
}

void MidiSynth::collectHeldKeys(Llist<int32_t>& keys, bool skipBassKeys) const {
    keys.clear();
    for (int key = 0; key < panel.piano.keyCount(); ++key) {
        if (pianoKeyDown[size_t(key)] && !(skipBassKeys && key < splitKey)) keys.append(key);
    }
}

// Off: the last bass key is a major root. Fingered keys that match no chord keep the chord
// that was playing.
Chord MidiSynth::bassChordFor(int key) const {
    std::array<int32_t, pianoKeySlots> held{};
    int count = 0;
    for (int k = 0; k < std::min(splitKey, panel.piano.keyCount()); ++k) {
        if (pianoKeyDown[size_t(k)]) held[size_t(count++)] = k;
    }
    if (options.chordMode == ChordMode::off || count == 0) return Chord{key, ChordType::major};
    if (options.chordMode == ChordMode::singleFinger) return singleFingerChord(held.data(), count);
    return readChord(held.data(), count).value_or(bassChord);
}

void MidiSynth::playBassChord(const Chord& chord) {
    // A slash chord: the bass part plays the root's notes on the lowest key held.
    const int lowest = lowestHeldBassKey();
    const bool onLowest = options.bassOnLowestKey && options.chordMode != ChordMode::off && lowest >= 0;
    for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) {
        Arpeggio& arpeggio = arpeggios[size_t(i)];
        arpeggio.heldKeys.clear();
        arpeggio.heldKeys.append(chord.rootKey);
        arpeggio.chord = chord.type;
        arpeggio.slashBass = onLowest && i == firstAccompaniment ? lowest : Arpeggio::noRoot;
    }
    const bool shownChanged = options.chordMode != ChordMode::off && !(chord == bassChord);
    bassChord = chord;
    if (shownChanged) refreshStyleDisplay();
}

void MidiSynth::applyChordMode() {
    const bool fingered = options.chordMode == ChordMode::fingered;
    for (int i = 0; i < keyboardInstrumentCount; ++i) arpeggios[size_t(i)].readsChord = fingered;
    if (options.chordMode == ChordMode::off) {
        for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) arpeggios[size_t(i)].chord = ChordType::major;
        bassChord.type = ChordType::major;
    }
    refreshStyleDisplay();
}

int MidiSynth::lowestHeldBassKey() const {
    for (int key = 0; key < std::min(splitKey, panel.piano.keyCount()); ++key) {
        if (pianoKeyDown[size_t(key)]) return key;
    }
    return -1;
}

void MidiSynth::pressPianoKey(int key, int keyVelocity, int32_t holder) {
    if (key < 0 || key >= panel.piano.keyCount()) return;
    if (!accompanimentRunning()) stepControl.resetPosition();  // patterns start with this key
    pianoKeyDown[size_t(key)] |= holder;
    panel.piano.pressKey(key);
    if (isBassKey(key)) return playBassChord(bassChordFor(key));
    Llist<int32_t> held;
    collectHeldKeys(held, bass);
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        Arpeggio& arpeggio = arpeggios[size_t(i)];
        if (arpeggio.active && instruments[size_t(i)].active) {
            arpeggio.heldKeys = held;
            arpeggio.playedVelocity = keyVelocity;
        } else {
            instruments[size_t(i)].press(key, keyVelocity);
        }
    }
}

void MidiSynth::releasePianoKey(int key, int32_t holder) {
    if (key < 0 || key >= panel.piano.keyCount()) return;
    int32_t& holders = pianoKeyDown[size_t(key)];
    if ((holders & holder) == 0) return;  // not held by it: its press was undone
    holders &= ~holder;
    if (holders != 0) return;             // another source still holds the key
    panel.piano.releaseKey(key);
    if (syncStop && key < splitKey && (rhythm || bass) && lowestHeldBassKey() < 0) stopAccompaniment(true);
    if (isBassKey(key)) return;  // the accompaniment keeps the last bass key
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        Arpeggio& arpeggio = arpeggios[size_t(i)];
        if (!arpeggio.active) {
            instruments[size_t(i)].release(key);
        } else if (!arpeggio.hold) {
            for (int k = 0; k < arpeggio.heldKeys.count(); ++k) {
                if (arpeggio.heldKeys.getConst(k) == key) {
                    arpeggio.heldKeys.removeAt(k);
                    break;
                }
            }
        }
    }
}

void MidiSynth::toggleInstrument(int index) {
    if (index < 0 || index >= keyboardInstrumentCount) return;
    Instrument& instrument = instruments[size_t(index)];
    if (instrument.active) {
        for (int key = 0; key < panel.piano.keyCount(); ++key) instrument.release(key);
        releaseInputBeyondPiano(instrument);
        arpeggios[size_t(index)].heldKeys.clear();
    }
    instrument.active = !instrument.active;
    refreshToneDisplay();
}

void MidiSynth::setMasterKeyShift(int shift) {
    masterKeyShift = std::clamp(shift, 0, maxMasterKeyShift);
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        if (!arpeggios[size_t(i)].active) instruments[size_t(i)].cutAll();
    }
    refreshToneDisplay();
}

void MidiSynth::mouseDown(int x, int y, int button) {
    // The widget under the cursor takes the click first; a new press ends a details drag.
    detailsDrag = DetailsDrag::none;
    if (button >= 0 && button < 8) buttonsHeld |= 1u << button;
    checkHiddenGesture(button);
    if (const void* changed = panel.controls.mouseInput(x, y, true)) controlChanged(changed);
    const int pianoX = x - panel.keyboardLeft;
    const int pianoY = y - panel.keyboardTop;
    if (button == leftButton) {
        const bool wasHolding = mouseHolding;
        const int heldBefore = mouseKey;
        if (mouseHolding) letGo(mouseKey, heldByMouse);
        mouseKey = panel.piano.keyAt(pianoX, pianoY);
        // A key another source (or still the mouse) holds is struck again.
        const bool again = panel.piano.isDown(mouseKey) || (wasHolding && mouseKey == heldBefore);
        strike(mouseKey, heldByMouse, mouseVelocity(mouseKey, y), again);
    } else if (button == rightButton) {
        mouseHolding = true;
    }
    panelClick(x, y);  // with any button, as the widgets took it: menus open, an open popup closes
}

void MidiSynth::mouseMove(int x, int y, bool leftHeld, bool rightHeld) {
    if (mainWindow) mainWindow->setCursorShape(y < dragAreaHeight ? CursorShape::arrow : CursorShape::hand);
    if (!leftHeld && !rightHeld && mouseHolding) {
        letGo(mouseKey, heldByMouse);
        mouseHolding = false;
        mouseKey = -1;
    }
    if (!leftHeld) return;
    if (windowDragging && mainWindow) {
        int cursorX = 0, cursorY = 0;
        mainWindow->cursorOnScreen(cursorX, cursorY);
        mainWindow->moveTo(std::max(cursorX - dragStartX, 0), std::max(cursorY - dragStartY, 0));
        return;
    }
    if (options.dragPlay) {
        const int key = panel.piano.keyAt(x - panel.keyboardLeft, y - panel.keyboardTop);
        if (key != mouseKey) {
            letGo(mouseKey, heldByMouse);
            mouseKey = key;
            strike(mouseKey, heldByMouse, mouseVelocity(key, y), false);  // where it entered the key
        }
    }
    if (detailsTrackInput(x, y, false)) return;
    if (const void* changed = panel.controls.mouseInput(x, y, false)) controlChanged(changed);
}

void MidiSynth::mouseUp(int /*x*/, int /*y*/, int button, bool leftHeld) {
    windowDragging = false;
    if (button >= 0 && button < 8) buttonsHeld &= ~(1u << button);
    if (!leftHeld) detailsDrag = DetailsDrag::none;
    panel.controls.releaseButtons();
    if (button == leftButton && !mouseHolding) {
        letGo(mouseKey, heldByMouse);
        mouseKey = -1;
    } else if (button == rightButton && !leftHeld) {
        letGo(mouseKey, heldByMouse);
        mouseHolding = false;
        mouseKey = -1;
    }
}

}  // namespace brio
