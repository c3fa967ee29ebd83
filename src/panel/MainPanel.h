#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "accompaniment/Section.h"
#include "foundation/Llist.h"
#include "graphics/Color.h"
#include "graphics/LcdDisplay.h"
#include "graphics/Limage.h"
#include "graphics/PianoKeyboard.h"
#include "graphics/Rect.h"
#include "graphics/ScControls.h"

namespace brio {

class Canvas;

// The options that shape the panel.
struct PanelLook {
    int32_t colors = 0;    // colour scheme; out of range is taken as the nearest
    int32_t lcdColor = 0;  // display colour; likewise
    bool largeView = false;
};

// The station variables the panel's widgets are bound to; each must outlive the panel.
struct PanelBindings {
    double* volume;
    double* instVolume;
    double* bassVolume;
    double* drumVolume;
    bool* recording;
    bool* playing;
    bool* mute;
    int32_t* programBank;
    int32_t* programInBank;
    bool* arpeggioSwitch;
    bool* holdSwitch;
    bool* rhythm;
    bool* bass;
    bool* keyStartRhythm;
    bool* keyStartBass;
    bool* keepDefaultTempo;
    double* tempo;
    double* shuffle;
};

// The panel's plain buttons, whose presses the station acts on itself.
enum class PanelButton { none, pattern, style, previousStyle, nextStyle, octaveDown, octavePicker, octaveUp };
inline constexpr int panelButtonCount = 8;

// The main window's panel: its back buffer with the background, the three sections with their
// widgets and displays, and the drawn piano, in the normal or the large view.
class MainPanel {
public:
    static constexpr int normalWidth = 987;
    static constexpr int normalHeight = 503;
    static constexpr int largeWidth = 1203;
    static constexpr int largeHeight = 533;
    static constexpr Color backgroundColor = 0x3E3E3E;
    static constexpr Color keyboardAreaColor = 0x303030;
    static constexpr int titleBarHeight = 51;
    static constexpr int sectionTop = 63;
    static constexpr int sectionHeight = 233;
    static constexpr int keyboardAreaTop = 311;
    static constexpr int pianoOctaves = 6;
    static constexpr int menuCount = 4;
    static constexpr int toneStripHeight = 24;

    // Builds the piano alone (the keys exist before any window shows them).
    void buildPiano(bool largeView);
    // Builds the whole panel into its image: background, section frames and every widget,
    // bound to `bindings`. The widgets paint themselves when the draw surface is ready (it must
    // point at this panel's image). False when the image cannot be made.
    bool build(const PanelLook& look, const PanelBindings& bindings);
    bool isBuilt() const { return built; }

    int width() const { return panelWidth; }
    int height() const { return panelHeight; }
    bool large() const { return look.largeView; }
    // Points the shared draw surface at the panel and `window` in the panel's colours, as the
    // build left it (another window may have taken the surface since).
    void takeSurface(Canvas& window);
    bool darkScheme() const;
    Color sectionColor() const;

    // Redraws the tones section's tab header with tone `tone` (0..2) selected.
    void drawToneTabs(int tone);
    // The plain button that a press at (x, y) lights (the widgets' own hit test), or none.
    PanelButton buttonAt(int x, int y) const;
    // The section button that a press at (x, y) lights, or none.
    std::optional<SectionRequest> sectionAt(int x, int y) const;

    // Repaints every piano key into the image and copies the whole image to the window.
    void paintAll(Canvas& window, bool showDots);
    // Repaints the piano keys whose look changed straight onto the window.
    void paintPiano(Canvas& window, bool showDots);

    Limage image;  // the back buffer, client-sized
    PianoKeyboard piano;
    ScControls controls;  // empty until the panel is built: changes may be passed to it any time
    LcdDisplay toneDisplay;
    LcdDisplay styleDisplay;
    int panelWidth = normalWidth;
    int panelHeight = normalHeight;
    int sectionWidth = 0;
    std::array<int, 3> sectionLeft{};
    int keyboardLeft = 0;
    int keyboardTop = 0;
    // Areas the click handling tests, in client pixels (right and bottom exclusive); the
    // plain buttons' boxes are where their pickers open below.
    Llist<Rect> menuBoxes;
    Rect closeBox{};
    Rect patternBox{};
    Rect styleBox{};
    Rect previousStyleBox{};
    Rect nextStyleBox{};
    Rect octaveDownBox{};
    Rect octaveUpBox{};
    Rect octavePickerBox{};
    Rect toneStrip{};  // the tab header of the tones section
    Rect toneDisplayBox{};
    Rect styleDisplayBox{};
    // Written by the tone display's details view.
    Rect volumeBarBox{};
    Rect panBarBox{};
    std::array<Rect, 5> transposeBoxes{};
    // The section buttons in the title bar, by SectionRequest, and the lamps they show: the
    // station sets each lamp and repaints the button (a press toggles it like any toggle).
    std::array<Rect, sectionRequestCount> sectionBoxes{};
    std::array<bool, sectionRequestCount> sectionLamps{};

private:
    void layOut();
    void drawBackground();
    void drawTitleBar();
    void drawSideStrips();
    void drawSplitMarker();
    void drawPianoFrame();
    void drawMenuButtons();
    void placeSectionButtons();
    void placeWidgets(const PanelBindings& b);
    // Adds plain button `kind` and gives its box.
    Rect addPanelButton(PanelButton kind, int x, int y, int width, int height, const char* caption);

    PanelLook look;
    bool built = false;
    std::array<int, panelButtonCount> panelButtons{-1, -1, -1, -1, -1, -1, -1, -1};  // in controls.buttons, by kind
    int firstSectionButton = -1;  // in controls.buttons; the six follow in request order
};

}  // namespace brio
