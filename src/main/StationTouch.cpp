// Playing on a touch screen: every finger holds a key of its own, at the velocity of the place
// it touched; a finger beside the keys works the panel as the left button does.
#include <algorithm>

#include "graphics/WindowHost.h"
#include "main/MidiSynth.h"

namespace brio {

MidiSynth::Finger* MidiSynth::findFinger(int64_t id) {
    for (Finger& finger : fingers) {
        if (finger.used && finger.id == id) return &finger;
    }
    return nullptr;
}

void MidiSynth::touchDown(int64_t id, int x, int y) {
    if (findFinger(id)) touchUp(id, x, y);  // its lift never came
    auto free = std::find_if(fingers.begin(), fingers.end(), [](const Finger& f) { return !f.used; });
    if (free == fingers.end()) return;  // more fingers than the hand has: the extra ones play nothing
    Finger& finger = *free;
    finger = Finger{id, -1, true, false};
    const int key = panel.piano.keyAt(x - panel.keyboardLeft, y - panel.keyboardTop);
    if (key >= 0) {
        finger.key = key;
        strike(key, heldByTouch, panel.piano.velocityAt(key, y - panel.keyboardTop), panel.piano.isDown(key));
        return;
    }
    // One finger at a time stands for the mouse; further ones beside the keys do nothing.
    const bool pointerTaken = std::any_of(fingers.begin(), fingers.end(), [](const Finger& f) { return f.pointer; });
    if (pointerTaken) return;
    finger.pointer = true;
    mouseDown(x, y, leftButton);
}

void MidiSynth::touchMove(int64_t id, int x, int y) {
    Finger* finger = findFinger(id);
    if (!finger) return;
    if (finger->pointer) return mouseMove(x, y, true, false);
    const int key = panel.piano.keyAt(x - panel.keyboardLeft, y - panel.keyboardTop);
    if (key == finger->key) return;
    liftFingerKey(*finger);
    if (key < 0) return;  // off the keys: the next key it slides onto plays
    finger->key = key;
    strike(key, heldByTouch, panel.piano.velocityAt(key, y - panel.keyboardTop), false);
}

void MidiSynth::touchUp(int64_t id, int x, int y) {
    Finger* finger = findFinger(id);
    if (!finger) return;
    if (finger->pointer) {
        finger->pointer = false;
        mouseUp(x, y, leftButton, false);
    }
    liftFingerKey(*finger);
    *finger = Finger{};
}

void MidiSynth::liftFingerKey(Finger& finger) {
    const int key = finger.key;
    finger.key = -1;
    if (key < 0) return;
    const bool stillHeld = std::any_of(fingers.begin(), fingers.end(), [key](const Finger& f) { return f.key == key; });
    if (!stillHeld) letGo(key, heldByTouch);
}

void MidiSynth::releaseFingers() {
    for (Finger& finger : fingers) {
        if (finger.used) touchUp(finger.id, -1, -1);
    }
}

}  // namespace brio
