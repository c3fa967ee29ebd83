"""The keyboard arpeggios (patterns 0..99), written for the root 48 in C major.

Every pattern plays on each held key, transposed by its distance from 48; with fingered chords
it plays once on the chord's root and E, G and B/Bb follow the chord's third, fifth and seventh.
So the patterns are built from C, E and G (B and Bb only as sevenths, D and A only as colour).

Names without a meter are 4/4 bars at four steps a beat (lengths dividing 16, or 16/32/64);
"3/4" patterns fill 12 or 24 steps at four a beat, "12/8" patterns 12 steps at three a beat
(one triplet a step), so none of them drifts against the bar.
"""

from styles.core import *  # noqa: F401,F403

C2, G2, C3, D3, E3, G3, A3, BB3 = 36, 43, 48, 50, 52, 55, 57, 58
C4, D4, E4, G4, A4, C5, D5, E5, G5 = 60, 62, 64, 67, 69, 72, 74, 76, 79

GUITAR_DOWN = (C3, E3, G3, C4, E4)  # an open C chord, all five strings
GUITAR_UP = (G3, C4, E4)            # the three top strings an upstroke catches


def pulse(name, rhythm, gate=0.9):
    """The root alone in a rhythm: held chords pulse in it, every key of them."""
    return comp(name, rhythm, C3, gate)


def strum(name, strokes):
    """One character a step: "D" a downstroke over all strings, loud, the bass string first in
    weight; "U" an upstroke over the top strings, softer, its top string leading; "." nothing.
    Each stroke rings until the next one."""
    events = []
    starts = [pos for pos, char in enumerate(strokes) if char in "DU"]
    for i, pos in enumerate(starts):
        ring = ((starts[i + 1] if i + 1 < len(starts) else len(strokes)) - pos) * 0.9
        if strokes[pos] == "D":
            events += [(pos, key, ring, 106 - 4 * n) for n, key in enumerate(GUITAR_DOWN)]
        else:
            events += [(pos, key, ring, 66 + 6 * n) for n, key in enumerate(GUITAR_UP)]
    return notes(name, len(strokes), events)


def roll(start, keys, until, vel=96):
    """A chord spread one string a step, every string ringing until `until`."""
    return [(start + n, key, until - start - n - 0.2, vel - 5 * n) for n, key in enumerate(keys)]


def sweep(name, keys, length, ring=3.0, low_vel=70, high_vel=112):
    """A harp glissando: one string a step, each left to ring, swelling from the first note
    to the last."""
    span = max(len(keys) - 1, 1)
    return notes(name, length, [(pos, key, ring, round(low_vel + (high_vel - low_vel) * pos / span))
                                for pos, key in enumerate(keys)])


def root_rhythms():
    """The root and its octaves only: with a chord held, the whole chord plays the rhythm."""
    return [
        pulse("Straight 8ths Pulse", "X=o= x=o= X=o= x=o="),
        # Beat one, a short two, then the offbeats of two, three and four pushed and held.
        pulse("Pop Push Pulse", "X=.. o.x= =.x= ..x="),
        # The guitar chop on two and four, short, with the echo after four.
        pulse("Reggae Skank Pulse", ".... X... .... X.o.", gate=0.55),
        # Every offbeat an upstroke, the beat left to the drums.
        pulse("Offbeat Upstroke Pulse", "..X. ..x.", gate=0.7),
        # One and the "and" of two, the rest of the bar silent.
        pulse("Charleston Pulse", "X=.. ..x= .... ...."),
        # 3 + 3 + 2 eighths of a half bar.
        pulse("Tresillo Pulse", "X==x ==x=", gate=0.85),
        # The three and two of the son clave in one bar, short like the sticks.
        pulse("Clave 3-2 Pulse", "X..x ..x. ..x. x...", gate=0.6),
        # Sixteenths cut short, the accents grouped 3 + 3 + 2 + 3 + 3 + 2.
        pulse("Gated 16ths Pulse", "XooX ooXo XooX ooXo", gate=0.5),
        # Dotted eighths across the bar, fading like a delay.
        pulse("Dotted 8ths Echo", "X==x ==o= =x== o==.", gate=0.6),
        # The root on the beat, its octave on the offbeat with a ghosted pickup.
        line("Disco Octaves", "X.xg X.x.", [C3, C4, C4, C3, C4], gate=0.8),
        steady("Octave Tremolo", 2, 1, [C3, C4], 0.9),
        pulse("Waltz Accent Pulse 3/4", "X=.. o=.. o=.."),
        pulse("Triplet Pulse 12/8", "Xoo xoo Xoo xoo", gate=0.8),
        # Long-short swing: the beat held over the middle triplet, the last one soft.
        pulse("Shuffle Pulse 12/8", "X=o x=o X=o x=o"),
    ]


def arpeggios_4_4():
    return [
        steady("Up 8ths", 16, 2, [C3, E3, G3, C4], 1.8, accents=(0, 8)),
        steady("Down 8ths", 16, 2, [C4, G3, E3, C3], 1.8, accents=(0, 8)),
        steady("Up-Down 8ths", 16, 2, [C3, E3, G3, C4, E4, C4, G3, E3], 1.8, accents=(0, 8)),
        steady("Up 16ths", 8, 1, [C3, E3, G3, C4, E4, G4, C5, E5], 0.9, accents=(0, 4)),
        steady("Down 16ths", 8, 1, [E5, C5, G4, E4, C4, G3, E3, C3], 0.9, accents=(0, 4)),
        steady("Up-Down 16ths", 16, 1,
               [C3, E3, G3, C4, E4, G4, C5, E5, G5, E5, C5, G4, E4, C4, G3, E3], 0.9,
               accents=BEATS),
        steady("Alberti 8ths", 8, 2, [C3, G3, E3, G3], 1.8, accents=(0,)),
        # The Alberti figure climbing through the inversions, one a beat, and back.
        steady("Alberti Climbing 16ths", 16, 1,
               [C3, G3, E3, G3, E3, C4, G3, C4, G3, E4, C4, E4, E3, C4, G3, C4], 0.9,
               accents=BEATS),
        steady("Broken Chord 8ths", 16, 2, [C3, G3, C4, E4, G4, E4, C4, G3], 1.8, accents=(0,)),
        # Octaves walking up the chord and back.
        steady("Broken Octaves 8ths", 16, 2, [C3, C4, E3, E4, G3, G4, E3, E4], 1.8,
               accents=(0, 8)),
        # Third and fifth: both move with the chord held.
        steady("Trill Third-Fifth", 2, 1, [E4, G4], 0.9),
        steady("Block Chords 8ths", 4, 2, [(C3, E3, G3)], 1.5, accents=(0,)),
        # A trance gate: the chord chopped into sixteenths with holes.
        comp("Gated Chords 16ths", "X.xx .xx. X.xx .xXx", (E3, G3, C4, E4), gate=0.5),
        # Root and fifth muted under the palm, the accents grouped 3 + 3 + 2 eighths.
        comp("Power Fifths 8ths", "X=o= o=X= o=o= X=o=", (C3, G3), gate=0.6),
        # Down, down-up, up-down-up: the campfire strum.
        strum("Strum Pop", "D...D.U...U.D.U."),
        # The chord spread upward a string a step, then downward from the top in first inversion.
        notes("Rolled Chords", 16, roll(0, [C3, E3, G3, C4, E4], 8)
              + roll(8, [G4, E4, C4, G3, E3], 16, vel=90)),
        notes("Stride", 16, [(0, C2, 3, 110), (4, (E3, G3, C4), 2, 88),
                             (8, G2, 3, 105), (12, (E3, G3, C4), 2, 88)]),
        # A held low root under eighths rising to the ninth and the third, then falling back.
        notes("Ballad Arpeggio", 16, [(0, C2, 7.5, 104)] + [
            (pos, key, 1.9, 88) for pos, key in
            zip(range(2, 16, 2), [G2, C3, D3, E3, C3, G2, C3])]),
        steady("Waves 16ths", 16, 1,
               [C3, G3, C4, E4, G4, C5, E5, C5, G4, E4, C4, G3, E3, G3, C4, E4], 0.9,
               accents=BEATS),
        line("Syncopated 16ths", "x..x ..x. x.x. .x..", [C4, G4, E4, C5, G4, E4]),
        # Pentatonic glissandi, C D E G A, two and a half octaves; D and A colour every chord.
        sweep("Harp Glissando Up", [C3, D3, E3, G3, A3, C4, D4, E4, G4, A4, C5, D5, E5, G5], 16),
        sweep("Harp Glissando Down", [G5, E5, D5, C5, A4, G4, E4, D4, C4, A3, G3, E3, D3, C3], 16,
              low_vel=112, high_vel=64),
        # The thumb alternates root, third, low fifth and third; the fingers pinch the top
        # string on one and pick between the thumb's notes.
        notes("Travis Picking", 16, [
            (0, C3, 1.8, 104), (0, E4, 2.5, 96), (2, C4, 1.8, 80), (4, E3, 1.8, 92),
            (6, G3, 1.8, 80), (8, G2, 1.8, 100), (10, C4, 1.8, 82), (12, E3, 1.8, 92),
            (14, G3, 1.8, 80)]),
        # Two bars of piano montuno in octaves, syncopated against the clave.
        line("Montuno Octaves", "x=..x=x= ..x=x=.. ..x=x=.. x=x=..x=",
             [(key, key + 12) for key in (C3, E3, G3, E3, C3, E3, G3, C4, G3, E3)]),
    ]


def arpeggios_3_4():
    return [
        notes("Waltz Oom-Pah-Pah 3/4", 12, [(0, C2, 3, 110), (4, (E3, G3, C4), 3, 85),
                                            (8, (E3, G3, C4), 3, 80)]),
        steady("Waltz Broken Chord 3/4", 12, 2, [C3, G3, C4, E4, C4, G3], 1.8, accents=(0,)),
        # Guitar waltz: the thumb on one (root, then the low fifth), the fingers answering.
        notes("Waltz Picking 3/4", 24, [
            (0, C3, 3.5, 104), (2, C4, 1.8, 78), (4, (G3, E4), 1.8, 86), (6, C4, 1.8, 76),
            (8, (G3, E4), 1.8, 84), (10, C4, 1.8, 76),
            (12, G2, 3.5, 100), (14, C4, 1.8, 78), (16, (G3, E4), 1.8, 86), (18, C4, 1.8, 76),
            (20, (G3, E4), 1.8, 84), (22, C4, 1.8, 76)]),
        # A turn on each beat, starting a chord tone higher each time.
        steady("Waltz Rising 16ths 3/4", 12, 1,
               [C3, G3, C4, G3, E3, C4, E4, C4, G3, E4, G4, E4], 0.9, accents=(0, 4, 8)),
        # Down, down-up, down-up.
        strum("Strum Folk 3/4", "D...D.U.D.U."),
    ]


def arpeggios_12_8():
    return [
        # Up and down the chord in triplets, the second half a chord tone higher.
        steady("Triplet Up-Down 12/8", 12, 1, [C3, E3, G3, C4, G3, E3, E3, G3, C4, E4, C4, G3],
               0.9, accents=(0, 3, 6, 9)),
        # From the low root up two octaves and a half and down again across the bar.
        steady("Ballad Arpeggio 12/8", 12, 1, [C2, G2, C3, E3, G3, C4, E4, C4, G3, E3, C3, G2],
               1.9, accents=(0, 6)),
        # The bass on each beat (root, low fifth), the chord soft on the other two triplets.
        notes("Ballad Triplet Chords 12/8", 12, [
            (beat, bass, 2.7, 104) for beat, bass in zip((0, 3, 6, 9), (C2, G2, C2, G2))] + [
            (pos, (E3, G3, C4), 0.8, 70) for beat in (0, 3, 6, 9) for pos in (beat + 1, beat + 2)]),
        # Down on every beat, up on the last triplet, the fourth beat up twice.
        strum("Strum Ballad 12/8", "D.UD.UD.UDUU"),
        # The boogie figure long-short: root, third, fifth, sixth, seventh (as the chord has it,
        # the blue one over a plain triad), sixth, fifth, third.
        notes("Boogie Shuffle 12/8", 12, [
            (pos, key, 1.8 if pos % 3 == 0 else 0.9, 104 if pos % 3 == 0 else 84)
            for pos, key in zip((0, 2, 3, 5, 6, 8, 9, 11), (C3, E3, G3, A3, BB3, A3, G3, E3))]),
    ]


def keyboard_arpeggios():
    # The arpeggios first: pattern 0 is what a tone plays when Arp is first switched on.
    return arpeggios_4_4() + root_rhythms() + arpeggios_3_4() + arpeggios_12_8()
