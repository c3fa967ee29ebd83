// Loads arbitrary bytes as the style library of a station built as the program builds it,
// then applies the first styles and plays a few bars of each with rhythm and bass on.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzStation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static brio::fuzz::Station program;
    brio::StyleLibrary& library = *program.library;
    library = brio::StyleLibrary(std::string());  // every record at its default
    if (!library.lines.setFromBytes(std::string(reinterpret_cast<const char*>(data), size), true) ||
        !library.loadFile("", brio::StyleLibrary::rootName))
        return 0;
    brio::MidiSynth& station = *program.station;
    station.rhythm = true;
    station.controlChanged(&station.rhythm);
    station.bass = true;
    station.controlChanged(&station.bass);
    for (int style = 0; style < 3; ++style) {
        station.selectStyle(style, true);
        for (int tick = 0; tick < 48; ++tick) {
            program.clock.advance(53);
            station.tick(true);
        }
    }
    station.rhythm = false;
    station.controlChanged(&station.rhythm);
    return 0;
}
