#!/usr/bin/env bash
# Rewrites the README's list of firmware kinds from the recognition table, or with --check only
# says whether it is up to date.
#   tools/update-readme.sh [--check] [KINDS_TABLE_PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
if [ "${1:-}" = "--check" ]; then
    check=true
    shift
fi
program=${1:-build/tools/kinds/kinds_table}

begin='<!-- kinds:begin -->'
end='<!-- kinds:end -->'
generated=$(mktemp)
trap 'rm -f "$generated" "$generated.readme"' EXIT
"$program" >"$generated"
awk -v begin="$begin" -v end="$end" -v table="$generated" '
    $0 == begin { print; while ((getline line < table) > 0) print line; skipping = 1; next }
    $0 == end { skipping = 0 }
    !skipping { print }
' README.md >"$generated.readme"

if $check; then
    if ! diff -u README.md "$generated.readme"; then
        echo "The README's list of firmware kinds is out of date: run tools/update-readme.sh" >&2
        exit 1
    fi
    echo "README lists every kind"
else
    cp "$generated.readme" README.md
fi
