// The output device: opening the one of the options, and what happens when it fails.
#include <cstdio>

#include "foundation/AppIdentity.h"
#include "foundation/Text.h"
#include "graphics/UserDialogs.h"
#include "main/MidiSynth.h"
#include "midi/MidiBackend.h"
#include "midi/MidiIn.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"

namespace brio {

void MidiSynth::openMidiDevice(bool reapply) {
    Text_ devices;
    MidiOut::listDevices(devices);
    int device = options.midiDevice;
    if (device < 0 || device >= devices.count()) device = MidiBackend::mapperDevice;
    // A workspace or the end of a playback opens the same device again: it stays the user's.
    if (reapply) deviceChosenByUser = true;
    const bool opened = MidiOut::open(device);
    glideSent = {};  // opening resets the device's controllers
    if (!opened) {
        reportDeviceFault("could not be opened", "could not be opened");
        return;
    }
    // A device that failed is told again only once the user picked it again: one that fails
    // anew each time a workspace opens it says nothing new.
    if (reapply || MidiOut::deviceName() != silentDevice) silentDevice.clear();
    // Panel drawing is held back here once the panel has widgets.
    if (reapply) applyAll(false, false);
}

void MidiSynth::chooseSoundFont(const std::string& option) {
    const SoundFontCheck check = MidiOut::chooseSoundFont(option);
    if (check.refused()) {
        releaseAll();
        userDialogs().showNotice(soundFontMessage(check));
        return;
    }
    soundFontBeforeChoice = options.soundFont;
    options.soundFont = option;
    glideSent = {};  // the new set starts with its controllers reset
    applyAll(false, false);
}

void MidiSynth::watchSoundFont() {
    const std::optional<SoundFontCheck> outcome = MidiOut::soundFontOutcome();
    if (!outcome) return;
    if (outcome->refused()) options.soundFont = soundFontBeforeChoice;
    const std::string message = soundFontMessage(*outcome);
    if (message.empty()) return;
    releaseAll();
    userDialogs().showNotice(message);
}

void MidiSynth::watchMidiDevice() {
    watchSoundFont();
    const std::string why = MidiOut::watch();
    if (!why.empty()) reportDeviceFault("stopped working (" + why + ")", "stopped working");
    // A keyboard unplugged while keys are down never sends their releases.
    const std::string gone = MidiIn::watch();
    if (gone.empty()) return;
    releaseInputNotes();
    std::fprintf(stderr, "%s: the MIDI input device \"%s\" went away; the notes it held were let go.\n",
                 applicationTitle, gone.c_str());
}

void MidiSynth::reportDeviceFault(const std::string& problem, const std::string& briefly) {
    const std::string& name = MidiOut::deviceName();
    // Told once: the same device failing again on the next workspace says nothing new.
    if (name == silentDevice && !deviceChosenByUser) return;
    const bool firstTime = name != silentDevice;
    silentDevice = name;
    if (firstTime) {
        std::fprintf(stderr, "%s: the MIDI device \"%s\" %s; playing silent until a device is chosen in Options.\n",
                     applicationTitle, name.c_str(), problem.c_str());
    }
    if (!deviceChosenByUser) return;
    deviceChosenByUser = false;  // the notice is shown once; a new choice asks for it again
    releaseAll();
    userDialogs().showNotice("     The MIDI device \"" + name + "\" " + briefly + ".     ");
}

}  // namespace brio
