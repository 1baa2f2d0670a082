#!/usr/bin/env bash
# A full disk, simulated by a tiny tmpfs in a private mount namespace: saving from the command line
# and from the window fails with a German message and leaves the old file and no temporary file.
#   full_disk_test.sh CLI GUI_TEST DEMO_DIR
set -euo pipefail
cli=$1 gui_test=$2 demos=$3

if ! unshare -rm true 2>/dev/null; then
    echo "no private mount namespace here: skipped"
    exit 77
fi

export cli gui_test demos
unshare -rm bash -euo pipefail -c '
    disk=$(mktemp -d)
    mount -t tmpfs -o size=48k tmpfs "$disk"
    cp "$demos/demo-45-mm.hex" "$disk/old.hex"
    # Leave less room than a second copy of the file needs.
    size=$(stat -c %s "$disk/old.hex")
    avail=$(( $(stat -f -c %a "$disk") * $(stat -f -c %S "$disk") ))
    head -c $(( avail > size / 2 ? avail - size / 2 : 0 )) /dev/zero > "$disk/filler" 2>/dev/null || true
    sha=$(sha256sum < "$disk/old.hex")

    echo "{\"outputs\": [{\"row\": 1, \"address\": 42}]}" > settings.json.tmp
    status=0
    "$cli" apply "$demos/demo-45-mm.hex" settings.json.tmp -o "$disk/old.hex" 2> err.txt || status=$?
    rm -f settings.json.tmp
    cat err.txt
    [ "$status" -eq 2 ] || { echo "apply exited $status, expected 2"; exit 1; }
    grep -q "konnte nicht geschrieben werden" err.txt
    rm -f err.txt
    [ "$(sha256sum < "$disk/old.hex")" = "$sha" ] || { echo "the old file changed"; exit 1; }

    HQ_SOURCE="$demos/demo-45-mm.hex" HQ_TARGET="$disk/old.hex" QT_QPA_PLATFORM=offscreen "$gui_test"
    [ "$(sha256sum < "$disk/old.hex")" = "$sha" ] || { echo "the old file changed"; exit 1; }
    leftovers=$(ls -A "$disk" | grep -v -e "^old.hex$" -e "^filler$" || true)
    [ -z "$leftovers" ] || { echo "left behind: $leftovers"; exit 1; }
    echo "full disk: old file intact"
'
