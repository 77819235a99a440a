#pragma once

#include <QString>

namespace uRotinasGerais {

// The running executable's file version "major.minor.release.build", or "Padrão" when the
// executable carries no version block.
QString ObterVersaoDoExecutavel();

// The same, read from any file (the version block is an ELF section of our own).
QString LerVersaoDoArquivo(const QString& caminho);

// Asks the desktop to open a web address or document; shows the wait cursor meanwhile.
void AbrirEnderecoWeb(const QString& Endereco);

}  // namespace uRotinasGerais
