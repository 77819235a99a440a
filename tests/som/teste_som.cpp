// Sound layer and the generated cabinet sounds.
//
// The files are checked by reading their samples. Playback is checked by ear, as it were: with a
// real PulseAudio server, the null sink's monitor is recorded and its loudness over time shows
// when a sound plays, that a loop goes on, that a new sound replaces it and that PararSom
// silences it. The no-server case runs in a child process of this program, because the audio
// backend picks its server once per process.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "apoio.h"
#include "shell/som.h"

using namespace uRotinasGerais;

namespace {

QString som(const QString& nome) {
    return QStringLiteral(TREVOLINO_PROGRAM_DIR "/Som/") + nome;
}

// Our own reading of a WAV, independent of the one in the sound layer.
struct Wav {
    bool ok = false;
    int tag = 0, canais = 0, bits = 0, taxa = 0;
    QVector<qint16> amostras;  // first channel
};

Wav lerWav(const QString& caminho) {
    Wav w;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return w;
    const QByteArray b = f.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return w;
    qsizetype p = 12;
    while (p + 8 <= b.size()) {
        const QByteArray id = b.mid(p, 4);
        const quint32 n = qFromLittleEndian<quint32>(b.constData() + p + 4);
        const char* d = b.constData() + p + 8;
        if (id == "fmt ") {
            w.tag = qFromLittleEndian<quint16>(d);
            w.canais = qFromLittleEndian<quint16>(d + 2);
            w.taxa = int(qFromLittleEndian<quint32>(d + 4));
            w.bits = qFromLittleEndian<quint16>(d + 14);
        } else if (id == "data" && w.bits == 16 && w.canais > 0) {
            const qsizetype quadros = qsizetype(n) / (2 * w.canais);
            if (p + 8 + quadros * 2 * w.canais > b.size())
                return w;
            for (qsizetype i = 0; i < quadros; ++i)
                w.amostras.append(qFromLittleEndian<qint16>(d + i * 2 * w.canais));
            w.ok = true;
            return w;
        }
        p += 8 + n + (n & 1);
    }
    return w;
}

QByteArray cabecalhoWav(quint16 tag, quint16 canais, quint32 taxa, quint16 bits, quint32 dados,
                        quint16 tamanhoFmt = 16) {
    QByteArray b;
    auto u32 = [&b](quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); };
    auto u16 = [&b](quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); };
    b.append("RIFF");
    u32(36 + dados);
    b.append("WAVE");
    b.append("fmt ");
    u32(tamanhoFmt);
    u16(tag);
    u16(canais);
    u32(taxa);
    u32(taxa * canais * bits / 8);
    u16(quint16(canais * bits / 8));
    u16(bits);
    b.append(QByteArray(tamanhoFmt - 16, '\0'));
    return b;
}

QString gravar(const QTemporaryDir& dir, const QString& nome, const QByteArray& conteudo) {
    const QString caminho = dir.filePath(nome);
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(conteudo) != conteudo.size())
        qFatal("cannot write %s", qPrintable(caminho));
    return caminho;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The six generated files.
class ArquivosDeSom : public QObject {
    Q_OBJECT
private slots:
    void formatoDuracaoENivel_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<double>("minimo");
        QTest::addColumn<double>("maximo");
        QTest::addColumn<bool>("laco");
        QTest::newRow("moeda") << "InserindoMoeda.wav" << 0.3 << 1.5 << false;
        QTest::newRow("girando") << "BobinaGirando.wav" << 0.8 << 1.5 << false;
        QTest::newRow("parando") << "BobinaParando.wav" << 0.1 << 0.6 << false;
        QTest::newRow("ganhou") << "Ganhou.wav" << 0.8 << 3.0 << false;
        QTest::newRow("pouco") << "PagandoPouco.wav" << 0.5 << 4.0 << true;
        QTest::newRow("muito") << "PagandoMuito.wav" << 0.5 << 4.0 << true;
    }
    void formatoDuracaoENivel() {
        QFETCH(QString, nome);
        QFETCH(double, minimo);
        QFETCH(double, maximo);
        QFETCH(bool, laco);
        const Wav w = lerWav(som(nome));
        QVERIFY2(w.ok, qPrintable(som(nome)));
        QCOMPARE(w.tag, 1);
        QCOMPARE(w.bits, 16);
        QCOMPARE(w.taxa, 44100);
        const double segundos = double(w.amostras.size()) / w.taxa;
        QVERIFY2(segundos >= minimo && segundos <= maximo, qPrintable(QString::number(segundos)));
        QCOMPARE(DuracaoDoSom(som(nome)), segundos);

        // Peak under -1 dBFS, and loud enough to be heard (not an empty file of zeros).
        int pico = 0;
        double soma = 0;
        for (qint16 s : w.amostras) {
            pico = std::max(pico, std::abs(int(s)));
            soma += double(s) * s;
        }
        QVERIFY2(pico < int(32768 * std::pow(10.0, -1.0 / 20)), qPrintable(QString::number(pico)));
        QVERIFY(std::sqrt(soma / w.amostras.size()) > 1000);

        // Clicks: a step from one sample to the next far above the usual ones. For a loop the
        // step from the last sample back to the first must look like any other step; a single
        // sound must start and end at rest.
        QVector<int> passos;
        for (qsizetype i = 1; i < w.amostras.size(); ++i)
            passos.append(std::abs(w.amostras[i] - w.amostras[i - 1]));
        std::sort(passos.begin(), passos.end());
        const int p99 = passos[passos.size() * 99 / 100];
        if (laco) {
            const int volta = std::abs(w.amostras.first() - w.amostras.last());
            QVERIFY2(volta <= p99, qPrintable(QString("wrap %1, 99th percentile %2").arg(volta).arg(p99)));
        } else {
            QVERIFY(std::abs(w.amostras.first()) < 100);
            QVERIFY(std::abs(w.amostras.last()) < 100);
        }
    }

    // Two builds must ship the same sounds: the generator has no hidden randomness or clock.
    void geradorDeterministico() {
        const QString script = QStringLiteral(TREVOLINO_SOURCE_DIR "/tools/sons/gerar_sons.py");
        if (!QFile::exists("/usr/bin/python3"))
            QSKIP("no /usr/bin/python3");
        QTemporaryDir dir;
        QProcess p;
        p.start("/usr/bin/python3", {script, dir.path()});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        for (const char* nome : {"InserindoMoeda.wav", "BobinaGirando.wav", "BobinaParando.wav",
                                 "Ganhou.wav", "PagandoPouco.wav", "PagandoMuito.wav"}) {
            QFile a(dir.filePath(nome)), b(som(nome));
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), nome);
        }
    }

    // Only plain PCM of 8 or 16 bits is accepted (Qt plays other layouts wrongly); a header is
    // read by its chunks, not at fixed offsets.
    void duracaoDoCabecalho() {
        QTemporaryDir dir;
        const QByteArray um = QByteArray(44100 * 2, '\0');  // 1 s of 16-bit mono
        QCOMPARE(DuracaoDoSom(gravar(dir, "ok.wav", cabecalhoWav(1, 1, 44100, 16, um.size()) + "data" +
                                                         QByteArray::fromHex("88580100") + um)),
                 1.0);
        // An odd-sized chunk before the data is skipped with its pad byte; a longer fmt too.
        QByteArray comLista = cabecalhoWav(1, 2, 22050, 8, 0, 18) + "LIST" +
                              QByteArray::fromHex("03000000") + "abc" + QByteArray(1, '\0') +
                              "data" + QByteArray::fromHex("44AC0000") + QByteArray(44100, '\0');
        QCOMPARE(DuracaoDoSom(gravar(dir, "lista.wav", comLista)), 1.0);
        // A data size that runs past the end of the file (unfinished recording) counts what is there.
        QCOMPARE(DuracaoDoSom(gravar(dir, "curto.wav", cabecalhoWav(1, 1, 44100, 16, 0) + "data" +
                                                            QByteArray::fromHex("FFFFFFFF") +
                                                            QByteArray(22050 * 2, '\0'))),
                 0.5);

        QVERIFY(DuracaoDoSom(dir.filePath("nao-existe.wav")) < 0);
        QVERIFY(DuracaoDoSom(dir.path()) < 0);
        QVERIFY(DuracaoDoSom(gravar(dir, "texto.wav", "isto não é um som")) < 0);
        QVERIFY(DuracaoDoSom(gravar(dir, "vazio.wav", QByteArray())) < 0);
        QVERIFY(DuracaoDoSom(gravar(dir, "24bits.wav", cabecalhoWav(1, 1, 44100, 24, 300) + "data" +
                                                            QByteArray::fromHex("2C010000") +
                                                            QByteArray(300, '\0'))) < 0);
        QVERIFY(DuracaoDoSom(gravar(dir, "extensivel.wav",
                                    cabecalhoWav(0xFFFE, 1, 44100, 16, 300, 40) + "data" +
                                        QByteArray::fromHex("2C010000") + QByteArray(300, '\0'))) < 0);
        QVERIFY(DuracaoDoSom(gravar(dir, "semdados.wav", cabecalhoWav(1, 1, 44100, 16, 0))) < 0);
        QVERIFY(DuracaoDoSom(gravar(dir, "datasemfmt.wav",
                                    QByteArray("RIFF") + QByteArray::fromHex("10000000") + "WAVE" +
                                        "data" + QByteArray::fromHex("04000000") + "abcd")) < 0);
    }
};

// ---------------------------------------------------------------------------------------------
// Run in a child process whose PulseAudio server does not exist: everything returns promptly,
// the bookkeeping still follows the calls, and the process ends cleanly.
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
        // Qt reports the sound as playing forever here; the wait ends with the file's length.
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
        TocarSom(gravar(dir, "texto.wav", "isto não é um som"), true, true);
        QVERIFY(SomAtual().vazio());
        QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
        // Left playing on purpose: the process must still end cleanly with a loop going.
        TocarSom(som("PagandoMuito.wav"), false, false);
    }
};

// ---------------------------------------------------------------------------------------------
// Playback through a real PulseAudio server, heard on the default sink's monitor.
class SomComServidor : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString gravacao;
    QProcess gravador, manterVivo;
    static constexpr int kTaxa = 44100;

    static bool executar(const QString& programa, const QStringList& args, QByteArray* saida = nullptr) {
        QProcess p;
        p.start(programa, args);
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished();
            return false;
        }
        if (saida)
            *saida = p.readAllStandardOutput().trimmed();
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    // Samples recorded so far: the file grows in real time.
    qint64 posicao() const { return QFileInfo(gravacao).size() / 2; }

    QVector<qint16> trecho(qint64 de, qint64 ate) const {
        QFile f(gravacao);
        QVector<qint16> v;
        if (!f.open(QIODevice::ReadOnly) || !f.seek(de * 2))
            return v;
        const QByteArray b = f.read((ate - de) * 2);
        for (qsizetype i = 0; i + 1 < b.size(); i += 2)
            v.append(qFromLittleEndian<qint16>(b.constData() + i));
        return v;
    }

    // Loudness of every 50 ms window between two instants, in seconds after `marca`.
    QVector<double> rms(qint64 marca, double de, double ate) const {
        QVector<double> r;
        const qint64 janela = kTaxa / 20;
        for (qint64 a = marca + qint64(de * kTaxa); a + janela <= marca + qint64(ate * kTaxa); a += janela) {
            const QVector<qint16> t = trecho(a, a + janela);
            if (t.size() < janela)
                break;
            double s = 0;
            for (qint16 x : t)
                s += double(x) * x;
            r.append(std::sqrt(s / t.size()));
        }
        return r;
    }

    static QString mostrar(const QVector<double>& v) {
        QStringList s;
        for (double x : v)
            s << QString::number(int(x));
        return s.join(' ');
    }

    // Sound present: some window is clearly loud. Silence: every window is (digitally) quiet.
    static constexpr double kSom = 300, kSilencio = 30;
    void exigirSom(qint64 marca, double de, double ate) {
        const QVector<double> v = rms(marca, de, ate);
        QVERIFY2(!v.isEmpty() && *std::max_element(v.begin(), v.end()) > kSom, qPrintable(mostrar(v)));
    }
    void exigirSomContinuo(qint64 marca, double de, double ate, double janela) {
        // every stretch of `janela` seconds holds sound: a loop that did not stop
        for (double a = de; a + janela <= ate + 1e-9; a += janela)
            exigirSom(marca, a, a + janela);
    }
    void exigirSilencio(qint64 marca, double de, double ate) {
        const QVector<double> v = rms(marca, de, ate);
        QVERIFY2(!v.isEmpty() && *std::max_element(v.begin(), v.end()) < kSilencio, qPrintable(mostrar(v)));
    }

private slots:
    void initTestCase() {
        QByteArray sink;
        if (!executar("pactl", {"info"}) || !executar("pactl", {"get-default-sink"}, &sink) ||
            sink.isEmpty()) {
            if (qgetenv("TREVOLINO_TEST_PULSE") == "1")
                QFAIL("TREVOLINO_TEST_PULSE=1 but no PulseAudio server answers");
            QSKIP("no PulseAudio server (scripts/executar_testes.sh starts one)");
        }
        gravacao = dir.filePath("monitor.raw");
        // A silent stream keeps the sink's clock running while nothing plays.
        manterVivo.setStandardInputFile("/dev/zero");
        manterVivo.start("pacat", {"--latency-msec=20", "--device=" + sink});
        gravador.setStandardOutputFile(gravacao);
        gravador.start("parec", {"--latency-msec=20", "--device=" + sink + ".monitor",
                                 "--format=s16le", "--rate=44100", "--channels=1"});
        QVERIFY(gravador.waitForStarted(5000));
        // The first moments of a new recording are lost; wait until it flows steadily.
        QTest::qWait(2500);
        const qint64 a = posicao();
        QTest::qWait(500);
        QVERIFY2(posicao() - a > kTaxa / 4, "the monitor recording does not advance");
    }

    void cleanupTestCase() {
        PararSom();
        for (QProcess* p : {&gravador, &manterVivo}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000)) {
                    p->kill();
                    p->waitForFinished();
                }
            }
        }
    }

    void tocaUmaVezComNomeAparado() {
        const qint64 m = posicao();
        exigirSilencio(m, -0.5, 0);  // nothing before
        TocarSom("  " + som("BobinaParando.wav") + "\t\n", true, false);  // 0.32 s
        QTest::qWait(1200);
        exigirSom(m, 0, 0.6);
        exigirSilencio(m, 0.8, 1.1);  // and it ends by itself
    }

    void lacoSegueAlemDoSeuComprimento() {
        const qint64 m = posicao();
        TocarSom(som("PagandoPouco.wav"), false, false);  // a 1 s loop
        QTest::qWait(3300);
        exigirSomContinuo(m, 0.5, 3.0, 0.25);
        // a missing file leaves it playing
        const qint64 m2 = posicao();
        TocarSom(som("NaoExiste.wav"), true, false);
        QTest::qWait(1300);
        exigirSomContinuo(m2, 0.2, 1.2, 0.25);
        QCOMPARE(SomAtual().arquivo, som("PagandoPouco.wav"));
    }

    void novoSomSubstituiOLaco() {
        TocarSom(som("PagandoMuito.wav"), false, false);
        QTest::qWait(700);
        const qint64 m = posicao();
        TocarSom(som("BobinaParando.wav"), true, false);
        QTest::qWait(1800);
        exigirSom(m, 0, 0.5);
        exigirSilencio(m, 0.8, 1.7);  // the loop did not come back nor go on underneath
        QVERIFY(SomAtual().vazio());
    }

    void pararSomSilenciaOLaco() {
        TocarSom(som("PagandoMuito.wav"), false, false);
        QTest::qWait(1500);
        const qint64 m = posicao();
        PararSom();
        QTest::qWait(1200);
        exigirSomContinuo(m, -1.0, -0.2, 0.2);
        exigirSilencio(m, 0.3, 1.1);
        QVERIFY(SomAtual().vazio());
    }

    void esperarTerminarAguardaOFim() {
        QElapsedTimer t;
        t.start();
        const qint64 m = posicao();
        TocarSom(som("InserindoMoeda.wav"), true, true);  // 0.75 s
        const qint64 ms = t.elapsed();
        const double fim = double(posicao() - m) / kTaxa;
        QVERIFY2(ms >= 600 && ms < 2500, qPrintable(QString::number(ms)));
        QTest::qWait(700);
        exigirSom(m, 0, 0.6);
        exigirSilencio(m, fim + 0.1, fim + 0.6);  // nothing left after it returned
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    const bool filho = argc > 1 && QByteArray(argv[1]) == "--sem-servidor";
    QCoreApplication app(argc, argv);
    if (filho) {
        SemServidor t;
        return QTest::qExec(&t, QStringList{argv[0]});
    }

    int falhas = 0;
    {
        ArquivosDeSom t;
        falhas += QTest::qExec(&t, argc, argv);
    }
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
        const bool terminou = p.waitForFinished(60000);
        if (!terminou)
            p.kill(), p.waitForFinished();
        const QByteArray saida = p.readAll();
        const bool ok = terminou && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
                        t.elapsed() < 30000;
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

#include "teste_som.moc"
