// The PulseAudio output, heard on the private server's sink: a sound plays once and says so, a
// loop goes on until something replaces or stops it, 8-bit samples are unsigned, no stream stays
// behind on the server, a connection that failed is made anew, and a process that ends while a
// sound is being set up ends cleanly.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "apoio.h"
#include "apoio_som.h"
#include "platform/saida_de_som.h"

using apoio_som::esperarFluxoDoJogo;
using apoio_som::MonitorDoSink;

namespace {

QString som(const QString& nome) { return QStringLiteral(TREVOLINO_PROGRAM_DIR "/Som/") + nome; }

std::shared_ptr<const plataforma::SomWav> ler(const QString& nome) {
    auto s = plataforma::LerWav(som(nome));
    if (!s) qFatal("cannot read %s", qPrintable(som(nome)));
    return s;
}

}  // namespace

class TestSaidaDeSom : public QObject {
    Q_OBJECT

    MonitorDoSink monitor;
    QTemporaryDir dir;
    QList<QPair<quint64, bool>> avisos;

private slots:
    void initTestCase() {
        if (!apoio_som::servidorPrivadoPedido())
            QSKIP("no private PulseAudio server (scripts/executar_testes.sh starts one)");
        plataforma::DefinirAvisosDaSaida({[this](quint64 g, bool fim) { avisos.append({g, fim}); }, {}});
        const QString erro = monitor.iniciar();
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
    }

    void cleanupTestCase() {
        plataforma::TocarNaSaida(nullptr, false);
        monitor.parar();
    }

    // A single play is heard, ends by itself, and its start and end are told in that order.
    void umaVezAvisaInicioEFim() {
        avisos.clear();
        const qint64 m = monitor.posicao();
        const quint64 g = plataforma::TocarNaSaida(ler("BobinaParando.wav"), false);  // 0.32 s
        QVERIFY(g > 0);
        const qint64 inicio = monitor.esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        const qint64 fim = monitor.esperarSilencio(inicio, 3000);
        QVERIFY2(fim >= 0, "it did not end by itself");
        QVERIFY2(MonitorDoSink::segundos(fim - inicio) < 0.6,
                 qPrintable(QString::number(MonitorDoSink::segundos(fim - inicio))));
        QTRY_COMPARE(avisos, (QList<QPair<quint64, bool>>{{g, false}, {g, true}}));
    }

    void lacoSegueAteSerSubstituido() {
        const qint64 m = monitor.posicao();
        plataforma::TocarNaSaida(ler("PagandoPouco.wav"), true);  // a 1 s loop
        const qint64 inicio = monitor.esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        const QString falha = monitor.somContinuo(inicio, 3.0);  // three times its own length
        QVERIFY2(falha.isEmpty(), qPrintable(falha));
        // a new single sound takes its place, and after it comes silence, not the loop
        plataforma::TocarNaSaida(ler("BobinaParando.wav"), false);
        QVERIFY2(monitor.esperarSilencio(monitor.posicao(), 3000) >= 0, "the loop goes on");
    }

    // A new sound asked for while the previous one is still being set up wins: the loop must
    // not start behind it.
    void novoSomDuranteOCarregamento() {
        const qint64 m = monitor.posicao();
        plataforma::TocarNaSaida(ler("PagandoMuito.wav"), true);
        plataforma::TocarNaSaida(ler("BobinaParando.wav"), false);
        const qint64 inicio = monitor.esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        QVERIFY2(monitor.esperarSilencio(inicio, 3000, 1.5) >= 0, "the loop started after all");
    }

    void pararSilenciaOLaco() {
        const qint64 m = monitor.posicao();
        plataforma::TocarNaSaida(ler("PagandoMuito.wav"), true);
        const qint64 inicio = monitor.esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        const QString falha = monitor.somContinuo(inicio, 1.5);
        QVERIFY2(falha.isEmpty(), qPrintable(falha));
        plataforma::TocarNaSaida(nullptr, false);
        QVERIFY2(monitor.esperarSilencio(monitor.posicao(), 1000) >= 0, "the stop left it sounding");
    }

    // 8-bit samples are unsigned: a file of 128s is silence, not a full-scale offset.
    void oitoBitsSemSinal() {
        qint64 m = monitor.posicao();
        plataforma::TocarNaSaida(plataforma::LerWav(apoio_som::wavOitoBits(dir, "silencio8.wav", 0.8, 0)),
                                 false);
        QVERIFY2(monitor.esperarSom(m, 1500) < 0, "an 8-bit silence was heard");
        m = monitor.posicao();
        plataforma::TocarNaSaida(plataforma::LerWav(apoio_som::wavOitoBits(dir, "tom8.wav", 0.8, 100)),
                                 false);
        QVERIFY2(monitor.esperarSom(m, 5000) >= 0, "an 8-bit tone was not heard");
        QVERIFY(monitor.esperarSilencio(monitor.posicao(), 3000) >= 0);
    }

    // A played-out sound leaves no stream behind on the server (it would keep waking the idle
    // game asking for more), and neither does a stopped loop, nor one stopped before the server
    // had even set it up.
    void nenhumFluxoDepoisDoFim() {
        plataforma::TocarNaSaida(ler("PagandoMuito.wav"), true);
        plataforma::TocarNaSaida(nullptr, false);
        QVERIFY2(esperarFluxoDoJogo(false, 3000), "a stream given up while being set up stayed");
        avisos.clear();
        const quint64 g = plataforma::TocarNaSaida(ler("BobinaParando.wav"), false);
        QTRY_VERIFY_WITH_TIMEOUT(avisos.contains({g, true}), 5000);
        QVERIFY2(esperarFluxoDoJogo(false, 3000), "a finished sound's stream is still there");
        plataforma::TocarNaSaida(ler("PagandoPouco.wav"), true);
        QVERIFY2(esperarFluxoDoJogo(true, 3000), "the loop has no stream");
        plataforma::TocarNaSaida(nullptr, false);
        QVERIFY2(esperarFluxoDoJogo(false, 3000), "a stopped loop's stream is still there");
    }

    // Prepared ahead, the output is connected to the server before any sound is asked for, and
    // holds no stream until one is. Run in a child process, which has no connection yet.
    void preparadaConectaAntesDoPrimeiroSom() { emProcessoFilho("--preparar", som("BobinaParando.wav")); }

    // A sound asked for while no server answers is silent; once the server is there, the next
    // sound is played through a new connection. Run in a child process, whose first connection
    // is pointed at a server that does not exist.
    void reconectaDepoisDeFalhar() { emProcessoFilho("--reconectar", som("PagandoPouco.wav")); }

private:
    // Runs this test program as a child in `modo`: the child's own checks must all pass.
    static void emProcessoFilho(const QString& modo, const QString& arquivo) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QCoreApplication::applicationFilePath(), {modo, arquivo});
        QVERIFY(p.waitForFinished(20000));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAll().constData());
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    if (argc > 3 && QByteArray(argv[1]) == "--sair-carregando") {
        // Ends while the sound is still being started: the process must not hang on its way out.
        QCoreApplication app(argc, argv);
        plataforma::TocarNaSaida(plataforma::LerWav(QString::fromLocal8Bit(argv[2])), true);
        // the connection and the stream are set up on the sound thread; leave at varying moments
        QThread::usleep(QByteArray(argv[3]).toUInt());
        return 0;
    }
    if (argc > 2 && QByteArray(argv[1]) == "--preparar") {
        QCoreApplication app(argc, argv);
        // A client of the server that is the game in this very process.
        const QByteArray pid = "application.process.id = \"" + QByteArray::number(app.applicationPid()) + "\"";
        const auto conectado = [&pid] {
            QByteArray clientes;
            if (!apoio_som::executar("pactl", {"list", "clients"}, &clientes)) return false;
            for (const QByteArray& c : clientes.split('#'))
                if (c.contains("application.name = \"Trevolino\"") && c.contains(pid)) return true;
            return false;
        };
        if (conectado()) return fprintf(stderr, "connected before anything was asked\n"), 1;
        plataforma::PrepararSaida();
        QElapsedTimer t;
        t.start();
        while (!conectado() && t.elapsed() < 5000) QTest::qWait(100);
        if (!conectado()) return fprintf(stderr, "not connected after the output was prepared\n"), 1;
        if (!esperarFluxoDoJogo(false, 100)) return fprintf(stderr, "a stream with no sound asked for\n"), 1;
        const quint64 g = plataforma::TocarNaSaida(plataforma::LerWav(QString::fromLocal8Bit(argv[2])), false);
        const bool ouvido = g > 0 && esperarFluxoDoJogo(true, 3000);
        plataforma::TocarNaSaida(nullptr, false);
        if (!ouvido) fprintf(stderr, "the first sound after the preparation found no stream\n");
        return ouvido ? 0 : 1;
    }
    if (argc > 2 && QByteArray(argv[1]) == "--reconectar") {
        QCoreApplication app(argc, argv);
        const QByteArray servidor = qgetenv("PULSE_SERVER");
        const auto laco = plataforma::LerWav(QString::fromLocal8Bit(argv[2]));
        qputenv("PULSE_SERVER", apoio_som::kSemServidor);
        plataforma::TocarNaSaida(laco, true);
        QTest::qWait(500);
        if (servidor.isEmpty())
            qunsetenv("PULSE_SERVER");
        else
            qputenv("PULSE_SERVER", servidor);
        plataforma::TocarNaSaida(laco, true);
        const bool ouvido = esperarFluxoDoJogo(true, 5000);
        plataforma::TocarNaSaida(nullptr, false);
        if (!ouvido) fprintf(stderr, "no stream of the game reached the server after it came back\n");
        return ouvido ? 0 : 1;
    }
    QCoreApplication app(argc, argv);

    int falhas = 0;
    {
        // End the process at varying moments of a sound's start (file read, connection, stream
        // set-up): it must never hang or crash on its way out. Fresh copies keep the file cold.
        QTemporaryDir copias;
        int travados = 0;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 12; ++i) {
            const QString copia = copias.filePath(QString("ganhou%1.wav").arg(i));
            QFile::copy(som("Ganhou.wav"), copia);
            if (!apoio_som::executarSemServidor({"--sair-carregando", copia, QString::number(i * 250)}, 10000)
                     .isEmpty())
                ++travados;
        }
        if (travados) {
            fprintf(stderr, "FAIL: %d of 12 processes hung or crashed ending during a load\n", travados);
            ++falhas;
        } else {
            printf("PASS: 12 processes ended cleanly during a load, in %lld ms\n", (long long)t.elapsed());
        }
    }
    {
        TestSaidaDeSom t;
        falhas += QTest::qExec(&t, argc, argv);
    }
    return falhas ? 1 : 0;
}

#include "test_saida_de_som.moc"
