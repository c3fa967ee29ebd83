#pragma once

#include <SDL2/SDL.h>

#include <atomic>
#include <map>
#include <memory>
#include <optional>

#include "graphics/WindowHost.h"
#include "platform/HeldKeyFilter.h"
#include "platform/X11Window.h"

namespace brio {

class SdlWindow;

// The windowing layer on SDL2. SDL's video subsystem must be initialised before construction.
class SdlWindowSystem : public WindowSystem {
public:
    SdlWindowSystem();
    ~SdlWindowSystem() override;

    std::unique_ptr<HostWindow> createWindow(WindowKind kind, WindowEvents& events) override;
    void processPendingMessages() override;
    void waitForMessages(uint64_t timeoutUs) override;
    bool applicationActive() const override;
    int screenWidth() const override;
    int screenHeight() const override;
    ScreenArea screenArea() const override;
    void setInputBlocked(bool blocked) override { inputBlocked = blocked; }
    void setScale(int scale) override;
    int scale() const override { return pixelScale; }
    int desktopScale() const override;
    std::string clipboardText() const override;
    void setClipboardText(const std::string& utf8) override;
    void wake() override;

    // Hands every pending event to its window. An exception from a handler is shown in a
    // message box and the program goes on with the next event.
    // Windows deregister themselves when they are destroyed.
    void forget(Uint32 windowId);
    // A window that had the keyboard focus was hidden: on a server without a window manager a
    // popup takes the focus, and nobody would give it back.
    void focusLeftWith(SdlWindow& hidden);

    // Asks the main window to close, as the session's quit does; callable from any thread (the
    // signal thread). It wakes a wait for messages, and a request made before the main window
    // exists is delivered once it does.
    void requestQuit();

private:
    // Ends a wait: the eventfd for a wait on the display connection, an SDL event for SDL's own.
    void signalWake(bool throughSdl);
    void route(const SDL_Event& event);
    void routeWindowEvent(SdlWindow& window, const SDL_WindowEvent& event);
    void routeKey(const SDL_KeyboardEvent& key);
    // Fingers go to a window that takes touch, in its client pixels; a finger that lands
    // outside the window is not followed.
    void routeFinger(const SDL_TouchFingerEvent& finger);
    // The window of a mouse event that SDL made from a finger, when that window takes the
    // fingers themselves (and the event is dropped).
    bool touchMadeMouse(Uint32 which, Uint32 windowId) const;
    // The open popup, which takes the keys wherever the keyboard focus is: a window manager
    // keeps the focus on the main window while an override-redirect popup is open.
    SdlWindow* openPopup() const;
    // While a button is held, a move of the pointer that SDL did not report reaches the window
    // the button went down on. SDL drops a motion whose position on its window is the last
    // one, and a window dragged along with the pointer keeps the pointer at one place on it.
    void followPointerWhileHeld();
    // True for an event that a box of another program keeps from the windows.
    bool blockedByBox(const SDL_Event& event) const;

    std::map<Uint32, SdlWindow*> windowsById;
    SDL_Cursor* handCursor = nullptr;
    Uint32 mainWindowId = 0;
    std::atomic<int> displayFd{-1};  // the X display connection, for waiting on events
    int wakeFd = -1;     // an eventfd that requestQuit and wake write to end a wait
    std::atomic<bool> quitAsked{false};
    // Mouse buttons held as of the last routed event (SDL button masks): a release reports
    // the buttons still held at that moment, not when it happens to be processed.
    Uint32 buttonsHeld = 0;
    HeldKeyFilter heldKeys;
    Uint32 pressWindowId = 0;          // the window the held buttons went down on
    std::optional<ScreenPoint> heldPointer;  // the pointer on the screen at the last pass
    bool motionRouted = false;         // SDL reported a motion in this pass
    bool inputBlocked = false;
    int pixelScale = 1;
};

}  // namespace brio
