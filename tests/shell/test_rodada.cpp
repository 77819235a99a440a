// Whole rounds on the real cabinet window, with fixed draws and fast time: bets, spins, the
// count-up, the buttons, the dialogs, the lamps and the marquee.
#include <QLabel>
#include <QLoggingCategory>
#include <QTimer>
#include <QtTest>

#include "controls/DsFancyButton.h"
#include "apoio.h"
#include "apoio_bobinas.h"
#include "game/bobinas.h"
#include "game/maquina.h"
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

    void posicionar(int p1, int p2, int p3) { w->maquina().Posicionar(p1, p2, p3); }
    bool algumHabilitado() const {
        for (auto* b : w->findChildren<TDsFancyButton*>())
            if (b->isEnabled()) return true;
        return false;
    }
    bool todosHabilitados() const {
        for (auto* b : w->findChildren<TDsFancyButton*>())
            if (!b->isEnabled()) return false;
        return true;
    }
    // Plays one spin to its end while sampling the cabinet every millisecond.
    QList<Amostra> girarAteOFim() {
        QList<Amostra> amostras;
        QTimer amostrador;
        amostrador.setInterval(1);
        connect(&amostrador, &QTimer::timeout, this, [&]() {
            amostras << Amostra{algumHabilitado(),
                                apoio::controle<QTimer>(w, "timBobina1")->isActive() ||
                                    apoio::controle<QTimer>(w, "timBobina2")->isActive() ||
                                    apoio::controle<QTimer>(w, "timBobina3")->isActive(),
                                apoio::controle<QTimer>(w, "timFinal")->isActive(),
                                w->Premio(),
                                w->maquina().Mensagem(),
                                QFileInfo(apresentacao::SomAtual().arquivo).fileName(),
                                apresentacao::SomAtual().emLaco};
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
        QVERIFY(apoio::gravarQuadrosDasBobinas(pasta.path(), QSize(140, 92), corDoSimbolo, 95));
        // The program folder holds the pictures and, linked, the built sounds; the game runs
        // from another folder, as when started from a terminal elsewhere.
        QVERIFY(QFile::link(QString(TREVOLINO_PROGRAM_DIR) + "/Som", pasta.path() + "/Som"));
        pastaAnterior = QDir::currentPath();
        QDir::setCurrent(QDir::rootPath());
    }
    void cleanupTestCase() { QDir::setCurrent(pastaAnterior); }
    void init() {
        w = new TfrmPrincipal(nullptr, false);
        w->maquina().DefinirSorteio([](int) { return 0; });
        w->PastaDoPrograma = pasta.path() + "/";
        w->TituloDoAplicativo = "Trevolino v3.5";
        apoio::acelerarRodada(w);
        w->maquina().DefinirDinheiro(100, 0);
    }
    void cleanup() {
        delete w;
        w = nullptr;
    }

    void celulasCarregamOArquivoCertoEmCadaAspecto() {
        posicionar(16, 16, 11);
        w->DesenharBobina1();
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgA1")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(4, true)));
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgA2")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(5, false)));
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgA3")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(1, true)));
        QVERIFY(apoio::controle<Figura>(w, "imgB1")->Imagem().isNull());  // only reel 1 was drawn
        w->DesenharBobina3();
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgC1")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(10, true)));
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgC2")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(11, false)));
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgC3")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(11, true)));
        w->DesenharBobinasParadas();
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgA1")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(4, false)));
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgC3")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(11, false)));
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgB2")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(1, false)));
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
        QVERIFY(apoio::controle<Figura>(w, "imgA2")->Imagem().isNull());
        QVERIFY(!apoio::controle<Figura>(w, "imgA1")->Imagem().isNull());
        QFile::remove(uva);
        QFile::rename(uva + ".bom", uva);
    }

    void rodadaPerdidaDe16ComSorteioZero() {
        posicionar(16, 16, 16);
        w->RealizarAposta(5);
        w->RealizarAposta(5);
        QCOMPARE(w->Credito(), 90.0);
        QCOMPARE(w->Aposta(), 10.0);
        QCOMPARE(w->maquina().Mensagem(), QString("Boa Sorte"));
        QCOMPARE(apoio::controle<QLabel>(w, "lblAposta")->text(), QString("Aposta: 10"));
        QCOMPARE(QFileInfo(apresentacao::SomAtual().arquivo).fileName(), QString("InserindoMoeda.wav"));
        const auto amostras = girarAteOFim();
        QVERIFY(algumaAmostra(amostras, [](const Amostra& a) { return a.som == "BobinaGirando.wav"; }));
        QVERIFY(algumaAmostra(amostras, [](const Amostra& a) { return a.som == "BobinaParando.wav"; }));
        QVERIFY(!algumaAmostra(
            amostras, [](const Amostra& a) { return a.som.startsWith("Pagando") || a.som == "Ganhou.wav"; }));
        QCOMPARE(w->maquina().Posicao(1), 6);
        QCOMPARE(w->maquina().Posicao(2), 13);
        QCOMPARE(w->maquina().Posicao(3), 4);
        QCOMPARE(w->Credito(), 90.0);
        QCOMPARE(w->Aposta(), 0.0);
        QCOMPARE(w->maquina().Mensagem(), QString("Aposte e Ganhe"));
        for (const auto& a : amostras) QVERIFY(a.mensagem != "Parabens");  // a lost spin
        // The still look once the buttons are back.
        QVERIFY(corProxima(apoio::controle<Figura>(w, "imgA1")->Imagem().pixelColor(70, 46),
                           corDoSimbolo(jogo::Bobina1[5], false)));
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
        const double depoisDaAposta = w->Credito();
        const auto amostras = girarAteOFim();
        QCOMPARE(w->Credito(), depoisDaAposta + 120);
        QCOMPARE(w->Aposta(), 0.0);
        // The credit rose one by one, with "Parabens" during the count-up.
        QVERIFY(std::any_of(amostras.begin(), amostras.end(),
                            [](const Amostra& a) { return a.mensagem == "Parabens"; }));
        QVERIFY(std::any_of(amostras.begin(), amostras.end(),
                            [](const Amostra& a) { return a.premio > 0 && a.premio < 120; }));
        QVERIFY(algumaAmostra(amostras,
                              [](const Amostra& a) { return a.som == "PagandoMuito.wav" && a.somEmLaco; }));
        QVERIFY(apresentacao::SomAtual().vazio());  // the paying loop was stopped
        QCOMPARE(w->maquina().Mensagem(), QString("Aposte e Ganhe"));
    }

    // Switched off and on again during a count-up, the sound resumes the payout's loop for the
    // rest; at rest switching it on starts nothing.
    void somReligadoDuranteOPagamentoRetomaOLaco() {
        const auto inicio = [](int fim, int passos) { return ((fim - 1 + passos) % 16) + 1; };
        posicionar(inicio(11, 26), inicio(6, 51), inicio(2, 76));
        w->RealizarAposta(10);
        w->spdGirarClick();
        QVERIFY(apoio::esperarAte([&] { return w->maquina().FaseAtual() == jogo::Maquina::Fase::Pagando; }));
        w->DefinirSomLigado(false);
        QVERIFY(apresentacao::SomAtual().vazio());
        w->DefinirSomLigado(true);
        QVERIFY(w->Premio() > 0);
        QCOMPARE(QFileInfo(apresentacao::SomAtual().arquivo).fileName(), QString("PagandoMuito.wav"));
        QVERIFY(apresentacao::SomAtual().emLaco);
        QVERIFY(apoio::esperarAte([&] { return todosHabilitados(); }));
        QVERIFY(apresentacao::SomAtual().vazio());
        w->DefinirSomLigado(false);
        w->DefinirSomLigado(true);
        QVERIFY(apresentacao::SomAtual().vazio());
    }

    void regrasDePagamentoNaJanela_data() {
        QTest::addColumn<int>("p1");
        QTest::addColumn<int>("p2");
        QTest::addColumn<int>("p3");
        QTest::addColumn<double>("aposta");
        QTest::addColumn<double>("premio");
        QTest::addColumn<QString>("som");
        // Where the spin ends; it starts where a draw of 0 makes it end there.
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
        const auto inicio = [](int fim, int passos) { return ((fim - 1 + passos) % 16) + 1; };
        posicionar(inicio(p1, 26), inicio(p2, 51), inicio(p3, 76));
        w->maquina().DefinirDinheiro(50, aposta);
        w->SetarMensagem("Boa Sorte");
        uRotinasGerais::PararSom();
        QStringList sons;
        QTimer amostrador;
        amostrador.setInterval(1);
        connect(&amostrador, &QTimer::timeout, this, [&] {
            const QString s = QFileInfo(apresentacao::SomAtual().arquivo).fileName();
            if ((s.startsWith("Pagando") || s == "Ganhou.wav") && !sons.contains(s)) sons << s;
        });
        amostrador.start();
        w->spdGirarClick();
        QVERIFY(apoio::esperarAte([&] { return apoio::controle<QTimer>(w, "timFinal")->isActive(); }));
        amostrador.stop();
        QCOMPARE(w->maquina().Posicao(1), p1);
        QCOMPARE(w->maquina().Posicao(3), p3);
        if (som.isEmpty())
            QVERIFY2(sons.isEmpty(), qPrintable(sons.join(",")));
        else
            QVERIFY2(sons.contains(som), qPrintable(sons.join(",")));
        QCOMPARE(w->Credito(), 50 + premio);
        QCOMPARE(w->Aposta(), 0.0);
        QCOMPARE(w->Premio(), 0.0);
        QCOMPARE(w->maquina().Mensagem(), QString("Aposte e Ganhe"));
        QVERIFY(apoio::controle<QTimer>(w, "timFinal")->isActive());
    }

    void apostaSemCreditoERecusada() {
        w->maquina().DefinirDinheiro(9, 0);
        QString titulo;
        apoio::responderComTecla(Qt::Key_Return, &titulo);
        w->spdApostar10Click();
        QCOMPARE(titulo, QString::fromUtf8("Crédito Insuficiente"));
        QCOMPARE(w->Credito(), 9.0);
        QCOMPARE(w->Aposta(), 0.0);
        w->maquina().DefinirDinheiro(10, 0);
        w->spdApostar10Click();
        QCOMPARE(w->Credito(), 0.0);
        QCOMPARE(w->Aposta(), 10.0);
    }

    void girarSemApostaERecusado() {
        posicionar(16, 16, 16);
        QString titulo, texto;
        apoio::responderComTecla(Qt::Key_Escape, &titulo, &texto);
        w->spdGirarClick();
        QCOMPARE(titulo, QString::fromUtf8("Faça Uma Aposta Antes de Puxar a Alavanca"));
        QVERIFY(texto.contains(QString::fromUtf8("Você Deve Fazer Uma Aposta!")));
        QVERIFY(!apoio::controle<QTimer>(w, "timBobina1")->isActive() &&
                !apoio::controle<QTimer>(w, "timBobina2")->isActive() &&
                !apoio::controle<QTimer>(w, "timBobina3")->isActive());
        QCOMPARE(w->maquina().Posicao(1), 16);
    }

    void lampadasELetreiroNasPrimeirasBatidas() {
        w->maquina().IniciarLuzes();
        w->SetarMensagem("Aposte e Ganhe");
        QCOMPARE(apoio::controle<QLabel>(w, "lblMensagem")->text(),
                 QString());  // shown only at the next tick
        w->timLuzesMensagemTimer();
        const QColor cores[8] = {{},
                                 QColor(255, 0, 0),
                                 QColor(0, 0, 255),
                                 QColor(0, 128, 0),
                                 QColor(255, 255, 0),
                                 QColor(255, 0, 255),
                                 QColor(0, 255, 255),
                                 QColor(128, 0, 0)};
        for (int n = 1; n <= 12; ++n)
            QCOMPARE(apoio::controle<Forma>(w, QString("shpLuz%1").arg(n, 2, 10, QChar('0')))->CorDoPincel(),
                     cores[(n - 1) % 7 + 1]);
        QCOMPARE(apoio::controle<QLabel>(w, "lblMensagem")->text(), QString("     Aposte "));
        w->timLuzesMensagemTimer();
        QCOMPARE(apoio::controle<Forma>(w, "shpLuz01")->CorDoPincel(), cores[7]);
        QCOMPARE(apoio::controle<Forma>(w, "shpLuz08")->CorDoPincel(), cores[7]);
        QCOMPARE(apoio::controle<QLabel>(w, "lblMensagem")->text(), QString("    Aposte e"));
        w->SetarMensagem("Parabens");
        QCOMPARE(apoio::controle<QLabel>(w, "lblMensagem")->text(), QString("    Aposte e"));
    }

    // Something that waits (a dialog, a payout) and is handled while a tick is on the stack must
    // not hold the lamps: Qt does not re-enter a timer whose slot is running.
    void lampadasAndamDuranteUmaEsperaVindaDaBatida() {
        apoio::controle<QTimer>(w, "timLuzesMensagem")->setInterval(5);
        disconnect(apoio::controle<QTimer>(w, "timLuzesMensagem"), nullptr, nullptr, nullptr);
        int fasesDuranteAEspera = 0;
        bool esperou = false;
        connect(apoio::controle<QTimer>(w, "timLuzesMensagem"), &QTimer::timeout, this, [&] {
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
                        fases.insert(w->maquina().FaseDasLuzes());
                    }
                    fasesDuranteAEspera = int(fases.size());
                },
                Qt::QueuedConnection);
        });
        connect(apoio::controle<QTimer>(w, "timLuzesMensagem"), &QTimer::timeout, w,
                &TfrmPrincipal::timLuzesMensagemTimer);
        w->maquina().IniciarLuzes();
        QVERIFY(apoio::esperarAte([&] { return fasesDuranteAEspera > 0; }));
        apoio::controle<QTimer>(w, "timLuzesMensagem")->stop();
        QVERIFY2(fasesDuranteAEspera > 2, qPrintable(QString::number(fasesDuranteAEspera)));
    }

    // Each event's sound is read from its file once: with the cabinet's first frame on the screen
    // every sound is in memory, and plays from there when its file is gone.
    void sonsLidosUmaVezDepoisDoPrimeiroQuadro() {
        QTemporaryDir outra;
        QVERIFY(QDir(outra.path()).mkpath("Som"));
        for (const QString& nome : QDir(QString(TREVOLINO_PROGRAM_DIR) + "/Som").entryList({"*.wav"}))
            QVERIFY(QFile::copy(QString(TREVOLINO_PROGRAM_DIR) + "/Som/" + nome, outra.filePath("Som/" + nome)));
        w->PastaDoPrograma = outra.path() + "/";
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::qWait(100);
        QVERIFY(QDir(outra.filePath("Som")).removeRecursively());
        posicionar(16, 16, 16);
        w->RealizarAposta(1);
        QCOMPARE(QFileInfo(apresentacao::SomAtual().arquivo).fileName(), QString("InserindoMoeda.wav"));
        const auto amostras = girarAteOFim();
        QVERIFY(algumaAmostra(amostras, [](const Amostra& a) { return a.som == "BobinaGirando.wav"; }));
        QVERIFY(algumaAmostra(amostras, [](const Amostra& a) { return a.som == "BobinaParando.wav"; }));
    }

    void aberturaHabilitaOsBotoesSoNoFim() {
        w->maquina().DefinirSorteio([](int) { return 14; });
        w->IniciarGiroDeAbertura();
        w->SetarOQueTemQueDar(0, 0, 0);
        QVERIFY(!algumHabilitado());
        QVERIFY(apoio::esperarAte([&] { return todosHabilitados(); }));
        // r = 14: 20, 30 and 40 steps from 16.
        QCOMPARE(w->maquina().Posicao(1), ((16 - 1 - 20) % 16 + 16) % 16 + 1);
        QCOMPARE(w->maquina().Posicao(2), ((16 - 1 - 30) % 16 + 16) % 16 + 1);
        QCOMPARE(w->maquina().Posicao(3), ((16 - 1 - 40) % 16 + 16) % 16 + 1);
        QCOMPARE(w->Credito(), 100.0);  // the opening pays nothing
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    TestRodada t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_rodada.moc"
