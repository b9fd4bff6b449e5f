#!/usr/bin/env bash
# The memory an import takes before it refuses a file far over the row limit:
# writes 63 MB files of tiny (and of the widest) rows and imports them with zarn-cli under
# /usr/bin/time -v, printing the maximum resident set size of each (it must
# stay under 200 MB). Usage: scripts/import-memory.sh [zarn-cli] (default
# build/cli/zarn-cli).
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/cli/zarn-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
limit_kb=$((200 * 1024))
status=0

measure() {  # name file
  local kb
  /usr/bin/time -v "$cli" import "$2" "$work/out.task" >/dev/null 2>"$work/time.txt" || true
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
  echo "$1: $(stat -c %s "$2") bytes, maximum resident set size $kb kB ($((kb / 1024)) MB)," \
    "$(grep -m1 -o 'Строк с данными[^.]*\|Ни в одной строке[^.]*\|Импортировано' "$work/time.txt" || true)"
  ((kb < limit_kb)) || { echo "  over $((limit_kb / 1024)) MB"; status=1; }
}

# 1: every row complete (refused as soon as every column has 501 values).
awk 'BEGIN { print "a,b"; while (n < 63 * 1024 * 1024) { print "1,2"; n += 4 } }' >"$work/tiny.csv"
measure "tiny rows" "$work/tiny.csv"
# 2: three million distinct results.
awk 'BEGIN { print "a,b"; for (i = 0; n < 63 * 1024 * 1024; i++) { s = "1,r" i; print s; n += length(s) + 1 } }' \
  >"$work/results.csv"
measure "distinct results" "$work/results.csv"
# 3: one column always empty, so reading goes to the end (rows left out as read).
awk 'BEGIN { print "a,b"; while (n < 63 * 1024 * 1024) { print "1,"; n += 3 } }' >"$work/empty.csv"
measure "empty result column" "$work/empty.csv"
# 4: rows of 1000 columns, as wide as a table may be.
awk 'BEGIN { for (c = 1; c <= 1000; c++) printf "%sc%d", (c > 1 ? "," : ""), c; print "";
  for (c = 1; c < 1000; c++) row = row "1,"; row = row "1";
  while (n < 63 * 1024 * 1024) { print row; n += length(row) + 1 } }' >"$work/wide.csv"
measure "1000 columns" "$work/wide.csv"
exit $status
