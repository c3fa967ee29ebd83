#include "platform/X11Window.h"

#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace brio {

namespace {

struct X11Handle {
    Display* display = nullptr;
    Window window = 0;
};

std::optional<X11Handle> x11Handle(SDL_Window* window) {
    if (!window) return std::nullopt;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return std::nullopt;
    return X11Handle{info.info.x11.display, info.info.x11.window};
}

// The left and top widths of the frame a window manager put around the window (0 without one).
ScreenPoint frameExtents(const X11Handle& x) {
    const Atom extents = XInternAtom(x.display, "_NET_FRAME_EXTENTS", True);
    if (extents == None) return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    ScreenPoint frame;
    if (XGetWindowProperty(x.display, x.window, extents, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) == Success &&
        type == XA_CARDINAL && format == 32 && count == 4) {
        const long* widths = reinterpret_cast<const long*>(data);  // left, right, top, bottom
        frame = ScreenPoint{int(widths[0]), int(widths[2])};
    }
    if (data) XFree(data);
    return frame;
}

}  // namespace

int displayConnection(SDL_Window* window) {
    const auto x = x11Handle(window);
    return x ? ConnectionNumber(x->display) : -1;
}

std::optional<ScreenPoint> clientOrigin(SDL_Window* window) {
    const auto x = x11Handle(window);
    if (!x) return std::nullopt;
    int left = 0;
    int top = 0;
    Window child = 0;
    if (!XTranslateCoordinates(x->display, x->window, DefaultRootWindow(x->display), 0, 0, &left,
                               &top, &child))
        return std::nullopt;
    return ScreenPoint{left, top};
}

std::optional<PointerState> pointerOnScreen(SDL_Window* window) {
    const auto x = x11Handle(window);
    if (!x) return std::nullopt;
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(x->display, x->window, &root, &child, &rootX, &rootY, &windowX, &windowY,
                       &buttons))
        return std::nullopt;  // the pointer is on another screen
    constexpr unsigned int anyButton = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
    return PointerState{ScreenPoint{rootX, rootY}, (buttons & anyButton) != 0};
}

bool moveClientTo(SDL_Window* window, ScreenPoint place) {
    const auto x = x11Handle(window);
    if (!x) return false;
    // A managed window's requested position is that of its frame's top-left corner.
    const ScreenPoint frame = frameExtents(*x);
    XMoveWindow(x->display, x->window, place.x - frame.x, place.y - frame.y);
    XFlush(x->display);
    return true;
}

void makeTransientFor(SDL_Window* window, SDL_Window* owner, bool dialog) {
    const auto x = x11Handle(window);
    const auto o = x11Handle(owner);
    if (!x || !o) return;
    XSetTransientForHint(x->display, x->window, o->window);
    if (dialog) {
        const Atom windowType = XInternAtom(x->display, "_NET_WM_WINDOW_TYPE", False);
        Atom dialogType = XInternAtom(x->display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        XChangeProperty(x->display, x->window, windowType, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&dialogType), 1);
    }
    XFlush(x->display);
}

uint64_t nativeWindowId(SDL_Window* window) {
    const auto x = x11Handle(window);
    return x ? uint64_t(x->window) : 0;
}

}  // namespace brio
