// One test program for unpacked resources, fonts and cursors; each group is its own QtTest class.
#include <QApplication>
#include <QProcessEnvironment>
#include <QtTest>

#include "apoio.h"
#include "teste_cursores.h"
#include "teste_inicio.h"

namespace {
// The environment as the game sees it, without the mark QtTest leaves for itself.
QStringList ambiente() {
    QProcessEnvironment a = QProcessEnvironment::systemEnvironment();
    a.remove(QStringLiteral("QT_QTESTLIB_RUNNING"));
    return a.toStringList();
}
}  // namespace

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    // Other threads read the environment while the game runs (the font list's, Qt's own): no
    // start-up, close or cursor of the game may write it.
    const QStringList antes = ambiente();
    int falhas = 0;
    {
        TesteCursores t;
        falhas += QTest::qExec(&t, argc, argv);
    }
    {
        TesteInicio t;
        falhas += QTest::qExec(&t, argc, argv);
    }
    if (ambiente() != antes) {
        qWarning("the environment was written while the game ran");
        ++falhas;
    }
    return falhas;
}
