#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window on a bundled demo firmware.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHQ_WERROR=ON  # as tools/test.sh, so neither rebuilds the other
cmake --build build -j "$(nproc)"

demo=build/examples/demo-31-mm.hex
if [ ! -x build/src/app/hexquendra ]; then
    echo "Das Fenster ist noch nicht gebaut; die Demo-Firmware liegt in build/examples/."
    exit 0
fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/src/app/hexquendra "$demo"
fi
echo "Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt)."
QT_QPA_PLATFORM=offscreen build/src/app/hexquendra --screenshot build/hexquendra.png "$demo" 2>/dev/null
echo "Das Fenster wurde unsichtbar (offscreen) mit $demo geöffnet; Bildschirmfoto: build/hexquendra.png"
echo "So zeigt die Firmware sich in der Kommandozeile:"
build/src/cli/hexquendra-cli show "$demo"
