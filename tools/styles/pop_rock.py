"""Pop and rock, soul and blues, hymn, Christmas and film."""

from styles.core import *  # noqa: F401,F403

CELESTA, TIMPANI, CONTRABASS = 8, 47, 43


def shared_bass(pattern):
    """A bass line several styles play alike, raised once so that they share one pattern."""
    return bass_part(pattern, FINGER_BASS, 80).pattern


def bass(raised, program, volume):
    return Part(raised, program, volume, key=0)


def on_32nds(rhythm):
    """A rhythm written in 16th-note steps, put on the grid of 32nds (steps_per_beat=8) that a
    swung sixteenth needs: every step becomes two, a hit holding its second half."""
    return "".join(char + ("." if char == "." else "=") for char in clean(rhythm))


def doubled(events):
    """Note events (pos, key, len, vel) written in 16th-note steps, put on the grid of 32nds."""
    return [(2 * pos, key, 2 * dur, vel) for pos, key, dur, vel in events]


# --- Parts several styles play alike -------------------------------------------------------------

# Plain driving root eighths with the fifth on the last beat: the punk pedal.
ROCK_BASS = shared_bass(line("Rock Bass Eighths", "X=x= x=x= X=x= x=x=",
                             [36, 36, 36, 36, 36, 36, 43, 43], gate=0.85))
# Root held, fifth, root again and a rise through the third to the fifth: ballads.
BALLAD_BASS = shared_bass(line("Pop Ballad Bass", "x===== x= x======= | x===== x= x=== x===",
                               [36, 43, 36, 36, 40, 43, 43], gate=0.95))
# The syncopated pop bass: root on every downbeat, fifth pushing into beat 2.
POP_BASS = shared_bass(line("Pop Bass", "X==x ==x= X=.x =.x. | X==x ==x= X=== x=x=",
                            [36, 36, 36, 43, 43, 43, 36, 36, 36, 40, 43, 40]))
# The boogie walk up the chord to the sixth and flat seventh and back down.
BOOGIE_BASS = shared_bass(notes("Blues Boogie Bass", 16, [
    (pos, key, 2.5 if pos % 4 == 0 else 1.4, 105 if pos % 4 == 0 else 90)
    for pos, key in zip(range(0, 16, 2), [36, 40, 43, 45, 46, 45, 43, 40])]))
# Pairs of eighths up the chord, the sixth touched on beat 4: beat groups.
CHORD_EIGHTHS_BASS = shared_bass(line("Beat Chord Eighths Bass", "X=x= x=x= X=x= x=x=",
                                      [36, 36, 40, 40, 43, 43, 45, 43], gate=0.8))
# Half notes on root and fifth: a film's contrabass pedal.
HALF_NOTE_BASS = shared_bass(line("Pop Root-Fifth Halves", "x======= x=======", [36, 43],
                                  gate=0.95))

HELD_MID = comp("Pop Held Chord Mid", "o===============", (55, 60, 64, 67))
HELD_HIGH = comp("Pop Held Chord High", "o===============", (67, 72, 76))
PIANO_EIGHTHS = comp("Rock Piano Eighths", "X=x= x=x= X=x= x=x=", (60, 64, 67, 72), gate=0.6)
BALLAD_ARPEGGIO = steady("Pop Ballad Arpeggio", 16, 2, [48, 55, 60, 64, 67, 64, 60, 55], 2,
                         vel=96, accents=(0,))
ROCK_SUSTAIN = comp("Rock Guitar Sustain", "X=============== | x===============", (60, 67, 72))
# The boogie shuffle comp: fifth, sixth, flat seventh, sixth above the root.
SHUFFLE_GUITAR = line("Blues Shuffle Guitar", "x=x= x=x= x=x= x=x=",
                      [(48, 55), (48, 55), (48, 57), (48, 57), (48, 58), (48, 58), (48, 57),
                       (48, 57)], gate=0.8)
TRIPLETS_12_8 = comp("Slow Rock 12/8 Triplets", "Xoo xoo xoo xoo", TRIAD, gate=0.85)
STRINGS_12_8 = comp("Slow Rock 12/8 Strings", "o=========== | o===========", TRIAD_TOP)


# --- Rock ----------------------------------------------------------------------------------------

def rock():
    # Straight eighths on the hi-hat, backbeat on 2 and 4, the kick answering on the "and".
    # The bass drives root eighths, climbs through the third in the first bar and walks down
    # from the fifth through the third and second into the next bar.
    beat = phrase("Rock 8-Beat Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.o."),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (KICK,       "X... ...x X.x. .... | X... .... X.x. ..x."),
    ], 16, FILL_ROCK)
    drive = line("Rock 8-Beat Bass", "X=x= x=x= X=x= x=x= | X=x= x=x= X=x= x=x=",
                 [36] * 6 + [40, 43] + [36] * 4 + [43, 43, 40, 38], gate=0.85)
    guitar = comp("Rock Power Chords", "X==x ==x= X==x ==x.", POWER, gate=0.9)
    return Style("Rock 8-Beat", 116, beat, [
        bass_part(drive, FINGER_BASS, 82), Part(guitar, OVERDRIVE_GUITAR, 55, pan=0.68),
        Part(HELD_MID, ROCK_ORGAN, 48, mode=SUS, pan=0.3)], tempo_range=(96, 140),
        defining=(0, 2))


def rock_16():
    # Sixteenths on the hat with the offbeats soft, a syncopated kick and muted guitar picking;
    # the bass answers the kick and climbs to the flat seventh at the end of the second bar.
    beat = phrase("Rock 16-Beat Drums", [
        (CLOSED_HAT, "xoxo xoxo xoxo xoxo"),
        (SNARE,      ".... X... .... X... | .... X... .... X..g"),
        (KICK,       "X... ..x. x.x. .... | X... ..x. x... .x.."),
    ], 16, [(SNARE, "XoxoXo.."), (HIGH_TOM, "......x."), (LOW_FLOOR_TOM, ".......X"),
            (KICK, "x...x...")])
    line16 = line("Rock 16 Bass", "X==x ..x= x=x= ..x= | X==x ..x= x=x= .xx.",
                  [36, 36, 36, 43, 48, 43, 36, 36, 40, 43, 45, 45, 46], gate=0.8)
    guitar = comp("Rock 16 Muted Guitar", "xoox oxoo xoox oxoo", (55, 60, 64), gate=0.5)
    return Style("Rock 16-Beat", 96, beat, [
        bass_part(line16, FINGER_BASS, 84), Part(guitar, MUTED_GUITAR, 58, pan=0.7),
        Part(HELD_MID, RHODES, 50, mode=SUS, pan=0.36)], tempo_range=(76, 120), defining=(0, 2))


def pop_rock():
    # Eighth-note drive with an open hat lifting the end of the second bar; the bass pushes
    # eighths on the root and lifts through the third and sixth.
    beat = phrase("Pop Rock Drums", [
        (CLOSED_HAT, "x.x. x.x. x.x. x.x. | x.x. x.x. x.x. x..."),
        (OPEN_HAT,   ".... .... .... .... | .... .... .... ..x."),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (KICK,       "X... ..x. X... .... | X.x. ..x. X... ...."),
    ], 16, [(SNARE, "x.x.xxX."), (LOW_FLOOR_TOM, ".......x"), (KICK, "x...x...")])
    drive = line("Pop Rock Bass", "X=x= x=x= X=x= x=x= | X=x= x=x= X=x= x.x.",
                 [36, 36, 36, 36, 36, 36, 40, 43, 36, 36, 36, 36, 43, 43, 45, 43], gate=0.8)
    guitar = comp("Pop Rock Guitar Strum", "X=.x .x.x X=.x .xx.", (48, 55, 60, 64), gate=0.85)
    return Style("Pop Rock", 120, beat, [
        bass_part(drive, PICK_BASS, 82), Part(guitar, OVERDRIVE_GUITAR, 60, pan=0.7),
        Part(PIANO_EIGHTHS, PIANO, 55, pan=0.4), Part(HELD_HIGH, STRINGS, 42, mode=SUS, pan=0.28)],
        tempo_range=(104, 136), defining=(0, 2))


def power_ballad():
    # Half-time: the snare lands big on beat 3, toms walk down into every fourth bar.
    beat = phrase("Power Ballad Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o."),
        (SNARE,      ".... .... X... .... | .... .... X... ...."),
        (KICK,       "X... ..x. .... .... | X... .... ..x. x..."),
    ], 16, [(HIGH_TOM, "xx......"), (HIGH_MID_TOM, "..xx...."), (LOW_MID_TOM, "....xx.."),
            (LOW_FLOOR_TOM, "......xX"), (KICK, "x...x...")])
    return Style("Power Ballad", 70, beat, [
        bass(BALLAD_BASS, PICK_BASS, 80), Part(BALLAD_ARPEGGIO, PIANO, 72, mode=SUS, pan=0.42),
        Part(ROCK_SUSTAIN, DISTORTION_GUITAR, 40, mode=SUS, pan=0.7),
        Part(HELD_HIGH, STRINGS, 42, mode=SUS, pan=0.3)],
        drum_volume=92, tempo_range=(60, 84), defining=(2,))


def unplugged():
    # Shaker sixteenths, side-stick backbeat and a steel-string strum; nylon picks the chord.
    beat = phrase("Unplugged Drums", [
        (MARACAS,    "xoxo xoxo xoxo xoxo"),
        (SIDE_STICK, ".... x... .... x..."),
        (KICK,       "x... .... x.o. .... | x... ..o. x... ...."),
    ], 16, FILL_SOFT, crash="o")
    strum = comp("Unplugged Strum", "X.x. .xx. x.x. .xxo", (48, 52, 55, 60, 64), gate=0.8)
    return Style("Unplugged", 96, beat, [
        bass(POP_BASS, ACOUSTIC_BASS, 82), Part(strum, STEEL_GUITAR, 60, pan=0.62),
        Part(BALLAD_ARPEGGIO, NYLON_GUITAR, 55, mode=SUS, pan=0.4)], drum_volume=85,
        tempo_range=(76, 116), defining=(2,))


def soul_ballad_6_8():
    # Two dotted-quarter beats a bar: hat on every eighth, snare on the second beat.
    beat = phrase("Soul Ballad 6/8 Drums", [
        (CLOSED_HAT, "xoo xoo"),
        (SNARE,      "... X.. | ... X.g"),
        (KICK,       "X.. ..o | X.o ..."),
    ], 6, [(SNARE, "xox..."), (HIGH_TOM, "...x.."), (LOW_FLOOR_TOM, "....xX"),
           (KICK, "x.....")], crash="x")
    line68 = line("Soul 6/8 Bass", "x==x=. x==x.x", [36, 43, 36, 43, 40])
    return Style("Soul Ballad 6/8", 50, beat, [
        bass_part(line68, FINGER_BASS, 84), Part(TRIPLETS_12_8, PIANO, 62, pan=0.42),
        Part(STRINGS_12_8, SLOW_STRINGS, 45, mode=SUS, pan=0.64)], steps_per_beat=3, meter="6/8",
        tempo_range=(40, 66), defining=(2,))


def sixties_beat():
    # Beat-group drive: tambourine eighths over the backbeat, a ringing strum and combo organ.
    beat = phrase("60s Beat Drums", [
        (TAMBOURINE, "x.x. x.x. x.x. x.x."),
        (SNARE,      ".... X... .... X.o. | .... X... .... X..."),
        (KICK,       "X... .... X.x. .... | X... ..x. X... ...."),
    ], 16, [(SNARE, "X.x.xxx."), (LOW_FLOOR_TOM, ".......X"), (KICK, "x...x...")])
    guitar = line("60s Jangle Guitar", "X.x. x.xx .xx. x.x.",
                  [TRIAD_HIGH, TRIAD_HIGH, TRIAD_HIGH, (60, 62, 67), (60, 62, 67), TRIAD_HIGH,
                   TRIAD_HIGH, TRIAD_HIGH, TRIAD_HIGH], gate=0.8)
    return Style("60s Beat", 140, beat, [
        bass(CHORD_EIGHTHS_BASS, PICK_BASS, 82), Part(guitar, STEEL_GUITAR, 66, pan=0.66),
        Part(PIANO_EIGHTHS, PERC_ORGAN, 45, pan=0.34)], tempo_range=(120, 164), defining=(2,))


def surf():
    # Kick on the "and"s, toms rumbling through the fill, a tremolo-picked reverb guitar; the
    # bass bounces octaves up the chord, root, third, fifth and sixth.
    beat = phrase("Surf Drums", [
        (CLOSED_HAT, "x.x. x.x. x.x. x.x."),
        (SNARE,      ".... X... .... X..x"),
        (KICK,       "X.x. ..x. X.x. ..x."),
    ], 16, [(HIGH_TOM, "XxXx...."), (LOW_FLOOR_TOM, "....XxXx"), (KICK, "x...x...")])
    line_surf = line("Surf Bass", "X=x= x=x= X=x= x=x=", [36, 48, 40, 52, 43, 55, 45, 57])
    tremolo = steady("Surf Tremolo Guitar", 32, 1, [64] * 8 + [67] * 8 + [72] * 8 + [67] * 8,
                     0.8, vel=88, accents=(0, 8, 16, 24))
    return Style("Surf", 160, beat, [
        bass_part(line_surf, PICK_BASS, 82), Part(tremolo, CLEAN_GUITAR, 55, pan=0.62),
        Part(HELD_MID, DRAWBAR_ORGAN, 42, mode=SUS, pan=0.34)], tempo_range=(140, 184),
        defining=(2,))


def rockabilly():
    # A tight kit, no ride: the closed hat swings the eighths, the snare cracks on 2 and 4 and
    # answers itself on the swung "and" like a slapback echo. The slapped upright walks the
    # chord up and back in short, popping notes under the hollow-body guitar, whose boogie
    # double stops and sixth lick are the style; an acoustic strums the offbeats behind it.
    beat = phrase("Rockabilly Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o."),
        (SNARE,      ".... X.g. .... X.g. | .... X.g. .... X.o."),
        (KICK,       "x... .... x... .... | x... .... x... ..o."),
    ], 16, [(SNARE, "x.x.x.X."), (SIDE_STICK, ".x.x...."), (KICK, "x.....x.")])
    slap = line("Rockabilly Slap Bass", "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.o.",
                [36, 36, 40, 40, 43, 43, 45, 45, 46, 46, 45, 45, 43, 43, 40, 40], gate=0.5)
    guitar = line("Rockabilly Guitar", "X.x. x.x. X.x. x.x. | X.x. x=x. x.x. x...",
                  [(60, 64), (60, 64), (60, 69), (60, 69), (60, 70), (60, 70), (60, 69), (60, 69),
                   (64, 67), 69, 67, 64, 62, 60, 64], gate=0.7)
    rhythm = comp("Rockabilly Acoustic Offbeats", "..x. ..x. ..x. ..x.", (55, 60, 64), gate=0.4)
    return Style("Rockabilly", 176, beat, [
        bass_part(slap, ACOUSTIC_BASS, 74), Part(guitar, CLEAN_GUITAR, 70, pan=0.6),
        Part(rhythm, STEEL_GUITAR, 60, pan=0.34)],
        drum_volume=80, shuffle=1.0, tempo_range=(150, 210), defining=(2,))


def boogie_woogie():
    # The left hand walks the boogie figure, the right hand answers with seventh-chord stabs.
    beat = phrase("Boogie-Woogie Drums", [
        (RIDE,      "x.x. x.x. x.x. x.x."),
        (SNARE,     ".... x... .... x..."),
        (KICK,      "x... o... x... o..."),
        (PEDAL_HAT, ".... x... .... x..."),
    ], 16, [(SNARE, "X.x.x.X."), (KICK, "x.......")])
    left = notes("Boogie Left Hand", 16, [
        (pos, key, 1.8, 100 if pos % 4 == 0 else 85)
        for pos, key in zip(range(0, 16, 2), [48, 52, 55, 57, 58, 57, 55, 52])])
    right = comp("Boogie Right Hand", "x.x. .x.x x.x. .xx.", (64, 67, 70), gate=0.7)
    return Style("Boogie-Woogie", 150, beat, [
        bass(BOOGIE_BASS, ACOUSTIC_BASS, 82), Part(left, PIANO, 62, pan=0.42),
        Part(right, PIANO, 60, pan=0.58)], shuffle=1.0, tempo_range=(120, 190), defining=(2, 3))


def metal():
    # Double-kick sixteenths under a galloping palm-muted riff; the bass gallops the root pedal
    # with the riff, and the two guitars (riff and sustained chord) stand left and right.
    beat = phrase("Metal Drums", [
        (RIDE_BELL, "x... x... x... x..."),
        (SNARE,     ".... X... .... X..."),
        (KICK,      "xxxx xxxx xxxx xxxx"),
    ], 16, [(SNARE, "xxxx...."), (HIGH_TOM, "....xx.."), (LOW_FLOOR_TOM, "......XX"),
            (KICK, "xxxxxxxx")], crash="A")
    gallop = line("Metal Gallop Bass", "X=xx x=xx X=xx x=xx", [36] * 12, gate=0.8)
    riff = comp("Metal Gallop Riff", "X.xx x.xx X.xx x.xx", (48, 55, 60), gate=0.6)
    return Style("Metal", 150, beat, [
        bass_part(gallop, PICK_BASS, 88), Part(riff, DISTORTION_GUITAR, 80, pan=0.3),
        Part(ROCK_SUSTAIN, OVERDRIVE_GUITAR, 62, mode=SUS, pan=0.72)], drum_volume=88,
        tempo_range=(110, 200), defining=(2, 3))


def punk():
    # Fast and flat out: trashy open hat eighths, downstroked power chords over the bass's
    # root-eighth pedal.
    beat = phrase("Punk Drums", [
        (OPEN_HAT, "x.x. x.x. x.x. x.x."),
        (SNARE,    ".... X... .... X..."),
        (KICK,     "X.x. ..x. X.x. ..x."),
    ], 16, [(SNARE, "xxxxXXXX"), (KICK, "x.x.x.x.")], crash="A")
    downstrokes = comp("Punk Downstrokes", "X=x= x=x= X=x= x=x=", (48, 55, 60), gate=0.8)
    return Style("Punk", 180, beat, [
        bass(ROCK_BASS, PICK_BASS, 88), Part(downstrokes, DISTORTION_GUITAR, 62, pan=0.6)],
        drum_volume=95, tempo_range=(150, 220), defining=(2,))


def hard_rock():
    # Ride-cymbal drive with a riff that chops the power chord against its muted fifth and
    # jumps up to the high voicing at the end of the bar. The bass pounds the root and climbs
    # the fifth, sixth and flat seventh at the end of the second bar.
    beat = phrase("Hard Rock Drums", [
        (RIDE,  "X.x. X.x. X.x. X.x."),
        (SNARE, ".... X... .... X..."),
        (KICK,  "X.x. ...x x.x. ...."),
    ], 16, FILL_HARD)
    muted = (48, 55)
    riff = line("Hard Rock Riff", "X==o o.X= X==o o.X=",
                [POWER, muted, muted, POWER, POWER, muted, muted, (55, 60, 67)], gate=0.9)
    pound = line("Hard Rock Bass", "X==x x.x= X==x x.x= | X==x x.x= X=x= x=x=",
                 [36] * 8 + [36, 36, 36, 36, 43, 45, 46, 45], gate=0.85)
    return Style("Hard Rock", 138, beat, [
        bass_part(pound, PICK_BASS, 88), Part(riff, DISTORTION_GUITAR, 66, pan=0.32),
        Part(ROCK_SUSTAIN, OVERDRIVE_GUITAR, 38, mode=SUS, pan=0.7)], drum_volume=95,
        tempo_range=(100, 160), defining=(0, 2))


def slow_rock():
    # Four swaying triplet beats: piano triplets, a walking bass and an arpeggiated guitar.
    beat = phrase("Slow Rock 12/8 Drums", [
        (CLOSED_HAT, "xoo xoo xoo xoo"),
        (SNARE,      "... X.. ... X.."),
        (KICK,       "X.. ..x X.. ..."),
    ], 12, FILL_12_8)
    walk = line("Slow Rock 12/8 Bass", "X=x x=x x=x x=x", [36, 36, 40, 40, 43, 43, 45, 43])
    guitar = line("Slow Rock 12/8 Guitar", "x.o x.o x.o x.o", [48, 55, 60, 64, 60, 55, 64, 55])
    return Style("Slow Rock 12/8", 64, beat, [
        bass_part(walk, ACOUSTIC_BASS, 78), Part(TRIPLETS_12_8, PIANO, 58, pan=0.42),
        Part(STRINGS_12_8, SLOW_STRINGS, 45, mode=SUS, pan=0.64),
        Part(guitar, CLEAN_GUITAR, 52, mode=SUS, pan=0.3)],
        steps_per_beat=3, meter="12/8", tempo_range=(48, 80), defining=(2,))


def rock_shuffle():
    # Swung eighths driven hard: the hat shuffles with the beats accented, a fat backbeat, the
    # bass boogies up the chord to the octave and back with the flat seventh; the crunch guitar
    # rocks the fifth against the sixth and flat seventh on every eighth, the piano pumps the
    # swung offbeats.
    beat = phrase("Rock Shuffle Drums", [
        (CLOSED_HAT, "X.x. X.x. X.x. X.x."),
        (SNARE,      ".... X... .... X... | .... X... .... X.g."),
        (KICK,       "X... ..x. X... .... | X... ..x. X.x. ...."),
    ], 16, [(SNARE, "x.x.X.x."), (HIGH_TOM, "....x..."), (LOW_FLOOR_TOM, "......X."),
            (KICK, "x.....x.")])
    boogie = line("Rock Shuffle Bass", "X=x= x=x= X=x= x=x= | X=x= x=x= X=x= x=x=",
                  [36, 36, 40, 40, 43, 43, 45, 46, 48, 48, 46, 46, 45, 45, 43, 40], gate=0.75)
    riff = line("Rock Shuffle Riff", "X=x= x=x= X=x= x=x=",
                [(48, 55), (48, 57), (48, 55), (48, 57), (48, 55), (48, 58), (48, 55), (48, 57)],
                gate=0.75)
    piano = comp("Rock Shuffle Piano", "..x. ..x. ..x. ..x.", (58, 64, 67, 72), gate=0.5)
    organ = comp("Rock Shuffle Organ", "o=============== | o===========x===", (55, 60, 64, 67))
    return Style("Rock Shuffle", 124, beat, [
        bass_part(boogie, FINGER_BASS, 84), Part(riff, OVERDRIVE_GUITAR, 66, pan=0.68),
        Part(piano, PIANO, 50, pan=0.4), Part(organ, ROCK_ORGAN, 40, mode=SUS, pan=0.28)],
        shuffle=1.0, tempo_range=(100, 150), defining=(0, 2))


# --- Pop -----------------------------------------------------------------------------------------

def pop_ballad():
    # Soft hats and side-stick, piano arpeggios over a held bass, strings underneath.
    beat = phrase("Pop Ballad Drums", [
        (CLOSED_HAT, "o.g. o.g. o.g. o.g. | o.g. o.g. o.g. o.gg"),
        (SIDE_STICK, ".... x... .... x... | .... x... .... x..."),
        (KICK,       "x... .... x.o. .... | x... ...o ..o. ...."),
    ], 16, FILL_SOFT, crash="o")
    return Style("Pop Ballad", 72, beat, [
        bass(BALLAD_BASS, FRETLESS_BASS, 76), Part(BALLAD_ARPEGGIO, PIANO, 80, mode=SUS, pan=0.44),
        Part(HELD_MID, SLOW_STRINGS, 45, mode=SUS, pan=0.62)], tempo_range=(56, 86),
        defining=(2,))


def pop_standard():
    # Mid-tempo pop: eighth hats with tambourine on the backbeat, strummed steel guitar, piano.
    beat = phrase("Pop Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o. | x.o. x.o. x.o. x.og"),
        (SNARE,      ".... X... .... X... | .... X... .... X..."),
        (KICK,       "X... ...x X... .... | X... ..x. X.x. ...."),
        (TAMBOURINE, ".... o... .... o... | .... o... .... o..."),
    ], 16, FILL_SHORT, crash="x")
    guitar = comp("Pop Guitar Strum", "X=o. x=o= X=o. x=o=", (52, 55, 60, 64))
    piano = line("Pop Piano", "x===== x===== x=== | x===== x=== x= x===",
                 [TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP, TRIAD_HIGH, TRIAD_HIGH, TRIAD_TOP,
                  TRIAD_TOP])
    return Style("Pop Standard", 100, beat, [
        bass(POP_BASS, FINGER_BASS, 80), Part(guitar, STEEL_GUITAR, 50, pan=0.68),
        Part(piano, PIANO, 60, pan=0.4), Part(HELD_HIGH, STRINGS, 45, mode=SUS, pan=0.3)],
        tempo_range=(84, 120), defining=(2, 3))


# --- Rock'n'roll, soul, funk and blues -----------------------------------------------------------

def rock_and_roll():
    # Backbeat and driving eighths, a walking upright bass, pounding piano and a sax riff.
    beat = phrase("Rock'n'Roll Drums", [
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X... .... X... ...."),
        (CLOSED_HAT, "x.x. x.x. x.x. x.x."),
    ], 16, [(SNARE, "xxxX"), (KICK, "x...")])
    walk = line("Rock'n'Roll Bass", "x=.. x=.. x=.. x=.. | x=.. x=.. x=.. x=..",
                [36, 40, 43, 45, 48, 45, 43, 40])
    sax = notes("Rock'n'Roll Sax Riff", 32, [
        (0, 67, 3, 100), (4, 69, 2, 90), (6, 67, 2, 90), (8, 64, 4, 95),
        (16, 67, 3, 100), (20, 69, 2, 90), (22, 72, 2, 95), (24, 69, 2, 90), (26, 67, 4, 95)])
    return Style("Rock'n'Roll", 168, beat, [
        bass_part(walk, ACOUSTIC_BASS, 90), Part(PIANO_EIGHTHS, PIANO, 58, pan=0.4),
        Part(sax, TENOR_SAX, 58, key=0, pan=0.62)], tempo_range=(140, 200), defining=(2, 3))


def motown():
    # The snare on all four beats with the tambourine, a busy melodic bass, vibes on 2 and 4.
    beat = phrase("Motown Drums", [
        (SNARE,      "x... X... x... X..."),
        (TAMBOURINE, "x... x... x... x..."),
        (KICK,       "X... ..x. X... ..x."),
    ], 16, [(SNARE, "xxX."), (TAMBOURINE, "x.x."), (KICK, "x...")])
    soul = line("Motown Bass", "X==x x=x= X==x x=x=", [36, 36, 40, 43, 48, 45, 43, 40])
    vibes = comp("Motown Vibes", ".... x=.. .... x=..", TRIAD_TOP)
    return Style("Motown Soul", 112, beat, [
        bass_part(soul, FINGER_BASS, 80), Part(vibes, VIBES, 65, pan=0.64),
        Part(HELD_HIGH, STRINGS, 45, mode=SUS, pan=0.3), Part(PIANO_EIGHTHS, PIANO, 50, pan=0.42)],
        tempo_range=(96, 132), defining=(0, 1))


def soul_16():
    # Sixteen-beat soul: busy sixteenth hats accented on the quarters, ghost notes round the
    # backbeat; the bass syncopates around the kick and leans into its notes from a semitone
    # under; the Rhodes answers in short offbeat chords, the guitar chops on the backbeat and a
    # string section holds the chord.
    beat = phrase("Soul 16-Beat Drums", [
        (CLOSED_HAT, "Xoxo xoxo Xoxo xoxo | Xoxo xoxo Xoxo xo.o"),
        (OPEN_HAT,   ".... .... .... .... | .... .... .... ..x."),
        (SNARE,      ".... X..g ..g. X... | .g.. X..g ..g. X..."),
        (KICK,       "X..x ..x. .x.. .... | X..x .... x.x. ...x"),
    ], 16, [(SNARE, "xgxg.xX."), (HIGH_TOM, "....x..."), (KICK, "x.....x.")])
    bassline = notes("Soul 16-Beat Bass", 32, [
        (0, 36, 2.5, 112), (3, 36, 0.8, 80), (5, 40, 0.8, 88), (6, 43, 1.8, 100),
        (9, 45, 0.8, 90), (10, 43, 1.8, 96), (13, 39, 0.8, 84), (14, 40, 1.8, 96),
        (16, 36, 2.5, 112), (19, 48, 0.8, 92), (22, 46, 0.8, 86), (23, 45, 0.8, 88),
        (24, 43, 1.8, 100), (27, 42, 0.8, 84), (28, 43, 1.5, 96), (30, 38, 0.8, 86),
        (31, 37, 0.8, 84)])
    rhodes = line("Soul 16-Beat Rhodes", "..x. .x.. ..x= .... | ..x. .x.. x=.x ....",
                  [(55, 60, 64, 69)] * 3 + [(55, 60, 64, 69), (55, 60, 64, 69), (57, 62, 67, 72),
                                            (55, 60, 64, 69)], gate=0.6)
    guitar = comp("Soul 16-Beat Guitar Chops", ".... x.o. .... x.ox", (64, 67, 72), gate=0.35)
    strings = comp("Soul 16-Beat Strings", "o=============== | o===============", (67, 72, 76))
    return Style("Soul 16-Beat", 98, beat, [
        bass_part(bassline, FINGER_BASS, 84), Part(rhodes, RHODES, 72, pan=0.38),
        Part(guitar, CLEAN_GUITAR, 48, pan=0.7), Part(strings, STRINGS, 40, mode=SUS, pan=0.6)],
        tempo_range=(84, 116), defining=(0, 2))


def funk():
    # Sixteenth hats with ghosted snares, a popped octave bass, clavinet and horn stabs.
    beat = phrase("Funk Drums", [
        (CLOSED_HAT, "Xgxg Xgxg Xgxg Xgxg | Xgxg Xgxg Xgxg Xg.g"),
        (OPEN_HAT,   ".... .... .... .... | .... .... .... ..x."),
        (KICK,       "X.x. .... ..x. .x.. | X.x. ...x ..x. ...."),
        (SNARE,      ".... X..g .g.. X..g | .... X..g .g.. X.g."),
    ], 16, [(SNARE, "Xgxg.gX."), (LOW_FLOOR_TOM, "....x..."), (KICK, "x..x..x."),
            (OPEN_HAT, ".......x")])
    slap = notes("Funk Slap Bass", 32, [
        (0, 36, 1.5, 120), (3, 48, 0.5, 110), (6, 36, 1, 100), (7, 48, 0.5, 105),
        (10, 43, 1, 100), (11, 45, 0.5, 90), (12, 48, 0.5, 110), (14, 36, 1, 100),
        (16, 36, 1.5, 120), (19, 48, 0.5, 110), (22, 43, 1, 100), (23, 45, 0.5, 95),
        (26, 36, 1, 100), (28, 40, 0.5, 90), (29, 43, 0.5, 95), (30, 48, 1, 100)])
    clav = comp("Funk Clavinet", ".x.x x.x. .x.x ..x.", TRIAD_HIGH, gate=0.5)
    horns = line("Funk Horn Stabs", ".... .... .... .... | .... .... ..X. X...",
                 [TRIAD_TOP, (62, 67, 72)], gate=0.8)
    return Style("Funk", 100, beat, [
        bass_part(slap, SLAP_BASS, 88), Part(clav, CLAVINET, 70, pan=0.4),
        Part(horns, BRASS, 55, pan=0.64)], tempo_range=(84, 120), defining=(0, 1, 2), trim_lu=1.0)


def rhythm_and_blues():
    # Laid-back swung sixteenths: the hat ghosts between its notes, the clap doubles the
    # backbeat, the kick skips around it. The bass holds the root and slides into the fifth,
    # sixth and third from a step below; Rhodes and a warm pad lie over it.
    beat = phrase("R&B Drums", [
        (CLOSED_HAT, on_32nds("xgog xgog xgog xgog | xgog xgog xgog xg..")),
        (OPEN_HAT,   on_32nds(".... .... .... .... | .... .... .... ..x.")),
        (KICK,       on_32nds("X... ...x ..x. .... | X.x. ...x ..x. .x..")),
        (SNARE,      on_32nds(".... X... .... X..g | .... X... .... X...")),
        (CLAP,       on_32nds(".... x... .... x... | .... x... .... x...")),
    ], 32, [(SNARE, on_32nds("g.gox.XX")), (CLAP, on_32nds("......x.")),
            (KICK, on_32nds("x.....x."))], bars=2)
    line_rb = notes("R&B Bass", 64, doubled([
        (0, 36, 6, 110), (7, 36, 2, 90), (10, 43, 2, 100), (13, 44, 1, 84), (14, 45, 2, 90),
        (16, 36, 2, 110), (18, 36, 3, 90), (22, 39, 1, 84), (23, 40, 2, 95), (26, 43, 3, 100),
        (30, 41, 1, 85), (31, 38, 1, 85)]))
    rhodes = comp("R&B Rhodes", on_32nds("X===== x=== x===== | ..x= ==x= ==== x==="),
                  (52, 55, 60, 62))
    warm = comp("R&B Warm Pad", "o" + "=" * 63, (67, 72, 76))
    return Style("R&B", 78, beat, [
        bass_part(line_rb, SYNTH_BASS_2, 76), Part(rhodes, RHODES, 56, pan=0.4),
        Part(warm, WARM_PAD, 50, mode=SUS, pan=0.6)], steps_per_beat=8, shuffle=0.6,
        tempo_range=(60, 100), defining=(0, 2))


def blues_shuffle():
    # Swung eighths: the boogie bass and guitar shuffle under piano seventh chords.
    beat = phrase("Blues Shuffle Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o."),
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X... .... X... ..o."),
    ], 16, [(SNARE, "x.xX"), (KICK, "x...")], crash="o")
    piano = comp("Blues Piano", ".... x=x= .... x=x=", (58, 64, 67), gate=0.8)
    return Style("Blues Shuffle", 88, beat, [
        bass(BOOGIE_BASS, FINGER_BASS, 82), Part(SHUFFLE_GUITAR, CLEAN_GUITAR, 62, pan=0.66),
        Part(piano, PIANO, 55, pan=0.4)], shuffle=1.0, tempo_range=(66, 126), defining=(2,))


def slow_blues():
    # A slow 12/8 blues: the ride and hat in shuffled triplets, a heavy backbeat. The bass
    # walks the chord in long-short triplets up to the flat seventh and down again through the
    # third, its flat third and the second; the piano comps the triplets with the seventh and
    # the guitar answers at the end of each bar with a bent blue-note lick; an organ holds.
    beat = phrase("Slow Blues 12/8 Drums", [
        (RIDE,      "x.x x.x x.x x.x"),
        (PEDAL_HAT, "... x.. ... x.."),
        (SNARE,     "... X.. ... X.. | ... X.. ... X.g"),
        (KICK,      "X.. ... X.. ..o | X.. ..o X.. ..."),
    ], 12, [(SNARE, "..x xxX"), (LOW_FLOOR_TOM, "..X ..."), (KICK, "x.. ...")], crash="x")
    walk = notes("Slow Blues 12/8 Bass", 24, [
        (0, 36, 1.8, 110), (2, 36, 0.8, 84), (3, 40, 1.8, 100), (5, 40, 0.8, 84),
        (6, 43, 1.8, 104), (8, 43, 0.8, 84), (9, 45, 1.8, 100), (11, 46, 0.8, 88),
        (12, 48, 1.8, 108), (14, 46, 0.8, 84), (15, 45, 1.8, 98), (17, 43, 0.8, 84),
        (18, 40, 1.8, 100), (20, 39, 0.8, 86), (21, 38, 1.8, 94), (23, 37, 0.8, 84)])
    piano = line("Slow Blues 12/8 Piano", "x.o ..o x.o ..o | x.o ..o x=o x=o",
                 [(58, 64, 67)] * 11 + [(58, 64, 69)] * 2, gate=0.8)
    lick = notes("Slow Blues 12/8 Guitar", 24, [
        (7, 72, 1.8, 100), (9, 75, 0.8, 92), (10, 76, 1.5, 100),
        (19, 79, 1.5, 104), (21, 76, 0.8, 92), (22, 75, 0.8, 88), (23, 72, 0.9, 98)])
    organ = comp("Slow Blues 12/8 Organ", "o=========== | o===========", (55, 58, 64))
    return Style("Slow Blues 12/8", 56, beat, [
        bass_part(walk, FINGER_BASS, 84), Part(piano, PIANO, 62, pan=0.4),
        Part(lick, OVERDRIVE_GUITAR, 78, pan=0.66), Part(organ, DRAWBAR_ORGAN, 40, mode=SUS, pan=0.56)],
        steps_per_beat=3, meter="12/8", tempo_range=(44, 72), defining=(2, 3), mode="blues")


# --- Church, Christmas and film ------------------------------------------------------------------

def hymn():
    # A church hymn: organ chorale in half notes over the pedal, the choir holding the chord;
    # the drums only mark the bar with a soft cymbal and bass drum. The pedal moves as a
    # chorale bass does, from the root through the third to the fifth.
    beat = phrase("Hymn Drums", [
        (RIDE, "o... o... o... o..."),
        (KICK, "o... .... o... ...."),
    ], 16, FILL_SOFT, crash="o")
    pedal = line("Hymn Pedal", "x======= x=== x=== | x======= x=======", [36, 40, 43, 36, 43],
                 gate=0.95)
    chorale = line("Hymn Organ Chorale", "x======= x======= | x======= x=======",
                   [(52, 60, 64, 67), (55, 60, 64, 72), (55, 60, 67, 76), (52, 60, 64, 67)],
                   gate=0.96)
    return Style("Hymn", 80, beat, [
        bass_part(pedal, CHURCH_ORGAN, 70), Part(chorale, CHURCH_ORGAN, 62, pan=0.46),
        Part(HELD_HIGH, CHOIR, 55, mode=SUS, pan=0.62)], drum_volume=80, tempo_range=(60, 100),
        defining=(2,))


def gospel():
    # A slow gospel 12/8: the hat on every triplet, the tambourine with a heavy backbeat, the
    # kick pushing the last triplet of beats 2 and 4. The bass climbs from the root by step to
    # the fifth and octave and walks back down chromatically; the piano rocks each beat's
    # triplet with the church's neighbour chord; the organ and the choir hold the chord.
    beat = phrase("Gospel 12/8 Drums", [
        (CLOSED_HAT, "xoo xoo xoo xoo"),
        (TAMBOURINE, "... x.. ... x.."),
        (SNARE,      "... X.. ... X.. | ... X.. ... X.g"),
        (KICK,       "X.. ..x .x. ..o | X.. ..x X.. ..."),
    ], 12, [(SNARE, "gox xxX"), (HIGH_TOM, "..x ..."), (LOW_FLOOR_TOM, "... x..")], crash="x")
    walk = notes("Gospel 12/8 Bass", 24, [
        (0, 36, 2.6, 110), (4, 38, 0.8, 88), (5, 40, 0.8, 92), (6, 43, 2.6, 104),
        (10, 45, 0.8, 88), (11, 46, 0.8, 90), (12, 48, 2.6, 108), (16, 45, 0.8, 88),
        (17, 43, 0.8, 92), (18, 40, 2.6, 100), (21, 40, 0.8, 86), (22, 39, 0.8, 86),
        (23, 38, 0.8, 88)])
    neighbour = (60, 65, 69)
    piano = notes("Gospel 12/8 Piano", 24, [
        (0, TRIAD_HIGH, 1.8, 104), (2, TRIAD_HIGH, 0.8, 76), (3, TRIAD_HIGH, 1.6, 94),
        (5, neighbour, 0.8, 80), (6, TRIAD_HIGH, 1.8, 100), (8, TRIAD_HIGH, 0.8, 76),
        (9, TRIAD_HIGH, 2.6, 94),
        (12, TRIAD_HIGH, 1.8, 104), (14, TRIAD_HIGH, 0.8, 76), (15, TRIAD_HIGH, 1.6, 94),
        (17, neighbour, 0.8, 80), (18, TRIAD_HIGH, 1.8, 100), (20, TRIAD_HIGH, 0.8, 76),
        (21, TRIAD_HIGH, 1.6, 92), (23, neighbour, 0.8, 80)])
    organ = comp("Gospel 12/8 Organ", "o=========== | o=====x=====", (55, 60, 64, 67))
    choir = comp("Gospel 12/8 Choir", "o=========== | o===========", (64, 67, 72))
    return Style("Gospel 12/8", 62, beat, [
        bass_part(walk, FINGER_BASS, 84), Part(piano, PIANO, 64, pan=0.38),
        Part(organ, DRAWBAR_ORGAN, 52, mode=SUS, pan=0.64), Part(choir, CHOIR, 44, mode=SUS, pan=0.5)],
        steps_per_beat=3, meter="12/8", tempo_range=(48, 80), defining=(2, 3))


def christmas():
    # Sleigh bells shaking sixteenths with a triangle on the backbeat. The glockenspiel rings
    # the chord's tones high above the player's hands (written an octave down, played two
    # octaves up: G5 to G6 on C), twinkling up and down; the bass walks
    # the chord in quarters, the piano bounces on the offbeats and strings hold underneath.
    beat = phrase("Christmas Drums", [
        (TAMBOURINE,    "xoxo xoxo xoxo xoxo"),
        (MUTE_TRIANGLE, ".... x... .... x..."),
        (SNARE,         ".... o... .... o..."),
        (KICK,          "x... .... x... ...."),
    ], 16, [(SNARE, "xxx."), (OPEN_TRIANGLE, "...X")], crash="o")
    walk = line("Christmas Bass", "x=== x=== x=== x=== | x=== x=== x=== x===",
                [36, 40, 43, 40, 36, 43, 45, 43], gate=0.7)
    bells = line("Christmas Bells", "x.x. x.x. x.x. x.o. | x.x. x.x. x=== ....",
                 [67, 72, 76, 79, 76, 72, 67, 72, 76, 79, 76, 72, 67], gate=0.9)
    bounce = comp("Christmas Piano Offbeats", "..x. ..x. ..x. ..x.", (55, 60, 64), gate=0.5)
    return Style("Christmas", 120, beat, [
        bass_part(walk, ACOUSTIC_BASS, 72), Part(bells, GLOCKENSPIEL, 70, key=24, pan=0.62),
        Part(bounce, PIANO, 52, pan=0.4), Part(HELD_MID, STRINGS, 40, mode=SUS, pan=0.58)],
        drum_volume=74, tempo_range=(96, 144), defining=(2,))


def movie_orchestral():
    # Bass drum and cymbal on the downbeat, a snare roll swelling into each fourth bar;
    # string ostinato, a horn call and timpani on root and fifth.
    beat = phrase("Movie Orchestral Drums", [
        (KICK,  "x... .... .... .... | x... .... x... ...."),
        (SNARE, ".... .... .... .... | .... .... ..o. o..."),
    ], 16, [(SNARE, "ggoooxxX"), (LOW_FLOOR_TOM, ".......X")], crash="A")
    ostinato = steady("Film String Ostinato", 16, 2,
                      [(55, 60, 67), (55, 60, 67), (55, 64, 67), (55, 60, 67)], 1.6, vel=88,
                      accents=(0, 8))
    horns = notes("Film Horn Call", 32, [
        (0, (55, 64), 6, 95), (6, (60, 67), 2, 90), (8, (60, 67), 8, 95),
        (16, (64, 72), 14, 100)])
    timpani = notes("Film Timpani", 16, [
        (0, 48, 2, 115), (6, 43, 1, 90), (8, 43, 2, 100),
        (12, 48, 0.5, 80), (13, 48, 0.5, 88), (14, 48, 0.5, 96), (15, 48, 0.5, 104)])
    return Style("Movie Orchestral", 90, beat, [
        bass(HALF_NOTE_BASS, CONTRABASS, 85), Part(ostinato, STRINGS, 55, pan=0.36),
        Part(horns, FRENCH_HORN, 62, pan=0.62), Part(timpani, TIMPANI, 70, pan=0.5)],
        drum_volume=85, tempo_range=(60, 130), defining=(2, 3))


STYLES = [
    rock, hard_rock, slow_rock, pop_ballad, pop_standard, rock_and_roll, motown, funk,
    rhythm_and_blues, blues_shuffle, hymn, gospel,
    rock_16, pop_rock, power_ballad, unplugged, soul_ballad_6_8, sixties_beat, surf, rockabilly,
    boogie_woogie, metal, punk, christmas, movie_orchestral,
    rock_shuffle, slow_blues, soul_16,
]
