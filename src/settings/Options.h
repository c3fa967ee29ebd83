#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Text.h"
#include "foundation/TextStream.h"
#include "midi/SoundFontSet.h"
#include "midi/VelocityCurve.h"

namespace brio {

// How the keys below the split name the accompaniment's chord: the last key as a major root,
// one finger with the keys below it as modifiers, or the chord as fingered.
enum class ChordMode : int32_t { off = 0, singleFinger = 1, fingered = 2 };

// The user's preferences across runs, kept in "options.cfg" in the program's folder. Read at
// construction, written at destruction; everybody else reads and writes the fields directly.
class Options : public TextStream {
public:
    static constexpr int largeViewMinWidth = 1280;
    static constexpr const char* fileName = "options.cfg";
    static constexpr const char* rootName = "Brio Options";

    // Stored values, in file order. Defaults are set by setDefaults().
    int32_t wavStereo{};          // 1 stereo, 0 mono; stored only
    int32_t wav16bit{};           // 1 for 16-bit, 0 for 8-bit samples; stored only
    int32_t wavFreq{};            // 0 44.1 kHz, 1 22.05 kHz, 2 11.025 kHz; stored only
    int32_t midiDevice{};         // output device; -1 the mapper, -2 not chosen yet
    bool warnStationDelete{};     // ask before discarding a modified workspace
    bool warnRecDelete{};         // ask before discarding an unsaved recording
    bool autoStopBass{};          // rhythm off also switches the bass off
    bool autoStopArps{};          // rhythm off empties the key lists of arpeggios 0..3
    bool keyStartOnlyFromBass{};  // key start reacts only to keys below the split
    bool alwaysResetTempo{};      // choosing a style applies its tempo and shuffle
    bool keyHighlight{};          // mark pressed keys on the drawn piano
    int32_t colors{};             // index into colorSchemes
    int32_t lcdColor{};           // index into lcdColors
    bool largeView{};             // the large panel layout
    bool windowBorder{};          // the main window has a border
    bool showKeyAssignment{};     // show computer keys on the piano keys
    bool dragPlay{};              // dragging the mouse over the piano plays keys
    std::string soundFont;        // the built-in synthesizer's SoundFont; empty: the best installed
    int32_t midiInDevice{};       // input device listened to besides the own port; -1 none
    ChordMode chordMode{};        // how the keys below the split are read
    bool bassOnLowestKey{};       // a slash chord's bass part plays from its lowest key
    bool realtime{};              // the main loop asks for real-time scheduling
    bool velocityByMouse{};       // a mouse press plays softly near a key's top, loudly near its bottom
    int32_t keyboardVelocity{};   // the computer keyboard's velocity, 1..127
    int32_t inputVelocityCurve{}; // a VelocityCurve: how the MIDI input's velocities reach the tones
    int32_t scale{};              // device pixels per pixel, 1..3; 0 as the desktop asks

    // Display names. Entry k of midiDevices and midiInDevices stands for device number k - 1.
    Text_ midiDevices;
    Text_ midiInDevices;
    Text_ colorSchemes;
    Text_ lcdColors;
    Text_ velocityCurves;         // by VelocityCurve
    Text_ scales;                 // by scale: from the desktop, then 1..3
    // The General MIDI sets the built-in synthesizer knows, installed or not.
    std::vector<SoundFontSet> soundFontSets;

    // Builds the lists, sets the defaults and reads the file; a file that cannot be read or
    // parsed leaves the defaults. largeView goes off on a screen narrower than
    // largeViewMinWidth; a screenWidth of 0 (unknown) leaves it alone.
    explicit Options(int screenWidth);
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;
    // Saves (as the program ends).
    ~Options() override;
    // Writes the file, all or nothing; a failure is told on standard error (the options are
    // saved as the program ends, when no box can be shown) and leaves the old file as it was.
    bool save();

    void setDefaults();
    void exchange() override;

    // The option soundFont as the options file holds it, read without the rest (for a render
    // from the command line, which leaves the file alone); "" without one.
    static std::string savedSoundFont();

    // What the "Large View" command shows when the screen is too narrow for it.
    static std::string largeViewRefusal();

private:
    void exchangeChordMode();
    // Values a hand-edited file may hold out of range are brought into it.
    void clampValues();
    void buildLists();

    // Resolved once, so the file written at the end is the one read at the start.
    std::string path;
};

}  // namespace brio
