#pragma once

#include <QString>

namespace uRotinasGerais {

// Runs the installer mode named on the command line, if any; true means a mode ran and the
// program must end.
bool ProcessarLinhaDeComando();

// The command-line token, extracted from the raw command line.
QString ParametroDaLinhaDeComando();

// The process's arguments as main() got them, before the application object takes out the
// toolkit's own options ("-reverse", "-style X", ...): the token must be the only argument of the
// real command line. Until this is called, the application object's arguments are used.
void DefinirArgumentosDoProcesso(int argc, char** argv);

}  // namespace uRotinasGerais
