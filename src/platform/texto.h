// Small text routines shared by every folder.
#pragma once

#include <QString>

namespace plataforma {

// The text without the characters of code 32 or below (blanks, tabs, line breaks, other control
// characters) at either end; the one trimming rule of the program, for titles, messages, paths
// and command lines alike.
QString Aparar(const QString& texto);

}  // namespace plataforma
