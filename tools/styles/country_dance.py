"""Country, dance and club styles, hip-hop, and the Caribbean and African dance grooves."""

from styles.core import *  # noqa: F401,F403


def fine(rhythm):
    """A rhythm written in 16th-note steps, put on the grid of 32nds (steps_per_beat=8) that a
    16th swing needs: every step becomes two, a hit holding its second half."""
    return "".join(char + ("." if char == "." else "=") for char in clean(rhythm))


def beats12(*beats):
    """A bar of 4/4 on the grid of 12 steps a beat, written beat by beat: a 16th is 3 steps,
    a 16th triplet 2, a 32nd triplet 1."""
    for beat in beats:
        if len(clean(beat)) != 12:
            raise ValueError(f"a beat of 12 steps expected: {beat!r}")
    return "".join(clean(beat) for beat in beats)


# bass_part shares one stored pattern among the styles that play the same line.
shared_bass = bass_part

# Where the players stand (0 left, 1 right), seen from the dance floor.
LEFT, LEFT_OF_CENTRE, CENTRE, RIGHT_OF_CENTRE, RIGHT = 0.3, 0.42, 0.5, 0.6, 0.7


# --- Parts several styles play alike ----------------------------------------------------------

# A chord held through two bars of 4/4 (one bar on the 32nd grid): pads and string beds.
WHOLE_NOTE_PAD = comp("Held Chord Pad", "o=============== | ================", TRIAD_TOP)

# Fiddle double stops, the sixth leaning on the fifth in the second bar.
FIDDLE_DOUBLE_STOPS = notes("Country Fiddle Double Stops", 32,
                            [(0, (64, 67), 15, 75), (16, (64, 69), 15, 72)])


# --- Country ------------------------------------------------------------------------------------

def country():
    # Country two-beat: the snare brushed in 16ths like a train, accented on two and four, kick
    # on one and three; the bass alternates root and fifth and walks up into the next bar; the
    # guitar's chick-a on the backbeat, a fiddle above.
    beat = phrase("Two-Step Train Beat", [
        (SNARE,     "gogo Xogo gogo Xogo"),
        (PEDAL_HAT, ".... x... .... x..."),
        (KICK,      "X... .... x... ...."),
    ], 16, [(SNARE, "ooxx xxXX"), (KICK, "x... x...")], crash="x")
    bass = line("Two-Step Alternating Bass", "x=== .... x=== .... | x=== .... x=.. x=x=",
                [36, 43, 36, 43, 45, 47])
    strum = comp("Two-Step Chicka Strum", ".... x=o. .... x=o.", (55, 60, 64, 67))
    return Style("Country Two-Step", 116, beat, [
        bass_part(bass, ACOUSTIC_BASS, 92), Part(strum, STEEL_GUITAR, 74, pan=RIGHT),
        Part(FIDDLE_DOUBLE_STOPS, FIDDLE, 62, pan=LEFT)], drum_volume=85, tempo_range=(100, 180),
        defining=(1, 2))


def bluegrass():
    # Cut time felt in 2/4: bass on one, the chop on two, the banjo rolling 3+3+2 over it all.
    # The bass alternates root and fifth: the genre lives on it.
    beat = phrase("Bluegrass Brush Drums", [
        (SNARE, "..g. X.g."),
        (KICK,  "o... ...."),
    ], 8, [(SNARE, "x.xx"), (KICK, "x...")], crash="")
    bass = line("Bluegrass Bass", "x=.. .... | x=.. ....", [36, 43])
    roll = line("Bluegrass Banjo Roll", "Xox Xox Xo", [60, 64, 72, 67, 60, 72, 67, 64], gate=0.9)
    chop = comp("Bluegrass Offbeat Chop", ".... X=..", (60, 64, 67, 72), gate=0.5)
    return Style("Bluegrass", 140, beat, [
        bass_part(bass, ACOUSTIC_BASS, 90), Part(roll, BANJO, 78, pan=LEFT_OF_CENTRE),
        Part(chop, STEEL_GUITAR, 72, pan=RIGHT)],
        drum_volume=80, meter="2/4", tempo_range=(100, 170), defining=(2,))


def country_waltz():
    # Oom-pah-pah: bass on one, the guitar on two and three, a brushed backbeat, a fiddle
    # holding the harmony across the bar.
    beat = phrase("Country Waltz Drums", [
        (RIDE,  "x.o. x.o. x.o."),
        (SNARE, ".... o... o..."),
        (KICK,  "x... .... ...."),
    ], 12, [(SNARE, "o.o. x.xx"), (LOW_FLOOR_TOM, ".... ...x")], crash="o")
    bass = line("Country Waltz Bass", "x=== .... .... | x=== .... x===", [36, 43, 40])
    strum = comp("Country Waltz Pah-Pah", ".... x=.. x=..", (55, 60, 64, 67), gate=0.8)
    fiddle = notes("Country Waltz Fiddle", 24, [(0, (64, 67), 11, 70), (12, (64, 69), 5, 66),
                                                (18, (67, 72), 5, 68)])
    return Style("Country Waltz", 104, beat, [
        bass_part(bass, ACOUSTIC_BASS, 92), Part(strum, STEEL_GUITAR, 66, pan=RIGHT_OF_CENTRE),
        Part(fiddle, FIDDLE, 60, pan=LEFT)],
        drum_volume=82, meter="3/4", tempo_range=(84, 132), defining=(1, 2))


def country_ballad():
    # Side stick on the backbeat, the hat lifting into each beat, the kick pushing the second
    # bar; fingerpicked guitar and a string bed.
    beat = phrase("Country Ballad Drums", [
        (CLOSED_HAT, "o.gg o.g. o.gg o.g. | o.gg o.g. o.gg o.gg"),
        (SIDE_STICK, ".... x... .... x... | .... x... .... x..."),
        (KICK,       "x... .... x..o .... | x... ...o x... ...."),
    ], 16, [(SNARE, "o.ox"), (LOW_FLOOR_TOM, "...o")], crash="o")
    bass = line("Country Ballad Bass", "x======= x===== x= | x======= x=======",
                [36, 43, 40, 36, 43], gate=0.95)
    picking = steady("Country Ballad Fingerpicking", 16, 2, [48, 55, 64, 60, 67, 60, 64, 55], 1.9,
                     vel=80, accents=(0,))
    return Style("Country Ballad", 70, beat, [
        bass_part(bass, FRETLESS_BASS, 80),
        Part(picking, STEEL_GUITAR, 82, mode=SUS, pan=LEFT_OF_CENTRE),
        Part(WHOLE_NOTE_PAD, SLOW_STRINGS, 58, mode=SUS, pan=RIGHT)],
        drum_volume=82, tempo_range=(60, 84), defining=(2,))


def country_rock():
    # Straight eighths with the twang: a driving bass that walks up at the end of the phrase,
    # an open strum, a fiddle line above.
    beat = phrase("Country Rock Drums", [
        (CLOSED_HAT, "x.x. x.x. x.x. x.x."),
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X... ..x. X.x. ...."),
    ], 16, [(SNARE, "X.x. x.xx"), (HIGH_TOM, ".x.. ...."), (LOW_FLOOR_TOM, "...x ...."),
            (KICK, "x... x...")])
    bass = line("Country Rock Driving Bass", "X=x= x=x= X=x= x=x= | X=x= x=x= X=x= x=x=",
                [36] * 8 + [36, 36, 43, 43, 40, 40, 43, 45], gate=0.8)
    strum = comp("Country Rock Strum", "X.x. .xx. X.x. .xx.", (55, 60, 64, 67, 72))
    return Style("Country Rock", 124, beat, [
        bass_part(bass, PICK_BASS, 88), Part(strum, STEEL_GUITAR, 72, pan=0.62),
        Part(FIDDLE_DOUBLE_STOPS, FIDDLE, 62, pan=LEFT)], drum_volume=94, tempo_range=(100, 150),
        defining=(0, 2))


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
    # Octaves on the eighths, climbing through the third and fifth and back down through the
    # sixth at the end of the phrase.
    bass = line("Disco Octave Bass", "x=x= x=x= x=x= x=x= | x=x= x=x= x=x= x=xx",
                [36, 48] * 4 + [36, 48, 40, 52, 43, 55, 45, 47, 45], gate=0.6)
    guitar = comp("Disco Guitar 16ths", "ogXg ogXg ogXg ogXg", TRIAD_TOP, gate=0.5)
    strings = line("Disco Strings", "x=========== .... | x===== x= ..x= x===",
                   [TRIAD_TOP, TRIAD_TOP, TRIAD_TOP, (67, 72, 76), (69, 72, 76)])
    return Style("Disco", 118, beat, [
        bass_part(bass, FINGER_BASS, 98), Part(guitar, MUTED_GUITAR, 72, pan=0.4),
        Part(strings, STRINGS, 62, pan=RIGHT)], tempo_range=(110, 130), defining=(0, 1))


def house():
    # Four on the floor with swung 16ths: claps on two and four, shaker and congas, offbeat bass,
    # a piano stab riff over a held pad. A steady groove, bar after bar: no crash opening every
    # second bar (the fills and sections mark the phrases).
    beat = phrase("House Drums", [
        (KICK,       fine("X... x... X... x...")),
        (CLAP,       fine(".... x... .... x...")),
        (OPEN_HAT,   fine("..x. ..x. ..x. ..x.")),
        (MARACAS,    fine("gogo gogo gogo gogo")),
        (MUTE_CONGA, fine("...x ..x. .x.. ..x.")),
        (LOW_CONGA,  fine(".... .... ...x ....")),
    ], 32, [(CLAP, fine("x.xx x.xX")), (KICK, fine("x... x..."))], bars=2, crash="")
    # The offbeat bass jumps the octave, the second bar climbing to the fifth and the sixth.
    bass = line("House Offbeat Bass", fine("..x= ..xx ..x= ..x. | ..x= ..xx ..x= .xx."),
                [36, 36, 48, 36, 43, 36, 36, 48, 40, 43, 45], gate=0.8)
    piano = comp("House Piano Stabs", fine("x..x ..x. ..x. .x.."), (60, 64, 67, 74), gate=0.6)
    return Style("House Dance", 124, beat, [
        bass_part(bass, SYNTH_BASS_1, 88), Part(piano, BRIGHT_PIANO, 74, pan=0.56),
        Part(WHOLE_NOTE_PAD, POLY_PAD, 68, mode=SUS, pan=0.62)], drum_volume=92,
        steps_per_beat=8, shuffle=0.2, tempo_range=(118, 130), defining=(0,))


def techno():
    # Relentless kick, ride on the offbeats, a rim figure and a dotted-eighth sequence
    # turning three against four; the bass pulses on the root between the kicks.
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
        bass_part(bass, SYNTH_BASS_2, 86), Part(sequence, SAW_LEAD, 66, pan=RIGHT_OF_CENTRE),
        Part(WHOLE_NOTE_PAD, SWEEP_PAD, 70, mode=SUS, pan=LEFT_OF_CENTRE)], drum_volume=95,
        tempo_range=(125, 150), defining=(0,))


def trance():
    # Kick on every beat, the bass rolling the three 16ths between them, a rolling 16th
    # arpeggio and a wide string pad; the snare rolls into each phrase.
    beat = phrase("Trance Drums", [
        (KICK,       "x... x... x... x..."),
        (OPEN_HAT,   "..X. ..X. ..X. ..X."),
        (CLOSED_HAT, ".o.o .o.o .o.o .o.o"),
        (RIDE,       "o.o. o.o. o.o. o.o."),
        (CLAP,       ".... x... .... x..."),
    ], 16, FILL_ROLL, crash="x")
    # Root, root, octave after each kick; the second bar climbs through the third and the
    # fifth to the leading note.
    bass = line("Trance Rolling Bass", ".xxo .xxo .xxo .xxo | .xxo .xxo .xxo .xxo",
                [36, 36, 48] * 4 + [36, 36, 48, 36, 36, 48, 40, 40, 52, 43, 43, 47], gate=0.7)
    arpeggio = steady("Trance Arpeggio", 16, 1, [60, 64, 67, 72, 76, 72, 67, 64], 0.5, vel=85,
                      accents=BEATS)
    return Style("Trance", 138, beat, [
        bass_part(bass, SYNTH_BASS_1, 68), Part(arpeggio, SAW_LEAD, 90, pan=RIGHT_OF_CENTRE),
        Part(WHOLE_NOTE_PAD, SYNTH_STRINGS, 72, mode=SUS, pan=LEFT_OF_CENTRE)],
        drum_volume=86, tempo_range=(128, 145), defining=(0, 2))


def drum_and_bass():
    # Fast two-step break: kick on one and the and of two, snare on two and four with ghosts,
    # under a slow sub bass and a pad, half the tempo in feel.
    beat = phrase("Drum and Bass Break", [
        (KICK,       "X... .... ..x. .... | X.x. .... ..x. ...."),
        (SNARE,      ".... X..g .g.. X... | .... X..g .g.. X..g"),
        (CLOSED_HAT, "x.x. x.x. x.x. x.x. | x.x. x.x. x.x. x.xx"),
    ], 16, [(SNARE, "x.xx x.xX"), (HIGH_TOM, ".x.. ...."), (LOW_FLOOR_TOM, "...x .x.."),
            (KICK, "x... ....")])
    # The sub holds the root, answers on the fifth, and climbs sixth and leading note back home.
    bass = line("Drum and Bass Sub", "x======= ..x===== | x======= ....x=x=", [36, 43, 36, 45, 47],
                gate=0.95)
    return Style("Drum and Bass", 174, beat, [
        bass_part(bass, SYNTH_BASS_2, 96), Part(WHOLE_NOTE_PAD, WARM_PAD, 70, mode=SUS)],
        drum_volume=92, tempo_range=(160, 180), defining=(0, 1))


def trap():
    # Half time: the clap and snare on three, the hats ticking eighths and 16ths and rolling
    # into 16th triplets and 32nd triplets, the 808 on the kicks, sliding from one note into the
    # next where it is held into it; a sparse bell motif. One bar: two would not fit the grid.
    beat = phrase("Trap Drums", [
        (KICK,       beats12("X........... ", ".........x..", "............", "...x........")),
        (CLAP,       beats12("............", "............", "X...........", "............")),
        (SNARE,      beats12("............", "............", "x...........", "............")),
        (CLOSED_HAT, beats12("x.....o.....", "x..o..x..o..", "x..o..x.o.o.", "x.o.o.xoxoxo")),
        (OPEN_HAT,   beats12("............", "............", "............", "......o.....")),
    ], 48, [(SNARE, "....x.x.xxXX"), (CLOSED_HAT, "xoxoxoxxxxxx"), (KICK, "x...........")],
        bars=1, crash="")
    bass = notes("Trap 808 Bass", 48, [(0, 36, 22, 115), (21, 43, 19, 100), (39, 48, 7, 105),
                                       (45, 47, 3, 90)])
    bells = notes("Trap Bell Motif", 48, [(0, 72, 3, 100), (9, 67, 3, 88), (18, 64, 3, 90),
                                          (24, 67, 6, 95), (33, 71, 3, 80), (36, 72, 6, 92)])
    return Style("Trap", 140, beat, [
        bass_part(bass, SYNTH_BASS_1, 92, glide=90), Part(bells, GLOCKENSPIEL, 84, pan=RIGHT_OF_CENTRE)],
        drum_volume=92, steps_per_beat=12, tempo_range=(130, 170), defining=(0, 1))


def hip_hop():
    # Boom bap on swung 16ths: a fat kick that answers the snare on two and four, lazy hats,
    # a sub bass on the kicks and a dusty keys loop.
    beat = phrase("Hip-Hop Drums", [
        (KICK,       fine("X... ...x ..X. .... | X.x. ...x ..x. .x..")),
        (SNARE,      fine(".... X... .... X... | .... X... .... X..g")),
        (CLOSED_HAT, fine("x.xo x.xo x.xo x.xo | x.xo x.xo x.xo x.o.")),
        (OPEN_HAT,   fine(".... .... .... .... | .... .... .... ...o")),
    ], 32, [(KICK, fine("x.x. ..x.")), (SNARE, fine(".... X..x")), (CLOSED_HAT, fine("x.x. ..o."))],
        bars=2, crash="")
    bass = line("Hip-Hop Sub Bass", fine("x==. ...x ==x= .... | x=x. ...x ==x= .x.."),
                [36, 36, 43, 36, 36, 40, 43, 47], gate=0.9)
    keys = line("Hip-Hop Keys Loop", fine("x=== ..x= ..x= ==.. | x=== ..x= x=== ...."),
                [(60, 64, 69), TRIAD_TOP, (62, 67, 72), (60, 64, 69), TRIAD_TOP, TRIAD_HIGH])
    return Style("Hip-Hop", 92, beat, [
        bass_part(bass, SYNTH_BASS_1, 96), Part(keys, DX_PIANO, 72, pan=LEFT_OF_CENTRE),
        Part(WHOLE_NOTE_PAD, CHOIR_PAD, 70, mode=SUS, pan=RIGHT_OF_CENTRE)], drum_volume=95,
        steps_per_beat=8, shuffle=0.6, tempo_range=(80, 100), defining=(0, 1))


def trip_hop():
    # A slow, heavy, loosely swung break with a dub bass and dark Rhodes ninths.
    beat = phrase("Trip-Hop Drums", [
        (KICK,       fine("X... .... ..x. ...x | X... ...x .x.. ....")),
        (SNARE,      fine(".... X... .... X... | .... X... .... X.g.")),
        (CLOSED_HAT, fine("x.o. x.og x.o. x.og | x.o. x.og x.o. x.og")),
        (TAMBOURINE, fine(".... o... .... o... | .... o... .... o...")),
    ], 32, [(SNARE, fine("..g. X.gX")), (KICK, fine("x... ..x."))], bars=2, crash="")
    bass = line("Trip-Hop Dub Bass", fine("x=====.. x=.. .... | x======= ..x===.."),
                [36, 43, 36, 40], gate=0.95)
    rhodes = line("Trip-Hop Rhodes Ninths", fine("x======= ........ | ......x= x======="),
                  [(64, 67, 71, 74), (64, 67, 71, 74), (64, 67, 71, 76)])
    return Style("Trip-Hop", 84, beat, [
        bass_part(bass, FINGER_BASS, 88), Part(rhodes, RHODES, 80, pan=LEFT_OF_CENTRE)],
        drum_volume=90, steps_per_beat=8, shuffle=0.45, tempo_range=(70, 100), defining=(0, 2))


def synth_pop():
    # Drum machine backbeat with clap on snare, closed hats in 16ths, a driving eighth bass
    # jumping the octave, a syncopated synth brass riff and a pad.
    beat = phrase("Synth Pop Drums", [
        (KICK,       "X... .... X.x. ...."),
        (SNARE,      ".... X... .... X..."),
        (CLAP,       ".... x... .... x..."),
        (CLOSED_HAT, "xoxo xoxo xoxo xoxo"),
    ], 16, [(SNARE, "x.xx"), (CLAP, "...x"), (KICK, "x...")], crash="x")
    bass = line("Synth Pop Octave Eighths", "X=x= x=x= X=x= x=x= | X=x= x=x= X=x= x=x=",
                [36, 36, 48, 36, 36, 36, 48, 36, 36, 36, 48, 36, 40, 40, 43, 47], gate=0.8)
    riff = line("Synth Pop Brass Riff", "x=.x =.x= .... x=.. | x=.x =.x= .... ....",
                [TRIAD_TOP, TRIAD_TOP, (67, 72, 76), TRIAD_TOP, TRIAD_TOP, TRIAD_TOP,
                 TRIAD_HIGH])
    return Style("Synth Pop", 120, beat, [
        bass_part(bass, SYNTH_BASS_2, 86), Part(riff, SYNTH_BRASS, 72, pan=LEFT_OF_CENTRE),
        Part(WHOLE_NOTE_PAD, WARM_PAD, 68, mode=SUS, pan=RIGHT_OF_CENTRE)], drum_volume=92,
        tempo_range=(110, 135), defining=(0, 2))


# --- Caribbean and African ------------------------------------------------------------------------

def reggae():
    # One drop: kick and rim together on three only, guitar skank on the backbeat, organ bubble.
    beat = phrase("Reggae One Drop", [
        (KICK,       ".... .... X... ...."),
        (SIDE_STICK, ".... .... X... ...."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.og"),
    ], 16, [(SNARE, "xox."), (LOW_FLOOR_TOM, "...x")], crash="")
    bass = line("Reggae Bass", "X==x ..x= X=== x=.. | X=== ..x= x=x= x===",
                [36, 36, 43, 48, 43, 36, 40, 43, 45, 43])
    skank = comp("Reggae Skank", ".... x... .... x...", TRIAD_HIGH, gate=0.6)
    bubble = notes("Reggae Organ Bubble", 16, [
        (pos + offset, TRIAD if offset == 0 else 48, 1, 80 if offset == 0 else 60)
        for pos in (2, 6, 10, 14) for offset in (0, 1)])
    return Style("Reggae", 76, beat, [
        bass_part(bass, FINGER_BASS, 90), Part(skank, CLEAN_GUITAR, 72, pan=RIGHT_OF_CENTRE),
        Part(bubble, DRAWBAR_ORGAN, 66, pan=LEFT_OF_CENTRE)], drum_volume=92, shuffle=0.3,
        tempo_range=(60, 90), defining=(1, 2))


def ska():
    # Fast upbeat: guitar upstrokes on every offbeat, the piano doubling them, the open hat
    # barking between; the bass bounces root and octave and climbs through the third and fifth.
    beat = phrase("Ska Drums", [
        (KICK,     "X... .... X... ...."),
        (SNARE,    ".... x... .... x..."),
        (OPEN_HAT, "..x. ..x. ..x. ..x."),
    ], 16, [(SNARE, "x.xx x.X."), (HIGH_TOM, ".x.. ...."), (KICK, "x... ....")], crash="x")
    bass = line("Ska Bouncing Bass", "x=.x x=.. x=.x x=.. | x=.x x=.. x=.x x=x.",
                [36, 48, 43, 36, 48, 43, 36, 48, 40, 43, 45, 43, 47])
    guitar = comp("Ska Upstrokes", "..X. ..x. ..X. ..x.", TRIAD_HIGH, gate=0.5)
    piano = comp("Ska Piano Offbeats", "..x. ..x. ..x. ..x.", TRIAD, gate=0.4)
    return Style("Ska", 160, beat, [
        bass_part(bass, FINGER_BASS, 86), Part(guitar, CLEAN_GUITAR, 76, pan=RIGHT),
        Part(piano, PIANO, 66, pan=LEFT)], drum_volume=88, tempo_range=(110, 200),
        defining=(2,))


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
        bass_part(bass, SYNTH_BASS_1, 90), Part(stabs, SQUARE_LEAD, 66, pan=RIGHT_OF_CENTRE)],
        drum_volume=92, tempo_range=(85, 110), defining=(0, 1))


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
        bass_part(bass, SYNTH_BASS_2, 88), Part(horns, BRASS, 95, pan=LEFT_OF_CENTRE)],
        drum_volume=90, tempo_range=(110, 170), defining=(0, 2))


def afrobeats():
    # Mid-tempo bounce: shaker 16ths, a clave-like rim, clap on two and four, a syncopated
    # log-drum bass and a highlife guitar line.
    beat = phrase("Afrobeats Drums", [
        (KICK,       "x... ..o. x... ..o. | x... ..o. x..o ...."),
        (SIDE_STICK, "...x ..x. ...x ..x."),
        (CLAP,       ".... X... .... X..."),
        (CABASA,     "xoxo xoxo xoxo xoxo"),
    ], 16, [(HIGH_BONGO, "x.x. ...."), (LOW_CONGA, "..x. x.x."), (CLAP, ".... X...")],
        crash="o")
    bass = line("Afrobeats Log Drum Bass", "x..x ..x. ..x. x...", [36, 36, 43, 48, 43], gate=0.8)
    guitar = line("Afrobeats Highlife Guitar", "x.xo .xo. x.xo .xo.",
                  [72, 67, 64, 67, 72, 76, 72, 67, 64, 67], gate=0.6)
    return Style("Afrobeats", 104, beat, [
        bass_part(bass, SYNTH_BASS_2, 78), Part(guitar, CLEAN_GUITAR, 80, pan=0.64)],
        drum_volume=86, tempo_range=(95, 115), defining=(0, 2))


def zouk():
    # French Antillean zouk: the kick on every beat, the rim and toms playing the "ka" rhythm,
    # 3+3+2 in each half bar, 16th hats; a syncopated synth bass on the same 3+3+2, a bright
    # picked guitar, electric piano chords pushed ahead of the beat and a warm pad.
    beat = phrase("Zouk Drums", [
        (KICK,       "X... x... X... x..."),
        (SIDE_STICK, "x..x ..x. x..x ..x."),
        (LOW_TOM,    ".... .x.. .... ...x"),
        (HIGH_TOM,   ".... .... .... .x.."),
        (CLOSED_HAT, "x.xo x.xo x.xo x.xo"),
        (SNARE,      ".... .... .... x..."),
    ], 16, [(HIGH_TOM, "x.x. ...."), (LOW_TOM, "..x. x..."), (LOW_FLOOR_TOM, ".... ..xx"),
            (KICK, "x... x...")], crash="o")
    bass = line("Zouk Synth Bass", "x=.x =.x. x=.x =.x= | x=.x =.x. x=.x .xx.",
                [36, 48, 43, 36, 48, 45, 36, 48, 43, 36, 40, 43, 47], gate=0.85)
    guitar = line("Zouk Picked Guitar", ".xx. x.x. .xx. x.xx | .xx. x.x. .xx. x.x.",
                  [67, 72, 76, 72, 67, 72, 76, 74, 72, 67, 72, 76, 72, 67, 72, 74, 72], gate=0.6)
    keys = comp("Zouk Electric Piano", "..x. ..x= ..x. .x=. | ..x. ..x= ..x. ....",
                (60, 64, 67), gate=0.8)
    return Style("Zouk", 132, beat, [
        bass_part(bass, SYNTH_BASS_1, 92), Part(guitar, CLEAN_GUITAR, 70, pan=RIGHT),
        Part(keys, DX_PIANO, 66, pan=LEFT), Part(WHOLE_NOTE_PAD, WARM_PAD, 62, mode=SUS)],
        drum_volume=90, tempo_range=(115, 150), defining=(0, 1), trim_lu=-0.5)


STYLES = [
    country, bluegrass, country_waltz, country_ballad, country_rock, disco, house, techno,
    trance, drum_and_bass, trap, hip_hop, trip_hop, synth_pop, reggae, ska, dancehall, soca,
    afrobeats, zouk,
]
