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
#include <QTimer>

#include "game/dinheiro.h"
#include "game/maquina.h"
#include "game/simbolos.h"
#include "shell/dialogo_rotinas.h"
#include "shell/uPrincipal.h"

namespace {

// One of the cabinet's labels. Which one it is, is asked each time: Qt picks a label's interface
// as soon as the label is made, when the window has not yet stored it in its field.
class RotuloAcessivel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit RotuloAcessivel(QLabel* rotulo) : QAccessibleWidget(rotulo, QAccessible::StaticText) {}

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
    QString m_avisada;
};

// A picture of the cabinet: a reel cell is an image, the frame bars and the rest stay fillers.
// Which one it is, is asked each time, for the same reason as for the labels.
class FiguraAcessivel : public QAccessibleWidget {
public:
    explicit FiguraAcessivel(Figura* figura) : QAccessibleWidget(figura) {}
    QAccessible::Role role() const override {
        // The cells are imgA1..imgC3: row A, B or C of reel 1, 2 or 3.
        const QString nome = object()->objectName();
        const bool celula = nome.size() == 5 && nome.startsWith(QLatin1String("img")) &&
                            QStringLiteral("ABC").contains(nome[3]) &&
                            QStringLiteral("123").contains(nome[4]);
        return celula ? QAccessible::Graphic : QAccessible::Client;
    }
};

QAccessibleInterface* fabrica(const QString& classe, QObject* objeto) {
    if (classe == QLatin1String("TfrmPrincipal"))
        return new QAccessibleWidget(static_cast<QWidget*>(objeto), QAccessible::Window);
    if (!qobject_cast<TfrmPrincipal*>(objeto->parent())) return nullptr;
    if (classe == QLatin1String("QLabel")) return new RotuloAcessivel(static_cast<QLabel*>(objeto));
    if (classe == QLatin1String("Figura")) return new FiguraAcessivel(static_cast<Figura*>(objeto));
    return nullptr;
}

// The names nomeParaLeitura makes, as the translations know them.
[[maybe_unused]] constexpr const char* kNomesDosSimbolos[] = {
    QT_TRANSLATE_NOOP("Trevolino", "Limão"),        QT_TRANSLATE_NOOP("Trevolino", "Morango"),
    QT_TRANSLATE_NOOP("Trevolino", "Cereja"),       QT_TRANSLATE_NOOP("Trevolino", "Melancia"),
    QT_TRANSLATE_NOOP("Trevolino", "Uva"),          QT_TRANSLATE_NOOP("Trevolino", "Sino"),
    QT_TRANSLATE_NOOP("Trevolino", "Barra 1"),      QT_TRANSLATE_NOOP("Trevolino", "Barra 2"),
    QT_TRANSLATE_NOOP("Trevolino", "Barra 3"),      QT_TRANSLATE_NOOP("Trevolino", "Sete Azul"),
    QT_TRANSLATE_NOOP("Trevolino", "Sete Vermelho")};

// How a reader says a symbol, made from its picture name: the words apart and capitalised, a
// number at the end as a number, a final "ao" as "ão" ("limao" is "Limão", "barra02" "Barra 2",
// "setevermelho" "Sete Vermelho").
QString nomeParaLeitura(int simbolo) {
    const auto desenho = jogo::NomeDoDesenho(simbolo);
    QString nome = QString::fromLatin1(desenho.data(), qsizetype(desenho.size()));
    qsizetype fimDasLetras = nome.size();
    while (fimDasLetras > 0 && nome[fimDasLetras - 1].isDigit()) --fimDasLetras;
    QStringList palavras;
    QString letras = nome.left(fimDasLetras);
    if (letras.startsWith(QLatin1String("sete")) && letras.size() > 4) {  // a seven of a colour
        palavras << QStringLiteral("sete");
        letras.remove(0, 4);
    }
    if (!letras.isEmpty()) palavras << letras;
    if (fimDasLetras < nome.size()) palavras << QString::number(nome.mid(fimDasLetras).toInt());
    for (QString& p : palavras) {
        if (p.endsWith(QLatin1String("ao"))) p.replace(p.size() - 2, 2, QString::fromUtf8("ão"));
        p[0] = p[0].toUpper();
    }
    return QCoreApplication::translate(
        "Trevolino",
        palavras.join(QLatin1Char(' ')).toUtf8().constData());  // empty for a number that is no symbol
}

}  // namespace

void TfrmPrincipal::InstalarAcessibilidade() {
    static const bool instalada = (QAccessible::installFactory(fabrica), true);
    (void)instalada;
}

void TfrmPrincipal::AvisarLeitoresDosMostradores() {
    if (!QAccessible::isActive()) return;
    // A prize counted in credit by credit is told once, by the pay line's description when the
    // reels stop, and the credit once more when the count-up is over: one notice per credit
    // would keep a reader talking for minutes. Read on demand, the credit is always the screen's.
    const bool contando = m_maquina->FaseAtual() == jogo::Maquina::Fase::Pagando;
    for (QLabel* l : {lblCredito, lblAposta, lblMensagem})
        if (auto* i = dynamic_cast<RotuloAcessivel*>(QAccessible::queryAccessibleInterface(l)))
            if (!(contando && l == lblCredito)) i->AvisarSeMudou();
}

void TfrmPrincipal::AtualizarLeituraDasBobinas(int bobinaParada) {
    QStringList linha;
    for (int k = 1; k <= 3; ++k) {
        const int p = m_maquina->Posicao(k);
        const jogo::Fita& fita = *jogo::Fitas[k - 1];
        const auto celulas = celulasDaBobina(k);
        celulas[0]->setAccessibleName(nomeParaLeitura(fita[DecrementarNumeroNaBobina(p)]));
        celulas[1]->setAccessibleName(nomeParaLeitura(fita[p]));
        celulas[2]->setAccessibleName(nomeParaLeitura(fita[IncrementarNumeroNaBobina(p)]));
        linha << celulas[1]->accessibleName();
    }
    // The line is told once the last reel stands; until then an earlier result would mislead.
    QString descricao;
    if (bobinaParada == 3) {
        descricao = linha.join(QStringLiteral(", "));
        const double premio = jogo::PremioDaLinhaDoMeio(m_maquina->Bobinas(), m_maquina->Aposta());
        if (premio > 0)
            descricao += QCoreApplication::translate("Trevolino", " — ganhou ") +
                         uRotinasGerais::FormatarValor(0, 0, premio);
        else if (m_maquina->Aposta() > 0)
            descricao += QCoreApplication::translate("Trevolino", " — sem prêmio");
    }
    lblMensagem->setAccessibleDescription(descricao);
}
