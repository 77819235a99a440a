// The cabinet window: its composition, the start-up sequence and the shutdown.
#include "shell/uPrincipal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPainter>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QTimer>
#include <QFontMetricsF>
#include <cmath>
#include <exception>
#include <utility>
#include <variant>
#include <vector>

#include "controls/DsFancyButton.h"
#include "controls/ImageShape.h"
#include "game/bobinas.h"
#include "game/maquina.h"
#include "platform/registro.h"
#include "shell/cursores.h"
#include "shell/dialogos.h"
#include "shell/imagens.h"
#include "shell/layout.h"
#include "shell/sons_do_jogo.h"
#include "shell/rotinas_gerais.h"

QString TfrmPrincipal::PastaDoProgramaDeTeste;

namespace {

// The maker's web address, shown by lblWebSite and opened by its click.
const QString kEnderecoWeb = QStringLiteral("www.trevolino.example");

const QColor kPrata(192, 192, 192);
const QColor kVerdeLimao(0, 255, 0);
const QColor kAmarelo(255, 255, 0);
const QColor kMarrom(128, 0, 0);

// Files the start-up unpacks beside the executable and the close removes, in that order.
struct ArquivoDesempacotado {
    const char* arquivo;
    const char* recurso;
};
constexpr ArquivoDesempacotado kCursores[] = {
    {"c_esperar.ani", "Cursor_Esperar"},
    {"c_executar.ani", "Cursor_Executar"},
    {"c_normal.ani", "Cursor_Normal"},
    {"c_tocar.ani", "Cursor_Tocar"},
};
constexpr ArquivoDesempacotado kFonte[] = {{"LCDMono2.ttf", "FonteLCD"}};
constexpr const char* kArquivoDaFonte = kFonte[0].arquivo;

QStringList ArquivosDesempacotados() {
    QStringList arquivos;
    for (const auto& c : kCursores) arquivos << c.arquivo;
    return arquivos << kArquivoDaFonte;
}

// Unpacks `arquivos` into pasta (nothing when there is none this run may write), replacing any
// copy left there; says the first error, if any.
template <std::size_t N>
QString Desempacotar(const QString& pasta, const ArquivoDesempacotado (&arquivos)[N]) {
    if (pasta.isEmpty()) return {};
    QString primeiroErro;
    for (const auto& a : arquivos) {
        QFile::remove(pasta + a.arquivo);
        try {
            uRotinasGerais::ExtrairRecursoParaArquivo(a.recurso, pasta + a.arquivo);
        } catch (const std::exception& e) {
            if (primeiroErro.isEmpty()) primeiroErro = QString::fromUtf8(e.what());
        }
    }
    return primeiroErro;
}

QFont fonteDePixels(const QString& familia, int pixels, bool negrito, bool sublinhado = false) {
    QFont f(familia);
    f.setPixelSize(pixels);
    f.setBold(negrito);
    f.setUnderline(sublinhado);
    return f;
}

void colocar(QWidget* w, const apresentacao::Retangulo& r) {
    w->setGeometry(r.esquerda, r.topo, r.largura, r.altura);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Figura and Forma

Figura::Figura(QWidget* parent) : QWidget(parent) {}

void Figura::DefinirImagem(const QImage& img) {
    m_imagem = img;
    update();
}

void Figura::Limpar() { DefinirImagem(QImage()); }

void Figura::paintEvent(QPaintEvent*) {
    if (m_imagem.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 0, m_imagem);
}

Forma::Forma(Tipo tipo, QWidget* parent) : QWidget(parent), m_tipo(tipo) {
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void Forma::DefinirCorDoPincel(const QColor& c) {
    if (c == m_corDoPincel) return;
    m_corDoPincel = c;
    update();
}

void Forma::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_tipo == Circulo) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(m_corDaCaneta, 1));
        p.setBrush(m_corDoPincel);
        const int d = std::min(width(), height());
        p.drawEllipse(QRectF((width() - d) / 2.0 + 0.5, (height() - d) / 2.0 + 0.5, d - 1, d - 1));
    } else {
        // The pay line: a grey dotted pen whose gaps show the white brush.
        p.fillRect(rect(), m_corDoPincel);
        QPen caneta(m_corDaCaneta, 1, m_estiloDaCaneta);
        p.setPen(caneta);
        p.drawLine(0, 0, width() - 1, 0);
        p.drawLine(0, height() - 1, width() - 1, height() - 1);
    }
}

// ---------------------------------------------------------------------------------------------
// Composition

TfrmPrincipal::TfrmPrincipal(QWidget* parent, bool executarInicio) : QWidget(parent) {
    setObjectName("frmPrincipal");
    setWindowTitle("Trevolino");
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(apresentacao::kLarguraDoGabinete, apresentacao::kAlturaDoGabinete);
    setAutoFillBackground(true);
    InstalarAcessibilidade();
    m_maquina = new jogo::Maquina(jogo::RelogioDoQt(), jogo::Sortear, this);
    CriarControles();
    CriarAvisoAosLeitores();
    ConectarEventos();
    ConectarMaquina();
    AvisarLeitoresDosMostradores();
    CriarMenuDeContexto();
    PrepararTeclado();
    // Centred on the screen when first shown.
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        const QRect g = tela->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
    // The start-up leaves the marquee's fit to its first text, once its own font is in; measured
    // before, the fit would only load a stand-in font for nothing.
    if (executarInicio)
        FormCreate();
    else
        AjustarLetreiroAoRotulo();
}

TfrmPrincipal::~TfrmPrincipal() { delete mnuContexto; }

// ---------------------------------------------------------------------------------------------
// The controls, from one table in painting order

// The window's controls as one table: each row makes a control, names it and fills the
// window's field of that name.
struct ComposicaoDaJanela {
    enum class Tipo { Botao, BotaoSair, Figura, Lcd, LinhaDePagamento, Luz };

    // The window's field a row fills.
    using Campo = std::variant<TDsFancyButton * TfrmPrincipal::*, Figura * TfrmPrincipal::*,
                               QLabel * TfrmPrincipal::*, Forma * TfrmPrincipal::*>;

    struct Controle {
        Tipo tipo;
        Campo campo;
        const char* nome;  // the field's name, which is also the control's object name
        apresentacao::Retangulo lugar;
        QString (*texto)() = nullptr;          // a button's caption, an LCD's first text
        const char* recurso = nullptr;         // the picture a figure shows, if any
        QRgb cor = 0;                          // a button's hover colour, an LCD's text colour
        QString (*nomeAcessivel)() = nullptr;  // what a screen reader calls an LCD
    };

    // In painting order: a later control is drawn over an earlier one.
    static const std::vector<Controle>& Controles();
};

namespace {

using Tipo = ComposicaoDaJanela::Tipo;
using Controle = ComposicaoDaJanela::Controle;

QWidget* criarBotao(QWidget* pai, const Controle& c) {
    const bool sair = c.tipo == Tipo::BotaoSair;
    auto* b = new TDsFancyButton(pai);
    b->setObjectName(c.nome);
    colocar(b, c.lugar);
    b->setCaption(c.texto());
    b->setFont(sair ? fonteDePixels("Verdana", 16, true) : fonteDePixels("Verdana", 21, false));
    QPalette pal = b->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::ButtonText, Qt::black);
    b->setPalette(pal);
    b->setColor(kPrata);
    b->FancyEffects()->setFrameStyle(fmGradient);
    b->FancyEffects()->setFrameWidth(14);
    b->FancyEffects()->setShape(btnCapsule);
    b->FancyEffects()->setCornerRadius(3);
    b->FancyEffects()->setTextStyle(txShadowed);
    b->FancyEffects()->setHoverColor(QColor(c.cor));
    b->Glyphs()->setGlyphStyle(gsNormal);
    b->Glyphs()->setLayout(lyLeft);
    b->Glyphs()->setNumber(1);
    b->Glyphs()->setDistance(0);
    b->setEnabled(false);
    return b;
}

QWidget* criarLcd(QWidget* pai, const Controle& c) {
    auto* l = new QLabel(c.texto ? c.texto() : QString(), pai);
    l->setObjectName(c.nome);
    colocar(l, c.lugar);
    l->setAlignment(Qt::AlignCenter);
    l->setTextFormat(Qt::PlainText);  // the marquee's blanks must stay
    l->setFont(fonteDePixels("LCDMono2", 24, true));
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(c.cor));
    l->setPalette(pal);
    // Named, a reader reads the number as its text and value; the marquee is not told step by
    // step, only when a new message comes.
    if (c.nomeAcessivel) l->setAccessibleName(c.nomeAcessivel());
    return l;
}

// Pictures for the screen the window opens on: a screen scaled 2x gets the 2x ones. Each file is
// read once however many controls show it.
QWidget* criarFigura(QWidget* pai, const Controle& c, int escala, QHash<QString, QImage>& lidas) {
    auto* f = new Figura(pai);
    f->setObjectName(c.nome);
    colocar(f, c.lugar);
    if (c.recurso) {
        const QString recurso = QString::fromLatin1(c.recurso);
        auto it = lidas.find(recurso);
        if (it == lidas.end()) it = lidas.insert(recurso, apresentacao::FiguraDoRecurso(recurso, escala));
        f->DefinirImagem(*it);
    }
    return f;
}

QWidget* criarForma(QWidget* pai, const Controle& c) {
    const bool linha = c.tipo == Tipo::LinhaDePagamento;
    auto* s = new Forma(linha ? Forma::RetanguloArredondado : Forma::Circulo, pai);
    s->setObjectName(c.nome);
    colocar(s, c.lugar);
    if (linha) {
        s->DefinirCorDaCaneta(QColor(128, 128, 128));
        s->DefinirEstiloDaCaneta(Qt::DotLine);
    }
    return s;
}

QString textoSair() { return QCoreApplication::translate("Trevolino", "Sair"); }
QString textoGirar() { return QCoreApplication::translate("Trevolino", "Girar"); }
QString textoApostar1() { return QCoreApplication::translate("Trevolino", "Apostar 1"); }
QString textoApostar5() { return QCoreApplication::translate("Trevolino", "Apostar 5"); }
QString textoApostar10() { return QCoreApplication::translate("Trevolino", "Apostar 10"); }
QString textoCredito() { return QCoreApplication::translate("Trevolino", "Credito"); }
QString textoAposta() { return QCoreApplication::translate("Trevolino", "Aposta"); }
QString nomeCredito() { return QCoreApplication::translate("Trevolino", "Crédito"); }
QString nomeAposta() { return QCoreApplication::translate("Trevolino", "Aposta"); }
QString nomeMensagem() { return QCoreApplication::translate("Trevolino", "Mensagem"); }

const QRgb kAzul = qRgb(0, 0, 255), kVermelho = qRgb(255, 0, 0);
const char* const kBarraV = ":/form/BarraVertical.jpg";
const char* const kBarraH = ":/form/BarraHorizontal.jpg";
using apresentacao::CelulaDaBobina, apresentacao::BarraVertical, apresentacao::BarraHorizontal,
    apresentacao::Lampada;

}  // namespace

// The field and the control's name from one word.
#define CONTROLE(campo) &TfrmPrincipal::campo, #campo

const std::vector<Controle>& ComposicaoDaJanela::Controles() {
    static const std::vector<Controle> controles = {
        {Tipo::BotaoSair, CONTROLE(spdSair), apresentacao::kSair, textoSair, nullptr, kAzul},
        {Tipo::Figura, CONTROLE(imgC1), CelulaDaBobina(3, 1)},
        {Tipo::Figura, CONTROLE(imgB1), CelulaDaBobina(2, 1)},
        {Tipo::Figura, CONTROLE(imgA1), CelulaDaBobina(1, 1)},
        {Tipo::Figura, CONTROLE(imgA2), CelulaDaBobina(1, 2)},
        {Tipo::Figura, CONTROLE(imgB2), CelulaDaBobina(2, 2)},
        {Tipo::Figura, CONTROLE(imgC2), CelulaDaBobina(3, 2)},
        {Tipo::Figura, CONTROLE(imgC3), CelulaDaBobina(3, 3)},
        {Tipo::Figura, CONTROLE(imgB3), CelulaDaBobina(2, 3)},
        {Tipo::Figura, CONTROLE(imgA3), CelulaDaBobina(1, 3)},
        {Tipo::Botao, CONTROLE(spdGirar), apresentacao::kGirar, textoGirar, nullptr, kVermelho},
        {Tipo::Figura, CONTROLE(imgBarraVertical02), BarraVertical(2), nullptr, kBarraV},
        {Tipo::Figura, CONTROLE(imgBarraVertical03), BarraVertical(3), nullptr, kBarraV},
        {Tipo::Figura, CONTROLE(imgBarraVertical04), BarraVertical(4), nullptr, kBarraV},
        {Tipo::Figura, CONTROLE(imgBarraVertical01), BarraVertical(1), nullptr, kBarraV},
        {Tipo::Lcd, CONTROLE(lblCredito), apresentacao::kCredito, textoCredito, nullptr, kVerdeLimao.rgb(),
         nomeCredito},
        {Tipo::Lcd, CONTROLE(lblAposta), apresentacao::kAposta, textoAposta, nullptr, kVerdeLimao.rgb(),
         nomeAposta},
        {Tipo::Botao, CONTROLE(spdApostar01), apresentacao::kApostar01, textoApostar1, nullptr, kVermelho},
        {Tipo::Figura, CONTROLE(imgBarraHorizontal01), BarraHorizontal(1), nullptr, kBarraH},
        {Tipo::Figura, CONTROLE(imgBarraHorizontal02), BarraHorizontal(2), nullptr, kBarraH},
        {Tipo::Botao, CONTROLE(spdApostar10), apresentacao::kApostar10, textoApostar10, nullptr, kVermelho},
        {Tipo::LinhaDePagamento, CONTROLE(Shape1), apresentacao::kLinhaDePagamento},
        {Tipo::Botao, CONTROLE(spdApostar05), apresentacao::kApostar05, textoApostar5, nullptr, kVermelho},
        {Tipo::Figura, CONTROLE(imgPainelPontuacao), apresentacao::kPainelPontuacao, nullptr,
         ":/form/PainelPontuacao.jpg"},
        {Tipo::Luz, CONTROLE(shpLuz01), Lampada(1)},
        {Tipo::Luz, CONTROLE(shpLuz02), Lampada(2)},
        {Tipo::Luz, CONTROLE(shpLuz03), Lampada(3)},
        {Tipo::Luz, CONTROLE(shpLuz04), Lampada(4)},
        {Tipo::Luz, CONTROLE(shpLuz05), Lampada(5)},
        {Tipo::Luz, CONTROLE(shpLuz06), Lampada(6)},
        {Tipo::Luz, CONTROLE(shpLuz07), Lampada(7)},
        {Tipo::Luz, CONTROLE(shpLuz08), Lampada(8)},
        {Tipo::Luz, CONTROLE(shpLuz09), Lampada(9)},
        {Tipo::Luz, CONTROLE(shpLuz10), Lampada(10)},
        {Tipo::Luz, CONTROLE(shpLuz11), Lampada(11)},
        {Tipo::Luz, CONTROLE(shpLuz12), Lampada(12)},
        {Tipo::Lcd, CONTROLE(lblMensagem), apresentacao::kMensagem, nullptr, nullptr, kAmarelo.rgb(),
         nomeMensagem},
        {Tipo::Figura, CONTROLE(imgOlho), apresentacao::kOlho},
    };
    return controles;
}

#undef CONTROLE

void TfrmPrincipal::CriarControles() {
    imgChassisFundo = new TImageShape(this);
    imgChassisFundo->setObjectName("imgChassisFundo");
    imgChassisFundo->setGeometry(0, 0, apresentacao::kLarguraDoGabinete, apresentacao::kAlturaDoGabinete);
    imgChassisFundo->setMovable(true);

    const int escala = apresentacao::EscalaPara(devicePixelRatioF());
    // The cabinet, by far the largest picture, is read meanwhile.
    std::future<QImage> chassis = apresentacao::FiguraEmSegundoPlano(
        QStringLiteral(":/form/ChassisFundo.bmp"), escala, QStringLiteral(":/form/ChassisFundo@2x.png"));
    QHash<QString, QImage> lidas;
    for (const Controle& c : ComposicaoDaJanela::Controles()) {
        QWidget* w = nullptr;
        switch (c.tipo) {
            case Tipo::Botao:
            case Tipo::BotaoSair: w = criarBotao(this, c); break;
            case Tipo::Figura: w = criarFigura(this, c, escala, lidas); break;
            case Tipo::Lcd: w = criarLcd(this, c); break;
            case Tipo::LinhaDePagamento:
            case Tipo::Luz: w = criarForma(this, c); break;
        }
        std::visit(
            [this, w](auto campo) {
                using T = std::remove_reference_t<decltype(*(this->*campo))>;
                this->*campo = static_cast<T*>(w);
            },
            c.campo);
    }
    CriarRotuloDoSite();

    // The window's background is the button face; the cabinet covers it and the shape cuts the rest.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(pal);

    // The picture is given last, once the control has its parent, place and size: assigning it
    // builds the window's shape.
    const QImage figuraDoChassis = chassis.get();
    if (!figuraDoChassis.isNull()) imgChassisFundo->setPicture(figuraDoChassis);
}

void TfrmPrincipal::CriarRotuloDoSite() {
    lblWebSite = new QLabel("lblWebSite", this);
    lblWebSite->setObjectName("lblWebSite");
    colocar(lblWebSite, apresentacao::kWebSite);
    lblWebSite->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblWebSite->setFont(fonteDePixels("Verdana", 11, false, true));
    lblWebSite->setAutoFillBackground(true);
    QPalette pal = lblWebSite->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, kMarrom);
    lblWebSite->setPalette(pal);
    lblWebSite->setCursor(Qt::UpArrowCursor);  // replaced by the animated touch cursor
    lblWebSite->installEventFilter(this);
}

void TfrmPrincipal::ConectarEventos() {
    connect(spdSair, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdSairClick);
    connect(spdGirar, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdGirarClick);
    connect(spdApostar01, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdApostar01Click);
    connect(spdApostar05, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdApostar05Click);
    connect(spdApostar10, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdApostar10Click);
}

bool TfrmPrincipal::event(QEvent* e) {
    // With the cabinet on the screen: the cursors are unpacked, the font is copied for other
    // programs, the sounds are read and the sound server is reached, so that none of it holds up
    // the first frame, nor the sounds the first coin.
    if (e->type() == QEvent::Paint && !m_sonsPreparados) {
        m_sonsPreparados = true;
        QTimer::singleShot(0, this, [this] {
            DesempacotarCursores();
            if (std::exchange(m_copiarFonte, false)) apresentacao::CopiarFonteParaOUsuario(kArquivoDaFonte);
            apresentacao::PrepararSonsDosEventos(PastaDoPrograma);
        });
    }
    return QWidget::event(e);
}

bool TfrmPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    CliqueDireito(evento);
    if (objeto == lblWebSite && evento->type() == QEvent::MouseButtonRelease) {
        auto* m = static_cast<QMouseEvent*>(evento);
        if (m->button() == Qt::LeftButton && lblWebSite->rect().contains(m->position().toPoint()))
            lblWebSiteClick();
        return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

std::array<Figura*, 3> TfrmPrincipal::celulasDaBobina(int k) const {
    switch (k) {
        case 1: return {imgA1, imgA2, imgA3};
        case 2: return {imgB1, imgB2, imgB3};
        default: return {imgC1, imgC2, imgC3};
    }
}

Forma* TfrmPrincipal::lampada(int n) const {
    const std::array<Forma*, 12> l = {shpLuz01, shpLuz02, shpLuz03, shpLuz04, shpLuz05, shpLuz06,
                                      shpLuz07, shpLuz08, shpLuz09, shpLuz10, shpLuz11, shpLuz12};
    return n >= 1 && n <= 12 ? l[n - 1] : nullptr;
}

std::array<TDsFancyButton*, 5> TfrmPrincipal::botoes() const {
    return {spdApostar01, spdApostar05, spdApostar10, spdGirar, spdSair};
}

// The marquee label is narrower than twelve cells of the LCD font at its size (14.4 px each,
// 172.8 px against 159), which would cut the first and last letters at every tick. The cells are
// drawn closer together until twelve fit, with half a pixel to spare on each side; the dots
// themselves keep their size. Measured on whatever font is in use, so an older copy of the
// font in the user's folder, or a substitute, fits too.
void TfrmPrincipal::AjustarLetreiroAoRotulo() {
    QFont f = lblMensagem->font();
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const int n = jogo::kCaracteresDoLetreiro;
    const qreal celula = QFontMetricsF(f).horizontalAdvance(QString(n, QLatin1Char('8'))) / n;
    const qreal cabe = (lblMensagem->contentsRect().width() - 1) / qreal(n);
    if (celula > cabe) f.setLetterSpacing(QFont::AbsoluteSpacing, std::floor((cabe - celula) * 8) / 8);
    lblMensagem->setFont(f);
    m_letreiroAjustado = true;
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TfrmPrincipal::FormCreate() {
    // The start-up catches no error itself: one that escapes is shown in the toolkit's standard
    // error box, the later steps do not run, and the window still opens.
    try {
        SetarInicioDaAplicacao();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(e.what()));
    }
}

void TfrmPrincipal::SetarInicioDaAplicacao() {
    using namespace apresentacao;

    // The version text and the title the dialogs carry.
    VersaoDoAplicativo = uRotinasGerais::VersaoDoAplicativo();
    TituloDoAplicativo = uRotinasGerais::TituloDoAplicativo();

    // The program folder, with its separator, in the file system's own spelling.
    PastaDoPrograma = PastaDoProgramaDeTeste.isEmpty() ? QCoreApplication::applicationDirPath() + "/"
                                                       : PastaDoProgramaDeTeste;

    // The maker's web address, which the label opens when clicked.
    lblWebSite->setText(kEnderecoWeb);

    // A fresh copy of the four cursors and the font: beside the executable when the program folder can be
    // written and no other game from it is running; otherwise (an installation the player may only read, a
    // second game from the same folder) in a private folder of this run alone, so that neither game's close
    // takes the other's files. Only when no place can be written is the failure reported, in the toolkit's
    // error box with the error's own text; it never cuts the start-up short: a cabinet without credit, timers
    // or buttons could not even be left.
    // The font comes first, for the first frame draws the displays with it; the cursors once that frame
    // is shown (DesempacotarCursores).
    PastaDeDesempacotamento = m_desempacotar.Reservar(PastaDoPrograma, QStringLiteral("trevolino"));
    const QString primeiroErro = Desempacotar(PastaDeDesempacotamento, kFonte);
    m_desempacotar.LiberarTambemAoSair(ArquivosDesempacotados());
    if (!primeiroErro.isEmpty())
        QMessageBox::critical(nullptr, QApplication::applicationName(), primeiroErro);

    // The LCD font, this process's before the window is first drawn: the displays show their
    // numbers in it. Its copy for other programs waits for the first frame; the marquee, blank
    // until the lamps' first step, is fitted to it then (DesenharLuzes).
    m_copiarFonte =
        !FonteEstaInstalada("LCDMono2") && CarregarFonte(PastaDeDesempacotamento, kArquivoDaFonte);
    m_letreiroAjustado = false;  // a fit made before, to a stand-in font, is made again

    // A screen too small for the cabinet ends the game; the cursors are animated from the
    // unpacked files.
    if (!VerificarResolucaoDaTela(this, TituloDoAplicativo)) SolicitarTermino();
    AplicarCursoresAnimados(PastaDeDesempacotamento, this);
    // Should the pointer come over the window before the first frame is out, the cursors are
    // unpacked right before they are read.
    TabelaDeCursores::instancia().PrepararAntesDeLer([janela = QPointer<TfrmPrincipal>(this)] {
        if (janela) janela->DesempacotarCursores();
    });

    // 100 credits, the lamps and the greeting, and the reels' opening turn.
    m_maquina->Abrir();
}

// Nothing of a cursor shows before the pointer comes over the window, so the four files wait for
// the first frame (or for that pointer). Where no place could be written the font's error box
// has said so; otherwise a cursor that cannot be written keeps the plain pointer, said in the log.
void TfrmPrincipal::DesempacotarCursores() {
    if (m_cursoresDesempacotados) return;
    m_cursoresDesempacotados = true;
    const QString erro = Desempacotar(PastaDeDesempacotamento, kCursores);
    if (!erro.isEmpty()) plataforma::AvisarUmaVez(erro, "cursor not unpacked: " + erro);
}

// ---------------------------------------------------------------------------------------------
// Shutdown

void TfrmPrincipal::closeEvent(QCloseEvent* e) {
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    FormClose();
    e->accept();
}

void TfrmPrincipal::FormClose() {
    // Whatever the turn was doing, nothing more moves or sounds: the program is ending.
    m_maquina->Parar();
    uRotinasGerais::PararSom();
    m_cursoresDesempacotados = true;  // nothing more is unpacked once the files are let go
    const QStringList arquivos = ArquivosDesempacotados();
    if (!PastaDeDesempacotamento.isEmpty()) {
        m_desempacotar.Liberar(arquivos);  // a second close finds nothing left to let go
        return;
    }
    // A window whose start-up did not run: the files it would have unpacked beside the program.
    for (const QString& a : arquivos) QFile::remove(PastaDoPrograma + a);
}

void TfrmPrincipal::spdSairClick() { close(); }

void TfrmPrincipal::lblWebSiteClick() { uRotinasGerais::AbrirEnderecoWeb(kEnderecoWeb); }
