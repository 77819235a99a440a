// The cabinet's keyboard and its sound switch (the M key and the right-click menu).
//
// A key stands for a button and does exactly what a click on it does, only while that button is
// enabled, so nothing happens during a spin or a payout. Like a mouse click, a key acts when it
// is let go, and only when its button was enabled at the press as well: a key held through a spin
// and let go after the buttons came back places no bet the player did not make. The game's
// dialogs answer on a key's release, and a dialog opened on the press would receive that same
// key's release and close at once. A release counts only when the cabinet saw
// the press too, so the release of an Enter or Escape that answered a dialog never reaches the
// game. A held key is one press: the X server is asked to repeat it as presses alone, since its
// usual release-and-press pairs are told apart from quick separate presses only when the pair's
// press has already arrived, and a bet cannot be taken back.
//
// Tab and Shift+Tab move the focus over the buttons in the order a player reads them (Apostar 1,
// 5, 10, Girar, Sair, and round again); with a button focused, Space and Enter press it, under the
// same rule, and the other keys keep their buttons. The game opens with no button focused, so
// Space and Enter spin until Tab is used.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSettings>

#include "controls/DsFancyButton.h"
#include "controls/botao_acessivel.h"
#include "platform/teclas_seguradas.h"
#include "shell/som.h"
#include "shell/sons_do_jogo.h"
#include "shell/uPrincipal.h"

namespace {

// A preference of the player, not game state: ~/.config/Trevolino/Trevolino.conf.
QSettings preferencias() { return QSettings(QStringLiteral("Trevolino"), QStringLiteral("Trevolino")); }
const QString kChaveSomLigado = QStringLiteral("Som/Ligado");

bool teclaComModificador(const QKeyEvent* e) {
    return e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

}  // namespace

namespace {

// The keys and the buttons they stand for, with the names screen readers give the keys (X key
// names, as desktop toolkits write key bindings).
struct TeclaDoBotao {
    Qt::Key tecla;
    const char* botao;  // the button's object name
    const char* nome;
};
constexpr TeclaDoBotao kTeclas[] = {
    {Qt::Key_Space, "spdGirar", "space"},    {Qt::Key_Return, "spdGirar", "Return"},
    {Qt::Key_Enter, "spdGirar", "KP_Enter"}, {Qt::Key_1, "spdApostar01", "1"},
    {Qt::Key_5, "spdApostar05", "5"},        {Qt::Key_0, "spdApostar10", "0"},
    {Qt::Key_Escape, "spdSair", "Escape"},
};

bool ehTeclaDeApertar(int tecla) {
    return tecla == Qt::Key_Space || tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

}  // namespace

TDsFancyButton* TfrmPrincipal::BotaoComFoco() const {
    for (TDsFancyButton* b : botoes())
        if (b->hasFocus()) return b;
    return nullptr;
}

TDsFancyButton* TfrmPrincipal::BotaoDaTecla(int tecla) const {
    if (ehTeclaDeApertar(tecla))
        if (TDsFancyButton* b = BotaoComFoco()) return b;
    for (const auto& t : kTeclas)
        if (t.tecla == tecla)
            return findChild<TDsFancyButton*>(QLatin1String(t.botao), Qt::FindDirectChildrenOnly);
    return nullptr;
}

void TfrmPrincipal::PrepararTeclado() {
    static const bool umaVezPorPrograma = (plataforma::RepetirSoOAperto(), true);
    (void)umaVezPorPrograma;
    // Each button's press action tells readers its keys.
    for (TDsFancyButton* b : botoes()) {
        QStringList nomes;
        for (const auto& t : kTeclas)
            if (b->objectName() == QLatin1String(t.botao)) nomes << QString::fromLatin1(t.nome);
        controles::DefinirTeclasDoBotao(b, nomes);
    }
    // The window holds the focus itself until Tab moves it: left to Qt, the first button made
    // (Sair) would take it when the window is activated, and Space would ask to leave.
    setFocus(Qt::OtherFocusReason);
}

// Tab and Shift+Tab go round the buttons in reading order, over those that are off. The order is
// the buttons' own, not the window's focus chain, where the window itself stands before the first
// control made (Sair).
bool TfrmPrincipal::focusNextPrevChild(bool proximo) {
    const auto ordem = botoes();
    const int n = int(ordem.size());
    int atual = -1;
    for (int i = 0; i < n; ++i)
        if (ordem[size_t(i)]->hasFocus()) atual = i;
    for (int passo = 1; passo <= n; ++passo) {
        const int i = atual < 0 ? (proximo ? passo - 1 : n - passo)
                                : ((atual + (proximo ? passo : -passo)) % n + n) % n;
        TDsFancyButton* b = ordem[size_t(i)];
        if (!b->isEnabled() || !b->isVisible()) continue;
        if (i != atual) b->setFocus(proximo ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

// Disabling the focused button would send the focus on to the next one, and so on until none is
// left; the focus is put aside for the turn instead, and comes back when the buttons do. Put
// aside, not handed to the window: a screen reader then says nothing during the turn (a focused
// window is read out), and nothing when the same button has it again.
void TfrmPrincipal::HabilitarBotoes(bool habilitar) {
    if (!habilitar) {
        if (TDsFancyButton* b = BotaoComFoco()) {
            m_focoAntesDoGiro = b;
            b->clearFocus();
        }
    }
    for (auto* b : botoes()) b->setEnabled(habilitar);
    if (habilitar && m_focoAntesDoGiro) {
        // Given back only where nothing else took it meanwhile (a screen reader can move it).
        if (!focusWidget() || focusWidget() == this) m_focoAntesDoGiro->setFocus(Qt::OtherFocusReason);
        m_focoAntesDoGiro = nullptr;
    }
}

void TfrmPrincipal::keyPressEvent(QKeyEvent* e) {
    const int tecla = e->key();
    if ((!BotaoDaTecla(tecla) && tecla != Qt::Key_M) || teclaComModificador(e)) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    if (e->isAutoRepeat() || !isActiveWindow()) return;
    // The repeats of a held key come as presses too: only the first one counts. A key first
    // pressed while its button was off stays refused until it is let go.
    if (m_teclasApertadas.contains(tecla) || m_teclasRecusadas.contains(tecla)) return;
    TDsFancyButton* botao = tecla == Qt::Key_M ? nullptr : BotaoDaTecla(tecla);
    if (botao && !botao->isEnabled())
        m_teclasRecusadas.insert(tecla);
    else
        m_teclasApertadas.insert(tecla, botao);
}

void TfrmPrincipal::keyReleaseEvent(QKeyEvent* e) {
    const int tecla = e->key();
    if (!BotaoDaTecla(tecla) && tecla != Qt::Key_M) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    e->accept();
    if (e->isAutoRepeat()) return;
    m_teclasRecusadas.remove(tecla);
    if (!m_teclasApertadas.contains(tecla)) return;
    TDsFancyButton* botao = m_teclasApertadas.take(tecla);
    if (!isActiveWindow()) return;
    if (tecla == Qt::Key_M)
        AlternarSom();
    else if (botao == BotaoDaTecla(tecla))  // the focus moved meanwhile: like a mouse let go elsewhere
        botao->AnimateClick();              // does nothing while the button is disabled
}

void TfrmPrincipal::changeEvent(QEvent* e) {
    // A key held while another window takes over (a dialog, another program) is not a press of
    // this window any more.
    if (e->type() == QEvent::ActivationChange && !isActiveWindow()) {
        m_teclasApertadas.clear();
        m_teclasRecusadas.clear();
    }
    QWidget::changeEvent(e);
}

// --- the sound switch ------------------------------------------------------------------------

bool TfrmPrincipal::SomLigadoNasPreferencias() {
    return preferencias().value(kChaveSomLigado, true).toBool();
}

void TfrmPrincipal::DefinirSomLigado(bool ligado) {
    const bool estavaLigado = apresentacao::SomLigado();
    apresentacao::LigarSom(ligado);
    // Switching off stopped the count-up's loop; switched on again, it goes on for what is left.
    if (ligado && !estavaLigado && m_maquina->PremioDoPagamento() > 0)
        apresentacao::TocarSomDoEvento(PastaDoPrograma,
                                       jogo::EventoDoPagamento(m_maquina->PremioDoPagamento()));
    mnuSomLigado->setChecked(ligado);
    QSettings p = preferencias();
    p.setValue(kChaveSomLigado, ligado);
    p.sync();
}

void TfrmPrincipal::AlternarSom() { DefinirSomLigado(!apresentacao::SomLigado()); }

void TfrmPrincipal::CriarMenuDeContexto() {
    // Not a child of the window: the cabinet's children are exactly its controls, in
    // painting order. The window deletes it.
    mnuContexto = new QMenu;
    mnuContexto->setObjectName("mnuContexto");
    mnuSomLigado = mnuContexto->addAction(QCoreApplication::translate("Trevolino", "Som ligado"));
    mnuSomLigado->setObjectName("mnuSomLigado");
    mnuSomLigado->setCheckable(true);
    connect(mnuSomLigado, &QAction::triggered, this, [this](bool ligado) { DefinirSomLigado(ligado); });
    // A menu walked with the arrow keys keeps the application's focus after it closes, and the
    // menu key's request goes to the focused widget: the closed menu would take it, not the
    // cabinet.
    connect(mnuContexto, &QMenu::aboutToHide, this, [this] {
        if (QApplication::focusWidget() == mnuContexto) mnuContexto->clearFocus();
    });

    // Only a player who switched the sound off in an earlier run finds it off; nothing is
    // written until the switch is used.
    apresentacao::LigarSom(SomLigadoNasPreferencias());
    mnuSomLigado->setChecked(apresentacao::SomLigado());

    // The right click is watched on every control, since they cover the whole window.
    for (QWidget* filho : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) filho->installEventFilter(this);
}

void TfrmPrincipal::MostrarMenuDeContexto(const QPoint& global) {
    mnuSomLigado->setChecked(apresentacao::SomLigado());
    mnuContexto->popup(global);
}

// The right button also drags the cabinet, so the menu opens on its release, and only when the
// pointer stayed where it was pressed: a drag is never answered with a menu.
void TfrmPrincipal::CliqueDireito(QEvent* evento) {
    if (evento->type() != QEvent::MouseButtonPress && evento->type() != QEvent::MouseButtonRelease) return;
    const auto* m = static_cast<QMouseEvent*>(evento);
    if (m->button() != Qt::RightButton) return;
    const QPoint onde = m->globalPosition().toPoint();
    if (evento->type() == QEvent::MouseButtonPress) {
        m_cliqueDireitoEm = onde;
        m_cliqueDireitoPendente = true;
        return;
    }
    if (!m_cliqueDireitoPendente) return;
    m_cliqueDireitoPendente = false;
    if ((onde - m_cliqueDireitoEm).manhattanLength() < QApplication::startDragDistance())
        MostrarMenuDeContexto(onde);
}

void TfrmPrincipal::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
    // The mouse's menu waits for the button's release (CliqueDireito); the menu key opens it here.
    if (e->reason() != QContextMenuEvent::Mouse) MostrarMenuDeContexto(mapToGlobal(rect().center()));
}
