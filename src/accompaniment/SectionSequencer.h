#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace brio {

// The sections of a style: an intro, two mains, a fill into each main, a break and an ending.
enum class Section : int8_t { intro, mainA, mainB, fillA, fillB, breakBar, ending };
inline constexpr int sectionCount = int(Section::ending) + 1;

// What the panel's section buttons ask for.
enum class SectionRequest : int8_t { intro, mainA, mainB, fill, breakBar, ending };

// Bars of each section a style has, by Section; 0: the style has none (a style without
// sections has only Main A).
using SectionBars = std::array<int32_t, sectionCount>;

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
    // The rhythm starts on step `n`: the armed intro, else the chosen main.
    void start(int32_t n);
    void stop();
    // A button pressed after step `n` was announced.
    void press(SectionRequest request, int32_t n);
    // The section and its step at step `n` (called once per step, in order); none once the
    // accompaniment has stopped (an ending ran out, or a second Ending press).
    std::optional<Playing> advance(int32_t n);

    bool running() const { return isRunning; }
    Section main() const { return chosenMain; }
    // Lit buttons: the section playing and the one waiting for its step.
    bool lit(Section section) const;
    bool introArmed() const { return armedIntro; }

private:
    bool has(Section section) const { return bars[size_t(section)] > 0; }
    int32_t nextBarLine(int32_t n) const;
    int32_t nextBeat(int32_t n) const;
    // Sets what starts at step `at`, its first step counted from `origin`.
    void schedule(Section section, int32_t at, int32_t origin);
    void requestMain(Section main, int32_t n);
    // What follows a section that has run its bars.
    std::optional<Section> after(Section section) const;

    SectionBars bars{1, 1, 0, 0, 0, 0, 0};
    int32_t barSteps = 16, beatSteps = 4;
    bool isRunning = false, armedIntro = false, stopping = false;
    Section chosenMain = Section::mainA;
    Section current = Section::mainA;
    int32_t origin = 0;  // the step the current section's first bar began on
    int32_t barOrigin = 0;  // the step bars are counted from
    std::optional<Section> pending;
    int32_t pendingAt = 0, pendingOrigin = 0;
    std::optional<int32_t> stopAt;  // a style without an ending stops at this bar line
};

}  // namespace brio
