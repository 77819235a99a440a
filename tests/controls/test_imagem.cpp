// The shaped image: picture rectangle, outline region, the window's mask, dragging, and the
// real X server's view of the shaped window.
#include "test_controles.h"

#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QtTest>

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include "controls/ImageShape.h"

namespace {

bool mesmaRegiao(const QRegion& a, const QRegion& b) { return a.xored(b).isEmpty(); }

// The outline the straightforward way: every run of key pixels united one at a time, then taken
// out of the picture's frame.
QRegion regiaoDeReferencia(const QImage& fonte, const QRect& cliente, const QRect& p) {
    const QRgb chave = fonte.pixel(0, fonte.height() - 1) & 0xFFFFFF;
    QImage varredura(cliente.size(), QImage::Format_RGB32);
    varredura.fill(Qt::white);
    {
        QPainter pintor(&varredura);
        pintor.drawImage(p.topLeft(), fonte.scaled(p.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    QRegion furos;
    for (int y = 0; y < varredura.height(); ++y) {
        int x = 0;
        while (x < varredura.width()) {
            const int x0 = x;
            while (x < varredura.width() && (varredura.pixel(x, y) & 0xFFFFFF) == chave) ++x;
            if (x > x0) furos = furos.united(QRect(x0, y, x - x0, 1));
            while (x < varredura.width() && (varredura.pixel(x, y) & 0xFFFFFF) != chave) ++x;
        }
    }
    return QRegion(QRect(QPoint(0, 0), cliente.size()).intersected(p)).subtracted(furos);
}

// A picture with a magenta bottom-left pixel, a figure, and magenta specks inside it (holes).
QImage figuraComFuros(int w, int h, quint32 semente) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 255));
    QPainter p(&img);
    p.setBrush(QColor(30, 140, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(w / 8, h / 8, 3 * w / 4, 3 * h / 4));
    p.end();
    QRandomGenerator gerador(semente);
    for (int i = 0; i < w * h / 12; ++i) {
        const int x = gerador.bounded(w), y = gerador.bounded(h);
        img.setPixel(x, y, gerador.bounded(2) ? qRgb(255, 0, 255) : qRgb(254, 0, 255));  // near-key stays
    }
    img.setPixel(0, h - 1, qRgb(255, 0, 255));
    return img;
}

// Key black around a white rectangle.
QImage retangulo(int w, int h, const QRect& figura) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter(&img).fillRect(figura, Qt::white);
    return img;
}

void enviarMouse(QWidget* w, QEvent::Type tipo, Qt::MouseButton botao, QPoint local, QPoint global) {
    const Qt::MouseButtons botoes =
        tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(botao);
    QMouseEvent e(tipo, QPointF(local), QPointF(global), botao, botoes, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace

void TestControles::imagemRetanguloDaFigura() {
    TImageShape img;
    QCOMPARE(img.size(), QSize(105, 105));
    QVERIFY(img.Movable());
    img.resize(100, 100);
    img.setPicture(QImage(200, 100, QImage::Format_RGB32));
    QCOMPARE(img.PictureRect(), QRect(0, 0, 200, 100));
    img.setStretch(true);
    img.setProportional(true);
    QCOMPARE(img.PictureRect(), QRect(0, 0, 100, 50));
    img.setCenter(true);
    QCOMPARE(img.PictureRect(), QRect(0, 25, 100, 50));

    // Taller than wide: the width is truncated, never rounded.
    img.setPicture(QImage(100, 300, QImage::Format_RGB32));
    QCOMPARE(img.PictureRect(), QRect(33, 0, 33, 100));
    // Proportional without Stretch keeps a smaller picture at its own size.
    img.setStretch(false);
    img.setCenter(false);
    img.setPicture(QImage(50, 20, QImage::Format_RGB32));
    QCOMPARE(img.PictureRect(), QRect(0, 0, 50, 20));
    // A larger picture centred without scaling moves up and left, halves truncated toward zero.
    img.setProportional(false);
    img.setCenter(true);
    img.setPicture(QImage(301, 201, QImage::Format_RGB32));
    QCOMPARE(img.PictureRect(), QRect(-100, -50, 301, 201));
    img.setStretch(true);
    QCOMPARE(img.PictureRect(), QRect(0, 0, 100, 100));

    // The auto-size query and AutoSize itself follow the picture.
    int w = 1, h = 2;
    QVERIFY(img.CanAutoSize(w, h));
    QCOMPARE(QSize(w, h), QSize(301, 201));
    img.setAlign(alTop);
    w = 1, h = 2;
    img.CanAutoSize(w, h);
    QCOMPARE(QSize(w, h), QSize(1, 201));
    img.setAutoSize(true);
    img.move(7, 8);
    img.setPicture(QImage(40, 30, QImage::Format_RGB32));
    QCOMPARE(img.geometry(), QRect(7, 8, 40, 30));

    // Transparent leaves the key colour out of the painting; only a plain stretched picture is opaque.
    // A 256-colour picture, as the cabinet's: the control keeps it in full colour.
    TImageShape t;
    t.resize(20, 20);
    QImage dada = retangulo(20, 20, QRect(5, 5, 10, 10)).convertToFormat(QImage::Format_Indexed8);
    t.setPicture(dada);
    dada.fill(0);  // the caller's image is its own: changing it leaves the control's alone
    const auto pintar = [&t] {
        QImage out(20, 20, QImage::Format_RGB32);
        out.fill(Qt::green);
        t.render(&out, QPoint(), QRegion(), QWidget::DrawChildren);
        return out;
    };
    QCOMPARE(QColor(pintar().pixel(1, 1)), QColor(Qt::black));
    t.setStretch(true);
    QVERIFY(t.testAttribute(Qt::WA_OpaquePaintEvent));
    t.setTransparent(true);
    QVERIFY(!t.testAttribute(Qt::WA_OpaquePaintEvent));
    const QImage transparente = pintar();
    QCOMPARE(QColor(transparente.pixel(1, 1)), QColor(Qt::green));
    QCOMPARE(QColor(transparente.pixel(10, 10)), QColor(Qt::white));
    QCOMPARE(QColor(t.Picture().pixel(10, 10)), QColor(Qt::white));
    t.setTransparent(false);
    QCOMPARE(QColor(pintar().pixel(1, 1)), QColor(Qt::black));
}

// A repaint of a few separate rectangles (lamps and displays over the cabinet) paints each of
// them from the matching part of the picture, wherever the picture stands in the control, and
// nothing outside them.
void TestControles::imagemPintaPorPartes() {
    QImage figura(60, 40, QImage::Format_RGB32);
    QRandomGenerator aleatorio(7);
    for (int y = 0; y < figura.height(); ++y)
        for (int x = 0; x < figura.width(); ++x)
            figura.setPixel(x, y, 0xFF000000u | (aleatorio.generate() & 0xFFFFFF) | 0x010101u);
    figura.setPixel(0, figura.height() - 1, 0xFF000000u);  // the key colour, left out
    TImageShape t;
    t.resize(80, 70);
    t.setCenter(true);
    t.setTransparent(true);
    t.setPicture(figura);
    const QRect p = t.PictureRect();
    QCOMPARE(p, QRect(10, 15, 60, 40));
    QRegion partes;
    partes += QRect(0, 0, 15, 20);    // across the picture's corner
    partes += QRect(30, 30, 7, 5);    // inside
    partes += QRect(65, 50, 15, 20);  // across the opposite corner
    partes += QRect(12, 53, 40, 2);   // the last rows, the key pixel among them
    QImage out(t.size(), QImage::Format_RGB32);
    out.fill(Qt::green);
    t.render(&out, QPoint(), partes, QWidget::DrawChildren);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            QRgb esperado = 0xFF00FF00u;
            const QPoint q(x - p.left(), y - p.top());
            if (partes.contains(QPoint(x, y)) && figura.rect().contains(q) && q != QPoint(0, 39))
                esperado = figura.pixel(q);
            if (out.pixel(x, y) != esperado)
                QFAIL(qPrintable(QString("(%1, %2): %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(out.pixel(x, y), 8, 16)
                                     .arg(esperado, 8, 16)));
        }
}

void TestControles::imagemRegiaoComFuros() {
    const QImage figura = figuraComFuros(160, 120, 42);
    const QRect todo(0, 0, 160, 120);
    const QRegion r = TImageShape::BuildOpaqueRegion(figura, todo, todo);
    QVERIFY(r.rectCount() > 100);
    QVERIFY(mesmaRegiao(r, regiaoDeReferencia(figura, todo, todo)));
    // Pixel by pixel: exactly the non-magenta pixels (the almost-magenta ones are kept).
    int furos = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
            const bool chave = (figura.pixel(x, y) & 0xFFFFFF) == 0xFF00FF;
            furos += chave && x > 40 && x < 120 && y > 30 && y < 90;
            QCOMPARE(r.contains(QPoint(x, y)), !chave);
        }
    QVERIFY(furos > 50);

    // The same from a 256-colour picture.
    const QImage indexada = figura.convertToFormat(QImage::Format_Indexed8);
    QCOMPARE(indexada.format(), QImage::Format_Indexed8);
    QVERIFY(mesmaRegiao(TImageShape::BuildOpaqueRegion(indexada, todo, todo),
                        regiaoDeReferencia(indexada, todo, todo)));

    // Scaled into a rectangle that sticks out of the control: clipped to the client area.
    const QRect cliente(0, 0, 300, 200);
    const QRect p(-10, 5, 320, 240);
    const QRegion escalada = TImageShape::BuildOpaqueRegion(figura, cliente, p);
    QVERIFY(mesmaRegiao(escalada, regiaoDeReferencia(figura, cliente, p)));
    QVERIFY(QRect(0, 5, 300, 195).contains(escalada.boundingRect()));

    // The shape follows the scaled picture of a control.
    QWidget pai;
    TImageShape img(&pai);
    img.resize(100, 100);
    img.setStretch(true);
    img.setProportional(true);
    img.setCenter(true);
    img.setPicture(retangulo(200, 100, QRect(100, 0, 100, 100)));  // right half white
    QVERIFY(mesmaRegiao(img.ShapeRegion(), QRegion(50, 25, 50, 50)));
}

void TestControles::imagemMascaraDaJanela() {
    // The first shape of the process replaces whatever mask the window had. The mark it leaves
    // is the application's own: the environment, which other threads read, stays as it was.
    qApp->setProperty("wexor", QVariant());
    const QStringList ambiente = QProcessEnvironment::systemEnvironment().toStringList();
    QWidget janela;
    janela.resize(400, 300);
    janela.setMask(QRegion(0, 0, 5, 5));
    auto* a = new TImageShape(&janela);
    a->setGeometry(10, 20, 100, 80);
    const QRegion contornoA1 = QRegion(20, 10, 40, 40).translated(10, 20);
    a->setPicture(retangulo(100, 80, QRect(20, 10, 40, 40)));
    QCOMPARE(QProcessEnvironment::systemEnvironment().toStringList(), ambiente);
    QVERIFY(mesmaRegiao(janela.mask(), contornoA1));
    QVERIFY(mesmaRegiao(a->ShapeRegion(), contornoA1));

    // A second image adds its outline; the two overlap.
    auto* b = new TImageShape(&janela);
    b->setGeometry(50, 20, 100, 80);
    const QRegion contornoB = QRegion(0, 0, 60, 60).translated(50, 20);
    b->setPicture(retangulo(100, 80, QRect(0, 0, 60, 60)));
    QVERIFY(mesmaRegiao(janela.mask(), contornoA1.united(contornoB)));

    // Replacing one picture takes its old outline away, also where the other shared it.
    const QRegion contornoA2 = QRegion(0, 50, 30, 20).translated(10, 20);
    a->setPicture(retangulo(100, 80, QRect(0, 50, 30, 20)));
    const QRegion esperado = contornoA1.united(contornoB).subtracted(contornoA1).united(contornoA2);
    QVERIFY(mesmaRegiao(janela.mask(), esperado));
    QVERIFY(!janela.mask().contains(QPoint(55, 35)));  // was in both outlines

    // Writing Stretch with its own value rebuilds nothing; a new value does.
    janela.setMask(QRegion(0, 0, 7, 7));
    a->setStretch(false);
    QVERIFY(mesmaRegiao(janela.mask(), QRegion(0, 0, 7, 7)));
    a->setStretch(true);
    QVERIFY(!mesmaRegiao(janela.mask(), QRegion(0, 0, 7, 7)));

    // An empty picture leaves the shape alone; so does a control without a parent.
    janela.setMask(QRegion(0, 0, 9, 9));
    a->setPicture(QImage());
    QVERIFY(mesmaRegiao(janela.mask(), QRegion(0, 0, 9, 9)));
    TImageShape orfa;
    orfa.setPicture(retangulo(10, 10, QRect(2, 2, 3, 3)));
    QVERIFY(orfa.ShapeRegion().isEmpty());

    // Once the flag is set, a window's existing mask survives beside the new outline.
    QWidget outra;
    outra.resize(200, 200);
    outra.setMask(QRegion(0, 0, 5, 5));
    auto* c = new TImageShape(&outra);
    c->setGeometry(100, 100, 50, 50);
    c->setPicture(retangulo(50, 50, QRect(10, 10, 10, 10)));
    QVERIFY(mesmaRegiao(outra.mask(), QRegion(0, 0, 5, 5).united(QRegion(110, 110, 10, 10))));

    // A picture all of key colour cuts the whole window away instead of lifting the mask.
    c->setPicture(retangulo(50, 50, QRect()));
    QVERIFY(!outra.mask().isEmpty());
    QVERIFY(!outra.mask().intersects(QRect(5, 5, 195, 195)));
}

void TestControles::imagemArrastar() {
    QWidget janela;
    janela.setGeometry(100, 100, 300, 200);
    auto* img = new TImageShape(&janela);
    img->setGeometry(0, 0, 300, 200);
    QSignalSpy movimentos(img, &TImageShape::OnMouseMove);

    // Any button drags; the displacement comes from screen positions.
    enviarMouse(img, QEvent::MouseButtonPress, Qt::RightButton, {10, 10}, {110, 110});
    QVERIFY(img->MoveActive());
    enviarMouse(img, QEvent::MouseMove, Qt::RightButton, {10, 10}, {140, 100});
    QCOMPARE(janela.pos(), QPoint(130, 90));
    enviarMouse(img, QEvent::MouseMove, Qt::RightButton, {10, 10}, {145, 101});
    QCOMPARE(janela.pos(), QPoint(135, 91));
    enviarMouse(img, QEvent::MouseButtonRelease, Qt::RightButton, {10, 10}, {145, 101});
    QVERIFY(!img->MoveActive());
    enviarMouse(img, QEvent::MouseMove, Qt::NoButton, {10, 10}, {200, 200});
    QCOMPARE(janela.pos(), QPoint(135, 91));

    // Not movable: the mouse events fire, nothing moves.
    img->setMovable(false);
    enviarMouse(img, QEvent::MouseButtonPress, Qt::LeftButton, {10, 10}, {110, 110});
    enviarMouse(img, QEvent::MouseMove, Qt::LeftButton, {30, 30}, {130, 130});
    enviarMouse(img, QEvent::MouseButtonRelease, Qt::LeftButton, {30, 30}, {130, 130});
    QCOMPARE(janela.pos(), QPoint(135, 91));
    QCOMPARE(movimentos.count(), 4);
}

namespace {

class Contador : public QWidget {
public:
    using QWidget::QWidget;
    int apertos = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++apertos; }
};

QRegion formaNoServidor(unsigned long janela, int tipo) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return {};
    int n = 0, ordem = 0;
    QRegion r;
    if (XRectangle* rs = XShapeGetRectangles(d, janela, tipo, &n, &ordem)) {
        for (int i = 0; i < n; ++i) r += QRect(rs[i].x, rs[i].y, rs[i].width, rs[i].height);
        XFree(rs);
    }
    XCloseDisplay(d);
    return r;
}

void xdotool(const QStringList& args) {
    QCOMPARE(QProcess::execute("xdotool", args), 0);
    QTest::qWait(50);
}

}  // namespace

void TestControles::imagemNoServidorX() {
    if (QGuiApplication::platformName() != "xcb") QSKIP("needs an X server (run under xvfb-run)");

    // What lies beneath: a red window that counts the clicks it gets.
    Contador fundo;
    fundo.setWindowFlag(Qt::FramelessWindowHint);
    fundo.setGeometry(0, 0, 1100, 900);
    fundo.setAutoFillBackground(true);
    QPalette pf = fundo.palette();
    pf.setColor(QPalette::Window, Qt::red);
    fundo.setPalette(pf);
    fundo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fundo));

    // An 800 x 600 cabinet: pure black surround, a gold figure with a black hole in the middle.
    QImage gabinete(800, 600, QImage::Format_RGB32);
    gabinete.fill(Qt::black);
    {
        QPainter p(&gabinete);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 160, 40));
        p.drawRoundedRect(QRect(40, 30, 720, 540), 120, 120);
        p.fillRect(QRect(380, 280, 40, 40), Qt::black);
    }
    const QImage indexado = gabinete.convertToFormat(QImage::Format_Indexed8);
    QWidget janela;
    janela.setWindowFlag(Qt::FramelessWindowHint);
    janela.setGeometry(100, 100, 800, 600);
    janela.setAutoFillBackground(true);
    auto* img = new TImageShape(&janela);
    img->setGeometry(0, 0, 800, 600);
    img->setPicture(indexado);
    QSignalSpy apertosNaImagem(img, &TImageShape::OnMouseDown);
    janela.show();
    QVERIFY(QTest::qWaitForWindowExposed(&janela));
    QTest::qWait(100);

    // The server's bounding shape is the figure without its surround and hole (the input region
    // is the bounding shape where no input shape is set: the clicks below prove it).
    const QRegion figura = TImageShape::BuildOpaqueRegion(indexado, img->rect(), img->PictureRect());
    QVERIFY(figura.contains(QPoint(400, 50)) && !figura.contains(QPoint(5, 5)) &&
            !figura.contains(QPoint(400, 300)));
    QTRY_VERIFY(mesmaRegiao(formaNoServidor(janela.winId(), ShapeBounding), figura));

    // The screen shows the red window through the surround and the hole.
    const QImage tela = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    QCOMPARE(QColor(tela.pixel(105, 105)), QColor(Qt::red));
    QCOMPARE(QColor(tela.pixel(500, 400)), QColor(Qt::red));
    QCOMPARE(QColor(tela.pixel(500, 150)), QColor(200, 160, 40));

    // A click on the hole reaches the window beneath; one on the figure reaches the picture.
    xdotool({"mousemove", "500", "400", "click", "1"});
    QTRY_COMPARE(fundo.apertos, 1);
    QCOMPARE(apertosNaImagem.count(), 0);
    xdotool({"mousemove", "500", "150", "click", "1"});
    QTRY_COMPARE(apertosNaImagem.count(), 1);
    QCOMPARE(fundo.apertos, 1);

    // Dragging the picture moves the window, with the left button and with the right one.
    xdotool({"mousemove", "300", "200", "mousedown", "1", "mousemove", "340", "230", "mousemove", "360",
             "250", "mouseup", "1"});
    QTRY_COMPARE(janela.pos(), QPoint(160, 150));
    xdotool({"mousemove", "400", "300", "mousedown", "3", "mousemove", "390", "290", "mouseup", "3"});
    QTRY_COMPARE(janela.pos(), QPoint(150, 140));
    // The shape moved with the window: the hole is now at (530, 420) and still clicks through.
    xdotool({"mousemove", "550", "440", "click", "1"});
    QTRY_COMPARE(fundo.apertos, 2);
}
