#!/usr/bin/env bash
# Starts the program in a virtual X display, computes the worked example and saves the
# window as docs/window.png, and at 200 % as docs/window-200.png; then asks the designer's
# window for 3:1 from a 1,450 rpm motor, axes 150 to 250 mm, 5M, selects 48/16 on 565-5M and
# saves docs/designer.png and docs/designer-200.png; asks it for the belt and the tension of
# a 0,75 kW motor's drive, docs/designer-loads.png; then opens the designer on a printer's
# loop and on a back-side idler on a slot with its stock loops and its loads at 600 rpm and
# 20 N, docs/layout-loop.png and docs/layout-slot.png, each also at 200 %. Into another
# folder when one is given,
# and with the program at PROGRAM (an installed one) when that is set.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${build_packages[@]}" xvfb xdotool imagemagick

cmake --preset default >/dev/null
cmake --build --preset default --parallel "$(nproc)" --target interasse

display=:$((100 + RANDOM % 400))
# Large enough for the designer's window at 200 %.
Xvfb "$display" -screen 0 2400x1500x24 -nolisten tcp &
xvfb=$!
program=
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

folder=${1:-docs}
program_file=${PROGRAM:-build/bin/interasse}
mkdir -p "$folder"
window=
# The program in the Italian number format, as its users see it, at a scale, with its
# arguments; its window found.
start() {
    LC_ALL=it_IT.UTF-8 QT_SCALE_FACTOR=$1 "$program_file" "${@:2}" &
    program=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$program" | head -n 1)
}
# The window into a file, then the program ended.
save() {
    import -window "$window" "$1"
    kill "$program"
    wait "$program" 2>/dev/null || true
    program=
    echo "saved $1"
}
# scale, then the file to save
shoot() {
    start "$1"
    # "calcola interasse", at its centre in logical pixels
    xdotool mousemove --window "$window" $((372 * $1)) $((96 * $1)) click 1
    sleep 0.5
    save "$2"
}
shoot 1 "$folder/window.png"
shoot 2 "$folder/window-200.png"

# The designer's window, by keyboard alone: scale, then the file to save.
design() {
    start "$1" --design
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    sleep 0.3
    # The profile, a ratio, 3, a slot from 150 to 250 mm, the motor at 1450 rpm.
    xdotool type --delay 50 5M
    xdotool key Tab Down Tab && xdotool type 3
    xdotool key Tab Tab Tab Tab Tab Right Tab && xdotool type 150
    xdotool key Tab && xdotool type 250
    xdotool key Tab Tab Tab && xdotool type 1450
    sleep 1
    # Row 101 of the ranking: 48/16 on 565-5M, past the box of the loads.
    xdotool key Tab Tab Tab Tab Tab Tab Tab
    xdotool key --delay 5 --repeat 100 Down
    sleep 0.5
    save "$2"
}
design 1 "$folder/designer.png"
design 2 "$folder/designer-200.png"

# The designer's loads, by keyboard alone: 0,75 kW at 1450 rpm to 725 rpm, L 1 inch wide, axes
# 200 to 300 mm, set to 100 N, the drives that carry it alone; the first drive's details
# scrolled to its loads. Scale, then the file to save.
loads() {
    start "$1" --design
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    sleep 0.3
    xdotool type --delay 50 L100
    # Each key after the fields it shows are there.
    xdotool key alt+t && sleep 0.3 && xdotool key alt+r && xdotool type --delay 50 1450
    xdotool key alt+o && xdotool type --delay 50 725
    xdotool key alt+l && sleep 0.3 && xdotool key alt+e && xdotool type --delay 50 200
    xdotool key alt+s && xdotool type --delay 50 300
    # Only the drives that carry the power, with no other mark.
    xdotool key alt+m
    # "Carichi" opens the loads' fields: the power, then the static tension.
    xdotool key alt+w && sleep 0.3 && xdotool key Tab && xdotool type --delay 50 0,75
    xdotool key Tab Tab && xdotool type --delay 50 100
    sleep 1
    # Past the exports, to the table's last column, its ratings; then the details' end.
    xdotool key Tab Tab Tab Tab Tab Tab Tab Tab End Tab Next Next Next
    sleep 0.5
    save "$2"
}
loads 1 "$folder/designer-loads.png"
loads 2 "$folder/designer-loads-200.png"

# The designer's page of layouts on a file given on the command line: scale, the layout's
# file, the stock list to type in its field, with 384 as the belt and the motor's speed and the
# static tension (or nothing), then the picture to save.
layout() {
    # The page is the designer's window's second tab, chosen by the file.
    start "$1" --design "$2"
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    # Mapped before it is painted.
    sleep 2
    if [ -n "$3" ]; then
        xdotool key alt+e && xdotool type "$3" && xdotool key Return
        # and a loop of the list, which sends the idler where it fits
        xdotool key alt+i && xdotool type 384 && xdotool key Return
        xdotool key alt+m && xdotool type 600 && xdotool key Return
        xdotool key alt+t && xdotool type 20 && xdotool key Return
        sleep 1
    fi
    save "$4"
}
files=$(mktemp -d)
trap 'kill $program $xvfb 2>/dev/null || true; rm -rf "$files"' EXIT
# A printer's loop: a 20-tooth GT2 motor pulley and three idlers on a 300 mm square.
printf 'profilo GT2\nmotore 0 0 20\na 300 0 20 folle\nb 300 300 20 folle\nc 0 300 20 folle\n' \
    >"$files/anello.trasmissione"
# A back-side idler on a slot under a 20 and 60-tooth drive of a 6 mm belt, and the loops on the
# shelf.
printf 'profilo 2GT-6\nmotore 0 0 20\ncondotta 150 0 60\ntenditore 75 -30 20 dorso folle scorre 75 -2\n' \
    >"$files/tenditore.trasmissione"
printf '380-2GT\n382-2GT\n384-2GT\n386-2GT\n' >"$files/anelli.txt"
layout 1 "$files/anello.trasmissione" "" "$folder/layout-loop.png"
layout 2 "$files/anello.trasmissione" "" "$folder/layout-loop-200.png"
layout 1 "$files/tenditore.trasmissione" "$files/anelli.txt" "$folder/layout-slot.png"
layout 2 "$files/tenditore.trasmissione" "$files/anelli.txt" "$folder/layout-slot-200.png"
