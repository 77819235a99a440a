// The cabinet window's game methods: reel drawing, the spin cycle, money and payout, lamps and
// marquee. The rules themselves are in bobinas.h; these methods move pictures, labels and timers.
#include <QApplication>
#include <QLabel>
#include <QRegion>
#include <QTimer>

#include "controls/DsFancyButton.h"
#include "game/bobinas.h"
#include "game/dinheiro.h"
#include "game/estado.h"
#include "game/eventos.h"
#include "platform/carregar_jpeg.h"
#include "platform/registro.h"
#include "shell/imagens.h"
#include "shell/rotinas_gerais.h"
#include "shell/sons_do_jogo.h"
#include "shell/uPrincipal.h"

using namespace uRotinasGerais;

namespace {

// The 2x reel pictures, decoded once: at four times the pixels, decoding them at every step of
// three reels would not fit the 10 ms tick. Each draw still checks the file, so a picture
// replaced on disk shows at the next step. The 1x ones are read at every draw, as they always
// were: small, quick, and kept out of the memory of the common case.
plataforma::JpegsGuardados& quadrosEm2x() {
    static plataforma::JpegsGuardados guardados;
    return guardados;
}

// Reel pictures live in the program folder, which is also where the launchers start the game:
// a game started from a terminal in another folder finds them all the same.
QImage quadroDoSimbolo(const QString& pastaDoPrograma, int simbolo, bool escuro, int escala) {
    QString nome;
    TfrmPrincipal::DesenhoBaseadoEnNumero(simbolo, nome);
    // A missing or damaged picture leaves the cell empty for this draw; the turn goes on.
    const QString arquivo = pastaDoPrograma + "Bobinas/" + nome + (escuro ? "-dark.jpg" : ".jpg");
    if (escala == 2) {
        QImage quadro = quadrosEm2x().Carregar(imagens::NomeEm2x(arquivo));
        if (!quadro.isNull()) {
            quadro.setDevicePixelRatio(2);
            return quadro;
        }
    }
    QImage quadro = plataforma::CarregarJpeg(arquivo);
    if (quadro.isNull())
        plataforma::AvisarUmaVez(arquivo,
                                 "reel picture missing or unreadable, its cell stays empty: " + arquivo);
    return quadro;
}

void desenharBobina(TfrmPrincipal* f, int k, bool escuro) {
    const int pos = jogo::Estado().Bobinas[k - 1].Posicao;
    const jogo::Fita& fita = *jogo::Fitas[k - 1];
    const auto celulas = f->celulasDaBobina(k);
    const int e = imagens::EscalaPara(celulas[1]->devicePixelRatioF());
    celulas[0]->setPicture(
        quadroDoSimbolo(f->PastaDoPrograma, fita[TfrmPrincipal::DecrementarNumeroNaBobina(pos)], escuro, e));
    celulas[1]->setPicture(quadroDoSimbolo(f->PastaDoPrograma, fita[pos], false, e));
    celulas[2]->setPicture(
        quadroDoSimbolo(f->PastaDoPrograma, fita[TfrmPrincipal::IncrementarNumeroNaBobina(pos)], escuro, e));
}

QColor corDaLuz(std::uint32_t rgb) { return QColor::fromRgb(rgb); }

}  // namespace

// --- reel model ------------------------------------------------------------------------------

void TfrmPrincipal::DesenhoBaseadoEnNumero(int numero, QString& texto) {
    const auto nome = jogo::NomeDoDesenho(numero);
    if (!nome.empty()) texto = QString::fromLatin1(nome.data(), qsizetype(nome.size()));
}

int TfrmPrincipal::IncrementarNumeroNaBobina(int numero) { return jogo::Incrementar(numero); }
int TfrmPrincipal::DecrementarNumeroNaBobina(int numero) { return jogo::Decrementar(numero); }

void TfrmPrincipal::DesenharBobina1() { desenharBobina(this, 1, true); }
void TfrmPrincipal::DesenharBobina2() { desenharBobina(this, 2, true); }
void TfrmPrincipal::DesenharBobina3() { desenharBobina(this, 3, true); }

void TfrmPrincipal::DesenharBobinasParadas() {
    for (int k = 1; k <= 3; ++k) desenharBobina(this, k, false);
}

// --- spin cycle ------------------------------------------------------------------------------

void TfrmPrincipal::spdGirarClick() {
    if (Aposta == 0) {
        CaixaDeDialogo(TituloDoAplicativo + QuebrasDeLinha(2) +
                           QCoreApplication::translate("Trevolino", "Para Girar o Trevolino, Primeiro") +
                           QuebrasDeLinha(1) +
                           QCoreApplication::translate("Trevolino", "Você Deve Fazer Uma Aposta!"),
                       QCoreApplication::translate("Trevolino", "Faça Uma Aposta Antes de Puxar a Alavanca"),
                       "", QCoreApplication::translate("Trevolino", "Sim"), false);
        return;
    }
    jogo::DefinirLimites(jogo::Estado().Bobinas, jogo::Sortear(jogo::kMaiorSorteioGiro),
                         jogo::kAcrescimoGiro);
    timBobina1->start();
    timBobina2->start();
    timBobina3->start();
    HabilitarBotoes(false);
    sons::TocarSomDoEvento(PastaDoPrograma, jogo::Evento::GiroComecou);
}

void TfrmPrincipal::IniciarGiroDeAbertura() {
    jogo::DefinirLimites(jogo::Estado().Bobinas, jogo::Sortear(jogo::kMaiorSorteioAbertura),
                         jogo::kAcrescimoAbertura);
    timBobina1->start();
    timBobina2->start();
    timBobina3->start();
}

namespace {
// One tick of reel k: step, draw, count and stop test. True when the reel stopped.
bool tickDaBobina(TfrmPrincipal* f, int k, QTimer* timer) {
    auto& b = jogo::Estado().Bobinas[k - 1];
    jogo::Avancar(b);
    desenharBobina(f, k, true);
    if (jogo::ContarPasso(b) != jogo::ResultadoDoPasso::Parou) return false;
    timer->stop();
    f->AtualizarLeituraDasBobinas();
    sons::TocarSomDoEvento(f->PastaDoPrograma, jogo::Evento::BobinaParou);
    return true;
}
}  // namespace

void TfrmPrincipal::timBobina1Timer() { tickDaBobina(this, 1, timBobina1); }
void TfrmPrincipal::timBobina2Timer() { tickDaBobina(this, 2, timBobina2); }

void TfrmPrincipal::timBobina3Timer() {
    if (!tickDaBobina(this, 3, timBobina3)) return;
    // Settling, then the win check and payout, all inside this tick.
    Aguardar(false, 0.5);
    ChecarSeGanhou();
    SetarMensagem(QCoreApplication::translate("Trevolino", "Aposte e Ganhe"));
}

void TfrmPrincipal::timFinalTimer() {
    DesenharBobinasParadas();
    timFinal->stop();
    HabilitarBotoes(true);
}

void TfrmPrincipal::SetarOQueTemQueDar(int s1, int s2, int s3) {
    auto& b = jogo::Estado().Bobinas;
    // On reel 1 each symbol k first stands at position k; a value outside the strip sets none.
    b[0].Alvo = jogo::PrimeiraPosicao(jogo::Bobina1, s1);
    b[1].Alvo = s2 != 0 ? jogo::PrimeiraPosicao(jogo::Bobina2, s2) : 0;
    b[2].Alvo = s3 != 0 ? jogo::PrimeiraPosicao(jogo::Bobina3, s3) : 0;
}

// --- credits, bets, payout -------------------------------------------------------------------

void TfrmPrincipal::RealizarAposta(double quantia) {
    if (Credito >= quantia) {
        SetarMensagem(QCoreApplication::translate("Trevolino", "Boa Sorte"));
        jogo::Apostar(Credito, Aposta, quantia);
        sons::TocarSomDoEvento(PastaDoPrograma, jogo::Evento::MoedaInserida);
        AtualizarPainel();
    } else {
        CaixaDeDialogo(TituloDoAplicativo + QuebrasDeLinha(2) +
                           QCoreApplication::translate("Trevolino", "Não Há Crédito Suficiente") +
                           QuebrasDeLinha(1) + QCoreApplication::translate("Trevolino", "Para Apostar."),
                       QCoreApplication::translate("Trevolino", "Crédito Insuficiente"), "",
                       QCoreApplication::translate("Trevolino", "Sim"), false);
    }
}

void TfrmPrincipal::spdApostar01Click() { RealizarAposta(1); }
void TfrmPrincipal::spdApostar05Click() { RealizarAposta(5); }
void TfrmPrincipal::spdApostar10Click() { RealizarAposta(10); }

void TfrmPrincipal::AtualizarPainel() {
    lblCredito->setText(QCoreApplication::translate("Trevolino", "Creditos: ") +
                        FormatarValor(14, 0, Credito).trimmed());
    lblAposta->setText(QCoreApplication::translate("Trevolino", "Aposta: ") +
                       FormatarValor(14, 0, Aposta).trimmed());
    AvisarLeitoresDosMostradores();
}

void TfrmPrincipal::ChecarSeGanhou() {
    Premio = 0;
    Premio = jogo::PremioDaLinhaDoMeio(jogo::Estado().Bobinas, Aposta);
    if (Premio > 0) {
        sons::TocarSomDoEvento(PastaDoPrograma, jogo::Evento::Ganhou);
        sons::TocarSomDoEvento(PastaDoPrograma, jogo::EventoDoPagamento(Premio));
        SetarMensagem(QCoreApplication::translate("Trevolino", "Parabens"));
        while (jogo::PagarUmCredito(Premio, Credito)) {
            AtualizarPainel();
            Aguardar(false, 0.25);
            QCoreApplication::processEvents();
        }
        sons::TocarSomDoEvento(PastaDoPrograma, jogo::Evento::PagamentoTerminou);
    }
    Aposta = 0;
    AtualizarPainel();
    SetarOQueTemQueDar(0, 0, 0);
    timFinal->start();
}

// --- lamps and marquee -----------------------------------------------------------------------

void TfrmPrincipal::SetarMensagem(const QString& texto) {
    jogo::Estado().MensagemAtual = QCoreApplication::translate("Trevolino", texto.toUtf8().constData());
    AvisarLeitoresDosMostradores();
}

void TfrmPrincipal::timLuzesMensagemTimer() {
    auto& e = jogo::Estado();
    for (int n = 1; n <= 12; ++n)
        lampada(n)->setBrushColor(corDaLuz(jogo::ObterCorDaLuz(e.FaseDasLuzes + n - 1)));
    jogo::ObterCorDaLuz(e.FaseDasLuzes - 1, &e.FaseDasLuzes);
    lblMensagem->setText(jogo::PedacoDoLetreiro(e.MensagemAtual, e.PosicaoDaMensagem));
    e.PosicaoDaMensagem = jogo::ProximaPosicaoDoLetreiro(e.MensagemAtual, e.PosicaoDaMensagem);
    // The changes are painted now, in one pass, without letting other events through: a reel's
    // last step or a click that opens a dialog handled in here would hold this tick on the stack,
    // and Qt does not re-enter a timer whose slot is running, so lamps and marquee would stand
    // still for the whole payout or dialog.
    QRegion mudou = lblMensagem->geometry();
    for (int n = 1; n <= 12; ++n) mudou += lampada(n)->geometry();
    repaint(mudou);
}
