#!/bin/bash
# Wall time of `zarn-cli tune` with its default options on breast-cancer
# (Debian's weka package, imported with the defaults); the target is 60 s on
# 2 cores. Prints the time, the cores and the load average around the run.
# Usage: bash bench/tune_bench.sh [path/to/zarn-cli]
set -euo pipefail
cli=${1:-build/cli/zarn-cli}
data=/usr/share/doc/weka/examples/breast-cancer.arff
limit=60
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" import "$data" "$work/breast-cancer.task" >/dev/null
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
start=$(date +%s.%N)
"$cli" tune "$work/breast-cancer.task" --seed 1 --quiet >"$work/report.txt"
end=$(date +%s.%N)
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
seconds=$(echo "$end - $start" | bc)
grep '^Выбрано' "$work/report.txt"
grep '^Не испытано' "$work/report.txt" || true
printf 'tune breast-cancer: %.1f s (limit %d s) on %d cores; load average before %s, after %s\n' \
    "$seconds" "$limit" "$(nproc)" "$load_before" "$load_after"
if (($(echo "$seconds > $limit" | bc))); then
    echo "over the limit" >&2
    exit 1
fi
