#pragma once

#include "dialog/DialogOwner.h"
#include "dialog/ListChooser.h"
#include "main/CommandWindows.h"
#include "programmer/PopupMenu.h"
#include "selector/SelectorListener.h"

namespace brio {

class Fdialog;
class Fmain;
class Fprogrammer;
class Fselector;
class MidiSynth;
class MidiSynthCore;

// The selector popup as the station's menus and pickers use it; choices go to the station's
// dispatcher and keys typed meanwhile to the main window, so the piano keeps playing.
class SelectorCommandPopup : public CommandPopup, public SelectorListener {
public:
    SelectorCommandPopup(Fselector& selector, MidiSynth& station, Fmain& fmain);
    void open(const Request& request) override;
    void close() override;
    bool isOpen() const override;
    int openCommand() const override;
    bool needsTimer() const override;
    void timer() override;
    void pick(int commandKey, int index) override;
    void keyDown(int virtualKey) override;
    void keyUp(int virtualKey) override;

private:
    Fselector& selector;
    MidiSynth& station;
    Fmain& fmain;
};

// The selector popup as the dialog's list chooser (modal, nothing marked as current).
class SelectorListChooser : public ListChooser {
public:
    explicit SelectorListChooser(Fselector& selector) : selector(selector) {}
    int choose(const Text_& items, int x, int y, Color colour) override;
    bool isOpen() const override;
    void close() override;

private:
    Fselector& selector;
};

// The selector popup as the style programmer's menu of pattern operations (modal, menu style).
class SelectorPopupMenu : public PopupMenu {
public:
    explicit SelectorPopupMenu(Fselector& selector) : selector(selector) {}
    int choose(const Text_& items, int x, int y) override;
    void close() override;

private:
    Fselector& selector;
};

// What a change on the Options page does to the station.
class StationDialogOwner : public DialogOwner {
public:
    StationDialogOwner(MidiSynth& station, Fmain& fmain) : station(station), fmain(fmain) {}
    void midiDeviceChanged() override;
    void midiInputChanged() override;
    void soundFontChosen(const std::string& option) override;
    void pagePass() override;
    uint32_t busyPass() override;
    void panelColorsChanged() override;
    bool quitRequested() const override;

private:
    MidiSynth& station;
    Fmain& fmain;
};

// The dialog window's pages and the style programmer as the station's commands open them; the
// programmer opens on `station`.
class WindowPages : public DialogPages, public StyleEditorWindow {
public:
    WindowPages(Fdialog& dialog, Fprogrammer& programmer, MidiSynthCore& station)
        : dialog(dialog), programmer(programmer), station(station) {}
    void showOptions() override;
    void showAbout() override;
    void showHotKeys() override;
    void showProgress(const std::string& text, ProgressWatch watch) override;
    void open() override;

private:
    Fdialog& dialog;
    Fprogrammer& programmer;
    MidiSynthCore& station;
};

}  // namespace brio
