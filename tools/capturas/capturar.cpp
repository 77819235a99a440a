// trevolino-capturas OUT_DIR [SUFFIX]: runs the real cabinet on the current X display and photographs it
// idle, during a spin, during a payout, with a message dialog, with the exit question and with the
// contract dialog. The draw and the reel positions are fixed so the pictures are the same every
// time; the winning spin is one that can really come up in play (three cherries). The lamps and
// the marquee move only when a picture is about to be taken, by a fixed number of steps, and the
// reels and the count-up are held still while it is taken, so two runs give the same pixels.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "controls/DsFancyButton.h"
#include "game/bobinas.h"
#include "game/maquina.h"
#include "installer/uDialogoContrato.h"
#include "platform/idioma.h"
#include "shell/espera.h"
#include "shell/uPrincipal.h"

namespace {

QString g_saida;
QString g_sufixo;  // after each picture's name: "-2x" for the run on a screen scaled 2x
TfrmPrincipal* g_janela = nullptr;

// The screen around the window (the desktop shows where the cabinet's outline cuts it).
bool fotografar(const QString& nome, const QRect& area) {
    QScreen* tela = QGuiApplication::primaryScreen();
    const QPixmap p = tela->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString arquivo = g_saida + "/" + nome + g_sufixo + ".png";
    const bool ok = !p.isNull() && p.save(arquivo);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(arquivo));
    return ok;
}

QRect emVoltaDaJanela() { return g_janela->frameGeometry().adjusted(-20, -20, 20, 20); }

bool botoesHabilitados() { return g_janela->findChild<TDsFancyButton*>("spdGirar")->isEnabled(); }

void esperar(double s) { uRotinasGerais::Aguardar(false, s); }

void esperarAte(const std::function<bool()>& f, double limite) {
    for (double t = 0; t < limite && !f(); t += 0.02) esperar(0.02);
}

// The machine's timers by name; the lamp timer never runs on its own here.
QTimer* temporizador(const char* nome) { return g_janela->maquina().findChild<QTimer*>(nome); }

// Holds the turn where it stands (reels, the settling pause, the count-up, the final second), sets
// the lamps and the marquee by `passos` steps, lets the window paint, and takes the picture; the
// timers that were running go on afterwards.
bool fotografarParado(const QString& nome, const std::function<QRect()>& area, int passos) {
    QList<QTimer*> parados;
    for (QTimer* t : g_janela->maquina().findChildren<QTimer*>())
        if (t->isActive()) {
            t->stop();
            parados << t;
        }
    for (int i = 0; i < passos; ++i) g_janela->maquina().PassoDasLuzes();
    esperar(0.3);
    const bool ok = fotografar(nome, area());
    for (QTimer* t : parados) t->start();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUT_DIR [SUFFIX] (on an X display)\n", argv[0]);
        return 2;
    }
    QTemporaryDir casa;
    qputenv("HOME", casa.path().toUtf8());
    qputenv("XDG_DATA_HOME", (casa.path() + "/.local/share").toUtf8());
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trevolino");
    plataforma::InstalarIdioma();  // the shots in the language of the locale, as the game shows it
    g_saida = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (argc == 3) g_sufixo = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(g_saida);

    // The game's own folder for pictures and sounds; unpacked files go to a temporary one.
    QTemporaryDir pasta;
    QFile::link(QString(TREVOLINO_PROGRAM_DIR) + "/Som", pasta.path() + "/Som");
    QFile::link(QString(TREVOLINO_PROGRAM_DIR) + "/Bobinas", pasta.path() + "/Bobinas");
    TfrmPrincipal::PastaDoProgramaDeTeste = pasta.path() + "/";

    TfrmPrincipal janela(nullptr, false);
    janela.maquina().DefinirSorteio([](int) { return 0; });
    janela.FormCreate();
    g_janela = &janela;
    temporizador("timLuzesMensagem")->stop();
    janela.show();
    bool tudoCerto = true;

    QTimer::singleShot(0, &janela, [&] {
        esperarAte(botoesHabilitados, 10);
        tudoCerto &= fotografarParado("cabine-parada", emVoltaDaJanela, 3);

        // A spin that ends on three cherries (3, 3, 3) with a bet of 10.
        janela.RealizarAposta(10);
        const auto inicio = [](int fim, int passos) { return ((fim - 1 + passos) % 16) + 1; };
        janela.maquina().Posicionar(inicio(3, 26), inicio(3, 51), inicio(3, 76));
        // Mid-spin: once the last reel has made 45 steps (the first one stands by then); paying:
        // once 5 credits are in.
        int passosDaBobina3 = 0, creditosPagos = 0;
        const auto giro = QObject::connect(&janela.maquina(), &jogo::Maquina::BobinaAndou, &janela, [&](int k) {
            if (k == 3 && ++passosDaBobina3 == 45)
                tudoCerto &= fotografarParado("giro", emVoltaDaJanela, 1);
        });
        const auto pagamento = QObject::connect(&janela.maquina(), &jogo::Maquina::CreditoPago, &janela, [&] {
            if (++creditosPagos == 5) tudoCerto &= fotografarParado("pagamento", emVoltaDaJanela, 1);
        });
        janela.spdGirarClick();
        esperarAte(botoesHabilitados, 30);
        QObject::disconnect(giro);
        QObject::disconnect(pagamento);

        // A message dialog: a spin without a bet is refused.
        QTimer::singleShot(600, &janela, [&] {
            if (QWidget* d = QApplication::activeModalWidget()) {
                tudoCerto &= fotografarParado(
                    "dialogo", [d] { return d->frameGeometry().adjusted(-20, -20, 20, 20); }, 1);
                d->close();
            }
        });
        janela.spdGirarClick();

        // The exit question, answered "Não".
        QTimer::singleShot(600, &janela, [&] {
            if (QWidget* d = QApplication::activeModalWidget()) {
                tudoCerto &= fotografarParado(
                    "saida", [d] { return d->frameGeometry().adjusted(-20, -20, 20, 20); }, 1);
                d->close();
            }
        });
        janela.FormCloseQuery();

        // The contract of use shown by the installer.
        auto* contrato = new TfrmDialogoContrato(&janela);
        QTimer::singleShot(600, &janela, [&, contrato] {
            tudoCerto &= fotografarParado(
                "contrato", [contrato] { return contrato->frameGeometry().adjusted(-20, -20, 20, 20); }, 1);
            contrato->close();
        });
        contrato->exec();
        delete contrato;
        janela.FormClose();
        QApplication::exit(tudoCerto ? 0 : 1);
    });
    return QApplication::exec();
}
