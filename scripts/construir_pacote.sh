#!/usr/bin/env bash
# The Debian package, built as a Debian maintainer builds it: `dpkg-buildpackage -us -uc -b` on a
# clean copy of the sources in BUILD/pacote/ (the worktree stays clean, and the same path each
# time lets a compiler cache hit). Leaves BUILD/trevolino_<version>_<arch>.deb.
#   construir_pacote.sh BUILD
set -euo pipefail
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "${1:?build folder}"
SAIDA=$(cd "$1" && pwd)
versao=$(dpkg-parsechangelog -l "$RAIZ/debian/changelog" -S Version)
arquitetura=$(dpkg-architecture -qDEB_HOST_ARCH)
fontes=$SAIDA/pacote/trevolino-$versao
rm -rf "$SAIDA/pacote"
mkdir -p "$fontes"
# The files of the project, tracked or new, without what git ignores (build folders).
if git -C "$RAIZ" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$RAIZ" && git ls-files -z -co --exclude-standard |
     tar --null --ignore-failed-read -T - -cf -) | tar -C "$fontes" -xf -
else
  (cd "$RAIZ" && tar --exclude='./build*' --exclude='./obj-*' -cf - .) | tar -C "$fontes" -xf -
fi
(cd "$fontes" && dpkg-buildpackage -us -uc -b -J"$(nproc)")
cp "$SAIDA/pacote/trevolino_${versao}_${arquitetura}.deb" "$SAIDA/"
echo "$SAIDA/trevolino_${versao}_${arquitetura}.deb"
