#include "game/maquina.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtGlobal>

#include "game/dinheiro.h"

namespace jogo {

namespace {

class TemporizadorDoQt final : public QTimer, public Temporizador {
public:
    TemporizadorDoQt(QObject* dono, const QString& nome, int ms, std::function<void()> aoDisparar)
        : QTimer(dono) {
        setObjectName(nome);
        setInterval(ms);
        setTimerType(Qt::PreciseTimer);
        connect(this, &QTimer::timeout, this, std::move(aoDisparar));
    }
    void Iniciar() override { start(); }
    void Parar() override { stop(); }
    bool Ativo() const override { return isActive(); }
};

class RelogioDoQtImpl final : public Relogio {
public:
    Temporizador* Criar(QObject* dono, const QString& nome, int ms,
                        std::function<void()> aoDisparar) override {
        return new TemporizadorDoQt(dono, nome, ms, std::move(aoDisparar));
    }
};

// The pause between the last reel's stop and the win check, and one credit of the count-up.
constexpr int kAssentarMs = 500;
constexpr int kCreditoMs = 250;
constexpr int kFinalMs = 1000;
constexpr int kBobinaMs = 10;
constexpr int kLuzesMs = 500;

}  // namespace

Relogio& RelogioDoQt() {
    static RelogioDoQtImpl relogio;
    return relogio;
}

Maquina::Maquina(Relogio& relogio, Sorteio sorteio, QObject* parent)
    : QObject(parent), m_sorteio(std::move(sorteio)) {
    setObjectName(QStringLiteral("maquina"));
    for (int k = 1; k <= 3; ++k)
        m_timBobina[size_t(k - 1)] = relogio.Criar(this, QStringLiteral("timBobina%1").arg(k), kBobinaMs,
                                                   [this, k] { PassoDaBobina(k); });
    m_timFinal = relogio.Criar(this, QStringLiteral("timFinal"), kFinalMs, [this] { Finalizar(); });
    m_timLuzes =
        relogio.Criar(this, QStringLiteral("timLuzesMensagem"), kLuzesMs, [this] { PassoDasLuzes(); });
    m_timAssentar = relogio.Criar(this, QStringLiteral("timAssentar"), kAssentarMs, [this] {
        m_timAssentar->Parar();
        ChecarSeGanhou();
    });
    m_timPagamento =
        relogio.Criar(this, QStringLiteral("timPagamento"), kCreditoMs, [this] { PassoDoPagamento(); });
}

// --- money -----------------------------------------------------------------------------------

void Maquina::DefinirDinheiro(double credito, double aposta) {
    m_credito = credito;
    m_aposta = aposta;
    emit CreditoOuApostaMudou(m_credito, m_aposta);
}

bool Maquina::Apostar(double quantia) {
    if (m_credito < quantia) return false;
    SetarMensagem(QT_TRANSLATE_NOOP("Trevolino", "Boa Sorte"));
    jogo::Apostar(m_credito, m_aposta, quantia);
    emit Ocorreu(Evento::MoedaInserida);
    emit CreditoOuApostaMudou(m_credito, m_aposta);
    return true;
}

// --- the turn --------------------------------------------------------------------------------

void Maquina::IniciarVolta(int maior, const std::array<int, 3>& acrescimos) {
    DefinirLimites(m_bobinas, m_sorteio(maior), acrescimos);
    m_fase = Fase::Girando;
    for (Temporizador* t : m_timBobina) t->Iniciar();
}

bool Maquina::Girar() {
    if (m_aposta == 0) return false;
    IniciarVolta(kMaiorSorteioGiro, kAcrescimoGiro);
    emit GiroComecou();
    emit Ocorreu(Evento::GiroComecou);
    return true;
}

void Maquina::GirarAbertura() { IniciarVolta(kMaiorSorteioAbertura, kAcrescimoAbertura); }

void Maquina::Abrir() {
    DefinirDinheiro(100.0, 0.0);
    IniciarLuzes();
    SetarMensagem(QT_TRANSLATE_NOOP("Trevolino", "Aposte e Ganhe"));
    GirarAbertura();
    // No stop targets: the draws decide where the reels stop.
    SetarOQueTemQueDar(0, 0, 0);
}

void Maquina::PassoDaBobina(int k) {
    Bobina& b = m_bobinas[size_t(k - 1)];
    Avancar(b);
    emit BobinaAndou(k);
    if (ContarPasso(b) != ResultadoDoPasso::Parou) return;
    m_timBobina[size_t(k - 1)]->Parar();
    emit BobinaParou(k);
    emit Ocorreu(Evento::BobinaParou);
    // The last reel ends the turning; the win check comes after a short pause.
    if (k != 3) return;
    m_fase = Fase::Assentando;
    m_timAssentar->Iniciar();
}

void Maquina::ChecarSeGanhou() {
    m_premio = PremioDaLinha();
    m_premioDoPagamento = m_premio;
    if (m_premio <= 0) {
        TerminarPagamento();
        return;
    }
    m_fase = Fase::Pagando;
    emit Ganhou(m_premio);
    emit Ocorreu(Evento::Ganhou);
    emit Ocorreu(EventoDoPagamento(m_premio));
    SetarMensagem(QT_TRANSLATE_NOOP("Trevolino", "Parabens"));
    // The first credit moves at once; each later one, and the end, a tick after the one before.
    PassoDoPagamento();
    m_timPagamento->Iniciar();
}

void Maquina::PassoDoPagamento() {
    if (PagarUmCredito(m_premio, m_credito)) {
        emit CreditoOuApostaMudou(m_credito, m_aposta);
        emit CreditoPago(m_premio);
        return;
    }
    m_timPagamento->Parar();
    TerminarPagamento();
}

void Maquina::TerminarPagamento() {
    if (m_premioDoPagamento > 0) emit Ocorreu(Evento::PagamentoTerminou);
    m_premioDoPagamento = 0;
    m_aposta = 0;
    emit CreditoOuApostaMudou(m_credito, m_aposta);
    SetarOQueTemQueDar(0, 0, 0);
    m_fase = Fase::Final;
    m_timFinal->Iniciar();
    SetarMensagem(QT_TRANSLATE_NOOP("Trevolino", "Aposte e Ganhe"));
}

void Maquina::Finalizar() {
    m_timFinal->Parar();
    m_fase = Fase::Parada;
    emit RodadaTerminou();
}

void Maquina::SetarOQueTemQueDar(int s1, int s2, int s3) {
    // On reel 1 each symbol k first stands at position k; a value outside the strip sets none.
    m_bobinas[0].Alvo = PrimeiraPosicao(Bobina1, s1);
    m_bobinas[1].Alvo = s2 != 0 ? PrimeiraPosicao(Bobina2, s2) : 0;
    m_bobinas[2].Alvo = s3 != 0 ? PrimeiraPosicao(Bobina3, s3) : 0;
}

std::array<int, 3> Maquina::SimbolosEmVista(int k) const {
    const Fita& fita = *Fitas[size_t(k - 1)];
    const int p = Posicao(k);
    return {fita[Decrementar(p)], fita[p], fita[Incrementar(p)]};
}

double Maquina::PremioDaLinha() const { return PremioDaLinhaDoMeio(m_bobinas, m_aposta); }

void Maquina::Posicionar(int p1, int p2, int p3) {
    m_bobinas[0].Posicao = p1;
    m_bobinas[1].Posicao = p2;
    m_bobinas[2].Posicao = p3;
}

// --- lamps and marquee -----------------------------------------------------------------------

void Maquina::IniciarLuzes() {
    m_faseDasLuzes = 1;
    m_timLuzes->Iniciar();
}

void Maquina::SetarMensagem(const QString& texto) {
    // The marquee speaks the player's language; a text without a translation stands as given.
    m_mensagem = QCoreApplication::translate("Trevolino", texto.toUtf8().constData());
    emit MensagemMudou(m_mensagem);
}

void Maquina::PassoDasLuzes() {
    const int fase = m_faseDasLuzes;
    ObterCorDaLuz(m_faseDasLuzes - 1, &m_faseDasLuzes);
    m_letreiro = PedacoDoLetreiro(m_mensagem, m_posicaoDaMensagem);
    m_posicaoDaMensagem = ProximaPosicaoDoLetreiro(m_mensagem, m_posicaoDaMensagem);
    emit LuzesAndaram(fase);
}

void Maquina::Parar() {
    for (Temporizador* t : {m_timBobina[0], m_timBobina[1], m_timBobina[2], m_timAssentar, m_timPagamento,
                            m_timFinal, m_timLuzes})
        t->Parar();
}

}  // namespace jogo
