#!/usr/bin/env bash
# Builds the program and runs every test, installing what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# DejaVu: the window is tested again with only the face of a minimal desktop.
ensure_packages "${build_packages[@]}" libgtest-dev fonts-dejavu-core \
    desktop-file-utils appstream dpkg-dev file

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure
