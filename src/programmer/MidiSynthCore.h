#pragma once

namespace brio {

// The station as the style programmer sees it: it can only ask for a style to be applied.
class MidiSynthCore {
public:
    virtual ~MidiSynthCore() = default;
    // Applies style `styleIndex` (0..99, or -1 for the current one); with `applyTempo` the
    // style's tempo and shuffle are taken too.
    virtual void selectStyle(int styleIndex, bool applyTempo) = 0;
};

}  // namespace brio
