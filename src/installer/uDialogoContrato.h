// TfrmDialogoContrato: the contract of use that must be accepted before anything is installed.
#pragma once

#include <QDialog>

#include "shell/uDialogo.h"

class QCheckBox;
class QPlainTextEdit;
class QToolButton;
class QWidget;

class TfrmDialogoContrato : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDialogoContrato(QWidget* owner);

    QWidget* pnlInferior;
    QWidget* pnlSuperior;
    QToolButton* SpeedButton1;  // "Não"
    QToolButton* SpeedButton2;  // "Sim"
    QPlainTextEdit* memContrato;
    QCheckBox* cbxContrato;
    int Resposta = uRotinasGerais::RespostaFechado;  // RespostaSim accepted, RespostaNao refused

    void FormCreate();
    void spdNaoClick();
    void spdSimClick();
    void FormKeyUp(int key);

    // The reminder shown by "Sim" while the box is not ticked.
    static QString TextoDoLembrete();
    // The contract as carried inside the program (empty when it is missing).
    static QString TextoDoContrato();

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};
