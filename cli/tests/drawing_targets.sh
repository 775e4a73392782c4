#!/usr/bin/env bash
# A drawing saved into a pipe, a device or the standard output is written into it, never put
# in its place; a regular file is written whole or not at all, except in a folder that lets
# no new file take its place, where it is written in place. Nodes are made in a folder of the
# test's own, never on the machine's devices.
set -uo pipefail
program=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$(mktemp -d)" && chmod 755 .

drawing_then_results() { [[ $(<"$1") == '<?xml'*'</svg>'*'interasse effettivo: 125.74 mm'* ]]; }
drawing() { [[ $(<"$1") == '<?xml'*'</svg>' ]]; }
# The pipe t read into got while the command runs. Its reader, waiting for a writer that never
# came, is let go; one left waiting on a pipe that a file replaced is stopped.
read_fifo() {
    cat t >got &
    local reader=$! status
    "$@"
    status=$?
    if [ -p t ]; then : <>t; else kill "$reader"; fi
    wait "$reader"
    return "$status"
}
into_cat() { "$@" | cat >got; }
# Files of at most 1 KiB, which the drawing is not, failing with EFBIG instead of a signal: cut
# short at the bound, the write fails with that reason.
limited() { (trap '' XFSZ && ulimit -f 1 && "$@"); }
# A read-only folder does not stop root: it is tried as another user.
as_user() {
    if [ "$(id -u)" -ne 0 ]; then "$@"; else setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; fi
}
readonly_folder() {
    mkdir d && echo old >d/t && { [ "$(id -u)" -ne 0 ] || chown -R nobody d; } &&
        chmod 555 d && as_user "$program" --version >/dev/null && ! as_user touch d/new
}

# what is made first | the command, in its folder | status | what holds after
while IFS='|' read -r make command status check; do
    rm -rf row && mkdir row && chmod 755 row && cd row || fail "no folder"
    if ! eval "$make" 2>/dev/null; then
        echo "skipped, cannot be made here: $make"
        cd .. && continue
    fi
    eval "$command" 2>err >/dev/null
    got=$?
    [ "$got" -eq "$status" ] || fail "$command: status $got, not $status: $(<err)"
    eval "$check" || fail "$command: not $check ($(<err))"
    cd ..
done <<'TABLE'
mkfifo t|read_fifo "$program" 36 14 150 --svg t|0|[ -p t ] && drawing got
mknod t c 1 3|"$program" 36 14 150 --svg t|0|[ -c t ]
mknod t c 1 7|"$program" 36 14 150 --svg t|3|[ -c t ] && grep -q ' in t: ' err
:|"$program" 36 14 150 --svg /dev/stdout >got|0|drawing_then_results got
:|into_cat "$program" 36 14 150 --svg /proc/self/fd/1|0|drawing_then_results got
echo old >t|limited "$program" 36 14 150 --svg t|3|[ "$(<t)" = old ] && [ "$(ls)" = "err"$'\n't ] && grep -q 'in t: il file supera' err
readonly_folder|as_user "$program" 36 14 150 --svg d/t|0|drawing d/t
readonly_folder|limited as_user "$program" 36 14 150 --svg d/t|3|grep -q 'in d/t: .*incompleto' err
:|"$program" 36 14 150 --svg - --dxf t >got|0|drawing got && grep -q '^SECTION' t
:|"$program" 36 14 150 --svg +x.svg|0|drawing +x.svg
:|"$program" 36 14 150 --svg /dev/stdout --dxf -|2|grep -q 'un disegno solo' err
:|"$program" 36 14 150 --svg /dev/stdin <&-|3|grep -q 'in /dev/stdin: non è aperto per scrivere' err
:|"$program" 36 14 150 --svg /dev/stderr 2>&-|3|true
ln -s b a && ln -s a b|"$program" 36 14 150 --svg a|3|[ -L a ] && grep -q 'in a: i collegamenti' err
TABLE
echo "pipes and devices written into, regular files whole or in place"
