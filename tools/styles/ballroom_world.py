"""Ballroom, European and world styles."""

from styles.core import *  # noqa: F401,F403

# GM sitar: the nearest twang to the single-string tumbi of bhangra.
TUMBI = 104
# GM shakuhachi: an end-blown flute, the nearest breath to the ney of Arabic music.
NEY = 77
# GM contrabass: bowed and plucked, rounder than the jazz upright's boom.
CONTRABASS = 43


# bass_part shares one stored pattern among the styles that play the same line.
bass = bass_part

# Where the band stands, seen from the audience (0 left, 1 right).
LEFT, LEFT_MID, CENTRE, RIGHT_MID, RIGHT = 0.3, 0.4, 0.5, 0.6, 0.7


def bar_rhythm(beats, steps_per_beat, hits):
    """A bar's rhythm string on a fine grid: hits is a list of (step, character, held steps)."""
    steps = ["."] * (beats * steps_per_beat)
    for pos, char, held in hits:
        steps[pos] = char
        for extra in range(1, held):
            steps[pos + extra] = "="
    return "".join(steps)


# --- Parts several styles play alike ---------------------------------------------------------

# A bar-long held chord for strings, pads or horns under a 4/4 or a 3/4 dance.
PAD_44 = comp("Ballroom Held Chord 4/4", "o=============== ", TRIAD_HIGH)
PAD_34 = comp("Ballroom Held Chord 3/4", "o===========", TRIAD_TOP)
# Four even chords a bar, the rhythm guitar of the swing dances.
GUITAR_FOUR = comp("Ballroom Guitar in Four", "x=.. o=.. x=.. o=..", (52, 55, 60), gate=0.8)
# The off-beat "chick" of the disco-fox.
OFFBEAT_44 = comp("Off-Beat Chords 4/4", "..x. ..x. ..x. ..x.", TRIAD, gate=0.7)
# Waltz: the bass on one, the chord on two and three.
BASS_WALTZ = line("Waltz Root-Fifth Bass", "x=== .... .... | x=== .... ....", [36, 43])
WALTZ_PAH = comp("Waltz Pah-Pah", ".... x==. x==.", TRIAD)
# 2/4 afterbeat chords of the polka.
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
    # Slow foxtrot: brushes sweeping every beat under a light swing, a walking bass, the
    # rhythm guitar in four carrying the dance.
    beat = phrase("Foxtrot Brushes", [
        (RIDE,      "x... x.x. x... x.x."),
        (PEDAL_HAT, ".... x... .... x..."),
        (SNARE,     "g... o... g... o..."),
        (KICK,      "o... .... o... ...."),
    ], 16, FILL_BRUSH, crash="o")
    walk = line("Foxtrot Walking Bass", "x=== x=== x=== x=== | x=== x=== x=== x===",
                [36, 38, 40, 43, 48, 45, 43, 40], gate=0.9)
    return Style("Foxtrot", 116, beat, [
        bass(walk, ACOUSTIC_BASS, 68), Part(GUITAR_FOUR, JAZZ_GUITAR, 56, pan=0.6),
        Part(PAD_44, SLOW_STRINGS, 46, mode=SUS, pan=0.36)],
        drum_volume=82, shuffle=0.7, tempo_range=(104, 124), defining=(2,))


def quickstep():
    # Quickstep: a fast foxtrot, swung: the ride on every beat, brushes slapping two and four
    # with a swung ghost before, the kick feathered in four, and a walking bass that steps
    # down chromatically into the next bar; brass kicks on the off-beats.
    beat = phrase("Quickstep Drums", [
        (RIDE,      "x... x... x... x..."),
        (SNARE,     "..g. X.g. ..g. X.g."),
        (PEDAL_HAT, ".... x... .... x..."),
        (KICK,      "o... o... o... o..."),
    ], 16, FILL_KICKS, crash="o")
    walk = line("Quickstep Walking Bass", "x=== x=== x=== x=== | x=== x=== x=== x=x=",
                [36, 40, 43, 45, 48, 45, 43, 38, 37], gate=0.85)
    brass = line("Quickstep Brass Kicks", ".... X=.. .... X=.. | .... X=.. ..X= ....",
                 [TRIAD_HIGH, TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP], gate=0.8)
    return Style("Quickstep", 200, beat, [
        bass(walk, ACOUSTIC_BASS, 70), Part(brass, BRASS, 70, pan=LEFT),
        Part(GUITAR_FOUR, JAZZ_GUITAR, 50, pan=RIGHT)],
        drum_volume=84, shuffle=0.6, tempo_range=(188, 208), defining=(2,))


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
        bass(boogie, FINGER_BASS, 84), Part(piano, PIANO, 66, pan=LEFT_MID),
        Part(sax, TENOR_SAX, 52, pan=RIGHT_MID)],
        drum_volume=88, shuffle=1.0, tempo_range=(150, 184), defining=(2,))


def disco_fox():
    # Disco-fox: four on the floor, open hats between, octave bass in eighths.
    beat = phrase("Disco-Fox Drums", [
        (CLOSED_HAT, "x... x... x... x..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (CLAP,       ".... X... .... X..."),
        (KICK,       "x... x... x... x..."),
    ], 16, FILL_SHORT)
    octaves = steady("Disco-Fox Octave Bass", 16, 2, [36, 48], 1.6, vel=96, accents=(0, 8))
    return Style("Disco-Fox", 124, beat, [
        bass(octaves, SYNTH_BASS_2, 60), Part(OFFBEAT_44, BRIGHT_PIANO, 64, pan=0.45),
        Part(PAD_44, SYNTH_STRINGS, 58, mode=SUS, pan=0.62)],
        drum_volume=90, tempo_range=(116, 136), defining=(0, 2))


def slow_waltz():
    # Slow waltz: ride on every beat, bass on one, piano on two and three, strings holding the
    # line the dancers sway to.
    beat = phrase("Slow Waltz Drums", [
        (RIDE,       "x... o... o..."),
        (KICK,       "x... .... ...."),
        (SIDE_STICK, ".... x... x..."),
    ], 12, FILL_WALTZ, crash="o")
    return Style("Slow Waltz", 88, beat, [
        bass(BASS_WALTZ, ACOUSTIC_BASS, 84), Part(WALTZ_PAH, PIANO, 62, pan=LEFT_MID),
        Part(PAD_34, STRINGS, 66, mode=SUS, pan=RIGHT_MID)],
        drum_volume=84, meter="3/4", tempo_range=(78, 96), defining=(3,))


def viennese_waltz():
    # Viennese waltz: one beat to the bar, played by an orchestra. The violins carry the tune,
    # the horns play the afterbeats with the second beat a thirty-second early (the Viennese
    # hesitation-and-push, hence eight steps a beat), the basses pluck the one, a triangle
    # marks the bar. No drum kit: the swing is in the strings.
    spb = 8
    beat = phrase("Viennese Waltz Percussion", [
        (OPEN_TRIANGLE, bar_rhythm(3, spb, [(0, "x", 1)])),
        (MUTE_TRIANGLE, bar_rhythm(3, spb, [(7, "o", 1), (16, "g", 1)])),
    ], 3 * spb, [(LOW_FLOOR_TOM, "g.g.g.o.o.x."), (OPEN_TRIANGLE, "...........x")],
        bars=2, crash=None)
    one = bar_rhythm(3, spb, [(0, "x", 6)])
    pizz = line("Viennese Waltz Pizzicato Bass", one + one, [48, 43], gate=0.5)
    afterbeats = comp("Viennese Waltz Horn Afterbeats",
                      bar_rhythm(3, spb, [(7, "x", 6), (16, "o", 6)]), TRIAD, gate=0.85)
    tune = line("Viennese Waltz Violins",
                bar_rhythm(3, spb, [(0, "x", 8), (8, "o", 8), (16, "x", 8)])
                + bar_rhythm(3, spb, [(0, "X", 16), (16, "o", 8)]),
                [67, 72, 76, 79, 76], gate=0.97)
    return Style("Viennese Waltz", 174, beat, [
        bass(pizz, PIZZICATO, 52), Part(tune, STRINGS, 84, pan=0.47),
        Part(afterbeats, FRENCH_HORN, 56, pan=0.66)],
        drum_volume=60, steps_per_beat=spb, meter="3/4", tempo_range=(150, 186),
        defining=(2,), comment="drums quiet: a triangle over the orchestra, no drum kit")


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
        bass(marcato, CONTRABASS, 66), Part(bandoneon, BANDONEON, 62, pan=LEFT_MID),
        Part(violin, VIOLIN, 52, pan=RIGHT)], drum_volume=90, tempo_range=(112, 134),
        defining=(2,))


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
        bass(tumbao, ACOUSTIC_BASS, 86), Part(piano, PIANO, 66, pan=LEFT_MID),
        Part(PAD_44, STRINGS, 42, mode=SUS, pan=RIGHT_MID)],
        drum_volume=88, tempo_range=(108, 132), defining=(2,))


def rumba():
    # Ballroom rumba: the son clave 3-2, maracas, congas, the bass anticipating beat three
    # (its tumbao leans the clave's way: the three-side bar pushes, the two-side bar answers).
    beat = phrase("Rumba Drums", [
        (CLAVES,     "x... ..x. .... x... | .... x... x... ...."),
        (MARACAS,    "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.o."),
        (MUTE_CONGA, ".... x... .... .... | .... x... .... ...."),
        (OPEN_CONGA, ".... .... .... x.x. | .... .... .... x.x."),
        (KICK,       "o... .... .... .... | o... .... .... ...."),
    ], 16, [(OPEN_CONGA, "x.x."), (LOW_CONGA, ".x.x")], crash="o")
    anticipated = line("Rumba Bass", "x==. ..x= ==== x=== | x==. ..x= ==== x===",
                       [36, 43, 40, 36, 43, 45])
    marimba = line("Rumba Marimba", "x.x. x.x. x.x. x.x.", [55, 60, 64, 67, 72, 67, 64, 60])
    return Style("Rumba", 100, beat, [
        bass(anticipated, ACOUSTIC_BASS, 84), Part(marimba, MARIMBA, 68, pan=RIGHT_MID),
        Part(PAD_44, SLOW_STRINGS, 42, mode=SUS, pan=LEFT_MID)],
        drum_volume=85, tempo_range=(88, 112), defining=(0, 2), clave="3-2")


def samba():
    # Samba in two: the surdo's heavy second beat, shaker sixteenths, partido-alto guitar; the
    # bass answers the surdo and walks up through the third into the next bar.
    beat = phrase("Samba Drums", [
        (KICK,       "o..g x... | o..g x..."),
        (MARACAS,    "xggo xggo | xggo xggo"),
        (SIDE_STICK, "x.x. .x.x | .x.x ..x."),
        (HIGH_AGOGO, "x... .... | .... ...."),
        (LOW_AGOGO,  ".... .... | x... ...."),
    ], 8, [(SNARE, "x.xx x.X."), (KICK, ".... X...")])
    surdo = line("Samba Surdo Bass", "x=.o X=.. | x=.o X=.o", [36, 43, 43, 36, 40, 43, 38])
    guitar = comp("Samba Guitar", "x..x ..x. ..x. x...", TRIAD, gate=0.5)
    brass = line("Samba Brass", ".... .... .... .... | .... .... ..X. X=..",
                 [TRIAD_HIGH, TRIAD_TOP])
    return Style("Samba", 100, beat, [
        bass(surdo, FINGER_BASS, 72), Part(guitar, CLEAN_GUITAR, 66, pan=RIGHT_MID),
        Part(brass, BRASS, 56, pan=LEFT)],
        meter="2/4", tempo_range=(88, 120), defining=(0, 2))


# --- European ------------------------------------------------------------------------------

def schlager():
    # Schlager as German pop plays it now: four on the floor with clap and snare on two and
    # four, sixteenth hats leaning on the off-beats, a pop bass pushing into beats two and four,
    # a bright piano syncopated against it and strings holding.
    beat = phrase("Schlager Drums", [
        (CLOSED_HAT, "gox. gox. gox. gox."),
        (CLAP,       ".... X... .... X..."),
        (SNARE,      ".... o... .... o..."),
        (KICK,       "X... x... X... x..."),
    ], 16, FILL_ROCK)
    pop = line("Schlager Pop Bass", "x..x ..x. x..x ..x. | x..x ..x. x... x.x.",
               [36, 48, 43, 36, 48, 43, 36, 48, 43, 40, 43, 38], gate=0.8)
    piano = comp("Schlager Piano Push", "x... ..x. ..x. x... | x... ..x. ..x. ..x.",
                 TRIAD_HIGH, gate=0.75)
    return Style("Schlager", 124, beat, [
        bass(pop, FINGER_BASS, 74), Part(piano, PIANO, 66, pan=LEFT_MID),
        Part(PAD_44, STRINGS, 46, mode=SUS, pan=RIGHT_MID)],
        drum_volume=88, tempo_range=(100, 140), defining=(0, 2))


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
        bass(BASS_WALTZ, ACOUSTIC_BASS, 84), Part(WALTZ_PAH, JAZZ_GUITAR, 56, pan=RIGHT_MID),
        Part(run, ACCORDION, 70, pan=LEFT_MID)], drum_volume=80, meter="3/4",
        tempo_range=(132, 200), defining=(3,))


def tarantella():
    # Tarantella: running tambourine eighths, the accordion chopping the chords, a mandolin
    # (steel strings, plucked) running the arpeggio; the bass climbs through the third.
    beat = phrase("Tarantella Drums", [
        (TAMBOURINE, "Xxx xxx"),
        (KICK,       "o.. ..."),
        (CLAVES,     "..x ..x"),
    ], 6, [(TAMBOURINE, "xxxxxX"), (SNARE, "..x.xX"), (KICK, "x.....")], crash="o")
    climb = line("Tarantella Bass", "X=. x=. | X=. x.x", [48, 43, 48, 52, 55])
    chops = comp("Tarantella Chops", ".xx .xx", TRIAD, gate=0.6)
    arpeggio = steady("Tarantella Mandolin", 12, 1, [67, 72, 76, 72, 67, 64, 60, 64, 67, 72, 67, 64],
                      0.9, vel=80, accents=(0, 3, 6, 9))
    return Style("Tarantella", 150, beat, [
        bass(climb, ACOUSTIC_BASS, 72), Part(chops, ACCORDION, 72, pan=LEFT_MID),
        Part(arpeggio, STEEL_GUITAR, 68, pan=RIGHT)], drum_volume=80, steps_per_beat=3,
        meter="6/8", tempo_range=(120, 180), defining=(2, 3))


def mazurka():
    # Mazurka: the dotted figure on one and the accent moving to two or three.
    beat = phrase("Mazurka Drums", [
        (KICK,  "X... .... .... | x... .... ...."),
        (SNARE, ".... X... x... | .... x... X..."),
        (PEDAL_HAT, "o... .... .... | o... .... ...."),
    ], 12, [(SNARE, "x.xx X..."), (KICK, "x... x...")], crash="o")
    piano = comp("Mazurka Piano", "x==x X=== x===", TRIAD_HIGH, gate=0.8)
    return Style("Mazurka", 138, beat, [
        bass(BASS_WALTZ, ACOUSTIC_BASS, 86), Part(piano, PIANO, 64, pan=0.46),
        Part(PAD_34, STRINGS, 46, mode=SUS, pan=0.64)],
        drum_volume=84, meter="3/4", tempo_range=(112, 168), defining=(2,))


def polka():
    # Polka: a fast oom-pah in two, the tuba on the beats and the accordion on the afterbeats,
    # a clarinet tune running in eighths above; the snare doubles the "pah".
    beat = phrase("Polka Drums", [
        (KICK,       "X... x..."),
        (SNARE,      "..x. ..x."),
        (CLOSED_HAT, "..o. ..o."),
    ], 8, FILL_2_4, crash="x")
    oom_pah = line("Polka Tuba Oom-Pah", "X=.. x=..", [36, 43])
    clarinet = line("Polka Clarinet", "x=x= x=x= | x=x= x=x= | x=x= x=x= | x=== ....",
                    [67, 72, 76, 72, 67, 64, 60, 64, 67, 69, 67, 64, 60])
    return Style("Polka", 132, beat, [
        bass(oom_pah, TUBA, 80), Part(AFTERBEAT_24, ACCORDION, 80, pan=LEFT_MID),
        Part(clarinet, CLARINET, 70, pan=RIGHT_MID)], drum_volume=76, meter="2/4",
        tempo_range=(100, 150), defining=(2, 3))


def march_6_8():
    # March in 6/8: the lilting two of a parade march, brass on the last eighth of each beat.
    beat = phrase("March 6/8 Drums", [
        (SNARE, "X.x X.x"),
        (KICK,  "X.. x.."),
    ], 6, FILL_6_8, crash="x")
    brass = comp("6/8 March Brass", "..x ..x", TRIAD, gate=0.7)
    return Style("March 6/8", 116, beat, [
        bass(BASS_6_8, TUBA, 90), Part(brass, BRASS, 74, pan=LEFT_MID)], drum_volume=78,
        steps_per_beat=3, meter="6/8", tempo_range=(100, 132), defining=(2,))


# --- World ---------------------------------------------------------------------------------

def klezmer():
    # Klezmer freylekhs: the bulgar 3+3+2 in snare and accordion, the clarinet and the violin
    # on the freygish (the chord's root with its flat second and sixth and the major third),
    # the altered notes between the beats; the tuba walks root, fifth and third, and slides
    # through the flat sixth back to the fifth.
    beat = phrase("Klezmer Drums", [
        (CLOSED_HAT, "..x. ..x. ..x. ..x."),
        (SNARE,      "X... ..x. .... x..."),
        (KICK,       "X... .... x... ...."),
    ], 16, [(SNARE, "xxx. X.X."), (KICK, "x... x...")])
    tuba = line("Klezmer Tuba", "X=== .... x=== x=== | X=== .... x=== x.x.",
                [36, 43, 40, 36, 43, 44, 43])
    bulgar = comp("Klezmer Bulgar Chords", "x=.. ..x= .... x=..", TRIAD, gate=0.8)
    clarinet = line("Klezmer Clarinet", "x.x. x.x. x.x. x.x. | x.x. x.x. x=== x...",
                    [67, 68, 67, 65, 64, 65, 64, 61, 64, 61, 60, 61, 64, 67], gate=0.9)
    violin = line("Klezmer Violin", "x======= .... x.x. | x=== x=== x======= ",
                  [72, 70, 68, 67, 68, 64], gate=0.95)
    return Style("Klezmer", 132, beat, [
        bass(tuba, TUBA, 78), Part(bulgar, ACCORDION, 70, pan=LEFT),
        Part(clarinet, CLARINET, 74, pan=RIGHT_MID), Part(violin, VIOLIN, 52, pan=RIGHT)],
        drum_volume=82, tempo_range=(100, 160), defining=(2, 3), mode="freygish")


def balkan_7_8():
    # Balkan 7/8 counted 2+2+3 in eighths: tapan on each group, the long group last; a brass
    # band's tuba riffing in its upper register, the accordion on the off-beats.
    beat = phrase("Balkan 7/8 Drums", [
        (KICK,       "X... o... x....."),
        (SIDE_STICK, "..x. ..x. ..x.x."),
        (TAMBOURINE, "x.o. x.o. x.o.o."),
    ], 14, [(SNARE, "xxx.X."), (KICK, "x...X.")])
    riff = line("Balkan 7/8 Tuba", "X=.. x=.. x===.. | X=.. x=.. x=.x=.",
                [48, 43, 48, 48, 52, 55, 50])
    accordion = comp("Balkan 7/8 Accordion", "..x. ..x. ..x.x.", TRIAD, gate=0.7)
    return Style("Balkan 7/8", 200, beat, [
        bass(riff, TUBA, 70), Part(accordion, ACCORDION, 70, pan=LEFT_MID)],
        drum_volume=80, steps_per_beat=2, meter="7/8", tempo_range=(150, 220),
        comment="bpm counts eighths", defining=(2,))


def balkan_9_8():
    # Balkan 9/8 counted 2+2+2+3 in eighths: three short groups and the long one; the tuba
    # climbs root, fifth below, third, fifth into the long group.
    beat = phrase("Balkan 9/8 Drums", [
        (KICK,       "X... o... o... x....."),
        (SIDE_STICK, "..x. ..x. ..x. ..x.x."),
        (TAMBOURINE, "x.o. x.o. x.o. x.o.o."),
    ], 18, [(SNARE, "x.xxX."), (KICK, "x...X.")], bars=2)
    riff = line("Balkan 9/8 Tuba", "X=.. x=.. x=.. x=====", [48, 43, 52, 55])
    accordion = comp("Balkan 9/8 Accordion", "..x. ..x. ..x. ..x.x.", TRIAD, gate=0.7)
    return Style("Balkan 9/8", 210, beat, [
        bass(riff, TUBA, 70), Part(accordion, ACCORDION, 70, pan=LEFT_MID)],
        drum_volume=80, steps_per_beat=2, meter="9/8", tempo_range=(160, 220),
        comment="bpm counts eighths", defining=(2,))


def maqsum():
    # Maqsum on the doumbek: doum-tek-.-tek-doum-.-tek-. with ka strokes and riq between; the
    # oud (nylon strings, plucked) doubles the doum and tek, the ney holds long notes over it.
    # Both keep to the root, fifth and the mode's neutral ground so the player's chord decides
    # the third.
    beat = phrase("Maqsum Doumbek", [
        (LOW_CONGA,  "X... .... X... ...."),
        (HIGH_BONGO, "..x. ..x. .... x..."),
        (MUTE_CONGA, ".... g... ..g. ..g."),
        (TAMBOURINE, "x.o. x.o. x.o. x.o."),
    ], 16, [(HIGH_BONGO, "x.x.x.x."), (MUTE_CONGA, ".g.g.g.g"), (LOW_CONGA, "......X.")],
        crash=None)
    doum = line("Maqsum Bass", "X=.. ..x. X=.. .x.x", [36, 43, 36, 43, 38])
    oud = line("Maqsum Oud", "x.x. ..x. x.xx .x.. | x.x. ..x. x.x. x.x.",
               [60, 60, 67, 60, 62, 64, 62, 60, 60, 67, 64, 62, 60, 62], gate=0.95)
    ney = line("Maqsum Ney", "x======= ..x= x=== | x=============== ",
               [67, 69, 67, 64], gate=0.95)
    return Style("Maqsum", 100, beat, [
        bass(doum, FRETLESS_BASS, 68), Part(oud, NYLON_GUITAR, 66, pan=0.48),
        Part(ney, NEY, 66, pan=0.64)],
        drum_volume=80, tempo_range=(80, 130), defining=(2, 3))


def bhangra():
    # Bhangra: the dhol's swung chaal, dagga on the beat and tilli between, a tumbi riff; the
    # bass rises to the flat seventh before turning home.
    beat = phrase("Bhangra Dhol", [
        (LOW_FLOOR_TOM, "X... ..x. x... ..x."),
        (HIGH_TIMBALE,  "..x. x.x. ..x. x.x."),
        (CLAP,          ".... x... .... x..."),
        (TAMBOURINE,    "x.x. x.x. x.x. x.x."),
        (KICK,          "X... .... x... ...."),
    ], 16, [(LOW_FLOOR_TOM, "X.x.X.x."), (HIGH_TIMBALE, "..x...x."), (KICK, "x...x...")])
    dagga = line("Bhangra Bass", "X=.. ..x= X=.. ..x=", [36, 36, 43, 46])
    tumbi = line("Bhangra Tumbi Riff", "x.x. x.xx x.x. x... | x.x. x.xx x=.. x...",
                 [72, 72, 79, 76, 79, 72, 72, 67, 72, 72, 79, 76, 74, 72, 76], gate=0.6)
    return Style("Bhangra", 98, beat, [
        bass(dagga, SYNTH_BASS_2, 78), Part(tumbi, TUMBI, 74, pan=RIGHT_MID)],
        drum_volume=78, shuffle=0.6, tempo_range=(84, 120), defining=(2,))


def beguine():
    # Beguine: the long-short-long kick, maracas in eighths, a piano rolling in eighths.
    beat = phrase("Beguine Drums", [
        (KICK,       "x... ..x. x... ...."),
        (LOW_TOM,    ".... .... .... ..o."),
        (MARACAS,    "x.o. x.o. x.o. x.o."),
        (SIDE_STICK, ".... x... .... x..."),
    ], 16, [(LOW_TOM, ".xo."), (HIGH_TOM, "x..."), (KICK, "x..x")], crash="o")
    habanera = line("Beguine Bass", "x===== x= x======= | x===== x= x=======",
                    [36, 43, 43, 36, 40, 43])
    piano = steady("Beguine Piano 8ths", 16, 2, [55, 60, 64, 67, 72, 67, 64, 60], 1.8, vel=78,
                   accents=(0, 6, 8))
    return Style("Beguine", 112, beat, [
        bass(habanera, ACOUSTIC_BASS, 62), Part(piano, PIANO, 66, pan=0.46),
        Part(PAD_44, CLARINET, 42, mode=SUS, pan=0.64)],
        drum_volume=82, tempo_range=(96, 132), defining=(2,))


def celtic_jig():
    # Jig: bodhran triplets, a strummed guitar, and the fiddle running the tune in jig eighths.
    # The bass plays in the guitar's octave, as a bouzouki would, so the low end stays light.
    beat = phrase("Jig Bodhran", [
        (HIGH_FLOOR_TOM, "Xgg xgg | Xgg xgg"),
        (KICK,           "x.. ... | x.. ..."),
        (TAMBOURINE,     "... x.. | ... x.."),
    ], 6, [(HIGH_FLOOR_TOM, "xxxX.."), (LOW_FLOOR_TOM, "...x.."), (KICK, "x..X..")], crash=None)
    bouzouki = line("Jig Bass", "X=. x=. | X=. x.x", [48, 55, 52, 55, 50])
    strum = comp("Jig Strum", "X.x x.x X.x x.x", (55, 60, 64, 67))
    fiddle = line("Jig Fiddle", "Xxx xxx | Xxx xxx | Xxx xxx | Xxx xxx",
                  [67, 64, 60, 64, 62, 60, 64, 67, 69, 67, 64, 62,
                   60, 64, 67, 72, 71, 69, 67, 69, 67, 64, 62, 64], gate=0.9)
    return Style("Celtic Jig", 116, beat, [
        bass(bouzouki, ACOUSTIC_BASS, 64), Part(strum, STEEL_GUITAR, 50, pan=RIGHT),
        Part(fiddle, FIDDLE, 74, pan=0.45)], drum_volume=78, steps_per_beat=3, meter="6/8",
        tempo_range=(96, 132), defining=(3,))


def rumba_flamenca():
    # Rumba flamenca: the nylon guitar strums the rumba (a down-stroke on one, the chuck on two
    # and four with the palmas, up-strokes between), a cajon under it, the bass anticipating;
    # a second guitar picks a falseta.
    beat = phrase("Rumba Flamenca Cajon", [
        (KICK,       "X... ..x. x... ..o. | X... ..x. x... ...."),
        (SIDE_STICK, ".... x... .... x... | .... x... .... x.x."),
        (CLAP,       "..o. X.o. ..o. X.o. | ..o. X.o. ..o. X.o."),
    ], 16, [(SIDE_STICK, "x.xx x.X."), (KICK, "x... x...")], crash=None)
    strum = comp("Rumba Flamenca Strum", "X..o x.ox ..ox x.o.", (52, 55, 60, 64), gate=0.95)
    tumbao = line("Rumba Flamenca Bass", "X=.. ..x= x=.. .x=. | X=.. ..x= x=.. x.x.",
                  [36, 43, 36, 40, 36, 43, 45, 43, 38])
    falseta = line("Rumba Flamenca Falseta", ".... ..x. x.x. x=== | x.x. x.x. x=== ....",
                   [64, 67, 65, 64, 62, 64, 62, 60, 64], gate=0.85)
    return Style("Rumba Flamenca", 116, beat, [
        bass(tumbao, FINGER_BASS, 82), Part(strum, NYLON_GUITAR, 76, pan=0.46),
        Part(falseta, NYLON_GUITAR, 56, pan=0.68)],
        drum_volume=94, tempo_range=(100, 130), defining=(2,))


def irish_reel():
    # Reel: counted in two, a beat here is the reel's half bar, so the fiddle's running eighths
    # are the grid's sixteenths; the bodhran rolls them with the accent on each beat, the
    # guitar chops the chords, a flute answers in longer notes, the bass walks in the guitar's
    # octave.
    beat = phrase("Reel Bodhran", [
        (HIGH_FLOOR_TOM, "Xgog xgog Xgog xgog"),
        (LOW_FLOOR_TOM,  ".... ..o. .... ..o."),
        (KICK,           "x... .... x... ...."),
    ], 16, [(HIGH_FLOOR_TOM, "xxxx X..."), (LOW_FLOOR_TOM, ".... ..xX")], crash=None)
    walk = line("Reel Bass", "x=.. x=.. x=.. x=.. | x=.. x=.. x=.. x=..",
                [48, 52, 55, 52, 48, 55, 57, 50])
    chop = comp("Reel Guitar", "X.x. x.x. X.x. x.x.", (55, 60, 64, 67), gate=0.6)
    fiddle = line("Reel Fiddle", "Xxxx xxxx Xxxx xxxx | Xxxx xxxx Xxxx xxxx",
                  [67, 64, 64, 62, 60, 62, 64, 67, 69, 67, 64, 67, 72, 69, 67, 64,
                   67, 64, 62, 64, 60, 64, 67, 69, 72, 71, 69, 67, 64, 62, 60, 62], gate=0.85)
    flute = line("Reel Flute", "x=== .... x=x= x=== | x======= .... x=x=",
                 [72, 74, 72, 71, 67, 69, 71])
    return Style("Irish Reel", 112, beat, [
        bass(walk, ACOUSTIC_BASS, 62), Part(chop, STEEL_GUITAR, 52, pan=0.68),
        Part(fiddle, FIDDLE, 76, pan=0.48), Part(flute, FLUTE, 48, pan=0.6)],
        drum_volume=78, tempo_range=(96, 124), defining=(3,))


STYLES = [
    foxtrot, quickstep, jive, disco_fox, slow_waltz, viennese_waltz, tango, cha_cha, rumba,
    samba, schlager, musette, tarantella, mazurka, polka, march_6_8, klezmer, balkan_7_8,
    balkan_9_8, maqsum, bhangra, beguine, celtic_jig, rumba_flamenca, irish_reel,
]
