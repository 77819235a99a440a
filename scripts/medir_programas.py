#!/usr/bin/env python3
"""Whole-program figures of the game against the floor of a minimal Qt window program.

Both programs are measured the same way, interleaved, on the X display of DISPLAY (the benchmark
runner starts an Xvfb for it), inside a session bus of their own with the accessibility bus
launcher running, as a desktop session starts programs: Qt's screen-reader bridge then finds the
bus at once, and neither program pays for libdbus looking for one (nor dodges that look):

- start-up to the first painted frame: from the moment the process is spawned to the first
  "Flushing" of Qt's widget repaint manager (logging category qt.widgets.painting, stamped with
  %{time boot}, the same monotonic clock as time.monotonic()). Nothing in the programs is
  changed for it; the log is on only in these runs.
- peak resident memory: VmHWM of /proc/<pid>/status at the end of the idle window.
- idle processor use: the process's processor time over the idle window (the sum of
  /proc/<pid>/task/*/schedstat, nanoseconds) divided by the window's wall time, after a settling
  time in which nothing is done to the program; the pointer rests in a corner of the screen,
  away from the window (--ponteiro dentro rests it over the window's middle instead).

Each run gets a copy of the program folder and a temporary HOME with its own XDG folders, so the
game's unpacked files and font copy never reach the build folder or the real home. The programs
are ended with SIGTERM, then SIGKILL; the temporary folders go with them.
"""
import argparse
import contextlib
import json
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

PADRAO_DE_MENSAGEM = "%{time boot}|%{category}|%{message}"
LINHA = re.compile(r"^\s*(\d+(?:\.\d+)?)\|qt\.widgets\.painting\|Flushing")


class Programa:
    """A copy of a program folder (or of a lone executable) with a private HOME."""

    def __init__(self, executavel, copiar_pasta):
        self.tmp = tempfile.TemporaryDirectory(prefix="trevolino-medida-")
        raiz = self.tmp.name
        nome = os.path.basename(executavel)
        if copiar_pasta:
            pasta = os.path.join(raiz, os.path.basename(os.path.dirname(os.path.abspath(executavel))))
            shutil.copytree(os.path.dirname(os.path.abspath(executavel)), pasta, symlinks=True)
        else:
            pasta = os.path.join(raiz, "programa")
            os.makedirs(pasta)
            shutil.copy2(executavel, pasta)
        self.pasta = pasta
        self.exe = os.path.join(pasta, nome)
        home = os.path.join(raiz, "home")
        for sub in (".local/share/applications", ".local/share/fonts", ".config", ".cache", "Desktop"):
            os.makedirs(os.path.join(home, sub), exist_ok=True)
        self.env = dict(os.environ)
        self.env.update({
            "HOME": home,
            "XDG_DATA_HOME": os.path.join(home, ".local/share"),
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_DESKTOP_DIR": os.path.join(home, "Desktop"),
            "XDG_RUNTIME_DIR": os.path.join(raiz, "run"),
            "QT_QPA_PLATFORM": "xcb",
        })
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)
        for v in ("QT_LOGGING_RULES", "QT_MESSAGE_PATTERN", "QT_LOGGING_CONF"):
            self.env.pop(v, None)

    def fechar(self):
        self.tmp.cleanup()


def encerrar(proc):
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def tempo_de_processador_ns(pid):
    total = 0
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended between the listing and the read
    return total


def pico_de_memoria_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for linha in f:
            if linha.startswith("VmHWM:"):
                return int(linha.split()[1])
    raise RuntimeError("VmHWM not found")


def janela_visivel(pid):
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                       capture_output=True, text=True)
    return bool(r.stdout.split())


def medir_partida(exe, copiar_pasta, limite=30.0):
    """Seconds from spawning the program to its first painted frame."""
    p = Programa(exe, copiar_pasta)
    env = dict(p.env)
    env["QT_LOGGING_RULES"] = "qt.widgets.painting=true"
    env["QT_MESSAGE_PATTERN"] = PADRAO_DE_MENSAGEM
    resultado = {}
    try:
        t0 = time.monotonic()
        proc = subprocess.Popen([p.exe], cwd=p.pasta, env=env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                                errors="replace")

        def ler():
            for linha in proc.stderr:
                m = LINHA.match(linha)
                if m and "t" not in resultado:
                    resultado["t"] = float(m.group(1))
                    pronto.set()
            pronto.set()

        pronto = threading.Event()
        leitor = threading.Thread(target=ler, daemon=True)
        leitor.start()
        pronto.wait(limite)
        encerrar(proc)
        leitor.join(5)
        if "t" not in resultado:
            raise RuntimeError(f"{exe}: no painted frame within {limite} s (exit {proc.returncode})")
        return resultado["t"] - t0
    finally:
        p.fechar()


def medir_ocioso(exe, copiar_pasta, janela_s, ponteiro, assentar_s=3.0):
    """(percent of one core over the idle window, peak resident kB)."""
    p = Programa(exe, copiar_pasta)
    # Away from the window (a corner of the screen) or over its middle: the game animates the
    # cursor it shows over its controls, so both places are worth a figure.
    if ponteiro == "fora":
        subprocess.run(["xdotool", "mousemove", "0", "0"], check=False)
    else:
        subprocess.run(["xdotool", "mousemove", "--polar", "0", "0"], check=False)  # screen centre
    try:
        proc = subprocess.Popen([p.exe], cwd=p.pasta, env=p.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            time.sleep(assentar_s)
            if proc.poll() is not None:
                raise RuntimeError(f"{exe} ended during start-up (exit {proc.returncode})")
            if not janela_visivel(proc.pid):
                raise RuntimeError(f"{exe} shows no window after {assentar_s} s")
            c0, t0 = tempo_de_processador_ns(proc.pid), time.monotonic()
            time.sleep(janela_s)
            c1, t1 = tempo_de_processador_ns(proc.pid), time.monotonic()
            rss = pico_de_memoria_kb(proc.pid)
            return 100.0 * (c1 - c0) / ((t1 - t0) * 1e9), rss
        finally:
            encerrar(proc)
    finally:
        p.fechar()


LANCADOR_DO_BARRAMENTO_DE_ACESSIBILIDADE = "/usr/libexec/at-spi-bus-launcher"


def dono_do_nome(nome):
    r = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                        "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{nome}"],
                       capture_output=True, text=True)
    return r.returncode == 0 and "boolean true" in r.stdout


@contextlib.contextmanager
def barramento_de_acessibilidade(limite=10.0):
    """The accessibility bus launcher, started as a desktop's autostart starts it, for the block."""
    lancador = subprocess.Popen([LANCADOR_DO_BARRAMENTO_DE_ACESSIBILIDADE, "--launch-immediately"],
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
    try:
        fim = time.monotonic() + limite
        while not dono_do_nome("org.a11y.Bus"):
            if lancador.poll() is not None or time.monotonic() > fim:
                sys.exit("medir_programas: the accessibility bus launcher did not take its name")
            time.sleep(0.05)
        yield
    finally:
        encerrar(lancador)


def main():
    # Once more inside a session bus of our own; the bus ends with this script.
    if os.environ.get("TREVOLINO_MEDIDA_NA_SESSAO") != "1":
        env = dict(os.environ, TREVOLINO_MEDIDA_NA_SESSAO="1")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        sys.exit(subprocess.run(["dbus-run-session", "--", sys.executable] + sys.argv, env=env).returncode)
    os.environ.pop("TREVOLINO_MEDIDA_NA_SESSAO")
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--jogo", required=True, help="the game's executable in its program folder")
    ap.add_argument("--piso", required=True, help="the minimal Qt window program")
    ap.add_argument("--saida", required=True, help="JSON file for the figures")
    ap.add_argument("--partidas", type=int, default=5, help="start-ups measured per program")
    ap.add_argument("--ocioso", type=float, default=10.0, help="idle window in seconds")
    ap.add_argument("--repeticoes-ocioso", type=int, default=1)
    ap.add_argument("--ponteiro", choices=("fora", "dentro"), default="fora",
                    help="pointer during the idle window: away from the window, or over it")
    a = ap.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("medir_programas: needs an X display (run it under xvfb-run)")

    with barramento_de_acessibilidade():
        medir(a)


def medir(a):
    programas = {"piso": (a.piso, False), "jogo": (a.jogo, True)}
    dados = {k: {"partida_s": [], "cpu_ocioso_pct": [], "pico_rss_kb": []} for k in programas}
    # Interleaved, so that whatever else the machine does weighs on both alike.
    # One start-up each first, unmeasured: the file cache then holds every library either loads.
    medir_partida(a.piso, False)
    medir_partida(a.jogo, True)
    for _ in range(a.partidas):
        for nome, (exe, pasta) in programas.items():
            dados[nome]["partida_s"].append(medir_partida(exe, pasta))
    for _ in range(a.repeticoes_ocioso):
        for nome, (exe, pasta) in programas.items():
            cpu, rss = medir_ocioso(exe, pasta, a.ocioso, a.ponteiro)
            dados[nome]["cpu_ocioso_pct"].append(cpu)
            dados[nome]["pico_rss_kb"].append(rss)
    for d in dados.values():
        d["mediana"] = {k: statistics.median(v) for k, v in list(d.items()) if isinstance(v, list)}
    dados["janela_ocioso_s"] = a.ocioso
    dados["ponteiro"] = a.ponteiro
    with open(a.saida, "w") as f:
        json.dump(dados, f, indent=1)


if __name__ == "__main__":
    main()
