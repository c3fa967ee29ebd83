#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Clock.h"
#include "graphics/Canvas.h"
#include "graphics/Limage.h"
#include "graphics/WindowHost.h"

namespace brio::test {

// A window that only remembers what it was told.
class FakeWindow : public HostWindow {
public:
    FakeWindow(WindowKind kind, WindowEvents& events) : kind(kind), events(events) {}
    void setCaption(const std::string& text) override { title = text; }
    std::string caption() const override { return title; }
    int clientWidth() const override { return width; }
    int clientHeight() const override { return height; }
    void setBordered(bool value) override { bordered = value; }
    void setClientSize(int w, int h) override {
        width = w;
        height = h;
        screen.create(w, h);
        screen.fill(0xFF00FF);
        screen.canvas().setDamageSink(&damage);
    }
    void show() override { shown = true; }
    void hide() override { shown = false; }
    bool visible() const override { return shown; }
    Canvas& canvas() override { return screen.canvas(); }
    int left() const override { return x; }
    int top() const override { return y; }
    void moveTo(int newX, int newY) override {
        x = newX;
        y = newY;
    }
    void cursorOnScreen(int& cx, int& cy) const override {
        cx = cursorX;
        cy = cursorY;
    }
    void setCursorShape(CursorShape shape) override { cursor = shape; }
    void setTextInput(bool accepted) override { textInput = accepted; }

    // Remembers every area copied to the window.
    struct DamageLog : DamageSink {
        void damaged(const Rect& area) override { areas.push_back(area); }
        std::vector<Rect> areas;
    };

    WindowKind kind;
    WindowEvents& events;
    std::string title;
    int width = 0;
    int height = 0;
    bool shown = false;
    bool bordered = false;
    int x = 100, y = 100;
    int cursorX = 0, cursorY = 0;
    CursorShape cursor = CursorShape::hand;
    bool textInput = false;
    Limage screen;  // what the window shows
    DamageLog damage;
};

// A windowing layer driven by the test: each call to processPendingMessages runs the next
// scripted step (if any) and lets the manual clock move by `passCostMs`.
class FakeWindowSystem : public WindowSystem {
public:
    explicit FakeWindowSystem(ManualClock& clock) : clock(clock) {}

    std::unique_ptr<HostWindow> createWindow(WindowKind kind, WindowEvents& events) override {
        auto window = std::make_unique<FakeWindow>(kind, events);
        created.push_back(window.get());
        return window;
    }
    void processPendingMessages() override {
        ++passes;
        clock.advance(passCostMs);
        if (onPass) onPass(passes);
    }
    // A wait without a limit ends with the next scripted event: the clock does not move.
    void waitForMessages(uint64_t timeoutUs) override {
        ++waits;
        if (timeoutUs == forever) ++foreverWaits;
        else clock.advance(uint32_t((timeoutUs + 999) / 1000));
    }
    bool applicationActive() const override { return active; }
    int screenWidth() const override { return screen; }
    int screenHeight() const override { return screenTall; }
    std::string clipboardText() const override { return clipboard; }
    void setClipboardText(const std::string& utf8) override { clipboard = utf8; }

    FakeWindow* windowOf(WindowKind kind) const {
        for (FakeWindow* w : created)
            if (w->kind == kind) return w;
        return nullptr;
    }

    ManualClock& clock;
    std::vector<FakeWindow*> created;  // valid while the windows live
    std::function<void(int pass)> onPass;
    uint32_t passCostMs = 0;
    bool active = true;
    int screen = 1920;
    int screenTall = 1080;
    int passes = 0;
    int waits = 0;
    int foreverWaits = 0;
    std::string clipboard;  // UTF-8
};

}  // namespace brio::test
