// Shared support of the sound tests: WAV files written to order, and a recording of the
// default sink's monitor whose loudness over time shows when a sound plays, that a loop goes on,
// that a new sound replaces it and that a stop silences it. The recording needs the private
// PulseAudio server that scripts/executar_testes.sh starts; tests using it carry the label "som"
// and run on their own, as any other sound played meanwhile would be heard in them.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QVector>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace apoio_som {

// The header of a WAV up to (not including) its "data" chunk.
inline QByteArray cabecalhoWav(quint16 tag, quint16 canais, quint32 taxa, quint16 bits, quint32 dados,
                               quint16 tamanhoFmt = 16) {
    QByteArray b;
    auto u32 = [&b](quint32 v) {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
    };
    auto u16 = [&b](quint16 v) {
        char c[2];
        qToLittleEndian(v, c);
        b.append(c, 2);
    };
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

inline QString gravar(const QTemporaryDir& dir, const QString& nome, const QByteArray& conteudo) {
    const QString caminho = dir.filePath(nome);
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(conteudo) != conteudo.size())
        qFatal("cannot write %s", qPrintable(caminho));
    return caminho;
}

// An 8-bit mono WAV of `segundos` at 22,050 Hz: a 440 Hz tone of `amplitude` around the unsigned
// midpoint, 128 (an amplitude of 0 is silence).
inline QString wavOitoBits(const QTemporaryDir& dir, const QString& nome, double segundos, int amplitude) {
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

inline bool executar(const QString& programa, const QStringList& args, QByteArray* saida = nullptr) {
    QProcess p;
    p.start(programa, args);
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    if (saida) *saida = p.readAllStandardOutput().trimmed();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Waits up to `limiteMs` for the server to list (or no longer list) a stream of the game.
inline bool esperarFluxoDoJogo(bool presente, int limiteMs) {
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

// An audio server address where none answers.
inline constexpr char kSemServidor[] = "unix:/nonexistent/trevolino/native";

// Runs this test program again with `argumentos`, pointed at no audio server; empty when it
// ended on its own within `limiteMs` and succeeded, otherwise what went wrong and what it printed.
inline QString executarSemServidor(const QStringList& argumentos, int limiteMs) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", kSemServidor);
    env.remove("PULSE_RUNTIME_PATH");
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QCoreApplication::applicationFilePath(), argumentos);
    if (!p.waitForFinished(limiteMs)) {
        p.kill();
        p.waitForFinished();
        return QString("still running after %1 ms:\n%2").arg(limiteMs).arg(QString::fromLocal8Bit(p.readAll()));
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString("failed (exit %1):\n%2").arg(p.exitCode()).arg(QString::fromLocal8Bit(p.readAll()));
    return {};
}

// True when the test run asked for the private server: only then may sounds be played on the
// default sink (a developer's own server would play them on the speakers).
inline bool servidorPrivadoPedido() { return qgetenv("TREVOLINO_TEST_PULSE") == "1"; }

class MonitorDoSink {
public:
    static constexpr int kTaxa = 44100;

    ~MonitorDoSink() { parar(); }

    // Starts recording the default sink's monitor; the reason when it cannot.
    QString iniciar() {
        QByteArray sink;
        if (!executar("pactl", {"info"}) || !executar("pactl", {"get-default-sink"}, &sink) || sink.isEmpty())
            return "TREVOLINO_TEST_PULSE=1 but no PulseAudio server answers";
        gravacao = dir.filePath("monitor.raw");
        // A silent stream keeps the sink's clock running while nothing plays.
        manterVivo.setStandardInputFile("/dev/zero");
        manterVivo.start("pacat", {"--latency-msec=20", "--device=" + sink});
        gravador.setStandardOutputFile(gravacao);
        gravador.start("parec", {"--latency-msec=20", "--device=" + sink + ".monitor", "--format=s16le",
                                 "--rate=44100", "--channels=1"});
        if (!gravador.waitForStarted(5000)) return "parec did not start";
        // The first moments of a new recording are lost; wait until it flows steadily.
        QTest::qWait(2500);
        const qint64 a = posicao();
        QTest::qWait(500);
        if (posicao() - a <= kTaxa / 4) return "the monitor recording does not advance";
        if (esperarSilencio(posicao(), 2000, 0.5) < 0) return "the sink is not silent to begin with";
        return {};
    }

    void parar() {
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

    // Samples recorded so far: the file grows in real time.
    qint64 posicao() const { return QFileInfo(gravacao).size() / 2; }

    // Start of the first loud window after `desde`, or -1 if none comes within `limiteMs`.
    // The machine may be busy (the tests share it), so nothing assumes when a sound reaches the
    // sink: the recording is watched for the moments sound begins and ends.
    qint64 esperarSom(qint64 desde, int limiteMs) const {
        QElapsedTimer t;
        t.start();
        qint64 a = desde;
        while (t.elapsed() < limiteMs) {
            for (; a + kJanela <= posicao(); a += kJanela)
                if (rmsJanela(a) > kSom) return a;
            QTest::qWait(50);
        }
        return -1;
    }

    // Start of the first stretch of `segundos` of silence after `desde`, waiting up to
    // `limiteMs` for it to begin; -1 if the sound never stops.
    qint64 esperarSilencio(qint64 desde, int limiteMs, double segundos = 1.0) const {
        QElapsedTimer t;
        t.start();
        qint64 a = desde, quieto = desde;
        while (t.elapsed() < limiteMs + int(segundos * 1000)) {
            for (; a + kJanela <= posicao(); a += kJanela) {
                if (rmsJanela(a) >= kSilencio) {
                    quieto = a + kJanela;
                    if (t.elapsed() > limiteMs) return -1;
                } else if (a + kJanela - quieto >= qint64(segundos * kTaxa)) {
                    return quieto;
                }
            }
            QTest::qWait(50);
        }
        return -1;
    }

    // Empty when every stretch of `passo` seconds from `de` for `segundos` holds sound;
    // otherwise where it fell silent.
    QString somContinuo(qint64 de, double segundos, double passo = 0.25) const {
        while (posicao() < de + qint64(segundos * kTaxa)) QTest::qWait(50);
        for (qint64 a = de; a + qint64(passo * kTaxa) <= de + qint64(segundos * kTaxa);
             a += qint64(passo * kTaxa)) {
            double maior = 0;
            for (qint64 j = a; j + kJanela <= a + qint64(passo * kTaxa); j += kJanela)
                maior = std::max(maior, rmsJanela(j));
            if (maior <= kSom) return QString("silent %1 s after the start").arg(double(a - de) / kTaxa);
        }
        return {};
    }

    static double segundos(qint64 amostras) { return double(amostras) / kTaxa; }

private:
    static constexpr double kSom = 300, kSilencio = 30;
    static constexpr qint64 kJanela = kTaxa / 20;  // 50 ms

    QVector<qint16> trecho(qint64 de, qint64 ate) const {
        QFile f(gravacao);
        QVector<qint16> v;
        if (!f.open(QIODevice::ReadOnly) || !f.seek(de * 2)) return v;
        const QByteArray b = f.read((ate - de) * 2);
        for (qsizetype i = 0; i + 1 < b.size(); i += 2)
            v.append(qFromLittleEndian<qint16>(b.constData() + i));
        return v;
    }

    double rmsJanela(qint64 a) const {
        const QVector<qint16> t = trecho(a, a + kJanela);
        double s = 0;
        for (qint16 x : t) s += double(x) * x;
        return t.isEmpty() ? 0 : std::sqrt(s / t.size());
    }

    QTemporaryDir dir;
    QString gravacao;
    QProcess gravador, manterVivo;
};

}  // namespace apoio_som
