"""The loudness of the shipped SoundFont through the built-in synthesizer, as
`render-styles --calibrate` measured it, and the model the generator balances every style with.

Tables (integrated loudness in LUFS, EBU R128, at volume 100 and velocity 100, 120 bpm, 4 bars on
C, then 4 on F): PROGRAM_LOUDNESS, the triad C4 E4 G4 in quarter notes (LOW_ an octave lower,
HIGH_ an octave higher); BASS_PROGRAM_LOUDNESS,
C2 and G2 in turn in quarter notes; HELD_PROGRAM_LOUDNESS, the triad held for each bar;
DRUM_KEY_LOUDNESS, each percussion key alone in quarter notes on the drums; the *_PEAK tables
hold the true peak (dBTP) of each. Quarter notes sound for 0.92 of their beat, drum notes for
half a step. The tables were measured with the synthesizer's gain at MEASURED_GAIN; they are
shifted to SYNTH_GAIN, the gain it plays at (src/platform/BuiltInSynth.cpp), below them. Measure
again after changing the SoundFont, and set MEASURED_GAIN to the gain measured at.
"""

import math

PROGRAM_LOUDNESS = {
    0: -20.8, 1: -20.5, 2: -17.6, 3: -19.3, 4: -14.0, 5: -16.4, 6: -19.9, 7: -16.1,
    8: -19.0, 9: -17.9, 10: -15.4, 11: -13.0, 12: -21.1, 13: -22.2, 14: -13.0, 15: -20.4,
    16: -15.9, 17: -15.4, 18: -15.2, 19: -16.8, 20: -14.0, 21: -15.3, 22: -14.1, 23: -17.2,
    24: -15.6, 25: -19.5, 26: -16.3, 27: -15.1, 28: -19.1, 29: -15.7, 30: -13.1, 31: -13.7,
    32: -18.3, 33: -14.5, 34: -17.6, 35: -15.1, 36: -15.2, 37: -23.3, 38: -18.9, 39: -16.4,
    40: -12.9, 41: -12.5, 42: -11.5, 43: -13.8, 44: -14.9, 45: -19.6, 46: -11.7, 47: -20.1,
    48: -2.8, 49: -17.7, 50: -12.3, 51: -15.8, 52: -15.7, 53: -15.2, 54: -15.4, 55: -15.0,
    56: -15.7, 57: -16.1, 58: -15.6, 59: -19.5, 60: -10.2, 61: -19.3, 62: -14.6, 63: -8.3,
    64: -14.9, 65: -14.9, 66: -15.0, 67: -17.8, 68: -15.2, 69: -13.4, 70: -16.0, 71: -14.0,
    72: -13.8, 73: -15.2, 74: -14.1, 75: -15.8, 76: -16.8, 77: -14.7, 78: -11.0, 79: -10.9,
    80: -13.1, 81: -10.7, 82: -13.0, 83: -15.7, 84: -13.2, 85: -11.7, 86: -15.5, 87: -13.6,
    88: -11.4, 89: -20.0, 90: -16.8, 91: -13.5, 92: -15.4, 93: -16.6, 94: -17.6, 95: -21.9,
    96: -13.8, 97: -14.1, 98: -15.1, 99: -14.2, 100: -12.5, 101: -22.5, 102: -13.0, 103: -12.5,
    104: -19.2, 105: -16.9, 106: -20.7, 107: -16.3, 108: -17.5, 109: -12.5, 110: -13.9, 111: -12.7,
    112: -18.8, 113: -21.2, 114: -19.2, 115: -26.1, 116: -16.3, 117: -24.0, 118: -17.1, 119: -34.4,
    120: -23.2, 121: -32.5, 122: -13.3, 123: -17.8, 124: -16.1, 125: -38.1, 126: -31.6, 127: -19.6,
}
PROGRAM_PEAK = {
    0: -9.2, 1: -7.9, 2: -7.2, 3: -5.4, 4: -5.6, 5: -3.4, 6: -8.5, 7: -7.0,
    8: -7.1, 9: -4.1, 10: -2.2, 11: -2.1, 12: -7.2, 13: -0.8, 14: -1.7, 15: -6.3,
    16: -6.2, 17: -2.8, 18: -3.1, 19: -5.5, 20: -3.8, 21: -4.2, 22: -5.1, 23: -7.2,
    24: -4.7, 25: -6.7, 26: -2.8, 27: 0.2, 28: -4.5, 29: -6.8, 30: -5.5, 31: -5.6,
    32: -5.8, 33: -2.6, 34: -5.2, 35: -4.2, 36: -3.3, 37: -4.3, 38: -4.7, 39: -5.2,
    40: -3.2, 41: -3.2, 42: -3.4, 43: -3.5, 44: -3.3, 45: -2.9, 46: 0.0, 47: -4.6,
    48: 0.1, 49: -8.3, 50: -0.1, 51: -3.5, 52: -4.4, 53: -5.3, 54: -4.3, 55: -1.0,
    56: -4.8, 57: -4.5, 58: -2.3, 59: -8.6, 60: -0.2, 61: -8.3, 62: -2.7, 63: 0.0,
    64: -4.6, 65: -1.8, 66: -3.9, 67: -7.9, 68: -4.0, 69: -4.1, 70: -5.2, 71: -5.0,
    72: -5.3, 73: -4.5, 74: -5.6, 75: -7.2, 76: -5.1, 77: -3.5, 78: -1.5, 79: -3.0,
    80: -2.3, 81: -0.1, 82: -2.1, 83: -3.7, 84: -3.5, 85: -1.6, 86: -3.2, 87: -1.8,
    88: 0.0, 89: -7.1, 90: -4.4, 91: -3.0, 92: -2.3, 93: -3.2, 94: -8.1, 95: -9.5,
    96: -1.5, 97: -2.3, 98: -1.9, 99: -2.2, 100: -0.3, 101: -11.8, 102: -1.5, 103: -0.1,
    104: -5.9, 105: -2.4, 106: -4.9, 107: -3.4, 108: -0.4, 109: -3.2, 110: -4.3, 111: -3.4,
    112: -5.4, 113: -5.1, 114: -3.9, 115: -5.1, 116: -3.0, 117: -6.0, 118: -3.1, 119: -20.5,
    120: -8.7, 121: -16.8, 122: -1.6, 123: -0.1, 124: -3.1, 125: -26.9, 126: -18.3, 127: -6.3,
}
LOW_PROGRAM_LOUDNESS = {
    0: -21.7, 1: -21.6, 2: -19.2, 3: -19.7, 4: -18.1, 5: -15.5, 6: -19.7, 7: -18.0,
    8: -20.6, 9: -16.7, 10: -15.1, 11: -13.0, 12: -21.9, 13: -20.6, 14: -12.1, 15: -20.0,
    16: -16.5, 17: -15.7, 18: -14.3, 19: -17.1, 20: -16.3, 21: -17.7, 22: -17.5, 23: -19.5,
    24: -15.9, 25: -18.6, 26: -14.3, 27: -14.9, 28: -18.0, 29: -17.2, 30: -14.4, 31: -17.2,
    32: -18.1, 33: -15.3, 34: -17.9, 35: -15.5, 36: -15.8, 37: -22.3, 38: -17.8, 39: -16.7,
    40: -13.9, 41: -14.3, 42: -12.0, 43: -14.7, 44: -14.9, 45: -17.6, 46: -12.4, 47: -18.0,
    48: -3.2, 49: -18.8, 50: -13.6, 51: -15.6, 52: -15.5, 53: -17.4, 54: -14.5, 55: -16.1,
    56: -18.3, 57: -18.0, 58: -17.6, 59: -21.1, 60: -12.3, 61: -20.8, 62: -14.3, 63: -8.9,
    64: -15.2, 65: -17.2, 66: -16.8, 67: -18.7, 68: -17.5, 69: -16.1, 70: -15.2, 71: -16.7,
    72: -15.7, 73: -17.6, 74: -15.6, 75: -17.0, 76: -17.5, 77: -15.3, 78: -12.6, 79: -11.7,
    80: -13.1, 81: -10.8, 82: -16.0, 83: -16.3, 84: -16.0, 85: -10.3, 86: -15.9, 87: -12.9,
    88: -11.1, 89: -18.2, 90: -16.5, 91: -14.1, 92: -15.8, 93: -18.4, 94: -15.2, 95: -18.7,
    96: -13.9, 97: -14.2, 98: -17.2, 99: -14.7, 100: -13.9, 101: -23.5, 102: -13.9, 103: -12.5,
    104: -15.8, 105: -15.5, 106: -21.0, 107: -15.4, 108: -17.1, 109: -16.3, 110: -15.2, 111: -14.8,
    112: -18.1, 113: -20.2, 114: -18.0, 115: -24.9, 116: -15.9, 117: -22.7, 118: -17.1, 119: -32.6,
    120: -22.7, 121: -32.2, 122: -15.8, 123: -13.9, 124: -13.7, 125: -38.2, 126: -31.8, 127: -19.0,
}
LOW_PROGRAM_PEAK = {
    0: -9.2, 1: -9.2, 2: -8.2, 3: -5.8, 4: -8.6, 5: -3.5, 6: -9.8, 7: -6.7,
    8: -7.1, 9: -3.9, 10: -3.0, 11: -3.4, 12: -6.1, 13: -0.4, 14: -0.8, 15: -7.0,
    16: -7.3, 17: -2.6, 18: -2.5, 19: -6.4, 20: -5.4, 21: -5.7, 22: -6.6, 23: -8.2,
    24: -5.7, 25: -6.7, 26: -3.4, 27: -0.1, 28: -3.9, 29: -7.6, 30: -6.3, 31: -7.8,
    32: -5.7, 33: -4.0, 34: -7.5, 35: -4.0, 36: -1.8, 37: -5.1, 38: -3.3, 39: -4.2,
    40: -3.2, 41: -3.4, 42: -3.9, 43: -5.0, 44: -1.4, 45: -3.1, 46: -0.0, 47: -3.7,
    48: 0.0, 49: -7.7, 50: -2.3, 51: -3.8, 52: -3.1, 53: -5.4, 54: -5.1, 55: -1.6,
    56: -6.3, 57: -5.1, 58: -5.6, 59: -7.0, 60: -1.3, 61: -7.6, 62: -1.7, 63: 0.0,
    64: -2.5, 65: -2.7, 66: -4.5, 67: -8.5, 68: -6.4, 69: -6.2, 70: -6.2, 71: -7.2,
    72: -6.7, 73: -7.1, 74: -5.6, 75: -7.2, 76: -6.5, 77: -3.9, 78: -2.1, 79: -3.1,
    80: -3.0, 81: -0.0, 82: -6.3, 83: -4.0, 84: -4.0, 85: -0.1, 86: -3.1, 87: -0.6,
    88: -0.0, 89: -5.9, 90: -4.8, 91: -2.9, 92: -3.2, 93: -5.6, 94: -6.5, 95: -9.2,
    96: -1.3, 97: -4.0, 98: -1.7, 99: -4.1, 100: -2.0, 101: -13.4, 102: -1.8, 103: -0.3,
    104: -5.3, 105: -1.1, 106: -5.1, 107: -2.7, 108: -1.3, 109: -5.8, 110: -4.9, 111: -4.6,
    112: -5.4, 113: -5.2, 114: -4.7, 115: -4.7, 116: -3.4, 117: -6.0, 118: -2.3, 119: -18.7,
    120: -8.7, 121: -19.1, 122: -3.3, 123: 0.1, 124: -3.1, 125: -26.6, 126: -18.2, 127: -6.2,
}
HIGH_PROGRAM_LOUDNESS = {
    0: -19.6, 1: -19.3, 2: -19.6, 3: -17.7, 4: -14.1, 5: -15.2, 6: -18.9, 7: -15.5,
    8: -18.8, 9: -21.1, 10: -15.9, 11: -13.1, 12: -22.4, 13: -25.7, 14: -13.8, 15: -21.4,
    16: -15.1, 17: -14.3, 18: -13.4, 19: -16.8, 20: -12.4, 21: -14.1, 22: -13.1, 23: -16.4,
    24: -16.8, 25: -18.5, 26: -13.5, 27: -16.7, 28: -18.8, 29: -14.1, 30: -13.4, 31: -11.9,
    32: -18.5, 33: -14.5, 34: -19.4, 35: -15.2, 36: -13.1, 37: -24.1, 38: -18.7, 39: -16.7,
    40: -10.7, 41: -10.5, 42: -12.1, 43: -12.5, 44: -14.4, 45: -22.7, 46: -12.3, 47: -22.1,
    48: -3.4, 49: -17.6, 50: -11.6, 51: -14.4, 52: -13.9, 53: -15.8, 54: -16.9, 55: -15.4,
    56: -13.7, 57: -15.3, 58: -15.1, 59: -18.2, 60: -7.5, 61: -18.0, 62: -14.7, 63: -8.8,
    64: -10.2, 65: -10.9, 66: -13.0, 67: -19.2, 68: -10.5, 69: -13.3, 70: -15.8, 71: -12.8,
    72: -12.6, 73: -11.9, 74: -13.1, 75: -13.3, 76: -16.1, 77: -15.7, 78: -13.6, 79: -9.8,
    80: -11.7, 81: -9.6, 82: -10.6, 83: -14.0, 84: -11.2, 85: -10.5, 86: -13.1, 87: -12.4,
    88: -12.6, 89: -19.1, 90: -14.2, 91: -12.5, 92: -16.6, 93: -15.9, 94: -16.2, 95: -23.0,
    96: -13.5, 97: -12.8, 98: -13.0, 99: -13.9, 100: -12.2, 101: -23.7, 102: -13.9, 103: -12.4,
    104: -23.1, 105: -18.3, 106: -23.7, 107: -15.4, 108: -17.9, 109: -12.8, 110: -12.3, 111: -13.7,
    112: -18.4, 113: -24.6, 114: -20.6, 115: -27.1, 116: -16.8, 117: -25.4, 118: -17.1, 119: -38.7,
    120: -23.9, 121: -32.9, 122: -13.3, 123: -21.7, 124: -18.2, 125: -38.0, 126: -31.5, 127: -20.5,
}
HIGH_PROGRAM_PEAK = {
    0: -6.1, 1: -5.4, 2: -6.2, 3: -1.4, 4: -6.1, 5: -3.3, 6: -8.3, 7: -6.9,
    8: -8.0, 9: -5.6, 10: -1.8, 11: -2.4, 12: -6.9, 13: -3.2, 14: -2.6, 15: -7.8,
    16: -5.3, 17: -0.0, 18: -0.5, 19: -6.3, 20: -3.8, 21: -4.3, 22: -3.7, 23: -5.1,
    24: -5.8, 25: -7.3, 26: -2.3, 27: -0.7, 28: -1.4, 29: -4.6, 30: -5.2, 31: -5.4,
    32: -6.5, 33: -3.0, 34: -6.9, 35: -3.9, 36: -2.5, 37: -9.3, 38: -5.3, 39: -5.7,
    40: -1.7, 41: -2.2, 42: -3.7, 43: -2.4, 44: -4.8, 45: -5.1, 46: 0.0, 47: -4.9,
    48: 0.2, 49: -8.2, 50: -1.0, 51: -3.4, 52: -0.6, 53: -5.1, 54: -5.0, 55: -1.6,
    56: -3.5, 57: -4.9, 58: -4.1, 59: -6.8, 60: 0.0, 61: -6.3, 62: -4.5, 63: 0.0,
    64: -2.9, 65: -0.7, 66: -4.5, 67: -9.0, 68: -1.7, 69: -4.0, 70: -5.0, 71: -3.5,
    72: -4.9, 73: -2.6, 74: -5.4, 75: -6.2, 76: -5.4, 77: -3.3, 78: -4.8, 79: -2.2,
    80: -3.1, 81: -0.0, 82: -1.2, 83: -1.3, 84: -2.4, 85: -0.5, 86: -2.4, 87: -2.0,
    88: -0.1, 89: -6.1, 90: -3.0, 91: -2.7, 92: -4.5, 93: -2.9, 94: -6.4, 95: -11.6,
    96: -1.2, 97: -3.1, 98: -1.6, 99: -4.3, 100: -0.5, 101: -10.2, 102: -2.8, 103: -1.2,
    104: -6.0, 105: -3.7, 106: -5.0, 107: -5.2, 108: -0.4, 109: -3.4, 110: -3.5, 111: -4.1,
    112: -6.0, 113: -6.3, 114: -4.2, 115: -5.9, 116: -3.4, 117: -6.2, 118: -4.5, 119: -24.8,
    120: -8.6, 121: -18.0, 122: -3.1, 123: -0.2, 124: -3.3, 125: -25.7, 126: -17.7, 127: -6.6,
}
BASS_PROGRAM_LOUDNESS = {
    0: -27.9, 1: -28.0, 2: -23.5, 3: -25.4, 4: -23.0, 5: -20.3, 6: -24.9, 7: -24.4,
    8: -26.2, 9: -20.0, 10: -19.5, 11: -18.6, 12: -28.3, 13: -24.8, 14: -16.2, 15: -25.1,
    16: -22.9, 17: -21.4, 18: -20.6, 19: -23.1, 20: -22.2, 21: -25.4, 22: -24.1, 23: -25.7,
    24: -19.2, 25: -24.3, 26: -19.0, 27: -18.7, 28: -21.0, 29: -24.0, 30: -21.7, 31: -23.9,
    32: -22.0, 33: -20.6, 34: -22.3, 35: -20.6, 36: -20.7, 37: -26.0, 38: -21.5, 39: -21.5,
    40: -20.2, 41: -20.4, 42: -18.6, 43: -20.3, 44: -20.1, 45: -20.8, 46: -17.4, 47: -21.3,
    48: -8.9, 49: -26.0, 50: -19.9, 51: -20.6, 52: -19.8, 53: -21.5, 54: -22.0, 55: -22.8,
    56: -25.5, 57: -23.9, 58: -23.0, 59: -26.7, 60: -18.8, 61: -26.0, 62: -19.8, 63: -14.1,
    64: -21.7, 65: -25.5, 66: -23.1, 67: -23.9, 68: -22.7, 69: -21.6, 70: -22.5, 71: -23.2,
    72: -25.2, 73: -26.1, 74: -24.7, 75: -23.7, 76: -23.0, 77: -21.1, 78: -22.5, 79: -18.6,
    80: -17.5, 81: -14.1, 82: -21.4, 83: -22.2, 84: -22.3, 85: -17.2, 86: -21.5, 87: -16.7,
    88: -16.3, 89: -23.7, 90: -22.7, 91: -18.9, 92: -22.4, 93: -23.0, 94: -21.9, 95: -23.8,
    96: -18.9, 97: -20.1, 98: -23.0, 99: -17.8, 100: -18.4, 101: -28.6, 102: -19.8, 103: -17.3,
    104: -20.0, 105: -19.1, 106: -26.3, 107: -20.3, 108: -22.1, 109: -23.1, 110: -22.3, 111: -21.0,
    112: -22.4, 113: -25.4, 114: -21.3, 115: -26.6, 116: -21.3, 117: -26.5, 118: -21.8, 119: -34.7,
    120: -26.7, 121: -40.3, 122: -24.5, 123: -17.0, 124: -19.5, 125: -43.2, 126: -36.8, 127: -23.6,
}
BASS_PROGRAM_PEAK = {
    0: -16.1, 1: -16.1, 2: -12.4, 3: -13.4, 4: -16.0, 5: -8.0, 6: -15.7, 7: -15.4,
    8: -12.1, 9: -7.6, 10: -7.1, 11: -11.0, 12: -11.1, 13: -6.7, 14: -5.1, 15: -11.7,
    16: -12.3, 17: -7.0, 18: -9.4, 19: -14.2, 20: -12.7, 21: -12.0, 22: -13.5, 23: -13.0,
    24: -10.7, 25: -12.3, 26: -10.1, 27: -4.3, 28: -9.6, 29: -13.7, 30: -13.6, 31: -13.5,
    32: -9.1, 33: -9.3, 34: -10.7, 35: -9.5, 36: -9.4, 37: -9.0, 38: -10.1, 39: -9.5,
    40: -12.6, 41: -12.7, 42: -12.1, 43: -12.0, 44: -8.7, 45: -11.2, 46: -5.6, 47: -9.1,
    48: 0.0, 49: -15.1, 50: -7.2, 51: -9.3, 52: -5.8, 53: -13.2, 54: -13.0, 55: -7.9,
    56: -12.7, 57: -12.0, 58: -10.7, 59: -10.9, 60: -8.1, 61: -13.9, 62: -10.3, 63: -2.3,
    64: -10.3, 65: -9.3, 66: -12.0, 67: -12.0, 68: -13.6, 69: -13.5, 70: -14.1, 71: -15.1,
    72: -15.1, 73: -15.5, 74: -14.2, 75: -14.7, 76: -11.7, 77: -11.2, 78: -11.4, 79: -12.5,
    80: -11.9, 81: -4.1, 82: -12.0, 83: -10.6, 84: -12.6, 85: -7.7, 86: -10.3, 87: -6.3,
    88: -2.6, 89: -11.3, 90: -12.1, 91: -8.5, 92: -9.5, 93: -11.6, 94: -12.8, 95: -13.6,
    96: -6.7, 97: -10.0, 98: -7.5, 99: -7.4, 100: -7.1, 101: -19.5, 102: -9.0, 103: -4.7,
    104: -9.6, 105: -8.7, 106: -7.8, 107: -7.4, 108: -9.9, 109: -13.5, 110: -14.7, 111: -11.9,
    112: -9.8, 113: -9.3, 114: -9.4, 115: -8.6, 116: -8.5, 117: -12.0, 118: -10.4, 119: -19.2,
    120: -13.7, 121: -26.4, 122: -8.9, 123: -7.9, 124: -8.2, 125: -27.7, 126: -19.4, 127: -10.4,
}
HELD_PROGRAM_LOUDNESS = {
    0: -24.1, 1: -23.9, 2: -22.5, 3: -22.7, 4: -17.7, 5: -20.3, 6: -23.7, 7: -20.1,
    8: -23.1, 9: -19.3, 10: -20.9, 11: -17.0, 12: -23.2, 13: -22.3, 14: -17.0, 15: -23.7,
    16: -16.3, 17: -15.9, 18: -13.9, 19: -16.6, 20: -14.4, 21: -15.1, 22: -13.9, 23: -17.6,
    24: -19.8, 25: -23.5, 26: -20.2, 27: -18.7, 28: -23.0, 29: -16.1, 30: -13.2, 31: -17.0,
    32: -22.2, 33: -18.4, 34: -21.8, 35: -18.3, 36: -18.8, 37: -27.3, 38: -19.7, 39: -20.1,
    40: -13.4, 41: -12.7, 42: -11.7, 43: -14.5, 44: -15.3, 45: -20.2, 46: -16.5, 47: -22.9,
    48: -3.4, 49: -17.1, 50: -12.5, 51: -16.2, 52: -14.8, 53: -18.0, 54: -16.9, 55: -18.7,
    56: -15.7, 57: -16.0, 58: -17.2, 59: -21.1, 60: -11.2, 61: -19.6, 62: -15.5, 63: -9.7,
    64: -15.9, 65: -14.9, 66: -15.1, 67: -18.3, 68: -13.4, 69: -13.7, 70: -16.0, 71: -14.3,
    72: -13.3, 73: -15.8, 74: -13.5, 75: -15.4, 76: -17.6, 77: -17.4, 78: -11.5, 79: -10.7,
    80: -12.9, 81: -11.5, 82: -12.8, 83: -16.2, 84: -16.1, 85: -12.8, 86: -17.3, 87: -15.5,
    88: -13.3, 89: -15.7, 90: -17.9, 91: -16.2, 92: -17.2, 93: -17.6, 94: -17.7, 95: -19.3,
    96: -17.6, 97: -15.5, 98: -19.0, 99: -18.3, 100: -17.7, 101: -16.4, 102: -14.9, 103: -16.4,
    104: -23.5, 105: -20.6, 106: -24.0, 107: -19.3, 108: -19.9, 109: -12.9, 110: -14.0, 111: -12.8,
    112: -21.5, 113: -21.2, 114: -20.7, 115: -26.1, 116: -19.7, 117: -26.0, 118: -17.6, 119: -25.1,
    120: -23.7, 121: -33.4, 122: -16.9, 123: -17.9, 124: -16.4, 125: -27.1, 126: -26.3, 127: -23.0,
}
HELD_PROGRAM_PEAK = {
    0: -10.0, 1: -8.7, 2: -7.7, 3: -5.9, 4: -5.9, 5: -4.8, 6: -8.5, 7: -7.1,
    8: -9.5, 9: -4.6, 10: -2.8, 11: -3.1, 12: -7.4, 13: -0.8, 14: -3.2, 15: -6.5,
    16: -4.8, 17: -3.6, 18: -2.9, 19: -5.4, 20: -3.9, 21: -4.2, 22: -4.9, 23: -7.3,
    24: -5.5, 25: -6.7, 26: -3.2, 27: -0.5, 28: -4.5, 29: -6.2, 30: -5.5, 31: -5.8,
    32: -5.9, 33: -2.6, 34: -5.4, 35: -4.0, 36: -3.3, 37: -4.3, 38: -4.7, 39: -5.3,
    40: -3.2, 41: -3.1, 42: -3.6, 43: -3.6, 44: -3.9, 45: -3.0, 46: -0.0, 47: -4.6,
    48: 0.1, 49: -6.4, 50: -0.9, 51: -4.3, 52: -2.4, 53: -5.6, 54: -4.9, 55: -1.7,
    56: -4.1, 57: -4.5, 58: -2.4, 59: -8.7, 60: -0.1, 61: -8.3, 62: -3.8, 63: 0.0,
    64: -4.2, 65: -2.1, 66: -4.3, 67: -8.6, 68: -1.6, 69: -3.6, 70: -5.2, 71: -5.1,
    72: -5.4, 73: -4.8, 74: -5.1, 75: -6.5, 76: -5.1, 77: -4.0, 78: -1.5, 79: -3.1,
    80: -3.3, 81: -0.2, 82: -2.1, 83: -4.2, 84: -3.5, 85: -1.8, 86: -3.9, 87: -2.0,
    88: 0.0, 89: -4.3, 90: -5.5, 91: -3.5, 92: -4.2, 93: -4.3, 94: -7.0, 95: -7.5,
    96: -2.5, 97: -4.2, 98: -4.7, 99: -2.6, 100: -1.1, 101: -3.7, 102: -2.3, 103: -0.0,
    104: -7.0, 105: -2.8, 106: -5.3, 107: -4.3, 108: -0.7, 109: -3.2, 110: -4.2, 111: -3.3,
    112: -6.2, 113: -5.2, 114: -4.4, 115: -5.1, 116: -3.7, 117: -6.3, 118: -3.1, 119: -13.1,
    120: -8.7, 121: -16.9, 122: -3.8, 123: -0.1, 124: -3.1, 125: -10.7, 126: -14.0, 127: -7.2,
}
DRUM_KEY_LOUDNESS = {
    35: -25.0, 36: -25.2, 37: -30.1, 38: -23.2, 39: -27.5, 40: -24.0, 41: -24.0, 42: -35.3,
    43: -24.1, 44: -33.1, 45: -24.3, 46: -37.0, 47: -25.0, 48: -25.1, 49: -25.4, 50: -25.3,
    51: -38.7, 52: -26.1, 53: -36.0, 54: -26.7, 55: -28.6, 56: -28.5, 57: -25.8, 58: -29.7,
    59: -39.4, 60: -30.3, 61: -27.8, 62: -32.0, 63: -26.3, 64: -23.9, 65: -24.4, 66: -23.6,
    67: -27.8, 68: -26.6, 69: -26.6, 70: -32.5, 71: -20.3, 72: -23.4, 73: -26.8, 74: -30.1,
    75: -26.8, 76: -28.3, 77: -27.3, 78: -24.4, 79: -26.1, 80: -37.1, 81: -29.4,
}
DRUM_KEY_PEAK = {
    35: -11.5, 36: -11.5, 37: -10.7, 38: -9.0, 39: -9.0, 40: -8.8, 41: -7.8, 42: -14.7,
    43: -8.3, 44: -15.0, 45: -9.2, 46: -24.1, 47: -9.6, 48: -8.2, 49: -12.7, 50: -7.7,
    51: -21.6, 52: -12.4, 53: -22.1, 54: -11.8, 55: -16.6, 56: -11.2, 57: -13.0, 58: -13.8,
    59: -22.0, 60: -9.3, 61: -7.6, 62: -9.8, 63: -8.8, 64: -8.2, 65: -7.4, 66: -7.3,
    67: -10.0, 68: -9.0, 69: -8.4, 70: -10.3, 71: -9.3, 72: -11.8, 73: -9.3, 74: -11.7,
    75: -7.1, 76: -7.4, 77: -7.4, 78: -9.4, 79: -11.7, 80: -15.3, 81: -16.9,
}

# The share of power under 120 Hz of the bass line C2-G2 (BASS_), of the same an octave up
# (HIGH_BASS_) and of each percussion key; the lean (dB to the right) of the middle triad on each
# program at the centre and of each percussion key. Measured at SYNTH_GAIN (ratios: no shift).
BASS_PROGRAM_LOW_SHARE = {
    0: 0.240, 1: 0.236, 2: 0.382, 3: 0.283, 4: 0.375, 5: 0.281, 6: 0.111, 7: 0.005,
    8: 0.315, 9: 0.005, 10: 0.413, 11: 0.728, 12: 0.304, 13: 0.097, 14: 0.013, 15: 0.580,
    16: 0.690, 17: 0.526, 18: 0.465, 19: 0.238, 20: 0.067, 21: 0.083, 22: 0.343, 23: 0.095,
    24: 0.240, 25: 0.561, 26: 0.474, 27: 0.073, 28: 0.158, 29: 0.013, 30: 0.079, 31: 0.032,
    32: 0.693, 33: 0.199, 34: 0.117, 35: 0.434, 36: 0.555, 37: 0.265, 38: 0.558, 39: 0.461,
    40: 0.502, 41: 0.501, 42: 0.555, 43: 0.479, 44: 0.598, 45: 0.750, 46: 0.215, 47: 0.521,
    48: 0.327, 49: 0.385, 50: 0.205, 51: 0.535, 52: 0.035, 53: 0.745, 54: 0.688, 55: 0.878,
    56: 0.021, 57: 0.023, 58: 0.138, 59: 0.353, 60: 0.066, 61: 0.055, 62: 0.637, 63: 0.502,
    64: 0.058, 65: 0.084, 66: 0.089, 67: 0.052, 68: 0.130, 69: 0.013, 70: 0.057, 71: 0.481,
    72: 0.554, 73: 0.350, 74: 0.605, 75: 0.566, 76: 0.587, 77: 0.583, 78: 0.985, 79: 0.732,
    80: 0.731, 81: 0.654, 82: 0.271, 83: 0.538, 84: 0.071, 85: 0.591, 86: 0.495, 87: 0.570,
    88: 0.355, 89: 0.596, 90: 0.245, 91: 0.563, 92: 0.377, 93: 0.604, 94: 0.537, 95: 0.525,
    96: 0.549, 97: 0.465, 98: 0.225, 99: 0.333, 100: 0.426, 101: 0.728, 102: 0.282, 103: 0.356,
    104: 0.227, 105: 0.036, 106: 0.000, 107: 0.003, 108: 0.727, 109: 0.124, 110: 0.500, 111: 0.038,
    112: 0.014, 113: 0.036, 114: 0.481, 115: 0.001, 116: 0.876, 117: 0.567, 118: 0.115, 119: 0.000,
    120: 0.010, 121: 0.251, 122: 0.086, 123: 0.002, 124: 0.010, 125: 0.003, 126: 0.001, 127: 0.513,
}
HIGH_BASS_PROGRAM_LOW_SHARE = {
    0: 0.028, 1: 0.027, 2: 0.068, 3: 0.038, 4: 0.070, 5: 0.047, 6: 0.041, 7: 0.001,
    8: 0.058, 9: 0.001, 10: 0.067, 11: 0.102, 12: 0.037, 13: 0.023, 14: 0.001, 15: 0.128,
    16: 0.352, 17: 0.326, 18: 0.069, 19: 0.099, 20: 0.006, 21: 0.007, 22: 0.037, 23: 0.009,
    24: 0.037, 25: 0.153, 26: 0.081, 27: 0.006, 28: 0.090, 29: 0.003, 30: 0.021, 31: 0.005,
    32: 0.196, 33: 0.025, 34: 0.014, 35: 0.048, 36: 0.077, 37: 0.113, 38: 0.214, 39: 0.055,
    40: 0.066, 41: 0.066, 42: 0.089, 43: 0.044, 44: 0.085, 45: 0.131, 46: 0.039, 47: 0.071,
    48: 0.075, 49: 0.068, 50: 0.042, 51: 0.034, 52: 0.007, 53: 0.110, 54: 0.104, 55: 0.801,
    56: 0.001, 57: 0.002, 58: 0.025, 59: 0.054, 60: 0.005, 61: 0.010, 62: 0.078, 63: 0.076,
    64: 0.008, 65: 0.315, 66: 0.012, 67: 0.016, 68: 0.014, 69: 0.002, 70: 0.004, 71: 0.062,
    72: 0.073, 73: 0.033, 74: 0.083, 75: 0.073, 76: 0.058, 77: 0.049, 78: 0.542, 79: 0.098,
    80: 0.112, 81: 0.088, 82: 0.036, 83: 0.076, 84: 0.022, 85: 0.078, 86: 0.136, 87: 0.238,
    88: 0.068, 89: 0.104, 90: 0.091, 91: 0.080, 92: 0.070, 93: 0.127, 94: 0.088, 95: 0.093,
    96: 0.078, 97: 0.041, 98: 0.037, 99: 0.069, 100: 0.066, 101: 0.101, 102: 0.054, 103: 0.052,
    104: 0.031, 105: 0.001, 106: 0.000, 107: 0.000, 108: 0.103, 109: 0.004, 110: 0.057, 111: 0.004,
    112: 0.000, 113: 0.000, 114: 0.067, 115: 0.001, 116: 0.850, 117: 0.154, 118: 0.013, 119: 0.000,
    120: 0.009, 121: 0.049, 122: 0.024, 123: 0.001, 124: 0.000, 125: 0.002, 126: 0.001, 127: 0.253,
}
PROGRAM_LEAN = {
    0: -0.0, 1: -0.0, 2: -0.2, 3: -0.1, 4: 1.7, 5: -0.2, 6: -0.1, 7: -0.2,
    8: -0.1, 9: -0.0, 10: -0.4, 11: -0.1, 12: -0.1, 13: -1.0, 14: -0.2, 15: -0.1,
    16: -0.1, 17: -0.2, 18: 0.3, 19: -0.6, 20: -0.1, 21: -0.1, 22: -0.2, 23: 1.0,
    24: -0.1, 25: -0.1, 26: -0.2, 27: 0.0, 28: -0.1, 29: -0.1, 30: -0.1, 31: -0.3,
    32: -0.2, 33: -0.2, 34: -0.2, 35: -0.2, 36: -0.1, 37: -0.2, 38: -0.2, 39: -0.2,
    40: -0.0, 41: -0.1, 42: -0.1, 43: -0.2, 44: -1.8, 45: -0.1, 46: -4.7, 47: -0.2,
    48: -0.0, 49: -1.4, 50: -0.6, 51: 0.1, 52: -0.1, 53: -0.1, 54: -0.1, 55: -0.1,
    56: -0.3, 57: -0.2, 58: -0.1, 59: -0.1, 60: 0.1, 61: -0.2, 62: -0.1, 63: 0.1,
    64: 2.2, 65: -0.3, 66: 0.0, 67: 5.0, 68: -0.4, 69: -0.2, 70: -0.1, 71: -0.1,
    72: -0.1, 73: 0.0, 74: -0.1, 75: -0.1, 76: -0.2, 77: -0.4, 78: -0.2, 79: -0.1,
    80: -0.1, 81: -0.1, 82: -0.1, 83: -0.2, 84: -0.1, 85: -0.1, 86: -0.3, 87: 0.1,
    88: -0.1, 89: 0.0, 90: -0.3, 91: -0.1, 92: -0.2, 93: -0.2, 94: -0.2, 95: -2.1,
    96: -0.4, 97: 0.7, 98: -0.6, 99: -0.1, 100: -0.6, 101: -0.3, 102: -0.2, 103: 0.0,
    104: -0.2, 105: -0.2, 106: -0.1, 107: -0.3, 108: -0.1, 109: -0.2, 110: -0.0, 111: -0.1,
    112: -0.2, 113: -0.2, 114: -0.1, 115: -0.2, 116: -0.2, 117: -0.2, 118: -0.2, 119: -0.2,
    120: -0.2, 121: -0.2, 122: -0.4, 123: -0.4, 124: -0.4, 125: -0.2, 126: -3.5, 127: -0.9,
}
DRUM_KEY_LOW_SHARE = {
    35: 0.894, 36: 0.859, 37: 0.003, 38: 0.216, 39: 0.002, 40: 0.023, 41: 0.733, 42: 0.005,
    43: 0.601, 44: 0.005, 45: 0.437, 46: 0.000, 47: 0.268, 48: 0.080, 49: 0.000, 50: 0.044,
    51: 0.000, 52: 0.001, 53: 0.000, 54: 0.001, 55: 0.000, 56: 0.002, 57: 0.000, 58: 0.002,
    59: 0.000, 60: 0.000, 61: 0.000, 62: 0.003, 63: 0.001, 64: 0.018, 65: 0.000, 66: 0.032,
    67: 0.000, 68: 0.000, 69: 0.004, 70: 0.000, 71: 0.000, 72: 0.000, 73: 0.000, 74: 0.000,
    75: 0.000, 76: 0.002, 77: 0.002, 78: 0.000, 79: 0.001, 80: 0.001, 81: 0.003,
}
DRUM_KEY_LEAN = {
    35: -0.1, 36: -0.1, 37: -0.1, 38: -0.1, 39: -4.6, 40: -0.1, 41: -14.8, 42: 7.5,
    43: -8.0, 44: 5.9, 45: -3.3, 46: 4.1, 47: 3.4, 48: 8.5, 49: 5.6, 50: 13.7,
    51: -5.6, 52: -4.5, 53: -4.9, 54: -0.2, 55: -0.2, 56: 5.6, 57: -7.8, 58: -10.9,
    59: -5.8, 60: 7.5, 61: 6.6, 62: -7.2, 63: -8.0, 64: -8.1, 65: 7.5, 66: 7.4,
    67: -9.1, 68: -11.0, 69: -17.5, 70: -16.0, 71: 7.8, 72: 7.9, 73: 7.8, 74: 5.3,
    75: 7.5, 76: 7.8, 77: 7.5, 78: -7.8, 79: -8.7, 80: -26.6, 81: -27.4,
}

# The synthesizer's output scales with its gain: the tables move by its ratio in dB.
MEASURED_GAIN = 1.0
SYNTH_GAIN = 1.6
GAIN_SHIFT_DB = 20 * math.log10(SYNTH_GAIN / MEASURED_GAIN)
for _table in (PROGRAM_LOUDNESS, PROGRAM_PEAK, LOW_PROGRAM_LOUDNESS, LOW_PROGRAM_PEAK,
               HIGH_PROGRAM_LOUDNESS, HIGH_PROGRAM_PEAK, BASS_PROGRAM_LOUDNESS, BASS_PROGRAM_PEAK,
               HELD_PROGRAM_LOUDNESS, HELD_PROGRAM_PEAK, DRUM_KEY_LOUDNESS, DRUM_KEY_PEAK):
    for _key in _table:
        _table[_key] += GAIN_SHIFT_DB

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
# lands on the target; a part that would sit too far under the loudest is raised (as far as
# volume 100).

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
# The part that defines a genre (the accordion of a merengue) sits at most this far under the
# loudest part by the estimate; the renders hold it to 4 LU, the rest is the estimate's margin.
DEFINING_GAP_LU = 2.3
DEFINING_MARGIN_LU = 1.5
MIN_VOLUME, MAX_VOLUME = 1, 100
# The synthesizer rounds off every sample above -4 dBFS so that none passes -1.5 dBFS; a style's
# loudest strikes may reach into that range but not far beyond it, or they would be squashed:
# the estimated true peak stays under PEAK_LIMIT_DBTP less the estimate's margin, and to keep it
# there a style may sit up to PEAK_GIVE_LU under the target. The peak is estimated as the sum of
# the parts' loudest strikes, less PEAK_OFFSET_DB for strikes that rarely meet at full strength.
PEAK_LIMIT_DBTP = 1.0
PEAK_MARGIN_DB = 0.0
PEAK_GIVE_LU = 1.0
PEAK_OFFSET_DB = -5.9
# The most Main B (its drums busier, a held chord joining) may lie over Main A, as estimated;
# a fill is held as near to its main.
MAIN_B_LIFT_LU = 0.3
MAIN_B_PART_LU = 0.3  # what the held chord may add where Main B's drums alone lift it more
FILL_LIFT_LU = 0.3


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


def drum_estimate(style, pattern=None):
    """The estimate of Main A's drums, or of `pattern` played on them."""
    pattern = pattern or style.rhythm
    step = 60.0 / (style.bpm * style.steps_per_beat)
    energy = drum_loudness(pattern, 100, step) + DRUM_OFFSET_LU
    by_step = {}
    for key, velocity, pos, _ in pattern.notes:
        by_step.setdefault(pos, []).append(DRUM_KEY_PEAK[key] + volume_db(velocity))
    peak = max(amplitude_sum(hits) for hits in by_step.values())
    return Estimate(energy, sounding_share(pattern, 1, step), peak)


def part_estimate(style, number, part):
    step = 60.0 / (style.bpm * style.steps_per_beat)
    bass = number == 1
    heard = getattr(part, "heard", None) or part.pattern  # as a chord part sounds on C major
    energy = part_loudness(heard, part.program, 100, part.mode, bass, step, part.key)
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
               for chord in strikes(heard))
    return Estimate(energy, sounding_share(heard, part.mode, step), peak)


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
    intent = list(levels)
    defining = getattr(style, "defining", ())
    for i, (name, estimate) in enumerate(zip(names, estimates)):
        if i in defining:
            levels[i] = max(levels[i], loudest - DEFINING_GAP_LU - estimate.alone)
        elif name not in quiet:
            levels[i] = max(levels[i], loudest - MAX_PART_GAP_LU - estimate.alone)
    # Main A's mix to the target; a part that cannot go above volume 100 holds there and the
    # others come down with it, keeping the balance.
    in_a = [True] + [part.in_main_a for part in style.parts]
    mix = power_sum(e.energy + level for e, level, a in zip(estimates, levels, in_a) if a) + MIX_OFFSET_LU
    peak = amplitude_sum(e.peak + level for e, level, a in zip(estimates, levels, in_a) if a) + PEAK_OFFSET_DB
    shift = TARGET_LUFS - mix + getattr(style, "trim_lu", 0.0)
    peak_room = PEAK_LIMIT_DBTP - PEAK_MARGIN_DB - peak
    if peak_room < shift:
        shift = max(peak_room, shift - PEAK_GIVE_LU)
    # (A part raised only to stay near the loudest holds at 100 without pulling the rest down.)
    shift = min(shift, min(volume_db(MAX_VOLUME) - level for level, a in zip(intent, in_a) if a))
    # A part that plays only in Main B comes down until Main B (its drums busier as well) lies
    # at most MAIN_B_LIFT_LU over Main A (or the part adds at most MAIN_B_PART_LU, where the
    # drums alone lift it more). Its held chord adds little to the peak, which the synthesizer
    # rounds off in any case (the renders check it).
    main_b = style.sections.get("mainB")
    if main_b and not all(in_a):
        drums_b = drum_estimate(style, main_b.patterns[0])

        def main_b_mix(parts_b):
            return power_sum([drums_b.energy + levels[0]] + [e.energy + level for e, level, a in
                                                             zip(estimates[1:], levels[1:], in_a[1:]) if a or parts_b])

        most = max(mix + MAIN_B_LIFT_LU, main_b_mix(False) + MIX_OFFSET_LU + MAIN_B_PART_LU)
        while min(level for level, a in zip(levels, in_a) if not a) > -60:
            if main_b_mix(True) + MIX_OFFSET_LU <= most:
                break
            levels = [level if a else level - 0.5 for level, a in zip(levels, in_a)]
    volumes = [100.0 * 10 ** ((level + shift) / VOLUME_DB_PER_DECADE) for level in levels]
    volumes = [min(MAX_VOLUME, max(MIN_VOLUME, round(volume))) for volume in volumes]
    return volumes[0], volumes[1:]


def section_mix(style, drum_pattern, main_b):
    """The estimated loudness (LUFS) of a section whose drums play `drum_pattern` and whose parts
    play their patterns of Main A (or, `main_b`, of Main B), at the stored volumes."""
    drum_volume, volumes = style.stored_volumes()
    levels = [drum_estimate(style, drum_pattern).energy + volume_db(drum_volume)]
    levels += [part_estimate(style, n, part).energy + volume_db(volume)
               for n, (part, volume) in enumerate(zip(style.parts, volumes), start=1)
               if main_b or part.in_main_a]
    return power_sum(levels) + MIX_OFFSET_LU


def alone_levels(style):
    """The estimated loudness (LUFS) of the drums and each part played alone, at the stored
    volumes, as the renders measure them."""
    drum_volume, volumes = style.stored_volumes()
    levels = [drum_estimate(style).alone + volume_db(drum_volume)]
    levels += [part_estimate(style, n, part).alone + volume_db(volume)
               for n, (part, volume) in enumerate(zip(style.parts, volumes), start=1)]
    return levels


def mix_energies(style):
    """The estimated energy (LUFS) the drums and each part of Main A bring to the mix, at the
    stored volumes (-inf dB, as -200, for a part that rests in Main A)."""
    drum_volume, volumes = style.stored_volumes()
    energies = [drum_estimate(style).energy + volume_db(drum_volume)]
    energies += [part_estimate(style, n, part).energy + volume_db(volume) if part.in_main_a else -200.0
                 for n, (part, volume) in enumerate(zip(style.parts, volumes), start=1)]
    return energies


# --- Low end and lean --------------------------------------------------------------------------
# A melodic part's share of power under 120 Hz, from the bass lines the calibration measured at
# two heights (C2-G2 and an octave up), by the part's mean sounding key; the drums' from each
# key's own. The lean (dB to the right) of a part: the program's own at the centre, then the
# synthesizer's constant-power pan.
BASS_LINE_KEYS = (39.5, 51.5)  # the mean keys of the two calibration bass lines
# The estimates against the renders: the loudness tables are K-weighted (the lows count less,
# the highs more than their power), so the share of raw power under 120 Hz measures this line
# of the estimated share (fitted over the library's renders); the mix leans this much to the left
# of its estimate.
LOW_SHARE_FIT = (0.119, 1.163)
LEAN_OFFSET_DB = -0.1


def mean_sounding_key(number, part):
    """The mean MIDI key a part sounds over the bass keys C and F (a bass part's stored keys
    sound an octave lower)."""
    keys = [key for key, _, _, _ in part.pattern.notes]
    shift = -12 if number == 1 else part.key - 12
    return sum(keys) / len(keys) + shift + 2.5


def part_low_share(number, part):
    low, high = BASS_PROGRAM_LOW_SHARE[part.program], HIGH_BASS_PROGRAM_LOW_SHARE[part.program]
    share = (mean_sounding_key(number, part) - BASS_LINE_KEYS[0]) / (BASS_LINE_KEYS[1] - BASS_LINE_KEYS[0])
    return min(1.0, max(0.0, low + share * (high - low)))


def drum_energy_by_key(pattern):
    energy = {}
    for key, velocity, _, _ in pattern.notes:
        energy[key] = energy.get(key, 0.0) + 10 ** (DRUM_KEY_LOUDNESS[key] / 10) * velocity_gain(velocity)
    return energy


def low_share(style):
    """The estimated share of Main A's power under 120 Hz."""
    energies = mix_energies(style)
    by_key = drum_energy_by_key(style.rhythm)
    drum_total = sum(by_key.values())
    drum_share = sum(e * DRUM_KEY_LOW_SHARE[k] for k, e in by_key.items()) / drum_total if drum_total else 0.0
    powers = [10 ** (energy / 10) for energy in energies]
    low = powers[0] * drum_share + sum(power * part_low_share(n, part) for n, (power, part)
                                       in enumerate(zip(powers[1:], style.parts), start=1))
    return min(1.0, LOW_SHARE_FIT[0] + LOW_SHARE_FIT[1] * low / sum(powers))


def sides(power, lean_db, pan):
    """(left, right) power of a source of that power leaning lean_db at the centre, panned."""
    right_share = 10 ** (lean_db / 10) / (1 + 10 ** (lean_db / 10))
    return (2 * power * (1 - right_share) * math.cos(pan * math.pi / 2) ** 2,
            2 * power * right_share * math.sin(pan * math.pi / 2) ** 2)


def lean_db(style):
    """The estimated lean of Main A's mix, dB to the right."""
    energies = mix_energies(style)
    by_key = drum_energy_by_key(style.rhythm)
    drum_total = sum(by_key.values()) or 1.0
    left = right = 0.0
    for key, energy in by_key.items():
        l, r = sides(10 ** (energies[0] / 10) * energy / drum_total, DRUM_KEY_LEAN[key], 0.5)
        left, right = left + l, right + r
    for energy, part, pan in zip(energies[1:], style.parts, style.pans()):
        l, r = sides(10 ** (energy / 10), PROGRAM_LEAN[part.program], pan)
        left, right = left + l, right + r
    return 10 * math.log10(right / left) + LEAN_OFFSET_DB
