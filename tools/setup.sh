#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need, if any is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core xvfb xauth
    srecord binutils
    dpkg-dev file lintian help2man appstream desktop-file-utils locales
    clang
    nlohmann-json3-dev libcli11-dev
    qt6-translations-l10n
    poppler-utils xdotool
    gpsim gputils strace acl attr e2fsprogs git
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
