"""The two metronomes."""

from styles.core import *  # noqa: F401,F403


def metronome_4_4():
    click = drums("Click 4/4", [(HIGH_WOODBLOCK, "X... .... .... ...."),
                                (LOW_WOODBLOCK, ".... x... x... x...")])
    return Style("Metronome 4/4", 100, click, [], drum_volume=100)


def metronome_3_4():
    click = drums("Click 3/4", [(HIGH_WOODBLOCK, "X... .... ...."),
                                (LOW_WOODBLOCK, ".... x... x...")])
    return Style("Metronome 3/4", 100, click, [], drum_volume=100)


STYLES = [
    metronome_4_4, metronome_3_4,
]
