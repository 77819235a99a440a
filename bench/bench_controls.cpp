// The controls' costly steps: building the cabinet's outline and painting one fancy button.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>

#include "capsula_prateada.h"
#include "controls/DsFancyButton.h"
#include "controls/ImageShape.h"

namespace {

// An 800 x 600 cabinet-like picture of 256 colours: pure black surround, a rounded body with
// shading, lettering, lamps, and a few thousand dark specks that become holes.
QImage gabinete() {
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 600);
    g.setColorAt(0, QColor(220, 40, 40));
    g.setColorAt(1, QColor(90, 10, 10));
    p.setBrush(g);
    p.setPen(QPen(QColor(250, 210, 60), 6));
    p.drawRoundedRect(QRectF(20, 60, 760, 520), 60, 60);
    p.drawEllipse(QRectF(100, 10, 600, 220));
    p.setFont(QFont("DejaVu Sans", 48, QFont::Bold));
    p.drawText(QRect(0, 40, 800, 120), Qt::AlignCenter, "TREVOLINO");
    for (int i = 0; i < 12; ++i) p.drawEllipse(QRectF(40 + 60 * i, 200, 24, 24));
    p.end();
    QRandomGenerator r(7);
    for (int i = 0; i < 3000; ++i) img.setPixel(60 + r.bounded(680), 100 + r.bounded(460), qRgb(0, 0, 0));
    return img.convertToFormat(QImage::Format_Indexed8);
}

void BM_ContornoDoGabinete(benchmark::State& state) {
    const QImage figura = state.range(0) ? gabinete().convertToFormat(QImage::Format_RGB32) : gabinete();
    const QRect r(0, 0, 800, 600);
    for (auto _ : state) {
        QRegion regiao = TImageShape::BuildOpaqueRegion(figura, r, r);
        benchmark::DoNotOptimize(regiao);
    }
    state.SetLabel(state.range(0) ? "RGB32" : "256 colours");
}
BENCHMARK(BM_ContornoDoGabinete)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The game's own cabinet picture, when the art has been generated.
void BM_ContornoDoGabineteDoJogo(benchmark::State& state) {
    const QImage figura(QStringLiteral(TREVOLINO_GEN_DIR "/form/ChassisFundo.bmp"));
    if (figura.isNull()) {
        state.SkipWithError("cabinet picture not generated (build assets_art)");
        return;
    }
    const QRect r(QPoint(0, 0), figura.size());
    for (auto _ : state) {
        QRegion regiao = TImageShape::BuildOpaqueRegion(figura, r, r);
        benchmark::DoNotOptimize(regiao);
    }
}
BENCHMARK(BM_ContornoDoGabineteDoJogo)->Unit(benchmark::kMillisecond);

// The whole update: outline, placement and the window's mask.
void BM_FiguraDoGabineteAtribuida(benchmark::State& state) {
    const QImage figura = gabinete();
    QWidget janela;
    janela.resize(800, 600);
    auto* img = new TImageShape(&janela);
    img->setGeometry(0, 0, 800, 600);
    for (auto _ : state) img->setPicture(figura);
}
BENCHMARK(BM_FiguraDoGabineteAtribuida)->Unit(benchmark::kMillisecond);

void BM_PintarCapsulaPrateada(benchmark::State& state) {
    TDsFancyButton b;
    ComoCapsulaPrateada(b);
    QImage alvo(156, 60, QImage::Format_RGB32);
    alvo.fill(Qt::darkRed);
    b.render(&alvo);  // first paint loads the glyphs
    for (auto _ : state) {
        b.render(&alvo, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PintarCapsulaPrateada)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
