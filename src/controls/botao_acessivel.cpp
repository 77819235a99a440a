#include "controls/botao_acessivel.h"

#include "controls/DsFancyButton.h"

namespace controles {

namespace {

// Kept on the button itself, which knows nothing of keys: the window that maps them says.
constexpr char kTeclas[] = "teclasDoBotao";

// The caption as it reads: "&&" is a literal ampersand, a single "&" only marks the mnemonic.
QString semMnemonico(const QString& legenda) {
    QString texto;
    texto.reserve(legenda.size());
    for (qsizetype i = 0; i < legenda.size(); ++i) {
        if (legenda[i] == QLatin1Char('&') && ++i == legenda.size()) break;
        texto += legenda[i];
    }
    return texto;
}

QAccessibleInterface* fabrica(const QString& classe, QObject* objeto) {
    if (classe != QLatin1String("TDsFancyButton")) return nullptr;
    auto* botao = qobject_cast<TDsFancyButton*>(objeto);
    return botao ? new BotaoAcessivel(botao) : nullptr;
}

}  // namespace

BotaoAcessivel::BotaoAcessivel(TDsFancyButton* botao) : QAccessibleWidget(botao, QAccessible::PushButton) {}

TDsFancyButton* BotaoAcessivel::botao() const { return static_cast<TDsFancyButton*>(widget()); }

QString BotaoAcessivel::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && botao()->accessibleName().isEmpty())
        return semMnemonico(botao()->Caption());
    return QAccessibleWidget::text(t);
}

QAccessible::State BotaoAcessivel::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = botao()->Pushed();
    return s;
}

QStringList BotaoAcessivel::actionNames() const {
    QStringList nomes = QAccessibleWidget::actionNames();
    if (botao()->isEnabled()) nomes.prepend(pressAction());
    return nomes;
}

void BotaoAcessivel::doAction(const QString& acao) {
    if (acao != pressAction()) {
        QAccessibleWidget::doAction(acao);
        return;
    }
    if (!botao()->isEnabled()) return;
    // The click runs once the reader has its answer: the reader waits for this call to return,
    // and a click that opens a modal dialog ("Sair" asks first) would keep it waiting until the
    // dialog closed, while the reader is what should answer the dialog.
    TDsFancyButton* b = botao();
    QMetaObject::invokeMethod(
        b, [b] { b->AnimateClick(); }, Qt::QueuedConnection);
}

QStringList BotaoAcessivel::keyBindingsForAction(const QString& acao) const {
    if (acao != pressAction()) return QAccessibleWidget::keyBindingsForAction(acao);
    // AT-SPI reads the bindings, joined by ';', as "mnemonic;menu path;shortcut", and readers speak
    // the shortcut: the button's first key goes there. It has no mnemonic and sits in no menu.
    const QStringList teclas = botao()->property(kTeclas).toStringList();
    if (teclas.isEmpty()) return {};
    return {QString(), QString(), teclas.first()};
}

void DefinirTeclasDoBotao(TDsFancyButton* botao, const QStringList& teclas) {
    botao->setProperty(kTeclas, teclas);
}

void InstalarAcessibilidadeDoBotao() {
    static const bool instalada = (QAccessible::installFactory(fabrica), true);
    (void)instalada;
}

}  // namespace controles
