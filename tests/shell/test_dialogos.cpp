// The message dialogs: layouts, colours, answers by click, key release and close box; the exit
// confirmation; line breaks and the regional number format.
#include <QAccessible>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include "apoio.h"
#include "game/maquina.h"
#include "platform/idioma.h"
#include "shell/rotinas_gerais.h"
#include "shell/uDialogo.h"
#include "shell/uPrincipal.h"

using namespace uRotinasGerais;

namespace {
struct Visto {
    bool naoVisivel = false;
    int xNao = -1, xSim = -1;
    int yNao = -1, ySim = -1;
    QString textoSim;
    QColor fundo, texto, textoBotao;
    QString rotulo, titulo;
    QRect geometria;
    int largura = 0;
    double centroNao = 0, centroSim = 0;  // middle of what each button draws, in the strip
    bool figuraAntesDoTexto = false;
    QStringList oferecidos;  // the buttons a screen reader is offered
    QString lido;            // the message as a screen reader reads it
};
// The middle of what a button draws on its face; whether its green picture ends before its
// dark-red caption begins.
double centroDaFace(QWidget* b, const QColor& fundo, bool* figuraAntesDoTexto = nullptr) {
    const QImage face = b->grab().toImage();
    int esquerda = face.width(), direita = -1, fimDoVerde = -1, inicioDoTexto = face.width();
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            const QColor c = face.pixelColor(x, y);
            if (c == fundo) continue;
            esquerda = std::min(esquerda, x), direita = std::max(direita, x);
            if (c.green() > c.red() + 40) fimDoVerde = std::max(fimDoVerde, x);
            if (c.red() > c.green() + 60 && c.blue() < 80) inicioDoTexto = std::min(inicioDoTexto, x);
        }
    if (figuraAntesDoTexto) *figuraAntesDoTexto = fimDoVerde >= 0 && fimDoVerde < inicioDoTexto;
    return (esquerda + direita) / 2.0;
}
Visto olhar(QWidget* d) {
    Visto v;
    auto* nao = d->findChild<QToolButton*>("spdNao");
    auto* sim = d->findChild<QToolButton*>("spdSim");
    auto* l = d->findChild<QLabel*>("lblDialogo");
    v.naoVisivel = nao->isVisible();
    v.xNao = nao->x();
    v.xSim = sim->x();
    v.yNao = nao->y();
    v.ySim = sim->y();
    v.textoSim = sim->text();
    v.fundo = d->palette().color(QPalette::Window);
    v.texto = l->palette().color(QPalette::WindowText);
    v.textoBotao = sim->palette().color(QPalette::ButtonText);
    v.rotulo = l->text();
    v.titulo = d->windowTitle();
    v.geometria = d->frameGeometry();
    v.largura = d->width();
    QAccessibleInterface* faixa = QAccessible::queryAccessibleInterface(nao->parentWidget());
    for (int i = 0; i < faixa->childCount(); ++i) v.oferecidos << faixa->child(i)->text(QAccessible::Name);
    v.lido = QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name);
    v.centroNao = nao->x() + centroDaFace(nao, v.fundo);
    v.centroSim = sim->x() + centroDaFace(sim, v.fundo, &v.figuraAntesDoTexto);
    return v;
}
}  // namespace

class TestDialogos : public QObject {
    Q_OBJECT
    TfrmPrincipal* w = nullptr;

    // Opens a dialog, looks at it, then answers with `acao`; returns the answer.
    int abrir(const std::function<int()>& chamar, Visto& v, const std::function<void(QWidget*)>& acao) {
        apoio::quandoAbrirDialogo([&](QWidget* d) {
            v = olhar(d);
            acao(d);
        });
        return chamar();
    }
    static void tecla(QWidget* d, Qt::Key k) {
        QTest::keyPress(d, k);
        QTest::keyRelease(d, k);
    }

private slots:
    void initTestCase() {
        w = new TfrmPrincipal(nullptr, false);
        w->TituloDoAplicativo = "Trevolino v3.5";
    }
    void cleanupTestCase() { delete w; }

    void umBotaoCentradoEnterEEscape() {
        Visto v;
        QCOMPARE(abrir([&] { return w->CaixaDeDialogo("Texto", "Titulo", "", "Sim", false); }, v,
                       [](QWidget* d) { tecla(d, Qt::Key_Return); }),
                 6);
        QVERIFY(!v.naoVisivel);
        QCOMPARE(v.xSim, 196);
        // Its picture and caption stand in the middle of the dialog.
        QVERIFY2(qAbs(v.centroSim - 266) <= 2, qPrintable(QString::number(v.centroSim)));
        QVERIFY(v.figuraAntesDoTexto);
        QCOMPARE(v.oferecidos, QStringList{"Sim"});  // the hidden "Não" is not offered
        QCOMPARE(v.fundo, QColor(166, 202, 240));
        QCOMPARE(v.texto, QColor(128, 0, 0));
        QCOMPARE(abrir([&] { return w->CaixaDeDialogo("Texto", "Titulo", "   ", "Sim", false); }, v,
                       [](QWidget* d) { tecla(d, Qt::Key_Escape); }),
                 7);
        QVERIFY(!v.naoVisivel);  // a "no" text of blanks counts as empty
    }

    void doisBotoesEClique() {
        Visto v;
        const int r = abrir(
            [&] { return w->CaixaDeDialogo("Texto", "Titulo", QString::fromUtf8("Não"), "Sim", false); }, v,
            [](QWidget* d) { QTest::mouseClick(d->findChild<QToolButton*>("spdNao"), Qt::LeftButton); });
        QCOMPARE(r, 7);
        QVERIFY(v.naoVisivel);
        QCOMPARE(v.xNao, 107);
        QCOMPARE(v.xSim, 284);
        QCOMPARE(v.yNao, v.ySim);  // side by side on one line
        // Each picture and caption in the middle of its button, the buttons centred on the thirds.
        QVERIFY2(qAbs(v.centroNao - 177) <= 2, qPrintable(QString::number(v.centroNao)));
        QVERIFY2(qAbs(v.centroSim - 354) <= 2, qPrintable(QString::number(v.centroSim)));
        QCOMPARE(v.oferecidos, QStringList({QString::fromUtf8("Não"), "Sim"}));
        QCOMPARE(abrir([&] { return w->CaixaDeDialogo("T", "T", QString::fromUtf8("Não"), "Sim", false); }, v,
                       [](QWidget* d) {
                           QTest::mouseClick(d->findChild<QToolButton*>("spdSim"), Qt::LeftButton);
                       }),
                 6);
    }

    void advertenciaTrocaCoresEPosicoes() {
        Visto v;
        QCOMPARE(
            abrir([&] { return w->CaixaDeDialogo("Texto", "Titulo", QString::fromUtf8("Não"), "Sim", true); },
                  v, [](QWidget* d) { tecla(d, Qt::Key_Enter); }),
            6);
        QCOMPARE(v.fundo, QColor(255, 128, 128));
        QCOMPARE(v.texto, QColor(Qt::black));
        QCOMPARE(v.textoBotao, QColor(Qt::black));
        QCOMPARE(v.xSim, 107);
        QCOMPARE(v.xNao, 284);
        // What the buttons draw moves with them, on the warning colours.
        QVERIFY2(qAbs(v.centroSim - 177) <= 2 && qAbs(v.centroNao - 354) <= 2,
                 qPrintable(QString("%1 %2").arg(v.centroSim).arg(v.centroNao)));
        abrir([&] { return w->CaixaDeDialogo("Texto", "Titulo", "", "Sim", true); }, v,
              [](QWidget* d) { tecla(d, Qt::Key_Return); });
        QCOMPARE(v.xSim, 196);  // a single button stays centred
        QVERIFY2(qAbs(v.centroSim - 266) <= 2, qPrintable(QString::number(v.centroSim)));
        QCOMPARE(v.fundo, QColor(255, 128, 128));
    }

    void textoAparadoEntreUmaLinhaVaziaAcimaEAbaixo() {
        Visto v;
        abrir([&] { return w->CaixaDeDialogo("  Duas palavras\r\n", "  Titulo\t", "", "Sim", false); }, v,
              [](QWidget* d) { tecla(d, Qt::Key_Return); });
        QCOMPARE(v.rotulo, QString("\nDuas palavras\n"));
        QCOMPARE(v.lido, QString("Duas palavras"));  // read without the empty lines around it
        QCOMPARE(v.titulo, QString("Titulo"));
    }

    void textoLongoCresceEFicaCentrado() {
        Visto curto, longo;
        abrir([&] { return w->CaixaDeDialogo("Curto", "T", "", "Sim", false); }, curto,
              [](QWidget* d) { tecla(d, Qt::Key_Return); });
        QString texto;
        for (int i = 0; i < 40; ++i) texto += "palavra ";
        abrir([&] { return w->CaixaDeDialogo(texto, "T", "", "Sim", false); }, longo,
              [](QWidget* d) { tecla(d, Qt::Key_Return); });
        QCOMPARE(longo.largura, 532);
        QVERIFY(longo.geometria.height() > curto.geometria.height() + 20);
        const QSize tela = QGuiApplication::primaryScreen()->geometry().size();
        QCOMPARE(longo.geometria.x(), (tela.width() - longo.geometria.width()) / 2);
        QCOMPARE(longo.geometria.y(), (tela.height() - longo.geometria.height()) / 2);
    }

    void soOSoltarDaTeclaResponde() {
        Visto v;
        bool fechouNoAperto = true;
        const int r =
            abrir([&] { return w->CaixaDeDialogo("T", "T", QString::fromUtf8("Não"), "Sim", false); }, v,
                  [&](QWidget* d) {
                      QTest::keyPress(d, Qt::Key_Escape);
                      fechouNoAperto = !d->isVisible();
                      QTest::keyRelease(d, Qt::Key_Escape);
                  });
        QVERIFY(!fechouNoAperto);
        QCOMPARE(r, 7);
    }

    // A dialog opens with Enter's button focused, a warning (where "Sim" stands left) too; Tab
    // moves to the other button, which Enter then presses.
    void focoNoBotaoDeEnterETabNosBotoes() {
        QStringList focos;
        const auto tabEEnter = [&focos](QWidget* d) {
            focos << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "");
            tecla(d, Qt::Key_Tab);
            focos << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "");
            tecla(d, Qt::Key_Return);
        };
        Visto v;
        QCOMPARE(abrir([&] { return w->CaixaDeDialogo("T", "T", QString::fromUtf8("Não"), "Sim", true); }, v, tabEEnter), 7);
        QCOMPARE(abrir([&] { return w->CaixaDeDialogo("T", "T", "", "Sim", false); }, v, tabEEnter), 6);
        QCOMPARE(focos, QStringList({"spdSim", "spdNao", "spdSim", "spdSim"}));
    }

    void caixaDeFecharDaResposta2() {
        Visto v;
        const int r = abrir(
            [&] {
                return w->CaixaDeDialogoComIconesEspeciais("T", "T", QString::fromUtf8("Não"), "Sim", 3, 2,
                                                           false, true);
            },
            v, [](QWidget* d) { d->close(); });
        QCOMPARE(r, 2);
    }

    void confirmacaoDeSaida() {
        QString titulo, texto;
        apoio::responderComTecla(Qt::Key_Escape, &titulo, &texto);
        QVERIFY(!w->FormCloseQuery());
        QCOMPARE(titulo, QString::fromUtf8("Confirmação Para Saída"));
        QVERIFY(texto.endsWith(QString::fromUtf8("Você Deseja Mesmo Sair?\n")));
        QVERIFY(texto.contains("Trevolino v3.5"));
        apoio::responderComTecla(Qt::Key_Return);
        QVERIFY(w->FormCloseQuery());
    }

    // In English a message that only informs is answered "OK", a question "Yes".
    void emInglesAvisoComOKEPerguntaComYes() {
        qputenv("LC_ALL", "en_US.UTF-8");
        plataforma::InstalarIdioma();
        const auto repor =
            qScopeGuard([] { qputenv("LC_ALL", "pt_BR.UTF-8"), plataforma::InstalarIdioma(); });
        w->maquina().DefinirDinheiro(0, 0);  // so a bet is refused with a message
        Visto v;
        abrir([&] { return w->spdApostar01Click(), 0; }, v, [](QWidget* d) { tecla(d, Qt::Key_Return); });
        QCOMPARE(v.textoSim, QString("OK"));
        abrir([&] { return int(w->FormCloseQuery()); }, v, [](QWidget* d) { tecla(d, Qt::Key_Escape); });
        QCOMPARE(v.textoSim, QString("Yes"));
    }

    void quebrasDeLinhaEFormatoDeNumeros() {
        QCOMPARE(QuebrasDeLinha(0), QString());
        QCOMPARE(QuebrasDeLinha(-2), QString());
        QCOMPARE(QuebrasDeLinha(2), QString("\n\n"));
        // LC_ALL is pt_BR for this program: a point separates thousands.
        QCOMPARE(FormatarValor(14, 0, 100), QString(11, ' ') + "100");
        QCOMPARE(FormatarValor(14, 0, 1234), QString(9, ' ') + "1.234");
        QCOMPARE(FormatarValor(3, 0, 1234567), QString("1.234.567"));  // a longer text is not cut
        QCOMPARE(FormatarValor(6, 0, -5), QString("    -5"));
        QCOMPARE(FormatarValor(8, 2, 3.5), QString("    3,50"));
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    qputenv("LC_ALL", "pt_BR.UTF-8");
    QApplication app(argc, argv);
    TestDialogos t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_dialogos.moc"
