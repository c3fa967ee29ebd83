#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the file set, the desktop entry, the
# metainfo and uninstall; then builds the Debian package and runs lintian on it.
# Usage: install_package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/brio-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Another prefix than the build was configured with: the manual page must name it.
DESTDIR="$work/root" cmake --install "$build" --component program --prefix /opt/brioletta >/dev/null
prefix="$work/root/opt/brioletta"
expected=(
    bin/brioletta
    share/brioletta/styles.cfg share/brioletta/Help/Brioletta.html share/brioletta/Help/panel.png
    share/brioletta/SoundFonts/TimGM6mb.levels share/brioletta/SoundFonts/FluidR3_GM.levels
    share/brioletta/SoundFonts/MuseScore_General.levels
    share/applications/brioletta.desktop share/metainfo/net.brioletta.Brioletta.metainfo.xml
    share/mime/packages/brioletta.xml share/man/man1/brioletta.1.gz
    share/icons/hicolor/48x48/apps/brioletta.png share/icons/hicolor/128x128/apps/brioletta.png
    share/icons/hicolor/256x256/apps/brioletta.png share/icons/hicolor/scalable/apps/brioletta.svg
)
for file in "${expected[@]}"; do [[ -f "$prefix/$file" ]] || fail "not installed: $file"; done
count=$(find "$work/root" -type f | wc -l)
[[ $count -eq ${#expected[@]} ]] || fail "installed $count files, expected ${#expected[@]}"
[[ -x "$prefix/bin/brioletta" ]] || fail "the executable is not executable"
file "$prefix/share/icons/hicolor/128x128/apps/brioletta.png" | grep -q "128 x 128" || fail "icon size"

desktop-file-validate "$prefix/share/applications/brioletta.desktop" || fail "desktop entry"
grep -qx 'GenericName=Virtual Piano' "$prefix/share/applications/brioletta.desktop" || fail "generic name"
grep -qx 'Categories=AudioVideo;Audio;Midi;' "$prefix/share/applications/brioletta.desktop" || fail "categories"
grep -q '^MimeType=.*;audio/midi;' "$prefix/share/applications/brioletta.desktop" || fail "MIDI files"
appstreamcli validate --no-net "$prefix/share/metainfo/net.brioletta.Brioletta.metainfo.xml" >/dev/null ||
    fail "metainfo"
mkdir -p "$work/mime/packages" && cp "$prefix/share/mime/packages/brioletta.xml" "$work/mime/packages/"
update-mime-database "$work/mime" || fail "MIME file"
grep -q 'application/x-brioletta-workspace' "$work/mime/globs2" || fail "workspace type"
grep -q '\*.prc' "$work/mime/globs2" || fail "recording glob"
zgrep -q '^\.I /opt/brioletta/share/brioletta/$' "$prefix/share/man/man1/brioletta.1.gz" || fail "man page prefix"
"$prefix/bin/brioletta" --version | grep -q '^brioletta [0-9]' || fail "--version"

DESTDIR="$work/root" cmake --build "$build" --target uninstall >/dev/null
left=$(find "$work/root" -type f | wc -l)
[[ $left -eq 0 ]] || fail "uninstall left $left files"
[[ ! -d "$prefix/share/brioletta" ]] || fail "uninstall left share/brioletta"

if ! command -v lintian >/dev/null; then
    echo "SKIP: lintian is not installed; the package was not checked"
    exit 0
fi
(cd "$build" && cpack -G DEB >/dev/null 2>&1) || fail "cpack"
deb=$(ls "$build"/brioletta_*_*.deb | head -1)
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libsdl2* && $depends == *libfluidsynth* ]] || fail "library dependencies: $depends"
[[ $depends == *soundfont* && $depends == *fonts-wine* ]] || fail "no SoundFont or face dependency: $depends"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man1/brioletta.1.gz | zgrep -q '^\.I /usr/share/brioletta/$' ||
    fail "the package's man page prefix"
lintian --fail-on error "$deb" || fail "lintian"
echo "OK: $count files installed, package $(stat -c %s "$deb") bytes"
