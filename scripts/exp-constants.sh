#!/usr/bin/env bash
# Rebuilds network/exp_constants.h from scripts/exp_constants.cpp (needs
# libmpfr-dev). The committed header must come out unchanged.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O1 -Wall -Wextra -o "$tmp/exp_constants" scripts/exp_constants.cpp -lmpfr -lgmp
"$tmp/exp_constants" > network/exp_constants.h
