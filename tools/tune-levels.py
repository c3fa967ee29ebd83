#!/usr/bin/env python3
"""Tunes a SoundFont's shipped levels (data/SoundFonts/*.levels) to the style library.

The levels measure each program with short test phrases; in a style a program may play longer,
higher or softer than they do, where another set's envelope, layers and effects part ways with
the reference set's. This compares every part of every style rendered with the set (through the
program's correction) against the same part rendered with the reference set, and moves each
program's levels by the median difference of the parts that play it (the drum kit's keys by the
median of the drum parts), so that the correction brings the parts where the reference has them.
Run it again after rendering with the tuned levels: each pass takes up what the last one left.

  tune-levels.py LEVELS REFERENCE_SUMMARY_CSV SET_SUMMARY_CSV

The summaries are render-styles' summary.csv of the library with the reference set (TimGM6mb)
and with the set whose LEVELS file is rewritten.
"""
import csv
import importlib.util
import math
import os
import re
import statistics
import sys

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LARGEST_STEP_DB = 20.0  # a part further off is an outlier, not a level
PARTS = ("part1", "part2", "part3", "part4")


def part_programs():
    """{style name: [program of part 1, ...]} as the generator builds the library."""
    spec = importlib.util.spec_from_file_location("make_styles", os.path.join(SOURCE, "tools", "make-styles.py"))
    generator = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(generator)
    return {style.name: [part.program for part in style.parts] for style in generator.all_styles()}


def summary(path):
    with open(path, newline="") as file:
        return {row["name"]: row for row in csv.DictReader(file)}


def difference(reference, tuned, column):
    """The set's part minus the reference's, in LU, or None where either is silent or off."""
    if not reference.get(column) or not tuned.get(column):
        return None
    a, b = float(reference[column]), float(tuned[column])
    if not (math.isfinite(a) and math.isfinite(b)) or abs(b - a) > LARGEST_STEP_DB:
        return None
    return b - a


def differences(reference_rows, set_rows, programs):
    """{program: [LU, ...]} and the drum parts' [LU, ...]."""
    by_program, drums = {}, []
    for name, row in set_rows.items():
        if name not in reference_rows or name not in programs:
            continue
        drum = difference(reference_rows[name], row, "drums_lufs")
        if drum is not None:
            drums.append(drum)
        for part, program in zip(PARTS, programs[name]):
            step = difference(reference_rows[name], row, f"{part}_lufs")
            if step is not None:
                by_program.setdefault(program, []).append(step)
    return by_program, drums


def shifted(line, step):
    head, values = line.split("=", 1)
    numbers = [v if v == "-inf" else f"{float(v) + step:.2f}" for v in values.split()]
    return f"{head}= {' '.join(numbers)}\n"


def main(levels_path, reference_csv, set_csv):
    by_program, drums = differences(summary(reference_csv), summary(set_csv), part_programs())
    steps = {program: statistics.median(values) for program, values in by_program.items()}
    kit = statistics.median(drums) if drums else 0.0
    out = []
    with open(levels_path) as file:
        for line in file:
            match = re.match(r"program (\d+) =", line)
            if match and int(match.group(1)) in steps:
                line = shifted(line, steps[int(match.group(1))])
            elif line.startswith("drum "):
                line = shifted(line, kit)
            out.append(line)
    with open(levels_path, "w") as file:
        file.writelines(out)
    moved = sorted(steps.items(), key=lambda item: -abs(item[1]))[:8]
    print(f"{levels_path}: {len(steps)} programs moved (largest: "
          + ", ".join(f"{p} {s:+.1f}" for p, s in moved) + f"), drum kit {kit:+.1f} dB")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
