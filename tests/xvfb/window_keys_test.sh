#!/usr/bin/env bash
# The window under a real X server (Xvfb, no window manager), driven by keyboard as a user would
# with xdotool: after loading a file given as argument the first row's address field has the focus,
# typing a digit marks the title, Ctrl+Z takes the mark out again, F1 opens the manual and its
# contents lead by keyboard to the drawing rules, and Ctrl+Q with an unsaved edit asks first: after
# Escape the window is still open and still marked.
#
# Made to hold under load: Xvfb picks a free display itself and says when it accepts connections
# (-displayfd), so no other run can take the display and the window never starts before its server
# (it would end for want of a display); every wait checks that the window is still running and
# allows far more time than an idle machine needs. On failure the window's log, the X server's log
# and a screenshot (the frame buffer as an XWD file; `xwud -in` shows it) are kept in $KEEP.
set -uo pipefail
app=${APP:?}
file=${FILE:?}
keep=${KEEP:-}
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

scratch=$(mktemp -d)
xvfb=""
window=""
finish() {
    local status=$?
    if [ "$status" -ne 0 ] && [ -n "$keep" ]; then
        rm -rf "$keep"
        mkdir -p "$keep"
        cp "$scratch/app.log" "$keep/window.log" 2>/dev/null || true
        cp "$scratch/xvfb.log" "$keep/xvfb.log" 2>/dev/null || true
        cp "$scratch/Xvfb_screen0" "$keep/screenshot.xwd" 2>/dev/null || true
        echo "kept for a look: $keep (window.log, xvfb.log, screenshot.xwd)"
    fi
    [ -n "$window" ] && kill "$window" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$scratch"
    exit "$status"
}
trap finish EXIT
fail() {
    echo "FAIL: $1"
    if [ -n "$xvfb" ] && ! kill -0 "$xvfb" 2>/dev/null; then
        wait "$xvfb"
        echo "Xvfb has ended (exit code $?)"
    fi
    for log in app.log xvfb.log; do
        if [ -s "$scratch/$log" ]; then
            echo "--- $log:"
            cat "$scratch/$log"
        fi
    done
    exit 1
}
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    while [ "$SECONDS" -lt "$deadline" ]; do
        "$@" && return 0
        if [ -n "$window" ] && ! kill -0 "$window" 2>/dev/null; then
            wait "$window"
            fail "the window ended (exit code $?) while waiting for: $*"
        fi
        sleep 0.1
    done
    "$@"
}

. "$(dirname "$0")/xvfb_server.sh"
start_xvfb 1280x1024
echo "Xvfb on $DISPLAY"

cp "$file" "$scratch/decoder.hex"
# The window gets the X server even where the tests run offscreen.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" \
    XDG_RUNTIME_DIR="$scratch" HQ_QT_DETAILS=1 "$app" "$scratch/decoder.hex" >"$scratch/app.log" 2>&1 &
window=$!

wid=""
find_window() {
    wid=$(xdotool search --onlyvisible --name '^Hex Quendra V0\.41.*decoder\.hex' 2>/dev/null | head -1)
    [ -n "$wid" ]
}
wait_for 60 find_window || fail "no window with the loaded file"
focused() {
    xdotool windowfocus "$wid" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$wid" ]
}
wait_for 30 focused || fail "the window does not take the focus"

title() { xdotool getwindowname "$wid"; }
is_marked() { [[ "$(title)" == *'*' ]]; }
is_clean() { [[ "$(title)" != *'*' ]]; }
expect_title() { # $1: marked or clean
    if [ "$1" = marked ]; then
        wait_for 30 is_marked || fail "title \"$(title)\" should be marked"
    else
        wait_for 30 is_clean || fail "title \"$(title)\" should be clean"
    fi
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
manual=""
manual_shown() { # $1: a title pattern
    manual=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$manual" ]
}
xdotool key F1
wait_for 30 manual_shown '^Inhalt .* Handbuch HEX Quendrabolt$' || fail "F1 opened no manual"
echo "F1 opens: $(xdotool getwindowname "$manual")"
manual_focused() {
    xdotool windowfocus "$manual" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$manual" ]
}
wait_for 30 manual_focused || fail "the manual does not take the focus"
sleep 0.3
xdotool key --delay 50 Tab Tab Tab Tab Tab Return
wait_for 30 manual_shown '^Blink- und LED-Muster .* Handbuch HEX Quendrabolt$' ||
    fail "the fifth link of the contents does not lead to the drawing rules"
echo "the fifth link leads to: $(xdotool getwindowname "$manual")"
xdotool key Escape
manual_gone() { ! xdotool search --onlyvisible --name 'Handbuch HEX Quendrabolt$' >/dev/null 2>&1; }
wait_for 30 manual_gone || fail "Escape did not close the manual"
echo "Escape closes the manual"
wait_for 30 focused || fail "the window does not take the focus back"

xdotool type --delay 50 7
expect_title marked
xdotool key ctrl+q
asked() { xdotool search --onlyvisible --name '^Warnung$' >/dev/null 2>&1; }
wait_for 30 asked || fail "Ctrl+Q did not ask"
echo "Ctrl+Q asks before closing"
xdotool key Escape
asked_no_more() { ! asked; }
wait_for 30 asked_no_more || fail "Escape did not close the question"
sleep 1 # a window that was closing after all has ended by now
kill -0 "$window" 2>/dev/null || fail "the window closed"
expect_title marked
echo "after Escape the window is open and marked: $(title)"
echo "window keys ok"
