"""Country and dance styles, reggae and ska."""

from styles.core import *  # noqa: F401,F403


def country():
    beat = drums("Country Train Beat", [
        (SNARE, "goog Xoog goog Xoog"),
        (KICK,  "X... .... X... ...."),
    ])
    bass = line("Country Bass", "x=== .... x=== .... | x=== .... x=.. x=..",
                [36, 43, 40, 43, 45])
    strum = comp("Country Strum", ".... x=o. .... x=o.", (55, 60, 64, 67))
    banjo = line("Country Banjo Roll", "x.x. x.x. x.x. x.x.", [72, 64, 67, 72, 64, 67, 72, 64])
    fiddle = notes("Country Fiddle", 32, [(0, (64, 67), 15, 75), (16, (64, 69), 15, 75)])
    return Style("Country Two-Step", 112, beat, [
        bass_part(bass, ACOUSTIC_BASS, 95), Part(strum, STEEL_GUITAR, 56), Part(banjo, BANJO, 50),
        Part(fiddle, FIDDLE, 42)], drum_volume=85)


def disco():
    beat = phrase("Disco Drums", [
        (KICK,       "X... x... X... x..."),
        (SNARE,      ".... X... .... X..."),
        (CLAP,       ".... x... .... x..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "og.g og.g og.g og.g"),
    ], 16, [(SNARE, "oxxX"), (KICK, "x...")], crash="x")
    bass = line("Disco Octave Bass", "x=x= x=x= x=x= x=x= | x=x= x=x= x=x= x=x=",
                [36, 48] * 4 + [36, 48, 36, 48, 43, 55, 45, 57], gate=0.6)
    guitar = comp("Disco Guitar 16ths", "ogXg ogXg ogXg ogXg", TRIAD_TOP, gate=0.5)
    strings = line("Disco Strings", "x=========== .... | x===== x= ..x= x===",
                   [TRIAD_TOP, TRIAD_TOP, TRIAD_TOP, (67, 72, 76), (69, 72, 76)])
    brass = line("Disco Brass", ".... .... .... ..X=", [TRIAD_HIGH])
    return Style("Disco", 118, beat, [
        bass_part(bass, FINGER_BASS, 90), Part(guitar, MUTED_GUITAR, 58),
        Part(strings, STRINGS, 45),
        Part(brass, BRASS, 50)])


def house():
    beat = phrase("House Drums", [
        (KICK,       "X... x... X... x..."),
        (CLAP,       ".... x... .... x..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (MARACAS,    "gogo gogo gogo gogo"),
        (MUTE_CONGA, "...x ..x. .x.. ..x."),
        (LOW_CONGA,  ".... .... ...x ...."),
    ], 16, [(CLAP, "x.xx"), (KICK, "x...")], crash="o")
    bass = line("House Offbeat Bass", "..x= ..xx ..x= .x.x", [36, 36, 48, 36, 43, 45], gate=0.8)
    piano = comp("House Piano Stabs", "x..x ..x. ..x. .x..", (60, 64, 67, 72), gate=0.6)
    pads = comp("House Pad", "o=============== | ================", TRIAD_TOP)
    return Style("House Dance", 124, beat, [
        bass_part(bass, SYNTH_BASS_1, 90), Part(piano, BRIGHT_PIANO, 60), pad(pads, POLY_PAD, 32)],
        drum_volume=92, shuffle=0.25)


def techno():
    beat = drums("Techno Drums", [
        (KICK,       "X... X... X... X..."),
        (RIDE,       "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "gg.g gg.g gg.g gg.g"),
        (SIDE_STICK, "...x ..x. ...x .x.."),
        (CLAP,       ".... o... .... o..."),
    ])
    bass = line("Rolling Techno Bass", ".Xox .Xox .Xox .Xox", [36] * 12, gate=0.5)
    sequence = notes("Techno Sequence", 12, [(0, 60, 0.5, 100), (3, 67, 0.5, 80),
                                             (6, 72, 0.5, 95), (9, 67, 0.5, 75)])
    drone = notes("Techno Drone", 64, [(0, (48, 55, 60), 64, 70)])
    return Style("Techno", 130, beat, [
        bass_part(bass, SYNTH_BASS_2, 80), Part(sequence, SAW_LEAD, 45), pad(drone, SWEEP_PAD, 30)],
        drum_volume=95)


def trance():
    beat = phrase("Trance Drums", [
        (KICK,       "X... X... X... X..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "gg.g gg.g gg.g gg.g"),
        (CLAP,       ".... o... .... o..."),
    ], 16, FILL_ROLL, crash="x")
    bass = line("Trance Gallop Bass", "..xx ..xx ..xx ..xx", [36, 48] * 4, gate=0.7)
    arpeggio = steady("Trance Arpeggio", 16, 1, [60, 64, 67, 72, 76, 72, 67, 64], 0.5, vel=85,
                      accents=BEATS)
    pads = comp("Trance Pad", "o=============== | ================", (60, 64, 67, 72))
    return Style("Trance", 138, beat, [
        bass_part(bass, SYNTH_BASS_1, 78), Part(arpeggio, SAW_LEAD, 30),
        pad(pads, SYNTH_STRINGS, 25)], drum_volume=92)


def hip_hop():
    beat = drums("Hip-Hop Drums", [
        (KICK,       "X... ..x. ..x. .... | X.x. .... ..X. .x.."),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. xoo."),
    ])
    bass = notes("Hip-Hop Sub Bass", 32, [
        (0, 36, 5, 110), (6, 36, 3, 90), (10, 43, 5, 100), (16, 36, 2, 110), (18, 36, 6, 95),
        (26, 40, 5, 100)])
    keys = line("Hip-Hop Keys Loop", "x=== ..x= ..x= ==.. | x=== ..x= x=== ....",
                [(60, 64, 69), TRIAD_TOP, (62, 67, 72), (60, 64, 69), TRIAD_TOP, TRIAD_HIGH])
    pads = comp("Hip-Hop Choir Pad", "o=============== | ================", (55, 64, 72))
    return Style("Hip-Hop", 92, beat, [
        bass_part(bass, SYNTH_BASS_1, 85), Part(keys, DX_PIANO, 48), pad(pads, CHOIR_PAD, 30)],
        drum_volume=95, shuffle=0.35)


def reggae():
    beat = drums("Reggae One Drop", [
        (KICK,       ".... .... X... .... | .... .... X... ...."),
        (SIDE_STICK, ".... .... X... .... | .... .... X... ...."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.xo"),
    ])
    bass = line("Reggae Bass", "X==x ..x= X=== x=.. | X=== ..x= x=x= x===",
                [36, 36, 43, 45, 43, 36, 40, 43, 45, 43])
    skank = comp("Reggae Skank", ".... x... .... x...", TRIAD_HIGH, gate=0.6)
    bubble = notes("Reggae Organ Bubble", 16, [
        (pos + offset, TRIAD if offset == 0 else 48, 1, 80 if offset == 0 else 60)
        for pos in (2, 6, 10, 14) for offset in (0, 1)])
    return Style("Reggae", 76, beat, [
        bass_part(bass, FINGER_BASS, 80), Part(skank, CLEAN_GUITAR, 60),
        Part(bubble, DRAWBAR_ORGAN, 60)], drum_volume=100, shuffle=0.3)


def ska():
    beat = drums("Ska Drums", [
        (KICK,     "X... .... X... ...."),
        (SNARE,    ".... x... .... x..."),
        (OPEN_HAT, "..x. ..x. ..x. ..x."),
    ])
    bass = line("Ska Walking Bass", "x=== x=== x=== x=== | x=== x=== x=== x===",
                [36, 40, 43, 45, 48, 45, 43, 40])
    guitar = comp("Ska Upstrokes", "..X. ..x. ..X. ..x.", TRIAD_HIGH, gate=0.5)
    organ = comp("Ska Organ", "..x. ..x. ..x. ..x.", (55, 60, 64, 67), gate=0.8)
    return Style("Ska", 160, beat, [
        bass_part(bass, FINGER_BASS, 80), Part(guitar, CLEAN_GUITAR, 55),
        Part(organ, PERC_ORGAN, 50)])


STYLES = [
    country, disco, house, techno, trance, hip_hop, reggae, ska,
]
