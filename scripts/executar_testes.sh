#!/usr/bin/env bash
# Runs every test through CTest, with a private PulseAudio server (null sink) for the sound tests.
# The tests that record the sink (label "som") run on their own afterwards: any other test
# playing a sound at the same moment would be heard in their recordings.
set -uo pipefail
BUILD=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=/dev/null
. "$here/servidor_de_audio.sh"
iniciar_servidor_de_audio
trap parar_servidor_de_audio EXIT
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" -LE som
geral=$?
ctest --test-dir "$BUILD" --output-on-failure -L som
som=$?
[ $geral -eq 0 ] && [ $som -eq 0 ]
