#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace brio {

class Canvas;

// Mouse buttons as the program numbers them.
enum MouseButton : int { middleButton = 0, leftButton = 1, rightButton = 2 };

// What a window reports to the object that owns it. Keys are the program's own key codes
// (0..255); coordinates are client pixels.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void keyDown(int /*virtualKey*/) {}
    virtual void keyUp(int /*virtualKey*/) {}
    virtual void mouseDown(int /*x*/, int /*y*/, int /*button*/) {}
    virtual void mouseMove(int /*x*/, int /*y*/, bool /*leftHeld*/, bool /*rightHeld*/) {}
    virtual void mouseUp(int /*x*/, int /*y*/, int /*button*/, bool /*leftHeld*/) {}
    // Fingers on a touch screen, for a window that takes them (takesTouch): `finger` names one
    // finger from its touch to its lift; coordinates are client pixels and may lie outside the
    // window once the finger has left it. Other windows get the first finger as the left
    // button.
    virtual bool takesTouch() const { return false; }
    virtual void touchDown(int64_t /*finger*/, int /*x*/, int /*y*/) {}
    virtual void touchMove(int64_t /*finger*/, int /*x*/, int /*y*/) {}
    virtual void touchUp(int64_t /*finger*/, int /*x*/, int /*y*/) {}
    // The window's content was lost (exposed, resized) and must be shown again whole.
    virtual void paint() {}
    // The system asks the window to close (window manager, Alt+F4).
    virtual void closeQuery() {}
    // Text typed into a window that accepts text input (see HostWindow::setTextInput), in
    // UTF-8, after the keyboard layout and any composition have made it. Keys still arrive
    // through keyDown as well.
    virtual void textInput(const std::string& /*utf8*/) {}
};

enum class CursorShape { arrow, hand };

// The four kinds of top-level window the program creates.
enum class WindowKind { main, dialog, selector, programmer };

// One top-level window of the windowing layer.
class HostWindow {
public:
    virtual ~HostWindow() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
    virtual void setClientSize(int width, int height) = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // A single fixed border (title bar included) or none.
    virtual void setBordered(bool bordered) = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool visible() const = 0;
    // The client area's top-left corner on the screen, and moving it there (a window manager's
    // frame goes around it).
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual void moveTo(int x, int y) = 0;
    // The mouse cursor on the screen, and its shape over this window.
    virtual void cursorOnScreen(int& x, int& y) const = 0;
    virtual void setCursorShape(CursorShape shape) = 0;
    // The window's pixels, client-sized: what an image is copied into here (blitToWindow)
    // appears on the screen.
    virtual Canvas& canvas() = 0;
    // While the window has the keyboard focus, typed text also arrives as textInput; every
    // other window gets keys only.
    virtual void setTextInput(bool /*accepted*/) {}
};

// A rectangle of the screen: a monitor.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;   // 0 when unknown
    int height = 0;
};

// The windowing layer: creates windows and delivers their events.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Creates a hidden window of the given kind whose events go to `events`.
    virtual std::unique_ptr<HostWindow> createWindow(WindowKind kind, WindowEvents& events) = 0;
    // Hands every pending event to the window it belongs to, then returns.
    virtual void processPendingMessages() = 0;
    // Sleeps until an event is pending or `timeoutUs` microseconds have passed (never, for
    // `forever`).
    static constexpr uint64_t forever = UINT64_MAX;
    virtual void waitForMessages(uint64_t timeoutUs) = 0;
    // True while one of the program's windows has the input focus.
    virtual bool applicationActive() const = 0;
    // Size of the screen in pixels; 0 when unknown.
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // The monitor the main window is on (the whole screen by default), where popups and
    // dialogs are kept.
    virtual ScreenArea screenArea() const { return ScreenArea{0, 0, screenWidth(), screenHeight()}; }
    // While another program's box (a file chooser, a message) is open over the program, its
    // windows take no input: presses and moves are dropped, releases still arrive, and a
    // request to close waits until the box is gone.
    virtual void setInputBlocked(bool /*blocked*/) {}
    // Device pixels per pixel (1, 2 or 3). Every size, position and event the windowing layer
    // hands over or takes is in pixels; windows made afterwards are that many times larger on
    // the screen. Set before the first window is made.
    virtual void setScale(int /*scale*/) {}
    virtual int scale() const { return 1; }
    // The scale the desktop asks for (1 when it says nothing).
    virtual int desktopScale() const { return 1; }
    // The system clipboard's text in UTF-8 (empty when it holds none), and replacing it.
    virtual std::string clipboardText() const { return {}; }
    virtual void setClipboardText(const std::string& /*utf8*/) {}

    // Ends a waitForMessages at once; callable from any thread (MIDI input wakes the loop).
    virtual void wake() {}
    // Runs on the main thread in every processPendingMessages, before the window events: input
    // that woke the loop is handled there, in modal loops too.
    void setWakeHandler(std::function<void()> handler) { wakeHandler = std::move(handler); }

protected:
    void runWakeHandler() {
        if (wakeHandler) wakeHandler();
    }

private:
    std::function<void()> wakeHandler;
};

}  // namespace brio
