#!/usr/bin/env python3
"""Writes data/styles.cfg, the style library that ships with Brioletta.

Patterns 0..99 are the keyboard arpeggios, 100..399 the parts of the styles. Melodic keys are
written for the root 48: a part sounds pattern key + held bass key - 48 + 24 + its transposition,
so with the bass key C (piano key 12) and the usual transposition of +12 a pattern key sounds as
the MIDI note of the same number; the parts below are written that way. Bass lines are stored an
octave up and played without transposition (bass_part). Drum keys are General MIDI percussion
keys.

Rhythm strings, one character per step (spaces and "|" are only for reading):
  "X" accent, "x" normal, "o" soft, "g" ghost: a hit; "=" holds the previous hit one more step;
  "." rest.

Usage: make-styles.py [output file]   (default: data/styles.cfg beside this folder)
"""

import os
import struct
import sys

ROOT_SECTION = "Pelmora Base Styles"
VELOCITY = {"A": 127, "X": 118, "x": 100, "o": 78, "g": 50}
FIRST_PART_PATTERN = 100

# General MIDI percussion keys.
KICK, SIDE_STICK, SNARE, CLAP, E_SNARE = 36, 37, 38, 39, 40
LOW_FLOOR_TOM, CLOSED_HAT, HIGH_FLOOR_TOM, PEDAL_HAT, LOW_TOM = 41, 42, 43, 44, 45
OPEN_HAT, LOW_MID_TOM, HIGH_MID_TOM, CRASH, HIGH_TOM, RIDE = 46, 47, 48, 49, 50, 51
RIDE_BELL, TAMBOURINE, SPLASH, COWBELL, CRASH_2 = 53, 54, 55, 56, 57
HIGH_BONGO, LOW_BONGO, MUTE_CONGA, OPEN_CONGA, LOW_CONGA = 60, 61, 62, 63, 64
HIGH_TIMBALE, LOW_TIMBALE, HIGH_AGOGO, LOW_AGOGO, CABASA, MARACAS = 65, 66, 67, 68, 69, 70
SHORT_GUIRO, LONG_GUIRO, CLAVES, HIGH_WOODBLOCK, LOW_WOODBLOCK = 73, 74, 75, 76, 77
MUTE_TRIANGLE, OPEN_TRIANGLE = 80, 81

# General MIDI programs (0-based).
PIANO, BRIGHT_PIANO, HONKY_TONK, RHODES, DX_PIANO, CLAVINET = 0, 1, 3, 4, 5, 7
GLOCKENSPIEL, VIBES, MARIMBA = 9, 11, 12
DRAWBAR_ORGAN, PERC_ORGAN, ROCK_ORGAN, CHURCH_ORGAN, ACCORDION, BANDONEON = 16, 17, 18, 19, 21, 23
NYLON_GUITAR, STEEL_GUITAR, JAZZ_GUITAR, CLEAN_GUITAR, MUTED_GUITAR = 24, 25, 26, 27, 28
OVERDRIVE_GUITAR, DISTORTION_GUITAR = 29, 30
ACOUSTIC_BASS, FINGER_BASS, PICK_BASS, FRETLESS_BASS, SLAP_BASS = 32, 33, 34, 35, 36
SYNTH_BASS_1, SYNTH_BASS_2 = 38, 39
VIOLIN, PIZZICATO, HARP, STRINGS, SLOW_STRINGS, SYNTH_STRINGS, CHOIR = 40, 45, 46, 48, 49, 50, 52
TRUMPET, TUBA, FRENCH_HORN, BRASS, SYNTH_BRASS = 56, 58, 60, 61, 62
TENOR_SAX, CLARINET, FLUTE = 66, 71, 73
SQUARE_LEAD, SAW_LEAD, WARM_PAD, POLY_PAD, CHOIR_PAD, SWEEP_PAD = 80, 81, 89, 90, 91, 95
BANJO, FIDDLE, STEEL_DRUMS = 105, 110, 114


# --- Values as the program writes them ---------------------------------------------------------

def float32(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def format_real(value):
    """At most four significant digits, fixed by decade, trailing zeros dropped."""
    if value == 0:
        return "0"
    magnitude = float32(abs(value))
    for low, high, digits in ((100, 1000, 1), (10, 100, 2), (1, 10, 3), (0.1, 1, 4),
                              (0.009999999, 0.1, 5)):
        if float32(low) <= magnitude < float32(high):
            return f"{value:.{digits}f}".rstrip("0").rstrip(".")
    mantissa, exponent = f"{value:.3e}".split("e")
    mantissa = mantissa.rstrip("0").rstrip(".")
    sign = "-" if exponent.startswith("-") else "+"
    return f"{mantissa}e{sign}{int(exponent.lstrip('+-'))}"


# --- Patterns ----------------------------------------------------------------------------------

class Pattern:
    def __init__(self, name, length, notes):
        self.name = name
        self.length = length
        self.notes = notes  # (key, vel, pos, len)

    def lines(self, index):
        out = [f"<arp{index}>", f"name={self.name}", f"length={self.length}"]
        out += [f"{k};{v};{p};{format_real(n)}" for k, v, p, n in self.notes]
        out.append(f"</arp{index}>")
        return out


def clean(rhythm):
    return rhythm.replace(" ", "").replace("|", "")


def hits(rhythm, gate=1.0):
    """(pos, len, vel) of every hit of a rhythm string."""
    steps = clean(rhythm)
    found = []
    for pos, char in enumerate(steps):
        if char in VELOCITY:
            found.append([pos, 1, VELOCITY[char]])
        elif char == "=" and found:
            found[-1][1] += 1
        elif char not in ".=":
            raise ValueError(f"bad rhythm character {char!r} in {rhythm!r}")
    return [(p, n * gate, v) for p, n, v in found], len(steps)


def as_keys(keys):
    return keys if isinstance(keys, (tuple, list)) else (keys,)


def drums(name, rows):
    """rows: (percussion key, rhythm string) pairs of one length."""
    notes, length = [], None
    for key, rhythm in rows:
        found, row_length = hits(rhythm)
        if length not in (None, row_length):
            raise ValueError(f"{name}: rows of different length")
        length = row_length
        notes += [(key, vel, pos, 0.5) for pos, _, vel in found]
    notes.sort(key=lambda note: (note[2], note[0]))
    return Pattern(name, length, notes)


def phrase(name, groove, bar, fill=(), bars=4, crash="X"):
    """A drum phrase of `bars` bars of `bar` steps: the groove (one or more bars) repeated, the
    fill rows replacing the end of every row, and a crash (of that velocity character, or none)
    with the kick on the first step."""
    total = bars * bar
    rows = {}
    for key, rhythm in groove:
        steps = clean(rhythm)
        rows[key] = list(steps * (total // len(steps)))
    fill_length = len(clean(fill[0][1])) if fill else 0
    for key in rows:
        rows[key][total - fill_length:] = "." * fill_length
    for key, rhythm in fill:
        rows.setdefault(key, ["."] * total)
        rows[key][total - fill_length:] = clean(rhythm)
    if crash:
        for hat in (CLOSED_HAT, OPEN_HAT, RIDE):
            if hat in rows:
                rows[hat][0] = "."
        rows.setdefault(CRASH, ["."] * total)[0] = crash
        rows.setdefault(KICK, ["."] * total)[0] = "X" if crash in "AX" else "x"
    return drums(name, [(key, "".join(steps)) for key, steps in rows.items()])


def line(name, rhythm, keys, gate=0.92):
    """A melodic line: each hit of the rhythm takes the next entry of `keys` (a key or a chord)."""
    found, length = hits(rhythm, gate)
    if len(found) != len(keys):
        raise ValueError(f"{name}: {len(found)} hits but {len(keys)} keys")
    notes = []
    for (pos, dur, vel), chord in zip(found, keys):
        notes += [(key, vel, pos, round(dur, 2)) for key in as_keys(chord)]
    return Pattern(name, length, notes)


def comp(name, rhythm, voicing, gate=0.92):
    """Every hit of the rhythm plays the whole voicing."""
    found, _ = hits(rhythm, gate)
    return line(name, rhythm, [voicing] * len(found), gate)


def notes(name, length, events):
    """events: (pos, key or chord, len, vel)."""
    out = []
    for pos, chord, dur, vel in events:
        out += [(key, vel, pos, dur) for key in as_keys(chord)]
    return Pattern(name, length, out)


def steady(name, length, step, keys, dur, vel=96, accents=()):
    """One note every `step` steps, cycling through `keys`."""
    events = []
    for i, pos in enumerate(range(0, length, step)):
        events.append((pos, keys[i % len(keys)], dur, 112 if pos in accents else vel))
    return notes(name, length, events)


# --- Styles ------------------------------------------------------------------------------------

OFF, ON, SUS, LONG = 0, 1, 2, 3  # part modes


class Part:
    def __init__(self, pattern, program, volume, key=12, mode=ON):
        self.pattern, self.program, self.volume, self.key, self.mode = (
            pattern, program, volume, key, mode)


class Style:
    def __init__(self, name, bpm, rhythm, parts, drum_volume=90, steps_per_beat=4, shuffle=0.0):
        self.name, self.bpm, self.rhythm, self.parts = name, bpm, rhythm, parts
        self.drum_volume, self.steps_per_beat, self.shuffle = drum_volume, steps_per_beat, shuffle

    def lines(self, index, pattern_index):
        out = [f"<style{index}>", f"name={self.name}", f"bpm={self.bpm}",
               f"shuffle={format_real(self.shuffle)}", f"stepsPerBeat={self.steps_per_beat}"]
        out += part_lines(0, 0, self.drum_volume, 0, 1, pattern_index[id(self.rhythm)])
        for number in range(1, 5):
            part = self.parts[number - 1] if number <= len(self.parts) else None
            if part is None:
                out += part_lines(number, 0, 0, 0, 0, 0)
            else:
                out += part_lines(number, part.program, part.volume, part.key, part.mode,
                                  pattern_index[id(part.pattern)])
        out.append(f"</style{index}>")
        return out


def pad(pattern, program, volume, key=12):
    """A sustained part: held with the pedal, struck again at each pass and root change."""
    return Part(pattern, program, volume, key, SUS)


def bass_part(pattern, program, volume):
    """The bass line, written like the other parts in MIDI notes for the root C, is stored an
    octave up around the reference key 48 and played without transposition, so that the fifth
    below the root stays on the rows the style programmer shows."""
    raised = [(key + 12, vel, pos, dur) for key, vel, pos, dur in pattern.notes]
    return Part(Pattern(pattern.name, pattern.length, raised), program, volume, key=0)


def part_lines(number, program, volume, key, mode, pattern):
    return [f"prog{number}={program}", f"vol{number}={volume}", f"key{number}={key}",
            f"mode{number}={mode}", f"arp{number}={pattern}"]


# --- Keyboard arpeggios (patterns 0..99), written for the root 48 in major ---------------------

BEATS = tuple(range(0, 16, 4))


def keyboard_arpeggios():
    chord = (48, 52, 55)
    return [
        steady("Up 8ths", 16, 2, [48, 52, 55, 60], 1.8, accents=(0, 8)),
        steady("Down 8ths", 16, 2, [60, 55, 52, 48], 1.8, accents=(0, 8)),
        steady("Up-Down 8ths", 16, 2, [48, 52, 55, 60, 64, 60, 55, 52], 1.8, accents=(0, 8)),
        steady("Up 16ths", 8, 1, [48, 52, 55, 60, 64, 67, 72, 76], 0.9, accents=(0, 4)),
        steady("Down 16ths", 8, 1, [76, 72, 67, 64, 60, 55, 52, 48], 0.9, accents=(0, 4)),
        steady("Up-Down 16ths", 16, 1,
               [48, 52, 55, 60, 64, 67, 72, 76, 79, 76, 72, 67, 64, 60, 55, 52], 0.9,
               accents=BEATS),
        steady("Alberti 8ths", 8, 2, [48, 55, 52, 55], 1.8, accents=(0,)),
        steady("Alberti 16ths", 4, 1, [48, 55, 52, 55], 0.9, accents=(0,)),
        steady("Broken Chord", 16, 2, [48, 55, 60, 64, 67, 64, 60, 55], 1.8, accents=(0,)),
        steady("Octaves 8ths", 4, 2, [48, 60], 1.8, accents=(0,)),
        steady("Octave Tremolo", 2, 1, [48, 60], 0.9),
        steady("Trill", 2, 1, [60, 62], 0.9),
        steady("Block Chords 8ths", 4, 2, [chord], 1.5, accents=(0,)),
        comp("Strum Pop", "X=.x ..x= ..x= x=x.", (48, 52, 55, 60)),
        notes("Stride", 16, [(0, 36, 3, 110), (4, (52, 55, 60), 2, 88),
                             (8, 43, 3, 105), (12, (52, 55, 60), 2, 88)]),
        notes("Waltz Oom-Pah-Pah", 12, [(0, 36, 3, 110), (4, (52, 55, 60), 3, 85),
                                        (8, (52, 55, 60), 3, 80)]),
        steady("Triplet Up-Down", 6, 1, [48, 52, 55, 60, 55, 52], 0.9, accents=(0, 3)),
        steady("Fifths 8ths", 4, 2, [(48, 55)], 1.5, accents=(0,)),
        steady("Ballad Arpeggio", 16, 2, [36, 43, 48, 52, 55, 52, 48, 43], 1.9, accents=(0,)),
        steady("Waves 16ths", 16, 1,
               [48, 55, 60, 64, 67, 72, 76, 72, 67, 64, 60, 55, 52, 55, 60, 64], 0.9,
               accents=BEATS),
        line("Syncopated 16ths", "x..x ..x. x.x. .x..", [60, 67, 64, 72, 67, 64]),
    ]


# --- Style parts (patterns 100..399) -----------------------------------------------------------

TRIAD = (55, 60, 64)        # G3 C4 E4 with the root C
TRIAD_HIGH = (60, 64, 67)
TRIAD_TOP = (64, 67, 72)
SIXTH = (57, 60, 64, 67)    # C6: A C E G
POWER = (48, 55, 60)        # C3 G3 C4

FILL_ROCK = [(SNARE, "X.xx...."), (HIGH_TOM, "....xx.."), (LOW_MID_TOM, "......x."),
             (LOW_FLOOR_TOM, ".......x"), (KICK, "x...x...")]
FILL_HARD = [(SNARE, "XxxX...."), (HIGH_TOM, "....xx.."), (LOW_FLOOR_TOM, "......xX"),
             (KICK, "x.x.x.x.")]
FILL_SHORT = [(SNARE, "x.ox"), (KICK, "x...")]
FILL_ROLL = [(SNARE, "goooxxXX"), (KICK, "x...x...")]
FILL_12_8 = [(SNARE, "xxx..."), (HIGH_TOM, "...x.."), (LOW_MID_TOM, "....x."),
             (LOW_FLOOR_TOM, ".....x"), (KICK, "x.....")]
FILL_SOFT = [(HIGH_TOM, "o..."), (LOW_MID_TOM, "..o."), (LOW_FLOOR_TOM, "...o")]
FILL_SWING = [(SNARE, "..X."), (KICK, "..X."), (RIDE, "x...")]


def metronome_4_4():
    click = drums("Click 4/4", [(HIGH_WOODBLOCK, "X... .... .... ...."),
                                (LOW_WOODBLOCK, ".... x... x... x...")])
    return Style("Metronome 4/4", 100, click, [], drum_volume=100)


def metronome_3_4():
    click = drums("Click 3/4", [(HIGH_WOODBLOCK, "X... .... ...."),
                                (LOW_WOODBLOCK, ".... x... x...")])
    return Style("Metronome 3/4", 100, click, [], drum_volume=100)


def rock():
    beat = phrase("Rock 8-Beat Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.o."),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (KICK,       "X... ...x X.x. .... | X... .... X.x. ..x."),
    ], 16, FILL_ROCK)
    bass = line("Rock Bass 8ths", "X=x= x=x= X=x= x=x= | X=x= x=x= X=x= x=x=",
                [36] * 8 + [36, 36, 36, 36, 43, 43, 45, 47], gate=0.85)
    guitar = comp("Rock Power Chords", "X==x ==x= X==x ==x.", POWER, gate=0.9)
    organ = comp("Rock Organ Pad", "o=============== | o===============", (55, 60, 64, 67))
    return Style("Rock 8-Beat", 116, beat, [
        bass_part(bass, FINGER_BASS, 80), Part(guitar, OVERDRIVE_GUITAR, 50),
        pad(organ, ROCK_ORGAN, 42)])


def hard_rock():
    beat = phrase("Hard Rock Drums", [
        (RIDE,  "X.x. X.x. X.x. X.x."),
        (SNARE, ".... X... .... X..."),
        (KICK,  "X.x. ...x x.x. ...."),
    ], 16, FILL_HARD)
    bass = line("Hard Rock Bass", "X=x= x=x= X=x= x=x=", [36, 36, 36, 36, 36, 48, 43, 45],
                gate=0.85)
    muted = (48, 55)
    riff = line("Hard Rock Riff", "X==o o.X= X==o o.X=",
                [POWER, muted, muted, POWER, POWER, muted, muted, (43, 50, 55)], gate=0.9)
    wall = comp("Hard Rock Sustain", "X=============== | x===============", (60, 67, 72))
    return Style("Hard Rock", 138, beat, [
        bass_part(bass, PICK_BASS, 88), Part(riff, DISTORTION_GUITAR, 50),
        pad(wall, OVERDRIVE_GUITAR, 36)], drum_volume=95)


def slow_rock():
    beat = phrase("Slow Rock 12/8 Drums", [
        (CLOSED_HAT, "xoo xoo xoo xoo"),
        (SNARE,      "... X.. ... X.."),
        (KICK,       "X.. ..x X.. ..."),
    ], 12, FILL_12_8)
    bass = line("12/8 Walking Bass", "X=x x=x x=x x=x", [36, 36, 40, 40, 43, 43, 45, 43])
    piano = comp("12/8 Piano Triplets", "Xoo xoo xoo xoo", TRIAD, gate=0.85)
    strings = comp("12/8 Strings", "o=========== | o===========", TRIAD_TOP)
    guitar = line("12/8 Guitar Arpeggio", "x.o x.o x.o x.o", [48, 55, 60, 64, 60, 55, 64, 55])
    return Style("Slow Rock 12/8", 64, beat, [
        bass_part(bass, ACOUSTIC_BASS, 88), Part(piano, PIANO, 58), pad(strings, SLOW_STRINGS, 42),
        Part(guitar, CLEAN_GUITAR, 38, mode=SUS)], steps_per_beat=3)


def pop_ballad():
    beat = phrase("Pop Ballad Drums", [
        (CLOSED_HAT, "o.g. o.g. o.g. o.g. | o.g. o.g. o.g. o.gg"),
        (SIDE_STICK, ".... x... .... x... | .... x... .... x..."),
        (KICK,       "x... .... x.o. .... | x... ...o ..o. ...."),
    ], 16, FILL_SOFT, crash="o")
    bass = line("Ballad Bass", "x===== x= x======= | x===== x= x=== x===",
                [36, 43, 36, 36, 40, 43, 45], gate=0.95)
    piano = steady("Ballad Piano Arpeggio", 16, 2, [48, 55, 60, 64, 67, 64, 60, 55], 2, vel=80,
                   accents=(0,))
    strings = comp("Ballad Strings", "o=============== | ================", TRIAD_HIGH)
    return Style("Pop Ballad", 72, beat, [
        bass_part(bass, FRETLESS_BASS, 72), Part(piano, PIANO, 80, mode=SUS),
        pad(strings, SLOW_STRINGS, 45)], drum_volume=90)


def swing():
    beat = phrase("Swing Drums", [
        (RIDE,       "x... x.x. x... x.x. | x... x.x. x... x.x."),
        (PEDAL_HAT,  ".... x... .... x... | .... x... .... x..."),
        (KICK,       "g... g... g... g... | g... g... g... g..."),
        (SNARE,      ".... .... ..g. .... | .... ..o. .... ..g."),
    ], 16, FILL_SWING, crash="x")
    bass = line("Walking Bass", "X=== x=== x=== x=== | X=== x=== x=== x===",
                [36, 40, 43, 45, 48, 45, 43, 37], gate=0.9)
    brass = line("Swing Brass Hits", ".... ..X= .... .... | .... .... .... ..X=",
                 [SIXTH, (60, 64, 67, 72)])
    guitar = comp("Swing Guitar Quarters", "x=.. o=.. x=.. o=..", (52, 55, 60))
    piano = comp("Swing Piano Comp", "X=.. ..x= .... .... | .... x=.. ..x= ....", SIXTH)
    return Style("Swing", 138, beat, [
        bass_part(bass, ACOUSTIC_BASS, 82), Part(brass, BRASS, 58), Part(guitar, JAZZ_GUITAR, 40),
        Part(piano, PIANO, 55)], drum_volume=85, shuffle=1.0)


def jazz_waltz():
    beat = drums("Jazz Waltz Drums", [
        (RIDE,      "x... x.x. x... | x... x.x. x.x."),
        (PEDAL_HAT, ".... x... x... | .... x... x..."),
        (KICK,      "o... .... .... | g... .... ...."),
        (SNARE,     ".... .... ..g. | .... ..g. ...."),
    ])
    bass = line("Jazz Waltz Bass", "x======= x=== | x=== x=== x===", [36, 43, 40, 43, 45])
    piano = comp("Jazz Waltz Piano", ".... x=.. ..x= | .... x=== ....", SIXTH)
    vibes = notes("Jazz Waltz Vibes", 24, [(0, (64, 72), 11, 90), (12, (67, 74), 11, 90)])
    return Style("Jazz Waltz", 150, beat, [
        bass_part(bass, ACOUSTIC_BASS, 80), Part(piano, PIANO, 62), pad(vibes, VIBES, 80)],
        drum_volume=85, shuffle=0.8)


def bossa_nova():
    beat = drums("Bossa Nova Drums", [
        (SIDE_STICK, "x... ..x. .... x... | .... x... ..x. ...."),
        (CLOSED_HAT, "o.o. o.o. o.o. o.o. | o.o. o.o. o.o. o.o."),
        (KICK,       "x... ..g. x... ..g. | x... ..g. x... ..g."),
    ])
    bass = line("Bossa Bass", "x===== x= x===== x=", [36, 31, 31, 36], gate=0.95)
    guitar = comp("Bossa Guitar", "x=.. x=x= ..x= x=.. | x=.. x=x= ..x= ..x=",
                  (52, 57, 60, 62), gate=0.9)
    strings = comp("Bossa Strings", "o=============== | ================", (64, 69, 72))
    return Style("Bossa Nova", 132, beat, [
        bass_part(bass, ACOUSTIC_BASS, 85), Part(guitar, NYLON_GUITAR, 48),
        pad(strings, SLOW_STRINGS, 38)], drum_volume=95)


def samba():
    beat = drums("Samba Drums", [
        (KICK,       "x..o X... x..o X..."),
        (MARACAS,    "xggo xggo xggo xggo"),
        (SIDE_STICK, "x.x. .x.x .x.x ..x."),
        (HIGH_AGOGO, "x... .... .... ...."),
        (LOW_AGOGO,  ".... .... x... ...."),
    ])
    bass = line("Samba Bass", "x==o X=== x==o X===", [36, 31, 31, 36, 31, 31])
    guitar = comp("Samba Guitar", "x..x ..x. ..x. x...", TRIAD, gate=0.5)
    brass = line("Samba Brass", ".... .... .... .... | .... .... ..X. X=..",
                 [TRIAD_HIGH, TRIAD_TOP])
    return Style("Samba", 100, beat, [
        bass_part(bass, FINGER_BASS, 80), Part(guitar, CLEAN_GUITAR, 55), Part(brass, BRASS, 58)])


def cha_cha():
    beat = drums("Cha-Cha Drums", [
        (COWBELL,      "X... x... X... x..."),
        (LONG_GUIRO,   "x... .... x... ...."),
        (SHORT_GUIRO,  ".... x.x. .... ...."),
        (MUTE_CONGA,   ".... x... .... x..."),
        (HIGH_TIMBALE, ".... .... .... x.x."),
        (KICK,         "o... .... o... ...."),
    ])
    bass = line("Cha-Cha Bass", "x=== .... x=== x=x= | x=== .... x=== x=x=",
                [36, 43, 40, 43, 36, 43, 45, 43])
    piano = line("Cha-Cha Piano", "x=x= .xx= x=x= .xx=",
                 [(60, 72), 64, 67, (64, 76), (60, 72), 64, 67, (64, 76)], gate=0.8)
    strings = comp("Cha-Cha Strings", "x=== .... .... x=x=", TRIAD_TOP)
    return Style("Cha-Cha", 122, beat, [
        bass_part(bass, ACOUSTIC_BASS, 86), Part(piano, PIANO, 68), Part(strings, STRINGS, 42)])


def pop_standard():
    beat = phrase("Pop Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.og"),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (KICK,       "X... ...x X... .... | X... ..x. X.x. ...."),
        (TAMBOURINE, ".... o... .... o... | .... o... .... o..."),
    ], 16, FILL_SHORT, crash="x")
    bass = line("Pop Bass", "X==x ==x= X=.x =.x. | X==x ==x= X=== x=x=",
                [36, 36, 36, 43, 43, 45, 36, 36, 36, 40, 43, 45])
    guitar = comp("Pop Guitar Strum", "X=o. x=o= X=o. x=o=", (52, 55, 60, 64))
    piano = line("Pop Piano", "x===== x===== x=== | x===== x=== x= x===",
                 [TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP, TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP,
                  TRIAD_TOP])
    strings = comp("Pop Strings", "o=============== | ================", (67, 72, 76))
    return Style("Pop Standard", 100, beat, [
        bass_part(bass, FINGER_BASS, 80), Part(guitar, STEEL_GUITAR, 50), Part(piano, PIANO, 60),
        pad(strings, STRINGS, 45)])


def tango():
    beat = drums("Tango Drums", [
        (KICK,       "X... .... x... ...."),
        (SIDE_STICK, ".... x... .... ...."),
        (SNARE,      ".... ..g. .... x.X."),
    ])
    bass = line("Tango Bass", "X==x x=x= X==x x=x.", [36, 43, 43, 40, 36, 43, 43, 47])
    bandoneon = comp("Tango Bandoneon", "X=.. x=.. X=.. x=o.", TRIAD, gate=0.75)
    violin = notes("Tango Violin", 32, [(0, 64, 14, 85), (16, 67, 8, 85), (24, 69, 7, 80)])
    return Style("Tango", 122, beat, [
        bass_part(bass, ACOUSTIC_BASS, 82), Part(bandoneon, BANDONEON, 58),
        Part(violin, VIOLIN, 50)], drum_volume=95)


def slow_waltz():
    beat = drums("Slow Waltz Drums", [
        (RIDE,       "x... o... o... | x... o... o..."),
        (KICK,       "x... .... .... | x... .... ...."),
        (SIDE_STICK, ".... x... x... | .... x... x..."),
    ])
    bass = line("Waltz Bass", "x===.... .... | x=== .... ....", [36, 43])
    piano = comp("Waltz Piano Pah-Pah", ".... x==. x==. | .... x==. x==.", TRIAD)
    strings = comp("Waltz Strings", "o=========== | ============", TRIAD_TOP)
    return Style("Slow Waltz", 88, beat, [
        bass_part(bass, ACOUSTIC_BASS, 100), Part(piano, PIANO, 70), pad(strings, STRINGS, 50)],
        drum_volume=100)


def viennese_waltz():
    beat = drums("Viennese Waltz Drums", [
        (KICK,          "X... .... .... | x... .... ...."),
        (PEDAL_HAT,     ".... x... x... | .... x... x..."),
        (OPEN_TRIANGLE, "x... .... .... | .... .... ...."),
    ])
    bass = line("Viennese Bass", "X=.. .... .... | X=.. .... ....", [36, 31])
    strings = comp("Viennese Strings", ".... x=.. x=.. | .... x=.. x=..", TRIAD, gate=0.8)
    harp = steady("Viennese Harp", 24, 2, [48, 55, 60, 64, 67, 72, 76, 72, 67, 64, 60, 55],
                  2, vel=75, accents=(0, 12))
    horns = notes("Viennese Horns", 24, [(0, (60, 64), 11, 75), (12, (64, 67), 11, 75)])
    return Style("Viennese Waltz", 172, beat, [
        bass_part(bass, PIZZICATO, 100), Part(strings, STRINGS, 60), Part(harp, HARP, 50),
        Part(horns, FRENCH_HORN, 45)], drum_volume=95)


def march():
    beat = phrase("March Drums", [
        (SNARE, "X..x x.x. X..x x.x."),
        (KICK,  "X... .... X... ...."),
    ], 16, FILL_ROLL, crash="x")
    tuba = line("March Tuba", "X=.. .... x=.. .... | X=.. .... x=.. x=x=",
                [36, 31, 36, 31, 33, 35])
    brass = comp("March Brass Pah", ".... x=.. .... x=..", TRIAD, gate=0.7)
    fanfare = notes("March Fanfare", 32, [(24, 67, 1, 100), (26, 67, 1, 90), (27, 67, 1, 95),
                                          (28, 72, 3, 112)])
    glockenspiel = steady("March Glockenspiel", 16, 4, [72, 76, 79, 76], 2, vel=80)
    return Style("March", 116, beat, [
        bass_part(tuba, TUBA, 100), Part(brass, BRASS, 65), Part(fanfare, TRUMPET, 70),
        Part(glockenspiel, GLOCKENSPIEL, 60)], drum_volume=88)


def polka():
    beat = drums("Polka Drums", [
        (KICK,       "X... x... X... x..."),
        (SNARE,      "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "..o. ..o. ..o. ..o."),
    ])
    tuba = line("Polka Tuba", "x=.. x=.. x=.. x=.. | x=.. x=.. x=x= x=..",
                [36, 31, 36, 31, 36, 31, 31, 33, 35])
    accordion = comp("Polka Accordion", "..x. ..x. ..x. ..x.", TRIAD, gate=0.8)
    clarinet = line("Polka Clarinet", "x=x= x=x= x=x= x=x= | x=x= x=x= x=== ....",
                    [67, 72, 76, 72, 67, 64, 60, 64, 67, 69, 67, 64, 60])
    return Style("Polka", 132, beat, [
        bass_part(tuba, TUBA, 90), Part(accordion, ACCORDION, 70), Part(clarinet, CLARINET, 40)],
        drum_volume=85)


def disco():
    beat = phrase("Disco Drums", [
        (KICK,       "X... x... X... x..."),
        (SNARE,      ".... X... .... X..."),
        (CLAP,       ".... x... .... x..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "og.g og.g og.g og.g"),
    ], 16, [(SNARE, "oxxX"), (KICK, "x...")], crash="x")
    bass = line("Disco Octave Bass", "x=x= x=x= x=x= x=x= | x=x= x=x= x=x= x=x=",
                [36, 48] * 4 + [36, 48, 36, 48, 43, 55, 45, 57], gate=0.6)
    guitar = comp("Disco Guitar 16ths", "ogXg ogXg ogXg ogXg", TRIAD_TOP, gate=0.5)
    strings = line("Disco Strings", "x=========== .... | x===== x= ..x= x===",
                   [TRIAD_TOP, TRIAD_TOP, TRIAD_TOP, (67, 72, 76), (69, 72, 76)])
    brass = line("Disco Brass", ".... .... .... ..X=", [TRIAD_HIGH])
    return Style("Disco", 118, beat, [
        bass_part(bass, FINGER_BASS, 90), Part(guitar, MUTED_GUITAR, 58),
        Part(strings, STRINGS, 45),
        Part(brass, BRASS, 50)])


def funk():
    beat = drums("Funk Drums", [
        (CLOSED_HAT, "Xgxg Xgxg Xgxg Xgxg | Xgxg Xgxg Xgxg Xg.g"),
        (OPEN_HAT,   ".... .... .... .... | .... .... .... ..x."),
        (KICK,       "X.x. .... ..x. .x.. | X.x. ...x ..x. ...."),
        (SNARE,      ".... X..g .g.. X..g | .... X..g .g.. X.g."),
    ])
    bass = notes("Funk Slap Bass", 32, [
        (0, 36, 1.5, 120), (3, 48, 0.5, 110), (6, 36, 1, 100), (7, 48, 0.5, 105),
        (10, 43, 1, 100), (11, 45, 0.5, 90), (12, 48, 0.5, 110), (14, 36, 1, 100),
        (16, 36, 1.5, 120), (19, 48, 0.5, 110), (22, 43, 1, 100), (23, 45, 0.5, 95),
        (26, 36, 1, 100), (28, 40, 0.5, 90), (29, 43, 0.5, 95), (30, 35, 1, 100)])
    clav = comp("Funk Clavinet", ".x.x x.x. .x.x ..x.", TRIAD_HIGH, gate=0.5)
    horns = line("Funk Horn Stabs", ".... .... .... .... | .... .... ..X. X...",
                 [TRIAD_TOP, (62, 67, 72)], gate=0.8)
    guitar = comp("Funk Guitar Chanks", ".... x..o .... x.o.", TRIAD_TOP, gate=0.4)
    return Style("Funk", 98, beat, [
        bass_part(bass, SLAP_BASS, 100), Part(clav, CLAVINET, 55), Part(horns, BRASS, 55),
        Part(guitar, CLEAN_GUITAR, 50)])


def reggae():
    beat = drums("Reggae One Drop", [
        (KICK,       ".... .... X... .... | .... .... X... ...."),
        (SIDE_STICK, ".... .... X... .... | .... .... X... ...."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.xo"),
    ])
    bass = line("Reggae Bass", "X==x ..x= X=== x=.. | X=== ..x= x=x= x===",
                [36, 36, 43, 45, 43, 36, 40, 43, 45, 43])
    skank = comp("Reggae Skank", ".... x... .... x...", TRIAD_HIGH, gate=0.6)
    bubble = notes("Reggae Organ Bubble", 16, [
        (pos + offset, TRIAD if offset == 0 else 48, 1, 80 if offset == 0 else 60)
        for pos in (2, 6, 10, 14) for offset in (0, 1)])
    return Style("Reggae", 76, beat, [
        bass_part(bass, FINGER_BASS, 80), Part(skank, CLEAN_GUITAR, 60),
        Part(bubble, DRAWBAR_ORGAN, 60)], drum_volume=100, shuffle=0.3)


def country():
    beat = drums("Country Train Beat", [
        (SNARE, "goog Xoog goog Xoog"),
        (KICK,  "X... .... X... ...."),
    ])
    bass = line("Country Bass", "x=== .... x=== .... | x=== .... x=.. x=..",
                [36, 43, 40, 43, 45])
    strum = comp("Country Strum", ".... x=o. .... x=o.", (55, 60, 64, 67))
    banjo = line("Country Banjo Roll", "x.x. x.x. x.x. x.x.", [72, 64, 67, 72, 64, 67, 72, 64])
    fiddle = notes("Country Fiddle", 32, [(0, (64, 67), 15, 75), (16, (64, 69), 15, 75)])
    return Style("Country Two-Step", 112, beat, [
        bass_part(bass, ACOUSTIC_BASS, 95), Part(strum, STEEL_GUITAR, 56), Part(banjo, BANJO, 50),
        Part(fiddle, FIDDLE, 42)], drum_volume=85)


def blues_shuffle():
    beat = phrase("Blues Shuffle Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o."),
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X... .... X... ..o."),
    ], 16, [(SNARE, "x.xX"), (KICK, "x...")], crash="o")
    bass = notes("Boogie Bass", 16, [
        (pos, key, 2.5 if pos % 4 == 0 else 1.4, 105 if pos % 4 == 0 else 90)
        for pos, key in zip(range(0, 16, 2), [36, 40, 43, 45, 46, 45, 43, 40])])
    fifth, sixth, seventh = (48, 55), (48, 57), (48, 58)
    guitar = line("Shuffle Guitar Comp", "x=x= x=x= x=x= x=x=",
                  [fifth, fifth, sixth, sixth, seventh, seventh, sixth, sixth], gate=0.8)
    piano = comp("Blues Piano", ".... x=x= .... x=x=", (58, 64, 67), gate=0.8)
    return Style("Blues Shuffle", 88, beat, [
        bass_part(bass, FINGER_BASS, 82), Part(guitar, CLEAN_GUITAR, 45), Part(piano, PIANO, 55)],
        shuffle=1.0)


def rhythm_and_blues():
    beat = drums("R&B Drums", [
        (CLOSED_HAT, "xgog xgog xgog xgog | xgog xgog xgog xg.."),
        (OPEN_HAT,   ".... .... .... .... | .... .... .... ..x."),
        (KICK,       "X... ...x ..x. .... | X.x. ...x ..x. .x.."),
        (SNARE,      ".... X... .... X..g | .... X... .... X..."),
        (CLAP,       ".... x... .... x... | .... x... .... x..."),
    ])
    bass = notes("R&B Bass", 32, [
        (0, 36, 6, 110), (7, 36, 2, 90), (10, 43, 3, 100), (14, 45, 2, 90), (16, 36, 2, 110),
        (18, 36, 4, 90), (23, 40, 2, 95), (26, 43, 4, 100), (30, 38, 2, 85)])
    rhodes = comp("R&B Rhodes", "X===== x=== x===== | ..x= ==x= ==== x===", (52, 55, 60, 62))
    pads = comp("R&B Pad", "o=============== | ================", TRIAD_TOP)
    licks = notes("R&B Guitar Licks", 32, [
        (2, 67, 0.5, 90), (3, 72, 0.5, 80), (10, 69, 0.5, 85), (11, 72, 0.5, 80),
        (20, 67, 0.5, 85), (27, 64, 0.5, 80), (28, 67, 1, 90)])
    return Style("R&B", 78, beat, [
        bass_part(bass, SYNTH_BASS_2, 72), Part(rhodes, RHODES, 40), pad(pads, WARM_PAD, 45),
        Part(licks, CLEAN_GUITAR, 60)])


def house():
    beat = phrase("House Drums", [
        (KICK,       "X... x... X... x..."),
        (CLAP,       ".... x... .... x..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (MARACAS,    "gogo gogo gogo gogo"),
        (MUTE_CONGA, "...x ..x. .x.. ..x."),
        (LOW_CONGA,  ".... .... ...x ...."),
    ], 16, [(CLAP, "x.xx"), (KICK, "x...")], crash="o")
    bass = line("House Offbeat Bass", "..x= ..xx ..x= .x.x", [36, 36, 48, 36, 43, 45], gate=0.8)
    piano = comp("House Piano Stabs", "x..x ..x. ..x. .x..", (60, 64, 67, 72), gate=0.6)
    pads = comp("House Pad", "o=============== | ================", TRIAD_TOP)
    return Style("House Dance", 124, beat, [
        bass_part(bass, SYNTH_BASS_1, 90), Part(piano, BRIGHT_PIANO, 60), pad(pads, POLY_PAD, 32)],
        drum_volume=92, shuffle=0.25)


def techno():
    beat = drums("Techno Drums", [
        (KICK,       "X... X... X... X..."),
        (RIDE,       "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "gg.g gg.g gg.g gg.g"),
        (SIDE_STICK, "...x ..x. ...x .x.."),
        (CLAP,       ".... o... .... o..."),
    ])
    bass = line("Rolling Techno Bass", ".Xox .Xox .Xox .Xox", [36] * 12, gate=0.5)
    sequence = notes("Techno Sequence", 12, [(0, 60, 0.5, 100), (3, 67, 0.5, 80),
                                             (6, 72, 0.5, 95), (9, 67, 0.5, 75)])
    drone = notes("Techno Drone", 64, [(0, (48, 55, 60), 64, 70)])
    return Style("Techno", 130, beat, [
        bass_part(bass, SYNTH_BASS_2, 80), Part(sequence, SAW_LEAD, 45), pad(drone, SWEEP_PAD, 30)],
        drum_volume=95)


def rumba():
    beat = drums("Rumba Drums", [
        (CLAVES,     ".... x... x... .... | x... ..x. .... x..."),
        (MARACAS,    "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.o."),
        (MUTE_CONGA, ".... x... .... .... | .... x... .... ...."),
        (OPEN_CONGA, ".... .... .... x.x. | .... .... .... x.x."),
        (KICK,       "o... .... .... .... | o... .... .... ...."),
    ])
    bass = line("Rumba Bass", "x==. ..x= ==== x===", [36, 43, 36])
    marimba = line("Rumba Marimba", "x.x. x.x. x.x. x.x.", [55, 60, 64, 67, 72, 67, 64, 60])
    strings = comp("Rumba Strings", "o=============== | ================", TRIAD_HIGH)
    return Style("Rumba", 100, beat, [
        bass_part(bass, ACOUSTIC_BASS, 95), Part(marimba, MARIMBA, 55),
        pad(strings, SLOW_STRINGS, 40)], drum_volume=85)


def rock_and_roll():
    beat = phrase("Rock'n'Roll Drums", [
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X... .... X... ...."),
        (CLOSED_HAT, "x.x. x.x. x.x. x.x."),
    ], 16, [(SNARE, "xxxX"), (KICK, "x...")])
    bass = line("Rock'n'Roll Bass", "x=.. x=.. x=.. x=.. | x=.. x=.. x=.. x=..",
                [36, 40, 43, 45, 48, 45, 43, 40])
    piano = comp("Rock'n'Roll Piano 8ths", "X=x= x=x= X=x= x=x=", (60, 64, 67, 72), gate=0.6)
    sax = notes("Rock'n'Roll Sax Riff", 32, [
        (0, 67, 3, 100), (4, 69, 2, 90), (6, 67, 2, 90), (8, 64, 4, 95),
        (16, 67, 3, 100), (20, 69, 2, 90), (22, 72, 2, 95), (24, 69, 6, 95)])
    return Style("Rock'n'Roll", 168, beat, [
        bass_part(bass, ACOUSTIC_BASS, 90), Part(piano, PIANO, 55),
        Part(sax, TENOR_SAX, 55, key=0)])


def motown():
    beat = drums("Motown Drums", [
        (SNARE,      "x... X... x... X..."),
        (TAMBOURINE, "x... x... x... x..."),
        (KICK,       "X... ..x. X... ..x."),
    ])
    bass = line("Soul Bass", "X==x x=x= X==x x=x=", [36, 36, 40, 43, 45, 43, 40, 38])
    vibes = comp("Soul Vibes", ".... x=.. .... x=..", TRIAD_TOP)
    strings = comp("Soul Strings", "o=============== | ================", (67, 72, 76))
    piano = comp("Soul Piano 8ths", "x=o= x=o= x=o= x=o=", TRIAD_HIGH, gate=0.6)
    return Style("Motown Soul", 112, beat, [
        bass_part(bass, FINGER_BASS, 80), Part(vibes, VIBES, 65), pad(strings, STRINGS, 45),
        Part(piano, PIANO, 50)])


def ska():
    beat = drums("Ska Drums", [
        (KICK,     "X... .... X... ...."),
        (SNARE,    ".... x... .... x..."),
        (OPEN_HAT, "..x. ..x. ..x. ..x."),
    ])
    bass = line("Ska Walking Bass", "x=== x=== x=== x=== | x=== x=== x=== x===",
                [36, 40, 43, 45, 48, 45, 43, 40])
    guitar = comp("Ska Upstrokes", "..X. ..x. ..X. ..x.", TRIAD_HIGH, gate=0.5)
    organ = comp("Ska Organ", "..x. ..x. ..x. ..x.", (55, 60, 64, 67), gate=0.8)
    return Style("Ska", 160, beat, [
        bass_part(bass, FINGER_BASS, 80), Part(guitar, CLEAN_GUITAR, 55),
        Part(organ, PERC_ORGAN, 50)])


def jazz_ballad():
    beat = drums("Jazz Ballad Brushes", [
        (RIDE,      "x... x.o. x... x.o."),
        (PEDAL_HAT, ".... x... .... x..."),
        (SNARE,     "g.g. g.g. g.g. g.g."),
        (KICK,      "g... .... .... ...."),
    ])
    bass = line("Jazz Ballad Bass", "x======= x======= | x======= x=== x===",
                [36, 43, 40, 43, 45])
    piano = notes("Jazz Ballad Piano", 16, [
        (0, 52, 4, 85), (1, 57, 4, 80), (2, 60, 4, 78), (3, 64, 4, 82),
        (10, (60, 64, 69), 2, 70)])
    sax = notes("Jazz Ballad Sax", 32, [(0, 64, 11, 70), (12, 62, 4, 60), (16, 60, 14, 65)])
    strings = comp("Jazz Ballad Strings", "o=============== | ================", (60, 64, 69))
    return Style("Jazz Ballad", 62, beat, [
        bass_part(bass, ACOUSTIC_BASS, 95), Part(piano, PIANO, 85, mode=SUS),
        Part(sax, TENOR_SAX, 55), pad(strings, SLOW_STRINGS, 32)],
        drum_volume=90, shuffle=0.6)


def hip_hop():
    beat = drums("Hip-Hop Drums", [
        (KICK,       "X... ..x. ..x. .... | X.x. .... ..X. .x.."),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. xoo."),
    ])
    bass = notes("Hip-Hop Sub Bass", 32, [
        (0, 36, 5, 110), (6, 36, 3, 90), (10, 43, 5, 100), (16, 36, 2, 110), (18, 36, 6, 95),
        (26, 40, 5, 100)])
    keys = line("Hip-Hop Keys Loop", "x=== ..x= ..x= ==.. | x=== ..x= x=== ....",
                [(60, 64, 69), TRIAD_TOP, (62, 67, 72), (60, 64, 69), TRIAD_TOP, TRIAD_HIGH])
    pads = comp("Hip-Hop Choir Pad", "o=============== | ================", (55, 64, 72))
    return Style("Hip-Hop", 92, beat, [
        bass_part(bass, SYNTH_BASS_1, 85), Part(keys, DX_PIANO, 48), pad(pads, CHOIR_PAD, 30)],
        drum_volume=95, shuffle=0.35)


def trance():
    beat = phrase("Trance Drums", [
        (KICK,       "X... X... X... X..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "gg.g gg.g gg.g gg.g"),
        (CLAP,       ".... o... .... o..."),
    ], 16, FILL_ROLL, crash="x")
    bass = line("Trance Gallop Bass", "..xx ..xx ..xx ..xx", [36, 48] * 4, gate=0.7)
    arpeggio = steady("Trance Arpeggio", 16, 1, [60, 64, 67, 72, 76, 72, 67, 64], 0.5, vel=85,
                      accents=BEATS)
    pads = comp("Trance Pad", "o=============== | ================", (60, 64, 67, 72))
    return Style("Trance", 138, beat, [
        bass_part(bass, SYNTH_BASS_1, 78), Part(arpeggio, SAW_LEAD, 30),
        pad(pads, SYNTH_STRINGS, 25)], drum_volume=92)


def salsa():
    beat = drums("Salsa Percussion", [
        (CLAVES,      "..x. x... x..x ..x."),
        (COWBELL,     "X.x. x.x. X.x. x.x."),
        (MUTE_CONGA,  "..x. .... ..x. ...."),
        (OPEN_CONGA,  ".... ..xx .... ..xx"),
        (LONG_GUIRO,  "x... x... x... x..."),
        (SHORT_GUIRO, "..o. ..o. ..o. ..o."),
    ])
    bass = notes("Salsa Tumbao", 16, [(3, 43, 3, 100), (6, 36, 5, 105), (11, 43, 3, 100),
                                      (14, 36, 5, 105)])
    montuno = line("Salsa Montuno", "x.xx .xxx x.xx .xx.", [
        (60, 72), (64, 76), 67, (64, 76), (60, 72), (64, 76), (67, 79), (64, 76), (60, 72),
        (64, 76), (67, 79)], gate=0.9)
    brass = comp("Salsa Brass", ".... .... X..x ..X=", TRIAD_TOP, gate=0.8)
    return Style("Salsa", 96, beat, [
        bass_part(bass, ACOUSTIC_BASS, 88), Part(montuno, BRIGHT_PIANO, 65),
        Part(brass, BRASS, 48)],
        drum_volume=85)


def gospel():
    beat = drums("Gospel 12/8 Drums", [
        (RIDE,       "x.o x.o x.o x.o"),
        (KICK,       "X.. ... x.x ..."),
        (SNARE,      "... X.g ... X.."),
        (CLAP,       "... x.. ... x.."),
        (TAMBOURINE, "... x.. ... x.."),
    ])
    bass = line("Gospel Bass", "X== ..x x== x=x", [36, 40, 43, 45, 35])
    organ = comp("Gospel Organ", "x===========", (55, 60, 64, 67))
    piano = line("Gospel Piano", "x.x x.. x.x x.x",
                 [TRIAD_HIGH, TRIAD_TOP, TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP, TRIAD_HIGH,
                  TRIAD_TOP])
    choir = comp("Gospel Choir", "o=========== | ============", TRIAD_TOP)
    return Style("Gospel 12/8", 78, beat, [
        bass_part(bass, FINGER_BASS, 80), pad(organ, DRAWBAR_ORGAN, 45), Part(piano, PIANO, 58),
        pad(choir, CHOIR, 45)], steps_per_beat=3)


def beguine():
    beat = drums("Beguine Drums", [
        (KICK,       "x... ..x. x... ...."),
        (LOW_TOM,    ".... .... .... ..o."),
        (MARACAS,    "x.o. x.o. x.o. x.o."),
        (SIDE_STICK, ".... x... .... x..."),
    ])
    bass = line("Beguine Bass", "x===== x= x=======", [36, 43, 43])
    piano = steady("Beguine Piano 8ths", 16, 2, [55, 60, 64, 67, 72, 67, 64, 60], 1.8, vel=78,
                   accents=(0, 6, 8))
    clarinets = notes("Beguine Clarinets", 32, [(0, (64, 67), 14, 70), (16, (64, 69), 14, 70)])
    return Style("Beguine", 124, beat, [
        bass_part(bass, ACOUSTIC_BASS, 85), Part(piano, PIANO, 65), Part(clarinets, CLARINET, 38)],
        drum_volume=82)


def calypso():
    beat = drums("Calypso Drums", [
        (KICK,       "X..x ..x. X..x ..x."),
        (SIDE_STICK, ".... x... .... x..."),
        (COWBELL,    "..x. ..x. ..x. ..x."),
        (MARACAS,    "xoxo xoxo xoxo xoxo"),
    ])
    bass = line("Calypso Bass", "X==x ==x= X==x ==x=", [36, 43, 45, 43, 40, 43])
    pan = notes("Calypso Steel Pan", 32, [
        (0, 72, 2, 100), (3, 67, 1, 85), (4, 64, 2, 90), (6, 67, 2, 90), (10, 72, 1, 85),
        (11, 76, 3, 95), (16, 74, 2, 90), (19, 72, 1, 85), (20, 67, 2, 90), (22, 69, 2, 90),
        (26, 67, 1, 85), (27, 64, 3, 90)])
    strum = comp("Calypso Strum", "..x. ..x. ..xx ..x.", TRIAD_HIGH, gate=0.5)
    return Style("Calypso", 116, beat, [
        bass_part(bass, FINGER_BASS, 78), Part(pan, STEEL_DRUMS, 62),
        Part(strum, CLEAN_GUITAR, 45)])


def celtic_jig():
    beat = drums("Jig Bodhran", [
        (HIGH_FLOOR_TOM, "Xgg xgg Xgg xgg"),
        (KICK,           "x.. ... x.. ..."),
        (TAMBOURINE,     "... x.. ... x.."),
    ])
    bass = line("Jig Bass", "x== x== x== x==", [36, 43, 36, 43])
    strum = comp("Jig Strum", "X.x x.x X.x x.x", (55, 60, 64, 67))
    drone = comp("Jig Fiddle Drone", "o===========", (60, 67))
    return Style("Celtic Jig", 116, beat, [
        bass_part(bass, ACOUSTIC_BASS, 80), Part(strum, STEEL_GUITAR, 42), pad(drone, FIDDLE, 40)],
        drum_volume=75, steps_per_beat=3)


STYLES = [
    metronome_4_4, metronome_3_4, rock, hard_rock, slow_rock, pop_ballad, swing, jazz_waltz,
    bossa_nova, samba, cha_cha, pop_standard, tango, slow_waltz, viennese_waltz, march, polka,
    disco, funk, reggae, country, blues_shuffle, rhythm_and_blues, house, techno, rumba,
    rock_and_roll, motown, ska, jazz_ballad, hip_hop, trance, salsa, gospel, beguine, calypso,
    celtic_jig,
]


# --- Library -----------------------------------------------------------------------------------

MAX_PATTERNS, MAX_STYLES = 400, 100
EDITABLE_KEYS, EDITABLE_STEPS = range(35, 82), 64  # what the style programmer's grid shows
ROOTS = (12, 17)           # the bass keys C and F as the station holds them
INSTRUMENT_OFFSET = 24     # added by every melodic instrument
PART_RANGES = {1: (28, 64)}  # part 1 is the bass of every style
DEFAULT_RANGE = (40, 100)


def sounding_keys(pattern, transpose):
    return {key + root - 48 + INSTRUMENT_OFFSET + transpose
            for key, _, _, _ in pattern.notes for root in ROOTS}


def pattern_problems(index, pattern):
    problems = []
    if not pattern.name or not pattern.notes:
        problems.append("has no name or no notes")
    for key, vel, pos, dur in pattern.notes:
        if not 0 <= pos < pattern.length:
            problems.append(f"note {key} on step {pos} outside the length {pattern.length}")
        if key not in EDITABLE_KEYS or pattern.length > EDITABLE_STEPS:
            problems.append(f"note {key} or length {pattern.length} beyond the programmer's grid")
        if not 1 <= vel <= 127 or dur <= 0:
            problems.append(f"note {key} has velocity {vel} or length {dur}")
    return [f"arp{index} {pattern.name}: {text}" for text in problems]


def style_problems(index, style):
    problems = []
    for key, _, _, _ in style.rhythm.notes:
        if not 35 <= key <= 81:
            problems.append(f"drum key {key} is not a General MIDI percussion key")
    for number, part in enumerate(style.parts, start=1):
        low, high = PART_RANGES.get(number, DEFAULT_RANGE)
        keys = sounding_keys(part.pattern, part.key)
        if min(keys) < low or max(keys) > high:
            problems.append(f"part {number} sounds {min(keys)}..{max(keys)}, "
                            f"outside {low}..{high}")
    if len(style.parts) < 2 and "Metronome" not in style.name:
        problems.append("needs a bass and at least one more part")
    return [f"style{index} {style.name}: {text}" for text in problems]


def assign_indices(arpeggios, styles):
    patterns = dict(enumerate(arpeggios))
    index_of = {}
    next_index = FIRST_PART_PATTERN
    for style in styles:
        for pattern in [style.rhythm] + [part.pattern for part in style.parts]:
            if id(pattern) not in index_of:
                index_of[id(pattern)] = next_index
                patterns[next_index] = pattern
                next_index += 1
    return patterns, index_of


def library_lines():
    arpeggios = keyboard_arpeggios()
    styles = [make() for make in STYLES]
    patterns, index_of = assign_indices(arpeggios, styles)
    problems = [p for i, pattern in patterns.items() for p in pattern_problems(i, pattern)]
    problems += [p for i, style in enumerate(styles) for p in style_problems(i, style)]
    if len(arpeggios) > FIRST_PART_PATTERN or max(patterns) >= MAX_PATTERNS:
        problems.append("too many patterns")
    if len(styles) > MAX_STYLES:
        problems.append("too many styles")
    names = [pattern.name for pattern in patterns.values()]
    problems += [f"pattern name {name} used twice" for name in set(names)
                 if names.count(name) > 1]
    if problems:
        sys.exit("\n".join(problems))
    lines = [f"<{ROOT_SECTION}>"]
    for index in sorted(patterns):
        lines += patterns[index].lines(index)
    for index, style in enumerate(styles):
        lines += style.lines(index, index_of)
    lines.append(f"</{ROOT_SECTION}>")
    return lines


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "styles.cfg")
    text = "".join(line + "\r\n" for line in library_lines())
    with open(path, "wb") as out:
        out.write(text.encode("ascii"))


if __name__ == "__main__":
    main()
