// The sounds gerar_sons.py synthesises at build time: format, length, level and clicks read from
// their samples with a reading of our own (independent of the game's WAV reader), byte-for-byte
// repeatable output, and a loud failure for a name it has no synthesis for.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "apoio.h"
#include "shell/som.h"
#include "shell/sons_do_jogo.h"

using namespace uRotinasGerais;

namespace {

QString som(const QString& nome) { return QStringLiteral(TREVOLINO_PROGRAM_DIR "/Som/") + nome; }

const QString kGerador = QStringLiteral(TREVOLINO_SOURCE_DIR "/tools/sons/gerar_sons.py");

struct Wav {
    bool ok = false;
    int tag = 0, canais = 0, bits = 0, taxa = 0;
    QVector<qint16> amostras;  // first channel
};

Wav lerWav(const QString& caminho) {
    Wav w;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return w;
    const QByteArray b = f.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") return w;
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
            if (p + 8 + quadros * 2 * w.canais > b.size()) return w;
            for (qsizetype i = 0; i < quadros; ++i)
                w.amostras.append(qFromLittleEndian<qint16>(d + i * 2 * w.canais));
            w.ok = true;
            return w;
        }
        p += 8 + n + (n & 1);
    }
    return w;
}

int gerar(const QString& pasta, const QStringList& nomes, QByteArray* erros = nullptr) {
    QProcess p;
    p.start("/usr/bin/python3", QStringList{kGerador, pasta} + nomes);
    if (!p.waitForFinished(60000)) return -1;
    if (erros) *erros = p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace

class TestSons : public QObject {
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
        QCOMPARE(apresentacao::DuracaoDoSom(som(nome)), segundos);

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
    // It is asked for the table's files, as the build asks, and makes those and nothing else.
    void geradorDeterministico() {
        if (!QFile::exists("/usr/bin/python3")) QSKIP("no /usr/bin/python3");
        QStringList nomes;
        for (const auto& s : apresentacao::kSonsDosEventos)
            if (*s.arquivo) nomes << QString::fromLatin1(s.arquivo);
        QTemporaryDir dir;
        QCOMPARE(gerar(dir.path(), nomes), 0);
        nomes.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), nomes);
        for (const QString& nome : nomes) {
            QFile a(dir.filePath(nome)), b(som(nome));
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(nome));
        }
    }

    // A name it cannot make fails the build, naming the file, and nothing is written.
    void nomeSemSinteseFalha() {
        if (!QFile::exists("/usr/bin/python3")) QSKIP("no /usr/bin/python3");
        QTemporaryDir dir;
        QByteArray erros;
        QVERIFY(gerar(dir.filePath("Som"), {"BobinaParando.wav", "Apito.wav"}, &erros) > 0);
        QVERIFY2(erros.contains("Apito.wav"), erros.constData());
        QVERIFY(!QFileInfo::exists(dir.filePath("Som/BobinaParando.wav")));
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QCoreApplication app(argc, argv);
    TestSons t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_sons.moc"
