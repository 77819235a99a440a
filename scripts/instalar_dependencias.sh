#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test; skips what is there.
set -euo pipefail
PACKAGES=(
  g++ make cmake pkg-config build-essential debhelper
  qt6-base-dev libpulse-dev qt6-svg-dev qt6-image-formats-plugins
  libjpeg-dev libjpeg62-turbo-dev libbenchmark-dev libxcb1-dev libxcb-shape0-dev libxcb-xkb-dev
  qt6-l10n-tools qt6-tools-dev
  python3 python3-fonttools fonts-dejavu-core fontconfig
  xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick openbox
  pulseaudio pulseaudio-utils sox
  desktop-file-utils binutils strace util-linux
  appstream lintian dpkg-dev man-db groff-base file qt6-translations-l10n
  weston qt6-wayland python3-pil python3-numpy libglib2.0-bin
  clang libclang-rt-14-dev
  dbus-daemon at-spi2-core python3-pyatspi orca procps
  clang-format
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
