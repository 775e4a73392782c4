#!/usr/bin/env bash
# Stock lists that are no regular file, a pipe or standard input, are read to their end as a
# file is; any list is read up to a bound, and one longer, or one that never ends, says so.
set -uo pipefail
program=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; exit 1; }
near() { "$program" 36 14 --near 120 --stock "$@"; }

cd "$(mktemp -d)"
rows='cinghia             denti   interasse       denti in presa  differenza
140XL037            70      112.90 mm       6.29            -7.10 mm
150XL037            75      125.74 mm       6.37            +5.74 mm'
[ "$(near <(printf '140XL037\n150XL037\n'))" = "$rows" ] || fail "a pipe"
[ "$(printf '140XL037\n150XL037\n' | near /dev/stdin)" = "$rows" ] || fail "standard input"

{ echo 150XL037; yes '#' | head -c $((1024 * 1024 - 9)); } >whole.txt
near whole.txt >/dev/null || fail "a list of 1 MiB"
{ cat whole.txt; echo; } >over.txt
tooLong() {
    err=$(near "$1" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] && [[ $err == *"$1 supera 1 MiB"* ]] || fail "$1: $status, $err"
}
tooLong over.txt
tooLong <(yes 150XL037)
echo "stock lists read from streams, to a bound"
