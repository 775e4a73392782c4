#!/usr/bin/env bash
# The real program's standard output: a full disk and a closed output are failures with a
# message and a status of their own; a reader that stops early, as `| head` does, is not.
set -uo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

for target in /dev/full closed; do
    if [ "$target" = closed ]; then
        err=$("$program" 36 14 150 2>&1 >&-)
    else
        err=$("$program" 36 14 150 2>&1 >"$target")
    fi
    status=$?
    [ "$status" -eq 3 ] || fail "$target: status $status"
    [[ $err == *"Non è stato possibile scrivere i risultati"* ]] || fail "$target: $err"
done

err=$({ "$program" 36 14 --belts 1:100000000 | head -n 1 >/dev/null; } 2>&1)
[ -z "$err" ] || fail "broken pipe: $err"
err=$({ (trap '' PIPE; "$program" 36 14 --belts 1:100000000) | head -n 1 >/dev/null; } 2>&1)
[ -z "$err" ] || fail "broken pipe, SIGPIPE ignored: $err"
echo "write failures reported, a closed pipe quiet"
