# A headless PulseAudio server with a null sink "test_sink" for the sound tests. Sourced.
iniciar_servidor_de_audio() {
  command -v pulseaudio >/dev/null || return 0
  export PULSE_RUNTIME_PATH=${PULSE_RUNTIME_PATH:-$(mktemp -d /tmp/trevolino-pulse-XXXXXX)}
  pulseaudio -n -D --exit-idle-time=-1 --log-level=error --system=false \
    -L module-native-protocol-unix -L "module-null-sink sink_name=test_sink" 2>/dev/null || return 0
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl set-default-sink test_sink 2>/dev/null || true
  export TREVOLINO_TEST_PULSE=1
}
parar_servidor_de_audio() {
  [ -n "${TREVOLINO_TEST_PULSE:-}" ] && pulseaudio --kill 2>/dev/null
  return 0
}
