#!/usr/bin/env bash
# Builds both Debian packages with one cpack run, holds each to lintian (no error, no warning), checks
# their fields, unpacks each into its own scratch root and runs and checks what is installed there:
# the programs, the manual compiled into the window, the manual pages, copyright and changelog, the
# desktop entry and the metainfo.
set -euo pipefail
build=${BUILD_DIR:?}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A group-writable umask must not leak into the packages' folder modes.
(cd "$build" && umask 0002 && cpack -G DEB -B "$scratch/out" >/dev/null)
app_deb=$(ls "$scratch"/out/hexquendra_*.deb)
cli_deb=$(ls "$scratch"/out/hexquendra-cli_*.deb)
version=$(dpkg-deb --field "$app_deb" Version)
[[ "$(dpkg-deb --field "$cli_deb" Version)" == "$version" ]] || fail "the two packages differ in version"
echo "version $version"

# lintian: the packages pass without error or warning (information tags may stay).
lintian "$app_deb" "$cli_deb" >"$scratch/lintian" 2>"$scratch/lintian.err" || true
cat "$scratch/lintian"
if grep -E '^[EW]: ' "$scratch/lintian"; then
    fail "lintian reports errors or warnings"
fi
if grep -vE '^running with root privileges' "$scratch/lintian.err" | grep -q .; then
    cat "$scratch/lintian.err" >&2
    fail "lintian could not check the packages"
fi

# Fields.
app_depends=$(dpkg-deb --field "$app_deb" Depends)
cli_depends=$(dpkg-deb --field "$cli_deb" Depends)
echo "hexquendra Depends: $app_depends"
echo "hexquendra-cli Depends: $cli_depends"
for needed in libqt6widgets6 shared-mime-info qt6-translations-l10n; do
    [[ ", $app_depends," == *", $needed "* || ", $app_depends," == *", $needed,"* ]] ||
        fail "hexquendra does not depend on $needed"
done
[[ "$(dpkg-deb --field "$app_deb" Recommends)" == *hexquendra-cli* ]] ||
    fail "hexquendra does not recommend hexquendra-cli"
for deb in "$app_deb" "$cli_deb"; do
    description=$(dpkg-deb --field "$deb" Description)
    [[ $(wc -l <<<"$description") -ge 10 ]] || fail "$deb: the extended description is missing"
    grep -q 'ü\|ä' <<<"$description" || fail "$deb: no German in the description"
done

dpkg -x "$app_deb" "$scratch/app"
dpkg -x "$cli_deb" "$scratch/cli"
app="$scratch/app/usr"
cli="$scratch/cli/usr"

# Each package holds only its own program.
test -x "$app/bin/hexquendra" || fail "hexquendra is not installed"
test -x "$cli/bin/hexquendra-cli" || fail "hexquendra-cli is not installed"
[[ "$(ls "$app/bin")" == hexquendra ]] || fail "hexquendra ships more than the window: $(ls "$app/bin")"
[[ "$(ls "$cli/bin")" == hexquendra-cli ]] || fail "hexquendra-cli ships more than the command line"
[[ ! -e "$cli/share/applications" && ! -e "$cli/share/metainfo" ]] ||
    fail "hexquendra-cli ships desktop files"
for program in "$app/bin/hexquendra" "$cli/bin/hexquendra-cli"; do
    file "$program" | grep -q ', stripped' || fail "$program is not stripped"
done

# The command line from its own root, without the window's package.
cli_version=$("$cli/bin/hexquendra-cli" --version)
echo "$cli_version"
[[ "$cli_version" == "hexquendra-cli $version" ]] || fail "--version prints \"$cli_version\""
"$cli/bin/hexquendra-cli" demo 31 -o "$scratch/demo.hex"
"$cli/bin/hexquendra-cli" check "$scratch/demo.hex"

# The window starts from its root and pictures the demo firmware without a screen.
QT_QPA_PLATFORM=offscreen "$app/bin/hexquendra" --screenshot "$scratch/window.png" "$scratch/demo.hex"
test -s "$scratch/window.png" || fail "the window wrote no picture"

# The manual is compiled into the window (uncompressed): every page of docs/handbuch is in the
# installed program.
manual_source="$(cd "$(dirname "$0")/../.." && pwd)/docs/handbuch"
pages=0
for page in "$manual_source"/*.html; do
    title=$(grep -o '<title>.*</title>' "$page")
    [[ -n "$title" ]] || fail "$page has no title"
    grep -qaF "$title" "$app/bin/hexquendra" || fail "the installed window lacks the manual page $(basename "$page")"
    pages=$((pages + 1))
done
echo "manual: $pages pages in the window"

# Copyright and changelog in each package's documentation folder, gzipped without a time stamp.
check_gzip() {
    local mtime
    mtime=$(od -An -tu4 -j4 -N4 "$1" | tr -d ' ')
    [[ "$mtime" == 0 ]] || fail "$1 carries a time stamp"
    gzip -t "$1" || fail "$1 is not a valid gzip file"
}
for root in "$scratch/app" "$scratch/cli"; do
    package=$(basename "$(ls -d "$root"/usr/share/doc/*)")
    doc="$root/usr/share/doc/$package"
    head -1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/.*/copyright-format/1.0/' ||
        fail "$package: copyright is not machine-readable"
    grep -q '^License: GPL-3.0-or-later$' "$doc/copyright" || fail "$package: copyright names no licence"
    check_gzip "$doc/changelog.gz"
    [[ "$(zcat "$doc/changelog.gz" | head -1)" == "hexquendra ($version) "* ]] ||
        fail "$package: the newest changelog entry is not version $version"
done

# Manual pages: readable, without groff warnings, with a German NAME line for whatis.
check_manual() {
    local page=$1 name=$2
    test -f "$page" || fail "$page is missing"
    check_gzip "$page"
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" >/dev/null 2>"$scratch/man.err"
    if [[ -s "$scratch/man.err" ]]; then
        cat "$scratch/man.err" >&2
        fail "$page: groff warnings"
    fi
    lexgrog "$page" | grep -q "\"$name - " || fail "$page: no NAME line for whatis"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" >"$scratch/$name.txt"
    grep -q '^BEZEICHNUNG' "$scratch/$name.txt" ||
        fail "$page: headings not German (help2man needs the de_DE locale sources, package locales)"
    grep -q "$version" "$scratch/$name.txt" || fail "$page: does not name version $version"
}
check_manual "$app/share/man/man1/hexquendra.1.gz" hexquendra
check_manual "$cli/share/man/man1/hexquendra-cli.1.gz" hexquendra-cli
for option in --screenshot --pdf; do
    grep -q -- "$option" "$scratch/hexquendra.txt" || fail "hexquendra.1 does not describe $option"
done
for command in show apply check demo; do
    grep -q "^ *$command " "$scratch/hexquendra-cli.txt" || fail "hexquendra-cli.1 lacks the command $command"
done

# Desktop entry, icon, MIME type and metainfo of the window.
id=org.hexquendrabolt.HexQuendrabolt
desktop="$app/share/applications/$id.desktop"
metainfo="$app/share/metainfo/$id.metainfo.xml"
test -f "$app/share/icons/hicolor/scalable/apps/$id.svg" || fail "icon missing"
test -f "$app/share/mime/packages/$id.xml" || fail "MIME type missing"
grep -q '^Name=HEX Quendrabolt' "$desktop" || fail "desktop entry has no name"
grep -q '^Comment\[de\]=' "$desktop" || fail "desktop entry has no German comment"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
else
    echo "desktop-file-validate not installed (Debian package desktop-file-utils): skipped"
fi
appstreamcli validate --no-net "$metainfo" >"$scratch/appstream" 2>&1 || {
    cat "$scratch/appstream"
    fail "appstreamcli rejects the metainfo"
}
cat "$scratch/appstream"
if grep -E '^[EW]: ' "$scratch/appstream"; then
    fail "appstreamcli warns about the metainfo"
fi
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo launches no desktop id"
changelog_date=$(zcat "$app/share/doc/hexquendra/changelog.gz" | sed -n 's/^ -- .*>  //p' | head -1)
release_date=$(date -u -d "$changelog_date" +%F)
grep -q "<release version=\"$version\" date=\"$release_date\"" "$metainfo" ||
    fail "metainfo lists no release $version of $release_date, the newest changelog entry"

# Last, so that a failure here still shows everything above passed: servers and CI machines take the
# command line alone, and it must not pull in Qt.
if dpkg-deb --field "$cli_deb" Depends Recommends Pre-Depends | grep -i qt; then
    fail "hexquendra-cli depends on Qt"
fi
echo "package ok"
