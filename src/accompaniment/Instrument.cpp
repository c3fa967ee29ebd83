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

int64_t Instrument::keyOffset() const {
    int64_t offset = melodicKeyOffset;
    if (followsMasterKeyShift) offset = masterKeyShift;
    else if (channel == drumChannel) offset = 0;
    return offset + transpose;
}

int Instrument::mappedKey(int key) const { return limitKey(int64_t(key) + keyOffset()); }

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

namespace {

bool knownKey(int32_t key) { return key >= -Instrument::keyRange && key <= Instrument::keyRange; }

}  // namespace

void Instrument::indexSoundingNotes() {
    for (size_t j = 0; j < notes.size(); ++j) {
        const Note& other = notes[j];
        if (!other.sounding || other.ended || other.channel != channel || !knownKey(other.key)) continue;
        int32_t& at = soundingAtKey[size_t(other.key + keyRange)];
        if (at < 0) at = int32_t(j);  // the first in the list, should a key sound twice
    }
    soundingIndexed = true;
}

void Instrument::forgetSoundingNotes() {
    for (const Note& note : notes) {
        if (knownKey(note.key)) soundingAtKey[size_t(note.key + keyRange)] = -1;
    }
    soundingIndexed = false;
}

int32_t Instrument::soundingTwin(const Note& note) {
    if (note.channel == channel && knownKey(note.key)) {
        if (!soundingIndexed) indexSoundingNotes();
        return soundingAtKey[size_t(note.key + keyRange)];
    }
    // A note of another channel or beyond the key range: looked for one by one.
    for (size_t j = 0; j < notes.size(); ++j) {
        const Note& other = notes[j];
        if (other.sounding && !other.ended && other.key == note.key && other.channel == note.channel) return int32_t(j);
    }
    return -1;
}

bool Instrument::endSoundingTwin(const Note& note) {
    const int32_t twin = soundingTwin(note);
    if (twin < 0) return false;
    Note& other = notes[size_t(twin)];
    sendNoteOff(other);
    other.ended = true;
    return true;
}

// One walk over the notes in their order: due notes start (a key never sounds twice on one
// channel: the note sounding on it ends first), notes whose time is up end; ended notes are
// dropped at the end, keeping the order of the rest. The messages go out in the same order as
// when every note was taken from the list the moment it ended.
void Instrument::service() {
    const uint32_t now = systemClock().milliseconds();
    bool anyEnded = false;
    const size_t count = notes.size();
    for (size_t i = 0; i < count; ++i) {
        Note& note = notes[i];
        if (!note.sounding) {
            if (!isDue(note.start, now)) continue;
            if (endSoundingTwin(note)) anyEnded = true;
            MidiOut::noteOn(note.key, note.velocity, note.channel);
            note.sounding = true;
            if (soundingIndexed && note.channel == channel && knownKey(note.key))
                soundingAtKey[size_t(note.key + keyRange)] = int32_t(i);
        }
        // Ended notes are sounding ones that a twin ended earlier in this pass.
        if (note.held || note.ended || !isDue(note.end, now)) continue;
        sendNoteOff(note);
        note.ended = true;
        anyEnded = true;
        if (soundingIndexed && note.channel == channel && knownKey(note.key) &&
            soundingAtKey[size_t(note.key + keyRange)] == int32_t(i))
            soundingAtKey[size_t(note.key + keyRange)] = -1;
    }
    if (soundingIndexed) forgetSoundingNotes();
    if (anyEnded) notes.erase(std::remove_if(notes.begin(), notes.end(), [](const Note& n) { return n.ended; }), notes.end());
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
