#!/usr/bin/env bash
# Runs every benchmark and prints one table of figures against their targets.
#
#   scripts/executar_benchmarks.sh [BUILD] [--markdown]
#
# 1. every bench/bench_* program (Google Benchmark, offscreen), its figures kept as JSON;
# 2. the whole-program figures of the game against the minimal Qt window program bench/piso_qt,
#    both under one Xvfb, inside a session bus with the accessibility bus launcher running, as a
#    desktop runs them (scripts/medir_programas.py);
# 3. the table (scripts/tabela_de_desempenho.py). The exit status is the table's: 0 every
#    figure meets its target, 1 one does not, 2 one is missing.
# A private PulseAudio server stands in for the desktop's, as in the tests, so that the sounds
# of the game are played and paid for as on a player's machine.
set -uo pipefail
BUILD=build
FORMATO=()
for a in "$@"; do
  case "$a" in
    --markdown) FORMATO=(--markdown) ;;
    *) BUILD=$a ;;
  esac
done
here=$(cd "$(dirname "$0")" && pwd)
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3

saida=$(mktemp -d /tmp/trevolino-bench-XXXXXX)
# shellcheck source=/dev/null
. "$here/servidor_de_audio.sh"
limpar() { parar_servidor_de_audio; rm -rf "$saida"; }
trap limpar EXIT
trap 'exit 130' INT TERM
iniciar_servidor_de_audio

jsons=()
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] && [ -f "$b" ] || continue
  nome=$(basename "$b")
  echo "== $nome" >&2
  if QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time=0.2 \
      --benchmark_out="$saida/$nome.json" --benchmark_out_format=json >"$saida/$nome.txt" 2>&1; then
    jsons+=("$saida/$nome.json")
  else
    echo "$nome failed:" >&2
    cat "$saida/$nome.txt" >&2
  fi
done

programas=()
if [ -x "$BUILD/Trevolino/trevolino" ] && [ -x "$BUILD/bench/piso_qt" ]; then
  echo "== whole program: trevolino against piso_qt (about a minute)" >&2
  if xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
      "$PY" "$here/medir_programas.py" --jogo "$BUILD/Trevolino/trevolino" \
      --piso "$BUILD/bench/piso_qt" --saida "$saida/programas.json" >&2; then
    programas=(--programas "$saida/programas.json")
  fi
else
  echo "whole-program figures skipped: build trevolino and piso_qt first" >&2
fi

echo
"$PY" "$here/tabela_de_desempenho.py" "${FORMATO[@]}" "${programas[@]}" "${jsons[@]}"
