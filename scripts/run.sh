#!/usr/bin/env bash
# Builds the program and all that an install puts in place, then starts it, installing what
# is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${build_packages[@]}"

cmake --preset default >/dev/null
# All of it: `cmake --install build` builds nothing, and installs the manual page, the
# completion and both windows' modules beside the program.
cmake --build --preset default --parallel "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Interasse is built (build/bin/interasse) but needs a desktop to open its window, and none was found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    exit 1
fi
exec build/bin/interasse
