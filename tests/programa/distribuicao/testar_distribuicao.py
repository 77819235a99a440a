#!/usr/bin/env python3
"""The release archive, installed the game's own way, on an X display (run under xvfb-run).

  testar_distribuicao.py SOURCE_DIR BUILD_DIR

1. scripts/gerar_dist.sh builds the archive; its name, its folders and its LEIA-ME are checked,
   and the LEIA-ME's apt-get line must bring every library the executable links and both
   platform plugins (X11 and Wayland).
2. The archive is unpacked in a temporary folder and installed with "<INSTALAR>" in a temporary
   HOME, the program and uninstaller folders pointed at temporary folders through the
   installer's own seams: nothing reaches the real /opt, /usr/local/bin or HOME. The dialogs are
   answered with the keyboard and the mouse (xdotool), as a user would.
3. The game is started from the menu launcher's own Exec and Path, its cabinet must appear and
   the "Sair" button with "Sim" must end it, removing what it unpacked.
4. The uninstall launcher's Exec and Path remove the installation, launchers and icons.
"""
import glob
import os
import re
import shlex
import shutil
import subprocess
import sys
import tarfile
import tempfile
import time

FALHAS = []


def verificar(condicao, mensagem):
    if not condicao:
        FALHAS.append(mensagem)
        print("FAIL:", mensagem, flush=True)
    return condicao


def xdotool(*args, timeout=20):
    r = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout)
    return r.stdout.strip()


def esperar_janela(padrao, pid=None, timeout=30.0):
    """Id of the first visible window whose name matches the regular expression."""
    fim = time.monotonic() + timeout
    while time.monotonic() < fim:
        args = ["search", "--onlyvisible", "--name", padrao]
        if pid:
            args = ["search", "--onlyvisible", "--pid", str(pid), "--name", padrao]
        ids = xdotool(*args).split()
        if ids:
            return ids[-1]
        time.sleep(0.2)
    raise TimeoutError(f"no window named /{padrao}/ within {timeout} s")


def geometria(janela):
    saida = xdotool("getwindowgeometry", "--shell", janela)
    g = dict(l.split("=", 1) for l in saida.splitlines() if "=" in l)
    return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])


def tecla(janela, nome):
    """Focus the window, then press and release the key (the dialogs answer on release)."""
    xdotool("windowfocus", "--sync", janela)
    time.sleep(0.2)
    xdotool("key", "--clearmodifiers", nome)


def clicar(janela, x, y):
    gx, gy, _, _ = geometria(janela)
    xdotool("mousemove", "--sync", str(gx + x), str(gy + y))
    time.sleep(0.1)
    xdotool("click", "1")


def iniciar(argv, cwd, env, registro):
    """Starts a program of the game, its errors in `registro`, and lets it start for two seconds
    before anything asks the display for its windows. Started while xdotool was polling the
    display, a program was now and then refused by this test's X server ("could not connect to
    display", in about one run out of eight; xdpyinfo connected a moment later). That is the
    harness's display, not the game: such a start is tried again, at most twice, and said so."""
    for tentativa in range(3):
        with open(registro, "w") as erros:
            proc = subprocess.Popen(argv, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=erros)
        try:
            proc.wait(timeout=2.0)
        except subprocess.TimeoutExpired:
            return proc
        with open(registro, errors="replace") as f:
            if "could not connect to display" not in f.read():
                return proc
        print(f"note: the display refused {os.path.basename(argv[0])}; started again")
        time.sleep(0.5)
    return proc


def esperar_fim(proc, timeout=30):
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        return None


def ler_lancador(caminho):
    """The [Desktop Entry] keys of a launcher, with the string escapes undone."""
    chaves = {}
    with open(caminho, encoding="utf-8") as f:
        for linha in f:
            linha = linha.rstrip("\n")
            if "=" in linha and not linha.startswith("["):
                k, v = linha.split("=", 1)
                v = re.sub(r"\\(.)", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r"}.get(
                    m.group(1), "\\" + m.group(1)), v)
                chaves[k] = v
    return chaves


def argumentos_do_exec(exec_):
    """Splits an Exec value by the Desktop Entry quoting rules (double quotes, backslash escapes
    of '"', '`', '$' and '\\' inside them; '%%' is a literal '%')."""
    return [a.replace("%%", "%") for a in shlex.split(exec_, posix=True)]


def pacotes_necessarios(executavel):
    """Debian packages of the libraries the executable links and of both platform plugins."""
    libs = []
    for linha in subprocess.run(["ldd", executavel], capture_output=True, text=True).stdout.splitlines():
        m = re.search(r"=>\s+(/\S+)", linha)
        if m:
            libs.append(os.path.realpath(m.group(1)))
    diretos = [l.split()[-1] for l in subprocess.run(["objdump", "-p", executavel], capture_output=True,
                                                    text=True).stdout.splitlines() if "NEEDED" in l]
    caminhos = [l for l in libs if any(os.path.basename(l).startswith(d.split(".so")[0] + ".so") for d in diretos)]
    plugins = "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/"
    caminhos += [plugins + "libqxcb.so", plugins + "libqwayland-generic.so"]
    # The C and C++ run-times are in every Debian system.
    basicos = re.compile(r"/lib(c|m|gcc_s|stdc\+\+|pthread|dl)\.so")
    pacotes = set()
    for c in caminhos:
        if basicos.search(c):
            continue
        # With merged /usr, dpkg may know the file under /lib rather than /usr/lib.
        for nome in (c, c.replace("/usr/lib/", "/lib/", 1)):
            r = subprocess.run(["dpkg", "-S", nome], capture_output=True, text=True)
            if r.returncode == 0:
                pacotes.add(r.stdout.split(":")[0])
                break
        else:
            verificar(False, f"no Debian package owns {c}")
    return pacotes


def fecho_de_dependencias(pacotes):
    r = subprocess.run(["apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests",
                        "--no-conflicts", "--no-breaks", "--no-replaces", "--no-enhances", *pacotes],
                       capture_output=True, text=True)
    fecho = set(pacotes)
    for linha in r.stdout.splitlines():
        m = re.match(r"^\s*(?:\|)?(?:Pre)?Depends:\s+<?([^>\s:]+)", linha)
        if m:
            fecho.add(m.group(1))
        elif linha and not linha.startswith(" "):
            fecho.add(linha.strip().split(":")[0])
    return fecho


def main():
    fonte, build = sys.argv[1], sys.argv[2]
    if not os.environ.get("DISPLAY"):
        sys.exit("needs an X display: run under xvfb-run")
    tmp = tempfile.mkdtemp(prefix="trevolino-dist-teste-")
    try:
        executar(fonte, build, tmp)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    if FALHAS:
        print(f"{len(FALHAS)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


def executar(fonte, build, tmp):
    # --- 1. the archive --------------------------------------------------------------------------
    saida = subprocess.run([os.path.join(fonte, "scripts/gerar_dist.sh"), build, os.path.join(tmp, "dist")],
                           capture_output=True, text=True)
    if not verificar(saida.returncode == 0, f"gerar_dist.sh failed: {saida.stderr}"):
        return
    arquivo = saida.stdout.strip().splitlines()[-1]
    nome = os.path.basename(arquivo)
    verificar(re.fullmatch(r"Trevolino-\d+\.\d+\.\d+\.\d+-linux-x86_64\.tar\.gz", nome), f"archive name {nome}")
    raiz = nome[: -len(".tar.gz")]
    with tarfile.open(arquivo) as t:
        membros = {m.name: m for m in t.getmembers()}
        for m in membros:
            verificar(m == raiz or m.startswith(raiz + "/"), f"{m} outside the archive's folder")
        esperados = {f"{raiz}/LEIA-ME.txt", f"{raiz}/Trevolino/trevolino"}
        for e in esperados:
            verificar(e in membros, f"{e} missing from the archive")
        verificar(membros.get(f"{raiz}/Trevolino/trevolino") is not None and
                  membros[f"{raiz}/Trevolino/trevolino"].mode & 0o111, "the executable is not executable")
        programa = sorted(m[len(raiz) + 11:] for m in membros if m.startswith(raiz + "/Trevolino/"))
        jpgs = [p for p in programa if re.fullmatch(r"Bobinas/[^/]+\.jpg", p)]
        wavs = [p for p in programa if re.fullmatch(r"Som/[^/]+\.wav", p)]
        # 11 symbols, bright and dark, each at 1x and 2x.
        verificar(len(jpgs) == 44, f"{len(jpgs)} reel pictures in Bobinas/, 44 expected")
        verificar(len(wavs) == 6, f"{len(wavs)} sounds in Som/, 6 expected")
        outros = set(programa) - set(jpgs) - set(wavs) - {"trevolino", "Bobinas", "Som"}
        verificar(not outros, f"the program folder holds more than the game: {sorted(outros)}")
        leiame = t.extractfile(f"{raiz}/LEIA-ME.txt").read().decode("utf-8")
        t.extractall(os.path.join(tmp, "descompactado"))

    for trecho in ('"<INSTALAR>"', '"<DESINSTALAR>"', "Como instalar", "Como desinstalar"):
        verificar(trecho in leiame, f"LEIA-ME does not mention {trecho}")
    linhas_apt = [l.strip() for l in leiame.splitlines() if "apt-get install" in l]
    verificar(len(linhas_apt) == 1, f"LEIA-ME has {len(linhas_apt)} apt-get install lines, one expected")
    if linhas_apt:
        pedidos = [p for p in linhas_apt[0].split()[3:] if not p.startswith("-")]
        fecho = fecho_de_dependencias(pedidos)
        for p in sorted(pacotes_necessarios(os.path.join(build, "Trevolino/trevolino"))):
            verificar(p in fecho, f"the apt-get line does not bring {p}")

    # --- 2. install with "<INSTALAR>" ------------------------------------------------------------
    home = os.path.join(tmp, "home")
    prefixo, binarios = os.path.join(tmp, "opt"), os.path.join(tmp, "usr-local-bin")
    for p in (prefixo, binarios, os.path.join(home, "Desktop"), os.path.join(home, ".config"),
              os.path.join(home, ".local/share/applications")):
        os.makedirs(p, exist_ok=True)
    env = {k: v for k, v in os.environ.items() if not k.startswith(("XDG_", "QT_"))}
    env.update({
        "HOME": home,
        "XDG_DATA_HOME": os.path.join(home, ".local/share"),
        "XDG_CONFIG_HOME": os.path.join(home, ".config"),
        "XDG_CACHE_HOME": os.path.join(home, ".cache"),
        "XDG_DESKTOP_DIR": os.path.join(home, "Desktop"),
        "XDG_RUNTIME_DIR": os.path.join(tmp, "run"),
        "QT_QPA_PLATFORM": "xcb",
        "TREVOLINO_PASTA_DE_PROGRAMAS": prefixo,
        "TREVOLINO_PASTA_DO_WINDOWS": binarios,
    })
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
    pasta = os.path.join(tmp, "descompactado", raiz, "Trevolino")
    instalador = iniciar(["./trevolino", "<INSTALAR>"], pasta, env, os.path.join(tmp, "instalador.txt"))
    ultima = None
    try:
        tecla(esperar_janela("Confirma.*Instala", instalador.pid), "Return")
        contrato = esperar_janela("Contrato de Uso", instalador.pid)
        clicar(contrato, 119 + 192, 291 + 14)  # on "Eu Li e Concordo...", which ticks the box
        tecla(contrato, "Return")
        # "Não" to running it now: the test starts it from the launcher instead.
        fim = esperar_janela("Instala.*Conclu", instalador.pid)
        ultima = xdotool("getwindowname", fim)  # "Instalação Não Concluída" says it failed
        tecla(fim, "Escape")
    except TimeoutError as e:
        verificar(False, f"installer: {e}")
    if not verificar(esperar_fim(instalador) == 0, "the installer did not end cleanly"):
        with open(os.path.join(tmp, "instalador.txt"), errors="replace") as f:
            print(f"its last window: {ultima!r}; what it printed:\n{f.read()}")

    instalada = os.path.join(prefixo, "Trevolino")
    verificar(os.access(os.path.join(instalada, "trevolino"), os.X_OK), "no executable in the installation folder")
    verificar(len(glob.glob(os.path.join(instalada, "Bobinas/*.jpg"))) == 44, "reel pictures not installed")
    verificar(len(glob.glob(os.path.join(instalada, "Som/*.wav"))) == 6, "sounds not installed")
    desinstalador = os.path.join(binarios, "trevolino_Desinstalar")
    verificar(os.access(desinstalador, os.X_OK), "no uninstaller copy")
    mesa = glob.glob(os.path.join(home, "Desktop", "Trevolino v*.desktop"))
    # Root installs for every user: the menu group and icon go beside the uninstaller's folder.
    compartilhada = os.path.join(tmp, "share") if os.geteuid() == 0 else os.path.join(home, ".local/share")
    grupos = glob.glob(os.path.join(compartilhada, "applications", "Trevolino v*"))
    if not (verificar(len(mesa) == 1, f"desktop launchers: {mesa}") and
            verificar(len(grupos) == 1, f"menu groups: {grupos}")):
        return
    titulo = os.path.basename(grupos[0])
    executar_l = os.path.join(grupos[0], f"01 - Executar {titulo}.desktop")
    desinstalar_l = os.path.join(grupos[0], f"02 - Desinstalar {titulo}.desktop")
    for l in (mesa[0], executar_l, desinstalar_l):
        if not verificar(os.path.isfile(l), f"{l} missing"):
            return
        v = subprocess.run(["desktop-file-validate", l], capture_output=True, text=True)
        verificar(v.returncode == 0 and "error" not in v.stdout, f"{l}: {v.stdout}")
        chaves = ler_lancador(l)
        # The launchers show the game's icon: Icon=trevolino must resolve in the user's theme.
        verificar(chaves.get("Icon") == "trevolino", f"{l}: Icon={chaves.get('Icon')}")
    verificar(os.access(mesa[0], os.X_OK), "the desktop launcher is not executable")
    icones = glob.glob(os.path.join(compartilhada, "icons/hicolor/*/apps/trevolino.*"))
    verificar(any("/48x48/" in i for i in icones) and any(i.endswith(".svg") for i in icones),
              f"the game's icon is not in the hicolor theme: {icones}")

    # --- 3. start the game from the menu launcher ----------------------------------------------
    chaves = ler_lancador(executar_l)
    argv = argumentos_do_exec(chaves["Exec"])
    verificar(argv == [os.path.join(instalada, "trevolino")], f"Exec runs {argv}")
    verificar(os.path.realpath(chaves.get("Path", "")) == os.path.realpath(instalada),
              f"Path is {chaves.get('Path')}")
    jogo = iniciar(argv, chaves.get("Path") or None, env, os.path.join(tmp, "jogo.txt"))
    try:
        janela = esperar_janela("^Trevolino", jogo.pid)
        _, _, w, h = geometria(janela)
        verificar((w, h) == (800, 600), f"the cabinet window is {w}x{h}")
        time.sleep(1.5)
        # Its unpacked cursors and font lie beside it while it runs...
        desempacotados = glob.glob(os.path.join(instalada, "*.ani")) + glob.glob(os.path.join(instalada, "*.ttf"))
        verificar(len(desempacotados) == 5, f"unpacked beside the game: {desempacotados}, four cursors and the font expected")
        quadro = os.path.join(tmp, "jogo.png")
        subprocess.run(["import", "-window", "root", quadro], check=False, timeout=30)
        media = subprocess.run(["convert", quadro, "-format", "%[fx:mean]", "info:"],
                               capture_output=True, text=True).stdout.strip()
        verificar(media and float(media) > 0.02, f"the screen stays black (mean {media})")
        clicar(janela, 128 + 32, 229 + 15)  # "Sair"
        tecla(esperar_janela("Confirma.*Sa", jogo.pid), "Return")
    except TimeoutError as e:
        verificar(False, f"game: {e}")
    verificar(esperar_fim(jogo) == 0, "the game did not end after Sair and Sim")
    # ...and are gone when it closes, so the uninstaller finds only what it installed.
    verificar(not glob.glob(os.path.join(instalada, "*.ani")) and not glob.glob(os.path.join(instalada, "*.ttf")),
              "unpacked cursors or font left after closing")

    # --- 4. uninstall from the menu launcher ----------------------------------------------------
    chaves = ler_lancador(desinstalar_l)
    argv = argumentos_do_exec(chaves["Exec"])
    verificar(argv == [desinstalador, "<DESINSTALAR>"], f"uninstall Exec runs {argv}")
    remocao = iniciar(argv, chaves.get("Path") or None, env, os.path.join(tmp, "desinstalador.txt"))
    try:
        tecla(esperar_janela("Confirma.*Desinstala", remocao.pid), "Return")
        tecla(esperar_janela("Desinstala.*Conclu", remocao.pid), "Return")
    except TimeoutError as e:
        verificar(False, f"uninstaller: {e}")
    verificar(esperar_fim(remocao) == 0, "the uninstaller did not end cleanly")
    verificar(not os.path.exists(instalada), "the installation folder is still there")
    verificar(not os.path.exists(mesa[0]), "the desktop launcher is still there")
    verificar(not os.path.exists(grupos[0]), "the menu group is still there")
    verificar(not glob.glob(os.path.join(compartilhada, "icons/hicolor/*/apps/trevolino.*")),
              "the game's icons are still there")
    verificar(os.path.isdir(pasta) and os.path.isfile(os.path.join(pasta, "trevolino")),
              "the unpacked archive was touched")


if __name__ == "__main__":
    sys.exit(main())
