#!/usr/bin/env bash
# The game as a distribution installs it: `cmake --install` into a temporary prefix, the tree
# made read-only, and the game started through its command link by an ordinary user (nobody)
# under Xvfb, the way a desktop launcher starts it. The cabinet opens with no error box; its reel
# pictures, sounds, animated cursors and LCD font are all found (the game's info log names
# every one it misses); WM_CLASS is the desktop file's name; the font is the tree's own, found
# through fontconfig, and the run leaves nothing in the home nor behind. Then root plays it and
# is killed: nothing is written into the tree, by either.
#   testar_instalado.sh BUILD APP_ID
set -uo pipefail
BUILD=$(cd "${1:?build folder}" && pwd)
ID=${2:?application id}
[ "$(id -u)" = 0 ] || { echo "skipped: only root can start the game as nobody"; exit 77; }
TMP=$(mktemp -d /tmp/trevolino-instalado-XXXXXX)
trap 'chmod -R u+w "$TMP" 2>/dev/null; rm -rf "$TMP"' EXIT
chmod 755 "$TMP"
cmake --install "$BUILD" --prefix "$TMP/usr" >"$TMP/instalacao.txt" 2>&1 || { cat "$TMP/instalacao.txt"; exit 1; }
chmod -R a-w "$TMP/usr"
retrato() { find "$TMP/usr" -printf '%p %s %T@ %m\n' | sort; }
retrato >"$TMP/antes.txt"
mkdir -p "$TMP/casa/run" "$TMP/raiz/run" && chmod 700 "$TMP/casa/run" "$TMP/raiz/run" && chown -R nobody:nogroup "$TMP/casa"
# The system's fonts and the tree's, as fontconfig finds them under /usr or /usr/local (with its
# cache outside the home, as a package's fonts are cached by the system).
mkdir -m 1777 "$TMP/cache"
printf '<fontconfig><cachedir>%s</cachedir><include>/etc/fonts/fonts.conf</include><dir>%s</dir></fontconfig>\n' \
  "$TMP/cache" "$TMP/usr/share/fonts" >"$TMP/fontes.conf"

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -ac -noreset" bash -s "$TMP" "$ID" <<'INNER'
set -uo pipefail
TMP=$1 ID=$2
falhas=0
verifica() { if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; falhas=$((falhas + 1)); fi; }
casa=$TMP/casa
# From the root folder, as a launcher with no Path= would; every file is found from the
# executable through the link. The test's session bus is root's, which nobody may not use: nobody
# plays with no bus, said with an address that fails (with none, libdbus would autolaunch one).
(cd / && exec setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin \
   DBUS_SESSION_BUS_ADDRESS=disabled: DISPLAY="$DISPLAY" HOME="$casa" XDG_RUNTIME_DIR="$casa/run" QT_QPA_PLATFORM=xcb FONTCONFIG_FILE="$TMP/fontes.conf" \
   QT_LOGGING_RULES="trevolino.info=true" "$TMP/usr/games/trevolino") >"$TMP/saida.txt" 2>&1 &
pid=$!
win=""
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --pid $pid 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.1
done
verifica "the cabinet opens for an ordinary user" '[ -n "$win" ]'
sleep 4   # the opening turn draws every reel, then gives the buttons back
verifica "one window and no error box" '[ "$(xdotool search --onlyvisible --pid $pid | wc -l)" = 1 ]'
verifica "WM_CLASS is the desktop file's name" \
  'xprop -id "$win" WM_CLASS | grep -q "= \"$ID\"," && [ -f "$TMP/usr/share/applications/$ID.desktop" ]'
pasta=$(ls -d "$casa"/run/trevolino/*/ 2>/dev/null | head -1)
for f in c_esperar.ani c_executar.ani c_normal.ani c_tocar.ani LCDMono2.ttf; do
  verifica "$f unpacked in the user's private folder" '[ -n "$pasta" ] && [ -s "$pasta/$f" ]'
done
# A coin: the bet's sound is read from the installed Som/.
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + 699)) $((Y + 453)) click 1
sleep 1
kill -TERM $pid
estado=timeout
for _ in $(seq 100); do
  if ! kill -0 $pid 2>/dev/null; then wait $pid; estado=$?; break; fi
  sleep 0.1
done
verifica "ends normally on SIGTERM (status $estado)" '[ "$estado" = 0 ]'
# With no sound server for nobody the log says so: proof that the log was on, so the absence
# of the other lines means every picture, sound, cursor and the font were found.
verifica "the info log was on" 'grep -q "no sound server" "$TMP/saida.txt"'
verifica "no reel picture, sound, cursor or font missed" \
  '! grep -E "reel picture|sound file|animated cursor|font not copied" "$TMP/saida.txt"'
verifica "the run leaves no private folder behind" '[ -z "$(ls -A "$casa/run/trevolino" 2>/dev/null)" ]'
verifica "nothing in the home but the run folder" '[ "$(cd "$casa" && find . -type f)" = "" ]'
# Root plays the same tree and is killed before it could tidy up.
(cd / && exec env -i PATH=/usr/bin:/bin DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
   DISPLAY="$DISPLAY" HOME="$TMP/raiz" XDG_RUNTIME_DIR="$TMP/raiz/run" \
   QT_QPA_PLATFORM=xcb "$TMP/usr/games/trevolino") >>"$TMP/saida.txt" 2>&1 &
pid=$!
verifica "root's cabinet opens" 'timeout 20 xdotool search --sync --onlyvisible --pid $pid >/dev/null'
kill -KILL $pid; wait $pid
[ $falhas = 0 ] || cat "$TMP/saida.txt"
exit $falhas
INNER
rc=$?
retrato >"$TMP/depois.txt"
if diff "$TMP/antes.txt" "$TMP/depois.txt" >/dev/null; then echo "ok   nothing written into the installed tree"
else echo "FAIL the installed tree changed:"; diff "$TMP/antes.txt" "$TMP/depois.txt" | head; rc=1; fi
exit $rc
