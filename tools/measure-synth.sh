#!/usr/bin/env bash
# Measures what the built-in synthesizer costs where users run it, beside a sound server: a
# private PulseAudio server with a null sink, the program under Xvfb, and its processor use
# idle, with the rhythm playing, and with the full accompaniment and a held chord; then the
# onset of a note after a long silence and during play, from the null sink's monitor.
# Needs pulseaudio and pulseaudio-utils (make test installs them), Xvfb and xdotool.
# Usage: tools/measure-synth.sh [seconds] [program]
set -euo pipefail
seconds=${1:-10}
program=$(realpath "${2:-build/bin/brioletta}")
ticks=$(getconf CLK_TCK)
runtime=$(mktemp -d)
folder=$(mktemp -d)
cp -r "$(dirname "$program")"/. "$folder"
export PULSE_RUNTIME_PATH=$runtime PULSE_STATE_PATH=$runtime PULSE_SERVER=unix:$runtime/native
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no \
    -L "module-native-protocol-unix socket=$runtime/native auth-anonymous=1" \
    -L "module-null-sink sink_name=measure" -L "module-always-sink" >/dev/null 2>&1 &
server=$!
Xvfb :85 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $server 2>/dev/null; rm -rf "$folder" "$runtime"' EXIT
sleep 1.5
pactl set-default-sink measure
export DISPLAY=:85
cd "$folder"
"./$(basename "$program")" 2>"$folder/stderr.txt" &
pid=$!
cd - >/dev/null
window=$(xdotool search --sync --onlyvisible --name '^Brioletta - ' | head -1)
xdotool windowfocus --sync "$window"
sleep 3  # the synthesizer starts and the start-up sounds die away

cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
measure() {
    local before after
    before=$(cpu_ticks)
    sleep "$seconds"
    after=$(cpu_ticks)
    awk -v d=$((after - before)) -v t="$ticks" -v s="$seconds" -v what="$1" \
        'BEGIN { printf "%-44s %.2f %% of a core\n", what, 100 * d / t / s }'
}

measure "idle in the foreground"
xdotool key F10
measure "rhythm playing"
xdotool key F9 keydown z keydown c keydown b
measure "rhythm, four parts and a held chord"
xdotool keyup z keyup c keyup b key F9 key F10
sleep 3
measure "idle again after playing"

# Onsets: the monitor of the null sink recorded while single notes are played, one after a
# long silence and then several in a row; the onset is the first sample above -50 dBFS after
# each key press, against the press's time on the same clock.
parec --device=measure.monitor --format=s16le --rate=48000 --channels=1 --latency-msec=5 >"$folder/monitor.raw" &
recorder=$!
sleep 1
stamps=()
for gap in 4 0.5 0.5 0.5 0.5; do
    sleep "$gap"
    stamps+=("$(date +%s.%N)")
    xdotool key q
done
sleep 1
kill $recorder
python3 - "$folder/monitor.raw" "${stamps[@]}" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
samples = struct.unpack(f"<{len(data) // 2}h", data[: len(data) // 2 * 2])
onsets = [i for i in range(1, len(samples)) if abs(samples[i]) > 100 and all(abs(s) <= 100 for s in samples[max(0, i - 2400):i])]
stamps = [float(s) for s in sys.argv[2:]]
if len(onsets) < len(stamps):
    print("onsets: fewer sounds than key presses in the recording")
    sys.exit()
# The recording's start is not known on the stamps' clock: the spacing of the onsets against the
# spacing of the presses gives each onset's delay relative to the first (after silence).
first_gap = [(onsets[i] - onsets[0]) / 48.0 - (stamps[i] - stamps[0]) * 1000 for i in range(len(stamps))]
print("onset after silence vs during play (ms, relative to the first note):",
      " ".join(f"{d:+.1f}" for d in first_gap))
PY
xdotool key Escape
wait "$pid" || true
grep -i "sound through\|stopped working\|could not\|went away" "$folder/stderr.txt" || true
