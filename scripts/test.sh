#!/usr/bin/env bash
# Builds everything and runs every test: a regular build, then the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN_BUILD_UI=ON -DZARN_SANITIZE=OFF \
  -DZARN_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600

# What `cmake --install` puts into a prefix, then the Debian package from a
# Release build (also -Werror), unpacked into a throw-away root and checked.
install_root=$(mktemp -d)
cmake --install build --prefix "$install_root/usr" >/dev/null
bash scripts/check-install.sh "$install_root/usr"
rm -rf "$install_root"
bash scripts/package.sh --check

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARN_BUILD_UI=ON -DZARN_SANITIZE=ON \
  -DZARN_WERROR=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900
