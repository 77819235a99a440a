#include "shell/dialogo_base.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QWindow>

#include <algorithm>

#include "platform/moldura_da_janela.h"
#include "shell/dialogo_rotinas.h"
#include "shell/imagens.h"

namespace apresentacao {

std::vector<QImage> IconesDosDialogos() {
    std::vector<QImage> icones;
    for (int i = 0; i < 4; ++i) icones.push_back(IconeDosDialogos(i));
    return icones;
}

QImage IconeDosDialogos(int i) {
    return FiguraDoRecurso(QStringLiteral(":/form/Icone%1.png").arg(i),
                           EscalaPara(qGuiApp->devicePixelRatio()));
}

namespace {

bool ehTeclaDeResposta(int tecla) {
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Escape;
}

// A panel of a dialog as a screen reader sees it: only the controls that are shown. Qt offers
// hidden children too, so a reader would offer the hidden "Não" of a one-button message.
class PainelAcessivel : public QAccessibleWidget {
public:
    explicit PainelAcessivel(QWidget* w) : QAccessibleWidget(w) {}
    int childCount() const override { return int(mostrados().size()); }
    QAccessibleInterface* child(int i) const override {
        const QObjectList filhos = mostrados();
        return i >= 0 && i < filhos.size() ? QAccessible::queryAccessibleInterface(filhos[i]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* filho) const override {
        return filho ? int(mostrados().indexOf(filho->object())) : -1;
    }

private:
    QObjectList mostrados() const {
        QObjectList r;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !w->isHidden()) r.append(w);
        }
        return r;
    }
};

// Plain panels inside our dialogs get the interface above; everything else keeps Qt's own.
QAccessibleInterface* fabricaDePaineis(const QString& classe, QObject* o) {
    if (classe != QLatin1String("QWidget") || !o || !o->isWidgetType()) return nullptr;
    auto* w = static_cast<QWidget*>(o);
    return !w->isWindow() && qobject_cast<DialogoBase*>(w->window()) ? new PainelAcessivel(w) : nullptr;
}

}  // namespace

QFont Verdana(int pixels, bool negrito) {
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}

void Pintar(QWidget* w, const QColor& fundo, const QColor& texto) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, fundo);
    pal.setColor(QPalette::Button, fundo);
    pal.setColor(QPalette::WindowText, texto);
    pal.setColor(QPalette::ButtonText, texto);
    pal.setColor(QPalette::Text, texto);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

BotaoPlano::BotaoPlano(QWidget* pai, const QString& nome, const QString& texto, const QImage& figura)
    : QToolButton(pai) {
    setObjectName(nome);
    setText(texto);
    resize(140, 44);
    setAutoRaise(true);  // flat: no border until the mouse is over it
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(24, 24));
    setFocusPolicy(Qt::TabFocus);  // a click leaves the focus where it is
    setFont(Verdana(16, true));
    Pintar(this, AzulCeu, Marrom);
    if (!figura.isNull()) setIcon(QIcon(QPixmap::fromImage(figura)));
}

// Qt's tool button puts its picture and caption at its left edge; the face is drawn first without
// them, then the two as one group centred in the frame's inner width.
void BotaoPlano::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionToolButton opcao;
    initStyleOption(&opcao);
    QStyleOptionToolButton face = opcao;
    face.text.clear();
    face.icon = QIcon();
    p.drawComplexControl(QStyle::CC_ToolButton, face);
    const int borda = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opcao, this);
    const QRect dentro = rect().adjusted(borda, borda, -borda, -borda);
    // The style sets the picture in a cell 4 pixels wider than it, the caption right after.
    const int largura = (opcao.icon.isNull() ? 0 : opcao.iconSize.width() + 4) +
                        QFontMetrics(opcao.font).horizontalAdvance(opcao.text);
    opcao.rect = QRect(dentro.x() + std::max(0, (dentro.width() - largura) / 2), dentro.y(),
                       std::min(largura + 2, dentro.width()), dentro.height());
    p.drawControl(QStyle::CE_ToolButtonLabel, opcao);
}

DialogoBase::DialogoBase(QWidget* dono, Qt::WindowFlags extra) : QDialog(dono) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | extra);
    setFont(Verdana(16, true));
    static const bool fabricaInstalada = (QAccessible::installFactory(fabricaDePaineis), true);
    Q_UNUSED(fabricaInstalada);
}

void DialogoBase::FormCreate() {
    uRotinasGerais::AplicarCursorNosControles(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    Resposta = apresentacao::RespostaFechado;
}

void DialogoBase::spdSimClick() {
    Resposta = apresentacao::RespostaSim;
    close();
}

void DialogoBase::spdNaoClick() {
    Resposta = apresentacao::RespostaNao;
    close();
}

void DialogoBase::FormKeyUp(int tecla) {
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)
        spdSimClick();
    else if (tecla == Qt::Key_Escape)
        spdNaoClick();
}

void DialogoBase::FormShow() {
    const QScreen* tela = QGuiApplication::primaryScreen();
    if (!tela) return;
    const QRect g = tela->geometry();
    const QSize externo = frameGeometry().size();
    move(g.x() + (g.width() - externo.width()) / 2, g.y() + (g.height() - externo.height()) / 2);
}

void DialogoBase::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
    // Qt can only ask for a title bar without its boxes, and some window managers (openbox) keep
    // the close and minimise boxes on any title bar; minimising a modal dialog hides the cabinet
    // with it. So the window asks for a border alone, before it is mapped. A dialog given a close
    // box on purpose keeps Qt's request.
    if (!(windowFlags() & Qt::WindowCloseButtonHint)) plataforma::PedirMolduraSemIcones(windowHandle());
    if (BotaoPadrao && BotaoPadrao->isVisibleTo(this)) BotaoPadrao->setFocus(Qt::OtherFocusReason);
}

// QDialog acts on the press of Enter and Escape (a default button, reject); here the answer
// comes on the key's release, so those presses are eaten.
void DialogoBase::keyPressEvent(QKeyEvent* e) {
    if (ehTeclaDeResposta(e->key())) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void DialogoBase::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) TeclaDeRespostaSolta(e->key());
}

void DialogoBase::TeclaDeRespostaSolta(int tecla) {
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
        // A dialog's own button only: a focused check box leaves Enter its answer.
        auto* botao = dynamic_cast<BotaoPlano*>(focusWidget());
        if (botao && botao->isEnabled() && botao->isVisible()) {
            botao->click();
            return;
        }
    }
    FormKeyUp(tecla);
}

bool DialogoBase::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (ehTeclaDeResposta(k->key())) {
            if (e->type() == QEvent::KeyRelease && !k->isAutoRepeat()) TeclaDeRespostaSolta(k->key());
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

}  // namespace apresentacao
