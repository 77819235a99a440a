// The program's message dialogs and the display title.
#include "shell/dialogos.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QLabel>
#include <QToolButton>

#include "platform/texto.h"
#include "platform/versao.h"
#include "shell/dialogo_rotinas.h"
#include "shell/uDialogo.h"

namespace apresentacao {

namespace {

// Steps shared by both dialogs: text, title and the button layout.
void prepararDialogo(TfrmDialogo& d, const QString& Texto, const QString& Titulo, const QString& TextoNao,
                     const QString& TextoSim) {
    const QString linhas = plataforma::Aparar(Texto).replace("\r\n", "\n");
    d.lblDialogo->setText("\n" + linhas + "\n");  // an empty line above and below the message
    d.lblDialogo->setAccessibleName(linhas);      // read aloud without those empty lines
    d.setWindowTitle(plataforma::Aparar(Titulo));
    const int W = TfrmDialogo::kLargura;
    if (plataforma::Aparar(TextoNao).isEmpty()) {
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

int CaixaDeDialogo(QWidget* Dono, const QString& Texto, const QString& Titulo, const QString& TextoNao,
                   const QString& TextoSim, bool Advertencia) {
    auto* d = new TfrmDialogo(Dono);
    prepararDialogo(*d, Texto, Titulo, TextoNao, TextoSim);
    if (Advertencia) aplicarAdvertencia(*d);
    return mostrar(d);
}

int CaixaDeDialogoComIconesEspeciais(QWidget* Dono, const QString& Texto, const QString& Titulo,
                                     const QString& TextoNao, const QString& TextoSim, unsigned char IconeNao,
                                     unsigned char IconeSim, bool Advertencia, bool ComIconesDeBorda) {
    auto* d = new TfrmDialogo(Dono);
    prepararDialogo(*d, Texto, Titulo, TextoNao, TextoSim);
    if (ComIconesDeBorda)
        d->setWindowFlags(d->windowFlags() | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    if (Advertencia) aplicarAdvertencia(*d);
    // Each button keeps its own copy of the picture; the hidden "no" button gets one too.
    const auto icones = IconesDosDialogos();
    const auto icone = [&icones](int i) { return i < int(icones.size()) ? icones[size_t(i)] : QImage(); };
    d->spdNao->setIcon(QIcon(QPixmap::fromImage(icone(IconeNao).copy())));
    d->spdSim->setIcon(QIcon(QPixmap::fromImage(icone(IconeSim).copy())));
    return mostrar(d);
}

QString TextoDeCiente() {
    return QCoreApplication::translate("Trevolino", "Sim", "the button of a message that only informs");
}

QString VersaoDoAplicativo() {
    QString v = plataforma::ObterVersaoDoExecutavel();
    // Major and minor: the text before the second dot, trimmed ("3.5.1.1" gives "3.5").
    const int p = v.indexOf('.');
    if (p >= 0) {
        const int q = v.indexOf('.', p + 1);
        if (q >= 0) v = v.left(q).trimmed();
    }
    return QString("vXX.XX").replace(QString("XX.XX"), v);  // one occurrence
}

QString TituloDoAplicativo() { return "Trevolino " + VersaoDoAplicativo(); }

}  // namespace apresentacao
