#include "main/Fmain.h"

#include <cstdio>

#include "foundation/AppIdentity.h"
#include "foundation/Clock.h"
#include "foundation/Trace.h"
#include "main/MainLoop.h"
#include "main/MidiSynth.h"
#include "panel/MainPanel.h"

namespace brio {

Fmain::Fmain(MidiSynth& station, WindowSystem& windows)
    : station(station), windows(windows), host(windows.createWindow(WindowKind::main, *this)) {
    host->setCaption(applicationTitle);
    host->setClientSize(MainPanel::normalWidth, MainPanel::normalHeight);
}

Fmain::~Fmain() { station.attachMainWindow(nullptr); }

// The panel is built before the window shows, so that its first paint is the whole panel;
// the start timer then only starts the main loop.
void Fmain::show() {
    buildPanel();
    host->show();
}

void Fmain::buildPanel() {
    station.attachWindowSystem(&windows);
    station.attachMainWindow(host.get());
}

void Fmain::timerTimer(Clock& clock) {
    const uint64_t startUs = clock.microseconds();
    const uint64_t passes = runMainLoop(station, windows, clock, closeRequested);
    if (traceEnabled()) {
        std::fprintf(stderr, "Brioletta: %llu passes of the main loop in %.1f s\n",
                     static_cast<unsigned long long>(passes), double(clock.microseconds() - startUs) / 1e6);
    }
    host->hide();
}

void Fmain::keyDown(int virtualKey) {
    if (!ignoringInput()) station.keyDown(virtualKey);
}

void Fmain::keyUp(int virtualKey) {
    if (!ignoringInput()) station.keyUp(virtualKey);
}

void Fmain::mouseDown(int x, int y, int button) {
    if (!ignoringInput()) station.mouseDown(x, y, button);
    else if (ignoredPress) ignoredPress();
}

void Fmain::mouseMove(int x, int y, bool leftHeld, bool rightHeld) {
    if (!ignoringInput()) station.mouseMove(x, y, leftHeld, rightHeld);
}

void Fmain::mouseUp(int x, int y, int button, bool leftHeld) {
    if (!ignoringInput()) station.mouseUp(x, y, button, leftHeld);
}

void Fmain::touchDown(int64_t finger, int x, int y) {
    if (!ignoringInput()) station.touchDown(finger, x, y);
}

void Fmain::touchMove(int64_t finger, int x, int y) {
    if (!ignoringInput()) station.touchMove(finger, x, y);
}

void Fmain::touchUp(int64_t finger, int x, int y) {
    if (!ignoringInput()) station.touchUp(finger, x, y);
}

void Fmain::paint() {
    station.paintPanel();
    if (!painted && traceEnabled()) traceAt("first paint", systemClock().microseconds());
    painted = true;
}

void Fmain::closeQuery() { closeRequested = true; }

}  // namespace brio
