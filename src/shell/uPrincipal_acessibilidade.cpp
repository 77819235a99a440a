// The cabinet's labels as screen readers and GUI test tools see them. The credit, bet and message
// displays are named for what they show ("Crédito", "Aposta", "Mensagem") and read as what they
// mean: the number alone, and the whole message rather than the twelve letters scrolling by. The
// web address is a link whose press action opens it, as a click does. The buttons are the fancy
// button's own business (controls/DsFancyButtonAcessivel.h).
#include <QAccessibleWidget>
#include <QLabel>

#include "game/maquina.h"
#include "shell/dialogo_rotinas.h"
#include "shell/uPrincipal.h"

namespace {

// One of the cabinet's labels. Which one it is, is asked each time: Qt picks a label's interface
// as soon as the label is made, when the window has not yet stored it in its field.
class TRotuloAcessivel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TRotuloAcessivel(QLabel* rotulo) : QAccessibleWidget(rotulo, QAccessible::StaticText) {}

    enum class Papel { Credito, Aposta, Mensagem, Endereco, Outro };

    Papel papel() const {
        if (!qobject_cast<const TfrmPrincipal*>(object()->parent())) return Papel::Outro;
        const QString nome = object()->objectName();
        if (nome == QLatin1String("lblCredito")) return Papel::Credito;
        if (nome == QLatin1String("lblAposta")) return Papel::Aposta;
        if (nome == QLatin1String("lblMensagem")) return Papel::Mensagem;
        if (nome == QLatin1String("lblWebSite")) return Papel::Endereco;
        return Papel::Outro;
    }

    // What the label says to a reader. The numbers are text, not a value: AT-SPI offers
    // "Increase" and "Decrease" on anything with a value, and nobody sets the credit.
    QString leitura() const {
        const auto* f = static_cast<const TfrmPrincipal*>(object()->parent());
        switch (papel()) {
            case Papel::Credito: return uRotinasGerais::FormatarValor(14, 0, f->Credito()).trimmed();
            case Papel::Aposta: return uRotinasGerais::FormatarValor(14, 0, f->Aposta()).trimmed();
            case Papel::Mensagem: return f->maquina().Mensagem();
            default: return static_cast<QLabel*>(widget())->text();
        }
    }

    // Tells readers the reading changed, when it did since they were last told.
    void AvisarSeMudou() {
        const QString agora = leitura();
        if (agora == FAvisada) return;
        QAccessibleTextUpdateEvent texto(object(), 0, FAvisada, agora);
        QAccessible::updateAccessibility(&texto);
        FAvisada = agora;
    }

    // --- QAccessibleInterface ---
    QAccessible::Role role() const override {
        return papel() == Papel::Endereco ? QAccessible::Link : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return leitura();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QStringList actionNames() const override {
        QStringList nomes = QAccessibleWidget::actionNames();
        if (papel() == Papel::Endereco) nomes.prepend(pressAction());
        return nomes;
    }
    void doAction(const QString& acao) override {
        if (acao != pressAction() || papel() != Papel::Endereco) {
            QAccessibleWidget::doAction(acao);
            return;
        }
        // Opened once the reader has its answer, which opening the browser would hold up.
        auto* f = static_cast<TfrmPrincipal*>(object()->parent());
        QMetaObject::invokeMethod(
            f, [f] { f->lblWebSiteClick(); }, Qt::QueuedConnection);
    }

    // --- QAccessibleTextInterface: read-only, no caret, no selection ---
    QString text(int inicio, int fim) const override { return leitura().mid(inicio, fim - inicio); }
    int characterCount() const override { return int(leitura().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* inicio, int* fim) const override { *inicio = *fim = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int deslocamento, int* inicio, int* fim) const override {
        *inicio = *fim = deslocamento;
        return QString();
    }

private:
    QString FAvisada;
};

QAccessibleInterface* fabrica(const QString& classe, QObject* objeto) {
    if (classe != QLatin1String("QLabel") || !qobject_cast<TfrmPrincipal*>(objeto->parent())) return nullptr;
    return new TRotuloAcessivel(static_cast<QLabel*>(objeto));
}

}  // namespace

void TfrmPrincipal::InstalarAcessibilidade() {
    static const bool instalada = (QAccessible::installFactory(fabrica), true);
    (void)instalada;
}

void TfrmPrincipal::AvisarLeitoresDosMostradores() {
    if (!QAccessible::isActive()) return;
    for (QLabel* l : {lblCredito, lblAposta, lblMensagem})
        if (auto* i = dynamic_cast<TRotuloAcessivel*>(QAccessible::queryAccessibleInterface(l)))
            i->AvisarSeMudou();
}
