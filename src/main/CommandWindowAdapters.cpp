#include "main/CommandWindowAdapters.h"

#include <utility>

#include "dialog/Fdialog.h"
#include "foundation/Clock.h"
#include "main/Fmain.h"
#include "main/MidiSynth.h"
#include "programmer/Fprogrammer.h"
#include "selector/Fselector.h"

namespace brio {

SelectorCommandPopup::SelectorCommandPopup(Fselector& selector, MidiSynth& station, Fmain& fmain)
    : selector(selector), station(station), fmain(fmain) {
    selector.setListener(this);
}

void SelectorCommandPopup::open(const Request& request) {
    SelectorConfig& config = selector.config;
    config.reset();
    config.items = request.items;
    config.commandKey = request.commandKey;
    config.current = request.current;
    config.rowsPerColumn = request.rowsPerColumn;
    config.band = request.band;
    config.menuStyle = request.menuStyle;
    config.position = Point{request.x, request.y};
    config.positionSet = request.positionSet;
    config.centred = request.centred;
    if (request.colour >= 0) config.colour = request.colour;
    selector.show();
}

void SelectorCommandPopup::close() { selector.close(); }
bool SelectorCommandPopup::isOpen() const { return selector.isOpen(); }
int SelectorCommandPopup::openCommand() const { return selector.openCommandKey(); }
bool SelectorCommandPopup::needsTimer() const { return selector.needsTimer(); }
void SelectorCommandPopup::timer() { selector.timerTimer(); }
void SelectorCommandPopup::pick(int commandKey, int index) { station.pick(commandKey, index); }
void SelectorCommandPopup::keyDown(int virtualKey) { fmain.keyDown(virtualKey); }
void SelectorCommandPopup::keyUp(int virtualKey) { fmain.keyUp(virtualKey); }

int SelectorListChooser::choose(const Text_& items, int x, int y, Color colour) {
    return selector.openModal(items, -1, x, y, colour);
}
bool SelectorListChooser::isOpen() const { return selector.isOpen(); }
void SelectorListChooser::close() { selector.close(); }

int SelectorPopupMenu::choose(const Text_& items, int x, int y) {
    SelectorConfig menu;
    menu.items = items;
    menu.menuStyle = true;
    menu.position = Point{x, y};
    menu.positionSet = true;
    return selector.openModal(menu);
}

void SelectorPopupMenu::close() { selector.close(); }

// The page holds the draw surface; the station's refreshes after reopening belong on its panel
// (the page takes the surface back afterwards).
void StationDialogOwner::midiDeviceChanged() {
    station.drawOnPanel();
    station.openMidiDevice(true);
}
void StationDialogOwner::midiInputChanged() { station.openMidiInput(); }
void StationDialogOwner::soundFontChosen(const std::string& option) {
    station.drawOnPanel();
    station.chooseSoundFont(option);
}
void StationDialogOwner::pagePass() { station.watchSoundFont(); }
// The accompaniment and the MIDI input play on while the page waits, at their own times.
uint32_t StationDialogOwner::busyPass() {
    station.tick(true);
    return station.msUntilDue(systemClock().milliseconds(), 20);
}
void StationDialogOwner::panelColorsChanged() { station.buildPanel(); }
bool StationDialogOwner::quitRequested() const { return station.quitRequested || fmain.quitFlag(); }

void WindowPages::showOptions() { dialog.showOptions(); }
void WindowPages::showAbout() { dialog.showAbout(); }
void WindowPages::showHotKeys() { dialog.showHotKeys(); }
void WindowPages::showProgress(const std::string& text, ProgressWatch watch) {
    dialog.showProgress(text, std::move(watch));
}
void WindowPages::open() { programmer.open(station); }

}  // namespace brio
