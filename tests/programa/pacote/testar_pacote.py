#!/usr/bin/env python3
"""The installed tree and the Debian package, as a distribution would check them.

Usage: testar_pacote.py BUILD_DIR APP_ID VERSION

1. --help and --version answer on the terminal with no display at all; the game's window
   carries the id in WM_CLASS and the clover as its icon.
2. `cmake --install` into a temporary DESTDIR lays out the program folder, the command's link,
   the desktop file, the icons, the metainfo and the manual page; the command works through its
   link; desktop-file-validate and appstreamcli accept what was installed.
3. dpkg-buildpackage builds the .deb (as `make deb`): its dependencies come from the executable's
   libraries, it holds the same tree, lintian reports no error, warning or missing hardening, and
   its installer modes only say that the package manager owns it, ending with status 1.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

build, app_id, versao = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3]
programa = os.path.join(build, "Trevolino")
falhas = []


def verificar(condicao, mensagem):
    if not condicao:
        falhas.append(mensagem)
        print("FALHA:", mensagem)


trabalho = tempfile.mkdtemp(prefix="trevolino-pacote-")


def rodar(args, **kw):
    kw.setdefault("cwd", trabalho)
    return subprocess.run(args, capture_output=True, text=True, timeout=kw.pop("timeout", 120), **kw)


# No display of any kind: a terminal answer must not need one. Qt's offscreen platform is not
# chosen either, so a window attempt would fail to connect and show.
sem_tela = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE")}


def respostas_de_terminal(executavel, onde):
    r = rodar([executavel, "--version"], env=sem_tela, timeout=20)
    verificar(r.returncode == 0 and r.stdout == f"Trevolino {versao}\n",
              f"{onde} --version: rc={r.returncode} out={r.stdout!r} err={r.stderr!r}")
    r = rodar([executavel, "--help"], env=sem_tela, timeout=20)
    verificar(r.returncode == 0, f"{onde} --help: rc={r.returncode} err={r.stderr!r}")
    for termo in ('"<INSTALAR>"', '"<ICONES>"', '"<DESINSTALAR>"', "--help", "--version"):
        verificar(termo in r.stdout, f"{onde} --help does not name {termo}: {r.stdout!r}")
    # Any other argument is the game's: with no display it cannot start, and says so.
    r = rodar([executavel, "--help", "x"], env=sem_tela, timeout=20)
    verificar(r.returncode != 0 and "Uso:" not in r.stdout,
              f"{onde} '--help x' was answered as help: rc={r.returncode} out={r.stdout!r}")


# The game's window, on a private X server: WM_CLASS names the id (what StartupWMClass matches)
# and the clover is its icon (_NET_WM_ICON), so a taskbar shows it under its launcher.
JANELA = r"""cd "$1"; ./trevolino 2>/dev/null & pid=$!
w=$(timeout 20 xdotool search --sync --onlyvisible --pid $pid 2>/dev/null | head -1)
[ -n "$w" ] && xprop -id "$w" WM_CLASS _NET_WM_ICON | grep -o -e '^WM_CLASS.*' -e 'Icon ([0-9]* x [0-9]*)' | sort -u
kill -TERM $pid; wait $pid"""


RECUSA = r"""jogo=$1; shift
for t in "<INSTALAR>" "<ICONES>" "<DESINSTALAR>"; do
  "$@" "$jogo" "$t" 2>/dev/null & pid=$!
  w=$(timeout 20 xdotool search --sync --onlyvisible --pid $pid 2>/dev/null | head -1)
  [ -n "$w" ] && echo -n "$(xdotool getwindowname "$w") " && xdotool windowfocus --sync "$w" key Return
  ( sleep 10; kill $pid ) 2>/dev/null & wait $pid; echo "status $?"
done"""


def identidade_da_janela():
    casa = os.path.join(trabalho, "casa")
    os.makedirs(casa, exist_ok=True)
    r = rodar(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -nolisten tcp -noreset", "bash", "-c", JANELA, "janela",
               programa], env={**sem_tela, "HOME": casa, "QT_QPA_PLATFORM": "xcb"}, timeout=60)
    linhas = r.stdout.splitlines()
    verificar(f'WM_CLASS(STRING) = "{app_id}", "Trevolino"' in linhas, f"the window's WM_CLASS: {r.stdout!r}")
    verificar(any(l.startswith("Icon (") for l in linhas), f"the window has no icon: {r.stdout!r}")


try:
    respostas_de_terminal(os.path.join(programa, "trevolino"), "build")
    identidade_da_janela()

    # --- the install rules ------------------------------------------------------------------
    raiz = os.path.join(trabalho, "raiz")
    r = rodar(["cmake", "--install", build, "--prefix", "/usr"], env={**os.environ, "DESTDIR": raiz})
    verificar(r.returncode == 0, f"cmake --install: {r.stdout}{r.stderr}")
    usr = os.path.join(raiz, "usr")

    comando = os.path.join(usr, "games", "trevolino")
    verificar(os.path.islink(comando) and not os.path.isabs(os.readlink(comando)),
              "usr/games/trevolino is not a relative link")
    real = os.path.realpath(comando)
    pasta = os.path.dirname(real)
    verificar(real.startswith(usr + "/lib/") and os.access(real, os.X_OK),
              f"the command does not lead to an executable under usr/lib: {real}")
    # The program folder as built: Bobinas/ and Som/ with the same files, beside the executable.
    for sub in ("Bobinas", "Som"):
        feitos = sorted(os.listdir(os.path.join(programa, sub)))
        instalados = sorted(os.listdir(os.path.join(pasta, sub))) if os.path.isdir(os.path.join(pasta, sub)) else []
        verificar(feitos and instalados == feitos, f"{sub}/ installed {instalados} built {feitos}")
    respostas_de_terminal(comando, "installed")

    desktop = os.path.join(usr, "share", "applications", app_id + ".desktop")
    metainfo = os.path.join(usr, "share", "metainfo", app_id + ".metainfo.xml")
    manual = os.path.join(usr, "share", "man", "man6", "trevolino.6.gz")
    icones = [os.path.join(usr, "share", "icons", "hicolor", f"{n}x{n}", "apps", app_id + ".png")
              for n in (16, 22, 24, 32, 48, 64, 128, 256)]
    icones.append(os.path.join(usr, "share", "icons", "hicolor", "scalable", "apps", app_id + ".svg"))
    for f in [desktop, metainfo, manual] + icones:
        verificar(os.path.isfile(f), f"not installed: {os.path.relpath(f, raiz)}")

    if os.path.isfile(desktop):
        texto = open(desktop, encoding="utf-8").read()
        for linha in (f"Icon={app_id}", f"StartupWMClass={app_id}", "Exec=trevolino"):
            verificar(linha in texto.splitlines(), f"the desktop file lacks {linha}")
        r = rodar(["desktop-file-validate", desktop])
        verificar(r.returncode == 0 and not (r.stdout + r.stderr).strip(),
                  f"desktop-file-validate: {r.stdout}{r.stderr}")
    if os.path.isfile(metainfo):
        texto = open(metainfo, encoding="utf-8").read()
        verificar(f'<release version="{versao}"' in texto, "the metainfo's release is not the build's version")
        # validate reads the file alone; validate-tree also looks for the desktop file the
        # component launches, so a mismatch of ids shows.
        for args in (["validate", "--no-net", metainfo], ["validate-tree", "--no-net", usr]):
            r = rodar(["appstreamcli"] + args)
            problemas = [l for l in (r.stdout + r.stderr).splitlines() if re.match(r"\s*[EW]: ", l)]
            verificar(r.returncode == 0 and not problemas,
                      f"appstreamcli {args[0]}: rc={r.returncode}\n{r.stdout}{r.stderr}")
    if os.path.isfile(manual):
        r = rodar(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", manual],
                  env={**os.environ, "LC_ALL": "C.UTF-8"})
        verificar(r.returncode == 0 and not r.stderr.strip(), f"man page warnings: {r.stderr}")

    # --- the Debian package -----------------------------------------------------------------
    fontes = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..")
    r = rodar([os.path.join(fontes, "scripts", "construir_pacote.sh"), build], timeout=1500)
    deb = r.stdout.strip().splitlines()[-1] if r.returncode == 0 else ""
    verificar(deb.endswith(".deb") and os.path.isfile(deb), f"dpkg-buildpackage: {r.stdout[-3000:]}{r.stderr[-3000:]}")
    if os.path.isfile(deb):
        campos = rodar(["dpkg-deb", "-f", deb, "Package", "Version", "Depends"]).stdout
        verificar(f"Version: {versao}\n" in campos, f"package version: {campos}")
        # dpkg-shlibdeps read the executable: the Qt, PulseAudio and JPEG libraries' packages.
        for pacote in ("libqt6widgets6", "libpulse0", "libjpeg62-turbo", "libc6"):
            verificar(re.search(rf"\b{pacote}\b", campos), f"Depends lacks {pacote}: {campos}")
        # The package holds the tree the install rules made, no more and no less.
        lista = rodar(["dpkg-deb", "-c", deb]).stdout.splitlines()
        no_pacote = sorted(l.split()[5].lstrip(".") for l in lista if not l.startswith("d"))
        no_disco = sorted("/" + os.path.relpath(os.path.join(d, f), raiz)
                          for d, _, fs in os.walk(raiz) for f in fs)
        verificar(no_pacote == no_disco, f"package files differ from the install:\n{no_pacote}\n{no_disco}")

        # Errors, warnings and any missing hardening fail; infos and pedantic notes are shown.
        r = rodar(["lintian", "--pedantic", "-I", "--tag-display-limit", "0", deb], timeout=180)
        problemas = [l for l in r.stdout.splitlines() if l.startswith(("E: ", "W: ")) or "hardening-no-" in l]
        print(r.stdout, end="")
        verificar(r.returncode == 0 and not problemas, f"lintian: rc={r.returncode} {problemas}")

        # The installer modes of the package's copy, run by an ordinary user (root's would reach
        # /opt): one dialog each, status 1, nothing made in the home.
        pacote, casa = os.path.join(trabalho, "pacote"), os.path.join(trabalho, "casa-do-pacote")
        rodar(["dpkg-deb", "-x", deb, pacote])
        os.makedirs(casa)
        # nobody may not use root's session bus: it runs with none, said with an address that fails
        # (with no address at all, libdbus would autolaunch a bus that writes ~/.dbus and lives on).
        quem = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                "env", "DBUS_SESSION_BUS_ADDRESS=disabled:"] if os.geteuid() == 0 else []
        if quem:
            shutil.chown(casa, "nobody", "nogroup")
            os.chmod(trabalho, 0o755)
        r = rodar(["xvfb-run", "-a", "-s", "-ac -nolisten tcp -noreset", "bash", "-c", RECUSA, "recusa",
                   os.path.join(pacote, "usr", "games", "trevolino")] + quem,
                  env={**sem_tela, "HOME": casa, "QT_QPA_PLATFORM": "xcb"}, timeout=120)
        verificar(r.stdout.count("Gerenciada Pelo Sistema status 1") == 3 and not os.listdir(casa),
                  f"installer modes of the package's copy: {r.stdout!r} home: {os.listdir(casa)}")
finally:
    shutil.rmtree(trabalho, ignore_errors=True)

if falhas:
    print(f"{len(falhas)} failure(s)")
    sys.exit(1)
print("pacote: every check passed")
