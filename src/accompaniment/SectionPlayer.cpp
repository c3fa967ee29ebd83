#include "accompaniment/SectionPlayer.h"

#include <algorithm>

#include "accompaniment/Arpeggio.h"
#include "accompaniment/DrumMachine.h"
#include "accompaniment/StyleLibrary.h"

namespace brio {

int32_t beatsInBar(const StyleLibrary& library, const BaseStyle& style) {
    constexpr int32_t plain = 4;
    if (style.beats > 0) return style.beats;
    const int32_t index = style.arp[0];
    if (!StyleLibrary::validPattern(index) || library.pattern(index).isEmpty()) return plain;
    const int32_t length = library.pattern(index).playingLength();
    const int32_t beatSteps = std::max(style.stepsPerBeat, 1);
    if (length % beatSteps != 0) return plain;
    const int32_t beats = length / beatSteps;
    for (int32_t group : {4, 3, 2}) {
        if (beats % group == 0) return group;
    }
    return beats;
}

void SectionPlayer::reset() {
    sequencer = SectionSequencer{};
    if (StyleLibrary::validStyle(style)) useStyle(style);
    lastStep = -1;
}

void SectionPlayer::readMeter(const BaseStyle& chosen) {
    const int32_t beats = beatsInBar(library, chosen);
    stepsInBeat = std::clamp(chosen.stepsPerBeat, 1, ArpeggioStyle::editableSteps);
    stepsInBar = beats * stepsInBeat;
}

void SectionPlayer::useStyle(int index) {
    if (!StyleLibrary::validStyle(index)) return;
    style = index;
    const BaseStyle& chosen = library.style(index);
    readMeter(chosen);
    waitingStyle = false;
    styleAt.reset();
    lastSection.reset();
    if (sequencer.running()) sequencer.changeStyle(chosen.sectionBars(), stepsInBar, stepsInBeat, lastStep + 1);
    else sequencer.setStyle(chosen.sectionBars(), stepsInBar, stepsInBeat);
}

bool SectionPlayer::styleWaits() {
    if (!sequencer.running()) return false;
    waitingStyle = true;
    if (sequencer.ending()) styleAt.reset();
    else styleAt = sequencer.nextBarLine(lastStep);
    return true;
}

bool SectionPlayer::accompanimentOn() const {
    return drums.active || std::any_of(parts.begin(), parts.end(), [](const Arpeggio* part) { return part->running(); });
}

void SectionPlayer::step(int n) {
    if (!accompanimentOn()) {
        if (sequencer.running()) sequencer.stop();
        lastSection.reset();
        lastStep = n;
        if (waitingStyle && listener) listener->styleDue();  // stopped meanwhile: it applies now
        return;
    }
    if (!sequencer.running()) sequencer.start(n);
    if (waitingStyle && styleAt && n >= *styleAt && listener) {
        lastStep = n - 1;  // the new style's first beat is this step
        listener->styleDue();
    }
    lastStep = n;
    const std::optional<SectionSequencer::Playing> playing = sequencer.advance(n);
    if (!playing) {
        lastSection.reset();
        if (!listener) return;
        listener->accompanimentEnded();
        if (waitingStyle) listener->styleDue();  // chosen during the ending: it is stopped now
        return;
    }
    play(*playing);
}

// Each player takes its pattern of the section; a sustained part that rests in a section lets
// its pedal go there, so that it does not ring through a break.
void SectionPlayer::play(const SectionSequencer::Playing& playing) {
    if (!StyleLibrary::validStyle(style)) return;
    const BaseStyle& current = library.style(style);
    const bool entered = lastSection != playing.section;
    lastSection = playing.section;
    drums.play(current.patternOf(playing.section, 0), playing.step);
    for (int i = 0; i < accompanimentParts; ++i) {
        Arpeggio& part = *parts[size_t(i)];
        part.arpIdx = current.patternOf(playing.section, i + 1);
        if (entered && part.arpIdx == BaseStyle::noPattern) part.rest();
        part.step(playing.step);
    }
}

}  // namespace brio
