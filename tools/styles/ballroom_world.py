"""Ballroom, European and world styles."""

from styles.core import *  # noqa: F401,F403

# GM sitar: the nearest twang to the single-string tumbi of bhangra.
TUMBI = 104


# bass_part shares one stored pattern among the styles that play the same line.
bass = bass_part


# --- Parts several styles play alike ---------------------------------------------------------

# A bar-long held chord for strings, pads or horns under a 4/4 or a 3/4 dance.
PAD_44 = comp("Ballroom Held Chord 4/4", "o=============== ", TRIAD_HIGH)
PAD_34 = comp("Ballroom Held Chord 3/4", "o===========", TRIAD_TOP)
# Root on one, fifth on three: the two-beat of quickstep, schlager, sirtaki and klezmer.
BASS_TWO_BEAT = line("Two-Beat Root-Fifth Bass", "X=== .... x=== ....", [36, 43])
# Four even chords a bar, the rhythm guitar of the swing dances.
GUITAR_FOUR = comp("Ballroom Guitar in Four", "x=.. o=.. x=.. o=..", (52, 55, 60), gate=0.8)
# The off-beat "chick" of schlager and sirtaki.
OFFBEAT_44 = comp("Off-Beat Chords 4/4", "..x. ..x. ..x. ..x.", TRIAD, gate=0.7)
# Waltz: the bass on one, the chord on two and three.
BASS_WALTZ = line("Waltz Root-Fifth Bass", "x=== .... .... | x=== .... ....", [36, 43])
WALTZ_PAH = comp("Waltz Pah-Pah", ".... x==. x==.", TRIAD)
# 2/4 oom-pah of march, polka and paso doble.
BASS_OOM_PAH = line("2/4 Oom-Pah Bass", "X=.. x=..", [36, 43])
AFTERBEAT_24 = comp("2/4 Afterbeat Chords", "..x. ..x.", TRIAD, gate=0.7)
# 6/8: root and fifth on the two dotted-quarter beats.
BASS_6_8 = line("6/8 Root-Fifth Bass", "X=. x=.", [36, 43])

# --- Fills ---------------------------------------------------------------------------------

FILL_BRUSH = [(SNARE, "o.o. x.X."), (KICK, ".... ..x.")]
FILL_KICKS = [(SNARE, "x.x. X..."), (HIGH_TOM, ".... ..x."), (KICK, "x... X...")]
FILL_JIVE = [(SNARE, "x.x. X.X."), (KICK, "x... x...")]
FILL_2_4 = [(SNARE, "x.xx"), (KICK, "x...")]
FILL_WALTZ = [(SNARE, "o.o. x.x."), (KICK, "x... ....")]
FILL_6_8 = [(SNARE, "xxxX.."), (KICK, "x..x..")]


# --- Ballroom ------------------------------------------------------------------------------

def foxtrot():
    # Slow foxtrot: brushes sweeping every beat under a light swing, a walking bass.
    beat = phrase("Foxtrot Brushes", [
        (RIDE,      "x... x.x. x... x.x."),
        (PEDAL_HAT, ".... x... .... x..."),
        (SNARE,     "g... o... g... o..."),
        (KICK,      "o... .... o... ...."),
    ], 16, FILL_BRUSH, crash="o")
    walk = line("Foxtrot Walking Bass", "x=== x=== x=== x=== | x=== x=== x=== x===",
                [36, 38, 40, 43, 48, 45, 43, 40], gate=0.9)
    return Style("Foxtrot", 116, beat, [
        bass(walk, ACOUSTIC_BASS, 82), Part(GUITAR_FOUR, JAZZ_GUITAR, 50),
        pad(PAD_44, SLOW_STRINGS, 46)], drum_volume=82, shuffle=0.7, tempo_range=(104, 124))


def quickstep():
    # Quickstep: a bright two-beat with snare on two and four and brass kicks.
    beat = phrase("Quickstep Drums", [
        (CLOSED_HAT, "x.x. x.x. x.x. x.x."),
        (SNARE,      ".... X... .... X..."),
        (KICK,       "x... .... x... ...."),
    ], 16, FILL_KICKS)
    brass = line("Quickstep Brass Kicks", ".... X=.. .... X=.. | .... X=.. ..X= ....",
                 [TRIAD_HIGH, TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP], gate=0.8)
    return Style("Quickstep", 200, beat, [
        bass(BASS_TWO_BEAT, ACOUSTIC_BASS, 84), Part(brass, BRASS, 56),
        Part(GUITAR_FOUR, JAZZ_GUITAR, 48)], drum_volume=85, shuffle=0.6, tempo_range=(188, 208))


def jive():
    # Jive: swung boogie bass, shuffling piano chords and a sax riff answering it.
    beat = phrase("Jive Drums", [
        (CLOSED_HAT, "x.x. X.x. x.x. X.x."),
        (SNARE,      ".... X... .... X..."),
        (CLAP,       ".... x... .... x..."),
        (KICK,       "X... ..x. X... ..x."),
    ], 16, FILL_JIVE)
    boogie = line("Jive Boogie Bass", "x=x= x=x= x=x= x=x=", [36, 40, 43, 45, 48, 45, 43, 40])
    piano = comp("Jive Piano Shuffle", "x.x. X.x. x.x. X.x.", TRIAD_HIGH, gate=0.6)
    sax = line("Jive Sax Riff", ".... .... x=x= X=.. | .... .... x=x= X=..",
               [60, 64, 67, 67, 70, 67])
    return Style("Jive", 168, beat, [
        bass(boogie, FINGER_BASS, 84), Part(piano, PIANO, 58), Part(sax, TENOR_SAX, 52)],
        drum_volume=88, shuffle=1.0, tempo_range=(150, 184))


def paso_doble():
    # Paso doble: a Spanish march in two, strings on the afterbeats, a trumpet fanfare.
    beat = phrase("Paso Doble Drums", [
        (SNARE, "X.xx x.x."),
        (KICK,  "X... x..."),
    ], 8, [(SNARE, "xxxxX.X."), (KICK, "x...X.X.")])
    trumpets = line("Paso Doble Trumpets", "X.xx X=== | X.xx X=== | x.x. x.x. | X=== ....",
                    [67, 67, 67, 72, 76, 74, 72, 67, 64, 67, 72, 76, 72])
    return Style("Paso Doble", 120, beat, [
        bass(BASS_OOM_PAH, ACOUSTIC_BASS, 86), Part(AFTERBEAT_24, STRINGS, 50),
        Part(trumpets, TRUMPET, 60)], drum_volume=88, meter="2/4", tempo_range=(112, 132))


def disco_fox():
    # Disco-fox: four on the floor, open hats between, octave bass in eighths.
    beat = phrase("Disco-Fox Drums", [
        (CLOSED_HAT, "x... x... x... x..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (CLAP,       ".... X... .... X..."),
        (KICK,       "X... x... X... x..."),
    ], 16, FILL_SHORT)
    octaves = steady("Disco-Fox Octave Bass", 16, 2, [36, 48], 1.6, vel=96, accents=(0, 8))
    return Style("Disco-Fox", 124, beat, [
        bass(octaves, SYNTH_BASS_1, 80), Part(OFFBEAT_44, BRIGHT_PIANO, 55),
        pad(PAD_44, SYNTH_STRINGS, 50)], drum_volume=90, tempo_range=(116, 136))


def slow_waltz():
    # Slow waltz: ride on every beat, bass on one, piano on two and three, strings holding.
    beat = phrase("Slow Waltz Drums", [
        (RIDE,       "x... o... o..."),
        (KICK,       "x... .... ...."),
        (SIDE_STICK, ".... x... x..."),
    ], 12, FILL_WALTZ, crash="o")
    return Style("Slow Waltz", 88, beat, [
        bass(BASS_WALTZ, ACOUSTIC_BASS, 96), Part(WALTZ_PAH, PIANO, 66),
        pad(PAD_34, STRINGS, 48)], drum_volume=90, meter="3/4", tempo_range=(78, 96))


def viennese_waltz():
    # Viennese waltz: fast, one beat to the bar, triangle on one, a harp turning the chord.
    beat = phrase("Viennese Waltz Drums", [
        (KICK,          "X... .... ...."),
        (PEDAL_HAT,     ".... x... x..."),
        (OPEN_TRIANGLE, "x... .... ...."),
    ], 12, [(SNARE, "x.x. X..."), (KICK, "x... x...")])
    harp = steady("Viennese Harp", 24, 2, [48, 55, 60, 64, 67, 72, 76, 72, 67, 64, 60, 55],
                  2, vel=75, accents=(0, 12))
    return Style("Viennese Waltz", 174, beat, [
        bass(BASS_WALTZ, PIZZICATO, 100), Part(WALTZ_PAH, STRINGS, 52), Part(harp, HARP, 55),
        pad(PAD_34, FRENCH_HORN, 44)], drum_volume=90, meter="3/4", tempo_range=(150, 186))


def tango():
    # Tango: marcato in four with the drag to the next bar in the snare and bandoneon.
    beat = phrase("Tango Drums", [
        (KICK,       "X... .... x... ...."),
        (SIDE_STICK, ".... x... .... x..."),
        (SNARE,      ".... ..g. .... ..x."),
    ], 16, [(SNARE, "X.xx X.X."), (KICK, "x... x.x.")])
    marcato = line("Tango Marcato Bass", "X=.. x=.. X==. x=.x", [36, 43, 36, 40, 43])
    bandoneon = comp("Tango Bandoneon", "X=.. x=.. X=.. x=o.", TRIAD, gate=0.75)
    violin = notes("Tango Violin", 32, [(0, 72, 14, 85), (16, 76, 6, 80), (24, 67, 7, 85)])
    return Style("Tango", 128, beat, [
        bass(marcato, ACOUSTIC_BASS, 84), Part(bandoneon, BANDONEON, 60),
        Part(violin, VIOLIN, 52)], drum_volume=92, tempo_range=(112, 134))


def cha_cha():
    # Cha-cha: cowbell quarters, guiro, and the "cha-cha-cha" timbales on four-and-one.
    beat = phrase("Cha-Cha Drums", [
        (COWBELL,      "X... x... X... x..."),
        (LONG_GUIRO,   "x... .... x... ...."),
        (SHORT_GUIRO,  ".... x.x. .... ...."),
        (MUTE_CONGA,   ".... x... .... x..."),
        (HIGH_TIMBALE, ".... .... .... x.x."),
        (KICK,         "o... .... o... ...."),
    ], 16, [(HIGH_TIMBALE, "x.x. ...."), (LOW_TIMBALE, ".... x.x."), (COWBELL, "X... X...")],
        crash="x")
    tumbao = line("Cha-Cha Bass", "x=== .... x=== x=x= | x=== .... x=== x=x=",
                  [36, 43, 40, 43, 36, 43, 45, 43])
    piano = line("Cha-Cha Piano", "x=x= .xx= x=x= .xx=",
                 [(60, 72), 64, 67, (64, 76), (60, 72), 64, 67, (64, 76)], gate=0.8)
    return Style("Cha-Cha", 124, beat, [
        bass(tumbao, ACOUSTIC_BASS, 86), Part(piano, PIANO, 66), pad(PAD_44, STRINGS, 42)],
        drum_volume=88, tempo_range=(108, 132))


def rumba():
    # Ballroom rumba: son clave, maracas, the bass anticipating beat three.
    beat = phrase("Rumba Drums", [
        (CLAVES,     ".... x... x... .... | x... ..x. .... x..."),
        (MARACAS,    "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.o."),
        (MUTE_CONGA, ".... x... .... .... | .... x... .... ...."),
        (OPEN_CONGA, ".... .... .... x.x. | .... .... .... x.x."),
        (KICK,       "o... .... .... .... | o... .... .... ...."),
    ], 16, [(OPEN_CONGA, "x.x."), (LOW_CONGA, ".x.x")], crash="o")
    anticipated = line("Rumba Bass", "x==. ..x= ==== x===", [36, 43, 36])
    marimba = line("Rumba Marimba", "x.x. x.x. x.x. x.x.", [55, 60, 64, 67, 72, 67, 64, 60])
    return Style("Rumba", 100, beat, [
        bass(anticipated, ACOUSTIC_BASS, 92), Part(marimba, MARIMBA, 58),
        pad(PAD_44, SLOW_STRINGS, 42)], drum_volume=85, tempo_range=(88, 112))


def samba():
    # Samba in two: the surdo's heavy second beat, shaker sixteenths, partido-alto guitar.
    beat = phrase("Samba Drums", [
        (KICK,       "x..o X... | x..o X..."),
        (MARACAS,    "xggo xggo | xggo xggo"),
        (SIDE_STICK, "x.x. .x.x | .x.x ..x."),
        (HIGH_AGOGO, "x... .... | .... ...."),
        (LOW_AGOGO,  ".... .... | x... ...."),
    ], 8, [(SNARE, "x.xx x.X."), (KICK, ".... X...")])
    surdo = line("Samba Surdo Bass", "x=.o X=..", [36, 43, 43])
    guitar = comp("Samba Guitar", "x..x ..x. ..x. x...", TRIAD, gate=0.5)
    brass = line("Samba Brass", ".... .... .... .... | .... .... ..X. X=..",
                 [TRIAD_HIGH, TRIAD_TOP])
    return Style("Samba", 100, beat, [
        bass(surdo, FINGER_BASS, 82), Part(guitar, CLEAN_GUITAR, 55), Part(brass, BRASS, 58)],
        meter="2/4", tempo_range=(88, 120))


# --- European ------------------------------------------------------------------------------

def schlager():
    # Schlager: a plain two-beat with off-beat piano and strings, tambourine on the offs.
    beat = phrase("Schlager Drums", [
        (CLOSED_HAT, "x.x. x.x. x.x. x.x."),
        (TAMBOURINE, "..x. ..x. ..x. ..x."),
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X... .... X... ..x."),
    ], 16, FILL_ROCK)
    return Style("Schlager", 120, beat, [
        bass(BASS_TWO_BEAT, FINGER_BASS, 84), Part(OFFBEAT_44, PIANO, 60),
        pad(PAD_44, STRINGS, 44)], drum_volume=88, tempo_range=(100, 140))


def musette():
    # Valse musette: brushes, guitar on two and three, an accordion running in eighths.
    beat = phrase("Musette Brushes", [
        (SNARE,     "g... x... x..."),
        (KICK,      "x... .... ...."),
        (PEDAL_HAT, ".... o... o..."),
    ], 12, [(SNARE, "x.xx x..."), (KICK, "x... ....")], crash="o")
    run = steady("Musette Accordion Run", 24, 2, [67, 64, 60, 64, 67, 72, 76, 74, 72, 67, 64, 67],
                 1.8, vel=80, accents=(0, 12))
    return Style("Musette", 168, beat, [
        bass(BASS_WALTZ, ACOUSTIC_BASS, 92), Part(WALTZ_PAH, JAZZ_GUITAR, 58),
        Part(run, ACCORDION, 56)], drum_volume=80, meter="3/4", tempo_range=(132, 200))


def tarantella():
    # Tarantella: running tambourine eighths, chopped chords, a plucked arpeggio.
    beat = phrase("Tarantella Drums", [
        (TAMBOURINE, "Xxx xxx"),
        (KICK,       "x.. x.."),
        (CLAVES,     "..x ..x"),
    ], 6, [(TAMBOURINE, "xxxxxX"), (SNARE, "..x.xX"), (KICK, "x.....")], crash="o")
    chops = comp("Tarantella Chops", ".xx .xx", TRIAD, gate=0.6)
    arpeggio = steady("Tarantella Mandolin", 12, 1, [67, 72, 76, 72, 67, 64, 60, 64, 67, 72, 67, 64],
                      0.9, vel=80, accents=(0, 3, 6, 9))
    return Style("Tarantella", 150, beat, [
        bass(BASS_6_8, ACOUSTIC_BASS, 88), Part(chops, ACCORDION, 58),
        Part(arpeggio, STEEL_GUITAR, 52)], drum_volume=85, steps_per_beat=3, meter="6/8",
        tempo_range=(120, 180))


def mazurka():
    # Mazurka: the dotted figure on one and the accent moving to two or three.
    beat = phrase("Mazurka Drums", [
        (KICK,  "X... .... .... | x... .... ...."),
        (SNARE, ".... X... x... | .... x... X..."),
        (PEDAL_HAT, "o... .... .... | o... .... ...."),
    ], 12, [(SNARE, "x.xx X..."), (KICK, "x... x...")], crash="o")
    piano = comp("Mazurka Piano", "x==x X=== x===", TRIAD_HIGH, gate=0.8)
    return Style("Mazurka", 138, beat, [
        bass(BASS_WALTZ, ACOUSTIC_BASS, 92), Part(piano, PIANO, 62), pad(PAD_34, STRINGS, 46)],
        drum_volume=86, meter="3/4", tempo_range=(112, 168))


def polka():
    # Polka: tuba oom-pah, accordion on the afterbeats, a clarinet tune in eighths.
    beat = phrase("Polka Drums", [
        (KICK,       "X... x..."),
        (SNARE,      "..x. ..x."),
        (CLOSED_HAT, "..o. ..o."),
    ], 8, FILL_2_4, crash="x")
    clarinet = line("Polka Clarinet", "x=x= x=x= | x=x= x=x= | x=x= x=x= | x=== ....",
                    [67, 72, 76, 72, 67, 64, 60, 64, 67, 69, 67, 64, 60])
    return Style("Polka", 128, beat, [
        bass(BASS_OOM_PAH, TUBA, 92), Part(AFTERBEAT_24, ACCORDION, 66),
        Part(clarinet, CLARINET, 50)], drum_volume=85, meter="2/4", tempo_range=(100, 150))


def march():
    # March in two: snare roll into the last bar, tuba and brass oom-pah, glockenspiel.
    beat = phrase("March Drums", [
        (SNARE, "X..x x.x."),
        (KICK,  "X... x..."),
    ], 8, FILL_ROLL, crash="x")
    fanfare = notes("March Fanfare", 32, [(24, 67, 1, 100), (26, 67, 1, 90), (27, 67, 1, 95),
                                          (28, 72, 3, 112)])
    glockenspiel = steady("March Glockenspiel", 16, 4, [72, 76, 79, 76], 2, vel=80)
    return Style("March", 116, beat, [
        bass(BASS_OOM_PAH, TUBA, 100), Part(AFTERBEAT_24, BRASS, 62), Part(fanfare, TRUMPET, 66),
        Part(glockenspiel, GLOCKENSPIEL, 62)], drum_volume=88, meter="2/4",
        tempo_range=(100, 132))


def march_6_8():
    # March in 6/8: the lilting two of a parade march, brass on the last eighth of each beat.
    beat = phrase("March 6/8 Drums", [
        (SNARE, "X.x X.x"),
        (KICK,  "X.. x.."),
    ], 6, FILL_6_8, crash="x")
    brass = comp("6/8 March Brass", "..x ..x", TRIAD, gate=0.7)
    return Style("March 6/8", 116, beat, [
        bass(BASS_6_8, TUBA, 100), Part(brass, BRASS, 64)], drum_volume=88, steps_per_beat=3,
        meter="6/8", tempo_range=(100, 132))


# --- World ---------------------------------------------------------------------------------

def sirtaki():
    # Sirtaki: a two-beat under a tremolo bouzouki line and off-beat guitar.
    beat = phrase("Sirtaki Drums", [
        (TAMBOURINE, "x.x. x.x. x.x. x.x."),
        (SIDE_STICK, ".... x... .... x..."),
        (KICK,       "X... .... x... ...."),
    ], 16, [(SNARE, "x.x. x.xx"), (KICK, "x... x...")], crash="o")
    tremolo = steady("Sirtaki Bouzouki Tremolo", 32, 1,
                     [64] * 4 + [67] * 4 + [72] * 4 + [67] * 4 +
                     [64] * 4 + [67] * 4 + [64] * 4 + [60] * 4,
                     0.9, vel=78, accents=(0, 4, 8, 12, 16, 20, 24, 28))
    return Style("Sirtaki", 120, beat, [
        bass(BASS_TWO_BEAT, ACOUSTIC_BASS, 86), Part(tremolo, STEEL_GUITAR, 54),
        Part(OFFBEAT_44, NYLON_GUITAR, 56)], drum_volume=82, tempo_range=(80, 180))


def klezmer():
    # Klezmer freylekhs: the bulgar 3+3+2 in snare and accordion, a clarinet on the freygish.
    beat = phrase("Klezmer Drums", [
        (CLOSED_HAT, "..x. ..x. ..x. ..x."),
        (SNARE,      "X... ..x. .... x..."),
        (KICK,       "X... .... x... ...."),
    ], 16, [(SNARE, "xxx. X.X."), (KICK, "x... x...")])
    bulgar = comp("Klezmer Bulgar Chords", "x=.. ..x= .... x=..", TRIAD, gate=0.8)
    clarinet = line("Klezmer Clarinet", "x=x= x=x= x=== x=== | x=x= x=x= x=== ....",
                    [67, 65, 64, 65, 64, 60, 67, 70, 67, 65, 64])
    return Style("Klezmer", 132, beat, [
        bass(BASS_TWO_BEAT, TUBA, 90), Part(bulgar, ACCORDION, 62),
        Part(clarinet, CLARINET, 52)], drum_volume=85, tempo_range=(100, 160))


def balkan_7_8():
    # Balkan 7/8 counted 2+2+3 in eighths: tapan on each group, the long group last.
    beat = phrase("Balkan 7/8 Drums", [
        (KICK,       "X... x... X....."),
        (SIDE_STICK, "..x. ..x. ..x.x."),
        (TAMBOURINE, "x.o. x.o. x.o.o."),
    ], 14, [(SNARE, "xxx.X."), (KICK, "x...X.")])
    groups = line("Balkan 7/8 Bass", "X=.. x=.. x=====", [36, 36, 43])
    accordion = comp("Balkan 7/8 Accordion", "..x. ..x. ..x.x.", TRIAD, gate=0.7)
    return Style("Balkan 7/8", 200, beat, [
        bass(groups, ACOUSTIC_BASS, 88), Part(accordion, ACCORDION, 62)],
        drum_volume=88, steps_per_beat=2, meter="7/8", tempo_range=(150, 220),
        comment="bpm counts eighths")


def balkan_9_8():
    # Balkan 9/8 counted 2+2+2+3 in eighths: three short groups and the long one.
    beat = phrase("Balkan 9/8 Drums", [
        (KICK,       "X... x... x... X....."),
        (SIDE_STICK, "..x. ..x. ..x. ..x.x."),
        (TAMBOURINE, "x.o. x.o. x.o. x.o.o."),
    ], 18, [(SNARE, "x.xxX."), (KICK, "x...X.")], bars=2)
    groups = line("Balkan 9/8 Bass", "X=.. x=.. x=.. x=====", [36, 43, 36, 43])
    accordion = comp("Balkan 9/8 Accordion", "..x. ..x. ..x. ..x.x.", TRIAD, gate=0.7)
    return Style("Balkan 9/8", 210, beat, [
        bass(groups, ACOUSTIC_BASS, 88), Part(accordion, ACCORDION, 62)],
        drum_volume=88, steps_per_beat=2, meter="9/8", tempo_range=(160, 220),
        comment="bpm counts eighths")


def maqsum():
    # Maqsum on the doumbek: doum-tek-.-tek-doum-.-tek-. with ka strokes and riq between;
    # the strings play open fifths so the mode's third stays with the player.
    beat = phrase("Maqsum Doumbek", [
        (LOW_CONGA,  "X... .... X... ...."),
        (HIGH_BONGO, "..x. ..x. .... x..."),
        (MUTE_CONGA, ".... g... ..g. ..g."),
        (TAMBOURINE, "x.o. x.o. x.o. x.o."),
    ], 16, [(HIGH_BONGO, "x.x.x.x."), (MUTE_CONGA, ".g.g.g.g"), (LOW_CONGA, "......X.")],
        crash=None)
    doum = line("Maqsum Bass", "X=.. ..x. X=.. .x..", [36, 43, 36, 43])
    strings = comp("Maqsum Strings", "..x. ..x. .... x...", (55, 60, 67), gate=0.6)
    return Style("Maqsum", 100, beat, [
        bass(doum, FRETLESS_BASS, 88), Part(strings, STRINGS, 50)],
        drum_volume=92, tempo_range=(80, 130))


def bhangra():
    # Bhangra: the dhol's swung chaal, dagga on the beat and tilli between, a tumbi riff.
    beat = phrase("Bhangra Dhol", [
        (LOW_FLOOR_TOM, "X... ..x. x... ..x."),
        (HIGH_TIMBALE,  "..x. x.x. ..x. x.x."),
        (CLAP,          ".... x... .... x..."),
        (TAMBOURINE,    "x.x. x.x. x.x. x.x."),
        (KICK,          "X... .... x... ...."),
    ], 16, [(LOW_FLOOR_TOM, "X.x.X.x."), (HIGH_TIMBALE, "..x...x."), (KICK, "x...x...")])
    dagga = line("Bhangra Bass", "X=.. ..x= X=.. ..x=", [36, 36, 43, 43])
    tumbi = line("Bhangra Tumbi Riff", "x.x. x.xx x.x. x... | x.x. x.xx x=.. x...",
                 [72, 72, 79, 76, 79, 72, 72, 67, 72, 72, 79, 76, 74, 72, 76], gate=0.6)
    return Style("Bhangra", 98, beat, [
        bass(dagga, SYNTH_BASS_2, 84), Part(tumbi, TUMBI, 56)],
        drum_volume=92, shuffle=0.6, tempo_range=(84, 120))


def beguine():
    # Beguine: the long-short-long kick, maracas in eighths, a piano rolling in eighths.
    beat = phrase("Beguine Drums", [
        (KICK,       "x... ..x. x... ...."),
        (LOW_TOM,    ".... .... .... ..o."),
        (MARACAS,    "x.o. x.o. x.o. x.o."),
        (SIDE_STICK, ".... x... .... x..."),
    ], 16, [(LOW_TOM, ".xo."), (HIGH_TOM, "x..."), (KICK, "x..x")], crash="o")
    habanera = line("Beguine Bass", "x===== x= x=======", [36, 43, 43])
    piano = steady("Beguine Piano 8ths", 16, 2, [55, 60, 64, 67, 72, 67, 64, 60], 1.8, vel=78,
                   accents=(0, 6, 8))
    return Style("Beguine", 112, beat, [
        bass(habanera, ACOUSTIC_BASS, 86), Part(piano, PIANO, 64), pad(PAD_44, CLARINET, 42)],
        drum_volume=82, tempo_range=(96, 132))


def celtic_jig():
    # Jig: bodhran triplets, a strummed guitar and a fiddle holding the open fifth.
    beat = phrase("Jig Bodhran", [
        (HIGH_FLOOR_TOM, "Xgg xgg | Xgg xgg"),
        (KICK,           "x.. ... | x.. ..."),
        (TAMBOURINE,     "... x.. | ... x.."),
    ], 6, [(HIGH_FLOOR_TOM, "xxxX.."), (LOW_FLOOR_TOM, "...x.."), (KICK, "x..X..")], crash=None)
    strum = comp("Jig Strum", "X.x x.x X.x x.x", (55, 60, 64, 67))
    drone = comp("Jig Fiddle Drone", "o===========", (60, 67))
    return Style("Celtic Jig", 116, beat, [
        bass(BASS_6_8, ACOUSTIC_BASS, 80), Part(strum, STEEL_GUITAR, 44),
        pad(drone, FIDDLE, 42)], drum_volume=78, steps_per_beat=3, meter="6/8",
        tempo_range=(96, 132))


STYLES = [
    foxtrot, quickstep, jive, paso_doble, disco_fox, slow_waltz, viennese_waltz, tango, cha_cha,
    rumba, samba, schlager, musette, tarantella, mazurka, polka, march, march_6_8, sirtaki,
    klezmer, balkan_7_8, balkan_9_8, maqsum, bhangra, beguine, celtic_jig,
]
