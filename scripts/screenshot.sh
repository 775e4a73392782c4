#!/usr/bin/env bash
# Starts the program in a virtual X display, computes the worked example and saves the
# window as docs/window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${build_packages[@]}" xvfb xdotool imagemagick

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)" --target interasse

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x600x24 -nolisten tcp &
xvfb=$!
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
program=
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# The Italian number format, as the program's users see it.
LC_ALL=it_IT.UTF-8 build/ui/interasse &
program=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$program" | head -n 1)
xdotool mousemove --window "$window" 372 96 click 1 # "calcola interasse"
sleep 0.5
mkdir -p docs
import -window "$window" docs/window.png
echo "saved docs/window.png"
