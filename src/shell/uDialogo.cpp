#include "shell/uDialogo.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QToolButton>

#include "shell/dialogo_rotinas.h"
#include "shell/dialogos.h"

namespace {
const QColor kAzulCeu(166, 202, 240);
const QColor kMarrom(128, 0, 0);

QFont fonteDoDialogo() {
    QFont f("Verdana");
    f.setPixelSize(16);
    f.setBold(true);
    return f;
}

QToolButton* botaoPlano(QWidget* pai, const QString& nome, const QString& texto, int x, int y) {
    auto* b = new QToolButton(pai);
    b->setObjectName(nome);
    b->setText(texto);
    b->setGeometry(x, y, 140, 44);
    b->setAutoRaise(true);  // flat: no border until the mouse is over it
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setIconSize(QSize(24, 24));
    b->setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
    b->setFont(fonteDoDialogo());
    return b;
}
}  // namespace

TfrmDialogo::TfrmDialogo(QWidget* owner) : QDialog(owner) {
    setObjectName("frmDialogo");
    // Fixed single border without border icons; stays on top of all other windows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setWindowTitle("Dialogo");
    setFont(fonteDoDialogo());
    setAutoFillBackground(true);

    lblDialogo = new QLabel(this);
    lblDialogo->setObjectName("lblDialogo");
    lblDialogo->setTextFormat(Qt::PlainText);
    lblDialogo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblDialogo->setWordWrap(true);
    lblDialogo->setFont(fonteDoDialogo());
    lblDialogo->setAutoFillBackground(true);

    pnlInferior = new QWidget(this);
    pnlInferior->setObjectName("pnlInferior");
    pnlInferior->setAutoFillBackground(true);

    spdNao = botaoPlano(pnlInferior, "spdNao", QCoreApplication::translate("Trevolino", "Não"), 69, 5);
    spdSim = botaoPlano(pnlInferior, "spdSim", QCoreApplication::translate("Trevolino", "Sim"), 323, 3);
    spdNao->setIcon(QIcon(QPixmap::fromImage(uRotinasGerais::IconeDosDialogos(1))));
    spdSim->setIcon(QIcon(QPixmap::fromImage(uRotinasGerais::IconeDosDialogos(0))));
    connect(spdSim, &QToolButton::clicked, this, &TfrmDialogo::spdSimClick);
    connect(spdNao, &QToolButton::clicked, this, &TfrmDialogo::spdNaoClick);

    AplicarCores(kAzulCeu, kMarrom);
    lblDialogo->setGeometry(0, 0, kLargura, 72 - kAlturaDoPainel);
    pnlInferior->setGeometry(0, lblDialogo->height(), kLargura, kAlturaDoPainel);
    setFixedSize(kLargura, 72);
    FormCreate();
}

void TfrmDialogo::FormCreate() {
    uRotinasGerais::AplicarCursorNosControles(this);
    Resposta = uRotinasGerais::RespostaFechado;
}

void TfrmDialogo::AplicarCores(const QColor& fundo, const QColor& texto) {
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(lblDialogo), pnlInferior,
                       static_cast<QWidget*>(spdNao), static_cast<QWidget*>(spdSim)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, fundo);
        pal.setColor(QPalette::Button, fundo);
        pal.setColor(QPalette::WindowText, texto);
        pal.setColor(QPalette::ButtonText, texto);
        w->setPalette(pal);
    }
}

void TfrmDialogo::AjustarAoTexto() {
    const int altura = lblDialogo->heightForWidth(kLargura);
    lblDialogo->setGeometry(0, 0, kLargura, altura);
    pnlInferior->setGeometry(0, altura, kLargura, kAlturaDoPainel);
    setFixedSize(kLargura, altura + kAlturaDoPainel);
}

void TfrmDialogo::FormShow() {
    // Centred on the whole primary screen (not the work area), once the size follows the text.
    const QScreen* tela = QGuiApplication::primaryScreen();
    if (!tela) return;
    const QSize s = tela->geometry().size();
    const QSize externo = frameGeometry().size();  // the window's outer size, frame included
    move((s.width() - externo.width()) / 2, (s.height() - externo.height()) / 2);
}

void TfrmDialogo::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void TfrmDialogo::spdSimClick() {
    Resposta = uRotinasGerais::RespostaSim;
    close();
}

void TfrmDialogo::spdNaoClick() {
    Resposta = uRotinasGerais::RespostaNao;
    close();
}

void TfrmDialogo::FormKeyUp(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        spdSimClick();
    else if (key == Qt::Key_Escape)
        spdNaoClick();
}

// QDialog acts on key press (Escape rejects, Enter clicks a default button); the answer here
// comes on the key's release, so the presses of those keys are swallowed.
void TfrmDialogo::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: e->accept(); return;
        default: QDialog::keyPressEvent(e);
    }
}

void TfrmDialogo::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    FormKeyUp(e->key());
}

bool TfrmDialogo::eventFilter(QObject* o, QEvent* e) { return QDialog::eventFilter(o, e); }
