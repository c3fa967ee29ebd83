"""Country, dance and club styles, hip-hop, and the Caribbean and African dance grooves."""

from styles.core import *  # noqa: F401,F403


def fine(rhythm):
    """A rhythm written in 16th-note steps, put on the grid of 32nds (steps_per_beat=8) that a
    16th swing needs: every step becomes two, a hit holding its second half."""
    return "".join(char + ("." if char == "." else "=") for char in clean(rhythm))


# bass_part shares one stored pattern among the styles that play the same line.
shared_bass = bass_part


# --- Parts several styles play alike ----------------------------------------------------------

# A chord held through two bars of 4/4 (one bar on the 32nd grid): pads and string beds.
WHOLE_NOTE_PAD = comp("Held Chord Pad", "o=============== | ================", TRIAD_TOP)

# Country boom-chick: root on one, fifth on three, the octave in the second bar.
BOOM_CHICK_BASS = line("Boom-Chick Root-Fifth Bass", "x=== .... x=== .... | x=== .... x=== ....",
                       [36, 43, 48, 43])

# Fiddle double stops, the sixth leaning on the fifth in the second bar.
FIDDLE_DOUBLE_STOPS = notes("Country Fiddle Double Stops", 32,
                            [(0, (64, 67), 15, 75), (16, (64, 69), 15, 72)])

# The disco octave bass, which nu disco keeps.
OCTAVE_BASS = line("Disco Octave Bass", "x=x= x=x= x=x= x=x= | x=x= x=x= x=x= x=x=",
                   [36, 48] * 4 + [36, 48, 36, 48, 40, 52, 43, 55], gate=0.6)

# Straight driving root 8ths, the fifth and octave closing the second bar.
DRIVING_8THS_BASS = line("Driving Root 8ths Bass", "X=x= x=x= X=x= x=x= | X=x= x=x= X=x= x=x=",
                         [36] * 8 + [36, 36, 36, 36, 43, 43, 48, 43], gate=0.8)


# --- Country ------------------------------------------------------------------------------------

def country():
    # Two-step: kick on one and three, snare on two and four, the guitar's chick-a on the backbeat.
    beat = phrase("Two-Step Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o."),
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X... .... x... ...."),
    ], 16, [(SNARE, "x.ox"), (KICK, "x...")], crash="x")
    strum = comp("Two-Step Chicka Strum", ".... x=o. .... x=o.", (55, 60, 64, 67))
    return Style("Country Two-Step", 116, beat, [
        shared_bass(BOOM_CHICK_BASS, ACOUSTIC_BASS, 92), Part(strum, STEEL_GUITAR, 72),
        Part(FIDDLE_DOUBLE_STOPS, FIDDLE, 62)], drum_volume=85, tempo_range=(100, 180))


def bluegrass():
    # Cut time felt in 2/4: bass on one, the chop on two, the banjo rolling 3+3+2 over it all.
    beat = phrase("Bluegrass Brush Drums", [
        (SNARE, "..g. X.g."),
        (KICK,  "o... ...."),
    ], 8, [(SNARE, "x.xx"), (KICK, "x...")], crash="")
    bass = line("Bluegrass Bass", "x=.. .... | x=.. ....", [36, 43])
    roll = line("Bluegrass Banjo Roll", "Xox Xox Xo", [60, 64, 72, 67, 60, 72, 67, 64], gate=0.9)
    chop = comp("Bluegrass Offbeat Chop", ".... X=..", (60, 64, 67, 72), gate=0.5)
    return Style("Bluegrass", 140, beat, [
        bass_part(bass, ACOUSTIC_BASS, 95), Part(roll, BANJO, 70), Part(chop, STEEL_GUITAR, 72)],
        drum_volume=80, meter="2/4", tempo_range=(100, 170))


def country_waltz():
    # Oom-pah-pah: bass on one, the guitar on two and three, a brushed backbeat.
    beat = phrase("Country Waltz Drums", [
        (RIDE,  "x.o. x.o. x.o."),
        (SNARE, ".... o... o..."),
        (KICK,  "x... .... ...."),
    ], 12, [(SNARE, "o.o. x.xx"), (LOW_FLOOR_TOM, ".... ...x")], crash="o")
    bass = line("Country Waltz Bass", "x=== .... .... | x=== .... x===", [36, 43, 40])
    strum = comp("Country Waltz Pah-Pah", ".... x=.. x=..", (55, 60, 64, 67), gate=0.8)
    return Style("Country Waltz", 104, beat, [
        bass_part(bass, ACOUSTIC_BASS, 90), Part(strum, STEEL_GUITAR, 74)],
        drum_volume=82, meter="3/4", tempo_range=(84, 132))


def country_ballad():
    # Side stick on the backbeat, fingerpicked guitar and a string bed.
    beat = phrase("Country Ballad Drums", [
        (CLOSED_HAT, "o.g. o.g. o.g. o.g."),
        (SIDE_STICK, ".... x... .... x..."),
        (KICK,       "x... .... x..o ...."),
    ], 16, [(SNARE, "o.ox"), (LOW_FLOOR_TOM, "...o")], crash="o")
    bass = line("Country Ballad Bass", "x======= x===== x= | x======= x=======",
                [36, 43, 40, 36, 43], gate=0.95)
    picking = steady("Country Ballad Fingerpicking", 16, 2, [48, 55, 64, 60, 67, 60, 64, 55], 1.9,
                     vel=80, accents=(0,))
    return Style("Country Ballad", 70, beat, [
        bass_part(bass, FRETLESS_BASS, 80), Part(picking, STEEL_GUITAR, 82, mode=SUS),
        pad(WHOLE_NOTE_PAD, SLOW_STRINGS, 58)], drum_volume=82, tempo_range=(60, 84))


def cajun():
    # Cajun two-step: the triangle rings on every eighth, loudest off the beat; the accordion pumps.
    beat = phrase("Cajun Triangle Drums", [
        (MUTE_TRIANGLE, "o... o... o... o..."),
        (OPEN_TRIANGLE, "..x. ..x. ..x. ..x."),
        (SNARE,         ".... x... .... x..."),
        (KICK,          "X... .... X... ...."),
    ], 16, [(SNARE, "x.xx x.X."), (KICK, "x... x...")], crash="o")
    accordion = line("Cajun Accordion Pump", "x.X= x.X= x.X= x.X=",
                     [(55, 60, 64), (60, 64, 67)] * 4, gate=0.7)
    return Style("Cajun", 140, beat, [
        shared_bass(BOOM_CHICK_BASS, ACOUSTIC_BASS, 90), Part(accordion, ACCORDION, 66),
        Part(FIDDLE_DOUBLE_STOPS, FIDDLE, 62)], drum_volume=84, tempo_range=(110, 170))


def western_swing():
    # Swung two-beat dance band: a walking bass, sixth-chord chops on two and four, fiddles.
    beat = phrase("Western Swing Drums", [
        (RIDE,      "x... x.o. x... x.o."),
        (SNARE,     ".... x... .... x..."),
        (PEDAL_HAT, ".... x... .... x..."),
        (KICK,      "o... o... o... o..."),
    ], 16, [(SNARE, "..x. x.X."), (KICK, "..x. ..X.")], crash="x")
    bass = line("Western Swing Walk", "x=== x=== x=== x=== | x=== x=== x=== x===",
                [36, 40, 43, 40, 48, 45, 43, 40])
    chops = comp("Western Swing Sixth Chops", ".... x=.. .... x=..", SIXTH, gate=0.6)
    return Style("Western Swing", 150, beat, [
        bass_part(bass, ACOUSTIC_BASS, 90), Part(chops, JAZZ_GUITAR, 76),
        Part(FIDDLE_DOUBLE_STOPS, FIDDLE, 62)], drum_volume=84, shuffle=0.33,
        tempo_range=(110, 200))


def country_rock():
    # Straight eighths with the twang: driving bass, an open strum, a fiddle line above.
    beat = phrase("Country Rock Drums", [
        (CLOSED_HAT, "x.x. x.x. x.x. x.x."),
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X... ..x. X.x. ...."),
    ], 16, [(SNARE, "X.x. x.xx"), (HIGH_TOM, ".x.. ...."), (LOW_FLOOR_TOM, "...x ...."),
            (KICK, "x... x...")])
    strum = comp("Country Rock Strum", "X.x. .xx. X.x. .xx.", (55, 60, 64, 67, 72))
    return Style("Country Rock", 124, beat, [
        shared_bass(DRIVING_8THS_BASS, PICK_BASS, 88), Part(strum, STEEL_GUITAR, 70),
        Part(FIDDLE_DOUBLE_STOPS, FIDDLE, 62)], drum_volume=90, tempo_range=(100, 150))


def train_beat():
    # The snare chugs sixteenths like a locomotive, accents on two and four; boom-chicka guitar.
    beat = phrase("Train Beat Drums", [
        (SNARE, "goog Xoog goog Xoog"),
        (KICK,  "X... .... X... ...."),
    ], 16, [(SNARE, "ooxx xxXX"), (KICK, "x... x...")], crash="x")
    chicka = comp("Train Beat Chicka", "..o. X.o. ..o. X.o.", (55, 60, 64), gate=0.5)
    return Style("Train Beat", 136, beat, [
        shared_bass(BOOM_CHICK_BASS, ACOUSTIC_BASS, 92), Part(chicka, MUTED_GUITAR, 78)],
        drum_volume=84, tempo_range=(100, 170))


# --- Dance --------------------------------------------------------------------------------------

def disco():
    # Four on the floor, open hat on every offbeat, octave bass, 16th guitar and sweeping strings.
    beat = phrase("Disco Drums", [
        (KICK,       "X... x... X... x..."),
        (SNARE,      ".... X... .... X..."),
        (CLAP,       ".... x... .... x..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "og.g og.g og.g og.g"),
    ], 16, [(SNARE, "oxxX"), (KICK, "x...")], crash="x")
    guitar = comp("Disco Guitar 16ths", "ogXg ogXg ogXg ogXg", TRIAD_TOP, gate=0.5)
    strings = line("Disco Strings", "x=========== .... | x===== x= ..x= x===",
                   [TRIAD_TOP, TRIAD_TOP, TRIAD_TOP, (67, 72, 76), (69, 72, 76)])
    return Style("Disco", 118, beat, [
        shared_bass(OCTAVE_BASS, FINGER_BASS, 88), Part(guitar, MUTED_GUITAR, 72),
        Part(strings, STRINGS, 60)], tempo_range=(110, 130))


def nu_disco():
    # Disco's octave bass under a tighter, filtered kit: clap backbeat, tambourine offbeats,
    # and clipped funk chops with an added ninth.
    beat = phrase("Nu Disco Drums", [
        (KICK,       "X... X... X... X..."),
        (CLAP,       ".... X... .... X..."),
        (TAMBOURINE, "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "ggog ggog ggog ggog"),
    ], 16, [(CLAP, "x.xx x.xX"), (KICK, "X... X...")], crash="o")
    chops = line("Nu Disco Funk Chops", "x.gx .gx. x.gx .x.g",
                 [(64, 67, 74), (64, 67), (64, 67, 74), (64, 67), (64, 67, 74), (64, 67, 74),
                  (64, 67), (64, 67, 74), (64, 67), (64, 67)], gate=0.4)
    return Style("Nu Disco", 116, beat, [
        shared_bass(OCTAVE_BASS, SYNTH_BASS_1, 84), Part(chops, CLEAN_GUITAR, 74),
        pad(WHOLE_NOTE_PAD, SYNTH_STRINGS, 70)], tempo_range=(110, 125))


def house():
    # Four on the floor with swung 16ths: claps on two and four, shaker and congas, offbeat bass,
    # a piano stab riff over a held pad.
    beat = phrase("House Drums", [
        (KICK,       fine("X... x... X... x...")),
        (CLAP,       fine(".... x... .... x...")),
        (OPEN_HAT,   fine("..x. ..x. ..x. ..x.")),
        (MARACAS,    fine("gogo gogo gogo gogo")),
        (MUTE_CONGA, fine("...x ..x. .x.. ..x.")),
        (LOW_CONGA,  fine(".... .... ...x ....")),
    ], 32, [(CLAP, fine("x.xx x.xX")), (KICK, fine("x... x..."))], bars=2, crash="o")
    bass = line("House Offbeat Bass", fine("..x= ..xx ..x= ..x."), [36, 36, 48, 36, 43], gate=0.8)
    piano = comp("House Piano Stabs", fine("x..x ..x. ..x. .x.."), (60, 64, 67, 74), gate=0.6)
    return Style("House Dance", 124, beat, [
        bass_part(bass, SYNTH_BASS_1, 88), Part(piano, BRIGHT_PIANO, 74),
        pad(WHOLE_NOTE_PAD, POLY_PAD, 68)], drum_volume=92, steps_per_beat=8, shuffle=0.2,
        tempo_range=(118, 130))


def techno():
    # Relentless kick, ride on the offbeats, a rim figure and a dotted-eighth sequence
    # turning three against four.
    beat = phrase("Techno Drums", [
        (KICK,       "X... X... X... X..."),
        (RIDE,       "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "gg.g gg.g gg.g gg.g"),
        (SIDE_STICK, "...x ..x. ...x .x.."),
        (CLAP,       ".... o... .... o..."),
    ], 16, [(KICK, "X... X..."), (CLAP, "..x. x.xx")], crash="o")
    bass = line("Rolling Techno Bass", ".Xox .Xox .Xox .Xox", [36] * 12, gate=0.5)
    sequence = notes("Techno Sequence", 16, [(0, 60, 0.5, 100), (3, 67, 0.5, 80), (6, 72, 0.5, 95),
                                             (9, 67, 0.5, 75), (12, 60, 0.5, 90),
                                             (14, 67, 0.5, 70)])
    return Style("Techno", 132, beat, [
        bass_part(bass, SYNTH_BASS_2, 86), Part(sequence, SAW_LEAD, 66),
        pad(WHOLE_NOTE_PAD, SWEEP_PAD, 70)], drum_volume=95, tempo_range=(125, 150))


def trance():
    # Galloping offbeat bass, a rolling 16th arpeggio and a wide string pad; a snare roll
    # builds into each phrase.
    beat = phrase("Trance Drums", [
        (KICK,       "X... X... X... X..."),
        (OPEN_HAT,   "..x. ..x. ..x. ..x."),
        (CLOSED_HAT, "gg.g gg.g gg.g gg.g"),
        (CLAP,       ".... o... .... o..."),
    ], 16, FILL_ROLL, crash="x")
    bass = line("Trance Gallop Bass", "..xx ..xx ..xx ..xx", [36, 48] * 4, gate=0.7)
    arpeggio = steady("Trance Arpeggio", 16, 1, [60, 64, 67, 72, 76, 72, 67, 64], 0.5, vel=85,
                      accents=BEATS)
    return Style("Trance", 138, beat, [
        bass_part(bass, SYNTH_BASS_1, 84), Part(arpeggio, SAW_LEAD, 64),
        pad(WHOLE_NOTE_PAD, SYNTH_STRINGS, 72)], drum_volume=92, tempo_range=(128, 145))


def eurodance():
    # Four on the floor with snare and clap together, offbeat octave bass, a saw stab riff.
    beat = phrase("Eurodance Drums", [
        (KICK,       "X... X... X... X..."),
        (SNARE,      ".... X... .... X..."),
        (CLAP,       ".... x... .... x..."),
        (OPEN_HAT,   "..X. ..X. ..X. ..X."),
        (TAMBOURINE, "o.o. o.o. o.o. o.o."),
    ], 16, [(SNARE, "x.x. xxxx"), (KICK, "X... X...")], crash="x")
    bass = line("Eurodance Offbeat Bass", "..x. ..x. ..x. ..x.", [36, 48, 36, 48], gate=0.7)
    riff = line("Eurodance Saw Riff", "x..x ..x. x..x ..x. | x..x ..x. x... x.x.",
                [TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP, TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP,
                 TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP, TRIAD_TOP, TRIAD_HIGH, TRIAD_TOP], gate=0.6)
    return Style("Eurodance", 140, beat, [
        bass_part(bass, SYNTH_BASS_2, 86), Part(riff, SAW_LEAD, 62),
        pad(WHOLE_NOTE_PAD, WARM_PAD, 68)], drum_volume=92, tempo_range=(130, 150))


def drum_and_bass():
    # Fast two-step break: kick on one and the and of two, snare on two and four with ghosts,
    # under a slow sub bass and a pad, half the tempo in feel.
    beat = phrase("Drum and Bass Break", [
        (KICK,       "X... .... ..x. .... | X.x. .... ..x. ...."),
        (SNARE,      ".... X..g .g.. X... | .... X..g .g.. X..g"),
        (CLOSED_HAT, "x.x. x.x. x.x. x.x. | x.x. x.x. x.x. x.xx"),
    ], 16, [(SNARE, "x.xx x.xX"), (HIGH_TOM, ".x.. ...."), (LOW_FLOOR_TOM, "...x .x.."),
            (KICK, "x... ....")])
    bass = line("Drum and Bass Sub", "x======= ..x===== | x======= ....x===", [36, 43, 36, 48],
                gate=0.95)
    return Style("Drum and Bass", 174, beat, [
        bass_part(bass, SYNTH_BASS_2, 90), pad(WHOLE_NOTE_PAD, WARM_PAD, 70)],
        drum_volume=92, tempo_range=(160, 180))


def trap():
    # Half-time clap on three, rattling hi-hat rolls, a long 808 bass on the kicks,
    # a sparse bell motif.
    beat = phrase("Trap Drums", [
        (KICK,       "X... .... ..X. .... | X..X .... .... ..x."),
        (CLAP,       ".... .... X... .... | .... .... X... ...."),
        (CLOSED_HAT, "x.x. x.x. x.x. xxxx | x.x. x.x. xxxx x.x."),
    ], 16, [(CLAP, "X... ...."), (CLOSED_HAT, "xxxx xxxx"), (KICK, "x... ..x.")], crash="o")
    bass = notes("Trap 808 Bass", 32, [(0, 36, 9, 115), (10, 43, 6, 100), (16, 36, 3, 110),
                                       (19, 36, 10, 100), (30, 48, 2, 95)])
    bells = line("Trap Bell Motif", "x..x ..x. x... .... | x..x ..x. x.x. ....",
                 [72, 67, 64, 67, 72, 67, 64, 67, 60])
    return Style("Trap", 140, beat, [
        bass_part(bass, SYNTH_BASS_1, 92), Part(bells, GLOCKENSPIEL, 84)],
        drum_volume=92, tempo_range=(130, 170))


def hip_hop():
    # Boom bap: lazy swung hats, a kick that answers the snare, sub bass and a keys loop.
    beat = phrase("Hip-Hop Drums", [
        (KICK,       "X... ..x. ..x. .... | X.x. .... ..X. .x.."),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. xoo."),
    ], 16, [(KICK, "x.x. ..x."), (SNARE, ".... X..x"), (CLOSED_HAT, "x.x. ..o.")], crash="")
    bass = notes("Hip-Hop Sub Bass", 32, [
        (0, 36, 5, 110), (6, 36, 3, 90), (10, 43, 5, 100), (16, 36, 2, 110), (18, 36, 6, 95),
        (26, 40, 5, 100)])
    keys = line("Hip-Hop Keys Loop", "x=== ..x= ..x= ==.. | x=== ..x= x=== ....",
                [(60, 64, 69), TRIAD_TOP, (62, 67, 72), (60, 64, 69), TRIAD_TOP, TRIAD_HIGH])
    return Style("Hip-Hop", 92, beat, [
        bass_part(bass, SYNTH_BASS_1, 90), Part(keys, DX_PIANO, 70),
        pad(WHOLE_NOTE_PAD, CHOIR_PAD, 72)], drum_volume=95, shuffle=0.3, tempo_range=(80, 100))


def trip_hop():
    # A slow, heavy break with a dub bass and dark Rhodes ninths.
    beat = phrase("Trip-Hop Drums", [
        (KICK,       "X... ...x ..x. .... | X.x. .... ..x. ...."),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.og"),
    ], 16, [(SNARE, "..g. X.gX"), (KICK, "x... ..x.")], crash="o")
    bass = line("Trip-Hop Dub Bass", "x=====.. x=.. .... | x======= ..x===..", [36, 43, 36, 40],
                gate=0.95)
    rhodes = line("Trip-Hop Rhodes Ninths", "x======= ........ | ......x= x=======",
                  [(64, 67, 71, 74), (64, 67, 71, 74), (64, 67, 71, 76)])
    return Style("Trip-Hop", 84, beat, [
        bass_part(bass, FINGER_BASS, 88), Part(rhodes, RHODES, 80)],
        drum_volume=90, shuffle=0.2, tempo_range=(70, 100))


def synth_pop():
    # Drum machine backbeat with clap on snare, closed hats in 16ths, driving bass,
    # a syncopated synth brass riff and a pad.
    beat = phrase("Synth Pop Drums", [
        (KICK,       "X... .... X.x. ...."),
        (SNARE,      ".... X... .... X..."),
        (CLAP,       ".... x... .... x..."),
        (CLOSED_HAT, "xoxo xoxo xoxo xoxo"),
    ], 16, [(SNARE, "x.xx"), (CLAP, "...x"), (KICK, "x...")], crash="x")
    riff = line("Synth Pop Brass Riff", "x=.x =.x= .... x=.. | x=.x =.x= .... ....",
                [TRIAD_TOP, TRIAD_TOP, (67, 72, 76), TRIAD_TOP, TRIAD_TOP, TRIAD_TOP,
                 TRIAD_HIGH])
    return Style("Synth Pop", 120, beat, [
        shared_bass(DRIVING_8THS_BASS, SYNTH_BASS_2, 86), Part(riff, SYNTH_BRASS, 66),
        pad(WHOLE_NOTE_PAD, WARM_PAD, 68)], drum_volume=92, tempo_range=(110, 135))


# --- Caribbean and African ------------------------------------------------------------------------

def reggae():
    # One drop: kick and rim together on three only, guitar skank on the backbeat, organ bubble.
    beat = phrase("Reggae One Drop", [
        (KICK,       ".... .... X... ...."),
        (SIDE_STICK, ".... .... X... ...."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.o."),
    ], 16, [(SNARE, "xox."), (LOW_FLOOR_TOM, "...x")], crash="")
    bass = line("Reggae Bass", "X==x ..x= X=== x=.. | X=== ..x= x=x= x===",
                [36, 36, 43, 48, 43, 36, 40, 43, 45, 43])
    skank = comp("Reggae Skank", ".... x... .... x...", TRIAD_HIGH, gate=0.6)
    bubble = notes("Reggae Organ Bubble", 16, [
        (pos + offset, TRIAD if offset == 0 else 48, 1, 80 if offset == 0 else 60)
        for pos in (2, 6, 10, 14) for offset in (0, 1)])
    return Style("Reggae", 76, beat, [
        bass_part(bass, FINGER_BASS, 90), Part(skank, CLEAN_GUITAR, 72),
        Part(bubble, DRAWBAR_ORGAN, 66)], drum_volume=92, shuffle=0.3, tempo_range=(60, 90))


def ska():
    # Fast walking bass with upstrokes on every offbeat, open hat barking between.
    beat = phrase("Ska Drums", [
        (KICK,     "X... .... X... ...."),
        (SNARE,    ".... x... .... x..."),
        (OPEN_HAT, "..x. ..x. ..x. ..x."),
    ], 16, [(SNARE, "x.xx x.X."), (HIGH_TOM, ".x.. ...."), (KICK, "x... ....")], crash="x")
    bass = line("Ska Walking Bass", "x=== x=== x=== x=== | x=== x=== x=== x===",
                [36, 40, 43, 40, 48, 45, 43, 40])
    guitar = comp("Ska Upstrokes", "..X. ..x. ..X. ..x.", TRIAD_HIGH, gate=0.5)
    return Style("Ska", 160, beat, [
        bass_part(bass, FINGER_BASS, 88), Part(guitar, CLEAN_GUITAR, 76)],
        drum_volume=88, tempo_range=(110, 200))


def dancehall():
    # A 3+3+2 kick under a clap backbeat, the bass on the kicks, offbeat synth stabs.
    beat = phrase("Dancehall Drums", [
        (KICK,       "X..x ..x. X..x ..x."),
        (CLAP,       ".... X... .... X..."),
        (CLOSED_HAT, "x.x. x.xx x.x. x.xx"),
    ], 16, [(CLAP, "X.x. x.xX"), (KICK, "x..x ..x.")], crash="o")
    bass = line("Dancehall Bass", "x=.x =.x= x=.x =.x=", [36, 36, 43, 36, 36, 48], gate=0.85)
    stabs = comp("Dancehall Offbeat Stabs", "..x. ..x. ..xx ..x.", (64, 67, 72, 74), gate=0.4)
    return Style("Dancehall", 98, beat, [
        bass_part(bass, SYNTH_BASS_1, 90), Part(stabs, SQUARE_LEAD, 66)],
        drum_volume=92, tempo_range=(85, 110))


def soca():
    # Driving kick on every beat, the iron ringing eighths, snare on the offbeats, horn stabs.
    beat = phrase("Soca Drums", [
        (KICK,     "X... X... X... X..."),
        (SNARE,    "..x. ..x. ..x. ..X."),
        (COWBELL,  "x.x. x.xx x.x. x.xx"),
        (OPEN_HAT, "..o. ..o. ..o. ..o."),
    ], 16, [(SNARE, "x.x. xxxx"), (HIGH_TOM, ".x.. ...."), (KICK, "X... X...")], crash="x")
    bass = line("Soca Bass", "x=.x ..x. x=.x ..x=", [36, 43, 48, 36, 43, 48], gate=0.8)
    horns = line("Soca Horn Stabs", "..x= ..x. x... x=.. | ..x= ..x. x.x. x=..",
                 [TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP, TRIAD_HIGH,
                  TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP, (67, 72, 76), TRIAD_TOP], gate=0.7)
    return Style("Soca", 156, beat, [
        bass_part(bass, SYNTH_BASS_2, 88), Part(horns, BRASS, 66)],
        drum_volume=90, tempo_range=(110, 170))


def afrobeats():
    # Mid-tempo bounce: shaker 16ths, a clave-like rim, clap on two and four, a syncopated
    # log-drum bass and a highlife guitar line.
    beat = phrase("Afrobeats Drums", [
        (KICK,       "X... ..x. X... ..x. | X... ..x. X..x ...."),
        (SIDE_STICK, "...x ..x. ...x ..x."),
        (CLAP,       ".... X... .... X..."),
        (CABASA,     "xoxo xoxo xoxo xoxo"),
    ], 16, [(HIGH_BONGO, "x.x. ...."), (LOW_CONGA, "..x. x.x."), (CLAP, ".... X...")],
        crash="o")
    bass = line("Afrobeats Log Drum Bass", "x..x ..x. ..x. x...", [36, 36, 43, 48, 43], gate=0.8)
    guitar = line("Afrobeats Highlife Guitar", "x.xo .xo. x.xo .xo.",
                  [72, 67, 64, 67, 72, 76, 72, 67, 64, 67], gate=0.6)
    return Style("Afrobeats", 104, beat, [
        bass_part(bass, SYNTH_BASS_2, 88), Part(guitar, CLEAN_GUITAR, 76)],
        drum_volume=90, tempo_range=(95, 115))


STYLES = [
    country, bluegrass, country_waltz, country_ballad, cajun, western_swing, country_rock,
    train_beat, disco, nu_disco, house, techno, trance, eurodance, drum_and_bass, trap, hip_hop,
    trip_hop, synth_pop, reggae, ska, dancehall, soca, afrobeats,
]
