#pragma once

#include <QString>

namespace plataforma {

// The running executable's file version "major.minor.release.build", or "Padrão" when the
// executable carries no version block.
QString ObterVersaoDoExecutavel();

// The same, read from any file (the version block is an ELF section of our own).
QString LerVersaoDoArquivo(const QString& caminho);

}  // namespace plataforma

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using plataforma::ObterVersaoDoExecutavel;
}  // namespace uRotinasGerais
