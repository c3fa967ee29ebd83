// The station's panel: building it on the main window, the partial redraws after changes, the
// clicks on the panel itself (menus, close box, tones, displays, styles, octave and section
// buttons), and the tap tempo, which the panel shows at once.
#include <algorithm>

#include "accompaniment/StyleLibrary.h"
#include "accompaniment/Tempo.h"
#include "foundation/Clock.h"
#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"
#include "graphics/DrawSurface.h"
#include "graphics/WindowHost.h"
#include "main/CommandWindows.h"
#include "main/MidiSynth.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"
#include "panel/PanelRefresh.h"
#include "settings/Options.h"

namespace brio {

namespace {

constexpr int maxTranspose = 60;
constexpr int trackSlack = 3;  // a press this close beside a details track still takes it

// Right and bottom exclusive, as the panel's click areas are laid out.
bool inBox(int x, int y, const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

void MidiSynth::drawOnPanel() {
    if (mainWindow) panel.takeSurface(mainWindow->canvas());
}

void MidiSynth::buildPanel() {
    if (!mainWindow) return;
    drawOnPanel();
    DrawSurface& surface = drawSurface();
    mainWindow->setBordered(options.windowBorder);
    const PanelLook look{options.colors, options.lcdColor, options.largeView};
    const PanelBindings bindings{&volume,       &instVolume,     &bassVolume,     &drumVolume,
                                 &recording,   &playing,        &mute,           &programBank,
                                 &programInBank, &arpeggioSwitch, &holdSwitch,     &rhythm,
                                 &bass,        &keyStartRhythm, &keyStartBass,   &drumMachine.keepDefaultTempo,
                                 &tempo,       &shuffle};
    // The window takes its size first, so the widgets painting during the build reach it.
    const int width = options.largeView ? MainPanel::largeWidth : MainPanel::normalWidth;
    const int height = options.largeView ? MainPanel::largeHeight : MainPanel::normalHeight;
    if (mainWindow->clientWidth() != width || mainWindow->clientHeight() != height) {
        mainWindow->setClientSize(width, height);
        surface.windowCanvas = &mainWindow->canvas();
        if (windowSystem) {
            // On a screen smaller than the panel the title bar stays reachable at the top left.
            const ScreenArea screen = windowSystem->screenArea();
            mainWindow->moveTo(screen.left + std::max(screen.width / 2 - width / 2, 0),
                               screen.top + std::max(screen.height / 2 - height / 2, 0));
        }
    }
    if (!panel.build(look, bindings)) return;
    panel.drawToneTabs(selectedInstrument);
    refreshToneDisplay();
    refreshStyleDisplay();
    refreshKeyLabels();
    refreshRecorderLamp();
    paintSectionButtons();
    paintPanel();
}

void MidiSynth::paintWidgets() {
    panel.controls.paintAll();
}

void MidiSynth::refreshToneDisplay() {
    const Instrument& tone = instruments[size_t(selectedInstrument)];
    brio::refreshToneDisplay(panel, ToneView{tone.program, tone.active, tone.volume, tone.pan, tone.transpose,
                                             toneDetails, masterKeyShift});
    refreshRecorderLamp();  // the display's repaint covered the lamp
}

void MidiSynth::refreshStyleDisplay() {
    if (!StyleLibrary::validStyle(style)) return;
    const BaseStyle& current = library.style(style);
    // The fingered chord shows while the bass plays it.
    const bool showChord = options.chordMode != ChordMode::off && bass;
    // A new keyboard velocity takes the whole second line for a while.
    if (velocityShown) {
        brio::refreshStyleDisplay(panel, current.name, current.bpm, "Velocity " + formatInt(options.keyboardVelocity));
        return;
    }
    brio::refreshStyleDisplay(panel, current.name, current.bpm, tempoText(),
                              showChord ? chordName(bassChord.rootKey, bassChord.type) : std::string());
}

void MidiSynth::refreshKeyLabels() { brio::refreshKeyLabels(panel, options.showKeyAssignment); }

void MidiSynth::refreshRecorderLamp() {
    const Recorder& rec = recorder();
    const LampState state = rec.state == Recorder::State::recording ? LampState::recording
                            : rec.state == Recorder::State::playing ? LampState::playing
                                                                     : LampState::off;
    drawRecorderLamp(panel, state, state == LampState::off ? 0 : rec.elapsed());
}

void MidiSynth::paintSectionButtons() {
    for (int r = 0; r < sectionRequestCount; ++r) {
        bool& lamp = panel.sectionLamps[size_t(r)];
        lamp = sectionLit(SectionRequest(r));
        panel.controls.paintBound(&lamp);
    }
}

void MidiSynth::tapTempo() {
    const std::optional<int> bpm = tapper.tap(systemClock().milliseconds());
    if (!bpm) return;
    tempo = fractionFromBpm(*bpm);
    panel.controls.paintBound(&tempo);
    controlChanged(&tempo);  // Default goes off and the style display shows the tempo
}

void MidiSynth::selectTone(int tone) {
    selectedInstrument = std::clamp(tone, 0, 2);
    showToneTabs();
    copySelectionToPanel();
    paintWidgets();
    refreshToneDisplay();
}

void MidiSynth::showToneTabs() {
    if (!panel.isBuilt()) return;
    panel.drawToneTabs(selectedInstrument);
    drawSurface().copyToWindow(makeRect(panel.sectionLeft[1], MainPanel::sectionTop,
                                        panel.sectionLeft[1] + panel.sectionWidth, MainPanel::sectionTop + 23));
}

void MidiSynth::toggleToneDetails() {
    toneDetails = !toneDetails;
    detailsDrag = DetailsDrag::none;
    refreshToneDisplay();
}

void MidiSynth::panelClick(int x, int y) {
    const int closedCommand = popup && popup->isOpen() ? popup->openCommand() : -1;
    if (popup && popup->isOpen()) popup->close();
    for (int i = 0; i < panel.menuBoxes.count(); ++i) {
        if (!inBox(x, y, panel.menuBoxes.getConst(i))) continue;
        if (closedCommand != i) openMenu(i);
        return;
    }
    if (inBox(x, y, panel.closeBox)) {
        requestQuit();
        return;
    }
    const std::optional<SectionRequest> section = panel.sectionAt(x, y);
    if (section) {
        pressSection(*section);
        paintSectionButtons();  // the press toggled its lamp; the section player says what is lit
        return;
    }
    if (y < dragAreaHeight && mainWindow) {
        // Where the cursor holds the window, from the screen's own positions: a press right
        // after the window moved may report where the cursor was on the window before.
        windowDragging = true;
        mainWindow->cursorOnScreen(dragStartX, dragStartY);
        dragStartX -= mainWindow->left();
        dragStartY -= mainWindow->top();
    }
    if (panelButtonClick(panel.buttonAt(x, y), closedCommand)) return;
    if (inBox(x, y, panel.toneStrip)) {
        selectTone((x - panel.toneStrip.left) / (panel.sectionWidth / 3));
    } else if (pointInRect(x, y, panel.toneDisplay.rect)) {
        // Below the display, the picker leaves the display's own buttons free for the next click.
        if (!toneDisplayClick(x, y)) openUnlessJustClosed(programPicker, closedCommand, panel.toneDisplayBox);
    } else if (pointInRect(x, y, panel.styleDisplay.rect)) {
        openUnlessJustClosed(stylePicker, closedCommand, panel.styleBox);
    }
}

bool MidiSynth::panelButtonClick(PanelButton button, int closedCommand) {
    switch (button) {
        case PanelButton::octaveUp:
            setMasterKeyShift(masterKeyShift + 12);
            return true;
        case PanelButton::octaveDown:
            setMasterKeyShift(masterKeyShift - 12);
            return true;
        case PanelButton::octavePicker:
            openUnlessJustClosed(octavePicker, closedCommand, panel.octavePickerBox);
            return true;
        case PanelButton::pattern:
            openUnlessJustClosed(patternPicker, closedCommand, panel.patternBox);
            return true;
        case PanelButton::style:
            openUnlessJustClosed(stylePicker, closedCommand, panel.styleBox);
            return true;
        case PanelButton::previousStyle:
        case PanelButton::nextStyle:
            stepStyle(button == PanelButton::nextStyle ? 1 : -1);
            return true;
        case PanelButton::none:
            break;
    }
    return false;
}

void MidiSynth::openUnlessJustClosed(int commandKey, int closedCommand, const Rect& under) {
    if (commandKey != closedCommand) openPicker(commandKey, under);
}

void MidiSynth::checkHiddenGesture(int button) {
    constexpr int ctrlKey = 17;
    constexpr int altKey = 18;
    const unsigned both = (1u << leftButton) | (1u << middleButton);
    if (button != rightButton || (buttonsHeld & both) != both) return;
    if (!computerKeyDown[ctrlKey] || !computerKeyDown[altKey]) return;
    if (styleEditor && pathExists(programFolder() + StyleLibrary::fileName)) styleEditor->open();
}

bool MidiSynth::toneDisplayClick(int x, int y) {
    if (panel.toneDisplay.hitTest(x, y, LcdDisplay::leftIcon)) {
        toggleInstrument(selectedInstrument);
        return true;
    }
    if (toneDetails) {
        if (detailsTrackInput(x, y, true)) return true;
        const int steps[5] = {-12, -1, 0, 1, 12};
        for (size_t i = 0; i < panel.transposeBoxes.size(); ++i) {
            if (steps[i] != 0 && inBox(x, y, panel.transposeBoxes[i])) {
                transposeSelected(steps[i]);
                return true;
            }
        }
    }
    if (panel.toneDisplay.hitTest(x, y, LcdDisplay::rightIcon)) {
        toggleToneDetails();
        return true;
    }
    return false;  // the program picker opens here once the selector exists
}

bool MidiSynth::detailsTrackInput(int x, int y, bool pressed) {
    if (pressed) {
        detailsDrag = DetailsDrag::none;
        const auto near = [&](const Rect& r) {
            return x >= r.left - trackSlack && x < r.right + trackSlack && y >= r.top && y < r.bottom;
        };
        if (near(panel.volumeBarBox)) detailsDrag = DetailsDrag::volume;
        else if (near(panel.panBarBox)) detailsDrag = DetailsDrag::pan;
    }
    if (detailsDrag == DetailsDrag::none) return false;
    const Rect& track = detailsDrag == DetailsDrag::volume ? panel.volumeBarBox : panel.panBarBox;
    if (track.right <= track.left) return false;
    const double value = std::clamp(double(x - track.left) / double(track.right - track.left), 0.0, 1.0);
    Instrument& tone = instruments[size_t(selectedInstrument)];
    (detailsDrag == DetailsDrag::volume ? tone.volume : tone.pan) = value;
    refreshToneDisplay();
    sendMix();
    return true;
}

void MidiSynth::transposeSelected(int semitones) {
    Instrument& tone = instruments[size_t(selectedInstrument)];
    tone.transpose = std::clamp(tone.transpose + semitones, -maxTranspose, maxTranspose);
    refreshToneDisplay();
    // Notes sounding at the old pitch would never get their note-off.
    for (int i = 0; i < keyboardInstrumentCount; ++i) {
        Instrument& instrument = instruments[size_t(i)];
        instrument.cutAll();
        if (instrument.sustain) MidiOut::setSustain(false, instrument.channel);
    }
}

// The previous or next named style after the current one, wrapping around.
void MidiSynth::stepStyle(int direction) {
    for (int step = 1; step <= StyleLibrary::styleCount; ++step) {
        const int candidate =
            ((style + direction * step) % StyleLibrary::styleCount + StyleLibrary::styleCount) % StyleLibrary::styleCount;
        if (!library.style(candidate).isEmpty()) {
            selectStyle(candidate, true);
            return;
        }
    }
}

}  // namespace brio
