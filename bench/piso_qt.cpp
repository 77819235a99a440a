// The floor any Qt Widgets program pays on this machine: one plain 800 x 600 window and the
// event loop, nothing else. The whole-program figures of the game (start-up to the first painted
// frame, peak resident memory, idle processor use) are measured against this program, the same
// way and in the same run.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget janela;
    janela.setWindowTitle(QStringLiteral("Piso Qt"));
    janela.resize(800, 600);
    janela.show();
    return QApplication::exec();
}
