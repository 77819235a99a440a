#!/usr/bin/env bash
# Where the real game unpacks its cursors and font: as an ordinary user of an installation it may
# only read, two games from one folder, a game killed or cut off from its display, a start
# through a symbolic link. Each game must open its cabinet (an error box would come before it),
# and every close, or else the next start, must leave nothing behind.
set -uo pipefail
export LC_ALL=C   # the order "ls" lists the five files in
PROGRAMA=${1:?program folder}
[ -x "$PROGRAMA/trevolino" ] || { echo "no game at $PROGRAMA"; exit 1; }
[ "$(id -u)" = 0 ] || { echo "skipped: only root can start the game as nobody"; exit 77; }
TMP=$(mktemp -d /tmp/trevolino-pastas-XXXXXX)
chmod 755 "$TMP"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$TMP"' EXIT
cp -r "$PROGRAMA" "$TMP/rw"
cp -r "$PROGRAMA" "$TMP/ro" && chmod -R a-w "$TMP/ro"   # what an ordinary user of /opt sees
mkdir -p "$TMP/casa/run" "$TMP/ninguem/run" "$TMP/bin"
chmod 700 "$TMP/casa/run" "$TMP/ninguem/run"
chown -R nobody:nogroup "$TMP/ninguem"
ln -s "$TMP/rw/trevolino" "$TMP/bin/trevolino"
NINGUEM=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
CINCO="LCDMono2.ttf c_esperar.ani c_executar.ani c_normal.ani c_tocar.ani"
falhas=0
verifica() { if eval "$2"; then echo "ok   $1 (${SECONDS}s)"; else echo "FAIL $1"; falhas=$((falhas + 1)); fi; }

# A private X server with access control off, so that "nobody" may draw on it too, and without
# the reset when its last client leaves (a game connecting during one is refused). Its number is
# chosen as "xvfb-run -a" chooses; one that another server took at the same moment is given up.
iniciar_x() {
  local n=99
  while :; do
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -ac -noreset -nolisten tcp -screen 0 1280x1024x24 >>"$TMP/saida.txt" 2>&1 &
    xvfb=$!
    pids+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      kill -0 $xvfb 2>/dev/null || break
      [ "$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null)" = "$xvfb" ] &&
        "${NINGUEM[@]}" xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill $xvfb 2>/dev/null
    n=$((n + 1))
  done
}
# jogo root|nobody FOLDER [program]: starts a game from FOLDER; its pid in $pid. Root's games use
# the test's session bus; nobody may not use root's, so nobody plays with no bus, said with an
# address that fails (with none at all, libdbus would autolaunch a bus and leave it running).
jogo() {
  local quem=(env) casa=$TMP/casa
  [ "$1" = nobody ] && quem=("${NINGUEM[@]}" env) casa=$TMP/ninguem
  local execucao=(XDG_RUNTIME_DIR="$casa/run")   # SEM_EXECUCAO=1: none, and a TMPDIR of the test's
  [ -n "${SEM_EXECUCAO:-}" ] && execucao=(-u XDG_RUNTIME_DIR TMPDIR="$TMP/tmp")
  [ -n "${TEMPORARIA:-}" ] && execucao+=(TMPDIR="$TEMPORARIA")
  [ "$1" = nobody ] && execucao+=(DBUS_SESSION_BUS_ADDRESS=disabled:)
  (cd "$2" && exec "${quem[@]}" "${execucao[@]}" HOME="$casa" QT_QPA_PLATFORM=xcb \
    "${3:-./trevolino}") >>"$TMP/saida.txt" 2>&1 &
  pid=$!
  pids+=($!)
}
# True once the game's cabinet (800 x 600) is on the screen. A sanitizer build beside the fuzz
# targets on two cores may take many seconds; one that never comes is described: its windows
# and where each of its threads waits.
aberto() {
  local w fim=$((SECONDS + 60))
  while [ $SECONDS -lt $fim ]; do
    for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
      xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 800x600' && return 0
    done
    sleep 0.1
  done
  {
    echo "game $1: no cabinet; its windows:"
    for w in $(xdotool search --pid "$1" 2>/dev/null); do echo "  $(xdotool getwindowname "$w") $(xdotool getwindowgeometry "$w" | tr '\n' ' ')"; done
    for t in /proc/"$1"/task/*; do echo "  thread $(cat "$t/comm"): $(cat "$t/wchan")"; done
    ls -l /proc/"$1"/fd
  } >>"$TMP/saida.txt" 2>&1
  return 1
}
termina() { kill -TERM "$1" && wait "$1"; }
# The cursors and the font's copy come with the first frame, just after the window shows.
logo() { local fim=$((SECONDS + 10)); until eval "$1"; do [ $SECONDS -lt $fim ] || return 1; sleep 0.1; done; }
tem_os_cinco() { local pasta=$1; logo '[ "$(cd "$pasta" 2>/dev/null && echo $(ls))" = "$CINCO" ]'; }
ao_lado() { local pasta=$1; logo 'for f in $CINCO; do [ -s "$pasta/$f" ] || return 1; done'; }
nada_de() { [ -z "$(cd "$1" && ls $CINCO 2>/dev/null)" ]; }
particular() { echo "$TMP/$1/run/trevolino/$2"-*; }   # a game's own folder in the private one
iniciar_x

# 1. An installation "nobody" may only read: two games, each in a private folder of its own.
jogo nobody "$TMP/ro"; a=$pid
jogo nobody "$TMP/ro"; b=$pid
verifica "read-only: both cabinets open, so no error box" 'aberto $a && aberto $b'
verifica "read-only: each game has the five files in its own private folder" \
  'tem_os_cinco "$(particular ninguem $a)" && tem_os_cinco "$(particular ninguem $b)"'
verifica "read-only: the private folder is nobody's, mode 700" \
  '[ "$(stat -c %U:%a "$TMP/ninguem/run/trevolino")" = nobody:700 ]'
termina $a
verifica "read-only: closing one game leaves the other's files" \
  '[ ! -e "$(particular ninguem $a)" ] && tem_os_cinco "$(particular ninguem $b)"'

# 2. A folder the game may write, two games: the first keeps its files beside the executable as
# a single game always did; the second must neither replace nor lose them.
jogo root "$TMP/rw"; c=$pid
aberto $c
no=$(stat -c "%i %y" "$TMP/rw/c_normal.ani")
jogo root "$TMP/rw"; d=$pid
verifica "writable: both cabinets open" 'aberto $d'
verifica "writable: the first game's files stay beside the executable, untouched" \
  'ao_lado "$TMP/rw" && [ "$(stat -c "%i %y" "$TMP/rw/c_normal.ani")" = "$no" ]'
verifica "writable: the second game's files are in its private folder" 'tem_os_cinco "$(particular casa $d)"'
termina $c
verifica "writable: closing the first removes its files and leaves the second's" \
  'nada_de "$TMP/rw" && tem_os_cinco "$(particular casa $d)"'
termina $d
verifica "writable: the last game to close leaves nothing" 'nada_de "$TMP/rw" && [ ! -e "$TMP/casa/run/trevolino" ]'

# 3. Through a symbolic link from elsewhere, as /usr/games/trevolino: the program folder is the
# real one, where the pictures and sounds are.
jogo root / "$TMP/bin/trevolino"
verifica "through a link: the cabinet opens" 'aberto $pid'
verifica "through a link: the files are beside the real executable" \
  'ao_lado "$TMP/rw" && [ "$(echo $(ls "$TMP/bin"))" = trevolino ]'
termina $pid
verifica "through a link: closed, nothing left" 'nada_de "$TMP/rw"'

# 4. Cut off from its display ("The X11 connection broke"): its files go as it ends. Killed: the
# next start removes what it left. Liveness is the folder's lock, not the pid: a folder named
# after a live pid (1) goes too, and one a live process holds stays.
jogo root "$TMP/rw"; c=$pid
aberto $c
xdotool windowkill "$(xdotool search --onlyvisible --pid $c | head -1)"
wait $c; estado=$?
verifica "a game whose window was killed ends (status $estado) and leaves nothing beside the executable" \
  '[ "$estado" = 1 ] && nada_de "$TMP/rw"'
kill -KILL $b; wait $b
verifica "a killed game leaves its folder" 'tem_os_cinco "$(particular ninguem $b)"'
jogo nobody "$TMP/ro"; e=$pid
verifica "the next start removes it" 'aberto $e && [ ! -e "$(particular ninguem $b)" ]'
kill $xvfb; wait $e
verifica "a game whose display died leaves no folder" '[ ! -e "$(particular ninguem $e)" ]'
iniciar_x
"${NINGUEM[@]}" mkdir -m 700 "$TMP/ninguem/run/trevolino/1-reusado" "$TMP/ninguem/run/trevolino/2-preso"
"${NINGUEM[@]}" flock "$TMP/ninguem/run/trevolino/2-preso" sleep 60 &
trava=$!
pids+=($!)
for _ in $(seq 50); do flock -n "$TMP/ninguem/run/trevolino/2-preso" true || break; sleep 0.1; done
jogo nobody "$TMP/ro"; f=$pid
aberto $f
verifica "the next start removed the dead games' folders, kept the held one" \
  '[ "$(ls "$TMP/ninguem/run/trevolino" | wc -l)" = 2 ] && [ -d "$TMP/ninguem/run/trevolino/2-preso" ] &&
   tem_os_cinco "$(particular ninguem $f)"'
kill $(pgrep -P $trava) $trava   # flock and its sleep both hold the lock
for _ in $(seq 50); do flock -n "$TMP/ninguem/run/trevolino/2-preso" true && break; sleep 0.1; done
termina $f
verifica "the last game to close leaves no private folder" '[ ! -e "$TMP/ninguem/run/trevolino" ]'

# Something other than a game holding the private folder's lock (a program that inherited it)
# must not keep a game from starting: after a moment the game takes the next place.
"${NINGUEM[@]}" mkdir -m 700 "$TMP/ninguem/run/trevolino" && mkdir -m 1777 "$TMP/tmp2"
"${NINGUEM[@]}" flock "$TMP/ninguem/run/trevolino" sleep 60 &
trava=$!
pids+=($!)
for _ in $(seq 50); do flock -n "$TMP/ninguem/run/trevolino" true || break; sleep 0.1; done
TEMPORARIA=$TMP/tmp2 jogo nobody "$TMP/ro"; f=$pid
verifica "a private folder locked by another program: the cabinet opens, the files go elsewhere" \
  'aberto $f && tem_os_cinco "$TMP/tmp2/trevolino-65534/$f"-* && [ -z "$(ls -A "$TMP/ninguem/run/trevolino")" ]'
termina $f
kill $(pgrep -P $trava) $trava
verifica "  and closing leaves nothing there" '[ ! -e "$TMP/tmp2/trevolino-65534" ]'
rmdir "$TMP/ninguem/run/trevolino"

# 5. Folders others may write: a program folder open to all (1777) where root put a font and a
# cursor; with no runtime folder, the private folder's name in TMPDIR taken by root (0777).
cp -r "$PROGRAMA" "$TMP/comum" && chmod 1777 "$TMP/comum"
echo plantada | tee "$TMP/comum/LCDMono2.ttf" >"$TMP/comum/c_normal.ani"
mkdir -m 1777 "$TMP/tmp" && mkdir -m 777 "$TMP/tmp/trevolino-65534"
jogo nobody "$TMP/comum"; g=$pid
SEM_EXECUCAO=1 jogo nobody "$TMP/ro"; h=$pid
verifica "shared folders: both cabinets open" 'aberto $g && aberto $h'
verifica "shared folder: the planted files are left alone, the game's are private" \
  '[ "$(cat "$TMP/comum/LCDMono2.ttf" "$TMP/comum/c_normal.ani")" = "plantada
plantada" ] && tem_os_cinco "$(particular ninguem $g)"'
verifica "shared folder: the font copied is the game's own" \
  'logo "cmp -s \"$TMP/ninguem/.local/share/fonts/LCDMono2.ttf\" \"$(particular ninguem $g)/LCDMono2.ttf\""'
fresca=$(echo "$TMP"/tmp/trevolino-65534-??????)
verifica "no runtime folder: a fresh private folder, 0700" \
  '[ "$(stat -c %U:%a "$fresca")" = nobody:700 ] && tem_os_cinco "$fresca/$h"-* && [ -z "$(ls -A "$TMP/tmp/trevolino-65534")" ]'
termina $g; termina $h
verifica "shared folders: closed, nothing left" '[ ! -e "$fresca" ] && [ ! -e "$TMP/ninguem/run/trevolino" ]'

[ $falhas -eq 0 ] || { cat "$TMP/saida.txt"; echo "display $DISPLAY"; }
exit $falhas
