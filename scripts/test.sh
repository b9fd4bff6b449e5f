#!/usr/bin/env bash
# Checks the formatting, builds everything and runs every test: a regular
# build, the same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the network tests (training runs on two threads) under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/regular-build.sh

bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# Every source as clang-format (.clang-format) writes it.
find model network storage dataset cli ui tests bench \( -name '*.cpp' -o -name '*.h' -o -name '*.inc' \) \
  -print0 | xargs -0 clang-format --dry-run --Werror
# What a user reads lives in the layers' text files only.
bash scripts/check-texts.sh

# The regular build, which the Debian package below is made from too. Every
# optional part is switched on, so a missing package stops here.
configure_regular_build -DZARN_BUILD_CLI=ON -DZARN_BUILD_TESTS=ON -DZARN_BUILD_BENCH=ON -DZARN_USE_MPFR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600

# What `cmake --install` puts into a prefix, then the Debian package from the
# same build, unpacked into a throw-away root and checked.
install_root=$(mktemp -d)
cmake --install build --prefix "$install_root/usr" >/dev/null
bash scripts/check-install.sh "$install_root/usr"
rm -rf "$install_root"
bash scripts/package.sh --check

# Every test again; the benchmarks have nothing to check here. Line tables
# (-g1) are what the sanitizers' reports need.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DZARN_BUILD_UI=ON -DZARN_SANITIZE=ON \
  -DZARN_WERROR=ON -DZARN_BUILD_CLI=ON -DZARN_BUILD_TESTS=ON -DZARN_BUILD_BENCH=OFF -DZARN_USE_MPFR=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900

# Only the code that trains on several threads (the network library, and the
# held-out evaluation's folds side by side) and its tests.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DZARN_BUILD_UI=OFF \
  -DZARN_BUILD_CLI=ON -DZARN_BUILD_TESTS=ON -DZARN_BUILD_BENCH=OFF -DZARN_USE_MPFR=ON \
  -DZARN_SANITIZE=OFF -DZARN_WERROR=ON \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
cmake --build build-tsan -j "$jobs" --target test_network test_dataset
TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/test_network
TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/test_dataset
