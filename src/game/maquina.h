// The slot machine as one object: credit, bet and prize, the three reels and their turn, the
// settling pause and the count-up, the lamps and the marquee. It knows no window, file or sound:
// it says what happened through its signals, and the cabinet draws and sounds it. Its waits are
// timers from the clock it is given, never a loop of its own, so the program can end, or a test
// can run a whole round at once, in any phase.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>

#include "game/bobinas.h"
#include "game/eventos.h"

namespace jogo {

// One of the machine's timers: once started it fires at its own interval until stopped.
class Temporizador {
public:
    virtual ~Temporizador() = default;
    virtual void Iniciar() = 0;
    virtual void Parar() = 0;
    virtual bool Ativo() const = 0;
};

// Where the machine's timers come from.
class Relogio {
public:
    virtual ~Relogio() = default;
    // A stopped timer of `ms` milliseconds named `nome`, belonging to `dono`, that calls
    // `aoDisparar` each time it fires.
    virtual Temporizador* Criar(QObject* dono, const QString& nome, int ms,
                                std::function<void()> aoDisparar) = 0;
};

// The real clock: precise Qt timers, children of their owner under their names.
Relogio& RelogioDoQt();

// A draw: a whole number from 0 to `maior`.
using Sorteio = std::function<int(int maior)>;

class Maquina : public QObject {
    Q_OBJECT
public:
    // Where a turn stands: reels turning, the pause after the last stop, the count-up, the
    // second before the buttons come back, or at rest.
    enum class Fase { Parada, Girando, Assentando, Pagando, Final };

    explicit Maquina(Relogio& relogio = RelogioDoQt(), Sorteio sorteio = Sortear, QObject* parent = nullptr);

    void DefinirSorteio(Sorteio sorteio) { m_sorteio = std::move(sorteio); }

    // --- money ---
    double Credito() const { return m_credito; }
    double Aposta() const { return m_aposta; }
    double Premio() const { return m_premio; }
    void DefinirDinheiro(double credito, double aposta);
    // Takes a bet the credit covers, with "Boa Sorte" and a coin; false, nothing changed, otherwise.
    bool Apostar(double quantia);

    // --- the turn ---
    // The game's opening: 100 credits and no bet, the lamps on, the greeting on the marquee, the
    // opening turn, and no stop targets.
    void Abrir();
    // Starts a spin on the bet placed; false, nothing changed, when there is no bet.
    bool Girar();
    // The opening turn: shorter, silent, and it leaves the buttons as they are.
    void GirarAbertura();
    // Stop targets as symbols (0: none); a symbol the strip lacks sets none.
    void SetarOQueTemQueDar(int s1, int s2, int s3);
    const std::array<Bobina, 3>& Bobinas() const { return m_bobinas; }
    int Posicao(int k) const { return m_bobinas[size_t(k - 1)].Posicao; }
    void Posicionar(int p1, int p2, int p3);
    // The symbols reel k (1..3) shows, top to bottom; the middle one is on the pay line.
    std::array<int, 3> SimbolosEmVista(int k) const;
    // What the pay line as it stands pays for the bet placed.
    double PremioDaLinha() const;
    Fase FaseAtual() const { return m_fase; }
    // The prize a count-up in progress is paying (what chose its sound); 0 outside one.
    double PremioDoPagamento() const { return m_fase == Fase::Pagando ? m_premioDoPagamento : 0; }

    // --- lamps and marquee ---
    void IniciarLuzes();  // phase 1 and the lamp timer on
    void SetarMensagem(const QString& texto);
    void PassoDasLuzes();
    int FaseDasLuzes() const { return m_faseDasLuzes; }
    const QString& Mensagem() const { return m_mensagem; }
    // The twelve characters the marquee showed at its last step.
    const QString& Letreiro() const { return m_letreiro; }

    // Every timer stops: the program is ending.
    void Parar();

signals:
    void Ocorreu(jogo::Evento evento);  // what the cabinet sounds
    void CreditoOuApostaMudou(double credito, double aposta);
    void GiroComecou();
    void BobinaAndou(int bobina);
    void BobinaParou(int bobina);
    void Ganhou(double premio);
    void CreditoPago(double premioRestante);
    void RodadaTerminou();  // the final second is over: still reels, buttons back
    void MensagemMudou(const QString& mensagem);
    // Lamp n now shows colour ObterCorDaLuz(fase + n - 1); the marquee shows Letreiro().
    void LuzesAndaram(int fase);

private:
    // The steps of a turn, each driven by its timer.
    void PassoDaBobina(int k);  // one tick of reel k, 1..3
    // The settling pause is over: the win check, then the count-up or straight to the end.
    void ChecarSeGanhou();
    void PassoDoPagamento();  // one tick of the count-up
    void Finalizar();         // the second after the turn is over
    void IniciarVolta(int maior, const std::array<int, 3>& acrescimos);
    void TerminarPagamento();

    Sorteio m_sorteio;
    double m_credito = 0;
    double m_aposta = 0;
    double m_premio = 0;
    double m_premioDoPagamento = 0;
    std::array<Bobina, 3> m_bobinas{};
    Fase m_fase = Fase::Parada;
    int m_faseDasLuzes = 255;
    QString m_mensagem;
    int m_posicaoDaMensagem = 0;
    QString m_letreiro;
    std::array<Temporizador*, 3> m_timBobina{};
    Temporizador* m_timAssentar;
    Temporizador* m_timPagamento;
    Temporizador* m_timFinal;
    Temporizador* m_timLuzes;
};

}  // namespace jogo
