"""The loudness of the shipped SoundFont through the built-in synthesizer, as
`render-styles --calibrate` measured it, and the model the generator balances every style with.

Tables (integrated loudness in LUFS, EBU R128, at volume 100 and velocity 100, 120 bpm, 4 bars on
C, then 4 on F): PROGRAM_LOUDNESS, the triad C4 E4 G4 in quarter notes (LOW_ an octave lower,
HIGH_ an octave higher); BASS_PROGRAM_LOUDNESS,
C2 and G2 in turn in quarter notes; HELD_PROGRAM_LOUDNESS, the triad held for each bar;
DRUM_KEY_LOUDNESS, each percussion key alone in quarter notes on the drums; the *_PEAK tables
hold the true peak (dBTP) of each. Quarter notes sound for 0.92 of their beat, drum notes for
half a step. Measure again after changing the SoundFont or the synthesizer's gain.
"""

import math

PROGRAM_LOUDNESS = {
    0: -26.8, 1: -26.6, 2: -23.7, 3: -25.3, 4: -20.0, 5: -22.4, 6: -25.9, 7: -22.1,
    8: -25.0, 9: -23.9, 10: -21.4, 11: -19.0, 12: -27.2, 13: -28.2, 14: -19.0, 15: -26.4,
    16: -21.9, 17: -21.4, 18: -21.2, 19: -22.9, 20: -20.0, 21: -21.3, 22: -20.1, 23: -23.2,
    24: -21.6, 25: -25.6, 26: -22.3, 27: -21.2, 28: -25.1, 29: -21.7, 30: -19.2, 31: -19.7,
    32: -24.4, 33: -20.5, 34: -23.6, 35: -21.1, 36: -21.2, 37: -29.4, 38: -24.9, 39: -22.5,
    40: -18.9, 41: -18.6, 42: -17.5, 43: -19.8, 44: -20.9, 45: -25.6, 46: -17.7, 47: -26.1,
    48: -8.2, 49: -23.7, 50: -18.3, 51: -21.8, 52: -21.7, 53: -21.2, 54: -21.4, 55: -21.0,
    56: -21.7, 57: -22.2, 58: -21.6, 59: -25.5, 60: -16.2, 61: -25.3, 62: -20.6, 63: -14.3,
    64: -20.9, 65: -20.9, 66: -21.0, 67: -23.8, 68: -21.2, 69: -19.5, 70: -22.0, 71: -20.0,
    72: -19.8, 73: -21.3, 74: -20.2, 75: -21.8, 76: -22.8, 77: -20.7, 78: -17.1, 79: -16.9,
    80: -19.1, 81: -16.7, 82: -19.0, 83: -21.7, 84: -19.2, 85: -17.7, 86: -21.5, 87: -19.7,
    88: -17.4, 89: -26.0, 90: -22.9, 91: -19.6, 92: -21.4, 93: -22.7, 94: -23.6, 95: -27.9,
    96: -19.8, 97: -20.1, 98: -21.1, 99: -20.2, 100: -18.5, 101: -28.6, 102: -19.1, 103: -18.5,
    104: -25.2, 105: -22.9, 106: -26.7, 107: -22.3, 108: -23.5, 109: -18.5, 110: -19.9, 111: -18.7,
    112: -24.9, 113: -27.2, 114: -25.2, 115: -32.1, 116: -22.3, 117: -30.0, 118: -23.1, 119: -40.4,
    120: -29.2, 121: -38.6, 122: -19.3, 123: -23.8, 124: -22.1, 125: -44.1, 126: -37.7, 127: -25.7,
}
PROGRAM_PEAK = {
    0: -15.2, 1: -14.0, 2: -13.2, 3: -11.4, 4: -11.7, 5: -9.4, 6: -14.5, 7: -13.0,
    8: -13.1, 9: -10.1, 10: -8.2, 11: -8.2, 12: -13.2, 13: -6.8, 14: -7.7, 15: -12.4,
    16: -12.2, 17: -8.8, 18: -9.1, 19: -11.5, 20: -9.8, 21: -10.2, 22: -11.1, 23: -13.2,
    24: -10.7, 25: -12.7, 26: -8.8, 27: -4.9, 28: -10.5, 29: -12.8, 30: -11.5, 31: -11.6,
    32: -11.9, 33: -8.6, 34: -11.3, 35: -10.2, 36: -9.3, 37: -10.3, 38: -10.7, 39: -11.2,
    40: -9.2, 41: -9.2, 42: -9.4, 43: -9.5, 44: -9.3, 45: -9.0, 46: -4.0, 47: -10.6,
    48: 2.1, 49: -14.3, 50: -5.7, 51: -9.5, 52: -10.4, 53: -11.3, 54: -10.4, 55: -7.1,
    56: -10.8, 57: -10.5, 58: -8.3, 59: -14.6, 60: -6.1, 61: -14.3, 62: -8.7, 63: -2.7,
    64: -10.6, 65: -7.8, 66: -9.9, 67: -14.0, 68: -10.1, 69: -10.1, 70: -11.2, 71: -11.0,
    72: -11.4, 73: -10.5, 74: -11.7, 75: -13.2, 76: -11.1, 77: -9.5, 78: -7.5, 79: -9.1,
    80: -8.3, 81: -5.6, 82: -8.1, 83: -9.7, 84: -9.5, 85: -7.7, 86: -9.2, 87: -7.8,
    88: -3.8, 89: -13.2, 90: -10.5, 91: -9.0, 92: -8.4, 93: -9.3, 94: -14.2, 95: -15.5,
    96: -7.5, 97: -8.3, 98: -7.9, 99: -8.2, 100: -6.1, 101: -17.9, 102: -7.6, 103: -5.6,
    104: -11.9, 105: -8.4, 106: -10.9, 107: -9.4, 108: -6.4, 109: -9.2, 110: -10.3, 111: -9.4,
    112: -11.4, 113: -11.2, 114: -9.9, 115: -11.1, 116: -9.0, 117: -12.0, 118: -9.1, 119: -26.5,
    120: -14.7, 121: -22.9, 122: -7.6, 123: -6.0, 124: -9.2, 125: -32.9, 126: -24.3, 127: -12.3,
}
LOW_PROGRAM_LOUDNESS = {
    0: -27.7, 1: -27.6, 2: -25.2, 3: -25.7, 4: -24.1, 5: -21.6, 6: -25.8, 7: -24.0,
    8: -26.6, 9: -22.7, 10: -21.1, 11: -19.0, 12: -27.9, 13: -26.6, 14: -18.1, 15: -26.0,
    16: -22.6, 17: -21.7, 18: -20.4, 19: -23.1, 20: -22.3, 21: -23.7, 22: -23.5, 23: -25.5,
    24: -21.9, 25: -24.6, 26: -20.4, 27: -20.9, 28: -24.1, 29: -23.2, 30: -20.5, 31: -23.2,
    32: -24.1, 33: -21.3, 34: -23.9, 35: -21.5, 36: -21.9, 37: -28.3, 38: -23.8, 39: -22.7,
    40: -19.9, 41: -20.3, 42: -18.1, 43: -20.7, 44: -20.9, 45: -23.6, 46: -18.4, 47: -24.0,
    48: -8.5, 49: -24.8, 50: -19.6, 51: -21.6, 52: -21.5, 53: -23.4, 54: -20.6, 55: -22.1,
    56: -24.3, 57: -24.0, 58: -23.6, 59: -27.1, 60: -18.3, 61: -26.8, 62: -20.3, 63: -14.9,
    64: -21.2, 65: -23.2, 66: -22.9, 67: -24.7, 68: -23.5, 69: -22.1, 70: -21.2, 71: -22.7,
    72: -21.7, 73: -23.6, 74: -21.6, 75: -23.0, 76: -23.5, 77: -21.4, 78: -18.7, 79: -17.7,
    80: -19.1, 81: -16.8, 82: -22.0, 83: -22.3, 84: -22.0, 85: -16.3, 86: -21.9, 87: -18.9,
    88: -17.2, 89: -24.2, 90: -22.5, 91: -20.1, 92: -21.8, 93: -24.5, 94: -21.2, 95: -24.7,
    96: -19.9, 97: -20.3, 98: -23.3, 99: -20.7, 100: -19.9, 101: -29.5, 102: -19.9, 103: -18.5,
    104: -21.8, 105: -21.5, 106: -27.0, 107: -21.4, 108: -23.1, 109: -22.3, 110: -21.2, 111: -20.8,
    112: -24.1, 113: -26.2, 114: -24.0, 115: -30.9, 116: -22.0, 117: -28.7, 118: -23.1, 119: -38.6,
    120: -28.7, 121: -38.3, 122: -21.8, 123: -19.9, 124: -19.7, 125: -44.2, 126: -37.8, 127: -25.1,
}
LOW_PROGRAM_PEAK = {
    0: -15.3, 1: -15.2, 2: -14.2, 3: -11.8, 4: -14.7, 5: -9.5, 6: -15.8, 7: -12.7,
    8: -13.1, 9: -9.9, 10: -9.0, 11: -9.4, 12: -12.1, 13: -6.3, 14: -6.8, 15: -13.0,
    16: -13.3, 17: -8.6, 18: -8.5, 19: -12.4, 20: -11.4, 21: -11.7, 22: -12.6, 23: -14.2,
    24: -11.8, 25: -12.7, 26: -9.4, 27: -5.5, 28: -9.9, 29: -13.6, 30: -12.3, 31: -13.8,
    32: -11.7, 33: -10.0, 34: -13.5, 35: -10.0, 36: -7.8, 37: -11.1, 38: -9.4, 39: -10.3,
    40: -9.2, 41: -9.5, 42: -9.9, 43: -11.0, 44: -7.5, 45: -9.1, 46: -5.2, 47: -9.7,
    48: 3.2, 49: -13.8, 50: -8.4, 51: -9.8, 52: -9.1, 53: -11.4, 54: -11.1, 55: -7.6,
    56: -12.3, 57: -11.1, 58: -11.6, 59: -13.1, 60: -7.3, 61: -13.6, 62: -7.7, 63: -2.0,
    64: -8.5, 65: -8.7, 66: -10.5, 67: -14.5, 68: -12.4, 69: -12.2, 70: -12.2, 71: -13.2,
    72: -12.7, 73: -13.1, 74: -11.7, 75: -13.3, 76: -12.5, 77: -9.9, 78: -8.1, 79: -9.1,
    80: -9.1, 81: -4.7, 82: -12.3, 83: -10.1, 84: -10.0, 85: -5.6, 86: -9.1, 87: -6.6,
    88: -4.9, 89: -11.9, 90: -10.8, 91: -8.9, 92: -9.2, 93: -11.6, 94: -12.6, 95: -15.2,
    96: -7.3, 97: -10.0, 98: -7.7, 99: -10.1, 100: -8.0, 101: -19.4, 102: -7.8, 103: -6.1,
    104: -11.3, 105: -7.1, 106: -11.1, 107: -8.7, 108: -7.3, 109: -11.8, 110: -10.9, 111: -10.6,
    112: -11.4, 113: -11.2, 114: -10.7, 115: -10.7, 116: -9.4, 117: -12.0, 118: -8.4, 119: -24.7,
    120: -14.7, 121: -25.1, 122: -9.3, 123: -5.8, 124: -9.2, 125: -32.6, 126: -24.2, 127: -12.2,
}
HIGH_PROGRAM_LOUDNESS = {
    0: -25.6, 1: -25.3, 2: -25.6, 3: -23.7, 4: -20.1, 5: -21.2, 6: -25.0, 7: -21.5,
    8: -24.8, 9: -27.2, 10: -21.9, 11: -19.1, 12: -28.5, 13: -31.8, 14: -19.8, 15: -27.5,
    16: -21.1, 17: -20.4, 18: -19.5, 19: -22.8, 20: -18.4, 21: -20.1, 22: -19.1, 23: -22.4,
    24: -22.8, 25: -24.5, 26: -19.6, 27: -22.7, 28: -24.8, 29: -20.1, 30: -19.4, 31: -17.9,
    32: -24.5, 33: -20.5, 34: -25.4, 35: -21.2, 36: -19.1, 37: -30.1, 38: -24.7, 39: -22.8,
    40: -16.8, 41: -16.5, 42: -18.1, 43: -18.5, 44: -20.5, 45: -28.7, 46: -18.3, 47: -28.1,
    48: -9.1, 49: -23.6, 50: -17.6, 51: -20.4, 52: -20.0, 53: -21.8, 54: -22.9, 55: -21.4,
    56: -19.8, 57: -21.4, 58: -21.1, 59: -24.2, 60: -13.5, 61: -24.1, 62: -20.8, 63: -14.8,
    64: -16.3, 65: -16.9, 66: -19.0, 67: -25.3, 68: -16.6, 69: -19.3, 70: -21.8, 71: -18.8,
    72: -18.6, 73: -18.0, 74: -19.1, 75: -19.3, 76: -22.1, 77: -21.7, 78: -19.6, 79: -15.9,
    80: -17.7, 81: -15.6, 82: -16.7, 83: -20.0, 84: -17.2, 85: -16.5, 86: -19.1, 87: -18.4,
    88: -18.6, 89: -25.1, 90: -20.2, 91: -18.5, 92: -22.6, 93: -21.9, 94: -22.2, 95: -29.0,
    96: -19.6, 97: -18.9, 98: -19.0, 99: -19.9, 100: -18.2, 101: -29.7, 102: -19.9, 103: -18.5,
    104: -29.1, 105: -24.3, 106: -29.7, 107: -21.5, 108: -23.9, 109: -18.9, 110: -18.3, 111: -19.7,
    112: -24.4, 113: -30.6, 114: -26.6, 115: -33.1, 116: -22.9, 117: -31.4, 118: -23.1, 119: -44.8,
    120: -29.9, 121: -38.9, 122: -19.3, 123: -27.7, 124: -24.2, 125: -44.0, 126: -37.6, 127: -26.5,
}
HIGH_PROGRAM_PEAK = {
    0: -12.1, 1: -11.4, 2: -12.2, 3: -7.5, 4: -12.1, 5: -9.3, 6: -14.3, 7: -12.9,
    8: -14.0, 9: -11.6, 10: -7.9, 11: -8.4, 12: -13.0, 13: -9.2, 14: -8.6, 15: -13.8,
    16: -11.3, 17: -5.0, 18: -6.5, 19: -12.4, 20: -9.8, 21: -10.3, 22: -9.8, 23: -11.1,
    24: -11.8, 25: -13.3, 26: -8.3, 27: -6.7, 28: -7.4, 29: -10.6, 30: -11.2, 31: -11.4,
    32: -12.5, 33: -9.0, 34: -12.9, 35: -10.0, 36: -8.5, 37: -15.3, 38: -11.3, 39: -11.7,
    40: -7.8, 41: -8.2, 42: -9.8, 43: -8.4, 44: -10.8, 45: -11.1, 46: -4.4, 47: -10.9,
    48: 0.5, 49: -14.2, 50: -7.0, 51: -9.4, 52: -6.6, 53: -11.1, 54: -11.0, 55: -7.6,
    56: -9.6, 57: -10.9, 58: -10.1, 59: -12.9, 60: -3.8, 61: -12.3, 62: -10.5, 63: -2.2,
    64: -8.9, 65: -6.7, 66: -10.6, 67: -15.0, 68: -7.7, 69: -10.0, 70: -11.0, 71: -9.5,
    72: -10.9, 73: -8.7, 74: -11.4, 75: -12.2, 76: -11.4, 77: -9.3, 78: -10.8, 79: -8.2,
    80: -9.1, 81: -5.1, 82: -7.2, 83: -7.3, 84: -8.5, 85: -6.5, 86: -8.4, 87: -8.0,
    88: -5.6, 89: -12.1, 90: -9.0, 91: -8.7, 92: -10.5, 93: -8.9, 94: -12.5, 95: -17.6,
    96: -7.2, 97: -9.2, 98: -7.6, 99: -10.4, 100: -6.4, 101: -16.3, 102: -8.8, 103: -7.2,
    104: -12.0, 105: -9.7, 106: -11.1, 107: -11.2, 108: -6.3, 109: -9.4, 110: -9.6, 111: -10.1,
    112: -12.0, 113: -12.4, 114: -10.3, 115: -11.9, 116: -9.4, 117: -12.2, 118: -10.5, 119: -30.8,
    120: -14.7, 121: -24.0, 122: -9.2, 123: -6.2, 124: -9.3, 125: -31.8, 126: -23.7, 127: -12.7,
}
BASS_PROGRAM_LOUDNESS = {
    0: -33.9, 1: -34.0, 2: -29.5, 3: -31.4, 4: -29.0, 5: -26.3, 6: -31.0, 7: -30.4,
    8: -32.2, 9: -26.0, 10: -25.6, 11: -24.6, 12: -34.4, 13: -30.8, 14: -22.2, 15: -31.1,
    16: -28.9, 17: -27.4, 18: -26.6, 19: -29.2, 20: -28.2, 21: -31.4, 22: -30.1, 23: -31.7,
    24: -25.3, 25: -30.3, 26: -25.1, 27: -24.7, 28: -27.1, 29: -30.0, 30: -27.7, 31: -30.0,
    32: -28.1, 33: -26.6, 34: -28.3, 35: -26.6, 36: -26.7, 37: -32.0, 38: -27.5, 39: -27.5,
    40: -26.2, 41: -26.4, 42: -24.6, 43: -26.4, 44: -26.1, 45: -26.8, 46: -23.5, 47: -27.4,
    48: -14.9, 49: -32.0, 50: -25.9, 51: -26.6, 52: -25.8, 53: -27.5, 54: -28.0, 55: -28.8,
    56: -31.5, 57: -29.9, 58: -29.0, 59: -32.7, 60: -24.8, 61: -32.1, 62: -25.8, 63: -20.2,
    64: -27.7, 65: -31.5, 66: -29.1, 67: -29.9, 68: -28.8, 69: -27.6, 70: -28.5, 71: -29.2,
    72: -31.2, 73: -32.1, 74: -30.7, 75: -29.7, 76: -29.0, 77: -27.1, 78: -28.5, 79: -24.6,
    80: -23.5, 81: -20.1, 82: -27.4, 83: -28.2, 84: -28.3, 85: -23.2, 86: -27.5, 87: -22.8,
    88: -22.3, 89: -29.8, 90: -28.7, 91: -25.0, 92: -28.4, 93: -29.0, 94: -27.9, 95: -29.8,
    96: -24.9, 97: -26.2, 98: -29.0, 99: -23.8, 100: -24.4, 101: -34.6, 102: -25.8, 103: -23.3,
    104: -26.1, 105: -25.1, 106: -32.4, 107: -26.3, 108: -28.1, 109: -29.1, 110: -28.3, 111: -27.0,
    112: -28.4, 113: -31.4, 114: -27.3, 115: -32.6, 116: -27.3, 117: -32.6, 118: -27.9, 119: -40.7,
    120: -32.7, 121: -46.3, 122: -30.5, 123: -23.0, 124: -25.5, 125: -49.2, 126: -42.8, 127: -29.6,
}
BASS_PROGRAM_PEAK = {
    0: -22.1, 1: -22.1, 2: -18.4, 3: -19.4, 4: -22.1, 5: -14.0, 6: -21.7, 7: -21.4,
    8: -18.1, 9: -13.6, 10: -13.1, 11: -17.0, 12: -17.1, 13: -12.7, 14: -11.1, 15: -17.7,
    16: -18.3, 17: -13.0, 18: -15.5, 19: -20.2, 20: -18.7, 21: -18.0, 22: -19.5, 23: -19.1,
    24: -16.7, 25: -18.4, 26: -16.1, 27: -10.3, 28: -15.7, 29: -19.7, 30: -19.6, 31: -19.5,
    32: -15.2, 33: -15.3, 34: -16.7, 35: -15.5, 36: -15.4, 37: -15.0, 38: -16.1, 39: -15.5,
    40: -18.6, 41: -18.7, 42: -18.1, 43: -18.0, 44: -14.7, 45: -17.2, 46: -11.6, 47: -15.1,
    48: -3.4, 49: -21.1, 50: -13.3, 51: -15.4, 52: -11.9, 53: -19.2, 54: -19.0, 55: -13.9,
    56: -18.7, 57: -18.1, 58: -16.7, 59: -16.9, 60: -14.2, 61: -19.9, 62: -16.4, 63: -8.3,
    64: -16.3, 65: -15.3, 66: -18.0, 67: -18.0, 68: -19.7, 69: -19.5, 70: -20.1, 71: -21.2,
    72: -21.2, 73: -21.6, 74: -20.3, 75: -20.7, 76: -17.7, 77: -17.3, 78: -17.4, 79: -18.5,
    80: -17.9, 81: -10.1, 82: -18.0, 83: -16.7, 84: -18.6, 85: -13.7, 86: -16.4, 87: -12.3,
    88: -8.6, 89: -17.4, 90: -18.1, 91: -14.5, 92: -15.5, 93: -17.6, 94: -18.8, 95: -19.7,
    96: -12.7, 97: -16.0, 98: -13.5, 99: -13.4, 100: -13.1, 101: -25.5, 102: -15.0, 103: -10.7,
    104: -15.6, 105: -14.7, 106: -13.9, 107: -13.4, 108: -15.9, 109: -19.5, 110: -20.7, 111: -17.9,
    112: -15.8, 113: -15.3, 114: -15.4, 115: -14.6, 116: -14.5, 117: -18.1, 118: -16.4, 119: -25.2,
    120: -19.7, 121: -32.4, 122: -15.0, 123: -14.0, 124: -14.2, 125: -33.7, 126: -25.5, 127: -16.4,
}
HELD_PROGRAM_LOUDNESS = {
    0: -30.2, 1: -30.0, 2: -28.5, 3: -28.8, 4: -23.8, 5: -26.3, 6: -29.7, 7: -26.1,
    8: -29.2, 9: -25.3, 10: -26.9, 11: -23.0, 12: -28.9, 13: -28.3, 14: -23.0, 15: -29.7,
    16: -22.3, 17: -21.9, 18: -19.9, 19: -22.6, 20: -20.4, 21: -21.1, 22: -20.0, 23: -23.6,
    24: -25.8, 25: -29.5, 26: -26.2, 27: -24.7, 28: -29.0, 29: -22.1, 30: -19.2, 31: -23.0,
    32: -28.2, 33: -24.4, 34: -27.8, 35: -24.3, 36: -24.8, 37: -33.3, 38: -25.8, 39: -26.1,
    40: -19.5, 41: -18.7, 42: -17.7, 43: -20.6, 44: -21.3, 45: -26.2, 46: -22.6, 47: -28.9,
    48: -9.0, 49: -23.1, 50: -18.6, 51: -22.2, 52: -20.9, 53: -24.0, 54: -22.9, 55: -24.7,
    56: -21.7, 57: -22.0, 58: -23.2, 59: -27.1, 60: -17.2, 61: -25.6, 62: -21.5, 63: -15.8,
    64: -21.9, 65: -21.0, 66: -21.1, 67: -24.3, 68: -19.5, 69: -19.7, 70: -22.1, 71: -20.3,
    72: -19.4, 73: -21.8, 74: -19.5, 75: -21.4, 76: -23.6, 77: -23.5, 78: -17.6, 79: -16.7,
    80: -18.9, 81: -17.6, 82: -18.9, 83: -22.2, 84: -22.2, 85: -18.8, 86: -23.3, 87: -21.6,
    88: -19.3, 89: -21.7, 90: -23.9, 91: -22.2, 92: -23.2, 93: -23.6, 94: -23.7, 95: -25.3,
    96: -23.6, 97: -21.5, 98: -25.1, 99: -24.4, 100: -23.7, 101: -22.4, 102: -20.9, 103: -22.5,
    104: -29.5, 105: -26.6, 106: -30.0, 107: -25.4, 108: -25.8, 109: -18.9, 110: -20.0, 111: -18.9,
    112: -27.6, 113: -27.3, 114: -26.8, 115: -32.1, 116: -25.7, 117: -32.0, 118: -23.2, 119: -31.1,
    120: -29.7, 121: -39.4, 122: -23.0, 123: -24.0, 124: -22.4, 125: -33.1, 126: -32.3, 127: -29.0,
}
HELD_PROGRAM_PEAK = {
    0: -16.0, 1: -14.7, 2: -13.8, 3: -11.9, 4: -11.9, 5: -10.8, 6: -14.6, 7: -13.2,
    8: -15.5, 9: -10.7, 10: -8.8, 11: -9.1, 12: -13.4, 13: -6.8, 14: -9.2, 15: -12.5,
    16: -10.9, 17: -9.7, 18: -8.9, 19: -11.4, 20: -9.9, 21: -10.2, 22: -10.9, 23: -13.3,
    24: -11.6, 25: -12.7, 26: -9.2, 27: -6.5, 28: -10.6, 29: -12.2, 30: -11.5, 31: -11.8,
    32: -12.0, 33: -8.6, 34: -11.4, 35: -10.0, 36: -9.3, 37: -10.3, 38: -10.7, 39: -11.3,
    40: -9.2, 41: -9.2, 42: -9.6, 43: -9.6, 44: -9.9, 45: -9.0, 46: -4.8, 47: -10.6,
    48: 1.8, 49: -12.4, 50: -7.0, 51: -10.3, 52: -8.4, 53: -11.6, 54: -10.9, 55: -7.7,
    56: -10.1, 57: -10.6, 58: -8.4, 59: -14.7, 60: -5.6, 61: -14.3, 62: -9.9, 63: -2.6,
    64: -10.2, 65: -8.1, 66: -10.4, 67: -14.6, 68: -7.6, 69: -9.6, 70: -11.3, 71: -11.1,
    72: -11.4, 73: -10.8, 74: -11.2, 75: -12.6, 76: -11.1, 77: -10.0, 78: -7.5, 79: -9.1,
    80: -9.4, 81: -6.1, 82: -8.1, 83: -10.2, 84: -9.6, 85: -7.8, 86: -10.0, 87: -8.0,
    88: -4.3, 89: -10.3, 90: -11.5, 91: -9.5, 92: -10.2, 93: -10.3, 94: -13.1, 95: -13.5,
    96: -8.5, 97: -10.3, 98: -10.8, 99: -8.6, 100: -7.1, 101: -9.7, 102: -8.4, 103: -5.5,
    104: -13.0, 105: -8.8, 106: -11.3, 107: -10.3, 108: -6.8, 109: -9.2, 110: -10.3, 111: -9.4,
    112: -12.2, 113: -11.2, 114: -10.5, 115: -11.1, 116: -9.7, 117: -12.4, 118: -9.1, 119: -19.9,
    120: -14.7, 121: -22.9, 122: -9.8, 123: -6.0, 124: -9.2, 125: -16.7, 126: -20.0, 127: -13.2,
}
DRUM_KEY_LOUDNESS = {
    35: -31.0, 36: -31.2, 37: -36.1, 38: -29.2, 39: -33.6, 40: -30.1, 41: -30.0, 42: -41.3,
    43: -30.1, 44: -39.1, 45: -30.3, 46: -43.1, 47: -31.0, 48: -31.1, 49: -31.4, 50: -31.3,
    51: -44.7, 52: -32.1, 53: -42.0, 54: -32.7, 55: -34.6, 56: -34.5, 57: -31.8, 58: -35.7,
    59: -45.4, 60: -36.3, 61: -33.8, 62: -38.0, 63: -32.4, 64: -29.9, 65: -30.4, 66: -29.6,
    67: -33.8, 68: -32.7, 69: -32.7, 70: -38.5, 71: -26.3, 72: -29.5, 73: -32.8, 74: -36.1,
    75: -32.8, 76: -34.3, 77: -33.3, 78: -30.4, 79: -32.1, 80: -43.2, 81: -35.4,
}
DRUM_KEY_PEAK = {
    35: -17.5, 36: -17.6, 37: -16.7, 38: -15.0, 39: -15.0, 40: -14.9, 41: -13.8, 42: -20.7,
    43: -14.3, 44: -21.0, 45: -15.2, 46: -30.1, 47: -15.6, 48: -14.2, 49: -18.7, 50: -13.8,
    51: -27.6, 52: -18.5, 53: -28.1, 54: -17.8, 55: -22.7, 56: -17.2, 57: -19.1, 58: -19.8,
    59: -28.0, 60: -15.3, 61: -13.6, 62: -15.8, 63: -14.8, 64: -14.3, 65: -13.5, 66: -13.3,
    67: -16.0, 68: -15.0, 69: -14.4, 70: -16.3, 71: -15.4, 72: -17.8, 73: -15.3, 74: -17.8,
    75: -13.1, 76: -13.5, 77: -13.5, 78: -15.4, 79: -17.7, 80: -21.3, 81: -23.0,
}

# --- Estimated loudness ------------------------------------------------------------------------
# A part's loudness is estimated from the table of its program: the energy of its notes per
# second against the calibration phrase's, each note weighted by its velocity and its length,
# plus 40 log10 of its volume (the synthesizer attenuates by 40 log10 of the channel volume).

CALIBRATION_NOTE_SECONDS = 0.92 * 0.5  # a quarter note at 120 bpm
HELD_NOTE_SECONDS = 0.92 * 2.0         # a whole bar at 120 bpm
TRIAD_NOTES_PER_SECOND = 6.0
BASS_NOTES_PER_SECOND = 2.0
HELD_NOTES_PER_SECOND = 1.5
DRUM_HITS_PER_SECOND = 2.0
VOLUME_DB_PER_DECADE = 40.0
VELOCITY_DB_PER_DECADE = 40.0
LONG_MODE_FACTOR = 8.0  # the player's lengthening of notes in LONG mode
SUS, LONG = 2, 3        # the part modes that lengthen notes


# The middle keys of the three triads of the calibration, low to high.
TRIAD_KEYS = (52, 64, 76)


def program_level(program, key, tables=None):
    """The program's loudness (or peak) for the calibration triad, interpolated between the
    three octaves measured to a triad around `key`."""
    low, middle, high = tables or (LOW_PROGRAM_LOUDNESS, PROGRAM_LOUDNESS, HIGH_PROGRAM_LOUDNESS)
    key = min(TRIAD_KEYS[-1], max(TRIAD_KEYS[0], key))
    if key <= TRIAD_KEYS[1]:
        share, below, above = (key - TRIAD_KEYS[0]) / 12.0, low[program], middle[program]
    else:
        share, below, above = (key - TRIAD_KEYS[1]) / 12.0, middle[program], high[program]
    return below + share * (above - below)


def length_exponent(program):
    """How a note's energy grows with its length on this program: 0 for a sound that has died
    away within a quarter note, 1 for one that holds steady, from the held and quarter tables."""
    ratio = (HELD_PROGRAM_LOUDNESS[program] - PROGRAM_LOUDNESS[program]) / 10.0
    ratio += math.log10(TRIAD_NOTES_PER_SECOND / HELD_NOTES_PER_SECOND)
    return min(1.0, max(0.0, ratio / math.log10(HELD_NOTE_SECONDS / CALIBRATION_NOTE_SECONDS)))


def velocity_gain(velocity):
    """Energy of a note at this velocity against one at the calibration's velocity 100."""
    return 10 ** (VELOCITY_DB_PER_DECADE * math.log10(velocity / 100.0) / 10.0)


def volume_db(volume):
    return VOLUME_DB_PER_DECADE * math.log10(max(volume, 1e-3) / 100.0)


def note_seconds(pattern, pos, length, mode, step_seconds):
    """How long a note sounds: its length, lengthened in LONG mode; under the pedal of SUS mode
    until its pass of the pattern ends."""
    if mode == SUS:
        return (pattern.length - pos) * step_seconds
    return length * (LONG_MODE_FACTOR if mode == LONG else 1.0) * step_seconds


def part_loudness(pattern, program, volume, mode, bass, step_seconds, transpose=12):
    """Estimated LUFS of a melodic part played alone at `volume`; `bass` for the bass part,
    whose table is the root-fifth line. A pattern key sounds as key + transpose - 12."""
    exponent = length_exponent(program)
    energy = 0.0
    for key, velocity, pos, length in pattern.notes:
        seconds = note_seconds(pattern, pos, length, mode, step_seconds)
        # Each note at its register's level against the middle triad's (the table's).
        register = 0.0
        if not bass:
            register = program_level(program, key + transpose - 12) - PROGRAM_LOUDNESS[program]
        energy += (velocity_gain(velocity) * (seconds / CALIBRATION_NOTE_SECONDS) ** exponent
                   * 10 ** (register / 10))
    per_second = energy / (pattern.length * step_seconds)
    table, rate = ((BASS_PROGRAM_LOUDNESS, BASS_NOTES_PER_SECOND) if bass
                   else (PROGRAM_LOUDNESS, TRIAD_NOTES_PER_SECOND))
    return table[program] + 10 * math.log10(per_second / rate) + volume_db(volume)


def drum_loudness(pattern, volume, step_seconds):
    """Estimated LUFS of a drum phrase played alone at `volume`."""
    energy = sum(10 ** (DRUM_KEY_LOUDNESS[key] / 10) * velocity_gain(velocity)
                 for key, velocity, _, _ in pattern.notes)
    per_second = energy / (pattern.length * step_seconds)
    return 10 * math.log10(per_second / DRUM_HITS_PER_SECOND) + volume_db(volume)


def power_sum(levels):
    return 10 * math.log10(sum(10 ** (level / 10) for level in levels))


# --- Balance -----------------------------------------------------------------------------------
# A style's part volumes are the arranger's intent: each part's level as if every program were
# as loud as the median program of its table. The stored volumes compensate each program's
# measured loudness against that median, then scale the whole style so that its estimated mix
# lands on the target; a part that would sit too far under the loudest is raised.

TARGET_LUFS = -18.0
# The estimates against the renders: the mix measures this much above the power sum of its
# parts, the drums this much above their estimate.
MIX_OFFSET_LU = -0.3
DRUM_OFFSET_LU = -0.8
# A part alone is measured over the 400 ms blocks in which it sounds (the gate of EBU R128
# drops the silent ones): a sparse part measures louder than its energy, by this many LU per LU
# of the share of time it leaves silent, each note counted until a block after it ends.
GATE_BLOCK_SECONDS = 0.4
GATE_GAIN = 1.25
# How far under the style's loudest part the estimate may put a part; the limit the renders are
# held to is 12 LU, the rest is the estimate's margin.
MAX_PART_GAP_LU = 8.5
MIN_VOLUME, MAX_VOLUME = 1, 100
# The mix's true peak stays under PEAK_LIMIT_DBTP less the estimate's margin; to keep it there
# a style may sit up to PEAK_GIVE_LU under the target. The peak is estimated as the sum of the
# parts' loudest strikes, less PEAK_OFFSET_DB for strikes that rarely meet at full strength.
PEAK_LIMIT_DBTP = -1.0
PEAK_MARGIN_DB = 1.5
PEAK_GIVE_LU = 1.5
PEAK_OFFSET_DB = -5.9


def median(values):
    ordered = sorted(values)
    middle = len(ordered) // 2
    return (ordered[middle] + ordered[~middle]) / 2


REFERENCE_LUFS = median(PROGRAM_LOUDNESS.values())
BASS_REFERENCE_LUFS = median(BASS_PROGRAM_LOUDNESS.values())


def sounding_share(pattern, mode, step_seconds):
    """The share of a pass of the pattern that lies within a gate block of a sounding note."""
    total = pattern.length * step_seconds
    spans = []
    for _, _, pos, length in pattern.notes:
        start = pos * step_seconds
        end = start + note_seconds(pattern, pos, length, mode, step_seconds) + GATE_BLOCK_SECONDS
        spans += [(start, min(end, total))] + ([(0.0, end - total)] if end > total else [])
    covered, reach = 0.0, 0.0
    for start, end in sorted(spans):
        if end > reach:
            covered += end - max(start, reach)
            reach = end
    return min(1.0, covered / total)


class Estimate:
    """A part's estimated loudness at volume 100: `energy` for the mix, `alone` as measured
    played alone; `peak`, the true peak (dBTP) of its loudest strike."""

    def __init__(self, energy, share, peak):
        self.energy = energy
        self.alone = energy - GATE_GAIN * 10 * math.log10(max(share, 1e-3))
        self.peak = peak


def amplitude_sum(levels_db):
    return 20 * math.log10(sum(10 ** (level / 20) for level in levels_db))


def strikes(pattern):
    """The velocities of the notes struck together, step by step."""
    found = {}
    for _, velocity, pos, _ in pattern.notes:
        found.setdefault(pos, []).append(velocity)
    return found.values()


def drum_estimate(style):
    step = 60.0 / (style.bpm * style.steps_per_beat)
    energy = drum_loudness(style.rhythm, 100, step) + DRUM_OFFSET_LU
    by_step = {}
    for key, velocity, pos, _ in style.rhythm.notes:
        by_step.setdefault(pos, []).append(DRUM_KEY_PEAK[key] + volume_db(velocity))
    peak = max(amplitude_sum(hits) for hits in by_step.values())
    return Estimate(energy, sounding_share(style.rhythm, 1, step), peak)


def part_estimate(style, number, part):
    step = 60.0 / (style.bpm * style.steps_per_beat)
    bass = number == 1
    energy = part_loudness(part.pattern, part.program, 100, part.mode, bass, step, part.key)
    # The calibration's strike is a triad (a single note on the bass): more notes at once add
    # their power.
    if bass:
        peak_of = BASS_PROGRAM_PEAK[part.program]
        notes = 1
    else:
        peaks = (LOW_PROGRAM_PEAK, PROGRAM_PEAK, HIGH_PROGRAM_PEAK)
        peak_of = program_level(part.program, sounding_key(part), peaks)
        notes = 3
    peak = max(peak_of + volume_db(max(chord)) + 10 * math.log10(len(chord) / notes)
               for chord in strikes(part.pattern))
    return Estimate(energy, sounding_share(part.pattern, part.mode, step), peak)


def sounding_key(part):
    """The middle of the keys a part sounds on the root C."""
    keys = [key for key, _, _, _ in part.pattern.notes]
    return (min(keys) + max(keys)) / 2 + part.key - 12


def program_trim_db(number, part):
    """What the program's measured loudness, in the part's register, asks of its level against
    the median program."""
    if number == 1:
        return BASS_REFERENCE_LUFS - BASS_PROGRAM_LOUDNESS[part.program]
    return REFERENCE_LUFS - program_level(part.program, sounding_key(part))


def balance(style, quiet=()):
    """The stored volumes of a style: (drums, [part 1, ...]). `quiet` names the parts ("drums",
    "part 1" ..) that may sit further under the loudest part, as the style's comment says why."""
    names = ["drums"] + [f"part {n}" for n in range(1, len(style.parts) + 1)]
    estimates = [drum_estimate(style)] + [part_estimate(style, n, part)
                                           for n, part in enumerate(style.parts, start=1)]
    # Levels in dB against volume 100: the intent, each program brought to the median program.
    levels = [volume_db(style.drum_volume)]
    levels += [volume_db(part.volume) + program_trim_db(n, part)
               for n, part in enumerate(style.parts, start=1)]
    # No part (alone, as measured) too far under the loudest.
    loudest = max(e.alone + level for e, level in zip(estimates, levels))
    for i, (name, estimate) in enumerate(zip(names, estimates)):
        if name not in quiet:
            levels[i] = max(levels[i], loudest - MAX_PART_GAP_LU - estimate.alone)
    # The whole style to the target; a part that cannot go above volume 100 holds there and
    # the others come down with it, keeping the balance.
    mix = power_sum(e.energy + level for e, level in zip(estimates, levels)) + MIX_OFFSET_LU
    peak = amplitude_sum(e.peak + level for e, level in zip(estimates, levels)) + PEAK_OFFSET_DB
    shift = TARGET_LUFS - mix
    peak_room = PEAK_LIMIT_DBTP - PEAK_MARGIN_DB - peak
    if peak_room < shift:
        shift = max(peak_room, shift - PEAK_GIVE_LU)
    shift = min(shift, min(volume_db(MAX_VOLUME) - level for level in levels))
    volumes = [100.0 * 10 ** ((level + shift) / VOLUME_DB_PER_DECADE) for level in levels]
    volumes = [min(MAX_VOLUME, max(MIN_VOLUME, round(volume))) for volume in volumes]
    return volumes[0], volumes[1:]
