#!/usr/bin/env bash
# The house style: every C++ file under src/ is as clang-format (the root's .clang-format) writes
# it. Prints what differs; fails on any difference. `verificar_estilo.sh --corrigir` rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed (scripts/instalar_dependencias.sh)"; exit 1; }
mapfile -d '' arquivos < <(find src -name '*.cpp' -print0 -o -name '*.h' -print0 | sort -z)
[ ${#arquivos[@]} -gt 0 ] || { echo "no sources under src/"; exit 1; }
if [ "${1:-}" = --corrigir ]; then
  clang-format -i "${arquivos[@]}"
else
  clang-format --dry-run --Werror "${arquivos[@]}"
  echo "estilo: ${#arquivos[@]} files under src/ follow .clang-format"
fi
