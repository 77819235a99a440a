// The cabinet window: its composition, the start-up sequence and the shutdown.
#include "shell/uPrincipal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QGuiApplication>
#include <QScreen>
#include <QFontMetricsF>
#include <cmath>
#include <exception>

#include "controls/DsFancyButton.h"
#include "controls/ImageShape.h"
#include "game/bobinas.h"
#include "game/maquina.h"
#include "shell/dialogos.h"
#include "shell/imagens.h"
#include "shell/layout.h"
#include "shell/rotinas_gerais.h"

TfrmPrincipal* frmPrincipal = nullptr;
QString TfrmPrincipal::PastaDoProgramaDeTeste;

namespace {

// The maker's web address, shown by lblWebSite and opened by its click.
const QString kEnderecoWeb = QStringLiteral("www.trevolino.example");

const QColor kSilver(192, 192, 192);
const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kMaroon(128, 0, 0);

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
constexpr const char* kArquivoDaFonte = "LCDMono2.ttf";

QFont fonteDePixels(const QString& familia, int pixels, bool negrito, bool sublinhado = false) {
    QFont f(familia);
    f.setPixelSize(pixels);
    f.setBold(negrito);
    f.setUnderline(sublinhado);
    return f;
}

void colocar(QWidget* w, const layout::Rect& r) { w->setGeometry(r.left, r.top, r.width, r.height); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TPicture and TShape

TPicture::TPicture(QWidget* parent) : QWidget(parent) {}

void TPicture::setPicture(const QImage& img) {
    FPicture = img;
    update();
}

void TPicture::clear() { setPicture(QImage()); }

void TPicture::paintEvent(QPaintEvent*) {
    if (FPicture.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 0, FPicture);
}

TShape::TShape(Kind kind, QWidget* parent) : QWidget(parent), FKind(kind) {
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void TShape::setBrushColor(const QColor& c) {
    if (c == FBrush) return;
    FBrush = c;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (FKind == Circle) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(FPen, 1));
        p.setBrush(FBrush);
        const int d = std::min(width(), height());
        p.drawEllipse(QRectF((width() - d) / 2.0 + 0.5, (height() - d) / 2.0 + 0.5, d - 1, d - 1));
    } else {
        // The pay line: a grey dotted pen whose gaps show the white brush.
        p.fillRect(rect(), FBrush);
        QPen pen(FPen, 1, FPenStyle);
        p.setPen(pen);
        p.drawLine(0, 0, width() - 1, 0);
        p.drawLine(0, height() - 1, width() - 1, height() - 1);
    }
}

// ---------------------------------------------------------------------------------------------
// Composition

TfrmPrincipal::TfrmPrincipal(QWidget* parent, bool executarInicio) : QWidget(parent) {
    frmPrincipal = this;
    setObjectName("frmPrincipal");
    setWindowTitle("Trevolino");
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(layout::kCabinetWidth, layout::kCabinetHeight);
    setAutoFillBackground(true);
    InstalarAcessibilidade();
    FMaquina = new jogo::Maquina(jogo::RelogioDoQt(), jogo::Sortear, this);
    CriarControles();
    ConectarEventos();
    ConectarMaquina();
    CriarMenuDeContexto();
    PrepararTeclado();
    // Centred on the screen when first shown.
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        const QRect g = tela->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
    // The start-up fits the marquee once its own font is in; measured before, the fit would
    // only load a stand-in font for nothing.
    if (executarInicio)
        FormCreate();
    else
        AjustarLetreiroAoRotulo();
}

TfrmPrincipal::~TfrmPrincipal() {
    delete mnuContexto;
    if (frmPrincipal == this) frmPrincipal = nullptr;
}

void TfrmPrincipal::CriarControles() {
    // Created in painting order: a later control is drawn over an earlier one.
    imgChassisFundo = new TImageShape(this);
    imgChassisFundo->setObjectName("imgChassisFundo");
    imgChassisFundo->setGeometry(0, 0, layout::kCabinetWidth, layout::kCabinetHeight);
    imgChassisFundo->setMovable(true);

    const auto botao = [this](const char* nome, const layout::Rect& r, const QString& caption,
                              const QFont& fonte, const QColor& hover) {
        auto* b = new TDsFancyButton(this);
        b->setObjectName(nome);
        colocar(b, r);
        b->setCaption(caption);
        b->setFont(fonte);
        QPalette pal = b->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        pal.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(pal);
        b->setColor(kSilver);
        b->FancyEffects()->setFrameStyle(fmGradient);
        b->FancyEffects()->setFrameWidth(14);
        b->FancyEffects()->setShape(btnCapsule);
        b->FancyEffects()->setCornerRadius(3);
        b->FancyEffects()->setTextStyle(txShadowed);
        b->FancyEffects()->setHoverColor(hover);
        b->Glyphs()->setGlyphStyle(gsNormal);
        b->Glyphs()->setLayout(lyLeft);
        b->Glyphs()->setNumber(1);
        b->Glyphs()->setDistance(0);
        b->setEnabled(false);
        return b;
    };
    const QFont verdana21 = fonteDePixels("Verdana", 21, false);

    spdSair = botao("spdSair", layout::kSair, QCoreApplication::translate("Trevolino", "Sair"),
                    fonteDePixels("Verdana", 16, true), QColor(0, 0, 255));

    const auto celula = [this](const char* nome, int bobina, int linha) {
        auto* c = new TPicture(this);
        c->setObjectName(nome);
        colocar(c, layout::reelCell(bobina, linha));
        return c;
    };
    imgC1 = celula("imgC1", 3, 1);
    imgB1 = celula("imgB1", 2, 1);
    imgA1 = celula("imgA1", 1, 1);
    imgA2 = celula("imgA2", 1, 2);
    imgB2 = celula("imgB2", 2, 2);
    imgC2 = celula("imgC2", 3, 2);
    imgC3 = celula("imgC3", 3, 3);
    imgB3 = celula("imgB3", 2, 3);
    imgA3 = celula("imgA3", 1, 3);

    spdGirar = botao("spdGirar", layout::kGirar, QCoreApplication::translate("Trevolino", "Girar"), verdana21,
                     QColor(255, 0, 0));

    // Pictures for the screen the window opens on: a screen scaled 2x gets the 2x ones.
    const int escala = imagens::EscalaPara(devicePixelRatioF());
    const QImage barraVertical = imagens::FiguraDoRecurso(":/form/BarraVertical.jpg", escala);
    const auto barraV = [this, &barraVertical](const char* nome, int indice) {
        auto* b = new TPicture(this);
        b->setObjectName(nome);
        b->setGeometry(layout::kVerticalBarLeft[indice - 1], layout::kVerticalBarTop,
                       layout::kVerticalBarWidth, layout::kVerticalBarHeight);
        b->setPicture(barraVertical);
        return b;
    };
    imgBarraVertical02 = barraV("imgBarraVertical02", 2);
    imgBarraVertical03 = barraV("imgBarraVertical03", 3);
    imgBarraVertical04 = barraV("imgBarraVertical04", 4);
    imgBarraVertical01 = barraV("imgBarraVertical01", 1);

    const auto lcd = [this](const char* nome, const layout::Rect& r, const QColor& cor,
                            const QString& texto) {
        auto* l = new QLabel(texto, this);
        l->setObjectName(nome);
        colocar(l, r);
        l->setAlignment(Qt::AlignCenter);
        l->setTextFormat(Qt::PlainText);  // the marquee's blanks must stay
        l->setFont(fonteDePixels("LCDMono2", 24, true));
        l->setAutoFillBackground(true);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, Qt::black);
        pal.setColor(QPalette::WindowText, cor);
        l->setPalette(pal);
        return l;
    };
    lblCredito =
        lcd("lblCredito", layout::kCredito, kLime, QCoreApplication::translate("Trevolino", "Credito"));
    lblAposta = lcd("lblAposta", layout::kAposta, kLime, QCoreApplication::translate("Trevolino", "Aposta"));
    // What a screen reader calls them; it reads the number as their text and value.
    lblCredito->setAccessibleName(QCoreApplication::translate("Trevolino", "Crédito"));
    lblAposta->setAccessibleName(QCoreApplication::translate("Trevolino", "Aposta"));

    spdApostar01 = botao("spdApostar01", layout::kApostar01,
                         QCoreApplication::translate("Trevolino", "Apostar 1"), verdana21, QColor(255, 0, 0));

    const QImage barraHorizontal = imagens::FiguraDoRecurso(":/form/BarraHorizontal.jpg", escala);
    const auto barraH = [this, &barraHorizontal](const char* nome, int indice) {
        auto* b = new TPicture(this);
        b->setObjectName(nome);
        b->setGeometry(layout::kHorizontalBarLeft, layout::kHorizontalBarTop[indice - 1],
                       layout::kHorizontalBarWidth, layout::kHorizontalBarHeight);
        b->setPicture(barraHorizontal);
        return b;
    };
    imgBarraHorizontal01 = barraH("imgBarraHorizontal01", 1);
    imgBarraHorizontal02 = barraH("imgBarraHorizontal02", 2);

    spdApostar10 =
        botao("spdApostar10", layout::kApostar10, QCoreApplication::translate("Trevolino", "Apostar 10"),
              verdana21, QColor(255, 0, 0));

    Shape1 = new TShape(TShape::RoundRect, this);
    Shape1->setObjectName("Shape1");
    colocar(Shape1, layout::kPayLine);
    Shape1->setPenColor(QColor(128, 128, 128));
    Shape1->setPenStyle(Qt::DotLine);

    spdApostar05 = botao("spdApostar05", layout::kApostar05,
                         QCoreApplication::translate("Trevolino", "Apostar 5"), verdana21, QColor(255, 0, 0));

    imgPainelPontuacao = new TPicture(this);
    imgPainelPontuacao->setObjectName("imgPainelPontuacao");
    colocar(imgPainelPontuacao, layout::kPainelPontuacao);
    imgPainelPontuacao->setPicture(imagens::FiguraDoRecurso(":/form/PainelPontuacao.jpg", escala));

    std::array<TShape*, 12> luzes{};
    for (int n = 1; n <= 12; ++n) {
        auto* s = new TShape(TShape::Circle, this);
        s->setObjectName(QString("shpLuz%1").arg(n, 2, 10, QChar('0')));
        colocar(s, layout::lamp(n));
        luzes[n - 1] = s;
    }
    shpLuz01 = luzes[0], shpLuz02 = luzes[1], shpLuz03 = luzes[2], shpLuz04 = luzes[3];
    shpLuz05 = luzes[4], shpLuz06 = luzes[5], shpLuz07 = luzes[6], shpLuz08 = luzes[7];
    shpLuz09 = luzes[8], shpLuz10 = luzes[9], shpLuz11 = luzes[10], shpLuz12 = luzes[11];

    lblMensagem = lcd("lblMensagem", layout::kMensagem, kYellow, QString());
    // Named, a reader is not told of every step of the marquee, only of a new message.
    lblMensagem->setAccessibleName(QCoreApplication::translate("Trevolino", "Mensagem"));

    imgOlho = new TPicture(this);
    imgOlho->setObjectName("imgOlho");
    colocar(imgOlho, layout::kOlho);

    lblWebSite = new QLabel("lblWebSite", this);
    lblWebSite->setObjectName("lblWebSite");
    colocar(lblWebSite, layout::kWebSite);
    lblWebSite->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblWebSite->setFont(fonteDePixels("Verdana", 11, false, true));
    lblWebSite->setAutoFillBackground(true);
    {
        QPalette pal = lblWebSite->palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, kMaroon);
        lblWebSite->setPalette(pal);
    }
    lblWebSite->setCursor(Qt::UpArrowCursor);  // its design cursor; becomes the touch cursor
    lblWebSite->installEventFilter(this);

    // The window's background is the button face; the cabinet covers it and the shape cuts the rest.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(pal);

    // The picture is given last, once the control has its parent, place and size: assigning it
    // builds the window's shape.
    QImage chassis = imagens::FiguraDoRecurso(QStringLiteral(":/form/ChassisFundo.bmp"), escala,
                                              QStringLiteral(":/form/ChassisFundo@2x.png"));
    if (!chassis.isNull()) imgChassisFundo->setPicture(chassis);
}

void TfrmPrincipal::ConectarEventos() {
    connect(spdSair, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdSairClick);
    connect(spdGirar, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdGirarClick);
    connect(spdApostar01, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdApostar01Click);
    connect(spdApostar05, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdApostar05Click);
    connect(spdApostar10, &TDsFancyButton::OnClick, this, &TfrmPrincipal::spdApostar10Click);
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

std::array<TPicture*, 3> TfrmPrincipal::celulasDaBobina(int k) const {
    switch (k) {
        case 1: return {imgA1, imgA2, imgA3};
        case 2: return {imgB1, imgB2, imgB3};
        default: return {imgC1, imgC2, imgC3};
    }
}

TShape* TfrmPrincipal::lampada(int n) const {
    const std::array<TShape*, 12> l = {shpLuz01, shpLuz02, shpLuz03, shpLuz04, shpLuz05, shpLuz06,
                                       shpLuz07, shpLuz08, shpLuz09, shpLuz10, shpLuz11, shpLuz12};
    return n >= 1 && n <= 12 ? l[n - 1] : nullptr;
}

std::array<TDsFancyButton*, 5> TfrmPrincipal::botoes() const {
    return {spdApostar01, spdApostar05, spdApostar10, spdGirar, spdSair};
}

// The marquee label is narrower than twelve cells of the LCD font at its size (14.4 px each,
// 172.8 px against 159), which cut the first and last letters at every tick. The cells are
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
}

void TfrmPrincipal::HabilitarBotoes(bool habilitar) {
    for (auto* b : botoes()) b->setEnabled(habilitar);
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
    using namespace uRotinasGerais;

    // 1-3. Version text and display title.
    VersaoDoAplicativo = uRotinasGerais::VersaoDoAplicativo();
    TituloDoAplicativo = uRotinasGerais::TituloDoAplicativo();

    // 4. The program folder, with its separator, in the file system's own spelling.
    PastaDoPrograma = PastaDoProgramaDeTeste.isEmpty() ? QCoreApplication::applicationDirPath() + "/"
                                                       : PastaDoProgramaDeTeste;

    // 5. The installer modes were decided by the program's entry before this window existed.

    // 6. The web address.
    lblWebSite->setText(kEnderecoWeb);

    // 7-8. A fresh copy of the four cursors and the font: beside the executable, as always,
    // when the program folder can be written and no other game from it is running; otherwise
    // (an installation the player may only read, a second game from the same folder) in a
    // private folder of this run alone, so that neither game's close takes the other's files.
    // Only when no place can be written is the failure reported, in the toolkit's error box with
    // the error's own text; it never cuts the start-up short: a cabinet without credit, timers
    // or buttons could not even be left.
    PastaDeDesempacotamento = FDesempacotar.Reservar(PastaDoPrograma, QStringLiteral("trevolino"));
    QString primeiroErro;
    const auto extrair = [this, &primeiroErro](const QString& recurso, const QString& arquivo) {
        try {
            ExtrairRecursoParaArquivo(recurso, PastaDeDesempacotamento + arquivo);
        } catch (const std::exception& e) {
            if (primeiroErro.isEmpty()) primeiroErro = QString::fromUtf8(e.what());
        }
    };
    for (const auto& c : kCursores) {
        if (PastaDeDesempacotamento.isEmpty()) break;  // no folder this run may safely write
        QFile::remove(PastaDeDesempacotamento + c.arquivo);
        extrair(c.recurso, c.arquivo);
    }
    if (!PastaDeDesempacotamento.isEmpty()) {
        QFile::remove(PastaDeDesempacotamento + kArquivoDaFonte);
        extrair("FonteLCD", kArquivoDaFonte);
    }
    if (!primeiroErro.isEmpty())
        QMessageBox::critical(nullptr, QApplication::applicationName(), primeiroErro);

    // 9. The LCD font, installed before the window is first drawn.
    if (!FonteEstaInstalada("LCDMono2")) InstalarFonte(PastaDeDesempacotamento, kArquivoDaFonte);
    AjustarLetreiroAoRotulo();

    // 10-11. Screen size, then the animated cursors.
    if (!VerificarResolucaoDaTela(this, TituloDoAplicativo)) SolicitarTermino();
    AplicarCursoresAnimados(PastaDeDesempacotamento, this);

    // 12. Credit and bet.
    FMaquina->DefinirDinheiro(100.0, 0.0);

    // 13. Lamps and the message display.
    FMaquina->IniciarLuzes();
    SetarMensagem(QCoreApplication::translate("Trevolino", "Aposte e Ganhe"));

    // 14. The opening turn of the reels.
    IniciarGiroDeAbertura();

    // 15. Double buffering is Qt's own; the stop targets are cleared.
    SetarOQueTemQueDar(0, 0, 0);
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
    FMaquina->Parar();
    uRotinasGerais::PararSom();
    QStringList arquivos;
    for (const auto& c : kCursores) arquivos << c.arquivo;
    arquivos << kArquivoDaFonte;
    if (!PastaDeDesempacotamento.isEmpty()) {
        FDesempacotar.Liberar(arquivos);  // a second close finds nothing left to let go
        return;
    }
    // A window whose start-up did not run: the files it would have unpacked beside the program.
    for (const QString& a : arquivos) QFile::remove(PastaDoPrograma + a);
}

void TfrmPrincipal::spdSairClick() { close(); }

void TfrmPrincipal::lblWebSiteClick() { uRotinasGerais::AbrirEnderecoWeb(kEnderecoWeb); }

void TfrmPrincipal::ReduzTamanhoFormularioPrincipal() {
    setMinimumSize(1, 1);
    setFixedSize(1, 1);
    hide();
}

QString TfrmPrincipal::EnderecoWeb() { return kEnderecoWeb; }
