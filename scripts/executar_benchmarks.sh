#!/usr/bin/env bash
# Runs every benchmark and prints one table of figures against their targets.
set -euo pipefail
BUILD=${1:-build}
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time=0.2
done
