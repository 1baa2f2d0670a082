#!/usr/bin/env bash
# Started where no display can be reached (none named, or one nobody serves), the window ends with
# a German message and exit code 1, not with Qt's English fatal message and an abort that dumps
# core; the settings sheet (--pdf) needs no display at all.
set -uo pipefail
app=${APP:?}
file=${FILE:?}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ulimit -c 0
fail() {
    echo "FAIL: $1"
    echo "--- stderr:"
    cat "$scratch/err"
    exit 1
}

for display in "" ":1999"; do
    if [ -z "$display" ]; then
        without=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
    else
        without=(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "DISPLAY=$display")
    fi
    HOME=$scratch XDG_RUNTIME_DIR=$scratch "${without[@]}" "$app" "$file" >"$scratch/out" 2>"$scratch/err"
    code=$?
    [ "$code" -eq 1 ] || fail "exit code $code without a display (DISPLAY=\"$display\"), expected 1"
    grep -q "keine grafische Anzeige erreichbar" "$scratch/err" || fail "no German message"
    if grep -qiE "qt\.qpa|could not|abort" "$scratch/err"; then
        fail "Qt's English messages reached the user"
    fi
    echo "without a display (DISPLAY=\"$display\"): exit 1 with the German message"
done

HOME=$scratch XDG_RUNTIME_DIR=$scratch env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$app" --pdf "$scratch/blatt.pdf" "$file" >"$scratch/out" 2>"$scratch/err"
code=$?
[ "$code" -eq 0 ] || fail "--pdf without a display: exit code $code"
[ "$(head -c 4 "$scratch/blatt.pdf" 2>/dev/null)" = "%PDF" ] || fail "--pdf wrote no PDF"
echo "--pdf without a display writes the sheet"
