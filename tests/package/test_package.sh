#!/bin/sh
# Builds the Debian package from a build folder, lists it, and checks what it
# holds: the program, quenmark-payoff, their manual pages, the desktop entry,
# the AppStream metainfo, the icon, the README, the copyright file and the
# changelog, its name and architecture, and its dependencies on the Qt 6 and
# libjpeg runtime packages; the packed payoff tool runs. lintian finds no error
# or warning in it, desktop-file-validate none in the desktop entry and
# appstreamcli none in the metainfo (tools/setup-debian.sh installs all three).
#   test_package.sh BUILD_DIR CMAKE_COMMAND
set -eu
build=$1
cpack="$(dirname "$2")/cpack"
src=$(cd "$(dirname "$0")/../.." && pwd)
metainfo=usr/share/metainfo/example.owlhaven.quenmark.metainfo.xml
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
    ./usr/share/icons/hicolor/128x128/apps/quenmark.png ./usr/share/doc/quenmark/README.md \
    ./usr/share/doc/quenmark/copyright ./usr/share/doc/quenmark/changelog.gz ./$metainfo \
    ./usr/share/man/man1/quenmark.1.gz ./usr/share/man/man1/quenmark-payoff.1.gz; do
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

# The manual pages and the changelog are the sources, compressed the same way
# every build (gzip -9n: no name, no time stamp).
for f in man/quenmark.1:usr/share/man/man1/quenmark.1.gz man/quenmark-payoff.1:usr/share/man/man1/quenmark-payoff.1.gz \
    debian/changelog:usr/share/doc/quenmark/changelog.gz; do
    gzip -9n -c "$src/docs/${f%%:*}" | cmp -s - "$out/root/${f#*:}" || fail "${f#*:} is not docs/${f%%:*} compressed with gzip -9n"
done
cmp -s "$src/docs/debian/copyright" "$out/root/usr/share/doc/quenmark/copyright" || fail "copyright"
# The changelog and the metainfo name the package's version.
version=$(dpkg-deb -f "$deb" Version)
zcat "$out/root/usr/share/doc/quenmark/changelog.gz" | head -1 | grep -q "^quenmark ($version) " ||
    fail "the changelog's first entry is not version $version"
grep -q "<release version=\"$version\"" "$out/root/$metainfo" || fail "the metainfo has no release $version"
grep -q '<launchable type="desktop-id">quenmark.desktop</launchable>' "$out/root/$metainfo" ||
    fail "the metainfo does not launch quenmark.desktop"
# Every screenshot is one of the pictures in docs/ (the web site publishes them under the same names).
shots=$(grep -o '<image[^>]*>[^<]*</image>' "$out/root/$metainfo" | sed 's/<[^>]*>//g')
[ -n "$shots" ] || fail "the metainfo has no screenshots"
for url in $shots; do
    name=${url##*/}
    [ -f "$src/docs/screens/$name" ] || [ -f "$src/docs/$name" ] || fail "screenshot $name is not in docs/"
done

# Debian's own checks; the tools come from tools/setup-debian.sh.
for t in lintian desktop-file-validate appstreamcli; do
    command -v "$t" >/dev/null 2>&1 || fail "$t is missing (tools/setup-debian.sh installs it)"
done
echo "lintian:"
lintian --fail-on error,warning --display-info "$deb" 2>"$out/lintian.err" || {
    cat "$out/lintian.err"
    fail "lintian reports errors or warnings"
}
checked=$(desktop-file-validate "$out/root/usr/share/applications/quenmark.desktop" 2>&1) || {
    echo "$checked"
    fail "desktop-file-validate"
}
if echo "$checked" | grep -Eq 'error|warning'; then echo "$checked"; fail "desktop-file-validate warns"; fi
echo "appstreamcli:"
status=0
validated=$(appstreamcli validate --no-net "$out/root/$metainfo" 2>&1) || status=$?
echo "$validated"
[ "$status" -eq 0 ] || fail "appstreamcli validate exited with $status"
if echo "$validated" | grep -q '^[EW]:'; then fail "appstreamcli reports errors or warnings"; fi
echo "package ok"
