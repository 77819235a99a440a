// The sound policy: TocarSom, PararSom, SomAtual and the wait for a sound's end. Without a
// server (in a child process, as the output picks its server once per process) everything
// returns promptly and the bookkeeping still follows the calls; with the private server the
// sink's monitor shows the calls are heard as asked.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "apoio.h"
#include "apoio_som.h"
#include "shell/som.h"

using namespace uRotinasGerais;
using namespace apresentacao;
using apoio_som::MonitorDoSink;

namespace {

QString som(const QString& nome) { return QStringLiteral(TREVOLINO_PROGRAM_DIR "/Som/") + nome; }

}  // namespace

class SemServidor : public QObject {
    Q_OBJECT
private slots:
    void lacoEParada() {
        QElapsedTimer t;
        t.start();
        TocarSom(" \t" + som("PagandoMuito.wav") + " \r\n", false, false);
        QCOMPARE(SomAtual().arquivo, som("PagandoMuito.wav"));
        QVERIFY(SomAtual().emLaco);
        QTest::qWait(300);
        TocarSom(som("PagandoPouco.wav"), false, false);
        QCOMPARE(SomAtual().arquivo, som("PagandoPouco.wav"));
        PararSom();
        QVERIFY(SomAtual().vazio());
        PararSom();  // twice is harmless
        QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
    }

    void esperaLimitadaPelaDuracao() {
        // Nothing can report the end here; the wait ends with the file's length.
        QElapsedTimer t;
        t.start();
        TocarSom(som("BobinaParando.wav"), true, true);
        const qint64 ms = t.elapsed();
        QVERIFY2(ms >= 250 && ms < 3000, qPrintable(QString::number(ms)));
        QTest::qWait(400);
        QVERIFY(SomAtual().vazio());  // a single play is over once its length has gone by
    }

    void esperaInterrompidaPorParar() {
        QElapsedTimer t;
        t.start();
        QTimer::singleShot(100, [] { PararSom(); });
        TocarSom(som("Ganhou.wav"), true, true);  // 1.7 s long
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
        QVERIFY(SomAtual().vazio());
    }

    void arquivosRuinsNaoTravam() {
        QTemporaryDir dir;
        TocarSom(som("PagandoPouco.wav"), false, false);
        QElapsedTimer t;
        t.start();
        // A missing file (or an empty name) leaves the playing sound alone.
        TocarSom(dir.filePath("nao-existe.wav"), true, true);
        TocarSom("   ", true, true);
        TocarSom(dir.path(), true, true);
        QCOMPARE(SomAtual().arquivo, som("PagandoPouco.wav"));
        // A file that cannot be played still stops the playing sound, as any new sound does.
        TocarSom(apoio_som::gravar(dir, "texto.wav", "isto não é um som"), true, true);
        QVERIFY(SomAtual().vazio());
        QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
        // Left playing on purpose: the process must still end cleanly with a loop going.
        TocarSom(som("PagandoMuito.wav"), false, false);
    }
};

class SomComServidor : public QObject {
    Q_OBJECT

    MonitorDoSink monitor;

private slots:
    void initTestCase() {
        if (!apoio_som::servidorPrivadoPedido())
            QSKIP("no private PulseAudio server (scripts/executar_testes.sh starts one)");
        const QString erro = monitor.iniciar();
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
    }

    void cleanupTestCase() {
        PararSom();
        monitor.parar();
    }

    void tocaUmaVezComNomeAparado() {
        const qint64 m = monitor.posicao();
        TocarSom("  " + som("BobinaParando.wav") + "\t\n", true, false);  // 0.32 s
        const qint64 inicio = monitor.esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        const qint64 fim = monitor.esperarSilencio(inicio, 3000);
        QVERIFY2(fim >= 0, "it did not end by itself");
        QVERIFY2(MonitorDoSink::segundos(fim - inicio) < 0.6,
                 qPrintable(QString::number(MonitorDoSink::segundos(fim - inicio))));
    }

    // A loop goes on through a request for a missing file, and PararSom silences it.
    void lacoAtePararSom() {
        const qint64 m = monitor.posicao();
        TocarSom(som("PagandoMuito.wav"), false, false);
        const qint64 inicio = monitor.esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        QString falha = monitor.somContinuo(inicio, 1.5);
        QVERIFY2(falha.isEmpty(), qPrintable(falha));
        TocarSom(som("NaoExiste.wav"), true, false);
        falha = monitor.somContinuo(monitor.posicao(), 1.0);
        QVERIFY2(falha.isEmpty(), qPrintable("after a missing file: " + falha));
        QCOMPARE(SomAtual().arquivo, som("PagandoMuito.wav"));
        PararSom();
        QVERIFY2(monitor.esperarSilencio(monitor.posicao(), 1000) >= 0, "PararSom left it sounding");
        QVERIFY(SomAtual().vazio());
    }

    void esperarTerminarAguardaOFim() {
        const qint64 m = monitor.posicao();
        QElapsedTimer t;
        t.start();
        TocarSom(som("InserindoMoeda.wav"), true, true);  // 0.75 s
        const qint64 ms = t.elapsed();
        QVERIFY2(ms >= 500 && ms < 5000, qPrintable(QString::number(ms)));
        const qint64 inicio = monitor.esperarSom(m, 3000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        QVERIFY(monitor.esperarSilencio(inicio, 3000) >= 0);
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QCoreApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--sem-servidor") {
        SemServidor t;
        return QTest::qExec(&t, QStringList{argv[0]});
    }

    int falhas = 0;
    {
        // The child gets a server address that does not exist, and must end well within time.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", "unix:/nonexistent/trevolino/native");
        env.remove("PULSE_RUNTIME_PATH");
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer t;
        t.start();
        p.start(QCoreApplication::applicationFilePath(), {"--sem-servidor"});
        const bool terminou = p.waitForFinished(30000);
        if (!terminou) p.kill(), p.waitForFinished();
        const QByteArray saida = p.readAll();
        const bool ok =
            terminou && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && t.elapsed() < 30000;
        if (!ok) {
            fprintf(stderr, "FAIL: without an audio server (%lld ms):\n%s\n", (long long)t.elapsed(),
                    saida.constData());
            ++falhas;
        } else {
            printf("PASS: without an audio server, in %lld ms\n", (long long)t.elapsed());
        }
    }
    {
        SomComServidor t;
        falhas += QTest::qExec(&t, argc, argv);
    }
    return falhas ? 1 : 0;
}

#include "test_som.moc"
