#!/usr/bin/env bash
# Builds the release archive Trevolino-<version>-linux-x86_64.tar.gz from a built program folder:
#
#   Trevolino-<version>-linux-x86_64/
#     LEIA-ME.txt          how to install with "<INSTALAR>", how to uninstall, the packages
#     Trevolino/           the program folder, as the installer copies it: trevolino, Bobinas/, Som/
#
#   scripts/gerar_dist.sh [BUILD] [OUTPUT_FOLDER]      (defaults: build, BUILD)
#
# Only the executable and the two data folders are taken, whatever else a run may have left
# in the build's program folder. Prints the archive's path.
set -euo pipefail
BUILD=${1:-build}
DESTINO=${2:-$BUILD}
here=$(cd "$(dirname "$0")" && pwd)
programa="$BUILD/Trevolino"

versao=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt" 2>/dev/null || true)
[ -n "$versao" ] || { echo "gerar_dist: $BUILD is not a configured build folder" >&2; exit 1; }
titulo=$(echo "$versao" | cut -d. -f1,2)
for f in "$programa/trevolino" "$programa/Bobinas" "$programa/Som"; do
  [ -e "$f" ] || { echo "gerar_dist: $f is missing; build the game first (make build)" >&2; exit 1; }
done

# The run-time packages: the libraries the executable links, the X11 platform plugin (in
# libqt6gui6), the Wayland one, and the font the dialogs ask fontconfig to substitute.
pacotes="libqt6widgets6 libpulse0 libjpeg62-turbo qt6-wayland fonts-dejavu-core"

nome="Trevolino-$versao-linux-x86_64"
trabalho=$(mktemp -d /tmp/trevolino-dist-XXXXXX)
trap 'rm -rf "$trabalho"' EXIT
raiz="$trabalho/$nome"
mkdir -p "$raiz/Trevolino"
install -m 0755 "$programa/trevolino" "$raiz/Trevolino/trevolino"
for pasta in Bobinas Som; do
  mkdir -p "$raiz/Trevolino/$pasta"
  find "$programa/$pasta" -maxdepth 1 -type f \( -name '*.jpg' -o -name '*.wav' \) \
    -exec install -m 0644 {} "$raiz/Trevolino/$pasta/" \;
done
sed -e "s/@VERSAO@/$versao/g" -e "s/@TITULO@/$titulo/g" -e "s/@PACOTES@/$pacotes/g" \
  "$here/LEIA-ME.modelo" > "$raiz/LEIA-ME.txt"

mkdir -p "$DESTINO"
arquivo="$(cd "$DESTINO" && pwd)/$nome.tar.gz"
# Reproducible: fixed owner, order and times (the last commit's, unless SOURCE_DATE_EPOCH says).
quando=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 0)}
tar --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$quando" \
  -C "$trabalho" -czf "$arquivo.tmp" "$nome"
mv "$arquivo.tmp" "$arquivo"
echo "$arquivo"
