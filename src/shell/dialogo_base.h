// What the program's own dialogs (the message dialog and the installer's contract) have in common:
// the sky-blue face with maroon bold Verdana, flat buttons with their picture left of the caption,
// the answer on the release of Enter or Escape, seen by the window before any of its controls,
// and a window centred on the screen with no border icons.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QToolButton>

#include <QImage>
#include <vector>

namespace apresentacao {
// What a dialog answers: "Sim" (or Enter), "Não" (or Escape), or closed any other way.
inline constexpr int RespostaSim = 6;
inline constexpr int RespostaNao = 7;
inline constexpr int RespostaFechado = 2;

inline const QColor AzulCeu(166, 202, 240);
inline const QColor Marrom(128, 0, 0);

// The four 24 x 24 pictures of the dialogs' buttons, as the program carries them.
std::vector<QImage> IconesDosDialogos();
// Picture i (0..3) of that list, for the screen: its 2x version, with its ratio, when the
// application's screen is scaled 2x.
QImage IconeDosDialogos(int i);

// Verdana (or what the system puts in its place) at a height in pixels, so the text measures the
// same whatever the screen's dots per inch.
QFont Verdana(int pixels, bool negrito);

// Background and text colours of one widget of a dialog; it paints its own background.
void Pintar(QWidget* w, const QColor& fundo, const QColor& texto);

// A flat sky-blue button of 140 x 44, reached by Tab (never by a click), with a 24 x 24 picture
// to the left of its maroon caption, the two together in the middle of the button.
class BotaoPlano : public QToolButton {
public:
    BotaoPlano(QWidget* pai, const QString& nome, const QString& texto, const QImage& figura);

protected:
    void paintEvent(QPaintEvent* e) override;
};

class DialogoBase : public QDialog {
    Q_OBJECT
public:
    int Resposta = apresentacao::RespostaFechado;

    // Enter acts as "Sim", Escape as "Não"; every other key does nothing.
    void FormKeyUp(int tecla);
    // The button that has the focus when the dialog opens, the one Enter answers with.
    QWidget* BotaoPadrao = nullptr;
    virtual void spdSimClick();  // answers RespostaSim and closes
    virtual void spdNaoClick();  // answers RespostaNao and closes
    // Centres the window, frame included, on the whole primary screen (not the work area).
    void FormShow();

protected:
    // A fixed single border; `extra` adds flags such as staying on top.
    explicit DialogoBase(QWidget* dono, Qt::WindowFlags extra = {});
    // Run once the controls exist: the program's cursors on them, the window watching their keys
    // (Enter and Escape answer whichever control has the focus), and no answer yet.
    void FormCreate();

    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    // Enter and Escape let go: Enter presses the focused button of the dialog, if one has the
    // focus; else the form's own answer.
    void TeclaDeRespostaSolta(int tecla);
    bool eventFilter(QObject* o, QEvent* e) override;
};

}  // namespace apresentacao
