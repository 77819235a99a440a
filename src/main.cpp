// Program entry: the application object and its title, then either an installer mode (decided
// here, before any window exists) or the main window, whose creation runs the game's start-up
// sequence, and the message loop.
#include <QApplication>

#include "installer/linha_de_comando.h"
#include "platform/pasta_pessoal.h"
#include "platform/pedido_de_termino.h"
#include "shell/dialogos.h"
#include "shell/uPrincipal.h"

int main(int argc, char* argv[]) {
    plataforma::GarantirPastaPessoal();  // before Qt reads it
    // Before the application object takes out the options it knows for itself.
    uRotinasGerais::DefinirArgumentosDoProcesso(argc, argv);
    QApplication app(argc, argv);
    // The application's title. Not set as Qt's display name: on X11 Qt appends that to every
    // window title the window manager shows, and a dialog's caption is its own title alone.
    QApplication::setApplicationName("Trevolino");

    // "<INSTALAR>", "<ICONES>" or "<DESINSTALAR>" as the only argument: that mode instead of the game.
    if (uRotinasGerais::ProcessarLinhaDeComando(uRotinasGerais::TituloDoAplicativo())) return 0;

    TfrmPrincipal janela;
    if (janela.TerminoSolicitado()) return 0;  // the screen is too small
    // Asked to end from outside (a logout, kill, Ctrl+C): no exit question, but the same tidy
    // end as the Sair button's, so the unpacked cursors and font do not stay behind.
    plataforma::AoPedirTermino([&janela] {
        janela.FormClose();
        QApplication::exit(0);
    });
    janela.show();
    return QApplication::exec();
}
