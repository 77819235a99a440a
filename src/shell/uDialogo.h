// TfrmDialogo: the program's own message dialog (never the system's message boxes).
#pragma once

#include <QDialog>

class QLabel;
class QToolButton;
class QWidget;

namespace uRotinasGerais {
// What a dialog answers: "Sim" (or Enter), "Não" (or Escape), or closed any other way.
inline constexpr int RespostaSim = 6;
inline constexpr int RespostaNao = 7;
inline constexpr int RespostaFechado = 2;
}  // namespace uRotinasGerais

class TfrmDialogo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDialogo(QWidget* owner);

    QLabel* lblDialogo;
    QWidget* pnlInferior;
    QToolButton* spdNao;
    QToolButton* spdSim;
    int Resposta = uRotinasGerais::RespostaFechado;

    void FormCreate();
    void FormShow();
    void FormKeyUp(int key);
    void spdSimClick();
    void spdNaoClick();

    // Sizes the window to the wrapped text: width 532, height label + button strip.
    void AjustarAoTexto();
    // Background and text colours of the dialog, its label, strip and buttons.
    void AplicarCores(const QColor& fundo, const QColor& texto);

    static constexpr int kLargura = 532;
    static constexpr int kAlturaDoPainel = 54;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};
