#!/usr/bin/env python3
"""Measures where section and style changes land: the capture build under Xvfb on a library of
4/4 styles whose rhythm strikes a key of its own for each section on every step (the velocity
tells the style). At each tempo the rhythm runs while a section hot key, or the panel's next-style
button, is pressed once a bar at a random point of it; each press's first note of the new
section is set against the step it must land on (the next beat for a fill, the next bar line for
everything else), on the grid of the run's first step. Prints the deviation as median / 99th
percentile / maximum in milliseconds, per tempo, from the whole millisecond the step falls on
(the clock ticks in whole milliseconds); a press further than 1 ms from the exact grid is listed.

Usage: tools/measure-sections.py [--presses 100] [--tempos 60 120 220] [--program build/bin/brioletta-capture]
"""

import argparse
import ctypes
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
measure_timing = __import__("measure-timing")

DISPLAY = measure_timing.DISPLAY
BEATS, STEPS_PER_BEAT = 4, 4
SECTIONS = ["mainA", "intro", "mainB", "fillA", "fillB", "break", "ending"]
SECTION_KEYS = {name: 60 + i for i, name in enumerate(SECTIONS)}
STYLES = 20
NEXT_STYLE = (798, 166)  # the ">" button of the normal view
PRESSES = [  # (what, hot key, section heard, on the next beat)
    ("Fill", "Delete", None, True),  # the fill of the main chosen
    ("B", "F12", "fillB", True),
    ("A", "F11", "fillA", True),
    ("Break", "F8", "break", False),
    ("Style", None, "main", False),
]


def library(bpm):
    """A styles.cfg of STYLES styles at `bpm`, each with every section, one bar each."""
    bar = BEATS * STEPS_PER_BEAT
    lines = ["<Pelmora Base Styles>"]
    for style in range(STYLES):
        for i, section in enumerate(SECTIONS):
            index = 100 + len(SECTIONS) * style + i
            lines += [f"<arp{index}>", f"name=S{style} {section}", f"length={bar}"]
            lines += [f"{SECTION_KEYS[section]};{style + 1};{step};0.5" for step in range(bar)]
            lines.append(f"</arp{index}>")
    for style in range(STYLES):
        first = 100 + len(SECTIONS) * style
        lines += [f"<style{style}>", f"name=Measure {style}", f"bpm={bpm}", "shuffle=0",
                  f"stepsPerBeat={STEPS_PER_BEAT}", f"beats={BEATS}", "prog0=0", "vol0=100", "key0=0",
                  "mode0=1", f"arp0={first}"]
        for part in range(1, 5):
            lines += [f"prog{part}=0", f"vol{part}=0", f"key{part}=0", f"mode{part}=0", f"arp{part}=-1"]
        for i, section in enumerate(SECTIONS[1:], start=1):
            lines += [f"{section}Bars=1", f"{section}Arp0={first + i}"]
        lines.append(f"</style{style}>")
    lines.append("</Pelmora Base Styles>")
    return "\r\n".join(lines) + "\r\n"


class Mouse:
    """Clicks through the X server's test extension, stamped when the press is sent (a click by
    a tool started for it would leave when that tool has started, a hundred milliseconds on)."""

    def __init__(self, keys, env, window):
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env, capture_output=True,
                                  text=True, check=True).stdout
        fields = dict(line.split("=", 1) for line in geometry.split())
        self.left, self.top = int(fields["X"]), int(fields["Y"])
        self.keys = keys
        self.keys.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                         ctypes.c_ulong]
        self.keys.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

    def click(self, at):
        x11, xtst, display = self.keys.x11, self.keys.xtst, self.keys.display
        xtst.XTestFakeMotionEvent(display, -1, self.left + at[0], self.top + at[1], 0)
        xtst.XTestFakeButtonEvent(display, 1, 1, 0)
        x11.XFlush(display)
        stamp = time.monotonic() * 1000.0
        time.sleep(0.02)
        xtst.XTestFakeButtonEvent(display, 1, 0, 0)
        x11.XFlush(display)
        return stamp


def run(program, bpm, presses, rng):
    folder = tempfile.mkdtemp()
    shutil.copytree(os.path.dirname(program), folder, dirs_exist_ok=True)
    with open(os.path.join(folder, "styles.cfg"), "w", newline="") as out:
        out.write(library(bpm))
    with open(os.path.join(folder, "options.cfg"), "wb") as out:
        out.write(b"<Brio Options>\r\nlargeView=false\r\n</Brio Options>\r\n")
    xvfb = subprocess.Popen(["Xvfb", DISPLAY, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env = dict(os.environ, DISPLAY=DISPLAY)
    step_ms = 60000.0 / bpm / STEPS_PER_BEAT
    bar_ms = step_ms * BEATS * STEPS_PER_BEAT
    beat_ms = step_ms * STEPS_PER_BEAT
    log = []  # (press time, what, style before)
    try:
        time.sleep(1)
        brioletta = subprocess.Popen([os.path.join(folder, os.path.basename(program))], cwd=folder, env=env,
                                     stderr=subprocess.PIPE, text=True)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Brioletta - "],
                                env=env, capture_output=True, text=True, timeout=20).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, check=True)
        time.sleep(0.5)
        keys = measure_timing.Keyboard()
        mouse = Mouse(keys, env, window)
        started = keys.tap("F10")
        for n in range(presses):
            # A random point of every other bar, kept 25 ms clear of the beat after it, so that
            # the press is taken before that beat's step however the events queue; the bar after
            # it plays what the press asked for, alone.
            bar_start = started + (2 * n + 1) * bar_ms
            offset = rng.uniform(0.0, bar_ms)
            while (offset % beat_ms) > beat_ms - 25.0:
                offset = rng.uniform(0.0, bar_ms)
            pause = bar_start + offset - time.monotonic() * 1000.0
            if pause > 0:
                time.sleep(pause / 1000.0)
            what, key, _, _ = rng.choice(PRESSES)
            stamp = keys.tap(key) if key else mouse.click(NEXT_STYLE)
            log.append((stamp, what))
        time.sleep(bar_ms / 1000.0 * 2)
        keys.tap("F10")
        time.sleep(0.3)
        keys.tap("Escape")
        brioletta.communicate(timeout=10)
    finally:
        xvfb.kill()
        xvfb.wait()
    capture = measure_timing.read_capture(folder)
    shutil.rmtree(folder, ignore_errors=True)
    hits = [(t, key, vel) for t, status, key, vel in capture if status == 0x99 and vel > 0]
    t0 = hits[0][0]
    deviations, missing = [], 0
    by_what = {entry[0]: entry for entry in PRESSES}
    main = "A"
    for stamp, what in log:
        _, _, heard, on_beat = by_what[what]
        main = what if what in ("A", "B") else main
        heard = heard or ("fillB" if main == "B" else "fillA")
        grid = beat_ms if on_beat else bar_ms
        due = t0 + (int((stamp - t0) // grid) + 1) * grid
        style_before = next((vel for t, _, vel in reversed(hits) if t < stamp), 0)
        wanted = (lambda key, vel: vel != style_before) if heard == "main" else \
            (lambda key, vel, k=SECTION_KEYS[heard]: key == k)
        first = next((t for t, key, vel in hits if t >= stamp and wanted(key, vel)), None)
        if first is None:
            missing += 1
            continue
        deviations.append(first - math.ceil(due - 1e-6))
        if abs(first - due) > 1:
            print(f"  {what} pressed {stamp - t0:.0f} ms after the start landed {first - due:+.1f} ms from its step")
            if os.environ.get("MEASURE_DEBUG"):
                changes = [(t - t0, k, v) for i, (t, k, v) in enumerate(hits)
                           if stamp - bar_ms < t <= first and (i == 0 or hits[i - 1][1:] != (k, v))]
                print(f"    changes {changes}")
    print(f"{bpm} bpm, from the step's whole millisecond: {measure_timing.percentiles([abs(d) for d in deviations])}, missing {missing}, "
          f"worst signed {max(deviations, key=abs) if deviations else 0:.1f} ms")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--presses", type=int, default=100)
    parser.add_argument("--tempos", type=int, nargs="+", default=[60, 120, 220])
    parser.add_argument("--program", default="build/bin/brioletta-capture")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    for bpm in args.tempos:
        run(os.path.abspath(args.program), bpm, args.presses, rng)


if __name__ == "__main__":
    main()
