#pragma once

#include <cstdint>
#include <string>

namespace brio {

// What the dialog window needs from the station behind it.
class DialogOwner {
public:
    virtual ~DialogOwner() = default;
    // The option midiDevice changed: open that device and send every channel setting again.
    virtual void midiDeviceChanged() = 0;
    // The option midiInDevice changed: listen to that device instead.
    virtual void midiInputChanged() {}
    // The user chose the built-in synthesizer's SoundFont: `option` is the value for the option
    // soundFont, a path or "" for the best installed set. The owner loads it (and sets the
    // option) or tells why not.
    virtual void soundFontChosen(const std::string& /*option*/) {}
    // Runs on each pass of an open page's loop: the owner tells what has come of a choice
    // since (a SoundFont that ended loading).
    virtual void pagePass() {}
    // Runs on each pass while a progress page shows, which waits on work of another thread:
    // the owner plays on. Returns the longest the page may sleep before the next pass, in ms.
    virtual uint32_t busyPass() { return 20; }
    // The option colors or lcdColor changed: rebuild the panel in the new colours and repaint it.
    // The rebuild may point the draw surface at the panel; the dialog takes the surface back
    // and, when its page closes, leaves it as the rebuild left it.
    virtual void panelColorsChanged() = 0;
    // True once the main window has been asked to quit; an open page then closes.
    virtual bool quitRequested() const = 0;
};

}  // namespace brio
