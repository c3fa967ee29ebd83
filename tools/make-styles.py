#!/usr/bin/env python3
"""Writes data/styles.cfg, the style library that ships with Brioletta.

Patterns 0..99 are the keyboard arpeggios, 100..499 the parts of the styles in Main A, and from
500 on the patterns of their other sections (tools/styles/sections.py). Melodic keys are
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
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from styles import ballroom_world, country_dance, latin_jazz, metronomes, pop_rock  # noqa: E402
from styles.arpeggios import keyboard_arpeggios  # noqa: E402
from styles.core import FIRST_PART_PATTERN, ROOT_SECTION  # noqa: E402
from styles import genre_checks, genres, sections, voicing  # noqa: E402

GENRES = [metronomes, pop_rock, ballroom_world, latin_jazz, country_dance]


def all_styles():
    """The styles in their slots (genres.SLOTS). STYLES_ONLY=module[,module] builds the metronomes
    and those genres alone (for working on one), in slot order."""
    only = os.environ.get("STYLES_ONLY")
    genre_modules = [g for g in GENRES if not only or g is metronomes or g.__name__.split(".")[-1] in only.split(",")]
    styles = {style.name: style for genre in genre_modules for style in (make() for make in genre.STYLES)}
    unknown = sorted(set(styles) - set(genres.SLOTS))
    if unknown:
        sys.exit(f"styles without a slot in genres.SLOTS: {', '.join(unknown)}")
    if not only and len(styles) != len(genres.SLOTS):
        sys.exit(f"no style for the slots {', '.join(sorted(set(genres.SLOTS) - set(styles)))}")
    return [styles[name] for name in genres.SLOTS if name in styles]


# --- Library -----------------------------------------------------------------------------------

MAX_PATTERNS, MAX_STYLES = 4000, 100
FIRST_SECTION_PATTERN = 500  # the sections' patterns follow Main A's
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
    for section in style.sections.values():
        for key, _, _, _ in section.patterns[0].notes:
            if not 35 <= key <= 81:
                problems.append(f"drum key {key} of {section.patterns[0].name} is not a General MIDI percussion key")
    for number, part, pattern in style.part_patterns():
        low, high = PART_RANGES.get(number, DEFAULT_RANGE)
        keys = sounding_keys(pattern, part.key)
        if min(keys) < low or max(keys) > high:
            problems.append(f"part {number} sounds {min(keys)}..{max(keys)} in {pattern.name}, "
                            f"outside {low}..{high}")
    if len(style.parts) < 2 and "Metronome" not in style.name:
        problems.append("needs a bass and at least one more part")
    if "Metronome" not in style.name:
        problems += phrase_problems(style)
        problems += section_problems(style)
    return [f"style{index} {style.name}: {text}" for text in problems]


LOWEST_BASS = 28  # E1: what a bass part may sound from the bass key E up
# The notes outside C major seventh that a mode adds to every chord (over the chord's root).
MODES = {"freygish": {1, 8}, "blues": {3, 6}}


def passing(style, pattern, note):
    """A note that passes: at most half a beat long, off the strong beats, and the next note
    (the first of the next pass where it is the last) a semitone or a whole tone away."""
    key, _, pos, dur = note
    if dur > style.steps_per_beat / 2 or voicing.strong(pos, style):
        return False
    later = sorted((p, k) for k, _, p, _ in pattern.notes if p > pos)
    following = later[0][1] if later else min(pattern.notes, key=lambda n: n[2])[0]
    return 0 < abs(following - key) <= 2


def phrase_problems(style):
    """Tempo in the genre's range, a drum phrase of 2 or 4 whole bars, and a bass that never
    goes below its root's E1 in any section."""
    problems = []
    low, high = style.tempo_range or (0, 0)
    if not low <= style.bpm <= high:
        problems.append(f"tempo {style.bpm} outside its genre's range {style.tempo_range}")
    bar = style.bar_steps()
    bars = style.rhythm.length / bar
    # One bar where two would not fit the programmer's grid (a fine grid of 12 steps a beat).
    if bars not in (2, 4) and not (bars == 1 and 2 * bar > EDITABLE_STEPS):
        problems.append(f"drum phrase of {style.rhythm.length} steps is not 2 or 4 bars of {bar}")
    modal = MODES.get(style.mode, set())
    for number, _, pattern in style.part_patterns():
        # Written over C major, mapped onto the fingered chord: notes the mapping leaves alone
        # must fit every chord (no Db, Eb, F#, Ab; F only in passing), unless they pass: an
        # approach or blue note, short, off the strong beats, moving by step to the next note.
        # A style in a mode (the freygish of klezmer) plays its mode's notes freely.
        for note in pattern.notes:
            key, _, pos, dur = note
            if key % 12 in modal or passing(style, pattern, note):
                continue
            if key % 12 in (1, 3, 6, 8) or (key % 12 == 5 and dur > 2.0):
                problems.append(f"part {number} plays {key} on step {pos} of {pattern.name}, a clash under some chords")
                break
    for number, bass, pattern in style.part_patterns():
        if number != 1:
            continue
        lowest = min(key for key, _, _, _ in pattern.notes) + 4 - 48 + INSTRUMENT_OFFSET + bass.key
        if lowest < LOWEST_BASS:
            problems.append(f"the bass reaches MIDI {lowest} from the bass key E in {pattern.name}, below E1")
    return problems


SECTION_BARS = {"intro": (1, 4), "mainB": (1, 16), "fillA": (1, 1), "fillB": (1, 1), "break": (1, 1),
                "ending": (1, 4)}
# The main whose parts a section plays: Main B's for Main B and Fill B, Main A's for the others.
SECTION_MAIN = {"intro": "mainA", "mainB": "mainB", "fillA": "mainA", "fillB": "mainB", "break": "mainA",
                "ending": "mainA"}


def section_problems(style):
    """Every section, of bars in its range, its new patterns whole bars long; a part for every
    part its main plays; fills that differ from the main's bars and from each other."""
    problems = []
    bar = style.bar_steps()
    missing = [key for key in sections.SECTION_KEYS if key not in style.sections]
    if missing:
        return [f"has no {', '.join(missing)}"]
    main_a = [part.in_main_a for part in style.parts]
    main_b = [p is not None for p in style.sections["mainB"].patterns[1:len(style.parts) + 1]]
    for key, section in style.sections.items():
        low, high = SECTION_BARS[key]
        if not low <= section.bars <= high:
            problems.append(f"the {key} lasts {section.bars} bars, not {low}..{high}")
        drum = section.patterns[0]
        if key != "mainB" and drum.length != section.bars * bar:
            problems.append(f"the {key}'s drums last {drum.length} steps, not {section.bars} bars of {bar}")
        if drum.length % bar:
            problems.append(f"the {key}'s drums are not whole bars")
        plays = main_b if SECTION_MAIN[key] == "mainB" else main_a
        for number, playing in enumerate(plays, start=1):
            pattern = section.patterns[number]
            if playing and pattern is None:
                problems.append(f"part {number} plays in its main but rests in the {key}")
            if pattern is not None and pattern.length % bar:
                problems.append(f"part {number}'s pattern in the {key} is not whole bars")
    if not all(a <= b for a, b in zip(main_a, main_b)):
        problems.append("Main B leaves out a part of Main A")

    def notes(pattern, start=0):
        return sorted((k, p - start) for k, _, p, _ in pattern.notes if start <= p < start + bar)

    fill_a, fill_b = (style.sections[key].patterns[0] for key in ("fillA", "fillB"))
    if notes(fill_a) == notes(fill_b):
        problems.append("Fill A and Fill B play the same drums")
    for fill in (fill_a, fill_b):
        for main in (style.rhythm, style.sections["mainB"].patterns[0]):
            if any(notes(fill) == notes(main, n * bar) for n in range(main.length // bar)):
                problems.append(f"{fill.name} plays a bar of the main unchanged")
    return problems


def voice_parts(style):
    """Declares each part's kind, writes chord parts over C major seventh and gives a chord part
    whose voicing the default register cannot hold its own."""
    for number, part in enumerate(style.parts, start=1):
        part.kind = voicing.kind_of(number, part.pattern)
        if part.kind == "chord":
            part.pattern = voicing.with_seventh(part.pattern)
            part.heard = voicing.on_major(part.pattern)
            register = voicing.register_for(part.pattern, part.key)
            part.register = None if register == voicing.CHORD_RANGE else register


def chord_problems(style):
    """Semitone clashes on strong beats under every chord type, chord parts that jump more than a
    tritone on a root change, and chord parts that leave a seventh chord's seventh unheard."""
    if "Metronome" in style.name:
        return []
    kinds = [part.kind for part in style.parts]
    problems = [f"part {number} plays {key} on step {pos} a semitone from a chord tone of {suffix or 'major'}"
                for suffix, number, pos, key in voicing.clashes(style, kinds)[:1]]
    for number, part, pattern in style.part_patterns():
        if part.kind == "chord":
            register = part.register or voicing.CHORD_RANGE
            jump = voicing.largest_jump(pattern, part.key, register)
            if jump > 6:
                problems.append(f"part {number} jumps {jump} semitones on a root change in {pattern.name}")
    main_a_kinds = [kind for kind, part in zip(kinds, style.parts) if part.in_main_a]
    if "chord" in main_a_kinds and not voicing.seventh_heard(style, kinds):
        problems.append("no chord part sounds the seventh of C7, Cmaj7 and Cm7")
    return problems


def drum_duplicates(styles):
    """Every drum pattern of every section of a style is its own: no other style plays it."""
    seen = {}
    problems = []
    for style in styles:
        for pattern in style.drum_patterns():
            notes = tuple(sorted(pattern.notes))
            if notes in seen and seen[notes][0] != style.name:
                problems.append(f"{pattern.name} of {style.name} plays the drums of {seen[notes][1]}")
            seen.setdefault(notes, (style.name, pattern.name))
    return problems


def assign_indices(arpeggios, styles):
    """The keyboard arpeggios keep 0..99, Main A's patterns follow from 100 as they always have,
    the sections' patterns from 500."""
    patterns = dict(enumerate(arpeggios))
    index_of = {}

    def assign(pattern, at):
        if id(pattern) in index_of:
            return at
        index_of[id(pattern)] = at
        patterns[at] = pattern
        return at + 1

    next_index = FIRST_PART_PATTERN
    for style in styles:
        for pattern in [style.rhythm] + [part.pattern for part in style.parts if part.in_main_a]:
            next_index = assign(pattern, next_index)
    if next_index > FIRST_SECTION_PATTERN:
        sys.exit(f"Main A's patterns reach {next_index - 1}, into the sections' from {FIRST_SECTION_PATTERN}")
    next_index = FIRST_SECTION_PATTERN
    for style in styles:
        for section in style.sections.values():
            for pattern in section.patterns:
                if pattern is not None:
                    next_index = assign(pattern, next_index)
    return patterns, index_of


def library_lines():
    arpeggios = keyboard_arpeggios()
    styles = all_styles()
    for style in styles:
        sections.add_main_b_part(style)
        voice_parts(style)
        sections.build(style)
        sections.level_fills(style)
    patterns, index_of = assign_indices(arpeggios, styles)
    problems = [p for i, pattern in patterns.items() for p in pattern_problems(i, pattern)]
    problems += [p for i, style in enumerate(styles) for p in style_problems(i, style)]
    problems += [f"style{i} {style.name}: {p}" for i, style in enumerate(styles) for p in chord_problems(style)]
    problems += drum_duplicates(styles)
    problems += [f"style{i} {style.name}: {p}" for i, style in enumerate(styles)
                 for p in genre_checks.style_problems(style)]
    problems += genre_checks.library_problems(styles)[0]
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
