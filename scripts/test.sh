#!/usr/bin/env bash
# Checks the formatting, builds everything and runs every test: a regular
# build, the same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the network tests (training runs on two threads) under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# Every source as clang-format (.clang-format) writes it.
find model network storage cli ui tests bench \( -name '*.cpp' -o -name '*.h' -o -name '*.inc' \) \
  -print0 | xargs -0 clang-format --dry-run --Werror

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN_BUILD_UI=ON -DZARN_SANITIZE=OFF
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARN_BUILD_UI=ON -DZARN_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900

# Only the network library and its tests: the other code runs on one thread.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN_BUILD_UI=OFF \
  -DZARN_BUILD_BENCH=OFF -DZARN_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
cmake --build build-tsan -j "$jobs" --target test_network
TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/test_network
