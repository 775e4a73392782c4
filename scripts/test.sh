#!/usr/bin/env bash
# Builds the program and runs every test, installing what is missing first: the suite in the
# default build, again under AddressSanitizer and UndefinedBehaviorSanitizer and again built
# with clang, both fuzz targets for a minute each, and the branch coverage of the calculation
# library.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# DejaVu: the window is tested again with only the face of a minimal desktop. jemalloc: the
# window starts with another allocator preloaded. devscripts: hardening-check. python3-ezdxf:
# reads the drawings back. shared-mime-info and libglib2.0-bin: the installed MIME type found
# for a layout's file.
ensure_packages "${build_packages[@]}" fonts-dejavu-core libjemalloc2 python3-ezdxf \
    desktop-file-utils appstream dpkg-dev file lintian man-db devscripts clang \
    libclang-rt-14-dev gcovr shared-mime-info libglib2.0-bin

for preset in default asan-ubsan clang; do
    echo "== $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$(nproc)"
    ctest --preset "$preset"
done
echo "== fuzz"
bash scripts/fuzz.sh
echo "== coverage"
bash scripts/coverage.sh
