#include "installer/uDialogoContrato.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

#include "platform/idioma.h"
#include "shell/dialogo_rotinas.h"
#include "shell/dialogos.h"

using uRotinasGerais::QuebrasDeLinha;

namespace {
const QColor kAzulCeu(166, 202, 240);
const QColor kMarrom(128, 0, 0);

QFont verdana(int pixels, bool negrito) {
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}

void pintar(QWidget* w, const QColor& fundo) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, fundo);
    pal.setColor(QPalette::Button, fundo);
    pal.setColor(QPalette::WindowText, kMarrom);
    pal.setColor(QPalette::ButtonText, kMarrom);
    pal.setColor(QPalette::Text, kMarrom);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QToolButton* botaoPlano(QWidget* pai, const QString& nome, const QString& texto, const QImage& p) {
    auto* b = new QToolButton(pai);
    b->setObjectName(nome);
    b->setText(texto);
    b->setAutoRaise(true);  // flat
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setIconSize(QSize(24, 24));
    b->setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
    b->setFont(verdana(16, true));
    if (!p.isNull()) b->setIcon(QIcon(QPixmap::fromImage(p)));
    pintar(b, kAzulCeu);
    return b;
}
}  // namespace

TfrmDialogoContrato::TfrmDialogoContrato(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmDialogoContrato"));
    // Fixed single border with no border icons: the two buttons and their keys are the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QCoreApplication::translate("Trevolino", "Contrato de Uso de Software"));
    setFont(verdana(16, true));
    pintar(this, kAzulCeu);
    setFixedSize(623, 375);

    pnlInferior = new QWidget(this);
    pnlInferior->setObjectName(QStringLiteral("pnlInferior"));
    pnlInferior->setGeometry(0, 375 - 54, 623, 54);
    pintar(pnlInferior, kAzulCeu);

    pnlSuperior = new QWidget(this);
    pnlSuperior->setObjectName(QStringLiteral("pnlSuperior"));
    pnlSuperior->setGeometry(0, 0, 623, 321);
    pintar(pnlSuperior, kAzulCeu);

    SpeedButton1 =
        botaoPlano(pnlInferior, QStringLiteral("SpeedButton1"),
                   QCoreApplication::translate("Trevolino", "Não"), uRotinasGerais::IconeDosDialogos(1));
    SpeedButton1->setGeometry(132, 5, 140, 44);
    SpeedButton2 =
        botaoPlano(pnlInferior, QStringLiteral("SpeedButton2"),
                   QCoreApplication::translate("Trevolino", "Sim"), uRotinasGerais::IconeDosDialogos(0));
    SpeedButton2->setGeometry(350, 5, 140, 44);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmDialogoContrato::spdNaoClick);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmDialogoContrato::spdSimClick);

    memContrato = new QPlainTextEdit(pnlSuperior);
    memContrato->setObjectName(QStringLiteral("memContrato"));
    memContrato->setGeometry(10, 10, 603, 276);
    memContrato->setFont(verdana(12, false));
    memContrato->setReadOnly(true);
    memContrato->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memContrato->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memContrato->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memContrato->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memContrato->setFrameStyle(QFrame::Box | QFrame::Plain);  // flat single line, no 3-D look
    memContrato->setLineWidth(1);
    {
        QPalette pal = memContrato->palette();
        const QColor dica = QGuiApplication::palette().color(QPalette::ToolTipBase);
        pal.setColor(QPalette::Base, dica);
        pal.setColor(QPalette::Window, dica);
        pal.setColor(QPalette::Text, kMarrom);
        memContrato->setPalette(pal);
    }
    memContrato->setTabStopDistance(QFontMetricsF(memContrato->font()).horizontalAdvance(QLatin1Char('0')) *
                                    5);
    memContrato->setPlainText(TextoDoContrato());
    memContrato->setAccessibleName(
        QCoreApplication::translate("Trevolino", "Contrato"));  // a screen reader names the box by it

    cbxContrato = new QCheckBox(pnlSuperior);
    cbxContrato->setObjectName(QStringLiteral("cbxContrato"));
    cbxContrato->setGeometry(119, 291, 384, 28);
    cbxContrato->setText(QCoreApplication::translate("Trevolino", "Eu Li e Concordo Com o Contrato Acima:"));
    cbxContrato->setFont(verdana(16, true));
    cbxContrato->setLayoutDirection(Qt::RightToLeft);  // the caption stands left of the box
    pintar(cbxContrato, kAzulCeu);
    cbxContrato->setChecked(false);

    setTabOrder(memContrato, cbxContrato);
    memContrato->setFocus();

    // Key preview: the window sees Enter and Esc before whichever control has the focus.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    FormCreate();
}

void TfrmDialogoContrato::FormCreate() {
    uRotinasGerais::AplicarCursorNosControles(this);
    Resposta = uRotinasGerais::RespostaFechado;
}

QString TfrmDialogoContrato::TextoDoContrato() {
    QFile f(plataforma::ArquivoNoIdioma(QStringLiteral(":/textos/contrato.txt")));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

QString TfrmDialogoContrato::TextoDoLembrete() {
    return QCoreApplication::translate("Trevolino", "Para Prosseguir é Necessário Que Você Esteja de") +
           QuebrasDeLinha(1) +
           QCoreApplication::translate("Trevolino", "Acordo Com o Contrato de Utilização.") +
           QuebrasDeLinha(2) +
           QCoreApplication::translate("Trevolino", "Para Fazer Isto, Assinale a Opção Adequada,") +
           QuebrasDeLinha(1) +
           QCoreApplication::translate("Trevolino", "Logo Abaixo do Texto do Contrato, Marque:") +
           QuebrasDeLinha(2) +
           QCoreApplication::translate("Trevolino", "\"Eu Li e Concordo Com o Contrato Acima\"");
}

void TfrmDialogoContrato::spdNaoClick() {
    Resposta = uRotinasGerais::RespostaNao;
    close();
}

void TfrmDialogoContrato::spdSimClick() {
    if (cbxContrato->isChecked()) {
        Resposta = uRotinasGerais::RespostaSim;
        close();
        return;
    }
    uRotinasGerais::CaixaDeDialogo(this, TextoDoLembrete(),
                                   QCoreApplication::translate("Trevolino", "Por Favor, Assine o Contrato!"),
                                   QString(), QCoreApplication::translate("Trevolino", "Sim"), false);
}

void TfrmDialogoContrato::FormKeyUp(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        spdSimClick();
    else if (key == Qt::Key_Escape)
        spdNaoClick();
}

void TfrmDialogoContrato::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        const QRect g = tela->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
}

// QDialog acts on the press of Enter and Esc; here they act on release, so presses are eaten.
void TfrmDialogoContrato::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: e->accept(); return;
        default: QDialog::keyPressEvent(e);
    }
}

void TfrmDialogoContrato::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    FormKeyUp(e->key());
}

bool TfrmDialogoContrato::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        const int key = k->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            if (e->type() == QEvent::KeyRelease && !k->isAutoRepeat()) FormKeyUp(key);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}
