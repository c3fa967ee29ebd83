"""The song sections of every musical style, built from the style's own material: its drum
phrase (groove rows, fill rows and crash, kept by `phrase`), its parts' patterns and their kinds.
So each genre keeps its character: a waltz's intro is its oom-pah-pah, a Latin style's break and
ending hit on its own percussion, a swing ending chokes its cymbal.

  intro   2 bars (4 where a bar is short, so that it lasts a few seconds): the groove without its
          backbeat, then the fill bar; every part plays its Main A pattern.
  mainB   the groove busier: its time keeper filled in with ghost notes at the next finer
          subdivision and a kick pickup closing the phrase; a held chord joins on a free part
          (which rests in Main A).
  fillA   one bar: the groove's last bar with the fill at its end; Main A's parts.
  fillB   one bar: Main B's last bar with a longer fill (the fill led in by a softer copy of it,
          or, where the fill takes the whole bar, with ghost snares between); Main B's parts.
  break   one bar of stop time: the drums hit beat 1 (with the crash on a kit) and play the
          fill's last beat as the pickup; every part strikes its chord on beat 1, a beat long.
  ending  as many bars as the intro: the groove, Fill B's bar, then the final hit, every part's
          chord (the bass its root) held past the bar's end, so that it rings once the
          accompaniment stops.

A fill plays from the beat after the press to the end of its bar, so its later beats carry it.
Toms and rolls are louder than the groove they replace: level_fills softens a fill until the
calibration's estimate puts it at most calibration.FILL_LIFT_LU over its main (Main B's held
chord is held to calibration.MAIN_B_LIFT_LU over Main A by the balance itself).
"""

from styles.core import (
    CABASA, CLAP, CLOSED_HAT, COWBELL, DISTORTION_GUITAR, DRAWBAR_ORGAN, HIGH_BONGO, HIGH_WOODBLOCK,
    KICK, LONG_GUIRO, LOW_FLOOR_TOM, MARACAS, MUTE_TRIANGLE, OPEN_HAT, OVERDRIVE_GUITAR, PEDAL_HAT,
    PERC_ORGAN, POLY_PAD, RIDE, RIDE_BELL, ROCK_ORGAN, SHORT_GUIRO, SIDE_STICK, SLOW_STRINGS, SNARE,
    STRINGS, SUS, SYNTH_BASS_1, SYNTH_BASS_2, SYNTH_STRINGS, TAMBOURINE, TRIAD_HIGH, WARM_PAD, Part,
    Pattern, clean, comp, drums_of, with_crash)
from styles import calibration, voicing

SECTION_KEYS = ("intro", "mainB", "fillA", "fillB", "break", "ending")
MOST_STEPS = 64            # the style programmer's grid: no section pattern is longer
SHORT_BAR_SECONDS = 1.5    # a bar shorter than this gets 4-bar intros and endings
PAD_VOLUME = 40            # the arranger's level of Main B's held chord
FINAL_RING_BARS = 1.5      # the ending's last chord lasts this many bars
# Rows that keep time, the first the style has is the one Main B fills in.
TIME_KEEPERS = (CLOSED_HAT, RIDE, OPEN_HAT, TAMBOURINE, MARACAS, CABASA, SHORT_GUIRO, LONG_GUIRO,
                RIDE_BELL, COWBELL, HIGH_BONGO, MUTE_TRIANGLE, HIGH_WOODBLOCK, PEDAL_HAT)
BACKBEAT = (SNARE, CLAP, SIDE_STICK)
SOFTER = {"A": "X", "X": "x", "x": "o", "o": "g", "g": "g", "=": "."}
LOUDER = {"A": "A", "X": "A", "x": "X", "o": "x", "g": "o", "=": "="}


class Section:
    """A section's bars and the pattern of each part (drums first); None: the part rests."""

    def __init__(self, bars, patterns):
        self.bars, self.patterns = bars, list(patterns)


# --- Rows: key -> list of step characters ---------------------------------------------------

def copy(rows):
    return {key: list(steps) for key, steps in rows.items()}


def bar_of(rows, n, bar):
    return {key: steps[n * bar:(n + 1) * bar] for key, steps in rows.items()}


def joined(*parts):
    """Rows of several lengths laid one after another (a key missing from one rests there)."""
    keys = []
    for rows in parts:
        keys += [key for key in rows if key not in keys]
    out = {}
    for key in keys:
        out[key] = []
        for rows in parts:
            length = len(next(iter(rows.values())))
            out[key] += rows.get(key, ["."] * length)
    return out


def normal(rows):
    """The hits of the rows, for comparing two bars."""
    return sorted((key, pos, char) for key, steps in rows.items() for pos, char in enumerate(steps)
                  if char != ".")


def hits(rows):
    """The (key, step) of every hit of the rows."""
    return frozenset((key, pos) for key, steps in rows.items() for pos, char in enumerate(steps)
                     if char != ".")


def time_keeper(rows):
    for key in TIME_KEEPERS:
        if key in rows:
            return key
    return max(rows, key=lambda key: sum(char != "." for char in rows[key]))


def subdivisions(steps_per_beat):
    """Step distances finer than the beat, coarsest first."""
    return [d for d in range(steps_per_beat - 1, 0, -1) if steps_per_beat % d == 0]


# --- Drum sections ----------------------------------------------------------------------------

class Drums:
    """Builds the drum pattern of each section from the style's phrase."""

    def __init__(self, style):
        self.style = style
        self.material = style.rhythm.phrase
        self.bar = self.material.bar
        self.beat = style.steps_per_beat
        self.grid = self.material.grid()
        self.total = self.material.bars * self.bar
        self.crash = self.material.crash
        self.kit = KICK in self.grid and any(key in self.grid for key in BACKBEAT)
        self.swing = style.shuffle >= 0.5 and RIDE in self.grid

    def fill_bar(self, base, longer=False):
        """The bar `base` with the fill at its end; `longer`: led in by a softer copy of the
        fill (or ghost snares between its hits where it takes the whole bar)."""
        rows = copy(base)
        fill = [(key, clean(rhythm)) for key, rhythm in self.material.fill]
        length = self.material.fill_length()
        for key in rows:
            rows[key][self.bar - length:] = "." * length
        for key, steps in fill:
            rows.setdefault(key, ["."] * self.bar)[self.bar - length:] = steps
        if not longer:
            return rows
        if 2 * length <= self.bar:
            start = self.bar - 2 * length
            for key, steps in fill:
                for i, char in enumerate(steps):
                    if char != ".":
                        rows[key][start + i] = SOFTER[char]
        else:
            grid = subdivisions(self.beat)[0] if self.beat > 1 else 1
            snare = rows.setdefault(SNARE, ["."] * self.bar)
            for pos in range(self.bar - length, self.bar, grid):
                if all(steps[pos] == "." for steps in rows.values()):
                    snare[pos] = "g"
        return rows

    def distinct(self, rows, taken):
        """`rows` (a bar) changed until it plays no bar of `taken` (sets of (key, step)): the
        kick on every beat, then a floor tom closing the bar."""
        kick = rows.setdefault(KICK, ["."] * self.bar)
        for change in range(3):
            if hits(rows) not in taken:
                break
            if change == 0:
                for pos in range(0, self.bar, self.beat):
                    kick[pos] = "o" if kick[pos] == "." else kick[pos]
            else:
                rows.setdefault(LOW_FLOOR_TOM, ["."] * self.bar)[self.bar - 1] = "X"
        return {key: steps for key, steps in rows.items() if any(char != "." for char in steps)}

    def busier(self):
        """Main B's grid: the time keeper filled in, a kick pickup at the phrase's end."""
        rows = copy(self.grid)
        keeper = rows[time_keeper(rows)]
        for step in subdivisions(self.beat):
            empty = [pos for pos in range(0, self.total, step) if keeper[pos] == "."]
            if empty:
                for pos in empty:
                    keeper[pos] = "g"
                break
        pickup = self.total - (self.beat // 2 if self.beat % 2 == 0 else 1)
        if KICK in rows and rows[KICK][pickup] == ".":
            rows[KICK][pickup] = "o"
        return rows

    def hit(self, length, choke=False):
        """A bar (of `length` steps) that hits beat 1: every row that plays the groove's first
        step, accented, and the crash on a kit (the time keeper giving way to it)."""
        rows = {key: ["."] * length for key in self.grid}
        for key, steps in self.grid.items():
            if steps[0] != ".":
                rows[key][0] = "X" if steps[0] in "xX" else LOUDER[steps[0]]
        if self.kit:
            rows = with_crash(rows, self.crash or "o", length)
            rows[KICK][0] = "X" if (self.crash or "o") in "AX" else "x"
        if choke:
            rows.setdefault(PEDAL_HAT, ["."] * length)[self.beat] = "x"
        return {key: steps for key, steps in rows.items() if any(char != "." for char in steps)}

    def sections(self, intro_bars):
        name = self.style.name
        last = self.material.bars - 1
        fill_a = self.fill_bar(bar_of(self.grid, last, self.bar))
        busy = self.busier()
        mains = {hits(bar_of(grid, n, self.bar)) for grid in (self.grid, busy)
                 for n in range(self.material.bars)}
        fill_a = self.distinct(fill_a, mains)
        fill_b = self.fill_bar(bar_of(busy, last, self.bar), longer=True)
        fill_b = self.distinct(fill_b, mains | {hits(fill_a)})
        lead = []
        for n in range(intro_bars - 1):
            bar = bar_of(self.grid, n % self.material.bars, self.bar)
            kept = {key: steps for key, steps in bar.items() if key not in BACKBEAT}
            lead.append(kept if any(c != "." for steps in kept.values() for c in steps) else bar)
        # The pickup: the fill's last beat, the time keeper going on under it.
        beat = self.bar - self.beat
        pickup = {key: ["."] * beat + steps[beat:] for key, steps in fill_a.items()}
        keeper = time_keeper(self.grid)
        groove_end = bar_of(self.grid, last, self.bar)[keeper][beat:]
        pickup[keeper] = [a if a != "." else b for a, b in zip(pickup.get(keeper, ["."] * self.bar),
                                                               ["."] * beat + groove_end)]
        stop = self.hit(self.bar)
        rest = ["."] * self.bar
        breaking = {key: [a if a != "." else b for a, b in zip(stop.get(key, rest), pickup.get(key, rest))]
                    for key in list(stop) + [key for key in pickup if key not in stop]}
        grooves = [bar_of(self.grid, n % self.material.bars, self.bar) for n in range(intro_bars - 2)]
        ending = joined(*grooves, fill_b, self.hit(self.bar, choke=self.swing))
        if intro_bars == 1:  # no room for the fill's bar: the groove to the last beat, then the hit
            beat = self.bar - self.beat
            groove = {key: steps[:beat] for key, steps in bar_of(self.grid, last, self.bar).items()}
            final = self.hit(self.beat, choke=self.swing)
            for key in BACKBEAT:  # the whole band cuts off: the backbeat strikes with it
                if key in self.grid:
                    final.setdefault(key, ["."] * self.beat)[0] = "X"
            ending = joined(groove, final)
        length = self.material.fill_length()
        fill_a_pattern = drums_of(f"{name} Fill A", fill_a)
        fill_a_pattern.fill_from = self.bar - length
        fill_b_pattern = drums_of(f"{name} Fill B", fill_b)
        fill_b_pattern.fill_from = max(0, self.bar - 2 * length)
        return {
            "intro": drums_of(f"{name} Intro Drums", joined(*lead, fill_a)),
            "mainB": drums_of(f"{name} Main B Drums", with_crash(busy, self.crash, self.total)),
            "fillA": fill_a_pattern,
            "fillB": fill_b_pattern,
            "break": drums_of(f"{name} Break Drums", breaking),
            "ending": drums_of(f"{name} Ending Drums", ending),
        }


# --- Accompaniment sections -------------------------------------------------------------------

def final_strike(part):
    """The notes a part ends on: the bass its root, a chord part its fullest chord, a line its
    first chord tone (C, E or G)."""
    notes = part.pattern.notes
    loudest = max(vel for _, vel, _, _ in notes)
    if part.kind == "bass":
        roots = [key for key, _, _, _ in notes if key % 12 == 0]
        keys = [roots[0] if roots else 48]
    elif part.kind == "chord":
        at = voicing.fullest_chord(part.pattern)
        keys = sorted({key for key, _, pos, _ in notes if pos == at})
    else:
        tones = [key for key, _, _, _ in sorted(notes, key=lambda n: n[2]) if (key - 48) % 12 in (0, 4, 7)]
        keys = [tones[0] if tones else 60]
    return keys, loudest


def stab(style, number, part, length):
    """The break: the part's final chord struck on beat 1, a beat long."""
    keys, vel = final_strike(part)
    dur = round(style.steps_per_beat * 0.9, 2)
    return Pattern(f"{style.name} Break Part {number}", length, [(key, vel, 0, dur) for key in keys])


def ending(style, number, part, bars):
    """The ending: the part's Main A pattern for all bars but the last, then its final chord
    held past the last bar."""
    bar = style.bar_steps()
    body = (bars - 1) * bar
    pattern = part.pattern
    notes = []
    for start in range(0, body, pattern.length):
        for key, vel, pos, dur in pattern.notes:
            at = start + pos
            if at < body:
                notes.append((key, vel, at, round(min(dur, body - at), 2)))
    keys, vel = final_strike(part)
    notes += [(key, vel, body, FINAL_RING_BARS * bar) for key in keys]
    notes.sort(key=lambda note: (note[2], note[0]))
    return Pattern(f"{style.name} Ending Part {number}", bars * bar, notes)


_PADS = {}


def pad_program(style):
    """The held chord Main B adds: a warm pad over synthesizers, an organ under distorted
    guitars, slow strings elsewhere; never a program the style plays already (the same sound on
    the same chord would double it)."""
    programs = {part.program for part in style.parts}
    if programs & (set(range(80, 104)) | {SYNTH_BASS_1, SYNTH_BASS_2}):
        choices = (WARM_PAD, POLY_PAD, SYNTH_STRINGS, SLOW_STRINGS)
    elif programs & {DISTORTION_GUITAR, OVERDRIVE_GUITAR, DRAWBAR_ORGAN, PERC_ORGAN, ROCK_ORGAN}:
        choices = (ROCK_ORGAN, DRAWBAR_ORGAN, SLOW_STRINGS)
    else:
        choices = (SLOW_STRINGS, STRINGS, WARM_PAD)
    return next(program for program in choices if program not in programs)


def add_main_b_part(style):
    """A held chord on the first free part, resting in Main A, for Main B."""
    if not style.parts or len(style.parts) >= 4:
        return
    bar = style.bar_steps()
    if bar not in _PADS:
        _PADS[bar] = comp(f"Main B Held Chord {bar} Steps", "o" + "=" * (bar - 1), TRIAD_HIGH)
    part = Part(_PADS[bar], pad_program(style), PAD_VOLUME, mode=SUS)
    part.in_main_a = False
    style.parts.append(part)


def section_bars(style):
    """2 bars, or 4 where a bar is short; never beyond the programmer's grid."""
    bars = 4 if style.bar_seconds() < SHORT_BAR_SECONDS else 2
    while bars > 1 and bars * style.bar_steps() > MOST_STEPS:
        bars //= 2
    return bars


def build(style):
    """Sets style.sections (the parts already voiced, see make-styles.py)."""
    if not style.parts:
        return
    bars = section_bars(style)
    bar = style.bar_steps()
    drum = Drums(style).sections(bars)
    in_a = [part.pattern if part.in_main_a else None for part in style.parts]
    in_b = [part.pattern for part in style.parts]
    played = [(n, part) for n, part in enumerate(style.parts, start=1) if part.in_main_a]

    def parts_of(make):
        patterns = [None] * 4
        for number, part in played:
            patterns[number - 1] = make(number, part)
        return patterns

    def padded(patterns):
        return patterns + [None] * (4 - len(patterns))

    style.sections = {
        "intro": Section(bars, [drum["intro"]] + padded(in_a)),
        "mainB": Section(1, [drum["mainB"]] + padded(in_b)),
        "fillA": Section(1, [drum["fillA"]] + padded(in_a)),
        "fillB": Section(1, [drum["fillB"]] + padded(in_b)),
        "break": Section(1, [drum["break"]] + parts_of(lambda n, p: stab(style, n, p, bar))),
        "ending": Section(bars, [drum["ending"]] + parts_of(lambda n, p: ending(style, n, p, bars))),
    }


def softened(pattern, factor, start):
    """The pattern with the velocities of its notes from step `start` on scaled by `factor`."""
    notes = [(key, max(1, round(vel * factor)) if pos >= start else vel, pos, dur)
             for key, vel, pos, dur in pattern.notes]
    out = Pattern(pattern.name, pattern.length, notes)
    out.fill_from = start
    return out


def level_fills(style):
    """Softens the fill (its notes from where it starts, or, should that not do, the whole bar)
    until the fill's estimated mix lies at most calibration.FILL_LIFT_LU over its main's: toms
    and snare rolls are louder than the groove they replace. Called once the sections are built."""
    for key, main_key in (("fillA", None), ("fillB", "mainB")):
        if key not in style.sections:
            continue
        section = style.sections[key]
        main_b = main_key is not None
        main = style.sections[main_key].patterns[0] if main_b else style.rhythm
        most = calibration.section_mix(style, main, main_b) + calibration.FILL_LIFT_LU
        fill = section.patterns[0]
        start = getattr(fill, "fill_from", 0)
        factor = 1.0
        while calibration.section_mix(style, fill, main_b) > most and factor > 0.3:
            factor *= 0.95
            fill = softened(section.patterns[0], factor, start if factor > 0.6 else 0)
        section.patterns[0] = fill
