#!/usr/bin/env bash
# Runs every test through CTest, with a private PulseAudio server (null sink) for the sound tests.
# The tests that record the sink (label "som") run on their own afterwards: any other test
# playing a sound at the same moment would be heard in their recordings.
set -uo pipefail
BUILD=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=/dev/null
. "$here/servidor_de_audio.sh"
# Run from a desktop's terminal, the tests must neither draw on that desktop nor talk to its
# buses: each test gets an X server and a session bus of its own (tests/CMakeLists.txt).
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS XDG_SESSION_TYPE
iniciar_servidor_de_audio
trap parar_servidor_de_audio EXIT
# sem_sobras.py fails a run that leaves anything it started alive (an autolaunched bus, an X
# server, a sound server), as the sanitized run fails on a leak.
"$here/sem_sobras.py" ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" -LE som
geral=$?
"$here/sem_sobras.py" ctest --test-dir "$BUILD" --output-on-failure -L som
som=$?
[ $geral -eq 0 ] && [ $som -eq 0 ]
