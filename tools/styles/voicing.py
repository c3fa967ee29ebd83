"""The parts' kinds and the chord checks: every melodic pattern is written over C major seventh
(C E G B, with D, F and A as tensions) and the program maps each degree onto the chord played
(the table below is the program's own). The generator refuses a style that, under some chord
type, plays a note a semitone from a chord tone on a strong beat (the tensions the table places
excepted), or whose chord part jumps more than a tritone on a root change."""

from styles.core import Pattern

# Chord types in the program's order: (suffix, tones above the root, where the source's
# C Db D Eb E F F# G Ab A Bb B go).
CHORDS = [
    ("", (0, 4, 7), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12)),
    ("m", (0, 3, 7), (0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 12)),
    ("7", (0, 4, 7, 10), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10)),
    ("maj7", (0, 4, 7, 11), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 11)),
    ("m7", (0, 3, 7, 10), (0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10)),
    ("m(maj7)", (0, 3, 7, 11), (0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 11, 11)),
    ("6", (0, 4, 7, 9), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9)),
    ("m6", (0, 3, 7, 9), (0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 9, 9)),
    ("dim", (0, 3, 6), (0, 1, 0, 3, 3, 5, 6, 6, 8, 6, 10, 12)),
    ("dim7", (0, 3, 6, 9), (0, 1, 0, 3, 3, 5, 6, 6, 8, 9, 9, 9)),
    ("m7b5", (0, 3, 6, 10), (0, 1, 0, 3, 3, 5, 6, 6, 8, 6, 10, 10)),
    ("aug", (0, 4, 8), (0, 1, 2, 3, 4, 5, 6, 8, 8, 8, 10, 12)),
    ("sus4", (0, 5, 7), (0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 12)),
    ("sus2", (0, 2, 7), (0, 1, 2, 3, 2, 5, 6, 7, 8, 9, 10, 12)),
    ("7sus4", (0, 5, 7, 10), (0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 10)),
    ("add9", (0, 2, 4, 7), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12)),
    ("9", (0, 2, 4, 7, 10), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10)),
    ("5", (0, 7), (0, 1, 2, 3, 0, 5, 6, 7, 8, 9, 10, 12)),
    ("7#5", (0, 4, 8, 10), (0, 1, 2, 3, 4, 5, 6, 8, 8, 8, 10, 10)),
    ("7b5", (0, 4, 6, 10), (0, 1, 2, 3, 4, 5, 6, 6, 8, 9, 10, 10)),
    ("m(add9)", (0, 2, 3, 7), (0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 12)),
    ("m9", (0, 2, 3, 7, 10), (0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10)),
    ("maj9", (0, 2, 4, 7, 11), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 11)),
    ("6/9", (0, 2, 4, 7, 9), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9)),
    ("7b9", (0, 1, 4, 7, 10), (0, 1, 1, 3, 4, 5, 6, 7, 8, 9, 10, 10)),
    ("7#9", (0, 3, 4, 7, 10), (0, 1, 3, 3, 4, 5, 6, 7, 8, 9, 10, 10)),
    ("11", (0, 2, 4, 5, 7, 10), (0, 1, 2, 3, 5, 5, 6, 7, 8, 9, 10, 10)),
    ("m11", (0, 2, 3, 5, 7, 10), (0, 1, 2, 3, 3, 5, 6, 7, 8, 9, 10, 10)),
    ("13", (0, 2, 4, 7, 9, 10), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10)),
]
CHORD_TONES = (0, 4, 7, 11)   # of the source
CHROMATIC = (1, 3, 6, 8, 10)  # approach and blue notes
REFERENCE = 48


def kind_of(number, pattern):
    """Part 1 is the bass; a part that strikes two notes at once is a chord part; a single line
    is a phrase."""
    if number == 1:
        return "bass"
    starts = [pos for _, _, pos, _ in pattern.notes]
    return "chord" if any(starts.count(pos) > 1 for pos in starts) else "phrase"


_SEVENTHS = {}


def with_seventh(pattern):
    """The chord pattern with the source's seventh B in every chord that lacks a seventh, just
    under its highest note, so that C7, Cmaj7 and Cm7 sound their sevenths (under a triad it
    becomes the root). The same pattern given again is the same result."""
    if id(pattern) in _SEVENTHS:
        return _SEVENTHS[id(pattern)]
    notes = list(pattern.notes)
    for pos in sorted({p for _, _, p, _ in notes}):
        chord = [n for n in notes if n[2] == pos]
        keys = [k for k, _, _, _ in chord]
        if len(chord) < 2 or any((k - REFERENCE) % 12 in (10, 11) for k in keys):
            continue
        top = max(keys)
        seventh = top - ((top - REFERENCE) % 12 + 1) % 12  # the B just under the top note
        loudest = max(chord, key=lambda n: n[1])
        notes.append((seventh, min(loudest[1], max(v for _, v, _, _ in chord)), pos, loudest[3]))
    result = Pattern(pattern.name, pattern.length, sorted(notes, key=lambda n: (n[2], n[0])))
    _SEVENTHS[id(pattern)] = result
    return result


def on_major(pattern):
    """The pattern as a chord part sounds it on C major: the source's B becomes the C above, and
    a note the chord already sounds at that step is played once."""
    notes, seen = [], set()
    for key, vel, pos, dur in pattern.notes:
        key = key + mapped(key, CHORDS[0]) - (key - REFERENCE)
        if (key, pos) not in seen:
            seen.add((key, pos))
            notes.append((key, vel, pos, dur))
    return Pattern(pattern.name, pattern.length, notes)


def mapped(key, chord, pattern=None, note=None, bass=False):
    """The interval above the reference a pattern key sounds at under `chord` (one of CHORDS)."""
    degree = (key - REFERENCE) % 12
    if bass and degree in CHROMATIC and pattern is not None:
        target = next_chord_tone(pattern, note)
        if target is not None and abs(target[0] - key) <= 2:
            return mapped(target[0], chord) - (target[0] - key)
    return key - REFERENCE - degree + chord[2][degree]


def next_chord_tone(pattern, note):
    best = None
    for other in pattern.notes:
        if (other[0] - REFERENCE) % 12 not in CHORD_TONES:
            continue
        distance = other[2] - note[2]
        if distance <= 0:
            distance += pattern.length
        if best is None or distance < best[0]:
            best = (distance, other)
    return best[1] if best else None


def allowed_tensions(chord):
    """Where the table puts the source's D and A: tensions a note may hold against the chord."""
    return {chord[2][2] % 12, chord[2][9] % 12}


def strong(pos, style):
    """The first step of the bar's odd beats (1 and 3 of 4/4)."""
    return pos % style.steps_per_beat == 0 and (pos // style.steps_per_beat) % 2 == 0


def clashes(style, kinds):
    """(chord suffix, part, step, note) of every strong-beat note a semitone from a chord tone,
    in every pattern a part plays (Main A's and each section's)."""
    found = []
    for chord in CHORDS:
        tones = set(chord[1])
        for number, _, pattern in style.part_patterns():
            if kinds[number - 1] is None:
                continue
            bass = kinds[number - 1] == "bass"
            for note in pattern.notes:
                key, _, pos, _ = note
                if not strong(pos, style):
                    continue
                sounding = mapped(key, chord, pattern, note, bass) % 12
                if sounding in tones or sounding in allowed_tensions(chord):
                    continue
                if any((sounding - tone) % 12 in (1, 11) for tone in tones):
                    found.append((chord[0], number, pos, key))
    return found


def seventh_heard(style, kinds):
    """True when a chord part of Main A sounds the seventh of C7, Cmaj7 and Cm7."""
    for want, chord in ((10, CHORDS[2]), (11, CHORDS[3]), (10, CHORDS[4])):
        if not any(kinds[n] == "chord" and p.in_main_a
                   and any(mapped(k, chord) % 12 == want for k, _, _, _ in p.pattern.notes)
                   for n, p in enumerate(style.parts)):
            return False
    return True


CHORD_RANGE = (53, 81)  # the program's default register of a chord part


def register_for(pattern, transpose):
    """The chord part's register: the default, widened to hold the voicing as written on C, and
    widened downward again while a voice would still jump more than a tritone."""
    written = [key - 12 + transpose for key, _, _, _ in pattern.notes]
    low, high = min(CHORD_RANGE[0], min(written)), max(CHORD_RANGE[1], max(written))
    for extra in (0, 3, 6, 9, 12):
        if largest_jump(pattern, transpose, (low - extra, high)) <= 6:
            return low - extra, high
    return low, high


def fullest_chord(pattern):
    """The step of the pattern that strikes the most notes at once."""
    starts = [pos for _, _, pos, _ in pattern.notes]
    return max(sorted(set(starts)), key=starts.count)


def voiced(pattern, transpose, shift, register):
    """The MIDI notes of the pattern's fullest chord, major, at `shift` semitones from C, folded
    into the register as the program does."""
    at = fullest_chord(pattern)
    low, high = register
    notes = set()
    for key, _, pos, _ in pattern.notes:
        if pos != at:
            continue
        midi = key - 12 + transpose + mapped(key, CHORDS[0]) - (key - REFERENCE) + shift
        while midi < low:
            midi += 12
        while midi > high:
            midi -= 12
        notes.add(midi)
    return sorted(notes)


def largest_jump(pattern, transpose, register=None):
    """The most any voice of the chord moves on a change between two of the 12 roots, each
    voice going to the nearest note of the next chord, the first root placed nearest C."""
    register = register or register_for(pattern, transpose)
    worst = 0
    for first in range(12):
        start = first - 12 if first > 5 else first
        before = voiced(pattern, transpose, start, register)
        for to in range(12):
            up = (to - start) % 12
            after = voiced(pattern, transpose, start + (up - 12 if up > 6 else up), register)
            for note in after:
                worst = max(worst, min(abs(note - old) for old in before))
    return worst
