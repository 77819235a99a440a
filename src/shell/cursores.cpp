#include "platform/registro.h"
#include "shell/cursores.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

#include "shell/dialogo_rotinas.h"
#include "shell/recursos.h"

namespace uRotinasGerais {

namespace {
const char* const kPropriedade = "cursorNumero";

qint64 relogioPadrao() {
    static QElapsedTimer inicio = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return inicio.elapsed();
}
}  // namespace

TabelaDeCursores& TabelaDeCursores::instancia() {
    static TabelaDeCursores* tabela = new TabelaDeCursores;  // lives as long as the process
    return *tabela;
}

TabelaDeCursores::TabelaDeCursores() {
    FTimer.setSingleShot(true);
    FTimer.setTimerType(Qt::PreciseTimer);
    connect(&FTimer, &QTimer::timeout, this, &TabelaDeCursores::Atualizar);
}

qint64 TabelaDeCursores::agora() const { return FRelogio ? FRelogio() : relogioPadrao(); }

void TabelaDeCursores::DefinirRelogio(std::function<qint64()> relogio) {
    FRelogio = std::move(relogio);
    const qint64 t = agora();
    for (auto& [numero, e] : FEntradas) e.inicio = t;
    rearmar();
}

void TabelaDeCursores::Registrar(int numero, const plataforma::AnimatedCursor& cursor) {
    if (cursor.frames.empty() || cursor.steps.empty()) {
        Remover(numero);
        return;
    }
    Entrada e;
    e.cursor = cursor;
    e.quadros.resize(cursor.frames.size());
    qint64 jiffies = 0;
    for (const auto& s : cursor.steps) {
        jiffies += s.jiffies;
        e.fimDoPasso.push_back(jiffies * 1000 / 60);
    }
    e.inicio = agora();
    FEntradas[numero] = std::move(e);
    mostrar(numero);
    rearmar();
}

bool TabelaDeCursores::CarregarArquivo(int numero, const QString& caminho) {
    auto cursor = plataforma::loadCursorFile(caminho);
    if (!cursor) {
        plataforma::AvisarUmaVez(caminho, "animated cursor not loaded, the plain one stays: " + caminho);
        Remover(numero);
        return false;
    }
    Registrar(numero, *cursor);
    return true;
}

void TabelaDeCursores::Remover(int numero) {
    if (FEntradas.erase(numero)) mostrar(numero);
    rearmar();
}

void TabelaDeCursores::Limpar() {
    std::vector<int> numeros;
    for (const auto& [numero, e] : FEntradas) numeros.push_back(numero);
    FEntradas.clear();
    for (int n : numeros) mostrar(n);
    rearmar();
}

bool TabelaDeCursores::Registrado(int numero) const { return FEntradas.count(numero) != 0; }

const plataforma::AnimatedCursor* TabelaDeCursores::Cursor(int numero) const {
    auto it = FEntradas.find(numero);
    return it == FEntradas.end() ? nullptr : &it->second.cursor;
}

int TabelaDeCursores::passoEm(const Entrada& e, qint64 t, qint64* proximaTroca) const {
    const qint64 ciclo = e.fimDoPasso.back();
    if (e.fimDoPasso.size() < 2 || ciclo <= 0) {
        if (proximaTroca) *proximaTroca = -1;
        return 0;
    }
    const qint64 decorrido = std::max<qint64>(0, t - e.inicio);
    const qint64 voltas = decorrido / ciclo;
    const qint64 dentro = decorrido % ciclo;
    int passo = 0;
    while (passo + 1 < int(e.fimDoPasso.size()) && e.fimDoPasso[passo] <= dentro) ++passo;
    if (proximaTroca) *proximaTroca = e.inicio + voltas * ciclo + e.fimDoPasso[passo];
    return passo;
}

int TabelaDeCursores::PassoAtual(int numero) const {
    auto it = FEntradas.find(numero);
    return it == FEntradas.end() ? 0 : passoEm(it->second, agora(), nullptr);
}

QCursor TabelaDeCursores::CursorAtual(int numero) const {
    auto it = FEntradas.find(numero);
    if (it == FEntradas.end()) return QCursor(Qt::ArrowCursor);
    const Entrada& e = it->second;
    return quadro(e, e.cursor.steps[passoEm(e, agora(), nullptr)].frame);
}

const QCursor& TabelaDeCursores::quadro(const Entrada& e, int indice) {
    std::optional<QCursor>& c = e.quadros[size_t(indice)];
    if (!c) {
        const plataforma::CursorFrame& q = e.cursor.frames[size_t(indice)];
        c.emplace(QPixmap::fromImage(q.image), q.hotSpot.x(), q.hotSpot.y());
    }
    return *c;
}

// Shows the frame due now on every control (and the screen) that uses `numero`.
void TabelaDeCursores::mostrar(int numero) {
    const QCursor c = CursorAtual(numero);
    for (auto it = FControles.cbegin(); it != FControles.cend(); ++it)
        if (it.value() == numero) it.key()->setCursor(c);
    if (FCursorDaTela == numero && FCursorDaTela != 0 && QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(c);
}

void TabelaDeCursores::Atualizar() {
    const qint64 t = agora();
    for (auto& [numero, e] : FEntradas) {
        const int passo = passoEm(e, t, nullptr);
        if (passo != e.passoMostrado) {
            e.passoMostrado = passo;
            mostrar(numero);
        }
    }
    rearmar();
}

// Arms the one timer for the next frame change among the numbers that something shows.
void TabelaDeCursores::rearmar() {
    const qint64 t = agora();
    qint64 proxima = -1;
    for (const auto& [numero, e] : FEntradas) {
        // Only a cursor someone can see is animated: the screen's, or one of a control under
        // the pointer. An idle game with the pointer elsewhere then never wakes for cursors.
        bool emUso = FCursorDaTela == numero;
        for (auto it = FControles.cbegin(); !emUso && it != FControles.cend(); ++it)
            emUso = it.value() == numero && it.key()->underMouse();
        if (!emUso) continue;
        qint64 troca;
        passoEm(e, t, &troca);
        if (troca >= 0 && (proxima < 0 || troca < proxima)) proxima = troca;
    }
    if (proxima < 0) {
        FTimer.stop();
        return;
    }
    // With a test clock the timer only keeps the "active" state; the test calls Atualizar().
    FTimer.start(int(std::clamp<qint64>(proxima - t, 1, 60 * 60 * 1000)));
}

void TabelaDeCursores::AplicarNoControle(QWidget* controle, int numero) {
    if (!controle) return;
    if (numero == 0) {
        controle->setProperty(kPropriedade, QVariant());
        FControles.remove(controle);
        controle->unsetCursor();
        rearmar();
        return;
    }
    if (!FControles.contains(controle)) {
        controle->installEventFilter(this);
        connect(controle, &QObject::destroyed, this, [this, controle] {
            FControles.remove(controle);
            rearmar();
        });
    }
    FControles.insert(controle, numero);
    controle->setProperty(kPropriedade, numero);
    controle->setCursor(CursorAtual(numero));
    rearmar();
}

bool TabelaDeCursores::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::Enter) {
        // Show the frame due now on every control of that number, then re-arm for the next one.
        if (auto* w = qobject_cast<QWidget*>(objeto); w && FControles.contains(w))
            mostrar(FControles.value(w));
        rearmar();
    }
    return QObject::eventFilter(objeto, evento);
}

int TabelaDeCursores::NumeroDoControle(const QWidget* controle) {
    return controle ? controle->property(kPropriedade).toInt() : 0;
}

void TabelaDeCursores::DefinirCursorDaTela(int numero) {
    if (numero == FCursorDaTela) return;
    if (FCursorDaTela != 0) QGuiApplication::restoreOverrideCursor();
    FCursorDaTela = numero;
    if (numero != 0) QGuiApplication::setOverrideCursor(CursorAtual(numero));
    rearmar();
}

// Design cursors become the program's numbers: hourglass → wait, application starting →
// working, up-arrow → touch, everything else (the default included) → the normal pointer.
// A control that already carries a number keeps it, so a second pass changes nothing.
void AplicarCursorNosControles(QWidget* Formulario) {
    if (!Formulario) return;
    auto& tabela = TabelaDeCursores::instancia();
    const auto controles = Formulario->findChildren<QWidget*>();
    for (QWidget* w : controles) {
        if (w->isWindow()) continue;  // a form of its own runs this routine itself
        if (TabelaDeCursores::NumeroDoControle(w) != 0) {
            tabela.AplicarNoControle(w, TabelaDeCursores::NumeroDoControle(w));
            continue;
        }
        int numero = crNormal;
        if (w->testAttribute(Qt::WA_SetCursor)) {
            switch (w->cursor().shape()) {
                case Qt::WaitCursor: numero = crEsperar; break;
                case Qt::BusyCursor: numero = crExecutar; break;
                case Qt::UpArrowCursor: numero = crTocar; break;
                default: numero = crNormal; break;
            }
        }
        tabela.AplicarNoControle(w, numero);
    }
    // Double buffering: every Qt widget already paints through a back buffer, so there is
    // nothing to switch on.
}

}  // namespace uRotinasGerais
