// The cabinet window's composition and its shutdown.
#include <QBuffer>
#include <QDesktopServices>
#include <QDirIterator>
#include <QLabel>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

#include "controls/DsFancyButton.h"
#include "controls/ImageShape.h"
#include "apoio.h"
#include "platform/imagem_embutida.h"
#include "shell/imagens.h"
#include "shell/uPrincipal.h"

namespace {
struct Controle {
    const char* nome;
    const char* classe;
    QRect geometria;
};
// Painting order, positions and sizes of every visible control.
const Controle kControles[] = {
    {"imgChassisFundo", "TImageShape", {0, 0, 800, 600}},
    {"spdSair", "TDsFancyButton", {128, 229, 65, 30}},
    {"imgC1", "Figura", {470, 292, 140, 92}},
    {"imgB1", "Figura", {330, 292, 140, 92}},
    {"imgA1", "Figura", {190, 292, 140, 92}},
    {"imgA2", "Figura", {190, 384, 140, 92}},
    {"imgB2", "Figura", {330, 384, 140, 92}},
    {"imgC2", "Figura", {470, 384, 140, 92}},
    {"imgC3", "Figura", {470, 476, 140, 92}},
    {"imgB3", "Figura", {330, 476, 140, 92}},
    {"imgA3", "Figura", {190, 476, 140, 92}},
    {"spdGirar", "TDsFancyButton", {621, 509, 156, 60}},
    {"imgBarraVertical02", "Figura", {321, 292, 18, 276}},
    {"imgBarraVertical03", "Figura", {461, 292, 18, 276}},
    {"imgBarraVertical04", "Figura", {601, 292, 18, 276}},
    {"imgBarraVertical01", "Figura", {181, 292, 18, 276}},
    {"lblCredito", "QLabel", {526, 200, 224, 28}},
    {"lblAposta", "QLabel", {526, 232, 224, 28}},
    {"spdApostar01", "TDsFancyButton", {621, 293, 156, 60}},
    {"imgBarraHorizontal01", "Figura", {181, 277, 438, 18}},
    {"imgBarraHorizontal02", "Figura", {181, 564, 438, 18}},
    {"spdApostar10", "TDsFancyButton", {621, 423, 156, 60}},
    {"Shape1", "Forma", {199, 429, 402, 2}},
    {"spdApostar05", "TDsFancyButton", {621, 358, 156, 60}},
    {"imgPainelPontuacao", "Figura", {23, 279, 158, 302}},
    {"shpLuz01", "Forma", {33, 237, 24, 24}},
    {"shpLuz02", "Forma", {45, 201, 24, 24}},
    {"shpLuz03", "Forma", {64, 169, 24, 24}},
    {"shpLuz04", "Forma", {87, 139, 24, 24}},
    {"shpLuz05", "Forma", {115, 113, 24, 24}},
    {"shpLuz06", "Forma", {144, 91, 24, 24}},
    {"shpLuz07", "Forma", {176, 73, 24, 24}},
    {"shpLuz08", "Forma", {614, 80, 24, 24}},
    {"shpLuz09", "Forma", {640, 98, 24, 24}},
    {"shpLuz10", "Forma", {666, 120, 24, 24}},
    {"shpLuz11", "Forma", {690, 144, 24, 24}},
    {"shpLuz12", "Forma", {711, 171, 24, 24}},
    {"lblMensagem", "QLabel", {526, 168, 159, 28}},
    {"imgOlho", "Figura", {368, 110, 21, 25}},
    {"lblWebSite", "QLabel", {148, 131, 177, 13}},
};
}  // namespace

// Stands in for the desktop's browser: records what the game asks to open.
class ReceptorDeEnderecos : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
    bool esperaVisivel = false;
    Q_INVOKABLE void abrir(const QUrl& u) {
        urls << u;
        esperaVisivel = QApplication::overrideCursor() != nullptr;
    }
};

class TestJanela : public QObject {
    Q_OBJECT
private slots:
    void composicaoNaOrdemDePintura() {
        TfrmPrincipal w(nullptr, false);
        QList<QWidget*> filhos;
        for (QObject* o : w.children())
            if (auto* c = qobject_cast<QWidget*>(o)) filhos << c;
        QCOMPARE(filhos.size(), int(std::size(kControles)));
        for (int i = 0; i < filhos.size(); ++i) {
            QCOMPARE(filhos[i]->objectName(), QString(kControles[i].nome));
            QCOMPARE(QString(filhos[i]->metaObject()->className()), QString(kControles[i].classe));
            QCOMPARE(filhos[i]->geometry(), kControles[i].geometria);
        }
        QCOMPARE(w.size(), QSize(800, 600));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w.windowTitle(), QString("Trevolino"));
    }

    void botoesRotulosETemporizadores() {
        TfrmPrincipal w(nullptr, false);
        struct B {
            TDsFancyButton* b;
            const char* rotulo;
            QColor hover;
            int pixels;
            bool negrito;
        };
        const B botoes[] = {
            {apoio::controle<TDsFancyButton>(&w, "spdSair"), "Sair", QColor(0, 0, 255), 16, true},
            {apoio::controle<TDsFancyButton>(&w, "spdGirar"), "Girar", QColor(255, 0, 0), 21, false},
            {apoio::controle<TDsFancyButton>(&w, "spdApostar01"), "Apostar 1", QColor(255, 0, 0), 21, false},
            {apoio::controle<TDsFancyButton>(&w, "spdApostar05"), "Apostar 5", QColor(255, 0, 0), 21, false},
            {apoio::controle<TDsFancyButton>(&w, "spdApostar10"), "Apostar 10", QColor(255, 0, 0), 21,
             false}};
        for (const auto& b : botoes) {
            QCOMPARE(b.b->Caption(), QString(b.rotulo));
            QCOMPARE(b.b->FancyEffects()->HoverColor(), b.hover);
            QCOMPARE(b.b->font().pixelSize(), b.pixels);
            QCOMPARE(b.b->font().bold(), b.negrito);
            QCOMPARE(b.b->Color(), QColor(192, 192, 192));
            QCOMPARE(b.b->FancyEffects()->Shape(), btnCapsule);
            QCOMPARE(b.b->FancyEffects()->FrameWidth(), 14);
            QCOMPARE(b.b->FancyEffects()->TextStyle(), txShadowed);
            QVERIFY(!b.b->isEnabled());
        }
        for (QLabel* l : {apoio::controle<QLabel>(&w, "lblCredito"), apoio::controle<QLabel>(&w, "lblAposta"),
                          apoio::controle<QLabel>(&w, "lblMensagem")}) {
            QCOMPARE(l->font().family(), QString("LCDMono2"));
            QCOMPARE(l->font().pixelSize(), 24);
            QVERIFY(l->font().bold());
            QCOMPARE(l->palette().color(QPalette::Window), QColor(Qt::black));
        }
        QCOMPARE(apoio::controle<QLabel>(&w, "lblCredito")->palette().color(QPalette::WindowText),
                 QColor(0, 255, 0));
        QCOMPARE(apoio::controle<QLabel>(&w, "lblMensagem")->palette().color(QPalette::WindowText),
                 QColor(255, 255, 0));
        QCOMPARE(apoio::controle<QLabel>(&w, "lblCredito")->text(), QString("Credito"));
        QCOMPARE(apoio::controle<QLabel>(&w, "lblAposta")->text(), QString("Aposta"));
        QVERIFY(apoio::controle<QLabel>(&w, "lblMensagem")->text().isEmpty());
        QVERIFY(apoio::controle<QLabel>(&w, "lblWebSite")->font().underline());
        QCOMPARE(apoio::controle<QLabel>(&w, "lblWebSite")->palette().color(QPalette::WindowText),
                 QColor(128, 0, 0));
        for (QTimer* t :
             {apoio::controle<QTimer>(&w, "timBobina1"), apoio::controle<QTimer>(&w, "timBobina2"),
              apoio::controle<QTimer>(&w, "timBobina3")}) {
            QCOMPARE(t->interval(), 10);
            QCOMPARE(t->timerType(), Qt::PreciseTimer);
            QVERIFY(!t->isActive());
        }
        QCOMPARE(apoio::controle<QTimer>(&w, "timFinal")->interval(), 1000);
        QCOMPARE(apoio::controle<QTimer>(&w, "timLuzesMensagem")->interval(), 500);
        QVERIFY(!apoio::controle<QTimer>(&w, "timFinal")->isActive() &&
                !apoio::controle<QTimer>(&w, "timLuzesMensagem")->isActive());
        for (Forma* luz : w.findChildren<Forma*>(QRegularExpression("^shpLuz")))
            QCOMPARE(luz->CorDoPincel(), QColor(Qt::white));
        // The form pictures arrive decoded.
        QCOMPARE(apoio::controle<Figura>(&w, "imgBarraVertical01")->Imagem().size(), QSize(18, 276));
        QCOMPARE(apoio::controle<Figura>(&w, "imgBarraHorizontal02")->Imagem().size(), QSize(438, 18));
        QCOMPARE(apoio::controle<Figura>(&w, "imgPainelPontuacao")->Imagem().size(), QSize(158, 302));
        QCOMPARE(apoio::controle<TImageShape>(&w, "imgChassisFundo")->Picture().size(), QSize(800, 600));
        // Every BMP the game ships comes out in the colours Qt's own reader gives it; a cut file,
        // not at all.
        QStringList bmps;
        for (const QString& raiz : {QStringLiteral(":/"), QStringLiteral(TREVOLINO_PROGRAM_DIR)}) {
            QDirIterator it(raiz, {QStringLiteral("*.bmp")}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) bmps << it.next();
        }
        QVERIFY(bmps.contains(QStringLiteral(":/form/ChassisFundo.bmp")));
        for (const QString& caminho : bmps) {
            QFile bmp(caminho);
            QVERIFY(bmp.open(QIODevice::ReadOnly));
            const QByteArray dados = bmp.readAll();
            const QImage doQt = QImage::fromData(dados, "BMP").convertToFormat(QImage::Format_RGB32);
            QVERIFY2(!doQt.isNull(), qPrintable(caminho));
            QCOMPARE(plataforma::LerBmpDe256Cores(dados), doQt);
            QVERIFY(plataforma::LerBmpDe256Cores(dados.left(dados.size() - 1)).isNull());
        }
        // A short colour table (still 8 bits a pixel) and padded rows, stored bottom up and then top
        // down; a 16-colour file is not that kind.
        QImage pequena(3, 2, QImage::Format_Indexed8);
        for (int i = 0; i < 20; ++i) pequena.setColor(i, qRgb(12 * i, 255 - i, 7 * i % 256));
        for (int i = 0; i < 6; ++i) pequena.setPixel(i % 3, i / 3, uint(3 * i));
        QByteArray arquivo;
        QBuffer buffer(&arquivo);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && pequena.save(&buffer, "BMP"));
        QCOMPARE(plataforma::LerBmpDe256Cores(arquivo), pequena.convertToFormat(QImage::Format_RGB32));
        const qint32 altura = -2;
        const qsizetype inicio = qFromLittleEndian<quint32>(arquivo.constData() + 10);
        QByteArray deCimaParaBaixo = arquivo;
        qToLittleEndian(altura, deCimaParaBaixo.data() + 22);
        deCimaParaBaixo.replace(inicio, 4, arquivo.mid(inicio + 4, 4))
            .replace(inicio + 4, 4, arquivo.mid(inicio, 4));
        QCOMPARE(plataforma::LerBmpDe256Cores(deCimaParaBaixo),
                 pequena.convertToFormat(QImage::Format_RGB32));
        pequena.setColorCount(16);
        arquivo.clear();
        buffer.close();
        QVERIFY(buffer.open(QIODevice::WriteOnly) && pequena.save(&buffer, "BMP"));
        QVERIFY(plataforma::LerBmpDe256Cores(arquivo).isNull());
    }

    // The window's icon holds, size by size, the pixels the theme's PNG files decode to.
    void iconeSaoOsPngsDoTema() {
        const QIcon icone = apresentacao::IconeDoJogo();
        QCOMPARE(icone.availableSizes().size(), 7);
        for (const QSize& t : icone.availableSizes()) {
            const QImage png(QStringLiteral(":/icone/hicolor/%1x%1/apps/trevolino.png").arg(t.width()),
                             "PNG");
            QCOMPARE(icone.pixmap(t).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
    }

    void fecharApagaOsCincoArquivos() {
        QTemporaryDir pasta;
        TfrmPrincipal w(nullptr, false);
        w.PastaDoPrograma = pasta.path() + "/";
        w.TituloDoAplicativo = "Trevolino v3.5";
        const QStringList nomes = {"c_esperar.ani", "c_executar.ani", "c_normal.ani", "c_tocar.ani",
                                   "LCDMono2.ttf"};
        for (const QString& n : nomes) {
            QFile f(pasta.path() + "/" + n);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QFile outro(pasta.path() + "/Outro.txt");
        QVERIFY(outro.open(QIODevice::WriteOnly));
        outro.close();
        w.show();
        // "Não" keeps the window open and the files in place.
        apoio::responderComTecla(Qt::Key_Escape);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        for (const QString& n : nomes) QVERIFY(QFile::exists(pasta.path() + "/" + n));
        // "Sim" (Enter) closes and removes exactly the unpacked files.
        apoio::responderComTecla(Qt::Key_Return);
        QVERIFY(w.close());
        for (const QString& n : nomes) QVERIFY(!QFile::exists(pasta.path() + "/" + n));
        QVERIFY(QFile::exists(pasta.path() + "/Outro.txt"));
        // Missing files are ignored.
        w.FormClose();
    }

    void cliqueNoEnderecoAbreOEnderecoComOCursorDeEspera() {
        TfrmPrincipal w(nullptr, false);
        ReceptorDeEnderecos receptor;
        QDesktopServices::setUrlHandler("http", &receptor, "abrir");
        QTest::mouseClick(apoio::controle<QLabel>(&w, "lblWebSite"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("http");
        QCOMPARE(receptor.urls.size(), 1);
        QCOMPARE(receptor.urls[0].host(), QString("www.trevolino.example"));
        QVERIFY(receptor.esperaVisivel);
        QVERIFY(QApplication::overrideCursor() == nullptr);  // put back afterwards
        // A click elsewhere (a reel cell) opens nothing.
        QTest::mouseClick(apoio::controle<Figura>(&w, "imgA2"), Qt::LeftButton);
        QCOMPARE(receptor.urls.size(), 1);
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestJanela t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_janela.moc"
