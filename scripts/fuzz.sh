#!/usr/bin/env bash
# Builds the task file reader's libFuzzer target with clang, AddressSanitizer
# and UBSan, and fuzzes it. Usage: scripts/fuzz.sh [seconds] (default 600).
# New interesting inputs collect in fuzz-out/corpus; crashes in fuzz-out/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARN_FUZZ=ON -DZARN_BUILD_UI=OFF -DZARN_BUILD_BENCH=OFF -DZARN_WERROR=ON
cmake --build build-fuzz --target taskfile_fuzz
mkdir -p fuzz-out/corpus
build-fuzz/tests/fuzz/taskfile_fuzz -max_total_time="$seconds" -max_len=8192 \
  -dict=tests/fuzz/taskfile.dict -artifact_prefix=fuzz-out/ -print_final_stats=1 \
  fuzz-out/corpus tests/fuzz/corpus examples
