// TfrmDialogo: the program's own message dialog (never the system's message boxes).
#pragma once

#include "shell/dialogo_base.h"

class QLabel;
class QToolButton;
class QWidget;

class TfrmDialogo : public apresentacao::DialogoBase {
    Q_OBJECT
public:
    explicit TfrmDialogo(QWidget* dono);

    QLabel* lblDialogo;
    QWidget* pnlInferior;
    QToolButton* spdNao;
    QToolButton* spdSim;

    // Sizes the window to the wrapped text: width 532, height label + button strip.
    void AjustarAoTexto();
    // Background and text colours of the dialog, its label, strip and buttons.
    void AplicarCores(const QColor& fundo, const QColor& texto);

    static constexpr int kLargura = 532;
    static constexpr int kAlturaDoPainel = 54;
};
