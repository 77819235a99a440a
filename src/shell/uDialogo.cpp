#include "shell/uDialogo.h"

#include <QCoreApplication>
#include <QLabel>

TfrmDialogo::TfrmDialogo(QWidget* dono) : DialogoBase(dono, Qt::WindowStaysOnTopHint) {
    setObjectName("frmDialogo");
    setWindowTitle("Dialogo");

    lblDialogo = new QLabel(this);
    lblDialogo->setObjectName("lblDialogo");
    lblDialogo->setTextFormat(Qt::PlainText);
    lblDialogo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblDialogo->setWordWrap(true);
    lblDialogo->setFont(apresentacao::Verdana(16, true));

    pnlInferior = new QWidget(this);
    pnlInferior->setObjectName("pnlInferior");

    spdNao =
        new apresentacao::BotaoPlano(pnlInferior, "spdNao", QCoreApplication::translate("Trevolino", "Não"),
                                     apresentacao::IconeDosDialogos(1));
    // Both buttons centred in the panel's height, on one line.
    spdNao->move(69, 5);
    spdSim =
        new apresentacao::BotaoPlano(pnlInferior, "spdSim", QCoreApplication::translate("Trevolino", "Sim"),
                                     apresentacao::IconeDosDialogos(0));
    spdSim->move(323, 5);
    connect(spdSim, &QToolButton::clicked, this, &TfrmDialogo::spdSimClick);
    connect(spdNao, &QToolButton::clicked, this, &TfrmDialogo::spdNaoClick);
    BotaoPadrao = spdSim;  // Enter answers "Sim"

    AplicarCores(apresentacao::AzulCeu, apresentacao::Marrom);
    lblDialogo->setGeometry(0, 0, kLargura, 72 - kAlturaDoPainel);
    pnlInferior->setGeometry(0, lblDialogo->height(), kLargura, kAlturaDoPainel);
    setFixedSize(kLargura, 72);
    FormCreate();
}

void TfrmDialogo::AplicarCores(const QColor& fundo, const QColor& texto) {
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(lblDialogo), pnlInferior,
                       static_cast<QWidget*>(spdNao), static_cast<QWidget*>(spdSim)})
        apresentacao::Pintar(w, fundo, texto);
}

void TfrmDialogo::AjustarAoTexto() {
    const int altura = lblDialogo->heightForWidth(kLargura);
    lblDialogo->setGeometry(0, 0, kLargura, altura);
    pnlInferior->setGeometry(0, altura, kLargura, kAlturaDoPainel);
    setFixedSize(kLargura, altura + kAlturaDoPainel);
}
