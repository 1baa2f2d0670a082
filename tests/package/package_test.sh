#!/usr/bin/env bash
# cpack -G DEB, dpkg -x into a scratch root, then the installed programs and files are checked.
set -euo pipefail
build=${BUILD_DIR:?}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/*.deb)
dpkg-deb --field "$deb" Depends | tee "$scratch/depends"
grep -q 'libqt6widgets6' "$scratch/depends"
grep -q 'shared-mime-info' "$scratch/depends"

dpkg -x "$deb" "$scratch/root"
root="$scratch/root"
version=$("$root/usr/bin/hexquendra-cli" --version)
echo "$version"
[[ "$version" == *0.41* ]]
test -x "$root/usr/bin/hexquendra"
test -f "$root/usr/share/applications/org.hexquendrabolt.HexQuendrabolt.desktop"
test -f "$root/usr/share/icons/hicolor/scalable/apps/org.hexquendrabolt.HexQuendrabolt.svg"
test -f "$root/usr/share/mime/packages/org.hexquendrabolt.HexQuendrabolt.xml"
grep -q '^Name=HEX Quendrabolt' "$root/usr/share/applications/org.hexquendrabolt.HexQuendrabolt.desktop"
grep -q '^Comment\[de\]=' "$root/usr/share/applications/org.hexquendrabolt.HexQuendrabolt.desktop"

# The installed command-line program writes and checks a demo firmware.
"$root/usr/bin/hexquendra-cli" demo 31 -o "$scratch/demo.hex"
"$root/usr/bin/hexquendra-cli" check "$scratch/demo.hex"
echo "package ok"
