#!/usr/bin/env bash
# The layout window under a real X server (Xvfb, no window manager), used with the keyboard as a
# user would, with xdotool: "Anlage öffnen…" (Ctrl+Shift+O) opens a layout folder whose title
# counts one clash; the filter and Enter open the clashing decoder in its own window; its address
# is changed and saved there, and the layout's title shows the clash gone; a series of ten is made
# through "Serie erzeugen…"; the layout sheet is saved as a PDF, whose text holds the cover and a
# sheet per decoder.
#
# Made to hold under load like window_keys_test.sh: Xvfb picks its display (-displayfd), every wait
# checks that the program still runs and allows far more time than an idle machine needs. On
# failure the program's log, the X server's log and a screenshot are kept in $KEEP.
set -uo pipefail
app=${APP:?}
cli=${CLI:?}
keep=${KEEP:-}
for tool in Xvfb xdotool pdftotext; do
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
    echo "--- windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
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
            fail "the program ended (exit code $?) while waiting for: $*"
        fi
        sleep 0.1
    done
    "$@"
}

# The layout: three turnout decoders on DCC 1–12 and a signal on 6, which clashes with
# weiche-02.hex row 2.
layout="$scratch/anlage"
mkdir -p "$layout" "$scratch/vorlagen" "$scratch/neu"
"$cli" demo 32 --protocol dcc -o "$scratch/vorlagen/weiche.hex" >/dev/null &&
    "$cli" demo 28 --protocol dcc -o "$scratch/vorlagen/signal.hex" >/dev/null &&
    "$cli" series "$scratch/vorlagen/weiche.hex" --count 3 --first 1 -o "$layout" >/dev/null &&
    "$cli" series "$scratch/vorlagen/signal.hex" --count 1 --first 6 --name signal -o "$scratch/neu" >/dev/null ||
    fail "the layout could not be made"
mv "$scratch/neu/signal-01.hex" "$layout/signal.hex"
"$cli" layout "$layout" >/dev/null 2>&1 && fail "the layout should have a clash"

. "$(dirname "$0")/xvfb_server.sh"
start_xvfb 1600x1000
echo "Xvfb on $DISPLAY"

env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" \
    XDG_RUNTIME_DIR="$scratch" HQ_QT_DETAILS=1 "$app" >"$scratch/app.log" 2>&1 &
window=$!

found=""
find_window() { # $1: a title pattern
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$found" ]
}
focus() { # $1: a window id
    xdotool windowfocus "$1" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}
window_count() { # $1: a title pattern, $2: the count
    [ "$(xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l)" -eq "$2" ]
}

wait_for 60 find_window '^Hex Quendra V0\.41$' || fail "no main window"
main=$found
wait_for 30 focus "$main" || fail "the main window does not take the focus"

# Datei → Anlage öffnen… asks for the folder.
xdotool key ctrl+shift+o
wait_for 30 find_window '^Anlage öffnen: Ordner mit den HEX-Dateien$' || fail "Ctrl+Shift+O asked for no folder"
wait_for 30 focus "$found" || fail "the folder dialog does not take the focus"
sleep 0.3
xdotool type --delay 20 "$layout"
xdotool key Return
wait_for 60 find_window '^Anlage anlage – 1 Doppelbelegung – HEX Quendrabolt$' ||
    fail "the layout window does not count the clash in its title"
layout_window=$found
echo "layout opened: $(xdotool getwindowname "$layout_window")"

# The filter narrows the address table to the signal; Alt+S moves into it, Enter opens the decoder.
wait_for 30 focus "$layout_window" || fail "the layout window does not take the focus"
xdotool key ctrl+f
xdotool type --delay 30 'signal'
xdotool key alt+s Down Return
wait_for 60 find_window '^Hex Quendra V0\.41 – signal\.hex$' || fail "Enter did not open signal.hex in a window"
decoder=$found
echo "decoder opened: $(xdotool getwindowname "$decoder")"

# The address field has the focus: 13 instead of 6, then "Speichern" over the file.
wait_for 30 focus "$decoder" || fail "the decoder window does not take the focus"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 50 13
wait_for 30 find_window '^Hex Quendra V0\.41 – signal\.hex\*$' || fail "typing did not mark the decoder window"
xdotool key ctrl+s
wait_for 30 window_count '^Speichern unter$' 1 || fail "Ctrl+S asked for no file name"
sleep 0.3
xdotool key Return
# The file dialog asks before replacing the file.
wait_for 30 window_count '^Speichern unter$' 2 || fail "the file dialog did not ask before replacing signal.hex"
sleep 0.3
xdotool key alt+j
wait_for 30 find_window '^Hex Quendra V0\.41 – signal\.hex$' || fail "the decoder window was not saved"
wait_for 60 find_window '^Anlage anlage – HEX Quendrabolt$' || fail "the layout still counts a clash after the save"
echo "after the save: $(xdotool getwindowname "$found")"
"$cli" layout "$layout" >/dev/null 2>&1 || fail "the command line still finds a clash"

# Anlage → Serie erzeugen… with the first decoder as template: ten files named block-NN.
wait_for 30 focus "$layout_window" || fail "the layout window does not take the focus back"
xdotool key ctrl+f ctrl+a BackSpace
xdotool key alt+a
sleep 0.5
xdotool key s
wait_for 30 find_window '^Serie erzeugen$' || fail "Serie erzeugen… opened no dialog"
series=$found
wait_for 30 focus "$series" || fail "the series dialog does not take the focus"
xdotool key alt+n ctrl+a
xdotool type --delay 30 block
xdotool key alt+a ctrl+a
xdotool type --delay 30 10
sleep 0.5
xdotool key Return
ten_written() { [ "$(find "$layout" -name 'block-*.hex' | wc -l)" -eq 10 ]; }
wait_for 60 ten_written || fail "the series of ten was not written"
series_closed() { ! xdotool search --onlyvisible --name '^Serie erzeugen$' >/dev/null 2>&1; }
wait_for 30 series_closed || fail "the series dialog stayed open"
echo "series written: $(cd "$layout" && ls block-*.hex | tr '\n' ' ')"

# Anlage → Anlagenblatt als PDF speichern…
pdf="$scratch/blatt.pdf"
wait_for 30 focus "$layout_window" || fail "the layout window does not take the focus back"
xdotool key alt+a
sleep 0.5
xdotool key p
wait_for 30 window_count '^Speichern unter$' 1 || fail "the PDF entry asked for no file name"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 20 "$pdf"
xdotool key Return
pdf_written() { [ -s "$pdf" ]; }
wait_for 60 pdf_written || fail "no PDF was written"
text=$(pdftotext -layout "$pdf" -)
for expected in 'HEX Quendrabolt · Anlagenblatt' 'Doppelbelegungen: 0 nicht gewollt, 0 gewollt' 'block-10.hex'; do
    grep -qF "$expected" <<<"$text" || fail "the PDF lacks \"$expected\""
done
sheets=$(grep -c 'HEX Quendrabolt · Einstellungsblatt' <<<"$text")
[ "$sheets" -eq 14 ] || fail "the PDF has $sheets decoder sheets instead of 14"
echo "layout sheet: $(pdfinfo "$pdf" 2>/dev/null | grep Pages) with 14 decoder sheets"
echo "layout window ok"
