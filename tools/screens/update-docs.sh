#!/bin/sh
# Renders every screen and page (build/screens/) and copies the ones the
# README shows into docs/screens/.   usage: tools/screens/update-docs.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake --build "$build" --target quenmark-screens -j 2 >/dev/null
rm -rf "$build/screens"
"$build/quenmark-screens" "$build/screens"
mkdir -p docs/screens
for name in contents ch1_page03 ch2_calculator ch3_page05 ch6_page03_pointed ch7_calculator ch8_page03_pointed \
    ch8_page08_pointed ch9_page02_pointed goodbye; do
    cp "$build/screens/$name.png" docs/screens/
done
echo "docs/screens updated"
