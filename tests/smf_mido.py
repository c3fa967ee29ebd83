#!/usr/bin/python3
"""Checks the program's Standard MIDI Files against an independent reader and writer, mido.

  smf_mido.py dump FILE      prints "type T tracks N division D", then per track "track I"
                             and each event as "TICK channel BYTES..." or "TICK meta TYPE [VALUE]"
                             with its tick counted from the track's start
  smf_mido.py write FOLDER   writes files made by mido into FOLDER and prints, for each,
                             "file NAME" and then its channel messages as the program must read
                             them: "MS STATUS DATA1 DATA2", merged across tracks by time
"""
import math
import os
import sys
from fractions import Fraction

try:
    import mido
except ImportError:
    sys.exit("smf_mido.py: python3-mido is missing (scripts/setup.sh installs it)")

DEFAULT_TEMPO = 500000


def dump(path):
    midi = mido.MidiFile(path)
    print(f"type {midi.type} tracks {len(midi.tracks)} division {midi.ticks_per_beat}")
    for index, track in enumerate(midi.tracks):
        print(f"track {index}")
        tick = 0
        for message in track:
            tick += message.time
            if not message.is_meta:
                print(tick, "channel", *message.bytes())
            elif message.type == "set_tempo":
                print(tick, "meta set_tempo", message.tempo)
            elif message.type == "track_name":
                print(tick, "meta track_name", message.name)
            else:
                print(tick, "meta", message.type)


def absolute(midi, wanted):
    """(tick, track, position, message) of the messages `wanted` accepts, in time order;
    equal ticks keep track order, then file order."""
    found = []
    for number, track in enumerate(midi.tracks):
        tick = 0
        for position, message in enumerate(track):
            tick += message.time
            if wanted(message):
                found.append((tick, number, position, message))
    found.sort(key=lambda item: item[:3])
    return found


def milliseconds(tick, tempos, division):
    """Exact microseconds through the tempo map, rounded to the nearest millisecond (half up)."""
    micros, last, tempo = Fraction(0), 0, DEFAULT_TEMPO
    for change_tick, _, _, change in tempos:
        if change_tick > tick:
            break
        micros += Fraction((change_tick - last) * tempo, division)
        last, tempo = change_tick, change.tempo
    micros += Fraction((tick - last) * tempo, division)
    return math.floor(micros / 1000 + Fraction(1, 2))


def expected(midi):
    tempos = absolute(midi, lambda m: m.type == "set_tempo")
    lines = []
    for tick, _, _, message in absolute(midi, lambda m: not m.is_meta and m.type != "sysex"):
        data = message.bytes() + [0, 0]
        if data[0] & 0xF0 == 0x90 and len(message.bytes()) == 3 and data[2] == 0:
            data[0] = 0x80 | (data[0] & 0x0F)  # a note-on with velocity 0 reads as a note-off
        lines.append(f"{milliseconds(tick, tempos, midi.ticks_per_beat)} {data[0]} {data[1]} {data[2]}")
    return lines


def track(*messages):
    return mido.MidiTrack(messages)


def note(kind, channel, note, velocity, time):
    return mido.Message(kind, channel=channel, note=note, velocity=velocity, time=time)


def tempo(value, time):
    return mido.MetaMessage("set_tempo", tempo=value, time=time)


def one_track_file():
    """Type 0, every kind of channel message, four tempo changes, fractional milliseconds."""
    midi = mido.MidiFile(type=0, ticks_per_beat=480)
    midi.tracks.append(track(
        mido.MetaMessage("track_name", name="mido", time=0),
        note("note_on", 0, 60, 100, 0),
        mido.Message("program_change", channel=1, program=40, time=0),
        tempo(250000, 480),
        note("note_on", 0, 60, 0, 0),
        mido.Message("control_change", channel=2, control=7, value=90, time=100),
        mido.Message("sysex", data=[0x7E, 0x7F, 0x09, 0x01], time=7),
        mido.Message("pitchwheel", channel=3, pitch=-8192, time=13),
        tempo(333333, 1),
        mido.Message("aftertouch", channel=4, value=33, time=479),
        mido.Message("polytouch", channel=5, note=61, value=44, time=1),
        tempo(1234567, 0),
        note("note_off", 15, 127, 127, 960),
        mido.MetaMessage("text", text="end", time=3),
        tempo(7, 2),
        note("note_on", 9, 36, 1, 1000),
    ))
    return midi


def three_track_file():
    """Type 1: a tempo track, then two tracks with messages at equal ticks and a tempo change
    of their own."""
    midi = mido.MidiFile(type=1, ticks_per_beat=96)
    midi.tracks.append(track(tempo(600000, 0), tempo(400000, 192), tempo(1000000, 192)))
    midi.tracks.append(track(
        note("note_on", 0, 60, 100, 0), note("note_off", 0, 60, 0, 192),
        note("note_on", 0, 62, 100, 0), note("note_on", 0, 62, 0, 192),
        note("note_on", 0, 64, 100, 100), note("note_on", 0, 64, 0, 50),
    ))
    midi.tracks.append(track(
        note("note_on", 9, 36, 100, 0), note("note_on", 9, 36, 0, 192),
        tempo(250000, 200), note("note_on", 9, 38, 100, 1), note("note_on", 9, 38, 0, 333),
    ))
    return midi


def write(folder):
    for name, midi in (("one-track.mid", one_track_file()), ("three-tracks.mid", three_track_file())):
        path = os.path.join(folder, name)
        midi.save(path)
        print("file", name)
        for line in expected(mido.MidiFile(path)):
            print(line)


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("dump", "write"):
        sys.exit(__doc__)
    dump(sys.argv[2]) if sys.argv[1] == "dump" else write(sys.argv[2])
