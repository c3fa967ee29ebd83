#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "accompaniment/Instrument.h"
#include "foundation/Text.h"
#include "foundation/TextStream.h"
#include "main/MidiSynthCore.h"
#include "panel/MainPanel.h"

namespace brio {

class HostWindow;
class Options;
class RecentFiles;

// The station: the whole playing state of the main window, ticked by the main loop.
class MidiSynth : public MidiSynthCore, public TextStream {
public:
    static constexpr int pianoKeySlots = 88;
    static constexpr int virtualKeyCount = 256;
    static constexpr int instrumentCount = 16;
    static constexpr int escapeKey = 27;
    static constexpr uint32_t backgroundPauseMs = 100;

    // Opens the MIDI device chosen in `options` (choosing the default one on a first start),
    // builds the instruments and sets up a new workspace.
    MidiSynth(Options& options, RecentFiles& workspaceFiles, RecentFiles& recordingFiles);
    ~MidiSynth() override;
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // One pass of the playing machinery. `applicationActive` tells whether one of the
    // program's windows has the focus; in the background held keys are let go.
    void tick(bool applicationActive);

    // Asks the questions about unsaved work (when enabled) and, unless one is declined,
    // sets quitRequested.
    void requestQuit();

    void keyDown(int virtualKey);
    void keyUp(int virtualKey);

    // Sets every field to its value of a new, empty workspace.
    void newWorkspace(bool force);
    // Remembers the workspace text for the modified check.
    void takeSnapshot();

    // Opens the device of the options (the mapper for a number outside the device list);
    // with `reapply` every channel setting is sent again.
    void openMidiDevice(bool reapply);
    // Silences everything before a question or file box: held keys are let go and every
    // channel gets all-notes-off and sustain off.
    void releaseAll();
    // Sends the three group volumes and the pan of every instrument.
    void sendMix();
    // Sends every instrument's program, the mix and the style; with `withSelection` the panel
    // selects instrument 0 first.
    void applyAll(bool withSelection, bool applyTempo);
    // Applies a change of the station variable at `variable`.
    void controlChanged(const void* variable);

    // Builds the panel on the main window (nullptr detaches it).
    void attachMainWindow(HostWindow* window);
    // Shows the whole panel on the main window.
    void paintPanel();
    // Caption: application title + " - " + file name, or "[NEW]" for a never saved workspace.
    void updateCaption();
    std::string captionText() const;
    // True while the rhythm or an arpeggio with held keys plays.
    bool accompanimentRunning() const;

    void selectStyle(int styleIndex, bool applyTempo) override;
    void exchange() override;

    // Playing state, in the order the workspace keeps it.
    std::array<int32_t, pianoKeySlots> pianoKeyDown{};
    std::array<Instrument, instrumentCount> instruments;  // instrument i plays on channel i
    double volume = 1.0;     // master volume, 0..1
    bool mute = false;       // master mute
    double instVolume = 0.8; // keyboard instruments 0..3, 0..1
    bool sustain = false;
    int32_t style = 11;      // current style, 0..99
    bool bass = false;
    double bassVolume = 0.8; // accompaniment instruments 4..8, 0..1
    double drumVolume = 0.8; // drum instrument 9, 0..1
    bool rhythm = false;
    bool keyStartRhythm = false;
    bool keyStartBass = false;
    int32_t splitKey = 24;   // keys with a lower index are bass keys
    bool recording = false;
    bool playing = false;
    std::string fileName;    // empty for a new, never saved workspace
    Text_ savedText;         // the workspace text as last loaded or saved
    std::array<uint8_t, virtualKeyCount> computerKeyDown{};
    bool quitRequested = false;

    bool mouseHolding = false;
    int32_t mouseKey = -1;

    MainPanel panel;

private:
    void releaseBackgroundKeys();
    // Shows a computer key's piano key pressed or released and repaints what changed.
    void showComputerKey(int virtualKey, bool pressed);
    double effectiveMaster() const { return mute ? 0.0 : volume; }
    void sendGroupVolumes(bool keyboard, bool accompaniment, bool drums);
    void setDefaults();

    Options& options;
    RecentFiles& workspaceFiles;
    RecentFiles& recordingFiles;
    HostWindow* mainWindow = nullptr;
};

}  // namespace brio
