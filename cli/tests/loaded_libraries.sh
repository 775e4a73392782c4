#!/usr/bin/env bash
# The command line in its running process: Qt Core and nothing of Qt Gui, Qt Widgets, X11
# or GL among its mapped files. A long listing into a pipe that nobody reads holds it still.
set -euo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkfifo "$work/pipe"
exec 3<>"$work/pipe" # a reader, so that opening it to write does not wait
"$program" 36 14 --belts 1:2000000 >"$work/pipe" &
pid=$!
for _ in $(seq 100); do # until the pipe is full and the program waits on it
    [ "$(awk '{ print $3 }' "/proc/$pid/stat" 2>/dev/null)" = S ] && break
    sleep 0.05
done
maps=$(awk '{ print $6 }' "/proc/$pid/maps" | grep '\.so' | sort -u)
grep -q 'libQt6Core\.so' <<<"$maps" || fail "no Qt Core in:"$'\n'"$maps"
unwanted=$(grep -E 'libQt6(Gui|Widgets|DBus|XcbQpa)|libX11|libxcb|libGL|libEGL|libfreetype|libfontconfig' <<<"$maps" || true)
[ -z "$unwanted" ] || fail "the command line loaded:"$'\n'"$unwanted"
echo "the command line maps $(wc -l <<<"$maps") shared objects, none of Qt Gui, X11 or GL"
