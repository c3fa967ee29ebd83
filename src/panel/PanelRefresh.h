#pragma once

#include <cstdint>
#include <string>

namespace brio {

class MainPanel;

// What the tone display shows of the selected tone.
struct ToneView {
    int program = 0;  // 0..127
    bool active = false;
    double volume = 1.0;  // 0..1
    double pan = 0.5;     // 0..1
    int transpose = 0;    // semitones
    bool details = false; // the details view instead of the names
    int masterKeyShift = 24;
};

// The lamp in the tone display's corner while the recorder runs.
enum class LampState { off, recording, playing };

// The panel's partial redraws: each draws into the panel's image and copies what changed to
// the window, and does nothing while the draw surface is not ready or the panel is not built.
void refreshToneDisplay(MainPanel& panel, const ToneView& tone);
// First line: the style's name with its default tempo (none for a "Metronome"); second line:
// the current tempo, and at its right end `chord` (the fingered chord's name, or nothing).
void refreshStyleDisplay(MainPanel& panel, const std::string& styleName, int styleBpm,
                         const std::string& currentTempo, const std::string& chord = {});
// The strips above and below the piano: cleared, then with `show` the F-key markers and the
// computer key of every piano key.
void refreshKeyLabels(MainPanel& panel, bool show);
// The record/play lamp at `elapsedMs` since the recorder started.
void drawRecorderLamp(MainPanel& panel, LampState state, uint32_t elapsedMs);

}  // namespace brio
