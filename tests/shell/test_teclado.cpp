// The cabinet's keys and its sound switch: keys act only through enabled buttons, once per
// press, never from another window's keys; the switch silences the sound layer, shows in the
// right-click menu and is found again by the next window.
#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSettings>
#include <QtTest>

#include "apoio.h"
#include "controls/DsFancyButton.h"
#include "game/bobinas.h"
#include "game/maquina.h"
#include "shell/espera.h"
#include "shell/som.h"
#include "shell/uPrincipal.h"

class TestTeclado : public QObject {
    Q_OBJECT
    QTemporaryDir pasta;
    TfrmPrincipal* w = nullptr;

    void tecla(Qt::Key k, bool repeticao = false) {
        QKeyEvent aperta(QEvent::KeyPress, k, Qt::NoModifier, QString(), repeticao);
        QKeyEvent solta(QEvent::KeyRelease, k, Qt::NoModifier, QString(), repeticao);
        QApplication::sendEvent(w, &aperta);
        QApplication::sendEvent(w, &solta);
    }
    QMenu* menu() const {
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == "mnuContexto") return qobject_cast<QMenu*>(t);
        return nullptr;
    }
    QAction* somLigado() const { return menu()->findChild<QAction*>("mnuSomLigado"); }
    QString somPedido() const { return QFileInfo(apresentacao::SomAtual().arquivo).fileName(); }

private slots:
    void initTestCase() {
        QVERIFY(pasta.isValid());
        QVERIFY(QFile::link(QString(TREVOLINO_PROGRAM_DIR) + "/Som", pasta.path() + "/Som"));
    }
    void init() {
        w = new TfrmPrincipal(nullptr, false);
        w->maquina().DefinirSorteio([](int) { return 0; });
        w->PastaDoPrograma = pasta.path() + "/";
        w->TituloDoAplicativo = "Trevolino v3.5";
        apoio::acelerarRodada(w);
        w->maquina().DefinirDinheiro(100, 0);
        for (auto* b : w->findChildren<TDsFancyButton*>()) b->setEnabled(true);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void cleanup() {
        w->DefinirSomLigado(true);
        uRotinasGerais::PararSom();
        delete w;
        w = nullptr;
    }

    void teclasSoAgemComOBotaoHabilitado() {
        tecla(Qt::Key_5);
        QCOMPARE(w->Aposta(), 5.0);
        QCOMPARE(w->Credito(), 95.0);
        QCOMPARE(somPedido(), QString("InserindoMoeda.wav"));
        QVERIFY(apoio::controle<TDsFancyButton>(w, "spdApostar05")->Pushed());  // shown down for a moment
        QTRY_VERIFY_WITH_TIMEOUT(!apoio::controle<TDsFancyButton>(w, "spdApostar05")->Pushed(), 1000);
        tecla(Qt::Key_1);
        tecla(Qt::Key_0);
        QCOMPARE(w->Aposta(), 16.0);

        // Enter spins; during the spin every button is off, and so is every key.
        tecla(Qt::Key_Return);
        QVERIFY(apoio::controle<QTimer>(w, "timBobina1")->isActive());
        QCOMPARE(somPedido(), QString("BobinaGirando.wav"));
        tecla(Qt::Key_5);
        tecla(Qt::Key_Space);
        tecla(Qt::Key_Escape);
        QCOMPARE(w->Credito(), 84.0);
        QVERIFY(w->isVisible());
        // A key held through the spin (repeated as presses) and let go after it bets nothing.
        QKeyEvent aperta0(QEvent::KeyPress, Qt::Key_0, {}), solta0(QEvent::KeyRelease, Qt::Key_0, {});
        QApplication::sendEvent(w, &aperta0);
        QVERIFY(
            apoio::esperarAte([&] { return apoio::controle<TDsFancyButton>(w, "spdGirar")->isEnabled(); }));
        QApplication::sendEvent(w, &aperta0);
        QApplication::sendEvent(w, &solta0);
        QCOMPARE(w->Aposta(), 0.0);
    }

    // Tab walks the buttons in reading order, round again, over those that are off; Space and
    // Enter press the focused one on release; the focus outlasts a spin; the ring needs Tab.
    void tabLevaOFocoEEspacoApertaOBotaoFocado() {
        QWindow* janela = w->windowHandle();
        const auto botao = [this](const char* nome) { return apoio::controle<TDsFancyButton>(w, nome); };
        const auto focado = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; };
        const auto clicar = [janela](Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(janela, k, m); };
        QTest::mouseClick(botao("spdApostar05"), Qt::LeftButton, {}, QPoint(78, 30));  // takes no focus
        QTRY_COMPARE(focado(), QString("frmPrincipal"));
        QVERIFY(!botao("spdApostar05")->FocusShown());
        QStringList vistos;
        for (int i = 0; i < 6; ++i) clicar(Qt::Key_Tab), vistos << focado();
        QCOMPARE(vistos.join(' '), QString("spdApostar01 spdApostar05 spdApostar10 spdGirar spdSair spdApostar01"));
        const QAccessible::State leitor = QAccessible::queryAccessibleInterface(botao("spdApostar01"))->state();
        QVERIFY(leitor.focusable && leitor.focused);
        clicar(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focado(), QString("spdSair"));
        botao("spdApostar01")->setEnabled(false);
        clicar(Qt::Key_Tab);
        QCOMPARE(focado(), QString("spdApostar05"));
        botao("spdApostar01")->setEnabled(true);
        clicar(Qt::Key_1);  // the other keys keep their buttons
        QTest::keyPress(janela, Qt::Key_Space);
        QCOMPARE(w->Aposta(), 6.0);
        QTest::keyRelease(janela, Qt::Key_Space);
        clicar(Qt::Key_Return), clicar(Qt::Key_Enter);
        QCOMPARE(w->Aposta(), 21.0);
        QTest::keyPress(janela, Qt::Key_Space);  // let go once the focus moved on: no press
        clicar(Qt::Key_Tab), QTest::keyRelease(janela, Qt::Key_Space), clicar(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(w->Aposta(), 21.0);
        QTest::mouseClick(botao("spdGirar"), Qt::LeftButton, {}, QPoint(78, 30));
        QCOMPARE(focado(), QString());  // put aside while the buttons are off
        QVERIFY(apoio::esperarAte([&] { return botao("spdGirar")->isEnabled(); }));
        QCOMPARE(focado(), QString("spdApostar05"));
        QVERIFY(botao("spdApostar05")->FocusShown());
    }

    void espacoSemApostaMostraOAviso() {
        QString titulo;
        apoio::responderComTecla(Qt::Key_Return, &titulo);
        tecla(Qt::Key_Space);
        QCOMPARE(titulo, QString("Faça Uma Aposta Antes de Puxar a Alavanca"));
        QVERIFY(!apoio::controle<QTimer>(w, "timBobina1")->isActive());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        // The window system's active window and the application's can differ for a moment: the
        // cabinet takes keys only once it is the application's active window again.
        QTRY_VERIFY(w->isActiveWindow());

        // Escape asks the exit question; Escape in it stays in the game.
        apoio::responderComTecla(Qt::Key_Escape, &titulo);
        tecla(Qt::Key_Escape);
        QCOMPARE(titulo, QString("Confirmação Para Saída"));
        QVERIFY(w->isVisible());
    }

    void repeticaoEChaveAlheiaSaoIgnoradas() {
        // A held key: the press, repeats, then the release; one bet only.
        QKeyEvent aperta(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier);
        QApplication::sendEvent(w, &aperta);
        for (int i = 0; i < 5; ++i) tecla(Qt::Key_1, true);
        QKeyEvent solta(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier);
        QApplication::sendEvent(w, &solta);
        QCOMPARE(w->Aposta(), 1.0);

        // The release of a key pressed elsewhere (an Enter that answered a dialog) does nothing.
        QKeyEvent soSolta(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &soSolta);
        QVERIFY(!apoio::controle<QTimer>(w, "timBobina1")->isActive());

        // Nor does a key while another window is the active one.
        QWidget outra;
        outra.show();
        outra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&outra));
        tecla(Qt::Key_5);
        QCOMPARE(w->Aposta(), 1.0);
    }

    void mDesligaOSomELembraNaProximaJanela() {
        const QString arquivo = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/Trevolino/Trevolino.conf";
        QVERIFY(arquivo.startsWith(QDir::homePath()));  // the isolated HOME, never the player's
        QVERIFY(somLigado()->isChecked());

        tecla(Qt::Key_5);
        QVERIFY(!apresentacao::SomAtual().vazio());
        tecla(Qt::Key_M);
        QVERIFY(!apresentacao::SomLigado());
        QVERIFY(apresentacao::SomAtual().vazio());  // switching off stops what plays
        QVERIFY(!somLigado()->isChecked());
        tecla(Qt::Key_1);
        QCOMPARE(w->Aposta(), 6.0);
        QVERIFY(apresentacao::SomAtual().vazio());  // nothing asked of the sound server
        uRotinasGerais::TocarSom(pasta.path() + "/Som/Ganhou.wav", false);
        QVERIFY(apresentacao::SomAtual().vazio());

        QVERIFY(QFile::exists(arquivo));
        QCOMPARE(QSettings(arquivo, QSettings::IniFormat).value("Som/Ligado").toBool(), false);
        delete w;
        apresentacao::LigarSom(true);  // the next window must take it from the file
        w = new TfrmPrincipal(nullptr, false);
        QVERIFY(!apresentacao::SomLigado());
        QVERIFY(!somLigado()->isChecked());

        // The menu item switches it back, and the file follows.
        somLigado()->trigger();
        QVERIFY(apresentacao::SomLigado());
        QCOMPARE(QSettings(arquivo, QSettings::IniFormat).value("Som/Ligado").toBool(), true);
        uRotinasGerais::TocarSom(pasta.path() + "/Som/Ganhou.wav", false);
        QCOMPARE(somPedido(), QString("Ganhou.wav"));
    }

    void cliqueDireitoAbreOMenuComOEstado() {
        apresentacao::LigarSom(false);  // changed behind the menu's back
        QTest::mouseClick(w->windowHandle(), Qt::RightButton, {}, QPoint(400, 40));
        QTRY_VERIFY(menu()->isVisible());
        QVERIFY(!somLigado()->isChecked());
        menu()->close();

        // A drag with the right button moves the cabinet and opens no menu.
        const QPoint antes = w->pos();
        QTest::mousePress(w->windowHandle(), Qt::RightButton, {}, QPoint(400, 40));
        QTest::mouseMove(w->windowHandle(), QPoint(460, 90));
        QTest::mouseRelease(w->windowHandle(), Qt::RightButton, {}, QPoint(460, 90));
        QTest::qWait(50);
        QVERIFY(w->pos() != antes);
        QVERIFY(!menu()->isVisible());
    }

    // The menu key (to the window, as X sends it) opens the menu again after it was walked by keys.
    void teclaDeMenuDepoisDeUsarOMenuPeloTeclado() {
        for (const char* vez : {"first", "second"}) {
            QContextMenuEvent teclaDeMenu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(w->windowHandle(), &teclaDeMenu);
            QTRY_VERIFY2(menu()->isVisible(), vez);
            QTest::keyClick(menu(), Qt::Key_Down);
            QTest::keyClick(menu(), Qt::Key_Escape);
        }
    }
};

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    TestTeclado t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_teclado.moc"
