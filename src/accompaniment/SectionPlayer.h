#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "accompaniment/Section.h"
#include "accompaniment/SectionSequencer.h"
#include "accompaniment/StepControl.h"

namespace brio {

class Arpeggio;
class BaseStyle;
class DrumMachine;
class StyleLibrary;

// The beats in a bar of the style: its own count, else the rhythm pattern's beats in the
// largest of four, three or two equal groups (4/4 for a pattern without whole beats or notes).
int32_t beatsInBar(const StyleLibrary& library, const BaseStyle& style);

// Plays the running style's sections on the rhythm and the four accompaniment parts: each step
// it asks the sequencer which section plays, gives every player that section's pattern and
// announces the step within the section. A style chosen while the accompaniment runs waits for
// the next bar line (after an ending: for its end).
class SectionPlayer : public StepControlTarget {
public:
    static constexpr int accompanimentParts = 4;

    // What the station does at the player's turns, within the step being announced.
    class Listener {
    public:
        virtual ~Listener() = default;
        // The style chosen while running is due: the station applies it, then the step plays.
        virtual void styleDue() = 0;
        // The ending has run out: the accompaniment stops, its last notes ring to their end.
        virtual void accompanimentEnded() = 0;
    };

    SectionPlayer(StyleLibrary& library, DrumMachine& drums, const std::array<Arpeggio*, accompanimentParts>& parts)
        : library(library), drums(drums), parts(parts) {}
    void setListener(Listener* newListener) { listener = newListener; }
    // Stopped, no intro armed, Main A chosen, nothing waiting.
    void reset();

    // The players play style `index` from now: when the accompaniment is stopped, or from the
    // bar line a waiting style was due on (the new style's first beat).
    void useStyle(int index);
    // A style chosen while running waits; true when it does (false: apply it at once).
    bool styleWaits();
    bool styleWaiting() const { return waitingStyle; }

    void step(int n) override;
    // Stops the sections at once when nothing plays any more (the switches went off), so that
    // the buttons go dark without waiting for a step.
    void stopIfSilent() {
        if (sequencer.running() && !accompanimentOn()) sequencer.stop();
    }
    // A section button; true when the accompaniment is to stop at once (a second Ending).
    bool press(SectionRequest request) { return sequencer.press(request, lastStep); }
    bool lit(SectionRequest request) const { return sequencer.lit(request); }
    bool running() const { return sequencer.running(); }
    Section chosenMain() const { return sequencer.main(); }
    void chooseMain(Section main) { sequencer.chooseMain(main); }
    // Steps in a bar and in a beat of the style the players play.
    int32_t barSteps() const { return stepsInBar; }
    int32_t beatSteps() const { return stepsInBeat; }
    // The step the next bar line falls on, after the last step announced.
    int32_t nextBarLine() const { return sequencer.nextBarLine(lastStep); }

private:
    // The accompaniment runs: the rhythm, or a part with a key to play on.
    bool accompanimentOn() const;
    void play(const SectionSequencer::Playing& playing);
    void readMeter(const BaseStyle& style);

    StyleLibrary& library;
    DrumMachine& drums;
    std::array<Arpeggio*, accompanimentParts> parts;
    Listener* listener = nullptr;
    SectionSequencer sequencer;
    int style = -1;
    int32_t stepsInBar = 16, stepsInBeat = 4;
    int32_t lastStep = -1;
    std::optional<Section> lastSection;
    bool waitingStyle = false;
    std::optional<int32_t> styleAt;  // the bar line a waiting style is due on (none: an ending's end)
};

}  // namespace brio
