#include "graphics/ScControls.h"

#include "graphics/DrawSurface.h"

namespace brio {

ScButton& ScControls::addButton(int x, int y, int width, int height, std::string_view caption) {
    buttons.append(ScButton());
    ScButton& button = buttons.get(buttons.last);
    button.buildPlain(x, y, width, height, caption);
    return button;
}

ScButton& ScControls::addToggle(int x, int y, int width, int height, std::string_view caption,
                                bool* target) {
    buttons.append(ScButton());
    ScButton& button = buttons.get(buttons.last);
    button.buildToggle(x, y, width, height, caption, target);
    return button;
}

ScButton& ScControls::addRadio(int x, int y, int width, int height, std::string_view caption,
                               int32_t* target, int32_t value) {
    buttons.append(ScButton());
    ScButton& button = buttons.get(buttons.last);
    button.buildRadio(x, y, width, height, caption, target, value);
    return button;
}

ScSwitch& ScControls::addSwitch(int x, int y, int width, std::string_view caption, bool* target) {
    switches.append(ScSwitch());
    ScSwitch& widget = switches.get(switches.last);
    widget.build(x, y, width, caption, target);
    return widget;
}

ScFader& ScControls::addFader(int x, int y, int travel, std::string_view caption, double* value,
                              int tickCount) {
    faders.append(ScFader());
    ScFader& fader = faders.get(faders.last);
    fader.build(x, y, travel, caption, value, tickCount);
    return fader;
}

void ScControls::clear() {
    buttons.clear();
    switches.clear();
    faders.clear();
}

void ScControls::paintAll() {
    if (!drawSurface().enabled) return;
    for (ScButton& button : buttons) button.paint();
    for (ScSwitch& widget : switches) widget.paint();
    for (ScFader& fader : faders) fader.paint();
}

void ScControls::paintBound(const void* address) {
    if (!drawSurface().enabled || !address) return;
    for (ScButton& button : buttons)
        if (button.toggleTarget == address || button.radioTarget == address) button.paint();
    for (ScSwitch& widget : switches)
        if (widget.target == address) widget.paint();
    for (ScFader& fader : faders)
        if (fader.value == address) fader.paint();
}

const void* ScControls::mouseInput(int x, int y, bool pressed) {
    if (!pressed) {
        for (ScFader& fader : faders)
            if (fader.input(x, y, false)) return fader.value;
        return nullptr;
    }
    captureFader() = nullptr;
    for (ScButton& button : buttons) {
        if (!button.press(x, y)) continue;
        if (!button.radioTarget) return button.toggleTarget;
        // The old selection goes dark: every other button of the same radio group is repainted.
        for (ScButton& sibling : buttons)
            if (&sibling != &button && sibling.radioTarget == button.radioTarget) sibling.paint();
        return button.radioTarget;
    }
    for (ScSwitch& widget : switches)
        if (widget.press(x, y)) return widget.target;
    for (ScFader& fader : faders)
        if (fader.input(x, y, true)) return fader.value;
    return nullptr;
}

int ScControls::buttonAt(int x, int y) const {
    for (int i = 0; i < buttons.count(); ++i)
        if (buttons.getConst(i).takesPress(x, y)) return i;
    return -1;
}

void ScControls::releaseButtons() {
    for (ScButton& button : buttons) {
        if (!button.pressed) continue;
        button.pressed = false;
        button.paint();
    }
}

}  // namespace brio
