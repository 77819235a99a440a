#!/usr/bin/env bash
# Prints the include graph between the folders of src/ (and main.cpp): one line per pair of
# folders, "from -> to (number of includes)", and any cycle between two folders.
#   scripts/grafo_de_inclusoes.sh [source folder]
set -euo pipefail
SRC=${1:-$(dirname "$0")/../src}
cd "$SRC"
find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort | while read -r f; do
  de=$(dirname "$f"); [ "$de" = . ] && de=main
  { grep -ho '^#include "[^"]*"' "$f" || true; } | sed 's/#include "//; s/"$//' | while read -r inc; do
    para=${inc%%/*}
    if [ "$para" = "$inc" ]; then  # a bare name: a header of the same folder, or the controls'
      if [ -e "$(dirname "$f")/$inc" ]; then para=$de; else para=controls; fi
    fi
    if [ "$para" != "$de" ]; then echo "$de -> $para"; fi
  done
done | sort | uniq -c | awk '{printf "%-10s -> %-10s (%d)\n", $2, $4, $1}' > /tmp/grafo.$$
cat /tmp/grafo.$$
awk '{print $1, $3}' /tmp/grafo.$$ | while read -r a b; do
  if grep -q "^$b *-> *$a " /tmp/grafo.$$ && [[ "$a" < "$b" ]]; then echo "cycle: $a <-> $b"; fi
done
rm -f /tmp/grafo.$$
