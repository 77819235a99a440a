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

QString gFamilia = QStringLiteral("DejaVu Sans");

QFont fontePx(double px, bool negrito, bool condensada = false) {
    QFont f(gFamilia);
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setBold(negrito);
    if (condensada) f.setStretch(QFont::Condensed);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QRectF emQRectF(const apresentacao::Retangulo& r) { return QRectF(r.esquerda, r.topo, r.largura, r.altura); }
QRectF crescer(const QRectF& r, double d) { return r.adjusted(-d, -d, d, d); }

// Path of a text centred on a point, built at a given pixel size.
QPainterPath caminhoDeTexto(const QString& texto, const QFont& fonte, QPointF centro) {
    QPainterPath p;
    p.addText(0, 0, fonte, texto);
    QRectF b = p.boundingRect();
    return p.translated(centro - b.center());
}

// ---------------------------------------------------------------------------------------------
// Reel symbols, drawn in a unit square of -50 .. 50 on both axes.

void contornarEPreencher(QPainter& p, const QPainterPath& caminho, const QBrush& preenchimento, QColor linha,
                         double w) {
    p.setPen(QPen(linha, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(preenchimento);
    p.drawPath(caminho);
}

void brilho(QPainter& p, QPointF c, double rx, double ry, int alfa = 200, double angulo = 0) {
    p.save();
    p.translate(c);
    p.rotate(angulo);
    QRadialGradient g(QPointF(0, 0), std::max(rx, ry));
    g.setColorAt(0, QColor(255, 255, 255, alfa));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.scale(1.0, ry / rx);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

QPainterPath caminhoDaFolha(QPointF base, double comprimento, double largura, double anguloGraus) {
    QPainterPath l;
    l.moveTo(0, 0);
    l.cubicTo(comprimento * 0.3, -largura, comprimento * 0.75, -largura, comprimento, 0);
    l.cubicTo(comprimento * 0.75, largura, comprimento * 0.3, largura, 0, 0);
    QTransform t;
    t.translate(base.x(), base.y());
    t.rotate(anguloGraus);
    return t.map(l);
}

void desenharFolha(QPainter& p, QPointF base, double comprimento, double largura, double anguloGraus) {
    QPainterPath l = caminhoDaFolha(base, comprimento, largura, anguloGraus);
    QLinearGradient g(base, base + QPointF(comprimento * std::cos(anguloGraus * kPi / 180),
                                           comprimento * std::sin(anguloGraus * kPi / 180)));
    g.setColorAt(0, QColor(40, 130, 30));
    g.setColorAt(1, QColor(110, 200, 60));
    contornarEPreencher(p, l, g, QColor(20, 70, 15), 1.6);
    p.setPen(QPen(QColor(30, 90, 20, 180), 1.0));
    QTransform t;
    t.translate(base.x(), base.y());
    t.rotate(anguloGraus);
    p.drawLine(t.map(QPointF(2, 0)), t.map(QPointF(comprimento * 0.85, 0)));
}

void desenharLimao(QPainter& p) {
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
    contornarEPreencher(p, b, g, QColor(140, 95, 0), 2.4);
    // Pores of the peel.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 140, 0, 70));
    for (int i = 0; i < 14; ++i) {
        double a = i * 2.4, r = 8 + (i * 37 % 19);
        p.drawEllipse(QPointF(r * std::cos(a) * 1.35, r * std::sin(a) * 0.9 + 4), 1.1, 1.1);
    }
    brilho(p, QPointF(-12, -15), 20, 8, 210, -8);
    p.restore();
    desenharFolha(p, QPointF(34, -22), 26, 8, -40);
    p.restore();
}

void desenharMorango(QPainter& p) {
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
    contornarEPreencher(p, b, g, QColor(100, 0, 10), 2.4);
    // Seeds.
    p.save();
    p.setClipPath(b);
    for (int linhaDaTabela = 0; linhaDaTabela < 6; ++linhaDaTabela) {
        for (int coluna = -3; coluna <= 3; ++coluna) {
            double x = coluna * 12 + (linhaDaTabela % 2 ? 6 : 0), y = -14 + linhaDaTabela * 11;
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
    brilho(p, QPointF(-18, -10), 10, 16, 150, 20);
    // Calyx.
    for (int i = 0; i < 6; ++i) {
        double a = -180 + i * 36;
        desenharFolha(p, QPointF(0, -28), 22, 6, a);
    }
    QPainterPath caule;
    caule.moveTo(0, -28);
    caule.cubicTo(1, -36, 4, -42, 8, -46);
    p.setPen(QPen(QColor(40, 100, 25), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(caule);
}

void desenharCereja(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    g.setColorAt(0, QColor(255, 140, 140));
    g.setColorAt(0.35, QColor(225, 10, 40));
    g.setColorAt(0.8, QColor(150, 0, 25));
    g.setColorAt(1, QColor(95, 0, 15));
    QPainterPath e;
    e.addEllipse(c, r, r * 0.95);
    contornarEPreencher(p, e, g, QColor(80, 0, 10), 2.2);
    brilho(p, c + QPointF(-r * 0.35, -r * 0.42), r * 0.38, r * 0.24, 230, -30);
    p.setPen(QPen(QColor(90, 0, 15), 1.6));
    p.drawArc(QRectF(c.x() - 3, c.y() - r + 1, 6, 5), 0, 180 * 16);
}

void desenharCerejas(QPainter& p) {
    QPointF a(-19, 24), b(21, 19), topo(6, -40);
    p.setBrush(Qt::NoBrush);
    QPainterPath s1, s2;
    s1.moveTo(a + QPointF(0, -18));
    s1.cubicTo(a + QPointF(2, -40), topo + QPointF(-16, 6), topo);
    s2.moveTo(b + QPointF(0, -18));
    s2.cubicTo(b + QPointF(-2, -36), topo + QPointF(8, 10), topo);
    for (const QPainterPath* s : {&s1, &s2}) {
        p.setPen(QPen(QColor(45, 80, 20), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(*s);
        p.setPen(QPen(QColor(120, 170, 60), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(*s);
    }
    desenharFolha(p, topo, 30, 9, -10);
    desenharCereja(p, b, 20);
    desenharCereja(p, a, 21);
}

void desenharMelancia(QPainter& p) {
    // A half slice, rind below, flesh above.
    p.save();
    p.translate(0, -3);
    p.scale(1.15, 1.15);
    const QPointF c(0, -16);
    auto metade = [&](double r) {
        QPainterPath h;
        h.moveTo(c + QPointF(-r, 0));
        h.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180, 180);
        h.closeSubpath();
        return h;
    };
    QLinearGradient casca(QPointF(0, -16), QPointF(0, 40));
    casca.setColorAt(0, QColor(60, 160, 50));
    casca.setColorAt(1, QColor(15, 80, 20));
    contornarEPreencher(p, metade(52), casca, QColor(10, 55, 15), 2.4);
    // Stripes on the rind.
    p.save();
    p.setClipPath(metade(52).subtracted(metade(46)));
    p.setPen(QPen(QColor(20, 90, 25), 3));
    for (int i = 1; i < 12; ++i) {
        double a = kPi * i / 12;
        p.drawLine(c + QPointF(std::cos(a) * 44, std::sin(a) * 44),
                   c + QPointF(std::cos(a) * 54, std::sin(a) * 54));
    }
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 245, 200));
    p.drawPath(metade(46));
    QRadialGradient polpa(c + QPointF(-8, 4), 50);
    polpa.setColorAt(0, QColor(255, 120, 120));
    polpa.setColorAt(0.6, QColor(240, 40, 60));
    polpa.setColorAt(1, QColor(200, 20, 40));
    p.setBrush(polpa);
    p.drawPath(metade(42));
    // Seeds.
    const std::array<QPointF, 9> sementes = {
        {{-26, -6}, {-10, -4}, {8, -5}, {24, -7}, {-18, 8}, {0, 10}, {17, 8}, {-8, 20}, {9, 20}}};
    for (QPointF s : sementes) {
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
    p.drawPath(metade(52));
    brilho(p, c + QPointF(-18, 10), 12, 6, 120, 30);
    p.restore();
}

void desenharUvas(QPainter& p) {
    QPainterPath caule;
    caule.moveTo(0, -28);
    caule.cubicTo(0, -36, 3, -42, 7, -47);
    p.setPen(QPen(QColor(90, 60, 20), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(caule);
    desenharFolha(p, QPointF(2, -36), 30, 10, -160);
    const double r = 11.5;
    const std::array<std::pair<double, double>, 10> bagas = {{{-30, -18},
                                                              {-10, -20},
                                                              {10, -20},
                                                              {30, -18},
                                                              {-20, 1},
                                                              {0, 0},
                                                              {20, 1},
                                                              {-10, 20},
                                                              {10, 20},
                                                              {0, 38}}};
    for (auto [x, y] : bagas) {
        QPointF c(x, y);
        QRadialGradient g(c + QPointF(-4, -5), r * 1.6);
        g.setColorAt(0, QColor(215, 160, 255));
        g.setColorAt(0.35, QColor(140, 60, 200));
        g.setColorAt(0.85, QColor(75, 15, 120));
        g.setColorAt(1, QColor(45, 5, 75));
        QPainterPath e;
        e.addEllipse(c, r, r);
        contornarEPreencher(p, e, g, QColor(40, 0, 60), 1.8);
        brilho(p, c + QPointF(-4, -5), 4.2, 3, 220, -30);
    }
}

void desenharSino(QPainter& p) {
    QPainterPath corpo;
    corpo.moveTo(-7, -36);
    corpo.cubicTo(-28, -34, -30, -12, -31, 6);
    corpo.cubicTo(-32, 20, -42, 24, -44, 30);
    corpo.lineTo(44, 30);
    corpo.cubicTo(42, 24, 32, 20, 31, 6);
    corpo.cubicTo(30, -12, 28, -34, 7, -36);
    corpo.closeSubpath();
    QLinearGradient g(QPointF(-44, 0), QPointF(44, 0));
    g.setColorAt(0, QColor(150, 95, 0));
    g.setColorAt(0.3, QColor(255, 236, 130));
    g.setColorAt(0.55, QColor(245, 190, 30));
    g.setColorAt(1, QColor(135, 80, 0));
    // Clapper first: it hangs below the rim.
    QRadialGradient cg(QPointF(-2, 38), 10);
    cg.setColorAt(0, QColor(255, 230, 140));
    cg.setColorAt(1, QColor(160, 100, 0));
    QPainterPath badalo;
    badalo.addEllipse(QPointF(0, 39), 8, 8);
    contornarEPreencher(p, badalo, cg, QColor(110, 65, 0), 2);
    QPainterPath botao;
    botao.addEllipse(QPointF(0, -40), 6, 6);
    contornarEPreencher(p, botao, g, QColor(110, 65, 0), 2);
    contornarEPreencher(p, corpo, g, QColor(110, 65, 0), 2.4);
    QPainterPath aro;
    aro.addRoundedRect(QRectF(-47, 26, 94, 10), 5, 5);
    QLinearGradient rg(QPointF(0, 26), QPointF(0, 36));
    rg.setColorAt(0, QColor(255, 225, 110));
    rg.setColorAt(1, QColor(165, 105, 0));
    contornarEPreencher(p, aro, rg, QColor(110, 65, 0), 2);
    brilho(p, QPointF(-14, -6), 6, 20, 200, 8);
    p.setPen(QPen(QColor(140, 85, 0, 160), 1.5));
    p.drawLine(QPointF(-30, 16), QPointF(30, 16));
}

void desenharPlacasDeBarra(QPainter& p, int n) {
    const double h = n == 1 ? 36 : n == 2 ? 30 : 25, vao = n == 1 ? 0 : 5, w = n == 1 ? 112 : 108;
    const double total = n * h + (n - 1) * vao;
    QFont f = fontePx(h * 0.78, true);
    for (int i = 0; i < n; ++i) {
        QRectF r(-w / 2, -total / 2 + i * (h + vao), w, h);
        QPainterPath placa;
        placa.addRoundedRect(r, 5, 5);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(75, 75, 90));
        g.setColorAt(0.45, QColor(28, 28, 36));
        g.setColorAt(1, QColor(8, 8, 12));
        contornarEPreencher(p, placa, g, QColor(0, 0, 0), 1.5);
        QPainterPath corte2;
        corte2.addRoundedRect(r.adjusted(2.2, 2.2, -2.2, -2.2), 3.5, 3.5);
        QLinearGradient tg(r.topLeft(), r.bottomLeft());
        tg.setColorAt(0, QColor(255, 235, 140));
        tg.setColorAt(1, QColor(200, 140, 20));
        p.setPen(QPen(QBrush(tg), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(corte2);
        // Too small to spell out (as in the pay table): a bright stripe stands for the letters.
        if (h * p.transform().m22() < 9) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(235, 235, 240));
            p.drawRoundedRect(QRectF(r.left() + w * 0.22, r.center().y() - h * 0.14, w * 0.56, h * 0.28), 2,
                              2);
            continue;
        }
        QPainterPath t = caminhoDeTexto(QStringLiteral("BAR"), f, r.center() + QPointF(0, 0.5));
        p.setPen(QPen(QColor(0, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QLinearGradient lg(r.topLeft(), r.bottomLeft());
        lg.setColorAt(0, QColor(255, 255, 255));
        lg.setColorAt(1, QColor(200, 205, 215));
        p.setBrush(lg);
        p.drawPath(t);
    }
}

void desenharSete(QPainter& p, bool vermelho) {
    QFont f = fontePx(104, true);
    QPainterPath bruto;
    bruto.addText(0, 0, f, QStringLiteral("7"));
    QTransform inclinacao;
    inclinacao.shear(-0.18, 0);
    QPainterPath s = inclinacao.map(bruto);
    s = s.translated(QPointF(0, 2) - s.boundingRect().center());
    QColor luz = vermelho ? QColor(255, 150, 130) : QColor(150, 205, 255);
    QColor meio = vermelho ? QColor(228, 20, 25) : QColor(25, 90, 235);
    QColor escuro = vermelho ? QColor(125, 0, 0) : QColor(5, 30, 120);
    QColor aro = vermelho ? QColor(255, 205, 60) : QColor(235, 240, 250);
    p.setPen(QPen(QColor(30, 20, 10), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(s);
    p.setPen(QPen(aro, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(s);
    QLinearGradient g(QPointF(-20, -45), QPointF(20, 45));
    g.setColorAt(0, luz);
    g.setColorAt(0.35, meio);
    g.setColorAt(1, escuro);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(s);
    p.save();
    p.setClipPath(s);
    brilho(p, QPointF(-6, -36), 30, 7, 170, -4);
    p.restore();
    if (vermelho) {
        // Sparkles mark the top prize.
        auto estrela = [&](QPointF c, double r) {
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
            contornarEPreencher(p, st, QColor(255, 230, 90), QColor(170, 110, 0), 1);
        };
        estrela(QPointF(-40, -30), 9);
        estrela(QPointF(40, 26), 7);
        estrela(QPointF(-36, 34), 5);
    }
}

void desenharSimbolo(QPainter& p, int n) {
    switch (n) {
        case 1: desenharLimao(p); break;
        case 2: desenharMorango(p); break;
        case 3: desenharCerejas(p); break;
        case 4: desenharMelancia(p); break;
        case 5: desenharUvas(p); break;
        case 6: desenharSino(p); break;
        case 7: desenharPlacasDeBarra(p, 1); break;
        case 8: desenharPlacasDeBarra(p, 2); break;
        case 9: desenharPlacasDeBarra(p, 3); break;
        case 10: desenharSete(p, false); break;
        case 11: desenharSete(p, true); break;
        default: break;
    }
}

// The symbol alone on a transparent picture: size w x h, scale s (pixels per unit).
QImage imagemDoSimbolo(int n, int w, int h, double s, QPointF centro) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(centro);
    p.scale(s, s);
    desenharSimbolo(p, n);
    p.end();
    return img;
}

// Box blur of the alpha channel, used for soft drop shadows.
QImage sombraDe(const QImage& origem, int raio, QColor cor) {
    const int w = origem.width(), h = origem.height();
    std::vector<int> a(size_t(w) * h), t(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* linha = reinterpret_cast<const QRgb*>(origem.constScanLine(y));
        for (int x = 0; x < w; ++x) a[size_t(y) * w + x] = qAlpha(linha[x]);
    }
    for (int passada = 0; passada < 2; ++passada) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int soma = 0, contagem = 2 * raio + 1;
                for (int k = -raio; k <= raio; ++k) {
                    int xx = std::clamp(x + k, 0, w - 1);
                    soma += a[size_t(y) * w + xx];
                }
                t[size_t(y) * w + x] = soma / contagem;
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int soma = 0, contagem = 2 * raio + 1;
                for (int k = -raio; k <= raio; ++k) {
                    int yy = std::clamp(y + k, 0, h - 1);
                    soma += t[size_t(yy) * w + x];
                }
                a[size_t(y) * w + x] = soma / contagem;
            }
    }
    QImage saida(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        QRgb* linha = reinterpret_cast<QRgb*>(saida.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int al = a[size_t(y) * w + x] * cor.alpha() / 255;
            linha[x] = qPremultiply(qRgba(cor.red(), cor.green(), cor.blue(), al));
        }
    }
    return saida;
}

// Reel-white face with the darkening of a drum curving away at the top and bottom.
void pintarFaceDaBobina(QPainter& p, QRectF r) {
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
QImage emBranco(int w, int h, QImage::Format formato, int k) {
    QImage img(w * k, h * k, formato);
    img.setDevicePixelRatio(k);
    return img;
}

QImage figuraDaBobina(int n, int k) {
    const int W = apresentacao::kLarguraDaCelula, H = apresentacao::kAlturaDaCelula;
    QImage img = emBranco(W, H, QImage::Format_RGB32, k);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    pintarFaceDaBobina(p, QRectF(0, 0, W, H));
    // Keep clear of the frame bars: 9 px at each side, 3 px above row 1 and 4 px below row 3.
    const double s = n >= 7 && n <= 9 ? 0.8 : 0.78;
    QImage simb = imagemDoSimbolo(n, W * k, H * k, s * k, QPointF(W / 2.0, H / 2.0 - 0.5) * k);
    QImage sombra = sombraDe(simb, 2 * k, QColor(60, 50, 40, 110));
    simb.setDevicePixelRatio(k);
    sombra.setDevicePixelRatio(k);
    p.drawImage(QPointF(3, 3), sombra);
    p.drawImage(QPointF(0, 0), simb);
    // A faint sheen over the curvature so the symbol sits on the drum, not above it.
    QLinearGradient lustro(QPointF(0, 0), QPointF(0, H));
    lustro.setColorAt(0, QColor(0, 0, 0, 40));
    lustro.setColorAt(0.12, QColor(0, 0, 0, 0));
    lustro.setColorAt(0.88, QColor(0, 0, 0, 0));
    lustro.setColorAt(1, QColor(0, 0, 0, 46));
    p.fillRect(QRectF(0, 0, W, H), lustro);
    p.end();
    return img;
}

QImage escurecida(const QImage& origem) {
    QImage saida = origem.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < saida.height(); ++y) {
        QRgb* linha = reinterpret_cast<QRgb*>(saida.scanLine(y));
        for (int x = 0; x < saida.width(); ++x) {
            QRgb c = linha[x];
            int cinza = (qRed(c) * 3 + qGreen(c) * 6 + qBlue(c)) / 10;
            // Two fifths of the light, a little of the colour washed out toward a cool grey.
            auto mistura = [&](int v, int tom) { return (v * 30 + cinza * 8 + tom) / 100; };
            linha[x] = qRgb(mistura(qRed(c), 0), mistura(qGreen(c), 60), mistura(qBlue(c), 260));
        }
    }
    return saida;
}

// ---------------------------------------------------------------------------------------------
// Frame bars and pay table.

QImage figuraDaBarraVertical(int k) {
    QImage img = emBranco(apresentacao::kLarguraDaBarraVertical, apresentacao::kAlturaDaBarraVertical,
                          QImage::Format_RGB32, k);
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        double t = double(y) / (h - 1);
        for (int x = 0; x < w; ++x) {
            // Round bar: brightest a third of the way across, darker toward both edges.
            double u = (x + 0.5) / w;
            double sombreado = 0.78 + 0.3 * std::exp(-std::pow((u - 0.38) / 0.3, 2));
            sombreado = std::min(sombreado, 1.08);
            double r = 235 * sombreado, g = (20 + 215 * t) * sombreado, b = 12 * sombreado;
            img.setPixel(
                x, y,
                qRgb(std::clamp(int(std::lround(r)), 0, 255), std::clamp(int(std::lround(g)), 0, 255),
                     std::clamp(int(std::lround(b)), 0, 255)));
        }
    }
    return img;
}

QImage figuraDaBarraHorizontal(int k) {
    QImage img = emBranco(apresentacao::kLarguraDaBarraHorizontal, apresentacao::kAlturaDaBarraHorizontal,
                          QImage::Format_RGB32, k);
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        double u = (y + 0.5) / h;
        double sombreado = 0.8 + 0.28 * std::exp(-std::pow((u - 0.38) / 0.3, 2));
        sombreado = std::min(sombreado, 1.06);
        QRgb c = qRgb(std::clamp(int(std::lround(232 * sombreado)), 0, 255),
                      std::clamp(int(std::lround(18 * sombreado)), 0, 255),
                      std::clamp(int(std::lround(14 * sombreado)), 0, 255));
        for (int x = 0; x < w; ++x) img.setPixel(x, y, c);
    }
    return img;
}

void desenharMarcaDeQualquer(QPainter& p, QRectF ladrilho) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 165));
    QPainterPath t =
        caminhoDeTexto(QStringLiteral("?"), fontePx(ladrilho.height() * 0.8, true), ladrilho.center());
    p.drawPath(t);
}

QImage tabelaDePremios(int k) {
    const apresentacao::Retangulo R = apresentacao::kPainelPontuacao;
    QImage img = emBranco(R.largura, R.altura, QImage::Format_RGB32, k);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(QPointF(0, 0), QPointF(0, R.altura));
    bg.setColorAt(0, QColor(40, 20, 90));
    bg.setColorAt(1, QColor(15, 10, 50));
    p.fillRect(img.rect(), bg);
    // Gold frame.
    p.setPen(QPen(QColor(230, 180, 50), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 1, R.largura - 2, R.altura - 2), 5, 5);
    p.setPen(QPen(QColor(120, 80, 10), 1));
    p.drawRoundedRect(QRectF(3.5, 3.5, R.largura - 7, R.altura - 7), 4, 4);
    // Heading.
    QPainterPath cabeca =
        caminhoDeTexto(gLetreiros->premios, fontePx(13, true), QPointF(R.largura / 2.0, 13));
    p.setPen(QPen(QColor(90, 40, 0), 2.5));
    p.setBrush(QColor(255, 220, 80));
    p.drawPath(cabeca);
    p.setPen(Qt::NoPen);
    p.drawPath(cabeca);
    QPainterPath sub = caminhoDeTexto(gLetreiros->apostaDaTabela.arg(jogo::kApostaDaTabela),
                                      fontePx(9.5, false), QPointF(R.largura / 2.0, 26));
    p.setBrush(QColor(200, 200, 230));
    p.drawPath(sub);

    const auto& linhasDaTabela = jogo::kLinhasDaTabelaDePremios;
    const double topo = 34, alturaDaLinha = (R.altura - topo - 5) / 12.0;
    for (size_t i = 0; i < linhasDaTabela.size(); ++i) {
        const double y = topo + i * alturaDaLinha;
        if (i % 2 == 0) p.fillRect(QRectF(5, y, R.largura - 10, alturaDaLinha), QColor(255, 255, 255, 16));
        for (int k = 0; k < 3; ++k) {
            QRectF ladrilho(9 + k * 30, y + 2, 27, alturaDaLinha - 4);
            QPainterPath tp;
            tp.addRoundedRect(ladrilho, 3, 3);
            QLinearGradient tg(ladrilho.topLeft(), ladrilho.bottomLeft());
            tg.setColorAt(0, QColor(200, 198, 190));
            tg.setColorAt(0.3, QColor(255, 255, 250));
            tg.setColorAt(0.7, QColor(255, 255, 250));
            tg.setColorAt(1, QColor(190, 188, 180));
            p.setPen(QPen(QColor(90, 70, 20), 1));
            p.setBrush(tg);
            p.drawPath(tp);
            const int s = linhasDaTabela[i][size_t(k)];
            if (s == jogo::kQualquer) {
                desenharMarcaDeQualquer(p, ladrilho.adjusted(4, 2, -4, -2));
            } else {
                p.save();
                p.setClipRect(ladrilho.adjusted(1, 1, -1, -1));
                p.translate(ladrilho.center());
                double sc = (s >= 7 && s <= 9) ? 0.235 : 0.19;
                p.scale(sc, sc);
                desenharSimbolo(p, s);
                p.restore();
            }
        }
        QFont f = fontePx(15, true);
        QPainterPath quantia;
        const double valor = jogo::ValorDaLinha(linhasDaTabela[i], jogo::kApostaDaTabela);
        quantia.addText(0, 0, f, QString::number(std::lround(valor)));
        QRectF b = quantia.boundingRect();
        quantia.translate(R.largura - 10 - b.right(), y + alturaDaLinha / 2 - b.center().y());
        p.setPen(QPen(QColor(60, 20, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(quantia);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 225, 90));
        p.drawPath(quantia);
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------------------------------------
// Colour reduction for the cabinet: median cut to 255 colours plus the key black, then
// Floyd-Steinberg dithering restricted to the figure so that the surround stays exactly black and
// no pixel inside the figure becomes black.

struct Caixa {
    std::vector<std::pair<QRgb, int>> cores;  // colour, count
};

std::vector<QRgb> corteMediano(std::vector<std::pair<QRgb, int>> todas, int queridas) {
    std::vector<Caixa> caixas(1);
    caixas[0].cores = std::move(todas);
    auto canal = [](QRgb c, int ch) { return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c); };
    auto estatisticas = [&](const Caixa& b, int& melhorCanal, long long& nota) {
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        long long n = 0;
        for (auto [c, k] : b.cores) {
            for (int ch = 0; ch < 3; ++ch) {
                lo[ch] = std::min(lo[ch], canal(c, ch));
                hi[ch] = std::max(hi[ch], canal(c, ch));
            }
            n += k;
        }
        melhorCanal = 0;
        const int peso[3] = {3, 4, 2};
        for (int ch = 1; ch < 3; ++ch)
            if ((hi[ch] - lo[ch]) * peso[ch] > (hi[melhorCanal] - lo[melhorCanal]) * peso[melhorCanal])
                melhorCanal = ch;
        long long faixaDeValores = (hi[melhorCanal] - lo[melhorCanal]) * peso[melhorCanal];
        // Split where colours are both widely spread and much used.
        nota =
            b.cores.size() < 2 ? -1 : faixaDeValores * faixaDeValores * (long long)std::sqrt(double(n) + 1.0);
    };
    while (int(caixas.size()) < queridas) {
        int melhor = -1, melhorCanal = 0;
        long long melhorNota = 0;
        for (int i = 0; i < int(caixas.size()); ++i) {
            int ch;
            long long sc;
            estatisticas(caixas[size_t(i)], ch, sc);
            if (sc > melhorNota) {
                melhorNota = sc;
                melhor = i;
                melhorCanal = ch;
            }
        }
        if (melhor < 0) break;
        auto& v = caixas[size_t(melhor)].cores;
        std::sort(v.begin(), v.end(), [&](const auto& a, const auto& b) {
            int ca = canal(a.first, melhorCanal), cb = canal(b.first, melhorCanal);
            return ca != cb ? ca < cb : a.first < b.first;
        });
        long long total = 0;
        for (auto& e : v) total += e.second;
        long long acumulado = 0;
        size_t corte = 1;
        for (size_t i = 0; i < v.size(); ++i) {
            acumulado += v[i].second;
            if (acumulado * 2 >= total) {
                corte = std::clamp<size_t>(i + 1, 1, v.size() - 1);
                break;
            }
        }
        Caixa outraCaixa;
        outraCaixa.cores.assign(v.begin() + long(corte), v.end());
        v.resize(corte);
        caixas.push_back(std::move(outraCaixa));
    }
    std::vector<QRgb> paleta;
    for (const Caixa& b : caixas) {
        long long r = 0, g = 0, bl = 0, n = 0;
        for (auto [c, k] : b.cores) {
            r += (long long)qRed(c) * k;
            g += (long long)qGreen(c) * k;
            bl += (long long)qBlue(c) * k;
            n += k;
        }
        if (n == 0) continue;
        paleta.push_back(qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((bl + n / 2) / n)));
    }
    return paleta;
}

QImage indexadaComChave(const QImage& silhueta, const QImage& dentro /* Format_Grayscale8 */) {
    const int w = silhueta.width(), h = silhueta.height();
    std::map<QRgb, int> histograma;
    for (int y = 0; y < h; ++y) {
        const QRgb* linha = reinterpret_cast<const QRgb*>(silhueta.constScanLine(y));
        const uchar* in = dentro.constScanLine(y);
        for (int x = 0; x < w; ++x)
            if (in[x]) ++histograma[linha[x] | 0xff000000u];
    }
    std::vector<std::pair<QRgb, int>> todas(histograma.begin(), histograma.end());
    std::vector<QRgb> paletaReduzida = corteMediano(std::move(todas), 255);
    // No colour of the figure may equal the key.
    for (QRgb& c : paletaReduzida) {
        if (qRed(c) < 8 && qGreen(c) < 8 && qBlue(c) < 8)
            c = qRgb(std::max(qRed(c), 8), std::max(qGreen(c), 8), std::max(qBlue(c), 8));
    }
    QVector<QRgb> tabelaDeCores;
    tabelaDeCores.push_back(qRgb(0, 0, 0));
    for (QRgb c : paletaReduzida) tabelaDeCores.push_back(c);
    while (tabelaDeCores.size() < 256) tabelaDeCores.push_back(tabelaDeCores.back());

    QImage saida(w, h, QImage::Format_Indexed8);
    saida.setColorTable(tabelaDeCores);
    std::vector<float> erro0(size_t(w + 2) * 3, 0.f), erro1(size_t(w + 2) * 3, 0.f);
    auto maisPerto = [&](int r, int g, int b) {
        int melhor = 1;
        long long melhorD = -1;
        for (int i = 1; i < tabelaDeCores.size(); ++i) {
            long long dr = r - qRed(tabelaDeCores[i]), dg = g - qGreen(tabelaDeCores[i]),
                      db = b - qBlue(tabelaDeCores[i]);
            long long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
            if (melhorD < 0 || d < melhorD) {
                melhorD = d;
                melhor = i;
            }
        }
        return melhor;
    };
    for (int y = 0; y < h; ++y) {
        const QRgb* linha = reinterpret_cast<const QRgb*>(silhueta.constScanLine(y));
        const uchar* in = dentro.constScanLine(y);
        uchar* o = saida.scanLine(y);
        std::fill(erro1.begin(), erro1.end(), 0.f);
        for (int x = 0; x < w; ++x) {
            if (!in[x]) {
                o[x] = 0;
                continue;
            }
            float quer[3] = {qRed(linha[x]) + erro0[size_t(x + 1) * 3],
                             qGreen(linha[x]) + erro0[size_t(x + 1) * 3 + 1],
                             qBlue(linha[x]) + erro0[size_t(x + 1) * 3 + 2]};
            int iw[3];
            for (int ch = 0; ch < 3; ++ch) iw[ch] = std::clamp(int(std::lround(quer[ch])), 0, 255);
            int ind = maisPerto(iw[0], iw[1], iw[2]);
            o[x] = uchar(ind);
            float obtido[3] = {float(qRed(tabelaDeCores[ind])), float(qGreen(tabelaDeCores[ind])),
                               float(qBlue(tabelaDeCores[ind]))};
            for (int ch = 0; ch < 3; ++ch) {
                // Clamp the error so dark flat areas do not ring.
                float e = std::clamp(quer[ch] - obtido[ch], -40.f, 40.f);
                auto dispersao = [&](std::vector<float>& linhaDaTabela, int xx, float f) {
                    if (xx < 0 || xx >= w) return;
                    linhaDaTabela[size_t(xx + 1) * 3 + size_t(ch)] += e * f;
                };
                if (x + 1 < w && in[x + 1]) dispersao(erro0, x + 1, 7.f / 16);
                if (y + 1 < h) {
                    const uchar* dentro2 = dentro.constScanLine(y + 1);
                    if (x > 0 && dentro2[x - 1]) dispersao(erro1, x - 1, 3.f / 16);
                    if (dentro2[x]) dispersao(erro1, x, 5.f / 16);
                    if (x + 1 < w && dentro2[x + 1]) dispersao(erro1, x + 1, 1.f / 16);
                }
            }
        }
        std::swap(erro0, erro1);
    }
    return saida;
}

// ---------------------------------------------------------------------------------------------
// The cabinet.

QPointF centroDaLampada(int n) {
    const apresentacao::Retangulo r = apresentacao::Lampada(n);
    return QPointF(r.esquerda + r.largura / 2.0, r.topo + r.altura / 2.0);
}

// Catmull-Rom spline through the points, as cubic segments.
void curvaPor(QPainterPath& caminho, const std::vector<QPointF>& pontos, bool moverPrimeiro) {
    if (moverPrimeiro)
        caminho.moveTo(pontos.front());
    else
        caminho.lineTo(pontos.front());
    for (size_t i = 0; i + 1 < pontos.size(); ++i) {
        QPointF p0 = i == 0 ? pontos[i] : pontos[i - 1], p1 = pontos[i], p2 = pontos[i + 1];
        QPointF p3 = i + 2 < pontos.size() ? pontos[i + 2] : pontos[i + 1];
        caminho.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
}

// The point a lamp's socket ring pushes the outline out to.
QPointF paraFora(QPointF c, double d) {
    const QPointF centro(400, 340);
    QPointF v = c - centro;
    double comprimento = std::hypot(v.x(), v.y());
    return c + v * (d / comprimento);
}

QPainterPath contornoDoGabinete() {
    QPainterPath o;
    const double baixo = 595, esquerda = 8, direita = 792;
    std::vector<QPointF> arco;
    arco.push_back(QPointF(esquerda, 300));
    for (int n = 1; n <= 7; ++n) arco.push_back(paraFora(centroDaLampada(n), 30));
    // The crest that carries the title.
    arco.push_back(QPointF(232, 34));
    arco.push_back(QPointF(300, 12));
    arco.push_back(QPointF(400, 5));
    arco.push_back(QPointF(500, 12));
    arco.push_back(QPointF(570, 36));
    for (int n = 8; n <= 12; ++n) arco.push_back(paraFora(centroDaLampada(n), 30));
    arco.push_back(QPointF(772, 214));
    arco.push_back(QPointF(direita, 262));
    o.moveTo(esquerda + 14, baixo);
    o.quadTo(esquerda, baixo, esquerda, baixo - 14);
    o.lineTo(esquerda, 300);
    curvaPor(o, arco, false);
    o.lineTo(direita, baixo - 14);
    o.quadTo(direita, baixo, direita - 14, baixo);
    o.closeSubpath();
    return o;
}

// A rectangle sunk into the cabinet: a chrome rim, then a dark inner shadow.
void moldura(QPainter& p, QRectF interno, double aro, double raio, QColor face) {
    QRectF externo = crescer(interno, aro);
    QLinearGradient g(externo.topLeft(), externo.bottomRight());
    g.setColorAt(0, QColor(255, 240, 180));
    g.setColorAt(0.45, QColor(205, 150, 40));
    g.setColorAt(1, QColor(110, 70, 10));
    p.setPen(QPen(QColor(60, 30, 5), 1));
    p.setBrush(g);
    p.drawRoundedRect(externo, raio + aro, raio + aro);
    QLinearGradient s(externo.topLeft(), externo.bottomRight());
    s.setColorAt(0, QColor(70, 45, 10));
    s.setColorAt(1, QColor(255, 230, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(s);
    p.drawRoundedRect(crescer(interno, 1.5), raio + 1.5, raio + 1.5);
    p.setBrush(face);
    p.drawRoundedRect(interno, raio, raio);
}

void desenharTrevo(QPainter& p, QPointF c, double r, double rotacao, bool comCaule);

void desenharMascote(QPainter& p) {
    const apresentacao::Retangulo olho = apresentacao::kOlho;
    const QPointF centroDoOlho(olho.esquerda + olho.largura / 2.0, olho.topo + olho.altura / 2.0);
    // The face is a disc with the open eye at its upper left and a wink at its upper right.
    const QPointF face = centroDoOlho + QPointF(17, 20);
    // Body: a curving stem down to the reel bezel, with arms.
    // The stem parts into two legs that stand on the lower panel in red shoes.
    QPainterPath caule, pernas;
    caule.moveTo(face + QPointF(-6, 30));
    caule.cubicTo(face + QPointF(-14, 55), face + QPointF(10, 75), face + QPointF(2, 96));
    pernas.moveTo(face + QPointF(2, 94));
    pernas.cubicTo(face + QPointF(-6, 104), face + QPointF(-12, 110), face + QPointF(-15, 117));
    pernas.moveTo(face + QPointF(2, 94));
    pernas.cubicTo(face + QPointF(10, 104), face + QPointF(16, 110), face + QPointF(19, 117));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(15, 70, 20), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(pernas);
    p.setPen(QPen(QColor(60, 160, 50), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(pernas);
    p.setPen(QPen(QColor(15, 70, 20), 17, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(caule);
    p.setPen(QPen(QColor(60, 160, 50), 11, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(caule);
    for (QPointF sapata : {face + QPointF(-20, 120), face + QPointF(24, 120)}) {
        QRadialGradient sg(sapata + QPointF(-3, -3), 12);
        sg.setColorAt(0, QColor(255, 120, 100));
        sg.setColorAt(0.6, QColor(200, 20, 20));
        sg.setColorAt(1, QColor(110, 0, 0));
        p.setPen(QPen(QColor(60, 0, 0), 1.5));
        p.setBrush(sg);
        p.drawEllipse(sapata, 10, 5.5);
        p.setBrush(Qt::NoBrush);
    }
    // Arms: one waving, one holding a gold coin.
    QPainterPath bracoE, bracoD;
    bracoE.moveTo(face + QPointF(-8, 62));
    bracoE.cubicTo(face + QPointF(-40, 60), face + QPointF(-55, 40), face + QPointF(-62, 20));
    bracoD.moveTo(face + QPointF(4, 66));
    bracoD.cubicTo(face + QPointF(34, 70), face + QPointF(52, 62), face + QPointF(62, 48));
    for (const QPainterPath* a : {&bracoE, &bracoD}) {
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
    QPointF moeda = face + QPointF(72, 38);
    QRadialGradient cg(moeda + QPointF(-3, -3), 14);
    cg.setColorAt(0, QColor(255, 245, 170));
    cg.setColorAt(0.6, QColor(240, 190, 40));
    cg.setColorAt(1, QColor(170, 110, 0));
    p.setPen(QPen(QColor(110, 70, 0), 1.5));
    p.setBrush(cg);
    p.drawEllipse(moeda, 11, 11);
    p.setPen(QPen(QColor(150, 95, 0), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(moeda, 7.5, 7.5);
    // Head: a four-leaf clover with the face on its heart.
    desenharTrevo(p, face, 60, 45, false);
    QRadialGradient fg(face + QPointF(-8, -10), 40);
    fg.setColorAt(0, QColor(190, 245, 150));
    fg.setColorAt(0.7, QColor(95, 195, 70));
    fg.setColorAt(1, QColor(40, 130, 35));
    p.setPen(QPen(QColor(20, 80, 20), 2));
    p.setBrush(fg);
    p.drawEllipse(face, 33, 31);
    // The open eye, exactly under the eye control.
    QRectF er(olho.esquerda, olho.topo, olho.largura, olho.altura);
    p.setPen(QPen(QColor(20, 40, 20), 1.8));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(er.adjusted(1, 1, -1, -1));
    QPointF pupila = centroDoOlho + QPointF(2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 160));
    p.drawEllipse(pupila, 6, 7);
    p.setBrush(QColor(15, 15, 25));
    p.drawEllipse(pupila, 3.5, 4.2);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(pupila + QPointF(-2, -3), 1.8, 1.8);
    // The wink.
    QPointF piscada = centroDoOlho + QPointF(31, 2);
    QPainterPath w;
    w.moveTo(piscada + QPointF(-8, 0));
    w.quadTo(piscada + QPointF(0, 6), piscada + QPointF(8, -1));
    p.setPen(QPen(QColor(20, 40, 20), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(w);
    // Brows.
    p.setPen(QPen(QColor(20, 60, 20), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centroDoOlho + QPointF(-8, -17), centroDoOlho + QPointF(6, -19));
    p.drawLine(piscada + QPointF(-7, -9), piscada + QPointF(7, -8));
    // Cheeks and smile.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 170, 110));
    p.drawEllipse(face + QPointF(-22, 8), 6, 4);
    p.drawEllipse(face + QPointF(24, 8), 6, 4);
    QPainterPath sorriso;
    sorriso.moveTo(face + QPointF(-16, 9));
    sorriso.cubicTo(face + QPointF(-10, 24), face + QPointF(12, 24), face + QPointF(18, 8));
    sorriso.cubicTo(face + QPointF(8, 14), face + QPointF(-6, 14), face + QPointF(-16, 9));
    p.setPen(QPen(QColor(20, 50, 20), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(150, 20, 30));
    p.drawPath(sorriso);
}

void desenharTrevo(QPainter& p, QPointF c, double r, double rotacao, bool comCaule) {
    // Four heart-shaped leaves around c; r is the reach of one leaf.
    if (comCaule) {
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
        p.rotate(rotacao + 90 * i);
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

void desenharSoqueteDaLampada(QPainter& p, int n) {
    const QPointF c = centroDaLampada(n);
    const double r = apresentacao::kLadoDaLampada / 2.0;
    QRadialGradient aureola(c, r + 16);
    aureola.setColorAt(0, QColor(255, 240, 160, 200));
    aureola.setColorAt(0.5, QColor(255, 200, 80, 90));
    aureola.setColorAt(1, QColor(255, 160, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(aureola);
    p.drawEllipse(c, r + 16, r + 16);
    QRadialGradient anel(c + QPointF(-4, -4), r + 8);
    anel.setColorAt(0, QColor(255, 255, 255));
    anel.setColorAt(0.6, QColor(200, 200, 210));
    anel.setColorAt(1, QColor(90, 90, 105));
    p.setPen(QPen(QColor(50, 40, 40), 1.2));
    p.setBrush(anel);
    p.drawEllipse(c, r + 5, r + 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 35));
    p.drawEllipse(c, r + 1.5, r + 1.5);
    p.setBrush(QColor(250, 245, 225));
    p.drawEllipse(c, r, r);
}

QImage figuraDoGabinete(const QPainterPath& contorno, int k) {
    const int W = apresentacao::kLarguraDoGabinete, H = apresentacao::kAlturaDoGabinete;
    QImage img = emBranco(W, H, QImage::Format_RGB32, k);
    img.fill(QColor(120, 12, 22));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Body: deep red lacquer, lit from above.
    QLinearGradient corpo(QPointF(0, 0), QPointF(0, H));
    corpo.setColorAt(0, QColor(200, 30, 40));
    corpo.setColorAt(0.35, QColor(160, 18, 32));
    corpo.setColorAt(1, QColor(80, 6, 18));
    p.fillRect(img.rect(), corpo);
    QRadialGradient brilhoExterno(QPointF(400, 150), 420);
    brilhoExterno.setColorAt(0, QColor(255, 170, 80, 90));
    brilhoExterno.setColorAt(1, QColor(255, 120, 40, 0));
    p.fillRect(img.rect(), brilhoExterno);

    // Rays of light fanning out from the mascot over the upper cabinet.
    {
        const QPointF de(apresentacao::kOlho.esquerda + 27, apresentacao::kOlho.topo + 32);
        p.save();
        p.setClipRect(QRectF(0, 0, W, 270));
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 36; k += 2) {
            const double a0 = k * kPi / 18, a1 = (k + 1) * kPi / 18;
            QPainterPath raio2;
            raio2.moveTo(de);
            raio2.lineTo(de + QPointF(std::cos(a0), std::sin(a0)) * 700);
            raio2.lineTo(de + QPointF(std::cos(a1), std::sin(a1)) * 700);
            raio2.closeSubpath();
            QRadialGradient rg(de, 420);
            rg.setColorAt(0, QColor(255, 210, 120, 60));
            rg.setColorAt(1, QColor(255, 210, 120, 0));
            p.setBrush(rg);
            p.drawPath(raio2);
        }
        p.restore();
    }

    // Gold of the trims.
    QLinearGradient corte2(QPointF(0, 0), QPointF(W, H));
    corte2.setColorAt(0, QColor(255, 235, 150));
    corte2.setColorAt(0.5, QColor(215, 160, 40));
    corte2.setColorAt(1, QColor(150, 95, 10));
    // The marquee band carrying the lamps.
    QPainterPath faixa;
    {
        std::vector<QPointF> esquerda, direita;
        for (int n = 1; n <= 7; ++n) esquerda.push_back(centroDaLampada(n));
        for (int n = 8; n <= 12; ++n) direita.push_back(centroDaLampada(n));
        curvaPor(faixa, esquerda, true);
        QPainterPath faixaR;
        curvaPor(faixaR, direita, true);
        faixa.addPath(faixaR);
    }
    p.setPen(QPen(QColor(60, 10, 30), 38, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(faixa);
    p.setPen(QPen(QColor(110, 20, 60), 30, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(faixa);

    // Title plate on the crest.
    {
        QPainterPath placa;
        placa.addRoundedRect(QRectF(214, 18, 372, 66), 30, 30);
        QLinearGradient pg(QPointF(0, 18), QPointF(0, 84));
        pg.setColorAt(0, QColor(40, 20, 90));
        pg.setColorAt(1, QColor(15, 8, 45));
        p.setPen(QPen(QBrush(corte2), 4));
        p.setBrush(pg);
        p.drawPath(placa);
        QFont f = fontePx(54, true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        QPainterPath titulo = caminhoDeTexto(QStringLiteral("Trevolino"), f, QPointF(400, 50));
        QRadialGradient brilhoDoTexto(QPointF(400, 50), 190);
        brilhoDoTexto.setColorAt(0, QColor(255, 220, 120, 120));
        brilhoDoTexto.setColorAt(1, QColor(255, 220, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(brilhoDoTexto);
        p.drawRoundedRect(QRectF(218, 22, 364, 58), 26, 26);
        p.setPen(QPen(QColor(40, 10, 0), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(titulo.translated(2, 3));
        p.setPen(QPen(QColor(120, 40, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(titulo);
        QLinearGradient tg(QPointF(0, 26), QPointF(0, 74));
        tg.setColorAt(0, QColor(255, 255, 210));
        tg.setColorAt(0.45, QColor(255, 215, 60));
        tg.setColorAt(0.55, QColor(235, 160, 20));
        tg.setColorAt(1, QColor(255, 225, 100));
        p.setPen(Qt::NoPen);
        p.setBrush(tg);
        p.drawPath(titulo);
    }

    // Lower panel: pay table, reel window and button column on a dark stage.
    {
        QPainterPath etapa;
        etapa.addRoundedRect(QRectF(16, 268, 776 - 8, 320), 14, 14);
        QLinearGradient sg(QPointF(0, 268), QPointF(0, 588));
        sg.setColorAt(0, QColor(45, 22, 70));
        sg.setColorAt(1, QColor(20, 10, 35));
        p.setPen(QPen(QBrush(corte2), 3));
        p.setBrush(sg);
        p.drawPath(etapa);
    }
    moldura(p, emQRectF(apresentacao::kPainelPontuacao), 4, 4, QColor(25, 12, 55));
    {
        const QRectF bobinas(
            apresentacao::kEsquerdaDasBarrasHorizontais, apresentacao::kTopoDasBarrasHorizontais[0],
            apresentacao::kLarguraDaBarraHorizontal,
            apresentacao::kTopoDasBarrasHorizontais[1] + apresentacao::kAlturaDaBarraHorizontal -
                apresentacao::kTopoDasBarrasHorizontais[0]);
        moldura(p, bobinas, 5, 3, QColor(60, 58, 70));
        p.fillRect(emQRectF(apresentacao::kGradeDasBobinas), QColor(235, 233, 225));
    }
    {
        const QRectF colunaDaTabela =
            emQRectF(apresentacao::kApostar01).united(emQRectF(apresentacao::kGirar));
        moldura(p, crescer(colunaDaTabela, 4), 3, 8, QColor(30, 15, 50));
        for (const apresentacao::Retangulo& b : {apresentacao::kApostar01, apresentacao::kApostar05,
                                                 apresentacao::kApostar10, apresentacao::kGirar}) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(12, 10, 18));
            p.drawRoundedRect(crescer(emQRectF(b), 2), 12, 12);
        }
    }
    // Between the bet buttons and "Girar": a gold rule with a clover.
    {
        const double y = (apresentacao::kApostar10.base() + apresentacao::kGirar.topo) / 2.0;
        const double l = apresentacao::kGirar.esquerda + 8, r = apresentacao::kGirar.direita() - 8;
        QLinearGradient regra(QPointF(l, 0), QPointF(r, 0));
        regra.setColorAt(0, QColor(200, 150, 40, 0));
        regra.setColorAt(0.5, QColor(255, 225, 120));
        regra.setColorAt(1, QColor(200, 150, 40, 0));
        p.setPen(QPen(QBrush(regra), 2));
        p.drawLine(QPointF(l, y), QPointF(r, y));
        desenharTrevo(p, QPointF((l + r) / 2, y), 11, 45, false);
    }
    // The "Sair" socket.
    moldura(p, crescer(emQRectF(apresentacao::kSair), 2), 3, 8, QColor(14, 12, 20));

    // LCD panel: three windows in a brushed frame, with their names. The frame steps down on the
    // right where the last lamp of the arch comes low.
    {
        const QRectF mensagem = emQRectF(apresentacao::kMensagem),
                     retCredito = emQRectF(apresentacao::kCredito),
                     retAposta = emQRectF(apresentacao::kAposta);
        QPainterPath painel;
        painel.addRoundedRect(QRectF(mensagem.left() - 64, mensagem.top() - 10, mensagem.width() + 64 + 10,
                                     mensagem.height() + 24),
                              10, 10);
        QRectF inferior = retCredito.united(retAposta).adjusted(-64, -6, 10, 10);
        QPainterPath caminhoInferior;
        caminhoInferior.addRoundedRect(inferior, 10, 10);
        painel = painel.united(caminhoInferior);
        QLinearGradient pg(QPointF(0, mensagem.top() - 10), QPointF(0, inferior.bottom()));
        pg.setColorAt(0, QColor(60, 60, 75));
        pg.setColorAt(1, QColor(25, 25, 35));
        p.setPen(QPen(QBrush(corte2), 3));
        p.setBrush(pg);
        p.drawPath(painel);
        QFont f = fontePx(10.5, true, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 220, 110));
        auto rotulo = [&](const QString& s, const apresentacao::Retangulo& r) {
            QPainterPath t;
            t.addText(0, 0, f, s);
            QRectF b = t.boundingRect();
            p.drawPath(t.translated(r.esquerda - 7 - b.right(), r.topo + r.altura / 2.0 - b.center().y()));
        };
        rotulo(gLetreiros->credito, apresentacao::kCredito);
        rotulo(gLetreiros->aposta, apresentacao::kAposta);
    }

    // Web address strip: white, with a thin gold frame.
    moldura(p, emQRectF(apresentacao::kWebSite), 2, 0, QColor(255, 255, 255));

    // Jackpot window above the LCD panel: three little sevens.
    {
        QRectF vitoria(160, 170, 140, 36);
        moldura(p, vitoria, 3, 5, QColor(245, 243, 235));
        for (int k = 0; k < 3; ++k) {
            p.save();
            p.translate(vitoria.left() + 24 + k * 46, vitoria.center().y());
            p.scale(0.3, 0.3);
            desenharSete(p, true);
            p.restore();
        }
    }
    // Lucky clovers and coins in the free spaces of the arch.
    desenharTrevo(p, QPointF(88, 205), 20, 20, true);

    // Twinkles in the free spaces of the arch.
    auto cintilar = [&](QPointF c, double r) {
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
    cintilar(QPointF(250, 108), 9);
    cintilar(QPointF(318, 226), 7);
    cintilar(QPointF(236, 236), 5);
    cintilar(QPointF(478, 100), 8);
    cintilar(QPointF(548, 122), 10);
    cintilar(QPointF(598, 146), 6);
    cintilar(QPointF(140, 185), 6);

    desenharMascote(p);
    // Gold trim along the outline, a darker line inside it, over everything that reaches the edge.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(corte2), 16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(contorno);
    p.setPen(QPen(QColor(90, 20, 10), 2));
    QPainterPathStroker st;
    st.setWidth(16);
    st.setJoinStyle(Qt::RoundJoin);
    QPainterPath bordaInterna = contorno.subtracted(st.createStroke(contorno));
    p.drawPath(bordaInterna);

    for (int n = 1; n <= 12; ++n) desenharSoqueteDaLampada(p, n);
    // The LCD windows last: the lowest lamp on the right comes close to the credit window.
    for (const apresentacao::Retangulo& r :
         {apresentacao::kMensagem, apresentacao::kCredito, apresentacao::kAposta})
        moldura(p, emQRectF(r), 2, 0, QColor(10, 10, 12));
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
    QImage saida(w, h, QImage::Format_ARGB32);
    saida.fill(0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool perto = false;
            for (int d = -margem; d <= margem && !perto; ++d)
                perto = y + d >= 0 && y + d < h && largo[size_t(y + d) * w + x];
            if (perto) saida.setPixel(x, y, b.pixel(x, y));
        }
    return saida;
}

QImage gabinete(int k) {
    const int W = apresentacao::kLarguraDoGabinete * k, H = apresentacao::kAlturaDoGabinete * k;
    const QPainterPath contorno = contornoDoGabinete();
    // Coverage of the outline; a pixel at least half covered belongs to the figure.
    QImage cobertura = emBranco(apresentacao::kLarguraDoGabinete, apresentacao::kAlturaDoGabinete,
                                QImage::Format_Grayscale8, k);
    cobertura.fill(0);
    {
        QPainter p(&cobertura);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(contorno);
    }
    for (int y = 0; y < H; ++y) {
        uchar* l = cobertura.scanLine(y);
        for (int x = 0; x < W; ++x) l[x] = l[x] >= 128 ? 1 : 0;
    }
    QImage fig = figuraDoGabinete(contorno, k);
    QImage saida = indexadaComChave(fig, cobertura);
    saida.setDevicePixelRatio(1);  // saved as plain pixels; the game gives the 2x file its ratio
    return saida;
}

// ---------------------------------------------------------------------------------------------
// Dialog glyphs and the image list.

void setaParaCima(QPainter& p, QRectF r) {
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

void botaoDeParar(QPainter& p, QPointF c, double r) {
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

void caixaDoPrograma(QPainter& p) {
    // A box in three-quarter view with a disc leaning against it.
    QPolygonF frente({QPointF(3, 8), QPointF(14, 10), QPointF(14, 23), QPointF(3, 20)});
    QPolygonF lado({QPointF(14, 10), QPointF(20, 6), QPointF(20, 19), QPointF(14, 23)});
    QPolygonF topo({QPointF(3, 8), QPointF(9, 4), QPointF(20, 6), QPointF(14, 10)});
    p.setPen(QPen(QColor(20, 30, 80), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient fg(QPointF(3, 8), QPointF(14, 22));
    fg.setColorAt(0, QColor(90, 150, 255));
    fg.setColorAt(1, QColor(30, 60, 190));
    p.setBrush(fg);
    p.drawPolygon(frente);
    p.setBrush(QColor(20, 40, 140));
    p.drawPolygon(lado);
    p.setBrush(QColor(160, 200, 255));
    p.drawPolygon(topo);
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

QImage glifo(int qual, int k) {
    QImage img = emBranco(24, 24, QImage::Format_ARGB32, k);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (qual) {
        case 0: setaParaCima(p, QRectF(2.5, 1.5, 19, 21)); break;
        case 1: botaoDeParar(p, QPointF(12, 12), 10.5); break;
        case 2:
            caixaDoPrograma(p);
            setaParaCima(p, QRectF(14, 11, 9.5, 12));
            break;
        case 3:
            caixaDoPrograma(p);
            botaoDeParar(p, QPointF(18.2, 17.8), 5.4);
            break;
        default: break;
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------------------------------------
// Program icon: a clover on a red cabinet face with a gold rim.

QByteArray iconeSvg() {
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

QImage iconePng(QSvgRenderer& svg, int n) {
    QImage img(n, n, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(0, 0, n, n));
    p.end();
    return img;
}

// ---------------------------------------------------------------------------------------------

bool gravarArquivo(const QString& caminho, const QByteArray& dados) {
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(dados) == dados.size() && f.flush();
}

bool salvarImagem(const QImage& img, const QString& caminho, const char* formato, int qualidade = -1) {
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    if (!img.save(caminho, formato, qualidade)) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(caminho));
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
    for (const char* arquivo : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf"}) {
        QString caminho = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + QLatin1String(arquivo);
        if (QFile::exists(caminho)) QFontDatabase::addApplicationFont(caminho);
    }
    const QString pastaDoPrograma = QString::fromLocal8Bit(argv[1]);
    const QString pastaGerada = QString::fromLocal8Bit(argv[2]);
    bool ok = true;

    for (const jogo::Simbolo& simbolo : jogo::kTabelaDeSimbolos) {
        const QString nome = QString::fromLatin1(simbolo.desenho.data(), qsizetype(simbolo.desenho.size()));
        // The 2x pictures ("@2x") are for screens scaled to 200 %: painted, not enlarged.
        for (int k : {1, 2}) {
            const QString sufixo = k == 1 ? QString() : QStringLiteral("@2x");
            QImage claro = figuraDaBobina(simbolo.numero, k);
            ok &= salvarImagem(claro, pastaDoPrograma + "/Bobinas/" + nome + sufixo + ".jpg", "JPG", 92);
            ok &= salvarImagem(escurecida(claro),
                               pastaDoPrograma + "/Bobinas/" + nome + "-dark" + sufixo + ".jpg", "JPG", 92);
        }
    }
    const QString formulario = pastaGerada + "/form/";
    ok &= salvarImagem(gabinete(1), formulario + "ChassisFundo.bmp", "BMP");
    // PNG keeps the 256 colours and the key exactly, at a fraction of a BMP's 1.9 MB.
    ok &= salvarImagem(gabinete(2), formulario + "ChassisFundo@2x.png", "PNG");
    for (int k : {1, 2}) {
        const QString sufixo = k == 1 ? QString() : QStringLiteral("@2x");
        ok &=
            salvarImagem(figuraDaBarraVertical(k), formulario + "BarraVertical" + sufixo + ".jpg", "JPG", 95);
        ok &= salvarImagem(figuraDaBarraHorizontal(k), formulario + "BarraHorizontal" + sufixo + ".jpg",
                           "JPG", 95);
        ok &= salvarImagem(tabelaDePremios(k), formulario + "PainelPontuacao" + sufixo + ".jpg", "JPG", 94);
    }
    // Each translation's lettering: only what differs from the Portuguese pictures, at 1x and 2x.
    for (const Letreiros& letreiros : kTraducoes) {
        for (int k : {1, 2}) {
            const QString sufixo = k == 1 ? QString() : QStringLiteral("@2x");
            const QString pasta = formulario + letreiros.idioma + QLatin1Char('/');
            gLetreiros = &kPortugues;
            const QImage figura = figuraDoGabinete(contornoDoGabinete(), k), tabela = tabelaDePremios(k);
            gLetreiros = &letreiros;
            ok &= salvarImagem(sobreposicao(figura, figuraDoGabinete(contornoDoGabinete(), k), 2 * k),
                               pasta + "ChassisFundo" + sufixo + ".png", "PNG");
            ok &= salvarImagem(sobreposicao(tabela, tabelaDePremios(k), 3 * k),
                               pasta + "PainelPontuacao" + sufixo + ".png", "PNG");
        }
        gLetreiros = &kPortugues;
    }
    for (int i = 0; i < 4; ++i) {
        ok &= salvarImagem(glifo(i, 1), formulario + QStringLiteral("Icone%1.png").arg(i), "PNG");
        ok &= salvarImagem(glifo(i, 2), formulario + QStringLiteral("Icone%1@2x.png").arg(i), "PNG");
    }

    const QByteArray svg = iconeSvg();
    ok &= gravarArquivo(pastaGerada + "/icone/trevolino.svg", svg);
    QSvgRenderer renderizador(svg);
    // The window's own copy of the sizes up to 128 px, as the pixels the PNG files decode to, one
    // size after the other: the game takes them as they are instead of decoding seven PNGs at
    // every start.
    QByteArray pixeis;
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString png = pastaGerada + QStringLiteral("/icone/hicolor/%1x%1/apps/trevolino.png").arg(n);
        ok &= salvarImagem(iconePng(renderizador, n), png, "PNG");
        const QImage lida = QImage(png, "PNG").convertToFormat(QImage::Format_ARGB32);
        if (n <= 128) pixeis.append(reinterpret_cast<const char*>(lida.constBits()), lida.sizeInBytes());
    }
    ok &= gravarArquivo(pastaGerada + "/icone/trevolino.argb", pixeis);
    return ok ? 0 : 1;
}
