// The cabinet on a screen scaled 2x (a real X server, QT_SCALE_FACTOR=2): the window's outline
// on the server is the 2x cabinet's own, the reels show their 2x pictures and follow a picture
// replaced on disk, the capsules are painted in device pixels, the dialogs get 2x glyphs, the
// lettering of the game's language lies in its place, and the screen is measured in the
// cabinet's pixels.
#include <QDir>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QTransform>
#include <QtTest>

#include <xcb/shape.h>
#include <xcb/xcb.h>
// The C header names a field "explicit", a C++ keyword.
#define explicit explicito
#include <xcb/xkb.h>
#undef explicit

#include <set>

#include "apoio.h"
#include "controls/DsFancyButton.h"
#include "controls/ImageShape.h"
#include "game/bobinas.h"
#include "game/maquina.h"
#include "platform/idioma.h"
#include "shell/imagens.h"
#include "shell/layout.h"
#include "shell/dialogos.h"
#include "shell/recursos.h"
#include "shell/uPrincipal.h"

namespace {

// The window's bounding shape as the X server holds it.
QRegion contornoNoServidor(QWindow* janela) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    auto* r = xcb_shape_get_rectangles_reply(
        c, xcb_shape_get_rectangles(c, xcb_window_t(janela->winId()), XCB_SHAPE_SK_BOUNDING), nullptr);
    QRegion regiao;
    if (!r) return regiao;
    const xcb_rectangle_t* rs = xcb_shape_get_rectangles_rectangles(r);
    for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(r); ++i)
        regiao += QRect(rs[i].x, rs[i].y, rs[i].width, rs[i].height);
    free(r);
    return regiao;
}

// Colours met along the middle row from the left edge, n device pixels in.
int coresNaBorda(const QImage& img, int n) {
    std::set<QRgb> cores;
    for (int x = 0; x < n; ++x) cores.insert(img.pixel(x, img.height() / 2));
    return int(cores.size());
}

}  // namespace

class Test2x : public QObject {
    Q_OBJECT
    QTemporaryDir pasta;
    TfrmPrincipal* w = nullptr;

private slots:
    void initTestCase() {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        QVERIFY(QDir().mkpath(pasta.path() + "/Bobinas"));
        for (const QFileInfo& f :
             QDir(QString(TREVOLINO_PROGRAM_DIR) + "/Bobinas").entryInfoList(QDir::Files))
            QVERIFY(QFile::copy(f.filePath(), pasta.path() + "/Bobinas/" + f.fileName()));
        w = new TfrmPrincipal(nullptr, false);
        w->PastaDoPrograma = pasta.path() + "/";
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanupTestCase() { delete w; }

    void contornoEmPixelsDoDispositivo() {
        const QImage& chassis = apoio::controle<TImageShape>(w, "imgChassisFundo")->Picture();
        QCOMPARE(chassis.devicePixelRatio(), 2.0);
        QCOMPARE(chassis.size(), QSize(1600, 1200));
        const QRect tudo(0, 0, 1600, 1200);
        const QRegion esperado =
            TImageShape::OpaqueRegion(chassis, chassis.pixel(0, 1199) & 0xFFFFFF, tudo, tudo);
        QTRY_COMPARE(contornoNoServidor(w->windowHandle()), esperado);
        // Not the 1x outline blown up: that one has steps of two pixels along every curve.
        QVERIFY(QTransform::fromScale(2, 2).map(w->mask()) != esperado);
    }

    void bobinasEm2xSeguemOArquivo() {
        w->DesenharBobinasParadas();
        const QImage antes = apoio::controle<Figura>(w, "imgA2")->Imagem();
        QCOMPARE(antes.devicePixelRatio(), 2.0);
        QCOMPARE(antes.size(), QSize(280, 184));
        QString nome;
        TfrmPrincipal::DesenhoBaseadoEnNumero((*jogo::Fitas[0])[w->maquina().Posicao(1)], nome);
        const QString arquivo = pasta.path() + "/Bobinas/" + nome + "@2x.jpg";
        QImage nova(280, 184, QImage::Format_RGB32);
        nova.fill(QColor(0, 0, 255));
        QVERIFY(nova.save(arquivo, "JPEG", 95));
        w->DesenharBobinasParadas();
        const QRgb meio = apoio::controle<Figura>(w, "imgA2")->Imagem().pixel(140, 92);
        QVERIFY(qBlue(meio) > 200 && qRed(meio) < 40);
        QVERIFY(QFile::remove(arquivo));
        w->DesenharBobinasParadas();
        QCOMPARE(apoio::controle<Figura>(w, "imgA2")->Imagem().devicePixelRatio(),
                 1.0);  // the 1x picture stands in
        QCOMPARE(apoio::controle<Figura>(w, "imgA2")->Imagem().size(), QSize(140, 92));
    }

    void capsulaEmPixelsDoDispositivo() {
        TDsFancyButton* b = apoio::controle<TDsFancyButton>(w, "spdGirar");
        QImage um(b->size(), QImage::Format_ARGB32_Premultiplied);
        um.fill(Qt::transparent);
        b->render(&um);
        QImage dois(b->size() * 2, QImage::Format_ARGB32_Premultiplied);
        dois.setDevicePixelRatio(2);
        dois.fill(Qt::transparent);
        b->render(&dois);
        // Twice the rings across the same frame, one per device pixel, not each 1x ring doubled:
        // far more shades (neighbouring rings may round to the same colour).
        const int aneis = b->FancyEffects()->FrameWidth();
        const int em2x = coresNaBorda(dois, 2 * aneis), em1x = coresNaBorda(um, aneis);
        QVERIFY2(2 * em2x >= 3 * em1x, qPrintable(QStringLiteral("%1 against %2").arg(em2x).arg(em1x)));
        QVERIFY(dois != um.scaled(um.size() * 2).convertToFormat(dois.format()));
    }

    void figurasDosDialogosEm2x() {
        const QImage figura = apresentacao::IconeDosDialogos(0);
        QCOMPARE(figura.size(), QSize(48, 48));
        QCOMPARE(figura.devicePixelRatio(), 2.0);
    }

    // English lettering over the Portuguese pictures at 1x and 2x: they differ, and only where
    // the labels beside the credit and bet displays and the pay table's heading are.
    void letreirosDoIdiomaNoLugar() {
        const auto figura = [](const char* local, const QString& caminho, int k, const QString& caminho2x) {
            qputenv("LC_ALL", local);
            qunsetenv("LANGUAGE");
            plataforma::InstalarIdioma();
            return apresentacao::FiguraDoRecurso(caminho, k, caminho2x).convertToFormat(QImage::Format_RGB32);
        };
        const auto repor = qScopeGuard([&] { figura("pt_BR.UTF-8", {}, 1, {}); });
        const QRect rotulos(apresentacao::kCredito.esquerda - 75, apresentacao::kCredito.topo - 4, 75, 68);
        for (const auto& [caminho, caminho2x, onde] :
             {std::tuple{QString(":/form/ChassisFundo.bmp"), QString(":/form/ChassisFundo@2x.png"), rotulos},
              {QString(":/form/PainelPontuacao.jpg"), QString(),
               QRect(0, 0, apresentacao::kPainelPontuacao.largura, 36)}})
            for (int k : {1, 2}) {
                const QImage pt = figura("pt_BR.UTF-8", caminho, k, caminho2x);
                const QImage en = figura("en_US.UTF-8", caminho, k, caminho2x);
                QRect diferentes;
                for (int y = 0; y < std::min(pt.height(), en.height()); ++y)
                    for (int x = 0; x < std::min(pt.width(), en.width()); ++x)
                        if (pt.pixel(x, y) != en.pixel(x, y)) diferentes |= QRect(x, y, 1, 1);
                QVERIFY2(en.size() == pt.size() && !diferentes.isEmpty() &&
                             QRect(onde.topLeft() * k, onde.size() * k).contains(diferentes),
                         qPrintable(caminho + QString::number(k) + "x: " + QDebug::toString(diferentes)));
            }
    }

    // The window's keyboard set-up asked the X server, without waiting, to repeat a held key as
    // presses alone; by the time the window shows, the server has it.
    void teclaSeguradaSoRepeteOAperto() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        QVERIFY(x11 && x11->connection());
        xcb_xkb_per_client_flags_reply_t* r = xcb_xkb_per_client_flags_reply(
            x11->connection(),
            xcb_xkb_per_client_flags(x11->connection(), XCB_XKB_ID_USE_CORE_KBD, 0, 0, 0, 0, 0), nullptr);
        const auto liberar = qScopeGuard([r] { std::free(r); });
        QVERIFY(r);
        QVERIFY(r->value & XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT);
    }

    // The size check keeps its 800 x 600 and 1024 x 768 in the cabinet's pixels: the 1280 x 1024
    // server at 2x is a 640 x 512 screen for it.
    void telaMedidaEmPixelsDaCabine() { QCOMPARE(apresentacao::TamanhoDaTela(), QSize(640, 512)); }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    Test2x t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_2x.moc"
