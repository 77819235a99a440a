// Artwork generator: paints every picture of the game from code, deterministically.
//
//   artgen <program-dir> <gen-dir>
//
// Writes the 22 reel pictures to <program-dir>/Bobinas, and the cabinet, frame bars, pay table,
// dialog glyphs and program icon to <gen-dir>/form and <gen-dir>/icone. The same inputs give the
// same bytes on every run: no clocks, no random seeds, only integer-exact quantisation.
//
// Everything the window places over the cabinet is read from shell/layout.h, so each painted
// feature (lamp socket, LCD window, web strip, reel bezel, button sockets, mascot eye) sits exactly
// under its control. The symbols (picture names) and the pay table's rows and amounts come from
// the game itself (game/simbolos.h, game/tabela_de_premios.h), so the pictures name and promise
// what the machine uses and pays.

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "game/simbolos.h"
#include "game/tabela_de_premios.h"
#include "shell/layout.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The lettering painted into the cabinet and the pay table, in one of the game's languages.
struct Letreiros {
    QString idioma;  // "" for the game's own Portuguese, else the name of its translation
    QString credito, aposta, premios, apostaDaTabela;  // the last with %1 for the bet
};
const Letreiros kPortugues{QString(), QStringLiteral("CRÉDITO"), QStringLiteral("APOSTA"),
                           QStringLiteral("PRÊMIOS"), QStringLiteral("APOSTA %1")};
// Each translation of the game paints its own set; the program lays it over the Portuguese one.
const Letreiros kTraducoes[] = {
    {QStringLiteral("en"), QStringLiteral("CREDIT"), QStringLiteral("BET"), QStringLiteral("PAYOUTS"),
     QStringLiteral("BET %1")},
};
const Letreiros* gLetreiros = &kPortugues;

QString gFamily = QStringLiteral("DejaVu Sans");

QFont fontPx(double px, bool bold, bool condensed = false) {
    QFont f(gFamily);
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setBold(bold);
    if (condensed) f.setStretch(QFont::Condensed);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QRectF toF(const layout::Rect& r) { return QRectF(r.left, r.top, r.width, r.height); }
QRectF grow(const QRectF& r, double d) { return r.adjusted(-d, -d, d, d); }

// Path of a text centred on a point, built at a given pixel size.
QPainterPath textPath(const QString& text, const QFont& font, QPointF centre) {
    QPainterPath p;
    p.addText(0, 0, font, text);
    QRectF b = p.boundingRect();
    return p.translated(centre - b.center());
}

// ---------------------------------------------------------------------------------------------
// Reel symbols, drawn in a unit square of -50 .. 50 on both axes.

void strokeFill(QPainter& p, const QPainterPath& path, const QBrush& fill, QColor line, double w) {
    p.setPen(QPen(line, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void gloss(QPainter& p, QPointF c, double rx, double ry, int alpha = 200, double angle = 0) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    QRadialGradient g(QPointF(0, 0), std::max(rx, ry));
    g.setColorAt(0, QColor(255, 255, 255, alpha));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.scale(1.0, ry / rx);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

QPainterPath leafPath(QPointF base, double len, double width, double angleDeg) {
    QPainterPath l;
    l.moveTo(0, 0);
    l.cubicTo(len * 0.3, -width, len * 0.75, -width, len, 0);
    l.cubicTo(len * 0.75, width, len * 0.3, width, 0, 0);
    QTransform t;
    t.translate(base.x(), base.y());
    t.rotate(angleDeg);
    return t.map(l);
}

void drawLeaf(QPainter& p, QPointF base, double len, double width, double angleDeg) {
    QPainterPath l = leafPath(base, len, width, angleDeg);
    QLinearGradient g(
        base, base + QPointF(len * std::cos(angleDeg * kPi / 180), len * std::sin(angleDeg * kPi / 180)));
    g.setColorAt(0, QColor(40, 130, 30));
    g.setColorAt(1, QColor(110, 200, 60));
    strokeFill(p, l, g, QColor(20, 70, 15), 1.6);
    p.setPen(QPen(QColor(30, 90, 20, 180), 1.0));
    QTransform t;
    t.translate(base.x(), base.y());
    t.rotate(angleDeg);
    p.drawLine(t.map(QPointF(2, 0)), t.map(QPointF(len * 0.85, 0)));
}

void drawLemon(QPainter& p) {
    p.save();
    p.scale(1.08, 1.08);
    p.save();
    p.rotate(-22);
    QPainterPath b;
    b.moveTo(-48, 0);
    b.cubicTo(-44, -7, -36, -31, 0, -31);
    b.cubicTo(36, -31, 44, -7, 48, 0);
    b.cubicTo(44, 7, 36, 31, 0, 31);
    b.cubicTo(-36, 31, -44, 7, -48, 0);
    QRadialGradient g(QPointF(-12, -14), 58);
    g.setColorAt(0, QColor(255, 252, 170));
    g.setColorAt(0.45, QColor(250, 222, 40));
    g.setColorAt(0.85, QColor(222, 170, 0));
    g.setColorAt(1, QColor(180, 125, 0));
    strokeFill(p, b, g, QColor(140, 95, 0), 2.4);
    // Pores of the peel.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 140, 0, 70));
    for (int i = 0; i < 14; ++i) {
        double a = i * 2.4, r = 8 + (i * 37 % 19);
        p.drawEllipse(QPointF(r * std::cos(a) * 1.35, r * std::sin(a) * 0.9 + 4), 1.1, 1.1);
    }
    gloss(p, QPointF(-12, -15), 20, 8, 210, -8);
    p.restore();
    drawLeaf(p, QPointF(34, -22), 26, 8, -40);
    p.restore();
}

void drawStrawberry(QPainter& p) {
    QPainterPath b;
    b.moveTo(0, 46);
    b.cubicTo(-22, 42, -44, 12, -40, -12);
    b.cubicTo(-37, -30, -16, -33, 0, -27);
    b.cubicTo(16, -33, 37, -30, 40, -12);
    b.cubicTo(44, 12, 22, 42, 0, 46);
    QRadialGradient g(QPointF(-12, -8), 60);
    g.setColorAt(0, QColor(255, 130, 120));
    g.setColorAt(0.4, QColor(235, 30, 45));
    g.setColorAt(0.85, QColor(170, 0, 25));
    g.setColorAt(1, QColor(120, 0, 15));
    strokeFill(p, b, g, QColor(100, 0, 10), 2.4);
    // Seeds.
    p.save();
    p.setClipPath(b);
    for (int row = 0; row < 6; ++row) {
        for (int col = -3; col <= 3; ++col) {
            double x = col * 12 + (row % 2 ? 6 : 0), y = -14 + row * 11;
            if (!b.contains(QPointF(x, y + 5)) || !b.contains(QPointF(x - 5, y)) ||
                !b.contains(QPointF(x + 5, y)))
                continue;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(120, 0, 10, 120));
            p.drawEllipse(QPointF(x + 0.8, y + 1.2), 2.0, 2.8);
            p.setBrush(QColor(255, 225, 90));
            p.drawEllipse(QPointF(x, y), 1.5, 2.4);
        }
    }
    p.restore();
    gloss(p, QPointF(-18, -10), 10, 16, 150, 20);
    // Calyx.
    for (int i = 0; i < 6; ++i) {
        double a = -180 + i * 36;
        drawLeaf(p, QPointF(0, -28), 22, 6, a);
    }
    QPainterPath stem;
    stem.moveTo(0, -28);
    stem.cubicTo(1, -36, 4, -42, 8, -46);
    p.setPen(QPen(QColor(40, 100, 25), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
}

void drawCherry(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    g.setColorAt(0, QColor(255, 140, 140));
    g.setColorAt(0.35, QColor(225, 10, 40));
    g.setColorAt(0.8, QColor(150, 0, 25));
    g.setColorAt(1, QColor(95, 0, 15));
    QPainterPath e;
    e.addEllipse(c, r, r * 0.95);
    strokeFill(p, e, g, QColor(80, 0, 10), 2.2);
    gloss(p, c + QPointF(-r * 0.35, -r * 0.42), r * 0.38, r * 0.24, 230, -30);
    p.setPen(QPen(QColor(90, 0, 15), 1.6));
    p.drawArc(QRectF(c.x() - 3, c.y() - r + 1, 6, 5), 0, 180 * 16);
}

void drawCherries(QPainter& p) {
    QPointF a(-19, 24), b(21, 19), top(6, -40);
    p.setBrush(Qt::NoBrush);
    QPainterPath s1, s2;
    s1.moveTo(a + QPointF(0, -18));
    s1.cubicTo(a + QPointF(2, -40), top + QPointF(-16, 6), top);
    s2.moveTo(b + QPointF(0, -18));
    s2.cubicTo(b + QPointF(-2, -36), top + QPointF(8, 10), top);
    for (const QPainterPath* s : {&s1, &s2}) {
        p.setPen(QPen(QColor(45, 80, 20), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(*s);
        p.setPen(QPen(QColor(120, 170, 60), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(*s);
    }
    drawLeaf(p, top, 30, 9, -10);
    drawCherry(p, b, 20);
    drawCherry(p, a, 21);
}

void drawWatermelon(QPainter& p) {
    // A half slice, rind below, flesh above.
    p.save();
    p.translate(0, -3);
    p.scale(1.15, 1.15);
    const QPointF c(0, -16);
    auto half = [&](double r) {
        QPainterPath h;
        h.moveTo(c + QPointF(-r, 0));
        h.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180, 180);
        h.closeSubpath();
        return h;
    };
    QLinearGradient rind(QPointF(0, -16), QPointF(0, 40));
    rind.setColorAt(0, QColor(60, 160, 50));
    rind.setColorAt(1, QColor(15, 80, 20));
    strokeFill(p, half(52), rind, QColor(10, 55, 15), 2.4);
    // Stripes on the rind.
    p.save();
    p.setClipPath(half(52).subtracted(half(46)));
    p.setPen(QPen(QColor(20, 90, 25), 3));
    for (int i = 1; i < 12; ++i) {
        double a = kPi * i / 12;
        p.drawLine(c + QPointF(std::cos(a) * 44, std::sin(a) * 44),
                   c + QPointF(std::cos(a) * 54, std::sin(a) * 54));
    }
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 245, 200));
    p.drawPath(half(46));
    QRadialGradient flesh(c + QPointF(-8, 4), 50);
    flesh.setColorAt(0, QColor(255, 120, 120));
    flesh.setColorAt(0.6, QColor(240, 40, 60));
    flesh.setColorAt(1, QColor(200, 20, 40));
    p.setBrush(flesh);
    p.drawPath(half(42));
    // Seeds.
    const std::array<QPointF, 9> seeds = {
        {{-26, -6}, {-10, -4}, {8, -5}, {24, -7}, {-18, 8}, {0, 10}, {17, 8}, {-8, 20}, {9, 20}}};
    for (QPointF s : seeds) {
        QPointF q = s + QPointF(0, -8);
        QPainterPath d;
        d.moveTo(q + QPointF(0, -4));
        d.cubicTo(q + QPointF(3, -1), q + QPointF(3, 3), q + QPointF(0, 4));
        d.cubicTo(q + QPointF(-3, 3), q + QPointF(-3, -1), q + QPointF(0, -4));
        p.setBrush(QColor(40, 20, 15));
        p.drawPath(d);
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawEllipse(q + QPointF(-0.8, -1.5), 0.8, 1.2);
    }
    // Top edge of the cut.
    p.setPen(QPen(QColor(255, 200, 200), 2));
    p.drawLine(c + QPointF(-41, 0.5), c + QPointF(41, 0.5));
    p.setPen(QPen(QColor(10, 55, 15), 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(half(52));
    gloss(p, c + QPointF(-18, 10), 12, 6, 120, 30);
    p.restore();
}

void drawGrapes(QPainter& p) {
    QPainterPath stem;
    stem.moveTo(0, -28);
    stem.cubicTo(0, -36, 3, -42, 7, -47);
    p.setPen(QPen(QColor(90, 60, 20), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    drawLeaf(p, QPointF(2, -36), 30, 10, -160);
    const double r = 11.5;
    const std::array<std::pair<double, double>, 10> berries = {{{-30, -18},
                                                                {-10, -20},
                                                                {10, -20},
                                                                {30, -18},
                                                                {-20, 1},
                                                                {0, 0},
                                                                {20, 1},
                                                                {-10, 20},
                                                                {10, 20},
                                                                {0, 38}}};
    for (auto [x, y] : berries) {
        QPointF c(x, y);
        QRadialGradient g(c + QPointF(-4, -5), r * 1.6);
        g.setColorAt(0, QColor(215, 160, 255));
        g.setColorAt(0.35, QColor(140, 60, 200));
        g.setColorAt(0.85, QColor(75, 15, 120));
        g.setColorAt(1, QColor(45, 5, 75));
        QPainterPath e;
        e.addEllipse(c, r, r);
        strokeFill(p, e, g, QColor(40, 0, 60), 1.8);
        gloss(p, c + QPointF(-4, -5), 4.2, 3, 220, -30);
    }
}

void drawBell(QPainter& p) {
    QPainterPath body;
    body.moveTo(-7, -36);
    body.cubicTo(-28, -34, -30, -12, -31, 6);
    body.cubicTo(-32, 20, -42, 24, -44, 30);
    body.lineTo(44, 30);
    body.cubicTo(42, 24, 32, 20, 31, 6);
    body.cubicTo(30, -12, 28, -34, 7, -36);
    body.closeSubpath();
    QLinearGradient g(QPointF(-44, 0), QPointF(44, 0));
    g.setColorAt(0, QColor(150, 95, 0));
    g.setColorAt(0.3, QColor(255, 236, 130));
    g.setColorAt(0.55, QColor(245, 190, 30));
    g.setColorAt(1, QColor(135, 80, 0));
    // Clapper first: it hangs below the rim.
    QRadialGradient cg(QPointF(-2, 38), 10);
    cg.setColorAt(0, QColor(255, 230, 140));
    cg.setColorAt(1, QColor(160, 100, 0));
    QPainterPath clap;
    clap.addEllipse(QPointF(0, 39), 8, 8);
    strokeFill(p, clap, cg, QColor(110, 65, 0), 2);
    QPainterPath knob;
    knob.addEllipse(QPointF(0, -40), 6, 6);
    strokeFill(p, knob, g, QColor(110, 65, 0), 2);
    strokeFill(p, body, g, QColor(110, 65, 0), 2.4);
    QPainterPath rim;
    rim.addRoundedRect(QRectF(-47, 26, 94, 10), 5, 5);
    QLinearGradient rg(QPointF(0, 26), QPointF(0, 36));
    rg.setColorAt(0, QColor(255, 225, 110));
    rg.setColorAt(1, QColor(165, 105, 0));
    strokeFill(p, rim, rg, QColor(110, 65, 0), 2);
    gloss(p, QPointF(-14, -6), 6, 20, 200, 8);
    p.setPen(QPen(QColor(140, 85, 0, 160), 1.5));
    p.drawLine(QPointF(-30, 16), QPointF(30, 16));
}

void drawBarPlates(QPainter& p, int n) {
    const double h = n == 1 ? 36 : n == 2 ? 30 : 25, gap = n == 1 ? 0 : 5, w = n == 1 ? 112 : 108;
    const double total = n * h + (n - 1) * gap;
    QFont f = fontPx(h * 0.78, true);
    for (int i = 0; i < n; ++i) {
        QRectF r(-w / 2, -total / 2 + i * (h + gap), w, h);
        QPainterPath plate;
        plate.addRoundedRect(r, 5, 5);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(75, 75, 90));
        g.setColorAt(0.45, QColor(28, 28, 36));
        g.setColorAt(1, QColor(8, 8, 12));
        strokeFill(p, plate, g, QColor(0, 0, 0), 1.5);
        QPainterPath trim;
        trim.addRoundedRect(r.adjusted(2.2, 2.2, -2.2, -2.2), 3.5, 3.5);
        QLinearGradient tg(r.topLeft(), r.bottomLeft());
        tg.setColorAt(0, QColor(255, 235, 140));
        tg.setColorAt(1, QColor(200, 140, 20));
        p.setPen(QPen(QBrush(tg), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(trim);
        // Too small to spell out (as in the pay table): a bright stripe stands for the letters.
        if (h * p.transform().m22() < 9) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(235, 235, 240));
            p.drawRoundedRect(QRectF(r.left() + w * 0.22, r.center().y() - h * 0.14, w * 0.56, h * 0.28), 2,
                              2);
            continue;
        }
        QPainterPath t = textPath(QStringLiteral("BAR"), f, r.center() + QPointF(0, 0.5));
        p.setPen(QPen(QColor(0, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QLinearGradient lg(r.topLeft(), r.bottomLeft());
        lg.setColorAt(0, QColor(255, 255, 255));
        lg.setColorAt(1, QColor(200, 205, 215));
        p.setBrush(lg);
        p.drawPath(t);
    }
}

void drawSeven(QPainter& p, bool red) {
    QFont f = fontPx(104, true);
    QPainterPath raw;
    raw.addText(0, 0, f, QStringLiteral("7"));
    QTransform shear;
    shear.shear(-0.18, 0);
    QPainterPath s = shear.map(raw);
    s = s.translated(QPointF(0, 2) - s.boundingRect().center());
    QColor light = red ? QColor(255, 150, 130) : QColor(150, 205, 255);
    QColor mid = red ? QColor(228, 20, 25) : QColor(25, 90, 235);
    QColor dark = red ? QColor(125, 0, 0) : QColor(5, 30, 120);
    QColor rim = red ? QColor(255, 205, 60) : QColor(235, 240, 250);
    p.setPen(QPen(QColor(30, 20, 10), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(s);
    p.setPen(QPen(rim, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(s);
    QLinearGradient g(QPointF(-20, -45), QPointF(20, 45));
    g.setColorAt(0, light);
    g.setColorAt(0.35, mid);
    g.setColorAt(1, dark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(s);
    p.save();
    p.setClipPath(s);
    gloss(p, QPointF(-6, -36), 30, 7, 170, -4);
    p.restore();
    if (red) {
        // Sparkles mark the top prize.
        auto star = [&](QPointF c, double r) {
            QPainterPath st;
            for (int i = 0; i < 8; ++i) {
                double a = i * kPi / 4, rr = i % 2 ? r * 0.28 : r;
                QPointF q = c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
                if (i == 0)
                    st.moveTo(q);
                else
                    st.lineTo(q);
            }
            st.closeSubpath();
            strokeFill(p, st, QColor(255, 230, 90), QColor(170, 110, 0), 1);
        };
        star(QPointF(-40, -30), 9);
        star(QPointF(40, 26), 7);
        star(QPointF(-36, 34), 5);
    }
}

void drawSymbol(QPainter& p, int n) {
    switch (n) {
        case 1: drawLemon(p); break;
        case 2: drawStrawberry(p); break;
        case 3: drawCherries(p); break;
        case 4: drawWatermelon(p); break;
        case 5: drawGrapes(p); break;
        case 6: drawBell(p); break;
        case 7: drawBarPlates(p, 1); break;
        case 8: drawBarPlates(p, 2); break;
        case 9: drawBarPlates(p, 3); break;
        case 10: drawSeven(p, false); break;
        case 11: drawSeven(p, true); break;
        default: break;
    }
}

// The symbol alone on a transparent picture: size w x h, scale s (pixels per unit).
QImage symbolImage(int n, int w, int h, double s, QPointF centre) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(centre);
    p.scale(s, s);
    drawSymbol(p, n);
    p.end();
    return img;
}

// Box blur of the alpha channel, used for soft drop shadows.
QImage shadowOf(const QImage& src, int radius, QColor colour) {
    const int w = src.width(), h = src.height();
    std::vector<int> a(size_t(w) * h), t(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) a[size_t(y) * w + x] = qAlpha(line[x]);
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int sum = 0, cnt = 2 * radius + 1;
                for (int k = -radius; k <= radius; ++k) {
                    int xx = std::clamp(x + k, 0, w - 1);
                    sum += a[size_t(y) * w + xx];
                }
                t[size_t(y) * w + x] = sum / cnt;
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int sum = 0, cnt = 2 * radius + 1;
                for (int k = -radius; k <= radius; ++k) {
                    int yy = std::clamp(y + k, 0, h - 1);
                    sum += t[size_t(yy) * w + x];
                }
                a[size_t(y) * w + x] = sum / cnt;
            }
    }
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int al = a[size_t(y) * w + x] * colour.alpha() / 255;
            line[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), al));
        }
    }
    return out;
}

// Reel-white face with the darkening of a drum curving away at the top and bottom.
void paintReelFace(QPainter& p, QRectF r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(168, 166, 158));
    g.setColorAt(0.07, QColor(222, 220, 212));
    g.setColorAt(0.22, QColor(252, 251, 245));
    g.setColorAt(0.5, QColor(255, 255, 252));
    g.setColorAt(0.78, QColor(250, 249, 242));
    g.setColorAt(0.93, QColor(215, 213, 204));
    g.setColorAt(1.0, QColor(155, 153, 145));
    p.fillRect(r, g);
}

// A picture for `k` device pixels per cabinet pixel: k x the size, painted in cabinet pixels.
QImage blank(int w, int h, QImage::Format format, int k) {
    QImage img(w * k, h * k, format);
    img.setDevicePixelRatio(k);
    return img;
}

QImage reelPicture(int n, int k) {
    const int W = layout::kCellWidth, H = layout::kCellHeight;
    QImage img = blank(W, H, QImage::Format_RGB32, k);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintReelFace(p, QRectF(0, 0, W, H));
    // Keep clear of the frame bars: 9 px at each side, 3 px above row 1 and 4 px below row 3.
    const double s = n >= 7 && n <= 9 ? 0.8 : 0.78;
    QImage sym = symbolImage(n, W * k, H * k, s * k, QPointF(W / 2.0, H / 2.0 - 0.5) * k);
    QImage shadow = shadowOf(sym, 2 * k, QColor(60, 50, 40, 110));
    sym.setDevicePixelRatio(k);
    shadow.setDevicePixelRatio(k);
    p.drawImage(QPointF(3, 3), shadow);
    p.drawImage(QPointF(0, 0), sym);
    // A faint sheen over the curvature so the symbol sits on the drum, not above it.
    QLinearGradient sheen(QPointF(0, 0), QPointF(0, H));
    sheen.setColorAt(0, QColor(0, 0, 0, 40));
    sheen.setColorAt(0.12, QColor(0, 0, 0, 0));
    sheen.setColorAt(0.88, QColor(0, 0, 0, 0));
    sheen.setColorAt(1, QColor(0, 0, 0, 46));
    p.fillRect(QRectF(0, 0, W, H), sheen);
    p.end();
    return img;
}

QImage dimmed(const QImage& src) {
    QImage out = src.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            QRgb c = line[x];
            int grey = (qRed(c) * 3 + qGreen(c) * 6 + qBlue(c)) / 10;
            // Two fifths of the light, a little of the colour washed out toward a cool grey.
            auto mix = [&](int v, int tint) { return (v * 30 + grey * 8 + tint) / 100; };
            line[x] = qRgb(mix(qRed(c), 0), mix(qGreen(c), 60), mix(qBlue(c), 260));
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Frame bars and pay table.

QImage verticalBar(int k) {
    QImage img = blank(layout::kVerticalBarWidth, layout::kVerticalBarHeight, QImage::Format_RGB32, k);
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        double t = double(y) / (h - 1);
        for (int x = 0; x < w; ++x) {
            // Round bar: brightest a third of the way across, darker toward both edges.
            double u = (x + 0.5) / w;
            double shade = 0.78 + 0.3 * std::exp(-std::pow((u - 0.38) / 0.3, 2));
            shade = std::min(shade, 1.08);
            double r = 235 * shade, g = (20 + 215 * t) * shade, b = 12 * shade;
            img.setPixel(
                x, y,
                qRgb(std::clamp(int(std::lround(r)), 0, 255), std::clamp(int(std::lround(g)), 0, 255),
                     std::clamp(int(std::lround(b)), 0, 255)));
        }
    }
    return img;
}

QImage horizontalBar(int k) {
    QImage img = blank(layout::kHorizontalBarWidth, layout::kHorizontalBarHeight, QImage::Format_RGB32, k);
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        double u = (y + 0.5) / h;
        double shade = 0.8 + 0.28 * std::exp(-std::pow((u - 0.38) / 0.3, 2));
        shade = std::min(shade, 1.06);
        QRgb c = qRgb(std::clamp(int(std::lround(232 * shade)), 0, 255),
                      std::clamp(int(std::lround(18 * shade)), 0, 255),
                      std::clamp(int(std::lround(14 * shade)), 0, 255));
        for (int x = 0; x < w; ++x) img.setPixel(x, y, c);
    }
    return img;
}

void drawAnyMarker(QPainter& p, QRectF tile) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 165));
    QPainterPath t = textPath(QStringLiteral("?"), fontPx(tile.height() * 0.8, true), tile.center());
    p.drawPath(t);
}

QImage payTable(int k) {
    const layout::Rect R = layout::kPainelPontuacao;
    QImage img = blank(R.width, R.height, QImage::Format_RGB32, k);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(QPointF(0, 0), QPointF(0, R.height));
    bg.setColorAt(0, QColor(40, 20, 90));
    bg.setColorAt(1, QColor(15, 10, 50));
    p.fillRect(img.rect(), bg);
    // Gold frame.
    p.setPen(QPen(QColor(230, 180, 50), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 1, R.width - 2, R.height - 2), 5, 5);
    p.setPen(QPen(QColor(120, 80, 10), 1));
    p.drawRoundedRect(QRectF(3.5, 3.5, R.width - 7, R.height - 7), 4, 4);
    // Heading.
    QPainterPath head = textPath(gLetreiros->premios, fontPx(13, true), QPointF(R.width / 2.0, 13));
    p.setPen(QPen(QColor(90, 40, 0), 2.5));
    p.setBrush(QColor(255, 220, 80));
    p.drawPath(head);
    p.setPen(Qt::NoPen);
    p.drawPath(head);
    QPainterPath sub = textPath(gLetreiros->apostaDaTabela.arg(jogo::kApostaDaTabela), fontPx(9.5, false),
                                QPointF(R.width / 2.0, 26));
    p.setBrush(QColor(200, 200, 230));
    p.drawPath(sub);

    const auto& rows = jogo::kLinhasDaTabelaDePremios;
    const double top = 34, rowH = (R.height - top - 5) / 12.0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double y = top + i * rowH;
        if (i % 2 == 0) p.fillRect(QRectF(5, y, R.width - 10, rowH), QColor(255, 255, 255, 16));
        for (int k = 0; k < 3; ++k) {
            QRectF tile(9 + k * 30, y + 2, 27, rowH - 4);
            QPainterPath tp;
            tp.addRoundedRect(tile, 3, 3);
            QLinearGradient tg(tile.topLeft(), tile.bottomLeft());
            tg.setColorAt(0, QColor(200, 198, 190));
            tg.setColorAt(0.3, QColor(255, 255, 250));
            tg.setColorAt(0.7, QColor(255, 255, 250));
            tg.setColorAt(1, QColor(190, 188, 180));
            p.setPen(QPen(QColor(90, 70, 20), 1));
            p.setBrush(tg);
            p.drawPath(tp);
            const int s = rows[i][size_t(k)];
            if (s == jogo::kQualquer) {
                drawAnyMarker(p, tile.adjusted(4, 2, -4, -2));
            } else {
                p.save();
                p.setClipRect(tile.adjusted(1, 1, -1, -1));
                p.translate(tile.center());
                double sc = (s >= 7 && s <= 9) ? 0.235 : 0.19;
                p.scale(sc, sc);
                drawSymbol(p, s);
                p.restore();
            }
        }
        QFont f = fontPx(15, true);
        QPainterPath amount;
        const double valor = jogo::ValorDaLinha(rows[i], jogo::kApostaDaTabela);
        amount.addText(0, 0, f, QString::number(std::lround(valor)));
        QRectF b = amount.boundingRect();
        amount.translate(R.width - 10 - b.right(), y + rowH / 2 - b.center().y());
        p.setPen(QPen(QColor(60, 20, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(amount);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 225, 90));
        p.drawPath(amount);
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------------------------------------
// Colour reduction for the cabinet: median cut to 255 colours plus the key black, then
// Floyd-Steinberg dithering restricted to the figure so that the surround stays exactly black and
// no pixel inside the figure becomes black.

struct Box {
    std::vector<std::pair<QRgb, int>> colours;  // colour, count
};

std::vector<QRgb> medianCut(std::vector<std::pair<QRgb, int>> all, int wanted) {
    std::vector<Box> boxes(1);
    boxes[0].colours = std::move(all);
    auto channel = [](QRgb c, int ch) { return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c); };
    auto stats = [&](const Box& b, int& bestCh, long long& score) {
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        long long n = 0;
        for (auto [c, k] : b.colours) {
            for (int ch = 0; ch < 3; ++ch) {
                lo[ch] = std::min(lo[ch], channel(c, ch));
                hi[ch] = std::max(hi[ch], channel(c, ch));
            }
            n += k;
        }
        bestCh = 0;
        const int weight[3] = {3, 4, 2};
        for (int ch = 1; ch < 3; ++ch)
            if ((hi[ch] - lo[ch]) * weight[ch] > (hi[bestCh] - lo[bestCh]) * weight[bestCh]) bestCh = ch;
        long long range = (hi[bestCh] - lo[bestCh]) * weight[bestCh];
        // Split where colours are both widely spread and much used.
        score = b.colours.size() < 2 ? -1 : range * range * (long long)std::sqrt(double(n) + 1.0);
    };
    while (int(boxes.size()) < wanted) {
        int best = -1, bestCh = 0;
        long long bestScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            int ch;
            long long sc;
            stats(boxes[size_t(i)], ch, sc);
            if (sc > bestScore) {
                bestScore = sc;
                best = i;
                bestCh = ch;
            }
        }
        if (best < 0) break;
        auto& v = boxes[size_t(best)].colours;
        std::sort(v.begin(), v.end(), [&](const auto& a, const auto& b) {
            int ca = channel(a.first, bestCh), cb = channel(b.first, bestCh);
            return ca != cb ? ca < cb : a.first < b.first;
        });
        long long total = 0;
        for (auto& e : v) total += e.second;
        long long acc = 0;
        size_t cut = 1;
        for (size_t i = 0; i < v.size(); ++i) {
            acc += v[i].second;
            if (acc * 2 >= total) {
                cut = std::clamp<size_t>(i + 1, 1, v.size() - 1);
                break;
            }
        }
        Box other;
        other.colours.assign(v.begin() + long(cut), v.end());
        v.resize(cut);
        boxes.push_back(std::move(other));
    }
    std::vector<QRgb> palette;
    for (const Box& b : boxes) {
        long long r = 0, g = 0, bl = 0, n = 0;
        for (auto [c, k] : b.colours) {
            r += (long long)qRed(c) * k;
            g += (long long)qGreen(c) * k;
            bl += (long long)qBlue(c) * k;
            n += k;
        }
        if (n == 0) continue;
        palette.push_back(qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((bl + n / 2) / n)));
    }
    return palette;
}

QImage toIndexedWithKey(const QImage& figure, const QImage& inside /* Format_Grayscale8 */) {
    const int w = figure.width(), h = figure.height();
    std::map<QRgb, int> hist;
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(figure.constScanLine(y));
        const uchar* in = inside.constScanLine(y);
        for (int x = 0; x < w; ++x)
            if (in[x]) ++hist[line[x] | 0xff000000u];
    }
    std::vector<std::pair<QRgb, int>> all(hist.begin(), hist.end());
    std::vector<QRgb> pal = medianCut(std::move(all), 255);
    // No colour of the figure may equal the key.
    for (QRgb& c : pal) {
        if (qRed(c) < 8 && qGreen(c) < 8 && qBlue(c) < 8)
            c = qRgb(std::max(qRed(c), 8), std::max(qGreen(c), 8), std::max(qBlue(c), 8));
    }
    QVector<QRgb> table;
    table.push_back(qRgb(0, 0, 0));
    for (QRgb c : pal) table.push_back(c);
    while (table.size() < 256) table.push_back(table.back());

    QImage out(w, h, QImage::Format_Indexed8);
    out.setColorTable(table);
    std::vector<float> err0(size_t(w + 2) * 3, 0.f), err1(size_t(w + 2) * 3, 0.f);
    auto nearest = [&](int r, int g, int b) {
        int best = 1;
        long long bestD = -1;
        for (int i = 1; i < table.size(); ++i) {
            long long dr = r - qRed(table[i]), dg = g - qGreen(table[i]), db = b - qBlue(table[i]);
            long long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
            if (bestD < 0 || d < bestD) {
                bestD = d;
                best = i;
            }
        }
        return best;
    };
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(figure.constScanLine(y));
        const uchar* in = inside.constScanLine(y);
        uchar* o = out.scanLine(y);
        std::fill(err1.begin(), err1.end(), 0.f);
        for (int x = 0; x < w; ++x) {
            if (!in[x]) {
                o[x] = 0;
                continue;
            }
            float want[3] = {qRed(line[x]) + err0[size_t(x + 1) * 3],
                             qGreen(line[x]) + err0[size_t(x + 1) * 3 + 1],
                             qBlue(line[x]) + err0[size_t(x + 1) * 3 + 2]};
            int iw[3];
            for (int ch = 0; ch < 3; ++ch) iw[ch] = std::clamp(int(std::lround(want[ch])), 0, 255);
            int idx = nearest(iw[0], iw[1], iw[2]);
            o[x] = uchar(idx);
            float got[3] = {float(qRed(table[idx])), float(qGreen(table[idx])), float(qBlue(table[idx]))};
            for (int ch = 0; ch < 3; ++ch) {
                // Clamp the error so dark flat areas do not ring.
                float e = std::clamp(want[ch] - got[ch], -40.f, 40.f);
                auto spread = [&](std::vector<float>& row, int xx, float f) {
                    if (xx < 0 || xx >= w) return;
                    row[size_t(xx + 1) * 3 + size_t(ch)] += e * f;
                };
                if (x + 1 < w && in[x + 1]) spread(err0, x + 1, 7.f / 16);
                if (y + 1 < h) {
                    const uchar* in2 = inside.constScanLine(y + 1);
                    if (x > 0 && in2[x - 1]) spread(err1, x - 1, 3.f / 16);
                    if (in2[x]) spread(err1, x, 5.f / 16);
                    if (x + 1 < w && in2[x + 1]) spread(err1, x + 1, 1.f / 16);
                }
            }
        }
        std::swap(err0, err1);
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// The cabinet.

QPointF lampCentre(int n) {
    const layout::Rect r = layout::lamp(n);
    return QPointF(r.left + r.width / 2.0, r.top + r.height / 2.0);
}

// Catmull-Rom spline through the points, as cubic segments.
void splineThrough(QPainterPath& path, const std::vector<QPointF>& pts, bool moveFirst) {
    if (moveFirst)
        path.moveTo(pts.front());
    else
        path.lineTo(pts.front());
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        QPointF p0 = i == 0 ? pts[i] : pts[i - 1], p1 = pts[i], p2 = pts[i + 1];
        QPointF p3 = i + 2 < pts.size() ? pts[i + 2] : pts[i + 1];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
}

// The point a lamp's socket ring pushes the outline out to.
QPointF outward(QPointF c, double d) {
    const QPointF centre(400, 340);
    QPointF v = c - centre;
    double len = std::hypot(v.x(), v.y());
    return c + v * (d / len);
}

QPainterPath cabinetOutline() {
    QPainterPath o;
    const double bottom = 595, left = 8, right = 792;
    std::vector<QPointF> arch;
    arch.push_back(QPointF(left, 300));
    for (int n = 1; n <= 7; ++n) arch.push_back(outward(lampCentre(n), 30));
    // The crest that carries the title.
    arch.push_back(QPointF(232, 34));
    arch.push_back(QPointF(300, 12));
    arch.push_back(QPointF(400, 5));
    arch.push_back(QPointF(500, 12));
    arch.push_back(QPointF(570, 36));
    for (int n = 8; n <= 12; ++n) arch.push_back(outward(lampCentre(n), 30));
    arch.push_back(QPointF(772, 214));
    arch.push_back(QPointF(right, 262));
    o.moveTo(left + 14, bottom);
    o.quadTo(left, bottom, left, bottom - 14);
    o.lineTo(left, 300);
    splineThrough(o, arch, false);
    o.lineTo(right, bottom - 14);
    o.quadTo(right, bottom, right - 14, bottom);
    o.closeSubpath();
    return o;
}

// A rectangle sunk into the cabinet: a chrome rim, then a dark inner shadow.
void bezel(QPainter& p, QRectF inner, double rim, double radius, QColor face) {
    QRectF outer = grow(inner, rim);
    QLinearGradient g(outer.topLeft(), outer.bottomRight());
    g.setColorAt(0, QColor(255, 240, 180));
    g.setColorAt(0.45, QColor(205, 150, 40));
    g.setColorAt(1, QColor(110, 70, 10));
    p.setPen(QPen(QColor(60, 30, 5), 1));
    p.setBrush(g);
    p.drawRoundedRect(outer, radius + rim, radius + rim);
    QLinearGradient s(outer.topLeft(), outer.bottomRight());
    s.setColorAt(0, QColor(70, 45, 10));
    s.setColorAt(1, QColor(255, 230, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(s);
    p.drawRoundedRect(grow(inner, 1.5), radius + 1.5, radius + 1.5);
    p.setBrush(face);
    p.drawRoundedRect(inner, radius, radius);
}

void drawClover(QPainter& p, QPointF c, double r, double rot, bool withStem);

void drawMascot(QPainter& p) {
    const layout::Rect eye = layout::kOlho;
    const QPointF eyeC(eye.left + eye.width / 2.0, eye.top + eye.height / 2.0);
    // The face is a disc with the open eye at its upper left and a wink at its upper right.
    const QPointF face = eyeC + QPointF(17, 20);
    // Body: a curving stem down to the reel bezel, with arms.
    // The stem parts into two legs that stand on the lower panel in red shoes.
    QPainterPath stem, legs;
    stem.moveTo(face + QPointF(-6, 30));
    stem.cubicTo(face + QPointF(-14, 55), face + QPointF(10, 75), face + QPointF(2, 96));
    legs.moveTo(face + QPointF(2, 94));
    legs.cubicTo(face + QPointF(-6, 104), face + QPointF(-12, 110), face + QPointF(-15, 117));
    legs.moveTo(face + QPointF(2, 94));
    legs.cubicTo(face + QPointF(10, 104), face + QPointF(16, 110), face + QPointF(19, 117));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(15, 70, 20), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(legs);
    p.setPen(QPen(QColor(60, 160, 50), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(legs);
    p.setPen(QPen(QColor(15, 70, 20), 17, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    p.setPen(QPen(QColor(60, 160, 50), 11, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    for (QPointF shoe : {face + QPointF(-20, 120), face + QPointF(24, 120)}) {
        QRadialGradient sg(shoe + QPointF(-3, -3), 12);
        sg.setColorAt(0, QColor(255, 120, 100));
        sg.setColorAt(0.6, QColor(200, 20, 20));
        sg.setColorAt(1, QColor(110, 0, 0));
        p.setPen(QPen(QColor(60, 0, 0), 1.5));
        p.setBrush(sg);
        p.drawEllipse(shoe, 10, 5.5);
        p.setBrush(Qt::NoBrush);
    }
    // Arms: one waving, one holding a gold coin.
    QPainterPath armL, armR;
    armL.moveTo(face + QPointF(-8, 62));
    armL.cubicTo(face + QPointF(-40, 60), face + QPointF(-55, 40), face + QPointF(-62, 20));
    armR.moveTo(face + QPointF(4, 66));
    armR.cubicTo(face + QPointF(34, 70), face + QPointF(52, 62), face + QPointF(62, 48));
    for (const QPainterPath* a : {&armL, &armR}) {
        p.setPen(QPen(QColor(15, 70, 20), 9, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(*a);
        p.setPen(QPen(QColor(70, 170, 60), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(*a);
    }
    // White gloves.
    for (QPointF h : {face + QPointF(-62, 18), face + QPointF(62, 46)}) {
        QRadialGradient g(h + QPointF(-2, -2), 9);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(200, 200, 210));
        p.setPen(QPen(QColor(40, 40, 50), 1.5));
        p.setBrush(g);
        p.drawEllipse(h, 7.5, 7);
    }
    // The coin.
    QPointF coin = face + QPointF(72, 38);
    QRadialGradient cg(coin + QPointF(-3, -3), 14);
    cg.setColorAt(0, QColor(255, 245, 170));
    cg.setColorAt(0.6, QColor(240, 190, 40));
    cg.setColorAt(1, QColor(170, 110, 0));
    p.setPen(QPen(QColor(110, 70, 0), 1.5));
    p.setBrush(cg);
    p.drawEllipse(coin, 11, 11);
    p.setPen(QPen(QColor(150, 95, 0), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(coin, 7.5, 7.5);
    // Head: a four-leaf clover with the face on its heart.
    drawClover(p, face, 60, 45, false);
    QRadialGradient fg(face + QPointF(-8, -10), 40);
    fg.setColorAt(0, QColor(190, 245, 150));
    fg.setColorAt(0.7, QColor(95, 195, 70));
    fg.setColorAt(1, QColor(40, 130, 35));
    p.setPen(QPen(QColor(20, 80, 20), 2));
    p.setBrush(fg);
    p.drawEllipse(face, 33, 31);
    // The open eye, exactly under the eye control.
    QRectF er(eye.left, eye.top, eye.width, eye.height);
    p.setPen(QPen(QColor(20, 40, 20), 1.8));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(er.adjusted(1, 1, -1, -1));
    QPointF pupil = eyeC + QPointF(2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 160));
    p.drawEllipse(pupil, 6, 7);
    p.setBrush(QColor(15, 15, 25));
    p.drawEllipse(pupil, 3.5, 4.2);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(pupil + QPointF(-2, -3), 1.8, 1.8);
    // The wink.
    QPointF wink = eyeC + QPointF(31, 2);
    QPainterPath w;
    w.moveTo(wink + QPointF(-8, 0));
    w.quadTo(wink + QPointF(0, 6), wink + QPointF(8, -1));
    p.setPen(QPen(QColor(20, 40, 20), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(w);
    // Brows.
    p.setPen(QPen(QColor(20, 60, 20), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(eyeC + QPointF(-8, -17), eyeC + QPointF(6, -19));
    p.drawLine(wink + QPointF(-7, -9), wink + QPointF(7, -8));
    // Cheeks and smile.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 170, 110));
    p.drawEllipse(face + QPointF(-22, 8), 6, 4);
    p.drawEllipse(face + QPointF(24, 8), 6, 4);
    QPainterPath smile;
    smile.moveTo(face + QPointF(-16, 9));
    smile.cubicTo(face + QPointF(-10, 24), face + QPointF(12, 24), face + QPointF(18, 8));
    smile.cubicTo(face + QPointF(8, 14), face + QPointF(-6, 14), face + QPointF(-16, 9));
    p.setPen(QPen(QColor(20, 50, 20), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(150, 20, 30));
    p.drawPath(smile);
}

void drawClover(QPainter& p, QPointF c, double r, double rot, bool withStem) {
    // Four heart-shaped leaves around c; r is the reach of one leaf.
    if (withStem) {
        QPainterPath s;
        s.moveTo(c);
        s.cubicTo(c + QPointF(r * 0.1, r * 0.6), c + QPointF(r * 0.4, r * 0.9),
                  c + QPointF(r * 0.6, r * 1.1));
        p.setPen(QPen(QColor(20, 90, 25), r * 0.16, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(s);
    }
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(c);
        p.rotate(rot + 90 * i);
        QPainterPath h;
        // A heart pointing at the centre, lobes outward along +x.
        h.moveTo(0, 0);
        h.cubicTo(r * 0.25, -r * 0.2, r * 0.55, -r * 0.62, r * 0.85, -r * 0.42);
        h.cubicTo(r * 1.08, -r * 0.27, r * 1.05, r * 0.02, r * 0.8, 0);
        h.cubicTo(r * 1.05, -r * 0.02, r * 1.08, r * 0.27, r * 0.85, r * 0.42);
        h.cubicTo(r * 0.55, r * 0.62, r * 0.25, r * 0.2, 0, 0);
        QRadialGradient g(QPointF(r * 0.55, -r * 0.1), r * 0.7);
        g.setColorAt(0, QColor(140, 230, 100));
        g.setColorAt(0.6, QColor(55, 170, 50));
        g.setColorAt(1, QColor(20, 105, 30));
        p.setPen(QPen(QColor(10, 70, 20), std::max(1.0, r * 0.035)));
        p.setBrush(g);
        p.drawPath(h);
        p.setPen(QPen(QColor(200, 255, 180, 110), std::max(0.8, r * 0.03)));
        p.drawLine(QPointF(r * 0.15, 0), QPointF(r * 0.7, 0));
        p.restore();
    }
}

void drawLampSocket(QPainter& p, int n) {
    const QPointF c = lampCentre(n);
    const double r = layout::kLampSize / 2.0;
    QRadialGradient halo(c, r + 16);
    halo.setColorAt(0, QColor(255, 240, 160, 200));
    halo.setColorAt(0.5, QColor(255, 200, 80, 90));
    halo.setColorAt(1, QColor(255, 160, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(c, r + 16, r + 16);
    QRadialGradient ring(c + QPointF(-4, -4), r + 8);
    ring.setColorAt(0, QColor(255, 255, 255));
    ring.setColorAt(0.6, QColor(200, 200, 210));
    ring.setColorAt(1, QColor(90, 90, 105));
    p.setPen(QPen(QColor(50, 40, 40), 1.2));
    p.setBrush(ring);
    p.drawEllipse(c, r + 5, r + 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 35));
    p.drawEllipse(c, r + 1.5, r + 1.5);
    p.setBrush(QColor(250, 245, 225));
    p.drawEllipse(c, r, r);
}

QImage cabinetFigure(const QPainterPath& outline, int k) {
    const int W = layout::kCabinetWidth, H = layout::kCabinetHeight;
    QImage img = blank(W, H, QImage::Format_RGB32, k);
    img.fill(QColor(120, 12, 22));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Body: deep red lacquer, lit from above.
    QLinearGradient body(QPointF(0, 0), QPointF(0, H));
    body.setColorAt(0, QColor(200, 30, 40));
    body.setColorAt(0.35, QColor(160, 18, 32));
    body.setColorAt(1, QColor(80, 6, 18));
    p.fillRect(img.rect(), body);
    QRadialGradient glow(QPointF(400, 150), 420);
    glow.setColorAt(0, QColor(255, 170, 80, 90));
    glow.setColorAt(1, QColor(255, 120, 40, 0));
    p.fillRect(img.rect(), glow);

    // Rays of light fanning out from the mascot over the upper cabinet.
    {
        const QPointF from(layout::kOlho.left + 27, layout::kOlho.top + 32);
        p.save();
        p.setClipRect(QRectF(0, 0, W, 270));
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 36; k += 2) {
            const double a0 = k * kPi / 18, a1 = (k + 1) * kPi / 18;
            QPainterPath ray;
            ray.moveTo(from);
            ray.lineTo(from + QPointF(std::cos(a0), std::sin(a0)) * 700);
            ray.lineTo(from + QPointF(std::cos(a1), std::sin(a1)) * 700);
            ray.closeSubpath();
            QRadialGradient rg(from, 420);
            rg.setColorAt(0, QColor(255, 210, 120, 60));
            rg.setColorAt(1, QColor(255, 210, 120, 0));
            p.setBrush(rg);
            p.drawPath(ray);
        }
        p.restore();
    }

    // Gold of the trims.
    QLinearGradient trim(QPointF(0, 0), QPointF(W, H));
    trim.setColorAt(0, QColor(255, 235, 150));
    trim.setColorAt(0.5, QColor(215, 160, 40));
    trim.setColorAt(1, QColor(150, 95, 10));
    // The marquee band carrying the lamps.
    QPainterPath band;
    {
        std::vector<QPointF> left, right;
        for (int n = 1; n <= 7; ++n) left.push_back(lampCentre(n));
        for (int n = 8; n <= 12; ++n) right.push_back(lampCentre(n));
        splineThrough(band, left, true);
        QPainterPath bandR;
        splineThrough(bandR, right, true);
        band.addPath(bandR);
    }
    p.setPen(QPen(QColor(60, 10, 30), 38, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(band);
    p.setPen(QPen(QColor(110, 20, 60), 30, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(band);

    // Title plate on the crest.
    {
        QPainterPath plate;
        plate.addRoundedRect(QRectF(214, 18, 372, 66), 30, 30);
        QLinearGradient pg(QPointF(0, 18), QPointF(0, 84));
        pg.setColorAt(0, QColor(40, 20, 90));
        pg.setColorAt(1, QColor(15, 8, 45));
        p.setPen(QPen(QBrush(trim), 4));
        p.setBrush(pg);
        p.drawPath(plate);
        QFont f = fontPx(54, true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        QPainterPath title = textPath(QStringLiteral("Trevolino"), f, QPointF(400, 50));
        QRadialGradient tglow(QPointF(400, 50), 190);
        tglow.setColorAt(0, QColor(255, 220, 120, 120));
        tglow.setColorAt(1, QColor(255, 220, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(tglow);
        p.drawRoundedRect(QRectF(218, 22, 364, 58), 26, 26);
        p.setPen(QPen(QColor(40, 10, 0), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(title.translated(2, 3));
        p.setPen(QPen(QColor(120, 40, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(title);
        QLinearGradient tg(QPointF(0, 26), QPointF(0, 74));
        tg.setColorAt(0, QColor(255, 255, 210));
        tg.setColorAt(0.45, QColor(255, 215, 60));
        tg.setColorAt(0.55, QColor(235, 160, 20));
        tg.setColorAt(1, QColor(255, 225, 100));
        p.setPen(Qt::NoPen);
        p.setBrush(tg);
        p.drawPath(title);
    }

    // Lower panel: pay table, reel window and button column on a dark stage.
    {
        QPainterPath stage;
        stage.addRoundedRect(QRectF(16, 268, 776 - 8, 320), 14, 14);
        QLinearGradient sg(QPointF(0, 268), QPointF(0, 588));
        sg.setColorAt(0, QColor(45, 22, 70));
        sg.setColorAt(1, QColor(20, 10, 35));
        p.setPen(QPen(QBrush(trim), 3));
        p.setBrush(sg);
        p.drawPath(stage);
    }
    bezel(p, toF(layout::kPainelPontuacao), 4, 4, QColor(25, 12, 55));
    {
        const QRectF reels(
            layout::kHorizontalBarLeft, layout::kHorizontalBarTop[0], layout::kHorizontalBarWidth,
            layout::kHorizontalBarTop[1] + layout::kHorizontalBarHeight - layout::kHorizontalBarTop[0]);
        bezel(p, reels, 5, 3, QColor(60, 58, 70));
        p.fillRect(toF(layout::kReelGrid), QColor(235, 233, 225));
    }
    {
        const QRectF column = toF(layout::kApostar01).united(toF(layout::kGirar));
        bezel(p, grow(column, 4), 3, 8, QColor(30, 15, 50));
        for (const layout::Rect& b :
             {layout::kApostar01, layout::kApostar05, layout::kApostar10, layout::kGirar}) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(12, 10, 18));
            p.drawRoundedRect(grow(toF(b), 2), 12, 12);
        }
    }
    // Between the bet buttons and "Girar": a gold rule with a clover.
    {
        const double y = (layout::kApostar10.bottom() + layout::kGirar.top) / 2.0;
        const double l = layout::kGirar.left + 8, r = layout::kGirar.right() - 8;
        QLinearGradient rule(QPointF(l, 0), QPointF(r, 0));
        rule.setColorAt(0, QColor(200, 150, 40, 0));
        rule.setColorAt(0.5, QColor(255, 225, 120));
        rule.setColorAt(1, QColor(200, 150, 40, 0));
        p.setPen(QPen(QBrush(rule), 2));
        p.drawLine(QPointF(l, y), QPointF(r, y));
        drawClover(p, QPointF((l + r) / 2, y), 11, 45, false);
    }
    // The "Sair" socket.
    bezel(p, grow(toF(layout::kSair), 2), 3, 8, QColor(14, 12, 20));

    // LCD panel: three windows in a brushed frame, with their names. The frame steps down on the
    // right where the last lamp of the arch comes low.
    {
        const QRectF msg = toF(layout::kMensagem), cred = toF(layout::kCredito), bet = toF(layout::kAposta);
        QPainterPath panel;
        panel.addRoundedRect(
            QRectF(msg.left() - 64, msg.top() - 10, msg.width() + 64 + 10, msg.height() + 24), 10, 10);
        QRectF lower = cred.united(bet).adjusted(-64, -6, 10, 10);
        QPainterPath lowerPath;
        lowerPath.addRoundedRect(lower, 10, 10);
        panel = panel.united(lowerPath);
        QLinearGradient pg(QPointF(0, msg.top() - 10), QPointF(0, lower.bottom()));
        pg.setColorAt(0, QColor(60, 60, 75));
        pg.setColorAt(1, QColor(25, 25, 35));
        p.setPen(QPen(QBrush(trim), 3));
        p.setBrush(pg);
        p.drawPath(panel);
        QFont f = fontPx(10.5, true, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 220, 110));
        auto label = [&](const QString& s, const layout::Rect& r) {
            QPainterPath t;
            t.addText(0, 0, f, s);
            QRectF b = t.boundingRect();
            p.drawPath(t.translated(r.left - 7 - b.right(), r.top + r.height / 2.0 - b.center().y()));
        };
        label(gLetreiros->credito, layout::kCredito);
        label(gLetreiros->aposta, layout::kAposta);
    }

    // Web address strip: white, with a thin gold frame.
    bezel(p, toF(layout::kWebSite), 2, 0, QColor(255, 255, 255));

    // Jackpot window above the LCD panel: three little sevens.
    {
        QRectF win(160, 170, 140, 36);
        bezel(p, win, 3, 5, QColor(245, 243, 235));
        for (int k = 0; k < 3; ++k) {
            p.save();
            p.translate(win.left() + 24 + k * 46, win.center().y());
            p.scale(0.3, 0.3);
            drawSeven(p, true);
            p.restore();
        }
    }
    // Lucky clovers and coins in the free spaces of the arch.
    drawClover(p, QPointF(88, 205), 20, 20, true);

    // Twinkles in the free spaces of the arch.
    auto twinkle = [&](QPointF c, double r) {
        QPainterPath st;
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4 - kPi / 2, rr = i % 2 ? r * 0.22 : r;
            const QPointF q = c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
            if (i == 0)
                st.moveTo(q);
            else
                st.lineTo(q);
        }
        st.closeSubpath();
        QRadialGradient g(c, r);
        g.setColorAt(0, QColor(255, 255, 240));
        g.setColorAt(1, QColor(255, 215, 90));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(st);
    };
    twinkle(QPointF(250, 108), 9);
    twinkle(QPointF(318, 226), 7);
    twinkle(QPointF(236, 236), 5);
    twinkle(QPointF(478, 100), 8);
    twinkle(QPointF(548, 122), 10);
    twinkle(QPointF(598, 146), 6);
    twinkle(QPointF(140, 185), 6);

    drawMascot(p);
    // Gold trim along the outline, a darker line inside it, over everything that reaches the edge.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(trim), 16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(outline);
    p.setPen(QPen(QColor(90, 20, 10), 2));
    QPainterPathStroker st;
    st.setWidth(16);
    st.setJoinStyle(Qt::RoundJoin);
    QPainterPath innerEdge = outline.subtracted(st.createStroke(outline));
    p.drawPath(innerEdge);

    for (int n = 1; n <= 12; ++n) drawLampSocket(p, n);
    // The LCD windows last: the lowest lamp on the right comes close to the credit window.
    for (const layout::Rect& r : {layout::kMensagem, layout::kCredito, layout::kAposta})
        bezel(p, toF(r), 2, 0, QColor(10, 10, 12));
    p.end();
    return img;
}

// Where `outra` differs from `base`, and a margin around: its pixels there, transparent elsewhere.
// Laid over `base` (or over its JPEG, whose ringing the margin covers) it gives `outra`.
QImage sobreposicao(const QImage& base, const QImage& outra, int margem) {
    const QImage a = base.convertToFormat(QImage::Format_ARGB32),
                 b = outra.convertToFormat(QImage::Format_ARGB32);
    const int w = b.width(), h = b.height();
    std::vector<uchar> difere(size_t(w) * size_t(h)), largo(difere.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) difere[size_t(y) * w + x] = a.pixel(x, y) != b.pixel(x, y);
    // The margin: the mask grown by `margem` across, then down.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int d = -margem; d <= margem && !largo[size_t(y) * w + x]; ++d)
                largo[size_t(y) * w + x] = x + d >= 0 && x + d < w && difere[size_t(y) * w + x + d];
    QImage out(w, h, QImage::Format_ARGB32);
    out.fill(0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool perto = false;
            for (int d = -margem; d <= margem && !perto; ++d)
                perto = y + d >= 0 && y + d < h && largo[size_t(y + d) * w + x];
            if (perto) out.setPixel(x, y, b.pixel(x, y));
        }
    return out;
}

QImage cabinet(int k) {
    const int W = layout::kCabinetWidth * k, H = layout::kCabinetHeight * k;
    const QPainterPath outline = cabinetOutline();
    // Coverage of the outline; a pixel at least half covered belongs to the figure.
    QImage cover = blank(layout::kCabinetWidth, layout::kCabinetHeight, QImage::Format_Grayscale8, k);
    cover.fill(0);
    {
        QPainter p(&cover);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(outline);
    }
    for (int y = 0; y < H; ++y) {
        uchar* l = cover.scanLine(y);
        for (int x = 0; x < W; ++x) l[x] = l[x] >= 128 ? 1 : 0;
    }
    QImage fig = cabinetFigure(outline, k);
    QImage out = toIndexedWithKey(fig, cover);
    out.setDevicePixelRatio(1);  // saved as plain pixels; the game gives the 2x file its ratio
    return out;
}

// ---------------------------------------------------------------------------------------------
// Dialog glyphs and the image list.

void arrowUp(QPainter& p, QRectF r) {
    QPainterPath a;
    const double cx = r.center().x(), w = r.width(), h = r.height();
    a.moveTo(cx, r.top());
    a.lineTo(r.right(), r.top() + h * 0.5);
    a.lineTo(cx + w * 0.2, r.top() + h * 0.5);
    a.lineTo(cx + w * 0.2, r.bottom());
    a.lineTo(cx - w * 0.2, r.bottom());
    a.lineTo(cx - w * 0.2, r.top() + h * 0.5);
    a.lineTo(r.left(), r.top() + h * 0.5);
    a.closeSubpath();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(150, 240, 120));
    g.setColorAt(0.5, QColor(40, 180, 40));
    g.setColorAt(1, QColor(10, 110, 20));
    p.setPen(QPen(QColor(5, 80, 10), std::max(1.0, w / 18), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(a);
}

void stopButton(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.4), r * 1.4);
    g.setColorAt(0, QColor(255, 150, 140));
    g.setColorAt(0.5, QColor(225, 25, 25));
    g.setColorAt(1, QColor(130, 0, 0));
    p.setPen(QPen(QColor(100, 0, 0), std::max(1.0, r / 10)));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    const double d = r * 0.42;
    p.setPen(QPen(QColor(255, 255, 255), std::max(1.5, r * 0.28), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
    p.drawLine(c + QPointF(d, -d), c + QPointF(-d, d));
}

void softwareBox(QPainter& p) {
    // A box in three-quarter view with a disc leaning against it.
    QPolygonF front({QPointF(3, 8), QPointF(14, 10), QPointF(14, 23), QPointF(3, 20)});
    QPolygonF side({QPointF(14, 10), QPointF(20, 6), QPointF(20, 19), QPointF(14, 23)});
    QPolygonF top({QPointF(3, 8), QPointF(9, 4), QPointF(20, 6), QPointF(14, 10)});
    p.setPen(QPen(QColor(20, 30, 80), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient fg(QPointF(3, 8), QPointF(14, 22));
    fg.setColorAt(0, QColor(90, 150, 255));
    fg.setColorAt(1, QColor(30, 60, 190));
    p.setBrush(fg);
    p.drawPolygon(front);
    p.setBrush(QColor(20, 40, 140));
    p.drawPolygon(side);
    p.setBrush(QColor(160, 200, 255));
    p.drawPolygon(top);
    // A yellow band across the front.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 40));
    p.drawPolygon(QPolygonF({QPointF(3, 13), QPointF(14, 15), QPointF(14, 17), QPointF(3, 15)}));
    // The disc.
    QPointF c(8.5, 17);
    QConicalGradient cd(c, 30);
    cd.setColorAt(0, QColor(230, 230, 240));
    cd.setColorAt(0.2, QColor(255, 220, 240));
    cd.setColorAt(0.4, QColor(190, 240, 255));
    cd.setColorAt(0.6, QColor(240, 255, 200));
    cd.setColorAt(0.8, QColor(210, 210, 225));
    cd.setColorAt(1, QColor(230, 230, 240));
    p.setPen(QPen(QColor(90, 90, 110), 0.8));
    p.setBrush(cd);
    p.drawEllipse(c, 6.2, 6.2);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(c, 1.8, 1.8);
}

QImage glyph(int which, int k) {
    QImage img = blank(24, 24, QImage::Format_ARGB32, k);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
        case 0: arrowUp(p, QRectF(2.5, 1.5, 19, 21)); break;
        case 1: stopButton(p, QPointF(12, 12), 10.5); break;
        case 2:
            softwareBox(p);
            arrowUp(p, QRectF(14, 11, 9.5, 12));
            break;
        case 3:
            softwareBox(p);
            stopButton(p, QPointF(18.2, 17.8), 5.4);
            break;
        default: break;
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------------------------------------
// Program icon: a clover on a red cabinet face with a gold rim.

QByteArray iconSvg() {
    QString s;
    s += QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"face\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#e8313f\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#7a0615\"/>\n"
        "    </linearGradient>\n"
        "    <linearGradient id=\"rim\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#fff0a0\"/>\n"
        "      <stop offset=\"0.5\" stop-color=\"#d9a02a\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#8a5a08\"/>\n"
        "    </linearGradient>\n"
        "    <radialGradient id=\"leaf\" cx=\"0.62\" cy=\"0.45\" r=\"0.6\">\n"
        "      <stop offset=\"0\" stop-color=\"#a8f07a\"/>\n"
        "      <stop offset=\"0.6\" stop-color=\"#38aa32\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#146a1e\"/>\n"
        "    </radialGradient>\n"
        "    <radialGradient id=\"shine\" cx=\"0.5\" cy=\"0.2\" r=\"0.7\">\n"
        "      <stop offset=\"0\" stop-color=\"#ffffff\" stop-opacity=\"0.45\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#ffffff\" stop-opacity=\"0\"/>\n"
        "    </radialGradient>\n"
        "  </defs>\n"
        "  <rect x=\"8\" y=\"8\" width=\"240\" height=\"240\" rx=\"48\" fill=\"url(#rim)\"/>\n"
        "  <rect x=\"22\" y=\"22\" width=\"212\" height=\"212\" rx=\"36\" fill=\"url(#face)\"/>\n"
        "  <rect x=\"22\" y=\"22\" width=\"212\" height=\"110\" rx=\"36\" fill=\"url(#shine)\"/>\n"
        "  <g transform=\"translate(128 128) scale(1.16) translate(-128 -128)\">\n"
        "  <path d=\"M128 136 C 136 170, 150 196, 176 214\" stroke=\"#145a1a\" stroke-width=\"16\" "
        "fill=\"none\" stroke-linecap=\"round\"/>\n");
    // Four heart leaves, each the same path turned about the centre.
    for (int i = 0; i < 4; ++i) {
        s += QStringLiteral(
                 "  <path transform=\"rotate(%1 128 128)\" fill=\"url(#leaf)\" stroke=\"#0c4614\" "
                 "stroke-width=\"4\" d=\"M128 128 C 146 114, 166 84, 190 98 C 208 110, 206 128, 186 128 "
                 "C 206 128, 208 146, 190 158 C 166 172, 146 142, 128 128 Z\"/>\n")
                 .arg(45 + 90 * i);
    }
    s += QStringLiteral(
        "  <circle cx=\"128\" cy=\"128\" r=\"12\" fill=\"#ffd84a\" stroke=\"#8a5a08\" stroke-width=\"3\"/>\n"
        "  </g>\n"
        "</svg>\n");
    return s.toUtf8();
}

QImage iconPng(QSvgRenderer& svg, int n) {
    QImage img(n, n, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(0, 0, n, n));
    p.end();
    return img;
}

// ---------------------------------------------------------------------------------------------

bool writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(data) == data.size() && f.flush();
}

bool saveImage(const QImage& img, const QString& path, const char* format, int quality = -1) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, format, quality)) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: artgen <program-dir> <gen-dir>\n");
        return 2;
    }
    for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf"}) {
        QString path = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + QLatin1String(file);
        if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
    const QString programDir = QString::fromLocal8Bit(argv[1]);
    const QString genDir = QString::fromLocal8Bit(argv[2]);
    bool ok = true;

    for (const jogo::Simbolo& simbolo : jogo::kTabelaDeSimbolos) {
        const QString name = QString::fromLatin1(simbolo.desenho.data(), qsizetype(simbolo.desenho.size()));
        // The 2x pictures ("@2x") are for screens scaled to 200 %: painted, not enlarged.
        for (int k : {1, 2}) {
            const QString sufixo = k == 1 ? QString() : QStringLiteral("@2x");
            QImage bright = reelPicture(simbolo.numero, k);
            ok &= saveImage(bright, programDir + "/Bobinas/" + name + sufixo + ".jpg", "JPG", 92);
            ok &= saveImage(dimmed(bright), programDir + "/Bobinas/" + name + "-dark" + sufixo + ".jpg", "JPG", 92);
        }
    }
    const QString form = genDir + "/form/";
    ok &= saveImage(cabinet(1), form + "ChassisFundo.bmp", "BMP");
    // PNG keeps the 256 colours and the key exactly, at a fraction of a BMP's 1.9 MB.
    ok &= saveImage(cabinet(2), form + "ChassisFundo@2x.png", "PNG");
    for (int k : {1, 2}) {
        const QString sufixo = k == 1 ? QString() : QStringLiteral("@2x");
        ok &= saveImage(verticalBar(k), form + "BarraVertical" + sufixo + ".jpg", "JPG", 95);
        ok &= saveImage(horizontalBar(k), form + "BarraHorizontal" + sufixo + ".jpg", "JPG", 95);
        ok &= saveImage(payTable(k), form + "PainelPontuacao" + sufixo + ".jpg", "JPG", 94);
    }
    // Each translation's lettering: only what differs from the Portuguese pictures, at 1x and 2x.
    for (const Letreiros& letreiros : kTraducoes) {
        for (int k : {1, 2}) {
            const QString sufixo = k == 1 ? QString() : QStringLiteral("@2x");
            const QString pasta = form + letreiros.idioma + QLatin1Char('/');
            gLetreiros = &kPortugues;
            const QImage figura = cabinetFigure(cabinetOutline(), k), tabela = payTable(k);
            gLetreiros = &letreiros;
            ok &= saveImage(sobreposicao(figura, cabinetFigure(cabinetOutline(), k), 2 * k),
                            pasta + "ChassisFundo" + sufixo + ".png", "PNG");
            ok &= saveImage(sobreposicao(tabela, payTable(k), 3 * k),
                            pasta + "PainelPontuacao" + sufixo + ".png", "PNG");
        }
        gLetreiros = &kPortugues;
    }
    for (int i = 0; i < 4; ++i) {
        ok &= saveImage(glyph(i, 1), form + QStringLiteral("Icone%1.png").arg(i), "PNG");
        ok &= saveImage(glyph(i, 2), form + QStringLiteral("Icone%1@2x.png").arg(i), "PNG");
    }

    const QByteArray svg = iconSvg();
    ok &= writeFile(genDir + "/icone/trevolino.svg", svg);
    QSvgRenderer renderer(svg);
    // The window's own copy of the sizes up to 128 px, as the pixels the PNG files decode to, one
    // size after the other: the game takes them as they are instead of decoding seven PNGs at
    // every start.
    QByteArray pixeis;
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString png = genDir + QStringLiteral("/icone/hicolor/%1x%1/apps/trevolino.png").arg(n);
        ok &= saveImage(iconPng(renderer, n), png, "PNG");
        const QImage lida = QImage(png, "PNG").convertToFormat(QImage::Format_ARGB32);
        if (n <= 128) pixeis.append(reinterpret_cast<const char*>(lida.constBits()), lida.sizeInBytes());
    }
    ok &= writeFile(genDir + "/icone/trevolino.argb", pixeis);
    return ok ? 0 : 1;
}
