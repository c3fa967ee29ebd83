#include "accompaniment/SectionSequencer.h"

#include <algorithm>

namespace brio {

namespace {

constexpr int32_t longestSection = 16;  // bars; a longer count in a library is cut to this

bool isMain(Section section) { return section == Section::mainA || section == Section::mainB; }

Section fillInto(Section main) { return main == Section::mainB ? Section::fillB : Section::fillA; }

}  // namespace

void SectionSequencer::setStyle(const SectionBars& sectionBars, int32_t stepsInBar, int32_t stepsInBeat) {
    for (size_t i = 0; i < bars.size(); ++i) bars[i] = std::clamp(sectionBars[i], 0, longestSection);
    bars[size_t(Section::mainA)] = std::max(bars[size_t(Section::mainA)], 1);
    barSteps = std::max(stepsInBar, 1);
    beatSteps = std::clamp(stepsInBeat, 1, barSteps);
    if (!has(chosenMain)) chosenMain = Section::mainA;
}

void SectionSequencer::changeStyle(const SectionBars& sectionBars, int32_t stepsInBar, int32_t stepsInBeat,
                                   int32_t n) {
    setStyle(sectionBars, stepsInBar, stepsInBeat);
    if (!isRunning) return;
    pending.reset();
    stopAt.reset();
    barOrigin = origin = n;
    current = chosenMain;
}

void SectionSequencer::chooseMain(Section main) {
    if (main == Section::mainA || (main == Section::mainB && has(main))) chosenMain = main;
}

bool SectionSequencer::ending() const {
    return isRunning && (current == Section::ending || pending == Section::ending || stopAt);
}

void SectionSequencer::start(int32_t n) {
    isRunning = true;
    stopAt.reset();
    pending.reset();
    barOrigin = origin = n;
    current = armedIntro && has(Section::intro) ? Section::intro : chosenMain;
    armedIntro = false;
}

void SectionSequencer::stop() {
    isRunning = false;
    pending.reset();
    stopAt.reset();
}

int32_t SectionSequencer::nextBarLine(int32_t n) const {
    return barOrigin + ((n - barOrigin) / barSteps + 1) * barSteps;
}

int32_t SectionSequencer::nextBeat(int32_t n) const {
    return barOrigin + ((n - barOrigin) / beatSteps + 1) * beatSteps;
}

void SectionSequencer::schedule(Section section, int32_t at, int32_t firstStep) {
    pending = section;
    pendingAt = at;
    pendingOrigin = firstStep;
}

// A main chosen while running comes in through its fill, from the next beat to the end of that
// bar; without a fill, at the next bar line.
void SectionSequencer::requestMain(Section main, int32_t n) {
    chosenMain = has(main) ? main : Section::mainA;
    if (!isRunning) return;
    const Section fill = fillInto(chosenMain);
    if (has(fill)) {
        const int32_t beat = nextBeat(n);
        return schedule(fill, beat, barOrigin + (beat - barOrigin) / barSteps * barSteps);
    }
    if (current != chosenMain) schedule(chosenMain, nextBarLine(n), nextBarLine(n));
}

bool SectionSequencer::press(SectionRequest request, int32_t n) {
    // While an ending waits or plays only a second Ending (which stops) changes anything.
    if (ending() && request != SectionRequest::ending) return false;
    switch (request) {
        case SectionRequest::intro:
            if (!isRunning) armedIntro = !armedIntro && has(Section::intro);
            else if (has(Section::intro)) schedule(Section::intro, nextBarLine(n), nextBarLine(n));
            break;
        case SectionRequest::mainA:
            requestMain(Section::mainA, n);
            break;
        case SectionRequest::mainB:
            requestMain(Section::mainB, n);
            break;
        case SectionRequest::fill:
            if (isRunning) requestMain(chosenMain, n);
            break;
        case SectionRequest::breakBar:
            if (isRunning && has(Section::breakBar)) schedule(Section::breakBar, nextBarLine(n), nextBarLine(n));
            break;
        case SectionRequest::ending:
            if (!isRunning) break;
            if (ending()) {
                stop();  // a second press stops at once
                return true;
            }
            if (has(Section::ending)) schedule(Section::ending, nextBarLine(n), nextBarLine(n));
            else stopAt = nextBarLine(n);
            break;
    }
    return false;
}

std::optional<Section> SectionSequencer::after(Section section) const {
    switch (section) {
        case Section::fillA:
            return Section::mainA;
        case Section::fillB:
            return Section::mainB;
        case Section::ending:
            return std::nullopt;
        default:
            return chosenMain;  // the intro and the break lead into the main chosen
    }
}

std::optional<SectionSequencer::Playing> SectionSequencer::advance(int32_t n) {
    if (!isRunning) return std::nullopt;
    if (stopAt && n >= *stopAt) {
        stop();
        return std::nullopt;
    }
    if (pending && n >= pendingAt) {
        current = *pending;
        origin = pendingOrigin;
        pending.reset();
    }
    while (!isMain(current) && n - origin >= bars[size_t(current)] * barSteps) {
        const std::optional<Section> next = after(current);
        if (!next) {
            stop();  // the ending has run its bars
            return std::nullopt;
        }
        origin += bars[size_t(current)] * barSteps;
        current = *next;
    }
    return Playing{current, n - origin};
}

bool SectionSequencer::lit(SectionRequest request) const {
    const auto playsOrWaits = [this](Section section) {
        return isRunning && (current == section || pending == section);
    };
    switch (request) {
        case SectionRequest::intro:
            return armedIntro || playsOrWaits(Section::intro);
        case SectionRequest::mainA:
            return chosenMain == Section::mainA;
        case SectionRequest::mainB:
            return chosenMain == Section::mainB;
        case SectionRequest::fill:
            return playsOrWaits(Section::fillA) || playsOrWaits(Section::fillB);
        case SectionRequest::breakBar:
            return playsOrWaits(Section::breakBar);
        case SectionRequest::ending:
            return ending();
    }
    return false;
}

}  // namespace brio
