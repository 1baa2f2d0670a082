#!/usr/bin/env bash
# Runs a test program as "nobody" when we are root (root may write into read-only folders), and
# skips when nobody cannot reach the program from here.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
if ! command -v setpriv >/dev/null || ! "${as_nobody[@]}" test -x "$1"; then
    echo "cannot run the test as nobody here: skipped"
    exit 77
fi
exec "${as_nobody[@]}" "$@"
