#!/usr/bin/env bash
# Starts the program in a virtual X display, computes the worked example and saves the
# window as docs/window.png, and at 200 % as docs/window-200.png; into another folder when
# one is given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${build_packages[@]}" xvfb xdotool imagemagick

cmake --preset default >/dev/null
cmake --build --preset default --parallel "$(nproc)" --target interasse

display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1600x900x24 -nolisten tcp &
xvfb=$!
program=
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

folder=${1:-docs}
mkdir -p "$folder"
# scale, then the file to save
shoot() {
    # The Italian number format, as the program's users see it.
    LC_ALL=it_IT.UTF-8 QT_SCALE_FACTOR=$1 build/bin/interasse &
    program=$!
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$program" | head -n 1)
    # "calcola interasse", at its centre in logical pixels
    xdotool mousemove --window "$window" $((372 * $1)) $((96 * $1)) click 1
    sleep 0.5
    import -window "$window" "$2"
    kill "$program"
    wait "$program" 2>/dev/null || true
    program=
    echo "saved $2"
}
shoot 1 "$folder/window.png"
shoot 2 "$folder/window-200.png"
