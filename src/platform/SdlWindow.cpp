#include "platform/SdlWindow.h"

#include <algorithm>

#include "platform/SdlWindowSystem.h"
#include "platform/X11Window.h"

namespace brio {

SdlWindow::SdlWindow(SdlWindowSystem& system, SDL_Window* window, WindowEvents& events, WindowKind kind)
    : system(system), window(window), events(events), windowKind(kind) {}

SdlWindow::~SdlWindow() {
    if (screenSurface) SDL_FreeSurface(screenSurface);
    if (arrowCursor) SDL_FreeCursor(arrowCursor);
    if (handCursor) SDL_FreeCursor(handCursor);
    system.forget(SDL_GetWindowID(window));
    SDL_DestroyWindow(window);
}

void SdlWindow::setCaption(const std::string& text) {
    title = text;
    SDL_SetWindowTitle(window, text.c_str());
}

void SdlWindow::setClientSize(int width, int height) {
    const int scale = system.scale();
    SDL_SetWindowSize(window, width * scale, height * scale);
    if (windowKind == WindowKind::main) SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    if (screenSurface) SDL_FreeSurface(screenSurface);
    screenSurface = nullptr;
    if (!screen.create(width, height)) return;
    screen.fill(0);
    screen.canvas().setDamageSink(this);
    screenSurface = SDL_CreateRGBSurfaceWithFormatFrom(screen.bits(), screen.deviceWidth(), screen.deviceHeight(),
                                                       24, screen.stride(), SDL_PIXELFORMAT_BGR24);
}

void SdlWindow::show() {
    SDL_ShowWindow(window);
    // A window placed before it was ever shown appears where it was created: the display takes
    // a new place only once the window's first configuration has come back. So the events are
    // read, and the window goes one pixel aside and back (SDL skips a move to where it
    // believes the window already is).
    if (placed && !shownBefore) {
        SDL_PumpEvents();
        SDL_SetWindowPosition(window, place.x + 1, place.y);
        SDL_SetWindowPosition(window, place.x, place.y);
    }
    shownBefore = true;
}

void SdlWindow::hide() {
    const bool hadFocus = SDL_GetKeyboardFocus() == window;
    SDL_HideWindow(window);
    if (hadFocus) system.focusLeftWith(*this);
}

void SdlWindow::moveTo(int logicalX, int logicalY) {
    const int x = logicalX * system.scale(), y = logicalY * system.scale();
    placed = true;
    place = SDL_Point{x, y};
    // A shown window moves at once: SDL would wait up to 100 ms for a window manager to agree,
    // on every step of a drag.
    if (shownBefore && visible() && moveClientTo(window, ScreenPoint{x, y})) return;
    SDL_SetWindowPosition(window, x, y);
}

// The server's answer, not SDL's: under a reparenting window manager SDL's is off by the
// window's own position.
int SdlWindow::left() const {
    if (const auto origin = clientOrigin(window)) return origin->x / system.scale();
    int x = 0;
    SDL_GetWindowPosition(window, &x, nullptr);
    return x / system.scale();
}

int SdlWindow::top() const {
    if (const auto origin = clientOrigin(window)) return origin->y / system.scale();
    int y = 0;
    SDL_GetWindowPosition(window, nullptr, &y);
    return y / system.scale();
}

// Asked of the server: SDL's global position goes stale under synthetic input.
void SdlWindow::cursorOnScreen(int& x, int& y) const {
    if (const auto pointer = pointerOnScreen(window)) {
        x = pointer->at.x / system.scale();
        y = pointer->at.y / system.scale();
        return;
    }
    SDL_GetGlobalMouseState(&x, &y);
    x /= system.scale();
    y /= system.scale();
}

void SdlWindow::setCursorShape(CursorShape shape) {
    SDL_Cursor*& cursor = shape == CursorShape::hand ? handCursor : arrowCursor;
    if (!cursor) {
        cursor = SDL_CreateSystemCursor(shape == CursorShape::hand ? SDL_SYSTEM_CURSOR_HAND : SDL_SYSTEM_CURSOR_ARROW);
    }
    if (cursor && SDL_GetCursor() != cursor) SDL_SetCursor(cursor);
}

void SdlWindow::setTextInput(bool accepted) {
    textInput = accepted;
    if (SDL_GetKeyboardFocus() == window) applyTextInput();
}

void SdlWindow::applyTextInput() const {
    if (textInput) SDL_StartTextInput();
    else SDL_StopTextInput();
}

void SdlWindow::damaged(const Rect& area) {
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.right, screen.width() - 1);
    const int bottom = std::min(area.bottom, screen.height() - 1);
    if (right < left || bottom < top) return;
    const int s = screen.scale();
    present(SDL_Rect{left * s, top * s, (right - left + 1) * s, (bottom - top + 1) * s});
}

void SdlWindow::presentAll() {
    if (screen.isValid()) present(SDL_Rect{0, 0, screen.deviceWidth(), screen.deviceHeight()});
}

void SdlWindow::present(SDL_Rect area) {
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (!screenSurface || !target) return;
    SDL_Rect destination = area;
    SDL_BlitSurface(screenSurface, &area, target, &destination);
    SDL_UpdateWindowSurfaceRects(window, &area, 1);
}

}  // namespace brio
