"""The checks that keep each style true to its genre: the clave's direction, the feel, the level
of the part that defines the genre, the stereo picture, the low end, and that no two styles play
the same groove under other names."""

import math

from styles import calibration, genres
from styles.core import CLAVES

# --- Clave -------------------------------------------------------------------------------------
# The son and rumba claves, 3-2, on a cycle of 16 positions (2 bars of 2/4 in sixteenths);
# a 4/4 style's cycle is 2 bars of 32 steps, each position two steps.
CLAVE_3_2 = {0, 3, 6, 7, 10, 12}
CYCLE_POSITIONS = 16


def clave_cycle(style):
    """Steps of one clave cycle: two bars of 4/4 in sixteenths, or two bars of 2/4."""
    return 2 * style.bar_steps() if style.meter in ("4/4", "2/4") and style.steps_per_beat == 4 else 0


def onsets(pattern):
    return {pos for _, _, pos, _ in pattern.notes}


def rows_of(pattern):
    rows = {}
    for key, _, pos, _ in pattern.notes:
        rows.setdefault(key, set()).add(pos)
    return rows


def periodic(steps, length, period):
    return {pos % period for pos in steps} == {pos for pos in steps if pos < period} and \
        all((pos + period) % length in steps for pos in steps)


def clave_side(steps, cycle):
    """+1 where `steps` (a row's onsets, its pattern a whole number of cycles) lean to 3-2, -1
    to 2-3, 0 where a row plays both bars alike or leans neither way."""
    half = cycle // 2
    scale = max(1, cycle // CYCLE_POSITIONS)
    folded = {pos % cycle for pos in steps}
    if len(folded) < 3:  # a held chord or a downbeat leans nowhere
        return 0
    if {p for p in folded if p < half} == {p - half for p in folded if p >= half}:
        return 0
    three_two = {p * scale for p in CLAVE_3_2}
    two_three = {(p + half) % cycle for p in three_two}
    lean = len(folded & three_two) - len(folded & two_three)
    return (lean > 0) - (lean < 0)


def clave_problems(style):
    cycle = clave_cycle(style)
    if not cycle:
        return []
    declared = {"3-2": 1, "2-3": -1}.get(style.clave, 0)
    # The drums' groove as written, without the crash and kick that open the phrase.
    material = getattr(style.rhythm, "phrase", None)
    rows = ({key: {pos for pos, char in enumerate(steps) if char != "."} for key, steps in material.grid().items()}
            if material else rows_of(style.rhythm))
    sources = [(key, f"drum key {key} of {style.rhythm.name}", steps, style.rhythm.length)
               for key, steps in rows.items()]
    mains = [(n, part.pattern) for n, part in enumerate(style.parts, start=1) if part.in_main_a]
    if "mainB" in style.sections:
        mains += [(n, p) for n, p in enumerate(style.sections["mainB"].patterns[1:], start=1) if p is not None]
    sources += [(None, f"part {number} in {pattern.name}", onsets(pattern), pattern.length)
                for number, pattern in dict.fromkeys(mains) if number > 1]
    cut_time = style.name in genres.CLAVE_PER_BAR
    problems = []
    for key, what, steps, length in sources:
        # A 4/4 pattern of one bar can only hold the clave twice as fast (one bar a cycle).
        short = style.meter == "4/4" and not length % (cycle // 2) and (
            cut_time or periodic(steps, length, cycle // 2))
        side = clave_side(steps, cycle // 2 if short else cycle) if short or not length % cycle else 0
        if side and key == CLAVES and short and not cut_time:
            problems.append(f"fits the whole clave into one bar ({what}): double time")
        elif side and not declared and key == CLAVES:
            problems.append(f"plays a clave ({what}) but declares no direction")
        elif side and declared and side != declared:
            problems.append(f"{what} plays {'3-2' if side > 0 else '2-3'} against the {style.clave} clave")
    return problems[:2]


# --- Feel --------------------------------------------------------------------------------------

def feel_problems(style):
    feel, expected = genres.feel_of(style), genres.expected_feels(style)
    if feel not in expected:
        return [f"plays {feel} where its genre plays {' or '.join(sorted(expected))}"]
    return []


# --- Levels and stereo -------------------------------------------------------------------------
DEFINING_LIMIT_LU = 4.0   # what the renders hold the genre's own part to
STEREO_LIMIT_DB = 2.0     # the most the mix may lean to one side, as the renders hold it


def low_end_problems(style):
    if style.name in genres.LOW_END_GENRES:
        return []
    share = calibration.low_share(style)
    limit = genres.LOW_END_LIMIT  # the renders hold the measured share to the same limit
    return [f"has {share:.0%} of its power under 120 Hz, more than {limit:.0%}"] if share > limit else []


def defining_problems(style):
    if not style.parts:
        return []
    if not style.defining:
        return ["names no part that defines its genre"]
    alone = calibration.alone_levels(style)
    loudest = max(alone)
    return [f"{'the drums' if n == 0 else f'part {n}'}, its genre's own, sits {loudest - alone[n]:.1f} LU "
            f"under the loudest part" for n in style.defining
            if loudest - alone[n] > DEFINING_LIMIT_LU - calibration.DEFINING_MARGIN_LU]


def stereo_problems(style):
    lean = calibration.lean_db(style) if style.parts else 0.0
    return [f"leans {'right' if lean > 0 else 'left'} by {abs(lean):.1f} dB"] if abs(lean) > STEREO_LIMIT_DB else []


# --- Grooves and bass lines across the library -------------------------------------------------
MOST_AGREEMENT = 0.8
# Styles whose bass plays only the root, the fifth and the octave; the genres that live on it
# (marches, polkas, a country two-beat, some dance music) share this many.
MOST_ROOT_FIFTH_BASSES = 30


# Drums heard as the same voice: every kick, every backbeat, every cymbal or shaker keeping time.
DRUM_VOICES = {35: "kick", 36: "kick", 37: "back", 38: "back", 39: "back", 40: "back",
               42: "time", 44: "time", 46: "time", 51: "time", 53: "time", 54: "time", 69: "time",
               70: "time", 82: "time"}


def groove_steps(style):
    """(drum voices, bass keys) struck on each step of Main A, over its drum phrase."""
    length = style.rhythm.length
    bass = style.parts[0].pattern if style.parts and style.parts[0].in_main_a else None
    steps = [(set(), set()) for _ in range(length)]
    for key, _, pos, _ in style.rhythm.notes:
        steps[pos][0].add(DRUM_VOICES.get(key, key))
    if bass:
        for rep in range(0, length, bass.length):
            for key, _, pos, _ in bass.notes:
                if rep + pos < length:
                    steps[rep + pos][1].add(key)
    return steps


def agreement(a, b):
    """The share of the steps on which either style plays where both play the same drums and the
    same bass notes, over the length of both phrases."""
    steps_a, steps_b = groove_steps(a), groove_steps(b)
    length = math.lcm(len(steps_a), len(steps_b))
    same = played = 0
    for pos in range(length):
        x, y = steps_a[pos % len(steps_a)], steps_b[pos % len(steps_b)]
        if x[0] or x[1] or y[0] or y[1]:
            played += 1
            same += x == y
    return same / played if played else 1.0


def library_problems(styles):
    musical = [s for s in styles if s.parts]
    problems = []
    closest = (0.0, "", "")
    for i, a in enumerate(musical):
        for b in musical[i + 1:]:
            if a.bar_steps() != b.bar_steps() or a.steps_per_beat != b.steps_per_beat:
                continue
            share = agreement(a, b)
            closest = max(closest, (share, a.name, b.name))
            if share > MOST_AGREEMENT:
                problems.append(f"{a.name} and {b.name} play the same drums and bass on {share:.0%} of their steps")
    plain = [s.name for s in musical if root_fifth_only(s)]
    if len(plain) > MOST_ROOT_FIFTH_BASSES:
        problems.append(f"{len(plain)} bass lines play only the root, fifth and octave: {', '.join(plain)}")
    return problems, closest


def root_fifth_only(style):
    bass = style.parts[0]
    return {key % 12 for key, _, _, _ in bass.pattern.notes} <= {0, 7}


def style_problems(style):
    if not style.parts:
        return []
    return (clave_problems(style) + feel_problems(style) + defining_problems(style)
            + stereo_problems(style) + low_end_problems(style))
