#!/bin/bash
# A keyboard-only walk through Quenmark under the Orca screen reader, headless,
# for people to run by hand (the test suite never needs Orca).
#
#   tools/screenreader/walk.sh [path/to/quenmark]      (default: build/quenmark)
#
# Needs: Xvfb, dbus-run-session, at-spi2-core, orca, xdotool, openbox.
# It starts Xvfb with a session D-Bus and the AT-SPI bus, openbox, Orca with a
# throwaway HOME and a debug file (every utterance is logged there as
# "SPEECH OUTPUT: '...'"; no speech server is needed), then the program with
# its accessibility bridge on, and drives it with xdotool. For each step it
# prints what Orca said; the whole debug log stays in $WALK_OUT (default
# /tmp/quenmark-walk).
#
# The steps: the update reminder, the contents screen, chapter 2's eight pages
# and its calculator (the running example, Calculate, then Tab through the
# results), back to the contents screen, chapter 7's five pages and its
# calculator (the same card with $5 extra); then My Cards on its own
# ("quenmark --my-cards"): Down and Up through the cards table's rows, Right
# along a row's columns.
set -u

if [ "${1:-}" = "--inside" ]; then
    shift
    INSIDE=1
else
    INSIDE=0
fi

PROGRAM=$(realpath "${1:-build/quenmark}")
OUT=${WALK_OUT:-/tmp/quenmark-walk}
STEP_WAIT=${WALK_STEP_WAIT:-3}

if [ "$INSIDE" = 0 ]; then
    for tool in Xvfb dbus-run-session orca xdotool openbox; do
        command -v "$tool" >/dev/null || { echo "walk.sh: $tool is not installed" >&2; exit 1; }
    done
    [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "walk.sh: at-spi2-core is not installed" >&2; exit 1; }
    [ -x "$PROGRAM" ] || { echo "walk.sh: no program at $PROGRAM" >&2; exit 1; }
    rm -rf "$OUT"
    mkdir -p "$OUT/home"
    # A free display number.
    n=77
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    HOME="$OUT/home" XDG_RUNTIME_DIR="$OUT/home" XDG_CONFIG_HOME="$OUT/home/.config" \
        XDG_DATA_HOME="$OUT/home/.local/share" DISPLAY=":$n" \
        dbus-run-session -- "$0" --inside "$PROGRAM"
    status=$?
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    exit $status
fi

# ---- inside the session bus, on the virtual display -------------------------------
LOG="$OUT/orca-debug.log"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$OUT/atspi.log" 2>&1 &
pids+=($!)
sleep 1
openbox >"$OUT/openbox.log" 2>&1 &
pids+=($!)
sleep 0.5
gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null
orca --replace --debug-file="$LOG" >"$OUT/orca.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q "SPEECH OUTPUT" "$LOG" 2>/dev/null && break; sleep 0.2; done
sleep 1

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$PROGRAM" >"$OUT/program.log" 2>&1 &
app=$!
pids+=($app)

# What Orca said since the last mark, one utterance a line.
mark=0
said() {
    local size
    sleep "$1"
    size=$(stat -c %s "$LOG")
    tail -c +"$((mark + 1))" "$LOG" | head -c "$((size - mark))" |
        python3 -c '
import re, sys
for line in sys.stdin:
    m = re.search(r"SPEECH OUTPUT: \x27(.*)\x27(\{.*\})?$", line.rstrip("\n"))
    # Key echo ("tab ", "E ") is left out: one word and a blank.
    if m and m.group(1).strip() and not re.fullmatch(r"(left |right )?\S+ ", m.group(1)):
        print("      " + m.group(1))
'
    mark=$size
}
step() { # step "what" key... : presses the keys, then prints what Orca said
    local what=$1
    shift
    echo "== $what"
    for k in "$@"; do
        case "$k" in
        type:*) xdotool type --delay 60 -- "${k#type:}" ;;
        *) xdotool key --delay 80 "$k" ;;
        esac
        sleep 0.3
    done
    said "$STEP_WAIT"
}

echo "== start: the update reminder"
sleep 6
said 0

step "OK on the reminder" Return
sleep 1
step "Tab x3 to chapter 2" Tab Tab Tab
step "Enter: chapter 2 opens" Return
sleep 2
said 0
for p in 2 3 4 5 6 7 8; do
    step "Enter: page $p" Return
done
boxes() {
    step "type the creditor name" "type:Example Card"
    step "Tab to the APR box" Tab
    step "type 17.9" "type:17.9"
    step "Tab to the balance box" Tab
    step "type 2100" "type:2100"
    step "Tab to the payment box" Tab
    step "Shift+Tab back to the balance box (now 2100.00)" shift+Tab
    step "Tab to the payment box" Tab
    step "type 53" "type:53"
}
boxes
step "Tab to Calculate" Tab
step "Enter on Calculate" Return
sleep 3
said 0
for r in 1 2 3 4 5 6; do
    step "Tab $r after the run" Tab
done
step "Tab, Tab: to Table of Contents" Tab Tab
step "Enter: back to the contents screen" Return
sleep 2
said 0
step "Tab x8 to chapter 7" Tab Tab Tab Tab Tab Tab Tab Tab
step "Enter: chapter 7 opens" Return
sleep 2
said 0
for p in 2 3 4 5; do
    step "Enter: page $p" Return
done
boxes
step "Tab to Calculate" Tab
step "Enter on Calculate" Return
sleep 4
said 0
for r in 1 2 3 4 5 6 7 8 9 10 11; do
    step "Tab $r after the run" Tab
done

kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$PROGRAM" --my-cards >"$OUT/my-cards.log" 2>&1 &
app=$!
pids+=($app)
echo "== My Cards opens (--my-cards)"
sleep 5
said 0
step "Down: the next card" Down
step "Down: the next card" Down
step "Up: back a card" Up
step "Right: the next column" Right
step "Right: the next column" Right
step "Down: the same column of the next card" Down

echo "== done; the whole log is $LOG"
