// Song sections: the section buttons, styles chosen while the accompaniment runs, the ending's
// stop and sync stop.
#include "main/MidiSynth.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"

namespace brio {

void MidiSynth::pressSection(SectionRequest request) {
    if (sectionPlayer->press(request)) stopAccompaniment(true);
    mainChoice = sectionPlayer->chosenMain();
    refreshSectionButtons();
}

unsigned MidiSynth::sectionLamps() const {
    unsigned lamps = 0;
    for (int r = 0; r < sectionRequestCount; ++r) {
        if (sectionPlayer->lit(SectionRequest(r))) lamps |= 1u << r;
    }
    return lamps;
}

void MidiSynth::refreshSectionButtons() {
    sectionPlayer->stopIfSilent();
    const unsigned lamps = sectionLamps();
    if (lamps == shownSectionLamps) return;
    shownSectionLamps = lamps;
    paintSectionButtons();
}

// Within the announcement of the bar line's step: the old style's notes end there and the new
// one's swing counts its groups of four from its first beat.
void MidiSynth::styleDue() {
    const bool running = sectionPlayer->running();
    applyStyle(style, waitingStyleTempo, running);
    if (running) stepControl.startGroupsAt(stepControl.step);
}

void MidiSynth::accompanimentEnded() { stopAccompaniment(false); }

void MidiSynth::stopAccompaniment(bool cut) {
    rhythm = false;
    drumMachine.active = false;
    panel.controls.paintBound(&rhythm);
    if (bass) {
        bass = false;
        panel.controls.paintBound(&bass);
        for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) arpeggios[size_t(i)].active = false;
        if (options.chordMode != ChordMode::off) refreshStyleDisplay();
    }
    for (int i = firstAccompaniment; i <= lastAccompaniment; ++i) {
        if (cut) instruments[size_t(i)].cutAll();
        MidiOut::setSustain(false, i);
    }
    if (cut) instruments[drumInstrument].cutAll();
    if (options.autoStopArps) {
        for (int i = 0; i < keyboardInstrumentCount; ++i) arpeggios[size_t(i)].heldKeys.clear();
    }
    refreshSectionButtons();
}

}  // namespace brio
