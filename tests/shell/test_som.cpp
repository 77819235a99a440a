// The sound policy: TocarSom, PararSom and SomAtual. Without a
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
        TocarSom(" \t" + som("PagandoMuito.wav") + " \r\n", false);
        QCOMPARE(SomAtual().arquivo, som("PagandoMuito.wav"));
        QVERIFY(SomAtual().emLaco);
        QTest::qWait(300);
        TocarSom(som("PagandoPouco.wav"), false);
        QCOMPARE(SomAtual().arquivo, som("PagandoPouco.wav"));
        PararSom();
        QVERIFY(SomAtual().vazio());
        PararSom();  // twice is harmless
        QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
    }

    void umaVezTerminaComADuracao() {
        // Nothing can report the end here: a single play is over once its length has gone by.
        TocarSom(som("BobinaParando.wav"), true);  // 0.32 s
        QCOMPARE(SomAtual().arquivo, som("BobinaParando.wav"));
        QTest::qWait(800);
        QVERIFY(SomAtual().vazio());
    }

    void arquivosRuinsNaoTravam() {
        QTemporaryDir dir;
        TocarSom(som("PagandoPouco.wav"), false);
        QElapsedTimer t;
        t.start();
        // A missing file (or an empty name) leaves the playing sound alone.
        TocarSom(dir.filePath("nao-existe.wav"), true);
        TocarSom("   ", true);
        TocarSom(dir.path(), true);
        QCOMPARE(SomAtual().arquivo, som("PagandoPouco.wav"));
        // A file that cannot be played still stops the playing sound, as any new sound does.
        TocarSom(apoio_som::gravar(dir, "texto.wav", "isto não é um som"), true);
        QVERIFY(SomAtual().vazio());
        QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
        // Left playing on purpose: the process must still end cleanly with a loop going.
        TocarSom(som("PagandoMuito.wav"), false);
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
        TocarSom("  " + som("BobinaParando.wav") + "\t\n", true);  // 0.32 s
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
        TocarSom(som("PagandoMuito.wav"), false);
        const qint64 inicio = monitor.esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        QString falha = monitor.somContinuo(inicio, 1.5);
        QVERIFY2(falha.isEmpty(), qPrintable(falha));
        TocarSom(som("NaoExiste.wav"), true);
        falha = monitor.somContinuo(monitor.posicao(), 1.0);
        QVERIFY2(falha.isEmpty(), qPrintable("after a missing file: " + falha));
        QCOMPARE(SomAtual().arquivo, som("PagandoMuito.wav"));
        PararSom();
        QVERIFY2(monitor.esperarSilencio(monitor.posicao(), 1000) >= 0, "PararSom left it sounding");
        QVERIFY(SomAtual().vazio());
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
        QElapsedTimer t;
        t.start();
        const QString falha = apoio_som::executarSemServidor({"--sem-servidor"}, 30000);
        if (!falha.isEmpty()) {
            fprintf(stderr, "FAIL: without an audio server: %s\n", qPrintable(falha));
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
