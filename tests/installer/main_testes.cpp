// Runs every test class of the installer area in one program, inside an isolated HOME.
#include <QApplication>
#include <QTest>

#include "apoio.h"
#include "testes_installer.h"

int main(int argc, char** argv) {
    apoio::prepararAmbienteIsolado();
    QApplication app(argc, argv);
    int falhas = 0;
    for (auto& fabrica : testesDoInstalador()) {
        std::unique_ptr<QObject> t(fabrica());
        falhas += QTest::qExec(t.get(), argc, argv);
    }
    return falhas == 0 ? 0 : 1;
}
