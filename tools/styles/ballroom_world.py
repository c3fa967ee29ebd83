"""Ballroom, European and world styles."""

from styles.core import *  # noqa: F401,F403


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
    tango, slow_waltz, viennese_waltz, cha_cha, rumba, samba, beguine, march, polka, celtic_jig,
]
