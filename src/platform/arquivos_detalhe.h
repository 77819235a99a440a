// Pieces of the file helpers that tests drive directly.
#pragma once

#include <QString>
#include <functional>

namespace plataforma {

// Called by CopiarArquivo after every block with the bytes copied so far (tests use it to make
// the source shrink in the middle of a copy). Empty by default.
using GanchoDeCopia = std::function<void(qint64 copiados)>;
void DefinirGanchoDeCopiaParaTeste(GanchoDeCopia gancho);

// A name usable as one path component: trimmed, '/' and NUL replaced by '_'; empty for an
// empty name, "." and "..".
QString NomeSeguro(const QString& nome);

// False for an empty or relative path, the root, the home folder and any folder above it.
bool CaminhoRemovivel(const QString& caminho);

// One argument of a Desktop Entry Exec line, quoted when it holds a reserved character.
QString ArgumentoDoExec(const QString& argumento);

// The string escapes of a Desktop Entry value (backslash, line breaks, tabs, a leading blank).
QString ValorDeTexto(const QString& valor);

}  // namespace plataforma
