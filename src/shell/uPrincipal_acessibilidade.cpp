// The cabinet as screen readers and GUI test tools see it: a frame, the program's window. The
// credit, bet and message displays are named for what they show ("Crédito", "Aposta",
// "Mensagem") and read as what they mean: the number alone, and the whole message rather than
// the twelve letters scrolling by. The nine reel cells are pictures named by the symbols they
// show, and once the reels have stopped the message display's description tells the pay line and
// what it paid. The web address is a link whose press action opens it, as a click does. The
// buttons are the fancy button's own business (controls/botao_acessivel.h).
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include "game/maquina.h"
#include "game/simbolos.h"
#include "shell/dialogo_rotinas.h"
#include "shell/uPrincipal.h"

namespace {

// The property on a display label that holds what it says to a reader; the window keeps it current.
constexpr char kLeitura[] = "leitura";

// One of the cabinet's labels. Which one it is, is asked each time: Qt picks a label's interface
// as soon as the label is made, before it has its name.
class RotuloAcessivel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit RotuloAcessivel(QLabel* rotulo) : QAccessibleWidget(rotulo, QAccessible::StaticText) {}

    enum class Papel { Credito, Aposta, Mensagem, Endereco, Outro };

    Papel papel() const {
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
        switch (papel()) {
            case Papel::Credito:
            case Papel::Aposta:
            case Papel::Mensagem: return object()->property(kLeitura).toString();
            default: return static_cast<QLabel*>(widget())->text();
        }
    }

    // Tells readers the reading changed, when it did since they were last told.
    void AvisarSeMudou() {
        const QString agora = leitura();
        if (agora == m_avisada) return;
        QAccessibleTextUpdateEvent texto(object(), 0, m_avisada, agora);
        QAccessible::updateAccessibility(&texto);
        m_avisada = agora;
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
        // A click on the link, delivered once the reader has its answer, which opening the
        // browser would hold up.
        const QPointF meio = QRectF(widget()->rect()).center();
        QCoreApplication::postEvent(
            widget(), new QMouseEvent(QEvent::MouseButtonRelease, meio, widget()->mapToGlobal(meio),
                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
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
    QString m_avisada;
};

// A picture of the cabinet: a reel cell is an image, the frame bars and the rest stay fillers.
// Which one it is, is asked each time, for the same reason as for the labels.
class FiguraAcessivel : public QAccessibleWidget {
public:
    explicit FiguraAcessivel(Figura* figura) : QAccessibleWidget(figura) {}
    QAccessible::Role role() const override {
        // The cells are imgA1..imgC3: reel A, B or C, row 1, 2 or 3.
        const QString nome = object()->objectName();
        const bool celula = nome.size() == 5 && nome.startsWith(QLatin1String("img")) &&
                            QStringLiteral("ABC").contains(nome[3]) &&
                            QStringLiteral("123").contains(nome[4]);
        return celula ? QAccessible::Graphic : QAccessible::Client;
    }
};

// The object name of the notice: an invisible child of the window that readers hear appear.
constexpr char kAviso[] = "avisoAosLeitores";
constexpr char kTextoDoAviso[] = "texto";

// What the game tells a reader without being asked: a bet placed, the pay line once the reels
// stand, the credit once a payout is counted. Readers speak a label's text only while it has the
// focus, and the cabinet's focus is on its buttons; a notification is spoken whenever it appears,
// wherever the focus is, and readers keep it in their list of past notifications. It is an object
// of the window, not a widget: nothing on the screen shows it.
class AvisoAcessivel : public QAccessibleObject {
public:
    explicit AvisoAcessivel(QObject* aviso) : QAccessibleObject(aviso) {}
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? object()->property(kTextoDoAviso).toString() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = true;
        return s;
    }
};

// The cabinet in the order a sighted player reads it: the web address at the top, the message,
// credit and bet displays, the reels row by row, then the buttons down the right-hand column and
// Sair. The frame bars, lamps and the other pictures are decoration and left out.
class CabineAcessivel : public QAccessibleWidget {
public:
    explicit CabineAcessivel(QWidget* janela) : QAccessibleWidget(janela, QAccessible::Window) {}

    int childCount() const override { return int(filhos().size()); }
    QAccessibleInterface* child(int i) const override {
        const QList<QObject*> f = filhos();
        return i >= 0 && i < f.size() ? QAccessible::queryAccessibleInterface(f[i]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* filho) const override {
        return filho ? int(filhos().indexOf(filho->object())) : -1;
    }

private:
    QList<QObject*> filhos() const {
        static const char* const kOrdem[] = {
            "lblWebSite",   "lblMensagem",  "lblCredito", "lblAposta", "imgA1", "imgB1", "imgC1",
            "imgA2",        "imgB2",        "imgC2",      "imgA3",     "imgB3", "imgC3", "spdApostar01",
            "spdApostar05", "spdApostar10", "spdGirar",   "spdSair",   kAviso};
        QList<QObject*> lista;
        for (const char* nome : kOrdem)
            if (auto* o = widget()->findChild<QObject*>(QLatin1String(nome), Qt::FindDirectChildrenOnly))
                lista << o;
        return lista;
    }
};

QAccessibleInterface* fabrica(const QString& classe, QObject* objeto) {
    if (classe == QLatin1String("TfrmPrincipal")) return new CabineAcessivel(static_cast<QWidget*>(objeto));
    if (!qobject_cast<TfrmPrincipal*>(objeto->parent())) return nullptr;
    if (classe == QLatin1String("QLabel")) return new RotuloAcessivel(static_cast<QLabel*>(objeto));
    if (classe == QLatin1String("Figura")) return new FiguraAcessivel(static_cast<Figura*>(objeto));
    if (objeto->objectName() == QLatin1String(kAviso)) return new AvisoAcessivel(objeto);
    return nullptr;
}

}  // namespace

void TfrmPrincipal::InstalarAcessibilidade() {
    static const bool instalada = (QAccessible::installFactory(fabrica), true);
    (void)instalada;
}

void TfrmPrincipal::AvisarLeitoresDosMostradores() {
    lblCredito->setProperty(kLeitura, uRotinasGerais::FormatarValor(14, 0, m_maquina->Credito()).trimmed());
    lblAposta->setProperty(kLeitura, uRotinasGerais::FormatarValor(14, 0, m_maquina->Aposta()).trimmed());
    lblMensagem->setProperty(kLeitura, m_maquina->Mensagem());
    if (!QAccessible::isActive()) return;
    // A prize counted in credit by credit is told once, by the pay line's description when the
    // reels stop, and the credit once more when the count-up is over: one notice per credit
    // would keep a reader talking for minutes. Read on demand, the credit is always the screen's.
    const bool contando = m_maquina->FaseAtual() == jogo::Maquina::Fase::Pagando;
    for (QLabel* l : {lblCredito, lblAposta, lblMensagem})
        if (auto* i = dynamic_cast<RotuloAcessivel*>(QAccessible::queryAccessibleInterface(l)))
            if (!(contando && l == lblCredito)) i->AvisarSeMudou();
}

void TfrmPrincipal::CriarAvisoAosLeitores() {
    m_aviso = new QObject(this);
    m_aviso->setObjectName(QLatin1String(kAviso));
}

void TfrmPrincipal::AvisarLeitores(const QString& texto) {
    if (!QAccessible::isActive() || texto.isEmpty()) return;
    m_aviso->setProperty(kTextoDoAviso, texto);
    QAccessibleEvent aparece(m_aviso, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&aparece);
}

void TfrmPrincipal::AvisarAposta() {
    AvisarLeitores(QCoreApplication::translate("Trevolino", "Aposta %1, crédito %2")
                       .arg(uRotinasGerais::FormatarValor(0, 0, m_maquina->Aposta()),
                            uRotinasGerais::FormatarValor(0, 0, m_maquina->Credito())));
}

void TfrmPrincipal::AvisarCreditoFinal() {
    AvisarLeitores(QCoreApplication::translate("Trevolino", "Crédito %1")
                       .arg(uRotinasGerais::FormatarValor(0, 0, m_maquina->Credito())));
}

void TfrmPrincipal::EsquecerLinhaDePagamento() {
    if (!lblMensagem->accessibleDescription().isEmpty()) lblMensagem->setAccessibleDescription(QString());
}

void TfrmPrincipal::AtualizarLeituraDasBobinas(int bobinaParada) {
    // Only the reel that came to rest is named anew, and only the cells whose symbol changed:
    // the others are still turning, and a name event for every cell at every stop is noise.
    const std::array<int, 3> simbolos = m_maquina->SimbolosEmVista(bobinaParada);
    const auto celulas = celulasDaBobina(bobinaParada);
    for (size_t i = 0; i < 3; ++i) {
        const QString nome = jogo::NomeParaLeitura(simbolos[i]);
        if (celulas[i]->accessibleName() != nome) celulas[i]->setAccessibleName(nome);
    }
    // The line is told once the last reel stands; until then an earlier result would mislead.
    if (bobinaParada != 3) return;
    QStringList linha;
    for (int k = 1; k <= 3; ++k) linha << celulasDaBobina(k)[1]->accessibleName();
    QString descricao = linha.join(QStringLiteral(", "));
    const double premio = m_maquina->PremioDaLinha();
    if (premio > 0)
        descricao += QCoreApplication::translate("Trevolino", " — ganhou ") +
                     uRotinasGerais::FormatarValor(0, 0, premio);
    else if (m_maquina->Aposta() > 0)
        descricao += QCoreApplication::translate("Trevolino", " — sem prêmio");
    lblMensagem->setAccessibleDescription(descricao);
    // The opening turn, on no bet, is not news.
    if (m_maquina->Aposta() > 0) AvisarLeitores(descricao);
}
