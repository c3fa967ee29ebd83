"""Latin and jazz styles.

The Cuban styles (salsa, mambo, son montuno, latin jazz) are written the way their players count
them: one 16-step bar holds one whole clave, each step an eighth of the band's cut time, so their
tempos are half notes.
"""

from styles.core import *  # noqa: F401,F403

# --- Parts that several styles play alike -----------------------------------------------------

# Four bars of walking quarter notes, each bar's root reached by step: a scale note from below
# (B into C), a scale note from above (D into C), and chromatic pairs on the and of four (D-Db,
# Eb-Db into C), the skip a swinging bass player throws in before the bar line. The approach
# notes outside the chord are half a beat long, off the strong beats.
WALKING_BASS = notes("Jazz Walking Bass", 64, [
    (0, 36, 3.6, 112), (4, 40, 3.6, 100), (8, 43, 3.6, 104), (12, 47, 3.6, 100),
    (16, 48, 3.6, 110), (20, 45, 3.6, 100), (24, 43, 3.6, 104), (28, 50, 1.8, 98), (30, 49, 1.8, 92),
    (32, 48, 3.6, 110), (36, 43, 3.6, 100), (40, 45, 3.6, 104), (44, 38, 3.6, 100),
    (48, 36, 3.6, 112), (52, 43, 3.6, 100), (56, 40, 3.6, 104), (60, 39, 1.8, 98), (62, 37, 1.8, 92)])
# Half notes on one and three, root to fifth, then root to third: the two-beat of early jazz,
# ballads and gypsy swing.
TWO_BEAT_BASS = line("Jazz Two-Beat Bass", "x======= x======= | x======= x=======",
                     [36, 43, 36, 40], gate=0.9)
# The 3+3+2 tresillo of the Caribbean: root, root, fifth, then root, third, fifth.
TRESILLO_BASS = line("Latin Tresillo Bass", "X==x ==x= X==x ==x=", [36, 36, 43, 36, 40, 43])
# The Cuban tumbao: nothing on one, the root on the and of two, the fifth on four, tied over.
TUMBAO_BASS = notes("Latin Tumbao Bass", 16, [(3, 36, 3, 100), (6, 43, 4.6, 105),
                                              (11, 36, 3, 100), (14, 43, 4.6, 105)])
# Held sixth chords for strings and pads, and a plain triad pad for the pop-side Latin styles.
SIXTH_PAD = comp("Jazz Sixth Pad", "o=============== | ================", (60, 64, 69))
# The same held two bars of 3/4, so that a waltz strikes it again on its bar line.
SIXTH_PAD_3_4 = comp("Jazz Sixth Pad 3/4", "o=========== | ============", (60, 64, 69))
TRIAD_PAD = comp("Latin Triad Pad", "o=============== | ================", TRIAD_HIGH)
# The big-band rhythm guitar: four even strokes, the backbeats a little lighter.
GUITAR_QUARTERS = comp("Swing Guitar Quarters", "x=.. o=.. x=.. o=..", (52, 55, 60))


# bass_part shares one stored pattern among the styles that play the same line.
shared_bass = bass_part


# --- Latin ------------------------------------------------------------------------------------


def bossa_nova():
    # Side stick on the bossa clave over two bars, soft kick marking the surdo's one and three.
    beat = phrase("Bossa Nova Drums", [
        (SIDE_STICK, "x... ..x. .... x... | .... x... ..x. ...."),
        (CLOSED_HAT, "o.o. o.o. o.o. o.o. | o.o. o.o. o.o. o.o."),
        (KICK,       "x... ..g. x... ..g. | x... ..g. x... ..g."),
    ], 16, [(SIDE_STICK, "x.x..x.."), (LOW_MID_TOM, "......o."), (LOW_FLOOR_TOM, ".......o")],
        crash=None)
    # Root and fifth on the surdo's long-short; the second bar cuts the fifth short for a
    # chromatic step down into the next root.
    bass = line("Bossa Bass", "x===== x========= | x===== x=====.. x=", [36, 43, 36, 43, 37],
                gate=0.95)
    guitar = comp("Bossa Guitar", "x=.. x=x= ..x= x=.. | x=.. x=x= ..x= ..x=",
                  (52, 57, 60, 62), gate=0.9)
    # The singer's guitar just left of the middle, the strings across on the right.
    return Style("Bossa Nova", 132, beat, [
        bass_part(bass, ACOUSTIC_BASS, 85), Part(guitar, NYLON_GUITAR, 58, pan=0.45),
        Part(SIXTH_PAD, SLOW_STRINGS, 48, mode=SUS, pan=0.64)], drum_volume=92,
        tempo_range=(110, 150), defining=(2,))


def salsa():
    # 2-3 son clave, the campana on the beats, conga tumbao slaps and the guiro.
    beat = phrase("Salsa Percussion", [
        (CLAVES,      "..x. x... x..x ..x."),
        (COWBELL,     "X.x. x.x. X.x. x.x."),
        (MUTE_CONGA,  "..x. .... ..x. ...."),
        (OPEN_CONGA,  ".... ..xx .... ..xx"),
        (LONG_GUIRO,  "x... x... x... x..."),
        (SHORT_GUIRO, "..o. ..o. ..o. ..o."),
    ], 16, [(HIGH_TIMBALE, "x.x..x.."), (LOW_TIMBALE, "....x.xX")])
    # The piano montuno in octaves, 2-3: on the beats through the clave's two side, then
    # anticipating every beat of its three side.
    montuno = line("Salsa Montuno", "x.x. x.xx .x.x .xx.", [
        (60, 72), (64, 76), (67, 79), (64, 76), (67, 79), (64, 76), (60, 72), (64, 76),
        (67, 79)], gate=0.9)
    brass = comp("Salsa Brass", ".... .... X..x ..X=", TRIAD_TOP, gate=0.8)
    return Style("Salsa", 96, beat, [
        shared_bass(TUMBAO_BASS, ACOUSTIC_BASS, 88), Part(montuno, BRIGHT_PIANO, 65, pan=0.4),
        Part(brass, BRASS, 52, pan=0.64)], drum_volume=85, tempo_range=(80, 115), clave="2-3",
        defining=(2,))


def mambo():
    # The mambo bell drives every beat (its extra stroke on the clave's three side), timbale
    # cascara answers, congas on the off-beats.
    beat = phrase("Mambo Percussion", [
        (COWBELL,     "X.x. X.x. X.xx X.x."),
        (CLAVES,      "..x. x... x..x ..x."),
        (HIGH_TIMBALE, "..o. .o.. o.o. .o.o"),
        (OPEN_CONGA,  ".... ..x. .... ..xx"),
        (MUTE_CONGA,  "x... x... x... x..."),
        (KICK,        ".... ..x. .... ..x."),
    ], 16, [(HIGH_TIMBALE, "xxx.x..."), (LOW_TIMBALE, "...x.xX."), (KICK, "......X.")])
    # Brass punches on the clave's three side against the saxes' riff, the sections interlocking.
    brass = comp("Mambo Brass Punches", ".... x=.. X..x ..X=", TRIAD_TOP, gate=0.7)
    sax = line("Mambo Sax Riff", "..x. x.x. x.xx .x.. | ..x. x.x. x=.. ....",
               [64, 67, 64, 69, 67, 64, 60, 64, 67, 64, 67], gate=0.8)
    # Trumpets on the right, the saxes in front on the left.
    return Style("Mambo", 100, beat, [
        shared_bass(TUMBAO_BASS, ACOUSTIC_BASS, 76), Part(brass, BRASS, 62, pan=0.64),
        Part(sax, TENOR_SAX, 68, pan=0.4)], drum_volume=78, tempo_range=(85, 115), clave="2-3",
        defining=(2, 3))


def son_montuno():
    # 3-2 son clave, bongo martillo, maracas; the bongo bell and the conga's open tones lean
    # to the clave's three side.
    beat = phrase("Son Montuno Percussion", [
        (CLAVES,     "x..x ..x. ..x. x..."),
        (HIGH_BONGO, "Xoox Xoox Xoox Xoox"),
        (MARACAS,    "x.x. x.x. x.x. x.x."),
        (OPEN_CONGA, ".... ..xx .... ..x."),
        (COWBELL,    "x... x.x. x... x..."),
    ], 16, [(HIGH_BONGO, "xxoxx..."), (LOW_BONGO, "..x..xX.")], crash=None)
    # The tres guajeo in thirds and sixths: pushing through the three side, landing on the
    # beats of the two side.
    tres = line("Son Tres Guajeo", "x.x. xx.x .xx. x.x.", [
        (64, 72), (67, 72), (64, 69), (60, 64), (62, 67), (64, 72), (67, 72), (64, 69),
        (60, 64)], gate=0.7)
    return Style("Son Montuno", 90, beat, [
        shared_bass(TUMBAO_BASS, ACOUSTIC_BASS, 90), Part(tres, STEEL_GUITAR, 66, pan=0.56)],
        drum_volume=88, tempo_range=(75, 105), clave="3-2", defining=(2,))


def bolero():
    # Slow Cuban bolero: the bongo martillo in eighths (the open tone on four), maracas, the
    # 2-3 son clave over two bars and a soft kick on one and three.
    beat = phrase("Bolero Percussion", [
        (HIGH_BONGO, "X.o. x.o. x.o. ..o."),
        (LOW_BONGO,  ".... .... .... x..."),
        (MARACAS,    "x.o. x.o. x.o. x.o."),
        (CLAVES,     ".... x... x... .... | x... ..x. .... x..."),
        (KICK,       "o... .... o... ...."),
    ], 16, [(HIGH_BONGO, "xx.xx..."), (LOW_BONGO, "..x..xX.")], crash=None)
    bass = line("Bolero Bass", "x===== x= x=== x===", [36, 43, 43, 40], gate=0.95)
    guitar = comp("Bolero Guitar", "x.xx x.x. x.xx x.x.", (52, 55, 60, 64), gate=0.8)
    # The trio's guitar just left of the middle, the strings behind on the right.
    return Style("Bolero", 74, beat, [
        bass_part(bass, ACOUSTIC_BASS, 86), Part(guitar, NYLON_GUITAR, 60, pan=0.45),
        Part(SIXTH_PAD, STRINGS, 46, mode=SUS, pan=0.64)], drum_volume=85,
        tempo_range=(60, 100), clave="2-3", defining=(2,))


def merengue():
    # Four on the floor, the guira scraping eighths and sixteenths, the tambora on the offbeats.
    beat = phrase("Merengue Drums", [
        (KICK,       "x... x... x... x..."),
        (CABASA,     "x.xx x.xx x.xx x.xx"),
        (SIDE_STICK, "x... ..x. x... ..x."),
        (OPEN_CONGA, "..x. ..x. ..x. .xx."),
    ], 16, [(LOW_TOM, "xoxoxxX."), (KICK, "x...x...")], crash="x")
    bass = line("Merengue Bass", "x=.x ..x= x=.x ..x=", [36, 43, 40, 36, 43, 43])
    accordion = line("Merengue Accordion", "x.xx x.x. x.xx x.x. | x.xx x.x. x.x. x...",
                     [72, 76, 79, 76, 72, 67, 72, 76, 74, 72, 67, 72, 76, 79, 76, 72, 67, 64],
                     gate=0.8)
    # The accordion leads just right of the middle, balancing the guira and tambora, which the
    # kit places left.
    return Style("Merengue", 130, beat, [
        bass_part(bass, FINGER_BASS, 84), Part(accordion, ACCORDION, 75, pan=0.62)],
        drum_volume=78, tempo_range=(110, 160), defining=(2,))


def cumbia():
    # The guacharaca's scrape, kick on one and three, congas calling on the and of four.
    beat = phrase("Cumbia Drums", [
        (SHORT_GUIRO, "x.xx x.xx x.xx x.xx"),
        (KICK,        "x... .... x... ...."),
        (MUTE_CONGA,  "..x. .... ..x. ...."),
        (OPEN_CONGA,  ".... ..x. .... ..x."),
        (COWBELL,     "..x. ..x. ..x. ..x."),
    ], 16, [(OPEN_CONGA, "x.xx.x.."), (LOW_CONGA, ".....xX.")], crash=None)
    bass = line("Cumbia Bass", "x=== ..x. x=== x.x.", [36, 36, 43, 43, 40])
    # Accordion chords on the off-beats, the cumbia lilt, in front in the middle.
    accordion = comp("Cumbia Accordion Offbeats", "..x. ..x. ..x. ..x.", (60, 64, 67), gate=0.7)
    return Style("Cumbia", 95, beat, [
        bass_part(bass, FINGER_BASS, 86), Part(accordion, ACCORDION, 65, pan=0.5)],
        drum_volume=80, tempo_range=(80, 110), defining=(2,))


def bachata():
    # Bongo martillo with the open tone on four, guira sixteenths, soft kick.
    beat = phrase("Bachata Drums", [
        (HIGH_BONGO, "x.o. x.o. x.o. x.oo"),
        (LOW_BONGO,  ".... .... .... X..."),
        (LONG_GUIRO, "x.xx x.xx x.xx x.xx"),
        (KICK,       "x... .... x... ...."),
    ], 16, [(HIGH_BONGO, "xxxxxx.."), (LOW_BONGO, "......X.")], crash=None)
    bass = line("Bachata Bass", "x=.. x=.x x=.. x=.x", [36, 43, 40, 36, 43, 43])
    # The requinto's broken-chord sixteenths, ringing over the rhythm.
    requinto = line("Bachata Requinto", "x.xx x.xx x.xx x.xx | x.xx x.xx x.xx x=..", [
        72, 76, 79, 76, 72, 67, 74, 72, 67, 64, 67, 72, 76, 79, 81, 79, 76, 72, 74, 72, 67, 64],
        gate=0.7)
    # The requinto a little right, the second guitar's held chords (a pad) a little left.
    return Style("Bachata", 128, beat, [
        bass_part(bass, FINGER_BASS, 86), Part(requinto, NYLON_GUITAR, 66, pan=0.56),
        Part(TRIAD_PAD, WARM_PAD, 55, mode=SUS, pan=0.42)], drum_volume=86,
        tempo_range=(110, 150), defining=(2,))


def reggaeton():
    # The dembow: four kicks against the 3+3+2 snare, hats on the eighths.
    beat = phrase("Reggaeton Dembow", [
        (KICK,       "X... x... X... x..."),
        (SNARE,      "...x ..x. ...x ..x."),
        (CLOSED_HAT, "x.o. x.o. x.o. x.o."),
    ], 16, [(SNARE, "xoxoxxXX"), (KICK, "x...x...")], crash="x")
    bass = line("Reggaeton Bass", "x===== x= x===== x=", [36, 36, 43, 40], gate=0.95)
    # The lead's stabs answer the snare, up front over the dembow.
    synth = comp("Reggaeton Synth Stabs", "...x ..x. ...x ..x.", (60, 64, 67), gate=0.6)
    return Style("Reggaeton", 92, beat, [
        bass_part(bass, SYNTH_BASS_1, 88), Part(synth, SAW_LEAD, 66, pan=0.54),
        Part(TRIAD_PAD, POLY_PAD, 58, mode=SUS, pan=0.46)], drum_volume=90,
        tempo_range=(85, 105), defining=(2,))


def latin_pop():
    # A pop backbeat over a tresillo kick, congas and shaker filling the sixteenths.
    beat = phrase("Latin Pop Drums", [
        (CLOSED_HAT, "x.o. x.o. x.o. x.o."),
        (SNARE,      ".... X... .... X..."),
        (KICK,       "X..x ..x. X... ..x."),
        (MUTE_CONGA, "..x. .... ..x. ...."),
        (OPEN_CONGA, ".... ..xx .... ..x."),
        (MARACAS,    "oxox oxox oxox oxox"),
    ], 16, FILL_SHORT, crash="x")
    guitar = comp("Latin Pop Nylon Strum", "x.xo .xo. x.xo .xx.", (52, 55, 60, 64), gate=0.7)
    return Style("Latin Pop", 100, beat, [
        shared_bass(TRESILLO_BASS, FINGER_BASS, 82), Part(guitar, NYLON_GUITAR, 68, pan=0.42),
        Part(TRIAD_PAD, STRINGS, 45, mode=SUS, pan=0.64)], drum_volume=90,
        tempo_range=(85, 125), defining=(2,))


def baiao():
    # The zabumba's dotted figure (the pickup stroke muffled), the bacalhau stick on the off-beats, triangle sixteenths.
    beat = phrase("Baiao Percussion", [
        (KICK,           "x..o ...."),
        (SIDE_STICK,     "..x. ..x."),
        (MUTE_TRIANGLE,  "x..x x..x"),
        (OPEN_TRIANGLE,  ".xx. .xx."),
    ], 8, [(LOW_TOM, "x.xX"), (KICK, "x...")], crash=None)
    # The bass doubles the zabumba's figure an octave above the drum's boom, so that the low
    # end stays the zabumba's.
    bass = line("Baiao Bass", "x==x ..x. | x==x ..x.", [48, 43, 48, 48, 43, 52])
    # The sanfona's mixolydian riff: the flat seventh of the major chord is the baiao sound.
    accordion = line("Baiao Accordion", "x.xx x.x. | x.xx x=.. | x.xx x.x. | x.x. x=..",
                     [72, 70, 67, 64, 67, 69, 67, 72, 67, 70, 72, 74, 72, 70, 67, 72, 67],
                     gate=0.85)
    return Style("Baiao", 100, beat, [
        bass_part(bass, ACOUSTIC_BASS, 66), Part(accordion, ACCORDION, 70, pan=0.56)],
        drum_volume=88, meter="2/4", tempo_range=(80, 130), defining=(2,))


def calypso():
    # Kick on the tresillo, side stick on two and four, cowbell off-beats and maracas.
    beat = phrase("Calypso Drums", [
        (KICK,       "X..x ..x. X..x ..x."),
        (SIDE_STICK, ".... x... .... x..."),
        (COWBELL,    "..x. ..x. ..x. ..x."),
        (MARACAS,    "xoxo xoxo xoxo xoxo"),
    ], 16, [(HIGH_TOM, "x.x....."), (LOW_MID_TOM, "...xx..."), (LOW_FLOOR_TOM, ".....xX.")])
    steel = notes("Calypso Steel Pan", 32, [
        (0, 72, 2, 100), (3, 67, 1, 85), (4, 64, 2, 90), (6, 67, 2, 90), (10, 72, 1, 85),
        (11, 76, 3, 95), (16, 74, 2, 90), (19, 72, 1, 85), (20, 67, 2, 90), (22, 69, 2, 90),
        (26, 67, 1, 85), (27, 64, 3, 90)])
    # Guitar chopping the off-beats, doubled on the and of three.
    strum = comp("Calypso Strum", "..x. ..x. ..xx ..x.", TRIAD_HIGH, gate=0.5)
    return Style("Calypso", 116, beat, [
        shared_bass(TRESILLO_BASS, FINGER_BASS, 80), Part(steel, STEEL_DRUMS, 80, pan=0.45),
        Part(strum, CLEAN_GUITAR, 50, pan=0.64)], drum_volume=78, tempo_range=(100, 130), defining=(2,))


# --- Jazz -------------------------------------------------------------------------------------

TROMBONE = 57  # General MIDI program (0-based)


def swing():
    # Spang-a-lang ride, hi-hat on two and four, the kick feathered under every beat, the snare
    # comping lightly between.
    beat = phrase("Swing Drums", [
        (RIDE,       "x... X.x. x... X.x. | x... X.x. x... X.x."),
        (PEDAL_HAT,  ".... X... .... X... | .... X... .... X..."),
        (KICK,       "g... g... g... g... | g... g... g... g..."),
        (SNARE,      ".... .... ..g. .... | .... ..o. .... ..g."),
    ], 16, FILL_SWING, crash="x")
    brass = line("Swing Brass Hits", ".... ..X= .... .... | .... .... .... ..X=",
                 [SIXTH, (60, 64, 67, 72)])
    # The horns left of the drums, the rhythm guitar beside the bass on the right.
    return Style("Swing", 138, beat, [
        shared_bass(WALKING_BASS, ACOUSTIC_BASS, 58), Part(brass, BRASS, 36, pan=0.4),
        Part(GUITAR_QUARTERS, JAZZ_GUITAR, 44, pan=0.62)], drum_volume=85, shuffle=1.0,
        tempo_range=(110, 200), defining=(0, 1))


def dixieland():
    # Four on the bass drum, snare backbeat and a woodblock clip, a press roll into the phrase.
    beat = phrase("Dixieland Drums", [
        (KICK,           "x... x... x... x..."),
        (SNARE,          ".... X... .... X.g."),
        (HIGH_WOODBLOCK, "x..x ..x. x..x ..x."),
    ], 16, FILL_ROLL, crash="x")
    banjo = comp("Dixie Banjo", "x=.x X=.. x=.x X=..", (60, 64, 67, 72), gate=0.6)
    # The trumpet's lead: a riff over the chord with the sixth as its blue colour.
    trumpet = line("Dixie Trumpet", "x=x= x=== ..x= x=.. | x=x= x=x= x=== ....",
                   [72, 69, 67, 64, 67, 69, 72, 76, 74, 72])
    # The trumpet leads from the middle of the front line, the banjo beside the tuba.
    return Style("Dixieland", 190, beat, [
        shared_bass(TWO_BEAT_BASS, TUBA, 86), Part(banjo, BANJO, 55, pan=0.62),
        Part(trumpet, TRUMPET, 64, pan=0.45)], drum_volume=85, shuffle=0.6,
        tempo_range=(150, 250), defining=(3,))


def ragtime():
    # A light pit drummer: kick on the oom, snare on the pah, woodblock on the syncopations.
    beat = phrase("Ragtime Drums", [
        (KICK,           "x... x..."),
        (SNARE,          "..o. ..o."),
        (HIGH_WOODBLOCK, "...x .x.."),
    ], 8, [(SNARE, "xxxX"), (KICK, "x...")], crash=None)
    # Stride left hand: the bass note on each beat, root then fifth, leaning on the downbeat.
    bass = line("Ragtime Bass", "X=.. x=.. | X=.. x=..", [36, 43, 36, 40], gate=0.9)
    # Right hand: chords on the off-beats and the tied syncopation across the beat.
    piano = line("Ragtime Right Hand", "..x. ..x. | x.xx =.x. | ..x. ..x. | x.x= =.x.", [
        (60, 64, 67), (60, 64, 67), 76, 72, 76, 79, (60, 64, 67), (60, 64, 67), 79, 76, 72],
        gate=0.8)
    # One piano: the left hand a little left, the right hand a little right.
    left_hand = bass_part(bass, HONKY_TONK, 90)
    left_hand.pan = 0.44
    return Style("Ragtime", 100, beat, [left_hand, Part(piano, HONKY_TONK, 72, pan=0.56)], drum_volume=75,
        meter="2/4", tempo_range=(70, 130), defining=(2,))


def gypsy_jazz():
    # No kit to speak of: brushes and a soft hi-hat leave room for the pompe.
    beat = phrase("Gypsy Jazz Brushes", [
        (SNARE,     "g.o. x.o. g.o. x.o."),
        (PEDAL_HAT, ".... x... .... x..."),
        (KICK,      "g... .... g... ...."),
    ], 16, [(SNARE, "o.o.x.xX"), (KICK, "x.......")], crash=None)
    # La pompe: short downstrokes, accented on two and four, an upstroke ghost before them.
    pompe = line("Gypsy Pompe", "x.g. X... x.g. X...", [
        (52, 57, 60, 64), (57, 60, 64), (52, 57, 60, 64), (52, 57, 60, 64), (57, 60, 64),
        (52, 57, 60, 64)], gate=0.4)
    violin = line("Gypsy Violin", "x=x= x=x= x=== .... | x=x= x=x= x=======", [
        76, 74, 72, 69, 67, 72, 74, 76, 79, 76], gate=0.9)
    # The rhythm guitar just left of the middle, the violin out front on the right.
    return Style("Gypsy Jazz", 180, beat, [
        shared_bass(TWO_BEAT_BASS, ACOUSTIC_BASS, 85), Part(pompe, NYLON_GUITAR, 70, pan=0.46),
        Part(violin, VIOLIN, 55, pan=0.6)], drum_volume=80, shuffle=0.5, tempo_range=(140, 260),
        defining=(2,), trim_lu=1.5)


def latin_jazz():
    # 2-3 rumba clave, the cascara on the ride bell turned to match it (the two side first),
    # songo kick and the conga's open tones answering on the three side.
    beat = phrase("Latin Jazz Drums", [
        (RIDE_BELL,  "x.x. xx.x x.xx .x.x"),
        (CLAVES,     "..x. x... x..x ...x"),
        (KICK,       ".... ..x. .... x..."),
        (MUTE_CONGA, "x... x... x... x..."),
        (OPEN_CONGA, ".... ..x. .... ..xx"),
    ], 16, [(HIGH_TIMBALE, "x.x.xx.."), (LOW_TIMBALE, "......xX")])
    # The tumbao's anticipations, root to fifth, then the third and a step down into the root.
    bass = notes("Latin Jazz Bass", 16, [(3, 36, 3, 100), (6, 43, 4.6, 105),
                                         (11, 40, 3, 100), (14, 38, 4.6, 100)])
    # Octave montuno with sixths and ninths, the jazz player's voicing of the guajeo.
    piano = line("Latin Jazz Piano", "x.x. xx.x .x.x x.x. | x.x. xx.x .x.x x...", [
        (60, 72), (64, 69), (62, 67), (64, 72), (67, 69), (64, 72), (69, 76), (67, 72),
        (64, 69), (60, 72), (64, 69), (62, 67), (64, 72), (67, 69), (64, 72), (69, 76),
        (64, 67)], gate=0.7)
    # Piano on the left, vibes across on the right.
    return Style("Latin Jazz", 104, beat, [
        bass_part(bass, ACOUSTIC_BASS, 88), Part(piano, PIANO, 70, pan=0.4),
        Part(SIXTH_PAD, VIBES, 65, mode=SUS, pan=0.62)], drum_volume=86, tempo_range=(90, 120),
        clave="2-3", defining=(2,))


def smooth_jazz():
    # Soft sixteenth hats, rim on two and four, a syncopated kick.
    beat = phrase("Smooth Jazz Drums", [
        (CLOSED_HAT, "xoxo xoxo xoxo xoxo"),
        (SIDE_STICK, ".... x... .... x..."),
        (KICK,       "x... ..x. x.x. .... | x... ..x. ..x. ...."),
    ], 16, [(SNARE, "o.ox"), (KICK, "x...")], crash="o")
    bass = line("Smooth Jazz Bass", "x==. ..x= x=.x .x.. | x==. ..x= x=== ..x.",
                [36, 43, 48, 43, 40, 36, 43, 40, 43], gate=0.9)
    # Rhodes with the sixth and major seventh: lush chords off the beat.
    rhodes = comp("Smooth Jazz Rhodes", "x=== ..x= ==.. .... | .... ..x= ==== ....",
                  (52, 57, 59, 62))
    return Style("Smooth Jazz", 90, beat, [
        bass_part(bass, FRETLESS_BASS, 80), Part(rhodes, RHODES, 68, pan=0.42),
        Part(SIXTH_PAD, WARM_PAD, 58, mode=SUS, pan=0.6)], drum_volume=88, tempo_range=(70, 110),
        defining=(2,), trim_lu=-1.5)


def jazz_waltz():
    # Ride on one with the skip on three, hi-hat on two and three, a brushed snare.
    beat = phrase("Jazz Waltz Drums", [
        (RIDE,      "x... x.x. x... | x... x.x. x.x."),
        (PEDAL_HAT, ".... x... x... | .... x... x..."),
        (KICK,      "o... .... .... | g... .... ...."),
        (SNARE,     ".... .... ..g. | .... ..g. ...."),
    ], 12, [(SNARE, "x.x.X."), (KICK, "....X.")], crash="x")
    bass = line("Jazz Waltz Bass", "x======= x=== | x=== x=== x===", [36, 43, 40, 45, 43])
    piano = comp("Jazz Waltz Piano", ".... x=.. ..x= | .... x=== ....", SIXTH)
    return Style("Jazz Waltz", 150, beat, [
        bass_part(bass, ACOUSTIC_BASS, 82), Part(piano, PIANO, 68, pan=0.42),
        Part(SIXTH_PAD_3_4, VIBES, 62, mode=SUS, pan=0.62)], drum_volume=85, shuffle=0.8,
        meter="3/4", tempo_range=(100, 200), defining=(2,))


def jazz_ballad():
    # Brushes stirring sixteenths on the snare, ride and hi-hat barely there.
    beat = phrase("Jazz Ballad Brushes", [
        (RIDE,      "x... x.o. x... x.o."),
        (PEDAL_HAT, ".... x... .... x..."),
        (SNARE,     "g.g. g.g. g.g. g.g."),
        (KICK,      "g... .... .... ...."),
    ], 16, [(SNARE, "g.o.o.x."), (KICK, "......o.")], crash=None)
    # The piano rolls each chord up from the third and answers with a sixth chord.
    piano = notes("Jazz Ballad Piano", 16, [
        (0, 52, 4, 104), (1, 57, 4, 100), (2, 60, 4, 98), (3, 64, 4, 102),
        (10, (60, 64, 69), 2, 92)])
    return Style("Jazz Ballad", 62, beat, [
        shared_bass(TWO_BEAT_BASS, ACOUSTIC_BASS, 92), Part(piano, PIANO, 85, mode=SUS, pan=0.44),
        Part(SIXTH_PAD, SLOW_STRINGS, 48, mode=SUS, pan=0.62)], drum_volume=90, shuffle=0.6,
        tempo_range=(50, 80), defining=(2,), trim_lu=1.0)


def jazz_5_4():
    # Five beats felt three plus two: ride swinging, kick on one and four, hi-hat on the groups.
    beat = phrase("Jazz 5/4 Drums", [
        (RIDE,      "x... x.x. x... x... x.x."),
        (PEDAL_HAT, ".... x... x... .... x..."),
        (KICK,      "x... .... .... x... ...."),
        (SNARE,     ".... .... ..g. .... ..o."),
    ], 20, [(SNARE, "x.x.X..."), (KICK, "....X...")], bars=2, crash="x")
    bass = line("Jazz 5/4 Bass", "x=== ..x= x=== x=== x===", [36, 43, 48, 40, 43])
    # The vamp: a chord on one, pushed on the and of two, held through the two-beat half.
    piano = comp("Jazz 5/4 Piano Vamp", "x=.. ..x= ==.. x=.. ..x.", (55, 59, 64, 69), gate=0.85)
    return Style("Jazz 5/4", 168, beat, [
        bass_part(bass, ACOUSTIC_BASS, 84), Part(piano, PIANO, 72, pan=0.46)],
        drum_volume=85, shuffle=0.8, meter="5/4", tempo_range=(140, 200), defining=(2,))


def jazz_shuffle():
    # Triplet shuffle on the ride, a fat backbeat and the kick on one and three.
    beat = phrase("Jazz Shuffle Drums", [
        (RIDE,  "x.x. x.x. x.x. x.x."),
        (SNARE, ".... X... .... X..."),
        (KICK,  "x... .... x... ..o."),
    ], 16, [(SNARE, "x.x.xxX."), (KICK, "x...x...")], crash="x")
    # Up the chord to the octave, then down from the flat seventh: the boogie walk.
    bass = line("Jazz Shuffle Bass", "x=== x=== x=== x=== | x=== x=== x=== x===",
                [36, 40, 43, 48, 46, 45, 43, 40], gate=0.85)
    piano = comp("Jazz Shuffle Piano", "..x. ..x= ..x. ..x=", (55, 58, 64), gate=0.7)
    # Piano on the left, the organ across on the right.
    return Style("Jazz Shuffle", 120, beat, [
        bass_part(bass, ACOUSTIC_BASS, 86), Part(piano, PIANO, 70, pan=0.42),
        Part(SIXTH_PAD, DRAWBAR_ORGAN, 50, mode=SUS, pan=0.62)], drum_volume=88, shuffle=1.0,
        tempo_range=(90, 150), defining=(2,))


# --- Early jazz, parade and mariachi ----------------------------------------------------------


def charleston():
    # The 1920s dance-band drummer: bass drum on one and three, snare and the low-boy cymbal on
    # two and four, the woodblock clicking the Charleston figure (one, and the and of two).
    beat = phrase("Charleston Drums", [
        (KICK,           "x... .... x... ...."),
        (SNARE,          ".... x... .... x... | .... x... .... x.o."),
        (PEDAL_HAT,      ".... x... .... x..."),
        (HIGH_WOODBLOCK, "x... ..x. .... .... | x... ..x. .... x..."),
    ], 16, [(SNARE, "x.x.xxX."), (HIGH_WOODBLOCK, "x......."), (KICK, "x.....x.")], crash="x")
    # The tuba's two-beat, root and fifth, walking down by step and half step into the root.
    tuba = line("Charleston Tuba", "x======= x======= | x======= x=== x=x=",
                [36, 43, 36, 40, 38, 37], gate=0.9)
    # The banjo chops four to the bar, the two and four a little harder.
    banjo = comp("Charleston Banjo", "x=.. X=.. x=.. X=..", TRIAD_HIGH, gate=0.5)
    # The piano strikes the Charleston: a dotted quarter on one, an eighth on the and of two.
    piano = comp("Charleston Piano", "X===== x=.. .... .. | X===== x=.. ..x= ..", (55, 60, 64),
                 gate=0.85)
    # The horns answer in the second half of the bar, then hit the figure with the piano.
    brass = comp("Charleston Brass", ".... .... x=.x ..X= | X===== x=.. .... ..", TRIAD_TOP,
                 gate=0.8)
    # Piano left, banjo right, the horns just left of the tuba in the middle.
    return Style("Charleston", 220, beat, [
        bass_part(tuba, TUBA, 86), Part(banjo, BANJO, 55, pan=0.64),
        Part(piano, PIANO, 68, pan=0.36), Part(brass, BRASS, 72, pan=0.46)],
        drum_volume=82, shuffle=0.2, tempo_range=(180, 250), defining=(3, 4))


def second_line():
    # The New Orleans parade: the snare's ghost notes and a press roll into four, the bass drum
    # dropping syncopations between the beats, the cymbal foot on two and four.
    beat = phrase("Second Line Drums", [
        (SNARE,     "X.gg .gx. g.gX .g.g | .gX. g.gg oooo X.g."),
        (KICK,      "X... ..x. .... x... | ..x. ..x. X... ...."),
        (PEDAL_HAT, ".... x... .... x..."),
    ], 16, [(SNARE, "ooooxxXX"), (KICK, "x.....x.")], crash="x")
    # The sousaphone's riff up the chord to the sixth, walking down by half step into the root.
    tuba = line("Second Line Tuba", "x==. ..x= x=.x =.x= | x==. ..x= x=.. x=x=",
                [36, 40, 43, 45, 43, 36, 43, 40, 39, 38])
    # The trombones and saxes riff off the beat; the trumpet answers at the bar's end.
    riff = comp("Second Line Brass Riff", "..X. .X.. X=.. .... | ..X. .X.. x.x. X=..", TRIAD_TOP,
                gate=0.75)
    trumpet = line("Second Line Trumpet", ".... .... ..x. x=x= | x=== .... .... ....",
                   [67, 69, 72, 76], gate=0.85)
    # The trombone's tailgate smear under it all, long tones on the chord.
    trombone = line("Second Line Trombone", "x=====.. ..x=.... | x=====.. ........",
                    [52, 55, 60], gate=0.9)
    # Trombones left, trumpets right, the riffing section in the middle.
    return Style("Second Line", 100, beat, [
        bass_part(tuba, TUBA, 88), Part(riff, BRASS, 68, pan=0.5),
        Part(trumpet, TRUMPET, 55, pan=0.64), Part(trombone, TROMBONE, 52, pan=0.36)],
        drum_volume=90, shuffle=0.4, tempo_range=(85, 125), defining=(0, 2))


def mariachi():
    # Drums quiet: a mariachi has no drummer; a soft shaker only doubles the vihuela's strums.
    beat = phrase("Mariachi Shaker", [
        (MARACAS, "g... x.o. x.o. | g... x.o. x.ox"),
    ], 12, [(MARACAS, "xoxoxX")], crash=None)
    # The guitarron: the root on one, the fifth the next bar, and a walk down by step and half
    # step into the root at the end of four bars.
    guitarron = notes("Mariachi Guitarron", 48, [
        (0, 36, 7, 112), (12, 43, 7, 104), (24, 36, 6, 110), (32, 40, 3.5, 96),
        (36, 43, 3.5, 104), (40, 40, 3.5, 98), (44, 38, 1.8, 96), (46, 37, 1.8, 92)])
    # The vihuela's strums on two and three, a rasgueo flick closing the second bar.
    vihuela = comp("Mariachi Vihuela", ".... X.o. x.o. | ..o. X.o. x.ox", TRIAD_HIGH, gate=0.6)
    # The violins sing the melody in unison, the trumpets answer in thirds where it holds.
    violins = line("Mariachi Violins", "x=== x=== x=== | x======= x=== | x=== x=== x=== | x======= x=..",
                   [76, 74, 72, 67, 69, 72, 76, 79, 76, 74], gate=0.92)
    trumpets = line("Mariachi Trumpets", ".... .... .... | .... x.x. x=.. | .... .... .... | .... x.x. x=..",
                    [(64, 67), (60, 64), (60, 64), (72, 76), (69, 72), (64, 67)], gate=0.8)
    # Violins on the left, trumpets on the right, the vihuela beside the guitarron.
    return Style("Mariachi", 156, beat, [
        bass_part(guitarron, ACOUSTIC_BASS, 88), Part(vihuela, NYLON_GUITAR, 52, pan=0.56),
        Part(violins, VIOLIN, 84, pan=0.4), Part(trumpets, TRUMPET, 78, pan=0.64)],
        drum_volume=86, meter="3/4", tempo_range=(100, 200), comment="drums quiet: a mariachi has "
        "no drummer; a soft shaker only doubles the vihuela's strums", defining=(3, 4))


STYLES = [
    bossa_nova, salsa, swing, jazz_waltz, jazz_ballad, calypso,
    bolero, mambo, merengue, cumbia, bachata, reggaeton, baiao, son_montuno, latin_pop,
    dixieland, ragtime, gypsy_jazz, latin_jazz, smooth_jazz, jazz_5_4,
    jazz_shuffle, charleston, second_line, mariachi,
]
