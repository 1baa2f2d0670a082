#!/usr/bin/env bash
# Rewrites the manual's pages on the firmware kinds (docs/handbuch/arten.html and art-*.html) from
# the recognition table, or with --check only says whether they are up to date.
#   tools/update-manual.sh [--check] [MANUAL_KINDS_PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
if [ "${1:-}" = "--check" ]; then
    check=true
    shift
fi
program=${1:-build/tools/kinds/manual_kinds}
manual=docs/handbuch

generated=$(mktemp -d)
trap 'rm -rf "$generated"' EXIT
"$program" "$generated"

# The pages as they are now: the list and every kind page, also those of kinds no longer known.
current=$(mktemp -d)
trap 'rm -rf "$generated" "$current"' EXIT
cp "$manual"/arten.html "$manual"/art-*.html "$current"/ 2>/dev/null || true

if $check; then
    if ! diff -ru "$current" "$generated"; then
        echo "The manual's pages on the firmware kinds are out of date: run tools/update-manual.sh" >&2
        exit 1
    fi
    echo "the manual has a page for every kind"
else
    rm -f "$manual"/arten.html "$manual"/art-*.html
    cp "$generated"/*.html "$manual"/
fi
