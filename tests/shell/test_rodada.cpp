// Whole rounds on the real cabinet window, with fixed draws and fast time: bets, spins, the
// count-up, the buttons, the dialogs, the lamps and the marquee.
#include <QLabel>
#include <QLoggingCategory>
#include <QTimer>
#include <QtTest>

#include "controls/DsFancyButton.h"
#include "apoio.h"
#include "game/bobinas.h"
#include "game/estado.h"
#include "shell/espera.h"
#include "shell/som.h"
#include "shell/uPrincipal.h"

namespace {

// Each symbol's picture is a plain colour: bright (s * 20, 255 - s * 20, 60) and dark its half.
QColor corDoSimbolo(int s, bool escuro) {
    const QColor c(s * 20, 255 - s * 20, 60);
    return escuro ? QColor(c.red() / 2, c.green() / 2, c.blue() / 2) : c;
}

bool corProxima(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
           std::abs(a.blue() - b.blue()) < 12;
}

struct Amostra {
    bool algumBotaoHabilitado;
    bool girando;
    bool timFinalAtivo;
    double premio;
    QString mensagem;
    QString som;
    bool somEmLaco;
};

bool algumaAmostra(const QList<Amostra>& amostras, const std::function<bool(const Amostra&)>& f) {
    return std::any_of(amostras.begin(), amostras.end(), f);
}

}  // namespace

class TestRodada : public QObject {
    Q_OBJECT
    QTemporaryDir pasta;
    TfrmPrincipal* w = nullptr;
    QString pastaAnterior;

    void posicionar(int p1, int p2, int p3) {
        auto& b = jogo::Estado().Bobinas;
        b[0].Posicao = p1;
        b[1].Posicao = p2;
        b[2].Posicao = p3;
    }
    bool algumHabilitado() const {
        for (auto* b : w->botoes())
            if (b->isEnabled()) return true;
        return false;
    }
    bool todosHabilitados() const {
        for (auto* b : w->botoes())
            if (!b->isEnabled()) return false;
        return true;
    }
    // Plays one spin to its end while sampling the cabinet every millisecond.
    QList<Amostra> girarAteOFim() {
        QList<Amostra> amostras;
        QTimer amostrador;
        amostrador.setInterval(1);
        connect(&amostrador, &QTimer::timeout, this, [&]() {
            amostras << Amostra{
                algumHabilitado(),
                w->timBobina1->isActive() || w->timBobina2->isActive() || w->timBobina3->isActive(),
                w->timFinal->isActive(),
                w->Premio,
                jogo::Estado().MensagemAtual,
                QFileInfo(uRotinasGerais::SomAtual().arquivo).fileName(),
                uRotinasGerais::SomAtual().emLaco};
        });
        amostrador.start();
        w->spdGirarClick();
        [&] { QVERIFY(apoio::esperarAte([&] { return todosHabilitados(); })); }();
        amostrador.stop();
        return amostras;
    }

private slots:
    void initTestCase() {
        QVERIFY(pasta.isValid());
        QDir(pasta.path()).mkpath("Bobinas");
        for (int s = 1; s <= 11; ++s) {
            QString nome;
            TfrmPrincipal::DesenhoBaseadoEnNumero(s, nome);
            for (bool escuro : {false, true}) {
                QImage img(140, 92, QImage::Format_RGB32);
                img.fill(corDoSimbolo(s, escuro));
                QVERIFY(img.save(pasta.path() + "/Bobinas/" + nome + (escuro ? "-dark.jpg" : ".jpg"), "JPEG",
                                 95));
            }
        }
        // The program folder holds the pictures and, linked, the built sounds; the game runs
        // from another folder, as when started from a terminal elsewhere.
        QVERIFY(QFile::link(QString(TREVOLINO_PROGRAM_DIR) + "/Som", pasta.path() + "/Som"));
        pastaAnterior = QDir::currentPath();
        QDir::setCurrent(QDir::rootPath());
        uRotinasGerais::DefinirEscalaDeTempo(0.01);
    }
    void cleanupTestCase() {
        QDir::setCurrent(pastaAnterior);
        jogo::DefinirSorteio(nullptr);
    }
    void init() {
        jogo::ReiniciarEstado();
        jogo::DefinirSorteio([](int) { return 0; });
        w = new TfrmPrincipal(nullptr, false);
        w->PastaDoPrograma = pasta.path() + "/";
        w->TituloDoAplicativo = "Trevolino v3.5";
        for (QTimer* t : {w->timBobina1, w->timBobina2, w->timBobina3}) t->setInterval(1);
        w->timFinal->setInterval(20);
        w->Credito = 100;
        w->Aposta = 0;
        w->AtualizarPainel();
    }
    void cleanup() {
        delete w;
        w = nullptr;
    }

    void celulasCarregamOArquivoCertoEmCadaAspecto() {
        posicionar(16, 16, 11);
        w->DesenharBobina1();
        QVERIFY(corProxima(w->imgA1->picture().pixelColor(70, 46), corDoSimbolo(4, true)));
        QVERIFY(corProxima(w->imgA2->picture().pixelColor(70, 46), corDoSimbolo(5, false)));
        QVERIFY(corProxima(w->imgA3->picture().pixelColor(70, 46), corDoSimbolo(1, true)));
        QVERIFY(w->imgB1->picture().isNull());  // only reel 1 was drawn
        w->DesenharBobina3();
        QVERIFY(corProxima(w->imgC1->picture().pixelColor(70, 46), corDoSimbolo(10, true)));
        QVERIFY(corProxima(w->imgC2->picture().pixelColor(70, 46), corDoSimbolo(11, false)));
        QVERIFY(corProxima(w->imgC3->picture().pixelColor(70, 46), corDoSimbolo(11, true)));
        w->DesenharBobinasParadas();
        QVERIFY(corProxima(w->imgA1->picture().pixelColor(70, 46), corDoSimbolo(4, false)));
        QVERIFY(corProxima(w->imgC3->picture().pixelColor(70, 46), corDoSimbolo(11, false)));
        QVERIFY(corProxima(w->imgB2->picture().pixelColor(70, 46), corDoSimbolo(1, false)));
    }

    void quadroDanificadoDeixaACelulaVazia() {
        const QString uva = pasta.path() + "/Bobinas/uva.jpg";
        QFile::rename(uva, uva + ".bom");
        QFile lixo(uva);
        QVERIFY(lixo.open(QIODevice::WriteOnly));
        lixo.write(QByteArray(3000, '\x5a'));
        lixo.close();
        posicionar(16, 16, 16);
        // The fallback is quiet for the player and leaves one info line, however often drawn.
        static QStringList linhas;
        linhas.clear();
        QLoggingCategory::setFilterRules("trevolino.info=true");
        const QtMessageHandler anterior =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext& c, const QString& m) {
                if (QByteArray(c.category) == "trevolino") linhas << m;
            });
        w->DesenharBobina1();  // must not crash
        w->DesenharBobina1();
        qInstallMessageHandler(anterior);
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(linhas.size(), 1);
        QVERIFY2(linhas[0].endsWith("/Bobinas/uva.jpg"), qPrintable(linhas[0]));
        QVERIFY(w->imgA2->picture().isNull());
        QVERIFY(!w->imgA1->picture().isNull());
        QFile::remove(uva);
        QFile::rename(uva + ".bom", uva);
    }

    void rodadaPerdidaDe16ComSorteioZero() {
        posicionar(16, 16, 16);
        w->RealizarAposta(5);
        w->RealizarAposta(5);
        QCOMPARE(w->Credito, 90.0);
        QCOMPARE(w->Aposta, 10.0);
        QCOMPARE(jogo::Estado().MensagemAtual, QString("Boa Sorte"));
        QCOMPARE(w->lblAposta->text(), QString("Aposta: 10"));
        QCOMPARE(QFileInfo(uRotinasGerais::SomAtual().arquivo).fileName(), QString("InserindoMoeda.wav"));
        const auto amostras = girarAteOFim();
        QVERIFY(algumaAmostra(amostras, [](const Amostra& a) { return a.som == "BobinaGirando.wav"; }));
        QVERIFY(algumaAmostra(amostras, [](const Amostra& a) { return a.som == "BobinaParando.wav"; }));
        QVERIFY(!algumaAmostra(
            amostras, [](const Amostra& a) { return a.som.startsWith("Pagando") || a.som == "Ganhou.wav"; }));
        QCOMPARE(jogo::Estado().Bobinas[0].Posicao, 6);
        QCOMPARE(jogo::Estado().Bobinas[1].Posicao, 13);
        QCOMPARE(jogo::Estado().Bobinas[2].Posicao, 4);
        QCOMPARE(w->Credito, 90.0);
        QCOMPARE(w->Aposta, 0.0);
        QCOMPARE(jogo::Estado().MensagemAtual, QString("Aposte e Ganhe"));
        for (const auto& a : amostras) QVERIFY(a.mensagem != "Parabens");  // a lost spin
        // The still look once the buttons are back.
        QVERIFY(corProxima(w->imgA1->picture().pixelColor(70, 46), corDoSimbolo(jogo::Bobina1[5], false)));
    }

    void botoesDesabilitadosDoGiroAteOSegundoFinal() {
        posicionar(16, 16, 16);
        w->RealizarAposta(1);
        const auto amostras = girarAteOFim();
        QVERIFY(amostras.size() > 20);
        for (const auto& a : amostras)
            if (a.girando || a.timFinalAtivo || a.premio > 0) QVERIFY(!a.algumBotaoHabilitado);
        // The final second really happened: timFinal was seen running with the buttons off.
        QVERIFY(
            std::any_of(amostras.begin(), amostras.end(), [](const Amostra& a) { return a.timFinalAtivo; }));
    }

    void premioDeTresSetesVermelhosContadoUmAUm() {
        // Start positions chosen so that r = 0 ends on 11, 6, 2: three red sevens.
        const auto inicio = [](int fim, int passos) { return ((fim - 1 + passos) % 16) + 1; };
        posicionar(inicio(11, 26), inicio(6, 51), inicio(2, 76));
        w->RealizarAposta(10);
        const double depoisDaAposta = w->Credito;
        const auto amostras = girarAteOFim();
        QCOMPARE(w->Credito, depoisDaAposta + 120);
        QCOMPARE(w->Aposta, 0.0);
        // The credit rose one by one, with "Parabens" during the count-up.
        QVERIFY(std::any_of(amostras.begin(), amostras.end(),
                            [](const Amostra& a) { return a.mensagem == "Parabens"; }));
        QVERIFY(std::any_of(amostras.begin(), amostras.end(),
                            [](const Amostra& a) { return a.premio > 0 && a.premio < 120; }));
        QVERIFY(algumaAmostra(amostras,
                              [](const Amostra& a) { return a.som == "PagandoMuito.wav" && a.somEmLaco; }));
        QVERIFY(uRotinasGerais::SomAtual().vazio());  // the paying loop was stopped
        QCOMPARE(jogo::Estado().MensagemAtual, QString("Aposte e Ganhe"));
    }

    void regrasDePagamentoNaJanela_data() {
        QTest::addColumn<int>("p1");
        QTest::addColumn<int>("p2");
        QTest::addColumn<int>("p3");
        QTest::addColumn<double>("aposta");
        QTest::addColumn<double>("premio");
        QTest::addColumn<QString>("som");
        QTest::newRow("um morango") << 2 << 2 << 3 << 1.0 << 2.0 << "PagandoPouco.wav";  // 2, 4, 3
        QTest::newRow("tres morangos") << 2 << 4 << 16 << 1.0 << 3.0 << "PagandoMuito.wav";
        QTest::newRow("tres limoes") << 1 << 5 << 7 << 1.0 << 2.0 << "PagandoPouco.wav";
        QTest::newRow("6 4 5") << 6 << 2 << 4 << 10.0 << 0.0 << "";
    }
    void regrasDePagamentoNaJanela() {
        QFETCH(int, p1);
        QFETCH(int, p2);
        QFETCH(int, p3);
        QFETCH(double, aposta);
        QFETCH(double, premio);
        QFETCH(QString, som);
        posicionar(p1, p2, p3);
        w->Credito = 50;
        w->Aposta = aposta;
        jogo::Estado().MensagemAtual = "Boa Sorte";
        uRotinasGerais::PararSom();
        QStringList sons;
        QTimer amostrador;
        amostrador.setInterval(1);
        connect(&amostrador, &QTimer::timeout, this, [&] {
            const QString s = QFileInfo(uRotinasGerais::SomAtual().arquivo).fileName();
            if (!s.isEmpty() && !sons.contains(s)) sons << s;
        });
        amostrador.start();
        w->ChecarSeGanhou();
        amostrador.stop();
        if (som.isEmpty())
            QVERIFY2(sons.isEmpty(), qPrintable(sons.join(",")));
        else
            QVERIFY2(sons.contains(som), qPrintable(sons.join(",")));
        QCOMPARE(w->Credito, 50 + premio);
        QCOMPARE(w->Aposta, 0.0);
        QCOMPARE(w->Premio, 0.0);
        QCOMPARE(jogo::Estado().MensagemAtual, premio > 0 ? QString("Parabens") : QString("Boa Sorte"));
        QVERIFY(w->timFinal->isActive());
    }

    void apostaSemCreditoERecusada() {
        w->Credito = 9;
        QString titulo;
        apoio::responderComTecla(Qt::Key_Return, &titulo);
        w->spdApostar10Click();
        QCOMPARE(titulo, QString::fromUtf8("Crédito Insuficiente"));
        QCOMPARE(w->Credito, 9.0);
        QCOMPARE(w->Aposta, 0.0);
        w->Credito = 10;
        w->spdApostar10Click();
        QCOMPARE(w->Credito, 0.0);
        QCOMPARE(w->Aposta, 10.0);
    }

    void girarSemApostaERecusado() {
        posicionar(16, 16, 16);
        QString titulo, texto;
        apoio::responderComTecla(Qt::Key_Escape, &titulo, &texto);
        w->spdGirarClick();
        QCOMPARE(titulo, QString::fromUtf8("Faça Uma Aposta Antes de Puxar a Alavanca"));
        QVERIFY(texto.contains(QString::fromUtf8("Você Deve Fazer Uma Aposta!")));
        QVERIFY(!w->timBobina1->isActive() && !w->timBobina2->isActive() && !w->timBobina3->isActive());
        QCOMPARE(jogo::Estado().Bobinas[0].Posicao, 16);
    }

    void lampadasELetreiroNasPrimeirasBatidas() {
        jogo::Estado().FaseDasLuzes = 1;
        w->SetarMensagem("Aposte e Ganhe");
        QCOMPARE(w->lblMensagem->text(), QString());  // shown only at the next tick
        w->timLuzesMensagemTimer();
        const QColor cores[8] = {{},
                                 QColor(255, 0, 0),
                                 QColor(0, 0, 255),
                                 QColor(0, 128, 0),
                                 QColor(255, 255, 0),
                                 QColor(255, 0, 255),
                                 QColor(0, 255, 255),
                                 QColor(128, 0, 0)};
        for (int n = 1; n <= 12; ++n) QCOMPARE(w->lampada(n)->brushColor(), cores[(n - 1) % 7 + 1]);
        QCOMPARE(w->lblMensagem->text(), QString("     Aposte "));
        w->timLuzesMensagemTimer();
        QCOMPARE(w->lampada(1)->brushColor(), cores[7]);
        QCOMPARE(w->lampada(8)->brushColor(), cores[7]);
        QCOMPARE(w->lblMensagem->text(), QString("    Aposte e"));
        w->SetarMensagem("Parabens");
        QCOMPARE(w->lblMensagem->text(), QString("    Aposte e"));
    }

    // Something that waits (a dialog, a payout) and is handled while a tick is on the stack must
    // not hold the lamps: Qt does not re-enter a timer whose slot is running.
    void lampadasAndamDuranteUmaEsperaVindaDaBatida() {
        w->timLuzesMensagem->setInterval(5);
        disconnect(w->timLuzesMensagem, nullptr, nullptr, nullptr);
        int fasesDuranteAEspera = 0;
        bool esperou = false;
        connect(w->timLuzesMensagem, &QTimer::timeout, this, [&] {
            if (esperou) return;
            esperou = true;
            QMetaObject::invokeMethod(
                this,
                [&] {
                    QSet<int> fases;
                    QElapsedTimer relogio;
                    relogio.start();
                    while (relogio.elapsed() < 300) {
                        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
                        fases.insert(jogo::Estado().FaseDasLuzes);
                    }
                    fasesDuranteAEspera = int(fases.size());
                },
                Qt::QueuedConnection);
        });
        connect(w->timLuzesMensagem, &QTimer::timeout, w, &TfrmPrincipal::timLuzesMensagemTimer);
        jogo::Estado().FaseDasLuzes = 1;
        w->timLuzesMensagem->start();
        QVERIFY(apoio::esperarAte([&] { return fasesDuranteAEspera > 0; }));
        w->timLuzesMensagem->stop();
        QVERIFY2(fasesDuranteAEspera > 2, qPrintable(QString::number(fasesDuranteAEspera)));
    }

    void aberturaHabilitaOsBotoesSoNoFim() {
        jogo::DefinirSorteio([](int) { return 14; });
        w->IniciarGiroDeAbertura();
        w->SetarOQueTemQueDar(0, 0, 0);
        QVERIFY(!algumHabilitado());
        QVERIFY(apoio::esperarAte([&] { return todosHabilitados(); }));
        // r = 14: 20, 30 and 40 steps from 16.
        QCOMPARE(jogo::Estado().Bobinas[0].Posicao, ((16 - 1 - 20) % 16 + 16) % 16 + 1);
        QCOMPARE(jogo::Estado().Bobinas[1].Posicao, ((16 - 1 - 30) % 16 + 16) % 16 + 1);
        QCOMPARE(jogo::Estado().Bobinas[2].Posicao, ((16 - 1 - 40) % 16 + 16) % 16 + 1);
        QCOMPARE(w->Credito, 100.0);  // the opening pays nothing
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    TestRodada t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_rodada.moc"
