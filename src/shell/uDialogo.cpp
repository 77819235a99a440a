#include "shell/uDialogo.h"

#include <QCoreApplication>
#include <QLabel>

#include "shell/dialogos.h"

TfrmDialogo::TfrmDialogo(QWidget* owner) : DialogoBase(owner, Qt::WindowStaysOnTopHint) {
    setObjectName("frmDialogo");
    setWindowTitle("Dialogo");

    lblDialogo = new QLabel(this);
    lblDialogo->setObjectName("lblDialogo");
    lblDialogo->setTextFormat(Qt::PlainText);
    lblDialogo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblDialogo->setWordWrap(true);
    lblDialogo->setFont(dialogos::Verdana(16, true));

    pnlInferior = new QWidget(this);
    pnlInferior->setObjectName("pnlInferior");

    spdNao = new dialogos::BotaoPlano(pnlInferior, "spdNao", QCoreApplication::translate("Trevolino", "Não"),
                                      uRotinasGerais::IconeDosDialogos(1));
    spdNao->move(69, 5);
    spdSim = new dialogos::BotaoPlano(pnlInferior, "spdSim", QCoreApplication::translate("Trevolino", "Sim"),
                                      uRotinasGerais::IconeDosDialogos(0));
    spdSim->move(323, 3);
    connect(spdSim, &QToolButton::clicked, this, &TfrmDialogo::spdSimClick);
    connect(spdNao, &QToolButton::clicked, this, &TfrmDialogo::spdNaoClick);

    AplicarCores(dialogos::AzulCeu, dialogos::Marrom);
    lblDialogo->setGeometry(0, 0, kLargura, 72 - kAlturaDoPainel);
    pnlInferior->setGeometry(0, lblDialogo->height(), kLargura, kAlturaDoPainel);
    setFixedSize(kLargura, 72);
    FormCreate();
}

void TfrmDialogo::AplicarCores(const QColor& fundo, const QColor& texto) {
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(lblDialogo), pnlInferior,
                       static_cast<QWidget*>(spdNao), static_cast<QWidget*>(spdSim)})
        dialogos::Pintar(w, fundo, texto);
}

void TfrmDialogo::AjustarAoTexto() {
    const int altura = lblDialogo->heightForWidth(kLargura);
    lblDialogo->setGeometry(0, 0, kLargura, altura);
    pnlInferior->setGeometry(0, altura, kLargura, kAlturaDoPainel);
    setFixedSize(kLargura, altura + kAlturaDoPainel);
}
