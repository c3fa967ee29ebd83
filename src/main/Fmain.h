#pragma once

#include <functional>
#include <memory>

#include "graphics/WindowHost.h"

namespace brio {

class Clock;
class MidiSynth;

// The main window: hands its keys and mouse to the station and runs the main loop.
class Fmain : public WindowEvents {
public:
    // The one-shot start timer that builds the panel and enters the main loop.
    static constexpr uint32_t startTimerMs = 100;

    Fmain(MidiSynth& station, WindowSystem& windows);
    ~Fmain() override;

    // Builds the panel and shows the window with it.
    void show();
    // The start timer: runs the main loop until the program ends.
    void timerTimer(Clock& clock);

    // Set when the system closes the window; ends the loop without questions.
    bool quitFlag() const { return closeRequested; }
    // While the dialog window shows a page, keys and mouse are ignored.
    void setDialogVisible(std::function<bool()> dialogVisible) { dialogShown = std::move(dialogVisible); }
    // What a press on the ignored window still does: it closes a popup the dialog opened.
    void setIgnoredPress(std::function<void()> pressed) { ignoredPress = std::move(pressed); }
    HostWindow& window() { return *host; }

    void keyDown(int virtualKey) override;
    void keyUp(int virtualKey) override;
    void mouseDown(int x, int y, int button) override;
    void mouseMove(int x, int y, bool leftHeld, bool rightHeld) override;
    void mouseUp(int x, int y, int button, bool leftHeld) override;
    bool takesTouch() const override { return true; }
    void touchDown(int64_t finger, int x, int y) override;
    void touchMove(int64_t finger, int x, int y) override;
    void touchUp(int64_t finger, int x, int y) override;
    void paint() override;
    void closeQuery() override;

private:
    bool ignoringInput() const { return dialogShown && dialogShown(); }
    void buildPanel();

    MidiSynth& station;
    WindowSystem& windows;
    std::unique_ptr<HostWindow> host;
    std::function<bool()> dialogShown;
    std::function<void()> ignoredPress;
    bool closeRequested = false;
    bool painted = false;
};

}  // namespace brio
