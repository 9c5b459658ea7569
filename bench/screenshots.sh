#!/usr/bin/env bash
# Screenshots of every window (the menu; each test window collapsed and grown after its worked
# example), light and dark, under Xvfb with openbox at 96 dpi, for a reviewer to look at.
# Usage: bash bench/screenshots.sh [folder]   (default build/screenshots). Not a test.
# For 2x scaling: QT_SCALE_FACTOR=2 SCREEN_SIZE=2560x2048 bash bench/screenshots.sh folder
# BUILD_DIR names another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
mkdir -p "$out"
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DBUILD_TESTING=ON -DKELVARON_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target bench_screenshots >/dev/null

exec 3< <(Xvfb -displayfd 1 -screen 0 "${SCREEN_SIZE:-1280x1024}x24" -dpi 96 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r display <&3
export DISPLAY=:$display QT_QPA_PLATFORM=xcb
# Openbox runs the startup command once it manages windows.
exec 4< <(openbox --startup "echo ready" 2>/dev/null)
wm=$!
trap 'kill $wm $xvfb' EXIT
while read -r line <&4 && [[ $line != ready ]]; do :; done
for look in light dark; do
    "$build"/bench/bench_screenshots "$out" "$look"
done
ls "$out"
