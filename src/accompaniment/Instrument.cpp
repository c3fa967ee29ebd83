#include "accompaniment/Instrument.h"

#include <algorithm>
#include <cmath>

#include "accompaniment/Tempo.h"
#include "foundation/Clock.h"
#include "midi/MidiOut.h"

namespace brio {

namespace {

bool isDue(uint32_t when, uint32_t now) { return elapsedMs(when, now) >= 0; }

// Keys far outside the MIDI range are reported as -1, which the MIDI layer drops.
int limitKey(int64_t key) { return (key < -1000 || key > 1000) ? -1 : int(key); }

}  // namespace

Instrument::Instrument(int channel) : channel(channel) { notes.reserve(reservedNotes); }

void Instrument::reset() {
    active = false;
    setProgram(0);
    volume = 1.0;
    pan = 0.5;
    transpose = 0;
    followsMasterKeyShift = false;
    sustain = false;
}

void Instrument::setProgram(int newProgram) {
    program = newProgram;
    MidiOut::programChange(program, channel);
    std::erase_if(notes, [](const Note& note) { return !note.sounding; });
}

void Instrument::sendVolume(double level) { MidiOut::setVolume(midiValue(level * volume), channel); }

int Instrument::mappedKey(int key) const {
    int64_t offset = melodicKeyOffset;
    if (followsMasterKeyShift) offset = masterKeyShift;
    else if (channel == drumChannel) offset = 0;
    return limitKey(int64_t(key) + transpose + offset);
}

void Instrument::playTimed(int key, int velocity, double lengthInSteps) {
    if (!active) return;
    const uint32_t now = systemClock().milliseconds();
    Note note{mappedKey(key), velocity, channel, now, now, lengthInSteps == untilReleased, false};
    if (!note.held) {
        const double length = std::clamp(lengthInSteps, -1e6, 1e6);  // NaN stays NaN: no time
        const double end = double(now) + stepLengthMs() * (std::isnan(length) ? 0.0 : length);
        note.end = uint32_t(int64_t(end));
    }
    notes.push_back(note);
}

void Instrument::press(int key, int velocity) {
    if (!active) return;
    playTimed(key, velocity, untilReleased);
    service();
}

void Instrument::release(int key) {
    if (!active) return;
    const int mapped = mappedKey(key);
    const uint32_t now = systemClock().milliseconds();
    for (Note& note : notes) {
        if (note.key == mapped && note.held) {
            note.held = false;
            note.end = now;
        }
    }
    service();
}

void Instrument::cutAll() {
    for (const Note& note : notes) sendNoteOff(note);
    notes.clear();
}

void Instrument::sendNoteOff(const Note& note) const { MidiOut::noteOn(note.key, 0, note.channel); }

bool Instrument::endSoundingTwin(const Note& note) {
    for (size_t i = 0; i < notes.size(); ++i) {
        const Note& other = notes[i];
        if (other.sounding && other.key == note.key && other.channel == note.channel) {
            sendNoteOff(other);
            notes.erase(notes.begin() + std::ptrdiff_t(i));
            return true;
        }
    }
    return false;
}

void Instrument::service() {
    const uint32_t now = systemClock().milliseconds();
    size_t i = 0;
    while (i < notes.size()) {
        Note& note = notes[i];
        if (!note.sounding && isDue(note.start, now)) {
            // A key never sounds twice on one channel: the old note ends first.
            if (endSoundingTwin(note)) {
                i = 0;
                continue;
            }
            MidiOut::noteOn(note.key, note.velocity, note.channel);
            note.sounding = true;
        }
        if (note.sounding && !note.held && isDue(note.end, now)) {
            sendNoteOff(note);
            notes.erase(notes.begin() + std::ptrdiff_t(i));
            continue;  // the next note moved into this place
        }
        ++i;
    }
}

uint32_t Instrument::msUntilDue(uint32_t now, uint32_t limit) const {
    int64_t soonest = limit;
    for (const Note& note : notes) {
        if (!note.sounding) soonest = std::min<int64_t>(soonest, elapsedMs(now, note.start));
        else if (!note.held) soonest = std::min<int64_t>(soonest, elapsedMs(now, note.end));
    }
    return uint32_t(std::max<int64_t>(soonest, 0));
}

void Instrument::exchange() {
    exchangeBool("active", active);
    exchangeInt("program", program);
    exchangeReal("volume", volume);
    exchangeReal("pan", pan);
    exchangeInt("transpose", transpose);
    if (!writing) setProgram(program);
}

}  // namespace brio
