#pragma once

namespace brio {

// What the selector popup tells its owner (the station).
class SelectorListener {
public:
    virtual ~SelectorListener() = default;
    // The popup closed with entry `index` (0-based) chosen; `commandKey` is the key the opener
    // set. Not called when nothing was chosen or the popup had no command key.
    virtual void pick(int commandKey, int index) = 0;
    // Keys pressed and released while the popup has the focus, so the piano keeps playing.
    // Escape presses close the popup and are not passed on; every release is.
    virtual void keyDown(int virtualKey) = 0;
    virtual void keyUp(int virtualKey) = 0;
};

}  // namespace brio
