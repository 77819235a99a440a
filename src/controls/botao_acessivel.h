// How screen readers and GUI test tools see a TDsFancyButton: a push button named by its caption,
// disabled and pressed as it is drawn, whose press action does what a click does and carries the
// keys that press it too.
#pragma once

#include <QAccessibleWidget>

class TDsFancyButton;

namespace controles {

class BotaoAcessivel : public QAccessibleWidget {
public:
    explicit BotaoAcessivel(TDsFancyButton* botao);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& acao) override;
    QStringList keyBindingsForAction(const QString& acao) const override;

private:
    TDsFancyButton* botao() const;
};

// The keys that press the button, as X key names ("space", "Escape", "1"), the main one first; readers
// tell that one as the button's shortcut.
void DefinirTeclasDoBotao(TDsFancyButton* botao, const QStringList& teclas);

// Lets QAccessible::queryAccessibleInterface give every TDsFancyButton the interface above. Each
// button calls it when it is made, before anything can ask for its interface; once is enough.
void InstalarAcessibilidadeDoBotao();

}  // namespace controles
