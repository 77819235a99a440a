#!/usr/bin/env bash
# Runs every fuzz target of the sanitizer build for a bounded time each, from the committed
# seeds plus the corpus the earlier runs grew in the build folder; prints each target's figures.
set -uo pipefail
BUILD=${1:-build-san}
SECONDS_EACH=${2:-120}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
status=0
found=0
for seeds in "$root"/fuzz/sementes/*/; do
  area=$(basename "$seeds")
  bin="$BUILD/fuzz/fuzz_$area"
  [ -x "$bin" ] || { echo "== fuzz_$area: not built (needs clang)"; continue; }
  found=1
  corpus="$BUILD/fuzz/corpus/fuzz_$area"
  mkdir -p "$corpus" "$BUILD/fuzz/artefatos"
  echo "== fuzz_$area, ${SECONDS_EACH}s"
  log="$BUILD/fuzz/fuzz_$area.log"
  "$bin" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$BUILD/fuzz/artefatos/fuzz_$area-" "$corpus" "$seeds" >"$log" 2>&1
  rc=$?
  grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done|==[0-9]+==ERROR|SUMMARY|fuzz_)' "$log"
  [ $rc -eq 0 ] || { echo "fuzz_$area FAILED (see $log)"; status=1; }
done
[ $found -eq 1 ] || echo "no fuzz targets built"
exit $status
