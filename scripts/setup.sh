#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need, and nothing when all
# of them are present already.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config make
    libsdl2-dev libx11-dev
    libfreetype-dev libfontconfig-dev fonts-wine fonts-dejavu-core
    librtmidi-dev libasound2-dev
    libfluidsynth-dev timgm6mb-soundfont fluid-soundfont-gm
    libpng-dev
    libebur128-dev libsndfile1-dev sox pulseaudio pulseaudio-utils
    libgtest-dev libgmock-dev libbenchmark-dev python3-mido
    xvfb xauth xdotool x11-utils openbox weston xwayland
    pipewire pipewire-pulse wireplumber dbus-daemon
    # JACK 1's server: the JACK library the MIDI and synthesizer packages bring is JACK 1's, and
    # jackd2 would replace it (and remove librtmidi-dev).
    jackd1
    zenity xdg-user-dirs
    desktop-file-utils appstream shared-mime-info lintian dpkg-dev fakeroot man-db
)

# `setup.sh fuzz` also installs the compiler with the fuzzing engine.
if [[ "${1:-}" == "fuzz" ]]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
run_as_root=()
if [[ $(id -u) -ne 0 ]]; then
    run_as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${run_as_root[@]}" apt-get update -qq
"${run_as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
