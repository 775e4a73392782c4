#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan and UBSan) and runs each target for
# FUZZ_SECONDS (60) with a fixed seed, from the committed seeds. A failing input is saved
# in build-fuzz/ and ends the script with an error.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc)" --target fuzz_number_reader fuzz_number_writer >/dev/null
for target in number_reader number_writer; do
    corpus=$(mktemp -d)
    log=build-fuzz/fuzz_$target.log
    echo "fuzzing $target for ${FUZZ_SECONDS:-60} s"
    status=0
    build-fuzz/geometry/tests/fuzz_$target -seed=1 -max_total_time="${FUZZ_SECONDS:-60}" \
        -artifact_prefix=build-fuzz/ -print_final_stats=1 \
        -max_len=4096 "$corpus" "geometry/tests/fuzz_seeds/$target" >"$log" 2>&1 || status=$?
    rm -rf "$corpus"
    grep -E 'DONE|^stat::number_of_executed_units' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log" >&2
        echo "fuzz_$target failed (status $status); the input is in build-fuzz/" >&2
        exit 1
    fi
done
