// The fancy button: clamps, ring colours, outline-bound hover and press, captions and glyphs.
#include "test_controles.h"

#include <QShortcut>
#include <QtTest>

#include "controls/DsFancyButton.h"

namespace {

const QColor kSilver(192, 192, 192);

void enviarMouse(QWidget* w, QEvent::Type tipo, Qt::MouseButton botao, QPoint p) {
    const Qt::MouseButtons botoes = tipo == QEvent::MouseButtonPress ? Qt::MouseButtons(botao) : Qt::NoButton;
    QMouseEvent e(tipo, QPointF(p), QPointF(w->mapToGlobal(p)), botao, botoes, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
void mover(QWidget* w, int x, int y) { enviarMouse(w, QEvent::MouseMove, Qt::NoButton, {x, y}); }
void apertar(QWidget* w, int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    enviarMouse(w, QEvent::MouseButtonPress, b, {x, y});
}
void soltar(QWidget* w, int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    enviarMouse(w, QEvent::MouseButtonRelease, b, {x, y});
}

// The silver capsule the cabinet uses, without a caption unless one is given.
std::unique_ptr<TDsFancyButton> capsula(int w = 156, int h = 60) {
    auto b = std::make_unique<TDsFancyButton>();
    b->resize(w, h);
    b->setColor(kSilver);
    b->FancyEffects()->setFrameStyle(fmGradient);
    b->FancyEffects()->setFrameWidth(14);
    b->FancyEffects()->setShape(btnCapsule);
    b->FancyEffects()->setTextStyle(txShadowed);
    b->FancyEffects()->setHoverColor(QColor(255, 0, 0));
    QPalette pal = b->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    b->setPalette(pal);
    return b;
}

QImage desenhar(QWidget* w, const QColor& fundo = QColor(0, 128, 0)) {
    QImage img(w->size(), QImage::Format_RGB32);
    img.fill(fundo);
    w->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

int cinza(const QImage& img, int x, int y) {
    const QRgb c = img.pixel(x, y);
    if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) return -1;
    return qRed(c);
}

}  // namespace

void TestControles::botaoLimitesEAvisos() {
    TDsFancyButton b;
    QCOMPARE(b.size(), QSize(97, 25));
    QCOMPARE(b.focusPolicy(), Qt::TabFocus);  // by Tab only: a click takes no focus
    QCOMPARE(b.Color(), QGuiApplication::palette().color(QPalette::Button));
    TDsEffect* e = b.FancyEffects();
    TDsGlyph* g = b.Glyphs();
    QCOMPARE(e->FrameWidth(), 6);
    QCOMPARE(e->Shape(), btnRectangle);
    QCOMPARE(e->TextStyle(), txLowered);

    QSignalSpy efeito(e, &TDsEffect::OnEffectChange);
    QSignalSpy glifo(g, &TDsGlyph::OnGlyphChange);
    e->setFrameWidth(20);
    QCOMPARE(e->FrameWidth(), 14);
    e->setFrameWidth(1);
    QCOMPARE(e->FrameWidth(), 3);
    e->setCornerRadius(-5);
    QCOMPARE(e->CornerRadius(), 0);
    e->setCornerRadius(200);
    QCOMPARE(e->CornerRadius(), 145);
    g->setNumber(0);
    QCOMPARE(g->Number(), 1);
    g->setNumber(7);
    QCOMPARE(g->Number(), 4);
    g->setDistance(-3);
    QCOMPARE(g->Distance(), 0);
    QCOMPARE(efeito.count(), 4);
    QCOMPARE(glifo.count(), 3);
    // Writing the value already stored still notifies (and so repaints).
    e->setShape(e->Shape());
    e->setHoverColor(e->HoverColor());
    g->setLayout(g->Layout());
    g->setGlyphStyle(g->GlyphStyle());
    QCOMPARE(efeito.count(), 6);
    QCOMPARE(glifo.count(), 5);
    QCOMPARE(efeito.at(0).at(0).value<QObject*>(), e);

    QCOMPARE(TDsFancyButton::ShiftColor(QColor(250, 10, 128), 10), QColor(255, 20, 138));
    QCOMPARE(TDsFancyButton::ShiftColor(QColor(250, 10, 128), -20), QColor(230, 0, 108));
    QCOMPARE(TDsFancyButton::ShiftColor(QColor(1, 2, 3), 0), QColor(1, 2, 3));
}

void TestControles::botaoAneisDoDegrade() {
    auto b = capsula();
    const int w = b->width();
    const int kNiveis[14] = {112, 142, 153, 161, 168, 173, 178, 181, 184, 187, 189, 190, 191, 192};
    QImage img = desenhar(b.get());
    // The right side of the middle row crosses every ring from the edge inwards.
    for (int i = 0; i < 14; ++i) QCOMPARE(cinza(img, w - 2 - i, 30), kNiveis[i]);
    QCOMPARE(cinza(img, 0, 30), 192);                         // base face outline
    QCOMPARE(img.pixel(w - 1, 30), QColor(0, 128, 0).rgb());  // right edge excluded
    QCOMPARE(img.pixel(1, 1), QColor(0, 128, 0).rgb());       // outside the capsule
    QCOMPARE(cinza(img, 78, 8), 181);                         // ring 7 along the top

    // Hovered: face brightens by 10, edge follows.
    mover(b.get(), 78, 30);
    QVERIFY(b->MouseInShape());
    img = desenhar(b.get());
    QCOMPARE(cinza(img, w - 2, 30), 122);
    QCOMPARE(cinza(img, w - 15, 30), 202);
    QCOMPARE(cinza(img, 2, 30), 177);  // inner edge, not moved: Color - 15

    // Pushed: five rings, moved by 2; the darker base face shows along the top and left.
    apertar(b.get(), 78, 30);
    QVERIFY(b->Pushed());
    img = desenhar(b.get());
    QCOMPARE(cinza(img, 0, 30), 187);
    QCOMPARE(cinza(img, 1, 30), 127);
    QCOMPARE(cinza(img, 78, 1), 127);
    QCOMPARE(cinza(img, 78, 2), 182);  // inner edge line, Color - 10
    const int kEmpurrado[5] = {112, 142, 153, 161, 168};
    for (int i = 0; i < 5; ++i) QCOMPARE(cinza(img, 78, 3 + i), kEmpurrado[i]);
    QCOMPARE(cinza(img, 78, 8), 168);  // no sixth ring
    QCOMPARE(cinza(img, 78, 30), 168);
}

// A button repainted after a change of colour, size, shape, frame or corner looks exactly like
// a new button made that way: nothing of its earlier look is kept.
void TestControles::botaoRedesenhadoComoNovo() {
    auto b = capsula();
    desenhar(b.get());
    const auto mudar = [](TDsFancyButton* x, int passo) {
        if (passo >= 1) x->setColor(QColor(40, 90, 200));
        if (passo >= 2) x->resize(120, 50);
        if (passo >= 3) x->FancyEffects()->setFrameWidth(6);
        if (passo >= 4) x->FancyEffects()->setShape(btnRectangle);
        if (passo >= 5) x->FancyEffects()->setCornerRadius(9);
    };
    for (int passo = 1; passo <= 5; ++passo) {
        mudar(b.get(), passo);
        auto novo = capsula();
        mudar(novo.get(), passo);
        QVERIFY2(desenhar(b.get()) == desenhar(novo.get()), qPrintable(QString::number(passo)));
    }
}

void TestControles::botaoContornoEToque() {
    auto b = capsula();
    QSignalSpy clique(b.get(), &TDsFancyButton::OnClick);
    QSignalSpy desce(b.get(), &TDsFancyButton::OnMouseDown);
    QSignalSpy sobe(b.get(), &TDsFancyButton::OnMouseUp);

    // The corner of a capsule is in the rectangle but not on the button.
    mover(b.get(), 1, 1);
    QVERIFY(!b->MouseInShape());
    QCOMPARE(b->ImageState(), 1);
    apertar(b.get(), 1, 1);
    QVERIFY(!b->Pushed());
    soltar(b.get(), 1, 1);
    QCOMPARE(clique.count(), 0);
    QCOMPARE(desce.count(), 1);

    // The right button never pushes nor clicks, but its mouse events still fire.
    mover(b.get(), 78, 30);
    QVERIFY(b->MouseInShape());
    QCOMPARE(b->ImageState(), 4);
    apertar(b.get(), 78, 30, Qt::RightButton);
    QVERIFY(!b->Pushed());
    soltar(b.get(), 78, 30, Qt::RightButton);
    QCOMPARE(clique.count(), 0);
    QCOMPARE(desce.count(), 2);
    QCOMPARE(sobe.count(), 2);

    // Left click: the handler runs while the button is drawn down.
    bool empurradoNoClique = false;
    auto c = connect(b.get(), &TDsFancyButton::OnClick, [&] { empurradoNoClique = b->Pushed(); });
    apertar(b.get(), 78, 30);
    QVERIFY(b->Pushed());
    QCOMPARE(b->ImageState(), 3);
    soltar(b.get(), 78, 30);
    QCOMPARE(clique.count(), 1);
    QVERIFY(empurradoNoClique);
    QVERIFY(!b->Pushed());
    QCOMPARE(b->ImageState(), 3);  // until the next move
    disconnect(c);

    // The middle button clicks too; a double click is two presses.
    apertar(b.get(), 78, 30, Qt::MiddleButton);
    soltar(b.get(), 78, 30, Qt::MiddleButton);
    QCOMPARE(clique.count(), 2);

    // Held: hover is frozen, so releasing in the rectangle's corner still clicks.
    mover(b.get(), 78, 30);
    apertar(b.get(), 78, 30);
    mover(b.get(), 1, 1);
    QVERIFY(b->Pushed());
    QVERIFY(b->MouseInShape());
    soltar(b.get(), 1, 1);
    QCOMPARE(clique.count(), 3);

    // Leaving the rectangle while held cancels the press.
    mover(b.get(), 78, 30);
    apertar(b.get(), 78, 30);
    mover(b.get(), 200, 30);
    QVERIFY(!b->Pushed());
    QVERIFY(!b->MouseInShape());
    QCOMPARE(b->ImageState(), 1);
    soltar(b.get(), 200, 30);
    QCOMPARE(clique.count(), 3);
    // ... and coming back onto the shape and releasing there clicks.
    apertar(b.get(), 78, 30);
    mover(b.get(), 300, 30);
    mover(b.get(), 78, 30);
    soltar(b.get(), 78, 30);
    QCOMPARE(clique.count(), 4);

    // A leave event does the same as leaving by a move.
    mover(b.get(), 78, 30);
    apertar(b.get(), 78, 30);
    QEvent sai(QEvent::Leave);
    QApplication::sendEvent(b.get(), &sai);
    QVERIFY(!b->Pushed());
    soltar(b.get(), 78, 30);
    QCOMPARE(clique.count(), 4);

    // A click whose handler opens a modal dialog, which sends the button a leave event: it stays
    // down until the handler returns, and a second press where the pointer still is, with no
    // move or enter after the dialog, clicks again.
    bool empurradoNoDialogo = false;
    c = connect(b.get(), &TDsFancyButton::OnClick, [&] {
        QEvent modal(QEvent::Leave);
        QApplication::sendEvent(b.get(), &modal);
        empurradoNoDialogo = b->Pushed();
    });
    mover(b.get(), 78, 30);
    apertar(b.get(), 78, 30);
    soltar(b.get(), 78, 30);
    QCOMPARE(clique.count(), 5);
    QVERIFY(empurradoNoDialogo);
    QVERIFY(!b->Pushed());
    apertar(b.get(), 78, 30);
    QVERIFY(b->Pushed());
    soltar(b.get(), 78, 30);
    QCOMPARE(clique.count(), 6);
    disconnect(c);

    // A capsule taller than wide has round ends at top and bottom.
    auto alta = capsula(30, 80);
    QVERIFY(alta->PointInShape(0, 40));
    QVERIFY(!alta->PointInShape(0, 3));
    QVERIFY(alta->PointInShape(15, 0));
    QVERIFY(!alta->PointInShape(30, 40));
}

namespace {
// Pixels of the caption drawn alone, in any colour, on the green background.
QSet<QPoint> pontosDoTexto(const QImage& img) {
    QSet<QPoint> s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != QColor(0, 128, 0).rgb()) s.insert({x, y});
    return s;
}

// Checks that `img` shows the caption `texto` (its pixels when drawn alone at the origin) in
// `principal` moved by `desloc`, over a shadow copy in `sombra` moved by `deslocSombra`.
void conferirLegenda(const QImage& img, const QSet<QPoint>& texto, const QColor& principal, QPoint desloc,
                     const QColor& sombra, QPoint deslocSombra) {
    int vistos = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QPoint p(x, y);
            QRgb esperado = QColor(0, 128, 0).rgb();
            if (texto.contains(p - desloc))
                esperado = principal.rgb();
            else if (sombra.isValid() && texto.contains(p - deslocSombra))
                esperado = sombra.rgb();
            if (img.pixel(p) != esperado) {
                QFAIL(qPrintable(QString("pixel (%1, %2): %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(QColor(img.pixel(p)).name(), QColor(esperado).name())));
            }
            vistos += esperado == principal.rgb();
        }
    QVERIFY(vistos > 20);
}
}  // namespace

void TestControles::botaoLegenda() {
    auto b = capsula(120, 40);
    QFont f("DejaVu Sans");
    f.setPixelSize(21);
    f.setStyleStrategy(QFont::NoAntialias);
    b->setFont(f);
    b->setCaption("Girar");
    b->FancyEffects()->setFrameStyle(fmNone);  // only the caption is drawn

    b->FancyEffects()->setTextStyle(txPlain);
    const QSet<QPoint> texto = pontosDoTexto(desenhar(b.get()));
    QVERIFY(texto.size() > 20);
    const QFontMetrics fm(f);
    QCOMPARE(b->CaptionPos(), QPoint((120 - fm.horizontalAdvance("Girar")) / 2, (40 - fm.height()) / 2 - 1));

    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    const QColor sombraEscura = QGuiApplication::palette().color(QPalette::Dark);
    QVERIFY(face != QColor(142, 142, 142) && sombraEscura != QColor(217, 217, 217));

    b->FancyEffects()->setTextStyle(txShadowed);
    conferirLegenda(desenhar(b.get()), texto, Qt::black, {0, 0}, QColor(142, 142, 142), {2, 2});

    // Hover colours the caption, with no face at all.
    mover(b.get(), 60, 20);
    conferirLegenda(desenhar(b.get()), texto, QColor(255, 0, 0), {0, 0}, QColor(142, 142, 142), {2, 2});
    // Pushed: both passes sink by one more pixel, in the font's colour.
    apertar(b.get(), 60, 20);
    conferirLegenda(desenhar(b.get()), texto, Qt::black, {1, 1}, QColor(142, 142, 142), {3, 3});
    soltar(b.get(), 60, 20);
    b->FancyEffects()->setTextStyle(txRaised);
    apertar(b.get(), 60, 20);
    conferirLegenda(desenhar(b.get()), texto, Qt::black, {1, 1}, QColor(217, 217, 217), {0, 0});
    soltar(b.get(), 60, 20);

    // Disabled: the shadow stays; the caption takes the system's face or shadow colour.
    b->setEnabled(false);
    QCOMPARE(b->ImageState(), 2);
    b->FancyEffects()->setTextStyle(txShadowed);
    conferirLegenda(desenhar(b.get()), texto, face, {0, 0}, QColor(142, 142, 142), {2, 2});
    b->FancyEffects()->setTextStyle(txLowered);
    conferirLegenda(desenhar(b.get()), texto, sombraEscura, {0, 0}, QColor(217, 217, 217), {1, 1});
}

namespace {
const QColor kCores[4] = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(200, 200, 0), QColor(0, 200, 200)};
// A strip of n 10 x 10 images, each one colour with a magenta key pixel in its bottom-left.
QImage faixa(int n) {
    QImage img(10 * n, 10, QImage::Format_RGB32);
    for (int k = 0; k < n; ++k) {
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) img.setPixel(10 * k + x, y, kCores[k].rgb());
        img.setPixel(10 * k, 9, qRgb(255, 0, 255));
    }
    return img;
}
}  // namespace

void TestControles::botaoGlifoPorEstado() {
    // Image shown for states normal, disabled, down, hover, per strip size.
    const int kImagem[5][4] = {{}, {1, 1, 1, 1}, {1, 2, 1, 1}, {}, {1, 2, 3, 4}};
    for (int n : {1, 2, 4}) {
        auto b = capsula(80, 40);
        b->Glyphs()->setNumber(n);
        b->Glyphs()->setGlyph(faixa(n));
        b->Glyphs()->setLayout(lyCenter);
        const auto confere = [&](int estado, QPoint desloc) {
            const QImage img = desenhar(b.get());
            QCOMPARE(b->ImageState(), estado);
            QCOMPARE(b->CellWidth(), 10);
            const QPoint g = b->GlyphPos() + desloc;
            QCOMPARE(QColor(img.pixel(g + QPoint(5, 5))), kCores[kImagem[n][estado - 1] - 1]);
            // The key colour is left out.
            QVERIFY(img.pixel(g + QPoint(0, 9)) != qRgb(255, 0, 255));
        };
        confere(1, {0, 0});
        mover(b.get(), 40, 20);
        confere(4, {0, 0});
        apertar(b.get(), 40, 20);
        confere(3, {1, 1});
        soltar(b.get(), 40, 20);
        confere(3, {0, 0});  // the down image stays until the mouse moves
        b->setEnabled(false);
        confere(2, {0, 0});
    }
    // A 40-pixel strip of three images: 13 columns each, the last column never shows.
    auto b = capsula(80, 40);
    b->Glyphs()->setNumber(3);
    b->Glyphs()->setGlyph(QImage(40, 10, QImage::Format_RGB32));
    desenhar(b.get());
    QCOMPARE(b->CellWidth(), 13);
}

void TestControles::botaoSilhuetas() {
    // A raised glyph: light copy up-left, dark copy down-right.
    auto b = capsula(80, 40);
    b->FancyEffects()->setFrameStyle(fmNone);
    b->Glyphs()->setGlyph(faixa(1));
    b->Glyphs()->setLayout(lyCenter);
    b->Glyphs()->setGlyphStyle(gsRaised);
    QImage img = desenhar(b.get());
    QPoint g = b->GlyphPos();
    QCOMPARE(QColor(img.pixel(g + QPoint(-1, 0))), QColor(212, 212, 212));
    QCOMPARE(QColor(img.pixel(g + QPoint(10, 9))), QColor(142, 142, 142));
    QCOMPARE(QColor(img.pixel(g + QPoint(5, 5))), kCores[0]);
    // Pushed: dark up-left, light down-right, image moved by one.
    mover(b.get(), 40, 20);
    apertar(b.get(), 40, 20);
    img = desenhar(b.get());
    g = b->GlyphPos() + QPoint(1, 1);
    QCOMPARE(QColor(img.pixel(g + QPoint(-1, 0))), QColor(142, 142, 142));
    QCOMPARE(QColor(img.pixel(g + QPoint(10, 9))), QColor(212, 212, 212));
}

void TestControles::botaoDesabilitadoEAtalho() {
    QWidget janela;
    janela.resize(300, 200);
    auto* fundo = new QWidget(&janela);
    fundo->setGeometry(janela.rect());
    auto* b = new TDsFancyButton(&janela);
    b->setGeometry(20, 20, 156, 60);
    b->FancyEffects()->setShape(btnCapsule);
    b->setCaption("&Girar");
    QSignalSpy clique(b, &TDsFancyButton::OnClick);
    QSignalSpy desce(b, &TDsFancyButton::OnMouseDown);
    janela.show();
    janela.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&janela));

    QTest::keyClick(&janela, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(clique.count(), 1);

    // A disabled button takes no input: the mouse reaches what lies beneath, the key passes on.
    b->setEnabled(false);
    QTest::mouseMove(janela.windowHandle(), QPoint(98, 50));
    QTest::mouseClick(janela.windowHandle(), Qt::LeftButton, {}, QPoint(98, 50));
    QCOMPARE(desce.count(), 0);
    QVERIFY(!b->MouseInShape());
    QTest::keyClick(&janela, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(clique.count(), 1);

    b->setEnabled(true);
    QTest::mouseMove(janela.windowHandle(), QPoint(98, 49));
    QTRY_VERIFY(b->MouseInShape());
    QTest::mouseClick(janela.windowHandle(), Qt::LeftButton, {}, QPoint(98, 50));
    QCOMPARE(desce.count(), 1);
    QCOMPARE(clique.count(), 2);
    QVERIFY(!b->hasFocus());
}

// A key standing for the button: the click fires only when enabled, the face goes down for a
// moment and comes back up by itself, and a mouse press meanwhile keeps the button down.
void TestControles::botaoCliqueAnimado() {
    auto b = capsula();
    QSignalSpy clique(b.get(), &TDsFancyButton::OnClick);
    const QImage solto = desenhar(b.get());

    b->setEnabled(false);
    QVERIFY(!b->AnimateClick());
    QCOMPARE(clique.count(), 0);
    QVERIFY(!b->Pushed());

    b->setEnabled(true);
    bool descidoNoClique = false;
    QObject::connect(b.get(), &TDsFancyButton::OnClick, b.get(), [&] { descidoNoClique = b->Pushed(); });
    QVERIFY(b->AnimateClick());
    QCOMPARE(clique.count(), 1);
    QVERIFY(descidoNoClique);
    QVERIFY(desenhar(b.get()) != solto);
    QTRY_VERIFY_WITH_TIMEOUT(!b->Pushed(), 1000);
    QCOMPARE(desenhar(b.get()), solto);

    b->ShowPushedBriefly(20);
    apertar(b.get(), 78, 30);
    QTest::qWait(60);
    QVERIFY(b->Pushed());
    soltar(b.get(), 78, 30);
    QVERIFY(!b->Pushed());
    QCOMPARE(clique.count(), 2);
}

// The focus shows as a ring in the hover colour along the outline, only once Tab moved the
// focus in that window: focused any other way, the button looks as it does without it.
void TestControles::botaoAnelDeFoco() {
    QWidget janela;
    auto* b = capsula().release();
    b->setParent(&janela);
    janela.show();
    janela.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&janela));
    b->clearFocus();  // given to it with the window
    const QImage semFoco = desenhar(b);
    b->setFocus(Qt::MouseFocusReason);
    QCOMPARE(desenhar(b), semFoco);
    b->clearFocus();
    b->setFocus(Qt::TabFocusReason);
    const QImage comFoco = desenhar(b);
    const QColor esquerda = comFoco.pixelColor(3, 30), topo = comFoco.pixelColor(78, 2);
    QVERIFY(esquerda.red() > esquerda.green() + 80 && topo.red() > topo.green() + 80);
    QCOMPARE(comFoco.pixelColor(0, 0), semFoco.pixelColor(0, 0));  // outside the capsule
    QCOMPARE(comFoco.pixelColor(78, 30), semFoco.pixelColor(78, 30));
}
