#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "accompaniment/Arpeggio.h"
#include "accompaniment/DrumMachine.h"
#include "accompaniment/Instrument.h"
#include "accompaniment/SectionPlayer.h"
#include "accompaniment/StepControl.h"
#include "accompaniment/TapTempo.h"
#include "foundation/Text.h"
#include "foundation/TextStream.h"
#include "midi/MidiInputQueue.h"
#include "panel/MainPanel.h"
#include "programmer/MidiSynthCore.h"

namespace brio {

class CommandPopup;
class DialogPages;
class HostWindow;
class Options;
class StyleEditorWindow;
class RecentFiles;
class StyleLibrary;
class WindowSystem;

// The station: the whole playing state of the main window, ticked by the main loop.
class MidiSynth : public MidiSynthCore, public TextStream, private SectionPlayer::Listener {
public:
    static constexpr int pianoKeySlots = 88;
    static constexpr int virtualKeyCount = 256;
    static constexpr int instrumentCount = 16;
    static constexpr int keyboardInstrumentCount = 4;
    static constexpr int firstAccompaniment = 4;  // instruments and arpeggios 4..8
    static constexpr int lastAccompaniment = 8;
    static constexpr int drumInstrument = 9;
    static constexpr int defaultBassKey = 12;     // C, when the accompaniment starts without a bass key
    static constexpr int defaultVelocity = 100;   // the mouse, unless it plays by position
    static constexpr int keyboardVelocityStep = 8;  // a press of a velocity hot key
    static constexpr uint32_t velocityShownMs = 2000;  // a new keyboard velocity shows this long
    static constexpr int fingerSlots = 10;        // fingers on a touch screen followed at once
    static constexpr uint32_t restrikeMs = 30;
    static constexpr int dragAreaHeight = 51;     // the window is dragged by its top rows
    static constexpr uint32_t playbackEndPauseMs = 250;
    static constexpr uint32_t lampStepMs = 40;    // the recorder lamp's strokes move a pixel in 36 ms
    static constexpr uint32_t popupTimerMs = 50;  // the selector popup's hover check
    static constexpr uint32_t quietRenderMs = 500;  // an audio render shows its progress after this
    static constexpr size_t inputBatch = 256;     // MIDI input messages taken per pass
    // Who holds a piano key (the bits of pianoKeyDown): the key sounds while any of them does.
    static constexpr int32_t heldByKeyboard = 1;
    static constexpr int32_t heldByMouse = 2;
    static constexpr int32_t heldByInput(uint32_t source) { return int32_t(4u << source); }
    static constexpr int32_t heldByTouch = 1 << 16;  // any finger
    static constexpr const char* workspaceRoot = "Piano Workspace";
    // What opened the selector popup: the four menus, then the pickers.
    enum Command : int { workspaceMenu = 0, recordMenu = 1, optionsMenu = 2, helpMenu = 3, octavePicker = 10,
                         programPicker = 11, patternPicker = 12, stylePicker = 13 };

    // Opens the MIDI device chosen in `options` (choosing the default one on a first start),
    // builds the instruments and players and sets up a new workspace.
    MidiSynth(StyleLibrary& library, Options& options, RecentFiles& workspaceFiles,
              RecentFiles& recordingFiles);
    ~MidiSynth() override;
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // One pass of the playing machinery. `applicationActive` tells whether one of the
    // program's windows has the focus; in the background held keys are let go.
    void tick(bool applicationActive);
    // True while a tick runs (a box opened from within it must not tick again).
    bool insideTick() const { return tickDepth > 0; }
    // Ticks until `ms` milliseconds have passed (30 ms for 0).
    void runTicksFor(uint32_t ms);
    // Milliseconds from `now` until the next tick has something to do (a step, a note to
    // start or end), at most `limit`; 0 when the next tick should come at once.
    uint32_t msUntilDue(uint32_t now, uint32_t limit) const;

    // Asks the questions about unsaved work (when enabled) and, unless one is declined,
    // sets quitRequested.
    void requestQuit();

    // Computer keys (the program's key codes) and the mouse (client coordinates; button 1
    // left, 2 right, 0 middle).
    void keyDown(int virtualKey);
    void keyUp(int virtualKey);
    void mouseDown(int x, int y, int button);
    void mouseMove(int x, int y, bool leftHeld, bool rightHeld);
    void mouseUp(int x, int y, int button, bool leftHeld);
    // Fingers on a touch screen (client coordinates). A finger that lands on a key plays it at
    // the velocity of its place, and each key it slides onto; lifting it ends its key. The
    // first finger that lands beside the keys is the left button, until it lifts.
    void touchDown(int64_t finger, int x, int y);
    void touchMove(int64_t finger, int x, int y);
    void touchUp(int64_t finger, int x, int y);
    // The computer keyboard's velocity moves by `steps` hot-key steps (clamped to 1..127) and
    // shows in the style display for a while.
    void changeKeyboardVelocity(int steps);
    // Every source of piano keys ends here; `key` is a piano key index, `holder` a heldBy bit.
    // A press sounds the key (again, when another source holds it); a release lets it go only
    // when no other source holds it any more.
    void pressPianoKey(int key, int keyVelocity, int32_t holder = heldByKeyboard);
    void releasePianoKey(int key, int32_t holder = heldByKeyboard);
    // MIDI input: the queue the input threads fill (nullptr: none).
    void attachMidiInput(MidiInputQueue* queue) { midiInput = queue; }
    // Plays at most inputBatch waiting messages, so that a flood of input never holds up the
    // accompaniment or the window; the rest wait for the next pass. Called on every pass of the
    // loop and of an open box, whether or not anything waits.
    void drainMidiInput();
    bool midiInputWaiting() const;
    // One message from the input, its source in the top byte: notes play piano keys at their own
    // velocity (each input holds its own), the sustain controller works the pedal switch,
    // modulation, pitch bend and channel pressure go to the active keyboard instruments'
    // channels, and a program change sets the selected tone's program. Everything else is ignored.
    void receiveMidi(uint32_t packed);
    // Ends every note the input holds (its device changed: their note-offs would never come).
    void releaseInputNotes();
    // Listens to the input device of the options (besides the own port); the notes the old
    // device held end.
    void openMidiInput();
    // Switches keyboard instrument 0..3 on or off, ending its notes first.
    void toggleInstrument(int index);
    // The chord mode reaches the players: the keyboard arpeggiators read held keys as a chord
    // when fingered, the accompaniment falls back to major when off, and the display follows.
    void applyChordMode();
    // Sets masterKeyShift (clamped to 0..48).
    void setMasterKeyShift(int shift);

    // Workspaces. newWorkspace without `force` asks first when the workspace is modified (and
    // the option asks for it); openWorkspace with an empty path shows the open box.
    void newWorkspace(bool force);
    void openWorkspace(const std::string& path);
    void saveWorkspace();
    void saveWorkspaceAs();
    bool isModified();
    // Remembers the workspace text for the modified check.
    void takeSnapshot();
    // False when the user declines to discard a modified workspace.
    bool confirmDiscardWorkspace();

    // Recording and playback.
    bool confirmDiscardRecording();
    void startRecording();
    void startPlayback();
    void stopRecordingOrPlayback();
    // The recording menu: the open box, the save box, and a recent recording.
    void openRecording();
    void saveRecordingAs();
    void openRecentRecording(const std::string& path);

    // Opens the device of the options (the mapper for a number outside the device list);
    // `reapply` (the user chose the device) sends every channel setting again. A device that
    // fails to open leaves the program silent and is told once on standard error, and in a
    // notice when the user chose it.
    void openMidiDevice(bool reapply);
    // Asks the open device whether it still works (MidiOut::watch); a device that stopped is
    // told once, as openMidiDevice tells a failed open, and the program plays on silent. An
    // input device that went away has its held notes let go.
    void watchMidiDevice();
    // The user chose the built-in synthesizer's SoundFont `option` (a path; "" the best
    // installed) on the Options page. A file refused at sight is told in a notice and changes
    // nothing; otherwise it becomes the option and every channel setting is sent again, to be
    // played into the new set once it has loaded.
    void chooseSoundFont(const std::string& option);
    // What came of the chosen SoundFont once its load has ended: a set that failed to load
    // gives the option back its earlier value; a failure, or what a set lacks, is told in a
    // notice.
    void watchSoundFont();
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
    // Builds the whole panel again from the options (view, border, colours) and shows it; the
    // window is resized and centred on the screen when its size changes.
    void buildPanel();
    // Points the shared draw surface at the panel (another window may have taken it), so that
    // the refreshes after a change reach the panel.
    void drawOnPanel();
    // Makes tone k (0..2) the selected one: its tab, its program and arpeggio switches.
    void selectTone(int tone);
    // The details view of the tone display instead of the program names.
    void toggleToneDetails();
    // The windowing layer, whose messages the end of a playback processes.
    void attachWindowSystem(WindowSystem* windows) { windowSystem = windows; }
    // The popup, the dialog pages and the style programmer the commands open (any may be null).
    void attachCommandWindows(CommandPopup* selector, DialogPages* pages, StyleEditorWindow* editor) {
        popup = selector;
        dialogPages = pages;
        styleEditor = editor;
    }

    // The command dispatcher: the popup opened for `commandKey` closed with entry `index`.
    void pick(int commandKey, int index);
    // The entries of menu 0..3 as the popup shows them (marks included).
    Text_ menuItems(int menu) const;
    // A recent list as the menus show it: sorted without regard to case.
    static Text_ sortedRecent(const RecentFiles& files);
    // Shows the whole panel on the main window.
    void paintPanel();
    // Caption: application title + " - " + file name, or "[NEW]" for a never saved workspace.
    void updateCaption();
    std::string captionText() const;
    // True while the rhythm or an arpeggio with held keys plays.
    bool accompanimentRunning() const;

    // Applies style `styleIndex` (-1: the current one again). While the accompaniment runs the
    // style shows at once and plays from the next bar line of the running one.
    void selectStyle(int styleIndex, bool applyTempo) override;

    // Song sections: Intro, A, B, Fill, Break and Ending, from the panel's buttons and hot keys.
    // A second Ending stops the accompaniment at once.
    void pressSection(SectionRequest request);
    // A section button is lit: armed, chosen, playing or waiting for its bar line.
    bool sectionLit(SectionRequest request) const { return sectionPlayer->lit(request); }
    // Stops the rhythm and the accompaniment parts; `cut` ends their notes at once, else they
    // ring to their written end.
    void stopAccompaniment(bool cut);
    const SectionPlayer& sections() const { return *sectionPlayer; }
    // A tap of the tap tempo (the Insert key): from the second tap of a series the tempo is set
    // and shown as when the Tempo fader moves.
    void tapTempo();
    void exchange() override;

    // Playing state, in the order the workspace keeps it.
    std::array<int32_t, pianoKeySlots> pianoKeyDown{};  // the heldBy bits of each key's holders
    std::array<Instrument, instrumentCount> instruments;  // instrument i plays on channel i
    std::vector<Arpeggio> arpeggios;                      // arpeggio i plays on instrument i
    DrumMachine drumMachine;                              // plays on instrument 9
    StepControl stepControl;
    double volume = 1.0;     // master volume, 0..1
    bool mute = false;       // master mute
    double instVolume = 0.8; // keyboard instruments 0..3, 0..1
    bool sustain = false;
    int32_t style = 11;      // current style, 0..99
    std::string savedStyleName;  // the style's name as the last workspace read held it
    bool bass = false;
    double bassVolume = 0.8; // accompaniment instruments 4..8, 0..1
    double drumVolume = 0.8; // drum instrument 9, 0..1
    bool rhythm = false;
    bool keyStartRhythm = false;
    bool keyStartBass = false;
    // Releasing every bass key stops the accompaniment at once (key start starts it again).
    bool syncStop = false;
    Section mainChoice = Section::mainA;  // the main the workspace keeps
    int32_t splitKey = 24;   // keys with a lower index are bass keys
    bool recording = false;
    bool playing = false;
    std::string fileName;    // empty for a new, never saved workspace
    Text_ savedText;         // the workspace text as last loaded or saved
    std::array<uint8_t, virtualKeyCount> computerKeyDown{};
    bool quitRequested = false;

    // The panel's tone selection: instrument 0..2, its program as bank x 8 + program-in-bank,
    // and its arpeggio and hold switches.
    int32_t selectedInstrument = 0;
    int32_t programBank = 0;
    int32_t programInBank = 0;
    bool arpeggioSwitch = false;
    bool holdSwitch = false;

    bool toneDetails = false;   // the tone display shows volume, pan and transpose

    // A finger on the touch screen: the key it holds (-1: none), or the left button it stands for.
    struct Finger {
        int64_t id = 0;
        int32_t key = -1;
        bool used = false;
        bool pointer = false;
    };
    std::array<Finger, fingerSlots> fingers{};

    bool mouseHolding = false;  // the right button keeps the mouse's key down
    int32_t mouseKey = -1;      // piano key held by the mouse
    bool windowDragging = false;

    MainPanel panel;

private:
    // The section player's turns: a waiting style is applied on its bar line, an ending that
    // ran out stops the accompaniment with its last notes ringing.
    void styleDue() override;
    void accompanimentEnded() override;
    // Repaints the section buttons when what they light changed.
    void refreshSectionButtons();
    // Draws the section buttons as lit or not and shows them.
    void paintSectionButtons();
    unsigned sectionLamps() const;

    std::unique_ptr<SectionPlayer> sectionPlayer;
    TapTempo tapper;
    unsigned shownSectionLamps = 0;
    bool waitingStyleTempo = false;  // the waiting style takes its tempo as a chosen one does
    // The portamento each accompaniment part's channel was given (0: off, as after a reset).
    std::array<int32_t, 4> glideSent{};
    bool tempoToShow = false;        // a style applied on a bar line shows its tempo after the step
    bool velocityShown = false;      // the style display shows the keyboard velocity
    uint32_t velocityShownAt = 0;    // since this millisecond
    int tickDepth = 0;
    void setDefaults();
    void resetPlayers();
    void releaseBackgroundKeys();
    // Every computer key still marked as held is released as by its key-up.
    void releaseComputerKeys();
    // The workspace document in `lines`, as a save would write it.
    void buildWorkspaceLines();
    // Saves under fileName; the message of a failure is shown. True when the file was written.
    bool writeWorkspace();
    // A key of the computer keyboard, the mouse or a finger (`holder`) goes down at
    // `keyVelocity`; `restrike` ticks restrikeMs after the press. letGo is its release.
    void strike(int key, int32_t holder, int keyVelocity, bool restrike);
    void letGo(int key, int32_t holder);
    // The mouse's velocity for a press at client height `y` on `key`.
    int mouseVelocity(int key, int y) const;
    Finger* findFinger(int64_t id);
    // The finger lets go of its key, which ends unless another finger holds it too.
    void liftFingerKey(Finger& finger);
    // Every finger is lifted, its key ended and its left button released.
    void releaseFingers();
    // Hides the keyboard velocity once it has shown long enough.
    void expireVelocityShown();
    void keyStart(int key);
    void shiftOctave(int shift);
    void repaintPiano();
    // Partial redraws of the panel (nothing before it is built).
    void refreshToneDisplay();
    void refreshStyleDisplay();
    void refreshKeyLabels();
    void refreshRecorderLamp();
    void paintWidgets();
    // Redraws the tones section's tabs for the selected tone and shows them.
    void showToneTabs();
    // The clicks on the panel itself after the widgets and the piano had theirs, with any
    // mouse button.
    void panelClick(int x, int y);
    // The action of the plain button the press lit; false for none.
    bool panelButtonClick(PanelButton button, int closedCommand);
    bool toneDisplayClick(int x, int y);
    // A press or drag on the details view's volume or pan track; false when not on one.
    bool detailsTrackInput(int x, int y, bool pressed);
    void transposeSelected(int semitones);
    void stepStyle(int direction);
    void openMenu(int menu);
    // Opens a picker below `under` (emptyRect: centred on the mouse).
    void openPicker(int commandKey, const Rect& under);
    // Opens a popup unless it was open for the same command when the click came (which only
    // closes it).
    void openUnlessJustClosed(int commandKey, int closedCommand, const Rect& under);
    void workspaceCommand(int index);
    void recordCommand(int index);
    void optionsCommand(int index);
    void helpCommand(int index);
    // Ctrl, Alt, the left and the middle button held and the right one pressed: the style
    // programmer opens, when the style library's file exists.
    void checkHiddenGesture(int button);
    void runPopupTimer();
    void switchRhythm(bool on);
    void switchBass(bool on);
    void rhythmChanged();
    void bassChanged();
    void arpeggioSwitchChanged();
    void holdSwitchChanged();
    void sustainChanged();
    void keepDefaultTempoChanged();
    // Repaints the tempo and shuffle faders and the style display after the tempo changed.
    void showTempo();
    // The held piano keys in index order; without the bass keys when the bass switch is on.
    void collectHeldKeys(Llist<int32_t>& keys, bool skipBassKeys) const;
    int lowestHeldBassKey() const;
    // The chord of the keys held below the split: read from all of them with fingered chords,
    // else `key` as a major root.
    Chord bassChordFor(int key) const;
    // Arpeggios 4..8 play `chord` from the next step.
    void playBassChord(const Chord& chord);
    bool isBassKey(int key) const { return bass && key < splitKey; }
    double effectiveMaster() const { return mute ? 0.0 : volume; }
    void sendGroupVolumes(bool keyboard, bool accompaniment, bool drums);
    // Applies the style to the players; `cut` ends the old style's notes first.
    void applyStyle(int styleIndex, bool applyTempo, bool cut = true);
    void findSavedStyle();
    // Turns the part's portamento on with `time` (ms), or off (0), where its channel has another.
    void sendGlide(int part, int32_t time);
    void copySelectionToPanel();
    // Both switches show what the recorder does.
    void showRecorderState();
    // Renders the recording to the audio file `path` (its extension names the format); a
    // failure is shown, a cancel leaves nothing.
    void saveRecordingAsAudio(const std::string& path);
    // Reads a recording file and plays it; the messages of a failure are shown.
    void playRecordingFile(const std::string& path);
    void clampLoadedValues();
    void inputNoteOn(uint32_t source, int note, int noteVelocity);
    void inputNoteOff(uint32_t source, int note);
    // True when a note of any input holds `key`.
    bool inputHolds(int key) const;
    void inputSustain(bool on);
    void releaseInputBeyondPiano(Instrument& instrument);
    // A channel message of `kind` to every active keyboard instrument's channel.
    void passToTones(uint8_t kind, uint8_t data1, uint8_t data2);
    // A device that failed: `problem` on standard error, once per failing device; `briefly` in a
    // notice when the user chose the device (the player's keys are let go first: a modal box
    // swallows their releases).
    void reportDeviceFault(const std::string& problem, const std::string& briefly);

    StyleLibrary& library;
    Options& options;
    RecentFiles& workspaceFiles;
    RecentFiles& recordingFiles;
    HostWindow* mainWindow = nullptr;
    WindowSystem* windowSystem = nullptr;
    CommandPopup* popup = nullptr;
    DialogPages* dialogPages = nullptr;
    StyleEditorWindow* styleEditor = nullptr;
    unsigned buttonsHeld = 0;
    uint32_t lastPopupTimer = 0;  // bit b for mouse button b, as the presses and releases came
    int dragStartX = 0;
    int dragStartY = 0;
    enum class DetailsDrag { none, volume, pan } detailsDrag = DetailsDrag::none;
    MidiInputQueue* midiInput = nullptr;
    Chord bassChord{defaultBassKey, ChordType::major};  // what the accompaniment plays
    // The piano key each note of each input holds, as it was when the note began (the octave
    // may shift while it sounds); noInputKey when the note is not held.
    static constexpr int16_t noInputKey = INT16_MIN;
    using InputKeys = std::array<std::array<int16_t, 128>, MidiInputQueue::sourceCount>;
    InputKeys inputKeyOfNote = filledInputKeys();
    bool pianoChanged = false;  // a drained batch pressed or released drawn keys
    bool deviceChosenByUser = false;  // the open device was picked on the Options page
    std::string silentDevice;         // the device whose failure was told, until it opens again
    std::string soundFontBeforeChoice;  // the option soundFont before the last choice
    static constexpr InputKeys filledInputKeys() {
        InputKeys keys{};
        for (auto& notes : keys) notes.fill(noInputKey);
        return keys;
    }
};

}  // namespace brio
