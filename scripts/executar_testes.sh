#!/usr/bin/env bash
# Runs every test through CTest, with a private PulseAudio server (null sink) for the sound tests.
set -uo pipefail
BUILD=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=/dev/null
. "$here/servidor_de_audio.sh"
# The server is stopped however the run ends: success, failure or interruption.
trap parar_servidor_de_audio EXIT
trap 'exit 130' INT TERM
iniciar_servidor_de_audio
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"
