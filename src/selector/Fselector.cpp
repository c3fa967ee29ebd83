#include "selector/Fselector.h"

#include <algorithm>

#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "selector/SelectorPainter.h"

namespace brio {

namespace {

constexpr float modalColourScale = 0.6f;

}  // namespace

Fselector::Fselector(WindowSystem& windows, Clock& clock)
    : windows(windows), clock(clock), host(windows.createWindow(WindowKind::selector, *this)) {}

Fselector::~Fselector() = default;

void Fselector::show() {
    grid = layoutSelector(config);
    Point cursor;
    host->cursorOnScreen(cursor.x, cursor.y);
    const Point corner =
        placeSelector(grid, config, cursor, windows.screenArea());
    host->setClientSize(grid.width, grid.height);
    host->moveTo(corner.x, corner.y);
    if (offscreen.width() != grid.width || offscreen.height() != grid.height)
        offscreen.create(grid.width, grid.height);
    hoveredEntry = -1;
    chosen = -1;
    open = true;
    host->show();
    repaint();
}

void Fselector::close() {
    if (!open) return;
    open = false;
    host->hide();
    hoveredEntry = -1;
    const int commandKey = config.commandKey;
    // Reset before reporting, so that a listener that opens the popup again from pick() keeps
    // its new configuration.
    config.reset();
    if (chosen != -1 && commandKey != SelectorConfig::noCommand && listener)
        listener->pick(commandKey, chosen);
}

int Fselector::openModal(const Text_& items, int current, int x, int y, Color colour) {
    config.reset();
    config.items = items;
    config.current = current;
    config.position = Point{x, y};
    config.positionSet = true;
    config.centred = true;
    config.colour =
        colour == noColor ? SelectorConfig::defaultColour : scaleColor(colour, modalColourScale);
    config.commandKey = SelectorConfig::noCommand;
    return runModal();
}

int Fselector::openModal(const SelectorConfig& settings) {
    config = settings;
    config.commandKey = SelectorConfig::noCommand;
    return runModal();
}

int Fselector::runModal() {
    show();
    uint32_t lastCheck = clock.milliseconds();
    while (open) {
        windows.processPendingMessages();
        if (!open) break;
        const int32_t since = std::max(elapsedMs(lastCheck, clock.milliseconds()), 0);
        if (since >= int32_t(timerIntervalMs)) {
            timerTimer();
            lastCheck = clock.milliseconds();
        } else {
            windows.waitForMessages(uint64_t(int32_t(timerIntervalMs) - since) * 1000u);
        }
    }
    return chosen;
}

void Fselector::timerTimer() {
    if (!open || hoveredEntry == -1) return;
    int x = 0;
    int y = 0;
    host->cursorOnScreen(x, y);
    const int64_t dx = int64_t(x) - host->left();
    const int64_t dy = int64_t(y) - host->top();
    if (dx >= 0 && dy >= 0 && dx < host->clientWidth() && dy < host->clientHeight()) return;
    hoveredEntry = -1;
    repaint();
}

int Fselector::entryAt(int x, int y) const {
    if (!grid.insideFrame(x, y)) return -1;
    for (int i = int(hitRects.size()) - 1; i >= 0; --i)
        if (pointInRect(x, y, hitRects[size_t(i)])) return i;
    return -1;
}

void Fselector::mouseMove(int x, int y, bool /*leftHeld*/, bool /*rightHeld*/) {
    if (!open) return;
    const int entry = entryAt(x, y);
    if (entry == hoveredEntry) return;
    hoveredEntry = entry;
    repaint();
}

void Fselector::mouseDown(int x, int y, int /*button*/) {
    if (!open) return;
    // The press's own position decides, in case no move reached the popup since the cursor
    // came there (or left it).
    chosen = entryAt(x, y);
    close();
}

void Fselector::keyDown(int virtualKey) {
    if (virtualKey == escapeKey) {
        if (!open) return;
        chosen = -1;
        close();
        return;
    }
    if (listener) listener->keyDown(virtualKey);
}

void Fselector::keyUp(int virtualKey) {
    if (listener) listener->keyUp(virtualKey);
}

void Fselector::paint() {
    if (open) copyToWindow();
}

void Fselector::closeQuery() {
    close();
}

void Fselector::repaint() {
    paintSelector(offscreen, grid, config, hoveredEntry, hitRects);
    copyToWindow();
}

void Fselector::copyToWindow() {
    if (!offscreen.isValid()) return;
    blitToWindow(offscreen, host->canvas(),
                 Rect{0, 0, offscreen.width() - 1, offscreen.height() - 1}, 0, 0);
}

}  // namespace brio
