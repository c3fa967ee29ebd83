#!/usr/bin/env python3
"""Measures the accompaniment's timing as a musician meets it: the capture build under Xvfb,
with `busy` processes competing for the processors. Prints the lateness of the start style's
drum notes against their grid over 8 s of rhythm, and the time from a key event (sent with
XTest) to its note leaving the sender, as median / 99th percentile / maximum in milliseconds.
The capture file keeps whole milliseconds of the program's monotonic clock, so a latency reads
to within a millisecond.

Usage: tools/measure-timing.py [--busy N] [--no-realtime] [--program build/bin/brioletta-capture]
"""

import argparse
import ctypes
import os
import shutil
import subprocess
import sys
import tempfile
import time

STEP_MS = 60000 / 100 / 4  # the start style, Pop Standard: 100 bpm, four steps a beat
DISPLAY = ":89"


def percentiles(values):
    if not values:
        return "no data"
    ordered = sorted(values)
    pick = lambda q: ordered[min(len(ordered) - 1, int(q * (len(ordered) - 1) + 0.5))]
    return f"median {pick(0.5):.1f}  p99 {pick(0.99):.1f}  max {ordered[-1]:.1f} ms  ({len(values)} notes)"


class Keyboard:
    """Key events through the X server's test extension, stamped on the monotonic clock."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(DISPLAY.encode())
        if not self.display:
            sys.exit("cannot open the display")

    def key(self, name, down):
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        self.xtst.XTestFakeKeyEvent(self.display, code, 1 if down else 0, 0)
        self.x11.XFlush(self.display)
        return time.monotonic() * 1000.0

    def tap(self, name):
        stamp = self.key(name, True)
        time.sleep(0.02)
        self.key(name, False)
        return stamp


def read_capture(folder):
    """The capture build's messages as (ms, status, data1, data2)."""
    capture = []
    with open(os.path.join(folder, "midi-capture.txt")) as lines:
        for line in lines:
            fields = line.strip().rstrip(";").split(";")
            if len(fields) == 4:
                capture.append(tuple(int(f) for f in fields))
    return capture


def run(program, busy, realtime):
    folder = tempfile.mkdtemp()
    shutil.copytree(os.path.dirname(program), folder, dirs_exist_ok=True)
    if not realtime:
        with open(os.path.join(folder, "options.cfg"), "wb") as out:
            out.write(b"<Brio Options>\r\nrealtime=false\r\n</Brio Options>\r\n")
    # The display server gets the priority a desktop gives its own (a real-time one where
    # allowed): the figures are then the program's, not the stand-in server's.
    server = ["chrt", "-f", "5"] if subprocess.run(["chrt", "-f", "5", "true"]).returncode == 0 else []
    xvfb = subprocess.Popen(server + ["Xvfb", DISPLAY, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    load = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(busy)]
    env = dict(os.environ, DISPLAY=DISPLAY)
    try:
        time.sleep(1)
        brioletta = subprocess.Popen([os.path.join(folder, os.path.basename(program))], cwd=folder,
                                     env=env, stderr=subprocess.PIPE, text=True)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Brioletta - "],
                                env=env, capture_output=True, text=True, timeout=20).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, check=True)
        time.sleep(1)
        keys = Keyboard()
        keys.tap("F10")
        time.sleep(8.5)
        keys.tap("F10")
        time.sleep(0.5)
        pressed = []
        for i in range(200):
            pressed.append(keys.tap("q"))
            time.sleep(0.017 + 0.003 * (i % 7))
        time.sleep(0.3)
        keys.tap("Escape")
        report = brioletta.communicate(timeout=10)[1].strip().splitlines()
    finally:
        for process in load:
            process.kill()
        xvfb.kill()
        xvfb.wait()
    capture = read_capture(folder)
    shutil.rmtree(folder, ignore_errors=True)
    hits = sorted({t for t, status, _, vel in capture if status == 0x99 and vel > 0})
    late = [(t - hits[0]) - round((t - hits[0]) / STEP_MS) * STEP_MS for t in hits]
    notes = [t for t, status, _, vel in capture if status == 0x90 and vel > 0][-len(pressed):]
    latency = [max(0.0, n - p) for n, p in zip(notes, pressed)]
    scheduling = next((line for line in report if "timing" in line), "?")
    print(f"{busy} busy, {scheduling}")
    print(f"  drum notes late against the grid: {percentiles(late)}")
    print(f"  key event to note sent:           {percentiles(latency)}")


def stamp_promptly():
    """Real-time for this script's own key events and stamps where allowed, reset for every
    process it starts (the busy ones above all)."""
    try:
        os.sched_setscheduler(0, os.SCHED_FIFO | os.SCHED_RESET_ON_FORK, os.sched_param(5))
    except (PermissionError, AttributeError, OSError):
        pass


def main():
    stamp_promptly()
    parser = argparse.ArgumentParser()
    parser.add_argument("--busy", type=int, default=4)
    parser.add_argument("--no-realtime", action="store_true")
    parser.add_argument("--program", default="build/bin/brioletta-capture")
    args = parser.parse_args()
    run(os.path.abspath(args.program), args.busy, not args.no_realtime)


if __name__ == "__main__":
    main()
