// The fancy button as a screen reader sees it: through Qt's accessibility interfaces alone.
#include "test_controles.h"

#include <QAccessible>
#include <QtTest>

#include "controls/DsFancyButton.h"

void TestControles::botaoAcessivel() {
    // Made with a parent, as the cabinet makes its buttons: the interface a reader gets must
    // still be the button's own, not a plain widget's.
    QWidget janela;
    auto* b = new TDsFancyButton(&janela);
    b->setCaption("Apostar &10");
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(b);
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::PushButton);
    QCOMPARE(i->text(QAccessible::Name), QString("Apostar 10"));
    b->setCaption("Sair && Voltar");
    QCOMPARE(i->text(QAccessible::Name), QString("Sair & Voltar"));
    b->setAccessibleName("Sair do jogo");
    QCOMPARE(i->text(QAccessible::Name), QString("Sair do jogo"));

    QSignalSpy clique(b, &TDsFancyButton::OnClick);
    QAccessibleActionInterface* acoes = i->actionInterface();
    QVERIFY(acoes);
    const QString apertar = QAccessibleActionInterface::pressAction();

    b->setEnabled(false);
    QVERIFY(i->state().disabled);
    QVERIFY(!acoes->actionNames().contains(apertar));
    acoes->doAction(apertar);
    QTest::qWait(20);
    QCOMPARE(clique.count(), 0);

    b->setEnabled(true);
    QVERIFY(!i->state().disabled);
    QVERIFY(acoes->actionNames().contains(apertar));
    acoes->doAction(apertar);
    QCOMPARE(clique.count(), 0);  // not while the reader still waits for its answer
    QTRY_COMPARE(clique.count(), 1);
    QVERIFY(i->state().pressed);  // shown down for a moment, as a key's click is
    QTRY_VERIFY_WITH_TIMEOUT(!i->state().pressed, 1000);
    QCOMPARE(clique.count(), 1);
}
