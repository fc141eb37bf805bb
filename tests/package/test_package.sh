#!/bin/sh
# Builds the Debian package from a build folder, lists it, and checks what it
# holds: the program, quenmark-payoff, the desktop entry, the icon and the
# README, its name and architecture, and its dependencies on the Qt 6 and
# libjpeg runtime packages; the packed payoff tool runs.
#   test_package.sh BUILD_DIR CMAKE_COMMAND
set -eu
build=$1
cpack="$(dirname "$2")/cpack"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
set -- "$out"/quenmark_*.deb
[ -f "$1" ] || fail "no quenmark_*.deb written"
deb=$1
echo "package: $(basename "$deb")"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

files=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for f in ./usr/bin/quenmark ./usr/bin/quenmark-payoff ./usr/share/applications/quenmark.desktop \
    ./usr/share/icons/hicolor/128x128/apps/quenmark.png ./usr/share/doc/quenmark/README.md; do
    echo "$files" | grep -qx "$f" || fail "missing $f"
done
# Nothing of the build or the tests goes in.
if echo "$files" | grep -Eq 'tst_|bench_|\.a$|/include/'; then fail "build or test files packed"; fi

[ "$(dpkg-deb -f "$deb" Package)" = quenmark ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//')
for p in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins libjpeg62-turbo; do
    echo "$depends" | grep -q "^$p\( \|$\)" || fail "no dependency on $p"
done

dpkg-deb -x "$deb" "$out/root"
grep -qx 'Exec=quenmark' "$out/root/usr/share/applications/quenmark.desktop" || fail "desktop entry does not start quenmark"
grep -qx 'Exec=quenmark --my-cards' "$out/root/usr/share/applications/quenmark.desktop" || fail "no My Cards action"
"$out/root/usr/bin/quenmark-payoff" 17.9 2100 53 | grep -qx 'months: 183' || fail "packed quenmark-payoff"
echo "package ok"
