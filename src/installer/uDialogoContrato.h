// TfrmDialogoContrato: the contract of use that must be accepted before anything is installed.
#pragma once

#include "shell/dialogo_base.h"

class QCheckBox;
class QPlainTextEdit;
class QToolButton;
class QWidget;

// Its answer (Resposta): RespostaSim when accepted, RespostaNao when refused, else RespostaFechado.
class TfrmDialogoContrato : public apresentacao::DialogoBase {
    Q_OBJECT
public:
    explicit TfrmDialogoContrato(QWidget* dono);

    QWidget* pnlInferior;
    QWidget* pnlSuperior;
    QToolButton* SpeedButton1;  // "Não"
    QToolButton* SpeedButton2;  // "Sim"
    QPlainTextEdit* memContrato;
    QCheckBox* cbxContrato;

    // Accepts only with the box ticked; otherwise shows the reminder and stays open.
    void spdSimClick() override;

    // The reminder shown by "Sim" while the box is not ticked.
    static QString TextoDoLembrete();
    // The contract as carried inside the program (empty when it is missing).
    static QString TextoDoContrato();
};
