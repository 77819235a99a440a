// The cursor reader on the generated cursors and on damaged files, and the cursor table that
// animates the controls.
#include "teste_cursores.h"

#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

#include "platform/cursor_animado.h"
#include "shell/cursores.h"
#include "shell/dialogo_rotinas.h"
#include "shell/recursos.h"

using namespace uRotinasGerais;
using namespace apresentacao;
using plataforma::CursorAnimado;

namespace {

const char* const kNomes[] = {"Cursor_Esperar", "Cursor_Executar", "Cursor_Normal", "Cursor_Tocar"};

QByteArray gerado(const char* nome) {
    QFile f(QStringLiteral(TREVOLINO_GEN_DIR "/recursos/") + nome);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Offsets of the chunks of a generated .ani (they are written in a fixed order).
qsizetype acharChunk(const QByteArray& ani, const char* id, qsizetype desde = 12) {
    return ani.indexOf(QByteArray(id, 4), desde);
}

void poeU32(QByteArray& b, qsizetype pos, quint32 v) { qToLittleEndian(v, b.data() + pos); }

// Cursor pixmaps keep premultiplied pixels: compare in that form.
QImage pm(const QImage& i) { return i.convertToFormat(QImage::Format_ARGB32_Premultiplied); }
QImage imagemDoCursor(const QCursor& c) { return pm(c.pixmap().toImage()); }

// A small .cur file: 1-bit colour image (white), the AND mask making the left half transparent.
QByteArray curDeUmBit() {
    const int w = 16, h = 16;
    QByteArray dib;
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        dib.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        dib.append(b, 2);
    };
    u32(40);
    u32(w);
    u32(h * 2);
    u16(1);
    u16(1);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    u32(2);
    u32(0);
    u32(0x00000000);
    u32(0x00FFFFFF);                               // palette: black, white
    for (int y = 0; y < h; ++y) u32(0xFFFFFFFFu);  // every colour bit 1 = white
    for (int y = 0; y < h; ++y) {
        dib.append(char(0xFF));
        dib.append(char(0x00));
        dib.append(2, 0);
    }
    QByteArray cur;
    auto c16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        cur.append(b, 2);
    };
    auto c32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        cur.append(b, 4);
    };
    c16(0);
    c16(2);
    c16(1);
    cur.append(char(w));
    cur.append(char(h));
    cur.append(char(0));
    cur.append(char(0));
    c16(3);
    c16(5);
    c32(quint32(dib.size()));
    c32(22);
    return cur + dib;
}

}  // namespace

void TesteCursores::init() {
    TabelaDeCursores::instancia().DefinirRelogio([this] { return m_agora; });
    TabelaDeCursores::instancia().Limpar();
    m_agora = 1000;
}

void TesteCursores::cleanup() {
    TabelaDeCursores::instancia().Limpar();
    TabelaDeCursores::instancia().DefinirRelogio(nullptr);
}

void TesteCursores::cursoresGeradosSaoAnimadosEComAlfa() {
    for (const char* nome : kNomes) {
        const QByteArray dados = gerado(nome);
        QVERIFY2(!dados.isEmpty(), nome);
        QString motivo;
        auto c = plataforma::InterpretarArquivoDeCursor(dados, &motivo);
        QVERIFY2(c.has_value(), qPrintable(QString(nome) + ": " + motivo));
        QVERIFY2(c->quadros.size() >= 4, nome);
        QVERIFY(c->Animado());
        for (const auto& q : c->quadros) {
            QCOMPARE(q.imagem.size(), QSize(32, 32));
            // the hot spot lies on the drawing, and the picture has both clear and solid pixels
            QVERIFY2(qAlpha(q.imagem.pixel(q.pontoQuente)) > 0, nome);
            QCOMPARE(qAlpha(q.imagem.pixel(31, 0)), 0);
            int opacos = 0, meios = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const int a = qAlpha(q.imagem.pixel(x, y));
                    opacos += a == 255;
                    meios += a > 0 && a < 255;
                }
            QVERIFY(opacos > 60);
            QVERIFY2(meios > 10, "soft edges");
        }
        for (const auto& s : c->passos) QVERIFY(s.quadro >= 0 && s.quadro < int(c->quadros.size()));
        // every step shows a new picture, or it would not animate smoothly
        for (size_t i = 1; i < c->passos.size(); ++i)
            QVERIFY2(c->quadros[c->passos[i].quadro].imagem != c->quadros[c->passos[i - 1].quadro].imagem,
                     nome);
    }
    // The pointers point where they click: tip at the top-left.
    auto normal = plataforma::InterpretarArquivoDeCursor(gerado("Cursor_Normal"));
    QCOMPARE(normal->quadros[0].pontoQuente, QPoint(1, 1));
}

void TesteCursores::arquivosTruncadosSaoRecusados() {
    const QByteArray dados = gerado("Cursor_Tocar");
    QVERIFY(!dados.isEmpty());
    // every cut in the headers, then a sweep through the frames
    for (qsizetype n = 0; n < dados.size(); n += (n < 400 ? 1 : 97)) {
        QString motivo;
        auto c = plataforma::InterpretarArquivoDeCursor(QByteArrayView(dados.constData(), n), &motivo);
        QVERIFY2(!c.has_value(), qPrintable(QStringLiteral("cut at %1 was accepted").arg(n)));
        QVERIFY(!motivo.isEmpty());
    }
    QVERIFY(plataforma::InterpretarArquivoDeCursor(dados).has_value());
}

void TesteCursores::tamanhosEContagensErradosSaoRecusados() {
    const QByteArray ok = gerado("Cursor_Normal");
    const qsizetype anih = acharChunk(ok, "anih");
    const qsizetype rate = acharChunk(ok, "rate");
    const qsizetype seq = acharChunk(ok, "seq ");
    const qsizetype icon = acharChunk(ok, "icon");
    QVERIFY(anih > 0 && rate > 0 && seq > 0 && icon > 0);

    struct Caso {
        const char* nome;
        std::function<void(QByteArray&)> estragar;
    };
    const std::vector<Caso> casos = {
        {"anih size past the end", [&](QByteArray& b) { poeU32(b, anih + 4, 0x7FFFFFF0u); }},
        {"anih too short", [&](QByteArray& b) { poeU32(b, anih + 4, 8); }},
        {"icon chunk longer than its list", [&](QByteArray& b) { poeU32(b, icon + 4, 0x00FFFFFFu); }},
        {"icon chunk shorter than its cursor", [&](QByteArray& b) { poeU32(b, icon + 4, 100); }},
        {"zero frames", [&](QByteArray& b) { poeU32(b, anih + 8 + 4, 0); }},
        {"absurd frame count", [&](QByteArray& b) { poeU32(b, anih + 8 + 4, 0xFFFFFFFFu); }},
        {"more frames announced than stored", [&](QByteArray& b) { poeU32(b, anih + 8 + 4, 11); }},
        {"absurd step count", [&](QByteArray& b) { poeU32(b, anih + 8 + 8, 0x7FFFFFFFu); }},
        {"rate shorter than the steps", [&](QByteArray& b) { poeU32(b, anih + 8 + 8, 40); }},
        {"sequence names a missing frame", [&](QByteArray& b) { poeU32(b, seq + 8, 10); }},
        {"frame width absurd", [&](QByteArray& b) { poeU32(b, icon + 8 + 22 + 4, 100000); }},
        {"frame height negative", [&](QByteArray& b) { poeU32(b, icon + 8 + 22 + 8, 0xFFFFFFC0u); }},
        {"frame offset outside", [&](QByteArray& b) { poeU32(b, icon + 8 + 6 + 12, 0xFFFFFFF0u); }},
        {"frame byte count outside", [&](QByteArray& b) { poeU32(b, icon + 8 + 6 + 8, 0xFFFFFFF0u); }},
        {"directory count absurd",
         [&](QByteArray& b) {
             b[icon + 8 + 4] = char(0xFF);
             b[icon + 8 + 5] = char(0xFF);
         }},
        {"not a cursor", [&](QByteArray& b) { b.replace(8, 4, "WAVE"); }},
    };
    for (const auto& caso : casos) {
        QByteArray b = ok;
        caso.estragar(b);
        QVERIFY2(!plataforma::InterpretarArquivoDeCursor(b).has_value(), caso.nome);
    }
    // A rate of zero jiffies would spin the timer: it counts as one.
    QByteArray rapido = ok;
    poeU32(rapido, rate + 8, 0);
    auto c = plataforma::InterpretarArquivoDeCursor(rapido);
    QVERIFY(c.has_value());
    QCOMPARE(c->passos[0].sessentaAvos, 1);

    // Random damage to the headers and the first frame: any answer is fine, a crash is not.
    QRandomGenerator rng(20261209);
    int aceitos = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray b = ok;
        const int estragos = 1 + int(rng.bounded(4));
        for (int k = 0; k < estragos; ++k) b[rng.bounded(int(icon + 200))] = char(rng.bounded(256));
        if (auto r = plataforma::InterpretarArquivoDeCursor(b)) {
            ++aceitos;
            QVERIFY(!r->quadros.empty() && int(r->quadros.size()) <= plataforma::kMaximoDeQuadros);
            for (const auto& s : r->passos) QVERIFY(s.quadro < int(r->quadros.size()));
        }
    }
    QVERIFY(aceitos < 3000);
}

void TesteCursores::cursorSimplesDeUmBitUsaAMascara() {
    QString motivo;
    auto c = plataforma::InterpretarArquivoDeCursor(curDeUmBit(), &motivo);
    QVERIFY2(c.has_value(), qPrintable(motivo));
    QCOMPARE(c->quadros.size(), size_t(1));
    QVERIFY(!c->Animado());
    const QImage& img = c->quadros[0].imagem;
    QCOMPARE(img.size(), QSize(16, 16));
    QCOMPARE(c->quadros[0].pontoQuente, QPoint(3, 5));
    for (int y : {0, 15}) {
        QCOMPARE(qAlpha(img.pixel(0, y)), 0);  // mask bit set: clear
        QCOMPARE(qAlpha(img.pixel(7, y)), 0);
        QCOMPARE(img.pixel(8, y), qRgb(255, 255, 255));  // mask bit clear: the white pixel
        QCOMPARE(img.pixel(15, y), qRgb(255, 255, 255));
    }
    QVERIFY(!plataforma::LerArquivoDeCursor(QStringLiteral("/nonexistent/c_normal.ani")).has_value());
}

void TesteCursores::quadrosSeguemAsDuracoesDoArquivo() {
    auto& tabela = TabelaDeCursores::instancia();
    auto c = plataforma::InterpretarArquivoDeCursor(gerado("Cursor_Esperar"));
    QVERIFY(c.has_value());
    QLabel rotulo;
    tabela.AplicarNoControle(&rotulo, crEsperar);
    QCOMPARE(rotulo.cursor().shape(), Qt::ArrowCursor);  // not registered yet: standard arrow
    QVERIFY(!tabela.AnimacaoAtiva());

    tabela.Registrar(crEsperar, *c);  // the label takes it at once
    // Nobody sees the label's cursor while the pointer is elsewhere: no wake-ups for it.
    QVERIFY(!tabela.AnimacaoAtiva());
    rotulo.setAttribute(Qt::WA_UnderMouse);
    QEvent entrada(QEvent::Enter);
    QCoreApplication::sendEvent(&rotulo, &entrada);  // the pointer enters: animation on
    QVERIFY(tabela.AnimacaoAtiva());
    QCOMPARE(rotulo.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(rotulo.cursor().hotSpot(), c->quadros[c->passos[0].quadro].pontoQuente);

    // Two laps: each step shows from the end of the one before to its own end, in jiffies.
    const qint64 inicio = m_agora;
    std::vector<qint64> fins;
    qint64 sessentaAvos = 0;
    for (const auto& s : c->passos) fins.push_back((sessentaAvos += s.sessentaAvos) * 1000 / 60);
    const qint64 ciclo = fins.back();
    for (int volta = 0; volta < 2; ++volta) {
        qint64 comeco = 0;
        for (size_t i = 0; i < fins.size(); ++i) {
            m_agora = inicio + volta * ciclo + comeco;
            tabela.Atualizar();
            QCOMPARE(tabela.PassoAtual(crEsperar), int(i));
            QCOMPARE(imagemDoCursor(rotulo.cursor()), pm(c->quadros[c->passos[i].quadro].imagem));
            m_agora = inicio + volta * ciclo + fins[i] - 1;
            QCOMPARE(tabela.PassoAtual(crEsperar), int(i));
            comeco = fins[i];
        }
    }
    m_agora = inicio + 2 * ciclo;
    QCOMPARE(tabela.PassoAtual(crEsperar), 0);
}

void TesteCursores::numeroNaoRegistradoMostraASeta() {
    auto& tabela = TabelaDeCursores::instancia();
    QWidget janela;
    auto* rotulo = new QLabel(&janela);
    tabela.AplicarNoControle(rotulo, crTocar);
    QVERIFY(tabela.CarregarArquivo(crTocar, QStringLiteral(TREVOLINO_GEN_DIR "/recursos/Cursor_Tocar")));
    QCOMPARE(rotulo->cursor().shape(), Qt::BitmapCursor);

    // a file that fails to load leaves the number unregistered, also when it was registered
    QTemporaryFile ruim;
    QVERIFY(ruim.open());
    ruim.write(gerado("Cursor_Tocar").left(300));
    ruim.close();
    QVERIFY(!tabela.CarregarArquivo(crTocar, ruim.fileName()));
    QVERIFY(!tabela.Registrado(crTocar));
    QCOMPARE(rotulo->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!tabela.CarregarArquivo(crTocar, QStringLiteral("/nonexistent/c_tocar.ani")));

    // a control that goes away is forgotten; the animation then stops
    QVERIFY(tabela.CarregarArquivo(crTocar, QStringLiteral(TREVOLINO_GEN_DIR "/recursos/Cursor_Tocar")));
    rotulo->setAttribute(Qt::WA_UnderMouse);
    tabela.Atualizar();
    QVERIFY(tabela.AnimacaoAtiva());
    delete rotulo;
    m_agora += 10000;
    tabela.Atualizar();
    QVERIFY(!tabela.AnimacaoAtiva());
}

void TesteCursores::cursorDaTelaAnimaEVolta() {
    auto& tabela = TabelaDeCursores::instancia();
    // A file put off until a cursor is needed is read when the screen's cursor is set.
    tabela.CarregarArquivoAoPrecisar(crEsperar, QStringLiteral(TREVOLINO_GEN_DIR "/recursos/Cursor_Esperar"));
    QVERIFY(!tabela.Registrado(crEsperar));
    QVERIFY(!QGuiApplication::overrideCursor());
    tabela.DefinirCursorDaTela(crEsperar);
    QVERIFY(QGuiApplication::overrideCursor());
    QVERIFY(tabela.AnimacaoAtiva());
    const QImage antes = imagemDoCursor(*QGuiApplication::overrideCursor());
    m_agora += tabela.Cursor(crEsperar)->passos[0].sessentaAvos * 1000 / 60 + 1;
    tabela.Atualizar();
    QVERIFY(imagemDoCursor(*QGuiApplication::overrideCursor()) != antes);
    tabela.DefinirCursorDaTela(0);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!tabela.AnimacaoAtiva());

    // Or when the pointer enters any control that carries a number, of any window (a dialog
    // opened from the keyboard before the pointer ever reached the cabinet).
    tabela.CarregarArquivoAoPrecisar(crTocar, QStringLiteral(TREVOLINO_GEN_DIR "/recursos/Cursor_Tocar"));
    QWidget dialogo;
    auto* botao = new QLabel(&dialogo);
    tabela.AplicarNoControle(botao, crTocar);
    QCOMPARE(botao->cursor().shape(), Qt::ArrowCursor);
    QEnterEvent entrada(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(botao, &entrada);
    QVERIFY(tabela.Registrado(crTocar));
    QCOMPARE(botao->cursor().shape(), Qt::BitmapCursor);
}

void TesteCursores::controlesRecebemNumerosPeloCursorDeDesenho() {
    QWidget form;
    auto* tocar = new QLabel(&form);
    tocar->setCursor(Qt::UpArrowCursor);
    auto* figura = new QWidget(&form);  // default cursor
    auto* espera = new QWidget(&form);
    espera->setCursor(Qt::WaitCursor);
    auto* painel = new QWidget(&form);
    auto* ocupado = new QWidget(painel);  // a control inside a panel counts too
    ocupado->setCursor(Qt::BusyCursor);
    auto* cruz = new QWidget(painel);
    cruz->setCursor(Qt::CrossCursor);
    auto* timer = new QTimer(&form);
    Q_UNUSED(timer);
    QWidget* outraJanela = new QWidget(&form, Qt::Window);  // a form of its own

    AplicarCursorNosControles(&form);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(tocar), crTocar);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(figura), crNormal);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(espera), crEsperar);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(ocupado), crExecutar);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(cruz), crNormal);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(painel), crNormal);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(outraJanela), 0);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(&form), 0);
    // nothing registered: every control shows the standard arrow
    QCOMPARE(tocar->cursor().shape(), Qt::ArrowCursor);

    // registering afterwards (as the installer's dialogs may see) reaches the controls
    auto& tabela = TabelaDeCursores::instancia();
    QVERIFY(tabela.CarregarArquivo(crTocar, QStringLiteral(TREVOLINO_GEN_DIR "/recursos/Cursor_Tocar")));
    QCOMPARE(imagemDoCursor(tocar->cursor()),
             pm(tabela.Cursor(crTocar)->quadros[tabela.Cursor(crTocar)->passos[0].quadro].imagem));
    QCOMPARE(figura->cursor().shape(), Qt::ArrowCursor);

    // a second pass keeps the numbers (the touch cursor does not fall back to normal)
    AplicarCursorNosControles(&form);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(tocar), crTocar);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(espera), crEsperar);
}
