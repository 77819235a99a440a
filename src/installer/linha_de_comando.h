// The command line: which installer mode, if any, the program was started for.
#pragma once

#include <QString>
#include <QStringList>

namespace instalacao {

inline const QString kTokenInstalar = QStringLiteral("<INSTALAR>");
inline const QString kTokenIcones = QStringLiteral("<ICONES>");
inline const QString kTokenDesinstalar = QStringLiteral("<DESINSTALAR>");

// What the command line asks for: the game, or one of the installer's modes.
enum class ModoDoPrograma { Jogo, Instalar, Icones, Desinstalar };
ModoDoPrograma ModoDaLinhaDeComando();

// Runs the installer mode named on the command line, if any, with the game's display title;
// true means a mode ran and the program must end. Called before any window exists.
bool ProcessarLinhaDeComando(const QString& TituloDoAplicativo);
// The exit status of a run that ended in a mode: 1 when it ended in an installation or removal
// that did not complete, 0 otherwise (also when the user said "Não").
int CodigoDeSaidaDoModo();

// An installer mode started from a copy the system's package manager installed: says so in a
// warning dialog, changes nothing, and returns true (the program then ends with status 1).
bool RecusarNaCopiaDoSistema(const QString& Titulo);

bool ModoInstalar(const QString& Titulo);
bool ModoIcones(const QString& Titulo);
bool ModoDesinstalar(const QString& Titulo);

// The command-line token, extracted from the raw command line.
QString ParametroDaLinhaDeComando();

// "--help" or "--version" as the only argument: answered on the terminal instead of starting,
// with no window and so no display. Any other command line keeps its meaning (the game, or a
// token's mode). Decided from the process's own arguments, before any application object.
bool PedidoDeTerminal(int argc, char** argv);
// What that request prints: the usage with the three tokens, or the program's name and the
// version its executable carries. Reading the version needs an application object.
QString RespostaDeTerminal(const QString& opcao);

// The process's own arguments, kept before the application object takes out the options it
// knows for itself: the token must be the only argument.
void DefinirArgumentosDoProcesso(int argc, char** argv);

// The raw command line as a Windows shell passes it: the program path in double quotes, then
// the arguments joined by blanks. Quotes inside the program path are left out (such a path
// cannot exist there, and the token is found after the first quote followed by a blank).
QString LinhaDeComandoReconstruida(const QStringList& argumentos);

// The running executable's path (or the one a test set).
QString ExecutavelEmExecucao();

// Test seams. A raw command line with its argument count replaces the process's own; an
// executable path replaces the running executable's. Empty values restore the real ones.
void DefinirLinhaDeComandoParaTeste(const QString& linhaBruta, int numeroDeArgumentos);
void DefinirExecutavelParaTeste(const QString& caminho);

}  // namespace instalacao

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using instalacao::ModoDesinstalar;
using instalacao::ModoIcones;
using instalacao::ModoInstalar;
using instalacao::ParametroDaLinhaDeComando;
using instalacao::ProcessarLinhaDeComando;
}  // namespace uRotinasGerais
