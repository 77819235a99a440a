// The pictures artgen paints at build time: sizes and formats as the game reads them, the
// cabinet's key-colour surround, the features under the window's controls, the dimmed reel
// pictures, the pay table against the pay rule, and byte-for-byte repeatable output.
#include <QtTest>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <csetjmp>
#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "apoio.h"
#include "game/bobinas.h"
#include "game/tabela_de_premios.h"
#include "shell/layout.h"

namespace {

const QString kProgramDir = QStringLiteral(TREVOLINO_PROGRAM_DIR);
const QString kGenDir = QStringLiteral(TREVOLINO_GEN_DIR);

QString symbolName(int n) {
    const auto v = jogo::NomeDoDesenho(n);
    return QString::fromLatin1(v.data(), int(v.size()));
}
QString reelPath(int n, bool dark) {
    return kProgramDir + "/Bobinas/" + symbolName(n) + (dark ? "-dark.jpg" : ".jpg");
}

// Decoding with libjpeg itself, as the game does; errors come back instead of ending the process.
struct Jpeg {
    bool ok = false;
    bool progressive = true;
    int components = 0;
    QImage image;
};
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    int warnings = 0;
};
void onError(j_common_ptr c) { std::longjmp(reinterpret_cast<ErrorManager*>(c->err)->jump, 1); }
void onMessage(j_common_ptr c, int level) {
    if (level < 0) ++reinterpret_cast<ErrorManager*>(c->err)->warnings;
}

Jpeg decodeJpeg(const QString& path) {
    Jpeg out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return out;
    const QByteArray data = f.readAll();
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    err.base.emit_message = onMessage;
    jpeg_create_decompress(&cinfo);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return Jpeg{};
    }
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    out.progressive = cinfo.progressive_mode;
    out.components = cinfo.num_components;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    QImage img(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = img.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    out.ok = err.warnings == 0;
    out.image = img.convertToFormat(QImage::Format_RGB32);
    return out;
}

double luma(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }
int spread(QRgb c) {
    return std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)});
}
double meanLuma(const QImage& img) {
    double s = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) s += luma(img.pixel(x, y));
    return s / (img.width() * img.height());
}
bool isKey(QRgb c) { return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0; }

QRect qrect(const apresentacao::Retangulo& r) { return QRect(r.esquerda, r.topo, r.largura, r.altura); }

// Every rectangle the window lays over the cabinet.
std::vector<QRect> controlRects() {
    using namespace apresentacao;
    std::vector<QRect> v = {qrect(kSair),
                            qrect(kGirar),
                            qrect(kApostar01),
                            qrect(kApostar05),
                            qrect(kApostar10),
                            qrect(kCredito),
                            qrect(kAposta),
                            qrect(kMensagem),
                            qrect(kWebSite),
                            qrect(kPainelPontuacao),
                            qrect(kOlho),
                            qrect(kGradeDasBobinas),
                            qrect(kLinhaDePagamento)};
    for (int x : kEsquerdaDasBarrasVerticais)
        v.push_back(QRect(x, kTopoDasBarrasVerticais, kLarguraDaBarraVertical, kAlturaDaBarraVertical));
    for (int y : kTopoDasBarrasHorizontais)
        v.push_back(
            QRect(kEsquerdaDasBarrasHorizontais, y, kLarguraDaBarraHorizontal, kAlturaDaBarraHorizontal));
    for (int n = 1; n <= 12; ++n) v.push_back(qrect(Lampada(n)));
    for (int r = 1; r <= 3; ++r)
        for (int row = 1; row <= 3; ++row) v.push_back(qrect(CelulaDaBobina(r, row)));
    return v;
}

// Number of pixels reached from `seeds` through 4-neighbours that satisfy `inside`.
template <typename Pred>
int floodCount(const QImage& img, std::vector<QPoint> seeds, Pred inside) {
    const int w = img.width(), h = img.height();
    std::vector<char> seen(size_t(w) * h, 0);
    std::vector<QPoint> stack;
    for (QPoint s : seeds)
        if (inside(img.pixel(s)) && !seen[size_t(s.y()) * w + s.x()]) {
            seen[size_t(s.y()) * w + s.x()] = 1;
            stack.push_back(s);
        }
    int count = 0;
    while (!stack.empty()) {
        QPoint p = stack.back();
        stack.pop_back();
        ++count;
        const QPoint next[4] = {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)};
        for (QPoint q : next) {
            if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h) continue;
            char& s = seen[size_t(q.y()) * w + q.x()];
            if (s || !inside(img.pixel(q))) continue;
            s = 1;
            stack.push_back(q);
        }
    }
    return count;
}

QImage loadCabinet() { return QImage(kGenDir + "/form/ChassisFundo.bmp"); }

}  // namespace

class TestArte : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { apoio::prepararAmbienteIsolado(); }

    // The 22 reel pictures: baseline colour JPEGs of one cell that libjpeg reads without a
    // warning, each symbol kept clear of the frame bars and different from every other.
    void reelPictures() {
        std::vector<QImage> bright;
        for (int n = 1; n <= 11; ++n) {
            for (bool dark : {false, true}) {
                const Jpeg j = decodeJpeg(reelPath(n, dark));
                QVERIFY2(j.ok, qPrintable(reelPath(n, dark)));
                QVERIFY(!j.progressive);
                QCOMPARE(j.components, 3);
                QCOMPARE(j.image.size(),
                         QSize(apresentacao::kLarguraDaCelula, apresentacao::kAlturaDaCelula));
                if (!dark) bright.push_back(j.image);
            }
            // The bars cover 9 px at each side, 3 px at the top of row 1 and 4 px at the bottom
            // of row 3: only the plain reel face may be there.
            const QImage& img = bright.back();
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    if (x >= 9 && x < img.width() - 9 && y >= 3 && y < img.height() - 4) continue;
                    QVERIFY2(spread(img.pixel(x, y)) < 28,
                             qPrintable(QStringLiteral("%1 at %2,%3").arg(symbolName(n)).arg(x).arg(y)));
                }
            // Something stands out in the middle: a good part of it is far from the reel face.
            int marked = 0, total = 0;
            for (int y = 12; y < img.height() - 12; ++y)
                for (int x = 30; x < img.width() - 30; ++x, ++total)
                    if (spread(img.pixel(x, y)) > 60 || luma(img.pixel(x, y)) < 120) ++marked;
            QVERIFY2(marked > total / 8, qPrintable(symbolName(n)));
        }
        for (size_t a = 0; a < bright.size(); ++a)
            for (size_t b = a + 1; b < bright.size(); ++b) {
                double diff = 0;
                for (int y = 0; y < bright[a].height(); ++y)
                    for (int x = 0; x < bright[a].width(); ++x) {
                        QRgb p = bright[a].pixel(x, y), q = bright[b].pixel(x, y);
                        diff += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                                std::abs(qBlue(p) - qBlue(q));
                    }
                diff /= bright[a].width() * bright[a].height();
                QVERIFY2(diff > 12, qPrintable(symbolName(int(a) + 1) + " ~ " + symbolName(int(b) + 1)));
            }
    }

    // A "-dark" picture is its bright picture clearly dimmed: much darker, not black, and the
    // same drawing (the two lightness maps go up and down together).
    void darkPicturesAreDimmed() {
        for (int n = 1; n <= 11; ++n) {
            const QImage b = decodeJpeg(reelPath(n, false)).image, d = decodeJpeg(reelPath(n, true)).image;
            QVERIFY(!b.isNull() && !d.isNull());
            const double mb = meanLuma(b), md = meanLuma(d);
            QVERIFY2(md < 0.6 * mb,
                     qPrintable(QStringLiteral("%1: %2 vs %3").arg(symbolName(n)).arg(md).arg(mb)));
            QVERIFY(md > 25);
            double sab = 0, saa = 0, sbb = 0;
            for (int y = 0; y < b.height(); ++y)
                for (int x = 0; x < b.width(); ++x) {
                    double p = luma(b.pixel(x, y)) - mb, q = luma(d.pixel(x, y)) - md;
                    sab += p * q;
                    saa += p * p;
                    sbb += q * q;
                }
            QVERIFY2(sab / std::sqrt(saa * sbb) > 0.9, qPrintable(symbolName(n)));
        }
    }

    // The frame bars: sizes, the vertical one from red at the top to yellow at the bottom, the
    // horizontal one red all along.
    void frameBars() {
        const Jpeg v = decodeJpeg(kGenDir + "/form/BarraVertical.jpg");
        const Jpeg h = decodeJpeg(kGenDir + "/form/BarraHorizontal.jpg");
        QVERIFY(v.ok && h.ok);
        QVERIFY(!v.progressive && !h.progressive);
        QCOMPARE(v.image.size(),
                 QSize(apresentacao::kLarguraDaBarraVertical, apresentacao::kAlturaDaBarraVertical));
        QCOMPARE(h.image.size(),
                 QSize(apresentacao::kLarguraDaBarraHorizontal, apresentacao::kAlturaDaBarraHorizontal));
        const int cx = v.image.width() / 2;
        QRgb top = v.image.pixel(cx, 0), bottom = v.image.pixel(cx, v.image.height() - 1);
        QVERIFY(qRed(top) > 200 && qGreen(top) < 70 && qBlue(top) < 70);
        QVERIFY(qRed(bottom) > 200 && qGreen(bottom) > 190 && qBlue(bottom) < 80);
        int previous = -1;
        for (int y = 0; y < v.image.height(); y += 12) {
            const int g = qGreen(v.image.pixel(cx, y));
            QVERIFY2(g >= previous - 4, qPrintable(QStringLiteral("row %1").arg(y)));
            previous = g;
        }
        for (int y = 0; y < h.image.height(); ++y)
            for (int x = 0; x < h.image.width(); ++x) {
                QRgb c = h.image.pixel(x, y);
                QVERIFY(qRed(c) > 150 && qGreen(c) < 70 && qBlue(c) < 70);
            }
    }

    // The pay table's size, and every row's amount at the table's bet: three of a kind pay the
    // bet times (number + 1); an "any" row's amount is what the game's own rule pays for every
    // filler that pays nothing by itself, in every order, and the bar row for every bar.
    void payTable() {
        const Jpeg j = decodeJpeg(kGenDir + "/form/PainelPontuacao.jpg");
        QVERIFY(j.ok && !j.progressive);
        QCOMPARE(j.image.size(),
                 QSize(apresentacao::kPainelPontuacao.largura, apresentacao::kPainelPontuacao.altura));
        const std::vector<int> plain = {1, 3, 4, 5, 6, 10, 11};
        double previous = 0;
        for (const jogo::LinhaDaTabela& s : jogo::kLinhasDaTabelaDePremios) {
            const double valor = jogo::ValorDaLinha(s, jogo::kApostaDaTabela);
            QVERIFY(valor >= previous);
            previous = valor;
            if (s[1] != jogo::kQualquer) {
                // Three of one symbol: the bet times (number + 1).
                QVERIFY(s[0] == s[1] && s[1] == s[2]);
                QCOMPARE(valor, double(jogo::kApostaDaTabela * (s[0] + 1)));
                continue;
            }
            std::vector<int> named = {s[0]};
            if (s[0] == 7) named = {7, 8, 9};
            for (int m : named)
                for (int f1 : plain)
                    for (int f2 : plain)
                        for (int at = 0; at < 3; ++at) {
                            std::array<int, 3> line{};
                            line[size_t(at)] = m;
                            line[size_t((at + 1) % 3)] = f1;
                            line[size_t((at + 2) % 3)] = f2;
                            QCOMPARE(jogo::CalcularPremio(line[0], line[1], line[2], jogo::kApostaDaTabela),
                                     valor);
                        }
        }
        // Every symbol that pays three of a kind has its row.
        for (int n = 1; n <= 11; ++n) {
            if (n == 2) continue;  // three strawberries are covered by "any strawberry" and pay more
            bool found = false;
            for (const jogo::LinhaDaTabela& row : jogo::kLinhasDaTabelaDePremios)
                found |= row == jogo::LinhaDaTabela{n, n, n};
            QVERIFY2(found, qPrintable(symbolName(n)));
        }
    }

    // Every picture has a 2x version painted at twice the size: exactly twice as large, the same
    // picture when brought down, and for the cabinet a 256-colour outline that agrees with the 1x
    // one (a pixel of either at most one 1x pixel away from the other's edge) and is never black
    // under a control.
    void picturesAt2x() {
        std::vector<std::pair<QString, QString>> pairs;
        for (int n = 1; n <= 11; ++n)
            for (bool dark : {false, true}) {
                const QString one = reelPath(n, dark);
                pairs.emplace_back(one, one.left(one.size() - 4) + "@2x.jpg");
            }
        for (const char* name : {"BarraVertical", "BarraHorizontal", "PainelPontuacao"})
            pairs.emplace_back(kGenDir + "/form/" + name + ".jpg", kGenDir + "/form/" + name + "@2x.jpg");
        pairs.emplace_back(kGenDir + "/form/ChassisFundo.bmp", kGenDir + "/form/ChassisFundo@2x.png");
        for (int i = 0; i < 4; ++i)
            pairs.emplace_back(kGenDir + QStringLiteral("/form/Icone%1.png").arg(i),
                               kGenDir + QStringLiteral("/form/Icone%1@2x.png").arg(i));
        for (const auto& [one, two] : pairs) {
            const QImage a = QImage(one).convertToFormat(QImage::Format_RGB32);
            const QImage b = QImage(two);
            QVERIFY2(!a.isNull() && !b.isNull(), qPrintable(two));
            QCOMPARE(b.size(), a.size() * 2);
            const QImage down = b.convertToFormat(QImage::Format_RGB32)
                                    .scaled(a.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            double diff = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x) {
                    const QRgb p = a.pixel(x, y), q = down.pixel(x, y);
                    diff += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                            std::abs(qBlue(p) - qBlue(q));
                }
            QVERIFY2(diff / (3.0 * a.width() * a.height()) < 10, qPrintable(two));
        }
        const QImage one = loadCabinet(), two(kGenDir + "/form/ChassisFundo@2x.png");
        QCOMPARE(two.format(), QImage::Format_Indexed8);
        const auto keyNear = [](const QImage& img, int x, int y, int r) {
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const int xx = x + dx, yy = y + dy;
                    if (xx >= 0 && yy >= 0 && xx < img.width() && yy < img.height() && isKey(img.pixel(xx, yy)))
                        return true;
                }
            return false;
        };
        for (int y = 0; y < two.height(); ++y)
            for (int x = 0; x < two.width(); ++x)
                if (isKey(two.pixel(x, y)) != isKey(one.pixel(x / 2, y / 2)))
                    QVERIFY2(keyNear(one, x / 2, y / 2, 1) && keyNear(two, x, y, 2),
                             qPrintable(QStringLiteral("outline at %1,%2").arg(x).arg(y)));
        for (const QRect& r : controlRects())
            for (int y = 2 * r.top(); y <= 2 * r.bottom() + 1; ++y)
                for (int x = 2 * r.left(); x <= 2 * r.right() + 1; ++x)
                    QVERIFY2(!isKey(two.pixel(x, y)), qPrintable(QStringLiteral("black at %1,%2").arg(x).arg(y)));
    }

    // An 8-bit indexed BMP of 800 x 600 that Qt reads back as such.
    void cabinetFormat() {
        QFile f(kGenDir + "/form/ChassisFundo.bmp");
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray d = f.readAll();
        QVERIFY(d.size() > 54);
        auto u16 = [&](int o) { return int(uchar(d[o])) | int(uchar(d[o + 1])) << 8; };
        auto u32 = [&](int o) { return u16(o) | u16(o + 2) << 16; };
        QCOMPARE(d.left(2), QByteArray("BM"));
        QCOMPARE(u32(18), apresentacao::kLarguraDoGabinete);
        QCOMPARE(u32(22), apresentacao::kAlturaDoGabinete);
        QCOMPARE(u16(28), 8);  // bits per pixel
        QCOMPARE(u32(30), 0);  // no compression
        const QImage img = loadCabinet();
        QCOMPARE(img.format(), QImage::Format_Indexed8);
        QVERIFY(img.colorCount() <= 256);
        QCOMPARE(img.size(), QSize(apresentacao::kLarguraDoGabinete, apresentacao::kAlturaDoGabinete));
    }

    // Pure black is the surround and only the surround: the corners are black, the black part
    // is one piece touching the border, the figure is one piece, and no pixel under any
    // control of the window is black.
    void cabinetKeyColour() {
        const QImage img = loadCabinet();
        QVERIFY(!img.isNull());
        const int w = img.width(), h = img.height();
        for (QPoint c : {QPoint(0, h - 1), QPoint(0, 0), QPoint(w - 1, 0), QPoint(w - 1, h - 1)})
            QVERIFY(isKey(img.pixel(c)));
        for (const QRect& r : controlRects())
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    QVERIFY2(!isKey(img.pixel(x, y)),
                             qPrintable(QStringLiteral("black at %1,%2").arg(x).arg(y)));
        int black = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) black += isKey(img.pixel(x, y));
        QVERIFY(black > 1000);
        std::vector<QPoint> border;
        for (int x = 0; x < w; ++x) border.insert(border.end(), {QPoint(x, 0), QPoint(x, h - 1)});
        for (int y = 0; y < h; ++y) border.insert(border.end(), {QPoint(0, y), QPoint(w - 1, y)});
        QCOMPARE(floodCount(img, border, isKey), black);
        const QPoint inside(qrect(apresentacao::kGradeDasBobinas).center());
        QCOMPARE(floodCount(img, {inside}, [](QRgb c) { return !isKey(c); }), w * h - black);
    }

    // The painted features lie under their controls: near-black LCD windows, the white strip of
    // the web address, the mascot's open eye, the chrome sockets of the lamps.
    void cabinetFeatures() {
        const QImage img = loadCabinet();
        QVERIFY(!img.isNull());
        for (const apresentacao::Retangulo& r :
             {apresentacao::kCredito, apresentacao::kAposta, apresentacao::kMensagem})
            for (int y = r.topo; y < r.base(); ++y)
                for (int x = r.esquerda; x < r.direita(); ++x)
                    QVERIFY2(std::max({qRed(img.pixel(x, y)), qGreen(img.pixel(x, y)),
                                       qBlue(img.pixel(x, y))}) <= 40,
                             qPrintable(QStringLiteral("LCD at %1,%2").arg(x).arg(y)));
        const apresentacao::Retangulo web = apresentacao::kWebSite;
        for (int y = web.topo; y < web.base(); ++y)
            for (int x = web.esquerda; x < web.direita(); ++x)
                QVERIFY2(luma(img.pixel(x, y)) > 225 && spread(img.pixel(x, y)) < 30,
                         qPrintable(QStringLiteral("web strip at %1,%2").arg(x).arg(y)));
        // The eye: white of the eye around a dark pupil, inside the green mascot.
        const apresentacao::Retangulo e = apresentacao::kOlho;
        int white = 0, dark = 0, green = 0, ring = 0;
        for (int y = e.topo - 8; y < e.base() + 8; ++y)
            for (int x = e.esquerda - 8; x < e.direita() + 8; ++x) {
                const QRgb c = img.pixel(x, y);
                const bool in = x >= e.esquerda && x < e.direita() && y >= e.topo && y < e.base();
                if (in) {
                    white += luma(c) > 215 && spread(c) < 40;
                    dark += luma(c) < 70;
                } else if (x < e.esquerda - 3 || x >= e.direita() + 3 || y < e.topo - 3 ||
                           y >= e.base() + 3) {
                    ++ring;
                    green += qGreen(c) > qRed(c) + 20 && qGreen(c) > qBlue(c) + 20;
                }
            }
        QVERIFY(white > e.largura * e.altura / 4);
        QVERIFY(dark > 10);
        QVERIFY(green > ring / 2);
        // Around every lamp a chrome ring: light and grey, not the cabinet's red.
        for (int n = 1; n <= 12; ++n) {
            const apresentacao::Retangulo l = apresentacao::Lampada(n);
            const double cx = l.esquerda + l.largura / 2.0, cy = l.topo + l.altura / 2.0;
            int chrome = 0;
            for (int k = 0; k < 36; ++k) {
                const double a = k * 3.14159265 / 18, r = l.largura / 2.0 + 3.5;
                const QRgb c = img.pixel(int(cx + r * std::cos(a)), int(cy + r * std::sin(a)));
                chrome += spread(c) < 45 && luma(c) > 70;
            }
            QVERIFY2(chrome >= 30, qPrintable(QStringLiteral("lamp %1: %2").arg(n).arg(chrome)));
        }
    }

    // The dialog glyphs and the image list: 24 x 24 with a transparent surround, and the
    // colours that tell them apart.
    void glyphs() {
        auto count = [](const QImage& img, auto pred) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const QRgb c = img.pixel(x, y);
                    n += qAlpha(c) > 200 && pred(c);
                }
            return n;
        };
        auto isGreen = [](QRgb c) { return qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 40; };
        auto isRed = [](QRgb c) { return qRed(c) > qGreen(c) + 80 && qRed(c) > qBlue(c) + 80; };
        auto isWhite = [](QRgb c) { return qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230; };
        std::array<QImage, 4> g;
        for (int i = 0; i < 4; ++i) {
            g[size_t(i)] = QImage(kGenDir + QStringLiteral("/form/Icone%1.png").arg(i))
                               .convertToFormat(QImage::Format_ARGB32);
            const QImage& img = g[size_t(i)];
            QCOMPARE(img.size(), QSize(24, 24));
            QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(img.pixel(23, 0)), 0);
        }
        QVERIFY(count(g[0], isGreen) > 100 && count(g[0], isRed) == 0);
        QVERIFY(count(g[1], isRed) > 150 && count(g[1], isWhite) > 15 && count(g[1], isGreen) == 0);
        QVERIFY(count(g[2], isGreen) > 15 && count(g[2], isRed) == 0);
        QVERIFY(count(g[3], isRed) > 15 && count(g[3], isGreen) == 0);
        // 2 and 3 are the same box and disc: their upper left quarters agree.
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) QCOMPARE(g[2].pixel(x, y), g[3].pixel(x, y));
    }

    // The program icon: a valid SVG and one PNG per hicolor size.
    void programIcon() {
        QSvgRenderer svg(kGenDir + "/icone/trevolino.svg");
        QVERIFY(svg.isValid());
        QCOMPARE(svg.defaultSize(), QSize(256, 256));
        for (int n : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage img(kGenDir + QStringLiteral("/icone/hicolor/%1x%1/apps/trevolino.png").arg(n));
            QCOMPARE(img.size(), QSize(n, n));
            QVERIFY(img.hasAlphaChannel());
            QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(img.pixel(n / 2, n / 2)), 255);
        }
    }

    // Two runs of the generator give the same files, byte for byte.
    void repeatable() {
        QTemporaryDir a, b;
        QVERIFY(a.isValid() && b.isValid());
        for (const QTemporaryDir* d : {&a, &b}) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "offscreen");
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(TREVOLINO_ARTGEN), {d->path() + "/prog", d->path() + "/gen"});
            QVERIFY(p.waitForFinished(120000));
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 0);
        }
        QStringList files;
        QDirIterator it(a.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) files << QDir(a.path()).relativeFilePath(it.next());
        // reels and form pictures at 1x and 2x, the theme's icons and the window's, the English
        // lettering of two pictures at 1x and 2x
        QCOMPARE(files.size(), 2 * 22 + 2 * 8 + 2 + 8 + 2 * 2);
        int inB = 0;
        QDirIterator itB(b.path(), QDir::Files, QDirIterator::Subdirectories);
        while (itB.hasNext()) {
            itB.next();
            ++inB;
        }
        QCOMPARE(inB, files.size());
        for (const QString& rel : files) {
            QFile fa(a.path() + "/" + rel), fb(b.path() + "/" + rel);
            QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
            QVERIFY2(fa.readAll() == fb.readAll(), qPrintable(rel));
        }
    }
};

QTEST_MAIN(TestArte)
#include "test_arte.moc"
