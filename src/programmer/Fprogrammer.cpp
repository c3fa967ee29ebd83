#include "programmer/Fprogrammer.h"

#include <algorithm>

#include "graphics/Drawing.h"
#include "graphics/UserDialogs.h"
#include "panel/KeyCharacters.h"
#include "programmer/PatternOperations.h"
#include "programmer/PopupMenu.h"
#include "programmer/ProgrammerLayout.h"
#include "programmer/ProgrammerPainter.h"
#include "programmer/Windows1252.h"

namespace brio {

namespace {

using namespace ProgrammerLayout;

constexpr int tabKey = 9, enterKey = 13, shiftKey = 16, ctrlKey = 17, altKey = 18;
constexpr int escapeKey = 27, insertKey = 45, deleteKey = 46, f1Key = 112;

constexpr Rect wholeClient{0, 0, clientWidth - 1, clientHeight - 1};

// The first line of a pasted text: the edits hold one line.
std::string firstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

Fprogrammer::Fprogrammer(WindowSystem& windows, StyleLibrary& library)
    : windows(windows), host(windows.createWindow(WindowKind::programmer, *this)), state(library) {
    host->setCaption(caption);
    host->setTextInput(true);
}

// Edits made in a window still open when the program ends are kept: the library is saved.
Fprogrammer::~Fprogrammer() { close(); }

void Fprogrammer::open(MidiSynthCore& station) {
    state.setStation(&station);
    if (host->visible()) return repaint();
    // The window's pictures are made on its first opening, so that a start of the program
    // that never opens it spends neither the time nor the memory.
    if (!offscreen.isValid()) {
        host->setClientSize(clientWidth, clientHeight);
        offscreen.create(clientWidth, clientHeight);
    }
    shiftHeld = ctrlHeld = altHeld = false;
    stroking = selecting = false;
    const ScreenArea screen = windows.screenArea();
    host->moveTo(screen.left + std::max(0, (screen.width - clientWidth) / 2),
                 screen.top + std::max(0, (screen.height - clientHeight) / 2));
    host->show();
    repaint();
    state.tellLoadProblem();
}

void Fprogrammer::close() {
    if (!host->visible()) return;
    finishEdit(false);
    host->hide();
    stroking = selecting = false;
    state.saveLibrary();
}

void Fprogrammer::repaint() {
    if (!offscreen.isValid()) return;
    ProgrammerPainter::paintAll(offscreen, state);
    for (int i = 0; i < editCount; ++i) state.edit(EditId(i)).paint(offscreen, focus == EditId(i));
    blitToWindow(offscreen, host->canvas(), wholeClient, 0, 0);
}

void Fprogrammer::repaintGrid() {
    if (!offscreen.isValid()) return;
    ProgrammerPainter::paintGrid(offscreen, state.grid());
    blitToWindow(offscreen, host->canvas(), gridArea(), 0, 0);
    repaintEdit(EditId::arpName);
    repaintEdit(EditId::arpLength);
}

void Fprogrammer::repaintEdit(EditId id) {
    if (!offscreen.isValid()) return;
    EditField& field = state.edit(id);
    field.paint(offscreen, focus == id);
    blitToWindow(offscreen, host->canvas(), field.box(), 0, 0);
}

void Fprogrammer::focusEdit(EditId id) {
    if (id != focus) finishEdit(false);
    const EditId old = focus;
    focus = id;
    repaintEdit(old);
    repaintEdit(id);
}

void Fprogrammer::finishEdit(bool entered) {
    if (state.commitEdit(focus, entered)) repaint();
}

void Fprogrammer::editDone(EditId id, EditField::Outcome outcome) {
    if (outcome == EditField::Outcome::refused) {
        userDialogs().showNotice(StyleProgrammer::nameMessage);
        return;
    }
    if (outcome == EditField::Outcome::unchanged) return repaintEdit(id);
    state.editChanged(id);
    // A pattern name also shows under its part's selector.
    if (id == EditId::arpName) return repaint();
    repaintEdit(id);
}

void Fprogrammer::paint() {
    repaint();
}

void Fprogrammer::closeQuery() {
    close();
}

void Fprogrammer::keyDown(int virtualKey) {
    if (virtualKey == shiftKey || virtualKey == ctrlKey || virtualKey == altKey) {
        shiftHeld = shiftHeld || virtualKey == shiftKey;
        ctrlHeld = ctrlHeld || virtualKey == ctrlKey;
        altHeld = altHeld || virtualKey == altKey;
        return;
    }
    // While the menu is open the keys belong to it: Escape closes it, the rest does nothing.
    if (menuOpen) {
        if (virtualKey == escapeKey) popupMenu->close();
        return;
    }
    switch (virtualKey) {
        case f1Key:
            state.clearGrid();
            return repaintGrid();
        case escapeKey:
            return close();
        case tabKey: {
            const int step = shiftHeld ? editCount - 1 : 1;
            return focusEdit(EditId((int(focus) + step) % editCount));
        }
        case enterKey:
            return finishEdit(true);
        default:
            break;
    }
    if (editShortcut(virtualKey)) return;
    editDone(focus, state.edit(focus).keyDown(virtualKey, shiftHeld, ctrlHeld));
}

void Fprogrammer::keyUp(int virtualKey) {
    if (virtualKey == shiftKey) shiftHeld = false;
    if (virtualKey == ctrlKey) ctrlHeld = false;
    if (virtualKey == altKey) altHeld = false;
}

bool Fprogrammer::editShortcut(int virtualKey) {
    EditField& field = state.edit(focus);
    const std::string letter = ctrlHeld && !altHeld ? keyCharacters().character(virtualKey) : "";
    const bool copy = letter == "C" || (ctrlHeld && virtualKey == insertKey);
    const bool cut = letter == "X" || (shiftHeld && virtualKey == deleteKey);
    const bool paste = letter == "V" || (shiftHeld && virtualKey == insertKey);
    if (copy || cut) {
        if (field.hasSelection())
            windows.setClipboardText(utf8FromWindows1252(field.selectedText()));
        if (cut) editDone(focus, field.eraseSelection());
    } else if (paste) {
        editDone(focus, field.insert(windows1252FromUtf8(firstLine(windows.clipboardText()))));
    } else if (letter == "A") {
        field.selectAll();
        repaintEdit(focus);
    } else {
        return false;
    }
    return true;
}

void Fprogrammer::textInput(const std::string& utf8) {
    if (menuOpen || (ctrlHeld && !altHeld)) return;
    editDone(focus, state.edit(focus).insert(windows1252FromUtf8(utf8)));
}

bool Fprogrammer::editAt(int x, int y, EditId& id) const {
    for (int i = 0; i < editCount; ++i) {
        if (!pointInRect(x, y, state.edit(EditId(i)).box())) continue;
        id = EditId(i);
        return true;
    }
    return false;
}

void Fprogrammer::mouseDown(int x, int y, int button) {
    // A press beside the open menu closes it, as menus do.
    if (menuOpen) return popupMenu->close();
    lastStep = lastRow = -1;
    EditId id{};
    if (editAt(x, y, id)) {
        focusEdit(id);
        state.edit(id).pressAt(x, shiftHeld);
        selecting = button == leftButton;
        return repaintEdit(id);
    }
    finishEdit(false);  // a press elsewhere ends the typing of a number
    if (button == middleButton) return;
    if (button == rightButton && x < menuAreaRight) return openMenu(x, y);
    int step = 0, row = 0;
    if (cellAt(x, y, step, row)) return gridPress(step, row, button);
    panelPress(x, y, button);
}

void Fprogrammer::mouseMove(int x, int y, bool leftHeld, bool rightHeld) {
    if (selecting && leftHeld) {
        state.edit(focus).dragTo(x);
        return repaintEdit(focus);
    }
    if (menuOpen || selecting || !(leftHeld || rightHeld)) return;
    const int button = leftHeld ? leftButton : rightButton;
    if (stroking) return gridDrag(x, y, button);
    // A held button that came from outside the grid, or held on a note that Ctrl or Alt
    // changed, presses each new cell it enters.
    int step = 0, row = 0;
    if (!cellAt(x, y, step, row)) {
        lastStep = lastRow = -1;
    } else if (step != lastStep || row != lastRow) {
        gridPress(step, row, button);
    }
}

void Fprogrammer::mouseUp(int, int, int, bool) {
    stroking = selecting = false;
    lastStep = lastRow = -1;
}

void Fprogrammer::gridPress(int step, int row, int button) {
    // Ctrl or Alt on a note changes that one note; only a paint or erase press begins a drag.
    stroking = !((ctrlHeld || altHeld) && state.grid().cell(step, row).hasNote());
    lastStep = step;
    lastRow = row;
    if (!stroke.touch(state.grid(), GridTouch{step, row, button, ctrlHeld, altHeld, false})) return;
    repaintGrid();
    state.storeGrid();
}

void Fprogrammer::gridDrag(int x, int y, int button) {
    int step = 0, row = 0;
    if (!cellAt(x, y, step, row)) {
        lastStep = lastRow = -1;
        return;
    }
    const GridTouch at{step, row, button, ctrlHeld, altHeld, true};
    const bool changed = lastStep >= 0 ? stroke.drag(state.grid(), lastStep, lastRow, at)
                                       : stroke.touch(state.grid(), at);
    lastStep = step;
    lastRow = row;
    if (!changed) return;
    repaintGrid();
    state.storeGrid();
}

// The section buttons; then box by box from the style box: its selector buttons, then a
// part's None button and controls, then a click anywhere else in a part box selects that part.
void Fprogrammer::panelPress(int x, int y, int button) {
    Section section{};
    if (sectionButtonAt(x, y, section)) {
        if (section != state.editor().section) state.selectSection(section);
        return repaint();
    }
    for (int box = 0; box < boxCount; ++box) {
        Digit digit{};
        int number = 0;
        if (selectorButtonAt(box, x, y, digit, number)) {
            state.chooseDigit(box, digit, number);
            return repaint();
        }
        if (box == 0) continue;
        const int part = box - 1;
        if (pointInRect(x, y, noneButton(box)) && state.editor().section != Section::mainA) {
            state.choosePattern(part, BaseStyle::noPattern);
            return repaint();
        }
        const PartControl control = controlAt(part, x, y);
        if (control != controlCount) {
            state.adjustControl(part, control, button == rightButton, ctrlHeld);
            return repaint();
        }
        if (pointInRect(x, y, boxRect(box)) && part != state.editor().selectedPart) {
            state.selectPart(part);
            return repaint();
        }
    }
}

void Fprogrammer::openMenu(int x, int y) {
    if (!popupMenu) return;
    // The menu runs its own message loop: this window's events meanwhile must not open it again.
    menuOpen = true;
    const int chosen =
        popupMenu->choose(PatternOperations::menuItems(), host->left() + x, host->top() + y);
    menuOpen = false;
    const int tag = PatternOperations::tagOf(chosen);
    if (tag == 0) return;
    state.runOperation(tag);
    repaintGrid();
}

}  // namespace brio
