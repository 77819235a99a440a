#include "installer/uDialogoContrato.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>

#include "platform/idioma.h"
#include "shell/dialogo_rotinas.h"
#include "shell/dialogos.h"

using apresentacao::AzulCeu;
using apresentacao::Marrom;
using apresentacao::Pintar;
using apresentacao::Verdana;
using uRotinasGerais::QuebrasDeLinha;

// No border icons: the two buttons and their keys are the way out.
TfrmDialogoContrato::TfrmDialogoContrato(QWidget* dono) : DialogoBase(dono) {
    setObjectName(QStringLiteral("frmDialogoContrato"));
    setWindowTitle(QCoreApplication::translate("Trevolino", "Contrato de Uso de Software"));
    Pintar(this, AzulCeu, Marrom);
    setFixedSize(623, 375);

    pnlInferior = new QWidget(this);
    pnlInferior->setObjectName(QStringLiteral("pnlInferior"));
    pnlInferior->setGeometry(0, 375 - 54, 623, 54);
    Pintar(pnlInferior, AzulCeu, Marrom);

    pnlSuperior = new QWidget(this);
    pnlSuperior->setObjectName(QStringLiteral("pnlSuperior"));
    pnlSuperior->setGeometry(0, 0, 623, 321);
    Pintar(pnlSuperior, AzulCeu, Marrom);

    SpeedButton1 = new apresentacao::BotaoPlano(pnlInferior, QStringLiteral("SpeedButton1"),
                                                QCoreApplication::translate("Trevolino", "Não"),
                                                apresentacao::IconeDosDialogos(1));
    SpeedButton1->move(132, 5);
    SpeedButton2 = new apresentacao::BotaoPlano(pnlInferior, QStringLiteral("SpeedButton2"),
                                                QCoreApplication::translate("Trevolino", "Sim"),
                                                apresentacao::IconeDosDialogos(0));
    SpeedButton2->move(350, 5);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmDialogoContrato::spdNaoClick);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmDialogoContrato::spdSimClick);

    memContrato = new QPlainTextEdit(pnlSuperior);
    memContrato->setObjectName(QStringLiteral("memContrato"));
    memContrato->setGeometry(10, 10, 603, 276);
    memContrato->setFont(Verdana(12, false));
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
        pal.setColor(QPalette::Text, Marrom);
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
    cbxContrato->setFont(Verdana(16, true));
    cbxContrato->setLayoutDirection(Qt::RightToLeft);  // the caption stands left of the box
    Pintar(cbxContrato, AzulCeu, Marrom);
    cbxContrato->setChecked(false);

    setTabOrder(memContrato, cbxContrato);
    memContrato->setFocus();
    FormCreate();
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

void TfrmDialogoContrato::spdSimClick() {
    if (cbxContrato->isChecked()) return DialogoBase::spdSimClick();
    uRotinasGerais::CaixaDeDialogo(this, TextoDoLembrete(),
                                   QCoreApplication::translate("Trevolino", "Por Favor, Assine o Contrato!"),
                                   QString(), uRotinasGerais::TextoDeCiente(), false);
}
