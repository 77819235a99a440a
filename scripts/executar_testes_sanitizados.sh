#!/usr/bin/env bash
# Runs every test of the sanitizer build. Any AddressSanitizer, UndefinedBehaviorSanitizer or
# LeakSanitizer report ends the test program with a failure; the suppressions name only
# one-time allocations of the system libraries below Qt (see the file).
set -uo pipefail
BUILD=${1:-build-san}
here=$(cd "$(dirname "$0")" && pwd)
supp="$here/lsan.supp"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=0:check_initialization_order=1:${ASAN_OPTIONS_EXTRA:-}"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Libraries stay mapped to the end of every process, so that each frame of a leak report names its
# library (see tests/programa/sem_dlclose.cpp).
if [ -f "$BUILD/libsem_dlclose.so" ]; then
  export LD_PRELOAD="$(cd "$BUILD" && pwd)/libsem_dlclose.so${LD_PRELOAD:+:$LD_PRELOAD}"
fi
exec "$here/executar_testes.sh" "$BUILD"
