// One test program for unpacked resources, fonts and cursors; each group is its own QtTest class.
#include <QApplication>
#include <QtTest>

#include "apoio.h"
#include "teste_cursores.h"
#include "teste_inicio.h"

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    int falhas = 0;
    {
        TesteCursores t;
        falhas += QTest::qExec(&t, argc, argv);
    }
    {
        TesteInicio t;
        falhas += QTest::qExec(&t, argc, argv);
    }
    return falhas;
}
