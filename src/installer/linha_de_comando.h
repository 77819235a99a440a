#pragma once

#include <QString>

namespace uRotinasGerais {

// Runs the installer mode named on the command line, if any; true means a mode ran and the
// program must end.
bool ProcessarLinhaDeComando();

// The command-line token, extracted from the raw command line.
QString ParametroDaLinhaDeComando();

}  // namespace uRotinasGerais
