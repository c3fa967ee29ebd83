#pragma once

#include <SDL2/SDL.h>

#include <string>

#include "graphics/Canvas.h"
#include "graphics/Limage.h"
#include "graphics/WindowHost.h"

namespace brio {

class SdlWindowSystem;

// One top-level SDL window. Its pixels live in a client-sized image; every area copied into
// that image's canvas is pushed to the screen at once.
class SdlWindow : public HostWindow, private DamageSink {
public:
    SdlWindow(SdlWindowSystem& system, SDL_Window* window, WindowEvents& events, WindowKind kind);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    void setCaption(const std::string& text) override;
    std::string caption() const override { return title; }
    void setClientSize(int width, int height) override;
    int clientWidth() const override { return screen.width(); }
    int clientHeight() const override { return screen.height(); }
    void setBordered(bool bordered) override { SDL_SetWindowBordered(window, bordered ? SDL_TRUE : SDL_FALSE); }
    void show() override;
    void hide() override;
    bool visible() const override { return (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) != 0; }
    Canvas& canvas() override { return screen.canvas(); }
    int left() const override;
    int top() const override;
    void moveTo(int x, int y) override;
    void cursorOnScreen(int& x, int& y) const override;
    void setCursorShape(CursorShape shape) override;
    void setTextInput(bool accepted) override;

    WindowEvents& handler() { return events; }
    // Shows the whole image again (after the system lost the window's content).
    void presentAll();
    Uint32 id() const { return SDL_GetWindowID(window); }
    WindowKind kind() const { return windowKind; }
    SDL_Window* sdlWindow() const { return window; }
    bool acceptsTextInput() const { return textInput; }
    // Starts SDL's text input when this window takes text, stops it otherwise; called when the
    // window gains the keyboard focus.
    void applyTextInput() const;

private:
    void damaged(const Rect& area) override;
    void present(SDL_Rect area);

    SdlWindowSystem& system;
    SDL_Window* window;
    // Where the program last placed the window, set again when it is first shown.
    bool placed = false;
    bool shownBefore = false;
    SDL_Point place{};
    WindowEvents& events;
    WindowKind windowKind;
    bool textInput = false;
    std::string title;
    Limage screen;
    SDL_Surface* screenSurface = nullptr;  // wraps the image's pixels
    SDL_Cursor* arrowCursor = nullptr;
    SDL_Cursor* handCursor = nullptr;
};

}  // namespace brio
