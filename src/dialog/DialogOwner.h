#pragma once

namespace brio {

// What the dialog window needs from the station behind it.
class DialogOwner {
public:
    virtual ~DialogOwner() = default;
    // The option midiDevice changed: open that device and send every channel setting again.
    virtual void midiDeviceChanged() = 0;
    // The option midiInDevice changed: listen to that device instead.
    virtual void midiInputChanged() {}
    // The option colors or lcdColor changed: rebuild the panel in the new colours and repaint it.
    // The rebuild may point the draw surface at the panel; the dialog takes the surface back
    // and, when its page closes, leaves it as the rebuild left it.
    virtual void panelColorsChanged() = 0;
    // True once the main window has been asked to quit; an open page then closes.
    virtual bool quitRequested() const = 0;
};

}  // namespace brio
