// Program entry: the application object, its title, the main window (whose creation runs the
// whole start-up sequence) and the message loop.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "installer/linha_de_comando.h"
#include "platform/pasta_pessoal.h"
#include "platform/pedido_de_termino.h"
#include "shell/uPrincipal.h"

int main(int argc, char* argv[]) {
    plataforma::GarantirPastaPessoal();  // before Qt reads it
    // Before the application object takes out the options it knows for itself.
    uRotinasGerais::DefinirArgumentosDoProcesso(argc, argv);
    QApplication app(argc, argv);
    // The application's title. Not set as Qt's display name: on X11 Qt appends that to every
    // window title the window manager shows, and a dialog's caption is its own title alone.
    QApplication::setApplicationName("Trevolino");

    TfrmPrincipal::ModosDoInstalador = uRotinasGerais::ProcessarLinhaDeComando;
    TfrmPrincipal janela;
    if (janela.TerminoSolicitado()) return 0;  // an installer mode ran, or the screen is too small
    // Asked to end from outside (a logout, kill, Ctrl+C): no exit question, but the same tidy
    // end as the Sair button's, so the unpacked cursors and font do not stay behind.
    plataforma::AoPedirTermino([&janela] {
        janela.FormClose();
        QApplication::exit(0);
    });
    janela.show();
    return QApplication::exec();
}
