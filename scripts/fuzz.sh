#!/usr/bin/env bash
# Builds the task file reader's libFuzzer target with clang, AddressSanitizer
# and UBSan, and fuzzes it. Usage: scripts/fuzz.sh [seconds] (default 600)
# [target] (taskfile_fuzz by default; csv_fuzz and arff_fuzz fuzz the data readers).
# New interesting inputs collect in fuzz-out/corpus; crashes in fuzz-out/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
target=${2:-taskfile_fuzz}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARN_FUZZ=ON -DZARN_BUILD_UI=OFF -DZARN_BUILD_BENCH=OFF -DZARN_WERROR=ON
cmake --build build-fuzz --target "$target"
if [[ $target == taskfile_fuzz ]]; then
  mkdir -p fuzz-out/corpus
  build-fuzz/tests/fuzz/taskfile_fuzz -max_total_time="$seconds" -max_len=8192 \
    -dict=tests/fuzz/taskfile.dict -artifact_prefix=fuzz-out/ -print_final_stats=1 \
    fuzz-out/corpus tests/fuzz/corpus examples
else
  reader=${target%_fuzz}
  mkdir -p "fuzz-out/$reader"
  # -timeout: a single input that takes seconds is a fault (parsing is linear).
  "build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="fuzz-out/$reader/" -print_final_stats=1 \
    "fuzz-out/$reader" "tests/fuzz/$reader-corpus"
fi
