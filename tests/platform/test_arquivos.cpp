// File helpers: copies, removals, special folders and launchers, in a temporary HOME.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/arquivos.h"
#include "platform/arquivos_detalhe.h"
#include "platform/identidade.h"
#include "registro_de_testes.h"

using namespace uRotinasGerais;

namespace {

QByteArray ler(const QString& p) {
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

void escrever(const QString& p, const QByteArray& dados) {
    QFile f(p);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dados);
}

struct stat estado(const QString& p) {
    struct stat st {};
    ::lstat(QFile::encodeName(p).constData(), &st);
    return st;
}

QByteArray conteudo(int n) {
    QByteArray b(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i) b[i] = char((i * 7 + i / 251) & 0xff);
    return b;
}

}  // namespace

class TesteArquivos : public QObject {
    Q_OBJECT
    QTemporaryDir* tmp = nullptr;
    QString d(const QString& nome) const { return tmp->path() + "/" + nome; }

private slots:
    void init() {
        tmp = new QTemporaryDir;
        QVERIFY(tmp->isValid());
    }
    void cleanup() {
        plataforma::DefinirGanchoDeCopiaParaTeste({});
        QProcess::execute("chmod", {"-R", "u+w", tmp->path()});
        delete tmp;
    }

    void copiaGuardaConteudoDataEPermissoes() {
        // 5000 bytes: two full 2048-byte blocks and a partial one, over a longer old file.
        const QString a = d("origem com espaço é \"aspas\".bin"), b = d("destino.bin");
        escrever(a, conteudo(5000));
        escrever(b, QByteArray(9000, 'x'));
        struct timespec t[2] = {{1000000000, 123456789}, {1100000000, 987654321}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(a).constData(), t, 0), 0);
        ::chmod(QFile::encodeName(a).constData(), 0751);
        QVERIFY(CopiarArquivo(a, b));
        QCOMPARE(ler(b), conteudo(5000));
        const struct stat sb = estado(b);
        QCOMPARE(qint64(sb.st_mtim.tv_sec), qint64(1100000000));
        QCOMPARE(qint64(sb.st_mtim.tv_nsec), qint64(987654321));
        QCOMPARE(int(sb.st_mode & 07777), 0751);

        // An empty file gives an empty copy with the same date.
        const QString v = d("vazio"), vc = d("vazio-copia");
        escrever(v, {});
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(v).constData(), t, 0), 0);
        escrever(vc, "antigo");
        QVERIFY(CopiarArquivo(v, vc));
        QCOMPARE(ler(vc), QByteArray());
        QCOMPARE(qint64(estado(vc).st_mtim.tv_sec), qint64(1100000000));

        // A read-only source gives a read-only copy, which a second copy will not replace.
        const QString ro = d("so-leitura"), roc = d("so-leitura-copia");
        escrever(ro, "abc");
        ::chmod(QFile::encodeName(ro).constData(), 0444);
        QVERIFY(CopiarArquivo(ro, roc));
        QCOMPARE(int(estado(roc).st_mode & 0777), 0444);
        QVERIFY(!CopiarArquivo(a, roc));
        QCOMPARE(ler(roc), QByteArray("abc"));
    }

    void copiaRecusadaSemEstragarNada() {
        const QString a = d("a.txt");
        escrever(a, "original");
        QVERIFY(!CopiarArquivo(a, a));                         // same text
        QVERIFY(!CopiarArquivo(a, tmp->path() + "/./a.txt"));  // same file, other spelling
        QVERIFY(!CopiarArquivo(a, tmp->path() + "//a.txt"));
        QCOMPARE(ler(a), QByteArray("original"));
        QVERIFY(!CopiarArquivo(d("nao-existe"), d("x")));
        QVERIFY(!QFile::exists(d("x")));
        QVERIFY(!CopiarArquivo(a, d("sem-pasta/x")));
        QVERIFY(!CopiarArquivo(tmp->path(), d("pasta-como-arquivo")));

        // A link at the destination is not written through.
        const QString alvo = d("alvo-do-link"), link = d("link");
        escrever(alvo, "intocado");
        QVERIFY(QFile::link(alvo, link));
        QVERIFY(!CopiarArquivo(a, link));
        QCOMPARE(ler(alvo), QByteArray("intocado"));
    }

    void copiaSobreUmExecutavelEmExecucao() {
        // A second installation replaces an executable that may be running (the installed game).
        const QString exe = d("jogo");
        QVERIFY(QFile::copy("/bin/sleep", exe));
        QProcess rodando;
        rodando.start(exe, {"30"});
        QVERIFY(rodando.waitForStarted());
        escrever(d("novo"), "#!/bin/sh\n");
        QVERIFY(CopiarArquivo(d("novo"), exe));
        QCOMPARE(ler(exe), QByteArray("#!/bin/sh\n"));
        rodando.kill();
        rodando.waitForFinished();
    }

    void copiaDeArquivoQueEncolheTerminaComFalso() {
        const QString a = d("encolhe"), b = d("encolhe-copia");
        escrever(a, conteudo(6000));
        int blocos = 0;
        plataforma::DefinirGanchoDeCopiaParaTeste([&](qint64 copiados) {
            ++blocos;
            if (copiados == 2048) ::truncate(QFile::encodeName(a).constData(), 3000);
        });
        QVERIFY(!CopiarArquivo(a, b));
        QCOMPARE(blocos, 2);         // 2048, then the 952 left before the file ended
        QVERIFY(!QFile::exists(b));  // no partial file passes for a copy
    }

    void apagarArquivo() {
        QVERIFY(ApagarArquivo(d("nada"), false));
        QDir().mkpath(d("pasta"));
        QVERIFY(ApagarArquivo(d("pasta"), false));
        QVERIFY(QFileInfo(d("pasta")).isDir());
        escrever(d("f"), "x");
        QVERIFY(ApagarArquivo(d("f"), false));
        QVERIFY(!QFile::exists(d("f")));
        // A link goes, its target stays.
        escrever(d("alvo"), "fica");
        QVERIFY(QFile::link(d("alvo"), d("lnk")));
        QVERIFY(ApagarArquivo(d("lnk"), false));
        QVERIFY(!QFileInfo(d("lnk")).isSymLink());
        QCOMPARE(ler(d("alvo")), QByteArray("fica"));
        // To the trash: out of its place, into the user's freedesktop trash.
        escrever(d("lixo.txt"), "reciclar");
        QVERIFY(ApagarArquivo(d("lixo.txt"), true));
        QVERIFY(!QFile::exists(d("lixo.txt")));
        const QString lixeira =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
        QVERIFY(lixeira.startsWith(QDir::homePath()));
        QCOMPARE(ler(lixeira + "/files/lixo.txt"), QByteArray("reciclar"));
        QVERIFY(QFile::exists(lixeira + "/info/lixo.txt.trashinfo"));
    }

    void apagarPastaSoOQueEhDela() {
        // Contents with links that point out: the links go, their targets stay.
        const QString fora = d("fora");
        QDir().mkpath(fora + "/sub");
        escrever(fora + "/valioso", "não apagar");
        const QString p = d("Instalado");
        QDir().mkpath(p + "/Bobinas");
        escrever(p + "/Bobinas/a.jpg", "x");
        QVERIFY(QFile::link(fora, p + "/link-pasta"));
        QVERIFY(QFile::link(fora + "/valioso", p + "/link-arquivo"));
        QVERIFY(ApagarPasta(p, false));
        QVERIFY(!QFileInfo::exists(p));
        QCOMPARE(ler(fora + "/valioso"), QByteArray("não apagar"));
        QVERIFY(QFileInfo(fora + "/sub").isDir());

        QVERIFY(!ApagarPasta(d("ausente"), false));

        // A folder that is itself a link (to the home folder, say) is refused whole.
        QVERIFY(QFile::link(fora, d("link-para-fora")));
        QVERIFY(!ApagarPasta(d("link-para-fora"), false));
        QVERIFY(QFileInfo(d("link-para-fora")).isSymLink());
        QCOMPARE(ler(fora + "/valioso"), QByteArray("não apagar"));

        // Never the root, the home folder or anything above it, nor a relative or empty path.
        const QString home = QDir::homePath();
        escrever(home + "/sentinela", "s");
        QVERIFY(!ApagarPasta("", false));
        QVERIFY(!ApagarPasta("/", false));
        QVERIFY(!ApagarPasta(home, false));
        QVERIFY(!ApagarPasta(home + "/", false));
        QVERIFY(!ApagarPasta(home + "/Desktop/..", false));
        QVERIFY(!ApagarPasta(QFileInfo(home).path(), false));
        QVERIFY(!ApagarPasta(".", false));
        QVERIFY(QFile::exists(home + "/sentinela"));

        QDir().mkpath(d("reciclar/sub"));
        QVERIFY(ApagarPasta(d("reciclar"), true));
        QVERIFY(!QFileInfo::exists(d("reciclar")));
    }

    void copiarPastaSobreUmaExistente() {
        const QString o = d("Programa"), p = d("Instalacao/Trevolino");
        QDir().mkpath(o + "/Bobinas");
        QDir().mkpath(o + "/Som");
        escrever(o + "/trevolino", "exe-novo");
        ::chmod(QFile::encodeName(o + "/trevolino").constData(), 0755);
        escrever(o + "/Bobinas/cereja.jpg", "jpg");
        escrever(o + "/Som/moeda.wav", "wav");
        // First copy makes the folder.
        CopiarPasta(nullptr, o, p);
        QCOMPARE(ler(p + "/trevolino"), QByteArray("exe-novo"));
        QVERIFY(QFileInfo(p + "/trevolino").isExecutable());
        QCOMPARE(ler(p + "/Bobinas/cereja.jpg"), QByteArray("jpg"));
        // Second copy over it: contents overwritten in place (no nested "Programa" folder).
        escrever(o + "/trevolino", "exe-mais-novo");
        CopiarPasta(nullptr, o, p);
        QCOMPARE(ler(p + "/trevolino"), QByteArray("exe-mais-novo"));
        QVERIFY(!QFileInfo::exists(p + "/Programa"));
        // A link planted in the installation folder is replaced, not written through.
        const QString fora = d("fora.wav");
        escrever(fora, "alheio");
        QFile::remove(p + "/Som/moeda.wav");
        QVERIFY(QFile::link(fora, p + "/Som/moeda.wav"));
        CopiarPasta(nullptr, o, p);
        QCOMPARE(ler(fora), QByteArray("alheio"));
        QVERIFY(!QFileInfo(p + "/Som/moeda.wav").isSymLink());
        QCOMPARE(ler(p + "/Som/moeda.wav"), QByteArray("wav"));
        // An installation folder that is a link: nothing is written there.
        QDir().mkpath(d("alvo"));
        QVERIFY(QFile::link(d("alvo"), d("Instalacao/Link")));
        CopiarPasta(nullptr, o, d("Instalacao/Link"));
        QVERIFY(QDir(d("alvo")).isEmpty());
        // A destination inside the source does not copy itself forever.
        CopiarPasta(nullptr, o, o + "/Dentro");
        QCOMPARE(ler(o + "/Dentro/trevolino"), QByteArray("exe-mais-novo"));
        QVERIFY(!QFileInfo::exists(o + "/Dentro/Dentro"));
    }

    void pastasEspeciais() {
        const QString home = QDir::homePath();
        QCOMPARE(PastaEspecial(0), home + "/Desktop");
        QCOMPARE(PastaDaAreaDeTrabalho(), home + "/Desktop");
        QCOMPARE(PastaEspecial(11), home + "/.local/share/applications");
        QCOMPARE(PastaDoMenuIniciar(), home + "/.local/share/applications");
        QCOMPARE(PastaEspecial(20), home + "/.local/share/fonts");
        QCOMPARE(PastaEspecial(5), QString());

        // The install prefixes: the seam wins when absolute; otherwise never relative nor the
        // root folder. A user falls back into the home; root never does (none, where the system's
        // folder cannot be written).
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", "relativa/x");
        qputenv("TREVOLINO_PASTA_DO_WINDOWS", "");
        const QString prog = PastaDeProgramas(), win = PastaDoWindows();
        const bool raiz = ::geteuid() == 0;
        QVERIFY(prog == "/opt" || (raiz ? prog.isEmpty() : prog == home + "/.local/share"));
        QVERIFY(win == "/usr/local/bin" || (raiz ? win.isEmpty() : win == home + "/.local/bin"));
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", (tmp->path() + "/progs/").toUtf8());
        qputenv("TREVOLINO_PASTA_DO_WINDOWS", (tmp->path() + "/win").toUtf8());
        QCOMPARE(PastaDeProgramas(), tmp->path() + "/progs");
        QCOMPARE(PastaDoWindows(), tmp->path() + "/win");
        qunsetenv("TREVOLINO_PASTA_DE_PROGRAMAS");
        qunsetenv("TREVOLINO_PASTA_DO_WINDOWS");
    }

    void quotingDoExec_data() {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("simples") << "/opt/Trevolino/trevolino"
                                 << "/opt/Trevolino/trevolino";
        QTest::newRow("token") << "<DESINSTALAR>"
                               << "\"<DESINSTALAR>\"";
        QTest::newRow("espaço") << "/home/zé/Meus Jogos/trevolino"
                                << "\"/home/zé/Meus Jogos/trevolino\"";
        QTest::newRow("aspas e dólar") << "/a/\"b\"$c"
                                       << "\"/a/\\\"b\\\"\\$c\"";
        QTest::newRow("barra invertida") << "/a\\b"
                                         << "\"/a\\\\b\"";
        QTest::newRow("por cento") << "/a/100%"
                                   << "/a/100%%";
        QTest::newRow("vazio") << ""
                               << "\"\"";
    }
    void quotingDoExec() {
        QFETCH(QString, arg);
        QFETCH(QString, esperado);
        QCOMPARE(plataforma::ArgumentoDoExec(arg), esperado);
    }

    void atalhosValidosNaAreaDeTrabalhoENoGrupo() {
        const QString alvo = tmp->path() + "/Meus \"Jogos\" $á/trevolino";
        CriarAtalho(alvo, "", tmp->path() + "/Meus \"Jogos\" $á/", "Trevolino v3.5", "", 0);
        const QString desk = PastaDaAreaDeTrabalho() + "/Trevolino v3.5.desktop";
        const QString texto = QString::fromUtf8(ler(desk));
        QVERIFY2(texto.startsWith("[Desktop Entry]\nType=Application\nName=Trevolino v3.5\n"),
                 qPrintable(texto));
        // String escapes come after the quoting: each backslash of the quoting is doubled.
        QVERIFY2(texto.contains("\nExec=\"" + tmp->path() + "/Meus \\\\\"Jogos\\\\\" \\\\$á/trevolino\"\n"),
                 qPrintable(texto));
        QVERIFY(texto.contains("\nIcon=trevolino\n"));
        // The running game's window class, so a desktop shows the window under this launcher.
        QVERIFY(texto.contains(QStringLiteral("\nStartupWMClass=%1\n").arg(plataforma::kIdDoAplicativo)));
        QVERIFY(texto.endsWith("\nCategories=Game;\n"));
        QVERIFY(QFileInfo(desk).isExecutable());

        const QString menu = PastaDoMenuIniciar();
        CriarAtalho("/usr/local/bin/trevolino_Desinstalar", "<DESINSTALAR>", "/usr/local/bin/",
                    "02 - Desinstalar Trevolino v3.5", "Trevolino v3.5", 1);
        const QString uninst = menu + "/Trevolino v3.5/02 - Desinstalar Trevolino v3.5.desktop";
        const QString textoU = QString::fromUtf8(ler(uninst));
        QVERIFY(textoU.contains("\nExec=/usr/local/bin/trevolino_Desinstalar \"<DESINSTALAR>\"\n"));
        // Named in English, and in Portuguese on a Brazilian desktop.
        QVERIFY2(textoU.contains(
                     "\nName=02 - Uninstall Trevolino v3.5\nName[pt_BR]=02 - Desinstalar Trevolino v3.5\n") &&
                     textoU.contains("\nComment=") && textoU.contains("\nComment[pt_BR]="),
                 qPrintable(textoU));
        QVERIFY(!QFileInfo(uninst).isExecutable());
        // The same name again replaces the launcher inside the existing group.
        CriarAtalho("/outro", "", "/", "02 - Desinstalar Trevolino v3.5", "Trevolino v3.5", 1);
        QVERIFY(ler(uninst).contains("\nExec=/outro\n"));

        // Names cannot climb out of their folders.
        CriarAtalho("/x", "", "/", "../../fora", "../grupo", 1);
        QVERIFY(QFile::exists(menu + "/.._grupo/.._.._fora.desktop"));
        QVERIFY(!QFileInfo::exists(menu + "/../grupo"));

        if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
            QSKIP("desktop-file-validate is not installed");
        for (const QString& f : {desk, uninst}) {
            QProcess p;
            p.start("desktop-file-validate", {f});
            QVERIFY(p.waitForFinished(10000));
            const QByteArray saida = p.readAllStandardOutput() + p.readAllStandardError();
            QVERIFY2(p.exitCode() == 0 && saida.trimmed().isEmpty(), qPrintable(f + ": " + saida));
        }
    }
};

REGISTRAR_TESTE(TesteArquivos);
#include "test_arquivos.moc"
