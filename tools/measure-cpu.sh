#!/usr/bin/env bash
# Measures the processor use of the running program from /proc over a number of seconds: once
# idle in the foreground, once with the rhythm and the four accompaniment parts playing.
# Needs Xvfb and xdotool (make test installs them). Usage: tools/measure-cpu.sh [seconds] [program]
set -euo pipefail
seconds=${1:-10}
program=${2:-build/bin/brioletta-capture}
ticks=$(getconf CLK_TCK)
folder=$(mktemp -d)
cp -r "$(dirname "$program")"/. "$folder"
Xvfb :87 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$folder"' EXIT
sleep 1
export DISPLAY=:87
(cd "$folder" && "./$(basename "$program")") &
pid=$!
window=$(xdotool search --sync --onlyvisible --name '^Brioletta - ' | head -1)
xdotool windowfocus --sync "$window"
sleep 1

cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
measure() {
    local before after
    before=$(cpu_ticks)
    sleep "$seconds"
    after=$(cpu_ticks)
    awk -v d=$((after - before)) -v t="$ticks" -v s="$seconds" -v what="$1" \
        'BEGIN { printf "%-40s %.2f %% of a core\n", what, 100 * d / t / s }'
}

measure "idle in the foreground"
xdotool key F9 key F10 keydown c
measure "rhythm and four parts playing"
xdotool keyup c key F10 key Escape
wait "$pid"
