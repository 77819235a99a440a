// Program entry: --help and --version on the terminal; then the application object and its
// title, the desktop's identity and the user's language (the game's texts, Qt's own, numbers);
// then either an installer mode (decided here, before any window exists) or the main window,
// whose creation runs the game's start-up sequence, and the message loop.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "installer/linha_de_comando.h"
#include "platform/identidade.h"
#include "platform/idioma.h"
#include "platform/fontes_em_segundo_plano.h"
#include "platform/pasta_pessoal.h"
#include "platform/pedido_de_termino.h"
#include "shell/dialogos.h"
#include "shell/imagens.h"
#include "shell/uPrincipal.h"

namespace {

// Answered before anything that could want a display: a terminal, a package check or a shell
// script may ask these with no desktop at all.
int ResponderNoTerminal(int argc, char* argv[]) {
    QCoreApplication aplicacao(argc, argv);
    plataforma::InstalarIdioma();
    std::fputs(instalacao::RespostaDeTerminal(QString::fromLocal8Bit(argv[1])).toUtf8().constData(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// On X11 a desktop matches a window to its launcher by WM_CLASS, which Qt builds from the
// "-name" option (the instance) and the application's name (the class, "Trevolino", kept for
// the dialogs' titles). The id goes in as that option ahead of the user's own arguments, so
// an explicit -name still wins; the process's arguments were kept as they came. Qt's X11 plugin
// takes the option out; the other platforms leave it in arguments(), which the game does not read.
struct ArgumentosDoQt {
    std::string id = plataforma::kIdDoAplicativo;
    std::string opcaoNome = "-name";
    std::vector<char*> argv;
    int argc = 0;
    ArgumentosDoQt(int argcDoProcesso, char* argvDoProcesso[])
        : argv(argvDoProcesso, argvDoProcesso + argcDoProcesso) {
        argv.insert(argv.begin() + (argcDoProcesso > 0 ? 1 : 0), {opcaoNome.data(), id.data()});
        argc = int(argv.size());
        argv.push_back(nullptr);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (instalacao::PedidoDeTerminal(argc, argv)) return ResponderNoTerminal(argc, argv);

    plataforma::GarantirPastaPessoal();  // before Qt reads it
    // Before the application object takes out the options it knows for itself.
    instalacao::DefinirArgumentosDoProcesso(argc, argv);

    ArgumentosDoQt argumentosDoQt(argc, argv);
    QApplication aplicacao(argumentosDoQt.argc, argumentosDoQt.argv.data());
    const plataforma::FontesEmSegundoPlano fontes;
    // The application's title. Not set as Qt's display name: on X11 Qt appends that to every
    // window title the window manager shows, and a dialog's caption is its own title alone.
    QApplication::setApplicationName("Trevolino");
    // The Wayland app_id: the packaged desktop file is named after it.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(plataforma::kIdDoAplicativo));
    QApplication::setWindowIcon(apresentacao::IconeDoJogo());
    plataforma::InstalarIdioma();

    // "<INSTALAR>", "<ICONES>" or "<DESINSTALAR>" as the only argument: that mode instead of the game.
    // The package manager's copy is installed and removed by it alone.
    if (instalacao::RecusarNaCopiaDoSistema(uRotinasGerais::TituloDoAplicativo())) return 1;
    if (uRotinasGerais::ProcessarLinhaDeComando(uRotinasGerais::TituloDoAplicativo()))
        return instalacao::CodigoDeSaidaDoModo();

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
