// The cabinet window's game side: the design's game methods forward to the machine, and what the
// machine reports is drawn here (reels, displays, lamps, marquee), sounded through the event table
// and reflected on the buttons.
#include <QCoreApplication>
#include <QLabel>

#include "controls/DsFancyButton.h"
#include "game/bobinas.h"
#include "game/eventos.h"
#include "game/maquina.h"
#include "platform/carregar_jpeg.h"
#include "platform/registro.h"
#include "shell/dialogos.h"
#include "shell/imagens.h"
#include "shell/rotinas_gerais.h"
#include "shell/sons_do_jogo.h"
#include "shell/uPrincipal.h"

using namespace apresentacao;

namespace {

// The 2x reel pictures, decoded once: at four times the pixels, decoding them at every step of
// three reels would not fit the 10 ms tick. Each draw still checks the file, so a picture
// replaced on disk shows at the next step. The 1x ones are read at every draw: small, quick,
// and kept out of the memory of the common case.
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
        QImage quadro = quadrosEm2x().Carregar(apresentacao::NomeEm2x(arquivo));
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

// The cells of reel k as the machine shows them, dark above and below while turning.
void desenharBobina(const TfrmPrincipal* f, const std::array<Figura*, 3>& celulas, int k, bool escuro) {
    const std::array<int, 3> simbolos = f->maquina().SimbolosEmVista(k);
    const int e = apresentacao::EscalaPara(celulas[1]->devicePixelRatioF());
    for (int linha = 0; linha < 3; ++linha)
        celulas[size_t(linha)]->DefinirImagem(
            quadroDoSimbolo(f->PastaDoPrograma, simbolos[size_t(linha)], escuro && linha != 1, e));
}

QColor corDaLuz(std::uint32_t rgb) { return QColor::fromRgb(rgb); }

}  // namespace

// --- the machine's reports -------------------------------------------------------------------

void TfrmPrincipal::ConectarMaquina() {
    jogo::Maquina* m = m_maquina;
    connect(m, &jogo::Maquina::Ocorreu, this,
            [this](jogo::Evento e) { apresentacao::TocarSomDoEvento(PastaDoPrograma, e); });
    connect(m, &jogo::Maquina::CreditoOuApostaMudou, this, &TfrmPrincipal::AtualizarPainel);
    connect(m, &jogo::Maquina::Ocorreu, this, [this](jogo::Evento e) {
        if (e == jogo::Evento::PagamentoTerminou) AvisarCreditoFinal();
    });
    connect(m, &jogo::Maquina::GiroComecou, this, [this] {
        HabilitarBotoes(false);
        EsquecerLinhaDePagamento();
    });
    connect(m, &jogo::Maquina::BobinaAndou, this,
            [this](int k) { desenharBobina(this, celulasDaBobina(k), k, true); });
    connect(m, &jogo::Maquina::BobinaParou, this, &TfrmPrincipal::AtualizarLeituraDasBobinas);
    connect(m, &jogo::Maquina::RodadaTerminou, this, [this] {
        DesenharBobinasParadas();
        HabilitarBotoes(true);
    });
    connect(m, &jogo::Maquina::MensagemMudou, this, &TfrmPrincipal::AvisarLeitoresDosMostradores);
    connect(m, &jogo::Maquina::LuzesAndaram, this, &TfrmPrincipal::DesenharLuzes);
}

// --- reel model ------------------------------------------------------------------------------

void TfrmPrincipal::DesenhoBaseadoEnNumero(int numero, QString& texto) {
    const auto nome = jogo::NomeDoDesenho(numero);
    if (!nome.empty()) texto = QString::fromLatin1(nome.data(), qsizetype(nome.size()));
}

int TfrmPrincipal::IncrementarNumeroNaBobina(int numero) { return jogo::Incrementar(numero); }
int TfrmPrincipal::DecrementarNumeroNaBobina(int numero) { return jogo::Decrementar(numero); }

void TfrmPrincipal::DesenharBobina1() { desenharBobina(this, celulasDaBobina(1), 1, true); }
void TfrmPrincipal::DesenharBobina2() { desenharBobina(this, celulasDaBobina(2), 2, true); }
void TfrmPrincipal::DesenharBobina3() { desenharBobina(this, celulasDaBobina(3), 3, true); }

void TfrmPrincipal::DesenharBobinasParadas() {
    for (int k = 1; k <= 3; ++k) desenharBobina(this, celulasDaBobina(k), k, false);
}

// --- spin cycle ------------------------------------------------------------------------------

void TfrmPrincipal::spdGirarClick() {
    if (m_maquina->Girar()) return;
    CaixaDeDialogo(TituloDoAplicativo + QuebrasDeLinha(2) +
                       QCoreApplication::translate("Trevolino", "Para Girar o Trevolino, Primeiro") +
                       QuebrasDeLinha(1) +
                       QCoreApplication::translate("Trevolino", "Você Deve Fazer Uma Aposta!"),
                   QCoreApplication::translate("Trevolino", "Faça Uma Aposta Antes de Puxar a Alavanca"), "",
                   uRotinasGerais::TextoDeCiente(), false);
}

void TfrmPrincipal::IniciarGiroDeAbertura() { m_maquina->GirarAbertura(); }

void TfrmPrincipal::SetarOQueTemQueDar(int s1, int s2, int s3) { m_maquina->SetarOQueTemQueDar(s1, s2, s3); }

// --- credits, bets, payout -------------------------------------------------------------------

double TfrmPrincipal::Credito() const { return m_maquina->Credito(); }
double TfrmPrincipal::Aposta() const { return m_maquina->Aposta(); }
double TfrmPrincipal::Premio() const { return m_maquina->Premio(); }

void TfrmPrincipal::RealizarAposta(double quantia) {
    if (m_maquina->Apostar(quantia)) {
        AvisarAposta();
        return;
    }
    CaixaDeDialogo(TituloDoAplicativo + QuebrasDeLinha(2) +
                       QCoreApplication::translate("Trevolino", "Não Há Crédito Suficiente") +
                       QuebrasDeLinha(1) + QCoreApplication::translate("Trevolino", "Para Apostar."),
                   QCoreApplication::translate("Trevolino", "Crédito Insuficiente"), "",
                   uRotinasGerais::TextoDeCiente(), false);
}

void TfrmPrincipal::spdApostar01Click() { RealizarAposta(1); }
void TfrmPrincipal::spdApostar05Click() { RealizarAposta(5); }
void TfrmPrincipal::spdApostar10Click() { RealizarAposta(10); }

void TfrmPrincipal::AtualizarPainel() {
    lblCredito->setText(QCoreApplication::translate("Trevolino", "Creditos: ") +
                        FormatarValor(14, 0, m_maquina->Credito()).trimmed());
    lblAposta->setText(QCoreApplication::translate("Trevolino", "Aposta: ") +
                       FormatarValor(14, 0, m_maquina->Aposta()).trimmed());
    AvisarLeitoresDosMostradores();
}

// --- lamps and marquee -----------------------------------------------------------------------

void TfrmPrincipal::SetarMensagem(const QString& texto) { m_maquina->SetarMensagem(texto); }

void TfrmPrincipal::timLuzesMensagemTimer() { m_maquina->PassoDasLuzes(); }

void TfrmPrincipal::DesenharLuzes(int fase) {
    for (int n = 1; n <= 12; ++n) lampada(n)->DefinirCorDoPincel(corDaLuz(jogo::ObterCorDaLuz(fase + n - 1)));
    if (!m_letreiroAjustado) AjustarLetreiroAoRotulo();  // the marquee's first text
    lblMensagem->setText(m_maquina->Letreiro());
}
