#!/usr/bin/env bash
# Starts the built game from its own folder under Xvfb and openbox, as its launchers do: the five files are
# unpacked beside it, the cabinet opens without a frame, a bet and a spin are played with the
# mouse, a held key acts once (held through a spin, never), Tab focuses a button that Space presses,
# and "Sair" + Enter closes it and removes the unpacked files; so does a SIGTERM or SIGINT.
set -uo pipefail
PROGRAMA=${1:?program folder}
[ -x "$PROGRAMA/trevolino" ] || { echo "no game at $PROGRAMA"; exit 1; }
TMP=$(mktemp -d /tmp/trevolino-e2e-XXXXXX)
trap 'rm -rf "$TMP"' EXIT
# A copy of the program folder, so the test never touches the build's own.
cp -r "$PROGRAMA" "$TMP/Trevolino"
export HOME="$TMP/casa" XDG_DATA_HOME="$TMP/casa/.local/share" XDG_CONFIG_HOME="$TMP/casa/.config"
mkdir -p "$HOME"
export QT_QPA_PLATFORM=xcb

# A private session bus with the accessibility bus on it, where the displays are read.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" dbus-run-session -- bash -s "$TMP/Trevolino" <<'INNER'
set -uo pipefail
dir="$1"
cd "$dir"
falhas=0
verifica() { if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; falhas=$((falhas + 1)); fi; }
# A real window manager, as on a desktop: it decorates the dialogs and shows their titles.
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
verifica "openbox manages the display" "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q \"window id\""
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)'  # starts the accessibility bus
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ./trevolino >"$dir/../saida.txt" 2>&1 &
pid=$!
win=""
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --name '^Trevolino$' 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.1
done
verifica "the cabinet window opens" '[ -n "$win" ]'
sleep 3   # the opening turn ends and gives the buttons back
for f in c_esperar.ani c_executar.ani c_normal.ani c_tocar.ani LCDMono2.ttf; do
  verifica "$f unpacked beside the executable" '[ -s "$f" ]'
done
eval "$(xdotool getwindowgeometry --shell "$win")"
verifica "the window is 800 x 600" '[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ]'
xwininfo -id "$win" -shape > "$dir/../forma.txt" 2>&1
verifica "the window is shaped by the cabinet's outline" 'grep -q "Window shape extents" "$dir/../forma.txt" && ! grep -q "Window shape extents:  0x0" "$dir/../forma.txt"'
# Over the accessibility bus: "mostrador NAME" is what a display reads, "habilitado NAME" whether
# a button is enabled.
perguntar() {
  /usr/bin/python3 - "$pid" "$@" <<'PY'
import sys, pyatspi
app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == int(sys.argv[1]))
o = pyatspi.findDescendant(app, lambda n: n.name == sys.argv[3])
print(o.queryText().getText(0, -1) if sys.argv[2] == "mostrador" else o.getState().contains(pyatspi.STATE_ENABLED))
PY
}
mostrador() { perguntar mostrador "$1"; }
confirmacao() { xdotool search --onlyvisible --name 'Confirma' 2>/dev/null | head -1; }
# A held key is one press, however fast the X server repeats it as release and press pairs.
xset r on
xset r rate 150 50
segurar() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; sleep 0.5; }
segurar 1 2.5
segurar 5 2
verifica "holding 1, then 5, bets 1 and 5 ($(mostrador Crédito), $(mostrador Aposta))" \
  '[ "$(mostrador Crédito)" = 94 ] && [ "$(mostrador Aposta)" = 6 ]'
segurar Escape 2
verifica "holding Escape asks once, and its release leaves the question open" '[ -n "$(confirmacao)" ] && kill -0 $pid'
xdotool key Escape
sleep 0.5
xset r rate
# Apostar 10, then Girar, with "0" held through the spin: let go after it, it bets nothing.
xdotool mousemove $((X + 699)) $((Y + 453)) click 1
sleep 0.3
xdotool mousemove $((X + 699)) $((Y + 539)) click 1
xdotool keydown 0
sleep 0.4
verifica "the game is still running during the spin" 'kill -0 $pid'
for _ in $(seq 120); do [ "$(perguntar habilitado Sair)" = True ] && break; sleep 0.5; done  # a payout may be long
depois_do_giro="$(mostrador Crédito) $(mostrador Aposta)"
xdotool keyup 0
sleep 0.5
agora="$(mostrador Crédito) $(mostrador Aposta)"
verifica "0 held through the spin bets nothing when let go ($depois_do_giro, then $agora)" \
  '[ "$agora" = "$depois_do_giro" ] && [ "$(perguntar habilitado "Apostar 10")" = True ]'
# Tab pressed for real: Apostar 1 takes the focus and a screen reader hears it (a focus event, the
# focused state); Tab again and Space bet 5 on Apostar 5.
foco=$(/usr/bin/python3 - "$pid" <<'PY'
import subprocess, sys, pyatspi
from gi.repository import GLib
pid, ouvidos = int(sys.argv[1]), []
pyatspi.Registry.registerEventListener(lambda e: e.detail1 and e.source.get_process_id() == pid and ouvidos.append(e.source.name), "object:state-changed:focused")
GLib.timeout_add(300, lambda: subprocess.run(["xdotool", "key", "Tab"]) and False)
GLib.timeout_add(2000, lambda: pyatspi.Registry.stop() or False)
pyatspi.Registry.start()
app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid)
o = pyatspi.findDescendant(app, lambda n: n.getState().contains(pyatspi.STATE_FOCUSED) and n.getRole() == pyatspi.ROLE_PUSH_BUTTON)
print(",".join(ouvidos) + "|" + (o.name if o else ""))
PY
)
verifica "Tab focuses Apostar 1 and a screen reader hears it ($foco)" '[ "$foco" = "Apostar 1|Apostar 1" ]'
read -r c0 a0 <<<"$(mostrador Crédito) $(mostrador Aposta)"
xdotool key Tab && sleep 0.3 && xdotool key space && sleep 0.5
verifica "Tab and Space bet 5 on Apostar 5 ($c0 $a0, then $(mostrador Crédito) $(mostrador Aposta))" \
  '[ "$(mostrador Crédito) $(mostrador Aposta)" = "$((c0 - 5)) $((a0 + 5))" ]'
# What the window manager shows as titles: the cabinet's and each dialog's own, nothing added.
nome_wm() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
verifica "the window manager reads the cabinet's title as Trevolino" '[ "$(nome_wm "$win")" = Trevolino ]'
# Sair, Escape ("Não"), then Sair again without moving the pointer: the second click must ask
# again, although no enter or move event reached the button after the dialog.
xdotool mousemove $((X + 160)) $((Y + 244)) click 1
sleep 1
dlg=$(confirmacao)
verifica "Sair asks for confirmation" '[ -n "$dlg" ]'
verifica "the confirmation's title is its own alone ($(nome_wm "$dlg"))" '[ "$(nome_wm "$dlg")" = "Confirmação Para Saída" ]'
# No border icons: the Motif hints ask for neither a window menu nor a minimise, maximise or close
# box, nor allow those functions; openbox, which keeps its close and minimise boxes on any title
# bar, then draws the border alone (its top edge as thin as the bottom one).
read -r mwm_f mwm_fn mwm_dec _ <<<"$(xprop -id "$dlg" _MOTIF_WM_HINTS | sed 's/^[^=]*= //; s/,//g')"
verifica "the confirmation's Motif hints ask for no border icons ($mwm_f $mwm_fn $mwm_dec)" \
  '(( (mwm_f & 3) == 3 && (mwm_fn & 0x39) == 0 && (mwm_dec & 0x71) == 0 ))'
read -r m_esq m_dir m_cima m_baixo <<<"$(xprop -id "$dlg" _NET_FRAME_EXTENTS | sed 's/^[^=]*= //; s/,//g')"
verifica "openbox gives the confirmation no title bar with boxes ($m_cima over $m_baixo)" \
  '[ -n "$m_cima" ] && [ "$m_cima" = "$m_baixo" ]'
# Centred on the 1024 x 768 screen with the frame the window manager put around it (Qt learns
# the frame's width only after the window is shown: one pixel off is the most that may cost).
eval "$(xdotool getwindowgeometry --shell "$dlg" | sed 's/^/DLG_/')"
fora_x=$(( DLG_X - m_esq - (1024 - DLG_WIDTH - m_esq - m_dir) / 2 ))
fora_y=$(( DLG_Y - m_cima - (768 - DLG_HEIGHT - m_cima - m_baixo) / 2 ))
verifica "the confirmation, frame included, is centred on the screen (off by $fora_x, $fora_y)" \
  '(( fora_x * fora_x <= 1 && fora_y * fora_y <= 1 ))'
xdotool key Escape
sleep 1
verifica "Escape keeps the game running" 'kill -0 $pid && [ -z "$(confirmacao)" ]'
xdotool click 1
sleep 1
verifica "a second click on Sair, pointer unmoved, asks again" '[ -n "$(confirmacao)" ]'
xdotool key Return
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
verifica "Sair + Enter ends the game" '! kill -0 $pid 2>/dev/null'
for f in c_esperar.ani c_executar.ani c_normal.ani c_tocar.ani LCDMono2.ttf; do
  verifica "$f removed at close" '[ ! -e "$f" ]'
done
kill $pid 2>/dev/null

# Asked to end from outside (a logout's SIGTERM, Ctrl+C's SIGINT), once during the opening turn
# and once at rest: it ends normally, with the unpacked files gone as after Sair.
for caso in "TERM 0.5" "INT 4"; do
  set -- $caso
  ./trevolino >>"$dir/../saida.txt" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    xdotool search --onlyvisible --pid $pid >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep "$2"
  kill -"$1" $pid
  estado=timeout
  for _ in $(seq 100); do
    if ! kill -0 $pid 2>/dev/null; then wait $pid; estado=$?; break; fi
    sleep 0.1
  done
  verifica "SIG$1 after $2 s ends the game normally (status $estado)" '[ "$estado" = 0 ]'
  verifica "SIG$1: the unpacked files are removed" '[ -z "$(ls *.ani *.ttf 2>/dev/null)" ]'
  kill -9 $pid 2>/dev/null
done

# Ending during a long payout: the close answered "Sim" (Alt+F4, then Enter) and a SIGTERM both end
# the game within a second, however many credits are still to count, with the files removed.
# Bets of 20 until a spin wins (a prize of 40 or more counts for 10 s at least); three seconds
# after "Girar" a lost spin has given the buttons back and a won one is still counting.
girar_pixels() { import -window root -crop 156x60+$((X + 621))+$((Y + 509)) rgb:- 2>/dev/null | md5sum; }
for fim in fechar TERM; do
  ./trevolino >>"$dir/../saida.txt" 2>&1 &
  pid=$!
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --pid $pid 2>/dev/null | head -1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  sleep 3
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove $((X + 400)) $((Y + 200))
  sleep 0.3
  livre=$(girar_pixels)
  pagando=""
  for _ in 1 2 3 4; do
    xdotool mousemove $((X + 699)) $((Y + 453)) click 1 && sleep 0.3 && xdotool click 1 && sleep 0.3
    xdotool mousemove $((X + 699)) $((Y + 539)) click 1 && xdotool mousemove $((X + 400)) $((Y + 200))
    sleep 3
    if [ "$(girar_pixels)" != "$livre" ]; then pagando=1; break; fi
  done
  verifica "$fim: a spin won and is counting its prize" '[ -n "$pagando" ]'
  if [ "$fim" = fechar ]; then
    xdotool windowactivate "$win" 2>/dev/null; xdotool key alt+F4
    for _ in $(seq 30); do [ -n "$(confirmacao)" ] && break; sleep 0.1; done
    verifica "$fim: the window manager's close asks during the payout" '[ -n "$(confirmacao)" ]'
    xdotool key Return
  else
    kill -TERM $pid
  fi
  inicio=$(date +%s%N)
  while kill -0 $pid 2>/dev/null && [ $(( ($(date +%s%N) - inicio) / 1000000 )) -lt 60000 ]; do sleep 0.02; done
  ms=$(( ($(date +%s%N) - inicio) / 1000000 ))
  verifica "$fim during a payout ends the game within 1 s ($ms ms)" '[ $ms -lt 1000 ]'
  verifica "$fim during a payout: the unpacked files are removed" '[ -z "$(ls *.ani *.ttf 2>/dev/null)" ]'
  kill -9 $pid 2>/dev/null
done
kill $wm 2>/dev/null
exit $falhas
INNER
rc=$?
[ $rc -eq 0 ] || cat "$TMP/saida.txt"
exit $rc
