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
    : QObject(parent), FSorteio(std::move(sorteio)) {
    setObjectName(QStringLiteral("maquina"));
    for (int k = 1; k <= 3; ++k)
        FTimBobina[size_t(k - 1)] = relogio.Criar(this, QStringLiteral("timBobina%1").arg(k), kBobinaMs,
                                                  [this, k] { PassoDaBobina(k); });
    FTimFinal = relogio.Criar(this, QStringLiteral("timFinal"), kFinalMs, [this] { Finalizar(); });
    FTimLuzes =
        relogio.Criar(this, QStringLiteral("timLuzesMensagem"), kLuzesMs, [this] { PassoDasLuzes(); });
    FTimAssentar = relogio.Criar(this, QStringLiteral("timAssentar"), kAssentarMs, [this] {
        FTimAssentar->Parar();
        ChecarSeGanhou();
    });
    FTimPagamento =
        relogio.Criar(this, QStringLiteral("timPagamento"), kCreditoMs, [this] { PassoDoPagamento(); });
}

// --- money -----------------------------------------------------------------------------------

void Maquina::DefinirDinheiro(double credito, double aposta) {
    FCredito = credito;
    FAposta = aposta;
    emit CreditoOuApostaMudou(FCredito, FAposta);
}

bool Maquina::Apostar(double quantia) {
    if (FCredito < quantia) return false;
    SetarMensagem(QT_TRANSLATE_NOOP("Trevolino", "Boa Sorte"));
    jogo::Apostar(FCredito, FAposta, quantia);
    emit Ocorreu(Evento::MoedaInserida);
    emit CreditoOuApostaMudou(FCredito, FAposta);
    return true;
}

// --- the turn --------------------------------------------------------------------------------

void Maquina::IniciarVolta(int maior, const std::array<int, 3>& acrescimos) {
    DefinirLimites(FBobinas, FSorteio(maior), acrescimos);
    FFase = Fase::Girando;
    for (Temporizador* t : FTimBobina) t->Iniciar();
}

bool Maquina::Girar() {
    if (FAposta == 0) return false;
    IniciarVolta(kMaiorSorteioGiro, kAcrescimoGiro);
    emit GiroComecou();
    emit Ocorreu(Evento::GiroComecou);
    return true;
}

void Maquina::GirarAbertura() { IniciarVolta(kMaiorSorteioAbertura, kAcrescimoAbertura); }

void Maquina::PassoDaBobina(int k) {
    Bobina& b = FBobinas[size_t(k - 1)];
    Avancar(b);
    emit BobinaAndou(k);
    if (ContarPasso(b) != ResultadoDoPasso::Parou) return;
    FTimBobina[size_t(k - 1)]->Parar();
    emit BobinaParou(k);
    emit Ocorreu(Evento::BobinaParou);
    // The last reel ends the turning; the win check comes after a short pause.
    if (k != 3) return;
    FFase = Fase::Assentando;
    FTimAssentar->Iniciar();
}

void Maquina::ChecarSeGanhou() {
    FPremio = PremioDaLinhaDoMeio(FBobinas, FAposta);
    FPremioDoPagamento = FPremio;
    if (FPremio <= 0) {
        TerminarPagamento();
        return;
    }
    FFase = Fase::Pagando;
    emit Ganhou(FPremio);
    emit Ocorreu(Evento::Ganhou);
    emit Ocorreu(EventoDoPagamento(FPremio));
    SetarMensagem(QT_TRANSLATE_NOOP("Trevolino", "Parabens"));
    // The first credit moves at once; each later one, and the end, a tick after the one before.
    PassoDoPagamento();
    FTimPagamento->Iniciar();
}

void Maquina::PassoDoPagamento() {
    if (PagarUmCredito(FPremio, FCredito)) {
        emit CreditoOuApostaMudou(FCredito, FAposta);
        emit CreditoPago(FPremio);
        return;
    }
    FTimPagamento->Parar();
    TerminarPagamento();
}

void Maquina::TerminarPagamento() {
    if (FPremioDoPagamento > 0) emit Ocorreu(Evento::PagamentoTerminou);
    FPremioDoPagamento = 0;
    FAposta = 0;
    emit CreditoOuApostaMudou(FCredito, FAposta);
    SetarOQueTemQueDar(0, 0, 0);
    FFase = Fase::Final;
    FTimFinal->Iniciar();
    SetarMensagem(QT_TRANSLATE_NOOP("Trevolino", "Aposte e Ganhe"));
}

void Maquina::Finalizar() {
    FTimFinal->Parar();
    FFase = Fase::Parada;
    emit RodadaTerminou();
}

void Maquina::SetarOQueTemQueDar(int s1, int s2, int s3) {
    // On reel 1 each symbol k first stands at position k; a value outside the strip sets none.
    FBobinas[0].Alvo = PrimeiraPosicao(Bobina1, s1);
    FBobinas[1].Alvo = s2 != 0 ? PrimeiraPosicao(Bobina2, s2) : 0;
    FBobinas[2].Alvo = s3 != 0 ? PrimeiraPosicao(Bobina3, s3) : 0;
}

void Maquina::Posicionar(int p1, int p2, int p3) {
    FBobinas[0].Posicao = p1;
    FBobinas[1].Posicao = p2;
    FBobinas[2].Posicao = p3;
}

// --- lamps and marquee -----------------------------------------------------------------------

void Maquina::IniciarLuzes() {
    FFaseDasLuzes = 1;
    FTimLuzes->Iniciar();
}

void Maquina::SetarMensagem(const QString& texto) {
    // The marquee speaks the player's language; a text without a translation stands as given.
    FMensagem = QCoreApplication::translate("Trevolino", texto.toUtf8().constData());
    emit MensagemMudou(FMensagem);
}

void Maquina::PassoDasLuzes() {
    const int fase = FFaseDasLuzes;
    ObterCorDaLuz(FFaseDasLuzes - 1, &FFaseDasLuzes);
    FLetreiro = PedacoDoLetreiro(FMensagem, FPosicaoDaMensagem);
    FPosicaoDaMensagem = ProximaPosicaoDoLetreiro(FMensagem, FPosicaoDaMensagem);
    emit LuzesAndaram(fase);
}

void Maquina::Parar() {
    for (Temporizador* t :
         {FTimBobina[0], FTimBobina[1], FTimBobina[2], FTimAssentar, FTimPagamento, FTimFinal, FTimLuzes})
        t->Parar();
}

}  // namespace jogo
