#!/usr/bin/env bash
# Measures what the built-in synthesizer costs where users run it, beside a sound server: a
# private sound server with a null sink, the program under Xvfb, and its processor use idle,
# with the rhythm playing, and with the full accompaniment and a held chord; then the onset of
# a note after a long silence and during play, and the loudest sample, from the null sink's
# monitor; last, the server is killed under the running program, which must keep running and
# say once that its device stopped.
#
# The server is PulseAudio (the default), or with --pipewire PipeWire with its session manager
# and its PulseAudio service, all in a private session bus and runtime folder, or with --jack a
# private JACK server on its dummy driver at 48 kHz and 128 frames (no monitor to record: no
# onsets there); --both runs PulseAudio and PipeWire one after the other, --all all three.
# Needs pulseaudio and pulseaudio-utils, pipewire, pipewire-pulse, wireplumber, dbus-daemon and
# jackd (make test installs them), Xvfb and xdotool.
# Usage: tools/measure-synth.sh [--pulseaudio | --pipewire | --jack | --both | --all] [seconds] [program]
set -euo pipefail
self=$(realpath "${BASH_SOURCE[0]}")

# Runs a command as a process group of its own, hands that group any signal that would end this
# script (so that the command's own clean-up runs), waits for the whole group, and returns the
# command's status.
in_own_group() {
    setsid "$@" &
    group=$!
    trap 'kill -TERM -- "-$group" 2>/dev/null || true' INT TERM HUP
    local status=0
    while kill -0 "$group" 2>/dev/null; do wait "$group" || status=$?; done
    # The rest of the group (a clean-up under way) gets ten seconds to end.
    for _ in {1..100}; do
        kill -0 -- "-$group" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL -- "-$group" 2>/dev/null || true
    trap - INT TERM HUP
    return "$status"
}

kind=pulseaudio
case ${1:-} in
    --pulseaudio) shift ;;
    --pipewire) kind=pipewire; shift ;;
    --jack) kind=jack; shift ;;
    --both | --all)
        every=(--pulseaudio --pipewire)
        [[ $1 == --all ]] && every+=(--jack)
        shift
        for one in "${every[@]}"; do
            in_own_group "$self" "$one" "$@" || echo "measure-synth: the $one run failed"
            echo
        done
        exit
        ;;
esac
# PipeWire and its session manager want a session bus: the script runs again inside one of
# its own, which ends with it. (The bus's complaint about its file limit, as root, is dropped.)
if [[ $kind == pipewire && -z ${MEASURE_SYNTH_BUS:-} ]]; then
    MEASURE_SYNTH_BUS=1 in_own_group dbus-run-session -- "$self" --pipewire "$@" \
        2> >(grep -v --line-buffered 'Failed to set fd limit' >&2)
    exit
fi

seconds=${1:-10}
program=$(realpath "${2:-build/bin/brioletta}")
ticks=$(getconf CLK_TCK)
runtime=$(mktemp -d)
folder=$(mktemp -d)
chmod 700 "$runtime"
cp -r "$(dirname "$program")"/. "$folder"
# A build folder that was built for the executable alone has no style library beside it, and
# without one the rhythm plays nothing: the repository's shipped data goes beside the copy.
if [[ ! -e $folder/styles.cfg ]]; then
    cp -r "$(dirname "$self")/../data/." "$folder"
    echo "measure-synth: no style library beside the program; the repository's data is used" >&2
fi
servers=()
others=()
pid=
jack_folder=

cleanup() {
    if [[ -n $pid ]]; then kill -KILL "$pid" 2>/dev/null || true; fi
    for p in "${others[@]}" "${servers[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$folder" "$runtime" ${jack_folder:+"$jack_folder"}
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# Waits up to five seconds for a command to succeed.
await() {
    for _ in {1..50}; do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "measure-synth: gave up waiting for: $*" >&2
    return 1
}

echo "== $kind"
# The sound clients (the program, pactl, parec) keep their cookie in the private folder and
# never start a server of their own when the private one is gone.
echo "autospawn = no" >"$runtime/client.conf"
export PULSE_CLIENTCONFIG=$runtime/client.conf PULSE_COOKIE=$runtime/cookie
# No other server of the user's is found: the runtime folder is the private one.
export XDG_RUNTIME_DIR=$runtime
if [[ $kind == jack ]]; then
    # A server of its own name; the program finds it through JACK_DEFAULT_SERVER. No other
    # sound server is there to fall back on. JACK 1 keeps a machine-wide table of eight server
    # names in which a killed server's entry stays until a server of the same name starts: one
    # fixed name takes one entry however often this runs (a name per run would fill the table).
    export JACK_DEFAULT_SERVER=measure-synth PULSE_SERVER=unix:$runtime/no-server
    jack_folder=/dev/shm/jack-$(id -u)/$JACK_DEFAULT_SERVER
    if pgrep -u "$(id -u)" -f "jackd .*--name $JACK_DEFAULT_SERVER " >/dev/null; then
        echo "measure-synth: a JACK server named $JACK_DEFAULT_SERVER runs already" >&2
        exit 1
    fi
    rm -rf "$jack_folder"  # a killed server's
    jackd --no-realtime --name "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 128 >"$runtime/jackd.log" 2>&1 &
    servers+=($!)
    await test -e "$jack_folder"
elif [[ $kind == pulseaudio ]]; then
    export PULSE_RUNTIME_PATH=$runtime PULSE_STATE_PATH=$runtime PULSE_SERVER=unix:$runtime/native
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no \
        -L "module-native-protocol-unix socket=$runtime/native auth-anonymous=1" \
        -L "module-null-sink sink_name=measure" -L "module-always-sink" >/dev/null 2>&1 &
    servers+=($!)
    await pactl info
else
    # Everything the servers find or keep is in the private folder: no user's configuration
    # is read, no user's state is written.
    export PULSE_SERVER=unix:$runtime/pulse/native
    private=(env XDG_CONFIG_HOME="$runtime/config" XDG_STATE_HOME="$runtime/state" XDG_DATA_HOME="$runtime/data")
    "${private[@]}" pipewire >"$runtime/pipewire.log" 2>&1 &
    servers+=($!)
    await test -S "$runtime/pipewire-0"
    "${private[@]}" wireplumber >"$runtime/wireplumber.log" 2>&1 &
    servers+=($!)
    "${private[@]}" pipewire-pulse >"$runtime/pipewire-pulse.log" 2>&1 &
    servers+=($!)
    await pactl info
    # The PulseAudio service makes the null sink as a PipeWire node that drives itself.
    pactl load-module module-null-sink sink_name=measure >/dev/null
fi
[[ $kind == jack ]] || await pactl set-default-sink measure

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$runtime/display" >/dev/null 2>&1 &
others+=($!)
await test -s "$runtime/display"
DISPLAY=:$(cat "$runtime/display")
export DISPLAY
cd "$folder"
"./$(basename "$program")" 2>"$folder/stderr.txt" &
pid=$!
cd - >/dev/null
window=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Brioletta - ' | head -1)
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
xdotool keydown q keydown e keydown t keydown u
measure "four piano keys held"
xdotool keyup q keyup e keyup t keyup u
sleep 8
xdotool key F10
measure "rhythm playing"
xdotool key F9 keydown z keydown c keydown b
measure "rhythm, four parts and a held chord"
xdotool keyup z keyup c keyup b key F9 key F10
sleep 8  # the last notes' releases and the reverb die away over some seconds
measure "idle again after playing"

# Onsets: the monitor of the null sink recorded while single notes are played, one after a
# long silence and then several in a row; the onset is the first sample above -50 dBFS after
# each key press, against the press's time on the same clock.
if [[ $kind == jack ]]; then
    echo "onsets: not measured (the dummy driver has no monitor)"
else
parec --device=measure.monitor --format=s16le --rate=48000 --channels=1 --latency-msec=5 >"$folder/monitor.raw" &
others+=($!)
sleep 1
stamps=()
for gap in 4 0.5 0.5 0.5 0.5; do
    sleep "$gap"
    stamps+=("$(date +%s.%N)")
    xdotool key q
done
sleep 1
kill "${others[-1]}"
python3 - "$folder/monitor.raw" "${stamps[@]}" <<'PY'
import math, struct, sys
data = open(sys.argv[1], "rb").read()
samples = struct.unpack(f"<{len(data) // 2}h", data[: len(data) // 2 * 2])
peak = max((abs(s) for s in samples), default=0)
print(f"loudest sample on the monitor: {20 * math.log10(peak / 32768):.1f} dBFS" if peak else
      "loudest sample on the monitor: silence")
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
fi

# The server goes away (killed, as by a crash) while the program runs and after that a note is
# played: the program notices within its two seconds without a period, and keeps running.
# (The shell's own report of the killed jobs goes nowhere.)
{ kill -KILL "${servers[@]}"; wait "${servers[@]}"; } 2>/dev/null || true
sleep 3
xdotool key q
sleep 1
notices=$(grep -c "stopped working" "$folder/stderr.txt" || true)
if kill -0 "$pid" 2>/dev/null; then
    echo "server killed: the program runs on, $notices notice(s) that the device stopped"
    measure "idle after the server went away"
else
    echo "server killed: the program ENDED, $notices notice(s) that the device stopped"
fi
xdotool keydown Escape
xdotool keyup Escape
for _ in {1..50}; do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "Escape did not end the program within 5 s"
else
    status=0
    wait "$pid" || status=$?
    pid=
    echo "the program ended with status $status"
fi
grep -i "sound through\|stopped working\|could not\|went away" "$folder/stderr.txt" || true
