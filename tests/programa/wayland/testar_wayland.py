#!/usr/bin/env python3
"""The game in a Wayland session (weston), compared with the same game on X11.

  testar_wayland.py SOURCE_DIR BUILD_DIR          (run under xvfb-run: the X11 reference and
                                                    weston's X11 back-end need the display)

1. X11 reference: the game on the Xvfb display; the pixels it changes on a plain root window
   are the cabinet's outline as the SHAPE mask cuts it.
2. weston, headless back-end (pixman renderer, screenshots through weston-screenshooter): the
   game with QT_QPA_PLATFORM=wayland must change exactly the same set of pixels on weston's
   desktop: only the cabinet's outline shows, the key-colour surround stays transparent.
3. weston, X11 back-end inside the same Xvfb, the one weston back-end that has a seat (headless
   has no input device at all, so nothing there can press a button): the pointer drags the
   cabinet by its picture and the compositor moves the window by the same offset; "Sair" opens
   the exit question, which appears whole on the output and answers Enter, and the game ends.

Exit 77 (skipped) only when weston or Qt's Wayland plugin is missing or weston cannot start.
"""
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import numpy as np
from PIL import Image

PULAR = 77
PAINEL = 40          # rows of weston's desktop-shell panel (its clock changes): never compared
FALHAS = []


def verificar(condicao, mensagem):
    if not condicao:
        FALHAS.append(mensagem)
        print("FAIL:", mensagem, flush=True)
    else:
        print("ok:", mensagem, flush=True)
    return condicao


def pular(motivo):
    print("SKIP:", motivo, flush=True)
    sys.exit(PULAR)


def encerrar(proc):
    if proc and proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def ler_png(caminho):
    return np.asarray(Image.open(caminho).convert("RGB"), dtype=np.int16)


class Alteracao:
    """The pixels that differ between two shots (below the panel), as a mask and its box."""

    def __init__(self, antes, depois, topo=0):
        d = np.abs(depois - antes).sum(axis=2) > 24
        d[:topo] = False
        self.mascara = d
        ys, xs = np.nonzero(d)
        self.vazia = len(xs) == 0
        if not self.vazia:
            self.x0, self.y0, self.x1, self.y1 = xs.min(), ys.min(), xs.max() + 1, ys.max() + 1

    @classmethod
    def de_mascara(cls, mascara):
        a = cls.__new__(cls)
        a.mascara = mascara
        ys, xs = np.nonzero(mascara)
        a.vazia = len(xs) == 0
        if not a.vazia:
            a.x0, a.y0, a.x1, a.y1 = xs.min(), ys.min(), xs.max() + 1, ys.max() + 1
        return a

    @property
    def caixa(self):
        return self.mascara[self.y0:self.y1, self.x0:self.x1]

    def __repr__(self):
        return "nothing" if self.vazia else f"{self.x1 - self.x0}x{self.y1 - self.y0}+{self.x0}+{self.y0}"


def preparar_programa(build, tmp, nome):
    """A copy of the program folder and a private HOME, so nothing reaches the build or HOME."""
    raiz = os.path.join(tmp, nome)
    pasta = os.path.join(raiz, "Trevolino")
    shutil.copytree(os.path.join(build, "Trevolino"), pasta)
    home = os.path.join(raiz, "home")
    for sub in (".local/share", ".config", ".cache", "Desktop"):
        os.makedirs(os.path.join(home, sub), exist_ok=True)
    env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "WAYLAND_"))}
    env.update({"HOME": home, "XDG_DATA_HOME": os.path.join(home, ".local/share"),
                "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                "XDG_CACHE_HOME": os.path.join(home, ".cache")})
    return pasta, env


def iniciar_jogo(pasta, env, protocolo=None):
    """The game from its folder; with `protocolo`, its Wayland requests and events are logged
    there (WAYLAND_DEBUG=client)."""
    if protocolo:
        env = dict(env, WAYLAND_DEBUG="client")
    return subprocess.Popen(["./trevolino"], cwd=pasta, env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL,
                            stderr=open(protocolo, "w") if protocolo else subprocess.DEVNULL)


def pais_dos_toplevels(protocolo):
    """The toplevels the client made, in order, and the parent each one declared."""
    ordem, pais = [], {}
    with open(protocolo, errors="replace") as f:
        for linha in f:
            m = re.search(r"-> xdg_surface@\d+\.get_toplevel\(new id xdg_toplevel@(\d+)\)", linha)
            if m:
                ordem.append(m.group(1))
                continue
            m = re.search(r"-> xdg_toplevel@(\d+)\.set_parent\(xdg_toplevel@(\d+)\)", linha)
            if m:
                pais[m.group(1)] = m.group(2)
    return ordem, pais


def esperar_quadro(capturar, fundo, proc, topo, minimo=20000, timeout=20.0):
    """Shots until the game's pixels stop changing shape (its lamps and marquee keep running,
    so two shots agree on the box, not on every pixel)."""
    fim = time.monotonic() + timeout
    anterior = None
    while time.monotonic() < fim:
        if proc.poll() is not None:
            raise RuntimeError(f"the game ended (exit {proc.returncode})")
        a = Alteracao(fundo, capturar(), topo)
        if not a.vazia and a.mascara.sum() > minimo:
            if anterior is not None and repr(a) == repr(anterior):
                return a
            anterior = a
        time.sleep(0.7)
    raise RuntimeError(f"no stable cabinet on screen within {timeout} s (last: {anterior})")


# --- X11 reference ---------------------------------------------------------------------------

def captura_x11(tmp, recorte=None, display=None):
    caminho = os.path.join(tmp, "x11.png")
    args = ["import"] + (["-display", display] if display else []) + ["-window", "root"]
    if recorte:
        args += ["-crop", recorte, "+repage"]
    subprocess.run(args + [caminho], check=True, timeout=30)
    return ler_png(caminho)


class Xvfb:
    """A private X server with a white (-wr) or black (-br) root window."""

    def __init__(self, raiz):
        r, w = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24",
                                      raiz, "-nolisten", "tcp"], pass_fds=(w,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        with os.fdopen(r) as f:
            self.display = ":" + f.readline().strip()

    def parar(self):
        encerrar(self.proc)


def cabine_x11(build, tmp, raiz):
    """The game on a private X server: its shot, the plain root's shot and its window's place."""
    x = Xvfb(raiz)
    jogo = None
    try:
        fundo = captura_x11(tmp, display=x.display)
        pasta, env = preparar_programa(build, tmp, "x11" + raiz)
        env.update(QT_QPA_PLATFORM="xcb", DISPLAY=x.display)
        jogo = iniciar_jogo(pasta, env)
        esperar_quadro(lambda: captura_x11(tmp, display=x.display), fundo, jogo, 0, minimo=5000)
        time.sleep(0.5)
        quadro = captura_x11(tmp, display=x.display)
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(jogo.pid)],
                             capture_output=True, text=True, env=env).stdout.split()
        g = dict(l.split("=") for l in subprocess.run(
            ["xdotool", "getwindowgeometry", "--shell", ids[-1]], capture_output=True,
            text=True, env=env).stdout.split())
        return fundo, quadro, (int(g["X"]), int(g["Y"]))
    finally:
        encerrar(jogo)
        x.parar()


def referencia_x11(build, tmp):
    """The outline as X11's SHAPE mask cuts it: a pixel shows the game when it differs from a
    white root or from a black root (the game centres itself, so both runs agree on its place)."""
    fb, qb, origem = cabine_x11(build, tmp, "-wr")
    fp, qp, origem2 = cabine_x11(build, tmp, "-br")
    verificar(origem == origem2, f"the X11 window opens at the same place twice ({origem}, {origem2})")
    a = Alteracao(fb, qb)
    a.mascara |= Alteracao(fp, qp).mascara
    a = Alteracao.de_mascara(a.mascara)
    # Where the visible outline begins inside the 800 x 600 window.
    return a, (a.x0 - origem[0], a.y0 - origem[1])


# --- weston ------------------------------------------------------------------------------------

class Weston:
    def __init__(self, tmp, backend, largura, altura):
        self.runtime = os.path.join(tmp, f"run-{backend}")
        os.makedirs(self.runtime, mode=0o700)
        self.socket = f"trevolino-{backend}-{os.getpid()}"
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
        env.pop("WAYLAND_DISPLAY", None)
        self.log = open(os.path.join(tmp, f"weston-{backend}.log"), "w")
        # --debug lets weston-screenshooter take shots; pixman so that headless renders at all.
        self.proc = subprocess.Popen(
            ["weston", f"--backend={backend}-backend.so", "--use-pixman", f"--width={largura}",
             f"--height={altura}", f"--socket={self.socket}", "--idle-time=0", "--debug"],
            env=env, stdin=subprocess.DEVNULL, stdout=self.log, stderr=subprocess.STDOUT)
        self.tmp = tmp
        fim = time.monotonic() + 15
        while time.monotonic() < fim:
            if self.proc.poll() is not None:
                break
            if os.path.exists(os.path.join(self.runtime, self.socket)):
                time.sleep(1.5)  # the desktop shell's background and panel
                return
            time.sleep(0.1)
        encerrar(self.proc)
        self.log.close()
        with open(os.path.join(tmp, f"weston-{backend}.log")) as f:
            registro = f.read()[-2000:]
        raise OSError(f"weston ({backend}) did not start:\n{registro}")

    def env_cliente(self, env):
        env = dict(env, XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY=self.socket,
                   QT_QPA_PLATFORM="wayland")
        return env

    def capturar(self):
        pasta = tempfile.mkdtemp(dir=self.tmp)
        subprocess.run(["weston-screenshooter"], cwd=pasta, env=self.env_cliente(os.environ),
                       check=True, timeout=30, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        arquivo = glob.glob(os.path.join(pasta, "wayland-screenshot*.png"))[0]
        img = ler_png(arquivo)
        shutil.rmtree(pasta)
        return img

    def parar(self):
        encerrar(self.proc)
        self.log.close()


def comparar_contornos(nome, a, ref):
    verificar(abs((a.x1 - a.x0) - (ref.x1 - ref.x0)) <= 2 and abs((a.y1 - a.y0) - (ref.y1 - ref.y0)) <= 2,
              f"{nome}: the visible cabinet is {a}, on X11 {ref}")
    h = min(a.y1 - a.y0, ref.y1 - ref.y0)
    w = min(a.x1 - a.x0, ref.x1 - ref.x0)
    diferentes = np.logical_xor(a.caixa[:h, :w], ref.caixa[:h, :w]).sum()
    visiveis = ref.caixa.sum()
    # Lamps, marquee and reels move between the shots; a surround drawn opaque would add the
    # whole key-colour area (tens of thousands of pixels).
    verificar(diferentes <= 0.01 * visiveis,
              f"{nome}: {diferentes} pixels differ from the X11 outline ({visiveis} visible there)")


def parte_headless(build, tmp, ref):
    try:
        w = Weston(tmp, "headless", 1280, 1024)
    except OSError as e:
        pular(str(e))
    jogo = None
    try:
        fundo = w.capturar()
        pasta, env = preparar_programa(build, tmp, "headless")
        jogo = iniciar_jogo(pasta, w.env_cliente(env))
        a = esperar_quadro(w.capturar, fundo, jogo, PAINEL)
        comparar_contornos("headless weston", a, ref)
        preenchido = a.caixa.sum() / float(800 * 600)
        verificar(preenchido < 0.97, f"headless weston: the outline fills {preenchido:.1%} of 800x600, "
                  "not the whole rectangle")
        guardar(w.capturar(), "wayland-headless.png")
    finally:
        encerrar(jogo)
        w.parar()


def guardar(img, nome):
    """Keeps a shot for a person to look at when TREVOLINO_CAPTURAS names a folder."""
    pasta = os.environ.get("TREVOLINO_CAPTURAS")
    if pasta:
        Image.fromarray(img.astype(np.uint8)).save(os.path.join(pasta, nome))


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=20)


def entradas_do_ponteiro(protocolo):
    with open(protocolo, errors="replace") as f:
        return len(re.findall(r"wl_pointer@\d+\.enter\(", f.read()))


def apontar(x, y, fora, protocolo, limite=3.0):
    """Moves the pointer to (x, y) over the game and waits until the compositor has given the
    pointer to it (its protocol log shows wl_pointer.enter). Weston's X11 backend follows the X
    pointer only once it has seen it enter its window, which a pointer already inside when the
    window appeared never does; so the pointer first leaves the window, at `fora`."""
    antes = entradas_do_ponteiro(protocolo)
    xdotool("mousemove", *fora)
    time.sleep(0.2)
    xdotool("mousemove", x, y)
    fim = time.monotonic() + limite
    while time.monotonic() < fim:
        if entradas_do_ponteiro(protocolo) > antes:
            time.sleep(0.2)
            return True
        time.sleep(0.1)
    return False


def parte_x11(build, tmp, ref, deslocamento):
    largura, altura = 1200, 900
    try:
        w = Weston(tmp, "x11", largura, altura)
    except OSError as e:
        pular(str(e))
    recorte = f"{largura}x{altura}+0+0"

    def capturar():
        return captura_x11(tmp, recorte)

    jogo = None
    try:
        xdotool("mousemove", largura // 2, 10)  # weston draws the pointer: keep it on the panel
        time.sleep(0.5)
        fundo = capturar()
        pasta, env = preparar_programa(build, tmp, "westonx11")
        protocolo = os.path.join(tmp, "wayland-cliente.log")
        jogo = iniciar_jogo(pasta, w.env_cliente(env), protocolo)
        a = esperar_quadro(capturar, fundo, jogo, PAINEL)
        comparar_contornos("weston on X11", a, ref)
        ox, oy = a.x0 - deslocamento[0], a.y0 - deslocamento[1]  # the window's top-left

        # Drag by the picture: a point of the cabinet body that no control covers.
        px, py = 420, 250
        verificar(ref.mascara[ref.y0 + py - deslocamento[1], ref.x0 + px - deslocamento[0]],
                  "the drag starts on the visible cabinet")
        dx, dy = -120, 70 if oy < altura - 600 - 70 else -70
        if ox + dx < 0:
            dx = 120
        fora = (largura + 40, altura + 40)  # on the X screen, beside weston's window
        verificar(apontar(ox + px, oy + py, fora, protocolo), "the game gets the pointer")
        xdotool("mousedown", 1)
        for k in range(1, 11):
            time.sleep(0.05)
            xdotool("mousemove", ox + px + dx * k // 10, oy + py + dy * k // 10)
        time.sleep(0.3)
        xdotool("mouseup", 1)
        xdotool("mousemove", largura // 2, 10)
        time.sleep(1.0)
        b = esperar_quadro(capturar, fundo, jogo, PAINEL)
        verificar(abs(b.x0 - a.x0 - dx) <= 2 and abs(b.y0 - a.y0 - dy) <= 2,
                  f"the drag by ({dx}, {dy}) moved the cabinet from {a} to {b}")
        comparar_contornos("weston on X11 after the drag", b, ref)
        ox, oy = b.x0 - deslocamento[0], b.y0 - deslocamento[1]

        # "Sair", right after the drag: the buttons still answer (the compositor's move takes the
        # button's release), the exit question appears whole on the output and answers Enter.
        antes = capturar()
        verificar(apontar(ox + 128 + 32, oy + 229 + 15, fora, protocolo),
                  "the game gets the pointer after the drag")
        xdotool("click", 1)
        xdotool("mousemove", largura // 2, 10)
        time.sleep(2.0)
        depois = capturar()
        guardar(depois, "wayland-apos-sair.png")
        # Lamps and marquee change some 12,000 pixels between two shots; the dialog far more.
        ys, xs = np.nonzero(Alteracao(antes, depois, PAINEL).mascara)
        if verificar(len(xs) > 60000, "after the drag, a click on Sair opens the exit question"):
            caixa = (xs.min(), ys.min(), xs.max() + 1, ys.max() + 1)
            verificar(caixa[0] > 0 and caixa[1] >= PAINEL and caixa[2] < largura and caixa[3] < altura,
                      f"the exit question {caixa} lies whole on the {largura}x{altura} output")
            guardar(depois, "wayland-dialogo.png")
        # Where a dialog opens is the compositor's choice on Wayland (weston's desktop shell picks
        # a place of its own for every window); what the client can do is declare the cabinet as
        # the dialog's parent, which desktops such as GNOME and KDE use to centre it over it.
        ordem, pais = pais_dos_toplevels(protocolo)
        verificar(len(ordem) >= 2 and pais.get(ordem[-1]) == ordem[0],
                  f"the exit question declares the cabinet as its parent (toplevels {ordem}, parents {pais})")
        xdotool("key", "Return")
        try:
            jogo.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass
        verificar(jogo.poll() == 0, f"Enter on the exit question ended the game (exit {jogo.poll()})")
        verificar(not glob.glob(os.path.join(pasta, "*.ani")) and not glob.glob(os.path.join(pasta, "*.ttf")),
                  "the unpacked cursors and font were removed at the close")
    finally:
        encerrar(jogo)
        w.parar()


def main():
    fonte, build = sys.argv[1], sys.argv[2]
    if not shutil.which("weston") or not shutil.which("weston-screenshooter"):
        pular("weston is not installed (apt-get install weston)")
    if not glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"):
        pular("Qt's Wayland plugin is not installed (apt-get install qt6-wayland)")
    if not os.environ.get("DISPLAY"):
        sys.exit("needs an X display: run under xvfb-run")
    tmp = tempfile.mkdtemp(prefix="trevolino-wayland-teste-")
    try:
        ref, deslocamento = referencia_x11(build, os.path.join(tmp))
        print(f"X11 outline {ref}, {ref.caixa.sum()} pixels, from ({deslocamento}) in the window")
        parte_headless(build, tmp, ref)
        parte_x11(build, tmp, ref, deslocamento)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    if FALHAS:
        print(f"{len(FALHAS)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
