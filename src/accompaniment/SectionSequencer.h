#pragma once

#include <cstdint>
#include <optional>

#include "accompaniment/Section.h"

namespace brio {

// Decides, step by step, which section of the running style plays. Every change falls on a bar
// line of the running style, except a fill, which starts on the next beat and ends with its bar.
class SectionSequencer {
public:
    struct Playing {
        Section section;
        int32_t step;  // within the section's pattern, from its first bar
        bool operator==(const Playing&) const = default;
    };

    void setStyle(const SectionBars& bars, int32_t barSteps, int32_t beatSteps);
    // A new style from step `n`, a bar line: its chosen main from its own first beat.
    void changeStyle(const SectionBars& bars, int32_t barSteps, int32_t beatSteps, int32_t n);
    // The rhythm starts on step `n`: the armed intro, else the chosen main.
    void start(int32_t n);
    void stop();
    // A button pressed after step `n` was announced; true when the accompaniment is to stop at
    // once (Ending pressed again while the ending waits or plays).
    bool press(SectionRequest request, int32_t n);
    // The section and its step at step `n` (called once per step, in order); none once the
    // accompaniment has stopped (an ending ran out, or a second Ending press).
    std::optional<Playing> advance(int32_t n);

    bool running() const { return isRunning; }
    Section main() const { return chosenMain; }
    // The main that plays when the rhythm starts (kept by workspaces); Main A when the style has
    // no Main B.
    void chooseMain(Section main);
    // A lit button: the armed intro, the chosen main, and the section playing or waiting for
    // its step.
    bool lit(SectionRequest request) const;
    bool introArmed() const { return armedIntro; }
    // An ending plays or waits (or, without one, the stop at the next bar line).
    bool ending() const;
    int32_t nextBarLine(int32_t n) const;

private:
    bool has(Section section) const { return bars[size_t(section)] > 0; }
    int32_t nextBeat(int32_t n) const;
    // Sets what starts at step `at`, its first step counted from `origin`.
    void schedule(Section section, int32_t at, int32_t origin);
    void requestMain(Section main, int32_t n);
    // What follows a section that has run its bars.
    std::optional<Section> after(Section section) const;

    SectionBars bars{1, 1, 0, 0, 0, 0, 0};
    int32_t barSteps = 16, beatSteps = 4;
    bool isRunning = false, armedIntro = false;
    Section chosenMain = Section::mainA;
    Section current = Section::mainA;
    int32_t origin = 0;  // the step the current section's first bar began on
    int32_t barOrigin = 0;  // the step bars are counted from
    std::optional<Section> pending;
    int32_t pendingAt = 0, pendingOrigin = 0;
    std::optional<int32_t> stopAt;  // a style without an ending stops at this bar line
};

}  // namespace brio
