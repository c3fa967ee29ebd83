#include "platform/SdlWindowSystem.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>

#include "graphics/UserDialogs.h"
#include "platform/DesktopScale.h"
#include "platform/SdlKeyCodes.h"
#include "graphics/Limage.h"
#include "platform/SdlWindow.h"
#include "platform/X11Window.h"

namespace brio {

namespace {

Uint32 flagsFor(WindowKind kind) {
    switch (kind) {
        case WindowKind::main: return SDL_WINDOW_BORDERLESS;
        case WindowKind::dialog: return SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP;
        case WindowKind::selector:
            return SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR |
                   SDL_WINDOW_POPUP_MENU;
        case WindowKind::programmer: return SDL_WINDOW_UTILITY;
    }
    return 0;
}

int buttonOf(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return leftButton;
        case SDL_BUTTON_RIGHT: return rightButton;
        default: return middleButton;
    }
}

}  // namespace

SdlWindowSystem::SdlWindowSystem() : wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    // Keys arrive as key events only until a window that takes text gains the focus.
    SDL_StopTextInput();
    HeldKeyFilter::enable();
}

SdlWindowSystem::~SdlWindowSystem() {
    if (handCursor) SDL_FreeCursor(handCursor);
    if (wakeFd >= 0) ::close(wakeFd);
}

void SdlWindowSystem::requestQuit() {
    quitAsked = true;
    signalWake(true);
}

void SdlWindowSystem::wake() { signalWake(displayFd < 0); }

void SdlWindowSystem::signalWake(bool throughSdl) {
    if (wakeFd >= 0) {
        const uint64_t one = 1;
        (void)!::write(wakeFd, &one, sizeof one);
    }
    // Wakes SDL's own wait where the display connection is not ours to poll.
    if (throughSdl) {
        SDL_Event event{};
        event.type = SDL_USEREVENT;
        (void)SDL_PushEvent(&event);
    }
}

std::unique_ptr<HostWindow> SdlWindowSystem::createWindow(WindowKind kind, WindowEvents& events) {
    const bool isMain = kind == WindowKind::main;
    SDL_Window* window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 320,
                                          200, SDL_WINDOW_HIDDEN | flagsFor(kind));
    if (!window) throw std::runtime_error(std::string("Cannot create a window: ") + SDL_GetError());
    // The dialog and the programmer stay above the main window, and are not decorated or
    // listed apart as windows of their own by a window manager.
    auto main = windowsById.find(mainWindowId);
    if (!isMain && kind != WindowKind::selector && main != windowsById.end())
        makeTransientFor(window, main->second->sdlWindow(), kind == WindowKind::dialog);
    auto host = std::make_unique<SdlWindow>(*this, window, events, kind);
    const Uint32 id = SDL_GetWindowID(window);
    windowsById[id] = host.get();
    if (isMain) {
        mainWindowId = id;
        displayFd = displayConnection(window);
        if (!handCursor) handCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
        if (handCursor) SDL_SetCursor(handCursor);
    }
    return host;
}

void SdlWindowSystem::forget(Uint32 windowId) { windowsById.erase(windowId); }

void SdlWindowSystem::focusLeftWith(SdlWindow& hidden) {
    auto main = windowsById.find(mainWindowId);
    if (hidden.kind() != WindowKind::selector || main == windowsById.end() || !main->second->visible()) return;
    SDL_SetWindowInputFocus(main->second->sdlWindow());
}

bool SdlWindowSystem::applicationActive() const { return SDL_GetKeyboardFocus() != nullptr; }

void SdlWindowSystem::setScale(int scale) { pixelScale = std::clamp(scale, 1, Limage::maxScale); }

int SdlWindowSystem::desktopScale() const {
    // The X resources are asked for (over a connection of their own) only when the environment
    // says nothing.
    if (const auto scale = scaleFromEnvironment(std::getenv("GDK_SCALE"), std::getenv("QT_SCALE_FACTOR")))
        return *scale;
    return scaleFromDpi(xftDpi());
}

int SdlWindowSystem::screenWidth() const {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w / pixelScale : 0;
}

int SdlWindowSystem::screenHeight() const {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h / pixelScale : 0;
}

ScreenArea SdlWindowSystem::screenArea() const {
    auto main = windowsById.find(mainWindowId);
    const int display = main == windowsById.end() ? 0 : std::max(SDL_GetWindowDisplayIndex(main->second->sdlWindow()), 0);
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(display, &bounds) != 0) return ScreenArea{0, 0, screenWidth(), screenHeight()};
    return ScreenArea{bounds.x / pixelScale, bounds.y / pixelScale, bounds.w / pixelScale, bounds.h / pixelScale};
}

std::string SdlWindowSystem::clipboardText() const {
    char* text = SDL_GetClipboardText();
    if (!text) return {};
    std::string result(text);
    SDL_free(text);
    return result;
}

void SdlWindowSystem::setClipboardText(const std::string& utf8) {
    (void)SDL_SetClipboardText(utf8.c_str());
}

void SdlWindowSystem::waitForMessages(uint64_t timeoutUs) {
    // Reads what the display has sent so far; anything queued ends the wait at once.
    SDL_PumpEvents();
    if (quitAsked) return;
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) return;
    if (displayFd >= 0) {
        // Sleeps on the display connection itself, and on the quit request. (SDL's own timed
        // wait wakes itself through a second connection and a message to a window, which has
        // been seen to end the program with an X error when that window was gone.)
        pollfd fds[2] = {{displayFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        const timespec timeout{time_t(timeoutUs / 1000000u), long(timeoutUs % 1000000u) * 1000L};
        (void)ppoll(fds, wakeFd >= 0 ? 2 : 1, timeoutUs == forever ? nullptr : &timeout, nullptr);
    } else if (timeoutUs == forever) {
        SDL_WaitEvent(nullptr);
    } else {
        SDL_WaitEventTimeout(nullptr, int((timeoutUs + 999u) / 1000u));
    }
}

void SdlWindowSystem::processPendingMessages() {
    // Taken before the handler runs: a wake that comes while it runs ends the next wait.
    uint64_t wakes = 0;
    if (wakeFd >= 0) (void)!::read(wakeFd, &wakes, sizeof wakes);
    runWakeHandler();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (blockedByBox(event)) {
            const bool closesMain = event.type == SDL_WINDOWEVENT && event.window.windowID == mainWindowId;
            if (event.type == SDL_QUIT || closesMain) quitAsked = true;
            continue;
        }
        try {
            route(event);
        } catch (const std::exception& error) {
            userDialogs().showNotice(error.what());
        } catch (...) {
            userDialogs().showNotice("An unexpected error occurred.");
        }
    }
    followPointerWhileHeld();
    if (quitAsked && !inputBlocked) {
        auto main = windowsById.find(mainWindowId);
        if (main != windowsById.end()) main->second->handler().closeQuery();
    }
}

void SdlWindowSystem::route(const SDL_Event& event) {
    auto windowFor = [this](Uint32 id) -> SdlWindow* {
        auto found = windowsById.find(id);
        return found == windowsById.end() ? nullptr : found->second;
    };
    switch (event.type) {
        case SDL_QUIT:
            // The session or a signal ends the program: the main window closes.
            if (SdlWindow* main = windowFor(mainWindowId)) main->handler().closeQuery();
            return;
        case SDL_SYSWMEVENT:
            if (event.syswm.msg) heldKeys.rawEvent(*event.syswm.msg);
            return;
        case SDL_WINDOWEVENT:
            if (SdlWindow* window = windowFor(event.window.windowID)) routeWindowEvent(*window, event.window);
            return;
        case SDL_KEYDOWN:
        case SDL_KEYUP: routeKey(event.key); return;
        case SDL_TEXTINPUT: {
            SdlWindow* window = windowFor(event.text.windowID);
            if (window && window->acceptsTextInput()) window->handler().textInput(event.text.text);
            return;
        }
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP: routeFinger(event.tfinger); return;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            SdlWindow* window = windowFor(event.button.windowID);
            if (!window || touchMadeMouse(event.button.which, event.button.windowID)) return;
            const SDL_MouseButtonEvent& b = event.button;
            if (event.type == SDL_MOUSEBUTTONDOWN) {
                buttonsHeld |= SDL_BUTTON(b.button);
                pressWindowId = b.windowID;
                window->handler().mouseDown(b.x / pixelScale, b.y / pixelScale, buttonOf(b.button));
            } else {
                buttonsHeld &= ~SDL_BUTTON(b.button);
                window->handler().mouseUp(b.x / pixelScale, b.y / pixelScale, buttonOf(b.button),
                                          (buttonsHeld & SDL_BUTTON_LMASK) != 0);
            }
            return;
        }
        case SDL_MOUSEMOTION: {
            SdlWindow* window = windowFor(event.motion.windowID);
            if (!window || touchMadeMouse(event.motion.which, event.motion.windowID)) return;
            const SDL_MouseMotionEvent& m = event.motion;
            buttonsHeld = m.state;
            motionRouted = true;
            window->handler().mouseMove(m.x / pixelScale, m.y / pixelScale, (m.state & SDL_BUTTON_LMASK) != 0,
                                        (m.state & SDL_BUTTON_RMASK) != 0);
            return;
        }
        default: return;
    }
}

void SdlWindowSystem::routeWindowEvent(SdlWindow& window, const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            window.handler().paint();
            window.presentAll();
            break;
        case SDL_WINDOWEVENT_CLOSE: window.handler().closeQuery(); break;
        // Text input follows the focus, so the other windows keep getting plain keys.
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            window.applyTextInput();
            break;
        default: break;
    }
}

}  // namespace brio

namespace brio {

void SdlWindowSystem::routeKey(const SDL_KeyboardEvent& key) {
    if (!heldKeys.accepts(key)) return;
    // Keys go to the open popup, else to the window SDL names unless it is hidden (a popup
    // that just closed under the pointer keeps the focus on a server without a window
    // manager), else to the main window.
    auto found = windowsById.find(key.windowID);
    SdlWindow* window = openPopup();
    if (!window && found != windowsById.end() && found->second->visible()) window = found->second;
    if (!window) {
        auto main = windowsById.find(mainWindowId);
        window = main == windowsById.end() ? nullptr : main->second;
    }
    const int virtualKey = virtualKeyForScancode(key.keysym.scancode);
    if (!window || virtualKey < 0) return;
    if (key.type == SDL_KEYDOWN) window->handler().keyDown(virtualKey);
    else window->handler().keyUp(virtualKey);
}

void SdlWindowSystem::routeFinger(const SDL_TouchFingerEvent& touch) {
    auto found = windowsById.find(touch.windowID);
    if (found == windowsById.end() || !found->second->handler().takesTouch()) return;
    SdlWindow& window = *found->second;
    WindowEvents& handler = window.handler();
    // One finger of one touch device, from its landing to its lift.
    const int64_t finger = int64_t(uint64_t(touch.fingerId) ^ (uint64_t(touch.touchId) << 32));
    // The X11 driver gives a finger's place as a share of the window's last pixel (0..1 from
    // its first column to its last).
    const int deviceX = int(std::lround(double(touch.x) * (window.clientWidth() * pixelScale - 1)));
    const int deviceY = int(std::lround(double(touch.y) * (window.clientHeight() * pixelScale - 1)));
    const int x = int(std::floor(double(deviceX) / pixelScale)), y = int(std::floor(double(deviceY) / pixelScale));
    switch (touch.type) {
        case SDL_FINGERDOWN:
            if (touch.x >= 0.0f && touch.x <= 1.0f && touch.y >= 0.0f && touch.y <= 1.0f) handler.touchDown(finger, x, y);
            break;
        case SDL_FINGERMOTION: handler.touchMove(finger, x, y); break;
        default: handler.touchUp(finger, x, y); break;
    }
}

bool SdlWindowSystem::touchMadeMouse(Uint32 which, Uint32 windowId) const {
    if (which != SDL_TOUCH_MOUSEID) return false;
    auto found = windowsById.find(windowId);
    return found != windowsById.end() && found->second->handler().takesTouch();
}

SdlWindow* SdlWindowSystem::openPopup() const {
    for (const auto& [id, window] : windowsById)
        if (window->kind() == WindowKind::selector && window->visible()) return window;
    return nullptr;
}

void SdlWindowSystem::followPointerWhileHeld() {
    const bool routed = motionRouted;
    motionRouted = false;
    auto pressed = windowsById.find(pressWindowId);
    if (buttonsHeld == 0 || inputBlocked || pressed == windowsById.end()) {
        heldPointer.reset();
        return;
    }
    SdlWindow& window = *pressed->second;
    const auto pointer = pointerOnScreen(window.sdlWindow());
    // A release that never reached SDL leaves nothing held.
    if (!pointer || !pointer->buttonDown) {
        heldPointer.reset();
        return;
    }
    const ScreenPoint at = pointer->at;
    const bool moved = heldPointer && (heldPointer->x != at.x || heldPointer->y != at.y);
    heldPointer = at;
    if (!moved || routed) return;
    // The window's place only for a move that is handed on.
    const auto origin = clientOrigin(window.sdlWindow());
    if (!origin) return;
    window.handler().mouseMove((at.x - origin->x) / pixelScale, (at.y - origin->y) / pixelScale,
                               (buttonsHeld & SDL_BUTTON_LMASK) != 0, (buttonsHeld & SDL_BUTTON_RMASK) != 0);
}

bool SdlWindowSystem::blockedByBox(const SDL_Event& event) const {
    if (!inputBlocked) return false;
    switch (event.type) {
        case SDL_QUIT: return true;
        case SDL_WINDOWEVENT: return event.window.event == SDL_WINDOWEVENT_CLOSE;
        case SDL_KEYDOWN:
        case SDL_TEXTINPUT:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEMOTION:
        case SDL_MOUSEWHEEL:
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION: return true;
        default: return false;
    }
}

}  // namespace brio
