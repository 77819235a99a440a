// The real executable under Xvfb: "<INSTALAR>" answered with keyboard and mouse (xdotool), the
// game started from its menu launcher, then the uninstaller started from its own launcher.
// Everything lives in a temporary HOME and temporary install prefixes.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kExecutavel = QStringLiteral(TREVOLINO_PROGRAM_DIR "/trevolino");

QString rodar(const QString& programa, const QStringList& args, int ms = 15000, int* codigo = nullptr) {
    QProcess p;
    p.start(programa, args);
    if (!p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished(2000);
        if (codigo) *codigo = -1;
        return QString();
    }
    if (codigo) *codigo = p.exitCode();
    const QByteArray erros = p.readAllStandardError();
    if (!erros.trimmed().isEmpty()) qInfo().noquote() << programa << args.join(' ') << ":" << erros.trimmed();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// Starts a desktop launcher as a menu would (gio reads Exec and Path); the started program's
// output goes nowhere, so that it does not die on a closed pipe when gio ends.
int lancar(const QString& arquivoDesktop) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start("gio", {"launch", arquivoDesktop});
    if (!p.waitForFinished(15000)) return -1;
    return p.exitCode();
}

// The X window whose title matches, waiting for it to appear.
QString janela(const QString& titulo, bool soVisivel = true) {
    QStringList args{"search", "--sync"};
    if (soVisivel) args << "--onlyvisible";
    const QString ids = rodar("xdotool", args << "--name" << titulo);
    return ids.split('\n').value(0);
}

int alturaDe(const QString& id) {
    for (const QString& l : rodar("xdotool", {"getwindowgeometry", "--shell", id}).split('\n'))
        if (l.startsWith("HEIGHT=")) return l.mid(7).toInt();
    return 0;
}

void tecla(const QString& id, const QString& k) { rodar("xdotool", {"windowfocus", "--sync", id, "key", k}); }

void clicar(const QString& id, int x, int y) {
    rodar("xdotool", {"mousemove", "--window", id, QString::number(x), QString::number(y), "click", "1"});
}

bool esperar(const std::function<bool()>& condicao, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (!condicao()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(50);
    }
    return true;
}

// The confirmation by keyboard, then the contract: by keyboard first when `lembrete` (unticked:
// the reminder), then ticked and accepted with the mouse.
bool aceitar(bool lembrete) {
    const QString confirmacao = janela("Confirmação de Instalação");
    if (confirmacao.isEmpty()) return false;
    tecla(confirmacao, "Return");
    const QString contrato = janela("Contrato de Uso de Software");
    if (contrato.isEmpty()) return false;
    // What the contract and its reminder ask of a window manager (Motif hints): a border alone, no
    // window menu, minimise, maximise or close box, and to be moved only.
    const auto soBorda = [](const QString& id) {
        return rodar("xprop", {"-id", id, "_MOTIF_WM_HINTS"}).section(" = ", 1) == "0x3, 0x4, 0x2, 0x0, 0x0";
    };
    if (lembrete) {
        if (!soBorda(contrato)) return false;
        tecla(contrato, "Return");
        const QString aviso = janela("Por Favor, Assine o Contrato!");
        if (aviso.isEmpty() || !soBorda(aviso)) return false;
        tecla(aviso, "Return");
        if (!esperar([&] {
                return rodar("xdotool", {"search", "--onlyvisible", "--name", "Assine"}).isEmpty();
            }))
            return false;
    }
    clicar(contrato, 495, 305);  // the box, right of its caption
    QTest::qWait(200);
    clicar(contrato, 420, 348);  // "Sim"
    return true;
}

// Runs an installer mode as `usuario`, accepts it, answers the last dialog, whose title is
// `fim`, and gives the exit status (negative when a dialog did not come).
int modo(const QString& usuario, const QString& programa, const QString& token, const QString& fim) {
    QProcess p;
    // The test's session bus is root's, which another user may not use: that user runs with no
    // bus, said with an address that fails (with none, libdbus would autolaunch one and leave it).
    p.start("setpriv", {"--reuid=" + usuario, "--regid=nogroup", "--clear-groups", "env",
                        "DBUS_SESSION_BUS_ADDRESS=disabled:", programa, token});
    const bool instalar = token == "<INSTALAR>";
    if (!p.waitForStarted() || (instalar && !aceitar(false))) return -2;
    if (!instalar) tecla(janela("Confirmação de Desinstalação"), "Return");
    const QString ultima = janela(fim);
    if (ultima.isEmpty()) return -3;
    tecla(ultima, fim == "Instalação Concluída" ? "Escape" : "Return");
    return p.waitForFinished(15000) ? p.exitCode() : -1;
}

// One run of an installer mode whose dialogs are all answered as a user accepting everything
// would (the contract ticked and signed, "Não" to starting the game at the end); nothing waits
// for a dialog that never comes, so the run may be killed at any step.
struct Execucao {
    int codigo = -1;  // -1: killed or did not end
    QStringList titulos;
    QString ultimoTexto;
};

Execucao responder(const QStringList& comando, const QProcessEnvironment& ambiente) {
    Execucao r;
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(comando.first(), comando.mid(1));
    if (!p.waitForStarted()) return r;
    QStringList respondidas;
    QElapsedTimer t;
    t.start();
    while (!p.waitForFinished(60) && t.elapsed() < 40000) {
        const QString ids = rodar("xdotool", {"search", "--onlyvisible", "--name",
                                              "Confirmação|Contrato de Uso|Concluída|Incompleta|Gerenciada"});
        for (const QString& id : ids.split('\n', Qt::SkipEmptyParts)) {
            if (respondidas.contains(id)) continue;
            respondidas << id;
            const QString titulo = rodar("xdotool", {"getwindowname", id});
            r.titulos << titulo;
            QTest::qWait(150);  // mapped and focusable
            if (titulo == "Contrato de Uso de Software") {
                clicar(id, 495, 305);
                QTest::qWait(200);
                clicar(id, 420, 348);
            } else {
                tecla(id, titulo == "Instalação Concluída" ? "Escape" : "Return");
            }
        }
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    if (p.exitStatus() == QProcess::NormalExit) r.codigo = p.exitCode();
    return r;
}

// What a folder holds, relative, with type and mode; the caches and metadata other programs
// keep in a home are left out.
QStringList retrato(const QString& pasta) {
    QStringList r;
    for (const QString& l : rodar("find", {pasta, "-mindepth", "1", "-printf", "%P %y %m\\n"}).split('\n'))
        if (!l.isEmpty() && !l.startsWith(".cache") && !l.startsWith(".local/share/gvfs-metadata") &&
            !l.startsWith(".config "))
            r << l;
    r.sort();
    return r;
}

}  // namespace

class TesteFimAFim : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) QSKIP("needs an X server (run under xvfb-run)");
        for (const char* f : {"xdotool", "gio"})
            if (QStandardPaths::findExecutable(f).isEmpty())
                QSKIP(qPrintable(QString(f) + " is not installed"));
        QVERIFY2(QFileInfo(kExecutavel).isExecutable(), qPrintable(kExecutavel));
    }

    void instalarIniciarPeloMenuEDesinstalar() {
        QTemporaryDir base(QDir::tempPath() + "/trevolino-e2e-XXXXXX");
        const QString home = base.path() + "/casa";
        const QString programas = base.path() + "/Programas e Jogos";
        const QString windows = base.path() + "/Binários Ç";
        QDir().mkpath(home + "/Desktop");
        QDir().mkpath(programas);
        // Root with a user's HOME (as "sudo -E" gives): nothing may be made in that home.
        const passwd* ninguem = getpwnam("nobody");
        const bool deOutro = ::geteuid() == 0 && ninguem;
        if (deOutro) QCOMPARE(QProcess::execute("chown", {"-R", "nobody:nogroup", home}), 0);
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
        qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
        qunsetenv("XDG_DATA_DIRS");
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", programas.toUtf8());
        qputenv("TREVOLINO_PASTA_DO_WINDOWS", windows.toUtf8());
        qputenv("QT_QPA_PLATFORM", "xcb");

        // --- install: confirmation by keyboard, contract by keyboard then mouse -----------------
        QProcess instalador;
        instalador.start(kExecutavel, {"<INSTALAR>"});
        QVERIFY(instalador.waitForStarted());
        QVERIFY(aceitar(true));
        const QString concluida = janela("Instalação Concluída");
        QVERIFY(!concluida.isEmpty());
        tecla(concluida, "Escape");  // not started from here
        QVERIFY(instalador.waitForFinished(15000));
        QCOMPARE(instalador.exitCode(), 0);

        const QString pasta = programas + "/Trevolino";
        // Root's launchers and icon are every user's, in the shared folders beside the uninstaller.
        // The display title carries the executable's version: read it back from the one group.
        const QString menu = base.path() + "/share/applications";
        const QStringList grupos = QDir(menu).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(grupos.size(), 1);
        const QString titulo = grupos.first();
        QVERIFY(titulo.startsWith("Trevolino v"));
        const QString grupo = menu + "/" + titulo;
        const QString desinstalador = windows + "/trevolino_Desinstalar";
        QVERIFY(QFileInfo(pasta + "/trevolino").isExecutable());
        QCOMPARE(QFileInfo(pasta + "/trevolino").size(), QFileInfo(kExecutavel).size());
        QCOMPARE(QFileInfo(home + "/Desktop/" + titulo + ".desktop").isExecutable(), !deOutro);
        if (deOutro)
            QCOMPARE(QDir(home).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     {"Desktop"});
        QVERIFY(QFileInfo(desinstalador).isExecutable());
        // The launchers say Icon=trevolino: the pictures the program carries are in the theme.
        const QString icone = base.path() + "/share/icons/hicolor/48x48/apps/trevolino.png";
        const bool temIcone = QFileInfo::exists(TREVOLINO_GEN_DIR "/icone/hicolor/48x48/apps/trevolino.png");
        QCOMPARE(QFileInfo::exists(icone), temIcone);
        QStringList lancadores{grupo + "/01 - Executar " + titulo + ".desktop",
                               grupo + "/02 - Desinstalar " + titulo + ".desktop"};
        if (!deOutro) lancadores << home + "/Desktop/" + titulo + ".desktop";
        for (const QString& f : lancadores) {
            int codigo = 0;
            const QString saida = rodar("desktop-file-validate", {f}, 10000, &codigo);
            QVERIFY2(codigo == 0 && saida.isEmpty(), qPrintable(f + ": " + saida));
        }

        // --- the game from its menu launcher, in its own folder ----------------------------------
        QCOMPARE(lancar(grupo + "/01 - Executar " + titulo + ".desktop"), 0);
        // The window may be found by its title a moment before its process id is set on it.
        QString pid;
        QVERIFY(esperar([&] {
            const QString jogo = janela("^Trevolino$", false);
            return !jogo.isEmpty() && !(pid = rodar("xdotool", {"getwindowpid", jogo})).isEmpty();
        }));
        QCOMPARE(QFileInfo("/proc/" + pid + "/exe").symLinkTarget(), pasta + "/trevolino");
        QCOMPARE(QFileInfo("/proc/" + pid + "/cwd").symLinkTarget(), pasta);
        rodar("kill", {pid});  // the game this test started
        QVERIFY(esperar([&] { return !QFileInfo::exists("/proc/" + pid); }));

        // --- the uninstaller from its launcher ----------------------------------------------------
        QCOMPARE(lancar(grupo + "/02 - Desinstalar " + titulo + ".desktop"), 0);
        const QString confirmaRemocao = janela("Confirmação de Desinstalação");
        QVERIFY(!confirmaRemocao.isEmpty());
        tecla(confirmaRemocao, "Return");
        const QString fim = janela("Desinstalação Concluída");
        QVERIFY(!fim.isEmpty());
        clicar(fim, 196 + 70, alturaDe(fim) - 54 + 3 + 22);  // the single "Sim", centred
        QVERIFY(esperar([&] { return rodar("xdotool", {"search", "--name", "Desinstala"}).isEmpty(); }));
        QVERIFY(!QFileInfo::exists(pasta));
        QVERIFY(!QFileInfo::exists(home + "/Desktop/" + titulo + ".desktop"));
        QVERIFY(!QFileInfo::exists(grupo));
        QVERIFY(!QFileInfo::exists(desinstalador));  // the running uninstaller goes too
        QCOMPARE(QDir(windows).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        QVERIFY(!QFileInfo::exists(base.path() + "/share"));  // the folders it made, now empty
        QVERIFY(QFileInfo(programas).isDir());
    }

    void usuarioComumSemPermissaoNaoPerdeOQueTem() {
        // An ordinary user's own folders: an uninstaller folder it may not write, then a menu
        // group it may not write at a reinstallation.
        const passwd* ninguem = getpwnam("nobody");
        if (::geteuid() != 0 || !ninguem) QSKIP("needs root and the user nobody");
        QTemporaryDir base(QDir::tempPath() + "/trevolino-e2e-XXXXXX");
        const QString home = base.path() + "/casa", bin = home + "/.local/bin";
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(QFile::setPermissions(base.path(), QFile::permissions(base.path()) | QFileDevice::ExeOther));
        QCOMPARE(QProcess::execute("chown", {"-R", "nobody:nogroup", home}), 0);
        QCOMPARE(QProcess::execute("xhost", {"+si:localuser:nobody"}), 0);
        qputenv("HOME", home.toUtf8());
        for (const char* v : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_DIRS",
                              "TREVOLINO_PASTA_DE_PROGRAMAS", "TREVOLINO_PASTA_DO_WINDOWS"})
            qunsetenv(v);
        const QString menu = home + "/.local/share/applications";
        const auto grupos = [&] { return QDir(menu).entryList({"Trevolino v*"}, QDir::Dirs); };
        QVERIFY(QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QCOMPARE(modo("nobody", kExecutavel, "<INSTALAR>", "Instalação Não Concluída"), 1);
        QCOMPARE(grupos(), QStringList());  // no launcher to a missing uninstaller
        QVERIFY(!QFileInfo::exists(home + "/.local/share"));
        QVERIFY(QFile::setPermissions(bin, QFile::permissions(bin) | QFileDevice::WriteOwner));
        QCOMPARE(modo("nobody", kExecutavel, "<INSTALAR>", "Instalação Concluída"), 0);
        QCOMPARE(grupos().size(), 1);
        const QString titulo = grupos().first(), grupo = menu + "/" + titulo;
        const QString icone = home + "/.local/share/icons/hicolor/48x48/apps/trevolino.png";
        const QString mesa = home + "/Desktop/" + titulo + ".desktop";
        QVERIFY(QFileInfo::exists(icone) && QFileInfo::exists(mesa));
        QVERIFY(QFile::setPermissions(grupo, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QCOMPARE(modo("nobody", kExecutavel, "<INSTALAR>", "Instalação Não Concluída"), 1);
        QVERIFY(QFileInfo::exists(icone) && QFileInfo::exists(mesa));
        QCOMPARE(QDir(grupo).entryList(QDir::Files).size(), 2);
        QVERIFY(QFile::setPermissions(grupo, QFile::permissions(grupo) | QFileDevice::WriteOwner));
        QCOMPARE(modo("nobody", bin + "/trevolino_Desinstalar", "<DESINSTALAR>", "Desinstalação Concluída"),
                 0);
        // Only what was there before: the folders the installer made went with it.
        QCOMPARE(QDir(home + "/.local").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"bin"}));
        QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(!QFileInfo::exists(home + "/Desktop"));
    }

    void interrompidoEmQualquerPassoOutraExecucaoConclui() {
        // An ordinary user's installation, reinstallation and removal, each killed at every
        // step it commits (strace's fault injection), then run again: a clean installation or a
        // clean removal, nothing of the killed run left. The build copied is world-writable (a
        // zip unpacked with umask 000): the installation gets install(1)'s modes all the same.
        const passwd* ninguem = getpwnam("nobody");
        if (::geteuid() != 0 || !ninguem) QSKIP("needs root and the user nobody");
        if (QStandardPaths::findExecutable("strace").isEmpty()) QSKIP("strace is not installed");
        QTemporaryDir base(QDir::tempPath() + "/trevolino-e2e-XXXXXX");
        QVERIFY(QFile::setPermissions(base.path(), QFile::permissions(base.path()) | QFileDevice::ExeOther));
        const QString fonte = base.path() + "/fonte", casa = base.path() + "/casa";
        QVERIFY(QDir().mkpath(fonte + "/Bobinas") && QDir().mkpath(fonte + "/Som"));
        QVERIFY(QFile::copy(kExecutavel, fonte + "/trevolino"));
        QDir som(QFileInfo(kExecutavel).path() + "/Som");
        QVERIFY(QFile::copy(som.filePath(som.entryList(QDir::Files).value(0)), fonte + "/Som/moeda.wav"));
        QVERIFY(QFile::copy(som.filePath(som.entryList(QDir::Files).value(0)), fonte + "/Bobinas/cereja.jpg"));
        QCOMPARE(QProcess::execute("chmod", {"-R", "a+rwX", fonte}), 0);
        QCOMPARE(QProcess::execute("chmod", {"0777", fonte + "/trevolino", fonte + "/Bobinas"}), 0);
        QCOMPARE(QProcess::execute("xhost", {"+si:localuser:nobody"}), 0);
        QProcessEnvironment ambiente;
        for (const char* v : {"DISPLAY", "XAUTHORITY", "PATH", "LANG"})
            if (qEnvironmentVariableIsSet(v)) ambiente.insert(v, qEnvironmentVariable(v));
        ambiente.insert("HOME", casa);
        ambiente.insert("QT_QPA_PLATFORM", "xcb");
        ambiente.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");  // nobody may not use root's bus
        const auto comoNinguem = [&](const QStringList& injetar, const QString& programa, const QString& modo) {
            QStringList c;
            QProcessEnvironment e = ambiente;
            if (!injetar.isEmpty()) {
                c << "strace" << "-f" << "-qq" << "-o" << "/dev/null" << injetar;
                // LeakSanitizer cannot work under ptrace and fails the run at its end: a run
                // under strace goes without it in the sanitizer build.
                e.insert("ASAN_OPTIONS", qEnvironmentVariable("ASAN_OPTIONS") + ":detect_leaks=0");
            }
            return responder(c << "setpriv" << "--reuid=nobody" << "--regid=nogroup" << "--clear-groups" << programa
                               << modo,
                             e);
        };
        const auto limpar = [&] {
            QDir(casa).removeRecursively();
            QDir().mkpath(casa);
            QProcess::execute("chown", {"nobody:nogroup", casa});
        };
        const QString instalar = "<INSTALAR>", desinstalar = "<DESINSTALAR>";
        const QString desinstalador = casa + "/.local/bin/trevolino_Desinstalar";
        const auto desinstalarDeNovo = [&] {
            return comoNinguem({}, QFileInfo::exists(desinstalador) ? desinstalador : fonte + "/trevolino", desinstalar);
        };

        // The states a clean run leaves.
        limpar();
        const QStringList vazia = retrato(casa);
        Execucao e = comoNinguem({}, fonte + "/trevolino", instalar);
        QCOMPARE(e.codigo, 0);
        const QStringList instalada = retrato(casa);
        const mode_t m = ::umask(022);
        ::umask(m);
        const int mascara = int(m);
        const QString pasta = ".local/share/Trevolino";
        for (const auto& [caminho, modo] : {std::pair{pasta + "/trevolino f", 0755}, std::pair{pasta + "/Bobinas d", 0755},
                                            std::pair{pasta + "/Som/moeda.wav f", 0644},
                                            std::pair{QString(".local/bin/trevolino_Desinstalar f"), 0755}})
            QVERIFY2(instalada.contains(caminho + " " + QString::number(modo & ~mascara, 8)),
                     qPrintable(caminho + "\n" + instalada.join('\n')));
        QVERIFY(instalada.size() > 20);

        struct Passeio {
            QString nome, chamada;
            bool antesInstala, remove;
        };
        int passos = 0;
        for (const Passeio& w : {Passeio{"install", "rename", false, false}, Passeio{"install", "renameat2", false, false},
                                 Passeio{"reinstall", "renameat2", true, false}, Passeio{"reinstall", "unlink", true, false},
                                 Passeio{"uninstall", "unlink", true, true}}) {
            for (int n = 1;; ++n) {
                QVERIFY2(n < 60, qPrintable(w.nome + " " + w.chamada + " never completed"));
                limpar();
                if (w.antesInstala) QCOMPARE(comoNinguem({}, fonte + "/trevolino", instalar).codigo, 0);
                const QStringList injetar{"-e", "trace=" + w.chamada,
                                          "-e", "inject=" + w.chamada + ":signal=KILL:when=" + QString::number(n)};
                e = w.remove ? comoNinguem(injetar, desinstalador, desinstalar)
                             : comoNinguem(injetar, fonte + "/trevolino", instalar);
                ++passos;
                const QString onde = w.nome + " killed at " + w.chamada + " " + QString::number(n);
                const bool completo = e.codigo == 0 && !e.titulos.isEmpty() &&
                                      e.titulos.last() == (w.remove ? "Desinstalação Concluída" : "Instalação Concluída");
                // Killed or whole: never an error shown for a step that did not run.
                QVERIFY2(completo || e.codigo == -1, qPrintable(onde + ": " + e.titulos.join(", ")));
                if (!completo) {
                    const Execucao d = w.remove ? desinstalarDeNovo() : comoNinguem({}, fonte + "/trevolino", instalar);
                    QVERIFY2(d.codigo == 0, qPrintable(onde + ", then: " + d.titulos.join(", ")));
                }
                const QStringList agora = retrato(casa);
                QVERIFY2(agora == (w.remove ? vazia : instalada),
                         qPrintable(onde + ":\n" + agora.join('\n')));
                if (completo) break;
            }
        }
        qInfo() << passos << "interrupted runs";

        // Started through the dynamic loader, the program is still itself: its launchers and
        // uninstaller copy are the program's, not the loader's.
        limpar();
        const QString carregador = "/lib64/ld-linux-x86-64.so.2";
        if (QFileInfo::exists(carregador)) {
            e = responder({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", carregador,
                           fonte + "/trevolino", "<ICONES>"},
                          ambiente);
            QCOMPARE(e.codigo, 0);
            QVERIFY(QFileInfo::exists(desinstalador));
            QFile executar(casa + "/.local/share/applications/Trevolino v3.5/01 - Executar Trevolino v3.5.desktop");
            const QStringList grupos = QDir(casa + "/.local/share/applications").entryList({"Trevolino v*"}, QDir::Dirs);
            QCOMPARE(grupos.size(), 1);
            executar.setFileName(casa + "/.local/share/applications/" + grupos.first() + "/01 - Executar " +
                                 grupos.first() + ".desktop");
            QVERIFY(executar.open(QIODevice::ReadOnly));
            QVERIFY(executar.readAll().contains("\nExec=" + fonte.toUtf8() + "/trevolino\n"));
        }

        // A desktop that cannot be written: the installation fails and leaves nothing of its own
        // in the empty folder it was to use.
        limpar();
        const auto comoDono = [&](const QString& modo, const QString& p) {
            QCOMPARE(QProcess::execute("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "chmod", modo, p}), 0);
        };
        QVERIFY(QDir().mkpath(casa + "/" + pasta) && QDir().mkpath(casa + "/Desktop"));
        QCOMPARE(QProcess::execute("chown", {"-R", "nobody:nogroup", casa}), 0);
        comoDono("555", casa + "/Desktop");
        const QStringList antesDaFalha = retrato(casa);
        e = comoNinguem({}, fonte + "/trevolino", instalar);
        QCOMPARE(e.codigo, 1);
        QCOMPARE(retrato(casa), antesDaFalha);
        // An icon the uninstaller cannot remove is named, not passed off as removed.
        comoDono("755", casa + "/Desktop");
        QCOMPARE(comoNinguem({}, fonte + "/trevolino", instalar).codigo, 0);
        const QString apps = casa + "/.local/share/icons/hicolor/48x48/apps";
        comoDono("555", apps);
        e = comoNinguem({}, desinstalador, desinstalar);
        QCOMPARE(e.codigo, 1);
        QCOMPARE(e.titulos.value(1), QString("Desinstalação Incompleta"));
        QVERIFY(QFileInfo::exists(apps + "/trevolino.png"));
        comoDono("755", apps);
        QCOMPARE(desinstalarDeNovo().codigo, 0);
        QCOMPARE(retrato(casa).join("\n"), QStringList({".local d 755", ".local/share d 755", pasta + " d 755", "Desktop d 755"}).join("\n"));
    }

    void raizSoInstalaDoQueERaizParaTodos() {
        // Root inside a private mount namespace whose /opt, /usr/local and /root are temporary
        // folders: a build others may change is refused, root's launchers never go where a
        // user's settings point, and with /opt read-only nothing falls back into root's home.
        if (::geteuid() != 0 || !getpwnam("nobody")) QSKIP("needs root and the user nobody");
        if (QProcess::execute("unshare", {"-m", "true"}) != 0) QSKIP("no private mount namespace here");
        QTemporaryDir base(QDir::tempPath() + "/trevolino-e2e-XXXXXX");
        QVERIFY(QFile::setPermissions(base.path(), QFile::permissions(base.path()) | QFileDevice::ExeOther));
        const QString opt = base.path() + "/opt", local = base.path() + "/local", raiz = base.path() + "/raiz";
        const QString alice = base.path() + "/alice", fonte = base.path() + "/fonte";
        for (const QString& p : {opt, local + "/bin", raiz, alice + "/.config", fonte + "/Bobinas", fonte + "/Som"})
            QVERIFY(QDir().mkpath(p));
        QVERIFY(QFile::copy(kExecutavel, fonte + "/trevolino"));
        QDir som(QFileInfo(kExecutavel).path() + "/Som");
        QVERIFY(QFile::copy(som.filePath(som.entryList(QDir::Files).value(0)), fonte + "/Som/moeda.wav"));
        QCOMPARE(QProcess::execute("chmod", {"-R", "go-w,a+rX", fonte}), 0);
        // alice's settings (root's "su" without "-" keeps them) point the desktop at the
        // system's autostart folder.
        const QString autostart = base.path() + "/autostart";
        QFile dirs(alice + "/.config/user-dirs.dirs");
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write(("XDG_DESKTOP_DIR=\"" + autostart + "\"\n").toUtf8());
        dirs.close();
        QCOMPARE(QProcess::execute("chown", {"-R", "nobody:nogroup", alice}), 0);

        QProcessEnvironment ambiente;
        for (const char* v : {"DISPLAY", "XAUTHORITY", "PATH", "LANG", "DBUS_SESSION_BUS_ADDRESS"})
            if (qEnvironmentVariableIsSet(v)) ambiente.insert(v, qEnvironmentVariable(v));
        ambiente.insert("QT_QPA_PLATFORM", "xcb");
        ambiente.insert("HOME", "/root");
        ambiente.insert("XDG_CONFIG_HOME", alice + "/.config");
        const auto comoRaiz = [&](const QString& programa, const QString& modo, const QString& antes = "true") {
            return responder({"unshare", "-m", "--propagation", "private", "sh", "-c",
                              "mount --bind \"$1\" /opt && mount --bind \"$2\" /usr/local && "
                              "mount --bind \"$3\" /root && " + antes + " && shift 3 && exec \"$@\"",
                              "sh", opt, local, raiz, programa, modo},
                             ambiente);
        };
        const auto nada = [&] {
            return retrato(opt).isEmpty() && retrato(local) == QStringList({"bin d 755"}) && retrato(raiz).isEmpty() &&
                   !QFileInfo::exists(autostart);
        };

        Execucao e;
        // A build others may write, then one that is a user's own: refused, nothing changed.
        QCOMPARE(QProcess::execute("chmod", {"0777", fonte + "/trevolino"}), 0);
        e = comoRaiz(fonte + "/trevolino", "<INSTALAR>");
        QCOMPARE(e.codigo, 1);
        QCOMPARE(e.titulos.value(2), QString("Instalação Não Concluída"));
        QVERIFY2(nada(), qPrintable(retrato(opt).join(' ') + retrato(local).join(' ') + retrato(raiz).join(' ')));
        QCOMPARE(QProcess::execute("chmod", {"0755", fonte + "/trevolino"}), 0);
        QCOMPARE(QProcess::execute("chown", {"nobody", fonte + "/Som/moeda.wav"}), 0);
        QCOMPARE(comoRaiz(fonte + "/trevolino", "<INSTALAR>").codigo, 1);
        QVERIFY(nada());
        QCOMPARE(QProcess::execute("chown", {"-R", "nobody", fonte}), 0);
        QCOMPARE(comoRaiz(fonte + "/trevolino", "<ICONES>").codigo, 1);
        QVERIFY(nada());
        QCOMPARE(QProcess::execute("chown", {"-R", "root", fonte}), 0);

        // /opt read-only: no installation into root's home.
        e = comoRaiz(fonte + "/trevolino", "<INSTALAR>", "mount -o remount,ro,bind /opt");
        QCOMPARE(e.codigo, 1);
        QVERIFY(nada());

        // Installed for every user: the desktop launcher in root's own desktop, none where
        // alice's settings point.
        e = comoRaiz(fonte + "/trevolino", "<INSTALAR>");
        QCOMPARE(e.codigo, 0);
        QVERIFY(!QFileInfo::exists(autostart));
        const QStringList mesa = QDir(raiz + "/Desktop").entryList(QDir::Files);
        QCOMPARE(mesa.size(), 1);
        QVERIFY(QFileInfo::exists(opt + "/Trevolino/trevolino"));
        // Removed with alice's HOME: root's desktop launcher goes all the same, from the record.
        ambiente.insert("HOME", alice);
        e = comoRaiz("/usr/local/bin/trevolino_Desinstalar", "<DESINSTALAR>");
        QCOMPARE(e.codigo, 0);
        QCOMPARE(e.titulos.value(1), QString("Desinstalação Concluída"));
        QCOMPARE(retrato(raiz), QStringList());  // the desktop folder it made went too
        QCOMPARE(retrato(opt), QStringList());
        QCOMPARE(retrato(local), QStringList({"bin d 755"}));

        // The game run by root with alice's HOME writes nothing into her home (the font it
        // carries then serves that run only).
        ambiente.insert("HOME", alice);
        const QStringList antes = retrato(alice);
        QProcess jogo;
        jogo.setProcessEnvironment(ambiente);
        jogo.start(fonte + "/trevolino", {});
        QVERIFY(jogo.waitForStarted());
        QVERIFY(esperar([&] { return !rodar("xdotool", {"search", "--onlyvisible", "--pid",
                                                         QString::number(jogo.processId())}).isEmpty(); }, 60000));
        QTest::qWait(1000);
        jogo.kill();  // the process this test started
        jogo.waitForFinished(5000);
        QCOMPARE(retrato(alice), antes);
    }

    void opcaoDoQtDepoisDoTokenNaoDesinstala() {
        // Qt takes "-reverse" out of the arguments it hands on; the command line still held a
        // second word, so this is the game, not the uninstaller.
        QTemporaryDir base(QDir::tempPath() + "/trevolino-e2e-XXXXXX");
        const QString home = base.path() + "/casa";
        QDir().mkpath(home + "/Desktop");
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
        qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", (base.path() + "/Programas").toUtf8());
        qputenv("TREVOLINO_PASTA_DO_WINDOWS", (base.path() + "/bin").toUtf8());
        qputenv("QT_QPA_PLATFORM", "xcb");
        QProcess jogo;
        jogo.setProcessChannelMode(QProcess::MergedChannels);
        jogo.start(kExecutavel, {"<DESINSTALAR>", "-reverse"});
        QVERIFY(jogo.waitForStarted());
        QString confirmacao, principal;
        esperar([&] {
            confirmacao =
                rodar("xdotool", {"search", "--onlyvisible", "--name", "Confirmação de Desinstalação"});
            principal = rodar("xdotool", {"search", "--onlyvisible", "--name", "^Trevolino$"});
            return !confirmacao.isEmpty() || !principal.isEmpty();
        }, 60000);  // a sanitized game beside the soak test may take long to show its first window
        jogo.kill();  // the process this test started
        jogo.waitForFinished(5000);
        if (principal.isEmpty()) qWarning() << "the game ended" << jogo.exitCode() << jogo.readAll();
        QVERIFY2(confirmacao.isEmpty(), "the uninstaller asked for confirmation");
        QVERIFY(!principal.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TesteFimAFim)
#include "teste_fim_a_fim.moc"
