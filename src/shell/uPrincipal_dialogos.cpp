// The main window's message dialogs and its exit confirmation.
#include <QApplication>
#include <QLabel>
#include <QToolButton>

#include "shell/rotinas_gerais.h"
#include "shell/uDialogo.h"
#include "shell/uPrincipal.h"

using namespace uRotinasGerais;

namespace {

// Removes every character with a code of 32 or below from both ends.
QString aparar(const QString& s) {
    qsizetype i = 0, j = s.size();
    while (i < j && s[i].unicode() <= 32) ++i;
    while (j > i && s[j - 1].unicode() <= 32) --j;
    return s.mid(i, j - i);
}

// Steps shared by both dialogs: text, title and the button layout.
void prepararDialogo(TfrmDialogo& d, const QString& Texto, const QString& Titulo,
                     const QString& TextoNao, const QString& TextoSim) {
    QString texto = QuebrasDeLinha(1) + aparar(Texto) + QuebrasDeLinha(1);
    d.lblDialogo->setText(texto.replace("\r\n", "\n"));
    d.setWindowTitle(aparar(Titulo));
    const int W = TfrmDialogo::kLargura;
    if (aparar(TextoNao).isEmpty()) {
        d.spdNao->hide();
        d.spdSim->move(int((W - d.spdSim->width()) / 2.0), d.spdSim->y());
        d.spdSim->setText(TextoSim);
    } else {
        d.spdNao->move(int(W / 3.0 - d.spdNao->width() / 2.0), d.spdNao->y());
        d.spdNao->setText(TextoNao);
        d.spdNao->show();
        d.spdSim->move(int(2.0 * W / 3.0 - d.spdSim->width() / 2.0), d.spdSim->y());
        d.spdSim->setText(TextoSim);
    }
    d.spdSim->show();
    d.AjustarAoTexto();
}

void aplicarAdvertencia(TfrmDialogo& d) {
    d.AplicarCores(QColor(255, 128, 128), Qt::black);
    if (d.spdNao->isVisibleTo(&d)) {
        const int xNao = d.spdNao->x();
        d.spdNao->move(d.spdSim->x(), d.spdNao->y());
        d.spdSim->move(xNao, d.spdSim->y());
    }
}

int mostrar(TfrmDialogo* d) {
    d->exec();
    const int resposta = d->Resposta;
    d->deleteLater();
    return resposta;
}

}  // namespace

int TfrmPrincipal::CaixaDeDialogo(const QString& Texto, const QString& Titulo,
                                  const QString& TextoNao, const QString& TextoSim,
                                  bool Advertencia) {
    auto* d = new TfrmDialogo(this);
    prepararDialogo(*d, Texto, Titulo, TextoNao, TextoSim);
    if (Advertencia) aplicarAdvertencia(*d);
    return mostrar(d);
}

int TfrmPrincipal::CaixaDeDialogoComIconesEspeciais(const QString& Texto, const QString& Titulo,
                                                    const QString& TextoNao, const QString& TextoSim,
                                                    unsigned char IconeNao, unsigned char IconeSim,
                                                    bool Advertencia, bool ComIconesDeBorda) {
    auto* d = new TfrmDialogo(this);
    prepararDialogo(*d, Texto, Titulo, TextoNao, TextoSim);
    if (ComIconesDeBorda)
        d->setWindowFlags(d->windowFlags() | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    if (Advertencia) aplicarAdvertencia(*d);
    // Each button keeps its own copy of the picture; the hidden "no" button gets one too.
    d->spdNao->setIcon(QIcon(QPixmap::fromImage(imgImagensIcones24x24.at(IconeNao).copy())));
    d->spdSim->setIcon(QIcon(QPixmap::fromImage(imgImagensIcones24x24.at(IconeSim).copy())));
    return mostrar(d);
}

bool TfrmPrincipal::FormCloseQuery() {
    const int resposta = CaixaDeDialogo(TituloDoAplicativo + QuebrasDeLinha(2) + "Você Deseja Mesmo Sair?",
                                        "Confirmação Para Saída", "Não", "Sim", false);
    return resposta == 6;
}
