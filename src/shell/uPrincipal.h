// TfrmPrincipal: the slot-machine cabinet window.
//
// The window is the view of the machine (game/maquina.h): the design's methods forward to it, and
// what it reports is drawn here, sounded through the event table and reflected on the buttons.
// The controls are private; from outside they are found by their object names.
#pragma once

#include <QImage>
#include <QPoint>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QWidget>
#include <array>

#include "game/bobinas.h"
#include "game/maquina.h"
#include "platform/pasta_de_desempacotar.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class TDsFancyButton;
class TImageShape;
class Forma;
class Figura;

// A picture control: draws its picture at its top-left corner, nothing when empty.
class Figura : public QWidget {
    Q_OBJECT
public:
    explicit Figura(QWidget* parent = nullptr);
    void DefinirImagem(const QImage& img);
    const QImage& Imagem() const { return m_imagem; }
    void Limpar();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage m_imagem;
};

// A shape control: a circle or a rounded rectangle with a pen and a brush.
class Forma : public QWidget {
    Q_OBJECT
public:
    enum Tipo { Circulo, RetanguloArredondado };
    explicit Forma(Tipo tipo, QWidget* parent = nullptr);
    void DefinirCorDoPincel(const QColor& c);
    QColor CorDoPincel() const { return m_corDoPincel; }
    void DefinirCorDaCaneta(const QColor& c) {
        m_corDaCaneta = c;
        update();
    }
    void DefinirEstiloDaCaneta(Qt::PenStyle s) {
        m_estiloDaCaneta = s;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Tipo m_tipo;
    QColor m_corDoPincel = Qt::white;
    QColor m_corDaCaneta = Qt::black;
    Qt::PenStyle m_estiloDaCaneta = Qt::SolidLine;
};

class TfrmPrincipal : public QWidget {
    Q_OBJECT
public:
    // executarInicio = false skips the start-up sequence (tests compose a bare window).
    explicit TfrmPrincipal(QWidget* parent = nullptr, bool executarInicio = true);
    ~TfrmPrincipal() override;

    // The machine this window shows: money, reels, the turn, lamps and marquee.
    jogo::Maquina& maquina() const { return *m_maquina; }

    // --- own fields ----------------------------------------------------------------------------
    QString PastaDoPrograma;
    // Where this run unpacked its cursors and font: the program folder, or a folder of this run
    // alone when that one cannot be written or another game uses it. Empty before the start-up.
    QString PastaDeDesempacotamento;
    QString TituloDoAplicativo;
    QString VersaoDoAplicativo;
    double Credito() const;
    double Aposta() const;
    double Premio() const;

    // --- reel model ------------------------------------------------------------------------------
    static void DesenhoBaseadoEnNumero(int numero, QString& texto);
    static int IncrementarNumeroNaBobina(int numero);
    static int DecrementarNumeroNaBobina(int numero);
    void DesenharBobina1();
    void DesenharBobina2();
    void DesenharBobina3();
    void DesenharBobinasParadas();  // the still look, once the turn is over
    // For screen readers: names the reel cells by the symbols they show and, once every reel
    // stands (reel 3, the last to stop), describes the pay line and its prize on the message
    // display. Called whenever a reel stops, with that reel's number.
    void AtualizarLeituraDasBobinas(int bobinaParada);

    // --- spin cycle ------------------------------------------------------------------------------
    void spdGirarClick();
    void SetarOQueTemQueDar(int s1, int s2, int s3);
    void IniciarGiroDeAbertura();

    // --- credits, bets, payout -------------------------------------------------------------------
    void AtualizarPainel();
    void RealizarAposta(double quantia);
    void spdApostar01Click();
    void spdApostar05Click();
    void spdApostar10Click();

    // --- lamps and marquee -----------------------------------------------------------------------
    void SetarMensagem(const QString& texto);
    void timLuzesMensagemTimer();

    // --- entry, start-up, shutdown ---------------------------------------------------------------
    void FormCreate();
    void SetarInicioDaAplicacao();
    // The tidy end: the machine and the sound stop, the unpacked files go.
    void FormClose();
    void spdSairClick();
    void lblWebSiteClick();

    // --- the sound switch ------------------------------------------------------------------------
    // Switches every sound on or off, and keeps the choice for the next runs. Switched on during
    // a count-up, the payout's loop sounds again.
    void DefinirSomLigado(bool ligado);
    void AlternarSom();
    // The sound switch as the player last left it: on unless switched off in an earlier run.
    static bool SomLigadoNasPreferencias();

    // --- dialogs ---------------------------------------------------------------------------------
    int CaixaDeDialogo(const QString& Texto, const QString& Titulo, const QString& TextoNao,
                       const QString& TextoSim, bool Advertencia);
    int CaixaDeDialogoComIconesEspeciais(const QString& Texto, const QString& Titulo, const QString& TextoNao,
                                         const QString& TextoSim, unsigned char IconeNao,
                                         unsigned char IconeSim, bool Advertencia, bool ComIconesDeBorda);
    bool FormCloseQuery();

    // True once the start-up asked the program to end (a screen too small);
    // main() then leaves as soon as the loop starts.
    bool TerminoSolicitado() const { return m_terminoSolicitado; }
    void SolicitarTermino() { m_terminoSolicitado = true; }

    // Test seam: when set, the start-up takes this as the program folder instead of the
    // executable's own.
    static QString PastaDoProgramaDeTeste;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool proximo) override;
    void changeEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool event(QEvent* e) override;

private:
    // --- the controls, in the design's declaration order (found by object name from outside) --
    TImageShape* imgChassisFundo;
    TDsFancyButton* spdSair;
    Figura *imgC1, *imgB1, *imgA1, *imgA2, *imgB2, *imgC2, *imgC3, *imgB3, *imgA3;
    TDsFancyButton* spdGirar;
    Figura *imgBarraVertical02, *imgBarraVertical03, *imgBarraVertical04, *imgBarraVertical01;
    QLabel *lblCredito, *lblAposta;
    TDsFancyButton* spdApostar01;
    Figura *imgBarraHorizontal01, *imgBarraHorizontal02;
    TDsFancyButton* spdApostar10;
    Forma* Shape1;
    TDsFancyButton* spdApostar05;
    Figura* imgPainelPontuacao;
    Forma *shpLuz01, *shpLuz02, *shpLuz03, *shpLuz04, *shpLuz05, *shpLuz06;
    Forma *shpLuz07, *shpLuz12, *shpLuz11, *shpLuz10, *shpLuz09, *shpLuz08;
    QLabel* lblMensagem;
    Figura* imgOlho;
    QLabel* lblWebSite;
    // The right-click menu, with "Som ligado" checked while the sound is on.
    QMenu* mnuContexto = nullptr;
    QAction* mnuSomLigado = nullptr;

    jogo::Maquina* m_maquina;

    void CriarControles();
    void CriarRotuloDoSite();
    void ConectarEventos();
    void ConectarMaquina();
    void HabilitarBotoes(bool habilitar);
    void DesenharLuzes(int fase);
    // The reel cells of reel k (1..3), top to bottom.
    std::array<Figura*, 3> celulasDaBobina(int k) const;
    // The lamps shpLuz01..shpLuz12 by number 1..12.
    Forma* lampada(int n) const;
    // All five cabinet buttons, in the order they are enabled and disabled.
    std::array<TDsFancyButton*, 5> botoes() const;
    // The button a key stands for (Space and Enter: the focused button, else Girar; 1, 5, 0: the
    // bets; Escape: Sair), or none. M has no button: it switches the sound.
    TDsFancyButton* BotaoDaTecla(int tecla) const;
    // The cabinet button that has the keyboard focus, or none.
    TDsFancyButton* BotaoComFoco() const;
    // The button that had the focus when the buttons went off for a turn: it gets it back with
    // them, so a keyboard player finds the focus where it was.
    QPointer<TDsFancyButton> m_focoAntesDoGiro;
    void CriarMenuDeContexto();
    void PrepararTeclado();  // one press per held key; the keys' names for screen readers
    void MostrarMenuDeContexto(const QPoint& global);
    void CliqueDireito(QEvent* evento);  // opens the menu on a right click that is not a drag
    friend struct ComposicaoDaJanela;    // its table of the controls names the fields they fill
    // Pressed while the cabinet was the active window, not yet released, with the button each
    // press was for (none for M).
    QHash<int, TDsFancyButton*> m_teclasApertadas;
    QSet<int> m_teclasRecusadas;  // pressed while their button was off, not yet released
    QPoint m_cliqueDireitoEm;
    bool m_cliqueDireitoPendente = false;
    void AjustarLetreiroAoRotulo();
    bool m_letreiroAjustado = false;
    // Screen readers (uPrincipal_acessibilidade.cpp): the interfaces of the cabinet's labels; and
    // each display's reading kept on it, with the word to readers when it changed.
    static void InstalarAcessibilidade();
    void AvisarLeitoresDosMostradores();
    // What readers are told unasked, through an invisible notification (m_aviso): the bet and
    // credit after a bet, the pay line as the reels stop, the credit once a payout is counted.
    void CriarAvisoAosLeitores();
    void AvisarLeitores(const QString& texto);
    void AvisarAposta();
    void AvisarCreditoFinal();
    void EsquecerLinhaDePagamento();  // a new turn: the last line's description goes
    QObject* m_aviso = nullptr;
    bool m_terminoSolicitado = false;
    bool m_sonsPreparados = false;  // asked for once the first frame was painted
    void DesempacotarCursores();
    bool m_cursoresDesempacotados = false;  // or let go of: nothing more to unpack
    bool m_copiarFonte = false;             // into the user's font folder, after the first frame
    plataforma::PastaDeDesempacotar m_desempacotar;
};
