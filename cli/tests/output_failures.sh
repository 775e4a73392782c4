#!/usr/bin/env bash
# The real program's standard files: a full disk and a closed output are failures with a
# message and a status of their own, but only when there was something to write; a reader
# that stops early, as `| head` does, is not a failure; a failing command writes nothing on
# standard output.
set -uo pipefail
program=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; exit 1; }

# arguments | which standard file is closed | status | the start of standard output
cd "$(mktemp -d)" # where a drawing that should not be written would land
while IFS='|' read -r arguments closed status expected; do
    read -ra words <<<"$arguments"
    case $closed in
    out) printed=$("$program" "${words[@]}" 2>/dev/null >&-) ;;
    err) printed=$("$program" "${words[@]}" 2>&-) ;;
    *) printed=$("$program" "${words[@]}" 2>/dev/null) ;;
    esac
    got=$?
    [ "$got" -eq "$status" ] || fail "$arguments (closed $closed): status $got, not $status"
    [[ $printed == "$expected"* ]] && { [ -n "$expected" ] || [ -z "$printed" ]; } ||
        fail "$arguments: printed \"$printed\""
done <<'TABLE'
36 14 x|out|2|
36 14 60|out|1|
36 14 150|out|3|
36 14 x|err|2|
36 14 150|err|0|interasse effettivo: 125.74 mm
150 0 20|-|1|
36 14 60 --csv|-|1|
100 41 1554 -p MXL|-|2|
100 41 1553.6 -p MXL|-|0|interasse effettivo: 1901.35 mm
36 14 150 -p XL-37|-|2|
--profiles --csv|-|0|profilo,passo_mm,codice,esempio
36 14 150 --svg -|-|0|<?xml version="1.0" encoding="UTF-8"?>
36 14 150 --dxf -|out|3|
36 14 150 --svg /proc/drive.svg|-|3|
36 14 60 --svg -|-|1|
36 14 --near 120 --dxf drive.dxf|-|2|
TABLE
[ -z "$(ls)" ] || fail "a drawing that failed left: $(ls)"

# the standard output | the reason said, in Italian
while IFS='|' read -r target reason; do
    if [ "$target" = closed ]; then
        err=$("$program" 36 14 150 2>&1 >&-)
    else
        err=$("$program" 36 14 150 --svg - 2>&1 >"$target")
    fi
    status=$?
    [ "$status" -eq 3 ] || fail "$target: status $status"
    [ "$err" = "Non è stato possibile scrivere i risultati: $reason." ] || fail "$target: $err"
done <<'TABLE'
/dev/full|il disco è pieno
closed|non è aperto per scrivere
TABLE

err=$({ "$program" 36 14 --belts 1:2000000 | head -n 1 >/dev/null; } 2>&1)
[ -z "$err" ] || fail "broken pipe: $err"
err=$({ (trap '' PIPE; "$program" 36 14 --belts 1:2000000) | head -n 1 >/dev/null; } 2>&1)
[ -z "$err" ] || fail "broken pipe, SIGPIPE ignored: $err"
echo "write failures reported, a closed pipe quiet, failures with nothing on standard output"
