#include <QApplication>
#include <QtTest>

#include "apoio.h"
#include "test_controles.h"

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    TestControles t;
    return QTest::qExec(&t, argc, argv);
}
