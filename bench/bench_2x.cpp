// The cabinet on a screen scaled 2x (QT_SCALE_FACTOR=2), against the 1x targets: one reel draw
// from the 2x pictures (four times the pixels: decoded once, each file's size and time checked at
// every draw) under 0.5 ms, and one capsule paint in device pixels under 0.2 ms.
#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

#include "capsula_prateada.h"
#include "controls/DsFancyButton.h"
#include "game/bobinas.h"
#include "game/maquina.h"
#include "shell/uPrincipal.h"

namespace {

void BM_DesenharUmaBobinaEm2x(benchmark::State& state) {
    const QString pasta = QString(TREVOLINO_PROGRAM_DIR) + "/";
    if (!QFile::exists(pasta + "Bobinas/limao@2x.jpg")) {
        state.SkipWithError("2x reel pictures not generated (build assets_art)");
        return;
    }
    TfrmPrincipal w(nullptr, false);
    w.PastaDoPrograma = pasta;
    jogo::Maquina& m = w.maquina();
    for (auto _ : state) {
        m.Posicionar(jogo::Decrementar(m.Posicao(1)), m.Posicao(2), m.Posicao(3));
        w.DesenharBobina1();
    }
    if (w.findChild<Figura*>("imgA2")->Imagem().devicePixelRatio() != 2)
        state.SkipWithError("the 2x pictures were not used");
    state.SetLabel("target < 0.5 ms");
}
BENCHMARK(BM_DesenharUmaBobinaEm2x)->Unit(benchmark::kMicrosecond);

void BM_BotaoCapsulaEm2x(benchmark::State& state) {
    TDsFancyButton b;
    ComoCapsulaPrateada(b);
    QImage alvo(312, 120, QImage::Format_RGB32);
    alvo.setDevicePixelRatio(2);
    alvo.fill(Qt::darkRed);
    b.render(&alvo);  // the first paint builds the face
    for (auto _ : state) {
        b.render(&alvo, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::ClobberMemory();
    }
    state.SetLabel("target < 0.2 ms");
}
BENCHMARK(BM_BotaoCapsulaEm2x)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
