// Bad input at run time: damaged or enormous reel pictures, a missing or damaged sound folder,
// a program folder that cannot be written, hostile command lines, XDG folders that are files,
// hostile launcher names, and removals with hostile inputs. Nothing crashes, no credit is lost,
// and nothing outside the game's own paths is touched.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/DsFancyButton.h"
#include "apoio.h"
#include "game/bobinas.h"
#include "game/maquina.h"
#include "platform/arquivos.h"
#include "platform/arquivos_detalhe.h"
#include "installer/instalador.h"
#include "installer/linha_de_comando.h"
#include "instantaneo.h"
#include "jpeg_gigante.h"
#include "platform/pasta_pessoal.h"
#include "leitor_desktop.h"
#include "platform/carregar_jpeg.h"
#include "shell/cursores.h"
#include "shell/espera.h"
#include "shell/recursos.h"
#include "shell/som.h"
#include "shell/uPrincipal.h"

using namespace uRotinasGerais;
using namespace apresentacao;
using namespace instalacao;

namespace {

void escrever(const QString& p, const QByteArray& dados) {
    QFile f(p);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(p));
    f.write(dados);
}

QByteArray ler(const QString& p) {
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray lixo(int n, unsigned semente) {
    QByteArray b(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i) {
        semente = semente * 1103515245u + 12345u;
        b[i] = char(semente >> 16);
    }
    return b;
}

QByteArray jpegValido() {
    QImage img(140, 92, QImage::Format_RGB32);
    img.fill(QColor(200, 40, 40));
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPEG", 90);
    return b;
}

QStringList nomesDosQuadros() {
    QStringList r;
    for (int s = 1; s <= 11; ++s) {
        QString nome;
        TfrmPrincipal::DesenhoBaseadoEnNumero(s, nome);
        r << nome + ".jpg" << nome + "-dark.jpg";
    }
    return r;
}

// Closes every modal dialog as it opens (Enter), noting its title.
class Fechador : public QObject {
public:
    QStringList titulos;
    Fechador() {
        t.setInterval(10);
        QObject::connect(&t, &QTimer::timeout, this, [this] {
            QWidget* d = QApplication::activeModalWidget();
            if (d && d->isVisible()) {
                titulos << d->windowTitle();
                QTest::keyPress(d, Qt::Key_Return);
                QTest::keyRelease(d, Qt::Key_Return);
            }
        });
        t.start();
    }

private:
    QTimer t;
};

}  // namespace

class TestEntradasHostis : public QObject {
    Q_OBJECT
    QString home;
    QString pastaAnterior;
    QTemporaryDir* tmp = nullptr;
    QString d(const QString& nome) const { return tmp->path() + "/" + nome; }

    // A bare cabinet window with fast timers and a fixed draw, playing from `programa`.
    TfrmPrincipal* janela(const QString& programa) {
        auto* w = new TfrmPrincipal(nullptr, false);
        w->maquina().DefinirSorteio([](int) { return 0; });
        w->PastaDoPrograma = programa;
        w->TituloDoAplicativo = "Trevolino v3.5";
        apoio::acelerarRodada(w, 1, 5);
        w->maquina().DefinirDinheiro(100, 0);
        return w;
    }
    static QList<Figura*> celulas(const TfrmPrincipal* w, int k) {
        const QString r = QString("ABC")[k - 1];
        return {apoio::controle<Figura>(w, "img" + r + "1"), apoio::controle<Figura>(w, "img" + r + "2"),
                apoio::controle<Figura>(w, "img" + r + "3")};
    }
    // A bet of 1 on three red sevens (draw 0 from these positions): the prize is 12.
    void rodadaPremiada(TfrmPrincipal* w) {
        const auto inicio = [](int fim, int passos) { return ((fim - 1 + passos) % 16) + 1; };
        w->maquina().Posicionar(inicio(11, 26), inicio(6, 51), inicio(2, 76));
        w->RealizarAposta(1);
        QCOMPARE(w->Credito(), 99.0);
        w->spdGirarClick();
        QVERIFY(apoio::esperarAte([&] {
            for (auto* botao : w->findChildren<TDsFancyButton*>())
                if (!botao->isEnabled()) return false;
            return true;
        }));
        QCOMPARE(w->Credito(), 111.0);
        QCOMPARE(w->Aposta(), 0.0);
        QCOMPARE(w->Premio(), 0.0);
    }

private slots:
    void initTestCase() {
        home = apoio::prepararAmbienteIsolado();
        pastaAnterior = QDir::currentPath();
    }
    void cleanupTestCase() {
        QDir::setCurrent(pastaAnterior);
    }
    void init() {
        tmp = new QTemporaryDir(QDir::tempPath() + "/trevolino-hostil-XXXXXX");
        QVERIFY(tmp->isValid());
    }
    void cleanup() {
        QDir::setCurrent(pastaAnterior);
        PararSom();
        DefinirLinhaDeComandoParaTeste(QString(), 0);
        DefinirExecutavelParaTeste(QString());
        qunsetenv("TREVOLINO_PASTA_DE_PROGRAMAS");
        qunsetenv("TREVOLINO_PASTA_DO_WINDOWS");
        QProcess::execute("chmod", {"-R", "u+w", tmp->path()});
        delete tmp;
        tmp = nullptr;
    }

    // --- reel pictures ------------------------------------------------------------------------

    void quadrosRuinsNaoParamOJogo_data() {
        QTest::addColumn<QString>("caso");
        for (const char* c : {"sem pasta", "vazios", "lixo", "truncados", "png", "pastas", "enormes"})
            QTest::newRow(c) << QString(c);
    }
    void quadrosRuinsNaoParamOJogo() {
        QFETCH(QString, caso);
        const QString b = d("programa/Bobinas/");
        QDir().mkpath(d("programa"));
        if (caso != "sem pasta") QDir().mkpath(b);
        const QByteArray bom = jpegValido();
        unsigned semente = 1;
        if (caso == "enormes")
            QVERIFY(EscreverJpegGigante(d("gigante.jpg"), 10000, 10000));  // 100 megapixels
        for (const QString& nome : nomesDosQuadros()) {
            if (caso == "vazios") escrever(b + nome, QByteArray());
            if (caso == "lixo") escrever(b + nome, lixo(4000, ++semente));
            if (caso == "truncados") escrever(b + nome, bom.left(bom.size() / 2));
            if (caso == "png") QVERIFY(QImage::fromData(bom).save(b + nome, "PNG"));
            if (caso == "pastas") QDir().mkpath(b + nome);
            if (caso == "enormes") QVERIFY(QFile::link(d("gigante.jpg"), b + nome));
        }
        auto* w = janela(d("programa/"));
        w->show();
        w->DesenharBobinasParadas();
        for (int k = 1; k <= 3; ++k)
            for (Figura* c : celulas(w, k)) QVERIFY(c->Imagem().isNull());
        rodadaPremiada(w);
        for (int k = 1; k <= 3; ++k)
            for (Figura* c : celulas(w, k)) QVERIFY(c->Imagem().isNull());
        delete w;
    }

    void quadroEnormeRecusadoAntesDeAlocar() {
        // Just above the area we accept and far above it: both refused from the header alone.
        QVERIFY(EscreverJpegGigante(d("acima.jpg"), 8000, 5001));
        QVERIFY(plataforma::CarregarJpeg(d("acima.jpg")).isNull());
        QVERIFY(EscreverJpegGigante(d("g.jpg"), 65500, 65500));
        QVERIFY(plataforma::CarregarJpeg(d("g.jpg")).isNull());
        // A header that claims 65,500 x 65,500 over a few bytes of data.
        QByteArray b = jpegValido();
        const qsizetype sof = b.indexOf(QByteArray("\xff\xc0", 2));
        QVERIFY(sof > 0);
        b[sof + 5] = char(0xff);
        b[sof + 6] = char(0xdc);
        b[sof + 7] = char(0xff);
        b[sof + 8] = char(0xdc);
        QVERIFY(plataforma::DecodificarJpeg(b).isNull());
        // And the reel-sized picture still decodes.
        QCOMPARE(plataforma::DecodificarJpeg(jpegValido()).size(), QSize(140, 92));
    }

    // --- sounds ---------------------------------------------------------------------------

    void sonsRuinsNaoParamOJogo_data() {
        QTest::addColumn<QString>("caso");
        for (const char* c : {"sem Som", "lixo", "vazios", "cabecalhos mentirosos", "pastas", "float"})
            QTest::newRow(c) << QString(c);
    }
    void sonsRuinsNaoParamOJogo() {
        QFETCH(QString, caso);
        QDir().mkpath(d("programa/Bobinas"));
        for (const QString& nome : nomesDosQuadros()) escrever(d("programa/Bobinas/") + nome, jpegValido());
        const QString som = d("programa/Som/");
        QDir().mkpath(caso == "sem Som" ? d("programa") : som);
        unsigned semente = 7;
        const QStringList sons = {"InserindoMoeda", "BobinaGirando", "BobinaParando",
                                  "Ganhou",         "PagandoPouco",  "PagandoMuito"};
        for (const QString& s : sons) {
            const QString p = som + s + ".wav";
            QByteArray riff("RIFF\xff\xff\xff\xffWAVE", 12);
            if (caso == "lixo") escrever(p, lixo(3000, ++semente));
            if (caso == "vazios") escrever(p, QByteArray());
            if (caso == "pastas") QDir().mkpath(p);
            if (caso == "cabecalhos mentirosos") {
                // A fmt chunk that claims 4 GB, then data that claims 4 GB over 10 bytes.
                QByteArray f =
                    riff + QByteArray("fmt \xff\xff\xff\xff", 8) +
                    QByteArray("\x01\x00\x01\x00\x44\xac\x00\x00\x88\x58\x01\x00\x02\x00\x10\x00", 16) +
                    QByteArray("data\xff\xff\xff\xff", 8) + QByteArray(10, '\0');
                escrever(p, f);
            }
            if (caso == "float") {
                QByteArray f =
                    riff + QByteArray("fmt \x10\x00\x00\x00", 8) +
                    QByteArray("\x03\x00\x01\x00\x44\xac\x00\x00\x10\xb1\x02\x00\x04\x00\x20\x00", 16) +
                    QByteArray("data\x00\x10\x00\x00", 8) + QByteArray(4096, '\0');
                escrever(p, f);
            }
            const double duracao = DuracaoDoSom(p);
            QVERIFY2(duracao < 0 || (duracao >= 0 && duracao < 3600), qPrintable(s));
        }
        auto* w = janela(d("programa/"));
        rodadaPremiada(w);
        QVERIFY(SomAtual().vazio());  // the payout loop was stopped, or never started
        delete w;
    }

    // --- program folder, command line, environment -----------------------------------------

    void pastaDoProgramaQueNaoPodeSerCriada() {
        // The program folder's parent is a regular file: nothing can be made in it.
        escrever(d("arquivo"), "conteúdo");
        QDir::setCurrent(tmp->path());
        const auto antes = instantaneo::Tirar(tmp->path());
        const QString particular = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/trevolino";
        TfrmPrincipal::PastaDoProgramaDeTeste = d("arquivo/Trevolino/");
        DefinirLinhaDeComandoParaTeste("\"" + d("arquivo/Trevolino/trevolino") + "\"", 0);
        Fechador fechador;
        auto* w = new TfrmPrincipal(nullptr, true);
        TfrmPrincipal::PastaDoProgramaDeTeste.clear();
        // The start-up reached the opening of the game: credit, lamps, the opening turn.
        QVERIFY(!w->TerminoSolicitado());
        QCOMPARE(w->Credito(), 100.0);
        QCOMPARE(w->Aposta(), 0.0);
        QVERIFY(apoio::controle<QTimer>(w, "timLuzesMensagem")->isActive());
        // The files went to a folder of this run in the user's private folder, without a word:
        // the only dialog allowed is the screen-size advice.
        for (const QString& t : fechador.titulos)
            QVERIFY2(t.startsWith("Sugerindo"), qPrintable("unexpected dialog: " + t));
        QVERIFY2(w->PastaDeDesempacotamento.startsWith(particular + "/"),
                 qPrintable(w->PastaDeDesempacotamento));
        QEnterEvent entrada(QPointF(400, 300), QPointF(400, 300), QPointF(400, 300));
        QCoreApplication::sendEvent(w, &entrada);  // the cursors are unpacked and read there
        QCOMPARE(
            QDir(w->PastaDeDesempacotamento).entryList(QDir::Files, QDir::Name),
            (QStringList{"LCDMono2.ttf", "c_esperar.ani", "c_executar.ani", "c_normal.ani", "c_tocar.ani"}));
        QVERIFY(TabelaDeCursores::instancia().Registrado(crNormal));
        QVERIFY(apoio::esperarAte(
            [&] { return apoio::controle<TDsFancyButton>(w, "spdApostar01")->isEnabled(); }));
        w->FormClose();
        delete w;
        QVERIFY(!QFileInfo::exists(particular));
        QCOMPARE(instantaneo::Diferencas(antes, instantaneo::Tirar(tmp->path())), QStringList());
    }

    void telaAbaixoDoMinimo() {
        // 799 x 600: the start-up says why it cannot go on and asks the program to end, without
        // a crash and without any other dialog.
        QDir::setCurrent(tmp->path());
        QDir().mkpath(d("Trevolino"));
        TfrmPrincipal::PastaDoProgramaDeTeste = d("Trevolino/");
        DefinirLinhaDeComandoParaTeste("\"" + d("Trevolino/trevolino") + "\"", 0);
        DefinirTamanhoDaTela(QSize(799, 600));
        Fechador fechador;
        auto* w = new TfrmPrincipal(nullptr, true);
        DefinirTamanhoDaTela(QSize());
        TfrmPrincipal::PastaDoProgramaDeTeste.clear();
        QVERIFY(w->TerminoSolicitado());
        QCOMPARE(fechador.titulos,
                 QStringList{QString::fromUtf8("Notificando Tela Abaixo Das Dimensões Mínimas")});
        delete w;
    }

    void executavelComLinhaHostilESemHome() {
        // The real program, started as a shell would with a 10,000-character argument and an
        // argument that is not UTF-8, HOME unset: it must come up and stay up, and write only in
        // its own folder and the XDG folders it was given.
        const QString programa = QStringLiteral(TREVOLINO_PROGRAM_DIR);
        if (!QFileInfo(programa + "/trevolino").isExecutable()) QSKIP("the game is not built");
        QCOMPARE(QProcess::execute("cp", {"-a", programa, d("Trevolino")}), 0);
        for (const char* x : {"dados", "config", "cache", "runtime"}) QDir().mkpath(d(x));
        ::chmod(QFile::encodeName(d("runtime")).constData(), 0700);
        const QStringList raizAntes =
            QDir("/").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const auto antes = instantaneo::Tirar(tmp->path());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("HOME");
        env.insert("XDG_DATA_HOME", d("dados"));
        env.insert("XDG_CONFIG_HOME", d("config"));
        env.insert("XDG_CACHE_HOME", d("cache"));
        env.insert("XDG_RUNTIME_DIR", d("runtime"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(d("Trevolino"));
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start("/bin/sh", {"-c", "exec \"$0\" \"$1\" \"$(printf '\\377\\376<INSTALAR>\\303')\"",
                            d("Trevolino/trevolino"), QString(10000, 'x')});
        QVERIFY(p.waitForStarted(10000));
        // Up once it has unpacked its font (no first frame, hence no cursors, behind the unanswered
        // screen-size advice); then it must still be running a little later.
        QVERIFY(apoio::esperarAte([&] { return QFileInfo::exists(d("Trevolino/LCDMono2.ttf")); }, 60000));
        QVERIFY(!p.waitForFinished(3000));
        QCOMPARE(p.state(), QProcess::Running);
        p.kill();
        p.waitForFinished(10000);
        const QString saida = QString::fromLocal8Bit(p.readAll());
        QVERIFY2(!saida.contains("Sanitizer") && !saida.contains("runtime error"), qPrintable(saida));

        QCOMPARE(QDir("/").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), raizAntes);
        for (const QString& m : instantaneo::Diferencas(antes, instantaneo::Tirar(tmp->path()))) {
            const QString c = m.mid(m.indexOf(' ') + 1);
            const bool nosSeusLugares = c.startsWith(d("Trevolino")) || c.startsWith(d("dados")) ||
                                        c.startsWith(d("cache")) || c.startsWith(d("runtime")) ||
                                        c.startsWith(d("config"));
            QVERIFY2(nosSeusLugares, qPrintable(m));
        }
    }

    // An unset, empty or relative HOME is the account's own folder from the user database,
    // never "/" (where Qt would put the font copy and the launchers); a real one is kept.
    void homeAusenteVemDoCadastro() {
        const QByteArray guardado = qgetenv("HOME");
        const passwd* conta = getpwuid(geteuid());
        QVERIFY(conta && conta->pw_dir);
        const QByteArray esperado(conta->pw_dir);
        for (const char* valor : {static_cast<const char*>(nullptr), "", "relativo/pasta"}) {
            if (valor)
                qputenv("HOME", valor);
            else
                qunsetenv("HOME");
            QVERIFY(plataforma::GarantirPastaPessoal());
            QCOMPARE(qgetenv("HOME"), esperado);
        }
        qputenv("HOME", QFile::encodeName(tmp->path()));
        QVERIFY(!plataforma::GarantirPastaPessoal());
        QCOMPARE(qgetenv("HOME"), QFile::encodeName(tmp->path()));
        qputenv("HOME", guardado);
    }

    // A program, arguments or folder holding a control character a launcher cannot carry gets
    // no launcher; a tab, which it can, still gets one.
    void atalhoComCaractereDeControle() {
        const QString mesa = PastaDaAreaDeTrabalho();
        const auto antes = instantaneo::Tirar(home);
        CriarAtalho("/opt/a\x01b/trevolino", "", "/opt/", "Controle 1", "G", 0);
        CriarAtalho("/opt/trevolino", "x\x1b[2J", "/opt/", "Controle 2", "G", 0);
        CriarAtalho("/opt/trevolino", "", "/opt/\x7f/", "Controle 3", "G", 0);
        QCOMPARE(instantaneo::Diferencas(antes, instantaneo::Tirar(home)), QStringList());
        CriarAtalho("/opt/a\tb/trevolino", "", "/opt/", "Tabulação", "G", 0);
        const auto e = leitor_desktop::Ler(ler(mesa + "/Tabulação.desktop"));
        QVERIFY(e.has_value());
        QCOMPARE(leitor_desktop::DividirExec(e->chaves.value("Exec"))->value(0),
                 QString("/opt/a\tb/trevolino"));
    }

    void linhaDeComandoHostil_data() {
        QTest::addColumn<QString>("linha");
        QTest::addColumn<int>("argumentos");
        const QString prog = "\"/opt/Trevolino/trevolino\" ";
        QTest::newRow("10000 caracteres") << prog + QString(10000, 'x') << 1;
        QTest::newRow("token no meio")
            << prog + QString(5000, 'y') + " <INSTALAR> " + QString(5000, 'z') << 3;
        QTest::newRow("UTF-8 inválido") << prog + QString::fromLocal8Bit("\xff\xfe<INSTALAR>\xc3\x28") << 1;
        QTest::newRow("só aspas") << prog + QString(10000, '"') << 1;
        QTest::newRow("sem programa") << QString(10000, ' ') << 1;
        QTest::newRow("controles") << prog + QString("<ICONES>\x01\x02").repeated(1000) << 1;
        QTest::newRow("dois tokens") << prog + "<INSTALAR> <DESINSTALAR>" << 2;
    }
    void linhaDeComandoHostil() {
        QFETCH(QString, linha);
        QFETCH(int, argumentos);
        const auto antes = instantaneo::Tirar(home);
        DefinirLinhaDeComandoParaTeste(linha, argumentos);
        QVERIFY(ParametroDaLinhaDeComando().size() <= linha.size());
        QVERIFY(!ProcessarLinhaDeComando("Trevolino v3.5"));
        QCOMPARE(instantaneo::Diferencas(antes, instantaneo::Tirar(home)), QStringList());
    }

    void tokenDepoisDeProgramaQueComecaComBranco() {
        // Found by fuzzing: the program path's opening quote followed by its own leading blank
        // was taken for the end of the path.
        const QString linha = LinhaDeComandoReconstruida({" trevolino", "<ICONES>"});
        DefinirLinhaDeComandoParaTeste(linha, 1);
        QCOMPARE(ParametroDaLinhaDeComando(), QString("<ICONES>"));
        DefinirLinhaDeComandoParaTeste(LinhaDeComandoReconstruida({" /", "Mt5", "x"}), 2);
        QCOMPARE(ParametroDaLinhaDeComando(), QString("Mt5 x"));
    }

    void pastasXdgQueSaoArquivos() {
        Fechador fechador;  // the installer's messages are answered as they come
        // Every XDG folder is a regular file; the installer is asked to install and remove.
        const QString raiz = d("raiz");
        QDir().mkpath(raiz + "/casa");
        for (const char* v : {"dados", "config", "cache"}) escrever(raiz + "/" + v, "não é pasta");
        QDir().mkpath(raiz + "/programa/Bobinas");
        escrever(raiz + "/programa/trevolino", "exe");
        escrever(raiz + "/programa/Bobinas/uva.jpg", jpegValido());
        const QByteArray antigos[] = {qgetenv("HOME"), qgetenv("XDG_DATA_HOME"), qgetenv("XDG_CONFIG_HOME"),
                                      qgetenv("XDG_CACHE_HOME")};
        qputenv("HOME", (raiz + "/casa").toUtf8());
        qputenv("XDG_DATA_HOME", (raiz + "/dados").toUtf8());
        qputenv("XDG_CONFIG_HOME", (raiz + "/config").toUtf8());
        qputenv("XDG_CACHE_HOME", (raiz + "/cache").toUtf8());
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", (raiz + "/progs").toUtf8());
        qputenv("TREVOLINO_PASTA_DO_WINDOWS", (raiz + "/bin").toUtf8());
        DefinirExecutavelParaTeste(raiz + "/programa/trevolino");
        const auto antes = instantaneo::Tirar(tmp->path());
        InstalarNaPastaDeProgramas("Trevolino", "Trevolino v3.5");
        RemoverInstalacao("Trevolino", "Trevolino v3.5");
        const auto depois = instantaneo::Tirar(tmp->path());
        qputenv("HOME", antigos[0]);
        qputenv("XDG_DATA_HOME", antigos[1]);
        qputenv("XDG_CONFIG_HOME", antigos[2]);
        qputenv("XDG_CACHE_HOME", antigos[3]);
        for (const char* v : {"dados", "config", "cache"})
            QCOMPARE(ler(raiz + "/" + v), QByteArray("não é pasta"));
        // What may remain: the uninstaller copy and launchers under the home folder; nothing else.
        for (const QString& mudanca : instantaneo::Diferencas(antes, depois)) {
            const bool permitido = mudanca.startsWith("added " + raiz + "/bin") ||
                                   mudanca.startsWith("added " + raiz + "/casa") ||
                                   mudanca.startsWith("added " + raiz + "/progs") ||
                                   mudanca == "changed " + raiz || mudanca == "changed " + raiz + "/casa";
            QVERIFY2(permitido, qPrintable(mudanca));
        }
        QVERIFY(!QFileInfo::exists(raiz + "/progs/Trevolino"));
    }

    void nomesDeAtalhoHostis_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("alvo");
        QTest::newRow("aspas") << "Jogo \"citado\" 'simples'"
                               << "/opt/Tre \"volino\"/trevolino";
        QTest::newRow("subshell") << "$(rm -rf ~) `id`"
                                  << "/opt/$(touch x)/trevolino";
        QTest::newRow("sobe pastas") << "../../../../etc/passwd"
                                     << "/opt/../../trevolino";
        QTest::newRow("barras") << "a/b/c"
                                << "/opt/Trevolino/a b/trevolino";
        QTest::newRow("campos") << "%f %u %%"
                                << "/opt/100%/trevolino";
        QTest::newRow("barra invertida") << "C:\\Jogo\\"
                                         << "/opt/a\\b/trevolino";
        QTest::newRow("brancos") << "  \tJogo  "
                                 << "/opt/x y/trevolino";
        QTest::newRow("menor e maior") << "<DESINSTALAR>"
                                       << "/opt/<x>/trevolino";
    }
    void nomesDeAtalhoHostis() {
        QFETCH(QString, nome);
        QFETCH(QString, alvo);
        const QString mesa = PastaDaAreaDeTrabalho(), menu = PastaDoMenuIniciar();
        QVERIFY(mesa.startsWith(home) && menu.startsWith(home));
        const auto antes = instantaneo::Tirar(home);
        CriarAtalho(alvo, "<DESINSTALAR>", "/opt/x/", nome, "Trevolino v3.5", 0);
        CriarAtalho(alvo, "", "/opt/x/", nome, nome, 1);
        const QStringList mudancas = instantaneo::Diferencas(antes, instantaneo::Tirar(home));
        QStringList feitos;
        for (const QString& m : mudancas) {
            if (m.startsWith("added ") && m.endsWith(".desktop")) feitos << m.mid(6);
            // Only the two folders (and the group folder inside the menu) may change.
            const QString p = m.mid(m.indexOf(' ') + 1);
            QVERIFY2(p == mesa || p == menu || QFileInfo(p).path() == mesa || QFileInfo(p).path() == menu ||
                         QFileInfo(QFileInfo(p).path()).path() == menu,
                     qPrintable(m));
        }
        QCOMPARE(feitos.size(), 2);
        for (const QString& f : feitos) {
            const auto e = leitor_desktop::Ler(ler(f));
            QVERIFY2(e.has_value(), qPrintable(f));
            QCOMPARE(e->chaves.value("Name"), nome.trimmed());
            const auto exec = leitor_desktop::DividirExec(e->chaves.value("Exec"));
            QVERIFY(exec.has_value());
            QCOMPARE(exec->value(0), alvo);
            QCOMPARE(exec->size(), f.startsWith(mesa) ? 2 : 1);
            const QString validador = QStandardPaths::findExecutable("desktop-file-validate");
            if (!validador.isEmpty()) {
                QProcess p;
                p.start(validador, {f});
                QVERIFY(p.waitForFinished(10000));
                const QString saida = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
                QVERIFY2(!saida.contains("error:"), qPrintable(saida));
            }
            QFile::remove(f);
        }
    }

    // --- removal with hostile inputs --------------------------------------------------------

    void remocaoSoApagaOQueOInstaladorFez() {
        Fechador fechador;  // the installer's messages are answered as they come
        // A home with things that are not ours, then a full installation and its removal.
        const QString progs = d("progs"), bin = d("bin");
        QDir().mkpath(progs);
        QDir().mkpath(bin);
        QDir().mkpath(d("programa/Bobinas"));
        QDir().mkpath(d("programa/Som"));
        escrever(d("programa/trevolino"), "exe");
        escrever(d("programa/Bobinas/uva.jpg"), jpegValido());
        escrever(d("programa/Som/Ganhou.wav"), "wav");
        escrever(home + "/valioso.txt", "do usuário");
        QDir().mkpath(home + "/.local/share/applications/Outro Jogo");
        escrever(home + "/.local/share/applications/Outro Jogo/outro.desktop", "[Desktop Entry]\n");
        escrever(progs + "/vizinho.txt", "de outro programa");
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", progs.toUtf8());
        qputenv("TREVOLINO_PASTA_DO_WINDOWS", bin.toUtf8());
        DefinirExecutavelParaTeste(d("programa/trevolino"));
        const auto antesHome = instantaneo::Tirar(home);
        const auto antesTmp = instantaneo::Tirar(tmp->path());

        InstalarNaPastaDeProgramas("Trevolino", "Trevolino v3.5");
        QVERIFY(QFileInfo::exists(progs + "/Trevolino/Bobinas/uva.jpg"));
        QVERIFY(QFileInfo::exists(PastaDaAreaDeTrabalho() + "/Trevolino v3.5.desktop"));
        RemoverInstalacao("Trevolino", "Trevolino v3.5");
        // Everything the installation made is gone, but the uninstaller's own copy.
        QStringList resto = instantaneo::Diferencas(antesTmp, instantaneo::Tirar(tmp->path()));
        resto.removeAll("added " + bin + "/trevolino_Desinstalar");
        resto.removeAll("changed " + bin);
        resto.removeAll("changed " + progs);
        QCOMPARE(resto, QStringList());
        // In the home folder only folders the launchers needed may have appeared.
        for (const QString& m : instantaneo::Diferencas(antesHome, instantaneo::Tirar(home)))
            QVERIFY2(m.startsWith("changed ") || QFileInfo(m.mid(6)).isDir(), qPrintable(m));

        // Hostile: the installation folder is a link to the home folder; titles that climb,
        // empty titles and names that are only dots.
        QVERIFY(QFile::link(home, progs + "/Trevolino"));
        // Where a title that climbs would land if it were pasted into a path as it stands.
        escrever(home + "/valioso.desktop", "do usuário");
        QDir().mkpath(home + "/.local/share/Outro");
        escrever(home + "/.local/share/Outro/dados", "do usuário");
        // The one file a climbing title may name: the launcher its safe name maps to.
        escrever(home + "/Desktop/.._.._valioso.desktop", "[Desktop Entry]\n");
        const auto antes = instantaneo::Tirar(home);
        const auto antesProgs = instantaneo::Tirar(progs);
        for (const QString& titulo : {QString("../../valioso"), QString("../valioso"), QString("../Outro"),
                                      QString("../.."), QString(".."), QString("."), QString(""),
                                      QString("  "), QString("/"), QString("../Outro Jogo")}) {
            RemoverInstalacao("Trevolino", titulo);
            RemoverInstalacao("../Trevolino", titulo);
            RemoverInstalacao("..", titulo);
            RemoverInstalacao("", titulo);
        }
        QStringList mudancas = instantaneo::Diferencas(antes, instantaneo::Tirar(home));
        mudancas.removeAll("removed " + home + "/Desktop/.._.._valioso.desktop");
        mudancas.removeAll("changed " + home + "/Desktop");
        QCOMPARE(mudancas, QStringList());
        QCOMPARE(instantaneo::Diferencas(antesProgs, instantaneo::Tirar(progs)), QStringList());
        QCOMPARE(ler(home + "/valioso.txt"), QByteArray("do usuário"));
        QVERIFY(QFileInfo(progs + "/Trevolino").isSymLink());
        QFile::remove(progs + "/Trevolino");

        // The folder routines never hand the removal an empty, relative or root prefix.
        for (const QByteArray& prefixo :
             {QByteArray(""), QByteArray("relativa"), QByteArray(" "), QByteArray("./x")}) {
            qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", prefixo);
            const QString p = PastaDeProgramas();
            QVERIFY2(QDir::isAbsolutePath(p) && QDir::cleanPath(p) != "/", qPrintable(p));
        }
        // A prefix that is the root itself (given on purpose) is refused by the installation and
        // the removal: nothing appears at, or goes from, the top of the file system.
        const QStringList raiz = QDir("/").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QByteArray& prefixo : {QByteArray("/"), QByteArray("//"), QByteArray("/./")}) {
            qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", prefixo);
            InstalarNaPastaDeProgramas("Trevolino", "Trevolino v3.5");
            RemoverInstalacao("Trevolino", "Trevolino v3.5");
        }
        QCOMPARE(QDir("/").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), raiz);
        // And the removal itself refuses them, whatever the current folder holds.
        QDir::setCurrent(tmp->path());
        QDir().mkpath(d("Trevolino/sub"));
        for (const QString& p :
             {QString(""), QString("Trevolino"), QString("./Trevolino"), QString("/"), QString("//"), home,
              home + "/.", home + "/Desktop/..", QFileInfo(home).path()})
            QVERIFY2(!ApagarPasta(p, false), qPrintable(p));
        QVERIFY(QFileInfo(d("Trevolino/sub")).isDir());
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    TestEntradasHostis t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_entradas_hostis.moc"
