#!/usr/bin/env bash
# `make screenshot`: photographs the cabinet idle, spinning, paying, with a message dialog, with the
# exit question and with the contract dialog, on a private X server with a desktop colour behind
# the cabinet; then the same on a screen scaled 2x (QT_SCALE_FACTOR=2, pictures named *-2x.png).
set -euo pipefail
BUILD=${1:-build}
OUT=${2:-$BUILD/capturas}
mkdir -p "$OUT"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" bash -c "
  xsetroot -solid '#2f4f6f' 2>/dev/null || true
  '$BUILD/trevolino-capturas' '$OUT'
"
xvfb-run -a -s "-screen 0 2048x1536x24 -nolisten tcp -noreset" bash -c "
  xsetroot -solid '#2f4f6f' 2>/dev/null || true
  QT_SCALE_FACTOR=2 '$BUILD/trevolino-capturas' '$OUT' -2x
"
# The README shows the idle cabinet.
mkdir -p docs
cp "$OUT/cabine-parada.png" docs/trevolino.png
