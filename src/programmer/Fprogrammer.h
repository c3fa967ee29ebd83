#pragma once

#include <memory>
#include <string>

#include "graphics/Limage.h"
#include "graphics/WindowHost.h"
#include "programmer/GridStroke.h"
#include "programmer/StyleProgrammer.h"

namespace brio {

class MidiSynthCore;
class PopupMenu;
class StyleLibrary;

// The style programmer window: one style with its five parts and, in a step grid, the pattern
// of the selected part. Created hidden; open() shows it on the station, and closing it saves
// the library. It paints into a client-sized picture and copies that to the window; after a
// grid edit only the grid is painted and copied again.
class Fprogrammer : public WindowEvents {
public:
    static constexpr const char* caption = "Style Programmer";

    // Creates the hidden window on `library` (which must outlive it) and shows style 0 in it.
    Fprogrammer(WindowSystem& windows, StyleLibrary& library);
    ~Fprogrammer() override;
    Fprogrammer(const Fprogrammer&) = delete;
    Fprogrammer& operator=(const Fprogrammer&) = delete;

    // The menu of pattern operations; nullptr for none (the caller keeps ownership).
    void setPopupMenu(PopupMenu* menu) { popupMenu = menu; }
    // Shows the window centred on the screen; its changes go to `station` from now on.
    void open(MidiSynthCore& station);
    // Applies a number being typed, hides the window and saves the library to "styles.cfg".
    void close();

    HostWindow& window() { return *host; }
    StyleProgrammer& programmer() { return state; }
    const Limage& picture() const { return offscreen; }
    // The edit that takes the keys.
    EditId focusedEdit() const { return focus; }

    void keyDown(int virtualKey) override;
    void keyUp(int virtualKey) override;
    void textInput(const std::string& utf8) override;
    void mouseDown(int x, int y, int button) override;
    void mouseMove(int x, int y, bool leftHeld, bool rightHeld) override;
    void mouseUp(int x, int y, int button, bool leftHeld) override;
    void paint() override;
    void closeQuery() override;

private:
    // Paints everything and copies the whole picture.
    void repaint();
    // Paints the grid and the pattern edits and copies them.
    void repaintGrid();
    void repaintEdit(EditId id);
    // Focus to edit `id`; the edit that loses it applies a number typed there.
    void focusEdit(EditId id);
    // Return in the focused edit (`entered`) or its losing focus: a typed number is applied.
    void finishEdit(bool entered);
    // An edit's outcome: a refusal shows the message, a change reaches the library.
    void editDone(EditId id, EditField::Outcome outcome);
    // Ctrl and Shift shortcuts of the edits (clipboard, select all); true when one was taken.
    bool editShortcut(int virtualKey);
    bool editAt(int x, int y, EditId& id) const;
    void gridPress(int step, int row, int button);
    void gridDrag(int x, int y, int button);
    void panelPress(int x, int y, int button);
    void openMenu(int x, int y);

    WindowSystem& windows;
    std::unique_ptr<HostWindow> host;
    StyleProgrammer state;
    Limage offscreen;
    PopupMenu* popupMenu = nullptr;
    EditId focus = EditId::arpName;
    GridStroke stroke;
    bool stroking = false;   // a press in the grid began the current paint or erase drag
    bool selecting = false;  // a press in an edit began the current drag
    bool menuOpen = false;   // the pop-up menu waits for its choice
    int lastStep = -1;       // the held button's last cell; -1 outside the grid or released
    int lastRow = -1;
    bool shiftHeld = false, ctrlHeld = false, altHeld = false;
};

}  // namespace brio
