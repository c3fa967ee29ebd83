#include "main/Fmain.h"

#include "main/AppIdentity.h"
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

void Fmain::show() { host->show(); }

void Fmain::buildPanel() {
    station.attachWindowSystem(&windows);
    station.attachMainWindow(host.get());
    paint();
}

void Fmain::timerTimer(Clock& clock) {
    buildPanel();
    runMainLoop(station, windows, clock, closeRequested);
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
}

void Fmain::mouseMove(int x, int y, bool leftHeld, bool rightHeld) {
    if (!ignoringInput()) station.mouseMove(x, y, leftHeld, rightHeld);
}

void Fmain::mouseUp(int x, int y, int button, bool leftHeld) {
    if (!ignoringInput()) station.mouseUp(x, y, button, leftHeld);
}

void Fmain::paint() { station.paintPanel(); }

void Fmain::closeQuery() { closeRequested = true; }

}  // namespace brio
