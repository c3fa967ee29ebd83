#pragma once

#include <cstdint>
#include <vector>

#include "accompaniment/Note.h"
#include "foundation/TextStream.h"

namespace brio {

// Transposition of the keyboard instruments in semitones, 0..48; 24 means no shift.
inline int32_t masterKeyShift = 24;

// One sound source: a MIDI channel with its program, levels and transposition, and the timed
// notes it starts and ends itself when serviced.
class Instrument : public TextStream {
public:
    static constexpr int drumChannel = 9;
    static constexpr int untilReleased = -1;  // length of a note that lasts until released
    static constexpr int melodicKeyOffset = 24;
    static constexpr int keyRange = 1000;  // mapped keys lie in -keyRange..keyRange, or are -1

    explicit Instrument(int channel = 0);

    // Inactive, program 0 (sent), volume 1, pan 0.5, no transposition, no master shift.
    void reset();
    // Sends the program change and drops every note that has not started yet.
    void setProgram(int newProgram);
    // Controller 7 with trunc(level x volume x 127.5).
    void sendVolume(double level);
    // Schedules a note now, lasting `lengthInSteps` steps (untilReleased: until released).
    // What a key gains on its way to the MIDI note: the octave offset and the transposition.
    int64_t keyOffset() const;
    void playTimed(int key, int velocity, double lengthInSteps);
    void press(int key, int velocity);
    void release(int key);
    // Sends the note-off of every note, pending or sounding, and forgets them all.
    void cutAll();
    // Starts the notes that are due and ends those whose time is up.
    void service();
    // Milliseconds from `now` until a note is due to start or end (0 when one is overdue);
    // `limit` when none is, or later.
    uint32_t msUntilDue(uint32_t now, uint32_t limit) const;
    // The MIDI key that piano key `key` sounds on this instrument.
    int mappedKey(int key) const;

    void exchange() override;

    std::vector<Note> notes;  // reserved once, so servicing never allocates in steady state
    int32_t channel;
    bool active = false;
    int32_t program = 0;      // General MIDI program 0..127
    double volume = 1.0;      // own level 0..1
    double pan = 0.5;         // 0 left .. 1 right
    int32_t transpose = 0;    // semitones
    bool followsMasterKeyShift = false;
    bool sustain = false;     // as last sent on controller 64

private:
    static constexpr size_t reservedNotes = 128;

    void sendNoteOff(const Note& note) const;
    // Ends the note already sounding on the same key and channel before `note` starts; true
    // when there was one.
    bool endSoundingTwin(const Note& note);
    // The index of the sounding note on `note`'s key and channel, or -1.
    int32_t soundingTwin(const Note& note);
    void indexSoundingNotes();
    void forgetSoundingNotes();

    // Index of the sounding note of each key during a service pass (-1: none); filled only
    // while a pass starts notes, so that a pass with nothing to start stays a single walk.
    std::vector<int32_t> soundingAtKey = std::vector<int32_t>(2 * keyRange + 1, -1);
    bool soundingIndexed = false;
};

}  // namespace brio
