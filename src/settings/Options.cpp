#include "settings/Options.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "foundation/TextUtils.h"
#include "midi/MidiIn.h"
#include "midi/MidiOut.h"

namespace brio {

namespace {

void fill(Text_& list, std::initializer_list<const char*> names) {
    list.clear();
    for (const char* name : names) list.append(name);
}

}  // namespace

Options::Options(int screenWidth) : path(resolvePath(fileName)) {
    buildLists();
    setDefaults();
    // A file that was read only in part must not leave a mix of its values and defaults.
    if (!loadFile(path, rootName)) setDefaults();
    clampValues();
    if (largeView && screenWidth > 0 && screenWidth < largeViewMinWidth) largeView = false;
}

Options::~Options() { save(); }

bool Options::save() {
    if (saveFile(path, rootName)) return true;
    std::fprintf(stderr, "Brioletta: the options could not be saved to %s; the file was left as it was.\n",
                 path.c_str());
    return false;
}

void Options::buildLists() {
    Text_ devices;
    MidiOut::listDevices(devices);
    fill(midiDevices, {"Midi Mapper"});
    midiDevices.appendAll(devices);
    MidiIn::listDevices(devices);
    fill(midiInDevices, {"None"});
    midiInDevices.appendAll(devices);
    fill(colorSchemes, {"Brio Blue", "Sand", "Gray", "Dark", "Cool", "Indigo", "Armor"});
    fill(lcdColors, {"Brio Orange", "Blue", "Green"});
    fill(scales, {"Desktop", "100 %", "200 %", "300 %"});
    velocityCurves.clear();
    for (int c = 0; c < velocityCurveCount; ++c) velocityCurves.append(velocityCurveName(VelocityCurve(c)));
    soundFontSets = MidiOut::soundFontSets();
}

void Options::setDefaults() {
    wavStereo = 1;
    wav16bit = 1;
    wavFreq = 0;
    midiDevice = -2;
    warnStationDelete = false;
    warnRecDelete = false;
    autoStopBass = false;
    autoStopArps = false;
    keyStartOnlyFromBass = false;
    alwaysResetTempo = true;
    keyHighlight = false;
    colors = 0;
    lcdColor = 0;
    largeView = true;
    windowBorder = false;
    showKeyAssignment = false;
    dragPlay = true;
    soundFont.clear();
    midiInDevice = -1;
    chordMode = ChordMode::fingered;  // one key still plays major
    bassOnLowestKey = false;
    realtime = true;
    velocityByMouse = false;
    keyboardVelocity = 100;
    inputVelocityCurve = int32_t(VelocityCurve::linear);
    scale = 0;
}

void Options::exchange() {
    exchangeInt("wavStereo", wavStereo);
    exchangeInt("wav16bit", wav16bit);
    exchangeInt("wavFreq", wavFreq);
    exchangeInt("midiDevice", midiDevice);
    exchangeBool("warnStationDelete", warnStationDelete);
    exchangeBool("warnRecDelete", warnRecDelete);
    exchangeBool("autoStopBass", autoStopBass);
    exchangeBool("autoStopArps", autoStopArps);
    exchangeBool("keyStartOnlyFromBass", keyStartOnlyFromBass);
    exchangeBool("alwaysResetTempo", alwaysResetTempo);
    exchangeBool("keyHighlight", keyHighlight);
    exchangeInt("colors", colors);
    exchangeInt("lcdColor", lcdColor);
    exchangeBool("largeView", largeView);
    exchangeBool("windowBorder", windowBorder);
    exchangeBool("showKeyAssignment", showKeyAssignment);
    exchangeBool("dragPlay", dragPlay);
    exchangeText("soundFont", soundFont);
    exchangeInt("midiInDevice", midiInDevice);
    exchangeChordMode();
    exchangeBool("bassOnLowestKey", bassOnLowestKey);
    exchangeBool("realtime", realtime);
    exchangeBool("velocityByMouse", velocityByMouse);
    exchangeInt("keyboardVelocity", keyboardVelocity);
    exchangeInt("inputVelocityCurve", inputVelocityCurve);
    exchangeInt("scale", scale);
}

void Options::clampValues() {
    keyboardVelocity = std::clamp(keyboardVelocity, int32_t(1), int32_t(127));
    scale = std::clamp(scale, int32_t(0), int32_t(3));
    if (inputVelocityCurve < 0 || inputVelocityCurve >= velocityCurveCount)
        inputVelocityCurve = int32_t(VelocityCurve::linear);
}

// chordMode, and fingeredChords for the versions before it: a file with only the older key reads
// as Fingered where it was true and Off where it was false.
void Options::exchangeChordMode() {
    int32_t mode = int32_t(chordMode);
    bool fingered = chordMode == ChordMode::fingered;
    const bool readMode = exchangeInt("chordMode", mode);
    const bool readFingered = exchangeBool("fingeredChords", fingered);
    if (readMode) {
        chordMode = ChordMode(std::clamp(mode, int32_t(ChordMode::off), int32_t(ChordMode::fingered)));
    } else if (readFingered) {
        chordMode = fingered ? ChordMode::fingered : ChordMode::off;
    }
}

std::string Options::savedSoundFont() {
    struct SoundFontOnly : TextStream {
        void exchange() override { exchangeText("soundFont", soundFont); }
        std::string soundFont;
    } file;
    file.loadFile(resolvePath(fileName), rootName);
    return file.soundFont;
}

std::string Options::largeViewRefusal() {
    return "Large view is only available for monitors with a horizontal resolution of " +
           formatInt(largeViewMinWidth) + " or higher.";
}

}  // namespace brio
