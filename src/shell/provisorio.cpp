// Temporary stand-ins for routines that are being written in other folders; each goes away as
// its real implementation lands.
#include <QWidget>

#include "shell/rotinas_gerais.h"

namespace uRotinasGerais {
void TocarSom(const QString&, bool, bool) {}
void PararSom() {}
}  // namespace uRotinasGerais
