#!/usr/bin/env bash
# The window under a real X server (Xvfb, no window manager), driven by keyboard as a user would
# with xdotool: after loading a file given as argument the first row's address field has the focus,
# typing a digit marks the title, Ctrl+Z takes the mark out again, F1 opens the manual and its
# contents lead by keyboard to the drawing rules, and Ctrl+Q with an unsaved edit asks first: after
# Escape the window is still open and still marked.
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

# F1 opens the manual at its contents; Tab to the fifth link and Return reach the page with the
# drawing rules of the pattern editors, and Escape closes the manual again.
find_window() { # $1: a title pattern; prints the id of the visible window once it is there
    local id=""
    for _ in $(seq 50); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    echo "$id"
}
xdotool key F1
manual=$(find_window '^Inhalt .* Handbuch HEX Quendrabolt$')
[ -n "$manual" ] || { echo "FAIL: F1 opened no manual"; exit 1; }
echo "F1 opens: $(xdotool getwindowname "$manual")"
xdotool windowfocus --sync "$manual" 2>/dev/null || xdotool windowfocus "$manual"
sleep 0.3
xdotool key --delay 50 Tab Tab Tab Tab Tab Return
[ -n "$(find_window '^Blink- und LED-Muster .* Handbuch HEX Quendrabolt$')" ] ||
    { echo "FAIL: the fifth link of the contents does not lead to the drawing rules"; exit 1; }
echo "the fifth link leads to: $(xdotool getwindowname "$manual")"
xdotool key Escape
for _ in $(seq 30); do
    xdotool search --onlyvisible --name 'Handbuch HEX Quendrabolt$' >/dev/null 2>&1 || break
    sleep 0.1
done
! xdotool search --onlyvisible --name 'Handbuch HEX Quendrabolt$' >/dev/null 2>&1 ||
    { echo "FAIL: Escape did not close the manual"; exit 1; }
echo "Escape closes the manual"
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
sleep 0.3

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
