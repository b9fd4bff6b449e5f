#!/usr/bin/env bash
# Fails when a source file outside the text homes holds Russian text (also as
# escaped UTF-8 bytes): what a user reads lives in one file per layer
# (model/, network/, storage/, dataset/ and cli/ texts.*, ui/uitexts.*), so a
# wording is changed, or translated, in one place. Tests are free to quote.
set -euo pipefail
cd "$(dirname "$0")/.."

homes='^(model|network|storage|dataset|cli)/texts\.(h|cpp)$|^ui/uitexts\.(h|cpp)$'
# Cyrillic letters are U+0400..U+04FF: UTF-8 lead bytes D0..D3.
offenders=$(find model network storage dataset cli ui bench \( -name '*.cpp' -o -name '*.h' -o -name '*.inc' \) \
  -print0 | LC_ALL=C xargs -0 grep -lP '[\xD0-\xD3][\x80-\xBF]|\\x[Dd][0-3]\\x[89ABab]' | grep -Ev "$homes" || true)
if [[ -n $offenders ]]; then
  echo "check-texts.sh: Russian text outside the text files (move it to the layer's texts file):" >&2
  echo "$offenders" >&2
  exit 1
fi
