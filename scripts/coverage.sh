#!/usr/bin/env bash
# Builds the coverage preset, runs the calculation library's tests and fails unless they take
# every branch of geometry/ that can run (the branches that only throw are left out).
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build-coverage
cmake --preset coverage >/dev/null
cmake --build --preset coverage --parallel "$(nproc)" >/dev/null
ctest --preset coverage
gcovr --root . build-coverage --filter 'geometry/' --exclude 'geometry/tests/' \
    --exclude-throw-branches --exclude-unreachable-branches \
    --branches --fail-under-branch 100
