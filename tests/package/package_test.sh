#!/usr/bin/env bash
# Builds the Debian package, checks what it holds, and runs the console from
# the extracted tree: --version, then --demo offscreen for a few seconds.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/*.deb) || fail "no package built"
dpkg-deb -x "$deb" "$work/root"
root=$work/root/usr

for f in bin/opr903 bin/r903-sim bin/opr903-launcher share/applications/opr903.desktop \
         share/icons/hicolor/scalable/apps/opr903.svg share/icons/hicolor/16x16/apps/opr903.png \
         share/icons/hicolor/32x32/apps/opr903.png share/icons/hicolor/48x48/apps/opr903.png \
         share/man/man1/opr903.1 share/man/man1/r903-sim.1; do
  [ -e "$root/$f" ] || fail "missing $f"
done
file "$root/share/icons/hicolor/48x48/apps/opr903.png" | grep -q '48 x 48' || fail "48 px icon has the wrong size"

desktop-file-validate "$root/share/applications/opr903.desktop" || fail "desktop entry"
for page in opr903 r903-sim; do
  warnings=$(MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done

depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6serialport6 libqt6multimedia6 libqt6svg6 qt6-qpa-plugins fonts-liberation2; do
  grep -q "$dep" <<<"$depends" || fail "package does not depend on $dep"
done

"$root/bin/opr903" --version | grep -q '1\.0' || fail "--version"

# The demo from the extracted tree, offscreen, with its own home folder.
export HOME=$work/home XDG_DATA_HOME=$work/home/data QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
status=0
timeout 5 "$root/bin/opr903" --demo --trace "$work/trace" || status=$?
[ "$status" -eq 124 ] || fail "--demo ended by itself with status $status"
grep -q ' tx 44' "$work/trace" || fail "--demo sent no identity request"
# The launcher passes on the device kept in the configuration folder, unless
# the command line names one.
mkdir -p "$work/stub" "$HOME/.config/opr903"
printf '#!/bin/sh\necho "$*"\n' >"$work/stub/opr903"
chmod +x "$work/stub/opr903"
printf '# the exchange behind ser2net\n  rfc2217://127.0.0.1:2217\n' >"$HOME/.config/opr903/device"
launched() { PATH="$work/stub:$PATH" "$root/bin/opr903-launcher" "$@"; }
[ "$(launched --trace t)" = "--device rfc2217://127.0.0.1:2217 --trace t" ] || fail "launcher: kept device not passed"
[ "$(launched --device /dev/ttyUSB0)" = "--device /dev/ttyUSB0" ] || fail "launcher: given device overridden"
echo "package ok: $(basename "$deb")"
