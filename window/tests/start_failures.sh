#!/usr/bin/env bash
# The real program started without what its window needs: no display, a damaged, missing or
# foreign module, no /proc, and with another allocator preloaded. Each gets its own Italian
# sentence and status 1, or runs; none crashes or hangs. Works on a copy of the program and
# its module laid out as installed.
set -euo pipefail
program=$1
module=$2
window_dir=$3 # the module's folder below the prefix
sanitized=${4:-} # "sanitized": AddressSanitizer must load first and read /proc itself
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/$window_dir"
cp "$program" "$work/bin/interasse"
copy=$work/$window_dir/libinterasse_window.so

# Runs the copy as the window (no arguments, or --design) and checks its status and what it
# said.
expect() {
    local what=$1 status=$2 words=$3 got=0 err
    shift 3
    err=$(timeout "${limit:-10}" "$@" 2>&1 >/dev/null) || got=$?
    [ "$got" -eq "$status" ] || fail "$what: status $got, not $status: $err"
    [[ $err == *"$words"* ]] || fail "$what: said \"$err\""
    [[ $err != *Reinstalling* ]] || fail "$what: Qt's own hint: $err"
}
window=("$work/bin/interasse")
offscreen=(env QT_QPA_PLATFORM=offscreen "${window[@]}")
cannot="La finestra non si può aprire: "

cp "$module" "$copy"
expect "no display" 1 "${cannot}nessuno schermo disponibile." \
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${window[@]}"
# The designer's window, from its module beside the window's, says the same.
designer=$work/$window_dir/libinterasse_designer.so
expect "the designer's module missing" 1 "${cannot}manca il file $designer." \
    "${offscreen[@]}" --design
cp "$(dirname "$module")/libinterasse_designer.so" "$designer"
expect "the designer without a display" 1 "${cannot}nessuno schermo disponibile. Con" \
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${window[@]}" --design
expect "the designer on a file, without a display" 1 "${cannot}nessuno schermo disponibile." \
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${window[@]}" --design a.trasmissione
# --design takes one file and no option: anything more is wrong use, with no window.
for more in "a.trasmissione b.trasmissione" "--csv" "a.trasmissione --csv" "-"; do
    # shellcheck disable=SC2086 # the words of each case, apart
    expect "--design $more" 2 "--design apre la finestra" "${offscreen[@]}" --design $more
done
expect "unknown platform" 1 "${cannot}nessuno schermo disponibile." \
    env QT_QPA_PLATFORM=nowhere "${window[@]}"
for size in 1000 500000; do
    head -c "$size" "$module" >"$copy"
    expect "cut to $size bytes" 1 "${cannot}$copy è danneggiato" "${offscreen[@]}"
done
rm "$copy"
expect "missing" 1 "${cannot}manca il file $copy." "${offscreen[@]}"
mkfifo "$copy"
expect "a FIFO" 1 "$copy non è un file regolare" "${offscreen[@]}"
rm "$copy"
head -c 4096 /dev/zero >"$copy"
expect "no library" 1 "$copy non è una libreria per questo computer" "${offscreen[@]}"
# A library for this computer, but not the window's: the C library's math.
libm=$(awk '$NF ~ /\/libm\.so\.6$/ { print $NF; exit }' <<<"$(ldconfig -p)")
cp "$libm" "$copy"
expect "another library" 1 "$copy non è il modulo della finestra" "${offscreen[@]}"

cp "$module" "$copy"
# A program that cannot tell where it is installed loads nothing, least of all a module
# planted beside the current folder.
if [ -n "$sanitized" ]; then
    echo "not tried without /proc, nor with jemalloc: AddressSanitizer needs both for itself"
elif unshare -m true 2>/dev/null; then
    mkdir -p "$work/planted/bin" "$work/planted/$window_dir"
    cp "$module" "$work/planted/$window_dir/"
    expect "no /proc" 1 "${cannot}non si trova la cartella" \
        unshare -m sh -c 'cd "$1/planted/bin" && umount -l /proc && exec env QT_QPA_PLATFORM=offscreen "$2"' \
        _ "$work" "$work/bin/interasse"
else
    echo "not tried without /proc: unshare needs root"
fi

# Runs until stopped (timeout's 124) with another allocator preloaded.
jemalloc=$(awk '$NF ~ /\/libjemalloc\.so\.2$/ { print $NF; exit }' <<<"$(ldconfig -p)")
if [ -n "$sanitized" ]; then
    :
elif [ -z "$jemalloc" ]; then
    echo "SKIPPED: jemalloc preloaded; install Debian's libjemalloc2 to run it"
else
    limit=3 expect "jemalloc preloaded" 124 "" env LD_PRELOAD="$jemalloc" "${offscreen[@]}"
fi
echo "every start without what the window needs answered in Italian"
