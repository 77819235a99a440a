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
#include <QThread>
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

    // Only plain PCM of 8 or 16 bits is accepted (the layer plays nothing else); a header is
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
        QVERIFY(DuracaoDoSom(gravar(dir, "texto.wav", "isto não é um som")) < 0);
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

    // The machine may be busy (the tests share it), so nothing here assumes when a sound
    // reaches the sink: the recording is watched for the moments sound begins and ends.
    static constexpr double kSom = 300, kSilencio = 30;
    static constexpr qint64 kJanela = kTaxa / 20;  // 50 ms

    double rmsJanela(qint64 a) const {
        const QVector<qint16> t = trecho(a, a + kJanela);
        double s = 0;
        for (qint16 x : t)
            s += double(x) * x;
        return t.isEmpty() ? 0 : std::sqrt(s / t.size());
    }

    // Start of the first loud window after `desde`, or -1 if none comes within `limiteMs`.
    qint64 esperarSom(qint64 desde, int limiteMs) {
        QElapsedTimer t;
        t.start();
        qint64 a = desde;
        while (t.elapsed() < limiteMs) {
            for (; a + kJanela <= posicao(); a += kJanela)
                if (rmsJanela(a) > kSom)
                    return a;
            QTest::qWait(50);
        }
        return -1;
    }

    // Start of the first stretch of `segundos` of silence after `desde`, waiting up to
    // `limiteMs` for it to begin; -1 if the sound never stops.
    qint64 esperarSilencio(qint64 desde, int limiteMs, double segundos = 1.0) {
        QElapsedTimer t;
        t.start();
        qint64 a = desde, quieto = desde;
        while (t.elapsed() < limiteMs + int(segundos * 1000)) {
            for (; a + kJanela <= posicao(); a += kJanela) {
                if (rmsJanela(a) >= kSilencio) {
                    quieto = a + kJanela;
                    if (t.elapsed() > limiteMs)
                        return -1;
                } else if (a + kJanela - quieto >= qint64(segundos * kTaxa)) {
                    return quieto;
                }
            }
            QTest::qWait(50);
        }
        return -1;
    }

    // Every stretch of `passo` seconds from `de` for `segundos` holds sound.
    void exigirSomContinuo(qint64 de, double segundos, double passo = 0.25) {
        while (posicao() < de + qint64(segundos * kTaxa))
            QTest::qWait(50);
        for (qint64 a = de; a + qint64(passo * kTaxa) <= de + qint64(segundos * kTaxa);
             a += qint64(passo * kTaxa)) {
            double maior = 0;
            for (qint64 j = a; j + kJanela <= a + qint64(passo * kTaxa); j += kJanela)
                maior = std::max(maior, rmsJanela(j));
            QVERIFY2(maior > kSom, qPrintable(QString("silent %1 s after the start")
                                                  .arg(double(a - de) / kTaxa)));
        }
    }

    static double segundos(qint64 amostras) { return double(amostras) / kTaxa; }

public:
    // Waits up to `limiteMs` for the server to list (or no longer list) a stream of the game.
    static bool esperarFluxoDoJogo(bool presente, int limiteMs) {
        QElapsedTimer t;
        t.start();
        do {
            QByteArray lista;
            if (executar("pactl", {"list", "sink-inputs"}, &lista) &&
                lista.contains("application.name = \"Trevolino\"") == presente)
                return true;
            QTest::qWait(100);
        } while (t.elapsed() < limiteMs);
        return false;
    }

    // An 8-bit mono WAV of `segundos` at 22,050 Hz: a 440 Hz tone of `amplitude` around the
    // unsigned midpoint, 128 (an amplitude of 0 is silence).
    QString wavOitoBits(const QString& nome, double segundos, int amplitude) {
        const quint32 n = quint32(22050 * segundos);
        QByteArray b = cabecalhoWav(1, 1, 22050, 8, n);
        b.append("data");
        char c[4];
        qToLittleEndian(n, c);
        b.append(c, 4);
        for (quint32 i = 0; i < n; ++i)
            b.append(char(128 + int(std::lround(amplitude * std::sin(2 * M_PI * 440 * i / 22050.0)))));
        return gravar(dir, nome, b);
    }

private slots:
    void initTestCase() {
        // Only against the private server that scripts/executar_testes.sh starts (it sets
        // TREVOLINO_TEST_PULSE=1): a developer's own server would play these on the speakers.
        // Once asked for, a missing server is a failure, never a silent skip.
        if (qgetenv("TREVOLINO_TEST_PULSE") != "1")
            QSKIP("no private PulseAudio server (scripts/executar_testes.sh starts one)");
        QByteArray sink;
        if (!executar("pactl", {"info"}) || !executar("pactl", {"get-default-sink"}, &sink) ||
            sink.isEmpty())
            QFAIL("TREVOLINO_TEST_PULSE=1 but no PulseAudio server answers");
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
        QVERIFY2(esperarSilencio(posicao(), 2000, 0.5) >= 0, "the sink is not silent to begin with");
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
        TocarSom("  " + som("BobinaParando.wav") + "\t\n", true, false);  // 0.32 s
        const qint64 inicio = esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        const qint64 fim = esperarSilencio(inicio, 3000);
        QVERIFY2(fim >= 0, "it did not end by itself");
        QVERIFY2(segundos(fim - inicio) < 0.6, qPrintable(QString::number(segundos(fim - inicio))));
    }

    void lacoSegueAteSerSubstituido() {
        const qint64 m = posicao();
        TocarSom(som("PagandoPouco.wav"), false, false);  // a 1 s loop
        const qint64 inicio = esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        exigirSomContinuo(inicio, 3.0);  // three times its own length
        if (QTest::currentTestFailed())
            return;
        // a missing file leaves it playing
        TocarSom(som("NaoExiste.wav"), true, false);
        exigirSomContinuo(posicao(), 1.0);
        QCOMPARE(SomAtual().arquivo, som("PagandoPouco.wav"));
        // a new single sound takes its place, and after it comes silence, not the loop
        TocarSom(som("BobinaParando.wav"), true, false);
        QVERIFY2(esperarSilencio(posicao(), 3000) >= 0, "the loop goes on");
        QVERIFY(SomAtual().vazio());
    }

    // A new sound asked for while the previous one is still being set up wins: the loop must
    // not start behind it. A fresh copy makes sure the loop's file was never read before.
    void novoSomDuranteOCarregamento() {
        const QString copia = dir.filePath("laco-novo.wav");
        QVERIFY(QFile::copy(som("PagandoMuito.wav"), copia));
        const qint64 m = posicao();
        TocarSom(copia, false, false);
        TocarSom(som("BobinaParando.wav"), true, false);
        const qint64 inicio = esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        QVERIFY2(esperarSilencio(inicio, 3000, 1.5) >= 0, "the loop started after all");
    }

    void pararSomSilenciaOLaco() {
        const qint64 m = posicao();
        TocarSom(som("PagandoMuito.wav"), false, false);
        const qint64 inicio = esperarSom(m, 5000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        exigirSomContinuo(inicio, 1.5);
        PararSom();
        QVERIFY2(esperarSilencio(posicao(), 1000) >= 0, "PararSom left it sounding");
        QVERIFY(SomAtual().vazio());
    }

    // 8-bit samples are unsigned: a file of 128s is silence, not a full-scale offset.
    void oitoBitsSemSinal() {
        qint64 m = posicao();
        TocarSom(wavOitoBits("silencio8.wav", 0.8, 0), true, false);
        QVERIFY2(esperarSom(m, 1500) < 0, "an 8-bit silence was heard");
        m = posicao();
        TocarSom(wavOitoBits("tom8.wav", 0.8, 100), true, false);
        QVERIFY2(esperarSom(m, 5000) >= 0, "an 8-bit tone was not heard");
        QVERIFY(esperarSilencio(posicao(), 3000) >= 0);
    }

    // A played-out sound leaves no stream behind on the server (it would keep waking the idle
    // game asking for more), and neither does a stopped loop, nor one stopped before the server
    // had even set it up.
    void nenhumFluxoDepoisDoFim() {
        TocarSom(som("PagandoMuito.wav"), false, false);
        PararSom();
        QVERIFY2(esperarFluxoDoJogo(false, 3000), "a stream given up while being set up stayed");
        TocarSom(som("BobinaParando.wav"), true, true);
        QVERIFY2(esperarFluxoDoJogo(false, 3000), "a finished sound's stream is still there");
        TocarSom(som("PagandoPouco.wav"), false, false);
        QVERIFY2(esperarFluxoDoJogo(true, 3000), "the loop has no stream");
        PararSom();
        QVERIFY2(esperarFluxoDoJogo(false, 3000), "a stopped loop's stream is still there");
    }

    // A sound asked for while no server answers is silent; once the server is there, the next
    // sound is played through a new connection. Run in a child process, whose first
    // connection is pointed at a server that does not exist.
    void reconectaDepoisDeFalhar() {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QCoreApplication::applicationFilePath(), {"--reconectar", som("PagandoPouco.wav")});
        QVERIFY(p.waitForFinished(20000));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAll().constData());
    }

    void esperarTerminarAguardaOFim() {
        const qint64 m = posicao();
        QElapsedTimer t;
        t.start();
        TocarSom(som("InserindoMoeda.wav"), true, true);  // 0.75 s
        const qint64 ms = t.elapsed();
        QVERIFY2(ms >= 500 && ms < 5000, qPrintable(QString::number(ms)));
        const qint64 inicio = esperarSom(m, 3000);
        QVERIFY2(inicio >= 0, "nothing was heard");
        QVERIFY(esperarSilencio(inicio, 3000) >= 0);
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    const bool filho = argc > 1 && QByteArray(argv[1]) == "--sem-servidor";
    if (argc > 3 && QByteArray(argv[1]) == "--sair-carregando") {
        // Ends while the sound is still being started: the process must not hang on its way out.
        QCoreApplication app(argc, argv);
        TocarSom(QString::fromLocal8Bit(argv[2]), false, false);
        // the connection and the stream are set up on the sound thread; leave at varying moments
        QThread::usleep(QByteArray(argv[3]).toUInt());
        return 0;
    }
    if (argc > 2 && QByteArray(argv[1]) == "--reconectar") {
        QCoreApplication app(argc, argv);
        const QByteArray servidor = qgetenv("PULSE_SERVER");
        const QString laco = QString::fromLocal8Bit(argv[2]);
        qputenv("PULSE_SERVER", "unix:/nonexistent/trevolino/native");
        TocarSom(laco, false, false);
        QTest::qWait(500);
        if (servidor.isEmpty())
            qunsetenv("PULSE_SERVER");
        else
            qputenv("PULSE_SERVER", servidor);
        TocarSom(laco, false, false);
        const bool ouvido = SomComServidor::esperarFluxoDoJogo(true, 5000);
        PararSom();
        if (!ouvido)
            fprintf(stderr, "no stream of the game reached the server after it came back\n");
        return ouvido ? 0 : 1;
    }
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
        const bool terminou = p.waitForFinished(30000);
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
        // End the process at varying moments of a sound's start (file read, connection, stream
        // set-up): it must never hang or crash on its way out.
        QTemporaryDir dir;
        int travados = 0;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 12; ++i) {
            const QString copia = dir.filePath(QString("ganhou%1.wav").arg(i));
            QFile::copy(som("Ganhou.wav"), copia);
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("PULSE_SERVER", "unix:/nonexistent/trevolino/native");
            p.setProcessEnvironment(env);
            p.start(QCoreApplication::applicationFilePath(),
                    {"--sair-carregando", copia, QString::number(i * 250)});
            if (!p.waitForFinished(10000)) {
                ++travados;
                p.kill();
                p.waitForFinished();
            } else if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
                ++travados;
            }
        }
        if (travados) {
            fprintf(stderr, "FAIL: %d of 12 processes hung or crashed ending during a load\n", travados);
            ++falhas;
        } else {
            printf("PASS: 12 processes ended cleanly during a load, in %lld ms\n", (long long)t.elapsed());
        }
    }
    {
        SomComServidor t;
        falhas += QTest::qExec(&t, argc, argv);
    }
    return falhas ? 1 : 0;
}

#include "teste_som.moc"
