"""The pattern and style language of the style library: rhythm strings, drum phrases, melodic
lines and comping, parts and styles, and the values as the program writes them."""

import re
import struct

from styles import calibration

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


class Phrase:
    """What a drum phrase is made of, kept for the sections built from it: the groove rows
    (each one or more bars), the fill rows (the end of a bar), the bar's steps, the phrase's
    bars and the crash's velocity character ("" or None: no crash)."""

    def __init__(self, groove, fill, bar, bars, crash):
        self.groove, self.fill, self.bar, self.bars, self.crash = list(groove), list(fill), bar, bars, crash

    def grid(self):
        """key -> the steps of the whole phrase, the groove repeated (no fill, no crash)."""
        total = self.bars * self.bar
        rows = {}
        for key, rhythm in self.groove:
            steps = clean(rhythm)
            rows[key] = list(steps * (total // len(steps)))
        return rows

    def fill_length(self):
        return len(clean(self.fill[0][1])) if self.fill else 0


def with_crash(rows, crash, total):
    """The rows with a crash (of that velocity character) and the kick on the first step, the
    hi-hat or ride that the crash stands for left out there."""
    if crash:
        for hat in (CLOSED_HAT, OPEN_HAT, RIDE):
            if hat in rows:
                rows[hat][0] = "."
        rows.setdefault(CRASH, ["."] * total)[0] = crash
        rows.setdefault(KICK, ["."] * total)[0] = "X" if crash in "AX" else "x"
    return rows


def drums_of(name, rows):
    """A drum pattern of rows given as key -> list of step characters."""
    return drums(name, [(key, "".join(steps)) for key, steps in rows.items()])


def phrase(name, groove, bar, fill=(), bars=4, crash="X"):
    """A drum phrase of `bars` bars of `bar` steps: the groove (one or more bars) repeated, with
    a crash (of that velocity character, or none) and the kick on the first step. The fill rows
    (the end of a bar) are kept with it for the fills, intro and ending built from it (see
    sections.py); the phrase itself is the plain groove."""
    material = Phrase(groove, fill, bar, bars, crash)
    pattern = drums_of(name, with_crash(material.grid(), crash, bars * bar))
    pattern.phrase = material
    return pattern


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
    """`volume` is the arranger's level for the part, 0..100, as if every program were equally
    loud; the library stores what the calibration makes of it (Style.stored_volumes)."""

    def __init__(self, pattern, program, volume, key=12, mode=ON, pan=None, glide=0):
        self.pattern, self.program, self.volume, self.key, self.mode = (
            pattern, program, volume, key, mode)
        self.pan = pan        # 0 left .. 1 right; None: where players of the program usually stand
        self.glide = glide    # portamento time (ms, up to 1000) of notes played legato; 0: none
        self.kind = None      # "bass", "chord" or "phrase", set by the generator
        self.register = None  # (low, high) where the part needs its own
        self.heard = None     # the pattern as it sounds on C major, where that differs
        self.in_main_a = True  # False: the part rests in Main A and plays in other sections


# Beats per bar of each meter; a bar of the drum phrase is beats x steps_per_beat steps.
METER_BEATS = {"2/4": 2, "3/4": 3, "4/4": 4, "5/4": 5, "6/8": 2, "7/8": 7, "9/8": 9, "12/8": 4}


# A comment naming a part followed by "quiet" ("part 3 quiet: a distant bell", "drums quiet")
# lets that part sit more than the balance limit under the style's loudest part.
QUIET_PART = re.compile(r"\b(drums|part [1-4]) quiet\b")


class Style:
    """`meter` and `tempo_range` (the genre's usual tempos, bpm) are checked by the generator;
    `comment` says why a part sits where the balance limits would not put it. `drum_volume` and
    the parts' volumes are the arranger's levels; see Part."""

    def __init__(self, name, bpm, rhythm, parts, drum_volume=90, steps_per_beat=4, shuffle=0.0,
                 meter="4/4", tempo_range=None, comment="", defining=(), clave=None, mode=None,
                 trim_lu=0.0):
        self.name, self.bpm, self.rhythm, self.parts = name, bpm, rhythm, parts
        self.drum_volume, self.steps_per_beat, self.shuffle = drum_volume, steps_per_beat, shuffle
        self.meter, self.tempo_range, self.comment = meter, tempo_range, comment
        # The parts that make the genre (0: the drums, 1..4 the parts): they sit near the loudest.
        self.defining = tuple(defining)
        # "3-2" or "2-3": the side of the clave its first bar plays, for every part to follow.
        self.clave = clave
        # A mode whose notes outside C major seventh the parts may play anywhere ("freygish",
        # "blues"; see make-styles.py), the clash check on strong beats still holding.
        self.mode = mode
        # LU the balance moves the whole style by, where the renders show the model misjudging it
        # (parts that ring on longer than it knows).
        self.trim_lu = trim_lu
        self.sections = {}  # section key ("intro", "mainB", ..) -> Section, see sections.py

    def quiet_parts(self):
        """The parts ("drums", "part 1" ..) the comment lets sit far under the loudest part."""
        return set(QUIET_PART.findall(self.comment))

    def stored_volumes(self):
        """(drums, [part 1, ..]): the volumes the library stores, balanced by the calibration.
        A click track (drums alone) keeps its volume: it is not music to be balanced."""
        if not self.parts:
            return self.drum_volume, []
        return calibration.balance(self, self.quiet_parts())

    def beats(self):
        return METER_BEATS[self.meter]

    def pans(self):
        """The pan (0..1) of each part: its own, else where its program's players stand, a part
        that would stand on another's place moved to the other side."""
        pans = []
        for number, part in enumerate(self.parts, start=1):
            pan = part.pan if part.pan is not None else default_pan(number, part.program)
            if part.pan is None and number > 1 and any(abs(pan - other) < 0.05 for other in pans[1:]):
                pan = 1.0 - pan if abs(pan - 0.5) > 0.05 else 0.35
            pans.append(pan)
        return pans

    def part_patterns(self):
        """(part number, part, pattern) of every pattern a part plays: Main A's, then each
        section's, each once."""
        seen = set()
        for number, part in enumerate(self.parts, start=1):
            if part.in_main_a:
                seen.add((number, id(part.pattern)))
                yield number, part, part.pattern
        for section in self.sections.values():
            for number, pattern in enumerate(section.patterns[1:], start=1):
                if pattern is not None and (number, id(pattern)) not in seen:
                    seen.add((number, id(pattern)))
                    yield number, self.parts[number - 1], pattern

    def drum_patterns(self):
        """Main A's drum phrase, then each section's."""
        return [self.rhythm] + [section.patterns[0] for section in self.sections.values()]

    def bar_steps(self):
        return self.beats() * self.steps_per_beat

    def bar_seconds(self):
        return self.beats() * 60.0 / self.bpm

    def lines(self, index, pattern_index):
        out = [f"<style{index}>", f"name={self.name}", f"bpm={self.bpm}",
               f"shuffle={format_real(self.shuffle)}", f"stepsPerBeat={self.steps_per_beat}"]
        drum_volume, volumes = self.stored_volumes()
        pans = self.pans()
        out += part_lines(0, 0, drum_volume, 0, 1, pattern_index[id(self.rhythm)])
        for number in range(1, 5):
            part = self.parts[number - 1] if number <= len(self.parts) else None
            if part is None:
                out += part_lines(number, 0, 0, 0, 0, 0)
            else:
                main_a = pattern_index[id(part.pattern)] if part.in_main_a else -1
                out += part_lines(number, part.program, volumes[number - 1], part.key, part.mode, main_a)
                if part.kind:
                    out.append(f"kind{number}={part.kind}")
                if part.register:
                    out += [f"low{number}={part.register[0]}", f"high{number}={part.register[1]}"]
                out.append(f"pan{number}={format_real(pans[number - 1])}")
                if part.glide:
                    out.append(f"glide{number}={part.glide}")
        out.append(f"beats={self.beats()}")
        for key, section in self.sections.items():
            out.append(f"{key}Bars={section.bars}")
            out += [f"{key}Arp{n}={pattern_index[id(p)] if p is not None else -1}"
                    for n, p in enumerate(section.patterns)]
        out.append(f"</style{index}>")
        return out


# Where players of each General MIDI family stand, seen from the audience (0 left, 1 right).
FAMILY_PANS = ((0, 0.42), (8, 0.62), (16, 0.58), (24, 0.66), (32, 0.5), (40, 0.6), (52, 0.5),
               (56, 0.4), (64, 0.6), (72, 0.64), (80, 0.5), (88, 0.5), (96, 0.55), (104, 0.38),
               (112, 0.55), (120, 0.5))
LOW_PROGRAMS = {43, 58}  # contrabass, tuba: they stand in the middle with the bass


def default_pan(number, program):
    if number == 1 or program in LOW_PROGRAMS or 32 <= program <= 39:
        return 0.5
    return [pan for first, pan in FAMILY_PANS if program >= first][-1]


def pad(pattern, program, volume, key=12):
    """A sustained part: held with the pedal, struck again at each pass and root change."""
    return Part(pattern, program, volume, key, SUS)


_RAISED_BASS = {}  # (name, length, notes) -> the raised pattern, so styles sharing a line share it


def bass_part(pattern, program, volume, glide=0):
    """The bass line, written like the other parts in MIDI notes for the root C, is stored an
    octave up around the reference key 48 and played without transposition, so that the fifth
    below the root stays on the rows the style programmer shows. The same line given again (by
    another style) is the same stored pattern."""
    key = (pattern.name, pattern.length, tuple(pattern.notes))
    if key not in _RAISED_BASS:
        raised = [(k + 12, vel, pos, dur) for k, vel, pos, dur in pattern.notes]
        _RAISED_BASS[key] = Pattern(pattern.name, pattern.length, raised)
    return Part(_RAISED_BASS[key], program, volume, key=0, glide=glide)


def part_lines(number, program, volume, key, mode, pattern):
    return [f"prog{number}={program}", f"vol{number}={volume}", f"key{number}={key}",
            f"mode{number}={mode}", f"arp{number}={pattern}"]



BEATS = tuple(range(0, 16, 4))  # the four beats of a 4/4 bar at four steps per beat

# --- Shared voicings and fills --------------------------------------------------------------

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
