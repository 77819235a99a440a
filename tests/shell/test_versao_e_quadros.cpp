// The version block read back from executables, and the JPEG decoding of damaged pictures.
#include <QBuffer>
#include <QProcess>
#include <QtTest>

#include "apoio.h"
#include "platform/carregar_jpeg.h"
#include "platform/versao.h"
#include "platform/versao_bloco.h"

class TestVersaoEQuadros : public QObject {
    Q_OBJECT
    QTemporaryDir pasta;

    // A copy of /bin/true carrying a version block with the given numbers.
    QString executavelComVersao(quint16 a, quint16 b, quint16 c, quint16 d,
                                quint32 assinatura = plataforma::kAssinatura) {
        const QString bloco = pasta.filePath(QString("bloco-%1.%2.%3.%4").arg(a).arg(b).arg(c).arg(d));
        plataforma::BlocoDeVersao v{assinatura, 0x10000u, (quint32(a) << 16) | b, (quint32(c) << 16) | d};
        QFile f(bloco);
        if (!f.open(QIODevice::WriteOnly)) return {};
        f.write(reinterpret_cast<const char*>(&v), sizeof v);
        f.close();
        const QString saida = bloco + ".exe";
        const int rc = QProcess::execute(
            "objcopy",
            {"--add-section", QString(TREVOLINO_SECAO_DA_VERSAO) + "=" + bloco, "/bin/true", saida});
        return rc == 0 ? saida : QString();
    }

private slots:
    void versaoDeVariosBlocos() {
        const QString v3 = executavelComVersao(3, 5, 1, 1);
        QVERIFY(!v3.isEmpty());
        QCOMPARE(plataforma::LerVersaoDoArquivo(v3), QString("3.5.1.1"));
        QCOMPARE(plataforma::LerVersaoDoArquivo(executavelComVersao(10, 0, 2, 7)), QString("10.0.2.7"));
        QCOMPARE(plataforma::LerVersaoDoArquivo(executavelComVersao(65535, 0, 0, 65535)),
                 QString("65535.0.0.65535"));
        // No block, a wrong signature, a file that is no executable, a missing file: "Padrão".
        const QString padrao = QString::fromUtf8("Padrão");
        QCOMPARE(plataforma::LerVersaoDoArquivo("/bin/true"), padrao);
        QCOMPARE(plataforma::LerVersaoDoArquivo(executavelComVersao(1, 2, 3, 4, 0x12345678)), padrao);
        QFile lixo(pasta.filePath("lixo"));
        QVERIFY(lixo.open(QIODevice::WriteOnly));
        lixo.write(QByteArray("\x7f"
                              "ELF\x02\x01") +
                   QByteArray(200, '\xff'));
        lixo.close();
        QCOMPARE(plataforma::LerVersaoDoArquivo(lixo.fileName()), padrao);
        QCOMPARE(plataforma::LerVersaoDoArquivo(pasta.filePath("nao-existe")), padrao);
        // The test program itself carries no block.
        QCOMPARE(uRotinasGerais::ObterVersaoDoExecutavel(), padrao);
    }

    void oJogoCarregaSuaVersao() {
        const QString jogo = QString(TREVOLINO_PROGRAM_DIR) + "/trevolino";
        if (!QFile::exists(jogo)) QSKIP("the game is not built in this tree");
        QCOMPARE(plataforma::LerVersaoDoArquivo(jogo), QString("3.5.1.1"));
    }

    void quadrosDanificadosNuncaDerrubam() {
        QImage bom(140, 92, QImage::Format_RGB32);
        bom.fill(QColor(200, 30, 30));
        QByteArray jpg;
        QBuffer buf(&jpg);
        buf.open(QIODevice::WriteOnly);
        QVERIFY(bom.save(&buf, "JPEG", 90));
        QImage lido = plataforma::DecodificarJpeg(jpg);
        QCOMPARE(lido.size(), QSize(140, 92));
        QVERIFY(qAbs(lido.pixelColor(70, 46).red() - 200) < 8);

        QByteArray png;
        QBuffer bufPng(&png);
        bufPng.open(QIODevice::WriteOnly);
        QVERIFY(bom.save(&bufPng, "PNG"));

        QByteArray aleatorio(4096, 0);
        quint32 x = 12345;
        for (char& c : aleatorio) c = char((x = x * 1103515245u + 12345u) >> 24);

        QVERIFY(plataforma::DecodificarJpeg(QByteArray()).isNull());
        QVERIFY(plataforma::DecodificarJpeg(jpg.left(jpg.size() / 2)).isNull());  // truncated
        QVERIFY(plataforma::DecodificarJpeg(jpg.left(3)).isNull());
        QVERIFY(plataforma::DecodificarJpeg(aleatorio).isNull());
        QVERIFY(plataforma::DecodificarJpeg(png).isNull());  // a PNG renamed .jpg
        QVERIFY(plataforma::DecodificarJpeg(QByteArray(1, '\xff') + jpg).isNull());
        QVERIFY(plataforma::CarregarJpeg(pasta.filePath("nao-existe.jpg")).isNull());
        QVERIFY(plataforma::CarregarJpeg(pasta.path()).isNull());  // a folder

        // A header that claims an enormous picture is refused before any pixel is allocated.
        QByteArray enorme = jpg;
        const int sof = enorme.indexOf("\xff\xc0");
        QVERIFY(sof > 0);
        enorme[sof + 5] = char(0xff);  // height 65,535
        enorme[sof + 6] = char(0xff);
        enorme[sof + 7] = char(0xff);  // width 65,535
        enorme[sof + 8] = char(0xff);
        QVERIFY(plataforma::DecodificarJpeg(enorme).isNull());
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QCoreApplication app(argc, argv);
    TestVersaoEQuadros t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_versao_e_quadros.moc"
