# A private headless PulseAudio server with a null sink "test_sink", for the sound tests.
# Sourced by executar_testes.sh: iniciar_servidor_de_audio, then parar_servidor_de_audio (always).
# Works as root and as a user, with no stdin and no session bus (CI). When it starts, the tests
# find it through PULSE_SERVER / PULSE_RUNTIME_PATH and TREVOLINO_TEST_PULSE=1 makes every
# sound test that needs it fail rather than skip if it cannot be reached.

_audio_dir=""
_audio_pid=""
_audio_keepalive=""

iniciar_servidor_de_audio() {
  if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null; then
    echo "servidor de áudio: pulseaudio/pactl not installed; sound tests will be skipped" >&2
    return 0
  fi
  _audio_dir=$(mktemp -d /tmp/trevolino-pulse-XXXXXX)
  mkdir -p "$_audio_dir/config" "$_audio_dir/state"
  # Its own runtime, state and config folders: never the user's (or root's) own server files.
  export PULSE_RUNTIME_PATH="$_audio_dir"
  export PULSE_STATE_PATH="$_audio_dir/state"
  export PULSE_CONFIG_PATH="$_audio_dir/config"
  export PULSE_SERVER="unix:$_audio_dir/native"
  # -n: no default script, only the two modules below; no exit on idle; anonymous access on its
  # private socket so that tests with a temporary HOME (no cookie) are let in.
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-level=error --log-target=stderr \
    --use-pid-file=no --disallow-exit=no \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$_audio_dir/native" \
    -L "module-null-sink sink_name=test_sink rate=44100 channels=2" \
    </dev/null >"$_audio_dir/log" 2>&1 &
  _audio_pid=$!
  local ok=""
  for _ in $(seq 100); do
    if pactl info >/dev/null 2>&1; then ok=1; break; fi
    kill -0 "$_audio_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$ok" ]; then
    echo "servidor de áudio: could not start PulseAudio; sound tests will be skipped" >&2
    cat "$_audio_dir/log" >&2 || true
    parar_servidor_de_audio
    unset PULSE_SERVER PULSE_RUNTIME_PATH PULSE_STATE_PATH PULSE_CONFIG_PATH
    return 0
  fi
  pactl set-default-sink test_sink >/dev/null 2>&1 || true
  # A silent stream keeps the null sink's clock running, so its monitor records from the start.
  pacat --latency-msec=20 --device=test_sink </dev/zero >/dev/null 2>&1 &
  _audio_keepalive=$!
  export TREVOLINO_TEST_PULSE=1
}

parar_servidor_de_audio() {
  if [ -n "$_audio_keepalive" ]; then
    kill "$_audio_keepalive" 2>/dev/null; wait "$_audio_keepalive" 2>/dev/null
    _audio_keepalive=""
  fi
  if [ -n "$_audio_pid" ]; then
    kill "$_audio_pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$_audio_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$_audio_pid" 2>/dev/null
    wait "$_audio_pid" 2>/dev/null
    _audio_pid=""
  fi
  if [ -n "$_audio_dir" ]; then
    rm -rf "$_audio_dir"
    _audio_dir=""
  fi
  return 0
}
