// The WAV reader: only plain PCM of 8 or 16 bits is accepted (the output plays nothing else),
// a header is read by its chunks, not at fixed offsets, and the samples read are the whole
// frames of the data chunk.
#include <QTemporaryDir>
#include <QtTest>

#include "apoio.h"
#include "apoio_som.h"
#include "platform/leitor_wav.h"

using apoio_som::cabecalhoWav;
using apoio_som::gravar;

namespace {

double duracao(const QString& arquivo) {
    const auto w = plataforma::LerCabecalhoWav(arquivo);
    return w ? w->segundos() : -1;
}

}  // namespace

class TestLeitorWav : public QObject {
    Q_OBJECT
private slots:
    void duracaoDoCabecalho() {
        QTemporaryDir dir;
        const QByteArray um = QByteArray(44100 * 2, '\0');  // 1 s of 16-bit mono
        QCOMPARE(duracao(gravar(dir, "ok.wav",
                                cabecalhoWav(1, 1, 44100, 16, um.size()) + "data" +
                                    QByteArray::fromHex("88580100") + um)),
                 1.0);
        // An odd-sized chunk before the data is skipped with its pad byte; a longer fmt too.
        QByteArray comLista = cabecalhoWav(1, 2, 22050, 8, 0, 18) + "LIST" + QByteArray::fromHex("03000000") +
                              "abc" + QByteArray(1, '\0') + "data" + QByteArray::fromHex("44AC0000") +
                              QByteArray(44100, '\0');
        QCOMPARE(duracao(gravar(dir, "lista.wav", comLista)), 1.0);
        // A data size that runs past the end of the file (unfinished recording) counts what is there.
        QCOMPARE(duracao(gravar(dir, "curto.wav",
                                cabecalhoWav(1, 1, 44100, 16, 0) + "data" + QByteArray::fromHex("FFFFFFFF") +
                                    QByteArray(22050 * 2, '\0'))),
                 0.5);

        QVERIFY(duracao(dir.filePath("nao-existe.wav")) < 0);
        QVERIFY(duracao(dir.path()) < 0);
        QVERIFY(duracao(gravar(dir, "texto.wav", "isto não é um som")) < 0);
        QVERIFY(duracao(gravar(dir, "24bits.wav",
                               cabecalhoWav(1, 1, 44100, 24, 300) + "data" + QByteArray::fromHex("2C010000") +
                                   QByteArray(300, '\0'))) < 0);
        QVERIFY(duracao(gravar(dir, "extensivel.wav",
                               cabecalhoWav(0xFFFE, 1, 44100, 16, 300, 40) + "data" +
                                   QByteArray::fromHex("2C010000") + QByteArray(300, '\0'))) < 0);
        QVERIFY(duracao(gravar(dir, "semdados.wav", cabecalhoWav(1, 1, 44100, 16, 0))) < 0);
        QVERIFY(duracao(gravar(dir, "datasemfmt.wav",
                               QByteArray("RIFF") + QByteArray::fromHex("10000000") + "WAVE" + "data" +
                                   QByteArray::fromHex("04000000") + "abcd")) < 0);
    }

    // The samples are the data chunk's bytes as stored, cut to whole frames, whatever lies
    // before or after it; the header's format comes with them.
    void amostrasDoBlocoDeDados() {
        QTemporaryDir dir;
        const QByteArray dados = QByteArray::fromHex("0102030405060708090A");  // 2.5 stereo frames
        const auto som = plataforma::LerWav(
            gravar(dir, "estereo.wav",
                   cabecalhoWav(1, 2, 8000, 16, 0, 18) + "LIST" + QByteArray::fromHex("01000000") + "x" +
                       QByteArray(1, '\0') + "data" + QByteArray::fromHex("0A000000") + dados + "resto"));
        QVERIFY(som);
        QCOMPARE(som->dados, dados.left(8));
        QCOMPARE(som->formato.canais, quint16(2));
        QCOMPARE(som->formato.bits, quint16(16));
        QCOMPARE(som->formato.taxa, quint32(8000));
        QCOMPARE(som->formato.bytes, qint64(8));

        QVERIFY(!plataforma::LerWav(dir.filePath("nao-existe.wav")));
        QVERIFY(!plataforma::LerWav(gravar(dir, "float.wav",
                                           cabecalhoWav(3, 1, 44100, 32, 8) + "data" +
                                               QByteArray::fromHex("08000000") + QByteArray(8, '\0'))));
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QCoreApplication app(argc, argv);
    TestLeitorWav t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_leitor_wav.moc"
