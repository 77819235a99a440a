#include "platform/registro.h"
#include "shell/cursores.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QVariant>
#include <QWidget>
#include <utility>

#include "shell/dialogo_rotinas.h"

namespace apresentacao {

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
    m_temporizador.setSingleShot(true);
    m_temporizador.setTimerType(Qt::PreciseTimer);
    connect(&m_temporizador, &QTimer::timeout, this, &TabelaDeCursores::Atualizar);
}

qint64 TabelaDeCursores::agora() const { return m_relogio ? m_relogio() : relogioPadrao(); }

void TabelaDeCursores::DefinirRelogio(std::function<qint64()> relogio) {
    m_relogio = std::move(relogio);
    const qint64 t = agora();
    for (auto& [numero, e] : m_entradas) e.inicio = t;
    rearmar();
}

void TabelaDeCursores::Registrar(int numero, const plataforma::CursorAnimado& cursor) {
    if (cursor.quadros.empty() || cursor.passos.empty()) {
        Remover(numero);
        return;
    }
    Entrada e;
    e.cursor = cursor;
    e.quadros.resize(cursor.quadros.size());
    qint64 sessentaAvos = 0;
    for (const auto& s : cursor.passos) {
        sessentaAvos += s.sessentaAvos;
        e.fimDoPasso.push_back(sessentaAvos * 1000 / 60);
    }
    e.inicio = agora();
    m_entradas[numero] = std::move(e);
    mostrar(numero);
    rearmar();
}

bool TabelaDeCursores::CarregarArquivo(int numero, const QString& caminho) {
    auto cursor = plataforma::LerArquivoDeCursor(caminho);
    if (!cursor) {
        plataforma::AvisarUmaVez(caminho, "animated cursor not loaded, the plain one stays: " + caminho);
        Remover(numero);
        return false;
    }
    Registrar(numero, *cursor);
    return true;
}

void TabelaDeCursores::CarregarArquivoAoPrecisar(int numero, const QString& caminho) {
    Remover(numero);
    m_pendentes[numero] = caminho;
}

void TabelaDeCursores::PrepararAntesDeLer(std::function<void()> preparar) {
    m_preparar = std::move(preparar);
}

void TabelaDeCursores::carregarPendentes() {
    if (m_pendentes.empty()) return;
    if (auto preparar = std::exchange(m_preparar, {})) preparar();
    for (const auto& [numero, caminho] : std::exchange(m_pendentes, {})) CarregarArquivo(numero, caminho);
}

void TabelaDeCursores::Remover(int numero) {
    m_pendentes.erase(numero);
    if (m_entradas.erase(numero)) mostrar(numero);
    rearmar();
}

void TabelaDeCursores::Limpar() {
    m_pendentes.clear();
    m_preparar = {};
    std::vector<int> numeros;
    for (const auto& [numero, e] : m_entradas) numeros.push_back(numero);
    m_entradas.clear();
    for (int n : numeros) mostrar(n);
    rearmar();
}

bool TabelaDeCursores::Registrado(int numero) const { return m_entradas.count(numero) != 0; }

const plataforma::CursorAnimado* TabelaDeCursores::Cursor(int numero) const {
    auto it = m_entradas.find(numero);
    return it == m_entradas.end() ? nullptr : &it->second.cursor;
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
    auto it = m_entradas.find(numero);
    return it == m_entradas.end() ? 0 : passoEm(it->second, agora(), nullptr);
}

QCursor TabelaDeCursores::CursorAtual(int numero) const {
    auto it = m_entradas.find(numero);
    if (it == m_entradas.end()) return QCursor(Qt::ArrowCursor);
    const Entrada& e = it->second;
    return quadro(e, e.cursor.passos[passoEm(e, agora(), nullptr)].quadro);
}

const QCursor& TabelaDeCursores::quadro(const Entrada& e, int indice) {
    std::optional<QCursor>& c = e.quadros[size_t(indice)];
    if (!c) {
        const plataforma::QuadroDeCursor& q = e.cursor.quadros[size_t(indice)];
        c.emplace(QPixmap::fromImage(q.imagem), q.pontoQuente.x(), q.pontoQuente.y());
    }
    return *c;
}

// Shows the frame due now on every control (and the screen) that uses `numero`.
void TabelaDeCursores::mostrar(int numero) {
    const QCursor c = CursorAtual(numero);
    for (auto it = m_controles.cbegin(); it != m_controles.cend(); ++it)
        if (it.value() == numero) it.key()->setCursor(c);
    if (m_cursorDaTela == numero && m_cursorDaTela != 0 && QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(c);
}

void TabelaDeCursores::Atualizar() {
    const qint64 t = agora();
    for (auto& [numero, e] : m_entradas) {
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
    for (const auto& [numero, e] : m_entradas) {
        // Only a cursor someone can see is animated: the screen's, or one of a control under
        // the pointer. An idle game with the pointer elsewhere then never wakes for cursors.
        bool emUso = m_cursorDaTela == numero;
        for (auto it = m_controles.cbegin(); !emUso && it != m_controles.cend(); ++it)
            emUso = it.value() == numero && it.key()->underMouse();
        if (!emUso) continue;
        qint64 troca;
        passoEm(e, t, &troca);
        if (troca >= 0 && (proxima < 0 || troca < proxima)) proxima = troca;
    }
    if (proxima < 0) {
        m_temporizador.stop();
        return;
    }
    // With a test clock the timer only keeps the "active" state; the test calls Atualizar().
    m_temporizador.start(int(std::clamp<qint64>(proxima - t, 1, 60 * 60 * 1000)));
}

void TabelaDeCursores::AplicarNoControle(QWidget* controle, int numero) {
    if (!controle) return;
    if (numero == 0) {
        controle->setProperty(kPropriedade, QVariant());
        m_controles.remove(controle);
        controle->unsetCursor();
        rearmar();
        return;
    }
    if (!m_controles.contains(controle)) {
        controle->installEventFilter(this);
        connect(controle, &QObject::destroyed, this, [this, controle] {
            m_controles.remove(controle);
            rearmar();
        });
    }
    m_controles.insert(controle, numero);
    controle->setProperty(kPropriedade, numero);
    controle->setCursor(CursorAtual(numero));
    rearmar();
}

bool TabelaDeCursores::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::Enter) {
        carregarPendentes();
        // Show the frame due now on every control of that number, then re-arm for the next one.
        if (auto* w = qobject_cast<QWidget*>(objeto); w && m_controles.contains(w))
            mostrar(m_controles.value(w));
        rearmar();
    }
    return QObject::eventFilter(objeto, evento);
}

int TabelaDeCursores::NumeroDoControle(const QWidget* controle) {
    return controle ? controle->property(kPropriedade).toInt() : 0;
}

void TabelaDeCursores::DefinirCursorDaTela(int numero) {
    if (numero == m_cursorDaTela) return;
    if (m_cursorDaTela != 0) QGuiApplication::restoreOverrideCursor();
    m_cursorDaTela = numero;
    if (numero != 0) {
        carregarPendentes();
        QGuiApplication::setOverrideCursor(CursorAtual(numero));
    }
    rearmar();
}

void AplicarCursoresAnimados(const QString& Pasta, QWidget* Janela) {
    auto& tabela = TabelaDeCursores::instancia();
    QString pasta = Pasta.isEmpty() ? QCoreApplication::applicationDirPath() : Pasta;
    if (!pasta.endsWith(QLatin1Char('/'))) pasta += QLatin1Char('/');
    tabela.CarregarArquivoAoPrecisar(crEsperar, pasta + QStringLiteral("c_esperar.ani"));
    tabela.CarregarArquivoAoPrecisar(crExecutar, pasta + QStringLiteral("c_executar.ani"));
    tabela.CarregarArquivoAoPrecisar(crNormal, pasta + QStringLiteral("c_normal.ani"));
    tabela.CarregarArquivoAoPrecisar(crTocar, pasta + QStringLiteral("c_tocar.ani"));
    if (!Janela) return;
    tabela.AplicarNoControle(Janela, crNormal);
    AplicarCursorNosControles(Janela);
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

}  // namespace apresentacao
