"""Latin and jazz styles."""

from styles.core import *  # noqa: F401,F403


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


STYLES = [
    bossa_nova, salsa, swing, jazz_waltz, jazz_ballad, calypso,
]
