#!/usr/bin/python3
"""The real game as a screen reader drives it, through AT-SPI alone.

  leitor_de_tela.py PROGRAM_DIR        (under xvfb-run; Debian's python3 with python3-pyatspi)

A copy of the program folder runs with its own HOME and XDG folders, no sound server and its own
session bus (dbus-run-session), on which the accessibility bus is started before the game, so Qt
finds it when it starts (QT_LINUX_ACCESSIBILITY_ALWAYS_ON: no screen reader needs to be running).
The reader finds "Apostar 10" and "Girar" by name and presses them with their actions, reads the
credit and bet displays by their names, then presses "Sair", reads the exit question from the
dialog and answers "Não", then "Sim".
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

FALHAS = []


def verificar(condicao, mensagem):
    print(("ok:   " if condicao else "FAIL: ") + mensagem, flush=True)
    if not condicao:
        FALHAS.append(mensagem)
    return condicao


def fora(programa):
    """Isolates the game's folders and runs the reader on a private session bus."""
    tmp = tempfile.mkdtemp(prefix="trevolino-leitor-")
    try:
        shutil.copytree(programa, os.path.join(tmp, "Trevolino"), symlinks=True)
        casa = os.path.join(tmp, "casa")
        execucao = os.path.join(casa, "runtime")
        os.makedirs(execucao, mode=0o700)
        env = dict(os.environ, HOME=casa, XDG_DATA_HOME=casa + "/.local/share",
                   XDG_CONFIG_HOME=casa + "/.config", XDG_CACHE_HOME=casa + "/.cache",
                   XDG_RUNTIME_DIR=execucao, PULSE_SERVER="unix:/nonexistent/trevolino-sem-som")
        for v in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "XDG_DATA_DIRS"):
            env.pop(v, None)
        r = subprocess.run(["dbus-run-session", "--", sys.executable, __file__, "--dentro",
                            os.path.join(tmp, "Trevolino")], env=env, timeout=100)
        return r.returncode
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


def esperar(condicao, segundos=15, passo=0.05):
    from gi.repository import GLib

    fim = time.monotonic() + segundos
    while True:
        while GLib.MainContext.default().iteration(False):  # the events heard meanwhile
            pass
        try:
            valor = condicao()
        except Exception:  # an object that went away mid-question: ask again
            valor = None
        if valor or time.monotonic() > fim:
            return valor
        time.sleep(passo)


def dentro(pasta):
    import pyatspi

    # Asking for the desktop starts the accessibility bus and its registry; Qt only looks for the
    # bus when it starts, so they come first.
    desktop = pyatspi.Registry.getDesktop(0)
    saida = open(os.path.join(pasta, "..", "saida.txt"), "w")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    jogo = subprocess.Popen([os.path.join(pasta, "trevolino")], cwd=pasta, env=env,
                            stdout=saida, stderr=subprocess.STDOUT)
    try:
        ler(pyatspi, desktop, jogo)
    finally:
        if jogo.poll() is None:
            jogo.kill()
            jogo.wait()
        saida.close()
    if FALHAS:
        print(open(os.path.join(pasta, "..", "saida.txt")).read())
    return 1 if FALHAS else 0


def ler(pyatspi, desktop, jogo):
    def aplicativo():
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.get_process_id() == jogo.pid:
                return a
        return None

    # What a reader is told without asking: the text a display gained.
    inseridos = []
    pyatspi.Registry.registerEventListener(
        lambda e: inseridos.append((e.source.name, e.any_data)), "object:text-changed:insert")

    app = esperar(aplicativo, 30)
    if not verificar(app is not None, "the game shows up on the accessibility bus"):
        return

    def achar(nome, papel, raiz=None):
        return pyatspi.findDescendant(raiz or app, lambda n: n.name == nome and n.getRole() == papel)

    def habilitado(o):
        return o.getState().contains(pyatspi.STATE_ENABLED)

    def apertar(o):
        acao = o.queryAction()
        nomes = [acao.getName(i) for i in range(acao.nActions)]
        if not verificar("Press" in nomes, f"'{o.name}' offers a press action ({nomes})"):
            return
        acao.doAction(nomes.index("Press"))

    def leitura(o):
        return o.queryText().getText(0, -1)

    botoes = {n: esperar(lambda n=n: achar(n, pyatspi.ROLE_PUSH_BUTTON))
              for n in ("Apostar 1", "Apostar 5", "Apostar 10", "Girar", "Sair")}
    verificar(all(botoes.values()), "the five cabinet buttons are push buttons named by their captions")
    credito = esperar(lambda: achar("Crédito", pyatspi.ROLE_LABEL))
    aposta = esperar(lambda: achar("Aposta", pyatspi.ROLE_LABEL))
    if not verificar(credito and aposta and all(botoes.values()), "the credit and bet displays are found"):
        return
    link = achar("www.trevolino.example", pyatspi.ROLE_LINK)
    verificar(link is not None and "Press" in [link.queryAction().getName(i)
                                               for i in range(link.queryAction().nActions)],
              "the web address is a link with a press action")

    # The opening turn holds the buttons until the reels stop.
    verificar(esperar(lambda: habilitado(botoes["Apostar 10"]), 20), "'Apostar 10' is enabled after the opening turn")
    verificar(leitura(credito) == "100",
              f"the credit reads 100 at the start ({leitura(credito)!r})")

    apertar(botoes["Apostar 10"])
    verificar(esperar(lambda: leitura(credito) == "90"), f"betting 10 leaves 90 of credit ({leitura(credito)!r})")
    verificar(esperar(lambda: ("Crédito", "90") in inseridos, 5), f"and the reader is told so ({inseridos})")
    verificar(leitura(aposta) == "10", f"the bet reads 10 ({leitura(aposta)!r})")

    apertar(botoes["Girar"])
    verificar(esperar(lambda: not habilitado(botoes["Girar"]), 5), "the buttons are disabled while the reels turn")
    verificar(esperar(lambda: habilitado(botoes["Girar"]), 30), "the buttons come back once the reels stop")
    depois = int(leitura(credito))
    verificar(depois >= 90 and leitura(aposta) == "0",
              f"after the turn the bet is 0 and the credit at least 90 (credit {depois})")

    apertar(botoes["Sair"])
    dialogo = esperar(lambda: achar("Confirmação Para Saída", pyatspi.ROLE_DIALOG))
    if not verificar(dialogo is not None, "'Sair' opens the exit question as a dialog"):
        return
    pergunta = pyatspi.findDescendant(dialogo, lambda n: "Você Deseja Mesmo Sair?" in (n.name or ""))
    verificar(pergunta is not None, "the dialog's text is read: " + repr(pergunta.name if pergunta else None))
    nao = achar("Não", pyatspi.ROLE_PUSH_BUTTON, dialogo)
    sim = achar("Sim", pyatspi.ROLE_PUSH_BUTTON, dialogo)
    if not verificar(nao is not None and sim is not None, "the dialog's buttons are 'Não' and 'Sim'"):
        return
    apertar(nao)
    verificar(esperar(lambda: achar("Confirmação Para Saída", pyatspi.ROLE_DIALOG) is None),
              "'Não' closes the question")
    verificar(jogo.poll() is None and habilitado(botoes["Sair"]), "and the game goes on")

    apertar(botoes["Sair"])
    dialogo = esperar(lambda: achar("Confirmação Para Saída", pyatspi.ROLE_DIALOG))
    sim = dialogo and achar("Sim", pyatspi.ROLE_PUSH_BUTTON, dialogo)
    if verificar(bool(sim), "'Sair' asks again"):
        apertar(sim)
        verificar(esperar(lambda: jogo.poll() is not None, 15) and jogo.returncode == 0,
                  f"'Sim' ends the game (status {jogo.returncode})")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--dentro":
        sys.exit(dentro(sys.argv[2]))
    sys.exit(fora(sys.argv[1]))
