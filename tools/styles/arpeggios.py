"""The keyboard arpeggios (patterns 0..99), written for the root 48 in major."""

from styles.core import *  # noqa: F401,F403


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
