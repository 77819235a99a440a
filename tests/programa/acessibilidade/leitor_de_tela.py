#!/usr/bin/python3
"""The real game as a screen reader drives it, through AT-SPI alone (run under xvfb-run).

  leitor_de_tela.py PROGRAM_DIR

A copy of the program folder runs with its own HOME and XDG folders, no sound server, and a
private session bus on which the accessibility bus is started before the game; once for each
locale below, and the reader meets the game in that locale's language. In the English and
Portuguese runs the real screen reader, Orca, listens too, with a window manager as on a desktop,
and what it says (its debug log's "SPEECH OUTPUT" lines) is held to what a blind player must hear.
"""
import os, re, shutil, subprocess, sys, tempfile, threading, time, tty

FALHAS = []

# What the scenario looks for on screen, in each language the game speaks.
PORTUGUES = dict(botoes=("Apostar 1", "Apostar 5", "Apostar 10", "Girar", "Sair"), credito="Crédito",
                 aposta="Aposta", marquee="Mensagem", mensagem="Aposte e Ganhe", saida="Confirmação Para Saída",
                 pergunta="Você Deseja Mesmo Sair?", respostas=("Não", "Sim"), ciente="Sim",
                 aviso=("Faça Uma Aposta Antes de Puxar a Alavanca", "Você Deve Fazer Uma Aposta!"), linha=(" — ganhou ", " — sem prêmio"),
                 apostou="Aposta {}, crédito {}", final="Crédito {}",
                 simbolos={"Limão", "Morango", "Cereja", "Melancia", "Uva", "Sino", "Barra 1", "Barra 2", "Barra 3",
                           "Sete Azul", "Sete Vermelho"})
INGLES = dict(botoes=("Bet 1", "Bet 5", "Bet 10", "Spin", "Exit"), credito="Credit", aposta="Bet",
              marquee="Message", mensagem="Bet and Win", saida="Exit Confirmation", pergunta="Do You Really Want to Exit?",
              aviso=("Place a Bet Before Pulling the Lever", "You Must Place a Bet!"),
              respostas=("No", "Yes"), ciente="OK", linha=(" — won ", " — no prize"),
              apostou="Bet {}, credit {}", final="Credit {}",
              simbolos={"Lemon", "Strawberry", "Cherry", "Watermelon", "Grape", "Bell", "Bar 1", "Bar 2", "Bar 3",
                        "Blue Seven", "Red Seven"})
# The C locale, and any language the game has no translation for, get its own Portuguese.
LOCAIS = {"en_US.UTF-8": INGLES, "pt_BR.UTF-8": PORTUGUES, "C.UTF-8": PORTUGUES}
COM_ORCA = {"en_US.UTF-8", "pt_BR.UTF-8"}


class Orca:
    """The screen reader, its debug log holding every line it speaks. Orca writes the log in blocks
    to a file but line by line to a terminal, so it is given one and the log is read as it comes."""

    def __init__(self, saida):
        self.wm = subprocess.Popen(["openbox"], stdout=saida, stderr=subprocess.STDOUT)
        self.mestre, self.terminal = os.openpty()
        tty.setraw(self.terminal)
        self.log = bytearray()
        threading.Thread(target=self.drenar, daemon=True).start()
        self.orca = subprocess.Popen(["orca", "--debug-file=" + os.ttyname(self.terminal)],
                                     stdout=saida, stderr=subprocess.STDOUT)
        self.desde = 0
        # Its first words say it is on, in the language of the locale.
        verificar(esperar(self.falas, 30), f"Orca starts and speaks ({self.falas()})")

    @staticmethod
    def ja_roda():
        """Orca runs once per user: one already running is the user's own, and is left alone."""
        return subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], stdout=subprocess.DEVNULL).returncode == 0

    def drenar(self):
        while True:
            try:
                dados = os.read(self.mestre, 65536)
            except OSError:  # the terminal's last writer closed it
                return
            if not dados:
                return
            self.log += dados

    def falas(self):
        texto = bytes(self.log).decode("utf-8", "replace")
        return [" ".join(f.split()) for f in re.findall(r"SPEECH OUTPUT: '(.*?)'\s*\{'established'", texto, re.S)]

    def marcar(self):
        self.desde = len(self.falas())

    def novas(self):
        return self.falas()[self.desde:]

    def ouvir(self, trecho, segundos=10):
        """Waits for Orca to say trecho; then, a moment later, how many of its new lines held it."""
        if not esperar(lambda: any(trecho in f for f in self.novas()), segundos):
            return 0
        time.sleep(0.5)
        return sum(trecho in f for f in self.novas())

    def parar(self):
        for p in (self.orca, self.wm):
            p.terminate()
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
        os.close(self.terminal)


def verificar(condicao, mensagem):
    print(("ok:   " if condicao else "FAIL: ") + mensagem, flush=True)
    FALHAS.extend([] if condicao else [mensagem])
    return condicao


def esperar(condicao, segundos=15):
    from gi.repository import GLib
    fim = time.monotonic() + segundos
    while True:
        while GLib.MainContext.default().iteration(False):  # deliver the events heard meanwhile
            pass
        try:
            valor = condicao()
        except Exception:  # an object gone mid-question: ask again
            valor = None
        if valor or time.monotonic() > fim:
            return valor
        time.sleep(0.05)


def ler(pyatspi, jogo, t, orca):
    desktop = pyatspi.Registry.getDesktop(0)
    inseridos = []  # what a reader is told without asking
    pyatspi.Registry.registerEventListener(lambda e: inseridos.append((e.source.name, e.any_data)),
                                           "object:text-changed:insert")
    app = esperar(lambda: next((a for a in desktop if a and a.get_process_id() == jogo.pid), None), 30)
    if not verificar(app, "the game shows up on the accessibility bus"):
        return
    achar = lambda nome, papel, raiz=app: pyatspi.findDescendant(
        raiz, lambda n: n.name == nome and n.getRole() == papel)
    habilitado = lambda o: o.getState().contains(pyatspi.STATE_ENABLED)
    leitura = lambda o: o.queryText().getText(0, -1)
    acoes = lambda o: [o.queryAction().getName(i) for i in range(o.queryAction().nActions)]

    def apertar(o):
        if verificar("Press" in acoes(o), f"'{o.name}' has a press action {acoes(o)}"):
            return o.queryAction().doAction(acoes(o).index("Press"))

    apostar1, apostar5, apostar10, girar, sair = t["botoes"]
    botoes = {n: esperar(lambda n=n: achar(n, pyatspi.ROLE_PUSH_BUTTON)) for n in t["botoes"]}
    credito, aposta = achar(t["credito"], pyatspi.ROLE_LABEL), achar(t["aposta"], pyatspi.ROLE_LABEL)
    link = achar("www.trevolino.example", pyatspi.ROLE_LINK)
    if not verificar(all(botoes.values()) and credito and aposta and link and "Press" in acoes(link),
                     "buttons by caption, displays by name, the web address as a link to press"):
        return

    verificar(esperar(lambda: habilitado(botoes[apostar10]), 20), "enabled after the opening turn")
    verificar(leitura(credito) == "100", f"the credit reads 100 at the start ({leitura(credito)!r})")
    mensagem = achar(t["marquee"], pyatspi.ROLE_LABEL)
    verificar(mensagem and leitura(mensagem) == t["mensagem"],
              f"the marquee reads {t['mensagem']!r} ({mensagem and leitura(mensagem)!r})")
    orca and orca.marcar()
    apertar(botoes[apostar10])
    verificar(esperar(lambda: leitura(credito) == "90" and leitura(aposta) == "10"),
              f"betting 10 leaves 90 of credit and a bet of 10 ({leitura(credito)!r}, {leitura(aposta)!r})")
    verificar(esperar(lambda: (t["credito"], "90") in inseridos, 5), f"and the reader is told ({inseridos})")
    if orca:
        dito = t["apostou"].format(10, 90)
        verificar(orca.ouvir(dito) == 1, f"Orca says {dito!r} once ({orca.novas()})")
        orca.marcar()

    ouvidos = len(inseridos)
    apertar(botoes[girar])
    verificar(esperar(lambda: not habilitado(botoes[girar]), 5), "the buttons are disabled while the reels turn")
    verificar(esperar(lambda: habilitado(botoes[girar]), 30), "and enabled again once they stop")
    verificar(int(leitura(credito)) >= 90 and leitura(aposta) == "0",
              f"after the turn the bet is 0 and the credit at least 90 ({leitura(credito)!r})")
    pago = ([d for n, d in inseridos[ouvidos:] if n == t["credito"]], leitura(credito))
    falado = orca and (time.sleep(0.5), orca.novas())[1]  # what Orca said of this turn
    giro_falado = falado

    ler_dialogos(pyatspi, app, botoes, achar, apertar, t, orca)

    # The cabinet is a frame. Its reel cells are images named by their symbols, and the pay line
    # with what it paid reads in one place, the message display's description. Each button's press
    # names its keys, and those keys press it.
    verificar(achar("Trevolino", pyatspi.ROLE_FRAME), "the cabinet is a frame named Trevolino")
    celulas = pyatspi.findAllDescendants(app, lambda n: n.getRole() == pyatspi.ROLE_IMAGE)
    lugar = lambda c: c.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    meio = sorted(sorted(celulas, key=lambda c: lugar(c).y)[3:6], key=lambda c: lugar(c).x)
    premio = int(leitura(credito)) - 90
    ganhou, sem_premio = t["linha"]
    esperada = ", ".join(c.name for c in meio) + (f"{ganhou}{premio}" if premio else sem_premio)
    descricao = achar(t["marquee"], pyatspi.ROLE_LABEL).description
    verificar(len(celulas) == 9 and all(c.name in t["simbolos"] for c in celulas) and descricao == esperada,
              f"nine reel cells named in the game's language, the pay line reads {descricao!r} "
              f"({[c.name for c in celulas]})")
    if orca:
        verificar(sum(esperada in f for f in giro_falado) == 1,
                  f"Orca says the pay line {esperada!r} once ({giro_falado})")
    # Read as a sighted player reads the cabinet: the address and the displays at the top, the
    # reels row by row, the buttons down their column and Sair; nothing but what means something.
    ordem = [(c.name, c.getRole()) for c in app[0]] if app.childCount else []
    legiveis = [n for n, papel in ordem if papel != pyatspi.ROLE_NOTIFICATION]
    linhas = [c.name for c in sorted(celulas, key=lambda c: (lugar(c).y, lugar(c).x))]
    verificar(legiveis == ["www.trevolino.example", t["marquee"], t["credito"], t["aposta"]] + linhas +
              list(t["botoes"]), f"the cabinet's children in reading order, no fillers: {ordem}")
    teclas = {n: o.queryAction().getKeyBinding(acoes(o).index("Press")) for n, o in botoes.items()}
    antes = time.monotonic()
    subprocess.run(["xdotool", "search", "--pid", str(jogo.pid), "--onlyvisible", "--name", "^Trevolino$",
                    "windowfocus", "--sync", "key"] + [teclas[n].split(";")[-1] for n in (apostar1, apostar5)])
    # The toolkit hands each key to the screen reader first; the game must not wait on it long.
    verificar(all(teclas.values()) and esperar(lambda: leitura(aposta) == "6", 5)
              and time.monotonic() - antes < 1.5,
              f"the buttons name their keys, and those of '{apostar1}' and '{apostar5}' bet 6 "
              f"in {time.monotonic() - antes:.2f} s ({teclas})")
    if orca:
        # Tab walks the buttons in reading order and round again; Orca names each with its key.
        ouvido = []
        for n in list(t["botoes"]) + [apostar1]:
            orca.marcar()
            subprocess.run(["xdotool", "key", "Tab"])
            ouvido.append(esperar(lambda n=n: next((f for f in orca.novas() if f.startswith(n + " ")), None), 5))
        # Orca words some keys its own way ("Escape" may be "ESC"): the start of the word will do.
        tecla_dita = lambda f, n: f.split()[-1].rstrip(".").lower()[:3] == teclas[n].split(";")[-1].lower()[:3]
        verificar(all(f and tecla_dita(f, n) for f, n in zip(ouvido, list(t["botoes"]) + [apostar1])),
                  f"Tab goes round the buttons and Orca says each with its key ({ouvido})")

    # A prize counted into the credit one by one is told once: the final credit, as the count-up
    # ends. Three spins in four win; until one does, spin again on a bet of 1.
    for _ in range(12):
        if int(pago[1]) > 90 or not apertar(botoes[apostar1]):
            break
        antes, ouvidos = int(leitura(credito)), len(inseridos)
        orca and orca.marcar()
        apertar(botoes[girar])
        esperar(lambda: not habilitado(botoes[girar]), 5) and esperar(lambda: habilitado(botoes[girar]), 60)
        if int(leitura(credito)) > antes:
            pago = ([d for n, d in inseridos[ouvidos:] if n == t["credito"]], leitura(credito))
            falado = orca and (time.sleep(0.5), orca.novas())[1]
            break
    verificar(pago[0] == [pago[1]], f"a payout is told once, with the credit it ends at ({pago})")
    if orca:
        creditos = [f for f in falado if re.search(re.escape(t["final"].format("")) + r"\d", f)]
        verificar(len(creditos) == 1 and t["final"].format(pago[1]) in creditos[0],
                  f"Orca says the credit once, when the count-up ends at {pago[1]} ({falado})")

    nao, sim = t["respostas"]
    for resposta in (nao, sim):
        apertar(botoes[sair])
        dialogo = esperar(lambda: achar(t["saida"], pyatspi.ROLE_DIALOG))
        botao = dialogo and achar(resposta, pyatspi.ROLE_PUSH_BUTTON, dialogo)
        pergunta = dialogo and pyatspi.findDescendant(dialogo, lambda n: t["pergunta"] in n.name)
        if not verificar(botao and pergunta, f"'{sair}' asks, and the reader reads {pergunta and pergunta.name!r}"):
            return
        apertar(botao)
        if resposta == nao:
            verificar(esperar(lambda: habilitado(botoes[sair]) and not achar(t["saida"], pyatspi.ROLE_DIALOG))
                      and jogo.poll() is None, f"'{nao}' closes the question and the game goes on")
    verificar(esperar(lambda: jogo.poll() is not None) and jogo.returncode == 0,
              f"'{sim}' ends the game (status {jogo.returncode})")


def ler_dialogos(pyatspi, app, botoes, achar, apertar, t, orca):
    """The message dialogs as read aloud: each line of the message without the blank lines drawn
    around it, and only the buttons on the screen."""
    def abrir(botao, titulo):
        apertar(botao)
        return esperar(lambda: achar(titulo, pyatspi.ROLE_DIALOG))

    def lidos(dialogo):
        rotulos = pyatspi.findAllDescendants(dialogo, lambda n: n.getRole() == pyatspi.ROLE_LABEL)
        texto = [r.queryText().getText(0, -1) for r in rotulos if "Text" in r.get_interfaces()]
        return [r.name for r in rotulos] + texto, [b.name for b in pyatspi.findAllDescendants(
            dialogo, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON)]

    nao, sim = t["respostas"]
    casos = ((botoes[t["botoes"][3]], t["aviso"][0], t["aviso"][1], [t["ciente"]]),
             (botoes[t["botoes"][4]], t["saida"], t["pergunta"], sorted([nao, sim])))
    for botao, titulo, fim, esperados in casos:
        orca and orca.marcar()
        dialogo = abrir(botao, titulo)
        if not verificar(dialogo, f"'{botao.name}' opens '{titulo}'"):
            return
        if orca:
            # The dialog, then the button Enter answers, which has the focus.
            padrao = t["ciente"] if len(esperados) == 1 else sim
            verificar(orca.ouvir(fim) == 1 and any(titulo in f and fim in f for f in orca.novas())
                      and orca.ouvir(padrao + " ") >= 1 and orca.novas()[-1].startswith(padrao + " "),
                      f"Orca reads the dialog's title and message as it opens, then its focused {padrao!r} "
                      f"({orca.novas()})")
        textos, nomes = lidos(dialogo)
        verificar(textos and all(t.startswith("Trevolino v") and t.endswith(fim) for t in textos),
                  f"its message is read without breaks before or after: {textos!r}")
        verificar(sorted(nomes) == esperados, f"the buttons offered are those shown: {nomes}")
        apertar(achar(esperados[0], pyatspi.ROLE_PUSH_BUTTON, dialogo))
        verificar(esperar(lambda: not achar(titulo, pyatspi.ROLE_DIALOG)), f"'{esperados[0]}' closes it")


def dentro(pasta, local):
    import pyatspi
    pyatspi.Registry.getDesktop(0)  # starts the accessibility bus and its registry, for Qt to find
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    with open(os.path.join(pasta, "..", "saida.txt"), "w+") as saida:
        orca = None
        if local in COM_ORCA and Orca.ja_roda():
            print("skip: Orca already runs for this user; its checks are left out rather than replace it", flush=True)
        elif local in COM_ORCA:
            orca = Orca(saida)
        jogo = subprocess.Popen([os.path.join(pasta, "trevolino")], cwd=pasta, env=env,
                                stdout=saida, stderr=subprocess.STDOUT)
        try:
            ler(pyatspi, jogo, LOCAIS[local], orca)
        finally:
            if jogo.poll() is None:
                jogo.kill()
            jogo.wait()
            orca and orca.parar()
        if FALHAS:
            saida.seek(0)
            print(saida.read())
    return 1 if FALHAS else 0


def fora(programa, local):
    print(f"-- under LANG={local}", flush=True)
    tmp = tempfile.mkdtemp(prefix="trevolino-leitor-")
    try:
        shutil.copytree(programa, os.path.join(tmp, "Trevolino"), symlinks=True)
        casa = os.path.join(tmp, "casa")
        os.makedirs(casa + "/runtime", mode=0o700)
        env = dict(os.environ, HOME=casa, XDG_DATA_HOME=casa + "/.local/share", XDG_CONFIG_HOME=casa + "/.config",
                   XDG_CACHE_HOME=casa + "/.cache", XDG_RUNTIME_DIR=casa + "/runtime",
                   PULSE_SERVER="unix:/nonexistent/trevolino-sem-som", LANG=local)
        for v in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "XDG_DATA_DIRS", "LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            env.pop(v, None)
        return subprocess.run(["dbus-run-session", "--", sys.executable, __file__, "--dentro",
                               os.path.join(tmp, "Trevolino"), local], env=env, timeout=100).returncode
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    if sys.argv[1] == "--dentro":
        sys.exit(dentro(sys.argv[2], sys.argv[3]))
    sys.exit(max(fora(sys.argv[1], local) for local in LOCAIS))
