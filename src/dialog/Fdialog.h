#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog/DialogPage.h"
#include "dialog/ProgressWatch.h"
#include "dialog/SelectorBox.h"
#include "graphics/DrawSurface.h"
#include "graphics/ScControls.h"
#include "graphics/WindowHost.h"
#include "settings/SoundFontMenu.h"

namespace brio {

class DialogOwner;
class ListChooser;
class Options;

// The dialog window, reused for the "Options", "About" and "Hot Keys" pages. A page call
// builds the page, shows the window centred on the screen and processes window messages until
// the page is closed (Close button, Escape, or the owner's quit request); the station is not
// ticked meanwhile. While a page is open the draw surface points at the page's picture; the
// surface the page found is given back when it closes.
class Fdialog : public WindowEvents {
public:
    static constexpr const char* version = "1.3.0";
    // The maker's web site: shown on the About page, opened with webScheme in front.
    static constexpr const char* makerWebAddress = "www.brioletta.net";
    static constexpr const char* webScheme = "https://";
    // The longest the page loop sleeps between passes: the quit request is noticed this soon.
    static constexpr uint64_t waitTimeoutUs = 20000;
    static constexpr int closeWidth = 104;
    static constexpr int closeHeight = 22;

    // Creates the hidden window.
    explicit Fdialog(WindowSystem& windows);
    ~Fdialog() override;
    Fdialog(const Fdialog&) = delete;
    Fdialog& operator=(const Fdialog&) = delete;

    // What the pages work with, once the other windows exist: the options the Options page
    // shows and changes (they must outlive the dialog; until they are given, showOptions does
    // nothing), who is told about option changes and asked about quitting, and who shows the
    // selector boxes' lists (either may be null: then nobody is told, and the boxes do not
    // open). `applicationTitle` is the window caption and the About page's heading. Called
    // while no page is open.
    void connect(Options& options, DialogOwner* owner, ListChooser* chooser,
                 std::string applicationTitle);

    // Each builds its page and returns when the page has been closed.
    void showOptions();
    void showAbout();
    void showHotKeys();
    // A page with `text`, a bar that follows the watched work and a Cancel button, open until
    // the work has finished; Cancel, Escape, closing the window and a quit request cancel it.
    void showProgress(const std::string& text, ProgressWatch watch);

    // True while a page shows; the main window ignores its own input meanwhile.
    bool visible() const { return host->visible(); }
    HostWindow& window() { return *host; }

    // Window events.
    void keyDown(int virtualKey) override;
    void mouseDown(int x, int y, int button) override;
    void mouseMove(int x, int y, bool leftHeld, bool rightHeld) override;
    void mouseUp(int x, int y, int button, bool leftHeld) override;
    void paint() override;
    void closeQuery() override;

    // The page last built and the options page's selector boxes (0 "Midi device", 1 "Panel
    // color", 2 "LCD color", 3 "Midi input", 4 "SoundFont", 5 "Input velocity", 6 "Scale";
    // valid once connected).
    const DialogPage& page() const { return current; }
    static constexpr int selectorBoxCount = 7;
    static constexpr int soundFontBox = 4;
    static constexpr int velocityCurveBox = 5;
    static constexpr int scaleBox = 6;
    // What a new scale tells: the windows take it at the next start.
    static constexpr const char* scaleNotice = "The new scale is used from the next start of Brioletta.";
    // The open box's title and filter for "Other..." in the SoundFont box.
    static constexpr const char* soundFontBoxTitle = "Choose a SoundFont";
    static constexpr const char* soundFontFilter = "SoundFont (*.sf2, *.sf3)| *.sf2 *.sf3";
    const SelectorBox& selectorBox(int index) const { return boxes.at(size_t(index)); }
    // The Close button's rectangle (inclusive).
    const Rect& closeButton() const { return closeRect; }

private:
    void buildPage(DialogPageKind kind, int width, int height, const std::string& title);
    void buildOptionsContent();
    void buildAboutContent();
    void buildHotKeysContent();
    void runPage(const char* closeCaption = "Close");
    // The progress page's pass: the bar follows the work, and the page closes once it ended.
    void followProgress();
    void paintProgressBar();
    void close();

    // Points the draw surface at the page, with the page's colours and the display colour of
    // the options.
    void useSurface();
    // After the owner has repainted its panel: the surface it left becomes the one to give back
    // when the page closes, and the page takes the surface again.
    void retakeSurface();
    void chooseFrom(SelectorBox& box);
    // The SoundFont box's entry `entry` was picked: a set, or "Other..." with the open box.
    void chooseSoundFont(int entry);
    // Builds the SoundFont box's entries again when the option changed (a choice, or a load
    // that failed and gave the option back); `paint` repaints the box then.
    void followSoundFont(bool paint);
    void paintBoxes(bool copy);
    void copyPicture();
    bool closeButtonPressed() const;
    bool overLink(int x, int y) const;

    WindowSystem& windows;
    std::unique_ptr<HostWindow> host;
    Options* options = nullptr;
    std::string applicationTitle;
    DialogOwner* owner = nullptr;
    ListChooser* chooser = nullptr;

    DialogPage current;
    ScControls group;
    std::vector<SelectorBox> boxes;  // selectorBoxCount once connected
    SoundFontMenu soundFonts;        // the SoundFont box's entries
    Rect closeRect = emptyRect;
    ProgressWatch progressWatch;  // while the progress page shows
    Rect progressBar = emptyRect;
    int shownPermille = -1;
    int closeIndex = -1;                      // the Close button's place in the group
    std::optional<DrawSurface> savedSurface;  // the surface found when the page opened

    // Window dragging by the title strip.
    bool dragging = false;
    bool linkPressed = false;
    int pressCursorX = 0, pressCursorY = 0;
    int pressWindowX = 0, pressWindowY = 0;
    CursorShape cursorShape = CursorShape::arrow;
};

}  // namespace brio
