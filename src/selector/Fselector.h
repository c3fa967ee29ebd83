#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Clock.h"
#include "graphics/Limage.h"
#include "graphics/Rect.h"
#include "graphics/WindowHost.h"
#include "selector/SelectorConfig.h"
#include "selector/SelectorLayout.h"
#include "selector/SelectorListener.h"

namespace brio {

// The popup that serves as every menu and chooser: a borderless window with the entries in one
// or more columns, the entry under the mouse highlighted, closed by the first click.
//
// Non-modal use: set `config` (items, rowsPerColumn, band, current, menuStyle, position,
// commandKey, ...), call show(), and call timerTimer() every timerIntervalMs while needsTimer();
// the choice arrives later through the listener's pick(commandKey, index). Modal use:
// openModal() runs its own message loop and returns the choice. Either way the configuration
// goes back to its reset values (items kept) when the popup closes.
class Fselector : public WindowEvents {
public:
    static constexpr uint32_t timerIntervalMs = 50;
    static constexpr int escapeKey = 27;

    // Creates the hidden popup window; the modal loop times its timer with `clock`.
    explicit Fselector(WindowSystem& windows, Clock& clock = systemClock());
    ~Fselector() override;
    Fselector(const Fselector&) = delete;
    Fselector& operator=(const Fselector&) = delete;

    // Receives choices and the keys typed while the popup is open; nullptr for none. The caller
    // keeps ownership.
    void setListener(SelectorListener* newListener) { listener = newListener; }

    // Lays the popup out for `config`, places it on the screen, shows and paints it. Showing it
    // while it is open reconfigures it; nothing is reported for the earlier configuration.
    void show();
    // Hides the popup, reports the choice (if any) and resets the configuration.
    void close();
    bool isOpen() const { return open; }
    // The command key of the open popup (read it before close(), which resets it); noCommand
    // while closed.
    int openCommandKey() const { return open ? config.commandKey : SelectorConfig::noCommand; }

    // Opens the popup centred below (x, y) with `items` and `current` (-1 none), in `colour`
    // darkened to 0.6 (grey 128 for noColor), and processes window messages until it closes.
    // Returns the chosen index, or -1. Nothing is reported to the listener's pick.
    int openModal(const Text_& items, int current, int x, int y, Color colour);
    // Opens the popup as `settings` say (menu style, position, ...; its command key is not
    // used) and processes window messages until it closes. Returns the chosen index, or -1.
    int openModal(const SelectorConfig& settings);

    // The 50 ms check: un-highlights the entry when the cursor has left the popup.
    void timerTimer();
    // True while the timer has something to watch (open with an entry highlighted).
    bool needsTimer() const { return open && hoveredEntry != -1; }

    // Entry under the mouse and the entry chosen at the last close (-1 none).
    int hovered() const { return hoveredEntry; }
    int result() const { return chosen; }
    // The grid, picture and entry hit rectangles (client pixels, inclusive) of the last show
    // and paint.
    const SelectorLayout& layout() const { return grid; }
    const Limage& picture() const { return offscreen; }
    const std::vector<Rect>& entryRects() const { return hitRects; }
    HostWindow& window() { return *host; }

    // What the opener sets before show(); see SelectorConfig.
    SelectorConfig config;

    void keyDown(int virtualKey) override;
    void keyUp(int virtualKey) override;
    void mouseDown(int x, int y, int button) override;
    void mouseMove(int x, int y, bool leftHeld, bool rightHeld) override;
    void paint() override;
    void closeQuery() override;

private:
    // The entry whose hit rectangle holds the client point (the last one when two do); -1 when
    // none does or the point is on the frame or outside.
    int entryAt(int x, int y) const;
    // Paints the picture and copies it to the window.
    void repaint();
    void copyToWindow();
    // Shows the popup for the configuration set and runs its message loop until it closes.
    int runModal();

    WindowSystem& windows;
    Clock& clock;
    std::unique_ptr<HostWindow> host;
    SelectorListener* listener = nullptr;
    SelectorLayout grid;
    Limage offscreen;
    std::vector<Rect> hitRects;
    int hoveredEntry = -1;
    int chosen = -1;
    bool open = false;
};

}  // namespace brio
