"""Pop and rock, soul and blues, hymn, Christmas and film."""

from styles.core import *  # noqa: F401,F403


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


STYLES = [
    rock, hard_rock, slow_rock, pop_ballad, pop_standard, rock_and_roll, motown, funk, rhythm_and_blues, blues_shuffle, gospel,
]
