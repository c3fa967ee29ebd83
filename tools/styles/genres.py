"""What a player expects of each genre, which the generator holds every style to: the slot each
style keeps in the library, its feel (straight, swung eighths or sixteenths, a triplet grid) and
whether its genre asks for a heavy low end."""

# The library's slots. A style keeps its slot for as long as it ships, so that a workspace that
# stores its number finds it again; a genre that replaces another takes the freed slot.
SLOTS = [
    "Metronome 4/4", "Metronome 3/4", "Rock 8-Beat", "Hard Rock", "Slow Rock 12/8", "Pop Ballad",
    "Swing", "Jazz Waltz", "Bossa Nova", "Samba", "Cha-Cha", "Pop Standard", "Tango", "Slow Waltz",
    "Viennese Waltz", "Gospel 12/8", "Polka", "Disco", "Funk", "Reggae", "Country Two-Step",
    "Blues Shuffle", "R&B", "House Dance", "Techno", "Rumba", "Rock'n'Roll", "Motown Soul", "Ska",
    "Jazz Ballad", "Hip-Hop", "Trance", "Salsa", "Beguine", "Calypso", "Celtic Jig", "Hymn",
    "Rock 16-Beat", "Pop Rock", "Power Ballad", "Unplugged", "Soul Ballad 6/8", "60s Beat", "Surf",
    "Rockabilly", "Boogie-Woogie", "Metal", "Punk", "Christmas", "Movie Orchestral", "Foxtrot",
    "Quickstep", "Jive", "Rumba Flamenca", "Disco-Fox", "Schlager", "Musette", "Tarantella",
    "Mazurka", "March 6/8", "Irish Reel", "Klezmer", "Balkan 7/8", "Balkan 9/8", "Maqsum", "Bhangra",
    "Bolero", "Mambo", "Merengue", "Cumbia", "Bachata", "Reggaeton", "Baiao", "Son Montuno",
    "Latin Pop", "Second Line", "Dixieland", "Ragtime", "Charleston", "Gypsy Jazz", "Latin Jazz",
    "Smooth Jazz", "Jazz 5/4", "Jazz Shuffle", "Bluegrass", "Country Waltz", "Country Ballad",
    "Mariachi", "Rock Shuffle", "Country Rock", "Slow Blues 12/8", "Soul 16-Beat", "Zouk",
    "Drum and Bass", "Trap", "Trip-Hop", "Synth Pop", "Dancehall", "Soca", "Afrobeats",
]

# The feel of a style, from its grid and shuffle (see feel_of): "straight"; "lilt", eighths
# pushed a little; "swing8", swung eighths; "swing16", swung sixteenths (eight steps a beat);
# "triplet", written on a grid of three steps a beat (12/8, 6/8, 9/8 in threes).
SWUNG_EIGHTHS = {"swing8"}
FEELS = {
    "Swing": SWUNG_EIGHTHS, "Jazz Waltz": SWUNG_EIGHTHS, "Blues Shuffle": SWUNG_EIGHTHS,
    "Jazz Ballad": SWUNG_EIGHTHS, "Rockabilly": SWUNG_EIGHTHS, "Boogie-Woogie": SWUNG_EIGHTHS,
    "Foxtrot": SWUNG_EIGHTHS, "Quickstep": SWUNG_EIGHTHS, "Jive": SWUNG_EIGHTHS,
    "Dixieland": SWUNG_EIGHTHS, "Gypsy Jazz": SWUNG_EIGHTHS, "Jazz 5/4": SWUNG_EIGHTHS,
    "Jazz Shuffle": SWUNG_EIGHTHS, "Rock Shuffle": SWUNG_EIGHTHS, "Bhangra": SWUNG_EIGHTHS,
    "Charleston": {"straight", "lilt"}, "Second Line": {"swing8", "lilt", "swing16"},
    "R&B": {"swing16"}, "Hip-Hop": {"swing16"}, "Trip-Hop": {"swing16"}, "House Dance": {"swing16"},
    "Soul 16-Beat": {"straight", "swing16"}, "Funk": {"straight", "swing16"},
    "Afrobeats": {"straight", "swing16"},
    "Reggae": {"lilt", "swing8"}, "Dancehall": {"straight", "lilt"}, "Bluegrass": {"straight", "lilt"},
    "Smooth Jazz": {"straight", "swing16", "lilt"}, "Trap": {"straight", "triplet"},
    "Ragtime": {"straight", "lilt"}, "Calypso": {"straight", "lilt"}, "Soca": {"straight", "lilt"},
    "Zouk": {"straight", "lilt"}, "Celtic Jig": {"triplet"}, "Tarantella": {"triplet"},
    "Irish Reel": {"straight", "lilt"},
}
TRIPLET_METERS = {"6/8", "12/8"}


def feel_of(style):
    if style.steps_per_beat % 3 == 0:
        return "triplet"
    if style.shuffle <= 0:
        return "straight"
    if style.steps_per_beat >= 8:
        return "swing16"
    return "swing8" if style.shuffle >= 0.5 else "lilt"


def expected_feels(style):
    if style.name in FEELS:
        return FEELS[style.name]
    return {"triplet"} if style.meter in TRIPLET_METERS else {"straight"}


# The genres whose sound is the low end: more than LOW_END_LIMIT of the power under 120 Hz is
# what their players want.
LOW_END_LIMIT = 0.45
LOW_END_GENRES = {
    "Trap": "the 808's long sub notes are the genre",
    "Hip-Hop": "a boom-bap kick and sub bass carry it",
    "Trip-Hop": "a slow, heavy kick and dub bass",
    "Drum and Bass": "the sub bass rolls under the breakbeat",
    "Reggae": "the bass leads the band, deep and round",
    "Dancehall": "the riddim's kick and sub bass",
    "Reggaeton": "the dembow kick and the sub bass",
    "Techno": "the four-on-the-floor kick is the track",
}

# Styles written in cut time: a 4/4 bar of sixteenths holds the two bars of eighths of the
# clave (at the genre's counted tempo, twice the style's). Every other clave spans two bars.
CLAVE_PER_BAR = {"Salsa", "Mambo", "Son Montuno", "Latin Jazz"}
