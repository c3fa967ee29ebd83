#!/usr/bin/env bash
# Starts the real program under Xvfb from a fresh program folder several times and prints, as
# minimum / median / maximum: the time from start to the window shown (mapped) and to its first
# complete paint (as the program logs them with BRIOLETTA_TRACE=1), the resident memory 3 s after
# start, and the main thread's wake-ups per second and the processor use over an idle stretch
# and with the rhythm and four parts running.
# Needs Xvfb, xdotool and python3 (make test installs them).
# Usage: tools/measure-startup.sh [runs] [idle seconds] [program]
# SCREEN sets the screen (default 1280x1024x24); GDK_SCALE=2 with SCREEN=2560x2048x24 measures
# the program drawn at twice the scale.
set -euo pipefail
runs=${1:-5}
seconds=${2:-30}
program=$(realpath "${3:-build/bin/brioletta}")
ticks=$(getconf CLK_TCK)
display=:86
Xvfb $display -screen 0 "${SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
folder=""
trap 'kill $xvfb 2>/dev/null; [ -n "$folder" ] && rm -rf "$folder"' EXIT
sleep 1
export DISPLAY=$display

now_ms() { date +%s%3N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wakeups() { awk '/^voluntary_ctxt_switches/ {v=$2} /^nonvoluntary_ctxt_switches/ {n=$2} END {print v + n}' "/proc/$1/task/$1/status"; }

# Prints "wake-ups per second" and "% of a core" of process $1 over $2 seconds.
stretch() {
    local pid=$1 span=$2 w0 c0 w1 c1
    w0=$(wakeups "$pid"); c0=$(cpu_ticks "$pid")
    sleep "$span"
    w1=$(wakeups "$pid"); c1=$(cpu_ticks "$pid")
    awk -v w=$((w1 - w0)) -v c=$((c1 - c0)) -v s="$span" -v t="$ticks" 'BEGIN { printf "%.2f %.3f\n", w / s, 100 * c / t / s }'
}

results=$(mktemp)
for run in $(seq "$runs"); do
    folder=$(mktemp -d)
    cp -r "$(dirname "$program")"/. "$folder"
    sync
    sleep 1  # the copy's writing out is over before the start is timed
    start=$(now_ms)
    (cd "$folder" && BRIOLETTA_TRACE=1 exec "./$(basename "$program")" 2>"$folder/trace.txt") &
    pid=$!
    # The program logs when its window was shown and first painted (since the process began);
    # the script only waits for the log, so that it takes no processor from the start.
    until grep -q "first paint" "$folder/trace.txt" 2>/dev/null; do sleep 0.05; done
    mapped=$(( $(now_ms) - start ))
    window=$(xdotool search --onlyvisible --name '^Brioletta - ' | head -1)
    sleep 3
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    paint=$(sed -n 's/.*first paint after \([0-9]*\) ms.*/\1/p' "$folder/trace.txt" | head -1)
    shown=$(sed -n 's/.*window shown after \([0-9]*\) ms.*/\1/p' "$folder/trace.txt" | head -1)
    xdotool windowfocus --sync "$window"
    sleep 1
    read -r idleWake idleCpu < <(stretch "$pid" "$seconds")
    xdotool key F9 key F10 keydown c
    read -r runWake runCpu < <(stretch "$pid" "$((seconds / 3 + 1))")
    xdotool keyup c key F10 key Escape
    wait "$pid" || true
    echo "$mapped ${shown:-nan} ${paint:-nan} $((rss / 1024)) $idleWake $idleCpu $runWake $runCpu" >>"$results"
    rm -rf "$folder"
    folder=""
done

python3 - "$results" <<'EOF'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1]) if line.strip()]
names = ["painted, seen by the script (ms)", "window shown, logged (ms)", "first paint, logged (ms)", "resident memory (MB)", "idle wake-ups per s",
         "idle % of a core", "running wake-ups per s", "running % of a core"]
print(f"{'':28} {'min':>9} {'median':>9} {'max':>9}   ({len(rows)} runs)")
for i, name in enumerate(names):
    values = [r[i] for r in rows if r[i] == r[i]]
    if not values:
        print(f"{name:28} {'-':>9}")
        continue
    print(f"{name:28} {min(values):9.2f} {statistics.median(values):9.2f} {max(values):9.2f}")
EOF
rm -f "$results"
