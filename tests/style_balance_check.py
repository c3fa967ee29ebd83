#!/usr/bin/python3
"""Renders the style library and checks its balance: the mix of every style (Main A) within
2 LU of -18 LUFS with its true peak under -1 dBTP, and no part more than 12 LU under the loudest
part of its style unless the style's comment in the generator (tools/make-styles.py) names it
quiet. Every musical style has every section (intro, Main B, Fill A, Fill B, break, ending),
each with its true peak under -1 dBTP: Main B and the fills within 2 LU of -18 LUFS, the intro
and the ending within 4 LU; a break (mostly silence) is held to its peak alone. The part that
defines a style's genre sits at most 4 LU under its loudest part; at most 45 % of Main A's power
lies under 120 Hz unless the genre lives on its low end; the mix leans at most 2 dB to a side.
The library is rendered with TimGM6mb, the set its balance was measured with (the set-up
installs it), and then with each other Debian General MIDI set that is installed: FluidR3 and
MuseScore General play through the program's level correction, and are held to the loudness,
true peak and part balance of every style (the genre's own choices, low end, lean and sections
are the reference's).
Prints each violation and exits with 1 when there is one.

  style_balance_check.py RENDER_STYLES [STYLES_FILE] [OUT_FOLDER]

STYLES_FILE defaults to data/styles.cfg, OUT_FOLDER (renders and summary, those of the other
sets in a folder of their own inside it) to a new temporary folder. The library is copied there first, so that a rewrite while rendering does not matter.
"""
import csv
import importlib.util
import math
import os
import shutil
import subprocess
import sys
import tempfile

TARGET_LUFS = -18.0
TOLERANCE_LU = 2.0
MAX_TRUE_PEAK_DBTP = -1.0
MAX_PART_GAP_LU = 12.0
MAX_DEFINING_GAP_LU = 4.0
MAX_LEAN_DB = 2.0
PARTS = ("drums", "part1", "part2", "part3", "part4")
# Each section's tolerance around the target (None: not held to a loudness), as summary.csv
# names them.
SECTION_TOLERANCE_LU = {"intro": 4.0, "mainB": 2.0, "fillA": 2.0, "fillB": 2.0, "break": None,
                        "ending": 4.0}
SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The set the library's balance was measured with (the set-up installs it), then the other
# Debian sets, checked where installed.
REFERENCE = "/usr/share/sounds/sf2/TimGM6mb.sf2"
OTHER_SETS = {"FluidR3": "/usr/share/sounds/sf2/FluidR3_GM.sf2",
              "MuseScore-General": "/usr/share/sounds/sf3/MuseScore_General.sf3"}


def generator_styles():
    """The styles as the generator builds them, by name."""
    path = os.path.join(SOURCE, "tools", "make-styles.py")
    spec = importlib.util.spec_from_file_location("make_styles", path)
    generator = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(generator)
    return {style.name: style for style in generator.all_styles()}


def low_end_limit(name):
    """The share of the power under 120 Hz a style may have: its genre's own where the genre
    lives on its low end."""
    from styles import genres  # the generator put its folder on the path
    return 1.0 if name in genres.LOW_END_GENRES else genres.LOW_END_LIMIT


def is_click_track(style):
    """A metronome is a click to play along with, not music whose mix is balanced: its level
    is the click's own."""
    return style is not None and not style.parts


def violations(row, style=None, whole=True):
    """The limits one line of summary.csv breaks, in words; `style` is the generator's style of
    that name, whose comment may name parts that sit far under the loudest on purpose. Without
    `whole`, only the mix's loudness, its true peak and the parts' balance."""
    name = f"style {row['index']} {row['name']}"
    if is_click_track(style):
        return
    mix = float(row["mix_lufs"])
    if not abs(mix - TARGET_LUFS) <= TOLERANCE_LU:
        yield f"{name}: mix {mix:.1f} LUFS, outside {TARGET_LUFS:g} ± {TOLERANCE_LU:g}"
    peak = float(row["true_peak_dbtp"])
    if not peak < MAX_TRUE_PEAK_DBTP:
        yield f"{name}: true peak {peak:.1f} dBTP, not under {MAX_TRUE_PEAK_DBTP:g}"
    quiet = {part.replace(" ", "") for part in style.quiet_parts()} if style else set()
    # A part that is off has no figure; one that is on but silent measures -inf.
    parts = {part: float(row[f"{part}_lufs"]) for part in PARTS if row[f"{part}_lufs"]}
    loudest = max(parts.values(), default=-math.inf)
    for part, lufs in parts.items():
        if math.isinf(lufs) or (loudest - lufs > MAX_PART_GAP_LU and part not in quiet):
            yield f"{name}: {part} {lufs:.1f} LUFS, {loudest - lufs:.1f} LU under its loudest part"
    if not whole:
        return
    for number in style.defining if style else ():
        part = PARTS[number]
        if part in parts and loudest - parts[part] > MAX_DEFINING_GAP_LU:
            yield f"{name}: {part}, its genre's own, {loudest - parts[part]:.1f} LU under its loudest part"
    low = float(row["low_share"])
    if style and low > low_end_limit(style.name):
        yield f"{name}: {low:.0%} of its power under 120 Hz"
    lean = float(row["lean_db"])
    if not abs(lean) <= MAX_LEAN_DB:
        yield f"{name}: leans {abs(lean):.1f} dB to the {'right' if lean > 0 else 'left'}"
    for section, tolerance in SECTION_TOLERANCE_LU.items():
        if not row.get(f"{section}_lufs"):
            yield f"{name}: has no {section}"
            continue
        lufs = float(row[f"{section}_lufs"])
        if tolerance is not None and not abs(lufs - TARGET_LUFS) <= tolerance:
            yield f"{name}: {section} {lufs:.1f} LUFS, outside {TARGET_LUFS:g} ± {tolerance:g}"
        peak = float(row[f"{section}_true_peak_dbtp"])
        if not peak < MAX_TRUE_PEAK_DBTP:
            yield f"{name}: {section} true peak {peak:.1f} dBTP, not under {MAX_TRUE_PEAK_DBTP:g}"


def render(renderer, styles, out, soundfont):
    """Runs the renderer with `soundfont` on a copy of the library; the rows of its summary.csv."""
    os.makedirs(out, exist_ok=True)
    copy = os.path.join(out, "styles.cfg")
    shutil.copyfile(styles, copy)
    result = subprocess.run([renderer, "--styles", copy, "--out", out, "--soundfont", soundfont],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    summary = os.path.join(out, "summary.csv")
    if not os.path.exists(summary):
        sys.exit(f"{result.stdout}\nstyle_balance_check: {renderer} wrote no {summary}")
    if result.returncode != 0:
        print(f"style_balance_check: {renderer} exited with {result.returncode} "
              "(a WAV or PNG file is missing); the figures are checked all the same")
    with open(summary, newline="", encoding="utf-8") as file:
        return list(csv.DictReader(file))


def main():
    if len(sys.argv) not in (2, 3, 4):
        sys.exit(__doc__)
    styles = sys.argv[2] if len(sys.argv) > 2 else os.path.join(SOURCE, "data", "styles.cfg")
    out = sys.argv[3] if len(sys.argv) > 3 else tempfile.mkdtemp(prefix="style-balance-")
    known = generator_styles()
    runs = [("TimGM6mb", REFERENCE, out, True)]
    runs += [(name, path, os.path.join(out, name), False) for name, path in OTHER_SETS.items()
             if os.access(path, os.R_OK)]
    failed = False
    for name, soundfont, folder, whole in runs:
        rows = render(sys.argv[1], styles, folder, soundfont)
        found = [f"{name}: {text}" for row in rows for text in violations(row, known.get(row["name"]), whole)]
        for text in found:
            print(text)
        print(f"{name}: {len(rows)} styles, {len(found)} violations; renders and summary in {folder}")
        failed = failed or bool(found) or not rows
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
