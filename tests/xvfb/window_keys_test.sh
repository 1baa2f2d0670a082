#!/usr/bin/env bash
# The window under a real X server (Xvfb, no window manager), driven by keyboard as a user would
# with xdotool: after loading a file given as argument the first row's address field has the focus,
# typing a digit marks the title, Ctrl+Z takes the mark out again, and Ctrl+Q with an unsaved edit
# asks first: after Escape the window is still open and still marked.
set -euo pipefail
app=${APP:?}
file=${FILE:?}
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

scratch=$(mktemp -d)
display=""
for n in $(seq 120 160); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
    kill "${window:-}" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

cp "$file" "$scratch/decoder.hex"
HOME=$scratch XDG_CONFIG_HOME=$scratch/config "$app" "$scratch/decoder.hex" >"$scratch/app.log" 2>&1 &
window=$!

wid=""
for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name '^Hex Quendra V0\.41' 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || { echo "FAIL: no window"; cat "$scratch/app.log"; exit 1; }
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
sleep 0.5

title() { xdotool getwindowname "$wid"; }
expect_title() { # $1: "marked" or "clean"
    local t
    for _ in $(seq 30); do
        t=$(title)
        if [ "$1" = marked ] && [[ "$t" == *'*' ]]; then return 0; fi
        if [ "$1" = clean ] && [[ "$t" != *'*' ]]; then return 0; fi
        sleep 0.1
    done
    echo "FAIL: title \"$t\" should be $1"
    exit 1
}

expect_title clean
echo "title after loading: $(title)"
xdotool type --delay 50 7
expect_title marked
echo "title after typing a digit: $(title)"
xdotool key ctrl+z
expect_title clean
echo "title after Ctrl+Z: $(title)"

xdotool type --delay 50 7
expect_title marked
xdotool key ctrl+q
asked=""
for _ in $(seq 50); do
    if xdotool search --onlyvisible --name '^Warnung$' >/dev/null 2>&1; then asked=yes; break; fi
    sleep 0.1
done
[ -n "$asked" ] || { echo "FAIL: Ctrl+Q did not ask"; exit 1; }
echo "Ctrl+Q asks before closing"
xdotool key Escape
sleep 0.5
kill -0 "$window" || { echo "FAIL: the window closed"; exit 1; }
expect_title marked
echo "after Escape the window is open and marked: $(title)"
echo "window keys ok"
