// The main of a program made of registered test classes: runs them all, inside an isolated HOME.
#include <QApplication>
#include <QTest>

#include "apoio.h"
#include "registro_de_testes.h"

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    int falhas = 0;
    for (auto& fabrica : testesRegistrados()) {
        std::unique_ptr<QObject> t(fabrica());
        falhas += QTest::qExec(t.get(), argc, argv);
    }
    return falhas == 0 ? 0 : 1;
}
