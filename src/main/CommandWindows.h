#pragma once

#include <string>

#include "dialog/ProgressWatch.h"
#include "foundation/Text.h"
#include "graphics/Color.h"

namespace brio {

// What the station asks of the selector popup: one list, shown where it says, whose choice
// comes back later through the station's pick(commandKey, index).
class CommandPopup {
public:
    struct Request {
        Text_ items;
        int commandKey = -1;
        int current = -1;        // entry shown as the current value; -1 none
        int rowsPerColumn = -1;  // -1: one column
        int band = -1;           // rows per shading band; -1: rowsPerColumn
        bool menuStyle = false;
        int x = 0, y = 0;        // screen position of the top left corner (or centre with `centred`)
        bool positionSet = false;
        bool centred = false;
        Color colour = -1;       // -1: the popup's own grey
    };
    virtual ~CommandPopup() = default;
    virtual void open(const Request& request) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The command key of the open popup; -1 when it is closed.
    virtual int openCommand() const = 0;
    // The popup's 50 ms timer, run by the main loop while it asks for it.
    virtual bool needsTimer() const { return false; }
    virtual void timer() {}
};

// The dialog window's pages; each returns when its page was closed.
class DialogPages {
public:
    virtual ~DialogPages() = default;
    virtual void showOptions() = 0;
    virtual void showAbout() = 0;
    virtual void showHotKeys() = 0;
    // Shows `text` and the work's progress with a Cancel button until the work has finished.
    virtual void showProgress(const std::string& text, ProgressWatch watch) = 0;
};

// The style programmer's window, opened by the hidden gesture.
class StyleEditorWindow {
public:
    virtual ~StyleEditorWindow() = default;
    virtual void open() = 0;
};

}  // namespace brio
